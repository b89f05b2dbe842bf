// What every page run shares: the lock of the page's commands and of the other
// sheets while the run lasts (ui/throttle.h paces what it shows).
#pragma once
#include "ui/form.h"
#include "ui/pages.h"

#include <vector>

namespace ui {

// Disables the page's commands and the given sheets for a run; every way out
// of the run (its destructor) gives each control back the state it had before
// the lock, however often it was named.
class RunLock {
public:
  RunLock(std::vector<Control*> controls, std::vector<TabSheet*> sheets);
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

private:
  std::vector<Control*> controls_;
  std::vector<TabSheet*> sheets_;
  std::vector<bool> was_;
};

} // namespace ui
