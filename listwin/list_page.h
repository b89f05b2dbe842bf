// What the list windows need of a page whose include list they fill, edit or
// show: its lists and counters, its own acceptance rule and its refresh. Each
// page gives one such description; the windows hold no page-specific code.
#pragma once
#include "ui/controls.h"

#include <functional>
#include <string>
#include <vector>

struct ListPageDescription {
  ui::Form* form = nullptr;          // the window that holds the page (locked while copying)
  ui::ListBox* include = nullptr;    // sorted include list
  ui::ListBox* exclude = nullptr;    // exclude list
  ui::Label* includeCount = nullptr; // the include count label
  ui::ProgressBar* progress = nullptr;
  // Caption of the page's "Empty Result List in the File Import Window!" warning.
  std::string emptyImportCaption;
  // Imported items are cut into pieces at each drive start first.
  bool splitAtDrives = false;
  // The page's own rule for an entry (already trimmed, not blank); null: every entry.
  std::function<bool(const std::string& entry)> accepts;
};

// Disables every enabled control of a form while a loop that processes pending
// messages runs, and enables them again when it ends.
class CommandLock {
public:
  explicit CommandLock(ui::Form& form);
  ~CommandLock();
  CommandLock(const CommandLock&) = delete;
  CommandLock& operator=(const CommandLock&) = delete;

private:
  std::vector<HWND> disabled_;
};
