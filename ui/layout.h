// Resizable windows and where windows open.
//
// Every form, and every sheet of a page control, declares once, in a small
// table next to the form, which edges of its controls follow the window as it
// grows (ui::AnchorRule), and hands the table to Form::SetAnchors or
// TabSheet::SetAnchors. The layout code below is the only code that moves
// controls. A layout as designed in its resource is the window's smallest
// size: a window never shrinks below it, so every control stays reachable.
//
// An edge follows a share of the growth: 0 keeps its distance from the left
// (or top) edge, 100 keeps its distance from the right (or bottom) edge. The
// classic anchors are 0 and 100; two lists side by side share the growth (the
// first 0-50, the second 50-100), so they grow together and never overlap.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

namespace ui {

struct Anchors {
  int left, top, right, bottom;  // share of the growth, 0-100
};

// The common cases.
constexpr Anchors kStayLeftTop{0, 0, 0, 0};
constexpr Anchors kStayRightTop{100, 0, 100, 0};
constexpr Anchors kStayLeftBottom{0, 100, 0, 100};
constexpr Anchors kStayRightBottom{100, 100, 100, 100};
constexpr Anchors kStayCentreBottom{50, 100, 50, 100};
constexpr Anchors kGrowWide{0, 0, 100, 0};          // wider, stays at the top
constexpr Anchors kGrowWideAtBottom{0, 100, 100, 100};
constexpr Anchors kGrowAll{0, 0, 100, 100};

struct AnchorRule {
  int id;
  Anchors anchors;
};

// Moves the controls of one container (a form or a sheet) by its anchor table.
class Layout {
public:
  // Remembers the container and its designed client size. Call while the
  // container still has its designed size and its controls their places.
  void Attach(HWND container);
  // Sets the table (at any time: the controls named in it must not have been
  // moved yet) and arranges the controls for the container's current size.
  void SetRules(const AnchorRule* rules, size_t count);
  bool Empty() const { return rules_.empty(); }
  SIZE DesignedSize() const { return designed_; }
  // Places the controls for the container's current client size.
  void Arrange();

private:
  struct Placed {
    HWND hwnd;
    RECT designed;
    Anchors anchors;
    bool combo;  // its window rectangle is the closed box; its height the list
  };
  void Capture();

  HWND container_ = nullptr;
  SIZE designed_{0, 0};
  std::vector<AnchorRule> rules_;
  std::vector<Placed> placed_;
};

// Where a control of the designed rectangle goes when its container grew by
// (dx, dy).
RECT AnchoredRect(const RECT& designed, const Anchors& anchors, int dx, int dy);

// The work area of the monitor that holds most of the window (the primary
// one when there is no window).
RECT WorkAreaOf(HWND hwnd);

// Where a window opens: its preferred size, but no larger than the work area
// and no smaller than its minimum; at the left of the work area, centred
// from top to bottom, so a secondary window finds room beside it.
RECT OpeningBounds(SIZE minimum, SIZE preferred, const RECT& workArea);

// Where a secondary window of this size goes beside the main window's
// rectangle: to its right when it fits in the work area, otherwise against
// the work area's right edge; level with the main window's top, kept inside
// the work area. keep (given, not empty): a part of the main window to leave
// in sight (the run buttons of the page that opened the window). Where the
// window against the right edge would cover it, it goes where it leaves keep
// in sight, the first of: against the right edge just above keep, just below
// it; against the left edge, level with the main window's top. When none of
// them fits in the work area, it stays against the right edge.
RECT BesideBounds(const RECT& main, SIZE size, const RECT& workArea, const RECT* keep = nullptr);

// A window of this size centred on its owner's rectangle, kept inside the
// work area.
RECT CenteredBounds(const RECT& owner, SIZE size, const RECT& workArea);

} // namespace ui
