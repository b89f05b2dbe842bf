#include "treeops/rename_page.h"

#include "core/casefold.h"
#include "core/settings_store.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "create/creation_engine.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/frmStatistic.h"
#include "treeops/level_builder_twins.h"
#include "ui/application.h"

#include <windows.h>

using core::TrimText;
using core::kMsgInformation;
using core::kMsgQuestion;
using core::kMsgWarning;

namespace {

#define B12 "            "
#define B13 "             "
#define TA "Rename Folders - From a Folder List."
#define TB "Rename Folders. - From a Folder List."
#define TC "Rename folders. - From a Folder List."
#define TD "Rename Folder(s).-From a Folder List - Level."
#define TE "Rename Folder(s).-From a Folder List."

const core::NumberedMessage<RenameMsg> kRows[] = {
    {RenameMsg::AddEmpty, "0184", kMsgWarning, "The selection field is empty !!!", TA B12 "Warning no: 0184."},
    {RenameMsg::InInclude, "0185", kMsgWarning, "This folder exists in the INCLUDE FOLDER LIST !!!",
     TB B12 "Warning no: 0185."},
    {RenameMsg::InExclude, "0186", kMsgWarning, "This folder exists in the EXCLUDE FOLDER LIST !!!",
     TA B12 "Warning no: 0186."},
    {RenameMsg::DeleteSelected, "0198", kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the "
     "EXCLUDE list.\n",
     TB B12 "Warning no: 0198."},
    {RenameMsg::ExcludeEmpty, "0199", kMsgWarning,
     "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete "
     "it.\n",
     TC B12 "Warning no: 0199."},
    {RenameMsg::ViewNothing, "0305", kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.",
     TC B12 "Warning no: 0305."},
    {RenameMsg::ViewNotAFolder, "0694", kMsgWarning, core::kNotAFolderText, TC B12 "Warning no: 0694."},
    {RenameMsg::ExcludeAllEmpty, "0524", kMsgWarning, "Empty List in the Exclude Window!\n",
     TD B12 "Warning no: 0524."},
    {RenameMsg::DeleteAll, "0525", kMsgQuestion, "Do you want to delete all item(s) from the Exclude list ?",
     TD B12 "Warning no: 0525."},
    {RenameMsg::ExportEmpty, "0558", kMsgWarning, "The Include List is empty !\n", TE B13 "Warning no: 0558."},
    {RenameMsg::PrefixIllegal, "0200", kMsgWarning, "Illegal character in the Prefix : {}",
     TB B12 "Warning no: 0200."},
    {RenameMsg::SuffixIllegal, "0201", kMsgWarning, "Illegal character in the Suffix : {}",
     TE B12 "Warning no: 0201."},
    {RenameMsg::PrefixDelimiterIllegal, "0202", kMsgWarning, "Illegal character in the Delimiter : {}",
     TB B12 "Warning no: 0202."},
    {RenameMsg::SuffixDelimiterIllegal, "0203", kMsgWarning, "Illegal character in the Delimiter : {}",
     TB B12 "Warning no: 0203."},
    {RenameMsg::NewNameIllegal, "0600", kMsgWarning, "Illegal character in the New Subfolder string : {}",
     TB B12 "Warning no: 0600."},
    {RenameMsg::ClearAsk, "0204", kMsgQuestion,
     "You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick NO to Stop the delete "
     "process.",
     TB B12 "Information no: 0204."},
    {RenameMsg::ClearEnd, "0205", kMsgWarning, "End of the CLEAR FIELDS process !!!\n",
     TB "           Warning no: 0205."},
    {RenameMsg::UndoNothing, "0211", kMsgWarning,
     "No UNDO process !!!\nThere are no renamed Folders !!!\nYou must rename at least on one Folder to UNDO "
     "it.",
     TE B12 "Warning no: 0211."},
    {RenameMsg::UndoAsk, "0212", kMsgQuestion, "Do you want UNDO all Folders renamed last time ?",
     TE B12 "Information no: 0212."},
    {RenameMsg::UndoReport, "0213", kMsgWarning, "{}", TE B12 "Information no: 0213."},
    {RenameMsg::UndoEnd, "0214", kMsgInformation, "End of Undo process !!!", TE B12 "Information no: 0214."},
    {RenameMsg::Refused, "0601", kMsgWarning,
     "This folder can not be renamed : {}\nAction : You must enter the full path of a folder below a drive "
     "or a share.",
     TE B12 "Warning no: 0601."},
    {RenameMsg::RunConfirm, "0602", kMsgQuestion,
     "Do you want to rename the last folder of {} line(s) of the Include list ?\nClick YES to Rename the "
     "folders,\nClick NO to Stop the Rename process.",
     TE B12 "Information no: 0602."},
    {RenameMsg::SimConfirm, "0603", kMsgQuestion, "{}Do you want to start the Simulation ?",
     TE B12 "Information no: 0603."},
    {RenameMsg::RunEnd, "0604", kMsgInformation, "End of the Rename process !!!\n\n{}",
     TE B12 "Information no: 0604."},
    {RenameMsg::SimEnd, "0605", kMsgInformation, "{}", TE B12 "Information no: 0605."},
    {RenameMsg::NotTaken, "0606", kMsgWarning, "Not every entry was added to the INCLUDE list !\n\n{}",
     TE B12 "Warning no: 0606."},
    {RenameMsg::NameRefused, "0607", kMsgWarning,
     "No folder can get such a name !\n{}\nAction : You must change the field.", TB B12 "Warning no: 0607."},
};

// The empty-result warnings of the import window and of the subfolder list builder.
const char kEmptyImportCaption[] = TE B13 "Warning no: 0389.";
const char kEmptyBuilderCaption[] = TE B13 "Warning no: 0585.";

#undef TA
#undef TB
#undef TC
#undef TD
#undef TE

// The counts a run ends with, as its end box tells them.
std::string Summary(const std::array<double, 4>& c) {
  return "Renamed Folders : " + core::CounterText(c[0]) +
         "\nSource doesn't Exists : " + core::CounterText(c[1]) +
         "\nDestination Already Exists : " + core::CounterText(c[2]) +
         "\nOther Reasons : " + core::CounterText(c[3]);
}

} // namespace

const core::MessageTable<RenameMsg> kRenamePageMessages = core::TableOf(kRows);

RenamePage::RenamePage(ui::Form* form, std::vector<ui::TabSheet*> runLocks,
                       std::vector<ui::TabSheet*> simLocks, const std::string* simStart,
                       const std::string* simEnd)
    : form_(form), Lists(form, ListHalf()), Levels(form, Lists, LevelHalf()), runLocks_(std::move(runLocks)), simLocks_(std::move(simLocks)),
      simStart_(simStart), simEnd_(simEnd) {
  rdoVol06RenameAddPrefixesSuffixes.OnClick = [this] { rdoVol06RenameAddPrefixesSuffixesClick(); };
  rdoVol06RenameTheLastSubFolder.OnClick = [this] { rdoVol06RenameTheLastSubFolderClick(); };
  const std::pair<ui::Edit*, RenameMsg> fields[] = {
      {&edtVol06NewPrefix, RenameMsg::PrefixIllegal},
      {&edtVol06DelimiterPrefixSubFolder, RenameMsg::PrefixDelimiterIllegal},
      {&edtVol06DelimiterSubFolderSuffix, RenameMsg::SuffixDelimiterIllegal},
      {&edtVol06NewSuffix, RenameMsg::SuffixIllegal},
      {&edtVol06RenameNewLastSubFolder, RenameMsg::NewNameIllegal}};
  for (const auto& f : fields) {
    ui::Edit* edit = f.first;
    const RenameMsg message = f.second;
    edit->OnChange = [this, edit, message] {
      if (CheckField(*edit, message)) UpdateVol06Preview();
    };
    // Leaving the field: the same check, then whether its method can give any
    // folder a name the run would take.
    edit->OnExit = [this, edit, message] {
      if (!CheckField(*edit, message)) return;
      UpdateVol06Preview();
      NameFieldsAccepted(edit);
    };
  }
  RunBinding::Page page;
  page.form = form_;
  page.progress = &pbVol06ProgressBar;
  page.window = [] { return static_cast<TResultsWindow*>(frmStatistic06); };
  page.commands = [this] { return CommandControls(); };
  page.runButtons = {&btnVol06RenameFolders, &btnVol06RenameFoldersSimulation, &btnVol06Undo};
  run_.Bind(std::move(page));
  btnVol06RenameFolders.OnClick = [this] { Start(false); };
  btnVol06RenameFoldersSimulation.OnClick = [this] { Start(true); };
  btnVol06Undo.OnClick = [this] { btnVol06UndoClick(); };
  btnVol06ClearAll.OnClick = [this] { btnVol06ClearAllClick(); };

  rdoVol06RenameAddPrefixesSuffixes.SetHint("Activate the Renaming Prefix/Suffix Method.");
  rdoVol06RenameTheLastSubFolder.SetHint("Activate the Renaming the Last Subfolder Method.");
  edtVol06NewPrefix.SetHint("New Prefix in the last Subfolder of each Main Folder.");
  edtVol06DelimiterPrefixSubFolder.SetHint("New Delimiter between Prefix and SubFolder of each Main Folder.");
  edtVol06DelimiterSubFolderSuffix.SetHint("New Delimiter between Subfolder of each Main Folder and Suffix.");
  edtVol06NewSuffix.SetHint("New Suffix in the last Subfolder of each Main Folder.");
  edtVol06RenameNewLastSubFolder.SetHint(
      "Last Subfolders from the Include Folder List will be Replaced (Renamed) with the content of the New "
      "Name field.");
  btnVol06RenameFolders.SetHint("Start the Rename process.");
  chkVol06ShowDetailedResults.SetHint("Show Detailed Results during the RENAME process.");
  btnVol06Statistics.SetHint("Show Detailed Results Window.");
  btnVol06Undo.SetHint("Restore the previous state.");
  btnVol06ClearAll.SetHint("Clear all controls");
  btnVol06Help.SetHint("Help for this page.");
  btnVol06ExchangeIncToExc.SetHint("Exchange the contents of the INCLUDE and the EXCLUDE window.");
}

int RenamePage::Box(RenameMsg id, const std::string& arg) {
  const core::BoxMessage b = core::Compose(kRenamePageMessages[id], arg);
  return ui::App().MessageBox(b.text, b.caption, b.flags);
}

ListPairDescription RenamePage::ListHalf() {
  ListPairDescription d;
  ListPairControls& c = d.c;
  c.add = &btnVol06AddFolderToList;  // no field: the folder picker
  c.include = &lstVol06IncludeFolderList;
  c.exclude = &lstVol06ExcludeFolderList;
  c.includeCount = &lblVol06IncludeSum;
  c.excludeCount = &lblVol06ExcludeSum;
  c.incToExc = &btnVol06IncToExc;
  c.excToInc = &btnVol06ExcToInc;
  c.allFromInc = &btnVol06AllFromInc;
  c.allFromExc = &btnVol06AllFromExc;
  c.exchange = &btnVol06ExchangeIncToExc;
  c.deleteSelected = &btnVol06DeleteFromExcludeList;
  c.deleteAll = &btnVol06DeleteExcludeAll;
  c.smartImport = &btnVol06SmartImport;
  c.subfolderBuilder = &btnVol06SubFolderLevelListBuilder;
  c.smartExport = &btnVol06SmartExport;
  c.editList = &btnVol06EditIncludeWindow;
  c.view = &btnVol06includeFolderList;
  c.importList = &btnVol06LoadFrom;
  c.exportList = &btnVol06SaveTo;
  c.help = &btnVol06Help;
  c.visualLog = &btnVol06Statistics;
  c.examples = &btnVol06Examples;
  c.progress = &pbVol06ProgressBar;
  c.open = &OpenDialog3;
  c.save = &SaveDialog3;
  c.captions = {&lblVol06IncludeFolderList, &lblVol06ExcludeFolderList, &lblVol06IncludeSumCim,
                &lblVol06ExcludeSumCim};
  d.box = [this](ListMsg m, const std::string& arg) {
    static const RenameMsg rows[] = {RenameMsg::AddEmpty,        RenameMsg::InInclude,
                                     RenameMsg::InExclude,       RenameMsg::ExcludeEmpty,
                                     RenameMsg::DeleteSelected,  RenameMsg::ExcludeAllEmpty,
                                     RenameMsg::DeleteAll,       RenameMsg::ExportEmpty,
                                     RenameMsg::ViewNothing,     RenameMsg::NotTaken,
                                     RenameMsg::ViewNotAFolder};
    return Box(rows[static_cast<size_t>(m)], arg);
  };
  d.rule = [rule = ListRule()](ListRoad road) { return rule.Judge(road); };
  d.refresh = [this] { RefreshPage(); };
  d.excToIncAsks = true;
  d.allFromExcAsks = true;
  d.movesNeedDrive = true;
  d.manualAddAsks = true;
  d.emptyImportCaption = kEmptyImportCaption;
  d.emptyBuilderCaption = kEmptyBuilderCaption;
  d.splitAtDrives = false;
  d.editor = [] { return static_cast<TfrmEditIncludeList*>(frmVol06EditIncludeList); };
  d.listFile = &kListFileVol06;
  d.afterExportList = [this] {
    const bool any = lstVol06IncludeFolderList.Count() > 0;
    SetVol06ControlsEnabled(any);
    UpdateVol06RenameButtons(any);
    Lists.Refresh();
    btnVol06AddFolderToList.SetFocus();
  };
  d.focusAfterImport = &btnVol06AddFolderToList;
  d.help = [] { ShowHelpTopic("Rename"); };
  d.examples = [] { ShowExamples(ExamplesKind::Rename); };
  d.visualLog = [this] { btnVol06StatisticsClick(); };
  return d;
}

// The in-page level builder: its controls, its boxes and the page's quirks.
LevelBuilderDescription RenamePage::LevelHalf() {
  LevelBuilderDescription d;
  LevelBuilderControls& c = d.c;
  c.makeListSelector = &rdoVol06MakeListSelector;
  c.makeListImport = &rdoVol06MakeListImport;
  c.addToListManually = &rdoVol06AddToListManually;
  c.rootLabel = &lblVol06DestFolderName;
  c.root = &cboVol06LevelDestFolder;
  c.browse = &btnVol06AddDestFolder;
  c.view = &btnVol06ViewDestFolder;
  c.levelLabel = &lblVol06LevelNumber;
  c.fromTo = &rdoVol06SLNFromTo;
  c.from = &edtVol06FromLevelNumber;
  c.fromUd = &udVol06FromLevelNumber;
  c.toLabel = &lblVol06SLNTo;
  c.to = &edtVol06ToLevelNumber;
  c.toUd = &udVol06ToLevelNumber;
  c.above = &rdoVol06SLNAbove;
  c.aboveLevel = &edtVol06AboveLevelNumber;
  c.aboveUd = &udVol06AboveLevelNumber;
  c.below = &rdoVol06SLNBelow;
  c.belowLevel = &edtVol06BelowLevelNumber;
  c.belowUd = &udVol06BelowLevelNumber;
  c.build = &btnVol06MakeList;
  c.filterLabel = &lblVol06SubFolderFilter;
  c.filter = &edtVol06SubFolderFilter;
  c.onlyTheLast = &rdoVol06GenLastSubFolder;
  c.allInThePath = &rdoVol06GenAllSubFolders;
  d.messages = kRenameLevelMessages;
  return d;
}

// One rule on every road: what the run's target check refuses never enters the
// list (a root, a relative path, "." or ".." parts, names ending in a dot or a
// blank, protected folders), and a folder already listed under another
// spelling ("C:\Data" beside "c:/data/") is not listed twice.
treeops::FolderListRule RenamePage::ListRule() {
  treeops::FolderListRule::Page page;
  page.include = &lstVol06IncludeFolderList;
  page.exclude = &lstVol06ExcludeFolderList;
  page.protectedFolders = [this]() -> const treeops::ProtectedFolders& { return protected_; };
  page.refusedBox = [this](const std::string& entry, const std::string& reason) {
    Box(RenameMsg::Refused, TrimText(entry) + "\n(" + reason + ")");
  };
  page.listedBox = [this](bool inInclude) { Box(inInclude ? RenameMsg::InInclude : RenameMsg::InExclude); };
  return treeops::FolderListRule(std::move(page));
}

void RenamePage::InitVol06Page() {
  protected_ = treeops::SystemProtectedFolders(core::Settings().GetStartupDirectory());
  rdoVol06RenameAddPrefixesSuffixes.SetChecked(true);
  chkVol06ShowDetailedResults.SetChecked(true);
  ResetVol06Counters();
  ShowVol06Statistics();
  lblVol06StartFolder.SetText("");
  lblVol06EndFolder.SetText("");
  SetVol06ControlsEnabled(false);
  Lists.ShowCounts();
  Levels.Init();
  lstVol06IncludeFolderList.SetHorizontalExtent(3000);
  lstVol06ExcludeFolderList.SetHorizontalExtent(3000);
}

// ---- Fields, methods, preview, enable rules --------------------------------------------

bool RenamePage::CheckField(ui::Edit& field, RenameMsg message) {
  const std::string text = field.Text();
  std::string kept, found, bad;
  for (char c : text) {
    if (core::FindIllegalChar("F", std::string(1, c), bad)) {
      if (found.find(c) == std::string::npos) found += c;
    } else {
      kept += c;
    }
  }
  if (found.empty()) return true;
  Box(message, found);
  field.SetText(kept);  // runs this check again, which passes and updates the preview
  field.SetFocus();
  return false;
}

treeops::RenameFields RenamePage::Fields() const {
  treeops::RenameFields f;
  f.method = rdoVol06RenameAddPrefixesSuffixes.Checked() ? treeops::RenameMethod::PrefixSuffix
                                                          : treeops::RenameMethod::NewName;
  f.prefix = edtVol06NewPrefix.Text();
  f.prefixDelimiter = edtVol06DelimiterPrefixSubFolder.Text();
  f.suffixDelimiter = edtVol06DelimiterSubFolderSuffix.Text();
  f.suffix = edtVol06NewSuffix.Text();
  f.newName = edtVol06RenameNewLastSubFolder.Text();
  return f;
}

// The new paths of the first and the last line, by the checked method; a line
// that names no folder (no drive part, a root) clears its label.
void RenamePage::UpdateVol06Preview() {
  const int count = lstVol06IncludeFolderList.Count();
  if (count == 0) {
    lblVol06StartFolder.SetText("");
    lblVol06EndFolder.SetText("");
    return;
  }
  const treeops::RenameFields fields = Fields();
  lblVol06StartFolder.SetText(treeops::PreviewNewPath(lstVol06IncludeFolderList.Item(0), fields));
  lblVol06EndFolder.SetText(treeops::PreviewNewPath(lstVol06IncludeFolderList.Item(count - 1), fields));
}

std::string RenamePage::NameFieldsFault(ui::Edit*& blame) const {
  const treeops::RenameFields f = Fields();
  if (f.method == treeops::RenameMethod::NewName) {
    blame = const_cast<ui::Edit*>(&edtVol06RenameNewLastSubFolder);
    // An empty New Name is no name: the run tells it for each line.
    return f.newName.empty() ? std::string() : core::NamePartFault(f.newName);
  }
  // Prefix, suffix and delimiters go in trimmed. A name "x" stands for any
  // folder's: no device name holds an "x", so what is refused with it is
  // refused whatever the folder is called (a device before a dot of the
  // prefix, a dot at the end of the suffix).
  const std::string head = TrimText(f.prefix) + TrimText(f.prefixDelimiter);
  const std::string tail = TrimText(f.suffixDelimiter) + TrimText(f.suffix);
  const std::string fault = core::NamePartFault(head + "x" + tail);
  if (fault.empty()) return fault;
  const bool headFault = !core::NamePartFault(head + "x").empty();
  blame = const_cast<ui::Edit*>(
      headFault ? (TrimText(f.prefix).empty() ? &edtVol06DelimiterPrefixSubFolder : &edtVol06NewPrefix)
                : (TrimText(f.suffix).empty() ? &edtVol06DelimiterSubFolderSuffix : &edtVol06NewSuffix));
  // The box names the new name of the first listed folder.
  std::string folder;
  if (lstVol06IncludeFolderList.Count() > 0 &&
      treeops::RenameSourceFolder(lstVol06IncludeFolderList.Item(0), folder)) {
    const std::string named = core::NamePartFault(head + folder.substr(folder.find_last_of('\\') + 1) + tail);
    if (!named.empty()) return named;
  }
  return fault;
}

bool RenamePage::NameFieldsAccepted(ui::Edit* leaving) {
  const bool newName = rdoVol06RenameTheLastSubFolder.Checked();
  if (leaving) {
    // Left for a run button: the run tells it, once.
    if (btnVol06RenameFolders.Focused() || btnVol06RenameFoldersSimulation.Focused()) return true;
    if ((leaving == &edtVol06RenameNewLastSubFolder) != newName) return true;  // the other method's field
  }
  ui::Edit* blame = nullptr;
  const std::string fault = NameFieldsFault(blame);
  if (fault.empty()) return true;
  Box(RenameMsg::NameRefused, fault);
  if (!leaving && blame && blame->Enabled()) blame->SetFocus();
  return false;
}

void RenamePage::rdoVol06RenameAddPrefixesSuffixesClick() {
  const bool on = rdoVol06RenameAddPrefixesSuffixes.Checked();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &lblVol06NewPrefixCimke, &edtVol06NewPrefix, &lblVol06DelimiterPrefixSubFolderCimke,
           &edtVol06DelimiterPrefixSubFolder, &lblVol06DelimiterSubFolderSuffixCimke,
           &edtVol06DelimiterSubFolderSuffix, &lblVol06NewSuffixCimke, &edtVol06NewSuffix})
    c->SetEnabled(on);
  lblVol06RenameNewLastSubFolder.SetEnabled(!on);
  edtVol06RenameNewLastSubFolder.SetEnabled(!on);
  UpdateVol06Preview();
}

void RenamePage::rdoVol06RenameTheLastSubFolderClick() {
  const bool on = rdoVol06RenameTheLastSubFolder.Checked();
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &lblVol06NewPrefixCimke, &edtVol06NewPrefix, &lblVol06DelimiterPrefixSubFolderCimke,
           &edtVol06DelimiterPrefixSubFolder, &lblVol06DelimiterSubFolderSuffixCimke,
           &edtVol06DelimiterSubFolderSuffix, &lblVol06NewSuffixCimke, &edtVol06NewSuffix})
    c->SetEnabled(!on);
  lblVol06RenameNewLastSubFolder.SetEnabled(on);
  edtVol06RenameNewLastSubFolder.SetEnabled(on);
  UpdateVol06Preview();
}

void RenamePage::SetVol06ControlsEnabled(bool enabled) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &rdoVol06RenameAddPrefixesSuffixes, &rdoVol06RenameTheLastSubFolder, &lblVol06NewPrefixCimke,
           &edtVol06NewPrefix, &lblVol06DelimiterPrefixSubFolderCimke, &edtVol06DelimiterPrefixSubFolder,
           &lblVol06DelimiterSubFolderSuffixCimke, &edtVol06DelimiterSubFolderSuffix, &lblVol06NewSuffixCimke,
           &edtVol06NewSuffix, &lblVol06RenameNewLastSubFolder, &edtVol06RenameNewLastSubFolder})
    c->SetEnabled(enabled);
  if (enabled && rdoVol06RenameAddPrefixesSuffixes.Checked()) {
    lblVol06RenameNewLastSubFolder.SetEnabled(false);
    edtVol06RenameNewLastSubFolder.SetEnabled(false);
  } else if (enabled && rdoVol06RenameTheLastSubFolder.Checked()) {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &lblVol06NewPrefixCimke, &edtVol06NewPrefix, &lblVol06DelimiterPrefixSubFolderCimke,
             &edtVol06DelimiterPrefixSubFolder, &lblVol06DelimiterSubFolderSuffixCimke,
             &edtVol06DelimiterSubFolderSuffix, &lblVol06NewSuffixCimke, &edtVol06NewSuffix})
      c->SetEnabled(false);
  }
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &lblVol06StartFolderCimke, &lblVol06StartFolder, &lblVol06EndFolderCimke, &lblVol06EndFolder,
           &lblVol06TotalFoldersCimke, &lblVol06FoldersToRenameCimke, &lblVol06FoldersRenamedCimke,
           &lblVol06FoldersSourceNotExistsCimke, &lblVol06FoldersDestinationExistsCimke,
           &lblVol06FoldersOtherReasonsCimke, &btnVol06Statistics, &btnVol06Undo, &chkVol06ShowDetailedResults})
    c->SetEnabled(enabled);
  for (ui::Label* l : CounterLabels()) l->SetEnabled(enabled);
  UpdateVol06RenameButtons(true);
}

void RenamePage::UpdateVol06RenameButtons(bool) {
  // Both run buttons follow the include list: on exactly when it holds a line.
  const bool any = lstVol06IncludeFolderList.Count() > 0;
  btnVol06RenameFolders.SetEnabled(any);
  btnVol06RenameFoldersSimulation.SetEnabled(any);
}

void RenamePage::RefreshPage() {
  const bool any = lstVol06IncludeFolderList.Count() > 0;
  SetVol06ControlsEnabled(any);
  UpdateVol06RenameButtons(any);
  ResetVol06Counters();
  UpdateVol06Preview();
  Vol06TotalToRename = lstVol06IncludeFolderList.Count();
  ShowVol06Statistics();
  ShowVol06VisualLogTotals();
}

// ---- Counters and the results window ------------------------------------------------

std::vector<ui::Label*> RenamePage::CounterLabels() {
  return {&lblVol06FoldersToRename, &lblVol06FoldersRenamed, &lblVol06FoldersSourceNotExists,
          &lblVol06FoldersDestinationExists, &lblVol06FoldersOtherReasons};
}

void RenamePage::ResetVol06Counters() {
  Vol06TotalToRename = 0;
  ResetVol06ResultCounters();
}

void RenamePage::ShowVol06Statistics() {
  std::vector<ui::Label*> labels = CounterLabels();
  labels[0]->SetText(core::CounterText(Vol06TotalToRename));
  for (int i = 0; i < 4; ++i) labels[i + 1]->SetText(core::CounterText(Vol06ResultCounters[i]));
}

void RenamePage::ShowVol06VisualLogTotals() {
  TResultsWindow* w = frmStatistic06;
  if (!w) return;  // made after the main window
  w->Counter(0).SetText(core::CounterText(Vol06TotalToRename));
  for (int i = 0; i < 4; ++i) w->Counter(i + 1).SetText(core::CounterText(Vol06ResultCounters[i]));
}

void RenamePage::ClearVol06VisualLog() {
  if (frmStatistic06) frmStatistic06->ClearLists();
}

void RenamePage::btnVol06StatisticsClick() {
  ShowVol06VisualLogTotals();
  if (frmStatistic06) run_.ShowLog(*frmStatistic06);
}

void RenamePage::ClearVol06RenameHistory() {
  Vol06Results.Clear();
  Vol06RenameHistory.clear();
}

// ---- Run and simulation ------------------------------------------------------------------
// Each is a job of the one run binding: the page gives its checks, its engine
// call and its boxes.

std::vector<RunBinding::Counter> RenamePage::BoundCounters() {
  std::vector<ui::Label*> labels = CounterLabels();
  std::vector<RunBinding::Counter> counters{{&Vol06TotalToRename, labels[0], 0}};
  for (int i = 0; i < 4; ++i) counters.push_back({&Vol06ResultCounters[i], labels[i + 1], i + 1});
  return counters;
}

void RenamePage::Start(bool simulation) {
  if (run_.Busy() || lstVol06IncludeFolderList.Count() == 0) return;
  treeops::RenameResults results;
  treeops::RenameHistory history;
  treeops::ReasonFinder why(results.reasons);
  RunBinding::Job run;
  run.kind = simulation ? RunBinding::Kind::Simulation : RunBinding::Kind::Run;
  run.locks = simulation ? simLocks_ : runLocks_;
  run.confirm = [&] {
    // Fields that can only give names the run refuses stop it here, with their box.
    if (!NameFieldsAccepted(nullptr)) return false;
    const std::string lines = std::to_string(lstVol06IncludeFolderList.Count());
    return (simulation ? Box(RenameMsg::SimConfirm, *simStart_) : Box(RenameMsg::RunConfirm, lines)) == IDYES;
  };
  run.reset = [&] {
    // Every target is checked again by the engine against the folders of this moment.
    protected_ = treeops::SystemProtectedFolders(core::Settings().GetStartupDirectory());
    ResetVol06ResultCounters();
    // A run replaces the last run's undo record; a simulation keeps it.
    if (!simulation) ClearVol06RenameHistory();
  };
  run.showLog = chkVol06ShowDetailedResults.Checked();
  run.counters = BoundCounters();
  run.sync = [&] { Vol06ResultCounters = results.counters; };
  run.lists.emplace_back(0, &results.renamed);
  run.lists.emplace_back(1, &results.sourceNotExists);
  run.lists.emplace_back(2, &results.destinationExists);
  run.lists.emplace_back(3, &results.otherReasons, [&why](const std::string& path) { return why(path); });
  run.work = [&](RunBinding::Sink& sink) {
    // The job is a snapshot of the page as it stands now.
    treeops::RenameJob job;
    const std::vector<std::string>& items = lstVol06IncludeFolderList.Items();
    job.lines.assign(items.begin(), items.end());
    job.fields = Fields();
    job.protectedFolders = protected_;
    job.dry = simulation;
    sink.Begin(job.lines.size());
    sink.InBackground([&] {
      treeops::RunRename(job, results, history,
                         [&](size_t done, size_t total) { return sink.Progress(done, total); });
    });
    if (!simulation) {
      // The run's own renames are the undo record (also those of a run stopped midway).
      Vol06RenameHistory = std::move(history);
      Vol06Results = results;
    }
    return true;
  };
  run.background = true;
  run.end = [&] {
    const std::vector<core::ListedSection> reasons{treeops::ReasonsSection(results.reasons)};
    const core::BoxMessage m = core::Compose(
        kRenamePageMessages[simulation ? RenameMsg::SimEnd : RenameMsg::RunEnd],
        (simulation ? *simEnd_ + "\n\n" : std::string()) + Summary(Vol06ResultCounters) + "{}");
    // The list of the folders not renamed for other reasons, while it is whole.
    const core::WholeList whole{
        run_.Place("the Visual Log, list Not Renamed : OTHER Reasons, each with why.", {3}), "rename end.txt",
        m.caption};
    ui::App().MessageBox(core::ListingBoxText(m.text, reasons, whole), m.caption, m.flags);
  };
  run_.Run(run);
}

std::vector<ui::Control*> RenamePage::CommandControls() {
  std::vector<ui::Control*> controls = Lists.CommandControls();
  for (ui::Control* c : Levels.CommandControls()) controls.push_back(c);
  for (ui::Control* c : std::initializer_list<ui::Control*>{
           &rdoVol06RenameAddPrefixesSuffixes, &rdoVol06RenameTheLastSubFolder, &edtVol06NewPrefix,
           &edtVol06DelimiterPrefixSubFolder, &edtVol06DelimiterSubFolderSuffix, &edtVol06NewSuffix,
           &edtVol06RenameNewLastSubFolder, &chkVol06ShowDetailedResults, &btnVol06RenameFolders,
           &btnVol06RenameFoldersSimulation, &btnVol06Undo, &btnVol06ClearAll})
    controls.push_back(c);
  return controls;
}

// ---- Undo and Clear Fields --------------------------------------------------------------

void RenamePage::btnVol06UndoClick() {
  if (run_.Busy()) return;
  treeops::RenameUndoReport report;
  RunBinding::Job run;
  run.kind = RunBinding::Kind::Undo;
  run.locks = runLocks_;
  run.confirm = [&] {
    if (Vol06RenameHistory.empty()) {
      Box(RenameMsg::UndoNothing);
      return false;
    }
    return Box(RenameMsg::UndoAsk) == IDYES;
  };
  run.reset = [&] { ResetVol06ResultCounters(); };
  run.counters = BoundCounters();
  // What was not renamed back is listed whole in the Visual Log, by cause,
  // each folder with why.
  const std::deque<std::string>* lists[] = {&report.sourceNotExists, &report.destinationExists,
                                            &report.otherReasons};
  treeops::ReasonFinder listedWhy(report.reasons);
  auto listed = [&listedWhy](const std::string& path) { return listedWhy(path); };
  for (int list : {1, 2, 3}) run.lists.emplace_back(list, nullptr, listed);
  run.work = [&](RunBinding::Sink& sink) {
    // The progress bar follows the records taken back.
    sink.Begin(Vol06RenameHistory.size());
    sink.InBackground([&] {
      report = treeops::UndoRename(Vol06RenameHistory, nullptr,
                                   [&](size_t done, size_t total) { return sink.Progress(done, total); });
    });
    for (size_t k = 0; k < 3; ++k)
      for (const std::string& path : *lists[k]) sink.Add(k, path);
    ClearVol06RenameHistory();
    return true;
  };
  run.background = true;
  run.end = [&] {
    if (report.Failures()) {
      const char* headings[] = {"SOURCE FOLDERS DO NOT EXISTS", "DESTINATION FOLDERS DO EXISTS", "OTHER REASONS"};
      treeops::ReasonFinder why(report.reasons);  // each folder with why it stays
      std::vector<core::ListedSection> sections;
      for (size_t k = 0; k < 3; ++k) {
        core::ListedGroups paths;
        for (const std::string& path : *lists[k]) paths.Add(path, why(path));
        sections.push_back({headings[k], paths.Groups()});
      }
      const core::WholeList whole{
          run_.Place("the Visual Log, lists Not Renamed (SOURCE NOT EXISTS, DESTINATION ALREADY EXISTS, OTHER "
                     "Reasons), each with why.",
                     {0, 1, 2}),
          "rename undo.txt", kRenamePageMessages[RenameMsg::UndoReport].caption};
      Box(RenameMsg::UndoReport,
          core::ListingBoxText("The program is unable to rename the following folders  : \n{}", sections, whole));
    }
    Box(RenameMsg::UndoEnd);
  };
  run_.Run(run);
}

void RenamePage::btnVol06ClearAllClick() {
  if (run_.Busy()) return;
  if (Box(RenameMsg::ClearAsk) != IDYES) return;
  Lists.Clear();
  Levels.Clear();
  rdoVol06RenameAddPrefixesSuffixes.SetChecked(true);
  for (ui::Edit* e : {&edtVol06NewPrefix, &edtVol06DelimiterPrefixSubFolder, &edtVol06DelimiterSubFolderSuffix,
                      &edtVol06NewSuffix, &edtVol06RenameNewLastSubFolder})
    e->SetText("");
  lblVol06StartFolder.SetText("");
  lblVol06EndFolder.SetText("");
  chkVol06ShowDetailedResults.SetChecked(true);
  ResetVol06Counters();
  ClearVol06RenameHistory();
  ShowVol06Statistics();
  ShowVol06VisualLogTotals();
  SetVol06ControlsEnabled(false);
  Box(RenameMsg::ClearEnd);
}
