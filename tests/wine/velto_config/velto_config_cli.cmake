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

# Engines from an OpenSearch file and a Chromium profile (an SQLite database made by the sqlite3
# program) into the free slots 9 and 10, named by their Windows paths.
set(xml "${WORK}/東京.xml")
file(WRITE "${xml}" "<OpenSearchDescription xmlns=\"urn:example:search-description\">"
     "<ShortName>価格</ShortName><InputEncoding>Shift_JIS</InputEncoding>"
     "<Url type=\"text/html\" template=\"https://k.example/?q={searchTerms}\"/>"
     "</OpenSearchDescription>")
run(0 --dir "${dir}" import --dry-run "Z:${xml}")
expect_equal("import --dry-run" "${out}"
             "would add slot 9: 価格 <https://k.example/?q=%s> in Shift_JIS (Z:${xml})\n")
run(0 --dir "${dir}" import "Z:${xml}")
set(profile "${WORK}/User Data/Default")
file(MAKE_DIRECTORY "${profile}")
execute_process(COMMAND sqlite3 "${profile}/Web Data"
                "CREATE TABLE keywords (id INTEGER PRIMARY KEY, short_name, keyword, url, suggest_url, input_encodings);
                 INSERT INTO keywords (short_name, keyword, url, suggest_url, input_encodings)
                 VALUES ('DuckDuckGo', 'd', 'https://duckduckgo.com/?q={searchTerms}', '', 'UTF-8');"
                RESULT_VARIABLE status)
expect_equal("sqlite3" "${status}" "0")
run(0 --dir "${dir}" import chromium "Z:${WORK}/User Data")
if(NOT out MATCHES "^added slot 10: DuckDuckGo <https://duckduckgo.com/\\?q=%s> keyword \"d\"")
  message(SEND_ERROR "import chromium: [${out}]")
endif()
run(0 --dir "${dir}" show)
string(JSON name10 GET "${out}" SearchName 9)
expect_equal("imported SearchName[9]" "${name10}" "価格")
string(JSON encoding10 GET "${out}" SearchEncoding 9)
expect_equal("imported SearchEncoding[9]" "${encoding10}" "Shift_JIS")
string(JSON key11 GET "${out}" SearchKey 10)
expect_equal("imported SearchKey[10]" "${key11}" "d")
# Firefox's engines where velto-config looks for them: profiles.ini under the prefix's own
# %APPDATA%, a profile's search.json.mozlz4 written by python3 as one LZ4 block of literals
# only (a block every LZ4 decoder reads; Debian's python has no LZ4 module).
execute_process(COMMAND "${WINE}" cmd /c "echo %APPDATA%" OUTPUT_VARIABLE app_data
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND "${WINE}" winepath -u "${app_data}" OUTPUT_VARIABLE app_data
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(firefox "${app_data}/Mozilla/Firefox")
file(MAKE_DIRECTORY "${firefox}/Profiles/t.default")
file(WRITE "${firefox}/profiles.ini" "[Profile0]\nName=既定\nIsRelative=1\nPath=Profiles/t.default\n")
execute_process(COMMAND python3 -c [=[
import json, sys
data = json.dumps({"version": 6, "engines": [{"_name": "Bing", "_metaData": {"alias": "b"},
    "_urls": [{"template": "https://www.bing.com/search", "type": "text/html",
               "params": [{"name": "q", "value": "{searchTerms}"}]}]}]}).encode()
n = len(data) - 15
token = bytes([0xF0]) + b"\xff" * (n // 255) + bytes([n % 255]) if n >= 0 else bytes([len(data) << 4])
open(sys.argv[1], "wb").write(b"mozLz40\0" + len(data).to_bytes(4, "little") + token + data)
]=] "${firefox}/Profiles/t.default/search.json.mozlz4" RESULT_VARIABLE status)
expect_equal("mozlz4 written" "${status}" "0")
run(0 --dir "${dir}" import --dry-run firefox)
if(NOT out MATCHES "^would add slot 11: Bing <https://www.bing.com/search\\?q=%s> keyword \"b\"")
  message(SEND_ERROR "import --dry-run firefox: [${out}] [${err}]")
endif()
run(0 --dir "${dir}" import firefox)
run(0 --dir "${dir}" show)
string(JSON key12 GET "${out}" SearchKey 11)
expect_equal("imported SearchKey[11]" "${key12}" "b")
file(REMOVE_RECURSE "${app_data}/Mozilla")

file(WRITE "${WORK}/broken.xml" "<OpenSearchDescription><ShortName>")
run(1 --dir "${dir}" import "Z:${WORK}/broken.xml")
expect_one_line("broken OpenSearch file" "${err}")

# Failures: one line on stderr and status 1; wrong usage: status 2.
run(1 --dir "Z:${WORK}/missing" set Velto Top 1)
expect_one_line("missing folder" "${err}")
file(MAKE_DIRECTORY "${WORK}/odd/velto.ini")
run(1 --dir "Z:${WORK}/odd" show)
expect_one_line("folder named velto.ini" "${err}")
run(2 --dir "${dir}" set Velto)
# Keywords and indexes the bar could not use: the reason alone, on one line.
run(2 --dir "${dir}" set SearchData "SearchKey(16)" " q ")
expect_one_line("keyword with blanks" "${err}")
run(2 --dir "${dir}" set SearchData "SearchKey(20)" q)
expect_one_line("index past the last slot" "${err}")
run(2 frobnicate)
run(0 --help)
if(NOT out MATCHES "defaults")
  message(SEND_ERROR "--help does not explain the commands")
endif()

file(REMOVE_RECURSE "${WORK}")
