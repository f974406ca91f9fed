# Fails when velto.exe is larger than LIMIT bytes.
file(SIZE ${EXE} size)
if(size GREATER LIMIT)
  message(FATAL_ERROR
    "velto.exe is ${size} bytes, over ${LIMIT}. Link it by hand with -Wl,-Map and see what\n"
    "pulled in the library's locale code (any use of std::filesystem::path or its operations,\n"
    "iostreams, std::locale, std::regex) or std::to_chars/std::from_chars of double.")
endif()
message(STATUS "velto.exe: ${size} bytes (limit ${LIMIT})")
