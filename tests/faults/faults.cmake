# Fault tests of the Linux build: a full disk and a read-only settings file, SIGKILL during
# settings writes, inputs far beyond normal use, and many simultaneous starts of the program.
set(_faults_dir ${CMAKE_CURRENT_LIST_DIR})

add_executable(fault_tests ${_faults_dir}/disk_faults_test.cpp ${_faults_dir}/large_input_test.cpp
                           ${_faults_dir}/kill_during_writes_test.cpp ${_faults_dir}/small_tmpfs.cpp)
target_link_libraries(fault_tests PRIVATE velto_test_support GTest::gtest_main)
target_include_directories(fault_tests PRIVATE ${_faults_dir})
target_compile_definitions(fault_tests PRIVATE VELTO_CONFIG_EXE="$<TARGET_FILE:velto-config>")
add_dependencies(fault_tests velto-config)
set_target_properties(fault_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
gtest_discover_tests(fault_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS faults TIMEOUT 600)

# Ten starts of the real program in one program folder at once: exactly one stays.
add_test(NAME faults_ten_simultaneous_starts
         COMMAND ${_faults_dir}/simultaneous_starts.sh $<TARGET_FILE:velto> 10)
set_tests_properties(faults_ten_simultaneous_starts PROPERTIES LABELS faults TIMEOUT 180)
