# The Windows zip as `make dist-win32` makes it, unpacked into a fresh folder and run under
# Wine: four labelled buttons from the factory velto.ini, and a search that reaches the
# recording browser. The zip is made first, by its own build target.
add_test(NAME win32_zip_pack
         COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target velto_zip)
set_tests_properties(win32_zip_pack PROPERTIES FIXTURES_SETUP velto_zip TIMEOUT 300)

include(${CMAKE_SOURCE_DIR}/packaging/win32/zip_contents.cmake)
# What the zip holds, its licence and its read-me, without Wine.
add_test(NAME win32_zip_contents
         COMMAND ${VELTO_PYTHON} ${CMAKE_SOURCE_DIR}/tests/packaging/check_zip.py
                 ${CMAKE_BINARY_DIR}/dist/velto-${PROJECT_VERSION}-win32.zip
                 ${CMAKE_SOURCE_DIR}/LICENSE ${VELTO_ZIP_FILES})
set_tests_properties(win32_zip_contents PROPERTIES FIXTURES_REQUIRED velto_zip TIMEOUT 60)

add_test(NAME win32_zip_end_to_end
  COMMAND xvfb-run -a -s "-noreset -screen 0 1024x768x24" ${VELTO_PYTHON}
          ${CMAKE_CURRENT_LIST_DIR}/dist_zip/dist_zip_end_to_end.py
          --zip ${CMAKE_BINARY_DIR}/dist/velto-${PROJECT_VERSION}-win32.zip
          --contents ${VELTO_ZIP_FILES} --help-page ${CMAKE_SOURCE_DIR}/src/help/Help.html
          --driver $<TARGET_FILE:velto_driver>
          --wine ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh
          --prefix ${CMAKE_BINARY_DIR}/wineprefix-gui)
# The GUI prefix is shared with the other end-to-end runs: serialized with them.
set_tests_properties(win32_zip_end_to_end PROPERTIES
  FIXTURES_REQUIRED velto_zip RESOURCE_LOCK velto_wine_gui TIMEOUT 300)
