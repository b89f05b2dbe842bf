// Long loops refresh what the user sees (progress, counters, lists) and handle
// pending window messages about every 50 ms, never per item: one throttle for
// every such loop, so the interval is stated once.
#pragma once
#include <windows.h>

namespace ui {

class Throttle {
public:
  static constexpr DWORD kIntervalMs = 50;
  // An update that took t ms is followed by kShare times t ms of the loop's
  // own work: bringing a slow window up to date takes about a fortieth of the
  // loop at most, whatever the window costs (under Wine a list box taking new
  // entries on screen costs some 10 ms); but the window is never left longer
  // than kLongestMs (an update that waited for the user, a modal window
  // opened meanwhile, does not hold the next one back).
  static constexpr DWORD kShare = 39;
  static constexpr DWORD kLongestMs = 500;

  // True once the interval has passed since the start or the last true answer.
  bool Due() {
    const DWORD now = GetTickCount();
    if (now - last_ < wait_) return false;
    last_ = now;
    return true;
  }
  // Tells how long the update after the last true answer took (the loop calls
  // it when the update is done); the next one waits accordingly.
  void Took(DWORD ms) {
    const DWORD share = ms < kLongestMs ? ms * kShare : kLongestMs;
    wait_ = share < kIntervalMs ? kIntervalMs : share > kLongestMs ? kLongestMs : share;
    last_ = GetTickCount();
  }

private:
  DWORD last_ = GetTickCount();
  DWORD wait_ = kIntervalMs;
};

} // namespace ui
