# Recording data: records, parsers, background parse, playlist.
target_sources(TrackoraViewer PRIVATE
  gpsdata.h
  rowdata.h
  datalog.h datalog.cpp
  bytesource.h
  filebytesource.h filebytesource.cpp
  memorybytesource.h memorybytesource.cpp
  coordinateconv.h coordinateconv.cpp
  parserobject.h parserobject.cpp
  mp4parser.h mp4parser.cpp
  aviparser.h aviparser.cpp
  videoparser.h videoparser.cpp
  videoparserrunnable.h videoparserrunnable.cpp
  playlistmodel.h playlistmodel.cpp)
# The platform's own way of reading at a position.
if(UNIX)
  target_sources(TrackoraViewer PRIVATE filebytesource_unix.cpp)
elseif(WIN32)
  target_sources(TrackoraViewer PRIVATE filebytesource_win.cpp)
endif()
