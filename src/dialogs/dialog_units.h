// Dialog base units measured on a device context's current font.
#pragma once

#include <windows.h>

#include "core/dialog_units.h"

// X and Y of the font selected into the device context: the extent of "A".."Za".."z".
velkari::TDialogUnits MeasureDialogUnits(HDC dc);
