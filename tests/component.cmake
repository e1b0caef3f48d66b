# Player component: factory, control, renderers, screenshots; the viewer's
# player hosts and play area.
set(_component_includes ${PROJECT_SOURCE_DIR}/TrackoraActiveX/Classes)

trackora_add_test(tst_axfactory SOURCES tst_axfactory.cpp LIBS Qt5::Widgets TrackoraVersion LABELS unit component)
target_include_directories(tst_axfactory PRIVATE ${_component_includes})
add_dependencies(tst_axfactory TrackoraActiveX)

trackora_add_test(tst_capturetask SOURCES tst_capturetask.cpp tst_componentsupport.h
  LIBS TrackoraEngine LABELS unit component)

trackora_add_test(tst_renderers SOURCES tst_renderers.cpp tst_componentsupport.h
  LIBS TrackoraViewer LABELS display component DISPLAY)
# The control is loaded at run time; the test reads the component's headers only.
target_include_directories(tst_renderers PRIVATE ${_component_includes})
add_dependencies(tst_renderers TrackoraActiveX)

trackora_add_test(tst_ffplayeraxwidget SOURCES tst_ffplayeraxwidget.cpp tst_componentsupport.h
  LIBS TrackoraViewer PkgConfig::SDL2 LABELS display component media DISPLAY MEDIA TIMEOUT 90)
target_include_directories(tst_ffplayeraxwidget PRIVATE ${_component_includes})
add_dependencies(tst_ffplayeraxwidget TrackoraActiveX)

trackora_add_test(tst_playerwidget SOURCES tst_playerwidget.cpp
  LIBS TrackoraViewer LABELS display component DISPLAY TIMEOUT 60)
add_dependencies(tst_playerwidget TrackoraActiveX)

trackora_add_test(tst_playareamanager SOURCES tst_playareamanager.cpp tst_componentsupport.h
  LIBS TrackoraViewer LABELS display component media DISPLAY MEDIA TIMEOUT 120)
add_dependencies(tst_playareamanager TrackoraActiveX)

trackora_add_test(tst_picturecolours SOURCES tst_picturecolours.cpp tst_componentsupport.h
  LIBS TrackoraViewer TrackoraEngine LABELS display component media DISPLAY MEDIA TIMEOUT 120)
add_dependencies(tst_picturecolours TrackoraActiveX)

trackora_add_test(tst_framestep SOURCES tst_framestep.cpp tst_componentsupport.h
  LIBS TrackoraViewer LABELS display component media DISPLAY MEDIA TIMEOUT 120)
add_dependencies(tst_framestep TrackoraActiveX)

trackora_add_test(tst_closelook SOURCES tst_closelook.cpp tst_viewerharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 120)
add_dependencies(tst_closelook TrackoraActiveX)
