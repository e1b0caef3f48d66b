# trackora-bench step: frame steps of a paused player core (and its rear peer).
if(TARGET trackora-bench)
  target_sources(trackora-bench PRIVATE step.h step.cpp)
endif()
