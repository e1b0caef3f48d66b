# Renders the dashboard's SVG pictures to PNG during the build.
add_executable(trackora_svgrender ${CMAKE_CURRENT_SOURCE_DIR}/svgrender/svgrender.cpp)
target_link_libraries(trackora_svgrender PRIVATE Qt5::Gui Qt5::Svg)
set_target_properties(trackora_svgrender PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
# It only draws pictures during the build: the sanitizer builds leave it plain.
if(TRACKORA_SANITIZE)
  target_compile_options(trackora_svgrender PRIVATE -fno-sanitize=all)
  target_link_options(trackora_svgrender PRIVATE -fno-sanitize=all)
endif()
