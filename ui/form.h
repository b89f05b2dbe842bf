// Forms built from dialog resources, and the base of every control bound to a
// dialog item. Controls hold no state of their own beyond their handlers: the
// native control holds it, so what a test reads is what a user sees.
#pragma once
#include "ui/layout.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;
class PageControl;
class MenuItem;

class Control {
public:
  Control(Form* form, int id);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  // The control's window; asking for it finishes building a form whose window
  // waits to be built (see Form::BuildLater), or the sheet that holds the
  // control (see pages.h).
  HWND Handle() const;
  // Whether the control is bound to its window yet (nothing is built to know).
  bool Bound() const { return hwnd_ != nullptr; }
  int Id() const { return id_; }
  Form* Owner() const { return form_; }

  std::string Text() const;
  void SetText(const std::string& text);  // no-op when the text is unchanged
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetFocus();
  bool Focused() const;
  void SetHint(const std::string& hint);
  const std::string& Hint() const { return hint_; }

  // Text colour of labels, check boxes, radio buttons and (owner-drawn) buttons.
  void SetFontColor(COLORREF color);
  COLORREF FontColor() const { return color_; }
  bool HasFontColor() const { return hasColor_; }

  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  // Key typed into the control; setting the key to 0 swallows it (Enter is 13).
  std::function<void(char&)> OnKeyPress;

  // Window-layer internals.
  // Runs after the text was set from code (labels keep their hint in step).
  virtual void TextChanged() {}
  virtual void Bind(HWND hwnd);
  virtual void Command(int code) {}
  virtual LRESULT Notify(NMHDR* header, bool& handled) { return 0; }
  virtual bool DrawItem(DRAWITEMSTRUCT* item) { return false; }
  virtual void Scroll(int code) {}
  // Paints the control itself (WM_PAINT); false leaves it to the control.
  virtual bool Paint() { return false; }
  static Control* FromHandle(HWND hwnd);

protected:
  // Runs a handler through the application's exception guard.
  void Fire(const std::function<void()>& handler);

  Form* form_;
  int id_;
  HWND hwnd_ = nullptr;
  std::string hint_;
  COLORREF color_ = 0;
  bool hasColor_ = false;
};

enum class CloseAction { None, Hide, Free };

class Form {
public:
  explicit Form(int dialogId);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  // The window; asking for it finishes building the forms still waiting.
  HWND Handle() const {
    Build();
    return hwnd_;
  }
  // The window if it is built, without building it.
  HWND BuiltHandle() const { return hwnd_; }
  // A form other than the main one may have its window built after the main
  // window shows: it is queued at start-up (object and place in the order
  // kept) and built in idle time, or, with every form queued before it, the
  // moment anything asks for its window or a control's (the application does
  // both). Whatever asks sees it exactly as if it had been built at start-up.
  void Build() const {
    if (waiting_ && !hwnd_) BuildWaiting();
  }
  bool Waiting() const { return waiting_ && !hwnd_; }
  std::string Caption() const;
  void SetCaption(const std::string& caption);

  void Show();
  void Hide();
  bool Visible() const;
  // Shows the form modally; returns its modal result (OK 1, Cancel 2).
  int ShowModal();
  bool Modal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  // Closes as the title bar's close button does.
  void Close();
  void SetEnabled(bool enabled);

  // Which edges of each control follow the window as it grows (see layout.h);
  // declared once per form, in a table next to it. The form becomes resizable
  // down to its designed size.
  void SetAnchors(const AnchorRule* rules, size_t count);
  template <size_t N> void SetAnchors(const AnchorRule (&rules)[N]) { SetAnchors(rules, N); }
  // The smallest size of the window (its designed size), frame included.
  SIZE MinimumSize() const {
    Build();
    return minimum_;
  }
  // Gives the window its preferred client size in dialog units, no larger than
  // the work area it is on, and places it at the left of that work area.
  void FitToWorkArea(int clientWidthDlu, int clientHeightDlu);
  // Places the hidden window beside another (to its right when there is room,
  // else at the right edge of the work area); a visible one stays where it is.
  // keepInSight: controls of the other window to leave in sight where the
  // screen has room (ui::BesideBounds).
  void PlaceBeside(const Form& other, const std::vector<const Control*>& keepInSight = {});
  // PlaceBeside, then Show (not modal).
  void ShowBeside(const Form& other, const std::vector<const Control*>& keepInSight = {});
  // Centres the hidden window on another, inside the work area, as Windows
  // places an owned dialog; ShowModal does this with the main window.
  void PlaceCentredOn(const Form& other);
  // Switches to the next (or previous) page of the form's page control, as
  // Ctrl+Tab and Ctrl+Shift+Tab do; false when the form has no page control.
  bool SwitchPage(bool forward);

  Control* ActiveControl() const { return activeControl_; }
  bool ShowHint = true;

  std::function<void()> OnCreate;
  std::function<void()> OnShow;
  std::function<void()> OnHide;
  std::function<void()> OnActivate;
  std::function<void(CloseAction&)> OnClose;
  std::function<void()> OnDestroy;
  // Escape pressed in the window. Set, it is what Escape does there; unset,
  // Escape closes a secondary window and does nothing in the main one.
  std::function<void()> OnEscape;

  // Window-layer internals.
  void Create(HWND owner);
  // Queues the window to be built later, owned by owner.
  void BuildLater(HWND owner) {
    waiting_ = true;
    owner_ = owner;
  }
  // Builds the queued window now (the application's queue calls this).
  void BuildQueued();
  // Builds what the control needs to be bound: the form's window, then the
  // sheet whose layout holds it.
  void BuildControl(const Control& control) const;
  // Binds the controls a newly built sheet holds.
  void SheetBuilt(HWND sheet);
  // Builds the next sheet of a page control still to be built; false when none waits.
  bool BuildNextWaitingSheet();
  void Register(Control* control) { controls_.push_back(control); }
  void Register(PageControl* pages) { pageControls_.push_back(pages); }
  void Register(MenuItem* item) { menuItems_.push_back(item); }
  void RebuildMenu();
  void ControlFocused(Control* control);
  void FireActivate();
  void FireDestroy();
  void DestroyHandle();
  INT_PTR HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND TooltipHandle() const { return tooltip_; }
  void ApplyHintHidePause();
  HACCEL Accelerators() const { return accel_; }
  const std::vector<HWND>& ChildDialogs() const { return childDialogs_; }
  void AddChildDialog(HWND hwnd) { childDialogs_.push_back(hwnd); }

private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void BindControls();
  void BindControl(Control* control, HWND item);
  // Binds the controls not bound yet whose windows are the container's own.
  void BindChildren(HWND container);
  MenuItem* FindMenuItem(int id) const;

  void BuildWaiting() const;

  int dialogId_;
  HWND hwnd_ = nullptr;
  bool waiting_ = false;
  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;
  HMENU menu_ = nullptr;
  HACCEL accel_ = nullptr;
  std::vector<Control*> controls_;
  std::vector<PageControl*> pageControls_;
  std::vector<MenuItem*> menuItems_;
  std::vector<HWND> childDialogs_;
  Layout layout_;
  SIZE minimum_{0, 0};
  Control* activeControl_ = nullptr;
  bool modal_ = false;
  int modalResult_ = 0;
  bool destroyed_ = false;
};

inline HWND Control::Handle() const {
  if (!hwnd_ && form_) form_->BuildControl(*this);
  return hwnd_;
}

// Reports the window's focus to the control (a control's inner windows).
void WatchFocus(HWND hwnd, Control* control);

// Handles a message of a dialog that belongs to a form (its own or a sheet's).
INT_PTR ForwardToForm(Form* form, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace ui
