#include "create/frmStatistic.h"

#include "listwin/export_handover.h"
#include "ui/application.h"

#include <cstdio>

TfrmStatistic02* frmStatistic02 = nullptr;
TfrmStatistic03* frmStatistic03 = nullptr;
TfrmStatistic04* frmStatistic04 = nullptr;

const char TCreationResultsWindow::kRunTitle[] = "Folder/File Creation Process.";
const char TCreationResultsWindow::kSimulationTitle[] = "Simulate the Folder/File Creation Process.";

namespace {

// Warning texts of the five lists when they are empty, in list order.
const char* const kEmptyListTexts[5] = {
    "The List of Successfully Created  Folder Names is empty !\nAction : You must create at least "
    "one Folder to use the Smart Export Feature.",
    "The List of Successfully Created  Subfolder Names is empty !\nAction : You must create at "
    "least one Subfolder to use the Smart Export Feature.",
    "The List of Successfully Created  File Names is empty !\nAction : You must create at least "
    "one File to use the Smart Export Feature.",
    "The List of Already Created Folder Names is empty !\n",
    "The List of Uncreated Folder Names (Not Created - Other reasons) is empty !\n",
};

const char* const kExportHints[5] = {
    "Export the List of Successfully Created Folder Names to a Text File.",
    "Export the List of Successfully Created Subfolder Names to a Text File.",
    "Export the List of Successfully Created File Names to a Text File.",
    "Export the List of Already Existed Foler Names to a Text File.",
    "Export the List of Uncreated Folder Names (that not created for other reasons) to a Text File.",
};

const COLORREF kMaroon = 0x000080;

// The counter grid keeps its place; the created-lists take the upper half of
// the growth in height and share the width in thirds, the not-created lists
// the lower half in halves; each Smart Export button stays under its list.
const ui::Anchors kThird1{0, 0, 33, 50}, kThird2{33, 0, 67, 50}, kThird3{67, 0, 100, 50};
const ui::Anchors kHalf1{0, 50, 50, 100}, kHalf2{50, 50, 100, 100};
const ui::AnchorRule kResultsWindowAnchors[] = {
    {IDC_STAT_TITLE, ui::kGrowWide},
    {IDC_STAT_GRPCREATED, {0, 0, 100, 50}},
    {IDC_STAT_LBLFOLDERSCREATED, {0, 0, 33, 0}},
    {IDC_STAT_LBLSUBFOLDERSCREATED, {33, 0, 67, 0}},
    {IDC_STAT_LBLFILESCREATED, {67, 0, 100, 0}},
    {IDC_STAT_LSTFOLDERSCREATED, kThird1},
    {IDC_STAT_LSTSUBFOLDERSCREATED, kThird2},
    {IDC_STAT_LSTFILESCREATED, kThird3},
    {IDC_STAT_EXPORTFOLDERS, {0, 50, 0, 50}},
    {IDC_STAT_EXPORTSUBFOLDERS, {33, 50, 33, 50}},
    {IDC_STAT_EXPORTFILES, {67, 50, 67, 50}},
    {IDC_STAT_GRPNOTCREATED, {0, 50, 100, 100}},
    {IDC_STAT_LBLFOLDERSEXISTS, {0, 50, 50, 50}},
    {IDC_STAT_LBLFOLDERSOTHER, {50, 50, 100, 50}},
    {IDC_STAT_LSTFOLDERSEXISTS, kHalf1},
    {IDC_STAT_LSTFOLDERSOTHER, kHalf2},
    {IDC_STAT_EXPORTEXISTS, ui::kStayLeftBottom},
    {IDC_STAT_EXPORTOTHER, {50, 100, 50, 100}},
    {IDC_STAT_OK, ui::kStayCentreBottom},
};

} // namespace

TCreationResultsWindow::TCreationResultsWindow(const CreationResultsRow& row)
    : ui::Form(row.dialogId), row_(row),
      counters_{&lblStatFoldersToCreate, &lblStatSubFoldersToCreate, &lblStatFilesToCreate,
                &lblStatFilesSizeToCreate, &lblStatFoldersCreated, &lblStatSubFoldersCreated,
                &lblStatFilesCreated, &lblStatFilesSizeCreated, &lblStatFoldersExists,
                &lblStatSubFoldersExists, &lblStatFilesExists, &lblStatFilesSizeExists,
                &lblStatFoldersOther, &lblStatSubFoldersOther, &lblStatFilesOther,
                &lblStatFilesSizeOther},
      lists_{&lstStatFoldersCreated, &lstStatSubFoldersCreated, &lstStatFilesCreated,
             &lstStatFoldersExists, &lstStatFoldersOther},
      exports_{&btnStatSmartExportFolders, &btnStatSmartExportSubFolders, &btnStatSmartExportFiles,
               &btnStatSmartExportFoldersExists, &btnStatSmartExportFoldersOther} {
  OnCreate = [this] { FormCreate(); };
  SetAnchors(kResultsWindowAnchors);
  for (int i = 0; i < 5; ++i) {
    exports_[i]->SetHint(kExportHints[i]);
    ResultList which = static_cast<ResultList>(i);
    exports_[i]->OnClick = [this, which] { SmartExport(which); };
  }
  btnStatOk.OnClick = [this] { btnStatOkClick(); };
}

void TCreationResultsWindow::FormCreate() {
  // The layout shows a real run until a run or simulation says otherwise.
  chkStatNormalSimulate.SetChecked(true);
  for (ui::ListBox* list : lists_) list->SetHorizontalExtent(3000);
  ApplyNormalSimulateTitle();  // as the main window's activation would
}

void TCreationResultsWindow::SetRunMode(bool run) {
  chkStatNormalSimulate.SetChecked(run);
  lblStatNormalSimulate.SetFontColor(kMaroon);
  lblStatNormalSimulate.SetText(run ? kRunTitle : kSimulationTitle);
}

void TCreationResultsWindow::ApplyNormalSimulateTitle() {
  lblStatNormalSimulate.SetFontColor(kMaroon);
  lblStatNormalSimulate.SetCentered(true);
  lblStatNormalSimulate.SetText(chkStatNormalSimulate.Checked() ? kRunTitle : kSimulationTitle);
}

void TCreationResultsWindow::SmartExport(ResultList which) {
  ui::ListBox& list = *lists_[which];
  ui::Button& button = *exports_[which];
  if (list.Count() == 0) {
    char caption[160];
    std::snprintf(caption, sizeof caption, "%s            Warning no: %04d.", row_.pageTitle,
                  row_.firstWarning + static_cast<int>(which));
    ui::App().MessageBox(kEmptyListTexts[which], caption, MB_ICONWARNING);
  } else {
    HandOverToExport(list.Items(), kExportKindFolders, ExportFilter::WithDrive);
  }
  button.SetFocus();
}

TfrmStatistic02::TfrmStatistic02()
    : TCreationResultsWindow({IDD_TFRMSTATISTIC02, "Creating Folder(s).-From a String List.", 410}) {}
TfrmStatistic03::TfrmStatistic03()
    : TCreationResultsWindow({IDD_TFRMSTATISTIC03, "Creating Folder(s).-Increased Numbers.", 415}) {}
TfrmStatistic04::TfrmStatistic04()
    : TCreationResultsWindow({IDD_TFRMSTATISTIC04, "Creating Folder(s).-From a Folder List.", 420}) {}
