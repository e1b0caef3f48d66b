trackora_add_test(tst_startup SOURCES tst_startup.cpp LIBS TrackoraViewer LABELS unit display DISPLAY)
