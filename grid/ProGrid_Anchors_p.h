// Anchors of mini-HTML cells: what lies under a point of a painted cell.
#pragma once

#include <QString>

#include "platform/ui/WinApi.h"

class TProStringGrid;

// True when the point X, Y (client pixels) lies on an anchor of the mini-HTML
// Text painted in the cell rectangle CR; Anchor gets its HREF and Title its
// TITLE, Link its 1-based index (-1 none). Inline controls are not anchors.
bool HTMLCellAnchorAt(TProStringGrid& Grid, const QString& Text, TRect CR, int X, int Y,
                      QString& Anchor, QString& Title, int& Link);
