// This test program started again as a second process: it runs no test, only
// what a static initialiser of the test file does when it finds its variable
// set (a second copy of the program saving, a copy killed midway).
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

// Starts this program with variable set to value, waits for it and returns
// its exit code (~0u when it could not be started).
DWORD RunThisProgramAgain(const char* variable, const std::string& value);

} // namespace testsupport
