# Player control, renderers, screenshots and the factory.
target_sources(TrackoraActiveX PRIVATE
  Classes/AxFactory.h
  Classes/FFAxFactory.h Classes/FFAxFactory.cpp
  Classes/FFPlayerAxWidget.h Classes/FFPlayerAxWidget.cpp
  Classes/trackoraactivex.map)
target_sources(TrackoraEngine PRIVATE
  Classes/FFColorMatrix.h Classes/FFColorMatrix.cpp
  Classes/FFRgbConverter.h Classes/FFRgbConverter.cpp
  Classes/FFGLBase.h Classes/FFGLBase.cpp
  Classes/FFGLYUV420P.h Classes/FFGLYUV420P.cpp
  Classes/FFGLNV12.h Classes/FFGLNV12.cpp
  Classes/FFCaptureTaskMgr.h Classes/FFCaptureTaskMgr.cpp)

# Only the control and the factory leave the library.
target_link_options(TrackoraActiveX PRIVATE
  -Wl,--version-script=${CMAKE_CURRENT_SOURCE_DIR}/Classes/trackoraactivex.map)
set_property(TARGET TrackoraActiveX APPEND PROPERTY
  LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Classes/trackoraactivex.map)

# The interface description carries the project's version.
configure_file(Classes/TrackoraActiveX.idl.in ${CMAKE_CURRENT_BINARY_DIR}/TrackoraActiveX.idl @ONLY)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/TrackoraActiveXIdl.qrc
  "<RCC>\n  <qresource prefix=\"/TrackoraActiveX\">\n    <file>TrackoraActiveX.idl</file>\n  </qresource>\n</RCC>\n")
target_sources(TrackoraActiveX PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/TrackoraActiveXIdl.qrc)

# The component's own Japanese texts, compiled from translations/.
target_sources(TrackoraActiveX PRIVATE ${TRACKORA_COMPONENT_QM_QRC})
add_dependencies(TrackoraActiveX component_translations)
