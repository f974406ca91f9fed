# Cross compiling for 32-bit Windows with MinGW-w64 (i686), statically linked.
set(VELTO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
