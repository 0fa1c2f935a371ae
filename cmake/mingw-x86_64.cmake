# Cross-compiles for 64-bit Windows: see mingw.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
