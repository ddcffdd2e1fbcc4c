// Stand-ins for members of other families that the table windows call; each
// is replaced when its family lands.
#include "grid/ProGrid.h"

// ------------------------------------------------------------ cell combo lists

void TProStringGrid::ClearComboString() {}

void TProStringGrid::AddComboString(const QString&) {}

// ------------------------------------------------------------ column auto-sizing

void TProStringGrid::AutoSizeCol(int, int) { NotAvailable("AutoSizeCol"); }
