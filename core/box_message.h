// A message an engine hands back for the window that called it to show.
#pragma once
#include <string>

namespace core {

struct BoxMessage {
  std::string text;
  std::string caption;
  unsigned flags = 0;  // message-box flags (icon and buttons)
};

} // namespace core
