# The settings dialog of the real velto.exe under Wine, driven through velto_driver's dialog
# steps. Included after win32_frontend.cmake, which defines the driver.
set(_velto_dialog_dir ${CMAKE_CURRENT_LIST_DIR}/settings_dialog)

target_sources(velto_driver PRIVATE ${_velto_dialog_dir}/dialog_steps.cpp)
target_include_directories(velto_driver PRIVATE ${CMAKE_SOURCE_DIR}/src)

# Shares the GUI prefix of the other end-to-end runs, so it is serialized with them.
add_test(NAME win32_settings_dialog_end_to_end
  COMMAND xvfb-run -a -s "-noreset -screen 0 1024x768x24" ${VELTO_PYTHON}
          ${_velto_dialog_dir}/settings_dialog_end_to_end.py
          --velto $<TARGET_FILE:velto> --driver $<TARGET_FILE:velto_driver>
          --wine ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh
          --prefix ${CMAKE_BINARY_DIR}/wineprefix-gui)
set_tests_properties(win32_settings_dialog_end_to_end PROPERTIES
  RESOURCE_LOCK velto_wine_gui TIMEOUT 400)

# The dialog window in-process over the real core: fonts, selections, reopening.
add_executable(win32_settings_dialog_tests ${_velto_dialog_dir}/settings_dialog_window_test.cpp)
target_link_libraries(win32_settings_dialog_tests PRIVATE velto_win32 velto_test_support GTest::gtest)
target_link_options(win32_settings_dialog_tests PRIVATE -municode)
set_target_properties(win32_settings_dialog_tests PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${VELTO_TEST_OUTPUT})
add_test(NAME win32_settings_dialog_tests
  COMMAND xvfb-run -a -s "-noreset -screen 0 1024x768x24"
          env VELTO_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-gui
          ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh $<TARGET_FILE:win32_settings_dialog_tests>)
set_tests_properties(win32_settings_dialog_tests PROPERTIES
  RESOURCE_LOCK velto_wine_gui TIMEOUT 300)
