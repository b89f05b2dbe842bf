// What the list windows need of a page whose include list they fill, edit or
// show: its lists and counters, its own acceptance rule and its refresh. Each
// page gives one such description; the windows hold no page-specific code.
#pragma once
#include "ui/controls.h"

#include <functional>
#include <string>
#include <vector>

// The roads by which an entry reaches a page's include list. A page has one
// acceptance rule for all of them: it tells the user why on the roads where one
// entry is judged at a time (Add, a move, a list file's line, the in-page level
// builder, whose first refusal ends its build) and drops a refused entry
// without a word on the bulk ones.
enum class ListRoad { Add, Move, ListFile, SmartImport, Editor, HandBack, LevelBuilder };
inline bool RoadTellsRefusal(ListRoad road) {
  return road == ListRoad::Add || road == ListRoad::Move || road == ListRoad::ListFile ||
         road == ListRoad::LevelBuilder;
}

struct ListPageDescription {
  ui::Form* form = nullptr;          // the window that holds the page (locked while copying)
  ui::ListBox* include = nullptr;    // sorted include list
  ui::ListBox* exclude = nullptr;    // exclude list
  ui::Label* includeCount = nullptr; // the include count label
  ui::ProgressBar* progress = nullptr;
  // Captions of the page's "Empty Result List in the File Import Window!"
  // warning after the smart import window and after the subfolder list builder.
  std::string emptyImportCaption, emptyBuilderCaption;
  // Imported items are cut into pieces at each drive start first.
  bool splitAtDrives = false;
  // The page's one rule for an entry (already trimmed, not blank) on every road;
  // where the road tells refusals the rule shows its own box. Null: every entry.
  std::function<bool(const std::string& entry, ListRoad road)> accepts;
  bool Accepts(const std::string& entry, ListRoad road) const { return !accepts || accepts(entry, road); }
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
