# Helpers shared by the project's CMake files.

# Warnings for the project's own targets (not for GoogleTest).
function(velotune_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# GoogleTest from Debian's sources, built with the same toolchain as the program.
function(velotune_add_googletest)
  set(GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# A test executable registered as one CTest test. Under the cross build it runs
# under Wine (through CMAKE_CROSSCOMPILING_EMULATOR) inside the Wine environment.
function(velotune_add_test name)
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
