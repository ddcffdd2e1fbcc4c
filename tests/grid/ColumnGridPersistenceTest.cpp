// The column grid's column definitions in a stream and its column order in a
// settings file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "grid/ProCGrid.h"
#include "platform/rtl/IniFiles.h"

namespace {

// Moves columns as the user's header drag does.
class TMovableColumnGrid : public TProColumnGrid {
 public:
  using TProColumnGrid::TProColumnGrid;
  using TProColumnGrid::MoveColumn;
};

// A three-column grid whose items are named after their defined index, and a
// settings file in a fresh folder.
class ColumnPositions : public ::testing::Test {
 protected:
  void SetUp() override {
    G.SetColCount(3);
    G.Columns()->SetOrganization();
    for (int i = 0; i < 3; ++i) G.Columns()->Items(i)->SetName(QString::number(i));
    File = Dir.filePath(QStringLiteral("grid.ini"));
  }
  std::vector<QString> Shown() {
    std::vector<QString> v;
    for (int i = 0; i < G.Columns()->Count(); ++i) v.push_back(G.Columns()->Items(i)->Name());
    return v;
  }
  std::vector<int> DefIdx() {
    std::vector<int> v;
    for (int i = 0; i < G.Columns()->Count(); ++i) v.push_back(G.Columns()->Items(i)->DefIdx());
    return v;
  }
  void WritePositions(const std::vector<int>& Values) {
    TIniFile ini(File);
    for (size_t i = 0; i < Values.size(); ++i)
      ini.WriteInteger(QStringLiteral("S"), QStringLiteral("CP%1").arg(i), Values[i]);
  }
  QTemporaryDir Dir;
  QString File;
  TMovableColumnGrid G{nullptr};
};

}  // namespace

TEST_F(ColumnPositions, UnmovedColumnsSaveTheirOwnIndexesAndLoadUnchanged) {
  G.SaveColumnPositions(File, QStringLiteral("S"));
  TIniFile ini(File);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ini.ReadInteger("S", QStringLiteral("CP%1").arg(i), -1), i);
  G.LoadColumnPositions(File, QStringLiteral("S"));
  EXPECT_EQ(Shown(), (std::vector<QString>{"0", "1", "2"}));
  EXPECT_EQ(DefIdx(), (std::vector<int>{0, 1, 2}));
}

TEST_F(ColumnPositions, DraggedOrderIsSavedAndRestored) {
  G.MoveColumn(0, 2);  // the first column dragged to the end
  EXPECT_EQ(Shown(), (std::vector<QString>{"1", "2", "0"}));
  G.SaveColumnPositions(File, QStringLiteral("S"));
  TIniFile ini(File);
  EXPECT_EQ(ini.ReadInteger("S", "CP0", -1), 1);
  EXPECT_EQ(ini.ReadInteger("S", "CP1", -1), 2);
  EXPECT_EQ(ini.ReadInteger("S", "CP2", -1), 0);

  // Back into defined order, then loading shows 1, 2, 0 again.
  G.MoveColumn(2, 0);
  EXPECT_EQ(Shown(), (std::vector<QString>{"0", "1", "2"}));
  G.LoadColumnPositions(File, QStringLiteral("S"));
  EXPECT_EQ(Shown(), (std::vector<QString>{"1", "2", "0"}));
  EXPECT_EQ(DefIdx(), (std::vector<int>{1, 2, 0}));
}

TEST_F(ColumnPositions, FilesThatDoNotDescribeTheColumnsChangeNothing) {
  const std::vector<std::vector<int>> files = {
      {1, 2},          // an entry missing
      {1, 2, 3},       // a column outside the grid
      {1, -5, 0},      // a negative column
      {1, 1, 0},       // a column twice
  };
  for (const auto& f : files) {
    QFile::remove(File);
    WritePositions(f);
    G.LoadColumnPositions(File, QStringLiteral("S"));
    EXPECT_EQ(Shown(), (std::vector<QString>{"0", "1", "2"})) << f.size() << " " << f[1];
    EXPECT_EQ(DefIdx(), (std::vector<int>{0, 1, 2}));
  }
}

TEST_F(ColumnPositions, ColPositionsUseTheSettingsFileWhenAskedTo) {
  G.ColumnSize()->SetLocation(clIniFile);
  G.ColumnSize()->SetKey(File);
  G.ColumnSize()->SetSection(QStringLiteral("Cols"));
  G.MoveColumn(2, 0);
  G.SaveColPositions();
  G.MoveColumn(0, 2);
  G.LoadColPositions();
  EXPECT_EQ(Shown(), (std::vector<QString>{"2", "0", "1"}));
}

TEST(ColumnStream, RoundTripCarriesEveryColumnSetting) {
  TProColumnGrid src(nullptr);
  src.SetColCount(4);
  TGridColumnItem* c = src.Columns()->Items(2);
  c->SetHeader(QStringLiteral("Name"));
  c->SetName(QStringLiteral("name"));
  c->SetEditor(edComboList);
  c->ComboItems()->Add(QStringLiteral("a"));
  c->ComboItems()->Add(QStringLiteral("b c"));
  c->SetAlignment(taCenter);
  c->SetReadOnly(true);
  c->SetCheckTrue(QStringLiteral("1"));
  c->SetColor(TColor(0x123456));
  c->Font()->SetSize(13);
  c->Font()->SetStyle(TFontStyles{fsItalic});
  c->SetBorders(TCellBorders{cbLeft});
  c->BorderPen()->SetWidth(3);
  c->SetFloatFormat(QStringLiteral("%.1f"));
  c->SetColumnPopupType(cpAllCellsLClick);
  c->SetPrintFontCustom(false);
  c->SetPrintBorderCustom(false);
  c->SetSpinMax(99);
  c->SetTag(-7);
  c->Filter()->Add(QStringLiteral("Low=<10"));
  c->SetWidth(66);
  TMemoryStream st;
  src.SaveColumnsToStream(&st);

  TProColumnGrid dst(nullptr);
  dst.SetColCount(6);
  st.SetPosition(0);
  dst.LoadColumnsFromStream(&st);
  EXPECT_EQ(st.Position(), st.Size());
  // The items are replaced; the column count stays.
  EXPECT_EQ(dst.Columns()->Count(), 4);
  EXPECT_EQ(dst.ColCount(), 6);
  TGridColumnItem* d = dst.Columns()->Items(2);
  EXPECT_EQ(d->Header(), "Name");
  EXPECT_EQ(d->Name(), "name");
  EXPECT_EQ(d->Editor(), edComboList);
  EXPECT_EQ(d->ComboItems()->Count(), 2);
  EXPECT_EQ(d->ComboItems()->Strings(1), "b c");
  EXPECT_EQ(d->Alignment(), taCenter);
  EXPECT_TRUE(d->ReadOnly());
  EXPECT_EQ(d->CheckTrue(), "1");
  EXPECT_EQ(d->Color(), TColor(0x123456));
  EXPECT_EQ(d->Font()->Size(), 13);
  EXPECT_EQ(d->Font()->Style(), TFontStyles{fsItalic});
  EXPECT_EQ(d->Borders(), TCellBorders{cbLeft});
  EXPECT_EQ(d->BorderPen()->Width(), 3);
  EXPECT_EQ(d->FloatFormat(), "%.1f");
  EXPECT_EQ(d->ColumnPopupType(), cpAllCellsLClick);
  EXPECT_FALSE(d->PrintFontCustom());
  EXPECT_FALSE(d->PrintBorderCustom());
  EXPECT_EQ(d->SpinMax(), 99);
  EXPECT_EQ(d->Tag(), -7);
  EXPECT_EQ(d->Filter()->Strings(0), "Low=<10");
  EXPECT_EQ(d->Width(), 66);
  EXPECT_EQ(dst.Columns()->Items(1)->Editor(), edNormal);
}

TEST(ColumnStream, AStreamWithoutColumnsRaisesAndChangesNothing) {
  TProColumnGrid src(nullptr);
  TMemoryStream good;
  src.SaveColumnsToStream(&good);
  const QByteArray bytes = good.Bytes();

  std::vector<QByteArray> bad = {
      QByteArray(),                                   // empty
      QByteArray("not a column stream at all"),       // foreign bytes
      bytes.left(bytes.size() - 3),                   // cut short
      bytes + QByteArray("xx"),                       // length disagrees with the payload
  };
  QByteArray huge = bytes;
  huge[8] = char(0xFF);
  huge[11] = char(0x7F);  // a length far beyond the stream
  bad.push_back(huge);
  QByteArray badEnum = bytes;
  // The first item's alignment (after magic, length, count and width) set to 9.
  badEnum[12 + 4 + 4 + 3] = char(9);
  bad.push_back(badEnum);

  for (const QByteArray& b : bad) {
    TProColumnGrid g(nullptr);
    g.Columns()->Items(1)->SetName(QStringLiteral("kept"));
    TMemoryStream st;
    st.WriteBuffer(b);
    st.SetPosition(0);
    if (b.size() == bytes.size() + 2) {
      // Trailing bytes after a whole stream belong to the caller.
      EXPECT_NO_THROW(g.LoadColumnsFromStream(&st));
      EXPECT_EQ(st.Position(), bytes.size());
      continue;
    }
    EXPECT_THROW(g.LoadColumnsFromStream(&st), EReadError) << b.size();
    EXPECT_EQ(g.Columns()->Count(), 5);
    EXPECT_EQ(g.Columns()->Items(1)->Name(), "kept");
  }
}

TEST(ColumnStream, DamagedStreamsNeverLoadHalfway) {
  TProColumnGrid src(nullptr);
  src.Columns()->Items(1)->SetHeader(QStringLiteral("Head"));
  src.Columns()->Items(2)->ComboItems()->Add(QStringLiteral("x"));
  TMemoryStream good;
  src.SaveColumnsToStream(&good);
  const QByteArray bytes = good.Bytes();
  auto load = [](const QByteArray& b) {
    TProColumnGrid g(nullptr);
    g.Columns()->Items(0)->SetName(QStringLiteral("kept"));
    TMemoryStream st;
    st.WriteBuffer(b);
    st.SetPosition(0);
    try {
      g.LoadColumnsFromStream(&st);
    } catch (const EReadError&) {
      EXPECT_EQ(g.Columns()->Items(0)->Name(), "kept");
      return false;
    }
    return true;
  };
  // Every shorter prefix is refused.
  for (int n = 0; n < bytes.size(); ++n) EXPECT_FALSE(load(bytes.left(n))) << n;
  // Flipped bytes load or are refused, never anything else.
  for (int i = 12; i < bytes.size(); ++i) {
    QByteArray b = bytes;
    b[i] = char(b[i] ^ 0xA5);
    load(b);
  }
}
