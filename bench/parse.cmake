# Parse benchmark: the playlist's background parse against ExifTool and ffprobe.
# Run bench/parse.sh.
add_executable(parsebench parsebench/main.cpp)
target_link_libraries(parsebench PRIVATE TrackoraViewer)
target_link_options(parsebench PRIVATE -Wl,--as-needed)
