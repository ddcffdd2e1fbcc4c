// Column widths and positions in a settings store, and the column-state text.
#include <memory>

#include "grid/ProGrid.h"
#include "platform/rtl/IniFiles.h"

namespace {

// The store named by the grid's column-size settings; nullptr when there is
// none to use (no key or section, or in the designer).
std::unique_ptr<TCustomIniFile> OpenColumnStore(TProStringGrid& G) {
  TColumnSize* cs = G.ColumnSize();
  if (cs->Key().isEmpty() || cs->Section().isEmpty() || G.IsDesigning()) return nullptr;
  if (cs->Location() == clIniFile) return std::make_unique<TMemIniFile>(cs->Key());
  return std::make_unique<TRegistryIniFile>(cs->Key());
}

QString Joined(const std::vector<int>& Values) {
  QStringList parts;
  for (int v : Values) parts << QString::number(v);
  return parts.join(u',');
}

// The numbers of a comma list (strict conversion: EConvertError on anything else).
std::vector<int> Numbers(const QString& Field) {
  std::vector<int> values;
  if (Field.isEmpty()) return values;
  for (const QString& part : Field.split(u',')) values.push_back(StrToInt(part));
  return values;
}

// For each value p = 0 .. n - 1, the position at which it stands in Order.
std::vector<int> Inverse(const std::vector<int>& Order) {
  std::vector<int> inverse;
  for (int p = 0; p < int(Order.size()); ++p) {
    const auto it = std::find(Order.begin(), Order.end(), p);
    if (it != Order.end()) inverse.push_back(int(it - Order.begin()));
  }
  return inverse;
}

}  // namespace

void TProStringGrid::CreateWnd() {
  if (ComponentState().contains(csDestroying)) return;
  TBaseGrid::CreateWnd();
  SetTimer(Handle(), GridTimerId, 500);
  if (!Parent()) return;
  ScrollWindowCreated();
  FFooterPanel->SetParent(this);
  FFooterPanel->SetVisible(FFloatingFooter->Visible());
  if (FColumnSize->Save()) LoadColSizes();
}

void TProStringGrid::SaveColSizes() {
  auto store = OpenColumnStore(*this);
  if (!store) return;
  for (int i = 0; i < ColCount(); ++i)
    store->WriteInteger(FColumnSize->Section(), QStringLiteral("Col%1").arg(i), ColWidths(i));
  store->UpdateFile();
}

void TProStringGrid::LoadColSizes() {
  auto store = OpenColumnStore(*this);
  if (!store) return;
  for (int i = 0; i < ColCount(); ++i) {
    const int w =
        store->ReadInteger(FColumnSize->Section(), QStringLiteral("Col%1").arg(i), ColWidths(i));
    if (w != ColWidths(i)) SetColWidths(i, w);
  }
  store->UpdateFile();
}

void TProStringGrid::SaveColPositions() {
  auto store = OpenColumnStore(*this);
  if (!store) return;
  for (int i = 0; i < FColumnOrder->Count(); ++i)
    store->WriteInteger(FColumnSize->Section(), QStringLiteral("Pos%1").arg(i),
                        FColumnOrder->Items(i));
  store->UpdateFile();
}

void TProStringGrid::LoadColPositions() {
  auto store = OpenColumnStore(*this);
  if (!store) return;
  const QString section = FColumnSize->Section();
  if (store->ReadInteger(section, QStringLiteral("Pos0"), -1) == -1) {
    store->UpdateFile();
    return;
  }
  const int n = TotalColCount();
  std::vector<int> stored;
  for (int i = 0; i < n; ++i) {
    const int v = store->ReadInteger(section, QStringLiteral("Pos%1").arg(i), -1);
    if (v != -1) stored.push_back(v);
  }
  std::vector<int> hidden;
  for (int c = 0; c < n; ++c)
    if (IsHiddenColumn(c)) hidden.push_back(c);
  FColumnOrder->Clear();
  for (int v : Inverse(stored)) FColumnOrder->Add(v);
  UnHideColumnsAll();
  if (FColumnOrder->Count() > 0) ResetColumnOrder();
  for (int c : hidden) HideColumn(c);
  FColumnOrder->Clear();
  for (int v : stored) FColumnOrder->Add(v);
  store->UpdateFile();
}

void TProStringGrid::ResetColumnOrder() {
  UnHideColumnsAll();
  if (FColumnOrder->Count() == 0) {
    SetColumnOrder();
    return;
  }
  for (bool moved = true; moved;) {
    moved = false;
    for (int i = 0; i < ColCount() && i < FColumnOrder->Count(); ++i) {
      const int entry = FColumnOrder->Items(i);
      if (entry < i) {
        MoveColumn(i, entry);
        moved = true;
      }
    }
  }
}

QString TProStringGrid::ColumnStatesToString() {
  const int n = TotalColCount();
  std::vector<int> widths, order, visible;
  for (int c = 0; c < n; ++c) widths.push_back(c < ColCount() ? ColWidths(c) : DefaultColWidth());
  for (int i = 0; i < FColumnOrder->Count(); ++i) order.push_back(FColumnOrder->Items(i));
  if (order.empty())
    for (int c = 0; c < n; ++c) order.push_back(c);
  for (int c = 0; c < n; ++c) visible.push_back(IsHiddenColumn(c) ? 0 : 1);
  return QStringLiteral("%1#%2#%3#%4").arg(n).arg(Joined(widths), Joined(order), Joined(visible));
}

void TProStringGrid::StringToColumnStates(const QString& Value) {
  if (!Value.contains(u'#')) return;
  // Everything is read and checked first, so that a bad text changes nothing.
  const QStringList fields = Value.split(u'#');
  if (fields.size() < 4)
    throw EConvertError(QStringLiteral("'%1' is not a column state").arg(Value));
  const int n = StrToInt(fields[0]);
  const std::vector<int> widths = Numbers(fields[1]);
  std::vector<int> order;
  for (int v : Numbers(fields[2]))
    if (v != -1 && int(order.size()) < n) order.push_back(v);
  const std::vector<int> visible = Numbers(fields[3]);
  if (n < 1 || int(visible.size()) < n || int(widths.size()) < n)
    throw EConvertError(QStringLiteral("'%1' does not cover %2 columns").arg(Value).arg(n));

  FColumnOrder->Clear();
  UnHideColumnsAll();
  SetColCount(n);
  if (!order.empty()) {
    for (int v : Inverse(order)) FColumnOrder->Add(v);
    if (FColumnOrder->Count() > 0) ResetColumnOrder();
    FColumnOrder->Clear();
    for (int v : order) FColumnOrder->Add(v);
  }
  for (int c = n - 1; c >= 0; --c)
    if (visible[size_t(c)] == 0) HideColumn(c);
  const bool stretch = FColumnSize->Stretch();
  FColumnSize->SetStretch(false);
  if (stretch) {
    const int sc =
        FColumnSize->StretchColumn() == -1 ? ColCount() - 1 : FColumnSize->StretchColumn();
    SetDefaultColWidth(ColWidths(sc));
  }
  for (int j = 0; j < ColCount(); ++j) SetColWidths(j, widths[size_t(j)]);
  FColumnSize->SetStretch(stretch);
}
