#include "listwin/frmManageMarks.h"

#include "core/casefold.h"
#include "core/settings_file.h"
#include "core/textutil.h"
#include "listwin/settings_io.h"
#include "ui/application.h"


TfrmDelimiters* frmDelimiters = nullptr;
TfrmQuotationMarks* frmQuotationMarks = nullptr;

const ManageMarksTwin kDelimitersTwin = {
    "Manage Delimiters.", "Included Delimiters", "Excluded Delimiters", "Add a Delimiter :",
    "Delete a Delimiter", "Remove all Delimiters", "Delimiters.", "Managing Delimiters.",
    "Delimiters",
    &core::SettingsStore::GetDelimiterList, &core::SettingsStore::ClearDelimiterList,
    &core::SettingsStore::AddDelimiter};
const ManageMarksTwin kQuotationMarksTwin = {
    "Manage Quotation Marks.", "Include Quotation Marks", "Exclude Quotation Marks", "Add a Quotation Mark:",
    "Delete a Quotation Mark", "Remove all Quotation Marks", "QuotationMarks.", "Managing QuotationMarks.",
    "QuotationMarks",
    &core::SettingsStore::GetQuotationMarkList, &core::SettingsStore::ClearQuotationMarkList,
    &core::SettingsStore::AddQuotationMark};

namespace {

const char* const kDefaultTable[17] = {";", "space", "\"", ",", "'", "|", "~", ":", "#",
                                       "&", "@",     "$",  "<", ">", ".", "-", "_"};

bool WithoutDrive(const std::string& entry) { return !core::HasDrivePart(core::TrimText(entry)); }

} // namespace

TfrmManageMarks::TfrmManageMarks(const ManageMarksTwin& twin) : ui::Form(IDD_TFRMMANAGEMARKS), twin_(twin) {
  OnCreate = [this] { FormCreate(); };
  OnActivate = [this] { LoadList(); };
  btnAdd.OnClick = [this] { btnAddClick(); };
  edtAdd.OnKeyPress = [this](char& key) {
    if (key != 13) return;
    key = 0;
    btnAddClick();
  };
  btnIncToExc.OnClick = [this] { btnIncToExcClick(); };
  btnExcToInc.OnClick = [this] { btnExcToIncClick(); };
  btnAllFromInc.OnClick = [this] { btnAllFromIncClick(); };
  btnAllFromExc.OnClick = [this] { btnAllFromExcClick(); };
  btnExchangeIncExc.OnClick = [this] { btnExchangeIncExcClick(); };
  btnDelete.OnClick = [this] { btnDeleteClick(); };
  btnRemoveAll.OnClick = [this] { btnRemoveAllClick(); };
  btnSetDefaults.OnClick = [this] { btnSetDefaultsClick(); };
  btnClose.OnClick = [this] { btnCloseClick(); };
}

namespace {

const core::NumberedMessage<MarksMsg> kRows[] = {
    {MarksMsg::Limit, "0121", core::kMsgWarning, "The limit is 30000", nullptr},
    {MarksMsg::Empty, "0122", core::kMsgWarning,
     "The text field is empty !\nAction : You must enter some text to add to the Include List.", nullptr},
    {MarksMsg::InInclude, "0123", core::kMsgWarning, "This item is already exist in the Include list !", nullptr},
    {MarksMsg::InExclude, "0124", core::kMsgWarning, "This item is already exist in the Exclude list !", nullptr},
    {MarksMsg::TooLong, "0131", core::kMsgWarning,
     "The text is too long !\nAn entry holds at most {} characters.\nAction : You must enter a shorter text.",
     nullptr},
    {MarksMsg::MoveLimit, "0125", core::kMsgWarning, "The Limit is 30,000 {}", nullptr},
    {MarksMsg::AllLimit, "0126", core::kMsgWarning, "The limit is 30,000 {}", nullptr},
    {MarksMsg::ExchangeLimit, "0127", core::kMsgWarning, "The limit is 30,000 {}", nullptr},
    {MarksMsg::DeleteAsk, "0128", core::kMsgQuestion,
     "Do you want to delete selected delimiter(s) from the Exclude list ?", nullptr},
    {MarksMsg::RemoveAllAsk, "0129", core::kMsgQuestion,
     "Do you want to remove (delete) all delimiter(s) from the Exclude list ?", nullptr},
};

} // namespace

const core::MessageTable<MarksMsg> kManageMarksMessages = core::TableOf(kRows);

int TfrmManageMarks::Box(MarksMsg id) {
  const core::NumberedMessage<MarksMsg>& m = kManageMarksMessages[id];
  // The Add command's boxes carry the short title, the list commands' the long one.
  const bool adding = id <= MarksMsg::TooLong;
  const std::string arg =
      id == MarksMsg::TooLong ? std::to_string(core::kSettingsTextLimit) : std::string(twin_.plural);
  const core::BoxMessage b = core::Compose(
      m, arg, core::TitledCaption(adding ? twin_.addPrefix : twin_.managePrefix, "Warning", m.number));
  return ui::App().MessageBox(b.text, b.caption, b.flags);
}

void TfrmManageMarks::FormCreate() {
  SetCaption(twin_.caption);
  lblIncluded.SetText(twin_.includedLabel);
  lblExcluded.SetText(twin_.excludedLabel);
  grpAdd.SetText(twin_.addGroup);
  btnDelete.SetText(twin_.deleteCaption);
  btnRemoveAll.SetText(twin_.removeAllCaption);
  lstIncluded.SetHint("Contains ACTIVE Delimiters.");
  lstExcluded.SetHint("Contains INACTIVE Delimiters.");
  Defaults.clear();
  for (const char* entry : kDefaultTable) Defaults.push_back(core::LowerCaseCopy(core::TrimText(entry)));
  LoadList();
}

void TfrmManageMarks::LoadList() {
  ReloadSettingsFile();
  core::SettingsList saved = (core::Settings().*twin_.get)();
  std::vector<std::string> working(saved.begin(), saved.end());
  if (working.empty())
    for (const std::string& entry : Defaults) working.push_back(core::LowerCaseCopy(core::TrimText(entry)));
  // Entries the user excluded while the program runs stay excluded.
  std::vector<std::string> adds;
  core::FoldedIndex adding;
  for (const std::string& entry : working) {
    if (lstIncluded.Contains(entry) || lstExcluded.Contains(entry) || adding.Contains(entry)) continue;
    adding.Add(entry);
    adds.push_back(entry);
  }
  lstIncluded.AddStrings(adds);
}

void TfrmManageMarks::btnAddClick() {
  const std::string text = core::TrimText(edtAdd.Text());
  if (lstIncluded.Count() >= kManageMarksLimit) {
    Box(MarksMsg::Limit);
  } else if (text.empty()) {
    Box(MarksMsg::Empty);
  } else if (!core::FitsSettingsRecord(text)) {
    Box(MarksMsg::TooLong);  // the list is saved entry by entry, each in one record
  } else if (lstIncluded.Contains(text)) {
    Box(MarksMsg::InInclude);
  } else if (lstExcluded.Contains(text)) {
    Box(MarksMsg::InExclude);
  } else {
    lstIncluded.Add(text);
    edtAdd.SetText(text);
  }
  edtAdd.SetFocus();
}

namespace {

// Appends each entry the target lacks and that has no drive part, then removes
// the entries at `indices` (all of them when empty and `all` is set) from source.
void MoveEntries(ui::ListBox& source, ui::ListBox& target, bool all) {
  std::vector<int> indices;
  if (all) {
    for (int i = 0; i < source.Count(); ++i) indices.push_back(i);
  } else {
    indices = source.SelectedIndices();
  }
  std::vector<std::string> adds;
  core::FoldedIndex adding;
  for (int i : indices) {
    const std::string& entry = source.Item(i);
    if (target.Contains(entry) || adding.Contains(entry) || !WithoutDrive(entry)) continue;
    adding.Add(entry);
    adds.push_back(entry);
  }
  target.AddStrings(adds);
  if (all)
    source.Clear();
  else
    source.DeleteIndices(indices);
}

} // namespace

void TfrmManageMarks::btnIncToExcClick() {
  MoveEntries(lstIncluded, lstExcluded, false);
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnExcToIncClick() {
  if (lstIncluded.Count() + lstExcluded.SelCount() > kManageMarksLimit)
    Box(MarksMsg::MoveLimit);
  else
    MoveEntries(lstExcluded, lstIncluded, false);
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnAllFromIncClick() {
  MoveEntries(lstIncluded, lstExcluded, true);
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnAllFromExcClick() {
  int incoming = 0;
  for (const std::string& entry : lstExcluded.Items()) incoming += !lstIncluded.Contains(entry);
  if (lstIncluded.Count() + incoming > kManageMarksLimit)
    Box(MarksMsg::AllLimit);
  else
    MoveEntries(lstExcluded, lstIncluded, true);
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnExchangeIncExcClick() {
  if (lstExcluded.Count() > kManageMarksLimit) {
    Box(MarksMsg::ExchangeLimit);
  } else {
    std::vector<std::string> kept;
    for (const std::string& entry : lstIncluded.Items())
      if (WithoutDrive(entry)) kept.push_back(entry);
    lstIncluded.Clear();
    MoveEntries(lstExcluded, lstIncluded, true);
    std::vector<std::string> adds;
    core::FoldedIndex adding;
    for (const std::string& entry : kept) {
      if (lstExcluded.Contains(entry) || adding.Contains(entry)) continue;
      adding.Add(entry);
      adds.push_back(entry);
    }
    lstExcluded.AddStrings(adds);
  }
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnDeleteClick() {
  if (Box(MarksMsg::DeleteAsk) == IDYES) lstExcluded.DeleteIndices(lstExcluded.SelectedIndices());
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnRemoveAllClick() {
  if (Box(MarksMsg::RemoveAllAsk) == IDYES) lstExcluded.Clear();
  edtAdd.SetFocus();
}

void TfrmManageMarks::btnSetDefaultsClick() {
  lstIncluded.Clear();
  lstExcluded.Clear();
  std::vector<std::string> adds;
  core::FoldedIndex adding;
  for (const std::string& entry : Defaults) {
    if (adding.Contains(entry)) continue;
    adding.Add(entry);
    adds.push_back(entry);
  }
  lstIncluded.AddStrings(adds);
}

void TfrmManageMarks::btnCloseClick() {
  core::SettingsStore& store = core::Settings();
  const core::SettingsList before = (store.*twin_.get)();
  (store.*twin_.clear)();
  for (const std::string& entry : lstIncluded.Items()) (store.*twin_.add)(entry);
  if (!WriteSettingsFile()) {
    // The store keeps what the file holds; the window stays open.
    (store.*twin_.clear)();
    for (const std::string& entry : before) (store.*twin_.add)(entry);
    return;
  }
  SetModalResult(IDOK);
}
