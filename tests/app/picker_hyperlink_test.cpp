// The real folder picker, driven from a timer in its own loop, and the hyperlink labels.
#include "support/press.h"
#include "ui/folder_picker.h"
#include "ui/hyperlink.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

bool HasVisibleStyle(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

struct TestWindow {
  HWND parent = nullptr;
  TestWindow() {
    parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 10, 10, 300, 200,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  ~TestWindow() {
    if (IsWindow(parent)) DestroyWindow(parent);
  }
  HWND Child(const char* cls, const char* text, DWORD style, int y) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 5, y, 200, 20, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  }
};

TEST(Hyperlink, ConvertedStaticsLookLikeLinksAndCleanUp) {
  TestWindow w;
  HWND first = w.Child("STATIC", "www.example.org", SS_LEFT, 5);
  HWND second = w.Child("STATIC", "mail", SS_LEFT, 30);
  HWND plain = w.Child("STATIC", "plain", SS_LEFT, 55);
  SendMessageA(first, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  EXPECT_TRUE(ui::ConvertStaticToHyperlink(first));
  EXPECT_TRUE(ui::ConvertStaticToHyperlink(second));  // same parent: subclassed once
  EXPECT_TRUE(GetWindowLongA(first, GWL_STYLE) & SS_NOTIFY);

  // The parent colours converted statics only (subclassed twice it would recurse).
  HDC dc = CreateCompatibleDC(nullptr);
  SetTextColor(dc, 0x000000);
  SendMessageA(w.parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(second));
  EXPECT_EQ(GetTextColor(dc), ui::kHyperlinkColor);
  SetTextColor(dc, 0x000000);
  SendMessageA(w.parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(plain));
  EXPECT_NE(GetTextColor(dc), ui::kHyperlinkColor);
  DeleteDC(dc);

  EXPECT_EQ(SendMessageA(first, WM_SETCURSOR, reinterpret_cast<WPARAM>(first),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);

  // Pointer onto the link: underlined font and the capture; off it: plain again.
  HANDLE original = GetPropA(first, "_Hyperlink_Original_Font_");
  HANDLE underline = GetPropA(first, "_Hyperlink_Underline_Font_");
  ASSERT_TRUE(underline);
  LOGFONTA lf{};
  ASSERT_TRUE(GetObjectA(underline, sizeof lf, &lf));
  EXPECT_TRUE(lf.lfUnderline);
  SendMessageA(first, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(first, WM_GETFONT, 0, 0)), underline);
  EXPECT_EQ(GetCapture(), first);
  SendMessageA(first, WM_MOUSEMOVE, 0, MAKELPARAM(250, 150));
  EXPECT_EQ(reinterpret_cast<HANDLE>(SendMessageA(first, WM_GETFONT, 0, 0)), original);
  EXPECT_NE(GetCapture(), first);

  // Destroyed: its underlined font is deleted and its properties are gone.
  DestroyWindow(first);
  EXPECT_EQ(GetObjectType(underline), 0u);
  HANDLE secondUnderline = GetPropA(second, "_Hyperlink_Underline_Font_");
  ASSERT_TRUE(secondUnderline);
  DestroyWindow(w.parent);  // destroys second as well
  EXPECT_EQ(GetObjectType(secondUnderline), 0u);
}

struct PickerSeen {
  bool found = false, checkTicked = false, editVisible = false, editHiddenAfterClick = false;
  std::vector<std::string> faults;  // how the added controls sit among the picker's own
  RECT dialog{};
};

PickerSeen g_seen;

RECT ChildRect(HWND child, HWND dialog) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The added controls lie inside the picker, below its tree, clear of the rest, in its font.
void LookAtPlacement(HWND picker, HWND check, HWND edit) {
  RECT client{}, common{};
  GetClientRect(picker, &client);
  HWND tree = nullptr;
  for (HWND h = GetWindow(picker, GW_CHILD); h && !tree; h = GetWindow(h, GW_HWNDNEXT)) {
    char cls[32] = "";
    GetClassNameA(h, cls, sizeof cls);
    if (lstrcmpiA(cls, "SysTreeView32") == 0 || FindWindowExA(h, nullptr, "SysTreeView32", nullptr))
      tree = h;
  }
  if (!tree) g_seen.faults.push_back("no tree");
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(picker, WM_GETFONT, 0, 0));
  for (HWND added : {check, edit}) {
    RECT a = ChildRect(added, picker);
    if (a.left < 0 || a.top < 0 || a.right > client.right || a.bottom > client.bottom)
      g_seen.faults.push_back("outside the picker");
    if (tree && a.top < ChildRect(tree, picker).bottom) g_seen.faults.push_back("not below the tree");
    if (reinterpret_cast<HFONT>(SendMessageA(added, WM_GETFONT, 0, 0)) != font)
      g_seen.faults.push_back("not in the picker's font");
    for (HWND h = GetWindow(picker, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      if (h == check || h == edit || !HasVisibleStyle(h)) continue;
      RECT other = ChildRect(h, picker);
      if (IntersectRect(&common, &a, &other)) {
        char cls[32] = "";
        GetClassNameA(h, cls, sizeof cls);
        g_seen.faults.push_back(std::string("overlaps a ") + cls);
      }
    }
  }
  GetWindowRect(picker, &g_seen.dialog);
}

BOOL CALLBACK FindPicker(HWND hwnd, LPARAM data) {
  HWND check = FindWindowExA(hwnd, nullptr, "BUTTON", "Show the edit control.");
  if (!check) return TRUE;
  *reinterpret_cast<HWND*>(data) = hwnd;
  return FALSE;
}

// Inside the picker's loop: looks at the added controls, clicks the check box, cancels.
void CALLBACK LookAndCancel(HWND, UINT, UINT_PTR id, DWORD) {
  HWND picker = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindPicker, reinterpret_cast<LPARAM>(&picker));
  if (!picker) return;  // not up yet: the timer fires again
  HWND check = FindWindowExA(picker, nullptr, "BUTTON", "Show the edit control.");
  // Not on screen yet: the timer fires again (for about five seconds at most).
  static int waits = 0;
  if (!testsupport::Reachable(check) && ++waits < 50) return;
  // Ours lies right under the check box (the picker has an edit box of its own).
  HWND edit = GetWindow(check, GW_HWNDNEXT);
  char cls[16] = "";
  GetClassNameA(edit, cls, sizeof cls);
  if (lstrcmpiA(cls, "EDIT") != 0) edit = nullptr;
  KillTimer(nullptr, id);
  g_seen.found = true;
  if (edit) LookAtPlacement(picker, check, edit);
  g_seen.checkTicked = SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED;
  g_seen.editVisible = edit && (GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE);
  testsupport::ClickWindow(check);
  g_seen.editHiddenAfterClick = edit && !(GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE);
  PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
}

TEST(FolderPicker, OpensCentredOnItsOwnerWithTheExtraControlsAndCancelGivesNothing) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 40, 30, 900, 700,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  g_seen = PickerSeen();
  UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAndCancel);
  EXPECT_EQ(ui::BrowseForFolder(owner), "");
  KillTimer(nullptr, timer);
  DestroyWindow(owner);
  ASSERT_TRUE(g_seen.found);
  EXPECT_TRUE(g_seen.checkTicked);
  EXPECT_TRUE(g_seen.editVisible);
  EXPECT_TRUE(g_seen.editHiddenAfterClick);
  EXPECT_EQ(g_seen.faults, std::vector<std::string>{});
  const RECT& d = g_seen.dialog;
  EXPECT_NEAR((d.left + d.right) / 2, 40 + 450, 1);
  EXPECT_NEAR((d.top + d.bottom) / 2, 30 + 350, 1);
}

} // namespace
