#include "app/frmUnsuccessful.h"

TForcedUnSuccessFullForm* ForcedUnSuccessFullForm = nullptr;
TSubFolderUnSuccessFullForm* SubFolderUnSuccessFullForm = nullptr;

namespace {
// Paths can be long: let both lists scroll sideways.
constexpr int kListExtent = 3000;
} // namespace

TForcedUnSuccessFullForm::TForcedUnSuccessFullForm() : ui::Form(IDD_FORCEDUNSUCCESSFULLFORM) {
  btnForcedUnSuccessFullOk.ModalResult = IDOK;
  OnCreate = [this] {
    lstForcedUnSuccessFullExist.SetHorizontalExtent(kListExtent);
    lstForcedUnSuccessFullOther.SetHorizontalExtent(kListExtent);
  };
}

TSubFolderUnSuccessFullForm::TSubFolderUnSuccessFullForm()
    : ui::Form(IDD_SUBFOLDERUNSUCCESSFULLFORM) {
  btnSubFolderUnSuccessFullOk.ModalResult = IDOK;
  OnCreate = [this] { FormCreate(); };
}

void TSubFolderUnSuccessFullForm::FormCreate() {
  lstSubFolderUnSuccessFullExist.Clear();
  lstSubFolderUnSuccessFullOther.Clear();
  lstSubFolderUnSuccessFullExist.SetHorizontalExtent(kListExtent);
  lstSubFolderUnSuccessFullOther.SetHorizontalExtent(kListExtent);
}
