# The end-to-end window driver: a library for the tests and a console
# program for scripts and the demo (included by tests/CMakeLists.txt).
add_library(velotune_window_driver STATIC e2e/WindowDriver.cpp e2e/WindowDriver.h
  e2e/VelotuneRun.cpp e2e/VelotuneRun.h e2e/WineTray.cpp e2e/WineTray.h)
velotune_warnings(velotune_window_driver)
target_include_directories(velotune_window_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(velotune_window_driver PUBLIC user32 comctl32)

add_executable(VelotuneDriver e2e/VelotuneDriverMain.cpp)
velotune_warnings(VelotuneDriver)
target_link_libraries(VelotuneDriver PRIVATE velotune_window_driver)

# Velotune.exe started and driven through its windows.
velotune_add_test(shell_e2e_tests
  SOURCES e2e/ShellE2eTest.cpp e2e/BrowserStandIn.cpp
  LIBRARIES velotune_window_driver velotune_test_support)
add_dependencies(shell_e2e_tests Velotune)
target_compile_definitions(shell_e2e_tests PRIVATE VELOTUNE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

# Velotune.exe in Wine's notification area, dialling the lab's connections.
velotune_add_test(tray_e2e_tests
  SOURCES e2e/TrayE2eTest.cpp e2e/BrowserStandIn.cpp
  LIBRARIES velotune_window_driver velotune_test_support)
add_dependencies(tray_e2e_tests Velotune)
target_compile_definitions(tray_e2e_tests PRIVATE VELOTUNE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
velotune_requires_lab(tray_e2e_tests)
velotune_use_ras_standin(tray_e2e_tests)

# The configuration wizard and the Options dialog of Velotune.exe in the lab.
velotune_add_test(config_e2e_tests
  SOURCES e2e/ConfigE2eTest.cpp
  LIBRARIES velotune_window_driver velotune_test_support)
add_dependencies(config_e2e_tests Velotune)
velotune_use_ras_standin(config_e2e_tests)

# Velotune.exe tune-ups in the lab, driven and measured from outside.
add_library(velotune_lab_tuneup STATIC
  e2e/LabProgram.cpp e2e/LabProgram.h e2e/LabTuneUpTest.cpp e2e/LabTuneUpTest.h)
velotune_warnings(velotune_lab_tuneup)
target_link_libraries(velotune_lab_tuneup PUBLIC velotune_window_driver velotune_test_support psapi)

# Velotune.exe killed at many points of a tune-up in the lab and started again.
velotune_add_test(crash_restore_e2e_tests
  SOURCES e2e/CrashRestoreE2eTest.cpp
  LIBRARIES velotune_lab_tuneup)
add_dependencies(crash_restore_e2e_tests Velotune lab_client_program_copies)
velotune_requires_lab(crash_restore_e2e_tests)
velotune_use_ras_standin(crash_restore_e2e_tests)
set_tests_properties(crash_restore_e2e_tests PROPERTIES TIMEOUT 400)

# Consecutive tune-ups in one run: nothing may keep growing (VELOTUNE_SOAK_TUNEUPS; 3 here).
velotune_add_test(soak_e2e_tests
  SOURCES e2e/SoakE2eTest.cpp
  LIBRARIES velotune_lab_tuneup)
add_dependencies(soak_e2e_tests Velotune)
velotune_requires_lab(soak_e2e_tests)
velotune_use_ras_standin(soak_e2e_tests)
set_tests_properties(soak_e2e_tests PROPERTIES TIMEOUT 400)
