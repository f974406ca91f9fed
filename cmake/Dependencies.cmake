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
else()
  find_package(GTest REQUIRED)
  find_package(nlohmann_json 3 REQUIRED)
  find_package(benchmark REQUIRED)
  find_package(Iconv REQUIRED)
  find_package(Qt6 REQUIRED COMPONENTS Widgets Network Test)
endif()

include(GoogleTest)

# Warnings for the project's own targets.
function(velto_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion)
endfunction()
