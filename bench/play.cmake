# trackora-bench: headless benchmarks of the engine; `play` drives one player core
# (and its rear peer) and prints one JSON line. Other subcommands add their
# sources to this target; benchcommon holds what they share.
add_executable(trackora-bench trackora_bench.cpp benchcommon.h benchcommon.cpp playbench.h playbench.cpp)
target_link_libraries(trackora-bench PRIVATE TrackoraEngine Qt5::Core PkgConfig::SDL2 PkgConfig::FFMPEG)
# trackora-bench hwdecode: each file with the decoding device and with it
# hidden, compared picture by picture.
target_sources(trackora-bench PRIVATE hwdecode.h hwdecode.cpp)
