#include "treeops/delete_page.h"

#include "core/casefold.h"
#include "core/examine_subfolders.h"
#include "core/settings_store.h"
#include "core/textutil.h"
#include "listwin/frmFileSelection.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmStatistic.h"
#include "treeops/level_builder_twins.h"
#include "ui/application.h"
#include "ui/run_lock.h"
#include "ui/throttle.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_set>

using core::TrimText;

namespace {

#define T07 "Delete Folder(s).-From a Folder List."
#define S07 "Simulate Delete Folder(s).-From a Folder List."
#define B12 "            "

const core::NumberedMessage<DeleteMsg> kRows[] = {
    {DeleteMsg::AddEmpty, "0219", core::kMsgWarning, "The selection field is empty !!!",
     "Delete Folder structure(s).-From a Folder List." B12 "Warning no: 0219."},
    {DeleteMsg::InInclude, "0220", core::kMsgWarning, "This folder exists in the INCLUDE FOLDER LIST !!!",
     "Delete Folder structure(s).-From a Folder List." B12 "Warning no: 0220."},
    {DeleteMsg::InExclude, "0221", core::kMsgWarning, "This folder exists in the EXCLUDE FOLDER LIST !!!",
     "Delete Folder structure(s).-From a Folder List." B12 "Warning no: 0221."},
    {DeleteMsg::DeleteSelected, "0233", core::kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the "
     "EXCLUDE list.\n",
     T07 B12 "Warning no: 0233."},
    {DeleteMsg::ExcludeEmpty, "0234", core::kMsgWarning,
     "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete "
     "it.\n",
     T07 B12 "Warning no: 0234."},
    {DeleteMsg::ViewNothing, "0306", core::kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
     T07 B12 "Warning no: 0306."},
    {DeleteMsg::WholeDrive, "0334", core::kMsgWarning,
     "You can not Enter a drive without Folder(s)!\nSo You can not Delete the Entire drive.",
     T07 B12 "Warning no: 0334."},
    {DeleteMsg::ExcludeAllEmpty, "0522", core::kMsgWarning, "Empty List in the Exclude Window!\n",
     "Delete Folder(s).-From a Folder List - Level." B12 "Warning no: 0522."},
    {DeleteMsg::DeleteAll, "0523", core::kMsgQuestion, "Do you want to delete all item(s) from the Exclude list ?",
     "Delete Folder(s).-From a Folder List - Level." B12 "Warning no: 0523."},
    {DeleteMsg::ExportEmpty, "0559", core::kMsgWarning, "The Include List is empty !\n",
     T07 B12 " Warning no: 0559."},
    {DeleteMsg::FilesHint, "0237", core::kMsgWarning,
     "You can Select File Names/Types by Clicking on the <Select Files> button.",
     "Delete Foldere(s).-From a Folder List.           Warning no: 0237."},
    {DeleteMsg::ClearAsk, "0236", core::kMsgQuestion,
     "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete "
     "process.",
     T07 B12 "Information no: 0236."},
    {DeleteMsg::ClearEnd, "0237", core::kMsgWarning, "End of the CLEAR FIELDS process !!!\n",
     "Delete Foldere(s).-From a Folder List.           Warning no: 0237."},
    // The run's own boxes.
    {DeleteMsg::Refused, "0620", core::kMsgWarning, "This folder can not be deleted !\n{}",
     T07 B12 "Warning no: 0620."},
    {DeleteMsg::RunConfirm, "0621", core::kMsgQuestion,
     "Do you want to delete PERMANENTLY :\n\n{}\nThere is NO UNDO : deleted folders and files can not be "
     "restored.\n\nClick YES to Continue deleting,\nClick NO to Stop the delete process.",
     T07 B12 "Information no: 0621."},
    {DeleteMsg::RunConfirmAgain, "0622", core::kMsgQuestion,
     "Are you sure ?\n\n{}\nThere is NO UNDO.\n\nClick YES to Delete them now,\nClick NO to Stop the delete "
     "process.",
     T07 B12 "Information no: 0622."},
    {DeleteMsg::RunEnd, "0623", core::kMsgInformation, "End of the Delete process !!!\n\n{}",
     T07 B12 "Information no: 0623."},
    {DeleteMsg::RunNothing, "0624", core::kMsgWarning, "There is nothing to delete !\n\n{}",
     T07 B12 "Warning no: 0624."},
    {DeleteMsg::SimConfirm, "0625", core::kMsgQuestion, "{}", S07 B12 "Information no: 0625."},
    {DeleteMsg::SimEnd, "0626", core::kMsgInformation, "{}", S07 B12 "Information no: 0626."},
    {DeleteMsg::NotTaken, "0627", core::kMsgWarning, "Not every entry was added to the INCLUDE list !\n\n{}",
     T07 B12 "Warning no: 0627."},
};

// The class library's number text: general format, 15 significant digits.
std::string CounterText(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

// A path with its last name cut off; empty at a drive or share root.
std::string ParentOf(const std::string& path) {
  const size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos) return std::string();
  std::string parent = path.substr(0, cut);
  const std::string drive = core::ExtractFileDrive(path);
  return parent.size() > drive.size() ? parent : std::string();
}

// Lines of a list in a box: the first few, then how many more.
void AddLines(std::string& out, const std::string& heading, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  constexpr size_t kShown = 8;
  out += heading + "\n";
  for (size_t i = 0; i < lines.size() && i < kShown; ++i) out += "   " + lines[i] + "\n";
  if (lines.size() > kShown) out += "   ... and " + std::to_string(lines.size() - kShown) + " more\n";
}

} // namespace

const core::MessageTable<DeleteMsg> kDeletePageMessages = core::TableOf(kRows);

DeletePage::DeletePage(ui::Form* form, std::vector<ui::TabSheet*> otherSheets, const std::string* simStart,
                       const std::string* simEnd, int* onlyFilesHintShown, int* onlyFilesInMainFolderHintShown)
    : form_(form),
      Lists(form_, ListHalf()),
      Levels(form_, Lists, LevelHalf()),
      otherSheets_(std::move(otherSheets)),
      simStart_(simStart),
      simEnd_(simEnd),
      onlyFilesHintShown_(onlyFilesHintShown),
      onlyFilesInMainFolderHintShown_(onlyFilesInMainFolderHintShown) {
  for (ui::RadioButton* r : {&rdoVol07DeleteSubFolders, &rdoVol07DeleteCompleteFolders,
                             &rdoVol07DeleteOnlyFilesInMainFolder, &rdoVol07DeleteOnlyFiles})
    r->OnClick = [this, r] { ModeClick(*r); };
  btnVol07ClearAll.OnClick = [this] { btnVol07ClearAllClick(); };
  btnVol07DeleteFolders.OnClick = [this] { Start(false); };
  btnVol07DeleteFoldersSimulation.OnClick = [this] { Start(true); };

  // The results window (made after the main window): counters, lists, title, place.
  View.counter = [](int i, const std::string& text) {
    if (frmStatistics07) frmStatistics07->Counter(i).SetText(text);
  };
  View.append = [](int list, const std::vector<std::string>& entries) {
    if (frmStatistics07) frmStatistics07->List(list).AddStrings(entries);
  };
  View.clearLists = [] {
    if (frmStatistics07) frmStatistics07->ClearLists();
  };
  View.setRunMode = [](bool run) {
    if (frmStatistics07) frmStatistics07->SetRunMode(run);
  };
  View.showBeside = [this] {
    if (frmStatistics07) frmStatistics07->ShowBeside(*form_);
  };

  rdoVol07DeleteOnlyFiles.SetHint("Retain Empty Main Folders and their Subfolder Structures too.");
  rdoVol07DeleteOnlyFilesInMainFolder.SetHint(
      "Retain Empty Main Folders, and Complete Subfolder Structures with Files.");
  btnVol07FileSelection.SetHint("Select File Names and/or File Types");
  chkVol07ShowDetailedResults.SetHint("Show Detailed Results window DURING the DELETE process.");
  btnVol07DeleteFolders.SetHint("Start the DELETE process.");
  btnVol07Statistics.SetHint("Click to show the Detailed Results Window.");
  btnVol07ClearAll.SetHint("Clear all controls.");
  btnVol07Help.SetHint("Help for this page.");
  btnVol07ExchangeIncExc.SetHint("Exchange the contents.");
}

int DeletePage::Box(DeleteMsg id, const std::string& arg) {
  const core::BoxMessage m = core::Compose(kDeletePageMessages[id], arg);
  return ui::App().MessageBox(m.text, m.caption, m.flags);
}

ListPairDescription DeletePage::ListHalf() {
  ListPairDescription d;
  ListPairControls& c = d.c;
  c.add = &btnVol07AddFoldersToList;
  c.include = &lstVol07IncludeFolderList;
  c.exclude = &lstVol07ExcludeFolderList;
  c.includeCount = &lblVol07IncludeSum;
  c.excludeCount = &lblVol07ExcludeSum;
  c.incToExc = &btnVol07IncToExc;
  c.excToInc = &btnVol07ExcToInc;
  c.allFromInc = &btnVol07AllFromInc;
  c.allFromExc = &btnVol07AllFromExc;
  c.exchange = &btnVol07ExchangeIncExc;
  c.deleteSelected = &btnVol07DeleteFromExcludeList;
  c.deleteAll = &btnVol07DeleteExcludeAll;
  c.smartImport = &btnVol07SmartImport;
  c.subfolderBuilder = &btnVol07SubFolderLevelListBuilder;
  c.smartExport = &btnVol07SmartExport;
  c.editList = &btnVol07EditIncludeList;
  c.view = &btnVol07IncludeFolderListView;
  c.help = &btnVol07Help;
  c.visualLog = &btnVol07Statistics;
  c.examples = &btnVol07Examples;
  c.fileSelection = &btnVol07FileSelection;
  c.progress = &pbVol07ProgressBar;
  c.captions = {&lblVol07IncludeFolderList, &lblVol07ExcludeFolderList, &lblVol07IncludeSumCim,
                &lblVol07ExcludeSumCim};
  d.box = [this](ListMsg m, const std::string& arg) { return Box(static_cast<DeleteMsg>(m), arg); };
  d.rule = [this](ListRoad road) { return ListRule().Judge(road); };
  d.refresh = [this] { RefreshVol07Tab(); };
  // Every road asks the rule, "<<" and the folder picker's answer included.
  d.excToIncAsks = d.allFromExcAsks = d.movesNeedDrive = d.manualAddAsks = true;
  d.afterFileSelection = [this] {
    ShowFileTypes();
    RefreshVol07Tab();
  };
  // Imported entries are taken whole, as they come (the rule knows any spelling).
  d.splitAtDrives = false;
  d.emptyImportCaption = T07 B12 " Warning no: 0395.";
  d.emptyBuilderCaption = T07 B12 " Warning no: 0590.";
  d.exportKind = kExportKindFolders;
  d.exportFilter = ExportFilter::WithDrive;
  d.editor = [] { return static_cast<TfrmEditIncludeList*>(frmVol07EditIncludeList); };
  d.focusAfterList = &btnVol07AddFoldersToList;
  d.focusAfterImport = &btnVol07SmartImport;
  d.help = [] { ShowHelpTopic("Delete"); };
  d.examples = [] { ShowExamples(ExamplesKind::Delete); };
  d.visualLog = [this] { btnVol07StatisticsClick(); };
  return d;
}

// The in-page level builder: its controls, its boxes and the page's quirks.
LevelBuilderDescription DeletePage::LevelHalf() {
  LevelBuilderDescription d;
  LevelBuilderControls& c = d.c;
  c.makeListSelector = &rdoVol07MakeListSelector;
  c.makeListImport = &rdoVol07MakeListImport;
  c.addToListManually = &rdoVol07AddToListManually;
  c.rootLabel = &lblVol07DestFolderName;
  c.root = &cboVol07LevelDestFolder;
  c.browse = &btnVol07AddDestFolder;
  c.view = &btnVol07ViewDestFolder;
  c.levelLabel = &lblVol07LevelNumber;
  c.fromTo = &rdoVol07SLNFromTo;
  c.from = &edtVol07FromLevelNumber;
  c.fromUd = &udVol07FromLevelNumber;
  c.toLabel = &lblVol07SLNTo;
  c.to = &edtVol07ToLevelNumber;
  c.toUd = &udVol07ToLevelNumber;
  c.above = &rdoVol07SLNAbove;
  c.aboveLevel = &edtVol07AboveLevelNumber;
  c.aboveUd = &udVol07AboveLevelNumber;
  c.below = &rdoVol07SLNBelow;
  c.belowLevel = &edtVol07BelowLevelNumber;
  c.belowUd = &udVol07BelowLevelNumber;
  c.build = &btnVol07MakeList;
  c.filterLabel = &lblVol07SubFolderFilter;
  c.filter = &edtVol07SubFolderFilter;
  c.onlyTheLast = &rdoVol07GenLastSubFolder;
  c.allInThePath = &rdoVol07GenAllSubFolders;
  d.messages = kDeleteLevelMessages;
  // A bare drive is never a result this page takes, and the root switch turns Import off.
  d.refusesShortResults = true;
  d.rootSwitchTurnsImportOff = true;
  return d;
}

const treeops::ProtectedFolders& DeletePage::Protected() {
  if (!protectedKnown_) {
    protected_ = treeops::SystemProtectedFolders(core::Settings().GetStartupDirectory());
    protectedKnown_ = true;
  }
  return protected_;
}

// One rule for every road: a full path the run would take (not a root, no "."
// or ".." part, no protected folder), and not the same folder as an entry of
// either list however it is written ("C:\Data" and "c:/data/" are one entry).
// A drive or share root is the page's own refusal (0334): on the hand-backs it
// ends the road, the entries before it staying.
treeops::FolderListRule DeletePage::ListRule() {
  treeops::FolderListRule::Page page;
  page.include = &lstVol07IncludeFolderList;
  page.exclude = &lstVol07ExcludeFolderList;
  page.protectedFolders = [this]() -> const treeops::ProtectedFolders& { return Protected(); };
  page.refusedBox = [this](const std::string& entry, const std::string& reason) {
    Box(DeleteMsg::Refused, TrimText(entry) + "\n" + reason);
  };
  page.listedBox = [this](bool inInclude) { Box(inInclude ? DeleteMsg::InInclude : DeleteMsg::InExclude); };
  page.extra = [this](const std::string& entry, ListRoad road) -> std::optional<Verdict> {
    if (!treeops::IsDriveOrShareRoot(entry)) return std::nullopt;
    const std::string why = "a drive or share root: the entire drive can not be deleted";
    if (road == ListRoad::HandBack || road == ListRoad::SmartImport) {
      Box(DeleteMsg::WholeDrive);
      return Verdict::Stop(why);
    }
    if (RoadTellsRefusal(road)) Box(DeleteMsg::WholeDrive);
    return Verdict::Refuse(why);
  };
  return treeops::FolderListRule(std::move(page));
}

void DeletePage::InitVol07Page() {
  rdoVol07DeleteSubFolders.SetChecked(true);
  chkVol07ShowDetailedResults.SetChecked(true);
  chkVol07DeleteDoubleConfirm.SetChecked(true);
  ClearVol07PreviewCounters();
  ShowVol07PreviewCounters();
  ShowVol07ResultCounters();
  ShowFileTypes();
  SetVol07ControlsEnabled(false);
  Lists.SetEnabled(true);
  Lists.ShowCounts();
  Levels.Init();
  for (ui::ListBox* l : {&lstVol07IncludeFolderList, &lstVol07ExcludeFolderList}) l->SetHorizontalExtent(3000);
}

// ---- Modes, enabling, preview ------------------------------------------------------

treeops::DeleteMode DeletePage::Mode() const {
  using M = treeops::DeleteMode;
  if (rdoVol07DeleteOnlyFiles.Checked()) return M::FilesInTree;
  if (rdoVol07DeleteOnlyFilesInMainFolder.Checked()) return M::FilesInMainFolders;
  if (rdoVol07DeleteSubFolders.Checked()) return M::SubFolders;
  if (rdoVol07DeleteCompleteFolders.Checked()) return M::CompleteFolders;
  return M::FilesInMainFolders;
}

void DeletePage::ModeClick(ui::RadioButton& radio) {
  if (!radio.Checked() || busy_) return;
  RefreshVol07Tab();
  int* shown = &radio == &rdoVol07DeleteOnlyFiles                ? onlyFilesHintShown_
               : &radio == &rdoVol07DeleteOnlyFilesInMainFolder ? onlyFilesInMainFolderHintShown_
                                                                 : nullptr;
  if (shown && *shown == 0) {
    Box(DeleteMsg::FilesHint);
    *shown = 1;
  }
}

void DeletePage::ShowFileTypes() {
  lblVol07FileTypesAllSelected.SetText(EveryFileTypeSelected() ? "All." : "User Selected.");
}

void DeletePage::SetVol07ControlsEnabled(bool flag) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &chkVol07DeleteDoubleConfirm, &btnVol07Statistics, &rdoVol07DeleteSubFolders, &rdoVol07DeleteCompleteFolders,
           &rdoVol07DeleteOnlyFilesInMainFolder, &rdoVol07DeleteOnlyFiles, &chkVol07ShowDetailedResults,
           &lblVol07ToDeleteCimke, &lblVol07DeletedCimke, &lblVol07NotExistsCimke, &lblVol07OtherReasonsCimke,
           &lblVol07FilesColumn, &lblVol07FilesToDelete, &lblVol07FilesDeleted, &lblVol07FilesNotExists,
           &lblVol07FilesOtherReasons})
    c->SetEnabled(flag);
  const bool files = flag && (rdoVol07DeleteOnlyFiles.Checked() || rdoVol07DeleteOnlyFilesInMainFolder.Checked());
  for (ui::Control* c : std::initializer_list<ui::Control*>{&btnVol07FileSelection, &lblVol07Status,
                                                            &lblVol07FileTypesAllSelected})
    c->SetEnabled(files);
  // The folders row counts in the two modes that delete folders.
  EnableVol07FoldersRow(flag && !files);
  UpdateVol07DeleteButtons();
}

void DeletePage::EnableVol07FoldersRow(bool flag) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &lblVol07FoldersColumn, &lblVol07FoldersToDelete, &lblVol07FoldersDeleted, &lblVol07FoldersNotExists,
           &lblVol07FoldersOtherReasons})
    c->SetEnabled(flag);
}

void DeletePage::UpdateVol07DeleteButtons() {
  const bool on = lstVol07IncludeFolderList.Count() > 0;
  btnVol07DeleteFolders.SetEnabled(on);
  btnVol07DeleteFoldersSimulation.SetEnabled(on);
}

void DeletePage::RefreshVol07Tab() {
  ShowFileTypes();
  SetVol07ControlsEnabled(lstVol07IncludeFolderList.Count() > 0);
  ScanVol07IncludeFolders();
  ShowVol07PreviewCounters();
}

treeops::DeleteJob DeletePage::Snapshot() {
  treeops::DeleteJob job;
  for (const std::string& s : lstVol07IncludeFolderList.Items()) job.includes.push_back(s);
  for (const std::string& s : lstVol07ExcludeFolderList.Items()) job.excludes.push_back(s);
  job.mode = Mode();
  if (job.mode == treeops::DeleteMode::FilesInTree || job.mode == treeops::DeleteMode::FilesInMainFolders)
    job.patterns = core::Settings().GetFilePatternList();
  job.protectedFolders = Protected();
  return job;
}

// What each listed folder's mode would delete, from the cache when that folder
// was counted before with the same mode and patterns (a click that changes only
// the lists never rescans an unchanged folder). A run counts afresh.
void DeletePage::ScanVol07IncludeFolders() {
  ClearVol07PreviewCounters();
  if (lstVol07IncludeFolderList.Count() == 0) return;
  const treeops::DeleteJob all = Snapshot();
  std::deque<std::string> accepted;
  for (const std::string& line : all.includes) {
    if (TrimText(line).empty()) continue;
    const treeops::TargetCheck check = treeops::CheckTarget(line, all.protectedFolders);
    if (check.ok) accepted.push_back(check.path);
  }
  core::ExamineSubFolders reducer(accepted);
  if (all.mode == treeops::DeleteMode::FilesInMainFolders)
    reducer.SortUnique();
  else
    reducer.KeepTopFolders();
  std::vector<std::string> mains;
  std::unordered_set<std::string, core::FoldedHash, core::FoldedEqual> mainSet;
  for (const std::string& m : reducer.GetResult())
    if (mainSet.insert(m).second) mains.push_back(m);
  // Mode 3 keeps a listed folder lying inside another one: it belongs to that one's count.
  std::map<std::string, std::vector<std::string>, core::FoldedLess> nested;
  if (all.mode == treeops::DeleteMode::SubFolders)
    for (const std::string& a : accepted) {
      if (mainSet.count(a)) continue;
      for (std::string up = ParentOf(a); !up.empty(); up = ParentOf(up))
        if (mainSet.count(up)) {
          nested[up].push_back(a);
          break;
        }
    }
  std::string common = std::to_string(static_cast<int>(all.mode)) + "|";
  for (const std::string& p : all.patterns) common += p + "\n";
  for (const std::string& main : mains) {
    treeops::DeleteJob job;
    job.includes.push_back(main);
    job.mode = all.mode;
    job.patterns = all.patterns;
    job.protectedFolders = all.protectedFolders;
    std::string key = core::FoldCase(main) + "|" + common;
    auto inside = nested.find(main);
    if (inside != nested.end()) {
      std::sort(inside->second.begin(), inside->second.end(), core::FoldedLess());
      for (const std::string& n : inside->second) {
        key += core::FoldCase(n) + "\n";
        job.includes.push_back(n);
      }
    }
    auto cached = previewCache_.find(key);
    if (cached == previewCache_.end()) {
      const treeops::DeletePlan plan = treeops::PreviewDelete(job);
      Counts counts;
      counts.folders = static_cast<double>(plan.folders.size());
      counts.files = static_cast<double>(plan.files.size());
      counts.bytes = plan.bytes;
      cached = previewCache_.emplace(key, counts).first;
    }
    Vol07PreviewCounters[0] += cached->second.folders;
    Vol07PreviewCounters[1] += cached->second.files;
    PreviewBytes += cached->second.bytes;
  }
}

void DeletePage::ShowVol07PreviewCounters() {
  lblVol07FoldersToDelete.SetText(CounterText(Vol07PreviewCounters[0]));
  lblVol07FilesToDelete.SetText(CounterText(Vol07PreviewCounters[1]));
  if (View.counter) {
    View.counter(0, CounterText(Vol07PreviewCounters[0]));
    View.counter(4, CounterText(Vol07PreviewCounters[1]));
  }
}

void DeletePage::ShowVol07ResultCounters() {
  ui::Label* labels[6] = {&lblVol07FoldersDeleted,   &lblVol07FilesDeleted,        &lblVol07FoldersNotExists,
                          &lblVol07FilesNotExists,   &lblVol07FoldersOtherReasons, &lblVol07FilesOtherReasons};
  // The window's grid: folders row 1-3, files row 5-7.
  const int window[6] = {1, 5, 2, 6, 3, 7};
  for (int i = 0; i < 6; ++i) {
    labels[i]->SetText(CounterText(shown_->counters[i]));
    if (View.counter) View.counter(window[i], CounterText(shown_->counters[i]));
  }
}

// ---- Clear Fields, Visual Log ---------------------------------------------------------

void DeletePage::btnVol07ClearAllClick() {
  if (busy_ || Box(DeleteMsg::ClearAsk) != IDYES) return;
  Lists.Clear();
  Levels.Clear();
  chkVol07ShowDetailedResults.SetChecked(true);
  chkVol07DeleteDoubleConfirm.SetChecked(true);
  rdoVol07DeleteCompleteFolders.SetChecked(true);
  ClearVol07PreviewCounters();
  previewCache_.clear();
  // The lists go; the last run's counters stay, as the results window keeps them.
  for (treeops::DeleteResults* r : {&Results, &SimulationResults}) {
    const std::array<double, 6> counters = r->counters;
    r->Clear();
    r->counters = counters;
  }
  ShowVol07PreviewCounters();
  SetVol07ControlsEnabled(false);
  Box(DeleteMsg::ClearEnd);
}

void DeletePage::btnVol07StatisticsClick() {
  ShowVol07PreviewCounters();
  ShowVol07ResultCounters();
  if (View.showBeside) View.showBeside();
}

// ---- Run and simulation -----------------------------------------------------------------

std::string DeletePage::Summary(const treeops::DeletePlan& plan, treeops::DeleteMode mode) const {
  std::string out;
  // Only the last mode deletes the Main Folders themselves; the others say they stay.
  const std::string mains = std::to_string(plan.mainFolders.size());
  switch (mode) {
    case treeops::DeleteMode::CompleteFolders: out += "Main Folders : " + mains + "\n"; break;
    case treeops::DeleteMode::SubFolders:
      out += "Main Folders kept : " + mains +
             "\n   (the Main Folders themselves stay; all their subfolders and the files\n"
             "   lying directly in them are deleted)\n";
      break;
    default: out += "Main Folders kept : " + mains + "\n   (the folders stay; only files are deleted)\n"; break;
  }
  out += "Folders : " + std::to_string(plan.folders.size()) + "\n";
  out += "Files : " + std::to_string(plan.files.size()) + "\n";
  out += "Size : " + core::FormatByteSize(plan.bytes) + "\n";
  AddLines(out, "\nFolders of the EXCLUDE list lying inside them (deleted with them) :", plan.excludedInside);
  AddLines(out, "\nListed Main Folders kept (they lie inside another listed folder) :", plan.keptMainFolders);
  std::vector<std::string> refused;
  for (const treeops::Refusal& r : plan.refused) refused.push_back(r.path + "  (" + r.reason + ")");
  AddLines(out, "\nRefused, never touched :", refused);
  AddLines(out, "\nNot found :", plan.missing);
  return out;
}

std::vector<ui::Control*> DeletePage::CommandControls() {
  std::vector<ui::Control*> controls = Lists.CommandControls();
  for (ui::Control* c : Levels.CommandControls()) controls.push_back(c);
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &rdoVol07DeleteSubFolders, &rdoVol07DeleteCompleteFolders, &rdoVol07DeleteOnlyFilesInMainFolder,
           &rdoVol07DeleteOnlyFiles, &chkVol07ShowDetailedResults, &chkVol07DeleteDoubleConfirm,
           &btnVol07DeleteFolders, &btnVol07DeleteFoldersSimulation, &btnVol07ClearAll})
    controls.push_back(c);
  return controls;
}

void DeletePage::Start(bool simulation) {
  if (busy_ || lstVol07IncludeFolderList.Count() == 0) return;
  // The page as it stands now, counted afresh: the run deletes exactly what
  // this preview finds and the question names.
  protectedKnown_ = false;
  const treeops::DeleteJob job = Snapshot();
  const treeops::DeletePlan plan = treeops::PreviewDelete(job);
  const std::string summary = Summary(plan, job.mode);
  if (simulation) {
    if (Box(DeleteMsg::SimConfirm, *simStart_ + "\n\n" + summary) != IDYES) return;
  } else if (plan.Items() == 0) {
    Box(DeleteMsg::RunNothing, summary);
  } else {
    if (Box(DeleteMsg::RunConfirm, summary) != IDYES) return;
    if (chkVol07DeleteDoubleConfirm.Checked() && Box(DeleteMsg::RunConfirmAgain, summary) != IDYES) return;
  }

  // Counters, lists and the window start empty.
  // A simulation never touches the last run's results.
  treeops::DeleteResults& out = simulation ? SimulationResults : Results;
  out.Clear();
  shown_ = &out;
  Vol07PreviewCounters[0] = static_cast<double>(plan.folders.size());
  Vol07PreviewCounters[1] = static_cast<double>(plan.files.size());
  PreviewBytes = plan.bytes;
  if (View.setRunMode) View.setRunMode(!simulation);
  if (View.clearLists) View.clearLists();
  ShowVol07PreviewCounters();
  ShowVol07ResultCounters();
  if (chkVol07ShowDetailedResults.Checked() && View.showBeside) View.showBeside();

  {
    ui::RunLock lock(CommandControls(), otherSheets_, busy_);
    pbVol07ProgressBar.SetRange(0, static_cast<int>(std::min<size_t>(plan.Items(), 0x7fffffff)));
    pbVol07ProgressBar.SetPosition(0);
    pbVol07ProgressBar.SetVisible(true);
    // Entries reach the window in batches, as the counters do.
    std::array<size_t, 6> shown{};
    auto flush = [&] {
      const std::deque<std::string>* lists[6] = {&out.foldersDeleted, &out.foldersNotExist,
                                                 &out.foldersOther,   &out.filesDeleted,
                                                 &out.filesNotExist,  &out.filesOther};
      for (int k = 0; k < 6; ++k) {
        if (shown[k] == lists[k]->size()) continue;
        if (View.append)
          View.append(k, std::vector<std::string>(lists[k]->begin() + shown[k], lists[k]->end()));
        shown[k] = lists[k]->size();
      }
      ShowVol07ResultCounters();
    };
    ui::Throttle throttle;
    // The run works from the start-up folder and changes no directory on its way.
    InStartupDirectory([&] {
      treeops::RunDelete(plan, simulation, out, [&](size_t done, size_t) {
        if (throttle.Due()) {
          pbVol07ProgressBar.SetPosition(static_cast<int>(done));
          flush();
          ui::App().ProcessMessages();
        }
        return !ui::App().Terminated();
      });
    });
    if (ui::App().Terminated()) return;  // the main window is closing: no more boxes
    flush();
    pbVol07ProgressBar.SetVisible(false);
  }
  if (!simulation) previewCache_.clear();  // the disk changed
  const std::string deleted = simulation ? " that would be deleted : " : " deleted : ";
  std::string outcome = "Folders" + deleted + CounterText(out.counters[0]) +
                        "\nFiles" + deleted + CounterText(out.counters[1]) +
                        "\nNot deleted (not exists) : " + CounterText(out.counters[2] + out.counters[3]) +
                        "\nNot deleted (other reasons) : " + CounterText(out.counters[4] + out.counters[5]);
  if (simulation)
    Box(DeleteMsg::SimEnd, *simEnd_ + "\n\n" + outcome);
  else if (plan.Items() > 0)
    Box(DeleteMsg::RunEnd, outcome);
  RefreshVol07Tab();
}
