// Typed cell values, column and row calculations and the floating footer's values.
#include <cmath>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"

namespace {

// The number of a cell text; false when it is none.
bool ParseFloat(const QString& Text, double& Value) {
  QString plain = NormalizeNumberText(Text);
  if (plain.isEmpty() || plain == QLatin1String("-")) plain = QStringLiteral("0");
  bool ok = false;
  Value = plain.toDouble(&ok);
  return ok;
}


}  // namespace

// ---------------------------------------------------------------- column values

namespace {

// The rows of a column calculation and how to read them.
struct TColumnRange {
  int From = 0, To = -1;
  bool AllRows = false;  // real rows, hidden ones included
};

}  // namespace

// Whether row r of a column calculation counts: a hidden row always, a shown
// one when the cell is not covered by a merge.
static bool RowCounts(TProStringGrid& G, const TColumnRange& Range, int ACol, int r) {
  if (Range.AllRows && G.IsHiddenRow(r)) return true;
  return G.IsBaseCell(ACol, Range.AllRows ? G.DisplRowIndex(r) : r);
}

static TColumnRange ColumnRangeOf(TProStringGrid& G, int FromRow, int ToRow) {
  TColumnRange r;
  if (FromRow == -1 || ToRow == -1) {
    FromRow = G.FixedRows();
    ToRow = G.RowCount() - G.FixedFooters() - 1;
  }
  r.From = FromRow;
  r.To = ToRow;
  // Beyond the rows shown: real rows, hidden ones included. With the floating
  // footer the last shown row above it is RowCount - 2, so one hidden row already
  // takes the range past it (and the footer's own row stays out of the sum).
  r.AllRows = G.FloatingFooter()->Visible() ? ToRow > G.RowCount() - 2 : ToRow > G.RowCount();
  return r;
}

double TProStringGrid::ColumnSum(int ACol, int FromRow, int ToRow) {
  const TColumnRange range = ColumnRangeOf(*this, FromRow, ToRow);
  ExportNotification(esExportStart, range.From);
  double sum = 0;
  for (int r = range.From; r <= range.To; ++r) {
    if (!RowCounts(*this, range, ACol, r)) continue;
    ExportNotification(esExportNextRow, r);
    double v = 0;
    if (ParseFloat(range.AllRows ? AllCells(ACol, r) : Cells(ACol, r), v)) sum += v;
  }
  ExportNotification(esExportDone, -1);
  return sum;
}

double TProStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow) {
  const TColumnRange range = ColumnRangeOf(*this, FromRow, ToRow);
  if (range.To < range.From) return 0;
  return ColumnSum(ACol, range.From, range.To) / (range.To - range.From + 1);
}

// The smallest (Better = less) or largest value of a column; the first cell
// must hold a number.
static double ColumnExtreme(TProStringGrid& G, int ACol, int FromRow, int ToRow,
                            bool (*Better)(double, double)) {
  const TColumnRange range = ColumnRangeOf(G, FromRow, ToRow);
  double result = G.Floats(ACol, range.From);
  for (int r = range.From; r <= range.To; ++r) {
    double v = 0;
    if (!RowCounts(G, range, ACol, r)) continue;
    if (ParseFloat(range.AllRows ? G.AllCells(ACol, r) : G.Cells(ACol, r), v) && Better(v, result))
      result = v;
  }
  return result;
}

static bool Less(double a, double b) { return a < b; }
static bool Greater(double a, double b) { return a > b; }

double TProStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
  return ColumnExtreme(*this, ACol, FromRow, ToRow, Less);
}

double TProStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
  return ColumnExtreme(*this, ACol, FromRow, ToRow, Greater);
}

double TProStringGrid::ColumnStdDev(int ACol, int FromRow, int ToRow) {
  const TColumnRange range = ColumnRangeOf(*this, FromRow, ToRow);
  if (range.To < range.From) return 0;
  const double avg = ColumnAvg(ACol, range.From, range.To);
  ExportNotification(esExportStart, range.From);
  double squares = 0;
  for (int r = range.From; r <= range.To; ++r) {
    const double d = (range.AllRows ? AllFloats(ACol, r) : Floats(ACol, r)) - avg;
    squares += d * d;
  }
  ExportNotification(esExportDone, -1);
  return std::sqrt(squares / (range.To - range.From + 1));
}

double TProStringGrid::ColumnDistinct(int ACol, int FromRow, int ToRow) {
  const TColumnRange range = ColumnRangeOf(*this, FromRow, ToRow);
  TStringList seen;
  seen.SetSorted(true);
  seen.SetDuplicates(dupIgnore);
  for (int r = range.From; r <= range.To; ++r) {
    ExportNotification(esExportNextRow, r);
    seen.Add(range.AllRows ? AllCells(ACol, r) : Cells(ACol, r));
  }
  return seen.Count();
}

double TProStringGrid::ColumnCustomCalc(int ACol, int FromRow, int ToRow) {
  double result = 0;
  if (OnColumnCalc) OnColumnCalc(this, ACol, FromRow, ToRow, result);
  return result;
}

// ------------------------------------------------------------------ row values

double TProStringGrid::RowSum(int ARow, int FromCol, int ToCol) {
  double sum = 0;
  for (int c = FromCol; c <= ToCol; ++c) {
    double v = 0;
    if (IsBaseCell(c, ARow) && ParseFloat(Cells(c, ARow), v)) sum += v;
  }
  return sum;
}

double TProStringGrid::RowAvg(int ARow, int FromCol, int ToCol) {
  if (ToCol < FromCol) return 0;
  return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

static double RowExtreme(TProStringGrid& G, int ARow, int FromCol, int ToCol,
                         bool (*Better)(double, double)) {
  double result = G.Floats(FromCol, ARow);
  for (int c = FromCol; c <= ToCol; ++c) {
    double v = 0;
    if (G.IsBaseCell(c, ARow) && ParseFloat(G.Cells(c, ARow), v) && Better(v, result)) result = v;
  }
  return result;
}

double TProStringGrid::RowMin(int ARow, int FromCol, int ToCol) {
  return RowExtreme(*this, ARow, FromCol, ToCol, Less);
}

double TProStringGrid::RowMax(int ARow, int FromCol, int ToCol) {
  return RowExtreme(*this, ARow, FromCol, ToCol, Greater);
}

// ------------------------------------------------------------ the footer's values

void TProStringGrid::CalcFooter(int ACol) {
  if (!FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
      !FFloatingFooter->EnableCalculation())
    return;
  const int last = RowCount() - 1;
  const int h = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
  const int from = ACol < 0 ? 0 : ACol, to = ACol < 0 ? TotalColCount() - 1 : ACol;
  for (int c = from; c <= to; ++c) {
    if (!HasCellProperties(c, last)) continue;
    const TColumnCalcType kind = TColumnCalcType(GetCellProperties(c, last)->CalcType() & 0x7F);
    if (kind == acNONE || kind == acSPREAD) continue;
    const int fromRow = FixedRows(), toRow = RowCount() - 2 + h;
    QString text;
    switch (kind) {
      case acSUM:
        text = Format(GetCellFloatFormat(c, last), {ColumnSum(c, fromRow, toRow)});
        break;
      case acAVG:
        text = Format(GetCellFloatFormat(c, last), {ColumnAvg(c, fromRow, toRow)});
        break;
      case acMIN:
        text = Format(GetCellFloatFormat(c, last), {ColumnMin(c, fromRow, toRow)});
        break;
      case acMAX:
        text = Format(GetCellFloatFormat(c, last), {ColumnMax(c, fromRow, toRow)});
        break;
      case acDISTINCT:
        text = Format(GetCellFloatFormat(c, last), {ColumnDistinct(c, fromRow, toRow)});
        break;
      case acSTDDEV:
        text = Format(GetCellFloatFormat(c, last), {ColumnStdDev(c, fromRow, toRow)});
        break;
      case acCOUNT:
        text = QString::number(RowCount() - FixedRows() - 1 + h);
        break;
      case acCUSTOM:
        if (OnFooterCalc)
          OnFooterCalc(this, c, RowCount() - 1 + h, text);
        else if (FFloatingFooter->OnCalcFooter)
          FFloatingFooter->OnCalcFooter(this, c, RowCount() - 1 + h, text);
        break;
      default:
        break;
    }
    SetGridCells(c, last, text);
  }
}
