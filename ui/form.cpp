#include "ui/form.h"

#include "ui/application.h"
#include "ui/menu.h"
#include "ui/pages.h"
#include "ui/seam.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>
#include <stdexcept>

namespace ui {

namespace {
// Every bound control window (and a combo box's own edit) is subclassed the
// classic way, with the control and the window's former procedure kept here:
// no window property is read per message (under Wine each property look-up is
// a server call, which made every message to a control cost a fraction of a
// millisecond). The procedure is a Unicode one: the native controls are, so a
// message passes it as the control takes it, and a list box's long entry is
// read back whole (a text message changed from one character set to the other
// on its way goes through a buffer of 512 characters).
struct Hooked {
  Control* control;
  WNDPROC previous;
  Form* form;
};
std::unordered_map<HWND, Hooked>& HookedWindows() {
  static std::unordered_map<HWND, Hooked> windows;
  return windows;
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& windows = HookedWindows();
  auto it = windows.find(hwnd);
  if (it == windows.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
  Hooked hooked = it->second;
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hooked.previous));
    windows.erase(it);
    return CallWindowProcW(hooked.previous, hwnd, msg, wParam, lParam);
  }
  Control* control = hooked.control;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST && !control->Hint().empty() &&
      control->Owner() && control->Owner()->TooltipHandle()) {
    MSG relay{hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageA(control->Owner()->TooltipHandle(), TTM_RELAYEVENT, 0,
                 reinterpret_cast<LPARAM>(&relay));
  }
  if (msg == WM_PAINT && !wParam && control->Paint()) return 0;
  LRESULT result = CallWindowProcW(hooked.previous, hwnd, msg, wParam, lParam);
  if (msg == WM_SETFOCUS && control->Owner()) control->Owner()->ControlFocused(control);
  return result;
}

std::string WindowText(HWND hwnd) {
  if (!hwnd) return std::string();
  int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int got = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}
} // namespace

// ---- Control -------------------------------------------------------------

Control::Control(Form* form, int id) : form_(form), id_(id) {
  if (form_) form_->Register(this);
}

Control* Control::FromHandle(HWND hwnd) {
  auto& windows = HookedWindows();
  auto it = hwnd ? windows.find(hwnd) : windows.end();
  return it == windows.end() ? nullptr : it->second.control;
}

void Control::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  if (!hwnd_) return;
  WatchFocus(hwnd_, this);
}

void WatchFocus(HWND hwnd, Control* control) {
  auto& windows = HookedWindows();
  if (windows.count(hwnd)) return;
  WNDPROC previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlProc)));
  windows[hwnd] = Hooked{control, previous, control->Owner()};
}

void Control::Fire(const std::function<void()>& handler) {
  if (handler) App().SafeCall(handler);
}

std::string Control::Text() const { return WindowText(Handle()); }

void Control::SetText(const std::string& text) {
  if (Text() == text) return;
  SetWindowTextA(hwnd_, text.c_str());
  TextChanged();
}

bool Control::Enabled() const { return Handle() && IsWindowEnabled(hwnd_); }
void Control::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }

bool Control::Visible() const {
  return Handle() && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}
void Control::SetVisible(bool visible) { ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }

void Control::SetFocus() {
  ::SetFocus(Handle());
  if (form_) form_->ControlFocused(this);  // also when the window is not on screen
}

bool Control::Focused() const {
  HWND focus = GetFocus();
  return focus && Handle() && (focus == hwnd_ || GetParent(focus) == hwnd_);
}

void Control::SetHint(const std::string& hint) {
  hint_ = hint;
  if (!hwnd_ || !form_ || !form_->TooltipHandle()) return;
  TOOLINFOA ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND;  // mouse messages are relayed by the control's procedure
  ti.hwnd = GetParent(hwnd_);
  ti.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  ti.lpszText = const_cast<char*>(hint_.c_str());
  SendMessageA(form_->TooltipHandle(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (!hint_.empty())
    SendMessageA(form_->TooltipHandle(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Control::SetFontColor(COLORREF color) {
  color_ = color;
  hasColor_ = true;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

// ---- Form ----------------------------------------------------------------

Form::Form(int dialogId) : dialogId_(dialogId) {}

Form::~Form() {
  App().FormGone(this);
  // The controls (members of the derived form) are gone already: their windows
  // get their own procedures back before the windows are destroyed.
  auto& windows = HookedWindows();
  for (auto it = windows.begin(); it != windows.end();) {
    if (it->second.form == this) {
      SetWindowLongPtrW(it->first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
      it = windows.erase(it);
    } else {
      ++it;
    }
  }
  if (hwnd_) DestroyWindow(hwnd_);
  if (menu_) DestroyMenu(menu_);
  if (accel_) DestroyAcceleratorTable(accel_);
}

void Form::BuildWaiting() const { App().BuildWaitingForms(); }

void Form::BuildControl(const Control& control) const {
  Build();
  if (control.Bound() || !hwnd_) return;
  for (PageControl* pages : pageControls_)
    if (TabSheet* sheet = pages->WaitingSheetHolding(control.Id())) {
      pages->BuildSheet(sheet);
      return;
    }
}

bool Form::BuildNextWaitingSheet() {
  if (!hwnd_) return false;
  for (PageControl* pages : pageControls_)
    if (pages->BuildNextWaitingSheet()) return true;
  return false;
}

void Form::BindControl(Control* control, HWND item) {
  control->Bind(item);
  if (!control->Hint().empty()) control->SetHint(control->Hint());
}

void Form::BindChildren(HWND container) {
  // One pass over the container's own windows: a look-up by id for each
  // control of the form would ask the system hundreds of times.
  std::unordered_map<int, HWND> items;
  for (HWND h = GetWindow(container, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    items.emplace(GetDlgCtrlID(h), h);  // the first of an id, as GetDlgItem finds it
  for (Control* control : controls_) {
    if (control->Bound()) continue;
    auto it = items.find(control->Id());
    if (it != items.end()) BindControl(control, it->second);
  }
}

void Form::SheetBuilt(HWND sheet) {
  AddChildDialog(sheet);
  BindChildren(sheet);
}

void Form::BuildQueued() {
  if (!waiting_ || hwnd_) return;
  waiting_ = false;
  Create(owner_);
}

void Form::Create(HWND owner) {
  hwnd_ = CreateDialogParamA(App().Instance(), MAKEINTRESOURCEA(dialogId_), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this));
  if (!hwnd_) throw std::runtime_error("Cannot create window from layout " + std::to_string(dialogId_));
  if (OnCreate) App().SafeCall(OnCreate);
}

void Form::BindControls() {
  tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                             hwnd_, nullptr, App().Instance(), nullptr);
  SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 600);
  ApplyHintHidePause();
  BindChildren(hwnd_);  // the form's own controls, page controls among them
  for (PageControl* pages : pageControls_) pages->CreateSheets();
  for (Control* control : controls_) {
    if (control->Bound()) continue;
    // A control of a sheet still to be built is bound when the sheet is.
    bool waits = false;
    for (PageControl* pages : pageControls_) waits = waits || pages->WaitingSheetHolding(control->Id());
    if (!waits)
      throw std::runtime_error("Layout " + std::to_string(dialogId_) + " has no item " +
                               std::to_string(control->Id()));
  }
  RebuildMenu();
  // The layout as designed (menu bar added) is the smallest the window gets.
  layout_.Attach(hwnd_);
  RECT window{};
  GetWindowRect(hwnd_, &window);
  minimum_ = SIZE{window.right - window.left, window.bottom - window.top};
}

void Form::SetAnchors(const AnchorRule* rules, size_t count) { layout_.SetRules(rules, count); }

void Form::FitToWorkArea(int clientWidthDlu, int clientHeightDlu) {
  Build();
  RECT client{0, 0, clientWidthDlu, clientHeightDlu};
  MapDialogRect(hwnd_, &client);
  AdjustWindowRectEx(&client, GetWindowLongA(hwnd_, GWL_STYLE), GetMenu(hwnd_) != nullptr,
                     GetWindowLongA(hwnd_, GWL_EXSTYLE));
  SIZE preferred{client.right - client.left, client.bottom - client.top};
  RECT r = OpeningBounds(minimum_, preferred, WorkAreaOf(hwnd_));
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::PlaceBeside(const Form& other, const std::vector<const Control*>& keepInSight) {
  Build();
  if (Visible() || !other.Handle()) return;
  RECT main{}, own{}, keep{};
  GetWindowRect(other.Handle(), &main);
  GetWindowRect(hwnd_, &own);
  // The controls to leave in sight, as they stand on the screen.
  for (const Control* c : keepInSight) {
    if (!c || !IsWindowVisible(c->Handle())) continue;
    RECT r{};
    GetWindowRect(c->Handle(), &r);
    UnionRect(&keep, &keep, &r);
  }
  RECT r = BesideBounds(main, SIZE{own.right - own.left, own.bottom - own.top},
                        WorkAreaOf(other.Handle()), &keep);
  SetWindowPos(hwnd_, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::PlaceCentredOn(const Form& other) {
  if (Visible() || !other.Handle()) return;
  RECT owner{}, own{};
  GetWindowRect(other.Handle(), &owner);
  GetWindowRect(hwnd_, &own);
  RECT r = CenteredBounds(owner, SIZE{own.right - own.left, own.bottom - own.top},
                          WorkAreaOf(other.Handle()));
  SetWindowPos(hwnd_, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::ShowBeside(const Form& other, const std::vector<const Control*>& keepInSight) {
  PlaceBeside(other, keepInSight);
  Show();
}

bool Form::SwitchPage(bool forward) {
  for (PageControl* pages : pageControls_) {
    if (!pages->Visible()) continue;
    pages->SelectNextPage(forward);
    return true;
  }
  return false;
}

void Form::ApplyHintHidePause() {
  if (tooltip_)
    SendMessageA(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP,
                 std::min(std::max(App().HintHidePause(), 0), 32767));
}

MenuItem* Form::FindMenuItem(int id) const {
  for (MenuItem* item : menuItems_)
    if (item->Id() == id) return item;
  return nullptr;
}

void Form::RebuildMenu() {
  if (!hwnd_ || menuItems_.empty()) return;
  std::function<HMENU(MenuItem*, bool)> build = [&](MenuItem* parent, bool bar) {
    HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
    for (MenuItem* item : menuItems_) {
      if (item->Parent() != parent || !item->Visible()) continue;
      bool hasChildren = std::any_of(menuItems_.begin(), menuItems_.end(),
                                     [&](MenuItem* m) { return m->Parent() == item; });
      UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED);
      if (item->Caption() == "-") {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
      } else if (hasChildren) {
        AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(build(item, false)),
                    item->Caption().c_str());
      } else {
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(item->Id()), item->Caption().c_str());
      }
    }
    return menu;
  };
  HMENU old = menu_;
  menu_ = build(nullptr, true);
  RECT client{};
  GetClientRect(hwnd_, &client);
  SetMenu(hwnd_, menu_);
  if (old) {
    DestroyMenu(old);
  } else {
    // The layout's size is the client area: the menu bar goes on top of it.
    RECT window{};
    GetWindowRect(hwnd_, &window);
    RECT wanted = client;
    AdjustWindowRectEx(&wanted, GetWindowLongA(hwnd_, GWL_STYLE), TRUE,
                       GetWindowLongA(hwnd_, GWL_EXSTYLE));
    SetWindowPos(hwnd_, nullptr, 0, 0, wanted.right - wanted.left, wanted.bottom - wanted.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  DrawMenuBar(hwnd_);

  std::vector<ACCEL> accels;
  for (MenuItem* item : menuItems_)
    if (item->Shortcut())
      accels.push_back(ACCEL{static_cast<BYTE>(FVIRTKEY | item->Modifiers()), item->Shortcut(),
                             static_cast<WORD>(item->Id())});
  if (accel_) DestroyAcceleratorTable(accel_);
  accel_ = accels.empty() ? nullptr
                          : CreateAcceleratorTableA(accels.data(), static_cast<int>(accels.size()));
}

std::string Form::Caption() const { return WindowText(Handle()); }
void Form::SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::Show() {
  Build();
  if (!Visible()) {
    for (PageControl* pages : pageControls_) pages->ShowFirstPage();
    ShowWindow(hwnd_, SW_SHOW);
    // The first input of the page in view has the focus, not the tab strip.
    for (PageControl* pages : pageControls_)
      if (pages->ActivePage()) pages->ActivePage()->FocusFirstInput();
    if (OnShow) App().SafeCall(OnShow);
  }
  SetActiveWindow(hwnd_);
  App().FormActivated(this);
}

void Form::Hide() {
  if (!Visible()) return;
  ShowWindow(hwnd_, SW_HIDE);
  if (OnHide) App().SafeCall(OnHide);
}

void Form::SetEnabled(bool enabled) { EnableWindow(Handle(), enabled); }

namespace {
struct DisableState {
  HWND keep;
  std::vector<HWND> disabled;
};
BOOL CALLBACK DisableOther(HWND hwnd, LPARAM data) {
  auto* state = reinterpret_cast<DisableState*>(data);
  if (hwnd != state->keep && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
    EnableWindow(hwnd, FALSE);
    state->disabled.push_back(hwnd);
  }
  return TRUE;
}
} // namespace

int Form::ShowModal() {
  Build();
  if (Visible() || modal_) throw std::runtime_error("Cannot make a visible window modal");
  Form* previous = App().ActiveForm();
  modal_ = true;
  modalResult_ = 0;
  DisableState state{hwnd_, {}};
  EnumThreadWindows(GetCurrentThreadId(), DisableOther, reinterpret_cast<LPARAM>(&state));
  if (App().MainForm() && App().MainForm() != this) PlaceCentredOn(*App().MainForm());
  Show();
  int result = seam().RunModal(*this);
  if (modalResult_ == 0) modalResult_ = result ? result : IDCANCEL;
  for (HWND hwnd : state.disabled) EnableWindow(hwnd, TRUE);
  Hide();
  modal_ = false;
  if (previous && previous != this && previous->Visible()) {
    SetActiveWindow(previous->Handle());
    App().FormActivated(previous);
  }
  return modalResult_;
}

void Form::Close() {
  if (modal_) {
    modalResult_ = IDCANCEL;
    return;
  }
  bool isMain = App().MainForm() == this;
  CloseAction action = isMain ? CloseAction::Free : CloseAction::Hide;
  if (OnClose) App().SafeCall([&] { OnClose(action); });
  if (action == CloseAction::None) return;
  Hide();
  if (isMain) App().Terminate();  // windows go after the loop, never inside a handler
}

void Form::DestroyHandle() {
  destroyed_ = true;
  waiting_ = false;  // never built now
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

void Form::ControlFocused(Control* control) {
  if (control == activeControl_ || destroyed_) return;
  Control* previous = activeControl_;
  activeControl_ = control;
  if (previous && previous->OnExit) App().SafeCall(previous->OnExit);
  if (control && control->OnEnter) App().SafeCall(control->OnEnter);
}

void Form::FireActivate() {
  if (OnActivate) App().SafeCall(OnActivate);
}

void Form::FireDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) App().SafeCall(OnDestroy);
}

INT_PTR Form::HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
  case WM_COMMAND: {
    if (lParam) {
      if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        control->Command(HIWORD(wParam));
        return TRUE;
      }
    } else if (MenuItem* item = FindMenuItem(LOWORD(wParam))) {
      item->Click();
      return TRUE;
    }
    // Escape does what the window says, else it closes a secondary window (a
    // modal one gives Cancel); the main window stays.
    if (LOWORD(wParam) == IDCANCEL && hwnd == hwnd_ && OnEscape) {
      App().SafeCall(OnEscape);
      return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL && hwnd == hwnd_ && App().MainForm() != this) {
      App().SafeCall([this] { Close(); });
      return TRUE;
    }
    return FALSE;
  }
  case WM_NOTIFY: {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (Control* control = Control::FromHandle(header->hwndFrom)) {
      bool handled = false;
      LRESULT result = control->Notify(header, handled);
      if (handled) {
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
        return TRUE;
      }
    }
    return FALSE;
  }
  case WM_CTLCOLORSTATIC: {
    Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam));
    if (!control || !control->HasFontColor()) return FALSE;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, control->FontColor());
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  }
  case WM_VSCROLL:
  case WM_HSCROLL:
    if (Control* control = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
      control->Scroll(LOWORD(wParam));
      return TRUE;
    }
    return FALSE;
  case WM_DRAWITEM: {
    auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    Control* control = Control::FromHandle(item->hwndItem);
    return control && control->DrawItem(item) ? TRUE : FALSE;
  }
  case WM_SIZE:
    if (hwnd == hwnd_ && wParam != SIZE_MINIMIZED) {
      layout_.Arrange();
      for (PageControl* pages : pageControls_) pages->PlaceSheets();
    }
    return FALSE;
  case WM_GETMINMAXINFO:
    if (hwnd == hwnd_ && minimum_.cx > 0) {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      info->ptMinTrackSize = POINT{minimum_.cx, minimum_.cy};
      return TRUE;
    }
    return FALSE;
  case WM_ACTIVATE:
    if (hwnd == hwnd_ && LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(hwnd_))
      App().FormActivated(this);
    return FALSE;
  case WM_CLOSE:
    if (hwnd == hwnd_) {
      App().SafeCall([this] { Close(); });
      return TRUE;
    }
    return FALSE;
  }
  return FALSE;
}

INT_PTR ForwardToForm(Form* form, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return form ? form->HandleMessage(hwnd, msg, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK Form::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    Form* form = reinterpret_cast<Form*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    form->hwnd_ = hwnd;
    form->BindControls();
    return TRUE;
  }
  Form* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!form) return FALSE;
  if (msg == WM_NCDESTROY) {
    form->hwnd_ = nullptr;
    return FALSE;
  }
  return form->HandleMessage(hwnd, msg, wParam, lParam);
}

} // namespace ui
