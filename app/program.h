// Creates every window of the program, once each, in their fixed order.
#pragma once

void CreateProgramWindows();
