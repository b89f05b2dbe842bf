#include "listwin/frmSubFolderListBuilder.h"

#include "core/casefold.h"
#include "core/folder_scan.h"
#include "core/level_copy.h"
#include "core/level_summary.h"
#include "core/textutil.h"
#include "examples/help_windows.h"
#include "listwin/export_handover.h"
#include "listwin/level_builder.h"
#include "listwin/list_page.h"
#include "ui/application.h"
#include "ui/throttle.h"
#include "ui/dialogs.h"

#include <windows.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <stdexcept>

TfrmSubFolderListBuilder* frmSubFolderListBuilder = nullptr;
TfrmFLLEditIncludeFolderList* frmFLLEditIncludeFolderList = nullptr;

namespace {

using Msg = BuilderMsg;
using Message = core::NumberedMessage<Msg>;

const char kEmptySelection[] = "The selection field is empty !\nAction : You must select a destination folder.";

// Every message of the builder and its memo editor.
const Message kMessages[] = {
    {Msg::SourceEmpty, "0572", core::kMsgWarning, kEmptySelection},
    {Msg::ViewEmpty, "0573", core::kMsgWarning, kEmptySelection},
    {Msg::ViewMissing, "0586", core::kMsgWarning, core::kNotAFolderText},
    {Msg::NoSelected, "0574", core::kMsgWarning,
     "There is no selected Folder Structure !\nAction : You must select a Folder with a subfolder structure."},
    {Msg::SelectedMissing, "0587", core::kMsgWarning, core::kNotAFolderText},
    {Msg::DeleteSelected, "0575", core::kMsgQuestion,
     "Do you want to delete the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the "
     "EXCLUDE list.\n"},
    {Msg::ExcludeEmpty, "0576", core::kMsgWarning,
     "The EXCLUDE list is empty !\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete it.\n"},
    {Msg::ExcludeEmptyAll, "0577", core::kMsgWarning, "Empty List in the Exclude Window!\n"},
    {Msg::DeleteAll, "0578", core::kMsgQuestion, "Do you want to delete all item(s) from the Exclude list ?"},
    {Msg::BuildEmpty, "0579", core::kMsgWarning, kEmptySelection},
    {Msg::ClearInclude, "0580", core::kMsgQuestion,
     "Do you want to clear the previous content of the INCLUDE window ?\nClick YES to clear the previous "
     "content,\nClick NO to leave it."},
    {Msg::FromAboveTo, "0581", core::kMsgWarning,
     "The Start Number is greater then the End one!\nAction : You must enter a Start number that is smaller "
     "than the End one."},
    {Msg::NoMatches, "0582", core::kMsgWarning,
     "There are no matching results for subfolder selection !\nAction : You must select a proper Subfolder "
     "level, or a filter."},
    {Msg::LevelTooSmall, "0583", core::kMsgWarning,
     "The level number is too small !\nAction : You must enter a level number of at least 1 (Below: at least "
     "0)."},
    {Msg::IncludeEmpty, "0584", core::kMsgWarning, "The Include Folder List is empty !\n"},
    {Msg::EditTooMany, "0012", core::kMsgWarning,
     "The list holds more than 30000 folders !\nAction : You must remove some lines. The INCLUDE list was not "
     "changed."},
    {Msg::EditTrimmed, "0013", core::kMsgWarning,
     "The list may hold at most 30000 folders !\nOnly the first 30000 lines were kept."},
    {Msg::FoundKept, "0588", core::kMsgWarning, "Not every folder found was added to the INCLUDE list !\n\n{}"},
};

} // namespace

const core::MessageTable<BuilderMsg> kSubFolderListBuilderMessages = core::TableOf(kMessages);

namespace {

int Box(Msg id, const std::string& arg = std::string()) {
  for (const Message& m : kSubFolderListBuilderMessages) {
    if (m.id != id) continue;
    const bool editor = id == Msg::EditTooMany || id == Msg::EditTrimmed;
    std::string caption = editor ? "Folder Level List Builder." : "SubFolder Level List Builder.";
    caption += std::string(id == Msg::IncludeEmpty ? 13 : 12, ' ');
    return ui::App().MessageBox(core::Compose(m, arg).text, caption + "Warning no: " + m.number + ".", m.flags);
  }
  return 0;
}

bool Yes(Msg id) { return Box(id) == IDYES; }

constexpr int kLevelLimit = 999;  // deeper than any path the system allows

// The lists grow side by side with the window, their commands follow them;
// the builder's own controls keep their place at the left.
const ui::AnchorRule kBuilderAnchors[] = {
    {IDC_SFB_INCLUDELABEL, {0, 0, 50, 0}},     {IDC_SFB_INCLUDE, {0, 0, 50, 100}},
    {IDC_SFB_INCLUDECIM, ui::kStayLeftBottom}, {IDC_SFB_INCLUDESUM, ui::kStayLeftBottom},
    {IDC_SFB_TOEXC, {50, 0, 50, 0}},           {IDC_SFB_TOINC, {50, 0, 50, 0}},
    {IDC_SFB_ALLTOEXC, {50, 0, 50, 0}},        {IDC_SFB_ALLTOINC, {50, 0, 50, 0}},
    {IDC_SFB_EXCHANGE, {50, 0, 50, 0}},        {IDC_SFB_EXCLUDELABEL, {50, 0, 100, 0}},
    {IDC_SFB_EXCLUDE, {50, 0, 100, 100}},      {IDC_SFB_EXCLUDECIM, {50, 100, 50, 100}},
    {IDC_SFB_EXCLUDESUM, {50, 100, 50, 100}},  {IDC_SFB_EDIT, ui::kStayLeftBottom},
    {IDC_SFB_VIEWSELECTED, ui::kStayLeftBottom}, {IDC_SFB_EXPORT, ui::kStayLeftBottom},
    {IDC_SFB_DELETESELECTED, {50, 100, 50, 100}}, {IDC_SFB_DELETEALL, {50, 100, 50, 100}},
    {IDC_SFB_MARK2, ui::kStayRightBottom},     {IDC_SFB_IMPORT, ui::kStayRightBottom},
    {IDC_SFB_CANCEL, ui::kStayRightBottom},    {IDC_SFB_HELP, ui::kStayLeftBottom},
};

const ui::AnchorRule kEditorAnchors[] = {
    {IDC_FLL_MEMO, ui::kGrowAll},           {IDC_FLL_LINESCIM, ui::kStayLeftBottom},
    {IDC_FLL_LINES, ui::kStayLeftBottom},   {IDC_FLL_CURRENT, ui::kStayLeftBottom},
    {IDC_FLL_OK, ui::kStayRightBottom},     {IDC_FLL_CANCEL, ui::kStayRightBottom},
    {IDC_FLL_HELP, ui::kStayRightBottom},
};

} // namespace

// ---- The builder -------------------------------------------------------------------

TfrmSubFolderListBuilder::TfrmSubFolderListBuilder() : ui::Form(IDD_TFRMSUBFOLDERLISTBUILDER) {
  SetAnchors(kBuilderAnchors);
  OnCreate = [this] { FormCreate(); };
  btnMainSourceFolderAdd.OnClick = [this] { btnMainSourceFolderAddClick(); };
  cboMainSourceFolder.OnSelect = [this] { cboMainSourceFolderSelect(); };
  btnMainSourceFolderView.OnClick = [this] { btnMainSourceFolderViewClick(); };
  rdoFromToLevelNumber.OnClick = [this] { rdoFromToLevelNumberClick(); };
  rdoAboveLevelNumber.OnClick = [this] { rdoAboveLevelNumberClick(); };
  rdoBelowLevelNumber.OnClick = [this] { rdoBelowLevelNumberClick(); };
  edtFromLevelNumber.OnExit = [this] { edtFromLevelNumberExit(); };
  edtToLevelNumber.OnExit = [this] { edtToLevelNumberExit(); };
  btnBuildList.OnClick = [this] { btnBuildListClick(); };
  btnFromIncToExc.OnClick = [this] { btnFromIncToExcClick(); };
  btnFromExcToInc.OnClick = [this] { btnFromExcToIncClick(); };
  btnAllFromIncToExc.OnClick = [this] { btnAllFromIncToExcClick(); };
  btnAllFromExcToInc.OnClick = [this] { btnAllFromExcToIncClick(); };
  btnExchangeIncToExc.OnClick = [this] { btnExchangeIncToExcClick(); };
  btnDeleteFromExcludeList.OnClick = [this] { btnDeleteFromExcludeListClick(); };
  btnDeleteExcludedAll.OnClick = [this] { btnDeleteExcludedAllClick(); };
  btnIncludeFolderListView.OnClick = [this] { btnIncludeFolderListViewClick(); };
  btnEditIncludeList.OnClick = [this] { btnEditIncludeListClick(); };
  btnSmartExport.OnClick = [this] { btnSmartExportClick(); };
  btnHelp.OnClick = [] {};
  BitBtn1.ModalResult = IDOK;
  BitBtn2.ModalResult = IDCANCEL;
}

void TfrmSubFolderListBuilder::FormCreate() {
  cboMainSourceFolder.SetHint("Enter or Select a SourceFolder.");
  btnMainSourceFolderAdd.SetHint("Browse for a Source Folder.");
  btnMainSourceFolderView.SetHint("View the content of the Root Folder.");
  rdoFromToLevelNumber.SetHint("Every Subfolder between From - To will be Listed. ");
  rdoAboveLevelNumber.SetHint("Every Subfolder Above given will be Listed.");
  rdoBelowLevelNumber.SetHint("Every Subfolder Below given will be Listed.");
  edtSubFolderFilter.SetHint("Enter a string for a Subfolder Filtering.");
  btnBuildList.SetHint("Build a List of Subfolders.");
  btnEditIncludeList.SetHint("Edit the Content of the INCLUDE FOLDER List.");
  btnSmartExport.SetHint("Export (save) the content of the INCLUDE  window to a Text file.");
  SendMessageA(lstViewLevelSumFolder.Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE,
               LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  lstViewLevelSumFolder.AddColumn("Level Number", 80);
  lstViewLevelSumFolder.AddColumn("Number of SubFolders", 110);

  // The rule's radio first: choosing a rule sets the numbers, which then get their start values.
  rdoFromToLevelNumber.SetChecked(true);
  struct Number {
    ui::UpDown& ud;
    ui::Edit& edit;
    int minimum, position;
  } numbers[] = {{udFromLevelNumber, edtFromLevelNumber, 1, 1},
                 {udToLevelNumber, edtToLevelNumber, 1, 1},
                 {udAboveLevelNumber, edtAboveLevelNumber, 1, 1},
                 {udBelowLevelNumber, edtBelowLevelNumber, 0, 0}};
  for (Number& n : numbers) {
    n.ud.SetBuddy(n.edit);
    n.ud.SetRange(n.minimum, kLevelLimit);
    n.ud.SetPosition(n.position);
    n.edit.SetText(std::to_string(n.position));
  }
  rdoBuildAllSubFolders.SetChecked(true);

  lstIncludeFolderList.SetHorizontalExtent(3000);
  lstExcludeFolderList.SetHorizontalExtent(3000);
  lblMainLevelSumSubFolder.SetText("0");
  lblMainLevelSumFiles.SetText("0");
  lblMainLevelSumFileSize.SetText("0 bytes.");
  ShowCounts();
}

void TfrmSubFolderListBuilder::ShowCounts() {
  lblIncludeSum.SetText(std::to_string(lstIncludeFolderList.Count()));
  lblExcludeSum.SetText(std::to_string(lstExcludeFolderList.Count()));
}

// ---- Source folder ---------------------------------------------------------------

void ShowListBuilderLevelSummary(const core::FolderStructSize& scan) {
  TfrmSubFolderListBuilder& w = *frmSubFolderListBuilder;
  const core::LevelSummary summary = core::SummarizeLevels(scan, false);
  w.lstViewLevelSumFolder.Clear();
  for (const core::LevelSummaryRow& row : summary.rows) w.lstViewLevelSumFolder.AddItem({row.level, row.count});
  w.lblMainLevelSumSubFolder.SetText(summary.folderCount);
  w.lblMainLevelSumFiles.SetText(summary.fileCount);
  w.lblMainLevelSumFileSize.SetText(summary.sizeText);
}

void TfrmSubFolderListBuilder::ShowSourceFolderSummary(const std::string& source) {
  const std::string root = core::TrimText(source);
  if (root.empty()) {
    Box(Msg::SourceEmpty);
    return;
  }
  core::FolderStructSize scan(root);
  scan.SetCountRootFolder(false);
  scan.SetKeepFileMap(false);  // counts and levels are all the summary shows
  scan.ScanAll();
  ShowListBuilderLevelSummary(scan);
  int index = cboMainSourceFolder.IndexOf(source);
  if (index < 0) index = cboMainSourceFolder.Add(source);
  cboMainSourceFolder.SetItemIndex(index);
}

void TfrmSubFolderListBuilder::btnMainSourceFolderAddClick() {
  ui::FolderPickRequest request;
  request.owner = Handle();
  ShowSourceFolderSummary(ui::seam().PickFolder(request) ? request.result : std::string());
}

void TfrmSubFolderListBuilder::cboMainSourceFolderSelect() {
  const int index = cboMainSourceFolder.ItemIndex();
  if (index >= 0) ShowSourceFolderSummary(cboMainSourceFolder.Item(index));
}

// Only an existing folder is handed to the shell: "open" on a typed file name
// would start that file.
void TfrmSubFolderListBuilder::OpenFolder(const std::string& folder, bool selectedEntry) {
  if (!ui::OpenFolder(folder)) Box(selectedEntry ? Msg::SelectedMissing : Msg::ViewMissing);
}

void TfrmSubFolderListBuilder::btnMainSourceFolderViewClick() {
  const std::string source = core::TrimText(cboMainSourceFolder.Text());
  if (source.empty()) {
    Box(Msg::ViewEmpty);
    return;
  }
  OpenFolder(source, false);
}

void TfrmSubFolderListBuilder::btnIncludeFolderListViewClick() {
  // The current entry (the one with the focus rectangle), selected or not.
  const int current = lstIncludeFolderList.ItemIndex();
  if (current < 0 || current >= lstIncludeFolderList.Count()) {
    Box(Msg::NoSelected);
    return;
  }
  OpenFolder(core::TrimText(lstIncludeFolderList.Item(current)), true);
}

// ---- Level rule ------------------------------------------------------------------

void TfrmSubFolderListBuilder::ChooseRule(Rule rule) {
  rdoFromToLevelNumber.SetChecked(rule == Rule::FromTo);
  rdoAboveLevelNumber.SetChecked(rule == Rule::Above);
  rdoBelowLevelNumber.SetChecked(rule == Rule::Below);
  for (ui::Edit* e : {&edtFromLevelNumber, &edtToLevelNumber, &edtAboveLevelNumber, &edtBelowLevelNumber})
    e->SetText("1");
  for (ui::UpDown* u : {&udFromLevelNumber, &udToLevelNumber, &udAboveLevelNumber, &udBelowLevelNumber})
    u->SetPosition(1);
  ui::Control* fromTo[] = {&edtFromLevelNumber, &udFromLevelNumber, &lblFromTo, &edtToLevelNumber, &udToLevelNumber};
  for (ui::Control* c : fromTo) c->SetEnabled(rule == Rule::FromTo);
  edtAboveLevelNumber.SetEnabled(rule == Rule::Above);
  udAboveLevelNumber.SetEnabled(rule == Rule::Above);
  edtBelowLevelNumber.SetEnabled(rule == Rule::Below);
  udBelowLevelNumber.SetEnabled(rule == Rule::Below);
}

void TfrmSubFolderListBuilder::rdoFromToLevelNumberClick() { ChooseRule(Rule::FromTo); }
void TfrmSubFolderListBuilder::rdoAboveLevelNumberClick() { ChooseRule(Rule::Above); }
void TfrmSubFolderListBuilder::rdoBelowLevelNumberClick() { ChooseRule(Rule::Below); }

void TfrmSubFolderListBuilder::edtFromLevelNumberExit() {
  int32_t value = 0;
  if (repairing_ || ParseLevelNumber(edtFromLevelNumber.Text(), value)) return;
  repairing_ = true;
  edtFromLevelNumber.SetText("1");
  edtToLevelNumber.SetFocus();
  repairing_ = false;
}

void TfrmSubFolderListBuilder::edtToLevelNumberExit() {
  int32_t value = 0;
  if (repairing_) return;
  repairing_ = true;
  if (!ParseLevelNumber(edtFromLevelNumber.Text(), value)) {
    edtFromLevelNumber.SetText("1");
    edtFromLevelNumber.SetFocus();
  }
  if (!ParseLevelNumber(edtToLevelNumber.Text(), value)) {
    int32_t from = 1;
    ParseLevelNumber(edtFromLevelNumber.Text(), from);
    edtToLevelNumber.SetText(std::to_string(from));
    edtToLevelNumber.SetFocus();
  }
  repairing_ = false;
}

bool TfrmSubFolderListBuilder::ReadRule(Rule& rule, int32_t& first, int32_t& second) {
  // Every number is converted and checked before the user is asked anything.
  rule = rdoAboveLevelNumber.Checked() ? Rule::Above : rdoBelowLevelNumber.Checked() ? Rule::Below : Rule::FromTo;
  second = 0;
  if (rule == Rule::FromTo) {
    first = ConvertLevelNumber(edtFromLevelNumber);
    second = ConvertLevelNumber(edtToLevelNumber);
  } else {
    first = ConvertLevelNumber(rule == Rule::Above ? edtAboveLevelNumber : edtBelowLevelNumber);
  }
  const int32_t minimum = rule == Rule::Below ? 0 : 1;
  if (first < minimum || (rule == Rule::FromTo && second < minimum)) {
    Box(Msg::LevelTooSmall);
    return false;
  }
  if (rule == Rule::FromTo && first > second) {
    Box(Msg::FromAboveTo);
    return false;
  }
  return true;
}

// ---- Build a List ----------------------------------------------------------------

void TfrmSubFolderListBuilder::btnBuildListClick() {
  const std::string source = core::TrimText(cboMainSourceFolder.Text());
  const std::string filter = core::FoldCase(core::TrimText(edtSubFolderFilter.Text()));
  if (source.empty()) {
    Box(Msg::BuildEmpty);
    return;
  }
  Rule rule;
  int32_t first = 0, second = 0;
  if (!ReadRule(rule, first, second)) return;
  const bool replace = Yes(Msg::ClearInclude);

  std::deque<std::string> found;
  std::vector<core::KeptPath> kept;  // folders no path reaches: never listed
  {
    core::LevelCopy builder({source});
    if (rule == Rule::FromTo) builder.SetFromTo(first, second);
    if (rule == Rule::Above) builder.SetAbove(first);
    if (rule == Rule::Below) builder.SetBelow(first);
    builder.SetAddMode(rdoBuildLastSubFolder.Checked() ? core::LevelCopy::AddOnlyTheLast
                                                       : core::LevelCopy::AddAllInThePath);
    builder.SetNameFilter(filter);
    builder.Run();
    found = builder.GetResultList();
    kept = builder.GetKeptFolders();
  }
  // The folders found that no path reaches, by reason, after how many were added.
  auto tellKept = [&](size_t added) {
    if (kept.empty()) return;
    LeftOut left;
    for (const core::KeptPath& k : kept) left.Add(k.path, k.reason);
    left.SetAdded(added);
    left.SetTitle("Not every folder found was added to the INCLUDE list !");
    Box(Msg::FoundKept, left.Text());
  };
  if (found.empty()) {
    Box(Msg::NoMatches);  // the include list keeps what it had, whatever the answer
    tellKept(0);
    return;
  }
  if (replace) lstIncludeFolderList.Clear();
  core::FoldedIndex taken;
  std::vector<std::string> entries;
  for (const std::string& path : found) {
    std::string entry = core::TrimText(path);
    if (entry.empty() || taken.Contains(entry) || lstIncludeFolderList.Contains(entry) ||
        lstExcludeFolderList.Contains(entry))
      continue;
    taken.Add(entry);
    entries.push_back(std::move(entry));
  }
  AppendEntries(lstIncludeFolderList, entries);
  tellKept(entries.size());
}

void TfrmSubFolderListBuilder::AppendEntries(ui::ListBox& list, const std::vector<std::string>& entries) {
  std::unique_ptr<CommandLock> lock;
  ui::Throttle throttle;
  size_t done = 0;
  // Batches grow while the list keeps up, so a long list costs few passes.
  size_t batch = 1000;
  while (done < entries.size()) {
    const size_t end = std::min(entries.size(), done + batch);
    list.AddStrings(std::vector<std::string>(entries.begin() + done, entries.begin() + end));
    done = end;
    if (done < entries.size() && throttle.Due()) {
      if (!lock) lock.reset(new CommandLock(*this));
      ShowCounts();
      ui::App().ProcessMessages();
    } else {
      batch *= 2;
    }
  }
  ShowCounts();
}

// ---- Moves and deletes -----------------------------------------------------------

void TfrmSubFolderListBuilder::MoveSelected(ui::ListBox& from, ui::ListBox& to) {
  const std::vector<int> selected = from.SelectedIndices();
  if (selected.empty()) return;
  core::FoldedIndex taken;
  std::vector<std::string> moved;
  for (int i : selected) {
    const std::string& entry = from.Item(i);
    if (to.Contains(entry) || taken.Contains(entry)) continue;
    taken.Add(entry);
    moved.push_back(entry);
  }
  if (static_cast<int>(selected.size()) == from.Count())
    from.Clear();
  else
    from.DeleteIndices(selected);
  AppendEntries(to, moved);
}

void TfrmSubFolderListBuilder::MoveAll(ui::ListBox& from, ui::ListBox& to) {
  core::FoldedIndex taken;
  std::vector<std::string> moved;
  for (const std::string& entry : from.Items()) {
    if (to.Contains(entry) || taken.Contains(entry)) continue;
    taken.Add(entry);
    moved.push_back(entry);
  }
  from.Clear();
  AppendEntries(to, moved);
}

void TfrmSubFolderListBuilder::btnFromIncToExcClick() { MoveSelected(lstIncludeFolderList, lstExcludeFolderList); }
void TfrmSubFolderListBuilder::btnFromExcToIncClick() { MoveSelected(lstExcludeFolderList, lstIncludeFolderList); }
void TfrmSubFolderListBuilder::btnAllFromIncToExcClick() { MoveAll(lstIncludeFolderList, lstExcludeFolderList); }
void TfrmSubFolderListBuilder::btnAllFromExcToIncClick() { MoveAll(lstExcludeFolderList, lstIncludeFolderList); }

void TfrmSubFolderListBuilder::btnExchangeIncToExcClick() {
  // Each list takes the other's entries in their order, each entry once.
  const std::vector<std::string> formerInclude = lstIncludeFolderList.Items();
  const std::vector<std::string> formerExclude = lstExcludeFolderList.Items();
  lstIncludeFolderList.Clear();
  lstExcludeFolderList.Clear();
  core::FoldedIndex seen;
  std::vector<std::string> include, exclude;
  for (const std::string& e : formerExclude)
    if (!seen.Contains(e)) {
      seen.Add(e);
      include.push_back(e);
    }
  for (const std::string& e : formerInclude)
    if (!seen.Contains(e)) {
      seen.Add(e);
      exclude.push_back(e);
    }
  AppendEntries(lstIncludeFolderList, include);
  AppendEntries(lstExcludeFolderList, exclude);
}

void TfrmSubFolderListBuilder::btnDeleteFromExcludeListClick() {
  if (lstExcludeFolderList.Count() == 0) {
    Box(Msg::ExcludeEmpty);
    return;
  }
  if (!Yes(Msg::DeleteSelected)) return;
  lstExcludeFolderList.DeleteIndices(lstExcludeFolderList.SelectedIndices());
  ShowCounts();
}

void TfrmSubFolderListBuilder::btnDeleteExcludedAllClick() {
  if (lstExcludeFolderList.Count() == 0) {
    Box(Msg::ExcludeEmptyAll);
    return;
  }
  if (!Yes(Msg::DeleteAll)) return;
  lstExcludeFolderList.Clear();
  ShowCounts();
}

// ---- Export and editor ---------------------------------------------------------------

void TfrmSubFolderListBuilder::btnSmartExportClick() {
  if (lstIncludeFolderList.Count() == 0) {
    Box(Msg::IncludeEmpty);
    return;
  }
  std::unique_ptr<CommandLock> lock(new CommandLock(*this));  // while the export list fills
  HandOverToExport(lstIncludeFolderList.Items(), kExportKindFolders, ExportFilter::None, nullptr,
                   [&lock] { lock.reset(); });
}

void TfrmSubFolderListBuilder::btnEditIncludeListClick() {
  TfrmFLLEditIncludeFolderList& editor = *frmFLLEditIncludeFolderList;
  editor.mmoEditIncludeList.SetLines(lstIncludeFolderList.Items());
  editor.lblEditLinesSum.SetText(std::to_string(lstIncludeFolderList.Count()));
  editor.ShowModal();
}

SubFolderListHandBack OpenSubFolderListBuilder() {
  TfrmSubFolderListBuilder& w = *frmSubFolderListBuilder;
  SubFolderListHandBack back;
  back.imported = w.ShowModal() == IDOK;
  back.entries = w.lstIncludeFolderList.Items();
  return back;
}

// ---- Memo editor -----------------------------------------------------------------

TfrmFLLEditIncludeFolderList::TfrmFLLEditIncludeFolderList() : ui::Form(IDD_TFRMFLLEDITINCLUDEFOLDERLIST) {
  SetAnchors(kEditorAnchors);
  OnCreate = [this] { FormCreate(); };
  OnActivate = [this] { FormActivate(); };
  mmoEditIncludeList.OnKeyPress = [this](char& key) { mmoEditIncludeListKeyPress(key); };
  btnEditIncludeListOk.OnClick = [this] { btnEditIncludeListOkClick(); };
  btnEditIncludeCancel.OnClick = [this] { btnEditIncludeCancelClick(); };
  btnEditIncludeHelp.OnClick = [] { ShowMoreHelp(); };
}

void TfrmFLLEditIncludeFolderList::FormCreate() {
  mmoEditIncludeList.Clear();
  lblEditLinesSum.SetText("0");
}

void TfrmFLLEditIncludeFolderList::FormActivate() { mmoEditIncludeList.SetFocus(); }

void TfrmFLLEditIncludeFolderList::mmoEditIncludeListKeyPress(char&) {
  std::vector<std::string> filled;
  for (const std::string& line : mmoEditIncludeList.Lines()) {
    std::string entry = core::TrimText(line);
    if (!entry.empty()) filled.push_back(std::move(entry));
  }
  lblEditLinesSum.SetText(std::to_string(filled.size()));
  if (static_cast<int>(filled.size()) > kBuilderEditLimit) {
    Box(Msg::EditTrimmed);
    filled.resize(kBuilderEditLimit);
    mmoEditIncludeList.SetLines(filled);
    lblEditLinesSum.SetText(std::to_string(filled.size()));
  }
  const LRESULT line = SendMessageA(mmoEditIncludeList.Handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
  lblEditLinesCurrent.SetText(std::to_string(line));
}

void TfrmFLLEditIncludeFolderList::btnEditIncludeListOkClick() {
  TfrmSubFolderListBuilder& builder = *frmSubFolderListBuilder;
  core::FoldedIndex taken;
  std::vector<std::string> entries;
  for (const std::string& line : mmoEditIncludeList.Lines()) {
    std::string entry = core::TrimText(line);
    if (entry.empty() || taken.Contains(entry) || builder.lstExcludeFolderList.Contains(entry)) continue;
    taken.Add(entry);
    entries.push_back(std::move(entry));
  }
  if (static_cast<int>(entries.size()) > kBuilderEditLimit) {
    // Refused as a whole: the include list stays as it was, the editor open.
    Box(Msg::EditTooMany);
    return;
  }
  builder.lstIncludeFolderList.Clear();
  builder.AppendEntries(builder.lstIncludeFolderList, entries);
  mmoEditIncludeList.Clear();
  SetModalResult(IDOK);
}

void TfrmFLLEditIncludeFolderList::btnEditIncludeCancelClick() {
  mmoEditIncludeList.Clear();
  SetModalResult(IDCANCEL);
}
