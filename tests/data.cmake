# Recording data: parsers, background parse, playlist, trackora-gps.
set(data_libs TrackoraViewer)
trackora_add_test(tst_coordinateconv SOURCES tst_coordinateconv.cpp LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_gpsrecord SOURCES tst_gpsrecord.cpp tst_fixtures.h LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_mp4parser SOURCES tst_mp4parser.cpp tst_fixtures.h LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_aviparser SOURCES tst_aviparser.cpp tst_fixtures.h LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_videoparser SOURCES tst_videoparser.cpp tst_fixtures.h LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_playlistmodel SOURCES tst_playlistmodel.cpp tst_fixtures.h LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_thirdpartymedia SOURCES tst_thirdpartymedia.cpp LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_foldertrack SOURCES tst_foldertrack.cpp LIBS ${data_libs} LABELS unit data)
trackora_add_test(tst_trackfiles SOURCES tst_trackfiles.cpp LIBS TrackoraParsers LABELS unit data)
# Makes its own recordings (tools/gen/trackmedia.py) in a temporary folder.
trackora_add_test(tst_trackfilesmedia SOURCES tst_trackfilesmedia.cpp tst_logcapture.h LIBS TrackoraParsers
  LABELS media data TIMEOUT 180)
target_compile_definitions(tst_trackfilesmedia PRIVATE TRACKORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
add_dependencies(tst_trackfilesmedia trackora-gps)
trackora_add_test(tst_eventdetector SOURCES tst_eventdetector.cpp LIBS TrackoraEvents LABELS unit data)
trackora_add_test(tst_tripevents SOURCES tst_tripevents.cpp LIBS ${data_libs} LABELS data media MEDIA)
trackora_add_test(tst_trackoragps SOURCES tst_trackoragps.cpp tst_fixtures.h LIBS ${data_libs} LABELS unit data)
add_dependencies(tst_trackoragps trackora-gps)
trackora_add_test(tst_generatedmedia SOURCES tst_generatedmedia.cpp tst_mediaexpect.h LIBS ${data_libs}
  LABELS media data MEDIA TIMEOUT 180)
trackora_add_test(tst_trackoragpsmedia SOURCES tst_trackoragpsmedia.cpp tst_mediaexpect.h LIBS ${data_libs}
  LABELS media data MEDIA TIMEOUT 180)
add_dependencies(tst_trackoragpsmedia trackora-gps)
# Inputs the fuzzers found faults with (fuzz/, tools/fuzz.sh) stay as fixtures.
trackora_add_test(tst_fuzzfixtures SOURCES tst_fuzzfixtures.cpp tst_logcapture.h LIBS TrackoraParsers LABELS unit data)
target_compile_definitions(tst_fuzzfixtures PRIVATE TRACKORA_FUZZ_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fuzz-fixtures")
# trackora-gps stays a lean command-line program.
add_test(NAME trackora_gps_links COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/gps_links_test.sh $<TARGET_FILE:trackora-gps>)
set_tests_properties(trackora_gps_links PROPERTIES LABELS "unit;data" TIMEOUT 30)
trackora_add_test(tst_filebytesource SOURCES tst_filebytesource.cpp LIBS TrackoraParsers LABELS unit data)
trackora_add_test(tst_export SOURCES tst_export.cpp LIBS TrackoraExport TrackoraViewer LABELS media data MEDIA TIMEOUT 120)
add_dependencies(tst_export trackora-export)
trackora_add_test(tst_exportdialog SOURCES tst_exportdialog.cpp tst_dashboardhelpers.h LIBS TrackoraViewer
  LABELS media display DISPLAY MEDIA TIMEOUT 120)
trackora_add_test(tst_exportplayback SOURCES tst_exportplayback.cpp tst_viewerharness.h tst_mapharness.h
  LIBS TrackoraViewer LABELS display web media DISPLAY MEDIA TIMEOUT 180)
