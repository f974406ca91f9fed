# velto-config.exe under Wine: UTF-16 arguments, UTF-8 output, Shift-JIS in the file.
add_test(NAME velto_config_cli_wine
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:velto-config>
          -DWINE=${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh
          -DWORK=${CMAKE_BINARY_DIR}/tests/velto-config-wine
          -P ${CMAKE_CURRENT_LIST_DIR}/velto_config/velto_config_cli.cmake)
set_tests_properties(velto_config_cli_wine PROPERTIES TIMEOUT 300)
