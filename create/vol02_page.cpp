#include "create/vol02_page.h"

#include "app/frmMain.h"
#include "core/textutil.h"
#include "core/validation.h"
#include "create/frmStatistic.h"
#include "examples/examples_window.h"
#include "examples/help_windows.h"
#include "listwin/export_handover.h"
#include "listwin/frmEditIncludeList.h"
#include "listwin/import_handover.h"
#include "listwin/list_file.h"
#include "ui/application.h"
#include "ui/dialogs.h"
#include "ui/seam.h"

#include <windows.h>

#include <array>
#include <functional>

using core::TrimText;

namespace {

const char kTitle02[] = "Creating Folder(s).-From a String List.";
const char kSimTitle02[] = "Simulate Creating Folder(s).-From a String List.";

std::string Caption(const std::string& title, const char* kind, const std::string& number,
                    int blanks = 12) {
  return title + std::string(blanks, ' ') + kind + " no: " + number + ".";
}

std::string DropLast(const std::string& text) {
  return text.empty() ? text : text.substr(0, text.size() - 1);
}

// Shows counters and window entries, pumps messages: about every 50 ms, not per item.
class Throttle {
public:
  bool Due() {
    DWORD now = GetTickCount();
    if (first_ || now - last_ >= 50) {
      first_ = false;
      last_ = now;
      return true;
    }
    return false;
  }

private:
  DWORD last_ = 0;
  bool first_ = true;
};

} // namespace

TfrmMain& Vol02Page::Main() { return static_cast<TfrmMain&>(*this); }

int Vol02Page::Vol02Box(const std::string& text, const std::string& number, const char* kind,
                        unsigned flags) {
  return ui::App().MessageBox(text, Caption(kTitle02, kind, number), flags);
}

void Vol02Page::ConnectVol02Page() {
  btnVol02AddDestFolder.OnClick = [this] { btnVol02AddDestFolderClick(); };
  cboVol02DestFolders.OnSelect = [this] { cboVol02DestFoldersSelect(); };
  btnVol02ViewDestFolder.OnClick = [this] { btnVol02ViewDestFolderClick(); };
  edtVol02Prefix.OnChange = [this] { edtVol02PrefixChange(); };
  edtVol02Prefix.OnExit = [this] { edtVol02PrefixChange(); };
  edtVol02Suffix.OnChange = [this] { edtVol02SuffixChange(); };
  edtVol02Suffix.OnExit = [this] { edtVol02SuffixChange(); };
  chkVol02Hyphen.OnClick = [this] { chkVol02HyphenClick(); };
  edtVol02AddToList.OnKeyPress = [this](char& key) { edtVol02AddToListKeyPress(key); };
  btnVol02AddToList.OnClick = [this] { btnVol02AddToListClick(); };
  btnVol02IncToExc.OnClick = [this] { btnVol02IncToExcClick(); };
  btnVol02ExcToInc.OnClick = [this] { btnVol02ExcToIncClick(); };
  btnVol02AllFromInc.OnClick = [this] { btnVol02AllFromIncClick(); };
  btnVol02AllFromExc.OnClick = [this] { btnVol02AllFromExcClick(); };
  btnVol02ExchangeIncExc.OnClick = [this] { btnVol02ExchangeIncExcClick(); };
  btnVol02DeleteFromExclude.OnClick = [this] { btnVol02DeleteFromExcludeClick(); };
  btnVol02DeleteExcludeAll.OnClick = [this] { btnVol02DeleteExcludeAllClick(); };
  btnVol02SmartExport.OnClick = [this] { btnVol02SmartExportClick(); };
  btnVol02SmartImport.OnClick = [this] { btnVol02SmartImportClick(); };
  btnVol02EditIncludeList.OnClick = [this] { btnVol02EditIncludeListClick(); };
  btnVol02Open.OnClick = [this] { btnVol02OpenClick(); };
  btnVol02Save.OnClick = [this] { btnVol02SaveClick(); };
  OpenDialog1.Filter = "Text files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
  OpenDialog1.DefaultExt = "txt";
  SaveDialog1.Filter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
  SaveDialog1.DefaultExt = "txt";
  btnVol02ZoomIncludeWindow.OnClick = [this] { ZoomPageIncludeList(Vol02ListPage()); };
  btnVol02Statistic.OnClick = [this] { btnVol02StatisticClick(); };
  btnVol02AddFolderStructure.OnClick = [this] { btnVol02AddFolderStructureClick(); };
  btnVol02ViewFolderStructure.OnClick = [this] { btnVol02ViewFolderStructureClick(); };
  btnVol02RemoveFolderStructure.OnClick = [this] { btnVol02RemoveFolderStructureClick(); };
  for (ui::RadioButton* r : {&rdoVol02AttachNothing, &rdoVol02AttachMainFolderWithFiles,
                             &rdoVol02AttachMainFolderWithoutFiles,
                             &rdoVol02AttachSubFoldersOnlyWithFiles,
                             &rdoVol02AttachSubFoldersOnlyWithoutFiles})
    r->OnClick = [this, r] { rdoVol02AttachClick(*r); };
  btnVol02CreateFolders.OnClick = [this] { btnVol02CreateFoldersClick(); };
  btnVol02CreateFoldersSimulation.OnClick = [this] { btnVol02CreateFoldersSimulationClick(); };
  btnVol02Undo.OnClick = [this] { btnVol02UndoClick(); };
  btnVol02ClearAll.OnClick = [this] { btnVol02ClearAllClick(); };
  btnVol02Example.OnClick = [] { ShowExamples(ExamplesKind::CreateStrings); };
  btnVol02ListHelp.OnClick = [] { ShowHelpTopic("CreateStrings"); };

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

void Vol02Page::InitVol02Page() {
  Main().tabFolderCreate03.SetHint("Creating Folders from a given list.");
  rdoVol02AttachNothing.SetChecked(true);
  chkVol02Hyphen.SetChecked(true);
  chkVol02ViewDetailedResults.SetChecked(true);
  chkVol02ViewDestFolder.SetChecked(true);
  ResetVol02Counters();
  ShowVol02Statistics();
  Vol02StructureFiles.clear();
  lblVol02StartFolder.SetText("");
  lblVol02EndFolder.SetText("");
  cboVol02DestFolders.SetItemIndex(cboVol02DestFolders.Add(""));
  SetVol02ControlsEnabled(false);
  lblVol02IncludeSum.SetText("0");
  lblVol02ExcludeSum.SetText("0");
  lstVol02IncludeStrings.SetHorizontalExtent(3000);
  lstVol02ExcludeStrings.SetHorizontalExtent(3000);
  lstVol02AddFolderStructure.SetHorizontalExtent(3000);
}

// ---- Counters, result lists, detailed-results window ------------------------------

void Vol02Page::ResetVol02Counters() {
  for (int i = 0; i < 4; ++i) Vol02Counters[i] = 0;
  ResetVol02ResultCounters();
}

void Vol02Page::ResetVol02ResultCounters() {
  for (int i = 4; i < 16; ++i) Vol02Counters[i] = 0;
}

void Vol02Page::ShowVol02Statistics() {
  ui::Label* labels[16] = {
      &lblVol02FoldersToCreate, &lblVol02SubFoldersToCreate, &lblVol02FilesToCreate,
      &lblVol02FilesSizeToCreate, &lblVol02FoldersCreated, &lblVol02SubFoldersCreated,
      &lblVol02FilesCreated, &lblVol02FilesSizeCreated, &lblVol02FoldersExists,
      &lblVol02SubFoldersExists, &lblVol02FilesExists, &lblVol02FilesSizeExists,
      &lblVol02FoldersOther, &lblVol02SubFoldersOther, &lblVol02FilesOther,
      &lblVol02FilesSizeOther};
  for (int i = 0; i < 16; ++i) labels[i]->SetText(core::CounterText(Vol02Counters[i]));
}

void Vol02Page::ShowVol02VisualLogTotals() {
  TfrmStatistic02* w = frmStatistic02;
  if (!w) return;
  ui::Label* labels[16] = {
      &w->lblStat02FoldersToCreate, &w->lblStat02SubFoldersToCreate, &w->lblStat02FilesToCreate,
      &w->lblStat02FilesSizeToCreate, &w->lblStat02FoldersCreated, &w->lblStat02SubFoldersCreated,
      &w->lblStat02FilesCreated, &w->lblStat02FilesSizeCreated, &w->lblStat02FoldersExists,
      &w->lblStat02SubFoldersExists, &w->lblStat02FilesExists, &w->lblStat02FilesSizeExists,
      &w->lblStat02FoldersOther, &w->lblStat02SubFoldersOther, &w->lblStat02FilesOther,
      &w->lblStat02FilesSizeOther};
  for (int i = 0; i < 16; ++i) labels[i]->SetText(core::CounterText(Vol02Counters[i]));
}

void Vol02Page::ClearVol02ResultLists() { ClearVol02RecordedResults(); }

void Vol02Page::ClearVol02RecordedResults() { Vol02ResultLists.Clear(); }

void Vol02Page::ClearVol02VisualLog() {
  TfrmStatistic02* w = frmStatistic02;
  if (!w) return;
  w->lstStat02FoldersCreated.Clear();
  w->lstStat02FoldersExists.Clear();
  w->lstStat02FoldersOther.Clear();
  w->lstStat02SubFoldersCreated.Clear();
  w->lstStat02FilesCreated.Clear();
}

// ---- Destination, prefix, suffix, preview -----------------------------------------

void Vol02Page::btnVol02AddDestFolderClick() {
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  std::string picked = ui::seam().PickFolder(request) ? request.result : std::string();
  SetVol02Destination(picked);
}

void Vol02Page::cboVol02DestFoldersSelect() { SetVol02Destination(cboVol02DestFolders.Text()); }

void Vol02Page::SetVol02Destination(const std::string& text) {
  if (!TrimText(text).empty()) {
    int index = cboVol02DestFolders.IndexOf(text);  // letter case ignored
    if (index < 0) index = cboVol02DestFolders.Add(text);
    cboVol02DestFolders.SetItemIndex(index);
    btnVol02ViewDestFolder.SetEnabled(true);
    SetVol02ListControlsEnabled(true);
    UpdateVol02Preview();
    edtVol02AddToList.SetFocus();
    return;
  }
  if (TrimText(cboVol02DestFolders.Text()).empty()) {
    SetVol02ControlsEnabled(false);
    UpdateVol02CreateButtons(false);
  }
  Vol02Box("The selection field is empty !\nAction : You must select a Destination Folder.", "0001",
           "Warning", 0x30);
  cboVol02DestFolders.SetFocus();
}

void Vol02Page::btnVol02ViewDestFolderClick() {
  std::string dest = TrimText(cboVol02DestFolders.Text());
  if (!dest.empty())
    ui::seam().ShellOpen(form_->Handle(), dest, "", "", SW_SHOWNORMAL);
  else
    Vol02Box("The selection field is empty !\nAction : You must select a destination folder.",
             "0002", "Warning", 0x30);
}

void Vol02Page::edtVol02PrefixChange() {
  std::string text = edtVol02Prefix.Text(), bad;
  if (core::FindIllegalChar("F", text, bad)) {
    Vol02Box("Illegal character in the Prefix : " + bad, "0018", "Warning", 0x30);
    edtVol02Prefix.SetText(DropLast(text));
    edtVol02Prefix.SetFocus();
  } else {
    UpdateVol02Preview();
  }
}

void Vol02Page::edtVol02SuffixChange() {
  std::string text = edtVol02Suffix.Text(), bad;
  if (core::FindIllegalChar("F", text, bad)) {
    Vol02Box("Illegal character in the Suffix : " + bad, "0019", "Warning", 0x30);
    edtVol02Suffix.SetText(DropLast(text));
    edtVol02Suffix.SetFocus();
  } else {
    UpdateVol02Preview();
  }
}

void Vol02Page::chkVol02HyphenClick() { UpdateVol02Preview(); }

core::FolderNameParts Vol02Page::ComposeVol02NameParts() const {
  return core::ComposeNameParts(cboVol02DestFolders.Text(), edtVol02Prefix.Text(),
                                edtVol02Suffix.Text(), chkVol02Hyphen.Checked());
}

void Vol02Page::UpdateVol02Preview() {
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

// ---- The two lists --------------------------------------------------------------

void Vol02Page::edtVol02AddToListKeyPress(char& key) {
  if (key == 13) {
    key = 0;
    btnVol02AddToListClick();
  }
}

void Vol02Page::btnVol02AddToListClick() {
  const std::string typed = edtVol02AddToList.Text();
  const std::string trimmed = TrimText(typed);
  std::string bad;
  if (trimmed.empty()) {
    Vol02Box("The text field is empty !\nAction : You must enter a different name to add to the "
             "Include List.",
             "0004", "Warning", 0x30);
  } else if (lstVol02IncludeStrings.Contains(typed)) {
    Vol02Box("This item already exists in the Include list !", "0005", "Warning", 0x30);
  } else if (lstVol02ExcludeStrings.Contains(typed)) {
    Vol02Box("This item already exists in the Exclude list !", "0006", "Warning", 0x30);
  } else if (!TrimText(core::ExtractFileDrive(trimmed)).empty()) {
    ui::App().MessageBox("This item is a Folder Name (with drive letter) !\nAction : You must "
                         "enter a string without a drive letter !!!",
                         Caption(kTitle02, "Warning", "0007", 10), 0x30);
  } else if (core::FindIllegalChar("H", trimmed, bad)) {
    Vol02Box("Illegal character in the Text : " + bad, "0008", "Warning", 0x30);
    edtVol02AddToList.SetText(DropLast(trimmed));
  } else if (!core::CheckNameParts(trimmed, bad)) {  // a device, "..", a trailing dot
    Vol02Box(bad, "0008", "Warning", 0x30);
  } else {
    std::string s = core::CollapseDoubleBackslashes(core::ForwardToBackslashes(trimmed));
    lstVol02IncludeStrings.Add(s);
    edtVol02AddToList.SetText(s);
    UpdateVol02Preview();
  }
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::MoveVol02Entries(ui::ListBox& from, ui::ListBox& to, bool selectedOnly) {
  // The entries to move are fixed before anything changes.
  std::vector<int> selected;
  std::vector<std::string> moving;
  if (selectedOnly) {
    selected = from.SelectedIndices();
    moving.reserve(selected.size());
    for (int i : selected) moving.push_back(from.Item(i));
  } else {
    moving = from.Items();
  }
  if (moving.empty()) return;
  std::vector<std::string> adds;
  core::FoldedIndex adding;
  for (const std::string& entry : moving) {
    if (!to.Contains(entry) && !adding.Contains(entry)) {
      adds.push_back(entry);
      adding.Add(entry);
    }
  }
  to.AddStrings(adds);
  if (selectedOnly) {
    from.DeleteIndices(selected);
  } else {
    from.Clear();
  }
  lblVol02IncludeSum.SetText(std::to_string(lstVol02IncludeStrings.Count()));
  lblVol02ExcludeSum.SetText(std::to_string(lstVol02ExcludeStrings.Count()));
}

void Vol02Page::btnVol02IncToExcClick() {
  MoveVol02Entries(lstVol02IncludeStrings, lstVol02ExcludeStrings, true);
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02ExcToIncClick() {
  MoveVol02Entries(lstVol02ExcludeStrings, lstVol02IncludeStrings, true);
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02AllFromIncClick() {
  MoveVol02Entries(lstVol02IncludeStrings, lstVol02ExcludeStrings, false);
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02AllFromExcClick() {
  MoveVol02Entries(lstVol02ExcludeStrings, lstVol02IncludeStrings, false);
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02ExchangeIncExcClick() {
  std::vector<std::string> inc = lstVol02IncludeStrings.Items();
  std::vector<std::string> exc = lstVol02ExcludeStrings.Items();
  lstVol02IncludeStrings.Clear();
  lstVol02ExcludeStrings.Clear();
  lstVol02IncludeStrings.AddStrings(exc);
  lstVol02ExcludeStrings.AddStrings(inc);
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02DeleteFromExcludeClick() {
  if (lstVol02ExcludeStrings.Count() == 0) {
    Vol02Box("The EXCLUDE list is empty !\nAction : You must enter at least one STRING to the "
             "EXCLUDE list to delete it.\n",
             "0144", "Warning", 0x30);
  } else if (Vol02Box("Do you want to delete the selected item(s) from the Exclude list ?\nNote: "
                      "You can delete ONLY from the EXCLUDE list.\n",
                      "0017", "Warning", 0x124) == IDYES) {
    lstVol02ExcludeStrings.DeleteIndices(lstVol02ExcludeStrings.SelectedIndices());
    lblVol02ExcludeSum.SetText(std::to_string(lstVol02ExcludeStrings.Count()));
  }
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02DeleteExcludeAllClick() {
  if (lstVol02ExcludeStrings.Count() == 0) {
    Vol02Box("Empty List in the Exclude Window!\n", "0528", "Warning", 0x30);
  } else if (Vol02Box("Do you want to delete all item(s) from the Exclude list ?", "0529",
                      "Warning", 0x124) == IDYES) {
    lstVol02ExcludeStrings.Clear();
    lblVol02ExcludeSum.SetText("0");
  }
  RefreshVol02Tab();
  btnVol02AddToList.SetFocus();
}

ListPageDescription Vol02Page::Vol02ListPage() {
  ListPageDescription page;
  page.form = form_;
  page.include = &lstVol02IncludeStrings;
  page.exclude = &lstVol02ExcludeStrings;
  page.includeCount = &lblVol02IncludeSum;
  page.progress = &pbVol02ProgressBar;
  page.emptyImportCaption = Caption(kTitle02, "Warning", "0377", 13);
  page.splitAtDrives = true;
  return page;
}

void Vol02Page::btnVol02SmartImportClick() {
  SmartImportToPage(Vol02ListPage());
  RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02EditIncludeListClick() {
  if (EditPageIncludeList(*frmVol02EditIncludeList, Vol02ListPage())) RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02OpenClick() {
  if (ImportListFile(Vol02ListFile())) RefreshVol02Tab();
  edtVol02AddToList.SetFocus();
}

void Vol02Page::btnVol02SaveClick() {
  ExportListFile(Vol02ListFile());
  UpdateVol02CreateButtons(lstVol02IncludeStrings.Count() > 0);
}

ListFilePage Vol02Page::Vol02ListFile() {
  ListFilePage file;
  file.page = Vol02ListPage();
  file.twin = &kListFileVol02;
  file.open = &OpenDialog1;
  file.save = &SaveDialog1;
  // A line the page's Add would refuse for its characters or its length.
  file.refuses = [this](const std::string& line) {
    std::string bad;
    for (char c : line)
      if (bad.empty() && static_cast<unsigned char>(c) < 32) bad = "(character code " + std::to_string(int(c)) + ")";
    if (!bad.empty() || core::FindIllegalChar("H", line, bad)) {
      Vol02Box("Illegal character in the Text : " + bad, "0008", "Warning", 0x30);
      return true;
    }
    if (line.size() >= 255) {
      Vol02Box("This item is too long (255 characters or more) !\nAction : You must use a shorter string.",
               "0015", "Warning", 0x30);
      return true;
    }
    return false;
  };
  return file;
}

void Vol02Page::btnVol02SmartExportClick() {
  if (lstVol02IncludeStrings.Count() == 0) {
    Vol02Box("The Include List is empty !\n", "0556", "Warning", 0x30);
  } else {
    std::vector<std::string> items = lstVol02IncludeStrings.Items();
    pbVol02ProgressBar.SetRange(0, static_cast<int>(items.size()));
    pbVol02ProgressBar.SetPosition(0);
    pbVol02ProgressBar.SetVisible(true);
    Throttle throttle;
    HandOverToExport(
        items, kExportKindStrings, ExportFilter::ByKind,
        [&](int examined) {
          if (!throttle.Due()) return;
          pbVol02ProgressBar.SetPosition(examined);
          ui::App().ProcessMessages();
        },
        [&] { pbVol02ProgressBar.SetVisible(false); });
    pbVol02ProgressBar.SetVisible(false);
    RefreshVol02Tab();
  }
  btnVol02SmartExport.SetFocus();
}

void Vol02Page::btnVol02StatisticClick() {
  ShowVol02VisualLogTotals();
  if (frmStatistic02) frmStatistic02->ShowBeside(*form_);
}

// ---- Refresh and enable rules --------------------------------------------------------

void Vol02Page::RefreshVol02Tab() {
  if (lstVol02IncludeStrings.Count() == 0) {
    SetVol02CreateControlsEnabled(false);
    UpdateVol02CreateButtons(false);
  } else {
    SetVol02ControlsEnabled(true);
    UpdateVol02CreateButtons(true);
  }
  ResetVol02Counters();
  UpdateVol02Preview();
  CheckVol02DiskSpace(Vol02WithFiles());
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  lblVol02IncludeSum.SetText(std::to_string(lstVol02IncludeStrings.Count()));
  lblVol02ExcludeSum.SetText(std::to_string(lstVol02ExcludeStrings.Count()));
  pbVol02ProgressBar.SetVisible(false);
}

void Vol02Page::SetVol02ListControlsEnabled(bool enabled) {
  ui::Control* controls[] = {
      &lblVol02AddToList, &edtVol02AddToList, &btnVol02AddToList, &lblVol02IncludeStrings,
      &lstVol02IncludeStrings, &lblVol02ExcludeStrings, &lstVol02ExcludeStrings,
      &btnVol02IncToExc, &btnVol02ExcToInc, &btnVol02AllFromInc, &btnVol02AllFromExc,
      &btnVol02ExchangeIncExc, &btnVol02SmartImport, &btnVol02SmartExport,
      &btnVol02EditIncludeList, &btnVol02ZoomIncludeWindow, &btnVol02DeleteFromExclude,
      &btnVol02DeleteExcludeAll, &lblVol02IncludeSumCim, &lblVol02IncludeSum,
      &lblVol02ExcludeSumCim, &lblVol02ExcludeSum};
  for (ui::Control* c : controls) c->SetEnabled(enabled);
}

void Vol02Page::SetVol02CreateControlsEnabled(bool enabled) {
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
  const bool structures = !rdoVol02AttachNothing.Checked();
  btnVol02AddFolderStructure.SetEnabled(structures);
  btnVol02ViewFolderStructure.SetEnabled(structures);
  btnVol02RemoveFolderStructure.SetEnabled(structures);
  lstVol02AddFolderStructure.SetEnabled(structures);
  UpdateVol02CreateButtons(true);
}

void Vol02Page::SetVol02ControlsEnabled(bool enabled) {
  SetVol02ListControlsEnabled(enabled);
  SetVol02CreateControlsEnabled(enabled);
}

void Vol02Page::UpdateVol02CreateButtons(bool) {
  const bool on = (rdoVol02AttachNothing.Enabled() && rdoVol02AttachNothing.Checked()) ||
                  lstVol02AddFolderStructure.Count() > 0;
  btnVol02CreateFolders.SetEnabled(on);
  btnVol02CreateFoldersSimulation.SetEnabled(on);
}

// ---- Attach option, structures, measuring, free space ------------------------------

core::AttachMode Vol02Page::Vol02AttachMode() const {
  if (rdoVol02AttachMainFolderWithFiles.Checked()) return core::AttachMode::MainWithFiles;
  if (rdoVol02AttachMainFolderWithoutFiles.Checked()) return core::AttachMode::MainWithoutFiles;
  if (rdoVol02AttachSubFoldersOnlyWithFiles.Checked()) return core::AttachMode::SubOnlyWithFiles;
  if (rdoVol02AttachSubFoldersOnlyWithoutFiles.Checked())
    return core::AttachMode::SubOnlyWithoutFiles;
  return core::AttachMode::Nothing;
}

bool Vol02Page::Vol02WithFiles() const { return core::AttachWithFiles(Vol02AttachMode()); }

void Vol02Page::rdoVol02AttachClick(ui::RadioButton& radio) {
  if (!radio.Checked()) return;
  const bool nothing = &radio == &rdoVol02AttachNothing;
  btnVol02AddFolderStructure.SetEnabled(!nothing);
  btnVol02ViewFolderStructure.SetEnabled(!nothing);
  btnVol02RemoveFolderStructure.SetEnabled(!nothing);
  lstVol02AddFolderStructure.SetEnabled(!nothing);
  ResetVol02Counters();
  if (nothing)
    Vol02Counters[0] = lstVol02IncludeStrings.Count();
  else
    CheckVol02DiskSpace(Vol02WithFiles());
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  UpdateVol02CreateButtons(true);
}

void Vol02Page::SumVol02FolderStructures(bool withFiles, bool force) {
  const core::AttachMode mode = Vol02AttachMode();
  std::string key = std::to_string(static_cast<int>(mode)) + (withFiles ? "F" : "-");
  for (const std::string& s : lstVol02AddFolderStructure.Items()) key += "\n" + s;
  if (!force && measured_ && key == measuredKey_) return;
  std::vector<std::string> items = lstVol02AddFolderStructure.Items();
  core::MeasureStructures(core::CreationStringList(items.begin(), items.end()), mode, withFiles,
                          Vol02StructureTotals, Vol02StructureFiles);
  measuredKey_ = key;
  measured_ = true;
}

bool Vol02Page::CheckVol02DiskSpace(bool withFiles, bool force) {
  const double count = lstVol02IncludeStrings.Count();
  if (Vol02AttachMode() == core::AttachMode::Nothing) {
    // Nothing is attached: nothing to scan and nothing to copy.
    if (count <= 0) return false;
    Vol02Counters[0] = count;
    Vol02Counters[1] = Vol02Counters[2] = Vol02Counters[3] = 0;
    return true;
  }
  SumVol02FolderStructures(withFiles, force);
  if (count <= 0) return false;
  const uint64_t bytes = withFiles ? Vol02StructureTotals.bytes : 0;
  core::FreeSpaceCheck check = core::CheckFreeSpace(cboVol02DestFolders.Text(), count, bytes);
  if (check.verdict == core::FreeSpaceCheck::NotEnough) {
    ui::App().MessageBox(check.Message(), Caption(kTitle02, "Information", "0035"), 0x30);
    return false;
  }
  Vol02Counters[0] = count;
  Vol02Counters[1] = count * Vol02StructureTotals.folders;
  Vol02Counters[2] = count * (withFiles ? Vol02StructureTotals.files : 0);
  Vol02Counters[3] = count * static_cast<double>(bytes);
  return true;
}

void Vol02Page::btnVol02AddFolderStructureClick() {
  ui::FolderPickRequest request;
  request.owner = form_->Handle();
  std::string picked = ui::seam().PickFolder(request) ? request.result : std::string();
  const std::string trimmed = TrimText(picked);
  if (trimmed.size() == 3) {
    std::string name;
    if (core::GetDriveTypeName(trimmed, name) &&
        Vol02Box("Do you want to Attach the Entire Disk to the Folders specified in The Include "
                 "Window ?\nClick YES to Attach,\nClick NO to Cancel.",
                 "0331", "Warning", 0x124) == IDYES)
      AddVol02FolderStructure(picked);
  } else if (trimmed.size() > 3) {
    AddVol02FolderStructure(picked);
  }
}

void Vol02Page::AddVol02FolderStructure(const std::string& folder) {
  if (TrimText(folder).empty()) {
    btnVol02CreateFolders.SetEnabled(false);
    btnVol02CreateFoldersSimulation.SetEnabled(false);
    Vol02Box("The selection field is empty !\nAction : You must select a folder with subfolders "
             "structure.",
             "0020", "Warning", 0x30);
    UpdateVol02CreateButtons(true);
    lstVol02AddFolderStructure.SetFocus();
    return;
  }
  bool listed = false;
  for (const std::string& s : lstVol02AddFolderStructure.Items()) listed = listed || s == folder;
  if (!listed) lstVol02AddFolderStructure.Add(folder);
  ResetVol02Counters();
  CheckVol02DiskSpace(Vol02WithFiles());
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  UpdateVol02CreateButtons(true);
  btnVol02CreateFolders.SetEnabled(true);
  btnVol02CreateFoldersSimulation.SetEnabled(true);
  lstVol02AddFolderStructure.SetFocus();
}

void Vol02Page::btnVol02ViewFolderStructureClick() {
  std::vector<int> selected = lstVol02AddFolderStructure.SelectedIndices();
  if (selected.empty()) {
    Vol02Box("There is no selected Folder Structure !\nAction : You must select a folder with "
             "subfolders structure.",
             "0021", "Warning", 0x30);
    return;
  }
  ui::seam().ShellOpen(form_->Handle(),
                       TrimText(lstVol02AddFolderStructure.Item(selected.front())), "", "",
                       SW_SHOWNORMAL);
}

void Vol02Page::btnVol02RemoveFolderStructureClick() {
  if (Vol02Box("Do you want to delete the selected item(s) from the Exclude list ?", "0022",
               "Warning", 0x124) == IDYES) {
    lstVol02AddFolderStructure.DeleteIndices(lstVol02AddFolderStructure.SelectedIndices());
  }
  ResetVol02Counters();
  CheckVol02DiskSpace(Vol02WithFiles());
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  UpdateVol02CreateButtons(true);
  btnVol02RemoveFolderStructure.SetFocus();
}

// ---- Run and simulation ----------------------------------------------------------

std::vector<ui::Control*> Vol02Page::Vol02CommandControls() {
  return {&cboVol02DestFolders, &btnVol02AddDestFolder, &btnVol02ViewDestFolder,
          &edtVol02Prefix, &edtVol02Suffix, &chkVol02Hyphen, &edtVol02AddToList,
          &btnVol02AddToList, &lstVol02IncludeStrings, &lstVol02ExcludeStrings,
          &btnVol02IncToExc, &btnVol02ExcToInc, &btnVol02AllFromInc, &btnVol02AllFromExc,
          &btnVol02ExchangeIncExc, &btnVol02DeleteFromExclude, &btnVol02DeleteExcludeAll,
          &btnVol02SmartImport, &btnVol02SmartExport, &btnVol02EditIncludeList,
          &btnVol02ZoomIncludeWindow, &btnVol02Open, &btnVol02Save, &lstVol02AddFolderStructure,
          &btnVol02AddFolderStructure,
          &btnVol02ViewFolderStructure, &btnVol02RemoveFolderStructure, &rdoVol02AttachNothing,
          &rdoVol02AttachMainFolderWithFiles, &rdoVol02AttachMainFolderWithoutFiles,
          &rdoVol02AttachSubFoldersOnlyWithFiles, &rdoVol02AttachSubFoldersOnlyWithoutFiles,
          &chkVol02ViewDetailedResults, &chkVol02ViewDestFolder, &btnVol02CreateFolders,
          &btnVol02CreateFoldersSimulation, &btnVol02Undo, &btnVol02ClearAll};
}

namespace {
// Locks the page's commands and the given sheets for a run; every way out of
// the run unlocks them again.
class PageLock {
public:
  PageLock(std::vector<ui::Control*> controls, std::vector<ui::TabSheet*> sheets, bool& busy)
      : controls_(std::move(controls)), sheets_(std::move(sheets)), busy_(busy) {
    busy_ = true;
    for (ui::Control* c : controls_) {
      was_.push_back(c->Enabled());
      c->SetEnabled(false);
    }
    for (ui::TabSheet* s : sheets_) s->SetEnabled(false);
  }
  ~PageLock() {
    for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->SetEnabled(was_[i]);
    for (ui::TabSheet* s : sheets_) s->SetEnabled(true);
    busy_ = false;
  }

private:
  std::vector<ui::Control*> controls_;
  std::vector<ui::TabSheet*> sheets_;
  std::vector<bool> was_;
  bool& busy_;
};
} // namespace

void Vol02Page::btnVol02CreateFoldersClick() { RunVol02(Vol02Job::Run); }
void Vol02Page::btnVol02CreateFoldersSimulationClick() { RunVol02(Vol02Job::Simulation); }

void Vol02Page::RunVol02(Vol02Job kind) {
  if (busy_) return;
  const bool sim = kind == Vol02Job::Simulation;
  const std::string title = sim ? kSimTitle02 : kTitle02;
  const core::AttachMode mode = Vol02AttachMode();
  const bool withFiles = core::AttachWithFiles(mode);
  // R1: free space, measured afresh.
  if (withFiles && !CheckVol02DiskSpace(true, true)) return;
  // R2: structures.
  if (mode != core::AttachMode::Nothing) {
    if (lstVol02AddFolderStructure.Count() == 0) {
      ui::App().MessageBox("There is no additional Subfolder structure. !\nAction : You must add "
                           "at least one Subfolder structure.",
                           Caption(title, "Warning", sim ? "0453" : "0023"), 0x30);
      btnVol02AddFolderStructure.SetFocus();
      return;
    }
    for (const std::string& s : lstVol02AddFolderStructure.Items()) {
      if (!core::IsExistingDirectory(TrimText(s))) {
        ui::App().MessageBox("The folder doesn't exist : " + s +
                                 "\nAction : Please enter or select an existing folder.",
                             Caption(title, "Warning", sim ? "0454" : "0024"), 0x30);
        btnVol02AddFolderStructure.SetFocus();
        return;
      }
    }
  }
  // R3: confirmation.
  const int answer =
      sim ? ui::App().MessageBox(Main().CreateSimulationStartText,
                                 Caption(title, "Information", "0455"), 0x124)
          : ui::App().MessageBox("Do you want to create folders ?\n",
                                 Caption("Creating Folder(s).-From  a String List.", "Information",
                                         "0025"),
                                 0x124);
  if (answer != IDYES) return;
  // The totals the outcomes add are measured at the start of every run.
  if (mode != core::AttachMode::Nothing && !withFiles) SumVol02FolderStructures(false, true);

  // R4: reset.
  if (TfrmStatistic02* w = frmStatistic02) {
    w->chkStat02NormalSimulate.SetChecked(!sim);
    w->lblVol02NormalSimulate.SetFontColor(0x80);
    w->lblVol02NormalSimulate.SetText(sim ? TCreationResultsWindow::kSimulationTitle
                                          : TCreationResultsWindow::kRunTitle);
  }
  ResetVol02ResultCounters();
  if (!sim) {
    ClearVol02ResultLists();
    Vol02Journal.Clear();  // earlier runs are never touched again
  }
  ClearVol02VisualLog();
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  // R5.
  if (chkVol02ViewDetailedResults.Checked() && frmStatistic02) frmStatistic02->ShowBeside(*form_);
  // R6: lock (the other sheets; a simulation only the creation sheets).
  TfrmMain& m = Main();
  std::vector<ui::TabSheet*> sheets{&m.tabFolderCreate05, &m.tabFolderCreate04,
                                    &m.tabFolderCreate01};
  if (!sim) {
    sheets.push_back(&m.tabFoldersCopy02);
    sheets.push_back(&m.tabFoldersRename01);
    sheets.push_back(&m.tabFoldersDelete01);
  }
  PageLock lock(Vol02CommandControls(), sheets, busy_);
  // R7: the job is a snapshot of the page as it stands now.
  core::CreationJob job;
  job.parts = ComposeVol02NameParts();
  std::vector<std::string> items = lstVol02IncludeStrings.Items();
  job.items.assign(items.begin(), items.end());
  if (mode != core::AttachMode::Nothing) {
    std::vector<std::string> structures = lstVol02AddFolderStructure.Items();
    job.structures.assign(structures.begin(), structures.end());
  }
  job.mode = mode;
  job.failIfExists = true;
  job.captions.selfCopy = Caption(kTitle02, "Warning", "0373");
  job.captions.simulateSelfCopy =
      Caption("Simulate Creating Folder(s).-From a Folder List.", "Warning", "0456");
  job.captions.missingSize = Caption(kTitle02, "Warning", "0036");
  job.captions.simulateMissingSize =
      Caption("Simulate Creating Folder(s).-From a String List.", "Warning", "0459");
  // R8: empty list.
  if (job.items.empty()) {
    ui::App().MessageBox("The Include list is empty !!!\nYou must enter at least one item to "
                         "create folders.",
                         Caption(title, "Warning", sim ? "0458" : "0027"), 0x30);
    pbVol02ProgressBar.SetVisible(false);
    return;
  }
  // R9: progress.
  pbVol02ProgressBar.SetRange(0, static_cast<int>(job.items.size()));
  pbVol02ProgressBar.SetPosition(0);
  pbVol02ProgressBar.SetVisible(true);

  // R10: the items, through the engine; the window is refreshed about every 50 ms.
  std::array<std::vector<std::string>, 5> pending;
  auto flush = [&] {
    if (TfrmStatistic02* w = frmStatistic02) {
      ui::ListBox* boxes[5] = {&w->lstStat02FoldersCreated, &w->lstStat02FoldersExists,
                               &w->lstStat02FoldersOther, &w->lstStat02SubFoldersCreated,
                               &w->lstStat02FilesCreated};
      for (int k = 0; k < 5; ++k)
        if (!pending[k].empty()) boxes[k]->AddStrings(pending[k]);
    }
    for (auto& p : pending) p.clear();
    ShowVol02Statistics();
    ShowVol02VisualLogTotals();
  };
  Throttle throttle;
  core::CreationSink sink;
  sink.listed = [&](core::ResultList list, const std::string& text) {
    pending[static_cast<int>(list)].push_back(text);
  };
  sink.progress = [&](size_t i) {
    if (throttle.Due()) {
      pbVol02ProgressBar.SetPosition(static_cast<int>(i));
      flush();
      ui::App().ProcessMessages();
    }
    return !ui::App().Terminated();
  };
  sink.warn = [&](const std::string& text, const std::string& caption, bool ownerless) {
    flush();
    if (ownerless)
      ui::App().SystemMessageBox(text, caption, 0x30);
    else
      ui::App().MessageBox(text, caption, 0x30);
  };
  core::CreationEngine engine(Vol02Counters, Vol02ResultLists, Vol02Journal, Vol02CopiedFiles,
                              Vol02StructureTotals, Vol02StructureFiles, sink);
  if (sim)
    engine.Simulate(job);
  else
    engine.Run(job);
  if (ui::App().Terminated()) return;  // the main window is closing: no more boxes
  flush();
  // R11.
  pbVol02ProgressBar.SetVisible(false);
  if (sim)
    ui::App().MessageBox(Main().CreateSimulationEndText, Caption(title, "Information", "0457"),
                         0x40);
  else
    ui::App().MessageBox("End of Creating Folders/Files !!!",
                         Caption(kTitle02, "Information", "0026"), 0x40);
  // R12.
  if (chkVol02ViewDestFolder.Checked()) {
    std::string dest = TrimText(cboVol02DestFolders.Text());
    if (dest.size() > MAX_PATH - 1) dest.resize(MAX_PATH - 1);
    ui::seam().ShellOpen(form_->Handle(), dest, "", "", SW_SHOWNORMAL);
  }
  // R13: the lock is released on the way out.
  pbVol02ProgressBar.SetVisible(false);
}

// ---- Undo and Clear Fields -------------------------------------------------------

void Vol02Page::btnVol02UndoClick() {
  if (busy_) return;
  if (Vol02Journal.Empty()) {
    Vol02Box("No UNDO process !!!\nThere are no created folders (and files) !!!\nYou must create "
             "at least one folder to UNDO them.",
             "0028", "Warning", 0x30);
    return;
  }
  if (Vol02Box("Do you want to delete all folders (and files)\ncreated last time ?", "0029",
               "Information", 0x124) != IDYES)
    return;
  core::CreationStringList stayed = core::UndoCreation(Vol02Journal);
  ClearVol02RecordedResults();
  ClearVol02VisualLog();
  ResetVol02ResultCounters();
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  if (!stayed.empty()) {
    std::string text =
        "The program is unable to delete the following folders and their contents : \n"
        "\nOTHER REASONS   : \n\n";
    for (const std::string& p : stayed) text += p + "\n";
    Vol02Box(text, "0030", "Information", 0x30);
  }
  Vol02Box("End of Undo process !!!", "0031", "Information", 0x40);
}

void Vol02Page::btnVol02ClearAllClick() {
  if (busy_) return;
  if (Vol02Box("You will delete all fields !!!\nClick YES to Continue deleting all fields,\nClick "
               "NO to Stop the delete process.",
               "0032", "Information", 0x124) != IDYES)
    return;
  if (cboVol02DestFolders.Count() > 0) cboVol02DestFolders.SetItemIndex(0);
  edtVol02AddToList.SetText("");
  lblVol02IncludeSum.SetText("0");
  lblVol02ExcludeSum.SetText("0");
  lstVol02IncludeStrings.Clear();
  lstVol02ExcludeStrings.Clear();
  edtVol02Prefix.SetText("");
  edtVol02Suffix.SetText("");
  chkVol02Hyphen.SetChecked(true);
  lblVol02StartFolder.SetText("");
  lblVol02EndFolder.SetText("");
  lstVol02AddFolderStructure.Clear();
  ResetVol02Counters();
  ClearVol02ResultLists();
  Vol02Journal.Clear();
  ShowVol02Statistics();
  ShowVol02VisualLogTotals();
  SetVol02ControlsEnabled(false);
  Vol02Box("End of the CLEAR FIELDS process !!!\n", "0033", "Information", 0x40);
}
