// The lock every run of a page takes: it disables the page's own commands and
// the other sheets for the run's duration and enables them again on every way
// out (the throttle of its progress is ui/throttle.h).
#pragma once
#include "ui/controls.h"
#include "ui/pages.h"

#include <vector>

namespace ui {

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
