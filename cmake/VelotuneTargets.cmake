# Helpers shared by the project's CMake files.

# Warnings for the project's own targets (not for GoogleTest).
function(velotune_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# Instrumentation of the native build (no toolchain file), for every target
# of the calling directory and below:
#   VELOTUNE_SANITIZE (default ON): AddressSanitizer and UndefinedBehaviorSanitizer;
#     any finding ends the program with an error.
#   VELOTUNE_FUZZ (clang only): the sanitizers plus libFuzzer's coverage, for the
#     fuzz targets of velotune_add_fuzzer; no GoogleTest and no unit tests.
macro(velotune_native_instrumentation)
  option(VELOTUNE_SANITIZE "Native build: AddressSanitizer and UndefinedBehaviorSanitizer" ON)
  option(VELOTUNE_FUZZ "Native clang build of the libFuzzer targets only" OFF)
  set(_velotune_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  if(VELOTUNE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      message(FATAL_ERROR "VELOTUNE_FUZZ needs clang (libFuzzer)")
    endif()
    add_compile_options(${_velotune_sanitizers} -fsanitize=fuzzer-no-link)
    add_link_options(${_velotune_sanitizers})
  elseif(VELOTUNE_SANITIZE)
    add_compile_options(${_velotune_sanitizers})
    add_link_options(${_velotune_sanitizers})
  endif()
endmacro()

# GoogleTest from Debian's sources, built with the same toolchain as the program.
function(velotune_add_googletest)
  if(VELOTUNE_FUZZ)
    return()
  endif()
  set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# A test executable registered as one CTest test. Under the cross build it runs
# under Wine (through CMAKE_CROSSCOMPILING_EMULATOR) inside the Wine environment.
function(velotune_add_test name)
  if(VELOTUNE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  velotune_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} gmock gtest)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_registry)
  endif()
endfunction()

# A libFuzzer target and its time-boxed run as a CTest test labelled "fuzz".
# Only the native fuzz build (VELOTUNE_FUZZ) makes it; elsewhere it does nothing.
#   velotune_add_fuzzer(name SOURCES ... LIBRARIES ... SEEDS <folder of seed inputs>)
# The run (scripts/run-fuzzer.sh) lasts VELOTUNE_FUZZ_SECONDS seconds and keeps
# what it learns in <build>/corpus/<name>; scripts/fuzz.sh shares a time budget
# among all fuzz targets.
function(velotune_add_fuzzer name)
  if(NOT VELOTUNE_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  velotune_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/run-fuzzer.sh $<TARGET_FILE:${name}> ${ARG_SEEDS}
      ${CMAKE_BINARY_DIR}/corpus/${name})
  set_tests_properties(${name} PROPERTIES LABELS fuzz TIMEOUT 900)
endfunction()

# A test that talks to the lab's ISP server: it runs inside the lab fixture,
# which starts the server (scripts/lab-isp.sh) in the Wine environment.
function(velotune_requires_lab name)
  if(WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine;lab_isp")
  endif()
endfunction()

# Runs a test executable with the lab's RAS stand-in: the stand-in's
# rasapi32.dll is copied beside the executable, and the test's Wine loads it
# instead of its own rasapi32 (which cannot dial) through a DLL override.
function(velotune_use_ras_standin target)
  get_target_property(folder ${target} BINARY_DIR)
  string(MAKE_C_IDENTIFIER "${folder}" folder_id)
  set(copy_target ras_standin_copy_${folder_id})
  if(NOT TARGET ${copy_target})
    add_custom_command(OUTPUT ${folder}/rasapi32.dll
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:rasapi32> ${folder}/rasapi32.dll
      DEPENDS rasapi32
      COMMENT "Placing the lab's rasapi32.dll in ${folder}")
    add_custom_target(${copy_target} DEPENDS ${folder}/rasapi32.dll)
  endif()
  add_dependencies(${target} ${copy_target})
  set_property(TEST ${target} APPEND PROPERTY ENVIRONMENT
    "WINEDLLOVERRIDES=mscoree,mshtml=\\;rasapi32=n,b")
endfunction()
