// How the Delete page's sheet grows: the lists take the growth, the mode block
// keeps to the right, statistics and commands to the bottom.
#pragma once
#include "ui/pages.h"

void ApplyDeletePageLayout(ui::TabSheet& sheet);
