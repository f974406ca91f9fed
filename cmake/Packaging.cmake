# Distribution of both builds.
#   Linux:   cmake --install puts the programs in bin, Help.html in share/velto (where the
#            program looks for it when installed), the menu entry and the icons; cpack -G DEB
#            makes the Debian package.
#   Windows: the velto_zip target makes velto-VERSION-win32.zip: velto.exe, velto-config.exe,
#            Help.html and the starter velto.ini written by velto-config.exe itself.
set(VELTO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

if(VELTO_WIN32)
  set(_stage ${CMAKE_BINARY_DIR}/dist/velto)
  set(VELTO_ZIP ${CMAKE_BINARY_DIR}/dist/velto-${PROJECT_VERSION}-win32.zip)
  add_custom_command(
    OUTPUT ${VELTO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:velto> $<TARGET_FILE:velto-config>
            ${VELTO_PROGRAM_DIR}/Help.html ${_stage}
    # The program's own tool writes the starter settings, in Shift-JIS as the program reads them.
    COMMAND ${CMAKE_STRIP} ${_stage}/velto-config.exe
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh ${_stage}/velto-config.exe starter
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VELTO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${_stage} ${CMAKE_COMMAND} -E tar cf ${VELTO_ZIP}
            --format=zip velto.exe velto-config.exe Help.html velto.ini
    DEPENDS velto velto-config ${VELTO_PROGRAM_DIR}/Help.html
    COMMENT "Packing ${VELTO_ZIP}"
    VERBATIM)
  add_custom_target(velto_zip DEPENDS ${VELTO_ZIP})
  return()
endif()

include(GNUInstallDirs)
install(TARGETS velto velto-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The same relative path from bin as the program's VELTO_DATA_FROM_BIN (src/platform/posix).
install(FILES src/help/Help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/velto)
install(FILES ${VELTO_PACKAGING_DIR}/linux/velto.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${VELTO_PACKAGING_DIR}/linux/icons/velto-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME velto.png)
endforeach()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velto)
set(CPACK_PACKAGE_VENDOR "Velto developers")
set(CPACK_PACKAGE_CONTACT "Velto developers <velto@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compact desktop search bar with a Japanese user interface")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "ヴェルト (Velto) is a small always-on-top search bar: a query box with a history, four "
  "search engine buttons, a menu of fixed searches and a settings dialog, with a Japanese "
  "user interface. Queries open in the desktop's web browser through xdg-open. Each user's "
  "settings are kept in ~/.config/velto/velto.ini (Shift-JIS, as on Windows); the "
  "command-line tool velto-config reads and writes them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries (Qt 6 with its X11 platform plugin, the C++ runtime) come from dpkg-shlibdeps;
# addresses go to the browser through xdg-open, and the Japanese labels need a Japanese font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic | fonts-takao-gothic")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
include(CPack)
