#include "ui/pages.h"

#include "ui/application.h"
#include "ui/layout.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {
// Reads a dialog layout (resource) without building it: its caption and the
// ids of its controls. Both the extended and the classic layout are read.
class LayoutReader {
public:
  LayoutReader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  bool Ok() const { return ok_; }
  WORD Word() { return Take<WORD>(); }
  DWORD Dword() { return Take<DWORD>(); }
  void Skip(size_t bytes) {
    if (Need(bytes)) at_ += bytes;
  }
  void AlignToDword() { at_ = (at_ + 3) & ~size_t(3); }
  // A name or number field: 0 (none), 0xFFFF and a number, or a text.
  void SkipNameOrNumber() {
    const WORD first = Word();
    if (first == 0xFFFF) Word();
    else if (first != 0) SkipText();
  }
  void SkipText() { Text(); }
  std::wstring Text() {
    std::wstring text;
    for (WORD c = Word(); ok_ && c != 0; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }

private:
  bool Need(size_t bytes) {
    if (at_ + bytes > size_) ok_ = false;
    return ok_;
  }
  template <class T> T Take() {
    T value{};
    if (Need(sizeof value)) {
      CopyMemory(&value, data_ + at_, sizeof value);
      at_ += sizeof value;
    }
    return value;
  }
  const BYTE* data_;
  size_t size_;
  size_t at_ = 0;
  bool ok_ = true;
};

bool ReadSheetLayout(int dialogId, std::string& caption, std::vector<int>& ids) {
  HINSTANCE instance = App().Instance();
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(5));  // RT_DIALOG
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (!data) return false;
  LayoutReader r(data, SizeofResource(instance, found));
  const bool extended = r.Word() == 1 && r.Word() == 0xFFFF;
  DWORD style = 0;
  if (extended) {
    r.Dword();  // help id
    r.Dword();  // extended style
    style = r.Dword();
  } else {
    r = LayoutReader(data, SizeofResource(instance, found));
    style = r.Dword();
    r.Dword();  // extended style
  }
  const WORD count = r.Word();
  r.Skip(4 * sizeof(short));  // place and size
  r.SkipNameOrNumber();       // menu
  r.SkipNameOrNumber();       // window class
  const std::wstring title = r.Text();
  if (style & DS_SETFONT) {
    r.Word();  // point size
    if (extended) {
      r.Word();  // weight
      r.Skip(2);  // italic, character set
    }
    r.SkipText();  // typeface
  }
  ids.clear();
  for (WORD i = 0; i < count && r.Ok(); ++i) {
    r.AlignToDword();
    int id = 0;
    if (extended) {
      r.Skip(3 * sizeof(DWORD) + 4 * sizeof(short));  // help id, styles, place and size
      id = static_cast<int>(r.Dword());
    } else {
      r.Skip(2 * sizeof(DWORD) + 4 * sizeof(short));
      id = static_cast<short>(r.Word());
    }
    r.SkipNameOrNumber();  // class
    r.SkipNameOrNumber();  // text
    r.Skip(r.Word());      // creation data
    if (r.Ok()) ids.push_back(id);
  }
  caption.clear();
  if (!title.empty()) {
    const int n = WideCharToMultiByte(CP_ACP, 0, title.data(), static_cast<int>(title.size()), nullptr, 0,
                                      nullptr, nullptr);
    caption.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, title.data(), static_cast<int>(title.size()), &caption[0], n, nullptr,
                        nullptr);
  }
  return r.Ok();
}

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
  created_ = true;
  RebuildTabs();  // the tab strip first: the sheets fill what it leaves
  // No sheet is built yet: the form takes its size first, then the sheet it
  // shows is built at that size (ShowFirstPage).
}

void PageControl::ShowFirstPage() {
  // The layout's first sheet is the active one until told otherwise.
  if (!active_ && !sheets_.empty()) SetActivePage(sheets_.front());
}

void PageControl::BuildSheet(TabSheet* sheet) {
  if (!sheet || sheet->Built()) return;
  form_->Build();
  if (!created_ || !form_->BuiltHandle() || sheet->Built()) return;
  sheet->Create(form_, GetParent(hwnd_));
  form_->SheetBuilt(sheet->BuiltHandle());
  PlaceSheet(sheet);
  sheet->RunWhenBuilt();
}

bool PageControl::BuildNextWaitingSheet() {
  if (!created_ || !form_->BuiltHandle()) return false;
  for (TabSheet* sheet : sheets_) {
    if (sheet->Built()) continue;
    BuildSheet(sheet);
    return true;
  }
  return false;
}

TabSheet* PageControl::WaitingSheetHolding(int id) const {
  for (TabSheet* sheet : sheets_)
    if (!sheet->Built() && sheet->Holds(id)) return sheet;
  return nullptr;
}

void PageControl::PlaceSheets() {
  if (!created_) return;
  for (TabSheet* sheet : sheets_)
    if (sheet->Built()) PlaceSheet(sheet);
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
  BuildSheet(sheet);  // a sheet is whole before it shows
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

bool PageControl::Paint() {
  // The sheet in view covers all of the tab control but its strip and the
  // edges of its pane. Drawn whole, the themed pane costs its full area (under
  // Wine, tens of milliseconds at every paint), covered or not; so the control
  // draws only the parts that show, one by one, each clipped to its part.
  TabSheet* sheet = active_;
  if (!sheet || !sheet->Built() || !IsWindowVisible(sheet->BuiltHandle())) return false;
  RECT client{}, cover{};
  GetClientRect(hwnd_, &client);
  GetWindowRect(sheet->BuiltHandle(), &cover);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&cover), 2);
  if (!IntersectRect(&cover, &cover, &client)) return false;
  const RECT parts[4] = {{client.left, client.top, client.right, cover.top},
                         {client.left, cover.bottom, client.right, client.bottom},
                         {client.left, cover.top, cover.left, cover.bottom},
                         {cover.right, cover.top, client.right, cover.bottom}};
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  for (const RECT& part : parts) {
    RECT shown{};
    if (!IntersectRect(&shown, &part, &ps.rcPaint)) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, shown.left, shown.top, shown.right, shown.bottom);
    SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    RestoreDC(dc, saved);
  }
  EndPaint(hwnd_, &ps);
  return true;
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

void TabSheet::Build() const { pages_.BuildSheet(const_cast<TabSheet*>(this)); }

void TabSheet::ReadLayout() const {
  if (layoutRead_) return;
  layoutRead_ = true;
  if (!ReadSheetLayout(dialogId_, caption_, ids_))
    throw std::runtime_error("Cannot read sheet layout " + std::to_string(dialogId_));
}

const std::string& TabSheet::Caption() const {
  ReadLayout();
  return caption_;
}

bool TabSheet::Holds(int id) const {
  ReadLayout();
  return std::find(ids_.begin(), ids_.end(), id) != ids_.end();
}

void TabSheet::WhenBuilt(std::function<void()> fn) {
  if (Built())
    App().SafeCall(fn);
  else
    whenBuilt_.push_back(std::move(fn));
}

void TabSheet::RunWhenBuilt() {
  std::vector<std::function<void()>> work;
  work.swap(whenBuilt_);
  for (auto& fn : work) App().SafeCall(fn);
}

void TabSheet::Create(Form* form, HWND parent) {
  form_ = form;
  hwnd_ = CreateDialogParamA(App().Instance(), MAKEINTRESOURCEA(dialogId_), parent, SheetProc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) throw std::runtime_error("Cannot create sheet from layout " + std::to_string(dialogId_));
  // The layout's caption names the tab; the sheet itself has no title bar.
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  SetWindowLongA(hwnd_, GWL_STYLE, (style & ~(WS_CAPTION | WS_POPUP)) | WS_CHILD);
  SetWindowLongA(hwnd_, GWL_EXSTYLE, GetWindowLongA(hwnd_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  ShowWindow(hwnd_, SW_HIDE);
  layout_.Attach(hwnd_);  // the sheet's layout as designed
  // What was asked of the sheet before it was built.
  if (!enabled_) EnableWindow(hwnd_, FALSE);
  if (!hint_.empty()) SetHint(hint_);
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

bool TabSheet::Enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : enabled_; }
void TabSheet::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd_) EnableWindow(hwnd_, enabled);
}
bool TabSheet::Visible() const { return hwnd_ && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE); }

} // namespace ui
