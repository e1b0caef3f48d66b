# Application shell.
target_sources(TrackoraViewer PRIVATE
  mainwindows.h mainwindows.cpp mainwindows.ui
  movefilter.h movefilter.cpp
  configuration.h configuration.cpp maptypes.h
  cgpsutils.h cgpsutils.cpp
  crashdumper.h
  keepawake.h
  qtsingleapplication.h
  shelllog.h shelllog.cpp
  openglcheck.h openglcheck.cpp
  screenscale.h screenscale.cpp
  setting.h setting.cpp setting.ui
  copyright.h copyright.cpp copyright.ui
  ${CMAKE_SOURCE_DIR}/resources/resources.qrc ${TRACKORA_QM_QRC})
add_dependencies(TrackoraViewer translations)
target_link_libraries(TrackoraViewer PUBLIC Qt5::DBus)
# Linux-only halves of the shell; other platforms add their own beside them.
if(UNIX)
  target_sources(TrackoraViewer PRIVATE crashdumper_unix.cpp keepawake_unix.cpp qtsingleapplication_unix.cpp)
elseif(WIN32)
  target_sources(TrackoraViewer PRIVATE keepawake_win.cpp)
endif()
