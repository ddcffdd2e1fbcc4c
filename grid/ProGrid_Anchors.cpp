// Anchors of mini-HTML cells, hit-tested the way the cell text is painted.
#include "grid/ProGrid_Anchors_p.h"

#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"

bool HTMLCellHitTest(TProStringGrid& Grid, const QString& Text, TRect CR, int X, int Y, THTMLCellHit& Hit,
                     const QString& SoughtID, int CheckOffset) {
  // The text rectangle of the painter, one pixel in from the inset.
  CR.Right -= Grid.XYOffset().X;
  CR.Left += Grid.XYOffset().X + 1 + CheckOffset;
  CR.Top += Grid.XYOffset().Y + 1;
  QString strip, focusAnchor;
  int xSize = 0, ySize = 0, links = 0;
  TRect hoverRect;
  Hit = THTMLCellHit{};
  Hit.ControlID = SoughtID;
  return DrawHTMLText(Grid.Canvas(), Text, CR, Grid.GetCellImageList(), X, Y, -1, -1, 1, true, false, false,
                      false, true, false, !Grid.EnhTextSize(), false, 1.0, Grid.URLColor(), clNone, clNone,
                      TColor(0x808080), Hit.Anchor, strip, focusAnchor, Hit.Title, xSize, ySize, links, Hit.Link,
                      hoverRect, Hit.ControlRect, Hit.ControlID, Hit.ControlValue, Hit.ControlType,
                      Grid.ImageCache(), Grid.PictureContainer(), Grid.HandleAllocated() ? Grid.Handle() : nullptr,
                      Grid.BiDiMode());
}

bool HTMLCellAnchorAt(TProStringGrid& Grid, const QString& Text, TRect CR, int X, int Y,
                      QString& Anchor, QString& Title, int& Link) {
  THTMLCellHit hit;
  const bool found = HTMLCellHitTest(Grid, Text, CR, X, Y, hit);
  Anchor = hit.Anchor;
  Title = hit.Title;
  Link = hit.Link;
  return found && !hit.OnControl() && hit.Link > 0;
}

void TProStringGrid::TrackHTMLAnchor(int C, int R, bool OnAnchor, const QString& Anchor,
                                     const QString& Hint, int Link) {
  // Only the hovered anchor is underlined with URLUnderlineOnHover.
  // The hover cell is kept by real column, as the painter reads it.
  if (URLUnderlineOnHover()) {
    const TPoint cell = OnAnchor ? TPoint{RealColIndex(C), R} : TPoint{-1, -1};
    const int link = OnAnchor ? Link : -1;
    if (cell != FHTMLHoverCell || link != FHTMLHoverLink) {
      const TPoint old = FHTMLHoverCell;
      FHTMLHoverCell = cell;
      FHTMLHoverLink = link;
      if (old.X >= 0 && old.Y >= 0) RepaintCell(DisplColIndex(old.X), old.Y);
      if (OnAnchor) RepaintCell(C, R);
    }
  }
  if (!OnAnchor) {
    if (!FCurrentAnchor.isEmpty()) {
      const QString left = FCurrentAnchor;
      FCurrentAnchor.clear();
      if (OnAnchorExit) OnAnchorExit(this, R, C, left);
    }
    return;
  }
  QString hint = Hint;
  if (hint.isEmpty() && OnAnchorHint) OnAnchorHint(this, R, C, hint);
  if (hint != FLastAnchorHint && Anchor != FCurrentAnchor) {
    FLastAnchorHint = hint;
    Application->CancelHint();
  }
  if (Anchor != FCurrentAnchor) {
    if (!FCurrentAnchor.isEmpty() && OnAnchorExit) OnAnchorExit(this, R, C, FCurrentAnchor);
    FCurrentAnchor = Anchor;
    if (OnAnchorEnter) OnAnchorEnter(this, R, C, Anchor);
  }
}
