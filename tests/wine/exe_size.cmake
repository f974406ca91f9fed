# velto.exe stays small: a jump in size nearly always means the static program has pulled in
# the C++ library's locale machinery or its floating-point tables again.
add_test(NAME win32_velto_exe_size
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:velto> -DLIMIT=524288
          -P ${CMAKE_CURRENT_LIST_DIR}/win32_frontend/check_exe_size.cmake)
