# Player component: factory, control, renderers, screenshots; the viewer's
# player hosts and play area.
set(_component_includes ${PROJECT_SOURCE_DIR}/TrackoraActiveX/Classes)

trackora_add_test(tst_axfactory SOURCES tst_axfactory.cpp LIBS Qt5::Widgets LABELS unit component)
target_include_directories(tst_axfactory PRIVATE ${_component_includes})
add_dependencies(tst_axfactory TrackoraActiveX)

trackora_add_test(tst_capturetask SOURCES tst_capturetask.cpp tst_componentsupport.h
  LIBS TrackoraActiveX LABELS unit component)

trackora_add_test(tst_renderers SOURCES tst_renderers.cpp tst_componentsupport.h
  LIBS TrackoraViewer TrackoraActiveX LABELS display component DISPLAY)

trackora_add_test(tst_ffplayeraxwidget SOURCES tst_ffplayeraxwidget.cpp tst_componentsupport.h
  LIBS TrackoraViewer PkgConfig::SDL2 LABELS display component media DISPLAY MEDIA TIMEOUT 90)
add_dependencies(tst_ffplayeraxwidget TrackoraActiveX)
