# velto-config run as a real program on real folders (Linux build).
add_executable(velto_config_cli_tests ${CMAKE_CURRENT_LIST_DIR}/velto_config_cli_test.cpp)
target_link_libraries(velto_config_cli_tests PRIVATE velto_test_support GTest::gtest_main
                                                     nlohmann_json::nlohmann_json)
target_compile_definitions(velto_config_cli_tests
                           PRIVATE VELTO_CONFIG_EXE="$<TARGET_FILE:velto-config>")
add_dependencies(velto_config_cli_tests velto-config)
set_target_properties(velto_config_cli_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
gtest_discover_tests(velto_config_cli_tests DISCOVERY_TIMEOUT 60)
