#include "ui/pages.h"

#include "ui/application.h"
#include "ui/layout.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {
INT_PTR CALLBACK SheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    return FALSE;
  }
  TabSheet* sheet = reinterpret_cast<TabSheet*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  Form* form = sheet ? sheet->Owner() : nullptr;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && sheet && !sheet->Hint().empty() && form &&
      form->TooltipHandle()) {
    MSG relay{hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageA(form->TooltipHandle(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
  }
  switch (msg) {
  case WM_SIZE:
    if (sheet) sheet->ArrangeControls();
    return FALSE;
  case WM_COMMAND:
  case WM_NOTIFY:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
  case WM_DRAWITEM:
  case WM_VSCROLL:
  case WM_HSCROLL:
    return ForwardToForm(form, hwnd, msg, wParam, lParam);
  }
  return FALSE;
}
} // namespace

// ---- PageControl ---------------------------------------------------------

PageControl::PageControl(Form* form, int id) : Control(form, id) { form->Register(this); }

void PageControl::CreateSheets() {
  for (TabSheet* sheet : sheets_) {
    sheet->Create(form_, GetParent(hwnd_));
    form_->AddChildDialog(sheet->Handle());
  }
  created_ = true;
  RebuildTabs();  // the tab strip first: the sheets fill what it leaves
  PlaceSheets();
  // The layout's first sheet is the active one until told otherwise.
  if (!sheets_.empty()) SetActivePage(sheets_.front());
}

void PageControl::PlaceSheets() {
  if (!created_) return;
  for (TabSheet* sheet : sheets_) PlaceSheet(sheet);
}

void PageControl::PlaceSheet(TabSheet* sheet) {
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&rc), 2);
  RECT display = rc;
  TabCtrl_AdjustRect(hwnd_, FALSE, &display);
  SetWindowPos(sheet->Handle(), HWND_TOP, display.left, display.top, display.right - display.left,
               display.bottom - display.top, SWP_NOACTIVATE | SWP_NOREDRAW);
  InvalidateRect(sheet->Handle(), nullptr, TRUE);
}

void PageControl::RebuildTabs() {
  if (!created_) return;
  TabCtrl_DeleteAllItems(hwnd_);
  int tab = 0, selected = -1;
  for (TabSheet* sheet : sheets_) {
    if (!sheet->TabVisible()) continue;
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(sheet->Caption().c_str());
    item.lParam = reinterpret_cast<LPARAM>(sheet);
    SendMessageA(hwnd_, TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
    if (sheet == active_) selected = tab;
    ++tab;
  }
  TabCtrl_SetCurSel(hwnd_, selected);
}

int PageControl::ActivePageIndex() const {
  auto it = std::find(sheets_.begin(), sheets_.end(), active_);
  return it == sheets_.end() ? -1 : static_cast<int>(it - sheets_.begin());
}

void PageControl::SetActivePage(TabSheet* sheet) {
  if (sheet == active_) return;
  TabSheet* previous = active_;
  active_ = sheet;
  if (previous) ShowWindow(previous->Handle(), SW_HIDE);
  int tab = -1, n = TabCtrl_GetItemCount(hwnd_);
  for (int i = 0; i < n; ++i) {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    TabCtrl_GetItem(hwnd_, i, &item);
    if (reinterpret_cast<TabSheet*>(item.lParam) == sheet) tab = i;
  }
  TabCtrl_SetCurSel(hwnd_, tab);
  if (sheet) {
    SetWindowPos(sheet->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (IsWindowVisible(hwnd_)) sheet->FocusFirstInput();
    if (sheet->OnShow) App().SafeCall(sheet->OnShow);
  }
}

void PageControl::SelectNextPage(bool forward) {
  int n = TabCtrl_GetItemCount(hwnd_);
  if (n <= 0) return;
  int tab = TabCtrl_GetCurSel(hwnd_);
  tab = tab < 0 ? 0 : (tab + (forward ? 1 : n - 1)) % n;
  TCITEMA item{};
  item.mask = TCIF_PARAM;
  if (!TabCtrl_GetItem(hwnd_, tab, &item)) return;
  SetActivePage(reinterpret_cast<TabSheet*>(item.lParam));
  Fire(OnChange);
}

std::vector<std::string> PageControl::TabCaptions() const {
  std::vector<std::string> captions;
  int n = TabCtrl_GetItemCount(hwnd_);
  for (int i = 0; i < n; ++i) {
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    TabCtrl_GetItem(hwnd_, i, &item);
    captions.push_back(reinterpret_cast<TabSheet*>(item.lParam)->Caption());
  }
  return captions;
}

void PageControl::MoveSheet(TabSheet* sheet, int index) {
  auto it = std::find(sheets_.begin(), sheets_.end(), sheet);
  if (it == sheets_.end()) return;
  sheets_.erase(it);
  index = std::max(0, std::min(index, static_cast<int>(sheets_.size())));
  sheets_.insert(sheets_.begin() + index, sheet);
  RebuildTabs();
}

LRESULT PageControl::Notify(NMHDR* header, bool& handled) {
  if (header->code == TCN_SELCHANGE) {
    int tab = TabCtrl_GetCurSel(hwnd_);
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    if (tab >= 0 && TabCtrl_GetItem(hwnd_, tab, &item)) {
      SetActivePage(reinterpret_cast<TabSheet*>(item.lParam));
      Fire(OnChange);
    }
  }
  return 0;
}

// ---- TabSheet ------------------------------------------------------------

TabSheet::TabSheet(PageControl& pages, int dialogId, bool tabVisible)
    : pages_(pages), dialogId_(dialogId), tabVisible_(tabVisible) {
  pages_.AddSheet(this);
}

void TabSheet::Create(Form* form, HWND parent) {
  form_ = form;
  hwnd_ = CreateDialogParamA(App().Instance(), MAKEINTRESOURCEA(dialogId_), parent, SheetProc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) throw std::runtime_error("Cannot create sheet from layout " + std::to_string(dialogId_));
  // The layout's caption names the tab; the sheet itself has no title bar.
  int length = GetWindowTextLengthA(hwnd_);
  caption_.assign(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(hwnd_, &caption_[0], length + 1);
  caption_.resize(static_cast<size_t>(length));
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  SetWindowLongA(hwnd_, GWL_STYLE, (style & ~(WS_CAPTION | WS_POPUP)) | WS_CHILD);
  SetWindowLongA(hwnd_, GWL_EXSTYLE, GetWindowLongA(hwnd_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  ShowWindow(hwnd_, SW_HIDE);
  layout_.Attach(hwnd_);  // the sheet's layout as designed
}

void TabSheet::FocusFirstInput() {
  if (!hwnd_ || !IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) return;
  HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (!first || !IsChild(hwnd_, first)) return;
  if (Control* control = Control::FromHandle(first))
    control->SetFocus();
  else
    ::SetFocus(first);
}

void TabSheet::SetTabVisible(bool visible) {
  if (tabVisible_ == visible) return;
  tabVisible_ = visible;
  pages_.RebuildTabs();
}

int TabSheet::PageIndex() const {
  for (int i = 0; i < pages_.PageCount(); ++i)
    if (pages_.Page(i) == this) return i;
  return -1;
}

void TabSheet::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!hwnd_ || !form_ || !form_->TooltipHandle()) return;
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND;  // mouse messages are relayed by the sheet
  ti.hwnd = GetParent(hwnd_);
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  ti.lpszText = const_cast<char*>(hint_.c_str());
  SendMessageA(form_->TooltipHandle(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (!hint_.empty())
    SendMessageA(form_->TooltipHandle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

bool TabSheet::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
void TabSheet::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
bool TabSheet::Visible() const { return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE); }

} // namespace ui
