// Control ids of the manual creation page (range 1100-1299).
#pragma once
