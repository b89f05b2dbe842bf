// What every page run shares: the lock of the page's commands and of the other
// sheets while it lasts (released on every way out), and the throttle that
// shows counters and pumps messages about every 50 ms instead of per item.
#pragma once
#include "ui/controls.h"
#include "ui/pages.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace ui {

class Throttle {
public:
  bool Due() {
    DWORD now = GetTickCount();
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
