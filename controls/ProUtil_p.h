// Helpers shared by the drawing routines of ProUtil; not part of its interface.
#pragma once

#include "platform/gdi/Graphics.h"

namespace ProDraw {

// Round half to even, as the drawing routines round.
int RoundHalfEven(double V);
// Pen and brush in one colour (a filled shape without a visible outline).
void SetPenAndBrush(TCanvas* Canvas, TColor Color);

}  // namespace ProDraw
