# The recordings the media tests play, made by tools/gen from ffmpeg's test
# sources with GPS records embedded. The 'media' fixture makes them before
# any MEDIA test runs; `cmake --build build --target test-media` makes them by hand.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
find_program(TRACKORA_FFMPEG ffmpeg REQUIRED)

set(TRACKORA_MEDIA_GENERATOR ${PROJECT_SOURCE_DIR}/tools/gen/make_test_media.py)
set(TRACKORA_MEDIA_COMMAND
  ${CMAKE_COMMAND} -E env FFMPEG=${TRACKORA_FFMPEG}
  ${Python3_EXECUTABLE} ${TRACKORA_MEDIA_GENERATOR} ${TRACKORA_TEST_MEDIA_DIR})

add_test(NAME generate_media COMMAND ${TRACKORA_MEDIA_COMMAND})
set_tests_properties(generate_media PROPERTIES
  FIXTURES_SETUP media
  LABELS media
  TIMEOUT 600)

add_custom_target(test-media
  COMMAND ${TRACKORA_MEDIA_COMMAND}
  COMMENT "Making the test recordings in ${TRACKORA_TEST_MEDIA_DIR}"
  VERBATIM USES_TERMINAL)

# The generator's own check: a walk written from the parsing rules re-reads
# every file against its expectations, and ffmpeg must decode each cleanly.
add_test(NAME check_media
  COMMAND ${CMAKE_COMMAND} -E env FFMPEG=${TRACKORA_FFMPEG}
  ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/gen/check_media.py ${TRACKORA_TEST_MEDIA_DIR})
set_tests_properties(check_media PROPERTIES
  FIXTURES_REQUIRED media
  LABELS media
  TIMEOUT 300)
