// Stand-ins for members that other families of the grid provide; each keeps
// the documented default, so that nothing passes for a success that did not
// happen.
#include "grid/ProGrid.h"

// Cell graphics: no cell holds a comment yet.
bool TProStringGrid::IsComment(int, int, QString&) { return false; }
