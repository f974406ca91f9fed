# The Debian package as `make dist-linux` makes it: built with CPack from this build, unpacked
# with dpkg -x into a temporary root, its files and dependencies checked, and the unpacked
# programs run with a settings folder of their own.
find_program(VELTO_CPACK NAMES cpack HINTS ${CMAKE_COMMAND}/..)
find_program(VELTO_DPKG_DEB NAMES dpkg-deb)
if(VELTO_CPACK AND VELTO_DPKG_DEB)
  add_test(NAME debian_package
           COMMAND ${CMAKE_CURRENT_LIST_DIR}/debian_package.sh ${VELTO_CPACK}
                   ${CMAKE_BINARY_DIR}/CPackConfig.cmake ${CMAKE_BINARY_DIR}/tests/debian-package)
  set_tests_properties(debian_package PROPERTIES
    TIMEOUT 240 LABELS no_asan RESOURCE_LOCK velto_cpack
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false")
endif()
