#include "listwin/frmFileSelection.h"

#include "core/casefold.h"
#include "core/textutil.h"
#include "core/tokenizer.h"
#include "core/validation.h"
#include "examples/help_windows.h"
#include "listwin/settings_io.h"
#include "ui/application.h"

#include <algorithm>
#include <cstring>

TfrmFileSelection* frmFileSelection = nullptr;

namespace {

struct SelectionMessage {
  const char* number;
  unsigned flags;
  const char* text;
};

// Messages of the window (system boxes without an owner window).
const SelectionMessage kMessages[] = {
    {"0542", 0x30,
     "Both Copy and Delete Processes will use selected files\n(if the <Select Files> button is active).\n"},
    {"0545", 0x30, "Empty List in the File Names Menu!\n"},
    {"0546", 0x124, "Do you want to delete all item(s) from the File Names Menu ?"},
    {"0551", 0x30,
     "A file name pattern cannot hold a folder part ( \\  /  : ) !\nAction : You must enter file names "
     "and extensions only (*.txt  a*.doc)."},
};

int Box(const char* number) {
  for (const SelectionMessage& m : kMessages)
    if (std::strcmp(m.number, number) == 0)
      return ui::App().SystemMessageBox(m.text, std::string("File Selection.            Warning no: ") + number + ".",
                                        m.flags);
  return 0;
}

} // namespace

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
  Box("0542");
  std::string line = cboFileManNames.Text();
  if (core::TrimText(line).empty()) line = "*.*";
  core::TokenList tokens;
  core::BoxMessage unpaired;
  if (!core::CheckSeparatorPairs(line, tokens, unpaired)) {  // nothing stored
    ui::App().SystemMessageBox(unpaired.text, unpaired.caption, unpaired.flags);
    return;
  }
  for (const std::string& t : tokens) {
    if (t.find_first_of("\\/:") != std::string::npos) {
      Box("0551");
      return;
    }
  }
  std::vector<std::string> noPeriod;
  for (const std::string& t : tokens)
    if (!t.empty() && t.find('.') == std::string::npos) noPeriod.push_back(t);
  for (size_t k = 0; k < noPeriod.size(); ++k) {
    const std::string n = std::to_string(noPeriod.size());
    ui::App().SystemMessageBox("Period (.) is missing from : " + n + " file names." + "\nNo: " +
                                   std::to_string(k + 1) + "/" + n + " is : " + noPeriod[k] +
                                   "\nIf you want to search files with SPACE(s) in their names,\n" +
                                   "then you must put complete file name with extension into double quotes!\n",
                               "Information !    Msg no: 0544", 0x40);
  }
  core::SettingsList patterns;
  for (const std::string& t : tokens)
    if (!t.empty() && std::find(patterns.begin(), patterns.end(), t) == patterns.end()) patterns.push_back(t);
  if (patterns.empty()) patterns.push_back("*.*");
  const std::string joined = JoinPatterns(patterns);

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
    Box("0545");
    return;
  }
  if (Box("0546") != IDYES) return;
  const std::string typed = cboFileManNames.Text();
  cboFileManNames.Clear();
  cboFileManNames.SetText(typed);
}
