# Player control, renderers, screenshots and the factory.
target_sources(TrackoraActiveX PRIVATE
  Classes/AxFactory.h
  Classes/FFAxFactory.h Classes/FFAxFactory.cpp
  Classes/FFPlayerAxWidget.h Classes/FFPlayerAxWidget.cpp
  Classes/FFColorMatrix.h Classes/FFColorMatrix.cpp
  Classes/FFRgbConverter.h Classes/FFRgbConverter.cpp
  Classes/FFGLBase.h Classes/FFGLBase.cpp
  Classes/FFGLYUV420P.h Classes/FFGLYUV420P.cpp
  Classes/FFGLNV12.h Classes/FFGLNV12.cpp
  Classes/FFCaptureTaskMgr.h Classes/FFCaptureTaskMgr.cpp
  Classes/TrackoraActiveX.qrc)

# The component's own Japanese texts, compiled from translations/.
target_sources(TrackoraActiveX PRIVATE ${TRACKORA_COMPONENT_QM_QRC})
add_dependencies(TrackoraActiveX component_translations)
