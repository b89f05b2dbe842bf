#include "create/string_list_page.h"

#include "core/textutil.h"
#include "core/validation.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"

#include <windows.h>

using core::TrimText;

namespace {

#define T02 "Creating Folder(s).-From a String List."
#define S02 "Simulate Creating Folder(s).-From a String List."
const PageMsg kAddEmpty = PageMsg::Extra1, kInIncludeList = PageMsg::Extra2,
              kInExcludeList = PageMsg::Extra3, kHasDrive = PageMsg::Extra4,
              kIllegalText = PageMsg::Extra5, kExcludeEmpty = PageMsg::Extra6,
              kDeleteSelected = PageMsg::Extra7, kExcludeAllEmpty = PageMsg::Extra8,
              kDeleteAll = PageMsg::Extra9, kExportEmpty = PageMsg::Extra10,
              kNameRefused = PageMsg::Extra11, kTooLong = PageMsg::Extra12,
              kNotTaken = PageMsg::Extra13;

const PageMessage kMessages[] = {
    {PageMsg::NoDestination, "0001", kMsgWarning,
     "The selection field is empty !\nAction : You must select a Destination Folder.",
     VEXTIL_CAPTION(T02, "Warning", "0001")},
    {PageMsg::ViewNoDestination, "0002", kMsgWarning,
     "The selection field is empty !\nAction : You must select a destination folder.",
     VEXTIL_CAPTION(T02, "Warning", "0002")},
    {PageMsg::ViewNotAFolder, "0698", kMsgWarning, core::kNotAFolderText, VEXTIL_CAPTION(T02, "Warning", "0698")},
    {kAddEmpty, "0004", kMsgWarning,
     "The text field is empty !\nAction : You must enter a different name to add to the Include "
     "List.",
     VEXTIL_CAPTION(T02, "Warning", "0004")},
    {kInIncludeList, "0005", kMsgWarning, "This item already exists in the Include list !",
     VEXTIL_CAPTION(T02, "Warning", "0005")},
    {kInExcludeList, "0006", kMsgWarning, "This item already exists in the Exclude list !",
     VEXTIL_CAPTION(T02, "Warning", "0006")},
    {kHasDrive, "0007", kMsgWarning,
     "This item is a Folder Name (with drive letter) !\nAction : You must enter a string without "
     "a drive letter !!!",
     T02 "          Warning no: 0007."},
    {kIllegalText, "0008", kMsgWarning, "Illegal character in the Text : {}",
     VEXTIL_CAPTION(T02, "Warning", "0008")},
    {kNameRefused, "0009", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0009")},
    {kNotTaken, "0010", kMsgWarning, "Not every entry was added to the INCLUDE list !\n\n{}",
     VEXTIL_CAPTION(T02, "Warning", "0010")},
    {kTooLong, "0015", kMsgWarning,
     "This item is too long (255 characters or more) !\nAction : You must use a shorter string.",
     VEXTIL_CAPTION(T02, "Warning", "0015")},
    {kDeleteSelected, "0017", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete "
     "ONLY from the EXCLUDE list.\n",
     VEXTIL_CAPTION(T02, "Warning", "0017")},
    {PageMsg::PrefixIllegal, "0018", kMsgWarning, "Illegal character in the Prefix : {}",
     VEXTIL_CAPTION(T02, "Warning", "0018")},
    {PageMsg::SuffixIllegal, "0019", kMsgWarning, "Illegal character in the Suffix : {}",
     VEXTIL_CAPTION(T02, "Warning", "0019")},
    {PageMsg::StructureEmpty, "0020", kMsgWarning,
     "The selection field is empty !\nAction : You must select a folder with subfolders "
     "structure.",
     VEXTIL_CAPTION(T02, "Warning", "0020")},
    {PageMsg::StructureNotSelected, "0021", kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a folder with subfolders "
     "structure.",
     VEXTIL_CAPTION(T02, "Warning", "0021")},
    {PageMsg::StructureNotAFolder, "0699", kMsgWarning, core::kNotAFolderText,
     VEXTIL_CAPTION(T02, "Warning", "0699")},
    {PageMsg::StructureRemove, "0022", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?",
     VEXTIL_CAPTION(T02, "Warning", "0022")},
    {PageMsg::RunNoStructure, "0023", kMsgWarning,
     "There is no additional Subfolder structure. !\nAction : You must add at least one "
     "Subfolder structure.",
     VEXTIL_CAPTION(T02, "Warning", "0023")},
    {PageMsg::RunStructureMissing, "0024", kMsgWarning,
     "The folder doesn't exist : {}\nAction : Please enter or select an existing folder.",
     VEXTIL_CAPTION(T02, "Warning", "0024")},
    {PageMsg::RunConfirm, "0025", kMsgQuestion,
     "Do you want to create folders ?\n",
     VEXTIL_CAPTION("Creating Folder(s).-From  a String List.", "Information", "0025")},
    {PageMsg::RunEnd, "0026", kMsgInformation, "End of Creating Folders/Files !!!",
     VEXTIL_CAPTION(T02, "Information", "0026")},
    {PageMsg::RunEmpty, "0027", kMsgWarning,
     "The Include list is empty !!!\nYou must enter at least one item to create folders.",
     VEXTIL_CAPTION(T02, "Warning", "0027")},
    {PageMsg::UndoNothing, "0028", kMsgWarning,
     "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at "
     "least one folder to UNDO them.",
     VEXTIL_CAPTION(T02, "Warning", "0028")},
    {PageMsg::UndoAsk, "0029", kMsgQuestion,
     "Do you want to delete all folders (and files)\ncreated last time ?",
     VEXTIL_CAPTION(T02, "Information", "0029")},
    {PageMsg::UndoReport, "0030", kMsgWarning,
     "The program is unable to delete the following folders and their contents : \n\nOTHER "
     "REASONS   : \n\n{}",
     VEXTIL_CAPTION(T02, "Information", "0030")},
    {PageMsg::UndoEnd, "0031", kMsgInformation, "End of Undo process !!!",
     VEXTIL_CAPTION(T02, "Information", "0031")},
    {PageMsg::ClearAsk, "0032", kMsgQuestion,
     "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to "
     "Stop the delete process.",
     VEXTIL_CAPTION(T02, "Information", "0032")},
    {PageMsg::ClearEnd, "0033", kMsgInformation, "End of the CLEAR FIELDS process !!!\n",
     VEXTIL_CAPTION(T02, "Information", "0033")},
    {PageMsg::DiskSpace, "0035", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Information", "0035")},
    {PageMsg::RunMissingSize, "0036", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0036")},
    {kExcludeEmpty, "0144", kMsgWarning,
     "The EXCLUDE list is empty !\nAction : You must enter at least one STRING to the EXCLUDE "
     "list to delete it.\n",
     VEXTIL_CAPTION(T02, "Warning", "0144")},
    {PageMsg::WholeDisk, "0331", kMsgQuestion,
     "Do you want to Attach the Entire Disk to the Folders specified in The Include Window "
     "?\nClick YES to Attach,\nClick NO to Cancel.",
     VEXTIL_CAPTION(T02, "Warning", "0331")},
    {PageMsg::StructureKept, "0740", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0740")},
    {PageMsg::RunKeptNames, "0741", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0741")},
    {PageMsg::RunWritesMoved, "0749", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0749")},
    {PageMsg::RunDiskFull, "0770", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0770")},
    {PageMsg::SimKeptNames, "0742", kMsgWarning, "{}", VEXTIL_CAPTION(S02, "Warning", "0742")},
    {PageMsg::RunSelfCopy, "0373", kMsgWarning, "{}", VEXTIL_CAPTION(T02, "Warning", "0373")},
    {PageMsg::SimNoStructure, "0453", kMsgWarning,
     "There is no additional Subfolder structure. !\nAction : You must add at least one "
     "Subfolder structure.",
     VEXTIL_CAPTION(S02, "Warning", "0453")},
    {PageMsg::SimStructureMissing, "0454", kMsgWarning,
     "The folder doesn't exist : {}\nAction : Please enter or select an existing folder.",
     VEXTIL_CAPTION(S02, "Warning", "0454")},
    {PageMsg::SimConfirm, "0455", kMsgQuestion, "{}",
     VEXTIL_CAPTION(S02, "Information", "0455")},
    {PageMsg::SimSelfCopy, "0456", kMsgWarning, "{}",
     VEXTIL_CAPTION("Simulate Creating Folder(s).-From a Folder List.", "Warning", "0456")},
    {PageMsg::SimEnd, "0457", kMsgInformation, "{}", VEXTIL_CAPTION(S02, "Information", "0457")},
    {PageMsg::SimEmpty, "0458", kMsgWarning,
     "The Include list is empty !!!\nYou must enter at least one item to create folders.",
     VEXTIL_CAPTION(S02, "Warning", "0458")},
    {PageMsg::SimMissingSize, "0459", kMsgWarning, "{}", VEXTIL_CAPTION(S02, "Warning", "0459")},
    {kExcludeAllEmpty, "0528", kMsgWarning, "Empty List in the Exclude Window!\n",
     VEXTIL_CAPTION(T02, "Warning", "0528")},
    {kDeleteAll, "0529", kMsgQuestion,
     "Do you want to delete all item(s) from the Exclude list ?",
     VEXTIL_CAPTION(T02, "Warning", "0529")},
    {kExportEmpty, "0556", kMsgWarning, "The Include List is empty !\n",
     VEXTIL_CAPTION(T02, "Warning", "0556")},
};

} // namespace

StringListPage::StringListPage(ui::Form* form, ui::TabSheet& sheet,
                               std::vector<ui::TabSheet*> runLocks,
                               std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
                               const std::string* simEnd)
    : CreationPage(form, [&] {
        CreationPageDescription d;
        d.messages = kMessages;
        d.messageCount = sizeof kMessages / sizeof kMessages[0];
        d.window = [] { return static_cast<TResultsWindow*>(frmStatistic02); };
        d.runLocks = std::move(runLocks);
        d.simLocks = std::move(simLocks);
        d.simStartText = simStart;
        d.simEndText = simEnd;
        return d;
      }()),
      Lists(form_, ListHalf()),
      sheet_(sheet) {
  CreationPageControls c{};
  c.dest = &cboVol02DestFolders;
  c.viewDest = &btnVol02ViewDestFolder;
  c.structures = &lstVol02AddFolderStructure;
  c.addStructure = &btnVol02AddFolderStructure;
  c.viewStructure = &btnVol02ViewFolderStructure;
  c.removeStructure = &btnVol02RemoveFolderStructure;
  ui::RadioButton* radios[5] = {&rdoVol02AttachNothing, &rdoVol02AttachMainFolderWithFiles,
                                &rdoVol02AttachMainFolderWithoutFiles,
                                &rdoVol02AttachSubFoldersOnlyWithFiles,
                                &rdoVol02AttachSubFoldersOnlyWithoutFiles};
  for (int i = 0; i < 5; ++i) c.radios[i] = radios[i];
  ui::Label* labels[16] = {
      &lblVol02FoldersToCreate, &lblVol02SubFoldersToCreate, &lblVol02FilesToCreate,
      &lblVol02FilesSizeToCreate, &lblVol02FoldersCreated, &lblVol02SubFoldersCreated,
      &lblVol02FilesCreated, &lblVol02FilesSizeCreated, &lblVol02FoldersExists,
      &lblVol02SubFoldersExists, &lblVol02FilesExists, &lblVol02FilesSizeExists,
      &lblVol02FoldersOther, &lblVol02SubFoldersOther, &lblVol02FilesOther,
      &lblVol02FilesSizeOther};
  for (int i = 0; i < 16; ++i) c.counters[i] = labels[i];
  c.create = &btnVol02CreateFolders;
  c.simulate = &btnVol02CreateFoldersSimulation;
  c.undo = &btnVol02Undo;
  c.clear = &btnVol02ClearAll;
  c.viewDetailed = &chkVol02ViewDetailedResults;
  c.viewDestFolder = &chkVol02ViewDestFolder;
  c.progress = &pbVol02ProgressBar;
  Bind(c);
  btnVol02AddDestFolder.OnClick = [this] { SetVol02Destination(PickFolder()); };
  cboVol02DestFolders.OnSelect = [this] { SetVol02Destination(cboVol02DestFolders.Text()); };
  btnVol02ViewDestFolder.OnClick = [this] { ViewDestination(); };
  edtVol02Prefix.OnChange = [this] { edtVol02PrefixChange(); };
  edtVol02Prefix.OnExit = [this] { edtVol02PrefixChange(); };
  edtVol02Suffix.OnChange = [this] { edtVol02SuffixChange(); };
  edtVol02Suffix.OnExit = [this] { edtVol02SuffixChange(); };
  chkVol02Hyphen.OnClick = [this] { UpdateVol02Preview(); };
  btnVol02ClearAll.OnClick = [this] { btnVol02ClearAllClick(); };

  cboVol02DestFolders.SetHint("Enter or select the destination folder.");
  btnVol02AddDestFolder.SetHint("Browse for  a destination folder.");
  btnVol02ViewDestFolder.SetHint("View Destination Folder.");
  edtVol02Prefix.SetHint("Enter a text, that will be used as a prefix in the creating process.");
  edtVol02Suffix.SetHint("Enter a text, that will be used as a suffix in the creating process.");
  chkVol02Hyphen.SetHint("Hyphen between Prefix-List Item-Suffix.");
  lstVol02IncludeStrings.SetHint("Contains item(s) that will be used in the creating process.");
  lstVol02ExcludeStrings.SetHint("Contains items that will not be used in the creating process.");
  btnVol02IncToExc.SetHint("Move the selected item(s) from the INCLUDE to the EXCLUDE list.");
  btnVol02ExcToInc.SetHint("Move the selected item(s) from the EXCLUDE to the INCLUDE list.");
  btnVol02AllFromInc.SetHint("Move all items from the INCLUDE List to the EXCLUDE list.");
  btnVol02AllFromExc.SetHint("Move all items from the EXCLUDE to the INCLUDE list.");
  btnVol02ExchangeIncExc.SetHint("Exchange the contents of the two lists.");
  btnVol02DeleteFromExclude.SetHint("Delete item(s) from the EXCLUDE list.");
  btnVol02DeleteExcludeAll.SetHint("Delete All Strings from the Exclude String List.");
  btnVol02SmartImport.SetHint("Import (load) the content of a text file to the INCLUDE window");
  btnVol02SmartExport.SetHint("Export (Save) the content of the INCLUDE window to a text file.");
  btnVol02EditIncludeList.SetHint("Edit the INCLUDE List.");
  btnVol02ZoomIncludeWindow.SetHint("Edit the INCLUDE List.");
  lblVol02StartFolder.SetHint("Preview : Start Folder-used first element from the INCLUDE list.");
  lblVol02EndFolder.SetHint("Preview : End Folder-Used last element from the INCLUDE list.");
}

ListPairDescription StringListPage::ListHalf() {
  ListPairDescription d;
  ListPairControls& c = d.c;
  c.addField = &edtVol02AddToList;
  c.add = &btnVol02AddToList;
  c.include = &lstVol02IncludeStrings;
  c.exclude = &lstVol02ExcludeStrings;
  c.includeCount = &lblVol02IncludeSum;
  c.excludeCount = &lblVol02ExcludeSum;
  c.incToExc = &btnVol02IncToExc;
  c.excToInc = &btnVol02ExcToInc;
  c.allFromInc = &btnVol02AllFromInc;
  c.allFromExc = &btnVol02AllFromExc;
  c.exchange = &btnVol02ExchangeIncExc;
  c.deleteSelected = &btnVol02DeleteFromExclude;
  c.deleteAll = &btnVol02DeleteExcludeAll;
  c.smartImport = &btnVol02SmartImport;
  c.smartExport = &btnVol02SmartExport;
  c.editList = &btnVol02EditIncludeList;
  c.zoom = &btnVol02ZoomIncludeWindow;
  c.importList = &btnVol02Open;
  c.exportList = &btnVol02Save;
  c.help = &btnVol02ListHelp;
  c.visualLog = &btnVol02Statistic;
  c.examples = &btnVol02Example;
  c.progress = &pbVol02ProgressBar;
  c.open = &OpenDialog1;
  c.save = &SaveDialog1;
  c.captions = {&lblVol02AddToList, &lblVol02IncludeStrings, &lblVol02ExcludeStrings,
                &lblVol02IncludeSumCim, &lblVol02ExcludeSumCim};
  d.box = ListBoxes({{ListMsg::AddEmpty, kAddEmpty, nullptr},
                     {ListMsg::InInclude, kInIncludeList, nullptr},
                     {ListMsg::InExclude, kInExcludeList, nullptr},
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
  // The duplicate tests compare the text as typed; what is kept has single backslashes.
  d.duplicatesAsTyped = true;
  d.parseAdd = [](const std::string& trimmed, std::vector<AddPiece>& pieces, std::string& shown) {
    shown = core::CollapseDoubleBackslashes(core::ForwardToBackslashes(trimmed));
    pieces.push_back({trimmed, shown});
    return true;
  };
  d.emptyImportCaption = T02 "             Warning no: 0377.";
  d.exportKind = kExportKindStrings;
  d.exportFilter = ExportFilter::ByKind;
  d.editor = [] { return static_cast<TfrmEditIncludeList*>(frmVol02EditIncludeList); };
  d.listFile = &kListFileVol02;
  d.afterExportList = [this] { UpdateCreateButtons(); };
  d.focusAfterList = d.focusAfterImport = &edtVol02AddToList;
  d.help = [] { ShowHelpTopic("CreateStrings"); };
  d.examples = [] { ShowExamples(ExamplesKind::CreateStrings); };
  d.visualLog = [this] { ShowVisualLog(); };
  return d;
}

// One rule for Add, Smart Import, Import List, the editor and every hand-back:
// an entry without a drive, without the characters a name cannot hold, whose
// names the system keeps as written, shorter than 255 characters (so that every
// entry the page holds comes back whole from its own list file).
Verdict StringListPage::AcceptsEntry(const std::string& entry, ListRoad road) {
  const bool tell = RoadTellsRefusal(road);
  auto refuse = [&](PageMsg id, const std::string& arg, const std::string& reason) {
    if (tell) Box(id, arg);
    return Verdict::Refuse(reason);
  };
  std::string bad;
  for (char c : entry)
    if (static_cast<unsigned char>(c) < 32) {
      const std::string code = "(character code " + std::to_string(int(c)) + ")";
      return refuse(kIllegalText, code, "illegal character " + code);
    }
  if (!TrimText(core::ExtractFileDrive(entry)).empty()) return refuse(kHasDrive, "", "holds a drive letter");
  if (core::FindIllegalChar("H", entry, bad)) {
    const Verdict refused = refuse(kIllegalText, bad, "illegal character " + bad);
    // Add takes the keystroke back: the field keeps the text without its last character.
    if (road == ListRoad::Add) edtVol02AddToList.SetText(entry.substr(0, entry.size() - 1));
    return refused;
  }
  if (!core::CheckNameParts(entry, bad)) return refuse(kNameRefused, bad, bad);  // a device, "..", a trailing dot
  if (entry.size() >= 255) return refuse(kTooLong, "", "255 characters or more");
  return Verdict::Take();
}

void StringListPage::InitVol02Page() {
  sheet_.SetHint("Creating Folders from a given list.");
  rdoVol02AttachNothing.SetChecked(true);
  chkVol02Hyphen.SetChecked(true);
  chkVol02ViewDetailedResults.SetChecked(true);
  chkVol02ViewDestFolder.SetChecked(true);
  ResetCounters();
  ShowStatistics();
  StructureFiles.clear();
  lblVol02StartFolder.SetText("");
  lblVol02EndFolder.SetText("");
  cboVol02DestFolders.SetItemIndex(cboVol02DestFolders.Add(""));
  SetVol02ControlsEnabled(false);
  Lists.ShowCounts();
  lstVol02IncludeStrings.SetHorizontalExtent(3000);
  lstVol02ExcludeStrings.SetHorizontalExtent(3000);
  lstVol02AddFolderStructure.SetHorizontalExtent(3000);
}

// ---- Destination, prefix, suffix, preview -----------------------------------------

void StringListPage::SetVol02Destination(const std::string& text) {
  if (SelectDestination(text)) {
    btnVol02ViewDestFolder.SetEnabled(true);
    Lists.SetEnabled(true);
    UpdateVol02Preview();
    edtVol02AddToList.SetFocus();
    return;
  }
  if (TrimText(cboVol02DestFolders.Text()).empty()) {
    SetVol02ControlsEnabled(false);
    UpdateCreateButtons();
  }
  Box(PageMsg::NoDestination);
  cboVol02DestFolders.SetFocus();
}

void StringListPage::edtVol02PrefixChange() {
  if (CheckNameField(edtVol02Prefix, PageMsg::PrefixIllegal)) UpdateVol02Preview();
}

void StringListPage::edtVol02SuffixChange() {
  if (CheckNameField(edtVol02Suffix, PageMsg::SuffixIllegal)) UpdateVol02Preview();
}

core::FolderNameParts StringListPage::ComposeVol02NameParts() const {
  return core::ComposeNameParts(cboVol02DestFolders.Text(), edtVol02Prefix.Text(),
                                edtVol02Suffix.Text(), chkVol02Hyphen.Checked());
}

void StringListPage::UpdateVol02Preview() {
  core::FolderNameParts parts = ComposeVol02NameParts();
  int count = lstVol02IncludeStrings.Count();
  if (count == 0) {
    lblVol02StartFolder.SetText("");
    lblVol02EndFolder.SetText("");
    return;
  }
  lblVol02StartFolder.SetText(parts.Compose(lstVol02IncludeStrings.Item(0)));
  lblVol02EndFolder.SetText(parts.Compose(lstVol02IncludeStrings.Item(count - 1)));
}

// ---- Refresh and enable rules --------------------------------------------------------

void StringListPage::RefreshPage() {
  if (lstVol02IncludeStrings.Count() == 0)
    SetVol02CreateControlsEnabled(false);
  else
    SetVol02ControlsEnabled(true);
  UpdateCreateButtons();
  UpdateVol02Preview();
  RefreshCounters();
}

void StringListPage::SetVol02CreateControlsEnabled(bool enabled) {
  ui::Control* controls[] = {
      &lblVol02Prefix, &edtVol02Prefix, &lblVol02Suffix, &edtVol02Suffix, &chkVol02Hyphen,
      &lblVol02StartFolderCim, &lblVol02StartFolder, &lblVol02EndFolderCim, &lblVol02EndFolder,
      &chkVol02ViewDestFolder, &chkVol02ViewDetailedResults, &btnVol02Undo, &lblVol02Total,
      &lblVol02FoldersCim, &lblVol02SubFoldersCim, &lblVol02FilesCim, &lblVol02FilesSizeCim,
      &lblVol02ToCreateCim, &lblVol02CreatedCim, &lblVol02ExistsCim, &lblVol02OtherCim,
      &lblVol02FoldersToCreate, &lblVol02SubFoldersToCreate, &lblVol02FilesToCreate,
      &lblVol02FilesSizeToCreate, &lblVol02FoldersCreated, &lblVol02SubFoldersCreated,
      &lblVol02FilesCreated, &lblVol02FilesSizeCreated, &lblVol02FoldersExists,
      &lblVol02SubFoldersExists, &lblVol02FilesExists, &lblVol02FilesSizeExists,
      &lblVol02FoldersOther, &lblVol02SubFoldersOther, &lblVol02FilesOther,
      &lblVol02FilesSizeOther, &btnVol02Statistic, &rdoVol02AttachNothing,
      &rdoVol02AttachMainFolderWithFiles, &rdoVol02AttachMainFolderWithoutFiles,
      &rdoVol02AttachSubFoldersOnlyWithFiles, &rdoVol02AttachSubFoldersOnlyWithoutFiles};
  for (ui::Control* c : controls) c->SetEnabled(enabled);
  SetStructureControlsEnabled();
  UpdateCreateButtons();
}

void StringListPage::SetVol02ControlsEnabled(bool enabled) {
  Lists.SetEnabled(enabled);
  SetVol02CreateControlsEnabled(enabled);
}

// ---- Run and simulation ----------------------------------------------------------

bool StringListPage::TakeItems(core::CreationJob& job, bool simulation) {
  std::vector<std::string> items = lstVol02IncludeStrings.Items();
  if (items.empty()) {
    Box(simulation ? PageMsg::SimEmpty : PageMsg::RunEmpty);
    return false;
  }
  job.items = core::StringListItems(core::CreationStringList(items.begin(), items.end()),
                                    ComposeVol02NameParts());
  return true;
}

std::vector<ui::Control*> StringListPage::CommandControls() {
  std::vector<ui::Control*> controls = Lists.CommandControls();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &cboVol02DestFolders, &btnVol02AddDestFolder, &btnVol02ViewDestFolder, &edtVol02Prefix,
           &edtVol02Suffix, &chkVol02Hyphen, &lstVol02AddFolderStructure,
           &btnVol02AddFolderStructure, &btnVol02ViewFolderStructure,
           &btnVol02RemoveFolderStructure, &rdoVol02AttachNothing,
           &rdoVol02AttachMainFolderWithFiles, &rdoVol02AttachMainFolderWithoutFiles,
           &rdoVol02AttachSubFoldersOnlyWithFiles, &rdoVol02AttachSubFoldersOnlyWithoutFiles,
           &chkVol02ViewDetailedResults, &chkVol02ViewDestFolder, &btnVol02CreateFolders,
           &btnVol02CreateFoldersSimulation, &btnVol02Undo, &btnVol02ClearAll})
    controls.push_back(c);
  return controls;
}

// ---- Clear Fields ------------------------------------------------------------

void StringListPage::btnVol02ClearAllClick() {
  if (Busy()) return;
  if (Box(PageMsg::ClearAsk) != IDYES)
    return;
  if (cboVol02DestFolders.Count() > 0) cboVol02DestFolders.SetItemIndex(0);
  Lists.Clear();
  edtVol02Prefix.SetText("");
  edtVol02Suffix.SetText("");
  chkVol02Hyphen.SetChecked(true);
  lblVol02StartFolder.SetText("");
  lblVol02EndFolder.SetText("");
  lstVol02AddFolderStructure.Clear();
  ResetCounters();
  ClearResultLists();
  Journal.Clear();
  CopiedFiles.clear();
  ShowStatistics();
  ShowVisualLogTotals();
  SetVol02ControlsEnabled(false);
  Box(PageMsg::ClearEnd);
}
