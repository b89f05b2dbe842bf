#include "treeops/copy_page.h"

#include "core/folder_scan.h"
#include "core/settings_store.h"
#include "core/textutil.h"
#include "listwin/frmFileSelection.h"
#include "create/creation_engine.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmStatistic.h"
#include "listwin/frmLevelSummFolder.h"
#include "treeops/level_builder_twins.h"
#include "ui/application.h"
#include "ui/seam.h"

#include <windows.h>

using core::kMsgInformation;
using core::kMsgQuestion;
using core::kMsgWarning;
using core::TrimText;
using treeops::CopyOption;

namespace {

#define T08 "Copy Folder Structure(s).-From a Folder List - Level."
#define S08 "Simulate Copy Folder Structure(s).-From a Folder List - Level."
#define CAP(title, kind, number) title "            " kind " no: " number "."

const char kEmptyInclude[] =
    "The Include Folder List is empty !\nAction : You must add at least one Folder to the Include List.";
const char kNoStructure[] =
    "The list of Folder Structures is empty !\nAction : You must add at least one Folder Structure.";
const char kUnknownSpace[] = "{}";

const core::NumberedMessage<CopyMsg> kRows[] = {
    {CopyMsg::AddEmpty, "0262", kMsgWarning, "The selection field is empty !!!", CAP(T08, "Warning", "0262")},
    {CopyMsg::InInclude, "0263", kMsgWarning, "This folder exists in the INCLUDE FOLDER LIST !!!",
     CAP(T08, "Warning", "0263")},
    {CopyMsg::InExclude, "0264", kMsgWarning, "This folder exists in the EXCLUDE FOLDER LIST !!!",
     CAP(T08, "Warning", "0264")},
    {CopyMsg::DeleteSelected, "0276", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from "
     "the EXCLUDE list.\n",
     CAP(T08, "Warning", "0276")},
    {CopyMsg::ExcludeEmpty, "0277", kMsgWarning,
     "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to "
     "delete it.\n",
     CAP(T08, "Warning", "0277")},
    {CopyMsg::ViewNothing, "0278", kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
     CAP(T08, "Warning", "0278")},
    {CopyMsg::ViewNotAFolder, "0696", kMsgWarning, core::kNotAFolderText, CAP(T08, "Warning", "0696")},
    {CopyMsg::ExcludeAllEmpty, "0520", kMsgWarning, "Empty List in the Exclude Window!\n",
     CAP(T08, "Warning", "0520")},
    {CopyMsg::DeleteAll, "0521", kMsgQuestion, "Do you want to delete all item(s) from the Exclude list ?",
     CAP(T08, "Warning", "0521")},
    {CopyMsg::ExportEmpty, "0560", kMsgWarning, "The Include List is empty !\n",
     T08 "             Warning no: 0560."},
    {CopyMsg::Refused, "0640", kMsgWarning,
     "This folder can not be a Main Folder of the Copy process :\n{}", CAP(T08, "Warning", "0640")},
    {CopyMsg::NotTaken, "0660", kMsgWarning, "Not every entry was added to the INCLUDE list !\n\n{}",
     CAP(T08, "Warning", "0660")},
    {CopyMsg::DiskSpace, "0177", kMsgWarning, "{}",
     "Creating Folder(s).-From a Folder List.            Information no: 0177."},
    {CopyMsg::SelectFilesHint, "0277", kMsgWarning, "{}", CAP(T08, "Warning", "0277")},
    {CopyMsg::StructureNotSelected, "0280", kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
     CAP(T08, "Warning", "0280")},
    {CopyMsg::StructureNotAFolder, "0697", kMsgWarning, core::kNotAFolderText, CAP(T08, "Warning", "0697")},
    {CopyMsg::StructureKept, "0661", kMsgWarning, "{}", CAP(T08, "Warning", "0661")},
    {CopyMsg::StructureRemove, "0281", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?", CAP(T08, "Warning", "0281")},
    {CopyMsg::ClearAsk, "0287", kMsgQuestion,
     "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the "
     "delete process.",
     CAP(T08, "Information", "0287")},
    {CopyMsg::ClearEnd, "0288", kMsgWarning, "End of the CLEAR FIELDS process !!!\n",
     "Copy Folder Structure(s).-From a Folder List Level.           Warning no: 0288."},
    {CopyMsg::UndoNothing, "0290", kMsgWarning,
     "No UNDO process !!!\nThere are no copied Subfolders (and files) !!!\nYou must copy at least on one "
     "Subfolder to UNDO them.",
     CAP(T08, "Warning", "0290")},
    {CopyMsg::UndoAsk, "0291", kMsgQuestion, "Do you want to delete all folders (and files)\ncopied last time ?",
     CAP(T08, "Information", "0291")},
    {CopyMsg::UndoReport, "0292", kMsgWarning,
     "The program is unable to delete the following folders (and their contents), and/or separate files : "
     "\n\nOTHER REASONS   : \n\n{}",
     "Copy Folder Structure(s).-From a Folder List Level.            Information no: 0292."},
    {CopyMsg::UndoEnd, "0293", kMsgInformation, "End of the Undo process !!!", CAP(T08, "Information", "0293")},
    {CopyMsg::WholeDisk, "0330", kMsgQuestion,
     "Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick YES to "
     "Copy,\nClick NO to Cancel.",
     CAP(T08, "Information", "0330")},
    {CopyMsg::RunEmpty, "0647", kMsgWarning, kEmptyInclude, CAP(T08, "Warning", "0647")},
    {CopyMsg::RunNoStructure, "0648", kMsgWarning, kNoStructure, CAP(T08, "Warning", "0648")},
    {CopyMsg::RunStructureRefused, "0649", kMsgWarning, "{}", CAP(T08, "Warning", "0649")},
    {CopyMsg::RunSpaceUnknown, "0650", kMsgWarning, kUnknownSpace, CAP(T08, "Warning", "0650")},
    {CopyMsg::RunConfirm, "0651", kMsgQuestion, "{}", CAP(T08, "Information", "0651")},
    {CopyMsg::RunEnd, "0652", kMsgInformation, "End of the Copy process !!!\n{}", CAP(T08, "Information", "0652")},
    {CopyMsg::RunDiskFull, "0653", kMsgWarning, "{}", CAP(T08, "Warning", "0653")},
    {CopyMsg::SimEmpty, "0654", kMsgWarning, kEmptyInclude, CAP(S08, "Warning", "0654")},
    {CopyMsg::SimNoStructure, "0655", kMsgWarning, kNoStructure, CAP(S08, "Warning", "0655")},
    {CopyMsg::SimStructureRefused, "0656", kMsgWarning, "{}", CAP(S08, "Warning", "0656")},
    {CopyMsg::SimSpaceUnknown, "0657", kMsgWarning, kUnknownSpace, CAP(S08, "Warning", "0657")},
    {CopyMsg::SimConfirm, "0658", kMsgQuestion, "{}", CAP(S08, "Information", "0658")},
    {CopyMsg::SimEnd, "0659", kMsgInformation, "{}", CAP(S08, "Information", "0659")},
};

std::string Counted(double value) { return core::CounterText(value); }

} // namespace

const core::MessageTable<CopyMsg> kCopyPageMessages = core::TableOf(kRows);

namespace {

// The files written over unfinished copies an earlier run left, as a list of the end box.
core::ListedSection Replaced(const std::vector<treeops::Refusal>& notes) {
  core::ListedGroups files;
  for (const treeops::Refusal& n : notes) files.Add(n.path);
  return {"Unfinished copies of an earlier run, written afresh", files.Groups()};
}

// Where the boxes' lists are whole: the questions' in a file they save (no
// list of the Visual Log holds the pairs not copied into themselves); the
// end boxes' and the undo's in the Visual Log, while its lists are whole,
// else in a file too.
const char kQuestionFile[] = "copy question.txt";
const char kEndPlace[] =
    "the Visual Log, lists FAILED COPY - OTHER REASONS (each with why) and, for the files written afresh, Files "
    "in Structure (each with a note).";
const char kEndFile[] = "copy end.txt";
const char kUndoPlace[] = "the Visual Log, list FAILED COPY - OTHER REASONS, each with why.";
const char kUndoFile[] = "copy undo.txt";

// A box that lists items: the row's text with lead and the lists in the
// place of "{}", cut to fit the screen; their whole list is place (a list of
// the Visual Log) or, when place is empty, file, saved by the box when it
// cannot name every item.
int ListingBox(CopyMsg id, const std::string& lead, const std::vector<core::ListedSection>& lists,
               const std::string& place, const char* file, const std::string& tail = std::string()) {
  const core::BoxMessage m = core::Compose(kCopyPageMessages[id], lead + "{}" + tail);
  return ui::App().MessageBox(core::ListingBoxText(m.text, lists, core::WholeList{place, file, m.caption}),
                              m.caption, m.flags);
}

} // namespace

CopyPage::CopyPage(ui::Form* form, Shared shared)
    : form_(form), Lists(form_, ListHalf()), Levels(form_, Lists, LevelHalf()), shared_(std::move(shared)) {
  for (ui::RadioButton* r : {&rdoVol08AttachMainFolderWithoutFiles, &rdoVol08AttachSubFoldersOnlyWithoutFiles,
                             &rdoVol08AttachMainFolderWithFiles, &rdoVol08AttachSubFoldersOnlyWithFiles})
    r->OnClick = [this, r] { OptionClick(*r); };
  btnVol08AddFolderStructure.OnClick = [this] { btnVol08AddFolderStructureClick(); };
  btnVol08ViewFolderStructure.OnClick = [this] { btnVol08ViewFolderStructureClick(); };
  btnVol08RemoveFolderStructure.OnClick = [this] { btnVol08RemoveFolderStructureClick(); };
  btnVol08CopyFolders.OnClick = [this] { Start(false); };
  btnVol08CopyFoldersSimulation.OnClick = [this] { Start(true); };
  btnVol08Undo.OnClick = [this] { btnVol08UndoClick(); };
  btnVol08ClearAll.OnClick = [this] { btnVol08ClearAllClick(); };

  rdoVol08AttachMainFolderWithoutFiles.SetHint(
      "Complete Folder Structures (Main Folders, Subfolders) but without Files will be copied to each "
      "Existing Folder from the Include List.");
  rdoVol08AttachSubFoldersOnlyWithoutFiles.SetHint(
      "Only Subfolders - without Main Folders and Files - will be Copied to each Existing Folder from the "
      "Include List.");
  rdoVol08AttachMainFolderWithFiles.SetHint(
      "Complete Folder Structures (Main Folders, Subfolders, Files) will be Copied to each Existing Folder "
      "from the Include List.");
  rdoVol08AttachSubFoldersOnlyWithFiles.SetHint(
      "Subfolders and Files - without Main Folders - will be Copied to each Existing Folder from the "
      "Include List.");
  lstVol08AddFolderStructure.SetHint("Contains the List of additional Subfolder structures.");
  btnVol08CopyFolders.SetHint("Copy Folder Structures to the Main Folders from the INCLUDE Folder List.");
  chkVol08ShowDetailedResults.SetHint("Show Detailed Results during the Copy process.");
  btnVol08ExchangeIncToExc.SetHint("Exchange the contents of the two window.");

  // The Visual Log (made after the main window).
  CopyResultsWindow w;
  w.counter = [](int page) -> ui::Label* {
    return frmStatistic08 ? &frmStatistic08->Counter(VisualLogCounter(page)) : nullptr;
  };
  w.clearLists = [] {
    if (frmStatistic08) frmStatistic08->ClearLists();
  };
  w.show = [this] {
    if (frmStatistic08) run_.ShowLog(*frmStatistic08);
  };
  window_ = std::move(w);
  RunBinding::Page page;
  page.form = form_;
  page.progress = &pbVol08ProgressBar;
  page.window = [] { return static_cast<TResultsWindow*>(frmStatistic08); };
  page.commands = [this] { return CommandControls(); };
  page.runButtons = {&btnVol08CopyFolders, &btnVol08CopyFoldersSimulation, &btnVol08Undo};
  run_.Bind(std::move(page));
}

ListPairDescription CopyPage::ListHalf() {
  ListPairDescription d;
  ListPairControls& c = d.c;
  c.add = &btnVol08AddFolderToList;  // no field: the folder picker
  c.include = &lstVol08IncludeFolderList;
  c.exclude = &lstVol08ExcludeFolderList;
  c.includeCount = &lblVol08IncludeSum;
  c.excludeCount = &lblVol08ExcludeSum;
  c.incToExc = &btnVol08IncToExc;
  c.excToInc = &btnVol08ExcToInc;
  c.allFromInc = &btnVol08AllfromInc;
  c.allFromExc = &btnVol08AllfromExc;
  c.exchange = &btnVol08ExchangeIncToExc;
  c.deleteSelected = &btnVol08DeleteExcludeList;
  c.deleteAll = &btnVol08DeleteExcludeAll;
  c.smartImport = &btnVol08SmartImport;
  c.subfolderBuilder = &btnVol08SubFolderLevelListBuilder;
  c.smartExport = &btnVol08SmartExport;
  c.editList = &btnVol08EditIncludeList;
  c.view = &btnVol08IncludeFolderListView;
  c.importList = &btnVol08LoadFrom;
  c.exportList = &btnVol08SaveTo;
  c.help = &btnVol08Help;
  c.visualLog = &btnVol08Statistics;
  c.examples = &btnVol08Examples;
  c.fileSelection = &btnVol08FileSelection;
  c.progress = &pbVol08ProgressBar;
  c.open = &OpenDialog3;
  c.save = &SaveDialog3;
  c.captions = {&lblVol08IncludeFolderList, &lblVol08ExcludeFolderList, &lblVol08IncludeSumCim,
                &lblVol08ExcludeSumCim};
  d.box = [this](ListMsg m, const std::string& arg) {
    static const CopyMsg rows[] = {CopyMsg::AddEmpty,        CopyMsg::InInclude,       CopyMsg::InExclude,
                                   CopyMsg::ExcludeEmpty,    CopyMsg::DeleteSelected,  CopyMsg::ExcludeAllEmpty,
                                   CopyMsg::DeleteAll,       CopyMsg::ExportEmpty,     CopyMsg::ViewNothing,
                                   CopyMsg::NotTaken,        CopyMsg::ViewNotAFolder};
    return Box(rows[static_cast<size_t>(m)], arg);
  };
  d.rule = [rule = ListRule()](ListRoad road) { return rule.Judge(road); };
  d.refresh = [this] { RefreshVol08Tab(); };
  d.excToIncAsks = d.allFromExcAsks = d.movesNeedDrive = true;
  d.manualAddAsks = true;
  d.afterFileSelection = [this] {
    ShowVol08FileTypes();
    ClearVol08Counters();
    ScanVol08CopyPreview();
    ShowVol08Counters();
    ShowVol08CountersOnStatistics();
  };
  // Imported entries are taken whole, as they come (the rule knows any spelling).
  d.splitAtDrives = false;
  d.emptyImportCaption = CAP(T08, "Warning", "0401");
  d.emptyBuilderCaption = CAP(T08, "Warning", "0595");
  d.exportKind = kExportKindFolders;
  d.exportFilter = ExportFilter::WithDrive;
  d.editor = [] { return static_cast<TfrmEditIncludeList*>(frmVol08EditIncludeList); };
  d.listFile = &kListFileVol08;
  d.afterExportList = [this] { SetVol08ControlsEnabled(lstVol08IncludeFolderList.Count() > 0); };
  d.focusAfterList = &lstVol08IncludeFolderList;
  d.focusAfterImport = &btnVol08SmartImport;
  d.help = [] { ShowHelpTopic("Copy"); };
  d.examples = [] { ShowExamples(ExamplesKind::Copy); };
  d.visualLog = [this] { btnVol08StatisticsClick(); };
  return d;
}

// The in-page level builder: its controls, its boxes and the page's quirks.
LevelBuilderDescription CopyPage::LevelHalf() {
  LevelBuilderDescription d;
  LevelBuilderControls& c = d.c;
  c.makeListSelector = &rdoVol08MakeListSelector;
  c.makeListImport = &rdoVol08MakeListImport;
  c.addToListManually = &rdoVol08AddToListManually;
  c.rootLabel = &lblVol08DestFolderName;
  c.root = &cboVol08LevelDestFolder;
  c.browse = &btnVol08AddDestFolder;
  c.view = &btnVol08ViewDestFolder;
  c.levelLabel = &lblVol08LevelNumber;
  c.fromTo = &rdoVol08SLNFromTo;
  c.from = &edtVol08FromLevelNumber;
  c.fromUd = &udVol08FromLevelNumber;
  c.toLabel = &lblVol08SLNTo;
  c.to = &edtVol08ToLevelNumber;
  c.toUd = &udVol08ToLevelNumber;
  c.above = &rdoVol08SLNAbove;
  c.aboveLevel = &edtVol08AboveLevelNumber;
  c.aboveUd = &udVol08AboveLevelNumber;
  c.below = &rdoVol08SLNBelow;
  c.belowLevel = &edtVol08BelowLevelNumber;
  c.belowUd = &udVol08BelowLevelNumber;
  c.build = &btnVol08MakeList;
  c.filterLabel = &lblVol08SubFolderFilter;
  c.filter = &edtVol08SubFolderFilter;
  c.onlyTheLast = &rdoVol08GenLastSubFolder;
  c.allInThePath = &rdoVol08GenAllSubFolders;
  d.messages = kCopyLevelMessages;
  // The root summary counts the selected files and runs the page's preview; an
  // empty root leaves the focus where it is.
  d.summary = [this](const std::string& root) { ShowVol08SourceFolderInfo(root); };
  d.focusRootAfterEmpty = false;
  return d;
}

// The root's selected files by level (the root counted unless a "Subfolders Only"
// option is chosen), then the page's own preview, as its refresh runs it.
void CopyPage::ShowVol08SourceFolderInfo(const std::string& root) {
  ClearVol08Counters();
  const std::string trimmed = TrimText(root);
  if (!trimmed.empty()) {
    core::FolderStructSize scan(trimmed);
    scan.SetCountRootFolder(treeops::CopyMainFolder(Option()));
    scan.SetFilePatterns(core::Settings().GetFilePatternList());
    scan.ScanSelectedFilesTree();
    ShowLevelSummary(scan);
  }
  ScanVol08CopyPreview();
  ShowVol08Counters();
  ShowVol08CountersOnStatistics();
}

// One rule on every road into the include list: the folder the run's target
// check takes, in any spelling it can bring to one path, and not the same folder
// as an entry of either list ("C:\Data" and "c:/data/" are one folder). A list
// file's line on a drive this machine lacks is not taken either.
treeops::FolderListRule CopyPage::ListRule() {
  treeops::FolderListRule::Page page;
  page.include = &lstVol08IncludeFolderList;
  page.exclude = &lstVol08ExcludeFolderList;
  page.protectedFolders = [this]() -> const treeops::ProtectedFolders& { return protected_; };
  // A drive root too (an empty structure copied onto a USB stick): the run
  // only adds new folders and files inside it.
  page.rootsTaken = true;
  page.refusedBox = [this](const std::string& entry, const std::string& reason) {
    Box(CopyMsg::Refused, TrimText(entry) + "\n" + reason);
  };
  page.listedBox = [this](bool inInclude) { Box(inInclude ? CopyMsg::InInclude : CopyMsg::InExclude); };
  page.extra = [](const std::string& entry, ListRoad road) -> std::optional<Verdict> {
    const std::string drive = TrimText(core::ExtractFileDrive(TrimText(entry)));
    std::string typeName;
    if (road == ListRoad::ListFile && !core::GetDriveTypeName(drive, typeName))
      return Verdict::Refuse("the drive " + drive + " is not on this machine");
    return std::nullopt;
  };
  return treeops::FolderListRule(std::move(page));
}

int CopyPage::Box(CopyMsg id, const std::string& arg) {
  const core::BoxMessage b = core::Compose(kCopyPageMessages[id], arg);
  return ui::App().MessageBox(b.text, b.caption, b.flags);
}

void CopyPage::InitVol08Page() {
  protected_ = treeops::SystemProtectedFolders(core::Settings().GetStartupDirectory());
  rdoVol08AttachMainFolderWithoutFiles.SetChecked(true);
  chkVol08ShowDetailedResults.SetChecked(true);
  ClearVol08Counters();
  ShowVol08Counters();
  SetVol08ControlsEnabled(false);
  Lists.ShowCounts();
  Levels.Init();
  for (ui::ListBox* l : {&lstVol08IncludeFolderList, &lstVol08ExcludeFolderList, &lstVol08AddFolderStructure})
    l->SetHorizontalExtent(3000);
}

// ---- Options, preview, counters ------------------------------------------------------

CopyOption CopyPage::Option() const {
  if (rdoVol08AttachSubFoldersOnlyWithoutFiles.Checked()) return CopyOption::SubOnlyWithoutFiles;
  if (rdoVol08AttachMainFolderWithFiles.Checked()) return CopyOption::MainWithFiles;
  if (rdoVol08AttachSubFoldersOnlyWithFiles.Checked()) return CopyOption::SubOnlyWithFiles;
  return CopyOption::MainWithoutFiles;
}

treeops::CopyJob CopyPage::Job() const {
  treeops::CopyJob job;
  for (const std::string& s : lstVol08IncludeFolderList.Items()) job.includes.push_back(s);
  for (const std::string& s : lstVol08AddFolderStructure.Items()) job.structures.push_back(s);
  job.option = Option();
  for (const std::string& p : core::Settings().GetFilePatternList()) job.patterns.push_back(p);
  job.protectedFolders = protected_;
  return job;
}

// The run's own preview: the same main folders, structures, skipped pairs and
// free-space check. Only a shortfall of space is told here; the run tells the rest.
// Every structure is listed again at every change of the page, so the counts
// are those of the disk as it is now (files added meanwhile outside the
// program included), as the run's question will name them.
bool CopyPage::ScanVol08CopyPreview() {
  Preview = treeops::PreviewCopy(Job());
  if (Preview.stop.number == 177) Box(CopyMsg::DiskSpace, Preview.stop.text);
  // Without a structure the main folders are still counted: nothing else is to copy.
  if (Preview.stop.number == 702) Vol08Counters[0] = Preview.toCopy[0];
  if (Preview.stop.number != 0) return false;
  for (int i = 0; i < 4; ++i) Vol08Counters[i] = Preview.toCopy[i];
  return true;
}

void CopyPage::ResetVol08ResultCounters() {
  for (int i = 4; i < 16; ++i) Vol08Counters[i] = 0;
}

// The Visual Log's grid holds the main-folder row first (to copy, copied to,
// not existing, other reasons), then one row per structure count, by to copy,
// copied, existing and other reasons.
int CopyPage::VisualLogCounter(int i) {
  const int quantity = i < 12 ? i % 4 : i - 12;  // main folders, subfolders, files, bytes
  const int outcome = i < 12 ? i / 4 : 3;        // to copy, copied, exists, other reasons
  return quantity == 0 ? outcome : 4 + (quantity - 1) * 4 + outcome;
}

std::vector<ui::Label*> CopyPage::CounterLabels() {
  return {&lblVol08FoldersToCopy,    &lblVol08SubFoldersToCopy, &lblVol08FilesToCopy,
          &lblVol08FileSizeToCopy,   &lblVol08FoldersCopied,    &lblVol08SubFoldersCopied,
          &lblVol08FilesCopied,      &lblVol08FileSizeCopied,   &lblVol08FoldersNotExists,
          &lblVol08SubFoldersExists, &lblVol08FilesExists,      &lblVol08FileSizeExists};
}

void CopyPage::ShowVol08Counters() {
  const std::vector<ui::Label*> labels = CounterLabels();
  for (int i = 0; i < 12; ++i) labels[i]->SetText(Counted(Vol08Counters[i]));
}

std::vector<RunBinding::Counter> CopyPage::BoundCounters() {
  // The page shows the first twelve; the Visual Log all sixteen.
  const std::vector<ui::Label*> labels = CounterLabels();
  std::vector<RunBinding::Counter> counters;
  for (int i = 0; i < 16; ++i)
    counters.push_back({&Vol08Counters[i], i < 12 ? labels[i] : nullptr, VisualLogCounter(i)});
  return counters;
}

void CopyPage::ShowVol08CountersOnStatistics() {
  if (!window_.counter) return;
  for (int i = 0; i < 16; ++i)
    if (ui::Label* l = window_.counter(i)) l->SetText(Counted(Vol08Counters[i]));
}

void CopyPage::ClearVol08VisualLog() {
  if (window_.clearLists) window_.clearLists();
}

void CopyPage::UpdateFileSelectionControls() {
  const bool on = (rdoVol08AttachMainFolderWithFiles.Enabled() && rdoVol08AttachMainFolderWithFiles.Checked()) ||
                  (rdoVol08AttachSubFoldersOnlyWithFiles.Enabled() && rdoVol08AttachSubFoldersOnlyWithFiles.Checked());
  for (ui::Control* c : std::initializer_list<ui::Control*>{&btnVol08FileSelection, &lblVol08Status,
                                                            &lblVol08FileTypesAllSelected})
    c->SetEnabled(on);
}

void CopyPage::UpdateVol08CopyButtons(bool flag) {
  const bool on = flag && lstVol08IncludeFolderList.Count() > 0 && lstVol08AddFolderStructure.Count() > 0;
  btnVol08CopyFolders.SetEnabled(on);
  btnVol08CopyFoldersSimulation.SetEnabled(on);
}

void CopyPage::SetVol08ControlsEnabled(bool flag) {
  ui::Control* controls[] = {
      &lblVol08Total, &lblVol08Results, &lblVol08SubFoldersColumn, &lblVol08FilesColumn, &lblVol08FileSizeColumn,
      &lblVol08ToCopyCimke, &lblVol08SubFoldersToCopy, &lblVol08FilesToCopy, &lblVol08FileSizeToCopy,
      &lblVol08CopiedCimke, &lblVol08SubFoldersCopied, &lblVol08FilesCopied, &lblVol08FileSizeCopied,
      &lblVol08AlreadyExistsCimke, &lblVol08SubFoldersExists, &lblVol08FilesExists, &lblVol08FileSizeExists,
      &lblVol08FoldersToCopyCimke, &lblVol08FoldersColumn, &lblVol08FoldersExistsCimke, &lblVol08NotExistsCimke,
      &lblVol08FoldersToCopy, &lblVol08FoldersCopied, &lblVol08FoldersNotExists, &btnVol08Statistics,
      &btnVol08Undo, &chkVol08ShowDetailedResults, &rdoVol08AttachMainFolderWithoutFiles,
      &rdoVol08AttachSubFoldersOnlyWithoutFiles, &rdoVol08AttachMainFolderWithFiles,
      &rdoVol08AttachSubFoldersOnlyWithFiles, &lstVol08AddFolderStructure, &btnVol08AddFolderStructure,
      &btnVol08ViewFolderStructure, &btnVol08RemoveFolderStructure};
  for (ui::Control* c : controls) c->SetEnabled(flag);
  UpdateFileSelectionControls();
  UpdateVol08CopyButtons(true);
}

void CopyPage::RefreshVol08Tab() {
  const bool any = lstVol08IncludeFolderList.Count() > 0;
  SetVol08ControlsEnabled(any);
  UpdateVol08CopyButtons(any);
  ClearVol08Counters();
  ScanVol08CopyPreview();
  ShowVol08Counters();
  ShowVol08CountersOnStatistics();
}

void CopyPage::ShowVol08FileTypes() {
  const std::string* caption =
      EveryFileTypeSelected() ? shared_.allFileTypes : shared_.userFileTypes;
  if (caption) lblVol08FileTypesAllSelected.SetText(*caption);
}

void CopyPage::OptionClick(ui::RadioButton& radio) {
  if (!radio.Checked() || run_.Busy()) return;
  for (ui::Control* c : std::initializer_list<ui::Control*>{&lstVol08AddFolderStructure, &btnVol08AddFolderStructure,
                                                            &btnVol08ViewFolderStructure,
                                                            &btnVol08RemoveFolderStructure})
    c->SetEnabled(true);
  ClearVol08Counters();
  ScanVol08CopyPreview();
  ShowVol08Counters();
  ShowVol08CountersOnStatistics();
  UpdateVol08CopyButtons(true);
  UpdateFileSelectionControls();
  int* flag = &radio == &rdoVol08AttachMainFolderWithFiles       ? shared_.mainWithFilesHintShown
              : &radio == &rdoVol08AttachSubFoldersOnlyWithFiles ? shared_.subOnlyWithFilesHintShown
                                                                  : nullptr;
  if (flag && *flag == 0) {
    Box(CopyMsg::SelectFilesHint, shared_.selectFilesHint ? *shared_.selectFilesHint : std::string());
    *flag = 1;
  }
}

// ---- Structures ------------------------------------------------------------------------

void CopyPage::btnVol08AddFolderStructureClick() {
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  const std::string picked = ui::seam().PickFolder(request) ? request.result : std::string();
  const std::string trimmed = TrimText(picked);
  std::string name;
  if (trimmed.size() == 3) {
    if (core::GetDriveTypeName(trimmed, name) && Box(CopyMsg::WholeDisk) == IDYES) AddVol08FolderStructure(picked);
  } else if (trimmed.size() > 3) {
    AddVol08FolderStructure(picked);
  }
}

void CopyPage::AddVol08FolderStructure(const std::string& path) {
  const std::string trimmed = TrimText(path);
  // A link is never entered: it is refused here as the run would refuse it.
  const DWORD a = GetFileAttributesA(trimmed.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT)) {
    Box(CopyMsg::RunStructureRefused, "The Folder Structure is a link (junction or symbolic link) : \n" + trimmed);
    return;
  }
  bool listed = false;
  for (const std::string& s : lstVol08AddFolderStructure.Items())
    listed = listed || lstrcmpiA(s.c_str(), path.c_str()) == 0;
  if (!listed) {
    lstVol08AddFolderStructure.Add(path);
    // What of it can never be copied is said now (the run lists it again, in
    // every main folder it copies into, in the Visual Log).
    const treeops::CopyJob job = Job();
    const treeops::CopyStructure added =
        treeops::ListCopyStructure(trimmed, treeops::CopyWithFiles(job.option), job.patterns);
    std::vector<core::KeptPath> kept;
    for (const treeops::CopyStructure::Kept& k : added.kept) kept.push_back({added.root + "\\" + k.relative, k.reason, k.folder});
    if (!kept.empty()) Box(CopyMsg::StructureKept, core::KeptEntriesText(added.root, kept));
  }
  ClearVol08Counters();
  ScanVol08CopyPreview();
  ShowVol08Counters();
  ShowVol08CountersOnStatistics();
  UpdateVol08CopyButtons(true);
  // Both run buttons are on after a structure is added, also with an empty
  // include list (the run then says the list is empty).
  btnVol08CopyFolders.SetEnabled(true);
  btnVol08CopyFoldersSimulation.SetEnabled(true);
  lstVol08AddFolderStructure.SetFocus();
}

void CopyPage::btnVol08ViewFolderStructureClick() {
  const std::vector<int> selected = lstVol08AddFolderStructure.SelectedIndices();
  if (selected.empty()) {
    Box(CopyMsg::StructureNotSelected);
    return;
  }
  // Only a folder is handed to the shell: "open" on a file would start it.
  if (!ui::OpenFolder(TrimText(lstVol08AddFolderStructure.Item(selected.front())), form_->Handle()))
    Box(CopyMsg::StructureNotAFolder);
}

void CopyPage::btnVol08RemoveFolderStructureClick() {
  if (Box(CopyMsg::StructureRemove) == IDYES)
    lstVol08AddFolderStructure.DeleteIndices(lstVol08AddFolderStructure.SelectedIndices());
  ClearVol08Counters();
  ScanVol08CopyPreview();
  ShowVol08Counters();
  ShowVol08CountersOnStatistics();
  UpdateVol08CopyButtons(true);
  btnVol08RemoveFolderStructure.SetFocus();
}

// ---- Run and simulation ---------------------------------------------------------------

void CopyPage::ShowPreviewStop(const treeops::CopyMessage& stop, bool sim) {
  switch (stop.number) {
    case 701: Box(sim ? CopyMsg::SimEmpty : CopyMsg::RunEmpty); break;
    case 702: Box(sim ? CopyMsg::SimNoStructure : CopyMsg::RunNoStructure); break;
    case 703:
    case 706: Box(sim ? CopyMsg::SimStructureRefused : CopyMsg::RunStructureRefused, stop.text); break;
    case 704: Box(sim ? CopyMsg::SimSpaceUnknown : CopyMsg::RunSpaceUnknown, stop.text); break;
    default: Box(CopyMsg::DiskSpace, stop.text); break;
  }
}

std::string CopyPage::Summary(const treeops::CopyPreview& p) const {
  return "Main Folders : " + Counted(p.toCopy[0]) + "\nFolders, Subfolders to copy : " + Counted(p.toCopy[1]) +
         "\nFiles to copy : " + Counted(p.toCopy[2]) + "\nFile Size (bytes) : " + Counted(p.toCopy[3]) + "\n";
}

std::vector<core::ListedSection> CopyPage::SummaryLists(const treeops::CopyPreview& p) const {
  core::ListedGroups skipped;
  for (const auto& pair : p.skippedPairs) skipped.Add(pair.second + "  ->  " + pair.first);
  return {{"Not copied into itself (skipped)", skipped.Groups()},
          treeops::ReasonsSection(p.refused, "Refused Main Folders")};
}

std::vector<ui::Control*> CopyPage::CommandControls() {
  std::vector<ui::Control*> controls = Lists.CommandControls();
  for (ui::Control* c : Levels.CommandControls()) controls.push_back(c);
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &lstVol08AddFolderStructure, &btnVol08AddFolderStructure, &btnVol08ViewFolderStructure,
           &btnVol08RemoveFolderStructure, &rdoVol08AttachMainFolderWithoutFiles,
           &rdoVol08AttachSubFoldersOnlyWithoutFiles, &rdoVol08AttachMainFolderWithFiles,
           &rdoVol08AttachSubFoldersOnlyWithFiles, &btnVol08FileSelection, &chkVol08ShowDetailedResults,
           &btnVol08CopyFolders, &btnVol08CopyFoldersSimulation, &btnVol08Undo, &btnVol08ClearAll})
    controls.push_back(c);
  return controls;
}

void CopyPage::Start(bool sim) {
  if (run_.Busy()) return;
  treeops::CopyPreview preview;
  // A new run forgets the last one's outcomes and its undo record: the record
  // holds what the last run made. A simulation keeps both and works on its own.
  treeops::CopyResults& results = sim ? SimulationResults : Vol08ResultLists;
  treeops::CopyJournal dryJournal;
  RunBinding::Job run;
  run.kind = sim ? RunBinding::Kind::Simulation : RunBinding::Kind::Run;
  run.locks = shared_.locks;
  run.confirm = [&] {
    // Stop early, before anything is scanned.
    if (lstVol08IncludeFolderList.Count() == 0) {
      Box(sim ? CopyMsg::SimEmpty : CopyMsg::RunEmpty);
      return false;
    }
    if (lstVol08AddFolderStructure.Count() == 0) {
      Box(sim ? CopyMsg::SimNoStructure : CopyMsg::RunNoStructure);
      btnVol08AddFolderStructure.SetFocus();
      return false;
    }
    // The preview again, on the page and the disk as they stand (every structure
    // listed afresh): the run does what is confirmed.
    preview = treeops::PreviewCopy(Job());
    Preview = preview;
    ClearVol08Counters();
    if (preview.stop.number == 0)
      for (int i = 0; i < 4; ++i) Vol08Counters[i] = preview.toCopy[i];
    ShowVol08Counters();
    ShowVol08CountersOnStatistics();
    if (preview.stop.number != 0) {
      ShowPreviewStop(preview.stop, sim);
      return false;
    }
    const std::string lead = sim ? (shared_.simStart ? *shared_.simStart : std::string()) + "\n\n" + Summary(preview)
                                 : "Do you want to copy the Folder Structures to the Main Folders ?\n\n" +
                                       Summary(preview);
    // The question's lists, then its answers.
    return ListingBox(sim ? CopyMsg::SimConfirm : CopyMsg::RunConfirm, lead, SummaryLists(preview), "",
                      kQuestionFile, sim ? "" : "\nClick YES to Copy,\nClick NO to Cancel.") == IDYES;
  };
  run.reset = [&] {
    results.Clear();
    if (!sim) Vol08Undo.Clear();
    ResetVol08ResultCounters();
  };
  run.showLog = chkVol08ShowDetailedResults.Checked();
  run.counters = BoundCounters();
  run.sync = [&] {
    for (int i = 4; i < 12; ++i) Vol08Counters[i] = results.counters[i];
    for (int i = 0; i < 4; ++i) Vol08Counters[12 + i] = results.other[i];
  };
  // A file written over an unfinished copy an earlier run left says so beneath it.
  treeops::ReasonFinder noted(results.notes);
  run.lists.emplace_back(0, &results.foldersCopied);
  run.lists.emplace_back(1, &results.subFoldersCopied);
  run.lists.emplace_back(2, &results.filesCopied, nullptr, [&noted](const std::string& path) { return noted(path); });
  run.lists.emplace_back(3, &results.foldersNotExist);
  run.lists.emplace_back(4, &results.subFoldersExist);
  run.lists.emplace_back(5, &results.filesExist);
  // Every main folder and item not done for other reasons, with why, as the
  // rename and delete pages list theirs.
  treeops::ReasonFinder why(results.reasons);
  run.lists.emplace_back(6, &results.notDone, [&why](const std::string& path) { return why(path); });
  run.work = [&](RunBinding::Sink& sink) {
    sink.InBackground([&] {
      treeops::RunCopy(preview, sim, results, sim ? dryJournal : Vol08Undo,
                       [&](size_t done, size_t total) { return sink.Progress(done, total); });
    });
    return true;
  };
  run.background = true;
  run.end = [&] {
    if (results.stop.number == 705) Box(CopyMsg::RunDiskFull, results.stop.text);
    const std::vector<core::ListedSection> lists{treeops::ReasonsSection(results.reasons), Replaced(results.notes)};
    // The lists of what was not done for other reasons and of the files copied.
    const std::string place = run_.Place(kEndPlace, {6, 2});
    if (sim)
      ListingBox(CopyMsg::SimEnd, shared_.simEnd ? *shared_.simEnd : std::string(), lists, place, kEndFile);
    else
      ListingBox(CopyMsg::RunEnd, "", lists, place, kEndFile);
  };
  run_.Run(run);
}

// ---- Undo, Clear Fields, Visual Log -------------------------------------------------------

void CopyPage::btnVol08UndoClick() {
  if (run_.Busy()) return;
  treeops::CopyUndoReport report;
  RunBinding::Job run;
  run.kind = RunBinding::Kind::Undo;
  run.locks = shared_.locks;
  run.confirm = [&] {
    // What the last run made: its folders and its files.
    if (Vol08Undo.Empty()) {
      Box(CopyMsg::UndoNothing);
      return false;
    }
    return Box(CopyMsg::UndoAsk) == IDYES;
  };
  run.reset = [&] {
    Vol08ResultLists.Clear();
    ResetVol08ResultCounters();
  };
  run.counters = BoundCounters();
  // What stays is listed whole in the Visual Log, each item with why (a file
  // changed since the run is the user's now).
  std::vector<treeops::Refusal> stays;
  treeops::ReasonFinder why(stays);
  run.lists.emplace_back(6, nullptr, [&why](const std::string& path) { return why(path); });
  run.work = [&](RunBinding::Sink& sink) {
    sink.Begin(Vol08Undo.files.size() + Vol08Undo.folders.size());
    sink.InBackground([&] {
      report = treeops::UndoCopy(Vol08Undo, nullptr, [&](size_t done, size_t total) { return sink.Progress(done, total); });
    });
    for (size_t i = 0; i < report.stays.size(); ++i) stays.push_back({report.stays[i], report.why[i]});
    for (const treeops::Refusal& stay : stays) sink.Add(0, stay.path);
    return true;
  };
  run.background = true;
  run.end = [&] {
    if (!stays.empty())
      ListingBox(CopyMsg::UndoReport, "", {treeops::ReasonsSection(stays, "")}, run_.Place(kUndoPlace, {0}),
                 kUndoFile);
    Box(CopyMsg::UndoEnd);
  };
  run_.Run(run);
}

void CopyPage::btnVol08ClearAllClick() {
  if (run_.Busy()) return;
  if (Box(CopyMsg::ClearAsk) != IDYES) return;
  Lists.Clear();
  Levels.Clear();
  // A change of option runs its click (with its once-only hint); the others are cleared.
  rdoVol08AttachMainFolderWithFiles.SetChecked(true);
  lstVol08AddFolderStructure.Clear();
  chkVol08ShowDetailedResults.SetChecked(true);
  ClearVol08Counters();
  Vol08ResultLists.Clear();
  SimulationResults.Clear();
  Vol08Undo.Clear();
  ShowVol08Counters();
  ShowVol08CountersOnStatistics();
  SetVol08ControlsEnabled(false);
  Box(CopyMsg::ClearEnd);
}

void CopyPage::btnVol08StatisticsClick() {
  ShowVol08CountersOnStatistics();
  if (window_.show) window_.show();
}
