# trackora-gps: trip data from recordings, through the viewer's parsers.
add_executable(trackora-gps
  trackora-gps/main.cpp
  trackora-gps/trackreader.h trackora-gps/trackreader.cpp
  trackora-gps/probereport.h trackora-gps/probereport.cpp)
# Parsers, probe, events and track formats only: a command-line tool loads no
# GUI or web module.
target_link_libraries(trackora-gps PRIVATE TrackoraParsers TrackoraProbe TrackoraEvents TrackoraTrackFormats)
install(TARGETS trackora-gps RUNTIME DESTINATION bin)
