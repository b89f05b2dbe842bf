#include "support/second_process.h"

namespace testsupport {

DWORD RunThisProgramAgain(const char* variable, const std::string& value) {
  char exe[MAX_PATH];
  if (GetModuleFileNameA(nullptr, exe, sizeof exe) == 0) return ~0u;
  std::string line = std::string("\"") + exe + "\" --gtest_filter=-*";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  SetEnvironmentVariableA(variable, value.c_str());
  const BOOL started = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableA(variable, nullptr);
  if (!started) return ~0u;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = ~0u;
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return code;
}

} // namespace testsupport
