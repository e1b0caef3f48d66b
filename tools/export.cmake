# trackora-export: a range of a trip as MP4, GPX and CSV files, through the
# window's own export code.
add_executable(trackora-export
  trackora-export/main.cpp
  trackora-export/tripfiles.h trackora-export/tripfiles.cpp)
target_link_libraries(trackora-export PRIVATE TrackoraExport Qt5::Gui PkgConfig::FFMPEG)
install(TARGETS trackora-export RUNTIME DESTINATION bin)
