// The spin editor of a column grid's spin columns, driven by typed keys and
// mouse clicks: the column's range and step, the page keys, the spin-click
// events, Escape, refused validation and what reaches the cell.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "grid/ProCGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TestHooks.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

enum : int { kInt = 1, kFloat = 2 };

class GridSpinEditor : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProColumnGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 240);
    G->SetColCount(3);
    G->SetRowCount(6);
    TGridColumnItem* i = G->Columns()->Items(kInt);
    i->SetEditor(edSpinEdit);
    i->SetSpinMin(0);
    i->SetSpinMax(100);
    i->SetSpinStep(10);
    TGridColumnItem* f = G->Columns()->Items(kFloat);
    f->SetEditor(edFloatSpinEdit);
    f->SetSpinMin(0);
    f->SetSpinMax(10);
    f->SetSpinStep(1);
    G->OnSpinClick = [this](TObject*, int c, int r, int v, bool up) {
      Log << QStringLiteral("Spin %1,%2 %3 %4").arg(c).arg(r).arg(v).arg(up ? "up" : "down");
    };
    F.Show();
    G->SetFocus();
  }
  void Open(int C, int R, const QString& Text) {
    G->SetCells(C, R, Text);
    G->SetCol(C);
    G->SetRow(R);
    Press(Qt::Key_F2);
  }
  void Press(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(G, K, Mods); }
  void Type(const QString& Text) { TypeKeys(G, Text); }
  TGridSpin* Spin() { return G->SpinEdit(); }
  bool SpinShown() { return Spin()->Visible(); }
  static void Click(TControl* B) {
    QTest::mouseClick(B->View(), Qt::LeftButton, {}, QPoint(B->Width() / 2, B->Height() / 2));
    QApplication::processEvents();
  }

  TShownForm F{460, 300};
  TProColumnGrid* G = nullptr;
  QStringList Log;
};

}  // namespace

TEST_F(GridSpinEditor, TheColumnsRangeAndStepReachTheEditorAndBoundThePageKeys) {
  Open(kInt, 2, "95");
  ASSERT_TRUE(SpinShown());
  EXPECT_EQ(G->CurrentEditor(), edSpinEdit);
  EXPECT_EQ(Spin()->MinValue(), 0);
  EXPECT_EQ(Spin()->MaxValue(), 100);
  EXPECT_EQ(Spin()->Increment(), 10);
  EXPECT_EQ(Spin()->Value(), 95);
  // A page step beyond the maximum is not taken; Home and End go to the bounds.
  Press(Qt::Key_PageUp);
  EXPECT_EQ(Spin()->Value(), 95);
  Press(Qt::Key_Home);
  EXPECT_EQ(Spin()->Value(), 100);
  Press(Qt::Key_End);
  EXPECT_EQ(Spin()->Value(), 0);
  Press(Qt::Key_PageUp);
  EXPECT_EQ(Spin()->Value(), 10);
  Press(Qt::Key_PageDown);
  EXPECT_EQ(Spin()->Value(), 0);
  EXPECT_EQ(Log, QStringList({"Spin 1,2 95 up", "Spin 1,2 100 up", "Spin 1,2 0 down", "Spin 1,2 10 up",
                              "Spin 1,2 0 down"}));
  // Enter stores the value through Ints and puts the editor away.
  Press(Qt::Key_PageUp);
  Press(Qt::Key_Return);
  EXPECT_FALSE(SpinShown());
  EXPECT_EQ(G->Ints(kInt, 2), 10);
}

TEST_F(GridSpinEditor, TheArrowButtonsStepAndReportTheStep) {
  Open(kInt, 3, "40");
  ASSERT_TRUE(SpinShown());
  Log.clear();
  Click(Spin()->Button()->UpButton());
  EXPECT_EQ(Spin()->Value(), 50);
  Click(Spin()->Button()->DownButton());
  Click(Spin()->Button()->DownButton());
  EXPECT_EQ(Spin()->Value(), 30);
  EXPECT_EQ(Log, QStringList({"Spin 1,3 50 up", "Spin 1,3 40 down", "Spin 1,3 30 down"}));
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->Cells(kInt, 3), "30");
}

TEST_F(GridSpinEditor, EscapeRestoresTheCellsText) {
  Open(kInt, 2, "20");
  Press(Qt::Key_PageUp);
  EXPECT_EQ(Spin()->Value(), 30);
  Press(Qt::Key_Escape);
  EXPECT_FALSE(SpinShown());
  EXPECT_EQ(G->Cells(kInt, 2), "20");
}

TEST_F(GridSpinEditor, ARefusedValueKeepsTheEditorOnTheOldTextAndTheCursorInPlace) {
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& ok) { ok = v.toInt() < 50; };
  Open(kInt, 2, "40");
  Press(Qt::Key_PageUp);
  Press(Qt::Key_Return);
  EXPECT_TRUE(SpinShown());
  EXPECT_EQ(Spin()->Text(), "40");
  EXPECT_EQ(G->Row(), 2);
  EXPECT_EQ(G->Cells(kInt, 2), "40");
}

TEST_F(GridSpinEditor, LettersAreRefusedWithABeepAndDigitsAreTaken) {
  Open(kInt, 2, "");
  ASSERT_TRUE(SpinShown());
  const int beeps = TestHooks::BeepCount();
  Type("4x2");
  EXPECT_EQ(Spin()->Text(), "42");
  EXPECT_EQ(TestHooks::BeepCount(), beeps + 1);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Ints(kInt, 2), 42);
}

TEST_F(GridSpinEditor, AFloatSpinStepsByTheColumnsStepAndStoresThroughFloats) {
  Open(kFloat, 2, FloatToStr(2.5));
  ASSERT_TRUE(SpinShown());
  EXPECT_EQ(G->CurrentEditor(), edFloatSpinEdit);
  EXPECT_DOUBLE_EQ(Spin()->FloatValue(), 2.5);
  Press(Qt::Key_PageUp);
  EXPECT_DOUBLE_EQ(Spin()->FloatValue(), 3.5);
  Press(Qt::Key_Home);
  EXPECT_DOUBLE_EQ(Spin()->FloatValue(), 10.0);
  Press(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(G->Floats(kFloat, 2), 10.0);
}

TEST_F(GridSpinEditor, AValueBeyondTheBoundsIsClampedWhenTheEditorIsLeft) {
  Open(kInt, 2, "");
  ASSERT_TRUE(SpinShown());
  Type("150");
  Press(Qt::Key_Return);
  EXPECT_FALSE(SpinShown());
  EXPECT_EQ(G->Cells(kInt, 2), "100");
}
