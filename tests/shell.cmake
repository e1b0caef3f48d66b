trackora_add_test(tst_startup SOURCES tst_startup.cpp LIBS TrackoraViewer LABELS unit display DISPLAY)
trackora_add_test(tst_configuration SOURCES tst_configuration.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_cgpsutils SOURCES tst_cgpsutils.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_singleapplication SOURCES tst_singleapplication.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_crashdumper SOURCES tst_crashdumper.cpp LIBS TrackoraViewer TrackoraEngine PkgConfig::FFMPEG LABELS unit MEDIA)
trackora_add_test(tst_dialogs SOURCES tst_dialogs.cpp tst_mapharness.h LIBS TrackoraViewer LABELS unit display web DISPLAY)
# The dialogs' font tables again on screens scaled to 125 % and 150 %.
if(XVFB_RUN)
  # Xvfb reports about 100 dpi; the plain run pins 100 %.
  get_test_property(tst_dialogs ENVIRONMENT dialogs_env)
  set_tests_properties(tst_dialogs PROPERTIES ENVIRONMENT "${dialogs_env};QT_FONT_DPI=96")
  foreach(dpi 120 144)
    add_test(NAME tst_dialogs_dpi${dpi}
      COMMAND ${XVFB_RUN} -a -s "-screen 0 1920x1080x24" $<TARGET_FILE:tst_dialogs>)
    set_tests_properties(tst_dialogs_dpi${dpi} PROPERTIES
      ENVIRONMENT "${dialogs_env};QT_FONT_DPI=${dpi}" LABELS "unit;display;web" TIMEOUT 120)
  endforeach()
endif()
add_dependencies(tst_dialogs trackora_licences)
# Loads the component to see its translation arrive.
add_dependencies(tst_configuration TrackoraActiveX)
trackora_add_test(tst_mainwindows SOURCES tst_mainwindows.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 300)
trackora_add_test(tst_viewerstress SOURCES tst_viewerstress.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media stress DISPLAY MEDIA TIMEOUT 300)
# The same viewer on Qt's offscreen platform, where no OpenGL context exists.
trackora_add_test(tst_withoutopengl SOURCES tst_withoutopengl.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS media MEDIA TIMEOUT 120)
add_dependencies(tst_withoutopengl Trackora TrackoraActiveX)
trackora_add_test(tst_computeinfo SOURCES tst_computeinfo.cpp LIBS TrackoraProbe LABELS unit)
add_dependencies(tst_computeinfo trackora-gps)
trackora_add_test(tst_keepawake SOURCES tst_keepawake.cpp LIBS TrackoraViewer Qt5::DBus LABELS unit)
