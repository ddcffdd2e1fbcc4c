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
