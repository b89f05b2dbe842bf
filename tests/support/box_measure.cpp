#include "support/box_measure.h"

#include <vector>

namespace testsupport {

namespace {

// The box being measured (one at a time, on the test's thread).
struct Measuring {
  int dpi = 96;
  HHOOK hook = nullptr;
  HWND box = nullptr;
  WNDPROC original = nullptr;
  HFONT font = nullptr;  // the box's font at the screen's DPI (120 only)
  MeasuredBox result;
};
Measuring* g_measuring = nullptr;

// The dialog base units of a font: the average width of the letters and the height.
SIZE BaseUnits(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE letters{};
  GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return SIZE{(letters.cx / 26 + 1) / 2, tm.tmHeight};
}

int LineHeight(HFONT font) { return BaseUnits(font).cy; }

LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Measuring& m = *g_measuring;
  if (msg == WM_GETFONT && m.font) return reinterpret_cast<LRESULT>(m.font);
  if (msg == WM_INITDIALOG && m.dpi != 96) {
    // The font the box has at 96 DPI, in the same points at this DPI, and
    // every child where the dialog units of that font put it.
    const HFONT own = reinterpret_cast<HFONT>(CallWindowProcA(m.original, hwnd, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    GetObjectA(own, sizeof lf, &lf);
    const int points = MulDiv(-lf.lfHeight, 72, 96);
    lf.lfHeight = -MulDiv(points, m.dpi, 72);
    m.font = CreateFontIndirectA(&lf);
    const SIZE from = BaseUnits(own), to = BaseUnits(m.font);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      RECT r{};
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
      MoveWindow(child, MulDiv(r.left, to.cx, from.cx), MulDiv(r.top, to.cy, from.cy),
                 MulDiv(r.right - r.left, to.cx, from.cx), MulDiv(r.bottom - r.top, to.cy, from.cy), FALSE);
      SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(m.font), FALSE);
    }
  }
  return CallWindowProcA(m.original, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Watch(int code, WPARAM wParam, LPARAM lParam) {
  Measuring& m = *g_measuring;
  if (code == HCBT_CREATEWND && !m.box) {
    char cls[32] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") == 0) {
      m.box = reinterpret_cast<HWND>(wParam);
      m.original = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(m.box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxProc)));
    }
  }
  return CallNextHookEx(m.hook, code, wParam, lParam);
}

// Once the box stands: its size and its buttons, then its default button pressed.
void CALLBACK Look(HWND, UINT, UINT_PTR id, DWORD) {
  Measuring& m = *g_measuring;
  if (!m.box || !IsWindowVisible(m.box)) return;
  KillTimer(nullptr, id);
  RECT window{}, client{};
  GetWindowRect(m.box, &window);
  GetClientRect(m.box, &client);
  // The caption and frame at this DPI.
  const int frameX = (window.right - window.left) - client.right, frameY = (window.bottom - window.top) - client.bottom;
  const int growX = MulDiv(frameX, m.dpi, 96) - frameX, growY = MulDiv(frameY, m.dpi, 96) - frameY;
  m.result.shown = true;
  m.result.size = SIZE{window.right - window.left + growX, window.bottom - window.top + growY};
  POINT origin{0, 0};
  ClientToScreen(m.box, &origin);
  const int offsetX = origin.x - window.left + growX, offsetY = origin.y - window.top + growY;
  HWND press = nullptr;
  bool first = true;
  for (HWND child = GetWindow(m.box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = "";
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Button") != 0 || !IsWindowVisible(child)) {
      if (lstrcmpiA(cls, "Static") == 0 && GetDlgCtrlID(child) != 1088) {  // the text, not the icon
        RECT t{};
        GetClientRect(child, &t);
        const int line = LineHeight(m.font ? m.font : reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)));
        m.result.textLines = line > 0 ? t.bottom / line : 0;
      }
      continue;
    }
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, m.box, reinterpret_cast<POINT*>(&r), 2);
    OffsetRect(&r, offsetX, offsetY);
    if (first)
      m.result.buttons = r;
    else
      UnionRect(&m.result.buttons, &m.result.buttons, &r);
    first = false;
    if (!press || (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) press = child;
  }
  if (press) SendMessageA(press, BM_CLICK, 0, 0);
}

} // namespace

MeasuredBox MeasureBox(const std::string& text, const std::string& caption, unsigned flags, int dpi) {
  Measuring m;
  m.dpi = dpi;
  g_measuring = &m;
  m.hook = SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId());
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Look);
  MessageBoxA(nullptr, text.c_str(), caption.c_str(), flags);
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(m.hook);
  if (m.font) DeleteObject(m.font);
  g_measuring = nullptr;
  return m.result;
}

bool FitsOn(const MeasuredBox& box, const Screen& screen) {
  const RECT whole{0, 0, box.size.cx, box.size.cy};
  RECT inside{};
  return box.shown && box.size.cx <= screen.work.cx && box.size.cy <= screen.work.cy &&
         IntersectRect(&inside, &whole, &box.buttons) && EqualRect(&inside, &box.buttons);
}

} // namespace testsupport
