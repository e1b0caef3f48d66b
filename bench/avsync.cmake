# trackora-bench avsync: picture against sound timed from outside the engine,
# in a real control (the viewer's container) with SDL's disk driver writing
# into a named pipe.
if(TARGET trackora-bench)
  target_sources(trackora-bench PRIVATE avsync.h avsync.cpp)
endif()
