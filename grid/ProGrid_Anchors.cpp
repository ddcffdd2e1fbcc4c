// Anchors of mini-HTML cells, hit-tested the way the cell text is painted.
#include "grid/ProGrid_Anchors_p.h"

#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"

bool HTMLCellAnchorAt(TProStringGrid& Grid, const QString& Text, TRect CR, int X, int Y,
                      QString& Anchor, QString& Title) {
  // The text rectangle of the painter, one pixel in from the inset.
  CR.Right -= Grid.XYOffset().X;
  CR.Left += Grid.XYOffset().X + 1;
  CR.Top += Grid.XYOffset().Y + 1;
  QString strip, focusAnchor, controlID, controlValue, controlType;
  int xSize = 0, ySize = 0, links = 0, mouseLink = -1;
  TRect hoverRect, controlRect;
  Anchor.clear();
  Title.clear();
  const bool hit = DrawHTMLText(Grid.Canvas(), Text, CR, Grid.GetCellImageList(), X, Y, -1, -1, 1, true,
                                false, false, false, true, false, !Grid.EnhTextSize(), false, 1.0,
                                Grid.URLColor(), clNone, clNone, TColor(0x808080), Anchor, strip,
                                focusAnchor, Title, xSize, ySize, links, mouseLink, hoverRect,
                                controlRect, controlID, controlValue, controlType, Grid.ImageCache(),
                                nullptr, Grid.HandleAllocated() ? Grid.Handle() : nullptr, bdLeftToRight);
  return hit && controlID.isEmpty() && mouseLink > 0;
}
