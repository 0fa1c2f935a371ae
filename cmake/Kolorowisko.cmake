# The project's targets and the functions through which each folder adds to them.
#
# The program's folders form layers, bottom first, in the order of KOLOROWISKO_LAYERS (written
# once, in the top CMakeLists.txt): each folder is one library that links the layer below it, so
# it can use every folder below and none above. scripts/check_layers holds the sources to it.
#
#   kolorowisko_layer(<folder> [PORTABLE <sources>] [WINDOWS <sources>])
#                  the folder's library kolorowisko_<folder>: its Windows-free sources, built for
#                  Windows and natively (for the sanitizer run), and its platform sources, built
#                  for Windows only
#   kolorowisko_portable_tests(NAME <n> LAYER <folder> SOURCES <s>)  GoogleTest cases of
#                  Windows-free logic, linking only the folder's library (and what it needs)
#   kolorowisko_windows_tests(NAME <n> LAYER <folder> SOURCES <s> [LIBRARIES <l>] [LAUNCHER <c>])
#                  GoogleTest cases run under Wine (through <c> when given, which gets Wine's
#                  command line as its arguments)
#   kolorowisko_script_test(NAME <n> SCRIPT <s> [LOCKS <l>] [TIMEOUT <t>])  a Python end-to-end test

function(kolorowisko_layer folder)
  cmake_parse_arguments(L "" "" "PORTABLE;WINDOWS" ${ARGN})
  set(target kolorowisko_${folder})
  set(sources ${L_PORTABLE})
  if(NOT KOLOROWISKO_NATIVE)
    list(APPEND sources ${L_WINDOWS})
  endif()
  get_property(below GLOBAL PROPERTY KOLOROWISKO_LAYER_BELOW)
  if(sources)
    add_library(${target} STATIC ${sources})
    kolorowisko_warnings(${target})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  if(below)
    target_link_libraries(${target} ${scope} ${below})
  else()
    kolorowisko_bottom_layer(${target} ${scope})
  endif()
  set_property(GLOBAL PROPERTY KOLOROWISKO_LAYER_BELOW ${target})
endfunction()

# What every layer inherits from the bottom one: include paths, definitions, sanitizers or the
# Windows libraries, and a self-contained exe.
function(kolorowisko_bottom_layer target scope)
  target_include_directories(${target} ${scope} ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/build_config.h.in ${PROJECT_BINARY_DIR}/generated/build_config.h @ONLY)
  kolorowisko_json_include(${target} ${scope})
  if(KOLOROWISKO_NATIVE)
    set(sanitize -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    if(KOLOROWISKO_FUZZ)
      # The fuzzer's coverage in every library; its main only in the targets.
      list(APPEND sanitize -fsanitize=fuzzer-no-link)
    endif()
    target_compile_options(${target} ${scope} ${sanitize})
    target_link_options(${target} ${scope} ${sanitize})
    return()
  endif()
  # PSAPI_VERSION 1: the process-status calls go to psapi.dll, which Vista has, not to the K32
  # names in kernel32, which only Windows 7 and later have.
  target_compile_definitions(${target} ${scope} NOMINMAX
                             _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800 PSAPI_VERSION=1)
  target_link_libraries(${target} ${scope}
    wininet gdiplus ole32 oleaut32 uuid shell32 shlwapi comctl32 psapi wtsapi32 advapi32 user32
    gdi32)
  if(MINGW)
    # A self-contained exe: no MinGW runtime DLL beside it.
    target_link_options(${target} ${scope} -static -static-libgcc -static-libstdc++)
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
function(kolorowisko_json_include target scope)
  find_package(nlohmann_json 3 QUIET)
  if(nlohmann_json_FOUND AND NOT CMAKE_CROSSCOMPILING)
    target_link_libraries(${target} ${scope} nlohmann_json::nlohmann_json)
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
  target_include_directories(${target} SYSTEM ${scope} ${dir})
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
  cmake_parse_arguments(T "" "NAME;LAYER" "SOURCES" ${ARGN})
  kolorowisko_add_gtest(${T_NAME} SOURCES ${T_SOURCES} LIBRARIES kolorowisko_${T_LAYER}
                        LABELS portable)
endfunction()

function(kolorowisko_windows_tests)
  cmake_parse_arguments(T "" "NAME;LAYER" "SOURCES;LIBRARIES;LAUNCHER" ${ARGN})
  if(KOLOROWISKO_NATIVE)
    return()
  endif()
  kolorowisko_add_gtest(${T_NAME} SOURCES ${T_SOURCES}
                        LIBRARIES kolorowisko_${T_LAYER} kolorowisko_test_support ${T_LIBRARIES}
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
    ENVIRONMENT "KOLOROWISKO_ARCH=${CMAKE_SYSTEM_PROCESSOR};KOLOROWISKO_BUILD_DIR=${PROJECT_BINARY_DIR};KOLOROWISKO_SOURCE_DIR=${PROJECT_SOURCE_DIR};KOLOROWISKO_SERVICE_HOST=${KOLOROWISKO_SERVICE_HOST};KOLOROWISKO_REPORT_HOST=${KOLOROWISKO_REPORT_HOST}")
  if(T_LOCKS)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK "${T_LOCKS}")
  endif()
endfunction()
