// The two small windows that list what a manual-page run could not create:
// folders that already existed and folders that failed for other reasons.
#pragma once
#include "forms/TForcedUnSuccessFullForm.h"
#include "forms/TSubFolderUnSuccessFullForm.h"
#include "ui/controls.h"

// Failure list of the upper panel (full paths).
class TForcedUnSuccessFullForm : public ui::Form {
public:
  TForcedUnSuccessFullForm();

  ui::ListBox lstForcedUnSuccessFullExist{this, IDC_LSTFORCEDUNSUCCESSFULLEXIST};
  ui::ListBox lstForcedUnSuccessFullOther{this, IDC_LSTFORCEDUNSUCCESSFULLOTHER};
  ui::Button btnForcedUnSuccessFullOk{this, IDC_BTNFORCEDUNSUCCESSFULLOK};
};

// Failure list of the lower panel (destination folder and subfolders).
class TSubFolderUnSuccessFullForm : public ui::Form {
public:
  TSubFolderUnSuccessFullForm();

  ui::ListBox lstSubFolderUnSuccessFullExist{this, IDC_LSTSUBFOLDERUNSUCCESSFULLEXIST};
  ui::ListBox lstSubFolderUnSuccessFullOther{this, IDC_LSTSUBFOLDERUNSUCCESSFULLOTHER};
  ui::Button btnSubFolderUnSuccessFullOk{this, IDC_BTNSUBFOLDERUNSUCCESSFULLOK};

  void FormCreate();
};

extern TForcedUnSuccessFullForm* ForcedUnSuccessFullForm;
extern TSubFolderUnSuccessFullForm* SubFolderUnSuccessFullForm;
