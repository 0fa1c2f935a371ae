# The project's targets and the functions through which each folder adds to them.
#
#   kolorowisko_portable(<sources>)   Windows-free logic: built for Windows and, natively, for the host
#   kolorowisko_windows(<sources>)    platform code: built for Windows only
#   kolorowisko_portable_tests(NAME <n> SOURCES <s>)  GoogleTest cases of Windows-free logic
#   kolorowisko_windows_tests(NAME <n> SOURCES <s> [LIBRARIES <l>] [LAUNCHER <command>])
#                                     GoogleTest cases run under Wine (through <command> when given,
#                                     which gets Wine's command line as its arguments)
#   kolorowisko_script_test(NAME <n> SCRIPT <s> [LOCKS <l>] [TIMEOUT <t>])  a Python end-to-end test

function(kolorowisko_define_targets)
  add_library(kolorowisko_portable STATIC)
  target_include_directories(kolorowisko_portable PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/build_config.h.in ${PROJECT_BINARY_DIR}/generated/build_config.h @ONLY)
  kolorowisko_warnings(kolorowisko_portable)

  if(KOLOROWISKO_NATIVE)
    set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_compile_options(kolorowisko_portable PUBLIC ${sanitize})
    target_link_options(kolorowisko_portable PUBLIC ${sanitize})
    return()
  endif()

  add_library(kolorowisko_windows STATIC)
  target_link_libraries(kolorowisko_windows PUBLIC kolorowisko_portable)
  target_compile_definitions(kolorowisko_windows PUBLIC NOMINMAX
                             _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
  target_link_libraries(kolorowisko_windows PUBLIC
    wininet gdiplus ole32 oleaut32 uuid shell32 shlwapi comctl32 psapi advapi32 user32 gdi32)
  kolorowisko_warnings(kolorowisko_windows)
  kolorowisko_json_include(kolorowisko_windows)
  if(MINGW)
    # A self-contained exe: no MinGW runtime DLL beside it.
    target_link_options(kolorowisko_windows PUBLIC -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

function(kolorowisko_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type)
  endif()
endfunction()

# nlohmann JSON comes from Debian's nlohmann-json3-dev. The MinGW build must not see the host's
# /usr/include (its C headers collide), so the library's own folder is linked into the build tree.
function(kolorowisko_json_include target)
  find_package(nlohmann_json 3 QUIET)
  if(nlohmann_json_FOUND AND NOT CMAKE_CROSSCOMPILING)
    target_link_libraries(${target} PUBLIC nlohmann_json::nlohmann_json)
    return()
  endif()
  set(KOLOROWISKO_JSON_DIR "/usr/include/nlohmann" CACHE PATH "Folder of nlohmann/json.hpp")
  if(NOT EXISTS ${KOLOROWISKO_JSON_DIR}/json.hpp)
    message(FATAL_ERROR "nlohmann JSON not found in ${KOLOROWISKO_JSON_DIR} (install nlohmann-json3-dev)")
  endif()
  set(dir ${PROJECT_BINARY_DIR}/third_party/include)
  file(MAKE_DIRECTORY ${dir})
  if(NOT EXISTS ${dir}/nlohmann)
    file(CREATE_LINK ${KOLOROWISKO_JSON_DIR} ${dir}/nlohmann SYMBOLIC)
  endif()
  target_include_directories(${target} SYSTEM PUBLIC ${dir})
endfunction()

function(kolorowisko_portable)
  target_sources(kolorowisko_portable PRIVATE ${ARGN})
endfunction()

function(kolorowisko_windows)
  if(NOT KOLOROWISKO_NATIVE)
    target_sources(kolorowisko_windows PRIVATE ${ARGN})
  endif()
endfunction()

function(kolorowisko_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES;LABELS;LAUNCHER" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_LAUNCHER)
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR
                 ${T_LAUNCHER} ${CMAKE_CROSSCOMPILING_EMULATOR})
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBRARIES} gmock gtest gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  kolorowisko_warnings(${name})
  if(MINGW)
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
  # Discovery at test time: the build itself never needs Wine or a display.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES LABELS "${T_LABELS}" TIMEOUT 120)
endfunction()

function(kolorowisko_portable_tests)
  cmake_parse_arguments(T "" "NAME" "SOURCES" ${ARGN})
  kolorowisko_add_gtest(${T_NAME} SOURCES ${T_SOURCES} LIBRARIES kolorowisko_portable LABELS portable)
endfunction()

function(kolorowisko_windows_tests)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBRARIES;LAUNCHER" ${ARGN})
  if(KOLOROWISKO_NATIVE)
    return()
  endif()
  kolorowisko_add_gtest(${T_NAME} SOURCES ${T_SOURCES}
                        LIBRARIES kolorowisko_windows kolorowisko_test_support ${T_LIBRARIES}
                        LABELS windows LAUNCHER ${T_LAUNCHER})
endfunction()

function(kolorowisko_script_test)
  cmake_parse_arguments(T "" "NAME;SCRIPT;TIMEOUT" "LOCKS" ${ARGN})
  if(KOLOROWISKO_NATIVE)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME}
           COMMAND ${KOLOROWISKO_PYTHON} -m unittest -v ${T_SCRIPT}
           WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/tests/e2e)
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS e2e TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "KOLOROWISKO_BUILD_DIR=${PROJECT_BINARY_DIR};KOLOROWISKO_SOURCE_DIR=${PROJECT_SOURCE_DIR};KOLOROWISKO_SERVICE_HOST=${KOLOROWISKO_SERVICE_HOST};KOLOROWISKO_REPORT_HOST=${KOLOROWISKO_REPORT_HOST}")
  if(T_LOCKS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()
