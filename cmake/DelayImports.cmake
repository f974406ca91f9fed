# Import libraries whose DLL is loaded at the first call of one of its functions rather than
# before the program starts: libraries the window does not need to come up (OLE for drops, the
# shell for opening pages) then cost nothing at start-up. Each entry is NAME@ARGUMENT_BYTES, the
# 32-bit stdcall name; the decoration is dropped for 64-bit builds.
function(velto_delay_import_library out dll)
  string(REGEX REPLACE "\\.dll$" "" base "${dll}")
  set(def "${CMAKE_BINARY_DIR}/delay_imports/${base}.def")
  set(lib "${CMAKE_BINARY_DIR}/delay_imports/lib${base}_delayed.a")
  set(text "LIBRARY ${dll}\nEXPORTS\n")
  foreach(entry IN LISTS ARGN)
    if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "@[0-9]+$" "" entry "${entry}")
    endif()
    string(APPEND text "  ${entry}\n")
  endforeach()
  file(WRITE "${def}.new" "${text}")
  file(COPY_FILE "${def}.new" "${def}" ONLY_IF_DIFFERENT)
  if(NOT EXISTS "${lib}" OR "${def}" IS_NEWER_THAN "${lib}")
    execute_process(COMMAND "${CMAKE_DLLTOOL}" -d "${def}" -D "${dll}" -k -y "${lib}"
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dlltool could not make the delayed import library of ${dll}")
    endif()
  endif()
  set(${out} "${lib}" PARENT_SCOPE)
endfunction()
