// Smart export window: receives a list from another window (see
// export_handover.h), shows it, and writes it to a file as plain text or as
// separated values.
#pragma once
#include "core/box_message.h"
#include "forms/TfrmFileExport.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <string>
#include <vector>

// The boxes of the window.
enum class ExportMsg { ListEmpty, NoDelimiter, CreateFailed, WriteFailed, CloseFailed, ExportEnd };
extern const core::MessageTable<ExportMsg> kFileExportMessages;

class TfrmFileExport : public ui::Form {
public:
  TfrmFileExport();

  ui::ListBox lstFileExportSource{this, IDC_FEX_SOURCE};
  ui::Label lblSmartExportSource{this, IDC_FEX_SOURCECOUNT};
  ui::Label lblSmartExportExported{this, IDC_FEX_EXPORTEDCOUNT};
  ui::RadioButton rdoFileExportPlainTextFile{this, IDC_FEX_PLAINTEXT};
  ui::RadioButton rdoFileExportCSVSeparatedFile{this, IDC_FEX_CSV};
  ui::ComboBox cboFileExportDelimiter{this, IDC_FEX_DELIMITER};
  ui::CheckBox chkFileExportQuotationMarks{this, IDC_FEX_QUOTES};
  ui::Button btnFileExportTo{this, IDC_FEX_EXPORTTO};
  ui::Button BitBtn1{this, IDC_FEX_CLOSE};
  // Hidden in the layout, never shown.
  ui::ComboBox cboFileExportFileName{this, IDC_FEX_FILENAME};
  ui::Button cboFileExportBrowse{this, IDC_FEX_BROWSE};
  ui::ComboBox cboFileExportQuotationMark{this, IDC_FEX_QUOTATIONMARK};

  ui::SaveDialog SaveDialog4;

  // The window's own delimiter table, lower-cased and trimmed.
  std::vector<std::string> BuiltInDelimiters;

  // Both counts "0" and the source list emptied.
  void ResetExportWindow();
  // "FOLDERS" (folder paths) or "STRINGS" (plain strings).
  void SetExportKind(const std::string& kind) { exportKind_ = kind; }
  const std::string& ExportKind() const { return exportKind_; }
  // The settings store's delimiter list, or the built-in one when that is empty.
  void FillExportDelimiterCombo();

  void FormCreate();
  void rdoFileExportPlainTextFileClick();
  void rdoFileExportCSVSeparatedFileClick();
  void btnFileExportToClick();
  void cboFileExportBrowseClick() {}

private:
  std::string exportKind_ = "FOLDERS";
};

extern TfrmFileExport* frmFileExport;
