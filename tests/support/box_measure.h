// A real message box measured: the text a page showed, shown again in the
// system's own box (MessageBoxA, as the program shows it) and answered with
// its default button, as a user would.
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

// The screens the program is made for: the work area of a 1024 x 768 screen at
// 96 DPI and of a 1366 x 768 screen at 120 DPI (a task bar of 40 and 50 pixels).
struct Screen {
  int dpi;
  SIZE work;
};
constexpr Screen kScreen96{96, {1024, 728}};
constexpr Screen kScreen120{120, {1366, 718}};

struct MeasuredBox {
  bool shown = false;
  SIZE size{};       // the whole box, caption and frame included
  RECT buttons{};    // the union of its buttons, in the box's window coordinates
  int textLines = 0; // its text's height in lines of its font
};

// Shows text in a real message box of flags at the screen's DPI and measures
// it. At 120 DPI the box is the system's own at 96 DPI given what a 120-DPI
// screen changes: its font (the same points at 120 DPI), with it its dialog
// units (where its text and buttons lie and how wide its text wraps), and its
// caption and frame, grown by 120 / 96.
MeasuredBox MeasureBox(const std::string& text, const std::string& caption, unsigned flags, int dpi);

// The box and its buttons inside a work area of the screen's size.
bool FitsOn(const MeasuredBox& box, const Screen& screen);

} // namespace testsupport
