// Persistence of the column grid: the column definitions as a stream, the
// user's column order in a settings file, and the defined column order.
//
// Column stream: the 8 bytes "ZCOLGRD1", the payload length (32 bits, little
// endian), then the payload in Qt's data-stream form: the item count and, per
// item, every published setting in a fixed order (fonts as name, size, colour
// and style bits; pens as colour, width and style; sets as bits).
#include <QDataStream>
#include <QIODevice>
#include <QScopedValueRollback>

#include "grid/ProCGrid.h"
#include "platform/rtl/IniFiles.h"

namespace {

const QByteArray kColumnStreamMagic("ZCOLGRD1");
// Far above any column definition; a larger length marks a damaged stream.
constexpr quint32 kMaxColumnPayload = 16 * 1024 * 1024;
constexpr quint32 kMaxColumnItems = 100000;

[[noreturn]] void BadColumnStream() {
  throw EReadError(QStringLiteral("The stream holds no column definitions"));
}

void WriteFont(QDataStream& s, TFont* f) {
  quint8 style = 0;
  for (int b = fsBold; b <= fsStrikeOut; ++b)
    if (f->Style().contains(TFontStyle(b))) style |= quint8(1u << b);
  s << f->Name() << qint32(f->Size()) << qint32(f->Color()) << style;
}

void ReadFont(QDataStream& s, TFont* f) {
  QString name;
  qint32 size = 0, color = 0;
  quint8 style = 0;
  s >> name >> size >> color >> style;
  if (s.status() != QDataStream::Ok) return;
  f->SetName(name);
  f->SetSize(size);
  f->SetColor(color);
  TFontStyles st;
  for (int b = fsBold; b <= fsStrikeOut; ++b)
    if (style & (1u << b)) st.Include(TFontStyle(b));
  f->SetStyle(st);
}

void WritePen(QDataStream& s, TPen* p) { s << qint32(p->Color()) << qint32(p->Width()) << qint32(p->Style()); }

void ReadPen(QDataStream& s, TPen* p) {
  qint32 color = 0, width = 0, style = 0;
  s >> color >> width >> style;
  if (s.status() != QDataStream::Ok) return;
  if (style < psSolid || style > psAlternate) BadColumnStream();
  p->SetColor(color);
  p->SetWidth(width);
  p->SetStyle(TPenStyle(style));
}

quint8 BorderBits(TCellBorders b) {
  quint8 bits = 0;
  for (int i = cbTop; i <= cbBottom; ++i)
    if (b.contains(TCellBorder(i))) bits |= quint8(1u << i);
  return bits;
}

TCellBorders BordersOf(quint8 bits) {
  TCellBorders b;
  for (int i = cbTop; i <= cbBottom; ++i)
    if (bits & (1u << i)) b.Include(TCellBorder(i));
  return b;
}

// An enumeration value read as a 32-bit number; outside 0..Max the stream is damaged.
template <typename E>
E ReadEnum(QDataStream& s, int Max) {
  qint32 v = 0;
  s >> v;
  if (s.status() == QDataStream::Ok && (v < 0 || v > Max)) BadColumnStream();
  return E(v);
}

void WriteItem(QDataStream& s, TGridColumnItem* c) {
  s << qint32(c->Width()) << qint32(c->Alignment()) << c->Header() << qint32(c->SortStyle())
    << c->SortPrefix() << c->SortSuffix() << c->EditMask() << qint32(c->EditLength());
  WriteFont(s, c->Font());
  s << qint32(c->Color()) << qint32(c->Editor()) << c->Fixed() << c->ReadOnly()
    << c->ComboItems()->Text() << qint32(c->DropDownCount()) << qint32(c->SpinMin())
    << qint32(c->SpinMax()) << qint32(c->SpinStep()) << c->Password();
  WriteFont(s, c->PrintFont());
  s << qint32(c->PrintColor()) << BorderBits(c->Borders());
  WritePen(s, c->BorderPen());
  s << BorderBits(c->PrintBorders());
  WritePen(s, c->PrintBorderPen());
  s << qint32(c->Tag()) << c->Name() << c->CheckFalse() << c->CheckTrue() << c->ShowBands()
    << c->Filter()->Text() << qint32(c->MaxSize()) << qint32(c->MinSize())
    << qint32(c->AutoMinSize()) << qint32(c->AutoMaxSize()) << qint32(c->ColumnPopupType())
    << c->FilterCaseSensitive() << c->FloatFormat() << qint32(c->HeaderAlignment());
  WriteFont(s, c->HeaderFont());
  s << c->PrintBorderCustom() << c->PrintFontCustom();
}

void ReadItem(QDataStream& s, TGridColumnItem* c) {
  qint32 i32 = 0;
  QString text;
  bool flag = false;
  quint8 bits = 0;
  s >> i32;
  c->SetWidth(i32);
  c->SetAlignment(ReadEnum<TAlignment>(s, taCenter));
  s >> text;
  c->SetHeader(text);
  c->SetSortStyle(ReadEnum<TSortStyle>(s, ssAlphaNumericNoCase));
  s >> text;
  c->SetSortPrefix(text);
  s >> text;
  c->SetSortSuffix(text);
  s >> text;
  c->SetEditMask(text);
  s >> i32;
  c->SetEditLength(i32);
  ReadFont(s, c->Font());
  s >> i32;
  c->SetColor(i32);
  c->SetEditor(ReadEnum<TEditorType>(s, edMaskEditBtn));
  s >> flag;
  c->SetFixed(flag);
  s >> flag;
  c->SetReadOnly(flag);
  s >> text;
  c->ComboItems()->SetText(text);
  s >> i32;
  c->SetDropDownCount(i32);
  s >> i32;
  c->SetSpinMin(i32);
  s >> i32;
  c->SetSpinMax(i32);
  s >> i32;
  c->SetSpinStep(i32);
  s >> flag;
  c->SetPassword(flag);
  ReadFont(s, c->PrintFont());
  s >> i32;
  c->SetPrintColor(i32);
  s >> bits;
  c->SetBorders(BordersOf(bits));
  ReadPen(s, c->BorderPen());
  s >> bits;
  c->SetPrintBorders(BordersOf(bits));
  ReadPen(s, c->PrintBorderPen());
  s >> i32;
  c->SetTag(i32);
  s >> text;
  c->SetName(text);
  s >> text;
  c->SetCheckFalse(text);
  s >> text;
  c->SetCheckTrue(text);
  s >> flag;
  c->SetShowBands(flag);
  s >> text;
  c->Filter()->SetText(text);
  s >> i32;
  c->SetMaxSize(i32);
  s >> i32;
  c->SetMinSize(i32);
  s >> i32;
  c->SetAutoMinSize(i32);
  s >> i32;
  c->SetAutoMaxSize(i32);
  c->SetColumnPopupType(ReadEnum<TColumnPopupType>(s, cpAllCellsLClick));
  s >> flag;
  c->SetFilterCaseSensitive(flag);
  s >> text;
  c->SetFloatFormat(text);
  c->SetHeaderAlignment(ReadEnum<TAlignment>(s, taCenter));
  ReadFont(s, c->HeaderFont());
  s >> flag;
  c->SetPrintBorderCustom(flag);
  s >> flag;
  c->SetPrintFontCustom(flag);
}

}  // namespace

// ------------------------------------------------------------- TProColumnGridIO

TProColumnGridIO::TProColumnGridIO(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TGridColumnCollection>(dynamic_cast<TProColumnGrid*>(AOwner))) {}

TProColumnGridIO::~TProColumnGridIO() = default;

// ------------------------------------------------------------ column definitions

void TProColumnGrid::SaveColumnsToStream(TStream* st) {
  TProColumnGridIO carrier(nullptr);
  TGridColumnCollection* items = carrier.Items();
  items->FOwner = this;
  items->SetNoRecursiveUpdate(true);
  items->Assign(FColumnCollection.get());

  QByteArray payload;
  {
    QDataStream s(&payload, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << quint32(items->Count());
    // An item of the carrier reads its width from this grid's column of its index.
    for (int i = 0; i < items->Count(); ++i) WriteItem(s, items->Items(i));
  }
  st->WriteBuffer(kColumnStreamMagic);
  const quint32 n = quint32(payload.size());
  const char len[4] = {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF), char(n >> 24)};
  st->WriteBuffer(len, 4);
  st->WriteBuffer(payload);
}

void TProColumnGrid::LoadColumnsFromStream(TStream* st) {
  QByteArray magic(kColumnStreamMagic.size(), '\0');
  if (st->Read(magic.data(), int(magic.size())) != magic.size() || magic != kColumnStreamMagic)
    BadColumnStream();
  unsigned char len[4] = {};
  if (st->Read(len, 4) != 4) BadColumnStream();
  const quint32 n = quint32(len[0]) | quint32(len[1]) << 8 | quint32(len[2]) << 16 | quint32(len[3]) << 24;
  if (n > kMaxColumnPayload || Int64(n) > st->Size() - st->Position()) BadColumnStream();
  QByteArray payload(int(n), '\0');
  st->ReadBuffer(payload.data(), int(n));

  // The carrier takes the items first, so that a damaged stream changes nothing.
  TProColumnGridIO carrier(nullptr);
  TGridColumnCollection* items = carrier.Items();
  items->SetNoRecursiveUpdate(true);
  {
    QDataStream s(payload);
    s.setVersion(QDataStream::Qt_6_0);
    quint32 count = 0;
    s >> count;
    if (s.status() != QDataStream::Ok || count > kMaxColumnItems) BadColumnStream();
    // Outside a grid the items keep their widths to themselves.
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) ReadItem(s, items->Add());
    if (s.status() != QDataStream::Ok || !s.atEnd()) BadColumnStream();
  }

  QScopedValueRollback<bool> quiet(FColumnCollection->FNoRecursiveUpdate, true);
  FColumnCollection->Assign(items);
  // The widths travel with the definitions.
  for (int i = 0; i < items->Count() && i < TotalColCount(); ++i)
    SetAllColWidths(i, items->Items(i)->FWidth);
  Invalidate();
}

// ------------------------------------------------------------------ column order

void TProColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section) {
  TIniFile ini(Key);
  for (int i = 0; i < FColumnCollection->Count(); ++i)
    ini.WriteInteger(Section, QStringLiteral("CP%1").arg(i), FColumnCollection->Items(i)->DefIdx());
}

void TProColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section) {
  const int count = FColumnCollection->Count();
  std::vector<int> order(size_t(count), -1);
  {
    TIniFile ini(Key);
    for (int i = 0; i < count; ++i)
      order[size_t(i)] = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(i), -1);
  }
  // Every position must name a column of the grid, each column once; another
  // file (missing, damaged, or written for other columns) changes nothing.
  std::vector<bool> seen(size_t(count), false);
  for (int x : order) {
    if (x < 0 || x >= count || seen[size_t(x)]) return;
    seen[size_t(x)] = true;
  }

  ResetColumnOrder();
  for (int j = 0; j < count; ++j) FColumnCollection->Items(order[size_t(j)])->SetDefIdx(j);
  FColumnCollection->ResetOrganization();
  for (int i = 0; i < count; ++i) FColumnCollection->Items(i)->SetDefIdx(order[size_t(i)]);
}

void TProColumnGrid::SaveColPositions() {
  if (ColumnSize()->Location() == clIniFile)
    SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else
    TProStringGrid::SaveColPositions();
}

void TProColumnGrid::LoadColPositions() {
  if (ColumnSize()->Location() == clIniFile)
    LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else
    TProStringGrid::LoadColPositions();
}
