// The export range and the grid text stream through which grids copy cells.
#include "controls/ProUtil.h"
#include "grid/ProGrid.h"

// ------------------------------------------------------------------ export range

int TProStringGrid::SaveStartCol() const {
  return F.SaveFixedCells || F.SaveFixedCols ? 0 : FixedCols();
}
int TProStringGrid::SaveStartRow() const {
  return F.SaveFixedCells || F.SaveFixedRows ? 0 : FixedRows();
}
int TProStringGrid::SaveEndCol() const {
  return F.SaveFixedCells || F.SaveFixedCols ? ColCount() - 1 : ColCount() - FFixedRightCols - 1;
}
int TProStringGrid::SaveEndRow() const {
  return F.SaveFixedCells || F.SaveFixedRows ? RowCount() - 1 : RowCount() - FFixedFooters - 1;
}
int TProStringGrid::SaveColCount() const {
  return F.SaveFixedCells || F.SaveFixedCols ? ColCount()
                                             : ColCount() - FixedCols() - FFixedRightCols;
}
int TProStringGrid::SaveRowCount() const {
  return F.SaveFixedCells || F.SaveFixedRows ? RowCount()
                                             : RowCount() - FixedRows() - FFixedFooters;
}

// ------------------------------------------------------------- grid text stream

namespace {

void WriteLine(TStream* Stream, const QString& Line) {
  const QString text = Line + QStringLiteral("\r\n");
  QByteArray bytes;
  bytes.reserve(text.size() * 2);
  for (QChar ch : text) {
    bytes.append(char(ch.unicode() & 0xFF));
    bytes.append(char(ch.unicode() >> 8));
  }
  Stream->WriteBuffer(bytes);
}

// One UTF-16 line up to CR LF (or the end); false at the end of the stream.
bool ReadLine(TStream* Stream, QString& Line) {
  Line.clear();
  char16_t unit = 0;
  bool any = false;
  while (Stream->Read(&unit, 2) == 2) {
    any = true;
    if (unit == u'\n' && Line.endsWith(u'\r')) {
      Line.chop(1);
      return true;
    }
    Line.append(QChar(unit));
  }
  return any;
}

// The leading decimal number of a text (as far as it reads), 0 when none.
int LeadingNumber(const QString& S) {
  int i = 0, value = 0;
  const bool negative = S.startsWith(u'-');
  if (negative) ++i;
  for (; i < S.size() && S[i].isDigit() && value < 100000000; ++i)
    value = value * 10 + S[i].digitValue();
  return negative ? -value : value;
}

}  // namespace

void TProStringGrid::SaveToStream(TStream* Stream) {
  if (!Stream) return;
  WriteLine(Stream, QStringLiteral("%1,%2").arg(SaveColCount()).arg(SaveRowCount()));
  for (int c = 0; c < ColCount(); ++c)
    WriteLine(Stream, QStringLiteral("cw %1,%2").arg(c).arg(ColWidths(c)));
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    for (int c = SaveStartCol(); c <= SaveEndCol(); ++c) {
      const QString text = GetSaveCellText(c, r);
      if (text.isEmpty()) continue;
      WriteLine(Stream, QStringLiteral("%1,%2,").arg(c - SaveStartCol()).arg(r - SaveStartRow()) +
                            PackLineBreaks(text));
    }
  }
}

void TProStringGrid::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  QString line;
  if (!ReadLine(Stream, line)) return;
  if (!line.isEmpty()) {
    const int comma = line.indexOf(u',');
    const int cols = LeadingNumber(line);
    const int rows = comma >= 0 ? LeadingNumber(line.mid(comma + 1)) : 0;
    SetColCount(cols + SaveStartCol());
    SetRowCount(rows + SaveStartRow());
  }
  for (;;) {
    const Int64 start = Stream->Position();
    if (!ReadLine(Stream, line)) break;
    if (line.startsWith(QLatin1String("cw"))) {
      const int comma = line.indexOf(u',');
      int col = 0, width = 0;
      if (comma > 3 && TryStrToInt(line.mid(3, comma - 3), col) &&
          TryStrToInt(line.mid(comma + 1).left(255), width) && col >= 0 && col < ColCount())
        SetColWidths(col, width);
      continue;
    }
    const int first = line.indexOf(u',');
    const int second = first >= 0 ? line.indexOf(u',', first + 1) : -1;
    int c = 0, r = 0;
    if (second < 0 || !TryStrToInt(line.left(first), c) ||
        !TryStrToInt(line.mid(first + 1, second - first - 1), r)) {
      // Not a line of this grid: whatever follows is the caller's.
      Stream->SetPosition(start);
      break;
    }
    c += SaveStartCol();
    r += SaveStartRow();
    if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount())
      SetLoadCellText(c, r, UnpackLineBreaks(line.mid(second + 1), FMultilinecells));
  }
}

// ------------------------------------------------------------------ assignment

void TProStringGrid::AssignCells(TPersistent* Source) {
  auto* src = dynamic_cast<TProStringGrid*>(Source);
  if (!src) return;
  TMemoryStream stream;
  src->SaveToStream(&stream);
  stream.SetPosition(0);
  LoadFromStream(&stream);
}

void TProStringGrid::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TProStringGrid*>(Source);
  if (!src) return;
  Font()->Assign(src->Font());
  F.ActiveCellColor = src->F.ActiveCellColor;
  F.ActiveCellColorTo = src->F.ActiveCellColorTo;
  FActiveCellFont->Assign(src->FActiveCellFont.get());
  F.ActiveCellShow = src->F.ActiveCellShow;
  SetActiveRowShow(src->ActiveRowShow());
  SetAlign(src->Align());
  FFilterDropDown->Assign(src->FFilterDropDown.get());
  FAnchorHint = src->FAnchorHint;
  F.AutoSize = src->F.AutoSize;  // the value only
  F.AutoThemeAdapt = src->F.AutoThemeAdapt;
  F.AutoFilterUpdate = src->F.AutoFilterUpdate;
  FMouseActions->Assign(src->FMouseActions.get());
  FNavigation->Assign(src->FNavigation.get());
  FGrouping->Assign(src->FGrouping.get());
  FSearchFooter->Assign(src->FSearchFooter.get());
  FPrintSettings->Assign(src->FPrintSettings.get());
  FFilter->Assign(src->FFilter.get());
  FHTMLSettings->Assign(src->FHTMLSettings.get());
  FBands->Assign(src->FBands.get());
  FSortSettings->Assign(src->FSortSettings.get());
  FDragScrollOptions->Assign(src->FDragScrollOptions.get());
  FDragDropSettings->Assign(src->FDragDropSettings.get());
  FProgressAppearance->Assign(src->FProgressAppearance.get());
  FColumnSize->Assign(src->FColumnSize.get());
  FSyncGrid->Assign(src->FSyncGrid.get());
  FFocusHelper->Assign(src->FFocusHelper.get());
  FFixedRowAlways = src->FFixedRowAlways;
  // Dimensions before the cells, so that the cells find their places.
  SetColCount(src->ColCount());
  SetRowCount(src->RowCount());
  SetFixedRows(src->FixedRows());
  SetFixedCols(src->FixedCols());
  SetDefaultColWidth(src->DefaultColWidth());
  SetDefaultRowHeight(src->DefaultRowHeight());
  SetFixedRowHeight(src->FixedRowHeight());
  SetFixedColWidth(src->FixedColWidth());
  F.InvalidEntryIcon = src->F.InvalidEntryIcon;
  SetOptions(src->Options());
  for (int c = 0; c < ColCount(); ++c) SetColWidths(c, src->ColWidths(c));
  SetColumnHeaders(src->FColumnHeaders.get());
  for (int r = 0; r < RowCount(); ++r) SetRowHeights(r, src->RowHeights(r));
  F.ScrollWidth = src->F.ScrollWidth;
  F.ScrollHints = src->F.ScrollHints;
  F.ScrollBarAlways = src->F.ScrollBarAlways;
  SetScrollBars(src->ScrollBars());
  F.ScrollColor = src->F.ScrollColor;
  F.ScrollType = src->F.ScrollType;
  AssignCells(Source);
}
