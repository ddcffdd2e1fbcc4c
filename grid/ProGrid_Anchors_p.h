// Anchors and inline controls of mini-HTML cells: what lies under a point of a
// painted cell.
#pragma once

#include <QString>

#include "platform/ui/WinApi.h"

class TProStringGrid;

// What the hit test of an HTML cell found.
struct THTMLCellHit {
  QString Anchor, Title;  // HREF and TITLE of the anchor hit ("ctrl" for a control)
  int Link = -1;          // 1-based index of the anchor hit, -1 none
  QString ControlID, ControlValue, ControlType;
  TRect ControlRect;      // client pixels
  // True when the point lies on an inline control (or the sought control was found).
  bool OnControl() const { return ControlRect.Right > ControlRect.Left; }
};

// Hit-tests the mini-HTML Text as painted in the cell rectangle CR (client
// pixels): true when the point X, Y lies on an anchor or an inline control.
// With SoughtID the control with that ID is found wherever the point is.
// CheckOffset moves the text right past the cell's check box.
bool HTMLCellHitTest(TProStringGrid& Grid, const QString& Text, TRect CR, int X, int Y, THTMLCellHit& Hit,
                     const QString& SoughtID = QString(), int CheckOffset = 0);

// True when the point X, Y (client pixels) lies on an anchor of the mini-HTML
// Text painted in the cell rectangle CR; Anchor gets its HREF and Title its
// TITLE, Link its 1-based index (-1 none). Inline controls are not anchors.
bool HTMLCellAnchorAt(TProStringGrid& Grid, const QString& Text, TRect CR, int X, int Y,
                      QString& Anchor, QString& Title, int& Link);
