# Cross compiling for 64-bit Windows with MinGW-w64 (x86_64), statically linked: the same
# sources as the 32-bit program, for testing under 64-bit Wine on machines whose kernel does not
# run 32-bit programs; the program people use is the 32-bit one.
set(VELTO_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
