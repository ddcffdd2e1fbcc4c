// The operations that give cells pictures, icons, images, rotated text,
// progress bars, pies, range indicators, ratings, shapes, comments, markers,
// balloons, buttons, scroll bars and expand hot spots, read them back and take
// them away. Colours of the value kinds live in the graphic's object slots as
// plain values (never freed, as the graphic frees those slots only for the
// kinds that own an object there).
#include <cmath>

#include "grid/ProGrid.h"
#include "grid/ProGrid_CellGraphic_p.h"
#include "platform/gdi/Graphics.h"

// ------------------------------------------------------------------- helpers

bool TProStringGrid::IsRealCell(int ACol, int ARow) {
  return ACol >= 0 && ARow >= 0 && ACol < TotalColCount() && ARow < TotalRowCount();
}

TCellGraphic* TProStringGrid::NewCellGraphic(int ACol, int ARow) {
  CheckCellIndex(ACol, ARow);
  return CreateCellGraphic(ACol, ARow);
}

TCellGraphic* TProStringGrid::GraphicOfKind(int ACol, int ARow, TCellType Kind) {
  if (!IsRealCell(ACol, ARow)) return nullptr;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* g = GetCellGraphic(b.X, b.Y);
  return g && g->CellType() == Kind ? g : nullptr;
}

// ------------------------------------------------------------------- images

void TProStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                               TCellVAlign val) {
  NewCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TProStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal,
                                      TCellVAlign val) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  auto* bmp = new TBitmap();
  g->SetBitmap(bmp, Transparent, hal, val);
  g->SetCellCreated(true);
  return bmp;
}

TBitmap* TProStringGrid::GetBitmap(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctBitmap);
  return g ? dynamic_cast<TBitmap*>(g->CellBitmap()) : nullptr;
}

void TProStringGrid::RemoveBitmap(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitmap); }

void TProStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent,
                                TStretchMode StretchMode, int Padding, TCellHAlign hal,
                                TCellVAlign val) {
  NewCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TPicture* TProStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                        int Padding, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  auto* pic = new TPicture();
  g->SetPicture(pic, Transparent, StretchMode, Padding, hal, val);
  g->SetCellCreated(true);
  return pic;
}

TPicture* TProStringGrid::GetPicture(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctPicture);
  return g ? dynamic_cast<TPicture*>(g->CellBitmap()) : nullptr;
}

void TProStringGrid::RemovePicture(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctPicture); }

void TProStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign hal,
                                    TCellVAlign val) {
  NewCellGraphic(ACol, ARow)->SetFilePicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture* TProStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent,
                                                TStretchMode StretchMode, int Padding,
                                                TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  auto* pic = new TFilePicture();
  g->SetFilePicture(pic, Transparent, StretchMode, Padding, hal, val);
  g->SetCellCreated(true);
  return pic;
}

TFilePicture* TProStringGrid::GetFilePicture(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctFilePicture);
  return g ? dynamic_cast<TFilePicture*>(g->CellBitmap()) : nullptr;
}

void TProStringGrid::RemoveFilePicture(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctFilePicture);
}

void TProStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val) {
  NewCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

TIcon* TProStringGrid::CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  auto* icon = new TIcon();
  g->SetIcon(icon, hal, val);
  g->SetCellCreated(true);
  return icon;
}

void TProStringGrid::RemoveIcon(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctIcon); }

void TProStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  CheckCellIndex(ACol, ARow);
  if (!GridImages()) return;
  CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

void TProStringGrid::RemoveImageIdx(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImageList); }

bool TProStringGrid::GetImageIdx(int ACol, int ARow, int& Idx) {
  TCellGraphic* g = GridImages() ? GraphicOfKind(ACol, ARow, ctImageList) : nullptr;
  if (!g) return false;
  Idx = g->CellIndex();
  return true;
}

void TProStringGrid::SetImageIdx(int ACol, int ARow, int Idx) {
  CheckCellIndex(ACol, ARow);
  if (TCellGraphic* g = GridImages() ? GraphicOfKind(ACol, ARow, ctImageList) : nullptr)
    g->SetCellIndex(Idx);
}

void TProStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val) {
  CheckCellIndex(ACol, ARow);
  if (!GridImages()) return;
  CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
  if (Cells(ACol, ARow).isEmpty()) SetInts(ACol, ARow, Aidx);
}

void TProStringGrid::RemoveDataImage(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctDataImage);
  if (IsRealCell(ACol, ARow)) SetCells(ACol, ARow, QString());
}

bool TProStringGrid::HasDataImage(int ACol, int ARow) {
  return IsRealCell(ACol, ARow) && HasGraphicType(ACol, ARow, TCellTypes{ctDataImage});
}

void TProStringGrid::AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val) {
  CheckCellIndex(ACol, ARow);
  if (!GridImages()) return;
  CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject*, int C, int R) {
    RepaintCell(DisplColIndex(C), R);
  });
}

void TProStringGrid::RemoveMultiImage(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctImages); }

void TProStringGrid::AddInterfacedCell(int ACol, int ARow, TPersistent* AObject) {
  NewCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

TPersistent* TProStringGrid::GetInterfacedCell(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctInterface);
  return g ? dynamic_cast<TPersistent*>(g->CellBitmap()) : nullptr;
}

void TProStringGrid::RemoveInterfacedCell(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctInterface);
}

void TProStringGrid::AddRotated(int ACol, int ARow, int16_t AAngle, const QString& s) {
  NewCellGraphic(ACol, ARow)->SetAngle(AAngle);
  SetCells(ACol, ARow, s);
}

void TProStringGrid::SetRotated(int ACol, int ARow, int16_t AAngle) {
  CheckCellIndex(ACol, ARow);
  auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!g) {
    g = CreateCellGraphic(ACol, ARow);
  } else {
    // A rotated graphic owns nothing: what the old kind owned goes first.
    g->FreeOwned();
  }
  g->SetAngle(AAngle);
  RepaintRealCell(ACol, ARow);
}

bool TProStringGrid::IsRotated(int ACol, int ARow, int& aAngle) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctRotated);
  if (!g) return false;
  aAngle = g->CellAngle();
  return true;
}

void TProStringGrid::RemoveRotated(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRotated); }

// ------------------------------------------------------- progress and values

void TProStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
  AddProgressFormatted(ACol, ARow, FGColor, clNone, BKColor, clNone, QString(), 0, 100);
  static_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))->SetCellBoolean(false);
}

void TProStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                   TColor BKColor, TColor BKTextColor) {
  AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, QString(), 0, 100);
}

void TProStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                          TColor BKColor, TColor BKTextColor, const QString& Fmt,
                                          int Min, int Max) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctProgress);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellBitmap(ColorSlot(FGColor));
  g->SetCellIcon(ColorSlot(BKColor));
  g->SetCellIndex(int(FGTextColor));
  g->SetCellAngle(int(BKTextColor));
  g->SetCellBoolean(true);
  g->SetCellErrFrom(Min);
  g->SetCellErrLen(Max);
  g->SetCellText(Fmt);
  if (AutoNumAlign()) SetAlignments(ACol, ARow, taRightJustify);
}

bool TProStringGrid::HasProgress(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, ctProgress); }

void TProStringGrid::RemoveProgress(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctProgress); }

void TProStringGrid::AddProProgress(int ACol, int ARow, int Min, int Max) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctXPProgress);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellErrFrom(Min);
  g->SetCellErrLen(Max);
}

void TProStringGrid::RemoveProProgress(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctXPProgress);
}

void TProStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctProgressPie);
  g->SetCellHAlign(haBeforeText);
  g->SetCellVAlign(vaTop);
  g->SetCellBitmap(ColorSlot(Color));
  g->SetCellAngle(Value);
}

void TProStringGrid::SetProgressPie(int ACol, int ARow, int Value) {
  CheckCellIndex(ACol, ARow);
  if (TCellGraphic* g = GraphicOfKind(ACol, ARow, ctProgressPie)) {
    g->SetCellAngle(Value);
    RepaintRealCell(ACol, ARow);
  }
}

void TProStringGrid::RemoveProgressPie(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctProgressPie);
}

void TProStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctRangeIndicator);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellBitmap(ColorSlot(NegColor));
  g->SetCellIcon(ColorSlot(PosColor));
  g->SetCellIndex(Range);
  g->SetCellBoolean(ShowValue);
}

void TProStringGrid::RemoveRangeIndicator(int ACol, int ARow) {
  RemoveCellGraphicOfType(ACol, ARow, ctRangeIndicator);
}

void TProStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctRating);
  g->SetCellHAlign(haFull);
  g->SetCellVAlign(vaTop);
  g->SetCellAngle(Scale);
  g->SetCellIndex(int(FillColor));
  g->SetCellBitmap(ColorSlot(EmptyColor));
}

bool TProStringGrid::HasRating(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, ctRating); }

void TProStringGrid::RemoveRating(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRating); }

void TProStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctShape);
  g->SetCellHAlign(hal);
  g->SetCellVAlign(val);
  g->SetCellAngle(Shape);
  g->SetCellIndex(int(FillColor));
  g->SetCellBitmap(ColorSlot(LineColor));
}

void TProStringGrid::RemoveShape(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctShape); }

void TProStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor) {
  CheckCellIndex(ACol, ARow);
  if (TCellGraphic* g = GraphicOfKind(ACol, ARow, ctShape)) g->SetCellIndex(int(FillColor));
}

TColor TProStringGrid::GetShapeColor(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctShape);
  return g ? TColor(g->CellIndex()) : clNone;
}

bool TProStringGrid::DoRatingChange(int ACol, int ARow, double& NewRate) {
  bool allow = true;
  if (OnRatingChange) OnRatingChange(this, ACol, ARow, NewRate, allow);
  return allow;
}

// ----------------------------------------------- comments, markers, balloons

void TProStringGrid::AddComment(int ACol, int ARow, const QString& Comment) {
  AddColorComment(ACol, ARow, Comment, ControlLook()->CommentColor());
}

void TProStringGrid::AddColorComment(int ACol, int ARow, const QString& Comment, TColor Color) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctComment);
  g->SetCellHAlign(haLeft);
  g->SetCellVAlign(vaTop);
  g->SetCellText(Comment);
  g->SetCellIndex(int(Color));
}

QString TProStringGrid::GetComment(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctComment);
  return g ? g->CellText() : QString();
}

void TProStringGrid::SetComment(int ACol, int ARow, const QString& Value) {
  CheckCellIndex(ACol, ARow);
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) {
    AddComment(ACol, ARow, Value);
  } else if (g->CellType() == ctComment) {
    g->SetCellText(Value);
    RepaintRealCell(ACol, ARow);
  }
}

bool TProStringGrid::IsComment(int ACol, int ARow, QString& Comment) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctComment);
  if (!g) return false;
  Comment = g->CellText();
  return true;
}

void TProStringGrid::RemoveComment(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctComment); }

void TProStringGrid::RemoveAllComments() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r) RemoveComment(c, r);
}

void TProStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
  CheckCellIndex(ACol, ARow);
  auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!g) {
    g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctEmpty);
  }
  g->SetCellErrFrom(ErrPos);
  g->SetCellErrLen(ErrLen);
  RepaintRealCell(ACol, ARow);
}

void TProStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) {
  ErrPos = ErrLen = 0;
  if (!IsRealCell(ACol, ARow)) return;
  if (auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
    ErrPos = g->CellErrFrom();
    ErrLen = g->CellErrLen();
  }
}

void TProStringGrid::RemoveMarker(int ACol, int ARow) {
  if (!IsRealCell(ACol, ARow)) return;
  auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!g) return;
  if (g->CellType() == ctEmpty) {
    RemoveCellGraphic(ACol, ARow);
    return;
  }
  g->SetCellErrFrom(0);
  g->SetCellErrLen(0);
  RepaintRealCell(ACol, ARow);
}

void TProStringGrid::RemoveAllMarkers() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r) RemoveMarker(c, r);
}

void TProStringGrid::AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text,
                                TBalloonIcon Icon) {
  CheckCellIndex(ACol, ARow);
  auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (g) {
    const TCellType k = g->CellType();
    if (k != ctCheckBox && k != ctDataCheckBox && k != ctRadioButton) return;
    // A second balloon on a check box replaces the texts of the first.
    if (g->CellAngle() == 1) delete g->CellBitmap();
    g->SetCellAngle(1);
  } else {
    g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctBalloon);
    g->SetCellAngle(0);
  }
  auto* texts = new TStringList();
  texts->Add(Title);
  texts->Add(Text);
  g->SetCellIndex(Icon);
  g->SetCellBitmap(texts);
}

void TProStringGrid::RemoveBalloon(int ACol, int ARow) {
  if (!IsRealCell(ACol, ARow)) return;
  auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
  if (!g) return;
  const TCellType k = g->CellType();
  if (k == ctCheckBox || k == ctDataCheckBox || k == ctRadioButton) {
    if (g->CellAngle() == 1) {
      delete g->CellBitmap();
      g->SetCellBitmap(nullptr);
      g->SetCellAngle(0);
    }
    return;
  }
  RemoveCellGraphicOfType(ACol, ARow, ctBalloon);
}

bool TProStringGrid::HasBalloon(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, ctBalloon); }

bool TProStringGrid::IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon) {
  if (!IsRealCell(ACol, ARow)) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* g = GetCellGraphic(b.X, b.Y);
  if (!g) return false;
  const TCellType k = g->CellType();
  const bool attached = (k == ctCheckBox || k == ctDataCheckBox || k == ctRadioButton) && g->CellAngle() == 1;
  if (k != ctBalloon && !attached) return false;
  auto* texts = dynamic_cast<TStrings*>(g->CellBitmap());
  if (!texts || texts->Count() < 2) return false;
  Title = texts->Strings(0);
  Text = texts->Strings(1);
  Icon = TBalloonIcon(g->CellIndex());
  return true;
}

// ------------------------------------------------------------------- buttons

void TProStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption,
                               TCellHAlign hal, TCellVAlign val) {
  NewCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TProStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption,
                                  TBitmap* Glyph, TCellHAlign hal, TCellVAlign val) {
  NewCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

TBitmap* TProStringGrid::CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption,
                                         TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  auto* glyph = new TBitmap();
  g->SetBitButton(bw, bh, Caption, glyph, hal, val);
  g->SetCellCreated(true);
  return glyph;
}

void TProStringGrid::SetButtonText(int ACol, int ARow, const QString& Caption) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EProGridError(QStringLiteral("Invalid cell"));
  const int RC = RealColIndex(ACol);
  if (TCellGraphic* g = GetCellGraphic(RC, ARow)) {
    g->SetCellText(Caption);
    RepaintCell(ACol, ARow);
  }
}

QString TProStringGrid::GetButtonText(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return QString();
  TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
  return g ? g->CellText() : QString();
}

void TProStringGrid::PushButton(int ACol, int ARow, bool Push) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return;
  TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!g || g->CellType() == ctNode) return;
  g->SetCellBoolean(Push);
  RepaintCell(ACol, ARow);
}

bool TProStringGrid::HasButton(int ACol, int ARow) {
  return IsRealCell(ACol, ARow) && HasGraphicType(ACol, ARow, TCellTypes{ctButton, ctBitButton});
}

void TProStringGrid::RemoveButton(int ACol, int ARow) {
  if (!RemoveCellGraphicOfType(ACol, ARow, ctButton)) RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TProStringGrid::RemoveBitButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctBitButton); }

void TProStringGrid::RemoveAllButtons() {
  for (int c = 0; c < ColCount(); ++c)
    for (int r = 0; r < RowCount(); ++r)
      if (HasButton(c, r)) RemoveButton(c, r);
}

TRect TProStringGrid::GetCellControlRect(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return TRect(0, 0, 0, 0);
  TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!g) return TRect(0, 0, 0, 0);
  const TRect R = CellRect(ACol, ARow);
  const int v = int(std::lround(g->CellValue()));
  TRect B;
  B.Left = R.Left + (v & 0xFFFF);
  B.Top = R.Top + v / 65536;
  B.Right = B.Left + (g->CellIndex() & 0xFFFF);
  B.Bottom = B.Top + g->CellIndex() / 65536;
  if (g->CellVAlign() == vaFull) {
    B.Top = R.Top;
    B.Bottom = R.Bottom;
  }
  if (g->CellHAlign() == haFull) {
    B.Left = R.Left;
    B.Right = R.Right;
  }
  return B;
}

// ------------------------------------------------------ in-cell scroll bars

void TProStringGrid::AddScrollBar(int ACol, int ARow, bool AutoRange) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctScrollbar);
  g->SetCellAngle(0);
  g->SetCellErrFrom(100);
  g->SetCellIndex(0);
  g->SetCellBoolean(AutoRange);
  if (AutoRange) CellChanged(ACol, ARow);
}

bool TProStringGrid::HasScrollBar(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, ctScrollbar); }

bool TProStringGrid::HasAutoRangeScrollBar(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctScrollbar);
  return g && g->CellBoolean();
}

void TProStringGrid::SetScrollPosition(int ACol, int ARow, int Pos) {
  CheckCellIndex(ACol, ARow);
  if (TCellGraphic* g = GraphicOfKind(ACol, ARow, ctScrollbar)) {
    g->SetCellIndex(Pos);
    RepaintRealCell(ACol, ARow);
  }
}

int TProStringGrid::GetScrollPosition(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctScrollbar);
  return g ? g->CellIndex() : -1;
}

void TProStringGrid::SetScrollProp(int ACol, int ARow, TScrollProp Prop) {
  CheckCellIndex(ACol, ARow);
  if (TCellGraphic* g = GraphicOfKind(ACol, ARow, ctScrollbar)) {
    g->SetCellAngle(Prop.PageSize);
    g->SetCellErrFrom(Prop.Range);
  }
}

TScrollProp TProStringGrid::GetScrollProp(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctScrollbar);
  if (!g) return TScrollProp{-1, -1};
  return TScrollProp{g->CellAngle(), g->CellErrFrom()};
}

void TProStringGrid::RemoveScrollBar(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctScrollbar); }

// ------------------------------------------------------------ expandable rows

void TProStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight) {
  TCellGraphic* g = NewCellGraphic(ACol, ARow);
  g->SetCellType(ctExpand);
  g->SetCellAngle(ExpandedHeight);
  g->SetCellIndex(RowHeights(ARow));
  g->SetCellVar(false);
}

bool TProStringGrid::HasExpand(int ACol, int ARow) { return GraphicOfKind(ACol, ARow, ctExpand); }

void TProStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }

// The expand state and heights are read and changed only on an expand graphic:
// another kind keeps other values in those fields (a radio group its choice, a
// comment its colour).
bool TProStringGrid::ToggleExpand(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctExpand);
  if (!g) return false;
  const bool state = !g->CellVar().toBool();
  g->SetCellVar(state);
  return state;
}

bool TProStringGrid::GetExpandState(int ACol, int ARow) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctExpand);
  return g && g->CellVar().toBool();
}

int TProStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded) {
  TCellGraphic* g = GraphicOfKind(ACol, ARow, ctExpand);
  if (!g) return DefaultRowHeight();
  return Expanded ? g->CellAngle() : g->CellIndex();
}

TRect TProStringGrid::GetExpandRect(int ACol, int ARow) {
  if (!GraphicOfKind(ACol, ARow, ctExpand)) return TRect(0, 0, 0, 0);
  const TRect R = CellRect(ACol, ARow);
  return TRect(R.Right - 13, R.Top + 2, R.Right - 2, R.Top + 13);
}

void TProStringGrid::DoExpandClick(int ACol, int ARow, bool Expanded) {
  if (OnExpandClick) OnExpandClick(this, ACol, ARow, Expanded);
  SetRowHeights(ARow, GetExpandHeight(ACol, ARow, Expanded));
}
