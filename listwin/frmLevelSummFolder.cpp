#include "listwin/frmLevelSummFolder.h"

#include "core/folder_scan.h"
#include "core/level_summary.h"

#include <commctrl.h>

TfrmLevelSummFolder* frmLevelSummFolder = nullptr;

namespace {
// The list grows with the window, the folder name widens, Close stays centred.
const ui::AnchorRule kLevelSummaryAnchors[] = {
    {IDC_LBLLEVELSUMMFOLDERNAME, ui::kGrowWide},
    {IDC_LBLLEVELSUMMFILESIZE, ui::kGrowWide},
    {IDC_LSTVIEWLEVELSUMMFOLDER, ui::kGrowAll},
    {IDC_BTNLEVELSUMMCLOSE, ui::kStayCentreBottom},
};
} // namespace

TfrmLevelSummFolder::TfrmLevelSummFolder() : ui::Form(IDD_FRMLEVELSUMMFOLDER) {
  btnLevelSummClose.ModalResult = IDOK;
  SetAnchors(kLevelSummaryAnchors);
  OnCreate = [this] {
    SendMessageA(lstViewLevelSummFolder.Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    lstViewLevelSummFolder.AddColumn("Level Number", 110);
    lstViewLevelSummFolder.AddColumn("Number of Subfolders", 150);
    lstViewLevelSummFolder.SetHint(
        "Display a Number of Subfolder Levels and a Number of Subfolder on those Levels of the "
        "specified Folder.");
  };
}

namespace {
void FillAndShow(const core::FolderStructSize& scan, bool selectedFiles) {
  TfrmLevelSummFolder& f = *frmLevelSummFolder;
  core::LevelSummary summary = core::SummarizeLevels(scan, selectedFiles);
  f.lstViewLevelSummFolder.Clear();
  f.lblLevelSummFolderName.SetText(summary.root);
  for (const core::LevelSummaryRow& row : summary.rows)
    f.lstViewLevelSummFolder.AddItem({row.level, row.count});
  f.lblLevelSummFolderSum.SetText(summary.folderCount);
  f.lblLevelSummFileSum.SetText(summary.fileCount);
  f.lblLevelSummFileSize.SetText(summary.sizeText);
  f.ShowModal();
}
} // namespace

void ShowLevelSummary(const core::FolderStructSize& scan) { FillAndShow(scan, true); }
void ShowLevelSummaryAllFiles(const core::FolderStructSize& scan) { FillAndShow(scan, false); }
