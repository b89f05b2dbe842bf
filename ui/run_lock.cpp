#include "ui/run_lock.h"

#include <windows.h>

namespace ui {

RunLock::RunLock(std::vector<Control*> controls, std::vector<TabSheet*> sheets, bool& busy)
    : controls_(std::move(controls)), sheets_(std::move(sheets)), busy_(busy) {
  busy_ = true;
  for (Control* c : controls_) {
    was_.push_back(c->Enabled());
    c->SetEnabled(false);
  }
  for (TabSheet* s : sheets_) s->SetEnabled(false);
}

RunLock::~RunLock() {
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->SetEnabled(was_[i]);
  for (TabSheet* s : sheets_) s->SetEnabled(true);
  busy_ = false;
}

} // namespace ui
