#include "ui/hyperlink.h"

#include <commctrl.h>

namespace ui {

namespace {

constexpr UINT_PTR kParentSubclassId = 0x4850;  // one subclass per parent
constexpr UINT_PTR kStaticSubclassId = 0x4851;

const char kPropOriginalFont[] = "_Hyperlink_Original_Font_";
const char kPropUnderlineFont[] = "_Hyperlink_Underline_Font_";
const char kPropFromStatic[] = "_Hyperlink_From_Static_";

LRESULT CALLBACK HyperlinkParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR) {
  if (msg == WM_CTLCOLORSTATIC) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (GetPropA(control, kPropFromStatic)) {
      LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
      SetTextColor(reinterpret_cast<HDC>(wParam), kHyperlinkColor);
      return result;
    }
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, HyperlinkParentProc, id);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void SwitchFont(HWND hwnd, const char* property) {
  HANDLE font = GetPropA(hwnd, property);
  if (!font) return;
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  InvalidateRect(hwnd, nullptr, FALSE);
}

LRESULT CALLBACK HyperlinkStaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR) {
  switch (msg) {
  case WM_SETCURSOR: {
    HCURSOR cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // the hand
    if (!cursor) cursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    SetCursor(cursor);
    return TRUE;
  }
  case WM_MOUSEMOVE:
    if (GetCapture() != hwnd) {
      SwitchFont(hwnd, kPropUnderlineFont);
      SetCapture(hwnd);
    } else {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(hwnd, &p);
      RECT r{};
      GetWindowRect(hwnd, &r);
      if (!PtInRect(&r, p)) {
        SwitchFont(hwnd, kPropOriginalFont);
        ReleaseCapture();
      }
    }
    break;
  case WM_NCDESTROY: {
    RemoveWindowSubclass(hwnd, HyperlinkStaticProc, id);
    HANDLE original = GetPropA(hwnd, kPropOriginalFont);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(original), FALSE);
    if (HANDLE underline = GetPropA(hwnd, kPropUnderlineFont))
      DeleteObject(static_cast<HGDIOBJ>(underline));
    RemovePropA(hwnd, kPropOriginalFont);
    RemovePropA(hwnd, kPropUnderlineFont);
    RemovePropA(hwnd, kPropFromStatic);
    break;
  }
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

bool ConvertStaticToHyperlink(HWND control) {
  HWND parent = GetParent(control);
  DWORD_PTR data = 0;
  // Subclassing the parent a second time would make it call itself; once is enough.
  if (parent && !GetWindowSubclass(parent, HyperlinkParentProc, kParentSubclassId, &data))
    SetWindowSubclass(parent, HyperlinkParentProc, kParentSubclassId, 0);

  if (GetPropA(control, kPropFromStatic)) return true;  // already a link
  SetWindowLongA(control, GWL_STYLE, GetWindowLongA(control, GWL_STYLE) | SS_NOTIFY);
  SetWindowSubclass(control, HyperlinkStaticProc, kStaticSubclassId, 0);

  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  LOGFONTA lf{};
  GetObjectA(font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
  lf.lfUnderline = TRUE;
  HFONT underline = CreateFontIndirectA(&lf);
  SetPropA(control, kPropOriginalFont, font);
  SetPropA(control, kPropUnderlineFont, underline);
  SetPropA(control, kPropFromStatic, reinterpret_cast<HANDLE>(1));
  return true;
}

} // namespace ui
