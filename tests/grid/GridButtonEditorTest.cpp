// The push-button editor of a column grid's button column, driven by typed
// keys and mouse clicks: its place, the caption the application may change on
// release, and the keys that leave it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "grid/ProCGrid.h"
#include "platform/ui/Forms.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// The button column has a column on either side, so that Left and Right move.
enum : int { kButton = 2 };

class GridButtonEditor : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProColumnGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 240);
    G->SetColCount(4);
    G->SetRowCount(6);
    G->Columns()->Items(kButton)->SetEditor(edButton);
    G->OnEllipsClick = [this](TObject*, int c, int r, QString& s) {
      Log << QStringLiteral("Ellips %1,%2 %3 cell=%4").arg(c).arg(r).arg(s, G->Cells(c, r));
      s = QStringLiteral("chosen");
    };
    G->OnButtonClick = [this](TObject*, int c, int r) {
      Log << QStringLiteral("Button %1,%2 cell=%3").arg(c).arg(r).arg(G->Cells(c, r));
    };
    F.Show();
    G->SetFocus();
  }
  void Open(int R, const QString& Text) {
    G->SetCells(kButton, R, Text);
    G->SetCol(kButton);
    G->SetRow(R);
    Press(Qt::Key_F2);
  }
  void Press(Qt::Key K) { PressKey(G, K); }
  TGridButton* B() { return G->GridButton(); }

  TShownForm F{460, 300};
  TProColumnGrid* G = nullptr;
  QStringList Log;
};

}  // namespace

TEST_F(GridButtonEditor, ItCoversTheCellAndItsLinesCaptionedWithTheCellsText) {
  Open(2, "pick");
  ASSERT_TRUE(B()->Visible());
  EXPECT_EQ(G->CurrentEditor(), edButton);
  EXPECT_EQ(B()->Caption(), "pick");
  const TRect r = G->CellRect(kButton, 2);
  EXPECT_EQ(B()->Left(), r.Left - 1);
  EXPECT_EQ(B()->Top(), r.Top - 1);
  EXPECT_EQ(B()->Width(), r.Right - r.Left + 1);
  EXPECT_EQ(B()->Height(), r.Bottom - r.Top + 1);
}

TEST_F(GridButtonEditor, AReleaseWritesTheChangedCaptionBeforeTheClick) {
  Open(2, "pick");
  ASSERT_TRUE(B()->Visible());
  QTest::mouseClick(B()->View(), Qt::LeftButton, {}, QPoint(B()->Width() / 2, B()->Height() / 2));
  QApplication::processEvents();
  EXPECT_EQ(B()->Caption(), "chosen");
  EXPECT_EQ(G->Cells(kButton, 2), "chosen");
  EXPECT_EQ(Log, QStringList({QStringLiteral("Ellips %1,2 pick cell=pick").arg(kButton),
                              QStringLiteral("Button %1,2 cell=chosen").arg(kButton)}));
}

TEST_F(GridButtonEditor, ArrowKeysLeaveAndMoveAndEscapeRestoresTheCellsText) {
  struct Case {
    Qt::Key Key;
    int Col, Row;
  } cases[] = {{Qt::Key_Up, kButton, 1},
               {Qt::Key_Down, kButton, 3},
               {Qt::Key_Left, kButton - 1, 2},
               {Qt::Key_Right, kButton + 1, 2}};
  for (const Case& c : cases) {
    Open(2, "pick");
    ASSERT_TRUE(B()->Visible()) << c.Key;
    Press(c.Key);
    EXPECT_FALSE(B()->Visible()) << c.Key;
    EXPECT_FALSE(G->EditMode()) << c.Key;
    EXPECT_TRUE(G->Focused()) << c.Key;
    EXPECT_EQ(G->Col(), c.Col) << c.Key;
    EXPECT_EQ(G->Row(), c.Row) << c.Key;
    EXPECT_EQ(G->Cells(kButton, 2), "pick") << c.Key;
  }
  EXPECT_TRUE(Log.isEmpty()) << Log.join("; ").toStdString();
  Open(3, "keep");
  ASSERT_TRUE(B()->Visible());
  Press(Qt::Key_Space);
  EXPECT_EQ(G->Cells(kButton, 3), "chosen");
  Press(Qt::Key_Escape);
  EXPECT_FALSE(B()->Visible());
  EXPECT_EQ(G->Cells(kButton, 3), "keep");
  EXPECT_TRUE(G->Focused());
}
