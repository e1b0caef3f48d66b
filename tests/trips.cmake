# Trips: grouping of recordings and the playlist's trip rows.
trackora_add_test(tst_trips SOURCES tst_trips.cpp tst_fixtures.h LIBS TrackoraViewer LABELS unit data)
