// The in-page level builder of the folder pages (Rename, Delete, Copy): the
// three method radios, the root folder with its history of this run, Browse,
// View, the root summary and validation, the level rule (From-To, Above,
// Below), "Only the Last" / "All in the Path", the name filter and Build a
// List, which takes the subfolders of the root by their level into the page's
// include list through the page's one acceptance rule: a result the rule (or a
// list, or the page's own checks) refuses is skipped, the others are added, and
// one closing box names the skipped ones with their reasons and says how many
// were added. Written once; a page binds it by a small table: its controls,
// its message rows and its quirks.
#pragma once
#include "core/box_message.h"
#include "listwin/list_pair.h"
#include "ui/controls.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The builder's boxes; each page gives its own numbers and captions.
enum class LevelMsg {
  RootEmpty,    // root validation with an empty root
  ViewEmpty,    // View with an empty root
  BuildEmpty,   // Build a List with an empty root
  NoResults,    // nothing matched the level rule and the filter
  NoDrive,      // a result without a drive part
  WholeDisk,    // a result of three characters or fewer (pages that refuse them)
  NotAFolder,   // View of a root that is no existing folder
};

// The controls of a page's builder.
struct LevelBuilderControls {
  ui::RadioButton *makeListSelector = nullptr, *makeListImport = nullptr, *addToListManually = nullptr;
  ui::Label* rootLabel = nullptr;  // "Source Folder:"
  ui::ComboBox* root = nullptr;
  ui::Button *browse = nullptr, *view = nullptr;
  ui::Label* levelLabel = nullptr;  // "Subfolder Level Number:"
  ui::RadioButton *fromTo = nullptr, *above = nullptr, *below = nullptr;
  ui::Label* toLabel = nullptr;
  ui::Edit *from = nullptr, *to = nullptr, *aboveLevel = nullptr, *belowLevel = nullptr;
  ui::UpDown *fromUd = nullptr, *toUd = nullptr, *aboveUd = nullptr, *belowUd = nullptr;
  ui::Label* filterLabel = nullptr;
  ui::Edit* filter = nullptr;
  ui::Button* build = nullptr;
  ui::RadioButton *onlyTheLast = nullptr, *allInThePath = nullptr;
};

// What differs between the pages' builders.
struct LevelBuilderDescription {
  LevelBuilderControls c;
  // The page's rows of the builder's boxes.
  core::MessageTable<LevelMsg> messages{nullptr, 0};
  // Build a List refuses results of three characters or fewer (a bare drive), with its box.
  bool refusesShortResults = false;
  // The root-control switch also turns "Import Folder List" off, whatever it is asked.
  bool rootSwitchTurnsImportOff = false;
  // The warning of an empty root at validation gives the focus to the root combo.
  bool focusRootAfterEmpty = true;
  // The root summary (the root as chosen); null: the level summary window with
  // the totals of all files below the root.
  std::function<void(const std::string& root)> summary;
};

class LevelBuilder {
public:
  // lists: the page's list half (its lists, counts, bar, rule and refresh).
  LevelBuilder(ui::Form* form, ListPair& lists, LevelBuilderDescription description);
  LevelBuilder(const LevelBuilder&) = delete;
  LevelBuilder& operator=(const LevelBuilder&) = delete;

  const LevelBuilderDescription& Description() const { return d_; }

  // The handlers (each bound to its control).
  void MakeListSelectorClick();
  void MakeListImportClick();
  void AddToListManuallyClick();
  void RootSelect();
  void BrowseClick();
  void ViewClick();
  void FromToClick();
  void AboveClick();
  void BelowClick();
  void BuildClick();

  // The root summary and validation of a root choice.
  void Summary(const std::string& root);
  void Validate(const std::string& root);
  void EnableSourceFolderControls(bool on);
  void EnableLevelNumberControls(bool on);

  // The start state of the design (the up-downs tied to their edits).
  void Init();
  // The builder's part of Clear Fields: the level-builder method chosen, the
  // root and its history, the filter and the numbers emptied or "1", From
  // chosen, the root controls on and the level controls off.
  void Clear();
  // The controls a page run locks.
  std::vector<ui::Control*> CommandControls() const;

private:
  enum class Rule { FromTo, Above, Below };
  int Box(LevelMsg id);
  void ChooseRule(Rule rule);

  ui::Form* form_;
  ListPair& lists_;
  LevelBuilderDescription d_;
  bool quiet_ = false;  // the method radios' handlers wait
};

// A whole number that fits 32 bits, blanks around it allowed.
bool ParseLevelNumber(const std::string& text, int32_t& value);
// The number of a level edit; a text that is no whole number raises the
// conversion error the application's error box shows ("'x' is not a valid
// integer value").
int32_t ConvertLevelNumber(const ui::Edit& edit);
