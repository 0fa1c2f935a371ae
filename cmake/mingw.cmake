# Cross-compiles for Windows with MinGW-w64 (posix threads) from Debian's packages. Included by
# mingw-i686.cmake (the program as it ships) and mingw-x86_64.cmake (for machines whose kernel
# runs no 32-bit programs, and so no 32-bit Wine), which set CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test executables run under Wine; scripts/test provides the prefix and the display (and, for
# x86_64, a `wine` that is wine64).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Reproducible output: the same sources give the same bytes wherever and whenever they are built.
# Source and build paths leave __FILE__ and debug records, and the linker does not stamp the link
# time into the PE header. (Debian's ar already writes zero times and owners into archives.)
set(CMAKE_C_FLAGS_INIT "-ffile-prefix-map=${CMAKE_SOURCE_DIR}/= -ffile-prefix-map=${CMAKE_BINARY_DIR}/=")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--no-insert-timestamp")
