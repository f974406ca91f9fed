# Distribution of both builds.
#   Linux:   cmake --install puts the programs in bin, Help.html in share/velto (where the
#            program looks for it when installed), the menu entry and the icons; cpack -G DEB
#            makes the Debian package.
#   Windows: the velto_zip target makes velto-VERSION-win32.zip: velto.exe, velto-config.exe,
#            velto-import.dll (loaded by velto.exe when engines are imported), Help.html and the starter settings (velto.starter.ini) written by velto-config.exe
#            itself, the licence and a short read-me.
set(VELTO_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)

if(VELTO_WIN32)
  include(${VELTO_PACKAGING_DIR}/win32/zip_contents.cmake)
  set(_stage ${CMAKE_BINARY_DIR}/dist/velto)
  set(VELTO_ZIP ${CMAKE_BINARY_DIR}/dist/velto-${PROJECT_VERSION}-win32.zip)
  # The read-me as Windows' Notepad reads it best: UTF-8 with a byte-order mark, CRLF lines.
  set(_readme ${CMAKE_BINARY_DIR}/packaging/${VELTO_ZIP_README})
  configure_file(${VELTO_PACKAGING_DIR}/win32/readme.txt.in ${_readme}.lf @ONLY)
  file(READ ${_readme}.lf _text)
  string(REPLACE "\n" "\r\n" _text "${_text}")
  string(ASCII 239 187 191 _bom)
  file(WRITE ${_readme} "${_bom}${_text}")
  add_custom_command(
    OUTPUT ${VELTO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${_stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${_stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:velto> $<TARGET_FILE:velto-config>
            $<TARGET_FILE:velto_import_module> ${VELTO_PROGRAM_DIR}/Help.html
            ${CMAKE_SOURCE_DIR}/LICENSE ${_readme} ${_stage}
    # The program's own tool writes the starter settings, in Shift-JIS as the program reads them.
    COMMAND ${CMAKE_STRIP} ${_stage}/velto-config.exe ${_stage}/velto-import.dll
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/run-wine.sh ${_stage}/velto-config.exe starter
    COMMAND ${CMAKE_COMMAND} -E rename ${_stage}/velto.ini ${_stage}/${VELTO_ZIP_STARTER}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${VELTO_ZIP}
    # A UTF-8 locale, or the archiver cannot name the read-me (the zip marks names as UTF-8).
    COMMAND ${CMAKE_COMMAND} -E chdir ${_stage} ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
            ${CMAKE_COMMAND} -E tar cf ${VELTO_ZIP} --format=zip ${VELTO_ZIP_FILES}
    DEPENDS velto velto-config velto_import_module ${VELTO_PROGRAM_DIR}/Help.html ${CMAKE_SOURCE_DIR}/LICENSE
            ${_readme}
    COMMENT "Packing ${VELTO_ZIP}"
    VERBATIM)
  add_custom_target(velto_zip DEPENDS ${VELTO_ZIP})
  return()
endif()

include(GNUInstallDirs)
install(TARGETS velto velto-config RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The network module, loaded by velto on first use from ../lib/velto/modules beside bin
# (src/platform/qt/network_module_loader.cpp): a folder of its own, which ldconfig never reads.
install(TARGETS velto_network LIBRARY DESTINATION lib/velto/modules)
# The import module (SQLite, LZ4, expat), loaded the same way when engines are first imported.
install(TARGETS velto_import_module LIBRARY DESTINATION lib/velto/modules)
# The same relative path from bin as the program's VELTO_DATA_FROM_BIN (src/platform/posix).
install(FILES src/help/Help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/velto)
install(FILES ${VELTO_PACKAGING_DIR}/linux/velto.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 64 128 256)
  install(FILES ${VELTO_PACKAGING_DIR}/linux/icons/velto-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME velto.png)
endforeach()
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Debian's own files, made at configure time into build/.../packaging: the licence as a
# machine-readable copyright file, the changelog and the manual pages compressed as Debian
# does (gzip -9n, no name or time inside), the software-centre metainfo.
set(_gen ${CMAKE_BINARY_DIR}/packaging)
function(velto_gzip input output)
  execute_process(COMMAND gzip -9nc ${input} OUTPUT_FILE ${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

file(READ ${CMAKE_SOURCE_DIR}/LICENSE _licence)
string(FIND "${_licence}" "Permission is hereby granted" _start)
string(SUBSTRING "${_licence}" ${_start} -1 _licence)
string(STRIP "${_licence}" _licence)
string(REGEX REPLACE "\n\n" "\n.\n" _licence "${_licence}")
string(REGEX REPLACE "\n" "\n " _licence "${_licence}")
file(WRITE ${_gen}/copyright
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: velto\n"
  "Upstream-Contact: The Velto developers <velto@example.org>\n"
  "\n"
  "Files: *\n"
  "Copyright: 2026 The Velto developers\n"
  "License: Expat\n"
  " ${_licence}\n")
configure_file(${VELTO_PACKAGING_DIR}/debian/changelog ${_gen}/changelog COPYONLY)
# The newest entry names the version the package gets from project().
file(STRINGS ${_gen}/changelog _newest LIMIT_COUNT 1)
if(NOT _newest MATCHES "^velto \\(${PROJECT_VERSION}-1\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: the newest entry must be ${PROJECT_VERSION}-1")
endif()
velto_gzip(${_gen}/changelog ${_gen}/changelog.Debian.gz)
install(FILES ${_gen}/copyright ${_gen}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

foreach(page velto velto-config)
  foreach(lang en ja)
    set(_from ${VELTO_PACKAGING_DIR}/man/${page}.1.in)
    set(_to ${CMAKE_INSTALL_MANDIR}/man1)
    if(lang STREQUAL ja)
      set(_from ${VELTO_PACKAGING_DIR}/man/ja/${page}.1.in)
      set(_to ${CMAKE_INSTALL_MANDIR}/ja/man1)
    endif()
    configure_file(${_from} ${_gen}/man/${lang}/${page}.1 @ONLY)
    velto_gzip(${_gen}/man/${lang}/${page}.1 ${_gen}/man/${lang}/${page}.1.gz)
    install(FILES ${_gen}/man/${lang}/${page}.1.gz DESTINATION ${_to})
  endforeach()
endforeach()

# Software centres: screenshots are fetched from the project's web home.
set(VELTO_HOMEPAGE "https://velto.example.org" CACHE STRING
    "The project's web home, for the metainfo's links and screenshots")
configure_file(${CMAKE_SOURCE_DIR}/metainfo/org.velto.velto.metainfo.xml.in
               ${_gen}/org.velto.velto.metainfo.xml @ONLY)
install(FILES ${_gen}/org.velto.velto.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELTO_PACKAGING_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME velto)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velto)
set(CPACK_PACKAGE_VENDOR "Velto developers")
set(CPACK_PACKAGE_CONTACT "Velto developers <velto@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compact desktop search bar with a Japanese user interface")
# Lines of the extended description stay within 80 columns, as Debian's tools show them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "ヴェルト (Velto) is a small always-on-top search bar: a query box with a\n"
  "history, four search engine buttons, a menu of fixed searches and a settings\n"
  "dialog, with a Japanese user interface. Queries open in the desktop's web\n"
  "browser through xdg-open. Each user's settings are kept in\n"
  "~/.config/velto/velto.ini (Shift-JIS, as on Windows); the command-line tool\n"
  "velto-config reads and writes them.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A Debian revision, as for any package made apart from its upstream source: velto_1.0.0-1.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)  # as in packaging/debian/changelog
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
