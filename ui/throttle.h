// Long loops refresh what the user sees (progress, counters, lists) and handle
// pending window messages about every 50 ms, never per item: one throttle for
// every such loop, so the interval is stated once.
#pragma once
#include <windows.h>

namespace ui {

class Throttle {
public:
  static constexpr DWORD kIntervalMs = 50;
  // True once the interval has passed since the start or the last true answer.
  bool Due() {
    const DWORD now = GetTickCount();
    if (now - last_ < kIntervalMs) return false;
    last_ = now;
    return true;
  }

private:
  DWORD last_ = GetTickCount();
};

} // namespace ui
