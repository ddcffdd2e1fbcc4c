// Sort settings of the string grid.
#include "grid/ProGrid_Sort.h"

#include "grid/ProGrid.h"

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
