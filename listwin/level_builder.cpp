#include "listwin/level_builder.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "core/textutil.h"
#include "listwin/frmLevelSummFolder.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/seam.h"
#include "ui/throttle.h"

#include <windows.h>

#include <deque>
#include <stdexcept>

using core::TrimText;

namespace {

constexpr int kLevelLimit = 999;  // deeper than any path the system allows

} // namespace

bool ParseLevelNumber(const std::string& text, int32_t& value) {
  const std::string t = TrimText(text);
  size_t i = (!t.empty() && (t[0] == '-' || t[0] == '+')) ? 1 : 0;
  if (i == t.size() || t.size() - i > 10) return false;
  int64_t n = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    n = n * 10 + (t[i] - '0');
  }
  if (t[0] == '-') n = -n;
  if (n > INT32_MAX || n < INT32_MIN) return false;
  value = static_cast<int32_t>(n);
  return true;
}

int32_t ConvertLevelNumber(const ui::Edit& edit) {
  int32_t value = 0;
  if (!ParseLevelNumber(edit.Text(), value))
    throw std::runtime_error("'" + edit.Text() + "' is not a valid integer value");
  return value;
}

LevelBuilder::LevelBuilder(ui::Form* form, ListPair& lists, LevelBuilderDescription description)
    : form_(form), lists_(lists), d_(std::move(description)) {
  const LevelBuilderControls& c = d_.c;
  c.makeListSelector->OnClick = [this] { MakeListSelectorClick(); };
  c.makeListImport->OnClick = [this] { MakeListImportClick(); };
  c.addToListManually->OnClick = [this] { AddToListManuallyClick(); };
  c.root->OnSelect = [this] { RootSelect(); };
  c.browse->OnClick = [this] { BrowseClick(); };
  c.view->OnClick = [this] { ViewClick(); };
  c.fromTo->OnClick = [this] { FromToClick(); };
  c.above->OnClick = [this] { AboveClick(); };
  c.below->OnClick = [this] { BelowClick(); };
  c.build->OnClick = [this] { BuildClick(); };
}

int LevelBuilder::Box(LevelMsg id) {
  const core::BoxMessage m = core::Compose(d_.messages[id]);
  return ui::App().MessageBox(m.text, m.caption, m.flags);
}

void LevelBuilder::Init() {
  const LevelBuilderControls& c = d_.c;
  const std::pair<ui::UpDown*, ui::Edit*> numbers[] = {
      {c.fromUd, c.from}, {c.toUd, c.to}, {c.aboveUd, c.aboveLevel}, {c.belowUd, c.belowLevel}};
  for (const auto& n : numbers) {
    n.first->SetBuddy(*n.second);
    n.first->SetRange(1, kLevelLimit);
    n.first->SetPosition(1);
    n.second->SetText("1");
  }
  // The design's choices, without their handlers: every method button stays on.
  quiet_ = true;
  c.makeListSelector->SetChecked(true);
  quiet_ = false;
  c.onlyTheLast->SetChecked(true);
  // From is chosen: its numbers are the ones to type.
  ChooseRule(Rule::FromTo);
}

std::vector<ui::Control*> LevelBuilder::CommandControls() const {
  const LevelBuilderControls& c = d_.c;
  return {c.makeListSelector, c.makeListImport, c.addToListManually, c.root,       c.browse,
          c.view,             c.fromTo,         c.above,             c.below,      c.from,
          c.fromUd,           c.to,             c.toUd,              c.aboveLevel, c.aboveUd,
          c.belowLevel,       c.belowUd,        c.filter,            c.build,      c.onlyTheLast,
          c.allInThePath};
}

// ---- Method radios and the two switches --------------------------------------------

void LevelBuilder::EnableSourceFolderControls(bool on) {
  const LevelBuilderControls& c = d_.c;
  for (ui::Control* control : std::initializer_list<ui::Control*>{c.rootLabel, c.root, c.browse, c.view})
    control->SetEnabled(on);
  if (d_.rootSwitchTurnsImportOff && lists_.Description().c.smartImport)
    lists_.Description().c.smartImport->SetEnabled(false);
}

void LevelBuilder::EnableLevelNumberControls(bool on) {
  const LevelBuilderControls& c = d_.c;
  for (ui::Control* control : std::initializer_list<ui::Control*>{
           c.fromTo, c.above, c.below, c.from, c.fromUd, c.toLabel, c.to, c.toUd, c.aboveLevel, c.aboveUd,
           c.belowLevel, c.belowUd, c.levelLabel, c.filterLabel, c.filter, c.build, c.onlyTheLast,
           c.allInThePath})
    control->SetEnabled(on);
  // While the level controls are off neither add mode is chosen.
  c.onlyTheLast->SetChecked(on);
  c.allInThePath->SetChecked(false);
}

void LevelBuilder::MakeListSelectorClick() {
  const LevelBuilderControls& c = d_.c;
  if (quiet_ || !c.makeListSelector->Checked()) return;
  EnableSourceFolderControls(true);
  EnableLevelNumberControls(!TrimText(c.root->Text()).empty());
  lists_.Description().c.smartImport->SetEnabled(false);
  lists_.Description().c.add->SetEnabled(false);
  c.browse->SetFocus();
}

void LevelBuilder::MakeListImportClick() {
  if (quiet_ || !d_.c.makeListImport->Checked()) return;
  EnableSourceFolderControls(false);
  EnableLevelNumberControls(false);
  lists_.Description().c.smartImport->SetEnabled(true);
  lists_.Description().c.add->SetEnabled(false);
  lists_.Description().c.smartImport->SetFocus();
}

void LevelBuilder::AddToListManuallyClick() {
  if (quiet_ || !d_.c.addToListManually->Checked()) return;
  EnableSourceFolderControls(false);
  EnableLevelNumberControls(false);
  lists_.Description().c.smartImport->SetEnabled(false);
  lists_.Description().c.add->SetEnabled(true);
  lists_.Description().c.add->SetFocus();
}

// ---- Level rule -------------------------------------------------------------------------

void LevelBuilder::ChooseRule(Rule rule) {
  const LevelBuilderControls& c = d_.c;
  ui::RadioButton* chosen = rule == Rule::FromTo ? c.fromTo : rule == Rule::Above ? c.above : c.below;
  if (!chosen->Checked()) {
    chosen->SetChecked(true);  // its click handler chooses the rule
    return;
  }
  for (ui::RadioButton* r : {c.fromTo, c.above, c.below})
    if (r != chosen) r->SetChecked(false);
  for (ui::Edit* e : {c.from, c.to, c.aboveLevel, c.belowLevel}) e->SetText("1");
  for (ui::UpDown* u : {c.fromUd, c.toUd, c.aboveUd, c.belowUd}) u->SetPosition(1);
  for (ui::Control* control : std::initializer_list<ui::Control*>{c.from, c.fromUd, c.toLabel, c.to, c.toUd})
    control->SetEnabled(rule == Rule::FromTo);
  c.aboveLevel->SetEnabled(rule == Rule::Above);
  c.aboveUd->SetEnabled(rule == Rule::Above);
  c.belowLevel->SetEnabled(rule == Rule::Below);
  c.belowUd->SetEnabled(rule == Rule::Below);
}

void LevelBuilder::FromToClick() {
  if (d_.c.fromTo->Checked()) ChooseRule(Rule::FromTo);
}
void LevelBuilder::AboveClick() {
  if (d_.c.above->Checked()) ChooseRule(Rule::Above);
}
void LevelBuilder::BelowClick() {
  if (d_.c.below->Checked()) ChooseRule(Rule::Below);
}

// ---- Root choice ------------------------------------------------------------------------

void LevelBuilder::RootSelect() {
  const std::string root = d_.c.root->Text();
  Summary(root);
  Validate(root);
}

void LevelBuilder::BrowseClick() {
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  const std::string root = ui::seam().PickFolder(request) ? request.result : std::string();
  Summary(root);
  Validate(root);
}

void LevelBuilder::Summary(const std::string& root) {
  if (d_.summary) {
    d_.summary(root);
    return;
  }
  const std::string trimmed = TrimText(root);
  if (trimmed.empty()) return;
  core::FolderStructSize scan(trimmed);
  scan.SetKeepFileMap(false);  // counts and levels are all the summary shows
  scan.ScanAll();
  ShowLevelSummaryAllFiles(scan);
}

void LevelBuilder::Validate(const std::string& root) {
  const LevelBuilderControls& c = d_.c;
  if (TrimText(root).empty()) {
    Box(LevelMsg::RootEmpty);
    if (d_.focusRootAfterEmpty) c.root->SetFocus();
    return;
  }
  // The history of this run holds each root once, letter case ignored.
  int index = c.root->IndexOf(root);
  if (index < 0) index = c.root->Add(root);
  c.root->SetItemIndex(index);
  EnableLevelNumberControls(true);
  ChooseRule(Rule::FromTo);
  if (c.fromTo->Checked())
    c.from->SetFocus();
  else if (c.above->Checked())
    c.aboveLevel->SetFocus();
  else if (c.below->Checked())
    c.belowLevel->SetFocus();
}

void LevelBuilder::ViewClick() {
  const std::string root = TrimText(d_.c.root->Text());
  if (root.empty()) {
    Box(LevelMsg::ViewEmpty);
    return;
  }
  // Only a folder is handed to the shell: "open" on a typed file name would start that file.
  if (!ui::OpenFolder(root, form_->Handle())) Box(LevelMsg::NotAFolder);
}

// ---- Build a List -----------------------------------------------------------------------

void LevelBuilder::BuildClick() {
  const LevelBuilderControls& c = d_.c;
  const std::string root = TrimText(c.root->Text());
  const std::string filter = core::FoldCase(TrimText(c.filter->Text()));
  if (root.empty()) {
    Box(LevelMsg::BuildEmpty);
    lists_.Refresh();
    return;
  }
  std::deque<std::string> results;
  std::vector<core::KeptPath> kept;  // folders no path reaches: skipped, and named
  {
    core::LevelCopy builder({root});
    // A level that is no whole number ends the handler here with the conversion error.
    if (c.fromTo->Checked())
      builder.SetFromTo(ConvertLevelNumber(*c.from), ConvertLevelNumber(*c.to));
    else if (c.above->Checked())
      builder.SetAbove(ConvertLevelNumber(*c.aboveLevel));
    else if (c.below->Checked())
      builder.SetBelow(ConvertLevelNumber(*c.belowLevel));
    if (c.onlyTheLast->Checked())
      builder.SetAddMode(core::LevelCopy::AddOnlyTheLast);
    else if (c.allInThePath->Checked())
      builder.SetAddMode(core::LevelCopy::AddAllInThePath);
    builder.SetNameFilter(filter);
    builder.Run();
    results = builder.GetResultList();
    kept = builder.GetKeptFolders();
  }
  if (results.empty() && kept.empty()) {
    Box(LevelMsg::NoResults);
    lists_.Refresh();
    return;
  }

  const ListPairDescription& page = lists_.Description();
  ui::ListBox &include = lists_.Include(), &exclude = lists_.Exclude();
  ui::ProgressBar* bar = page.c.progress;
  {
    CommandLock lock(*form_);
    if (bar) {
      bar->SetRange(0, static_cast<int>(results.size()));
      bar->SetPosition(0);
      bar->SetVisible(true);
    }
    // Results are taken in batches, the count and the bar brought up to date about every 50 ms.
    core::FoldedIndex taken;
    // The page's one rule, judging this build as one pass.
    const EntryJudge judge = lists_.Page().Judge(ListRoad::LevelBuilder);
    std::vector<std::string> batch;
    auto flush = [&](size_t done) {
      include.AddStrings(batch);
      batch.clear();
      lists_.ShowCounts();
      if (bar) bar->SetPosition(static_cast<int>(done));
    };
    ui::Throttle throttle;
    // Each of these two boxes is shown once per build: a root without a drive
    // gives every result without one (a box per result could be thousands).
    bool shortTold = false, noDriveTold = false;
    // Every result not added, with its reason, for the build's one closing box.
    LeftOut left;
    size_t added = 0;
    for (size_t i = 0; i < results.size(); ++i) {
      if (throttle.Due()) {
        flush(i);
        ui::App().ProcessMessages();
        if (ui::App().Terminated()) return;
      }
      const std::string entry = TrimText(results[i]);
      if (entry.empty()) continue;
      if (d_.refusesShortResults && entry.size() <= 3) {
        if (!shortTold) Box(LevelMsg::WholeDisk);
        shortTold = true;
        left.Add(entry, "3 characters or fewer: the entire disk can not be deleted");
        continue;
      }
      if (taken.Contains(entry) || include.Contains(entry) || exclude.Contains(entry)) {
        left.Add(entry, exclude.Contains(entry) ? "in the EXCLUDE list" : "listed already");
        continue;
      }
      if (!core::HasDrivePart(entry)) {
        if (!noDriveTold) Box(LevelMsg::NoDrive);
        noDriveTold = true;
        left.Add(entry, "no drive letter");
        continue;
      }
      // The page's one rule: a result it refuses is skipped and the build goes
      // on; only a refusal that ends the road (the page has shown its own box)
      // ends the build, and the results after it are named as not read.
      const Verdict verdict = judge(entry);
      if (verdict.stop) {
        left.Add(entry, verdict.reason);
        for (size_t rest = i + 1; rest < results.size(); ++rest) {
          const std::string unread = TrimText(results[rest]);
          if (!unread.empty()) left.Add(unread, "not read: the build stopped at " + entry);
        }
        break;
      }
      if (!verdict.taken) {
        left.Add(entry, verdict.reason);
        continue;
      }
      taken.Add(entry);
      batch.push_back(entry);
      ++added;
    }
    flush(results.size());
    if (bar) bar->SetVisible(false);
    for (const core::KeptPath& k : kept) left.Add(k.path, k.reason);
    left.SetAdded(added);
    lists_.Page().TellLeftOut(left);
  }
  lists_.Refresh();
}

// ---- Clear Fields -------------------------------------------------------------------------

void LevelBuilder::Clear() {
  const LevelBuilderControls& c = d_.c;
  c.makeListSelector->SetChecked(true);
  c.makeListImport->SetChecked(false);
  c.addToListManually->SetChecked(false);
  c.root->Clear();
  c.root->SetText("");
  c.filter->SetText("");
  ChooseRule(Rule::FromTo);
  for (ui::Edit* e : {c.from, c.to, c.aboveLevel, c.belowLevel}) e->SetText("1");
  EnableSourceFolderControls(true);
  EnableLevelNumberControls(false);
}
