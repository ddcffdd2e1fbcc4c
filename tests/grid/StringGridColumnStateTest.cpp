// Column widths and positions in settings files and the column-state text.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "grid/ProGrid.h"
#include "platform/rtl/IniFiles.h"

namespace {

// A grid of three columns 64, 80 and 100 wide whose row 0 names them.
void ThreeColumns(TProStringGrid& G) {
  G.SetColCount(3);
  G.SetFixedCols(0);
  G.SetColWidths(1, 80);
  G.SetColWidths(2, 100);
  for (int c = 0; c < 3; ++c) G.SetCells(c, 0, QString("c%1").arg(c));
}

}  // namespace

TEST(GridColumnStates, TextRoundTripsWidthsOrderAndVisibility) {
  TProStringGrid a(nullptr);
  ThreeColumns(a);
  EXPECT_EQ(a.ColumnStatesToString(), "3#64,80,100#0,1,2#1,1,1");
  a.MoveColumn(2, 0);
  const QString moved = a.ColumnStatesToString();
  EXPECT_EQ(moved, "3#100,64,80#2,0,1#1,1,1");

  TProStringGrid b(nullptr);
  ThreeColumns(b);
  b.StringToColumnStates(moved);
  EXPECT_EQ(b.Cells(0, 0), "c2");
  EXPECT_EQ(b.Cells(1, 0), "c0");
  EXPECT_EQ(b.ColWidths(0), 100);
  EXPECT_EQ(b.ColumnStatesToString(), moved);

  TProStringGrid c(nullptr);
  ThreeColumns(c);
  c.StringToColumnStates("3#64,80,100#0,1,2#1,0,1");
  EXPECT_TRUE(c.IsHiddenColumn(1));
  EXPECT_EQ(c.ColCount(), 2);
}

TEST(GridColumnStates, BadTextsChangeNothing) {
  TProStringGrid g(nullptr);
  ThreeColumns(g);
  const QString before = g.ColumnStatesToString();
  g.StringToColumnStates("no hash here");
  for (const char* bad :
       {"3#64,80#0,1,2#1,1,1", "3#64,x,100#0,1,2#1,1,1", "3#64,80,100#0,1,2#1,1", "a#b"}) {
    EXPECT_THROW(g.StringToColumnStates(bad), EConvertError) << bad;
    EXPECT_EQ(g.ColumnStatesToString(), before) << bad;
  }
}

TEST(GridColumnSizes, StoredUnderColKeysOnlyWithKeyAndSection) {
  QTemporaryDir dir;
  const QString file = dir.filePath("grid.ini");
  {
    TProStringGrid g(nullptr);
    g.ColumnSize()->SetSave(true);  // no key or section: nothing is written
    g.SaveColSizes();
  }
  EXPECT_FALSE(QFileInfo::exists(file));

  TProStringGrid g(nullptr);
  g.SetColCount(4);
  g.SetColWidths(2, 90);
  g.ColumnSize()->SetLocation(clIniFile);
  g.ColumnSize()->SetKey(file);
  g.ColumnSize()->SetSection("Cols");
  g.SaveColSizes();
  TMemIniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("Cols", "Col2", 0), 90);
  EXPECT_TRUE(ini.ValueExists("Cols", "Col3"));
  EXPECT_FALSE(ini.ValueExists("Cols", "Col4"));

  TMemIniFile only(dir.filePath("only.ini"));
  only.WriteInteger("Cols", "Col1", 33);
  only.UpdateFile();
  TProStringGrid h(nullptr);
  h.ColumnSize()->SetLocation(clIniFile);
  h.ColumnSize()->SetKey(dir.filePath("only.ini"));
  h.ColumnSize()->SetSection("Cols");
  h.LoadColSizes();
  EXPECT_EQ(h.ColWidths(1), 33);
  EXPECT_EQ(h.ColWidths(2), 64);
}

TEST(GridColumnSizes, PositionsComeBackFromTheStore) {
  QTemporaryDir dir;
  const QString file = dir.filePath("pos.ini");
  {
    TMemIniFile ini(file);
    ini.WriteInteger("P", "Pos0", 2);
    ini.WriteInteger("P", "Pos1", 0);
    ini.WriteInteger("P", "Pos2", 1);
    ini.UpdateFile();
  }
  TProStringGrid g(nullptr);
  ThreeColumns(g);
  g.ColumnSize()->SetLocation(clIniFile);
  g.ColumnSize()->SetKey(file);
  g.ColumnSize()->SetSection("P");
  g.LoadColPositions();
  EXPECT_EQ(g.Cells(0, 0), "c2");
  EXPECT_EQ(g.Cells(1, 0), "c0");
  EXPECT_EQ(g.Cells(2, 0), "c1");
  EXPECT_EQ(g.ColumnOrder()->StrValue(), "2,0,1");
  g.ColumnSize()->SetSection("Q");
  g.SaveColPositions();
  TMemIniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("Q", "Pos0", -1), 2);
}
