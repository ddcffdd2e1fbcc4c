// String grid: cell hints and the balloon tooltip's texts.
#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Anchors_p.h"
#include "grid/ProGrid_HintWindow.h"
#include "grid/ProGrid_HintWindow_p.h"

QString TProStringGrid::PlainCellText(int ACol, int ARow, bool KeepHTML) {
  const QString text = Cells(ACol, ARow);
  switch (ClassifyCellText(text, F.EnableHTML)) {
    case ctkWide:
      return DecodeWideText(text);
    case ctkHTML:
      return KeepHTML ? text : StrippedCells(ACol, ARow);
    default:
      return text;
  }
}

void TProStringGrid::GetHintInfo(QString& HintStr, THintInfo& HintInfo) {
  // The cell under the pointer; the maximum width; the font of wide hints.
  int C = -1, R = -1;
  MouseToCell(HintInfo.CursorPos.X, HintInfo.CursorPos.Y, C, R);
  if (FControlLook->HintMaxWidth() > 0) HintInfo.HintMaxWidth = FControlLook->HintMaxWidth();
  THTMLHintWindow::SetHintFontName(Font()->Name());
  if (C >= 0 && R >= 0) {
    // The base cell of a merge is the hint's cell.
    const TPoint b = BaseCell(C, R);
    C = b.X;
    R = b.Y;
    FLastHintCell = b;
    const TRect cr = CellRect(C, R);
    const int RC = RealColIndex(C);
    // A comment at the cell's top-right corner, else below the cell.
    TPoint pos{HintInfo.CursorPos.X, cr.Bottom + 6};
    QString comment;
    if (IsComment(RC, R, comment)) {
      pos = {cr.Right, cr.Top};
      HintStr = comment;
    }
    // The anchor under the pointer: its title (its reference without one),
    // 8 pixels right of and 16 pixels above the pointer.
    if (FAnchorHint) {
      const QString text = Cells(RC, R);
      QString anchor, title;
      int link = -1;
      if (ClassifyCellText(text, F.EnableHTML) == ctkHTML &&
          HTMLCellAnchorAt(*this, text, cr, HintInfo.CursorPos.X, HintInfo.CursorPos.Y, anchor, title, link)) {
        QString hint = title.isEmpty() ? anchor : title;
        if (OnAnchorHint) OnAnchorHint(this, R, C, hint);
        FLastAnchorHint = hint;
        HintStr = hint;
        pos = {HintInfo.CursorPos.X + 8, HintInfo.CursorPos.Y - 16};
      }
    }
    // The text of a normal cell.
    if (F.HintShowCells && C >= FixedCols() && C < ColCount() - FFixedRightCols && R >= FixedRows() &&
        R < RowCount() - FFixedFooters) {
      pos.Y = cr.Top;
      HintStr = PlainCellText(RC, R, F.HTMLHint);
    }
    // The application's hint, except on the floating footer's row.
    if (!(FFloatingFooter->Visible() && R == RowCount() - 1) && OnGridHint) OnGridHint(this, R, C, HintStr);
    // HTML and wide hints need the HTML hint window.
    const TCellTextKind kind = ClassifyCellText(HintStr, true);
    if ((kind == ctkHTML || kind == ctkWide) && F.UseInternalHintClass) {
      HintInfo.HintWindowClass = [](TComponent* Owner) -> THintWindow* { return new THTMLHintWindow(Owner); };
      HintInfo.HintData = static_cast<TObject*>(this);  // the hint window takes the grid's images
    }
    // On the screen.
    HintInfo.HintPos = ClientToScreen(pos);
  }
  // The grid's hint colour.
  HintInfo.HintColor = F.HintColor;
}

void TProStringGrid::BalloonInit() {
  // The balloon's text comes on request (BalloonTextAt); one tooltip at most.
  if (FBalloonInitialised) return;
  FBalloonInitialised = true;
}

void TProStringGrid::BalloonDone() {
  FBalloonInitialised = false;
  FLastBalloonPos = {-1, -1};
}

TProStringGrid::TBalloonText TProStringGrid::BalloonTextAt(int X, int Y) {
  TBalloonText b;
  if (!FBalloonSettings->Enable()) return b;
  // The base cell under the pointer.
  int C = -1, R = -1;
  MouseToCell(X, Y, C, R);
  if (C >= 0 && R >= 0) {
    const TPoint base = BaseCell(C, R);
    C = base.X;
    R = base.Y;
  }
  const int RC = C >= 0 ? RealColIndex(C) : -1;
  // The text by its kind.
  QString text;
  if (C != -1 && R != -1) text = PlainCellText(RC, R, false);
  // Tabs become blanks (the last one too); leading line breaks and tabs go;
  // a long text is cut to 2045 characters and "...".
  text.replace(u'\t', u' ');
  int first = 0;
  while (first < text.size() &&
         (text.at(first) == u'\r' || text.at(first) == u'\n' || text.at(first) == u'\t'))
    ++first;
  text = text.mid(first);
  if (text.size() > 2048) text = text.left(2045) + QStringLiteral("...");
  // Icon, title and the application's say.
  b.Icon = 1;
  b.Title = QStringLiteral(" ");
  if (OnCellBalloon && C >= 0 && R >= 0) OnCellBalloon(this, RC, R, b.Title, text, b.Icon);
  FLastBalloonPos = {C, R};
  b.Text = text;
  if (b.Title.size() > 100) b.Title = b.Title.left(97) + QStringLiteral("...");
  // Each colour goes to its own place in the tip.
  if (FBalloonSettings->BackgroundColor() != clNone)
    b.TipBkColor = ColorToRGB(FBalloonSettings->BackgroundColor());
  if (FBalloonSettings->TextColor() != clNone) b.TipTextColor = ColorToRGB(FBalloonSettings->TextColor());
  return b;
}
