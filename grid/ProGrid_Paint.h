// Types of the string grid's painting shared with its callers and the print
// engine.
#pragma once

#include "platform/rtl/Types.h"

// Which fixed cells react to the mouse hovering over them.
enum THoverFixedCells { hfNone, hfAll, hfFixedRows, hfFixedColumns };

// Places the top-left of R at the output point of a text rotated by Angle
// degrees, given its measures CW = |cos·cx|, SH = |sin·cy|, SW = |sin·cx|,
// CH = |cos·cy|; HA 0 left, 1 right, 2 centre; VA 0 top, 1 centre, 2 bottom.
void AdjustRotatedTextRect(TRect& R, int HA, int VA, int Angle, int CW, int SH, int SW, int CH);
