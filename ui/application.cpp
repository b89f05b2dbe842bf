#include "ui/application.h"

#include "ui/form.h"
#include "ui/seam.h"

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <exception>

namespace ui {

namespace {
Application g_app;

int RealRunModal(Form& form) {
  Application& app = App();
  MSG msg;
  while (form.ModalResult() == 0 && !app.Terminated()) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT: let the outer loop see it too
      app.Terminate();
      break;
    }
    if (got < 0) break;
    app.Dispatch(msg);
  }
  return form.ModalResult() ? form.ModalResult() : IDCANCEL;
}
// Ctrl+Tab and Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp
// to the previous one.
bool SwitchesPage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000)) return false;
  return msg.wParam == VK_TAB || msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR;
}
bool SwitchesForward(const MSG& msg) {
  if (msg.wParam == VK_TAB) return !(GetKeyState(VK_SHIFT) & 0x8000);
  return msg.wParam == VK_NEXT;
}
} // namespace

Application& App() { return g_app; }

void Application::Initialize(HINSTANCE instance) {
  instance_ = instance ? instance : GetModuleHandleA(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                           ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                           ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the shell's folder picker needs it
  SetRealRunModal(&RealRunModal);
  terminated_ = false;
}

void Application::Adopt(Form* form, FormBuild build) {
  forms_.push_back(form);
  if (!main_) main_ = form;
  if (form != main_ && build == FormBuild::AfterMainShows) {
    form->BuildLater(main_->Handle());
    waiting_.push_back(form);
    return;
  }
  form->Create(form == main_ ? nullptr : main_->Handle());
}

bool Application::BuildNextWaitingForm() {
  while (nextWaiting_ < waiting_.size()) {
    Form* form = waiting_[nextWaiting_++];
    if (!form->Waiting()) continue;
    form->BuildQueued();
    return true;
  }
  waiting_.clear();
  nextWaiting_ = 0;
  return false;
}

bool Application::BuildNextWaitingSheet() {
  for (Form* form : forms_)
    if (form->BuildNextWaitingSheet()) return true;
  return false;
}

void Application::BuildWaitingForms() {
  while (BuildNextWaitingForm()) {
  }
}

bool Application::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
  HWND target = msg.hwnd;
  Control* control = Control::FromHandle(target);
  if (!control && target) control = Control::FromHandle(GetParent(target));  // combo's edit
  if (msg.message == WM_KEYDOWN) {
    if (msg.wParam != VK_RETURN || !control || !control->OnKeyPress) return false;
    char key = 13;
    SafeCall([&] { control->OnKeyPress(key); });
    if (key == 0) return true;  // handled: no beep, no default button
    skipReturnChar_ = true;     // the handler has seen this Enter already
    return false;
  }
  if (msg.wParam == 13 && skipReturnChar_) {
    skipReturnChar_ = false;
    return false;
  }
  if (!control || !control->OnKeyPress) return false;
  char key = static_cast<char>(msg.wParam);
  SafeCall([&] { control->OnKeyPress(key); });
  if (key == 0) return true;
  msg.wParam = static_cast<unsigned char>(key);
  return false;
}

void Application::Dispatch(MSG& msg) {
  if (PreTranslate(msg)) return;
  // Keyboard navigation and accelerators of the form that owns the window.
  HWND top = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (top) {
    for (Form* form : forms_) {
      if (form->BuiltHandle() != top) continue;
      if (SwitchesPage(msg) && form->SwitchPage(SwitchesForward(msg))) return;
      if (form->Accelerators() && TranslateAcceleratorA(top, form->Accelerators(), &msg)) return;
      if (IsDialogMessageA(top, &msg)) return;
      break;
    }
  }
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Application::Run() {
  if (main_) main_->Show();
  MSG msg;
  bool idleWork = true;
  while (!terminated_) {
    // The queued forms, then the sheets not shown yet, are built one at a time
    // while no message waits, so the main window answers at once. (A page's
    // start-up may touch its results window: with the forms built first, no
    // page's build waits for all of them.)
    if (idleWork && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      idleWork = BuildNextWaitingForm() || BuildNextWaitingSheet();
      continue;
    }
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) break;
    Dispatch(msg);
  }
  terminated_ = true;
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      break;
    }
    Dispatch(msg);
  }
}

void Application::Terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

void Application::DestroyForms() {
  // Every FormDestroy runs while all windows still exist, then they go.
  for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) (*it)->FireDestroy();
  waiting_.clear();
  nextWaiting_ = 0;
  std::vector<Form*> forms;
  forms.swap(forms_);
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) (*it)->DestroyHandle();
  for (auto& clear : formRefs_) clear();
  formRefs_.clear();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) delete *it;
  main_ = nullptr;
  active_ = nullptr;
}

HWND Application::ActiveWindowHandle() const {
  if (active_ && active_->Visible()) return active_->Handle();
  if (main_) return main_->Handle();
  return nullptr;
}

int Application::MessageBox(const std::string& text, const std::string& caption,
                            unsigned flags) {
  return seam().MessageBox(ActiveWindowHandle(), BoxOwner::Window, text, caption, flags);
}

int Application::SystemMessageBox(const std::string& text, const std::string& caption,
                                  unsigned flags) {
  return seam().MessageBox(nullptr, BoxOwner::None, text, caption, flags);
}

void Application::ShowException(const std::string& message) {
  std::string text = message;
  if (!text.empty() && text.back() != '.') text += '.';
  MessageBox(text, Title, MB_OK | MB_ICONSTOP);
}

void Application::SafeCall(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("");
  }
}

void Application::SetHintHidePause(int milliseconds) {
  hintHidePause_ = milliseconds;
  for (Form* form : forms_) form->ApplyHintHidePause();
}

void Application::FormActivated(Form* form) {
  if (form == active_) return;  // back from a message box or another program
  active_ = form;
  form->FireActivate();
}

void Application::FormGone(Form* form) {
  if (active_ == form) active_ = nullptr;
}

} // namespace ui
