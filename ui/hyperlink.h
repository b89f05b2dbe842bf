// Turns a static text control into a link look-alike: link-coloured text, a
// hand cursor, and underlining while the pointer is over it. What a click does
// stays with the window that owns the control.
#pragma once
#include <windows.h>

namespace ui {

// Converts the static control; its parent is subclassed once however many of
// its statics are converted. Everything is undone when the control (or the
// parent) is destroyed, the underlined font included. Always true.
bool ConvertStaticToHyperlink(HWND control);

// The link text colour (blue 192, green 0, red 0).
constexpr COLORREF kHyperlinkColor = 0xC00000;

} // namespace ui
