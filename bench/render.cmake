# trackora-bench render: plays in real controls in a window (the viewer's
# container, the component loaded by class identifier).
if(TARGET trackora-bench)
  target_sources(trackora-bench PRIVATE render.h render.cpp)
  target_link_libraries(trackora-bench PRIVATE TrackoraViewer Qt5::Widgets)
  add_dependencies(trackora-bench TrackoraActiveX)
endif()
