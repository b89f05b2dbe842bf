// The level summary window: how many subfolders lie on each level below a
// scanned folder, with its folder and file counts and total size.
#pragma once
#include "forms/TfrmLevelSummFolder.h"
#include "ui/controls.h"

namespace core {
class FolderStructSize;
}

class TfrmLevelSummFolder : public ui::Form {
public:
  TfrmLevelSummFolder();

  ui::Label lblLevelSummFolderName{this, IDC_LBLLEVELSUMMFOLDERNAME};
  ui::Label lblLevelSummFolderSum{this, IDC_LBLLEVELSUMMFOLDERSUM};
  ui::Label lblLevelSummFileSum{this, IDC_LBLLEVELSUMMFILESUM};
  ui::Label lblLevelSummFileSize{this, IDC_LBLLEVELSUMMFILESIZE};
  ui::ListView lstViewLevelSummFolder{this, IDC_LSTVIEWLEVELSUMMFOLDER};
  ui::Button btnLevelSummClose{this, IDC_BTNLEVELSUMMCLOSE};
};

extern TfrmLevelSummFolder* frmLevelSummFolder;

// Fill the window from a scanner that has run and show it modally; the caller
// goes on when it is closed. ShowLevelSummary shows the selected-file count and
// bytes (for a selected-file walk), ShowLevelSummaryAllFiles those of all files.
void ShowLevelSummary(const core::FolderStructSize& scan);
void ShowLevelSummaryAllFiles(const core::FolderStructSize& scan);
