#include "create/numbers_page.h"

#include "core/textutil.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "ui/application.h"

#include <windows.h>

#include <cstdio>

using core::TrimText;

namespace {

#define T03 "Creating Folder(s).-Increased Numbers."
#define S03 "Simulate Creating Folder(s).-Increased Numbers."
#define TABS "\t\t\t"
const PageMsg kStartAboveEnd = PageMsg::Extra1, kStartAboveEndAtRead = PageMsg::Extra2,
              kSimStartAboveEnd = PageMsg::Extra3, kSimTooMany = PageMsg::Extra4,
              kSimStartAboveEndAtRead = PageMsg::Extra5, kRunTooMany = PageMsg::Extra6;

const char kNoStructure[] =
    "There is no additional Subfolder structure. !\nAction : You must add at least one Subfolder "
    "structure.";
const char kStructureMissing[] =
    "The folder doesn't exist : {}\nAction : Please enter or select an existing folder.";
const char kStartGreater[] =
    "The Start Number is greater then the End one.!\nAction : You must enter a Start number that "
    "is smaller than the End one.";
const char kEndSmaller[] =
    "The Start Number is greater then the End one.!\nAction : You must enter an End number that "
    "is greater than the Start one.";

const PageMessage kMessages[] = {
    {PageMsg::NoDestination, "0077", kMsgWarning,
     "The selection field is empty !\nAction : You must select a destination folder.",
     T03 TABS "Warning no: 0077."},
    {PageMsg::ViewNoDestination, "0078", kMsgWarning,
     "The selection field is empty !\nAction : You must select a destination folder.",
     T03 TABS "Warning no: 0078."},
    {PageMsg::ViewNotAFolder, "0700", kMsgWarning, core::kNotAFolderText, T03 TABS "Warning no: 0700."},
    {PageMsg::PrefixIllegal, "0079", kMsgWarning, "Illegal character in the Prefix : {}",
     VEXTIL_CAPTION(T03, "Warning", "0079")},
    {PageMsg::SuffixIllegal, "0080", kMsgWarning, "Illegal character in the Suffix : {}",
     VEXTIL_CAPTION("Creating Folder(s).-Increased numbers.", "Warning", "0080")},
    {PageMsg::ClearAsk, "0083", kMsgQuestion,
     "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to "
     "Stop the delete process.",
     VEXTIL_CAPTION(T03, "Information", "0083")},
    {PageMsg::ClearEnd, "0084", kMsgInformation, "End of the CLEAR FIELDS process !!!",
     VEXTIL_CAPTION(T03, "Information", "0084")},
    {PageMsg::StructureEmpty, "0085", kMsgWarning,
     "The selection field is empty !\nAction : You must select a folder with subfolder "
     "structure.",
     VEXTIL_CAPTION("Creating Folder(s).- Increased Numbers.", "Warning", "0085")},
    {PageMsg::StructureNotSelected, "0086", kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a folder with subfolder "
     "structure.",
     T03 TABS "Warning no: 0086."},
    {PageMsg::StructureNotAFolder, "0701", kMsgWarning, core::kNotAFolderText, T03 TABS "Warning no: 0701."},
    {PageMsg::StructureRemove, "0087", kMsgQuestion,
     "Do you want to delete selected folder(s) from the Exclude list ?", T03 TABS "Warning no: 0087."},
    {kStartAboveEnd, "0089", kMsgWarning, kStartGreater, T03 "    Warning no: 0089."},
    {kRunTooMany, "0090", kMsgWarning,
     "The difference between End Number and Start Number is more than 30000.!\nAction : One run "
     "creates at most 30001 folders; create a larger range in several runs.",
     T03 "    Warning no: 0090."},
    {PageMsg::RunNoStructure, "0091", kMsgWarning, kNoStructure, T03 TABS "Warning no: 0091."},
    {PageMsg::RunStructureMissing, "0092", kMsgWarning, kStructureMissing,
     T03 TABS "Warning no: 0092."},
    {PageMsg::RunConfirm, "0093", kMsgQuestion, "Do you want to create folders ?\n",
     VEXTIL_CAPTION("Creating Folder(s).- Increased Numbers.", "Information", "0093")},
    {PageMsg::RunEnd, "0094", kMsgInformation, "End of Creating Folders/Files !!!",
     VEXTIL_CAPTION(T03, "Information", "0094")},
    {kStartAboveEndAtRead, "0095", kMsgWarning, kEndSmaller, T03 "    Warning no: 0095."},
    {PageMsg::UndoNothing, "0096", kMsgWarning,
     "No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create at "
     "least one folder to UNDO them.",
     VEXTIL_CAPTION(T03, "Warning", "0096")},
    {PageMsg::UndoAsk, "0097", kMsgQuestion,
     "Do you want to delete all folders (and files)\ncreated last time ?",
     VEXTIL_CAPTION(T03, "Information", "0097")},
    {PageMsg::UndoReport, "0098", kMsgWarning,
     "The program is unable to delete the following folders (and their contents), and/or "
     "separate files : \n\nOTHER REASONS   : \n\n{}",
     VEXTIL_CAPTION(T03, "Information", "0098")},
    {PageMsg::UndoEnd, "0099", kMsgInformation, "End of Undo process !!!",
     VEXTIL_CAPTION(T03, "Information", "0099")},
    {PageMsg::DiskSpace, "0100", kMsgWarning, "{}", VEXTIL_CAPTION(T03, "Information", "0100")},
    {PageMsg::RunMissingSize, "0101", kMsgWarning, "{}", VEXTIL_CAPTION(T03, "Warning", "0101")},
    {PageMsg::WholeDisk, "0332", kMsgQuestion,
     "Do you want to Attach the Entire Disk to the Folders specified in The Include Window "
     "?\nClick YES to Attach,\nClick NO to Cancel.",
     VEXTIL_CAPTION(T03, "Warning", "0332")},
    {PageMsg::StructureKept, "0743", kMsgWarning, "{}", VEXTIL_CAPTION(T03, "Warning", "0743")},
    {PageMsg::RunKeptNames, "0744", kMsgWarning, "{}", VEXTIL_CAPTION(T03, "Warning", "0744")},
    {PageMsg::RunWritesMoved, "0750", kMsgWarning, "{}", VEXTIL_CAPTION(T03, "Warning", "0750")},
    {PageMsg::RunDiskFull, "0771", kMsgWarning, "{}", VEXTIL_CAPTION(T03, "Warning", "0771")},
    {PageMsg::SimKeptNames, "0745", kMsgWarning, "{}", VEXTIL_CAPTION(S03, "Warning", "0745")},
    {PageMsg::RunSelfCopy, "0374", kMsgWarning, "{}", T03 TABS "Warning no: 0374."},
    {kSimStartAboveEnd, "0461", kMsgWarning, kStartGreater, S03 "    Warning no: 0461."},
    {kSimTooMany, "0462", kMsgWarning,
     "The difference between End Number and Start Number is more than 30000.!\n",
     S03 "    Warning no: 0462."},
    {PageMsg::SimNoStructure, "0463", kMsgWarning, kNoStructure, S03 TABS "Warning no: 0463."},
    {PageMsg::SimStructureMissing, "0464", kMsgWarning, kStructureMissing,
     S03 TABS "Warning no: 0464."},
    {PageMsg::SimConfirm, "0465", kMsgQuestion, "{}",
     VEXTIL_CAPTION("Simulate Creating Folder(s).- Increased Numbers.", "Information", "0465")},
    {PageMsg::SimSelfCopy, "0466", kMsgWarning, "{}", S03 TABS "Warning no: 0466."},
    {PageMsg::SimEnd, "0467", kMsgInformation, "{}", VEXTIL_CAPTION(S03, "Information", "0467")},
    {kSimStartAboveEndAtRead, "0468", kMsgWarning, kEndSmaller, S03 "    Warning no: 0468."},
    {PageMsg::SimMissingSize, "0469", kMsgWarning, "{}", VEXTIL_CAPTION(S03, "Warning", "0469")},
};

} // namespace

bool ParseWholeNumber(const std::string& text, int32_t& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
    if (n > 2147483648LL) return false;  // beyond 32 bits
  }
  if (negative) n = -n;
  if (n > INT32_MAX || n < INT32_MIN) return false;
  value = static_cast<int32_t>(n);
  return true;
}

NumbersPage::NumbersPage(ui::Form* form, std::vector<ui::TabSheet*> runLocks,
                         std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
                         const std::string* simEnd)
    : CreationPage(form, [&] {
        CreationPageDescription d;
        d.messages = kMessages;
        d.messageCount = sizeof kMessages / sizeof kMessages[0];
        d.window = [] { return static_cast<TResultsWindow*>(frmStatistic03); };
        d.runLocks = std::move(runLocks);
        d.simLocks = std::move(simLocks);
        d.simStartText = simStart;
        d.simEndText = simEnd;
        // An existing or failed number adds one folder only. (Structure files
        // are never copied over ones already there, as on every page.)
        d.totalsOnExists = false;
        d.totalsOnOther = false;
        return d;
      }()) {
  CreationPageControls c{};
  c.dest = &cboVol03DestFolders;
  c.viewDest = &btnVol03ViewDestFolder;
  c.structures = &lstVol03AddFolderStructure;
  c.addStructure = &btnVol03AddFolderStructure;
  c.viewStructure = &btnVol03ViewFolderStructure;
  c.removeStructure = &btnVol03RemoveFolderStructure;
  ui::RadioButton* radios[5] = {&rdoVol03AttachNothing, &rdoVol03AttachMainFolderWithFiles,
                                &rdoVol03AttachMainFolderWithoutFiles,
                                &rdoVol03AttachSubFoldersOnlyWithFiles,
                                &rdoVol03AttachSubFoldersOnlyWithoutFiles};
  for (int i = 0; i < 5; ++i) c.radios[i] = radios[i];
  ui::Label* labels[16] = {
      &lblVol03FoldersToCreate, &lblVol03SubFoldersToCreate, &lblVol03FilesToCreate,
      &lblVol03FilesSizeToCreate, &lblVol03FoldersCreated, &lblVol03SubFoldersCreated,
      &lblVol03FilesCreated, &lblVol03FilesSizeCreated, &lblVol03FoldersExists,
      &lblVol03SubFoldersExists, &lblVol03FilesExists, &lblVol03FilesSizeExists,
      &lblVol03FoldersOther, &lblVol03SubFoldersOther, &lblVol03FilesOther,
      &lblVol03FilesSizeOther};
  for (int i = 0; i < 16; ++i) c.counters[i] = labels[i];
  c.create = &btnVol03CreateFolders;
  c.simulate = &btnVol03CreateFoldersSimulation;
  c.undo = &btnVol03Undo;
  c.clear = &btnVol03ClearAll;
  c.viewDetailed = &chkVol03ViewDetailedResults;
  c.viewDestFolder = &chkVol03ViewDestFolder;
  c.progress = &pbVol03ProgressBar;
  Bind(c);

  btnVol03AddDestFolder.OnClick = [this] { SetVol03Destination(PickFolder()); };
  cboVol03DestFolders.OnSelect = [this] { SetVol03Destination(cboVol03DestFolders.Text()); };
  btnVol03ViewDestFolder.OnClick = [this] { ViewDestination(); };
  edtVol03StartNumber.OnExit = [this] { edtVol03StartNumberExit(); };
  edtVol03EndNumber.OnExit = [this] { edtVol03EndNumberExit(); };
  edtVol03Prefix.OnChange = [this] { edtVol03PrefixChange(); };
  edtVol03Prefix.OnExit = [this] { edtVol03PrefixChange(); };
  edtVol03Suffix.OnChange = [this] { edtVol03SuffixChange(); };
  edtVol03Suffix.OnExit = [this] { edtVol03SuffixChange(); };
  chkVol03Hyphen.OnClick = [this] { UpdateVol03Preview(); };
  chkVol03PaddedZeroes.OnClick = [this] { UpdateVol03Preview(); };
  btnVol03ClearAll.OnClick = [this] { btnVol03ClearAllClick(); };
  btnVol03Statistics.OnClick = [this] { ShowVisualLog(); };
  btnVol03Help.OnClick = [] { ShowHelpTopic("CreateNumbers"); };
  btnVol03Examples.OnClick = [] { ShowExamples(ExamplesKind::CreateNumbers); };
}

void NumbersPage::InitVol03Page() {
  rdoVol03AttachNothing.SetChecked(true);
  chkVol03Hyphen.SetChecked(true);
  chkVol03ViewDetailedResults.SetChecked(true);
  chkVol03ViewDestFolder.SetChecked(true);
  ResetCounters();
  ShowStatistics();
  StructureFiles.clear();
  edtVol03StartNumber.SetText("1");
  edtVol03EndNumber.SetText("1");
  lblVol03StartFolder.SetText("");
  lblVol03EndFolder.SetText("");
  cboVol03DestFolders.SetItemIndex(cboVol03DestFolders.Add(""));
  SetVol03ControlsEnabled(false);
  lstVol03AddFolderStructure.SetHorizontalExtent(3000);
}

// ---- Destination ------------------------------------------------------------------

void NumbersPage::SetVol03Destination(const std::string& text) {
  // Choosing a destination scans nothing: its level summary is made only when
  // that window is asked for.
  if (SelectDestination(text)) {
    SetVol03ControlsEnabled(true);
    UpdateVol03Preview();
    UpdateCreateButtons();
    return;
  }
  SetVol03ControlsEnabled(false);
  UpdateCreateButtons();
  Box(PageMsg::NoDestination);
  cboVol03DestFolders.SetFocus();
}

// ---- Number fields, name fields, preview ---------------------------------------------

NumbersPage::FieldRead NumbersPage::ReadNumberFields() {
  FieldRead read;
  int32_t start = 1, end = 1;
  if (!ParseWholeNumber(edtVol03StartNumber.Text(), start) || start < 0) {
    read.startFailed = !ParseWholeNumber(edtVol03StartNumber.Text(), start);
    start = 1;
    edtVol03StartNumber.SetText("1");
  }
  if (!ParseWholeNumber(edtVol03EndNumber.Text(), end)) {
    read.endFailed = true;
    end = start;
    edtVol03EndNumber.SetText(std::to_string(start));
  } else if (end < 0) {
    end = 1;
    edtVol03EndNumber.SetText("1");
  }
  Vol03StartNumber = start;
  Vol03EndNumber = end;
  Vol03PadWidth = static_cast<int>(std::to_string(end).size());
  return read;
}

void NumbersPage::NumberFieldLeft(bool startField) {
  if (readingFields_) return;
  readingFields_ = true;
  FieldRead read = ReadNumberFields();
  if (read.startFailed) (startField ? edtVol03EndNumber : edtVol03StartNumber).SetFocus();
  if (read.endFailed) edtVol03EndNumber.SetFocus();
  RefreshCounters();
  UpdateVol03Preview();
  btnVol03CreateFolders.SetEnabled(true);
  readingFields_ = false;
}

void NumbersPage::edtVol03StartNumberExit() { NumberFieldLeft(true); }
void NumbersPage::edtVol03EndNumberExit() { NumberFieldLeft(false); }

void NumbersPage::edtVol03PrefixChange() {
  if (CheckNameField(edtVol03Prefix, PageMsg::PrefixIllegal)) UpdateVol03Preview();
}

void NumbersPage::edtVol03SuffixChange() {
  if (CheckNameField(edtVol03Suffix, PageMsg::SuffixIllegal)) UpdateVol03Preview();
}

core::FolderNameParts NumbersPage::ComposeVol03NameParts() const {
  return core::ComposeNameParts(cboVol03DestFolders.Text(), edtVol03Prefix.Text(),
                                edtVol03Suffix.Text(), chkVol03Hyphen.Checked());
}

std::string NumbersPage::NumberText(int64_t n) const {
  char digits[32];
  if (chkVol03PaddedZeroes.Checked())
    std::snprintf(digits, sizeof digits, "%0*lld", Vol03PadWidth, static_cast<long long>(n));
  else
    std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(n));
  return digits;
}

void NumbersPage::UpdateVol03Preview() {
  ReadNumberFields();
  core::FolderNameParts parts = ComposeVol03NameParts();
  lblVol03StartFolder.SetText(parts.Compose(NumberText(Vol03StartNumber)));
  lblVol03EndFolder.SetText(parts.Compose(NumberText(Vol03EndNumber)));
}

// ---- Enable rules, Clear Fields, results window ------------------------------------

void NumbersPage::SetVol03ControlsEnabled(bool enabled) {
  ui::Control* controls[] = {
      &btnVol03ViewDestFolder, &lblVol03StartNumber, &edtVol03StartNumber, &lblVol03EndNumber,
      &edtVol03EndNumber, &lblVol03Prefix, &edtVol03Prefix, &lblVol03Suffix, &edtVol03Suffix,
      &chkVol03Hyphen, &chkVol03PaddedZeroes, &lblVol03StartFolderCimke, &lblVol03StartFolder,
      &lblVol03EndFolderCimke, &lblVol03EndFolder, &lblVol03ShowResults, &chkVol03ViewDestFolder,
      &chkVol03ViewDetailedResults, &lblVol03Total, &lblVol03Results, &lblVol03FoldersCim,
      &lblVol03SubFoldersCim, &lblVol03FilesCim, &lblVol03FilesSizeCim, &lblVol03ToCreateCim,
      &lblVol03CreatedCim, &lblVol03ExistsCim, &lblVol03OtherCim, &btnVol03Statistics,
      &btnVol03Undo, &lstVol03AddFolderStructure, &btnVol03AddFolderStructure,
      &btnVol03ViewFolderStructure, &btnVol03RemoveFolderStructure, &rdoVol03AttachNothing,
      &rdoVol03AttachMainFolderWithFiles, &rdoVol03AttachMainFolderWithoutFiles,
      &rdoVol03AttachSubFoldersOnlyWithFiles, &rdoVol03AttachSubFoldersOnlyWithoutFiles};
  for (ui::Control* c : controls) c->SetEnabled(enabled);
  for (int i = 0; i < 16; ++i) c_.counters[i]->SetEnabled(enabled);
  SetStructureControlsEnabled();
  UpdateCreateButtons();
}

void NumbersPage::btnVol03ClearAllClick() {
  if (Busy()) return;
  if (Box(PageMsg::ClearAsk) != IDYES) return;
  if (cboVol03DestFolders.Count() > 0) cboVol03DestFolders.SetItemIndex(0);
  edtVol03StartNumber.SetText("1");
  edtVol03EndNumber.SetText("1");
  edtVol03Prefix.SetText("");
  edtVol03Suffix.SetText("");
  chkVol03Hyphen.SetChecked(true);
  lblVol03StartFolder.SetText("");
  lblVol03EndFolder.SetText("");
  lstVol03AddFolderStructure.Clear();
  ResetCounters();
  ClearResultLists();
  Journal.Clear();
  CopiedFiles.clear();
  ShowStatistics();
  ShowVisualLogTotals();
  SetVol03ControlsEnabled(false);
  Box(PageMsg::ClearEnd);
}

// ---- Run and simulation ----------------------------------------------------------

double NumbersPage::ItemCount() {
  return static_cast<double>(int64_t(Vol03EndNumber) - int64_t(Vol03StartNumber) + 1);
}

bool NumbersPage::BeforeStart(bool simulation) {
  // The fields are read with the exit handlers' rule, even when Create was
  // reached without leaving a field.
  ReadNumberFields();
  if (Vol03StartNumber > Vol03EndNumber) {
    Box(simulation ? kSimStartAboveEnd : kStartAboveEnd);
    edtVol03EndNumber.SetFocus();
    return false;
  }
  if (int64_t(Vol03EndNumber) - int64_t(Vol03StartNumber) + 1 > kMaxFolders) {
    Box(simulation ? kSimTooMany : kRunTooMany);
    edtVol03EndNumber.SetFocus();
    return false;
  }
  return true;
}

bool NumbersPage::TakeItems(core::CreationJob& job, bool simulation) {
  ReadNumberFields();
  if (Vol03StartNumber > Vol03EndNumber) {
    Box(simulation ? kSimStartAboveEndAtRead : kStartAboveEndAtRead);
    edtVol03EndNumber.SetFocus();
    return false;
  }
  const uint64_t count = uint64_t(int64_t(Vol03EndNumber) - int64_t(Vol03StartNumber) + 1);
  job.items = core::NumberItems(Vol03StartNumber, count, chkVol03PaddedZeroes.Checked(),
                                Vol03PadWidth, ComposeVol03NameParts());
  return true;
}

std::vector<ui::Control*> NumbersPage::CommandControls() {
  return {&cboVol03DestFolders, &btnVol03AddDestFolder, &btnVol03ViewDestFolder,
          &edtVol03StartNumber, &edtVol03EndNumber, &edtVol03Prefix, &edtVol03Suffix,
          &chkVol03Hyphen, &chkVol03PaddedZeroes, &lstVol03AddFolderStructure,
          &btnVol03AddFolderStructure, &btnVol03ViewFolderStructure,
          &btnVol03RemoveFolderStructure, &rdoVol03AttachNothing,
          &rdoVol03AttachMainFolderWithFiles, &rdoVol03AttachMainFolderWithoutFiles,
          &rdoVol03AttachSubFoldersOnlyWithFiles, &rdoVol03AttachSubFoldersOnlyWithoutFiles,
          &chkVol03ViewDetailedResults, &chkVol03ViewDestFolder, &btnVol03CreateFolders,
          &btnVol03CreateFoldersSimulation, &btnVol03Undo, &btnVol03ClearAll,
          &btnVol03Statistics, &btnVol03Help, &btnVol03Examples};
}
