// Detailed-results windows ("Visual Log") of the three list-driven creation
// pages: string list (02), increased numbers (03) and path list (04). One design:
// sixteen counter labels, five outcome lists each with its Smart Export button,
// the run/simulation title and its hidden mode check box. The runs write into
// the controls directly; the window only shows them and hands lists to export.
#pragma once
#include "forms/TfrmStatistic.h"
#include "ui/controls.h"

#include <string>

// What the three windows share: the title rule and the Smart Export command.
class TCreationResultsWindow : public ui::Form {
public:
  // The five outcome lists, in the order of the window's export buttons.
  enum ResultList { kFoldersCreated, kSubFoldersCreated, kFilesCreated, kFoldersExists, kFoldersOther };

  // Colours the title maroon, centres it and sets its text by the mode check
  // box: checked (a real run) or unchecked (a simulation).
  void ApplyNormalSimulateTitle();

  static const char kRunTitle[];         // "Folder/File Creation Process."
  static const char kSimulationTitle[];  // "Simulate the Folder/File Creation Process."

protected:
  // pageTitle: the page's title used in warning captions; firstWarning: the
  // number of the created-folders list's warning (the others follow it).
  TCreationResultsWindow(int dialogId, const char* pageTitle, int firstWarning);

  // Called by each window's constructor once its controls exist.
  void Wire(ui::Label& title, ui::CheckBox& mode, ui::ListBox* lists[5], ui::Button* exports[5],
            ui::Button& ok);

  // Smart Export of one list: warning when empty, else hands its entries with a
  // drive part to the export window, which is shown modally.
  void SmartExport(ResultList which);
  void FormCreate();
  void OkClick();

private:
  const char* pageTitle_;
  int firstWarning_;
  ui::Label* title_ = nullptr;
  ui::CheckBox* mode_ = nullptr;
  ui::ListBox* lists_[5] = {};
  ui::Button* exports_[5] = {};
};

class TfrmStatistic02 : public TCreationResultsWindow {
public:
  TfrmStatistic02();

  ui::Label lblVol02NormalSimulate{this, IDC_STAT_TITLE};
  ui::CheckBox chkStat02NormalSimulate{this, IDC_STAT_NORMALSIMULATE};

  ui::Label lblStat02FoldersToCreate{this, IDC_STAT_FOLDERSTOCREATE};
  ui::Label lblStat02SubFoldersToCreate{this, IDC_STAT_SUBFOLDERSTOCREATE};
  ui::Label lblStat02FilesToCreate{this, IDC_STAT_FILESTOCREATE};
  ui::Label lblStat02FilesSizeToCreate{this, IDC_STAT_FILESSIZETOCREATE};
  ui::Label lblStat02FoldersCreated{this, IDC_STAT_FOLDERSCREATED};
  ui::Label lblStat02SubFoldersCreated{this, IDC_STAT_SUBFOLDERSCREATED};
  ui::Label lblStat02FilesCreated{this, IDC_STAT_FILESCREATED};
  ui::Label lblStat02FilesSizeCreated{this, IDC_STAT_FILESSIZECREATED};
  ui::Label lblStat02FoldersExists{this, IDC_STAT_FOLDERSEXISTS};
  ui::Label lblStat02SubFoldersExists{this, IDC_STAT_SUBFOLDERSEXISTS};
  ui::Label lblStat02FilesExists{this, IDC_STAT_FILESEXISTS};
  ui::Label lblStat02FilesSizeExists{this, IDC_STAT_FILESSIZEEXISTS};
  ui::Label lblStat02FoldersOther{this, IDC_STAT_FOLDERSOTHER};
  ui::Label lblStat02SubFoldersOther{this, IDC_STAT_SUBFOLDERSOTHER};
  ui::Label lblStat02FilesOther{this, IDC_STAT_FILESOTHER};
  ui::Label lblStat02FilesSizeOther{this, IDC_STAT_FILESSIZEOTHER};

  ui::ListBox lstStat02FoldersCreated{this, IDC_STAT_LSTFOLDERSCREATED};
  ui::ListBox lstStat02SubFoldersCreated{this, IDC_STAT_LSTSUBFOLDERSCREATED};
  ui::ListBox lstStat02FilesCreated{this, IDC_STAT_LSTFILESCREATED};
  ui::ListBox lstStat02FoldersExists{this, IDC_STAT_LSTFOLDERSEXISTS};
  ui::ListBox lstStat02FoldersOther{this, IDC_STAT_LSTFOLDERSOTHER};

  ui::Button btnStat02SmartExportFolders{this, IDC_STAT_EXPORTFOLDERS};
  ui::Button btnStat02SmartExportSubFolders{this, IDC_STAT_EXPORTSUBFOLDERS};
  ui::Button btnStat02SmartExportFiles{this, IDC_STAT_EXPORTFILES};
  ui::Button btnStat02SmartExportFoldersExists{this, IDC_STAT_EXPORTEXISTS};
  ui::Button btnStat02SmartExportFoldersOther{this, IDC_STAT_EXPORTOTHER};
  ui::Button btnStat02Ok{this, IDC_STAT_OK};

  void btnStat02OkClick() { OkClick(); }
  void btnStat02SmartExportFoldersClick() { SmartExport(kFoldersCreated); }
  void btnStat02SmartExportSubFoldersClick() { SmartExport(kSubFoldersCreated); }
  void btnStat02SmartExportFilesClick() { SmartExport(kFilesCreated); }
  void btnStat02SmartExportFoldersExistsClick() { SmartExport(kFoldersExists); }
  void btnStat02SmartExportFoldersOtherClick() { SmartExport(kFoldersOther); }
};

class TfrmStatistic03 : public TCreationResultsWindow {
public:
  TfrmStatistic03();

  ui::Label lblVol03NormalSimulate{this, IDC_STAT_TITLE};
  ui::CheckBox chkStat03NormalSimulate{this, IDC_STAT_NORMALSIMULATE};

  ui::Label lblStat03FoldersToCreate{this, IDC_STAT_FOLDERSTOCREATE};
  ui::Label lblStat03SubFoldersToCreate{this, IDC_STAT_SUBFOLDERSTOCREATE};
  ui::Label lblStat03FilesToCreate{this, IDC_STAT_FILESTOCREATE};
  ui::Label lblStat03FilesSizeToCreate{this, IDC_STAT_FILESSIZETOCREATE};
  ui::Label lblStat03FoldersCreated{this, IDC_STAT_FOLDERSCREATED};
  ui::Label lblStat03SubFoldersCreated{this, IDC_STAT_SUBFOLDERSCREATED};
  ui::Label lblStat03FilesCreated{this, IDC_STAT_FILESCREATED};
  ui::Label lblStat03FilesSizeCreated{this, IDC_STAT_FILESSIZECREATED};
  ui::Label lblStat03FoldersExists{this, IDC_STAT_FOLDERSEXISTS};
  ui::Label lblStat03SubFoldersExists{this, IDC_STAT_SUBFOLDERSEXISTS};
  ui::Label lblStat03FilesExists{this, IDC_STAT_FILESEXISTS};
  ui::Label lblStat03FilesSizeExists{this, IDC_STAT_FILESSIZEEXISTS};
  ui::Label lblStat03FoldersOther{this, IDC_STAT_FOLDERSOTHER};
  ui::Label lblStat03SubFoldersOther{this, IDC_STAT_SUBFOLDERSOTHER};
  ui::Label lblStat03FilesOther{this, IDC_STAT_FILESOTHER};
  ui::Label lblStat03FilesSizeOther{this, IDC_STAT_FILESSIZEOTHER};

  ui::ListBox lstStat03FoldersCreated{this, IDC_STAT_LSTFOLDERSCREATED};
  ui::ListBox lstStat03SubFoldersCreated{this, IDC_STAT_LSTSUBFOLDERSCREATED};
  ui::ListBox lstStat03FilesCreated{this, IDC_STAT_LSTFILESCREATED};
  ui::ListBox lstStat03FoldersExists{this, IDC_STAT_LSTFOLDERSEXISTS};
  ui::ListBox lstStat03FoldersOther{this, IDC_STAT_LSTFOLDERSOTHER};

  ui::Button btnStat03SmartExportFolders{this, IDC_STAT_EXPORTFOLDERS};
  ui::Button btnStat03SmartExportSubFolders{this, IDC_STAT_EXPORTSUBFOLDERS};
  ui::Button btnStat03SmartExportFiles{this, IDC_STAT_EXPORTFILES};
  ui::Button btnStat03SmartExportAlreadyExists{this, IDC_STAT_EXPORTEXISTS};
  ui::Button btnStat03SmartExportOtherReasons{this, IDC_STAT_EXPORTOTHER};
  ui::Button btnStat03Ok{this, IDC_STAT_OK};

  void btnStat03OkClick() { OkClick(); }
  void btnStat03SmartExportFoldersClick() { SmartExport(kFoldersCreated); }
  void btnStat03SmartExportSubFoldersClick() { SmartExport(kSubFoldersCreated); }
  void btnStat03SmartExportFilesClick() { SmartExport(kFilesCreated); }
  void btnStat03SmartExportAlreadyExistsClick() { SmartExport(kFoldersExists); }
  void btnStat03SmartExportOtherReasonsClick() { SmartExport(kFoldersOther); }
};

class TfrmStatistic04 : public TCreationResultsWindow {
public:
  TfrmStatistic04();

  ui::Label lblVol04NormalSimulate{this, IDC_STAT_TITLE};
  ui::CheckBox chkStat04NormalSimulate{this, IDC_STAT_NORMALSIMULATE};

  ui::Label lblStat04FoldersToCreate{this, IDC_STAT_FOLDERSTOCREATE};
  ui::Label lblStat04SubFoldersToCreate{this, IDC_STAT_SUBFOLDERSTOCREATE};
  ui::Label lblStat04FilesToCreate{this, IDC_STAT_FILESTOCREATE};
  ui::Label lblStat04FilesSizeToCreate{this, IDC_STAT_FILESSIZETOCREATE};
  ui::Label lblStat04FoldersCreated{this, IDC_STAT_FOLDERSCREATED};
  ui::Label lblStat04SubFoldersCreated{this, IDC_STAT_SUBFOLDERSCREATED};
  ui::Label lblStat04FilesCreated{this, IDC_STAT_FILESCREATED};
  ui::Label lblStat04FilesSizeCreated{this, IDC_STAT_FILESSIZECREATED};
  ui::Label lblStat04FoldersExists{this, IDC_STAT_FOLDERSEXISTS};
  ui::Label lblStat04SubFoldersExists{this, IDC_STAT_SUBFOLDERSEXISTS};
  ui::Label lblStat04FilesExists{this, IDC_STAT_FILESEXISTS};
  ui::Label lblStat04FilesSizeExists{this, IDC_STAT_FILESSIZEEXISTS};
  ui::Label lblStat04FoldersOther{this, IDC_STAT_FOLDERSOTHER};
  ui::Label lblStat04SubFoldersOther{this, IDC_STAT_SUBFOLDERSOTHER};
  ui::Label lblStat04FilesOther{this, IDC_STAT_FILESOTHER};
  ui::Label lblStat04FilesSizeOther{this, IDC_STAT_FILESSIZEOTHER};

  ui::ListBox lstStat04FoldersCreated{this, IDC_STAT_LSTFOLDERSCREATED};
  ui::ListBox lstStat04SubFoldersCreated{this, IDC_STAT_LSTSUBFOLDERSCREATED};
  ui::ListBox lstStat04FilesCreated{this, IDC_STAT_LSTFILESCREATED};
  ui::ListBox lstStat04FoldersExists{this, IDC_STAT_LSTFOLDERSEXISTS};
  ui::ListBox lstStat04FoldersOther{this, IDC_STAT_LSTFOLDERSOTHER};

  ui::Button btnStat04SmartExportFolders{this, IDC_STAT_EXPORTFOLDERS};
  ui::Button btnStat04SmartExportSubFolders{this, IDC_STAT_EXPORTSUBFOLDERS};
  ui::Button btnStat04SmartExportFiles{this, IDC_STAT_EXPORTFILES};
  ui::Button btnStat04SmartExportDoldersAlreadyExists{this, IDC_STAT_EXPORTEXISTS};
  ui::Button btnStat04SmartExportFoldersOtherReasons{this, IDC_STAT_EXPORTOTHER};
  ui::Button btnStat04Ok{this, IDC_STAT_OK};

  void btnStat04OkClick() { OkClick(); }
  void btnStat04SmartExportFoldersClick() { SmartExport(kFoldersCreated); }
  void btnStat04SmartExportSubFoldersClick() { SmartExport(kSubFoldersCreated); }
  void btnStat04SmartExportFilesClick() { SmartExport(kFilesCreated); }
  void btnStat04SmartExportDoldersAlreadyExistsClick() { SmartExport(kFoldersExists); }
  void btnStat04SmartExportFoldersOtherReasonsClick() { SmartExport(kFoldersOther); }
};

extern TfrmStatistic02* frmStatistic02;
extern TfrmStatistic03* frmStatistic03;
extern TfrmStatistic04* frmStatistic04;
