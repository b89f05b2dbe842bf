// What every long run of a page shares: the throttle that shows progress and
// pumps messages about every 50 ms (not per item), and the lock that disables
// the page's own commands and the other sheets for the run's duration and
// enables them again on every way out.
#pragma once
#include "ui/controls.h"
#include "ui/pages.h"

#include <windows.h>

#include <vector>

namespace ui {

class Throttle {
public:
  // True on the first call and then once at least 50 ms have passed.
  bool Due() {
    const DWORD now = GetTickCount();
    if (first_ || now - last_ >= 50) {
      first_ = false;
      last_ = now;
      return true;
    }
    return false;
  }

private:
  DWORD last_ = 0;
  bool first_ = true;
};

class PageLock {
public:
  PageLock(std::vector<Control*> controls, std::vector<TabSheet*> sheets, bool& busy)
      : controls_(std::move(controls)), sheets_(std::move(sheets)), busy_(busy) {
    busy_ = true;
    for (Control* c : controls_) {
      was_.push_back(c->Enabled());
      c->SetEnabled(false);
    }
    for (TabSheet* s : sheets_) s->SetEnabled(false);
  }
  ~PageLock() {
    for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->SetEnabled(was_[i]);
    for (TabSheet* s : sheets_) s->SetEnabled(true);
    busy_ = false;
  }
  PageLock(const PageLock&) = delete;
  PageLock& operator=(const PageLock&) = delete;

private:
  std::vector<Control*> controls_;
  std::vector<TabSheet*> sheets_;
  std::vector<bool> was_;
  bool& busy_;
};

} // namespace ui
