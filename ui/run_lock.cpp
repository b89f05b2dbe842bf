#include "ui/run_lock.h"

#include <windows.h>

#include <algorithm>

namespace ui {

RunLock::RunLock(std::vector<Control*> controls, std::vector<TabSheet*> sheets) : sheets_(std::move(sheets)) {
  // A control named twice (by the list half and by the page) is recorded once,
  // with its state before the lock, so the run gives that state back.
  for (Control* c : controls) {
    if (std::find(controls_.begin(), controls_.end(), c) != controls_.end()) continue;
    controls_.push_back(c);
    was_.push_back(c->Enabled());
    c->SetEnabled(false);
  }
  for (TabSheet* s : sheets_) s->SetEnabled(false);
}

RunLock::~RunLock() {
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->SetEnabled(was_[i]);
  for (TabSheet* s : sheets_) s->SetEnabled(true);
}

} // namespace ui
