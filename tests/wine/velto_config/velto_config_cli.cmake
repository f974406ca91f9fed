# Runs velto-config.exe under Wine on real folders and checks exit status, output and file bytes.
# -DEXE=velto-config.exe -DWINE=run-wine.sh -DWORK=scratch folder
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
set(folder "${WORK}/設定 フォルダ")
file(MAKE_DIRECTORY "${folder}")
set(failures 0)

# run(<expected status> <args>...): sets out and err.
function(run expected)
  execute_process(COMMAND "${WINE}" "${EXE}" ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT status EQUAL expected)
    message(SEND_ERROR "velto-config ${ARGN}: status ${status}, expected ${expected}\n${error}")
  endif()
  set(out "${output}" PARENT_SCOPE)
  set(err "${error}" PARENT_SCOPE)
endfunction()

function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    message(SEND_ERROR "${what}: got [${actual}], expected [${expected}]")
  endif()
endfunction()

function(expect_one_line what text)
  string(REGEX MATCHALL "\n" breaks "${text}")
  list(LENGTH breaks count)
  if(NOT count EQUAL 1)
    message(SEND_ERROR "${what}: expected one line on stderr, got [${text}]")
  endif()
endfunction()

set(dir "Z:${folder}")

# A Japanese value through a Japanese folder name, back as UTF-8; Shift-JIS in the file.
run(0 --dir "${dir}" set History "SearchHistory(0)" "\"東京 タワー\"")
run(0 --dir "${dir}" get history "searchhistory(0)")
expect_equal("get" "${out}" "\"東京 タワー\"\n")
file(READ "${folder}/velto.ini" hex HEX)
# "東京" in Shift-JIS is 93 8C 8B 9E.
if(NOT hex MATCHES "22938c8b9e20")
  message(SEND_ERROR "the file does not hold the value in Shift-JIS: ${hex}")
endif()

run(0 --dir "${dir}" defaults)
run(0 --dir "${dir}" show)
string(JSON name5 GET "${out}" SearchName 5)
expect_equal("show SearchName[5]" "${name5}" "フレッシュアイ")
string(JSON history0 GET "${out}" SearchHistory 0)
expect_equal("show SearchHistory[0]" "${history0}" "\"東京 タワー\"")
string(JSON top TYPE "${out}" Top)
expect_equal("show Top" "${top}" "NULL")

# Without --dir the settings live beside the program.
set(program_folder "${WORK}/program")
file(MAKE_DIRECTORY "${program_folder}")
file(COPY "${EXE}" DESTINATION "${program_folder}")
get_filename_component(exe_name "${EXE}" NAME)
execute_process(COMMAND "${WINE}" "${program_folder}/${exe_name}" set Velto AlwaysTop 0
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status)
expect_equal("set without --dir" "${status}" "0")
if(NOT EXISTS "${program_folder}/velto.ini" OR EXISTS "${WORK}/velto.ini")
  message(SEND_ERROR "without --dir, velto.ini was not written beside the program")
endif()

# Failures: one line on stderr and status 1; wrong usage: status 2.
run(1 --dir "Z:${WORK}/missing" set Velto Top 1)
expect_one_line("missing folder" "${err}")
file(MAKE_DIRECTORY "${WORK}/odd/velto.ini")
run(1 --dir "Z:${WORK}/odd" show)
expect_one_line("folder named velto.ini" "${err}")
run(2 --dir "${dir}" set Velto)
run(2 frobnicate)
run(0 --help)
if(NOT out MATCHES "defaults")
  message(SEND_ERROR "--help does not explain the commands")
endif()

file(REMOVE_RECURSE "${WORK}")
