// The topic texts of the topic help window, one per page or window.
#include "examples/help_windows.h"

HelpSections HelpTopicText(const std::string&) { return nullptr; }
