# Where the Linux program keeps its settings: the choice itself, the user's folder made ready,
# and the real velto and velto-config started from an installed layout.
add_executable(settings_folder_test ${CMAKE_CURRENT_LIST_DIR}/settings_folder_test.cpp)
target_link_libraries(settings_folder_test PRIVATE velto_posix velto_test_support
                                                   GTest::gtest_main)
target_compile_definitions(settings_folder_test PRIVATE
  VELTO_EXE="$<TARGET_FILE:velto>" VELTO_CONFIG_EXE="$<TARGET_FILE:velto-config>"
  VELTO_HELP_PAGE="${CMAKE_SOURCE_DIR}/src/help/Help.html")
add_dependencies(settings_folder_test velto velto-config)
set_target_properties(settings_folder_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
gtest_discover_tests(settings_folder_test DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
