// The lab client programs a driver test started through the drivers (not
// through the harness, which ends its own): any still running at the end of
// a test are ended, so that the next test starts from a clean desktop.
#pragma once

#include <string>
#include <vector>

// Ends every process that owns a top-level window of one of the classes;
// the classes of the processes found, empty when none was running.
std::vector<std::string> EndProgramsWithWindowsOf(const std::vector<const char*>& classes);
