#include "treeops/delete_page.h"

#include "core/casefold.h"
#include "core/examine_subfolders.h"
#include "core/remover.h"
#include "core/settings_store.h"
#include "core/textutil.h"
#include "listwin/frmFileSelection.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmStatistic.h"
#include "treeops/level_builder_twins.h"
#include "ui/application.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>

using core::CounterText;
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
    {DeleteMsg::ViewNotAFolder, "0695", core::kMsgWarning, core::kNotAFolderText, T07 B12 "Warning no: 0695."},
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
    {DeleteMsg::RunCountStopped, "0636", core::kMsgInformation,
     "The count was stopped !\nNothing was deleted: the Delete process is stopped.",
     T07 B12 "Information no: 0636."},
    {DeleteMsg::SimCountStopped, "0637", core::kMsgInformation,
     "The count was stopped !\nNothing was deleted: the Simulation is stopped.",
     S07 B12 "Information no: 0637."},
};

// Where the boxes' lists are whole: the questions' in a file they save (no
// list of the Visual Log holds the Main Folders kept or the excluded folders
// deleted with them); the end boxes' in the Visual Log, while its lists are
// whole, else in a file too.
const char kQuestionFile[] = "delete question.txt";
const char kEndPlace[] = "the Visual Log, lists OTHER REASONS of FOLDERS and of FILES, each with why.";
const char kEndFile[] = "delete end.txt";

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

  // The results window (made after the main window): counters and place.
  View.counter = [](int i, const std::string& text) {
    if (frmStatistics07) frmStatistics07->Counter(i).SetText(text);
  };
  View.showBeside = [this] {
    if (frmStatistics07) run_.ShowLog(*frmStatistics07);
  };
  RunBinding::Page page;
  page.form = form_;
  page.progress = &pbVol07ProgressBar;
  page.window = [] { return static_cast<TResultsWindow*>(frmStatistics07); };
  page.commands = [this] { return CommandControls(); };
  page.runButtons = {&btnVol07DeleteFolders, &btnVol07DeleteFoldersSimulation};
  page.counting = &lblVol07Counting;
  page.stop = &btnVol07StopCounting;
  run_.Bind(std::move(page));

  rdoVol07DeleteOnlyFiles.SetHint("Retain Empty Main Folders and their Subfolder Structures too.");
  rdoVol07DeleteOnlyFilesInMainFolder.SetHint(
      "Retain Empty Main Folders, and Complete Subfolder Structures with Files.");
  btnVol07FileSelection.SetHint("Select File Names and/or File Types");
  chkVol07ShowDetailedResults.SetHint("Show Detailed Results window DURING the DELETE process.");
  // The live count is the quick one; the questions before a delete count what will go and what stays.
  for (ui::Label* l : {&lblVol07FoldersToDelete, &lblVol07FilesToDelete})
    l->SetHint("Counted as listed. The question before the delete counts what will go: links, names this "
               "system cannot address and paths too long are counted apart and kept.");
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

int DeletePage::ListingBox(DeleteMsg id, const std::string& lead, const std::vector<core::ListedSection>& lists,
                           const std::string& place, const char* file) {
  const core::BoxMessage m = core::Compose(kDeletePageMessages[id], lead + "{}");
  return ui::App().MessageBox(core::ListingBoxText(m.text, lists, core::WholeList{place, file, m.caption}),
                              m.caption, m.flags);
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
  d.rule = [rule = ListRule()](ListRoad road) { return rule.Judge(road); };
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
// A drive or share root is the page's own refusal (0334): on the hand-backs and
// Build a List it ends the road, the entries before it staying.
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
    if (road == ListRoad::HandBack || road == ListRoad::SmartImport || road == ListRoad::LevelBuilder) {
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
  if (!radio.Checked() || run_.Busy()) return;
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

// What the mode would delete, counted on the disk as it is now at every change
// of the page (the lists, the mode, the file selection): the run's own preview,
// so the counts are those its question will name. Nothing is kept between two
// counts: a file added meanwhile outside the program is counted.
void DeletePage::ScanVol07IncludeFolders() {
  ClearVol07PreviewCounters();
  if (lstVol07IncludeFolderList.Count() == 0) return;
  const treeops::DeletePlan plan = treeops::PreviewDelete(Snapshot());
  Vol07PreviewCounters[0] = static_cast<double>(plan.folders.size());
  Vol07PreviewCounters[1] = static_cast<double>(plan.files.size());
  PreviewBytes = plan.bytes;
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
  if (run_.Busy() || Box(DeleteMsg::ClearAsk) != IDYES) return;
  Lists.Clear();
  Levels.Clear();
  chkVol07ShowDetailedResults.SetChecked(true);
  chkVol07DeleteDoubleConfirm.SetChecked(true);
  rdoVol07DeleteCompleteFolders.SetChecked(true);
  ClearVol07PreviewCounters();
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

std::string DeletePage::Summary(const treeops::DeletePlan& plan, const treeops::DeleteResults& forecast,
                                treeops::DeleteMode mode) const {
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
  // The counts are those of the run itself: what it will keep is counted apart.
  out += "Folders : " + CounterText(forecast.counters[0]) + "\n";
  out += "Files : " + CounterText(forecast.counters[1]) + "\n";
  out += "Size : " + core::FormatByteSize(forecast.bytes) + "\n";
  return out;
}

std::vector<core::ListedSection> DeletePage::SummaryLists(const treeops::DeletePlan& plan,
                                                          const treeops::DeleteResults& forecast) const {
  auto list = [](const std::string& heading, const std::vector<std::string>& paths) {
    core::ListedGroups items;
    for (const std::string& p : paths) items.Add(p);
    return core::ListedSection{heading, items.Groups()};
  };
  return {list("Folders of the EXCLUDE list lying inside them (deleted with them)", plan.excludedInside),
          list("Listed Main Folders kept (they lie inside another listed folder)", plan.keptMainFolders),
          treeops::ReasonsSection(forecast.reasons, "Kept, never deleted"), list("Not found", plan.missing)};
}

// The page as it stands now, walked afresh and counted from that listing:
// the run deletes exactly the items of this walk, and the questions name what
// this count finds. The page says that it counts and that nothing is deleted
// yet; Stop or Escape ends the count with nothing done, and a box says so.
bool DeletePage::CountFirst(const treeops::DeleteJob& job, bool simulation, core::Remover& remover,
                            treeops::DeletePlan& plan, treeops::DeleteResults& forecast) {
  const std::string text = simulation
                               ? "Counting the folders and files for the simulation - nothing is deleted. Press Esc "
                                 "or Stop to end the count."
                               : "Counting the folders and files to delete - nothing is deleted yet. Press Esc or "
                                 "Stop to end the count.";
  return run_.Count(text, otherSheets_, [&](const treeops::Progress& progress) {
    plan = treeops::PreviewDelete(job, progress);
    return !plan.stopped && treeops::CountDelete(plan, remover, forecast, progress);
  });
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
  if (run_.Busy() || lstVol07IncludeFolderList.Count() == 0) return;
  treeops::DeletePlan plan;
  treeops::DeleteResults forecast;  // what the questions name
  // One remover for the count and the run: the roads the count takes are the run's.
  core::SystemRemover remover;
  treeops::DeleteResults& out = simulation ? SimulationResults : Results;
  treeops::ReasonFinder why(out.reasons);
  RunBinding::Job run;
  run.kind = simulation ? RunBinding::Kind::Simulation : RunBinding::Kind::Run;
  run.locks = otherSheets_;
  run.confirm = [&] {
    protectedKnown_ = false;
    const treeops::DeleteJob job = Snapshot();
    if (!CountFirst(job, simulation, remover, plan, forecast)) {
      // Stopped by the user (not by the program closing): said, not just gone.
      if (run_.CountStopped()) Box(simulation ? DeleteMsg::SimCountStopped : DeleteMsg::RunCountStopped);
      return false;
    }
    const std::string summary = Summary(plan, forecast, job.mode);
    const std::vector<core::ListedSection> lists = SummaryLists(plan, forecast);
    if (simulation)
      return ListingBox(DeleteMsg::SimConfirm, *simStart_ + "\n\n" + summary, lists, "", kQuestionFile) == IDYES;
    if (plan.Items() == 0) {
      // Nothing to delete: what was refused or not found is still listed.
      ListingBox(DeleteMsg::RunNothing, summary, lists, "", kQuestionFile);
      return true;
    }
    if (ListingBox(DeleteMsg::RunConfirm, summary, lists, "", kQuestionFile) != IDYES) return false;
    return !chkVol07DeleteDoubleConfirm.Checked() ||
           ListingBox(DeleteMsg::RunConfirmAgain, summary, lists, "", kQuestionFile) == IDYES;
  };
  run.reset = [&] {
    // A simulation never touches the last run's results.
    out.Clear();
    shown_ = &out;
    // Everything the run will meet: what it deletes and what it keeps.
    size_t keptFolders = 0;
    for (const core::KeptPath& k : plan.kept) keptFolders += k.folder;
    Vol07PreviewCounters[0] = static_cast<double>(plan.folders.size() + keptFolders);
    Vol07PreviewCounters[1] = static_cast<double>(plan.files.size() + plan.kept.size() - keptFolders);
    PreviewBytes = plan.bytes;
  };
  run.showLog = chkVol07ShowDetailedResults.Checked();
  // The preview's two counts, then the outcomes: the page's labels in the
  // results' order, the window's grid by rows (folders 1-3, files 5-7).
  run.counters = {{&Vol07PreviewCounters[0], &lblVol07FoldersToDelete, 0},
                  {&Vol07PreviewCounters[1], &lblVol07FilesToDelete, 4}};
  ui::Label* labels[6] = {&lblVol07FoldersDeleted,   &lblVol07FilesDeleted,        &lblVol07FoldersNotExists,
                          &lblVol07FilesNotExists,   &lblVol07FoldersOtherReasons, &lblVol07FilesOtherReasons};
  const int window[6] = {1, 5, 2, 6, 3, 7};
  for (int i = 0; i < 6; ++i) run.counters.push_back({&out.counters[i], labels[i], window[i]});
  auto reason = [&why](const std::string& path) { return why(path); };
  run.lists.emplace_back(0, &out.foldersDeleted);
  run.lists.emplace_back(1, &out.foldersNotExist);
  run.lists.emplace_back(2, &out.foldersOther, reason);
  run.lists.emplace_back(3, &out.filesDeleted);
  run.lists.emplace_back(4, &out.filesNotExist);
  run.lists.emplace_back(5, &out.filesOther, reason);
  run.work = [&](RunBinding::Sink& sink) {
    sink.Begin(plan.Items());
    sink.InBackground([&] {
      treeops::RunDelete(
          plan, simulation, out, [&](size_t done, size_t total) { return sink.Progress(done, total); }, &remover,
          true);
    });
    return true;
  };
  run.background = true;
  run.end = [&] {
    const std::string deleted = simulation ? " that would be deleted : " : " deleted : ";
    const std::string outcome = "Folders" + deleted + CounterText(out.counters[0]) + "\nFiles" + deleted +
                                CounterText(out.counters[1]) + "\nNot deleted (not exists) : " +
                                CounterText(out.counters[2] + out.counters[3]) + "\nNot deleted (other reasons) : " +
                                CounterText(out.counters[4] + out.counters[5]);
    const std::vector<core::ListedSection> reasons{treeops::ReasonsSection(out.reasons)};
    // The lists of folders and files not deleted for other reasons.
    const std::string place = run_.Place(kEndPlace, {2, 5});
    if (simulation)
      ListingBox(DeleteMsg::SimEnd, *simEnd_ + "\n\n" + outcome, reasons, place, kEndFile);
    else if (plan.Items() > 0)
      ListingBox(DeleteMsg::RunEnd, outcome, reasons, place, kEndFile);
  };
  // The preview of what is left, once the page is free again.
  run.after = [this] { RefreshVol07Tab(); };
  run_.Run(run);
}
