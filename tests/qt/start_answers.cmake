# Starts of velto that end before the search bar: the display check's decisions, and the real
# program asked for its version and help and started without a display.
add_executable(display_check_test ${CMAKE_CURRENT_LIST_DIR}/display_check_test.cpp)
target_link_libraries(display_check_test PRIVATE velto_qt GTest::gtest_main)
set_target_properties(display_check_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
# The process's own display settings name an X server that does not exist: arguments must win.
gtest_discover_tests(display_check_test DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:77")

add_test(NAME velto_start_answers
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/start_answers.sh $<TARGET_FILE:velto> ${PROJECT_VERSION})
set_tests_properties(velto_start_answers PROPERTIES TIMEOUT 60)
