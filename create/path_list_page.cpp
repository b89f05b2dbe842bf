#include "create/path_list_page.h"

#include "core/casefold.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"

#include <windows.h>

#include <map>

using core::TrimText;

namespace {

#define T04 "Creating Folder(s).-From a Folder List."
#define S04 "Simulate Creating Folder(s).-From a Folder List."
const PageMsg kAddEmpty = PageMsg::Extra1, kAddNoDrive = PageMsg::Extra2,
              kAddRefused = PageMsg::Extra3, kDeleteSelected = PageMsg::Extra4,
              kExcludeEmpty = PageMsg::Extra5, kExcludeAllEmpty = PageMsg::Extra6,
              kDeleteAll = PageMsg::Extra7, kExportEmpty = PageMsg::Extra8,
              kNotTaken = PageMsg::Extra9;

const char kNoStructure[] =
    "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder "
    "structure.";
const char kStructureMissing[] =
    "The folder doesn't exist : {}\nAction : Please enter or select an existing folder.";
const char kEmptyList[] =
    "The Include list is empty !!!\nYou must enter at least one Folder to create folders.";

const PageMessage kMessages[] = {
    {kAddEmpty, "0042", kMsgWarning, "The text field is empty !!!", VEXTIL_CAPTION(T04, "Warning", "0042")},
    {kAddNoDrive, "0043", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0043")},
    {kAddRefused, "0044", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0044")},
    {kNotTaken, "0045", kMsgWarning, "Not every entry was added to the INCLUDE list !\n\n{}",
     VEXTIL_CAPTION(T04, "Warning", "0045")},
    {kDeleteSelected, "0053", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete "
     "ONLY from the EXCLUDE list.\n",
     VEXTIL_CAPTION(T04, "Warning", "0053")},
    {PageMsg::PrefixIllegal, "0054", kMsgWarning, "Illegal character in the Prefix : {}",
     VEXTIL_CAPTION(T04, "Warning", "0054")},
    {PageMsg::SuffixIllegal, "0055", kMsgWarning, "Illegal character in the Suffix : {}",
     VEXTIL_CAPTION(T04, "Warning", "0055")},
    {PageMsg::StructureEmpty, "0056", kMsgWarning,
     "The selection field is empty !\nAction : You must select a folder with subfolder "
     "structure.",
     VEXTIL_CAPTION(T04, "Warning", "0056")},
    {PageMsg::StructureNotSelected, "0057", kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a Folder with subfolders "
     "structure.",
     VEXTIL_CAPTION(T04, "Warning", "0057")},
    {PageMsg::StructureNotAFolder, "0702", kMsgWarning, core::kNotAFolderText,
     VEXTIL_CAPTION(T04, "Warning", "0702")},
    {PageMsg::StructureRemove, "0058", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?",
     VEXTIL_CAPTION(T04, "Warning", "0058")},
    {PageMsg::RunNoStructure, "0059", kMsgWarning, kNoStructure, VEXTIL_CAPTION(T04, "Warning", "0059")},
    {PageMsg::RunStructureMissing, "0060", kMsgWarning, kStructureMissing,
     VEXTIL_CAPTION(T04, "Warning", "0060")},
    {PageMsg::RunConfirm, "0061", kMsgQuestion, "Do you want to create folders ?\n",
     VEXTIL_CAPTION(T04, "Information", "0061")},
    {PageMsg::RunEnd, "0062", kMsgInformation, "End of Creating Folders/Files !!!",
     VEXTIL_CAPTION(T04, "Information", "0062")},
    {PageMsg::RunEmpty, "0063", kMsgWarning, kEmptyList, T04 "           Warning no: 0063."},
    {PageMsg::ClearAsk, "0064", kMsgQuestion,
     "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to "
     "Stop the delete process.",
     T04 "            Information no: 0064"},
    {PageMsg::ClearEnd, "0065", kMsgWarning, "End of the CLEAR FIELDS process !!!\n",
     T04 "           Warning no: 0065."},
    {PageMsg::UndoNothing, "0067", kMsgWarning,
     "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must at least one "
     "Folder to UNDO them.",
     VEXTIL_CAPTION(T04, "Warning", "0067")},
    {PageMsg::UndoAsk, "0068", kMsgQuestion,
     "Do you want to delete all folders (and files)\ncreated last time ?",
     VEXTIL_CAPTION(T04, "Information", "0068")},
    {PageMsg::UndoReport, "0069", kMsgWarning,
     "The program is unable to delete the following folders (and their contents), and/or "
     "separate files : \n\nOTHER REASONS   : \n\n{}",
     VEXTIL_CAPTION(T04, "Information", "0069")},
    {PageMsg::UndoEnd, "0070", kMsgInformation, "End of Undo process !!!",
     VEXTIL_CAPTION(T04, "Information", "0070")},
    {PageMsg::DiskSpace, "0071", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Information", "0071")},
    {PageMsg::RunMissingSize, "0072", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0072")},
    {kExcludeEmpty, "0145", kMsgWarning,
     "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE "
     "list to delete it.\n",
     VEXTIL_CAPTION(T04, "Warning", "0145")},
    {PageMsg::WholeDisk, "0333", kMsgQuestion,
     "Do you want to Attach the Entire Disk to the Folders specified in The Include Window "
     "?\nClick YES to Attach,\nClick NO to Cancel.",
     VEXTIL_CAPTION(T04, "Warning", "0333")},
    {PageMsg::StructureKept, "0746", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0746")},
    {PageMsg::RunKeptNames, "0747", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0747")},
    {PageMsg::RunWritesMoved, "0751", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0751")},
    {PageMsg::RunDiskFull, "0772", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0772")},
    {PageMsg::SimKeptNames, "0748", kMsgWarning, "{}", VEXTIL_CAPTION(S04, "Warning", "0748")},
    {PageMsg::RunSelfCopy, "0375", kMsgWarning, "{}", VEXTIL_CAPTION(T04, "Warning", "0375")},
    {PageMsg::SimNoStructure, "0471", kMsgWarning, kNoStructure, VEXTIL_CAPTION(S04, "Warning", "0471")},
    {PageMsg::SimStructureMissing, "0472", kMsgWarning, kStructureMissing,
     VEXTIL_CAPTION(S04, "Warning", "0472")},
    {PageMsg::SimConfirm, "0473", kMsgQuestion, "{}", VEXTIL_CAPTION(S04, "Information", "0473")},
    {PageMsg::SimSelfCopy, "0474", kMsgWarning, "{}", VEXTIL_CAPTION(S04, "Warning", "0474")},
    {PageMsg::SimEnd, "0475", kMsgInformation, "{}", VEXTIL_CAPTION(S04, "Information", "0475")},
    {PageMsg::SimEmpty, "0476", kMsgWarning, kEmptyList, S04 "           Warning no: 0476."},
    {PageMsg::SimMissingSize, "0477", kMsgWarning, "{}", VEXTIL_CAPTION(S04, "Warning", "0477")},
    {kExcludeAllEmpty, "0526", kMsgWarning, "Empty List in the Exclude Window!\n",
     VEXTIL_CAPTION("Creating Folder List(s).-From a Folder List.", "Warning", "0526")},
    {kDeleteAll, "0527", kMsgQuestion, "Do you want to delete all item(s) from the Exclude list ?",
     "Creating Folder List(s).-From a Folder List.             Warning no: 0527."},
    {kExportEmpty, "0557", kMsgWarning, "The Include List is empty !\n",
     VEXTIL_CAPTION(T04, "Warning", "0557")},
};

} // namespace

PathListPage::PathListPage(ui::Form* form, std::vector<ui::TabSheet*> runLocks,
                           std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
                           const std::string* simEnd)
    : CreationPage(form, [&] {
        CreationPageDescription d;
        d.messages = kMessages;
        d.messageCount = sizeof kMessages / sizeof kMessages[0];
        d.window = [] { return static_cast<TResultsWindow*>(frmStatistic04); };
        d.runLocks = std::move(runLocks);
        d.simLocks = std::move(simLocks);
        d.simStartText = simStart;
        d.simEndText = simEnd;
        d.totalsOnExists = false;  // an existing folder counts alone
        return d;
      }()),
      Lists(form_, ListHalf()) {
  CreationPageControls c{};
  c.structures = &lstVol04AddFolderStructure;
  c.addStructure = &btnVol04AddFolderStructure;
  c.viewStructure = &btnVol04ViewFolderStructure;
  c.removeStructure = &btnVol04RemoveFolderStructure;
  ui::RadioButton* radios[5] = {&rdoVol04AttachNothing, &rdoVol04AttachMainFolderWithFiles,
                                &rdoVol04AttachMainFolderWithoutFiles,
                                &rdoVol04AttachSubFoldersOnlyWithFiles,
                                &rdoVol04AttachSubFoldersOnlyWithoutFiles};
  for (int i = 0; i < 5; ++i) c.radios[i] = radios[i];
  ui::Label* labels[16] = {
      &lblVol04FoldersToCreate, &lblVol04SubFoldersToCreate, &lblVol04FilesToCreate,
      &lblVol04FilesSizeToCreate, &lblVol04FoldersCreated, &lblVol04SubFoldersCreated,
      &lblVol04FilesCreated, &lblVol04FilesSizeCreated, &lblVol04FoldersExists,
      &lblVol04SubFoldersExists, &lblVol04FilesExists, &lblVol04FilesSizeExists,
      &lblVol04FoldersOther, &lblVol04SubFoldersOther, &lblVol04FilesOther,
      &lblVol04FilesSizeOther};
  for (int i = 0; i < 16; ++i) c.counters[i] = labels[i];
  c.create = &btnVol04CreateFolders;
  c.simulate = &btnVol04CreateFoldersSimulation;
  c.undo = &btnVol04Undo;
  c.clear = &btnVol04ClearAll;
  c.viewDetailed = &chkVol04ViewDetailedResults;
  c.progress = &pbVol04ProgressBar;
  Bind(c);

  edtVol04Prefix.OnChange = [this] { edtVol04PrefixChange(); };
  edtVol04Prefix.OnExit = [this] { edtVol04PrefixChange(); };
  edtVol04Suffix.OnChange = [this] { edtVol04SuffixChange(); };
  edtVol04Suffix.OnExit = [this] { edtVol04SuffixChange(); };
  chkVol04Hyphen.OnClick = [this] { UpdateVol04Preview(); };
  btnVol04ClearAll.OnClick = [this] { btnVol04ClearAllClick(); };

  edtVol04AddToList.SetHint("Enter or select the folder(s) to the INCLUDE list.");
  lstVol04IncludeFolderList.SetHint("Contains Folder(s) that will be created.");
  lstVol04ExcludeFolderList.SetHint("Contains Folders that will not be created.");
  chkVol04Hyphen.SetHint("Hyphen between Prefix-Last SubFolder-Suffix.");
  btnVol04ExchangeIncExc.SetHint(
      "Exchange the contains of the INCLUDE and the EXCLUDE Folder list.");
}

ListPairDescription PathListPage::ListHalf() {
  ListPairDescription d;
  ListPairControls& c = d.c;
  c.addField = &edtVol04AddToList;
  c.add = &btnVol04AddToList;
  c.include = &lstVol04IncludeFolderList;
  c.exclude = &lstVol04ExcludeFolderList;
  c.includeCount = &lblVol04IncludeSum;
  c.excludeCount = &lblVol04ExcludeSum;
  c.incToExc = &btnVol04IncToExc;
  c.excToInc = &btnVol04ExcToInc;
  c.allFromInc = &btnVol04AllfromInc;
  c.allFromExc = &btnVol04AllfromExc;
  c.exchange = &btnVol04ExchangeIncExc;
  c.deleteSelected = &btnVol04DeleteFromExclude;
  c.deleteAll = &btnVol04DeleteExcludeAll;
  c.smartImport = &btnVol04SmartImport;
  c.smartExport = &btnVol04SmartExport;
  c.editList = &btnVol04EditIncludeList;
  c.zoom = &btnVol04ZoomIncludeWindow;
  c.importList = &btnVol04Open;
  c.exportList = &btnVol04Save;
  c.help = &btnVol04Help;
  c.visualLog = &btnVol04Statistics;
  c.examples = &btnVol04Examples;
  c.progress = &pbVol04ProgressBar;
  c.open = &OpenDialog2;
  c.save = &SaveDialog2;
  c.captions = {&lblVol04AddToList, &lblVol04IncludeFolderList, &lblVol04ExcludeFolderList,
                &lblVol04IncludeSumCim, &lblVol04ExcludeSumCim};
  d.box = ListBoxes({{ListMsg::AddEmpty, kAddEmpty, nullptr},
                     {ListMsg::InInclude, kAddRefused, "This item already exists in the Include list !"},
                     {ListMsg::InExclude, kAddRefused, "This item already exists in the Exclude list !"},
                     {ListMsg::ExcludeEmpty, kExcludeEmpty, nullptr},
                     {ListMsg::DeleteSelected, kDeleteSelected, nullptr},
                     {ListMsg::ExcludeAllEmpty, kExcludeAllEmpty, nullptr},
                     {ListMsg::DeleteAll, kDeleteAll, nullptr},
                     {ListMsg::ExportEmpty, kExportEmpty, nullptr},
                     {ListMsg::NotTaken, kNotTaken, nullptr}});
  d.rule = [this](ListRoad road) -> EntryJudge {
    return [this, road](const std::string& entry) { return AcceptsEntry(entry, road); };
  };
  d.refresh = [this] { RefreshPage(); };
  // A typed line may hold several paths, each with its drive; the field then
  // shows them as the page keeps them.
  d.parseAdd = [this](const std::string& trimmed, std::vector<AddPiece>& pieces, std::string& shown) {
    std::string message;
    core::StringList paths;
    if (!core::CheckDriveLetters(trimmed, message)) return Box(kAddNoDrive, message), false;
    if (!core::ParseManualText(trimmed, paths, shown, message)) return Box(kAddRefused, message), false;
    for (const std::string& path : paths) {
      const std::string p = core::TrimSpaces(path);
      pieces.push_back({p, p});
    }
    return true;
  };
  d.emptyImportCaption = T04 "             Warning no: 0383.";
  d.exportKind = kExportKindFolders;
  d.exportFilter = ExportFilter::WithDrive;
  d.editor = [] { return static_cast<TfrmEditIncludeList*>(frmVol04EditIncludeList); };
  d.listFile = &kListFileVol04;
  d.afterExportList = [this] { SetVol04ControlsEnabled(lstVol04IncludeFolderList.Count() > 0); };
  d.focusAfterList = &edtVol04AddToList;
  d.focusAfterImport = &btnVol04AddToList;
  d.help = [] { ShowHelpTopic("CreateFolders"); };
  d.examples = [] { ShowExamples(ExamplesKind::CreateFolders); };
  d.visualLog = [this] { ShowVisualLog(); };
  return d;
}

// One rule for Add, Smart Import, Import List, the editor and every hand-back:
// a full path on a drive of this machine with a folder part and names the
// system keeps as written.
Verdict PathListPage::AcceptsEntry(const std::string& entry, ListRoad road) {
  std::string message, typeName;
  if (road == ListRoad::ListFile &&
      !core::GetDriveTypeName(TrimText(core::ExtractFileDrive(entry)), typeName))
    return Verdict::Refuse("the drive " + TrimText(core::ExtractFileDrive(entry)) + " is not on this machine");
  if (core::ValidateFolderName(entry, message)) return Verdict::Take();
  if (RoadTellsRefusal(road)) Box(kAddRefused, message);
  return Verdict::Refuse(message);
}

void PathListPage::InitVol04Page() {
  rdoVol04AttachNothing.SetChecked(true);
  chkVol04Hyphen.SetChecked(true);
  chkVol04ViewDetailedResults.SetChecked(true);
  ResetCounters();
  ShowStatistics();
  StructureFiles.clear();
  lblVol04StartFolder.SetText("");
  lblVol04EndFolder.SetText("");
  SetVol04ControlsEnabled(false);
  Lists.ShowCounts();
  for (ui::ListBox* l : {&lstVol04IncludeFolderList, &lstVol04ExcludeFolderList,
                         &lstVol04AddFolderStructure})
    l->SetHorizontalExtent(3000);
}

// ---- Name fields, preview, refresh, enable rules ----------------------------------

void PathListPage::edtVol04PrefixChange() {
  if (CheckNameField(edtVol04Prefix, PageMsg::PrefixIllegal)) UpdateVol04Preview();
}

void PathListPage::edtVol04SuffixChange() {
  if (CheckNameField(edtVol04Suffix, PageMsg::SuffixIllegal)) UpdateVol04Preview();
}

void PathListPage::UpdateVol04Preview() {
  const int count = lstVol04IncludeFolderList.Count();
  if (count == 0) {
    lblVol04StartFolder.SetText("");
    lblVol04EndFolder.SetText("");
    return;
  }
  std::string target;
  const std::string prefix = edtVol04Prefix.Text(), suffix = edtVol04Suffix.Text();
  const bool hyphen = chkVol04Hyphen.Checked();
  // An entry that names no folder leaves its label as it was.
  if (core::ComposePathTarget(lstVol04IncludeFolderList.Item(0), prefix, suffix, hyphen, target))
    lblVol04StartFolder.SetText(target);
  if (core::ComposePathTarget(lstVol04IncludeFolderList.Item(count - 1), prefix, suffix, hyphen,
                              target))
    lblVol04EndFolder.SetText(target);
}

void PathListPage::RefreshPage() {
  SetVol04ControlsEnabled(lstVol04IncludeFolderList.Count() > 0);
  UpdateVol04Preview();
  RefreshCounters();
}

void PathListPage::SetVol04ControlsEnabled(bool enabled) {
  ui::Control* controls[] = {
      &lblVol04Prefix, &edtVol04Prefix, &lblVol04Suffix, &edtVol04Suffix, &chkVol04Hyphen,
      &lblVol04StartFolderCimke, &lblVol04StartFolder, &lblVol04EndFolderCimke,
      &lblVol04EndFolder, &lblVol04Results, &lblVol04Total, &lblVol04FoldersCim,
      &lblVol04SubFoldersCim, &lblVol04FilesCim, &lblVol04FilesSizeCim, &lblVol04ToCreateCim,
      &lblVol04CreatedCim, &lblVol04ExistsCim, &lblVol04OtherCim, &btnVol04Statistics,
      &btnVol04Undo, &chkVol04ViewDetailedResults, &lstVol04AddFolderStructure,
      &btnVol04AddFolderStructure, &btnVol04ViewFolderStructure, &btnVol04RemoveFolderStructure,
      &rdoVol04AttachNothing, &rdoVol04AttachMainFolderWithFiles,
      &rdoVol04AttachMainFolderWithoutFiles, &rdoVol04AttachSubFoldersOnlyWithFiles,
      &rdoVol04AttachSubFoldersOnlyWithoutFiles};
  for (ui::Control* c : controls) c->SetEnabled(enabled);
  for (int i = 0; i < 16; ++i) c_.counters[i]->SetEnabled(enabled);
  SetStructureControlsEnabled();
  UpdateCreateButtons();
}

// ---- Clear Fields, results window ----------------------------------------------------

void PathListPage::btnVol04ClearAllClick() {
  if (Busy()) return;
  if (Box(PageMsg::ClearAsk) != IDYES) return;
  Lists.Clear();
  edtVol04Prefix.SetText("");
  edtVol04Suffix.SetText("");
  chkVol04Hyphen.SetChecked(true);
  lblVol04StartFolder.SetText("");
  lblVol04EndFolder.SetText("");
  lstVol04AddFolderStructure.Clear();
  ResetCounters();
  ClearResultLists();
  Journal.Clear();
  ShowStatistics();
  ShowVisualLogTotals();
  SetVol04ControlsEnabled(false);
  Box(PageMsg::ClearEnd);
}

// ---- Run -------------------------------------------------------------------------

core::FreeSpaceCheck PathListPage::CheckRoom(double count, uint64_t bytes) {
  core::FreeSpaceCheck enough;
  enough.verdict = count > 0 ? core::FreeSpaceCheck::Enough : core::FreeSpaceCheck::NothingToCreate;
  if (bytes == 0 || count <= 0) return enough;
  // Lines per drive, keyed by the upper-cased drive ("C:", "\\SERVER\SHARE").
  std::map<std::string, double> lines;
  for (const std::string& line : lstVol04IncludeFolderList.Items()) {
    const std::string drive = TrimText(core::ExtractFileDrive(TrimText(line)));
    if (drive.empty()) continue;  // made nowhere: needs no room
    std::string key = drive;
    CharUpperBuffA(&key[0], static_cast<DWORD>(key.size()));
    lines[key] += 1;
  }
  for (const auto& drive : lines) {
    core::FreeSpaceCheck check = core::CheckFreeSpace(drive.first + "\\", drive.second, bytes);
    if (check.verdict == core::FreeSpaceCheck::NotEnough) return check;
  }
  return enough;
}

bool PathListPage::TakeItems(core::CreationJob& job, bool simulation) {
  std::vector<std::string> lines = lstVol04IncludeFolderList.Items();
  if (lines.empty()) {
    Box(simulation ? PageMsg::SimEmpty : PageMsg::RunEmpty);
    return false;
  }
  job.items = core::PathListItems(core::CreationStringList(lines.begin(), lines.end()),
                                  edtVol04Prefix.Text(), edtVol04Suffix.Text(),
                                  chkVol04Hyphen.Checked());
  return true;
}

std::vector<ui::Control*> PathListPage::CommandControls() {
  std::vector<ui::Control*> controls = Lists.CommandControls();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &edtVol04Prefix, &edtVol04Suffix, &chkVol04Hyphen, &lstVol04AddFolderStructure,
           &btnVol04AddFolderStructure, &btnVol04ViewFolderStructure,
           &btnVol04RemoveFolderStructure, &rdoVol04AttachNothing,
           &rdoVol04AttachMainFolderWithFiles, &rdoVol04AttachMainFolderWithoutFiles,
           &rdoVol04AttachSubFoldersOnlyWithFiles, &rdoVol04AttachSubFoldersOnlyWithoutFiles,
           &chkVol04ViewDetailedResults, &btnVol04CreateFolders, &btnVol04CreateFoldersSimulation,
           &btnVol04Undo, &btnVol04ClearAll})
    controls.push_back(c);
  return controls;
}
