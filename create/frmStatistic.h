// Detailed-results windows ("Visual Log") of the three list-driven creation
// pages: string list (02), increased numbers (03) and path list (04). One
// window design bound by a row per instance (layout, page title, number of the
// first empty-list warning): sixteen counter labels, five outcome lists each
// with its Smart Export button, the run/simulation title and its hidden mode
// check box. The runs write counters and lists through the accessors below.
#pragma once
#include "forms/TfrmStatistic.h"
#include "ui/controls.h"

#include <string>

// The row of one results window.
struct CreationResultsRow {
  int dialogId;
  const char* pageTitle;  // used in the empty-list warnings' captions
  int firstWarning;       // warning of the created-folders list; the others follow
};

class TCreationResultsWindow : public ui::Form {
public:
  explicit TCreationResultsWindow(const CreationResultsRow& row);

  // The five outcome lists, in the order of the window's export buttons.
  enum ResultList { kFoldersCreated, kSubFoldersCreated, kFilesCreated, kFoldersExists, kFoldersOther };

  ui::Label lblStatNormalSimulate{this, IDC_STAT_TITLE};
  ui::CheckBox chkStatNormalSimulate{this, IDC_STAT_NORMALSIMULATE};

  ui::Label lblStatFoldersToCreate{this, IDC_STAT_FOLDERSTOCREATE};
  ui::Label lblStatSubFoldersToCreate{this, IDC_STAT_SUBFOLDERSTOCREATE};
  ui::Label lblStatFilesToCreate{this, IDC_STAT_FILESTOCREATE};
  ui::Label lblStatFilesSizeToCreate{this, IDC_STAT_FILESSIZETOCREATE};
  ui::Label lblStatFoldersCreated{this, IDC_STAT_FOLDERSCREATED};
  ui::Label lblStatSubFoldersCreated{this, IDC_STAT_SUBFOLDERSCREATED};
  ui::Label lblStatFilesCreated{this, IDC_STAT_FILESCREATED};
  ui::Label lblStatFilesSizeCreated{this, IDC_STAT_FILESSIZECREATED};
  ui::Label lblStatFoldersExists{this, IDC_STAT_FOLDERSEXISTS};
  ui::Label lblStatSubFoldersExists{this, IDC_STAT_SUBFOLDERSEXISTS};
  ui::Label lblStatFilesExists{this, IDC_STAT_FILESEXISTS};
  ui::Label lblStatFilesSizeExists{this, IDC_STAT_FILESSIZEEXISTS};
  ui::Label lblStatFoldersOther{this, IDC_STAT_FOLDERSOTHER};
  ui::Label lblStatSubFoldersOther{this, IDC_STAT_SUBFOLDERSOTHER};
  ui::Label lblStatFilesOther{this, IDC_STAT_FILESOTHER};
  ui::Label lblStatFilesSizeOther{this, IDC_STAT_FILESSIZEOTHER};

  ui::ListBox lstStatFoldersCreated{this, IDC_STAT_LSTFOLDERSCREATED};
  ui::ListBox lstStatSubFoldersCreated{this, IDC_STAT_LSTSUBFOLDERSCREATED};
  ui::ListBox lstStatFilesCreated{this, IDC_STAT_LSTFILESCREATED};
  ui::ListBox lstStatFoldersExists{this, IDC_STAT_LSTFOLDERSEXISTS};
  ui::ListBox lstStatFoldersOther{this, IDC_STAT_LSTFOLDERSOTHER};

  ui::Button btnStatSmartExportFolders{this, IDC_STAT_EXPORTFOLDERS};
  ui::Button btnStatSmartExportSubFolders{this, IDC_STAT_EXPORTSUBFOLDERS};
  ui::Button btnStatSmartExportFiles{this, IDC_STAT_EXPORTFILES};
  ui::Button btnStatSmartExportFoldersExists{this, IDC_STAT_EXPORTEXISTS};
  ui::Button btnStatSmartExportFoldersOther{this, IDC_STAT_EXPORTOTHER};
  ui::Button btnStatOk{this, IDC_STAT_OK};

  // The sixteen counter labels, element 4 * row + column as the counters.
  ui::Label& Counter(int index) { return *counters_[index]; }
  ui::ListBox& List(ResultList which) { return *lists_[which]; }
  // Marks the next title as a run (true) or a simulation (false) and shows it.
  void SetRunMode(bool run);

  // Colours the title maroon, centres it and sets its text by the mode check
  // box: checked (a real run) or unchecked (a simulation).
  void ApplyNormalSimulateTitle();

  static const char kRunTitle[];         // "Folder/File Creation Process."
  static const char kSimulationTitle[];  // "Simulate the Folder/File Creation Process."

  // Smart Export of one list: warning when empty, else hands its entries with a
  // drive part to the export window, which is shown modally.
  void SmartExport(ResultList which);
  void btnStatOkClick() { Close(); }

private:
  void FormCreate();

  CreationResultsRow row_;
  ui::Label* counters_[16];
  ui::ListBox* lists_[5];
  ui::Button* exports_[5];
};

// The three instances.
class TfrmStatistic02 : public TCreationResultsWindow {
public:
  TfrmStatistic02();
};
class TfrmStatistic03 : public TCreationResultsWindow {
public:
  TfrmStatistic03();
};
class TfrmStatistic04 : public TCreationResultsWindow {
public:
  TfrmStatistic04();
};

extern TfrmStatistic02* frmStatistic02;
extern TfrmStatistic03* frmStatistic03;
extern TfrmStatistic04* frmStatistic04;
