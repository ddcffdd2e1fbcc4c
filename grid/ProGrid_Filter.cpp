// Filter conditions, the filter drop-down look and the filter lists.
#include "grid/ProGrid_Filter.h"

#include <cmath>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_p.h"
#include "platform/ui/Messages.h"

// ------------------------------------------------------------ conditions

void TFilterData::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFilterData*>(Source);
  if (!src) {
    TCollectionItem::Assign(Source);
    return;
  }
  FColumn = src->FColumn;
  FCondition = src->FCondition;
  FCaseSensitive = src->FCaseSensitive;
  FData = src->FData;
  FPrefix = src->FPrefix;
  FSuffix = src->FSuffix;
  FOperation = src->FOperation;
}

TFilter::TFilter(TProStringGrid* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TFilterData>()), FGrid(AOwner) {}

TFilterData* TFilter::Add() {
  auto* item = static_cast<TFilterData*>(TCollection::Add());
  item->SetOperation(Count() == 1 ? foNONE : foAND);
  return item;
}

TFilterData* TFilter::Insert(int Index) {
  return static_cast<TFilterData*>(TCollection::Insert(Index));
}

TFilterData* TFilter::GetColFilter(int Col) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return Items(i);
  TFilterData* item = Add();
  item->SetColumn(Col);
  return item;
}

bool TFilter::HasFilter(int Col) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Column() == Col) return true;
  return false;
}

void TFilter::RemoveColumnFilter(int Col) {
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->Column() == Col) Delete(i);
  if (FGrid) FGrid->RepaintCell(Col, 0);
}

// ------------------------------------------------------------ drop-down look

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()),
      FGlyph(std::make_unique<TBitmap>()),
      FGlyphActive(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  FGlyphActive->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TFilterDropDown::~TFilterDropDown() {
  FGlyph->OnChange = nullptr;
  FGlyphActive->OnChange = nullptr;
}

void TFilterDropDown::GlyphChanged(TObject*) {
  if (OnChange) OnChange(this);
}

void TFilterDropDown::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
void TFilterDropDown::SetGlyphActive(TBitmap* Value) { FGlyphActive->Assign(Value); }

void TFilterDropDown::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFilterDropDown*>(Source);
  if (!src) return;
  FColor = src->FColor;
  FColumnWidth = src->FColumnWidth;
  FFont->Assign(src->FFont.get());
  FHeight = src->FHeight;
  FWidth = src->FWidth;
  FGlyph->Assign(src->FGlyph.get());
  FGlyphActive->Assign(src->FGlyphActive.get());
}

// ------------------------------------------------------------ filter lists

void TDropList::Pick() {
  SetVisible(false);
  if (OnSelect) OnSelect(this, ItemIndex());
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TListBox::MouseUp(Button, Shift, X, Y);
  Pick();
}

void TDropList::KeyDown(Word& Key, TShiftState Shift) {
  TListBox::KeyDown(Key, Shift);
  if (Key == VK_RETURN) Pick();
}

void TDropCheckList::ClickCheck() {
  if (OnSelect) OnSelect(this, -1);
}

// ---------------------------------------------------------------------------
// Filtering the grid's rows

bool TProStringGrid::MatchFilter(int ARow) {
  bool result = true;
  for (int i = 0; i < FFilter->Count(); ++i) {
    TFilterData* f = FFilter->Items(i);
    QString text;
    switch (f->Data()) {
      case fcNormal: text = GridCells(f->Column(), ARow); break;
      case fcStripHTML: text = GridTextWithoutTags(Cells(f->Column(), ARow)); break;
      case fcRow: {
        QStringList cells;
        for (int c = 0; c < ColCount(); ++c) cells << Cells(c, ARow);
        text = cells.join(QStringLiteral("\r\n"));
        break;
      }
      default: text = Cells(f->Column(), ARow); break;
    }
    text = Trim(text);
    if (text.contains(QLatin1String("|\\"))) text = DecodeWideText(text);
    bool match = false;
    if (f->Data() == fcRow) {
      match = UpperCase(text).contains(UpperCase(f->Condition()));
    } else {
      if (!f->Prefix().isEmpty() && text.startsWith(f->Prefix())) text.remove(0, f->Prefix().size());
      if (!f->Suffix().isEmpty()) {
        const int at = text.indexOf(f->Suffix());
        if (at >= 0 && at + f->Suffix().size() == text.size()) text.truncate(at);
      }
      try {
        match = f->Condition().isEmpty() ||
                (f->Method() == fmExpression
                     ? MatchFilterExpression(f->Condition(), text, f->CaseSensitive())
                     : text == f->Condition());
      } catch (const Exception&) {
        match = false;
      }
    }
    switch (f->Operation()) {
      case foSHORT: result = match; break;
      case foNONE: result = match; break;
      case foAND: result = result && match; break;
      case foXOR: result = result != match; break;
      case foOR: result = result || match; break;
    }
    if (f->Operation() == foSHORT && !match) break;
  }
  if (OnCustomFilter) OnCustomFilter(this, ARow, result);
  return result;
}

void TProStringGrid::ApplyFilter() {
  FFilterFixedRows = FixedRows();
  TIntList failing(0, 0);
  const int first = FixedRows(), last = RowCount() - FFixedFooters - 1;
  const int total = last - first + 1;
  for (int r = first; r <= last; ++r) {
    if (!MatchFilter(r)) failing.Add(r);
    if (OnFilterProgress && total > 0)
      OnFilterProgress(this, int(std::lround(double(r - first + 1) / total * 100)));
  }
  if (OnFilterProgress && total > 0) OnFilterProgress(this, 100);
  HideRowList(&failing);
}

void TProStringGrid::SetFilterActive(bool Value) {
  if (Value != FFilterActive) {
    FFilterActive = Value;
    if (Value) {
      if (Col() >= ColCount() || Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
      ApplyFilter();
      FSelHidden = false;
    } else {
      UnHideRowList();
      SetFixedRows(FFilterFixedRows);
      if (FSelHidden) UnHideSelection();
    }
    SetTopRow(FixedRows());
  }
  CalcFooter(-1);
}

bool TProStringGrid::RemoveLastFilter() {
  if (FFilterLevel <= 0) return false;
  UnHideRowList();
  SetFixedRows(FFilterFixedRows);
  if (FSelHidden) UnHideSelection();
  CalcFooter(-1);
  --FFilterLevel;
  return true;
}

void TProStringGrid::RemoveAllFilters() {
  if (FFilterLevel > 0) {
    while (FFilterLevel > 0) RemoveLastFilter();
  } else {
    FFilter->Clear();
  }
}

void TProStringGrid::NarrowDown(const QString& ACondition, int AColumn) {
  FFixedRowAlways = true;
  auto setUp = [&] {
    FFilter->Clear();
    TFilterData* f = FFilter->Add();
    if (AColumn == -1) {
      f->SetData(fcRow);
      f->SetCondition(ACondition);
    } else {
      f->SetData(fcNormal);
      QString condition = QStringLiteral("*") + ACondition + QStringLiteral("*");
      if (condition.contains(u' ')) condition = u'"' + condition + u'"';
      f->SetCondition(condition);
    }
    f->SetCaseSensitive(false);
    f->SetColumn(AColumn);
  };
  if (ACondition.size() == FLastFilter.size() + 1 && ACondition.startsWith(FLastFilter)) {
    setUp();
    ApplyFilter();
  } else if (!FLastFilter.isEmpty() && FLastFilter.size() == ACondition.size() + 1 &&
             FLastFilter.startsWith(ACondition)) {
    RemoveLastFilter();
  } else {
    RemoveAllFilters();
    if (!ACondition.isEmpty()) {
      setUp();
      ApplyFilter();
    }
  }
  // Rows hidden otherwise than by this filtering stay hidden (and kept).
  FLastFilter = ACondition;
}

// ------------------------------------------------------------ the filter lists

namespace {

// An entry of a filter list: the name shown (before the first "=") and the
// condition (after it); a plain value is both.
void SplitFilterEntry(const QString& Entry, QString& Name, QString& Condition) {
  const int eq = Entry.indexOf(u'=');
  Name = eq >= 0 ? Entry.left(eq) : Entry;
  Condition = eq >= 0 ? Entry.mid(eq + 1) : Entry;
}

}  // namespace

void TProStringGrid::FilterDropListSelect(int Index) {
  if (HandleAllocated() && CanFocus()) SetFocus();
  const int col = FFilterCol;
  FFilterCol = -1;
  if (col < 0 || col >= TotalColCount()) return;
  GetColumnFilter(col);
  if (Index < 0 || Index >= FFilterList->Count()) return;
  QString name, condition;
  SplitFilterEntry(FFilterList->Strings(Index), name, condition);
  if (F.AutoFilterUpdate) SetFilterActive(false);
  if (condition == F.FilterDropDownClear) condition.clear();
  if (OnFilterSelect) OnFilterSelect(this, col, Index, name, condition);
  if (!condition.isEmpty())
    FFilter->GetColFilter(col)->SetCondition(condition);
  else
    FFilter->RemoveColumnFilter(col);
  if (F.AutoFilterUpdate) {
    FFixedRowAlways = true;
    SetFilterActive(true);
    if (RowCount() > FixedRows()) SetRow(FixedRows());
    DoFilterDone();
  }
}

void TProStringGrid::FilterDropCheckListSelect() {
  const int col = FFilterCol;
  if (col < 0 || col >= TotalColCount()) return;
  GetColumnFilter(col);
  if (F.AutoFilterUpdate) SetFilterActive(false);
  FFilter->Clear();
  for (int i = 0; i < FDropCheckList->Count() && i < FFilterList->Count(); ++i) {
    if (!FDropCheckList->Checked(i)) continue;
    QString name, condition;
    SplitFilterEntry(FFilterList->Strings(i), name, condition);
    if (condition == F.FilterDropDownClear) condition.clear();
    if (OnFilterCheck) OnFilterCheck(this, col, i, name, condition, FDropCheckList);
    TFilterData* f = FFilter->Add();
    f->SetCondition(condition);
    f->SetColumn(col);
    f->SetOperation(FFilter->Count() == 1 ? foNONE : foOR);
  }
  SetFilterActive(true);
  FDropCheckList->Invalidate();
}
