// Stand-ins for members other families of the grid provide; each answers the
// default the grid has while no event or graphic is assigned.
#include "grid/ProGrid.h"

void TProStringGrid::GetCellColor(int, int, TGridDrawState, TBrush*, TFont*) {}

void TProStringGrid::GetCellPrintColor(int, int, TGridDrawState, TBrush*, TFont*) {}

void TProStringGrid::GetCellAlignment(int, int, TAlignment&, TVAlignment&) {}

bool TProStringGrid::GetCellWordWrap(int, int, bool WW) { return WW; }

bool TProStringGrid::IsPasswordCell(int, int) { return false; }

void TProStringGrid::GetCellBorder(int, int, TPen*, TCellBorders&) {}

bool TProStringGrid::GetColumnFilter(int) { return false; }

bool TProStringGrid::CellGraphicKeepsColor(int, int) { return true; }

bool TProStringGrid::HasCheckBox(int, int) { return false; }

void TProStringGrid::ColumnHeadersChanged() {}

void TProStringGrid::CellsLoaded() {}
