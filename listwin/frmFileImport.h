// Smart import window: picks a text file, shows its lines, turns them into a
// preview list with the import engine, and keeps everything between openings.
// Pages take its result through import_handover.h.
#pragma once
#include "core/box_message.h"
#include "forms/TfrmFileImport.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <string>
#include <vector>

// The boxes of the window.
enum class ImportMsg { NotTxtAsk, OpenFailed, ReadFailed, NoDelimiter, ImportEnd, PreviewEnd, BadColumn, TooLarge };
extern const core::MessageTable<ImportMsg> kFileImportMessages;

class TfrmFileImport : public ui::Form {
public:
  TfrmFileImport();

  ui::Edit edtFileImportFileName{this, IDC_FIM_FILENAME};
  ui::Button btnFileImportBrowse{this, IDC_FIM_BROWSE};
  ui::ListBox lstFileImportSource{this, IDC_FIM_SOURCE};
  ui::Label lblFileImportSourceLines{this, IDC_FIM_SOURCELINES};
  ui::ProgressBar pbSmartImport{this, IDC_FIM_PROGRESS};
  ui::Label lblFileImportResults{this, IDC_FIM_RESULTSLABEL};
  ui::ListBox lstFileImportResults{this, IDC_FIM_RESULTS};
  ui::Label lblFileImportPreviewLines{this, IDC_FIM_PREVIEWLINES};
  ui::Label lblFileImportPreviewLinesCim{this, IDC_FIM_PREVIEWLINESCIM};
  ui::RadioButton rdoFileImportPlainText{this, IDC_FIM_PLAINTEXT};
  ui::RadioButton rdoFileImportSeparatedFile{this, IDC_FIM_SEPARATED};
  ui::Label lblFileImportDelimiter{this, IDC_FIM_DELIMITERLABEL};
  ui::ComboBox cboFileImportDelimiter{this, IDC_FIM_DELIMITER};
  ui::RadioButton rdoFileImportAllColumns{this, IDC_FIM_ALLCOLUMNS};
  ui::RadioButton rdoFileImportOneColumn{this, IDC_FIM_ONECOLUMN};
  ui::Edit edtFileImportColumnNumber{this, IDC_FIM_COLUMN};
  ui::UpDown UDFileImportColumnNumber{this, IDC_FIM_COLUMNUPDOWN};
  ui::CheckBox chkFileImportAbandonQMarks{this, IDC_FIM_ABANDONQMARKS};
  ui::Label lblFileImportEgyes{this, IDC_FIM_MARK1};
  ui::Label lblFileImportKettes{this, IDC_FIM_MARK2};
  ui::Button btnFileImportFrom{this, IDC_FIM_FROM};
  ui::Button btnFileImportOk{this, IDC_FIM_OK};
  ui::Button btnFileImportCancel{this, IDC_FIM_CANCEL};
  ui::Button btnFileImportClear{this, IDC_FIM_CLEAR};
  ui::Button btnFileImportHelp{this, IDC_FIM_HELP};
  // Hidden in the layout, never shown.
  ui::ComboBox cboFileImportQuotationMark{this, IDC_FIM_QUOTATIONMARK};

  ui::OpenDialog OpenDialog4;

  // Built-in lists, lower-cased and trimmed.
  std::vector<std::string> BuiltInDelimiters;
  std::vector<std::string> BuiltInQuotationMarks;

  void FormCreate();
  void btnFileImportBrowseClick();
  void edtFileImportFileNameKeyPress(char& key);
  void rdoFileImportPlainTextClick();
  void rdoFileImportSeparatedFileClick();
  void rdoFileImportAllColumnsClick();
  void rdoFileImportOneColumnClick();
  void btnFileImportFromClick();
  void btnFileImportClearClick();
  void FillImportDelimiterCombo();
  void FillImportQuotationMarkCombo();
  void EnableImportControls(bool enable);

  // The file whose lines the source list shows (Create/Preview reads it).
  const std::string& LoadedFile() const { return loadedFile_; }

private:
  int Box(ImportMsg id);
  std::string loadedFile_;
};

extern TfrmFileImport* frmFileImport;
