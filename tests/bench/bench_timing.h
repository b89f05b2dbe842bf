// Timing and reporting shared by the benchmark programs.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

namespace bench {

// The calls the program's listing makes for one folder, written out plainly:
// the Unicode listing, each name turned into this code page to join it into
// a path ("." and ".." skipped). The bare walks of the benches go through it.
inline void ListFolder(const std::string& folder, const std::function<void(const char* name, DWORD attributes)>& visit) {
  WCHAR search[MAX_PATH * 2];
  if (MultiByteToWideChar(CP_ACP, 0, (folder + "\\*").c_str(), -1, search, MAX_PATH * 2) <= 0) return;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(search, &data);
  if (find == INVALID_HANDLE_VALUE) return;
  char name[MAX_PATH];
  do {
    if (WideCharToMultiByte(CP_ACP, 0, data.cFileName, -1, name, MAX_PATH, nullptr, nullptr) <= 0) continue;
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
    visit(name, data.dwFileAttributes);
  } while (FindNextFileW(find, &data));
  FindClose(find);
}

// Wall-clock seconds the work takes.
inline double Seconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

// One line: what was done, how many items, how long, items per second.
inline void Report(const char* what, double items, double seconds, const char* unit = "items") {
  std::printf("%-44s %9.0f %s in %7.3f s = %10.0f %s/s\n", what, items, unit, seconds,
              seconds > 0 ? items / seconds : 0.0, unit);
}

// Items per second, and the time against a bare loop of the same system calls
// measured in the same run ("= 1.30 x the bare loop").
inline void ReportAgainst(const char* what, double items, double seconds, double baseline,
                          const char* baselineName, const char* unit = "items") {
  std::printf("%-44s %9.0f %s in %7.3f s = %10.0f %s/s = %.2f x the bare %s (%.3f s)\n", what,
              items, unit, seconds, seconds > 0 ? items / seconds : 0.0, unit,
              baseline > 0 ? seconds / baseline : 0.0, baselineName, baseline);
}

} // namespace bench
