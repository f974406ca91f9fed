# The settings dialog of the real velto.exe under Wine, driven through velto_driver's dialog
# steps. Included after win32_frontend.cmake, which defines the driver.
set(_velto_dialog_dir ${CMAKE_CURRENT_LIST_DIR}/settings_dialog)

target_sources(velto_driver PRIVATE ${_velto_dialog_dir}/dialog_steps.cpp)
target_include_directories(velto_driver PRIVATE ${CMAKE_SOURCE_DIR}/src)

# Shares the GUI prefix of the other end-to-end runs, so it is serialized with them.
add_test(NAME win32_settings_dialog_end_to_end
  COMMAND xvfb-run -a -s "-screen 0 1024x768x24" ${VELTO_PYTHON}
          ${_velto_dialog_dir}/settings_dialog_end_to_end.py
          --velto $<TARGET_FILE:velto> --driver $<TARGET_FILE:velto_driver>
          --wine ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh
          --prefix ${CMAKE_BINARY_DIR}/wineprefix-gui)
set_tests_properties(win32_settings_dialog_end_to_end PROPERTIES
  RESOURCE_LOCK velto_wine_gui TIMEOUT 400)
