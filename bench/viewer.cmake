# `trackora-bench viewer`: the real main window; needs an X server (xvfb-run)
# and mpv for its peer figures.
target_sources(trackora-bench PRIVATE viewerbench.h viewerbench.cpp)
target_link_libraries(trackora-bench PRIVATE TrackoraViewer)
target_compile_definitions(trackora-bench PRIVATE TRACKORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# The start-up figure runs the real program.
add_dependencies(trackora-bench Trackora)
