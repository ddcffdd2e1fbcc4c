// The graphic-cell families of the string grid: who owns what, the answers of
// queries on cells of another kind, comments, markers, balloons, buttons,
// scroll bars, expand hot spots and the refusal of cells outside the grid.
// Ownership faults show as leaks or use-after-free under the sanitizers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "controls/ProObj.h"
#include "grid/ProGrid.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class GraphicFamilies : public ::testing::Test {
 protected:
  void SetUp() override {
    G.SetColCount(5);
    G.SetRowCount(6);
  }
  TProStringGrid G{nullptr};
};

}  // namespace

TEST_F(GraphicFamilies, OwnedObjectsAreFreedAndTheCallersAreKept) {
  // Created objects go with their graphic (a leak would fail the run).
  TBitmap* made = G.CreateBitmap(1, 1, false, haLeft, vaTop);
  made->SetSize(4, 4);
  G.RemoveBitmap(1, 1);
  EXPECT_EQ(G.GetCellType(1, 1), ctEmpty);
  // The caller's bitmap survives its removal and its replacement.
  TBitmap mine;
  mine.SetSize(3, 3);
  G.AddBitmap(1, 1, &mine, true, haLeft, vaTop);
  EXPECT_EQ(G.GetBitmap(1, 1), &mine);
  G.RemoveBitmap(1, 1);
  G.AddBitmap(1, 1, &mine, true, haLeft, vaTop);
  G.AddComment(1, 1, "over it");
  EXPECT_EQ(mine.Width(), 3);
  // Any Add over an owned object frees it.
  G.CreatePicture(2, 1, false, Stretch, 0, haLeft, vaTop);
  G.AddProgress(2, 1, clRed, clWhite);
  G.CreateIcon(2, 2, haLeft, vaTop);
  G.CreateBitButton(2, 2, 20, 20, "b", haLeft, vaTop);
  G.AddRating(2, 2, 5, clYellow, clGray);
  G.CreateFilePicture(2, 3, false, noStretch, 0, haLeft, vaTop);
  G.AddBalloon(2, 3, "t", "x", biInfo);  // the cell has a graphic: nothing
  EXPECT_EQ(G.GetCellType(2, 3), ctFilePicture);
  G.RemoveFilePicture(2, 3);
  G.AddBalloon(2, 3, "t", "x", biInfo);
  G.AddShape(2, 3, csCircle, clRed, clBlack, haLeft, vaTop);
  // SetRotated frees what the old kind owned.
  G.CreatePicture(3, 1, false, Stretch, 0, haLeft, vaTop);
  G.SetRotated(3, 1, -90);
  int angle = 0;
  EXPECT_TRUE(G.IsRotated(3, 1, angle));
  EXPECT_EQ(angle, 270);
  G.AddBalloon(3, 2, "t", "x", biWarning);
  G.SetRotated(3, 2, 45);
  G.SetCells(3, 3, "kept");
  G.SetRotated(3, 3, 30);
  EXPECT_EQ(G.GetCellType(3, 3), ctRotated);
  EXPECT_EQ(G.Cells(3, 3), "kept");
  G.AddCheckBox(3, 4, true, false);
  G.AddBalloon(3, 4, "t", "x", biError);
  G.SetRotated(3, 4, 10);
  TImageList images(nullptr);
  G.SetGridImages(&images);
  G.AddMultiImage(4, 1, 0, haLeft, vaTop);
  G.CellImages(4, 1)->Add(0);
  G.SetRotated(4, 1, 0);
  G.SetGridImages(nullptr);
}

TEST_F(GraphicFamilies, QueriesOnCellsOfAnotherKindAnswerNothing) {
  G.AddComment(1, 1, "note");
  G.SetCells(2, 2, "plain");
  int idx = 7, angle = 7, pos = 7, len = 7;
  QString title = "t", text = "x", comment = "c";
  TBalloonIcon icon = biInfo;
  for (TPoint c : {TPoint(1, 1), TPoint(2, 2), TPoint(-1, 2), TPoint(2, -1), TPoint(50, 2), TPoint(2, 60)}) {
    SCOPED_TRACE(testing::Message() << c.X << "," << c.Y);
    EXPECT_EQ(G.GetBitmap(c.X, c.Y), nullptr);
    EXPECT_EQ(G.GetPicture(c.X, c.Y), nullptr);
    EXPECT_EQ(G.GetFilePicture(c.X, c.Y), nullptr);
    EXPECT_EQ(G.GetInterfacedCell(c.X, c.Y), nullptr);
    EXPECT_EQ(G.GetCellImages(c.X >= 0 && c.X < 5 ? c.X : 0, 0), nullptr);
    EXPECT_FALSE(G.HasBitmap(c.X, c.Y));
    EXPECT_FALSE(G.HasPicture(c.X, c.Y));
    EXPECT_FALSE(G.HasDataImage(c.X, c.Y));
    EXPECT_FALSE(G.HasProgress(c.X, c.Y));
    EXPECT_FALSE(G.HasRating(c.X, c.Y));
    EXPECT_FALSE(G.HasButton(c.X, c.Y));
    EXPECT_FALSE(G.HasScrollBar(c.X, c.Y));
    EXPECT_FALSE(G.HasAutoRangeScrollBar(c.X, c.Y));
    EXPECT_FALSE(G.HasExpand(c.X, c.Y));
    EXPECT_FALSE(G.HasBalloon(c.X, c.Y));
    EXPECT_FALSE(G.IsBalloon(c.X, c.Y, title, text, icon));
    EXPECT_FALSE(G.GetImageIdx(c.X, c.Y, idx));
    EXPECT_FALSE(G.IsRotated(c.X, c.Y, angle));
    EXPECT_FALSE(G.GetExpandState(c.X, c.Y));
    EXPECT_FALSE(G.ToggleExpand(c.X, c.Y));
    EXPECT_EQ(G.GetShapeColor(c.X, c.Y), clNone);
    EXPECT_EQ(G.GetScrollPosition(c.X, c.Y), -1);
    EXPECT_EQ(G.GetScrollProp(c.X, c.Y).PageSize, -1);
    EXPECT_EQ(G.GetScrollProp(c.X, c.Y).Range, -1);
    EXPECT_EQ(G.GetExpandRect(c.X, c.Y), TRect(0, 0, 0, 0));
    EXPECT_EQ(G.GetExpandHeight(c.X, c.Y, true), G.DefaultRowHeight());
    EXPECT_EQ(G.GetExpandHeight(c.X, c.Y, false), G.DefaultRowHeight());
    G.GetMarker(c.X, c.Y, pos, len);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(len, 0);
    if (c.X != 1) {
      EXPECT_EQ(G.GetComment(c.X, c.Y), QString());
      EXPECT_FALSE(G.IsComment(c.X, c.Y, comment));
    }
    if (c.X != 1) {
      EXPECT_EQ(G.GetButtonText(c.X, c.Y), QString());
    }
  }
  // The variables of the failing queries are left alone.
  EXPECT_EQ(idx, 7);
  EXPECT_EQ(angle, 7);
  EXPECT_EQ(title, "t");
  EXPECT_TRUE(G.IsComment(1, 1, comment));
  EXPECT_EQ(comment, "note");
}

TEST_F(GraphicFamilies, CellsOutsideTheGridAreRefusedAndChangeNothing) {
  const int before = G.RowCount();
  TBitmap bmp;
  TPicture pic;
  TIcon icon;
  TFilePicture file;
  TPersistent plainObject;
  const std::vector<std::pair<const char*, std::function<void(int, int)>>> adds = {
      {"AddBitmap", [&](int c, int r) { G.AddBitmap(c, r, &bmp, false, haLeft, vaTop); }},
      {"CreateBitmap", [&](int c, int r) { G.CreateBitmap(c, r, false, haLeft, vaTop); }},
      {"CreatePicture", [&](int c, int r) { G.CreatePicture(c, r, false, Stretch, 0, haLeft, vaTop); }},
      {"CreateIcon", [&](int c, int r) { G.CreateIcon(c, r, haLeft, vaTop); }},
      {"AddRotated", [&](int c, int r) { G.AddRotated(c, r, 90, "x"); }},
      {"SetRotated", [&](int c, int r) { G.SetRotated(c, r, 90); }},
      {"AddProgress", [&](int c, int r) { G.AddProgress(c, r, clRed, clWhite); }},
      {"AddProProgress", [&](int c, int r) { G.AddProProgress(c, r, 0, 10); }},
      {"AddProgressPie", [&](int c, int r) { G.AddProgressPie(c, r, clRed, 5); }},
      {"AddRangeIndicator", [&](int c, int r) { G.AddRangeIndicator(c, r, 10, clRed, clBlue, true); }},
      {"AddRating", [&](int c, int r) { G.AddRating(c, r, 5, clRed, clGray); }},
      {"AddShape", [&](int c, int r) { G.AddShape(c, r, csStar, clRed, clRed, haLeft, vaTop); }},
      {"AddComment", [&](int c, int r) { G.AddComment(c, r, "x"); }},
      {"SetComment", [&](int c, int r) { G.SetComment(c, r, "x"); }},
      {"AddMarker", [&](int c, int r) { G.AddMarker(c, r, 0, 1); }},
      {"AddBalloon", [&](int c, int r) { G.AddBalloon(c, r, "t", "x", biInfo); }},
      {"AddButton", [&](int c, int r) { G.AddButton(c, r, 20, 20, "b", haLeft, vaTop); }},
      {"CreateBitButton", [&](int c, int r) { G.CreateBitButton(c, r, 20, 20, "b", haLeft, vaTop); }},
      {"AddScrollBar", [&](int c, int r) { G.AddScrollBar(c, r, false); }},
      {"AddExpand", [&](int c, int r) { G.AddExpand(c, r, 60); }},
      {"AddImageIdx", [&](int c, int r) { G.AddImageIdx(c, r, 0, haLeft, vaTop); }},
      {"AddDataImage", [&](int c, int r) { G.AddDataImage(c, r, 0, haLeft, vaTop); }},
      {"AddMultiImage", [&](int c, int r) { G.AddMultiImage(c, r, 0, haLeft, vaTop); }},
      {"AddPicture", [&](int c, int r) { G.AddPicture(c, r, &pic, false, Stretch, 0, haLeft, vaTop); }},
      {"AddIcon", [&](int c, int r) { G.AddIcon(c, r, &icon, haLeft, vaTop); }},
      {"AddFilePicture", [&](int c, int r) { G.AddFilePicture(c, r, &file, false, noStretch, 0, haLeft, vaTop); }},
      {"CreateFilePicture", [&](int c, int r) { G.CreateFilePicture(c, r, false, noStretch, 0, haLeft, vaTop); }},
      {"AddInterfacedCell", [&](int c, int r) { G.AddInterfacedCell(c, r, &plainObject); }},
      {"AddBitButton", [&](int c, int r) { G.AddBitButton(c, r, 20, 20, "b", &bmp, haLeft, vaTop); }},
      {"AddProgressEx", [&](int c, int r) { G.AddProgressEx(c, r, clRed, clWhite, clWhite, clBlack); }},
      {"AddProgressFormatted",
       [&](int c, int r) { G.AddProgressFormatted(c, r, clRed, clWhite, clWhite, clBlack, "%d", 0, 10); }},
      {"AddColorComment", [&](int c, int r) { G.AddColorComment(c, r, "x", clRed); }},
      {"SetImageIdx", [&](int c, int r) { G.SetImageIdx(c, r, 1); }},
      {"SetProgressPie", [&](int c, int r) { G.SetProgressPie(c, r, 5); }},
      {"SetShapeColor", [&](int c, int r) { G.SetShapeColor(c, r, clRed); }},
      {"SetButtonText", [&](int c, int r) { G.SetButtonText(c, r, "b"); }},
      {"SetScrollPosition", [&](int c, int r) { G.SetScrollPosition(c, r, 1); }},
      {"SetScrollProp", [&](int c, int r) { G.SetScrollProp(c, r, TScrollProp{2, 10}); }},
      {"AddNode", [&](int, int r) { G.AddNode(r, 2); }},
      {"InsertChildRow", [&](int, int r) { G.InsertChildRow(r, 0); }},
  };
  for (const auto& [name, add] : adds) {
    for (TPoint c : {TPoint(-1, 1), TPoint(1, -1), TPoint(5, 1), TPoint(1, 6)}) {
      if ((QLatin1String(name) == QLatin1String("AddNode") || QLatin1String(name) == QLatin1String("InsertChildRow")) &&
          c.Y >= 0 && c.Y < 6)
        continue;
      SCOPED_TRACE(testing::Message() << name << " " << c.X << "," << c.Y);
      try {
        add(c.X, c.Y);
        ADD_FAILURE() << "no error";
      } catch (const EProGridError& e) {
        EXPECT_EQ(e.Message(), "Invalid cell");
      }
    }
  }
  EXPECT_EQ(G.RowCount(), before);
  EXPECT_EQ(G.ColCount(), 5);
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 6; ++r) EXPECT_EQ(G.GetCellType(c, r), ctEmpty);
  // Columns are real indexes: with column 2 hidden, real column 4 lies beyond
  // the four shown columns and is still a cell of the grid; real column 5 is not.
  // SetButtonText takes a shown column and keeps refusing it.
  G.HideColumn(2);
  ASSERT_EQ(G.ColCount(), 4);
  for (const auto& [name, add] : adds) {
    const QLatin1String n(name);
    if (n == QLatin1String("AddNode") || n == QLatin1String("InsertChildRow")) continue;
    SCOPED_TRACE(name);
    if (n == QLatin1String("SetButtonText")) {
      EXPECT_THROW(add(4, 1), EProGridError);
      continue;
    }
    EXPECT_NO_THROW(add(4, 1));
    EXPECT_THROW(add(5, 1), EProGridError);
  }
  EXPECT_NE(G.GetCellType(4, 1), ctEmpty);
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 6; ++r) EXPECT_EQ(G.GetCellType(c, r), ctEmpty);
}

TEST_F(GraphicFamilies, ImagesProgressAndValueCells) {
  TImageList images(nullptr);
  // Without GridImages the image operations leave the cell as it is.
  G.AddImageIdx(1, 1, 2, haLeft, vaTop);
  G.AddDataImage(1, 2, 2, haLeft, vaTop);
  EXPECT_EQ(G.GetCellType(1, 1), ctEmpty);
  EXPECT_EQ(G.GetCellType(1, 2), ctEmpty);
  G.SetGridImages(&images);
  G.AddImageIdx(1, 1, 2, haLeft, vaTop);
  int idx = -1;
  EXPECT_TRUE(G.GetImageIdx(1, 1, idx));
  EXPECT_EQ(idx, 2);
  G.SetImageIdx(1, 1, 4);
  EXPECT_TRUE(G.GetImageIdx(1, 1, idx));
  EXPECT_EQ(idx, 4);
  // A data image keeps a text and writes its index into an empty cell.
  G.SetCells(1, 2, "7");
  G.AddDataImage(1, 2, 3, haLeft, vaTop);
  EXPECT_EQ(G.Cells(1, 2), "7");
  G.AddDataImage(1, 3, 3, haLeft, vaTop);
  EXPECT_EQ(G.Cells(1, 3), "3");
  EXPECT_TRUE(G.HasDataImage(1, 3));
  G.RemoveDataImage(1, 3);
  EXPECT_EQ(G.Cells(1, 3), "");
  G.SetGridImages(nullptr);
  // Progress bars.
  G.SetAutoNumAlign(true);
  G.AddProgress(2, 1, clRed, clWhite);
  TCellGraphic* p = G.GetCellGraphic(2, 1);
  EXPECT_EQ(p->CellErrFrom(), 0);
  EXPECT_EQ(p->CellErrLen(), 100);
  EXPECT_FALSE(p->CellBoolean());
  EXPECT_EQ(G.Alignments(2, 1), taRightJustify);
  G.AddProgressFormatted(2, 2, clRed, clBlack, clWhite, clBlue, "%d", 5, 50);
  p = G.GetCellGraphic(2, 2);
  EXPECT_TRUE(p->CellBoolean());
  EXPECT_EQ(p->CellText(), "%d");
  EXPECT_EQ(TColor(p->CellIndex()), clBlack);
  EXPECT_EQ(TColor(p->CellAngle()), clBlue);
  // A marker on a progress bar keeps the bar.
  G.AddMarker(2, 2, 1, 2);
  EXPECT_TRUE(G.HasProgress(2, 2));
  int pos = 0, len = 0;
  G.GetMarker(2, 2, pos, len);
  EXPECT_EQ(pos, 1);
  EXPECT_EQ(len, 2);
  G.RemoveMarker(2, 2);
  EXPECT_TRUE(G.HasProgress(2, 2));
  G.GetMarker(2, 2, pos, len);
  EXPECT_EQ(len, 0);
  // A marker alone goes with its removal.
  G.AddMarker(3, 3, 0, 1);
  EXPECT_EQ(G.GetCellType(3, 3), ctEmpty);
  EXPECT_NE(G.GetCellGraphic(3, 3), nullptr);
  G.RemoveAllMarkers();
  EXPECT_EQ(G.GetCellGraphic(3, 3), nullptr);
  // Shapes and pies.
  G.AddShape(3, 1, csDiamond, clRed, clBlack, haCenter, vaCenter);
  EXPECT_EQ(G.GetShapeColor(3, 1), clRed);
  G.SetShapeColor(3, 1, clBlue);
  EXPECT_EQ(G.GetShapeColor(3, 1), clBlue);
  G.AddProgressPie(3, 2, clGreen, 10);
  G.SetProgressPie(3, 2, 40);
  EXPECT_EQ(G.GetCellGraphic(3, 2)->CellAngle(), 40);
  EXPECT_EQ(G.GetCellGraphic(3, 2)->CellHAlign(), haBeforeText);
}

TEST_F(GraphicFamilies, CommentsAndBalloons) {
  G.ControlLook()->SetCommentColor(clGreen);
  TBitmap bmp;
  G.AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
  G.SetComment(1, 1, "ignored");
  EXPECT_TRUE(G.HasBitmap(1, 1));
  G.SetComment(1, 2, "new");
  EXPECT_EQ(G.GetComment(1, 2), "new");
  EXPECT_EQ(TColor(G.GetCellGraphic(1, 2)->CellIndex()), clGreen);
  G.SetComment(1, 2, "changed");
  EXPECT_EQ(G.CellComment(1, 2), "changed");
  G.AddColorComment(2, 2, "red", clRed);
  G.RemoveAllComments();
  EXPECT_EQ(G.GetCellType(1, 2), ctEmpty);
  EXPECT_EQ(G.GetCellType(2, 2), ctEmpty);
  EXPECT_TRUE(G.HasBitmap(1, 1));
  // A balloon attached to a check box is not a balloon cell.
  G.AddCheckBox(3, 1, true, false);
  G.AddBalloon(3, 1, "Title", "Text", biWarning);
  G.AddBalloon(3, 1, "Title2", "Text2", biError);  // replaces the texts
  QString t, x;
  TBalloonIcon icon = biNone;
  EXPECT_FALSE(G.HasBalloon(3, 1));
  EXPECT_TRUE(G.IsBalloon(3, 1, t, x, icon));
  EXPECT_EQ(t, "Title2");
  EXPECT_EQ(x, "Text2");
  EXPECT_EQ(icon, biError);
  EXPECT_TRUE(G.HasCheckBox(3, 1));
  G.RemoveBalloon(3, 1);
  EXPECT_FALSE(G.IsBalloon(3, 1, t, x, icon));
  EXPECT_TRUE(G.HasCheckBox(3, 1));
  // A balloon cell takes no second balloon until removed.
  G.AddBalloon(3, 2, "A", "a", biInfo);
  G.AddBalloon(3, 2, "B", "b", biInfo);
  EXPECT_TRUE(G.IsBalloon(3, 2, t, x, icon));
  EXPECT_EQ(t, "A");
  G.RemoveBalloon(3, 2);
  EXPECT_FALSE(G.HasBalloon(3, 2));
  G.AddBalloon(3, 2, "B", "b", biInfo);
  EXPECT_TRUE(G.HasBalloon(3, 2));
}

TEST_F(GraphicFamilies, ButtonsScrollBarsAndExpandRows) {
  G.AddButton(1, 1, 30, 16, "go", haLeft, vaTop);
  G.AddBitButton(1, 2, 30, 16, "bit", nullptr, haLeft, vaTop);
  EXPECT_TRUE(G.HasButton(1, 1));
  EXPECT_TRUE(G.HasButton(1, 2));
  G.RemoveBitButton(1, 1);
  EXPECT_TRUE(G.HasButton(1, 1));
  G.RemoveButton(1, 2);
  EXPECT_FALSE(G.HasButton(1, 2));
  G.SetButtonText(1, 1, "went");
  EXPECT_EQ(G.GetButtonText(1, 1), "went");
  G.PushButton(1, 1, true);
  EXPECT_TRUE(G.GetCellGraphic(1, 1)->CellBoolean());
  G.RemoveAllButtons();
  EXPECT_FALSE(G.HasButton(1, 1));
  // Scroll bars.
  G.AddScrollBar(2, 1, true);
  EXPECT_TRUE(G.HasAutoRangeScrollBar(2, 1));
  EXPECT_EQ(G.GetScrollProp(2, 1).Range, 100);
  EXPECT_EQ(G.GetScrollProp(2, 1).PageSize, 0);
  G.SetScrollProp(2, 1, TScrollProp{20, 80});
  G.SetScrollPosition(2, 1, 15);
  EXPECT_EQ(G.GetScrollPosition(2, 1), 15);
  EXPECT_EQ(G.GetScrollProp(2, 1).Range, 80);
  // Expand rows remember both heights.
  G.SetRowHeights(3, 22);
  G.AddExpand(2, 3, 70);
  EXPECT_EQ(G.GetExpandHeight(2, 3, false), 22);
  EXPECT_EQ(G.GetExpandHeight(2, 3, true), 70);
  EXPECT_FALSE(G.GetExpandState(2, 3));
  const TRect cr = G.CellRect(2, 3);
  EXPECT_EQ(G.GetExpandRect(2, 3), TRect(cr.Right - 13, cr.Top + 2, cr.Right - 2, cr.Top + 13));
  EXPECT_TRUE(G.ToggleExpand(2, 3));
  EXPECT_TRUE(G.GetExpandState(2, 3));
}

// ------------------------------------------------------------------ clicks

namespace {

class GraphicClicks : public ::testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 380, 260);
    G->SetColCount(4);
    G->SetRowCount(6);
    G->SetColWidths(1, 120);
    G->SetOptions(G->Options() + goEditing);
    F.Show();
  }
  // P in client coordinates.
  QPoint View(QPoint P) const {
    const TRect ins = G->NonClientInsets();
    return QPoint(P.x() + ins.Left, P.y() + ins.Top);
  }
  void Press(QPoint P) { QTest::mousePress(G->View(), Qt::LeftButton, Qt::NoModifier, View(P)); }
  void Release(QPoint P) { QTest::mouseRelease(G->View(), Qt::LeftButton, Qt::NoModifier, View(P)); }
  void Click(QPoint P) {
    Press(P);
    Release(P);
  }
  QPoint At(int C, int R, int dx, int dy) {
    const TRect cr = G->CellRect(C, R);
    return QPoint(cr.Left + dx, cr.Top + dy);
  }
  TShownForm F{400, 300};
  TProStringGrid* G = nullptr;
};

}  // namespace

TEST_F(GraphicClicks, RatingsTakeHalfStarsAndMayBeRefused) {
  G->AddRating(1, 1, 5, clYellow, clGray);
  Click(At(1, 1, 10, 5));
  EXPECT_DOUBLE_EQ(G->Floats(1, 1), 0.5);
  Click(At(1, 1, 27, 5));
  EXPECT_DOUBLE_EQ(G->Floats(1, 1), 1.5);
  G->OnRatingChange = [](TObject*, int, int, double& NewRate, bool& Allow) { Allow = NewRate < 2; };
  Click(At(1, 1, 40, 5));
  EXPECT_DOUBLE_EQ(G->Floats(1, 1), 1.5);
}

TEST_F(GraphicClicks, ButtonsClickOnReleaseWhereTheyWereDrawn) {
  G->AddButton(1, 2, 40, 14, "Go", haLeft, vaTop);
  G->Repaint();
  QApplication::processEvents();
  const TRect b = G->GetCellControlRect(1, 2);
  const TRect cr = G->CellRect(1, 2);
  // Drawn inside the cell at its left, XYOffset in.
  EXPECT_GE(b.Left, cr.Left + G->XYOffset().X);
  EXPECT_LE(b.Left, cr.Left + G->XYOffset().X + 1);
  EXPECT_EQ(b.Width(), 40);
  EXPECT_EQ(b.Height(), 14);
  std::vector<TPoint> clicks;
  G->OnButtonClick = [&](TObject*, int c, int r) { clicks.push_back(TPoint(c, r)); };
  const QPoint in(b.Left + 5, b.Top + 5);
  Press(in);
  EXPECT_TRUE(G->GetCellGraphic(1, 2)->CellBoolean());  // drawn pushed
  Release(in);
  EXPECT_FALSE(G->GetCellGraphic(1, 2)->CellBoolean());
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0], TPoint(1, 2));
  // Released outside: drawn released, no click.
  Press(in);
  Release(QPoint(cr.Right - 3, cr.Bottom - 2));
  EXPECT_FALSE(G->GetCellGraphic(1, 2)->CellBoolean());
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(GraphicClicks, ExpandHotSpotTogglesTheRowHeight) {
  G->SetRowHeights(3, 24);
  G->AddExpand(1, 3, 60);
  std::vector<bool> seen;
  G->OnExpandClick = [&](TObject*, int, int, bool Expanded) { seen.push_back(Expanded); };
  const TRect hot = G->GetExpandRect(1, 3);
  Click(QPoint(hot.Left + 4, hot.Top + 4));
  EXPECT_EQ(G->RowHeights(3), 60);
  EXPECT_TRUE(G->GetExpandState(1, 3));
  const TRect hot2 = G->GetExpandRect(1, 3);
  Click(QPoint(hot2.Left + 4, hot2.Top + 4));
  EXPECT_EQ(G->RowHeights(3), 24);
  EXPECT_EQ(seen, (std::vector<bool>{true, false}));
  // Beside the hot spot nothing toggles.
  Click(At(1, 3, 5, 5));
  EXPECT_EQ(G->RowHeights(3), 24);
}
