#include "ui/layout.h"

#include <algorithm>

namespace ui {

namespace {
int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// Moves r inside area (keeping its size; a larger r keeps its top-left corner
// at the area's top-left corner).
RECT KeepInside(RECT r, const RECT& area) {
  int w = Width(r), h = Height(r);
  int x = std::max<int>(area.left, std::min<int>(r.left, area.right - w));
  int y = std::max<int>(area.top, std::min<int>(r.top, area.bottom - h));
  return RECT{x, y, x + w, y + h};
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool IsCombo(HWND hwnd) {
  char cls[16] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  return lstrcmpiA(cls, "ComboBox") == 0;
}
} // namespace

RECT AnchoredRect(const RECT& d, const Anchors& a, int dx, int dy) {
  return RECT{d.left + dx * a.left / 100, d.top + dy * a.top / 100, d.right + dx * a.right / 100,
              d.bottom + dy * a.bottom / 100};
}

void Layout::Attach(HWND container) {
  container_ = container;
  RECT client{};
  GetClientRect(container_, &client);
  designed_ = SIZE{client.right, client.bottom};
  Capture();
}

void Layout::SetRules(const AnchorRule* rules, size_t count) {
  rules_.assign(rules, rules + count);
  Capture();
  Arrange();
}

void Layout::Capture() {
  placed_.clear();
  if (!container_) return;
  for (const AnchorRule& rule : rules_) {
    HWND hwnd = GetDlgItem(container_, rule.id);
    if (!hwnd) continue;
    Placed placed{hwnd, {}, rule.anchors, IsCombo(hwnd)};
    GetWindowRect(hwnd, &placed.designed);
    MapWindowPoints(nullptr, container_, reinterpret_cast<POINT*>(&placed.designed), 2);
    if (placed.combo) {
      // The height a combo box is given is that of its drop-down list.
      RECT dropped{};
      if (SendMessageA(hwnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        placed.designed.bottom = placed.designed.top + Height(dropped);
    }
    placed_.push_back(placed);
  }
}

void Layout::Arrange() {
  if (!container_ || placed_.empty()) return;
  RECT client{};
  GetClientRect(container_, &client);
  int dx = client.right - designed_.cx, dy = client.bottom - designed_.cy;
  HDWP batch = BeginDeferWindowPos(static_cast<int>(placed_.size()));
  for (const Placed& p : placed_) {
    Anchors anchors = p.anchors;
    if (p.combo) anchors.bottom = anchors.top;  // the list keeps its length
    RECT r = AnchoredRect(p.designed, anchors, dx, dy);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (batch)
      batch = DeferWindowPos(batch, p.hwnd, nullptr, r.left, r.top, Width(r), Height(r), flags);
    else
      SetWindowPos(p.hwnd, nullptr, r.left, r.top, Width(r), Height(r), flags);
  }
  if (batch) EndDeferWindowPos(batch);
  // Group boxes and labels leave traces when they move: draw the whole again.
  InvalidateRect(container_, nullptr, TRUE);
}

RECT WorkAreaOf(HWND hwnd) {
  HMONITOR monitor = hwnd ? MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY)
                          : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor && GetMonitorInfoA(monitor, &info)) return info.rcWork;
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

RECT OpeningBounds(SIZE minimum, SIZE preferred, const RECT& work) {
  int w = std::max<int>(minimum.cx, std::min<int>(preferred.cx, Width(work)));
  int h = std::max<int>(minimum.cy, std::min<int>(preferred.cy, Height(work)));
  int y = work.top + std::max(0, (Height(work) - h) / 2);
  return RECT{work.left, y, work.left + w, y + h};
}

RECT BesideBounds(const RECT& main, SIZE size, const RECT& work, const RECT* keep) {
  RECT r{main.right, main.top, main.right + size.cx, main.top + size.cy};
  if (r.right <= work.right) return KeepInside(r, work);
  auto at = [&](int x, int y) { return RECT{x, y, x + size.cx, y + size.cy}; };
  const RECT edge = KeepInside(at(work.right - size.cx, main.top), work);
  if (!keep || IsRectEmpty(keep)) return edge;
  RECT common{};
  auto leaves = [&](const RECT& c) { return Contains(work, c) && !IntersectRect(&common, &c, keep); };
  if (leaves(edge)) return edge;
  // Level with the main window's top, as far as the work area allows.
  const int level = std::max<int>(work.top, std::min<int>(main.top, work.bottom - size.cy));
  const RECT tries[] = {
      at(work.right - size.cx, keep->top - size.cy),
      at(work.right - size.cx, keep->bottom),
      at(work.left, level),
  };
  for (const RECT& t : tries)
    if (leaves(t)) return t;
  return edge;
}

RECT CenteredBounds(const RECT& owner, SIZE size, const RECT& work) {
  int x = owner.left + (Width(owner) - size.cx) / 2;
  int y = owner.top + (Height(owner) - size.cy) / 2;
  return KeepInside(RECT{x, y, x + size.cx, y + size.cy}, work);
}

} // namespace ui
