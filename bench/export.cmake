# trackora-bench export: our export against the ffmpeg tool doing the same work.
if(TARGET trackora-bench)
  target_sources(trackora-bench PRIVATE exportbench.h exportbench.cpp)
  target_link_libraries(trackora-bench PRIVATE TrackoraExport Qt5::Gui)
endif()
