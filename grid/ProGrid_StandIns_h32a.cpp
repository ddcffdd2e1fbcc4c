// Stand-ins for members of other families that scrolling needs before those
// families are in. Each does what the documented member does for a cell
// without the graphic it serves.
#include "grid/ProGrid.h"

// --- cell scroll bars ---

// The position of a cell's own scroll bar: cells hold no scroll bars yet, so
// there is no position to keep.
void TProStringGrid::SetScrollPosition(int, int, int) {}
