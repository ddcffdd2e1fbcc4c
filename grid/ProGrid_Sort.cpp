// Sort settings of the string grid.
#include "grid/ProGrid_Sort.h"

#include <QScopeGuard>
#include <functional>
#include <vector>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_p.h"

TSortSettings::TSortSettings(TProStringGrid* AOwner)
    : FOwner(AOwner),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>()) {}

TSortSettings::~TSortSettings() = default;

TPersistent* TSortSettings::GetOwner() { return FOwner; }

void TSortSettings::SetShow(bool Value) {
  F.Show = Value;
  if (FOwner) FOwner->Invalidate();
}

void TSortSettings::SetRow(int Value) {
  if (FOwner && Value >= FOwner->FixedRows())
    throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
  F.Row = Value;
}

void TSortSettings::RepaintHeader() {
  if (FOwner) FOwner->RepaintLastFixedRow();
}

void TSortSettings::SetHeaderColour(TColor& Field, TColor Value) {
  if (Field == Value) return;
  Field = Value;
  RepaintHeader();
}

void TSortSettings::SetHeaderColor(TColor Value) { SetHeaderColour(F.HeaderColor, Value); }
void TSortSettings::SetHeaderColorTo(TColor Value) { SetHeaderColour(F.HeaderColorTo, Value); }
void TSortSettings::SetHeaderMirrorColor(TColor Value) {
  SetHeaderColour(F.HeaderMirrorColor, Value);
}
void TSortSettings::SetHeaderMirrorColorTo(TColor Value) {
  SetHeaderColour(F.HeaderMirrorColorTo, Value);
}

void TSortSettings::SetUpGlyph(TBitmap* Value) { FUpGlyph->Assign(Value); }
void TSortSettings::SetDownGlyph(TBitmap* Value) { FDownGlyph->Assign(Value); }
void TSortSettings::SetIndexUpGlyph(TBitmap* Value) { FIndexUpGlyph->Assign(Value); }
void TSortSettings::SetIndexDownGlyph(TBitmap* Value) { FIndexDownGlyph->Assign(Value); }

QString TSortSettings::SaveToString() const {
  if (F.IndexShow)
    return QStringLiteral("i;") + (FOwner ? FOwner->SortIndexes()->SaveToString() : QString());
  return (F.Direction == sdDescending ? QStringLiteral("d") : QStringLiteral("u")) +
         QString::number(F.Column);
}

void TSortSettings::LoadFromString(const QString& Value) {
  if (Value.isEmpty()) return;
  F.Show = true;
  if (Value.length() < 2) throw Exception(QStringLiteral("Invalid sort settings specifier"));
  if (Value.contains(QStringLiteral("i;"))) {
    F.IndexShow = true;
    const QString rest = Value.mid(2);
    if (!rest.isEmpty() && FOwner) {
      FOwner->SortIndexes()->LoadFromString(rest);
      FOwner->QSortIndexed();
    }
    return;
  }
  F.IndexShow = false;
  F.Direction = Value.contains(u'u') ? sdAscending : sdDescending;
  int column = 0;
  if (TryStrToInt(Value.mid(1), column)) {
    F.Column = column;
    if (FOwner) FOwner->QSort();
  }
}

void TSortSettings::Remove() {
  F.Column = -1;
  if (FOwner) FOwner->SortIndexes()->Clear();
  RepaintHeader();
}

void TSortSettings::ToggleDirection() {
  F.Direction = F.Direction == sdAscending ? sdDescending : sdAscending;
}

void TSortSettings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSortSettings*>(Source);
  if (!src) return;
  const bool ignoreCase = F.IgnoreCase;
  const bool virtualCells = F.SortOnVirtualCells;
  F = src->F;
  F.IgnoreCase = ignoreCase;
  F.SortOnVirtualCells = virtualCells;
  FUpGlyph->Assign(src->FUpGlyph.get());
  FDownGlyph->Assign(src->FDownGlyph.get());
  FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
  FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
}

// ---------------------------------------------------------------------------
// Sorting the grid's rows

QString GridTextWithoutTags(const QString& S) {
  QString out;
  bool inTag = false;
  for (QChar ch : S) {
    if (ch == u'<')
      inTag = true;
    else if (ch == u'>' && inTag)
      inTag = false;
    else if (!inTag)
      out.append(ch);
  }
  return out;
}

namespace {

int Sign(int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; }
template <typename T>
int Compare3(T a, T b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

// The number of a numeric sort text: prefix and suffix removed (first
// occurrence), with Financial the thousands separators too, the decimal
// separator read as a point. A text that is no number counts as 0.
double SortNumber(QString S, const QString& Prefix, const QString& Suffix, bool Financial) {
  if (!Prefix.isEmpty()) S.remove(S.indexOf(Prefix), S.indexOf(Prefix) >= 0 ? Prefix.size() : 0);
  if (!Suffix.isEmpty()) S.remove(S.indexOf(Suffix), S.indexOf(Suffix) >= 0 ? Suffix.size() : 0);
  const QChar thousands = FormatSettings.ThousandSeparator;
  if (Financial && !thousands.isNull()) S.remove(thousands);
  const QChar dec = FormatSettings.DecimalSeparator;
  if (dec != u'.') {
    const int at = S.indexOf(dec);
    if (at >= 0) S[at] = u'.';
  }
  bool ok = false;
  const double v = S.trimmed().toDouble(&ok);
  return ok ? v : 0;
}

bool IsNumberText(const QString& S) { return !S.isEmpty() && ClassifyNumberText(S) != ntkNone; }

// A separator at 1-based position p with 2 <= p < length, p < 4 and digits on
// both sides.
bool SeparatorLeadsTo(const QString& S, QChar Sep) {
  const int p = S.indexOf(Sep) + 1;
  return p >= 2 && p < S.size() && p < 4 && S[p - 2].isDigit() && S[p].isDigit();
}

double DateValue(const QString& S) {
  TDateTime v = 0;
  if (S.isEmpty()) return 0;
  try {
    v = StrToDateTime(S);
  } catch (const Exception&) {
    return 0;
  }
  return v;
}

double TimeValue(const QString& S) {
  TDateTime v = 0;
  return TryStrToTime(S, v) ? v : 0;
}

double ParsedDate(TDateTime (*Parse)(const QString&), const QString& S) {
  try {
    return Parse(S);
  } catch (const Exception&) {
    return 0;
  }
}

}  // namespace

void TProStringGrid::InitSortXRef() {
  FSortRowXRef->Clear();
  for (int r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
}

int TProStringGrid::CompareRowCells(int ACol, int ARow1, int ARow2, bool ADescending) {
  ++FCompares;
  TSortStyle style = FSortSettings->AutoFormat()   ? ssAutomatic
                     : FSortSettings->IgnoreCase() ? ssAlphaNoCase
                                                   : ssAlphabetic;
  QString prefix, suffix;
  GetCellFormat(ACol, style, prefix, suffix);
  const bool display = FSortSettings->SortOnVirtualCells();
  const QString s1 = display ? Cells(ACol, ARow1) : GridCells(ACol, ARow1);
  const QString s2 = display ? Cells(ACol, ARow2) : GridCells(ACol, ARow2);

  if (style == ssAutomatic) {
    if (IsNumberText(s1)) {
      style = ssNumeric;
    } else {
      style = FSortSettings->IgnoreCase() ? ssAlphaNoCase : ssAlphabetic;
      const QChar dateSep = FormatSettings.DateSeparator, timeSep = FormatSettings.TimeSeparator;
      if (SeparatorLeadsTo(s1, dateSep)) {
        if (s2.contains(dateSep)) style = s1.contains(timeSep) ? ssDateTime : ssDate;
      } else if (SeparatorLeadsTo(s1, timeSep) && s2.contains(timeSep)) {
        style = ssTime;
      }
    }
  }
  if (style == ssAlphaNumeric || style == ssAlphaNumericNoCase) {
    if (IsNumberText(s1) && IsNumberText(s2))
      style = ssNumeric;
    else
      style = style == ssAlphaNumeric ? ssAlphabetic : ssAlphaNoCase;
  }

  int res = 1;
  switch (style) {
    case ssAlphabetic:
    case ssAlphaCase: res = Sign(QString::compare(s1, s2)); break;
    case ssAlphaNoCase: res = Sign(QString::compare(UpperCase(s1), UpperCase(s2))); break;
    case ssAnsiAlphaCase: res = Sign(AnsiCompareStr(s1, s2)); break;
    case ssAnsiAlphaNoCase: res = Sign(AnsiCompareText(s1, s2)); break;
    case ssHTML: res = Sign(QString::compare(GridTextWithoutTags(s1), GridTextWithoutTags(s2))); break;
    case ssNumeric:
    case ssFinancial:
      res = Compare3(SortNumber(s1, prefix, suffix, style == ssFinancial),
                     SortNumber(s2, prefix, suffix, style == ssFinancial));
      break;
    case ssDate:
    case ssDateTime: res = Compare3(DateValue(s1), DateValue(s2)); break;
    case ssTime: res = Compare3(TimeValue(s1), TimeValue(s2)); break;
    case ssShortDateEU:
      res = Compare3(ParsedDate(ParseDateDMY, s1), ParsedDate(ParseDateDMY, s2));
      break;
    case ssShortDateUS:
      res = Compare3(ParsedDate(ParseDateMDY, s1), ParsedDate(ParseDateMDY, s2));
      break;
    case ssCustom:
      res = 0;
      if (OnCustomCompare) OnCustomCompare(this, s1, s2, res);
      break;
    case ssRaw:
      res = 0;
      if (OnRawCompare) OnRawCompare(this, ACol, ARow1, ARow2, res);
      break;
    default: res = 0; break;  // check boxes and images: this grid has no cell graphics yet
  }

  // Empty cells go first or last whatever the direction.
  if (FSortSettings->IgnoreBlanks() && (s1.isEmpty() != s2.isEmpty())) {
    const bool last = FSortSettings->BlankPos() == blLast;
    res = s1.isEmpty() == last ? 1 : -1;
    if (ADescending) res = -res;
  }
  return res;
}

int TProStringGrid::CompareRowsFromCol(int ACol, int ARow1, int ARow2) {
  for (int col = ACol;; ++col) {
    if (IsIgnoredColumn(col)) return 0;
    const int r = CompareRowCells(col, ARow1, ARow2, FSortSettings->Direction() == sdDescending);
    if (r != 0 || !FSortSettings->Full() || col > ColCount() - 2) return r;
  }
}

int TProStringGrid::CompareRowsIndexed(int Index, int ARow1, int ARow2) {
  for (int i = Index; i < FSortIndexes->Count(); ++i) {
    const int entry = FSortIndexes->Items(i);
    const int col = entry & 0x7FFFFFFF;
    const bool descending = entry < 0;
    const int r = IsIgnoredColumn(col) ? 0 : CompareRowCells(col, ARow1, ARow2, descending);
    if (r != 0 || !FSortSettings->Full()) return descending ? -r : r;
  }
  return 0;
}

int TProStringGrid::LastSortRow() const {
  return RowCount() - FFixedFooters - 1 - (FFloatingFooter->Visible() && FFixedFooters == 0 ? 1 : 0);
}

void TProStringGrid::SortSwapRows(int ARow1, int ARow2) {
  ++FSwaps;
  if (ARow1 < FSortRowXRef->Count() && ARow2 < FSortRowXRef->Count())
    FSortRowXRef->Exchange(ARow1, ARow2);
  if (FSortSettings->SingleColumn()) {
    SwapCells(TGridCoord{FSortSettings->Column(), ARow1}, TGridCoord{FSortSettings->Column(), ARow2});
  } else {
    for (int c = 0; c < StoredColCount(); ++c) SwapCells(TGridCoord{c, ARow1}, TGridCoord{c, ARow2});
    const int h1 = RowHeights(ARow1), h2 = RowHeights(ARow2);
    if (h1 != h2) {
      SetRowHeights(ARow1, h2);
      SetRowHeights(ARow2, h1);
    }
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
      const int a = RealRowIndex(ARow1), b = RealRowIndex(ARow2);
      const size_t need = size_t(std::max(a, b)) + 1;
      if (FRowSelect.size() < need) FRowSelect.resize(need, false);
      const bool flag = FRowSelect[size_t(a)];
      FRowSelect[size_t(a)] = FRowSelect[size_t(b)];
      FRowSelect[size_t(b)] = flag;
    }
    if (FShowModified->Enabled()) {
      const bool m1 = RowModified(ARow1), m2 = RowModified(ARow2);
      if (m1 != m2) {
        SetRowModified(ARow1, m2);
        SetRowModified(ARow2, m1);
      }
    }
  }
  if (FSortRow == ARow1)
    FSortRow = ARow2;
  else if (FSortRow == ARow2)
    FSortRow = ARow1;
}

void TProStringGrid::SortRowRange(int From, int To, const std::function<bool(int, int)>& Less) {
  if (To <= From) return;
  // A merge sort over the row numbers: it asks each pair at most once per
  // merge and never leaves the range, whatever the comparisons answer.
  std::vector<int> order(size_t(To - From + 1));
  for (size_t i = 0; i < order.size(); ++i) order[i] = From + int(i);
  std::vector<int> buffer(order.size());
  std::function<void(size_t, size_t)> sort = [&](size_t lo, size_t hi) {
    if (hi - lo < 2) return;
    const size_t mid = (lo + hi) / 2;
    sort(lo, mid);
    sort(mid, hi);
    size_t a = lo, b = mid, k = lo;
    while (a < mid && b < hi) buffer[k++] = Less(order[b], order[a]) ? order[b++] : order[a++];
    while (a < mid) buffer[k++] = order[a++];
    while (b < hi) buffer[k++] = order[b++];
    std::copy(buffer.begin() + long(lo), buffer.begin() + long(hi), order.begin() + long(lo));
  };
  sort(0, order.size());
  // The rows move into the new order by exchanges, so that everything that
  // belongs to a row goes with it.
  std::vector<int> at(order.size()), where(order.size());
  for (size_t i = 0; i < order.size(); ++i) at[i] = where[i] = int(i);
  for (size_t i = 0; i < order.size(); ++i) {
    const int wanted = order[i] - From;
    const int j = where[size_t(wanted)];
    if (j == int(i)) continue;
    SortSwapRows(From + int(i), From + j);
    const int displaced = at[i];
    at[size_t(j)] = displaced;
    where[size_t(displaced)] = j;
    at[i] = wanted;
    where[size_t(wanted)] = int(i);
  }
}

void TProStringGrid::RunSort(const std::function<bool(int, int)>& Less, bool FireRowUpdate) {
  if (FSortRowXRef->Count() != RowCount()) InitSortXRef();
  const bool normalCellsOnly = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
  std::vector<QString> column0;
  if (normalCellsOnly)
    for (int r = 0; r < RowCount(); ++r) column0.push_back(GridCells(0, r));
  const int top = TopRow(), oldRow = Row();
  FSortRow = Row();
  auto restore = qScopeGuard([&] {
    if (normalCellsOnly)
      for (int r = 0; r < RowCount() && r < int(column0.size()); ++r)
        SetGridCells(0, r, column0[size_t(r)]);
    if (FNavigation->KeepScrollOnSort()) SetTopRow(top);
    Invalidate();
  });
  SortRowRange(FirstSortRow(), LastSortRow(), Less);
  if (!FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) TBaseGrid::SetRow(FSortRow);
  if (FireRowUpdate && OnRowUpdate && !FNavigation->MoveRowOnSort())
    OnRowUpdate(this, oldRow, Row());
}

void TProStringGrid::QSort() {
  if (FSortSettings->Column() < 0) return;
  FSortIndexes->Clear();
  FSortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
  const int col = FSortSettings->Column();
  RunSort([&](int a, int b) { return CompareRowsFromCol(col, a, b) == -FSortDir; }, true);
}

void TProStringGrid::QSortIndexed() {
  if (FSortIndexes->Count() == 0)
    throw EProGridError(QStringLiteral("No indexes specified for indexed sort"));
  RunSort([&](int a, int b) { return CompareRowsIndexed(0, a, b) == -1; }, false);
}

void TProStringGrid::QUnSort() {
  if (FSortRowXRef->Count() != RowCount()) return;
  std::vector<int> origin;
  for (int r = 0; r < RowCount(); ++r) origin.push_back(FSortRowXRef->Items(r));
  const bool normalCellsOnly = FSortSettings->NormalCellsOnly() && FixedCols() > 0;
  std::vector<QString> column0;
  if (normalCellsOnly)
    for (int r = 0; r < RowCount(); ++r) column0.push_back(GridCells(0, r));
  SortRowRange(0, RowCount() - 1,
               [&](int a, int b) { return origin[size_t(a)] < origin[size_t(b)]; });
  if (normalCellsOnly)
    for (int r = 0; r < RowCount(); ++r) SetGridCells(0, r, column0[size_t(r)]);
  Invalidate();
}

void TProStringGrid::Sort(int Column, TSortDirection Direction) {
  FSortSettings->SetColumn(Column);
  FSortSettings->SetDirection(Direction);
  QSort();
}

void TProStringGrid::SortByColumn(int Col) {
  if (RowCount() <= 1) return;
  FSortSettings->SetColumn(Col);
  QSort();
}
