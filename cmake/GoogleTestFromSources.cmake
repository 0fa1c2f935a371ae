# GoogleTest built from the sources of Debian's googletest package, with the project's own
# compiler (the cross compiler for the Windows build). No copy is kept in the repository.
set(KOLOROWISKO_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest source folder")
if(NOT EXISTS ${KOLOROWISKO_GTEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${KOLOROWISKO_GTEST_SOURCE_DIR} "
                      "(install Debian's googletest, or set KOLOROWISKO_GTEST_SOURCE_DIR)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${KOLOROWISKO_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

find_program(KOLOROWISKO_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT KOLOROWISKO_PYTHON)
  find_program(KOLOROWISKO_PYTHON NAMES python3 python)
endif()
