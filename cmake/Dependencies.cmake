# Third-party parts, all from Debian's packages.
if(VELTO_WIN32)
  # GoogleTest is built from Debian's sources for the cross build.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  # nlohmann-json is header-only; expose just its folder to the cross compiler.
  set(_velto_ext ${CMAKE_BINARY_DIR}/_ext-include)
  file(MAKE_DIRECTORY ${_velto_ext})
  file(CREATE_LINK /usr/include/nlohmann ${_velto_ext}/nlohmann SYMBOLIC)
  add_library(velto_json INTERFACE)
  target_include_directories(velto_json SYSTEM INTERFACE ${_velto_ext})
  add_library(nlohmann_json::nlohmann_json ALIAS velto_json)
  # SQLite, LZ4 and expat for the engine import: Debian has no MinGW builds of them, so
  # scripts/build-windows-libraries.sh (run by the set-up) builds them from Debian's sources.
  set(_velto_libs ${CMAKE_SOURCE_DIR}/build/windows-libs/${CMAKE_SYSTEM_PROCESSOR})
  foreach(_lib sqlite3 lz4 expat)
    if(NOT EXISTS ${_velto_libs}/lib/lib${_lib}.a)
      message(FATAL_ERROR "${_velto_libs}/lib/lib${_lib}.a is missing: run "
                          "scripts/build-windows-libraries.sh ${CMAKE_SYSTEM_PROCESSOR}")
    endif()
    add_library(velto::${_lib} STATIC IMPORTED)
    set_target_properties(velto::${_lib} PROPERTIES IMPORTED_LOCATION ${_velto_libs}/lib/lib${_lib}.a
                                                    INTERFACE_INCLUDE_DIRECTORIES ${_velto_libs}/include)
  endforeach()
  set_property(TARGET velto::expat PROPERTY INTERFACE_COMPILE_DEFINITIONS XML_STATIC)
else()
  find_package(GTest REQUIRED)
  find_package(nlohmann_json 3 REQUIRED)
  find_package(benchmark REQUIRED)
  find_package(Iconv REQUIRED)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Network Test)
  # The engine import's readers: SQLite, LZ4 and expat.
  find_package(SQLite3 REQUIRED)
  find_package(EXPAT REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(LZ4 REQUIRED IMPORTED_TARGET liblz4)
  add_library(velto::sqlite3 ALIAS SQLite::SQLite3)
  add_library(velto::expat ALIAS EXPAT::EXPAT)
  add_library(velto::lz4 ALIAS PkgConfig::LZ4)
endif()

include(GoogleTest)

# Warnings for the project's own targets.
function(velto_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endfunction()
