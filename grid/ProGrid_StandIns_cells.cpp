// Stand-ins for members of other families that the cell graphics, check boxes
// and the column grid call; each is replaced when its family lands.
#include "grid/ProGrid.h"

