#include "listwin/frmFileSelection.h"

#include "core/casefold.h"
#include "core/settings_file.h"
#include "core/textutil.h"
#include "core/tokenizer.h"
#include "core/validation.h"
#include "examples/help_windows.h"
#include "listwin/settings_io.h"
#include "ui/application.h"

#include <algorithm>

TfrmFileSelection* frmFileSelection = nullptr;

namespace {

const core::NumberedMessage<SelectionMsg> kRows[] = {
    {SelectionMsg::SelectedFilesUsed, "0542", core::kMsgWarning,
     "Both Copy and Delete Processes will use selected files\n(if the <Select Files> button is active).\n",
     nullptr},
    {SelectionMsg::MissingPeriod, "0544", core::kMsgInformation, "{}", "Information !    Msg no: 0544"},
    {SelectionMsg::MenuEmpty, "0545", core::kMsgWarning, "Empty List in the File Names Menu!\n", nullptr},
    {SelectionMsg::ClearMenuAsk, "0546", core::kMsgQuestion,
     "Do you want to delete all item(s) from the File Names Menu ?", nullptr},
    {SelectionMsg::FolderPart, "0551", core::kMsgWarning,
     "A file name pattern cannot hold a folder part ( \\  /  : ) !\nAction : You must enter file names "
     "and extensions only (*.txt  a*.doc).",
     nullptr},
    {SelectionMsg::LineTooLong, "0552", core::kMsgWarning,
     "The File Names line is too long !\nIt holds at most {} characters.\nAction : You must enter fewer or "
     "shorter file names.",
     nullptr},
};

} // namespace

const core::MessageTable<SelectionMsg> kFileSelectionMessages = core::TableOf(kRows);

namespace {

// The window's boxes are system boxes without an owner window.
int Box(SelectionMsg id, const std::string& arg = std::string()) {
  const core::NumberedMessage<SelectionMsg>& m = kFileSelectionMessages[id];
  const core::BoxMessage b = core::Compose(m, arg, core::TitledCaption("File Selection.", "Warning", m.number));
  return ui::App().SystemMessageBox(b.text, b.caption, b.flags);
}

} // namespace

bool EveryFileTypeSelected() {
  const std::string line = core::TrimText(core::Settings().GetFilePatternLine());
  return line.empty() || line == "*.*";
}

std::string JoinPatterns(const core::SettingsList& patterns) {
  std::string line;
  for (const std::string& p : patterns) {
    bool space = false;
    for (char c : p) space = space || core::IsSpaceChar(c);
    line += space ? "\"" + p + "\"" : p;
    line += ' ';
  }
  return core::TrimSpaces(line);
}

TfrmFileSelection::TfrmFileSelection() : ui::Form(IDD_TFRMFILESELECTION) {
  OnCreate = [this] { FormCreate(); };
  OnHide = [this] { opening_ = true; };
  OnActivate = [this] { FormActivate(); };
  btnFileManOK.OnClick = [this] { btnFileManOKClick(); };
  btnFileManCancel.ModalResult = IDCANCEL;
  btnFileManClearFileNames.OnClick = [this] { btnFileManClearFileNamesClick(); };
  btnFileSelectionHelp.OnClick = [] { ShowHelpTopic("FileSelection", false); };
}

void TfrmFileSelection::FormCreate() {
  AllFileTypesCaption = "All.";
  UserSelectedFileTypesCaption = "User Selected.";
}

void TfrmFileSelection::FormActivate() {
  // Only when the window opens: coming back from another window keeps the
  // line being typed.
  if (!opening_) return;
  opening_ = false;
  core::SettingsStore& store = core::Settings();
  for (const std::string& entry : store.GetFilePatternHistory())
    if (cboFileManNames.IndexOf(entry) < 0) cboFileManNames.Add(entry);
  std::string line = store.GetFilePatternLine();
  if (core::TrimText(line).empty()) line = "*.*";
  int index = cboFileManNames.IndexOf(line);
  if (index < 0) index = cboFileManNames.Add(line);
  cboFileManNames.SetItemIndex(index);
  if (store.GetIncludeFileTypes().empty() && store.GetExcludeFileTypes().empty())
    store.AssignIncludeFileTypes(store.GetDefaultFileTypes());
  cboFileManNames.SetFocus();
}

void TfrmFileSelection::btnFileManOKClick() {
  Box(SelectionMsg::SelectedFilesUsed);
  std::string line = cboFileManNames.Text();
  if (core::TrimText(line).empty()) line = "*.*";
  // The line is saved whole in one record: a longer one is refused here.
  if (!core::FitsSettingsRecord(line)) {
    Box(SelectionMsg::LineTooLong, std::to_string(core::kSettingsTextLimit));
    return;
  }
  core::TokenList tokens;
  core::BoxMessage unpaired;
  if (!core::CheckSeparatorPairs(line, tokens, unpaired)) {  // nothing stored
    ui::App().SystemMessageBox(unpaired.text, unpaired.caption, unpaired.flags);
    return;
  }
  for (const std::string& t : tokens) {
    if (t.find_first_of("\\/:") != std::string::npos) {
      Box(SelectionMsg::FolderPart);
      return;
    }
  }
  std::vector<std::string> noPeriod;
  for (const std::string& t : tokens)
    if (!t.empty() && t.find('.') == std::string::npos) noPeriod.push_back(t);
  for (size_t k = 0; k < noPeriod.size(); ++k) {
    const std::string n = std::to_string(noPeriod.size());
    Box(SelectionMsg::MissingPeriod,
        "Period (.) is missing from : " + n + " file names." + "\nNo: " + std::to_string(k + 1) + "/" + n +
            " is : " + noPeriod[k] + "\nIf you want to search files with SPACE(s) in their names,\n" +
            "then you must put complete file name with extension into double quotes!\n");
  }
  core::SettingsList patterns;
  for (const std::string& t : tokens)
    if (!t.empty() && std::find(patterns.begin(), patterns.end(), t) == patterns.end()) patterns.push_back(t);
  if (patterns.empty()) patterns.push_back("*.*");
  const std::string joined = JoinPatterns(patterns);
  if (!core::FitsSettingsRecord(joined)) {  // quotation marks added around names with blanks
    Box(SelectionMsg::LineTooLong, std::to_string(core::kSettingsTextLimit));
    return;
  }

  core::SettingsStore& store = core::Settings();
  const std::string oldLine = store.GetFilePatternLine();
  const core::SettingsList oldPatterns = store.GetFilePatternList();
  const core::SettingsList oldHistory = store.GetFilePatternHistory();
  store.AssignFilePatternList(patterns);
  store.SetFilePatternLine(joined);
  core::SettingsList history;
  for (const std::string& item : cboFileManNames.Items())
    if (!item.empty()) history.push_back(item);
  if (cboFileManNames.IndexOf(joined) < 0) history.push_back(joined);
  store.AssignFilePatternHistory(history);
  if (!WriteSettingsFile()) {
    // The store keeps what the file holds; the window stays open.
    store.SetFilePatternLine(oldLine);
    store.AssignFilePatternList(oldPatterns);
    store.AssignFilePatternHistory(oldHistory);
    return;
  }
  if (cboFileManNames.IndexOf(joined) < 0) cboFileManNames.Add(joined);
  SetModalResult(IDOK);
}

void TfrmFileSelection::btnFileManClearFileNamesClick() {
  if (cboFileManNames.Count() == 0) {
    Box(SelectionMsg::MenuEmpty);
    return;
  }
  if (Box(SelectionMsg::ClearMenuAsk) != IDYES) return;
  const std::string typed = cboFileManNames.Text();
  cboFileManNames.Clear();
  cboFileManNames.SetText(typed);
}
