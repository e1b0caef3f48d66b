trackora_add_test(tst_startup SOURCES tst_startup.cpp LIBS TrackoraViewer LABELS unit display DISPLAY)
trackora_add_test(tst_configuration SOURCES tst_configuration.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_cgpsutils SOURCES tst_cgpsutils.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_singleapplication SOURCES tst_singleapplication.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_crashdumper SOURCES tst_crashdumper.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_mainwindows SOURCES tst_mainwindows.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 300)
trackora_add_test(tst_viewerstress SOURCES tst_viewerstress.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media stress DISPLAY MEDIA TIMEOUT 300)
trackora_add_test(tst_computeinfo SOURCES tst_computeinfo.cpp LIBS TrackoraViewer LABELS unit)
add_dependencies(tst_computeinfo trackora-gps)
