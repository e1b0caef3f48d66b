trackora_add_test(tst_startup SOURCES tst_startup.cpp LIBS TrackoraViewer LABELS unit display DISPLAY)
trackora_add_test(tst_configuration SOURCES tst_configuration.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_cgpsutils SOURCES tst_cgpsutils.cpp LIBS TrackoraViewer LABELS unit)
trackora_add_test(tst_singleapplication SOURCES tst_singleapplication.cpp LIBS TrackoraViewer LABELS unit)
