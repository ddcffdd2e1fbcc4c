#include "controls/ProObj.h"

#include <algorithm>

#include "platform/rtl/SysUtils.h"

namespace {

constexpr uint32_t kDescending = 0x80000000u;
constexpr uint32_t kColumnBits = 0x7FFFFFFFu;

int AsInt(uint32_t v) { return static_cast<int>(v); }
uint32_t AsBits(int v) { return static_cast<uint32_t>(v); }

}  // namespace

// ---------------------------------------------------------------------------
// TIntList

void TIntList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TIntList::Changed() {
  if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::Add(int Value) {
  FList.push_back(Value);
  Changed();
  return Count() - 1;
}

void TIntList::Insert(int Index, int Value) {
  if (Index < 0 || Index > Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  FList.insert(FList.begin() + Index, Value);
}

void TIntList::Delete(int Index) {
  CheckIndex(Index);
  FList.erase(FList.begin() + Index);
  Changed();
}

void TIntList::DeleteValue(int Value) {
  const int i = IndexOf(Value);
  if (i >= 0) Delete(i);
}

int TIntList::IndexOf(int Value) const {
  const auto it = std::find(FList.begin(), FList.end(), Value);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TIntList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  std::swap(FList[Index1], FList[Index2]);
}

void TIntList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  const int v = FList[CurIndex];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, v);
}

void TIntList::Sort(const std::function<int(int, int)>& Compare) {
  std::stable_sort(FList.begin(), FList.end(),
                   [&](int a, int b) { return Compare(a, b) < 0; });
}

int TIntList::GetInteger(int Index) const {
  CheckIndex(Index);
  return FList[Index];
}

void TIntList::SetInteger(int Index, int Value) {
  CheckIndex(Index);
  FList[Index] = Value;
  Changed();
}

QString TIntList::StrValue() const {
  QString r;
  for (size_t i = 0; i < FList.size(); ++i) {
    if (i > 0) r += u',';
    r += QString::number(FList[i]);
  }
  return r;
}

void TIntList::SetStrValue(const QString& Value) {
  Clear();
  TStringList items;
  items.SetCommaText(Value);
  for (int i = 0; i < items.Count(); ++i) Add(StrToInt(items.Strings(i)));
}

// ---------------------------------------------------------------------------
// TSortIndexList

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending) {
  Add(Ascending ? ColumnIndex : AsInt(AsBits(ColumnIndex) | kDescending));
}

int TSortIndexList::FindIndex(int ColumnIndex) const {
  for (int i = 0; i < Count(); ++i)
    if ((AsBits(GetInteger(i)) & kColumnBits) == AsBits(ColumnIndex)) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex) {
  const int i = FindIndex(ColumnIndex);
  if (i >= 0) SetInteger(i, AsInt(AsBits(GetInteger(i)) ^ kDescending));
}

int TSortIndexList::SortColumns(int Index) const {
  return AsInt(AsBits(GetInteger(Index)) & kColumnBits);
}

void TSortIndexList::SetSortColumns(int Index, int Value) {
  const uint32_t dir = AsBits(GetInteger(Index)) & kDescending;
  SetInteger(Index, AsInt((AsBits(Value) & kColumnBits) | dir));
}

bool TSortIndexList::SortDirections(int Index) const {
  return (AsBits(GetInteger(Index)) & kDescending) == 0;
}

void TSortIndexList::SetSortDirections(int Index, bool Value) {
  const uint32_t col = AsBits(GetInteger(Index)) & kColumnBits;
  SetInteger(Index, AsInt(Value ? col : col | kDescending));
}

QString TSortIndexList::SaveToString() const {
  QString r;
  for (int i = 0; i < Count(); ++i) {
    const uint32_t e = AsBits(GetInteger(i));
    if (i > 0) r += u';';
    r += (e & kDescending) ? u'd' : u'u';
    r += QString::number(e & 0xFFFFu);
  }
  return r;
}

void TSortIndexList::LoadFromString(const QString& S) {
  Clear();
  QString rest = S;
  while (!rest.isEmpty()) {
    const qsizetype p = rest.indexOf(u';');
    const QString piece = p < 0 ? rest : rest.left(p);
    rest = p < 0 ? QString() : rest.mid(p + 1);
    if (piece.size() < 2) continue;
    // The column's digits start at the piece's second character.
    qint64 col = 0;
    for (qsizetype i = 1; i < piece.size() && piece[i] >= u'0' && piece[i] <= u'9'; ++i)
      col = (col * 10 + (piece[i].unicode() - u'0')) & 0xFFFFFFFF;
    AddIndex(AsInt(static_cast<uint32_t>(col) & kColumnBits), piece[0] == u'u');
  }
}

// ---------------------------------------------------------------------------
// TControlList

TControlList::~TControlList() {
  while (Count() > 0) RemoveControl(Count() - 1);
}

void TControlList::AddControl(int X, int Y, TControl* AObject) {
  FItems.push_back(std::make_unique<TControlItem>(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[i]->X() == X && FItems[i]->Y() == Y) return i;
  return -1;
}

TControlItem* TControlList::GetControl(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FItems[Index].get();
}

bool TControlList::HasHandle(HWND Handle) const {
  for (const auto& item : FItems) {
    auto* win = dynamic_cast<TWinControl*>(item->Control());
    if (win && win->HandleAllocated() && win->Handle() == Handle) return true;
  }
  return false;
}

void TControlList::RemoveControl(int Index) {
  GetControl(Index);  // index check
  FItems.erase(FItems.begin() + Index);
}

// ---------------------------------------------------------------------------
// TFileStringList

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(QString& S) {
  S = Strings(fp);
  ++fp;
}

void TFileStringList::Write(const QString& S) { cache += S; }

void TFileStringList::WriteLn(const QString& S) {
  Add(cache + S);
  cache.clear();
}
