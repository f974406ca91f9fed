# The profile-file code against the system's own GetPrivateProfileStringA and
# WritePrivateProfileStringA, run under Wine (win32 build).
add_executable(profile_differential_tests
               ${CMAKE_CURRENT_LIST_DIR}/profile_differential/profile_differential_test.cpp)
target_link_libraries(profile_differential_tests PRIVATE velto_test_support GTest::gtest_main)
set_target_properties(profile_differential_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                                            ${VELTO_TEST_OUTPUT})
add_test(NAME profile_differential COMMAND profile_differential_tests)
