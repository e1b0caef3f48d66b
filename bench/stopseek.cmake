# trackora-bench stop / seek: how long the GUI thread is held by a stop and by
# a seek of a playing or paused player core (and its rear peer).
if(TARGET trackora-bench)
  target_sources(trackora-bench PRIVATE stopseek.h stopseek.cpp)
endif()
