# Dashboard: control panel, rate selector, gauges, G-sensor chart (real windows).
trackora_add_test(tst_controlpanel SOURCES tst_controlpanel.cpp tst_dashboardhelpers.h tst_logcapture.h
  LIBS TrackoraViewer LABELS unit display dashboard DISPLAY)
trackora_add_test(tst_gauges SOURCES tst_gauges.cpp tst_dashboardhelpers.h
  LIBS TrackoraViewer LABELS unit display dashboard DISPLAY)
trackora_add_test(tst_gyrochartview SOURCES tst_gyrochartview.cpp
  LIBS TrackoraViewer LABELS unit display dashboard DISPLAY)
