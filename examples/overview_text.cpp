// The overview of the program, shown from the Help menu.
#include "examples/help_windows.h"

const HelpText kOverViewText[] = {nullptr};
