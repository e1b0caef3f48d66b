# Map view, map pages, request filtering and key protection.
trackora_add_test(tst_aes128gcm SOURCES tst_aes128gcm.cpp LIBS TrackoraViewer LABELS unit TIMEOUT 60)
target_compile_definitions(tst_aes128gcm PRIVATE TRACKORA_MAPKEY_TOOL="$<TARGET_FILE:trackora_mapkey>")
add_dependencies(tst_aes128gcm trackora_mapkey)

# The map tests run with a dummy key, encrypted like a real one; whatever key
# this build was given stays out of them.
set(_dummykey_dir ${CMAKE_CURRENT_BINARY_DIR}/dummykey)
file(MAKE_DIRECTORY ${_dummykey_dir})
add_custom_command(
  OUTPUT ${_dummykey_dir}/dummykeypieces.h
  COMMAND trackora_mapkey ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/mapkey-dummy.txt
          ${_dummykey_dir}/dummykeypieces.h dummykey
  DEPENDS trackora_mapkey ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/mapkey-dummy.txt
  COMMENT "Encrypting the tests' dummy map key"
  VERBATIM)
add_custom_target(trackora_dummykey DEPENDS ${_dummykey_dir}/dummykeypieces.h)

trackora_add_test(tst_mapinterceptor SOURCES tst_mapinterceptor.cpp tst_maptlsserver.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web DISPLAY TIMEOUT 90)

trackora_add_test(tst_mapview SOURCES tst_mapview.cpp tst_maptlsserver.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web DISPLAY TIMEOUT 120)

foreach(_test tst_mapinterceptor tst_mapview)
  target_include_directories(${_test} PRIVATE ${_dummykey_dir})
  add_dependencies(${_test} trackora_dummykey)
endforeach()

trackora_add_test(tst_maproute SOURCES tst_maproute.cpp tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 90)
