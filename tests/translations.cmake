# Every text of the code and forms is translated in every language, keeping
# its placeholders and accelerators.
set(ts_dir ${PROJECT_SOURCE_DIR}/translations)
set(viewer_ts)
foreach(name Japanese Chinese ChineseTraditional French Italian Polish Russian German Spanish Portugal Korean)
  list(APPEND viewer_ts ${ts_dir}/${name}.ts)
endforeach()
string(REPLACE ";" "," viewer_ts "${viewer_ts}")
add_test(NAME translations_complete
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check_translations.py $<TARGET_FILE:Qt5::lupdate>
          ${PROJECT_SOURCE_DIR}/src=${viewer_ts}
          ${PROJECT_SOURCE_DIR}/TrackoraActiveX/Classes=${ts_dir}/TrackoraActiveX_Jap.ts)
set_tests_properties(translations_complete PROPERTIES LABELS unit TIMEOUT 120)

# The check itself: a text added to the code but not to the file, a dropped
# placeholder and a lost accelerator make three problems.
add_test(NAME translations_check_finds_faults
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/check_translations.py $<TARGET_FILE:Qt5::lupdate>
          ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/translations=${CMAKE_CURRENT_SOURCE_DIR}/fixtures/translations/faulty_fr.ts)
set_tests_properties(translations_check_finds_faults PROPERTIES LABELS unit TIMEOUT 60
  PASS_REGULAR_EXPRESSION "faulty_fr.ts: 4 texts, 3 problems")
