# trackora-bench gapless: two recordings played one after the other, going on
# without a stop and by stop and start, timed from outside the engine (SDL's
# disk driver writing into a named pipe).
if(TARGET trackora-bench)
  target_sources(trackora-bench PRIVATE gapless.h gapless.cpp)
endif()
