// Cell graphics of the string grid: kinds, the shared row check box, creation
// and removal, and the size a graphic claims in the cell.
#include <gtest/gtest.h>

#include "grid/ProGrid.h"
#include "platform/gdi/Graphics.h"

TEST(CellGraphics, KindOfACellWithoutGraphicIsEmptyAndOfAFreshGraphicNone) {
  TProStringGrid g(nullptr);
  EXPECT_EQ(g.GetCellType(2, 3), ctEmpty);
  EXPECT_EQ(g.GetCellType(-1, 3), ctEmpty);
  EXPECT_EQ(g.GetCellGraphic(2, 3), nullptr);
  TCellGraphic* gr = g.CreateCellGraphic(2, 3);
  EXPECT_EQ(g.GetCellType(2, 3), ctNone);
  EXPECT_EQ(g.GetCellGraphic(2, 3), gr);
  // Adding a graphic to an empty cell leaves its text empty.
  EXPECT_EQ(g.Cells(2, 3), QString());
  EXPECT_TRUE(g.RemoveCellGraphic(2, 3));
  EXPECT_EQ(g.GetCellType(2, 3), ctEmpty);
  EXPECT_FALSE(g.RemoveCellGraphic(2, 3));
}

TEST(CellGraphics, ReplacingAGraphicKeepsOneAndRemovalByKindChecksTheKind) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("text"));
  g.AddCheckBox(1, 1, true, false);
  g.AddRadioButton(1, 1, true);
  EXPECT_EQ(g.GetCellType(1, 1), ctRadioButton);
  EXPECT_FALSE(g.RemoveCellGraphicOfType(1, 1, ctCheckBox));
  EXPECT_EQ(g.GetCellType(1, 1), ctRadioButton);
  EXPECT_TRUE(g.RemoveCellGraphicOfType(1, 1, ctRadioButton));
  EXPECT_EQ(g.Cells(1, 1), "text");
}

TEST(CellGraphics, SharedRowCheckBoxSurvivesRemovalAndShowsTheSelection) {
  TProStringGrid g(nullptr);
  g.MouseActions()->SetHotmailRowSelect(true);
  EXPECT_EQ(g.GetCellType(0, 4), ctRowCheckBox);
  TCellGraphic* shared = g.GetCellGraphic(0, 4);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(shared->CellType(), ctRowCheckBox);
  // Removing frees nothing: the row box is the grid's own.
  EXPECT_TRUE(g.RemoveCellGraphic(0, 4));
  EXPECT_EQ(g.GetCellType(0, 4), ctRowCheckBox);
  EXPECT_EQ(g.GetCellGraphic(0, 5), shared);

  g.SetRowSelect(4, true);
  EXPECT_TRUE(g.GetCellGraphic(0, 4)->CellBoolean());
  EXPECT_FALSE(g.GetCellGraphic(0, 5)->CellBoolean());
  // The header box: partial with some rows, checked with all.
  TCellGraphic* head = g.GetCellGraphic(0, 0);
  EXPECT_EQ(head->CellAngle(), 1);
  EXPECT_FALSE(head->CellBoolean());
  g.SelectRows(1, 9);
  head = g.GetCellGraphic(0, 0);
  EXPECT_EQ(head->CellAngle(), 0);
  EXPECT_TRUE(head->CellBoolean());
}

TEST(CellGraphics, AngleIsBroughtIntoRange) {
  struct Case {
    int16_t In;
    int Out;
  };
  for (const Case& c : {Case{-90, 270}, Case{720, 360}, Case{360, 360}, Case{45, 45}, Case{-720, 0}}) {
    TCellGraphic gr;
    gr.SetAngle(c.In);
    EXPECT_EQ(gr.CellType(), ctRotated);
    EXPECT_EQ(gr.CellAngle(), c.Out) << c.In;
  }
}

TEST(CellGraphics, AssignCopiesValuesButNotObjectsOrStates) {
  TCellGraphic src;
  src.SetButton(40, 20, QStringLiteral("Go"), haCenter, vaCenter);
  src.SetCellVar(7);
  src.SetCellCheckBoxState(cbGrayed);
  TCellGraphic dst;
  dst.Assign(&src);
  EXPECT_EQ(dst.CellType(), ctButton);
  EXPECT_EQ(dst.CellIndex(), 20 * 65536 + 40);
  EXPECT_EQ(dst.CellText(), "Go");
  EXPECT_EQ(dst.CellHAlign(), haCenter);
  EXPECT_FALSE(dst.CellVar().isValid());
  EXPECT_EQ(dst.CellCheckBoxState(), cbUnchecked);
}

TEST(CellGraphics, PictureSizesByStretchMode) {
  TPicture pic;
  TBitmap bmp(100, 50);
  pic.SetBitmap(&bmp);
  struct Case {
    TStretchMode Mode;
    int Cw, Rh;
    TPoint Want;
  };
  const Case cases[] = {
      {noStretch, 200, 200, {100, 50}},
      {Stretch, 200, 200, {200, 200}},
      {StretchWithAspectRatio, 200, 200, {200, 100}},
      {StretchWithAspectRatio, 200, 60, {120, 60}},
      {Shrink, 200, 200, {100, 50}},
      {Shrink, 80, 200, {80, 200}},
      {ShrinkWithAspectRatio, 200, 200, {100, 50}},
      {ShrinkWithAspectRatio, 50, 200, {50, 25}},
  };
  for (const Case& c : cases) {
    TCellGraphic gr;
    gr.SetPicture(&pic, false, c.Mode, 0, haLeft, vaTop);
    const TPoint p = gr.GetPictureSize(c.Cw, c.Rh, false);
    EXPECT_EQ(p.X, c.Want.X) << int(c.Mode) << " " << c.Cw << "x" << c.Rh;
    EXPECT_EQ(p.Y, c.Want.Y) << int(c.Mode) << " " << c.Cw << "x" << c.Rh;
  }
  // The padding comes off both sides of the area first.
  TCellGraphic padded;
  padded.SetPicture(&pic, false, Stretch, 10, haLeft, vaTop);
  EXPECT_EQ(padded.GetPictureSize(200, 200, true).X, 190);
}

TEST(CellGraphics, GraphicSizesInTheLayout) {
  TProStringGrid g(nullptr);
  TBitmap bmp(16, 12);
  // A bitmap at the left of a cell with text claims nothing, in an empty cell its size.
  g.CreateCellGraphic(1, 1)->SetBitmap(&bmp, false, haLeft, vaTop);
  g.SetCells(1, 1, QStringLiteral("x"));
  EXPECT_EQ(g.GetCellGraphicSize(1, 1).X, 0);
  EXPECT_EQ(g.GetCellGraphicSize(1, 1).Y, 0);
  g.CreateCellGraphic(1, 2)->SetBitmap(&bmp, false, haLeft, vaTop);
  EXPECT_EQ(g.GetCellGraphicSize(1, 2).X, 16);
  EXPECT_EQ(g.GetCellGraphicSize(1, 2).Y, 12);
  // Beside the text it claims its width only.
  g.CreateCellGraphic(1, 3)->SetBitmap(&bmp, false, haBeforeText, vaTop);
  g.SetCells(1, 3, QStringLiteral("x"));
  EXPECT_EQ(g.GetCellGraphicSize(1, 3).X, 16);
  EXPECT_EQ(g.GetCellGraphicSize(1, 3).Y, 0);

  // Check boxes and radio buttons claim the control look's sizes.
  g.ControlLook()->SetCheckSize(17);
  g.ControlLook()->SetRadioSize(11);
  g.AddCheckBox(2, 1, false, false);
  g.AddRadioButton(2, 2);
  g.CreateCellGraphic(2, 3)->SetCellType(ctProgressPie);
  g.CreateCellGraphic(2, 4)->SetCellType(ctRating);
  g.GetCellGraphic(2, 4)->SetCellAngle(5);
  EXPECT_EQ(g.GetCellGraphicSize(2, 1).X, 17);
  EXPECT_EQ(g.GetCellGraphicSize(2, 1).Y, 17);
  EXPECT_EQ(g.GetCellGraphicSize(2, 2).X, 11);
  EXPECT_EQ(g.GetCellGraphicSize(2, 3).Y, 20);
  EXPECT_EQ(g.GetCellGraphicSize(2, 4).X, 90);
  EXPECT_EQ(g.GetCellGraphicSize(2, 4).Y, 16);
  // No graphic: nothing claimed.
  EXPECT_EQ(g.GetCellGraphicSize(3, 3).X, 0);
  // vaFull takes the cell's height on screen, not in print.
  g.CreateCellGraphic(3, 1)->SetCheckBox(true, false, true, haLeft, vaFull);
  EXPECT_EQ(g.GetCellGraphicSize(3, 1).Y, g.CellRect(3, 1).Height());
  EXPECT_EQ(g.CalcPrintGraphicSize(3, 1, 100, 100, 1).Y, 17);
  // In print a bitmap claims its size whatever the text.
  EXPECT_EQ(g.CalcPrintGraphicSize(1, 1, 100, 100, 1).X, 16);
}

TEST(CellGraphics, ControlAndDataGraphicKinds) {
  TProStringGrid g(nullptr);
  g.AddCheckBox(1, 1, false, true);
  g.CreateCellGraphic(1, 2)->SetDataImage(0, haLeft, vaTop);
  g.CreateCellGraphic(1, 3)->SetButton(20, 20, "b", haLeft, vaTop);
  EXPECT_TRUE(g.IsControlCell(1, 1));
  EXPECT_TRUE(g.IsDataGraphicCell(1, 1));
  EXPECT_FALSE(g.IsControlCell(1, 2));
  EXPECT_TRUE(g.IsDataGraphicCell(1, 2));
  EXPECT_TRUE(g.IsControlCell(1, 3));
  EXPECT_FALSE(g.IsDataGraphicCell(1, 3));
  EXPECT_FALSE(g.IsControlCell(-1, 1));
  EXPECT_FALSE(g.HasGraphicType(1, -1, TCellTypes{ctDataCheckBox}));
}

TEST(CellGraphics, ImageCellsAndTheirSortKeys) {
  TProStringGrid g(nullptr);
  int changes = 0;
  g.CreateCellGraphic(1, 1)->SetMultiImage(1, 1, 0, haLeft, vaTop,
                                           [&](TObject*, int c, int r) { changes += c * 10 + r; });
  TIntList* list = g.GetCellImages(1, 1);
  ASSERT_NE(list, nullptr);
  list->Add(3);
  EXPECT_EQ(changes, 11);
  EXPECT_EQ(g.GetCellImages(1, 2), nullptr);
  g.CreateCellGraphic(1, 2)->SetImageIdx(4, haLeft, vaTop);
  EXPECT_EQ(g.GetCellImageValue(1, 2), 4);
  EXPECT_EQ(g.GetCellImageValue(1, 1), -1);
  EXPECT_EQ(g.GetCellImageValue(1, 3), -1);
  // Sizes come from the grid's image list.
  TImageList images(nullptr);
  images.SetWidth(20);
  images.SetHeight(10);
  g.SetGridImages(&images);
  list->Add(5);
  EXPECT_EQ(g.GetCellGraphicSize(1, 1).X, 40);
  EXPECT_EQ(g.GetCellGraphicSize(1, 1).Y, 10);
  EXPECT_EQ(g.GetCellGraphicSize(1, 2).X, 20);
  // A destroyed list is forgotten.
  auto* other = new TImageList(nullptr);
  g.SetGridImages(other);
  delete other;
  EXPECT_EQ(g.GridImages(), nullptr);
  EXPECT_EQ(g.GetCellGraphicSize(1, 2).X, 0);
}
