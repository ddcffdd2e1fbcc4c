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

enum : int { kButton = 1 };

class GridButtonEditor : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProColumnGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 240);
    G->SetColCount(3);
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
  EXPECT_EQ(Log, QStringList({"Ellips 1,2 pick cell=pick", "Button 1,2 cell=chosen"}));
}

TEST_F(GridButtonEditor, ArrowKeysLeaveAndMoveAndEscapeRestoresTheCellsText) {
  Open(2, "pick");
  ASSERT_TRUE(B()->Visible());
  Press(Qt::Key_Down);
  EXPECT_FALSE(B()->Visible());
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Cells(kButton, 2), "pick");
  Open(3, "keep");
  ASSERT_TRUE(B()->Visible());
  Press(Qt::Key_Space);
  EXPECT_EQ(G->Cells(kButton, 3), "chosen");
  Press(Qt::Key_Escape);
  EXPECT_FALSE(B()->Visible());
  EXPECT_EQ(G->Cells(kButton, 3), "keep");
  EXPECT_TRUE(G->Focused());
}
