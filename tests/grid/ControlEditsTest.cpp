// The editors of in-cell controls: Enter and Tab end the editing and hand the
// focus back to the grid; Tab advances the cursor with AdvanceAuto.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "grid/ProGrid.h"
#include "grid/ProGrid_ControlEdits.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class ControlEdits : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 250);
    F.Show();
    G->SetCol(1);
    G->SetRow(1);
  }
  // Types K into C, which has the focus, and counts its exits.
  void Check(TWinControl* C, Qt::Key K, int ExpectedCol) {
    int exits = 0;
    C->OnExit = [&](TObject*) { ++exits; };
    C->SetParent(G);
    C->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(C->View(), K);
    QApplication::processEvents();
    EXPECT_GE(exits, 1);
    EXPECT_TRUE(G->Focused());
    EXPECT_EQ(G->Col(), ExpectedCol);
    C->OnExit = nullptr;
  }
  TShownForm F{460, 300};
  TProStringGrid* G = nullptr;
};

}  // namespace

TEST_F(ControlEdits, EnterEndsTheEditingWithoutMovingTheCursor) {
  auto* e = new TControlEdit(G);
  e->SetText("value");
  Check(e, Qt::Key_Return, 1);
  EXPECT_EQ(e->Text(), "value");
  auto* c = new TControlCombo(G);
  Check(c, Qt::Key_Return, 1);
}

TEST_F(ControlEdits, TabAdvancesWithAdvanceAuto) {
  G->Navigation()->SetAdvanceAuto(true);
  auto* e = new TControlEdit(G);
  Check(e, Qt::Key_Tab, 2);
}
