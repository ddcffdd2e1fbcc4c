// Typed views on the string grid's cell text: integers, floats, dates and
// times, real-index access (hidden rows included), stripped text, line counts,
// print column tables, the current cell and bulk fills. Nothing typed is stored:
// every read parses the text again and every write replaces it.
#include <QRandomGenerator>
#include <QRegularExpression>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"

namespace {

const char* const kNoInteger = "Cell does not contain integer value";
const char* const kNoFloat = "Cell does not contain a float value";

// The text with its mini-HTML tags removed; <BR> and <HR> become line breaks.
QString StripTags(const QString& Text) {
  QString result;
  result.reserve(Text.size());
  int i = 0;
  while (i < Text.size()) {
    if (Text[i] != u'<') {
      result += Text[i++];
      continue;
    }
    const int end = Text.indexOf(u'>', i);
    if (end < 0) {
      result += Text.mid(i);
      break;
    }
    const QString tag = Text.mid(i + 1, end - i - 1).trimmed().toUpper();
    if (tag == QLatin1String("BR") || tag == QLatin1String("HR") || tag == QLatin1String("BR/") ||
        tag == QLatin1String("HR/"))
      result += u'\r';
    i = end + 1;
  }
  return result;
}

}  // namespace

// ---------------------------------------------------------------------------
// Parsing

bool TProStringGrid::ParseIntText(const QString& Text, int& Value) const {
  QString s = Text.trimmed();
  if (s.isEmpty() || s == QLatin1String("-")) s = QStringLiteral("0");
  return TryStrToInt(s, Value);
}

bool TProStringGrid::ParseFloatText(const QString& Text, double& Value) const {
  QString s = NormalizeNumberText(Text);
  if (s.isEmpty() || s == QLatin1String("-")) s = QStringLiteral("0");
  // Plain decimal with "." and an optional exponent; nothing else.
  bool ok = false;
  static const QRegularExpression number(
      QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  if (!number.match(s).hasMatch()) return false;
  Value = s.toDouble(&ok);
  return ok;
}

// ---------------------------------------------------------------------------
// Integers and floats

int TProStringGrid::Ints(int ACol, int ARow) {
  int v = 0;
  if (!ParseIntText(StrippedCells(ACol, ARow), v)) throw EProGridError(QString::fromLatin1(kNoInteger));
  return v;
}

void TProStringGrid::SetInts(int ACol, int ARow, int Value) {
  SetCells(ACol, ARow, QString::number(Value));
  if (NumHiddenColumns() > 0) RepaintCell(DisplColIndex(ACol), ARow);
}

int TProStringGrid::AllInts(int ACol, int ARow) {
  int v = 0;
  if (!ParseIntText(GetCellsEx(ACol, ARow), v)) throw EProGridError(QString::fromLatin1(kNoInteger));
  return v;
}

void TProStringGrid::SetAllInts(int ACol, int ARow, int Value) {
  SetCellsEx(ACol, ARow, QString::number(Value));
}

double TProStringGrid::Floats(int ACol, int ARow) {
  double v = 0;
  if (!ParseFloatText(StrippedCells(ACol, ARow), v)) throw EProGridError(QString::fromLatin1(kNoFloat));
  return v;
}

void TProStringGrid::SetFloats(int ACol, int ARow, double Value) {
  SetCells(ACol, ARow, Format(GetCellFloatFormat(ACol, ARow), {Value}));
}

double TProStringGrid::AllFloats(int ACol, int ARow) {
  double v = 0;
  if (!ParseFloatText(GetCellsEx(ACol, ARow), v)) throw EProGridError(QString::fromLatin1(kNoFloat));
  return v;
}

void TProStringGrid::SetAllFloats(int ACol, int ARow, double Value) {
  SetCellsEx(ACol, ARow, Format(FloatFormat(), {Value}));
}

QString TProStringGrid::GetCellFloatFormat(int, int) { return FloatFormat(); }

// ---------------------------------------------------------------------------
// Dates and times

TDateTime TProStringGrid::Dates(int ACol, int ARow) { return StrToDate(Cells(ACol, ARow)); }

void TProStringGrid::SetDates(int ACol, int ARow, TDateTime Value) {
  if (Value > 0 || ShowNullDates())
    SetCells(ACol, ARow, DateToStr(Value));
  else
    SetCells(ACol, ARow, QString());
}

TDateTime TProStringGrid::Times(int ACol, int ARow) { return StrToTime(Cells(ACol, ARow)); }

void TProStringGrid::SetTimes(int ACol, int ARow, TDateTime Value) {
  SetCells(ACol, ARow, TimeToStr(Value));
}

// ---------------------------------------------------------------------------
// Real-index access

QString TProStringGrid::GetCellsEx(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return QString();
  if (IsHiddenRow(ARow)) {
    for (int i = 0; i < GridItems()->Count(); ++i) {
      TGridItem* item = GridItems()->Items(i);
      if (item->Idx() != ARow) continue;
      // Beyond the kept cells the string list raises its index error.
      QString v = item->Items()->Strings(ACol);
      DoGetDisplText(ACol, ARow, v);
      return v;
    }
  }
  return Cells(ACol, DisplRowIndex(ARow));
}

void TProStringGrid::SetCellsEx(int ACol, int ARow, const QString& Value) {
  if (ACol < 0 || ARow < 0) return;
  if (IsHiddenRow(ARow)) {
    for (int i = 0; i < GridItems()->Count(); ++i) {
      TGridItem* item = GridItems()->Items(i);
      if (item->Idx() != ARow) continue;
      TStrings* cells = item->Items();
      while (cells->Count() <= ACol) cells->Add(QString());
      cells->SetStrings(ACol, Value);
      return;
    }
  }
  const int row = DisplRowIndex(ARow);
  SetCells(ACol, row, Value);
  if (DisplColIndex(ACol) != ACol) RepaintCell(DisplColIndex(ACol), row);
}

// ---------------------------------------------------------------------------
// Other views

QString TProStringGrid::StrippedCells(int ACol, int ARow) { return StripTags(Cells(ACol, ARow)); }

int TProStringGrid::LinesInCell(int ACol, int ARow) {
  return CountCellLines(Cells(ACol, ARow), true);
}

int TProStringGrid::PrintColWidth(int ACol) {
  if (ACol < 0 || ACol > 511) throw EProGridError(QStringLiteral("Columns is not in valid range"));
  return FPrintColWidths[ACol];
}

int TProStringGrid::PrintColOffset(int ACol) {
  if (ACol < 0 || ACol > 511) throw EProGridError(QStringLiteral("Columns is not in valid range"));
  return FPrintColOffsets[ACol];
}

QString TProStringGrid::CurrentCell() {
  const TPoint b = BaseCell(RealColIndex(Col()), Row());
  return GridCells(b.X, b.Y);
}

void TProStringGrid::SetCurrentCell(const QString& Value) {
  const TPoint b = BaseCell(RealColIndex(Col()), Row());
  SetCells(b.X, b.Y, Value);
}

// ---------------------------------------------------------------------------
// Fills

void TProStringGrid::FillCells(bool DoFixed, const std::function<void(int C, int R)>& Fill) {
  const int c0 = DoFixed ? 0 : FixedCols(), r0 = DoFixed ? 0 : FixedRows();
  const int c1 = DoFixed ? ColCount() - 1 : ColCount() - FixedRightCols() - 1;
  const int r1 = DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1;
  for (int r = r0; r <= r1; ++r)
    for (int c = c0; c <= c1; ++c) Fill(c, r);
  CellsLoaded();
}

void TProStringGrid::TextFill(bool DoFixed, const QString& Txt) {
  FillCells(DoFixed, [&](int C, int R) { SetCells(C, R, Txt); });
}

void TProStringGrid::FormatFill(bool DoFixed, const QString& Fmt) {
  FillCells(DoFixed, [&](int C, int R) { SetCells(C, R, Format(Fmt, {C, R})); });
}

void TProStringGrid::RandomFill(bool DoFixed, int Rnd) {
  FillCells(DoFixed, [&](int C, int R) {
    SetInts(C, R, Rnd > 0 ? int(QRandomGenerator::global()->bounded(Rnd)) : 0);
  });
}

void TProStringGrid::LinearFill(bool DoFixed) {
  FillCells(DoFixed, [&](int C, int R) {
    SetCells(C, R, QString::number(C) + u':' + QString::number(R));
  });
}

// ---------------------------------------------------------------------------
// Raw, wide and object access by real row

TGridItem* TProStringGrid::HiddenRowItem(int ARow) const {
  if (!IsHiddenRow(ARow)) return nullptr;
  for (int i = 0; i < GridItems()->Count(); ++i)
    if (GridItems()->Items(i)->Idx() == ARow) return GridItems()->Items(i);
  return nullptr;
}

QString TProStringGrid::GetGridCellsEx(int ACol, int ARow) {
  if (TGridItem* item = HiddenRowItem(ARow)) return item->Items()->Strings(ACol);
  return GridCells(ACol, DisplRowIndex(ARow));
}

void TProStringGrid::SetGridCellsEx(int ACol, int ARow, const QString& Value) {
  if (TGridItem* item = HiddenRowItem(ARow)) {
    // Not padded: the column must be among the kept cells already.
    item->Items()->SetStrings(ACol, Value);
    return;
  }
  SetGridCells(ACol, DisplRowIndex(ARow), Value);
}

TObject* TProStringGrid::GetRealCellObject(int ACol, int ARow) {
  if (TGridItem* item = HiddenRowItem(ARow)) return item->Items()->Objects(ACol);
  return GridObjects(ACol, DisplRowIndex(ARow));
}

TObject* TProStringGrid::AllObjects(int ACol, int ARow) {
  if (TGridItem* item = HiddenRowItem(ARow)) {
    TObject* o = item->Items()->Objects(ACol);
    if (auto* p = dynamic_cast<TCellProperties*>(o)) return p->CellObject();
    return o;
  }
  return GetObjectEx(ACol, DisplRowIndex(ARow));
}

void TProStringGrid::SetAllObjects(int ACol, int ARow, TObject* Value) {
  if (TGridItem* item = HiddenRowItem(ARow)) {
    // A kept slot holds the cell's property object or nothing; the user object
    // goes into a property object, made for it when the cell has none, so that
    // it comes back with the row.
    auto* p = dynamic_cast<TCellProperties*>(item->Items()->Objects(ACol));
    if (p == nullptr) {
      p = new TCellProperties(this, ACol, ARow);  // owned by the grid
      item->Items()->SetObjects(ACol, p);
    }
    p->SetCellObject(Value);
    return;
  }
  SetObjectEx(ACol, DisplRowIndex(ARow), Value);
}

// ---------------------------------------------------------------------------
// Sort order and column order

int TProStringGrid::SortedRowIndex(int ARow) {
  const int r = ARow >= 0 && ARow < FSortRowXRef->Count() ? FSortRowXRef->Items(ARow) : ARow;
  return RealRowIndex(r);
}

int TProStringGrid::UnSortedRowIndex(int ARow) {
  if (FSortRowXRef->Count() == 0) return ARow;
  const int p = FSortRowXRef->IndexOf(ARow);
  return p >= 0 ? p : FSortRowXRef->Count();
}

int TProStringGrid::UnSortedRow(int ARow) {
  if (FSortRowXRef->Count() < ARow) return ARow;
  return UnSortedRowIndex(ARow);
}

QString TProStringGrid::UnSortedCells(int ACol, int ARow) { return Cells(ACol, UnSortedRow(ARow)); }

void TProStringGrid::SetUnSortedCells(int ACol, int ARow, const QString& Value) {
  SetCells(ACol, UnSortedRow(ARow), Value);
}

// No column order is kept before columns can be moved: a column stands where
// it always stood.
QString TProStringGrid::OriginalCells(int ACol, int ARow) { return Cells(ACol, ARow); }

void TProStringGrid::SetOriginalCells(int ACol, int ARow, const QString& Value) {
  SetCells(ACol, ARow, Value);
}

// ---------------------------------------------------------------------------
// Header lists

std::unique_ptr<TStringList> TProStringGrid::MakeHeaderList(bool Columns) {
  auto list = std::make_unique<TStringList>();
  if (Columns)
    list->OnChange = [this](TObject*) {
      ColumnHeadersChanged();
      ShowColumnHeaders();
    };
  else
    list->OnChange = [this](TObject*) { ShowRowHeaders(); };
  return list;
}

void TProStringGrid::SetColumnHeaders(TStrings* Value) {
  if (FixedRows() > 0) ClearColumnHeaders();
  FColumnHeaders->Assign(Value);
}

void TProStringGrid::SetRowHeaders(TStrings* Value) {
  if (IsDesigning() && FixedCols() > 0) ClearRowHeaders();
  FRowHeaders->Assign(Value);
}

void TProStringGrid::ClearColumnHeaders() {
  for (int c = 0; c < ColCount(); ++c) SetCells(c, 0, QString());
}

void TProStringGrid::ShowColumnHeaders() {
  if (FixedRows() == 0) return;
  for (int i = 0; i < FColumnHeaders->Count() && i < TotalColCount(); ++i)
    SetCells(i, 0, UnescapeLineBreaks(FColumnHeaders->Strings(i)));
}

void TProStringGrid::ClearRowHeaders() {
  for (int r = 0; r < RowCount(); ++r) SetCells(0, r, QString());
}

void TProStringGrid::ShowRowHeaders() {
  if (FixedCols() == 0) return;
  for (int i = 0; i < FRowHeaders->Count() && i < RowCount(); ++i)
    SetCells(0, i, UnescapeLineBreaks(FRowHeaders->Strings(i)));
}
