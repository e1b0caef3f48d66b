# The desktop files as the menu and software centres read them.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
add_test(NAME desktop_entry_valid
  COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/packaging/com.ostravane.trackora.desktop)
add_test(NAME appstream_metainfo_valid
  COMMAND ${APPSTREAMCLI} validate --no-net --pedantic ${PROJECT_SOURCE_DIR}/packaging/com.ostravane.trackora.metainfo.xml)
set_tests_properties(desktop_entry_valid appstream_metainfo_valid PROPERTIES LABELS "unit;package" TIMEOUT 60)

# The Debian package, built, unpacked and started.
if(XVFB_RUN)
  add_test(NAME package_deb
    COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x800x24"
            ${CMAKE_CURRENT_SOURCE_DIR}/package_test.sh ${CMAKE_BINARY_DIR} ${TRACKORA_TEST_MEDIA_DIR})
  set_tests_properties(package_deb PROPERTIES LABELS "package;display" TIMEOUT 300
    FIXTURES_REQUIRED media)
endif()
