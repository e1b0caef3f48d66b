# Trips: grouping of recordings and the playlist's trip rows.
trackora_add_test(tst_trips SOURCES tst_trips.cpp tst_fixtures.h LIBS TrackoraViewer LABELS unit data)
trackora_add_test(tst_tripwindow SOURCES tst_tripwindow.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 120)
