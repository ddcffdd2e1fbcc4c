// The grid text stream and copying one grid into another.
#include <gtest/gtest.h>

#include "grid/ProGrid.h"

namespace {

// The stream's bytes from its start as text (UTF-16LE).
QString StreamText(TMemoryStream& Stream) {
  Stream.SetPosition(0);
  const QByteArray bytes = Stream.ReadRest();
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
}

void WriteUtf16(TStream& Stream, const QString& Text) {
  Stream.WriteBuffer(reinterpret_cast<const char*>(Text.utf16()), int(Text.size() * 2));
}

}  // namespace

TEST(GridTextStream, WritesTheSaveRangeAndReadsItBack) {
  TProStringGrid src(nullptr);
  src.SetColCount(3);
  src.SetRowCount(3);
  src.SetFixedCols(0);
  src.SetSaveFixedCells(false);
  src.SetColWidths(1, 70);
  src.SetCells(0, 0, "header");
  src.SetCells(1, 2, "a\r\nb");
  src.SetCells(2, 1, "x,y");
  TMemoryStream stream;
  src.SaveToStream(&stream);
  // Cells are counted from the first saved row (the fixed row stays out).
  EXPECT_EQ(StreamText(stream),
            "3,2\r\ncw 0,64\r\ncw 1,70\r\ncw 2,64\r\n2,0,x,y\r\n1,1,a\t\bb\r\n");

  TProStringGrid dst(nullptr);
  dst.SetFixedCols(0);
  dst.SetSaveFixedCells(false);
  dst.SetMultilinecells(true);
  stream.SetPosition(0);
  dst.LoadFromStream(&stream);
  EXPECT_EQ(dst.ColCount(), 3);
  EXPECT_EQ(dst.RowCount(), 3);
  EXPECT_EQ(dst.ColWidths(1), 70);
  EXPECT_EQ(dst.Cells(2, 1), "x,y");
  EXPECT_EQ(dst.Cells(1, 2), "a\r\nb");
  EXPECT_EQ(dst.Cells(0, 0), "");
}

TEST(GridTextStream, StopsBeforeALineThatIsNotItsOwn) {
  TMemoryStream stream;
  WriteUtf16(stream, "2,2\r\n0,0,one\r\n1,x,bad\r\n1,1,never\r\n");
  stream.SetPosition(0);
  TProStringGrid g(nullptr);
  g.LoadFromStream(&stream);
  EXPECT_EQ(g.ColCount(), 2);  // the fixed cells are saved too by default
  EXPECT_EQ(g.Cells(0, 0), "one");
  EXPECT_EQ(g.Cells(1, 1), "");
  // The foreign line and what follows are left for the caller.
  EXPECT_EQ(stream.Position(), QString("2,2\r\n0,0,one\r\n").size() * 2);
  // Without Multilinecells only the first line of a packed text is kept.
  TMemoryStream multi;
  WriteUtf16(multi, "1,1\r\n0,0,first\t\bsecond\r\n");
  multi.SetPosition(0);
  g.LoadFromStream(&multi);
  EXPECT_EQ(g.Cells(0, 0), "first");
}

TEST(GridAssign, CopiesDimensionsBeforeCellsAndIgnoresOtherSources) {
  TProStringGrid src(nullptr), dst(nullptr);
  src.SetColCount(8);
  src.SetRowCount(20);
  src.SetColWidths(7, 99);
  src.SetRowHeights(19, 33);
  src.SetCells(7, 19, "far corner");
  src.SetCells(0, 0, "fixed");
  src.Navigation()->SetAllowInsertRow(true);
  src.Bands()->SetActive(true);
  dst.SetColCount(2);
  dst.SetRowCount(3);
  dst.Assign(&src);
  EXPECT_EQ(dst.ColCount(), 8);
  EXPECT_EQ(dst.RowCount(), 20);
  EXPECT_EQ(dst.ColWidths(7), 99);
  EXPECT_EQ(dst.RowHeights(19), 33);
  EXPECT_EQ(dst.Cells(7, 19), "far corner");
  EXPECT_EQ(dst.Cells(0, 0), "fixed");
  EXPECT_TRUE(dst.Navigation()->AllowInsertRow());
  EXPECT_TRUE(dst.Bands()->Active());

  TBands notAGrid;
  dst.Assign(&notAGrid);
  EXPECT_EQ(dst.ColCount(), 8);
  dst.AssignCells(&notAGrid);
  EXPECT_EQ(dst.Cells(7, 19), "far corner");
}
