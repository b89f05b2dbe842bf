#include "listwin/list_page.h"

#include <windows.h>

CommandLock::CommandLock(ui::Form& form) {
  // The form's own children only: a disabled sheet or group covers what it holds.
  for (HWND child = GetWindow(form.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowEnabled(child)) disabled_.push_back(child);
  for (HWND h : disabled_) EnableWindow(h, FALSE);
}

CommandLock::~CommandLock() {
  for (HWND h : disabled_)
    if (IsWindow(h)) EnableWindow(h, TRUE);
}
