# The real velto.exe under Wine: its file format, and end-to-end runs driven by real input.
set(_velto_frontend_dir ${CMAKE_CURRENT_LIST_DIR}/win32_frontend)

add_executable(velto_driver ${_velto_frontend_dir}/velto_driver.cpp
  ${_velto_frontend_dir}/ole_drag.cpp ${CMAKE_SOURCE_DIR}/src/platform/win32/wide_text.cpp)
target_link_libraries(velto_driver PRIVATE ole32 shell32 uuid)
target_include_directories(velto_driver PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_options(velto_driver PRIVATE -municode -static)
set_target_properties(velto_driver PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})

find_program(VELTO_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
add_test(NAME win32_velto_exe_format
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:velto> -DOBJDUMP=${VELTO_OBJDUMP}
          -P ${_velto_frontend_dir}/check_exe_format.cmake)

# The GUI runs get a Wine prefix of their own, so their display never meets the one of the
# console test programs, and are serialized among themselves.
find_program(VELTO_PYTHON NAMES python3 REQUIRED)
add_test(NAME win32_velto_end_to_end
  COMMAND xvfb-run -a -s "-noreset -screen 0 1024x768x24" ${VELTO_PYTHON}
          ${_velto_frontend_dir}/velto_end_to_end.py
          --velto $<TARGET_FILE:velto> --driver $<TARGET_FILE:velto_driver>
          --wine ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh
          --prefix ${CMAKE_BINARY_DIR}/wineprefix-gui)
set_tests_properties(win32_velto_end_to_end PROPERTIES
  RESOURCE_LOCK velto_wine_gui TIMEOUT 400)

# The real search bar window in-process: layout, key preview, the history list, OLE drops.
add_executable(win32_frontend_tests ${_velto_frontend_dir}/search_bar_window_test.cpp
  ${_velto_frontend_dir}/command_line_test.cpp)
target_link_libraries(win32_frontend_tests PRIVATE velto_win32 velto_test_support GTest::gtest)
target_include_directories(win32_frontend_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../support)
target_link_options(win32_frontend_tests PRIVATE -municode)
set_target_properties(win32_frontend_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
add_test(NAME win32_frontend_tests
  COMMAND xvfb-run -a -s "-noreset -screen 0 1024x768x24" env VELTO_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-gui
          ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh $<TARGET_FILE:win32_frontend_tests>)
set_tests_properties(win32_frontend_tests PROPERTIES RESOURCE_LOCK velto_wine_gui TIMEOUT 300)
