# Front-end tests of the Linux program: the real Qt window with real events on the offscreen
# platform, and the POSIX services with real processes, locks and signals.

# velto_qt_test(NAME sources...): one QTest program.
function(velto_qt_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE velto_qt velto_test_support Qt6::Test)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES AUTOMOC ON RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=ja_JP.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 120)
endfunction()

set(_qt_dir ${CMAKE_CURRENT_LIST_DIR})
velto_qt_test(qt_window_test ${_qt_dir}/window_test.cpp ${_qt_dir}/bar_fixture.cpp)
velto_qt_test(qt_input_test ${_qt_dir}/input_test.cpp ${_qt_dir}/bar_fixture.cpp)
velto_qt_test(qt_drop_test ${_qt_dir}/drop_test.cpp ${_qt_dir}/bar_fixture.cpp)

add_executable(posix_services_test ${_qt_dir}/posix_services_test.cpp)
target_link_libraries(posix_services_test PRIVATE velto_posix velto_test_support GTest::gtest_main)
set_target_properties(posix_services_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
gtest_discover_tests(posix_services_test DISCOVERY_TIMEOUT 60)
