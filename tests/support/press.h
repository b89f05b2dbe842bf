// Presses controls only as a user could: a control that is disabled or hidden,
// or that sits on a disabled or hidden sheet or window, cannot be pressed, and
// trying is a test failure (the press does not happen).
#pragma once
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace testsupport {

// True when a user could reach the control: it and every window above it are visible and enabled.
inline bool Reachable(HWND window) {
  for (HWND h = window; h; h = GetAncestor(h, GA_PARENT)) {
    if (h == GetDesktopWindow()) break;
    if (!IsWindowEnabled(h)) return false;
    if (!(GetWindowLongPtrA(h, GWL_STYLE) & WS_VISIBLE)) return false;
  }
  return window != nullptr;
}
inline bool Reachable(const ui::Control& control) { return Reachable(control.Handle()); }
// Reachable, and a test failure naming what was tried when not.
inline bool CanReach(HWND window, const char* tried, const std::string& name = "") {
  const bool reachable = Reachable(window);
  EXPECT_TRUE(reachable) << tried << " a user cannot reach: " << name;
  return reachable;
}

// Clicks a button of a window the program does not wrap (a system dialog's own
// or added controls), under the same rule.
inline bool ClickWindow(HWND button) {
  if (!CanReach(button, "clicked a window")) return false;
  SendMessageA(button, BM_CLICK, 0, 0);
  return true;
}

// Clicks a button as a user would: focus first (so the field being left runs
// its Exit), then the click.
inline bool Press(ui::Button& button) {
  if (!CanReach(button.Handle(), "pressed a button", button.Text())) return false;
  button.SetFocus();
  button.Click();
  return true;
}

// Ticks or clears a check box as a user's click would.
inline bool Tick(ui::CheckBox& box, bool checked) {
  if (!CanReach(box.Handle(), "clicked a check box", box.Text())) return false;
  box.SetFocus();
  box.SetChecked(checked);
  return true;
}

// Chooses a radio button as a user's click would.
inline bool Choose(ui::RadioButton& radio) {
  if (!CanReach(radio.Handle(), "chose a radio button", radio.Text())) return false;
  radio.SetFocus();
  radio.SetChecked(true);
  return true;
}

// Clicks a label that reacts to clicks (a link) with the mouse, at its middle.
inline bool ClickLabel(ui::Control& label) {
  if (!CanReach(label.Handle(), "clicked a label", label.Text())) return false;
  RECT r;
  GetClientRect(label.Handle(), &r);
  LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
  SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(label.Handle(), WM_LBUTTONUP, 0, at);
  return true;
}

// Types a text into a field as a user would (the field must be reachable); the
// field's own SetText runs, so its Change event fires as typing fires it.
template <class Field> bool Type(Field& field, const std::string& text) {
  if (!CanReach(field.Handle(), "typed into a field")) return false;
  field.SetFocus();
  field.SetText(text);
  return true;
}

} // namespace testsupport
