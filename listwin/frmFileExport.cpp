#include "listwin/frmFileExport.h"

#include "core/casefold.h"
#include "core/settings_store.h"
#include "core/textutil.h"
#include "listwin/export_writer.h"
#include "ui/application.h"

TfrmFileExport* frmFileExport = nullptr;

namespace {

// The window's own delimiter table, in its order.
const char* const kDelimiterTable[17] = {"#", "space", "\"", ",", "'", "|", "~", ";", ":",
                                         "&", "@",     "$",  "<", ">", ".", "-", "_"};

#define EXPORT_CAPTION(kind, number) "Export Datas to a File.            " kind " no: " number "."
const core::NumberedMessage<ExportMsg> kRows[] = {
    {ExportMsg::ListEmpty, "0641", core::kMsgWarning,
     "The List to Export is empty !\nThere is nothing to write to a file.", EXPORT_CAPTION("Warning", "0641")},
    {ExportMsg::NoDelimiter, "0642", core::kMsgWarning, "Select a Delimiter !\n", EXPORT_CAPTION("Warning", "0642")},
    {ExportMsg::CreateFailed, "0643", core::kMsgWarning,
     "Unable to create the file :\n{}\nAction : Check the folder's name and your right to write into it.",
     EXPORT_CAPTION("Warning", "0643")},
    {ExportMsg::WriteFailed, "0644", core::kMsgWarning,
     "There was a problem writing the file :\n{}\nNothing was written; an existing file keeps its contents."
     "\nAction : Check the free space of the drive.",
     EXPORT_CAPTION("Warning", "0644")},
    {ExportMsg::CloseFailed, "0645", core::kMsgWarning,
     "There was a problem finishing the file :\n{}\nNothing was written; an existing file keeps its contents.",
     EXPORT_CAPTION("Warning", "0645")},
    {ExportMsg::ExportEnd, "0646", core::kMsgInformation, "End of the EXPORT process!\n{}",
     EXPORT_CAPTION("Information", "0646")},
};
#undef EXPORT_CAPTION

} // namespace

const core::MessageTable<ExportMsg> kFileExportMessages = core::TableOf(kRows);

namespace {

int Box(ExportMsg id, const std::string& arg = std::string()) {
  const core::BoxMessage b = core::Compose(kFileExportMessages[id], arg);
  return ui::App().MessageBox(b.text, b.caption, b.flags);
}

// The received list grows with the window; the export choices and commands
// keep to the right edge.
const ui::AnchorRule kExportWindowAnchors[] = {
    {IDC_FEX_GRPSOURCE, ui::kGrowAll},
    {IDC_FEX_SOURCE, ui::kGrowAll},
    {IDC_FEX_SOURCECOUNT, ui::kStayRightBottom},
    {IDC_FEX_GRPTYPE, ui::kStayRightTop},
    {IDC_FEX_PLAINTEXT, ui::kStayRightTop},
    {IDC_FEX_CSV, ui::kStayRightTop},
    {IDC_FEX_GRPDELIMITER, ui::kStayRightTop},
    {IDC_FEX_DELIMITER, ui::kStayRightTop},
    {IDC_FEX_QUOTES, ui::kStayRightTop},
    {IDC_FEX_LBLFILENAME, ui::kStayRightTop},
    {IDC_FEX_FILENAME, ui::kStayRightTop},
    {IDC_FEX_BROWSE, ui::kStayRightTop},
    {IDC_FEX_GRPQUOTATIONMARK, ui::kStayRightTop},
    {IDC_FEX_QUOTATIONMARK, ui::kStayRightTop},
    {IDC_FEX_LBLEXPORTED, ui::kStayRightBottom},
    {IDC_FEX_EXPORTEDCOUNT, ui::kStayRightBottom},
    {IDC_FEX_EXPORTTO, ui::kStayRightBottom},
    {IDC_FEX_CLOSE, ui::kStayRightBottom},
};

} // namespace

TfrmFileExport::TfrmFileExport() : ui::Form(IDD_TFRMFILEEXPORT) {
  OnCreate = [this] { FormCreate(); };
  SetAnchors(kExportWindowAnchors);
  rdoFileExportPlainTextFile.OnClick = [this] { rdoFileExportPlainTextFileClick(); };
  rdoFileExportCSVSeparatedFile.OnClick = [this] { rdoFileExportCSVSeparatedFileClick(); };
  btnFileExportTo.OnClick = [this] { btnFileExportToClick(); };
  cboFileExportBrowse.OnClick = [this] { cboFileExportBrowseClick(); };
  BitBtn1.ModalResult = IDCANCEL;

  SaveDialog4.Title = "Export Folder Names (strings) to a file.";
  SaveDialog4.DefaultExt = "txt";
  SaveDialog4.Filter = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";
  SaveDialog4.OverwritePrompt = true;
}

void TfrmFileExport::FormCreate() {
  BuiltInDelimiters.clear();
  for (const char* entry : kDelimiterTable) BuiltInDelimiters.push_back(core::LowerCaseCopy(core::TrimSpaces(entry)));
  FillExportDelimiterCombo();
  lstFileExportSource.SetHorizontalExtent(2000);
  rdoFileExportPlainTextFile.SetChecked(true);
  cboFileExportDelimiter.SetEnabled(false);
  chkFileExportQuotationMarks.SetChecked(true);
  exportKind_ = "FOLDERS";
  lblSmartExportSource.SetText("0");
  lblSmartExportExported.SetText("0");
}

void TfrmFileExport::FillExportDelimiterCombo() {
  core::SettingsList saved = core::Settings().GetDelimiterList();
  std::vector<std::string> chosen(saved.begin(), saved.end());
  if (chosen.empty())
    for (const std::string& entry : BuiltInDelimiters) chosen.push_back(core::LowerCaseCopy(core::TrimSpaces(entry)));
  cboFileExportDelimiter.Clear();
  core::FoldedIndex added;
  for (const std::string& entry : chosen) {
    if (added.Contains(entry)) continue;
    added.Add(entry);
    cboFileExportDelimiter.Add(entry);
  }
  if (cboFileExportDelimiter.Count() > 0) cboFileExportDelimiter.SetItemIndex(0);
}

void TfrmFileExport::ResetExportWindow() {
  lblSmartExportSource.SetText("0");
  lblSmartExportExported.SetText("0");
  lstFileExportSource.Clear();
}

void TfrmFileExport::rdoFileExportPlainTextFileClick() { cboFileExportDelimiter.SetEnabled(false); }

void TfrmFileExport::rdoFileExportCSVSeparatedFileClick() { cboFileExportDelimiter.SetEnabled(true); }

void TfrmFileExport::btnFileExportToClick() {
  const std::vector<std::string> items = lstFileExportSource.Items();
  if (items.empty()) {
    Box(ExportMsg::ListEmpty);
    return;
  }
  core::ExportOptions options;
  options.layout = rdoFileExportCSVSeparatedFile.Checked() ? core::ExportLayout::Separated
                                                          : core::ExportLayout::PlainText;
  options.quote = chkFileExportQuotationMarks.Checked();
  if (options.layout == core::ExportLayout::Separated) {
    int index = cboFileExportDelimiter.ItemIndex();
    if (index < 0) {
      Box(ExportMsg::NoDelimiter);
      return;
    }
    options.delimiter = cboFileExportDelimiter.Item(index);
  }
  if (!SaveDialog4.Execute(this)) return;

  const std::string& path = SaveDialog4.FileName;
  lblSmartExportExported.SetText("0");
  core::ExportResult result = core::WriteExportFile(path, items, options);
  switch (result.failure) {
    case core::ExportFailure::Open:
      Box(ExportMsg::CreateFailed, path);
      return;
    case core::ExportFailure::Write:
      Box(ExportMsg::WriteFailed, path);
      return;
    case core::ExportFailure::Close:
      Box(ExportMsg::CloseFailed, path);
      return;
    case core::ExportFailure::None:
      break;
  }
  lblSmartExportExported.SetText(std::to_string(result.written));
  Box(ExportMsg::ExportEnd, std::to_string(result.written) + " string(s) written to the file :\n" + path);
}
