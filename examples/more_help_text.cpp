// The further help on the shared list windows, the list editors and the
// detailed results windows.
#include "examples/help_windows.h"

const HelpText kMoreHelpText[] = {nullptr};
