// How the copy page's controls follow the main window as it grows.
#pragma once
#include "ui/pages.h"

void ApplyCopyPageLayout(ui::TabSheet& sheet);
