# Renders the dashboard to a PNG for the documentation (needs a display).
add_executable(trackora_dashshot ${CMAKE_CURRENT_SOURCE_DIR}/dashshot/dashshot.cpp)
target_link_libraries(trackora_dashshot PRIVATE TrackoraViewer)
set_target_properties(trackora_dashshot PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
