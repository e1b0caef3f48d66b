# Hardware capability probe. Qt Core and VA-API only, so the command line can
# rate the machine without loading the GUI, chart or web modules.
add_library(TrackoraProbe STATIC
  computeInfo.h computeInfo.cpp
  vadecodequery.h vadecodequery.cpp)
target_include_directories(TrackoraProbe PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(TrackoraProbe PUBLIC Qt5::Core PkgConfig::LIBVA)
target_link_libraries(TrackoraViewer PUBLIC TrackoraProbe)
