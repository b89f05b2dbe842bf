#include "listwin/frmFileImport.h"

#include "core/casefold.h"
#include "core/import_engine.h"
#include "core/settings_store.h"
#include "core/textutil.h"
#include "examples/help_windows.h"
#include "listwin/list_page.h"
#include "ui/application.h"
#include "ui/throttle.h"

#include <new>

TfrmFileImport* frmFileImport = nullptr;

namespace {

// The built-in table of delimiters and quotation marks, in its order.
const char* const kBuiltInTable[17] = {",", "space", "\"", "'", "|", "~", ";", ":", "#",
                                       "&", "@",     "$",  "<", ">", ".", "-", "_"};

constexpr size_t kShownLineLength = 2048;

const core::NumberedMessage<ImportMsg> kRows[] = {
    {ImportMsg::NotTxtAsk, "0311", core::kMsgQuestion,
     "The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to select this "
     "file ?\nClick YES to Continue Selecting this file,\nClick NO to Stop the Select process.",
     "Import File content.            Warnings no: 0311."},
    {ImportMsg::OpenFailed, "0312", core::kMsgWarning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     "Import File content.            Warnings no: 0312."},
    {ImportMsg::ReadFailed, "0313", core::kMsgWarning,
     "There was a problem opening the file !\nAction : The file is maybe corrupted.",
     "Import File content.            Warnings no: 0313."},
    {ImportMsg::NoDelimiter, "0317", core::kMsgWarning,
     "The Delimiter field is empty !\nAction : You must choose or enter a delimiter.",
     "Import File content.            Warnings no: 0317."},
    {ImportMsg::ImportEnd, "0450", core::kMsgInformation, "End of the IMPORT process!",
     "Import File content.            Information no: 0450."},
    {ImportMsg::PreviewEnd, "0451", core::kMsgInformation, "End of the making FOLDER LIST process! (Preview)",
     "Import File content.            Information no: 0451."},
    {ImportMsg::BadColumn, "0452", core::kMsgWarning,
     "The column number must be a whole number of at least 1 !\nAction : You must enter a proper column "
     "number.",
     "Import File content.            Warnings no: 0452."},
    {ImportMsg::TooLarge, "0320", core::kMsgWarning,
     "The file is too large to be imported !\nNothing was imported.\nAction : Split the file into "
     "smaller parts.",
     "Import File content.            Warnings no: 0320."},
};

// A whole number of at least 1 that fits 32 bits, blanks around it allowed.
bool ParseColumn(const std::string& text, uint32_t& column) {
  const std::string t = core::TrimText(text);
  if (t.empty() || t.size() > 10) return false;
  uint64_t value = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  if (value < 1 || value > 0xFFFFFFFFull) return false;
  column = static_cast<uint32_t>(value);
  return true;
}

} // namespace

TfrmFileImport::TfrmFileImport() : ui::Form(IDD_TFRMFILEIMPORT) {
  OnCreate = [this] { FormCreate(); };
  btnFileImportBrowse.OnClick = [this] { btnFileImportBrowseClick(); };
  edtFileImportFileName.OnKeyPress = [this](char& key) { edtFileImportFileNameKeyPress(key); };
  rdoFileImportPlainText.OnClick = [this] { rdoFileImportPlainTextClick(); };
  rdoFileImportSeparatedFile.OnClick = [this] { rdoFileImportSeparatedFileClick(); };
  rdoFileImportAllColumns.OnClick = [this] { rdoFileImportAllColumnsClick(); };
  rdoFileImportOneColumn.OnClick = [this] { rdoFileImportOneColumnClick(); };
  btnFileImportFrom.OnClick = [this] { btnFileImportFromClick(); };
  btnFileImportClear.OnClick = [this] { btnFileImportClearClick(); };
  btnFileImportHelp.OnClick = [] { ShowHelpTopic("FileImport", true); };
  btnFileImportOk.ModalResult = IDOK;
  btnFileImportCancel.ModalResult = IDCANCEL;

  edtFileImportFileName.SetHint("A source file name.");
  lstFileImportSource.SetHint("Content of the original file");
  lstFileImportResults.SetHint("Temporary list created from the original file.");
  cboFileImportDelimiter.SetHint("Choose a delimiter from the list.");
  edtFileImportColumnNumber.SetHint("Select a column number.");
  btnFileImportFrom.SetHint("Create a Temporary List from the Original File.");
  btnFileImportOk.SetHint("Import the created list to the INCLUDE List and Close the Window.");
  btnFileImportCancel.SetHint("Close the Window without Importing the List");
  btnFileImportClear.SetHint("Clear all Controls, and Set Defaults.");

  OpenDialog4.Title = "Import Folder Na\xC3" "mes (strings) from Files.";
  OpenDialog4.Filter = "Text Files (*.txt)|*.txt|Comma Separated  (*.csv)|*.csv|All Files (*.*)|*.*";
  OpenDialog4.DefaultExt = "txt";
}

const core::MessageTable<ImportMsg> kFileImportMessages = core::TableOf(kRows);

int TfrmFileImport::Box(ImportMsg id) {
  const core::NumberedMessage<ImportMsg>& m = kFileImportMessages[id];
  return ui::App().MessageBox(m.text, m.caption, m.flags);
}

void TfrmFileImport::FormCreate() {
  BuiltInDelimiters.clear();
  for (const char* entry : kBuiltInTable) BuiltInDelimiters.push_back(core::LowerCaseCopy(core::TrimText(entry)));
  BuiltInQuotationMarks = BuiltInDelimiters;
  FillImportDelimiterCombo();
  FillImportQuotationMarkCombo();
  lstFileImportSource.SetHorizontalExtent(3000);
  lstFileImportResults.SetHorizontalExtent(3000);
  UDFileImportColumnNumber.SetBuddy(edtFileImportColumnNumber);
  UDFileImportColumnNumber.SetRange(1, 0x7FFFFFFF);
  UDFileImportColumnNumber.SetPosition(1);
  edtFileImportColumnNumber.SetText("1");
  chkFileImportAbandonQMarks.SetChecked(true);
  rdoFileImportPlainText.SetChecked(true);
  rdoFileImportPlainTextClick();
  EnableImportControls(lstFileImportSource.Count() > 0);
  lblFileImportSourceLines.SetText("0");
  lblFileImportPreviewLines.SetText("0");
}

namespace {

void FillCombo(ui::ComboBox& combo, const core::SettingsList& saved, const std::vector<std::string>& builtIn) {
  std::vector<std::string> chosen(saved.begin(), saved.end());
  if (chosen.empty())
    for (const std::string& entry : builtIn) chosen.push_back(core::LowerCaseCopy(core::TrimText(entry)));
  combo.Clear();
  core::FoldedIndex added;
  for (const std::string& entry : chosen) {
    if (added.Contains(entry)) continue;
    added.Add(entry);
    combo.Add(entry);
  }
  if (combo.Count() > 0) combo.SetItemIndex(0);
}

} // namespace

void TfrmFileImport::FillImportDelimiterCombo() {
  FillCombo(cboFileImportDelimiter, core::Settings().GetDelimiterList(), BuiltInDelimiters);
}

void TfrmFileImport::FillImportQuotationMarkCombo() {
  FillCombo(cboFileImportQuotationMark, core::Settings().GetQuotationMarkList(), BuiltInQuotationMarks);
}

void TfrmFileImport::EnableImportControls(bool enable) {
  for (ui::Control* c : std::initializer_list<ui::Control*>{&lblFileImportResults, &lstFileImportResults,
                                                           &lblFileImportPreviewLines,
                                                           &lblFileImportPreviewLinesCim, &rdoFileImportPlainText})
    c->SetEnabled(enable);
  if (enable) {
    rdoFileImportPlainText.SetChecked(true);
    rdoFileImportPlainTextClick();
  } else {
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &rdoFileImportSeparatedFile, &rdoFileImportAllColumns, &rdoFileImportOneColumn,
             &edtFileImportColumnNumber, &UDFileImportColumnNumber, &lblFileImportDelimiter,
             &cboFileImportDelimiter})
      c->SetEnabled(false);
  }
  chkFileImportAbandonQMarks.SetEnabled(enable);
  btnFileImportFrom.SetEnabled(enable);
  lblFileImportEgyes.SetEnabled(enable);
  const bool preview = enable && lstFileImportResults.Count() > 0;
  btnFileImportOk.SetEnabled(preview);
  lblFileImportKettes.SetEnabled(preview);
}

void TfrmFileImport::rdoFileImportPlainTextClick() {
  rdoFileImportPlainText.SetEnabled(true);
  rdoFileImportPlainText.SetChecked(true);
  rdoFileImportSeparatedFile.SetEnabled(true);
  rdoFileImportAllColumns.SetEnabled(false);
  rdoFileImportOneColumn.SetEnabled(false);
  SendMessageA(rdoFileImportAllColumns.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(rdoFileImportOneColumn.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  edtFileImportColumnNumber.SetEnabled(false);
  UDFileImportColumnNumber.SetEnabled(false);
  lblFileImportDelimiter.SetEnabled(false);
  cboFileImportDelimiter.SetEnabled(false);
}

void TfrmFileImport::rdoFileImportSeparatedFileClick() {
  rdoFileImportPlainText.SetEnabled(true);
  rdoFileImportSeparatedFile.SetEnabled(true);
  rdoFileImportSeparatedFile.SetChecked(true);
  rdoFileImportAllColumns.SetEnabled(true);
  rdoFileImportOneColumn.SetEnabled(true);
  rdoFileImportAllColumns.SetChecked(true);
  rdoFileImportAllColumnsClick();
  lblFileImportDelimiter.SetEnabled(true);
  cboFileImportDelimiter.SetEnabled(true);
}

void TfrmFileImport::rdoFileImportAllColumnsClick() {
  edtFileImportColumnNumber.SetEnabled(false);
  UDFileImportColumnNumber.SetEnabled(false);
}

void TfrmFileImport::rdoFileImportOneColumnClick() {
  edtFileImportColumnNumber.SetEnabled(true);
  UDFileImportColumnNumber.SetEnabled(true);
}

void TfrmFileImport::edtFileImportFileNameKeyPress(char& key) {
  if (key != 13) return;
  key = 0;
  btnFileImportBrowseClick();
}

void TfrmFileImport::btnFileImportBrowseClick() {
  if (OpenDialog4.Execute(this)) {
    const std::string path = OpenDialog4.FileName;
    const size_t slash = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    const std::string extension =
        dot == std::string::npos || (slash != std::string::npos && dot < slash) ? "" : path.substr(dot + 1);
    if (core::LowerCaseCopy(extension) != "txt" && Box(ImportMsg::NotTxtAsk) != IDYES) return;

    core::TextLineReader reader;
    if (reader.Open(path) != core::ImportFailure::None) {
      Box(ImportMsg::OpenFailed);
      return;
    }
    edtFileImportFileName.SetText(path);
    lstFileImportSource.Clear();
    lstFileImportResults.Clear();
    loadedFile_.clear();

    bool read = false, tooLarge = false;
    {
      CommandLock lock(*this);
      std::vector<std::string> batch;
      size_t count = 0;
      ui::Throttle throttle;
      auto flush = [&] {
        lstFileImportSource.AddStrings(batch);
        batch.clear();
        lblFileImportSourceLines.SetText(std::to_string(count));
      };
      try {
        read = reader.ForEachLine(
            [&](std::string_view text, bool blank) {
              if (blank) return;
              batch.emplace_back(text);
              ++count;
              if (throttle.Due()) {
                flush();
                ui::App().ProcessMessages();
              }
            },
            kShownLineLength);
        flush();
      } catch (const std::bad_alloc&) {
        tooLarge = true;
      }
    }
    if (!read || tooLarge) {
      lstFileImportSource.Clear();
      lblFileImportSourceLines.SetText("0");
      Box(tooLarge ? ImportMsg::TooLarge : ImportMsg::OpenFailed);
    } else {
      loadedFile_ = path;
      Box(ImportMsg::ImportEnd);
    }
  }
  EnableImportControls(lstFileImportSource.Count() > 0);
}

void TfrmFileImport::btnFileImportFromClick() {
  core::ImportSettings settings;
  settings.fileName = loadedFile_;
  settings.mode = core::kImportPlainText;
  if (rdoFileImportSeparatedFile.Checked())
    settings.mode = rdoFileImportOneColumn.Checked() ? core::kImportOneField : core::kImportAllFields;
  const std::string delimiter = cboFileImportDelimiter.Text();
  settings.delimiter = core::TrimSpaces(delimiter) == "space" ? std::string(" ") : delimiter;
  settings.quotationMark = cboFileImportQuotationMark.Text();
  settings.abandonQuotationMarks = chkFileImportAbandonQMarks.Checked() ? 1 : 0;

  // Refused before the preview is touched.
  if (settings.mode != core::kImportPlainText && settings.delimiter.empty()) {
    Box(ImportMsg::NoDelimiter);
    return;
  }
  uint32_t column = 0;
  if (settings.mode == core::kImportOneField && !ParseColumn(edtFileImportColumnNumber.Text(), column)) {
    Box(ImportMsg::BadColumn);
    return;
  }

  lstFileImportResults.Clear();
  lblFileImportPreviewLines.SetText("0");
  core::ImportResult result;
  core::ImportFailure failure;
  {
    core::ImportClass engine(settings);
    engine.SetColumn(column);
    failure = engine.Import();
    result = engine.TakeResult();
  }
  if (failure != core::ImportFailure::None) {
    btnFileImportOk.SetEnabled(false);
    lblFileImportKettes.SetEnabled(false);
    Box(failure == core::ImportFailure::OutOfMemory ? ImportMsg::TooLarge : ImportMsg::ReadFailed);
    return;
  }

  {
    CommandLock lock(*this);
    pbSmartImport.SetRange(0, static_cast<int>(result.size()));
    pbSmartImport.SetPosition(0);
    pbSmartImport.SetVisible(true);
    core::FoldedIndex shown;
    std::vector<std::string> batch;
    ui::Throttle throttle;
    auto flush = [&](size_t done) {
      lstFileImportResults.AddStrings(batch);
      batch.clear();
      pbSmartImport.SetPosition(static_cast<int>(done));
      lblFileImportPreviewLines.SetText(std::to_string(lstFileImportResults.Count()));
    };
    for (size_t i = 0; i < result.size(); ++i) {
      const std::string item = core::TrimText(std::string(result[i]));
      if (!item.empty() && !shown.Contains(item)) {
        shown.Add(item);
        batch.push_back(item);
      }
      if (throttle.Due()) {
        flush(i);
        ui::App().ProcessMessages();
      }
    }
    flush(result.size());
    pbSmartImport.SetVisible(false);
  }
  const bool preview = lstFileImportResults.Count() > 0;
  btnFileImportOk.SetEnabled(preview);
  lblFileImportKettes.SetEnabled(preview);
  Box(ImportMsg::PreviewEnd);
}

void TfrmFileImport::btnFileImportClearClick() {
  edtFileImportFileName.SetText("");
  loadedFile_.clear();
  lstFileImportSource.Clear();
  lstFileImportResults.Clear();
  rdoFileImportPlainText.SetChecked(true);
  SendMessageA(rdoFileImportSeparatedFile.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(rdoFileImportAllColumns.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(rdoFileImportOneColumn.Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
  edtFileImportColumnNumber.SetText("1");
  UDFileImportColumnNumber.SetPosition(1);
  chkFileImportAbandonQMarks.SetChecked(true);
  if (cboFileImportDelimiter.Count() > 0) cboFileImportDelimiter.SetItemIndex(0);
  EnableImportControls(lstFileImportSource.Count() > 0);
}
