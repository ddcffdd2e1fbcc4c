// Stand-ins for members of other families that editing calls; each answers
// what the grid answers without any application handler or cell type.
#include "grid/ProGrid.h"

void TProStringGrid::StoreOldCellText(int ACol, int ARow) {
  FOldCol = ACol;
  FOldRow = ARow;
  FOldCellText = GetGridCell(RealColIndex(ACol), ARow);
  FOldCellTextWide = FOldCellText;
}

void TProStringGrid::AdvanceToNextCell(bool, bool, bool, bool, bool) {
  if (Navigation()->AdvanceOnEnter()) NotAvailable("AdvanceToNextCell");
}

void TProStringGrid::TabAdvance(bool) { NotAvailable("TabAdvance"); }
