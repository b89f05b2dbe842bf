// How the Rename page's controls follow the main window as it grows, and its
// preview labels' path look.
#pragma once
#include "ui/controls.h"
#include "ui/pages.h"

void ApplyRenamePageLayout(ui::TabSheet& sheet, ui::Label& startFolder, ui::Label& endFolder);
