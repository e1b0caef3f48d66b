# trackora-gps: trip data from recordings, through the viewer's parsers.
add_executable(trackora-gps
  trackora-gps/main.cpp
  trackora-gps/csvfield.h
  trackora-gps/trackreader.h trackora-gps/trackreader.cpp
  trackora-gps/trackexporter.h trackora-gps/trackexporter.cpp
  trackora-gps/probereport.h trackora-gps/probereport.cpp)
# Parsers and probe only: a command-line tool loads no GUI or web module.
target_link_libraries(trackora-gps PRIVATE TrackoraParsers TrackoraProbe)
install(TARGETS trackora-gps RUNTIME DESTINATION bin)
