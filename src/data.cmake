# Recording data: records, parsers, background parse, playlist.
# The parsers stand alone (Qt Core only) so the fuzz targets can build and
# instrument them without the rest of the viewer.
add_library(TrackoraParsers STATIC
  gpsdata.h
  datalog.h datalog.cpp
  bytesource.h
  filebytesource.h filebytesource.cpp
  memorybytesource.h memorybytesource.cpp
  coordinateconv.h coordinateconv.cpp
  parserobject.h parserobject.cpp
  mp4parser.h mp4parser.cpp
  aviparser.h aviparser.cpp
  videoparser.h videoparser.cpp)
target_include_directories(TrackoraParsers PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(TrackoraParsers PUBLIC Qt5::Core)
add_subdirectory(trackfiles)
target_link_libraries(TrackoraViewer PUBLIC TrackoraParsers)

target_sources(TrackoraViewer PRIVATE
  rowdata.h
  videoparserrunnable.h videoparserrunnable.cpp
  playlistmodel.h playlistmodel.cpp
  foldertrackdialog.h foldertrackdialog.cpp foldertrackdialog.ui)
# The platform's own way of reading at a position.
if(UNIX)
  target_sources(TrackoraParsers PRIVATE filebytesource_unix.cpp)
elseif(WIN32)
  target_sources(TrackoraParsers PRIVATE filebytesource_win.cpp)
endif()
