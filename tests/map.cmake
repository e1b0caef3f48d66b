# Map view, map pages, request filtering and key protection.
trackora_add_test(tst_aes128gcm SOURCES tst_aes128gcm.cpp LIBS TrackoraViewer LABELS unit TIMEOUT 60)
target_compile_definitions(tst_aes128gcm PRIVATE TRACKORA_MAPKEY_TOOL="$<TARGET_FILE:trackora_mapkey>")
add_dependencies(tst_aes128gcm trackora_mapkey)

trackora_add_test(tst_mapinterceptor SOURCES tst_mapinterceptor.cpp tst_maptlsserver.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web DISPLAY TIMEOUT 90)

trackora_add_test(tst_mapview SOURCES tst_mapview.cpp tst_maptlsserver.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web DISPLAY TIMEOUT 120)
# The test checks that the Google page gets exactly the key this build was given.
target_compile_definitions(tst_mapview PRIVATE TRACKORA_EXPECTED_MAP_KEY="${TRACKORA_MAP_KEY}")

trackora_add_test(tst_maproute SOURCES tst_maproute.cpp tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 90)
