# Application shell.
target_sources(TrackoraViewer PRIVATE
  mainwindows.h mainwindows.cpp
  configuration.h configuration.cpp maptypes.h
  cgpsutils.h cgpsutils.cpp
  qtsingleapplication.h qtsingleapplication.cpp
  ${CMAKE_SOURCE_DIR}/resources/resources.qrc ${TRACKORA_QM_QRC})
add_dependencies(TrackoraViewer translations)
