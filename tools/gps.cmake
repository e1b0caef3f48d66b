# trackora-gps: trip data from recordings, through the viewer's parsers.
add_executable(trackora-gps
  trackora-gps/main.cpp
  trackora-gps/trackreader.h trackora-gps/trackreader.cpp
  trackora-gps/probereport.h trackora-gps/probereport.cpp)
target_link_libraries(trackora-gps PRIVATE TrackoraViewer TrackoraExport)
# The viewer library drags in the GUI and web modules; a command-line tool
# should not load them.
target_link_options(trackora-gps PRIVATE -Wl,--as-needed)
install(TARGETS trackora-gps RUNTIME DESTINATION bin)
