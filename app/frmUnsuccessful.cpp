#include "app/frmUnsuccessful.h"

TForcedUnSuccessFullForm* ForcedUnSuccessFullForm = nullptr;
TSubFolderUnSuccessFullForm* SubFolderUnSuccessFullForm = nullptr;

namespace {
// Paths can be long: let both lists scroll sideways.
constexpr int kListExtent = 3000;

// Both lists grow, each by half of the growth in height; OK stays centred.
const ui::Anchors kUpperList{0, 0, 100, 50}, kLowerLabel{0, 50, 0, 50}, kLowerList{0, 50, 100, 100};
const ui::AnchorRule kForcedFailureAnchors[] = {
    {IDC_LSTFORCEDUNSUCCESSFULLEXIST, kUpperList},
    {IDC_LBLFORCEDOTHER, kLowerLabel},
    {IDC_LSTFORCEDUNSUCCESSFULLOTHER, kLowerList},
    {IDC_BTNFORCEDUNSUCCESSFULLOK, ui::kStayCentreBottom},
};
const ui::AnchorRule kSubFolderFailureAnchors[] = {
    {IDC_LSTSUBFOLDERUNSUCCESSFULLEXIST, kUpperList},
    {IDC_LBLSUBFOLDEROTHER, kLowerLabel},
    {IDC_LSTSUBFOLDERUNSUCCESSFULLOTHER, kLowerList},
    {IDC_BTNSUBFOLDERUNSUCCESSFULLOK, ui::kStayCentreBottom},
};
} // namespace

TForcedUnSuccessFullForm::TForcedUnSuccessFullForm() : ui::Form(IDD_FORCEDUNSUCCESSFULLFORM) {
  btnForcedUnSuccessFullOk.ModalResult = IDOK;
  SetAnchors(kForcedFailureAnchors);
  OnCreate = [this] {
    lstForcedUnSuccessFullExist.SetHorizontalExtent(kListExtent);
    lstForcedUnSuccessFullOther.SetHorizontalExtent(kListExtent);
  };
}

TSubFolderUnSuccessFullForm::TSubFolderUnSuccessFullForm()
    : ui::Form(IDD_SUBFOLDERUNSUCCESSFULLFORM) {
  btnSubFolderUnSuccessFullOk.ModalResult = IDOK;
  SetAnchors(kSubFolderFailureAnchors);
  OnCreate = [this] { FormCreate(); };
}

void TSubFolderUnSuccessFullForm::FormCreate() {
  lstSubFolderUnSuccessFullExist.Clear();
  lstSubFolderUnSuccessFullOther.Clear();
  lstSubFolderUnSuccessFullExist.SetHorizontalExtent(kListExtent);
  lstSubFolderUnSuccessFullOther.SetHorizontalExtent(kListExtent);
}
