// Timing and reporting shared by the benchmark programs.
#pragma once
#include <windows.h>

#include <cstdio>
#include <functional>

namespace bench {

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
  std::printf("%-52s %9.0f %s in %7.3f s = %12.0f %s/s\n", what, items, unit, seconds,
              seconds > 0 ? items / seconds : 0.0, unit);
}

// Report, then the time against a bare baseline of the same system calls or
// loop measured in the same run ("x 1.30 of <baseline>").
inline void ReportAgainst(const char* what, double items, double seconds, double baseline,
                          const char* baselineName, const char* unit = "items") {
  Report(what, items, seconds, unit);
  std::printf("  = %.2f x the bare %s (%.3f s)\n", baseline > 0 ? seconds / baseline : 0.0,
              baselineName, baseline);
}

} // namespace bench
