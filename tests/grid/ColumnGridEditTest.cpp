// Editing in place on a column grid designed without goEditing, as the
// configurator's tables are: the editor kinds, combo items and read-only
// columns come from the grid's columns alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <vector>

#include "grid/ProCGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

enum : int { kText = 1, kList = 2, kReadOnly = 3, kNumber = 4, kFloat = 5, kFree = 6 };

class ColumnGridEdit : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProColumnGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 560, 300);
    G->SetColCount(7);
    G->SetRowCount(8);
    G->SetOptions(G->Options() - TGridOptions{goEditing});
    G->Columns()->Items(kList)->SetEditor(edComboList);
    G->Columns()->Items(kList)->ComboItems()->SetText("Alpha\nBeta\nGamma");
    G->Columns()->Items(kReadOnly)->SetReadOnly(true);
    G->Columns()->Items(kNumber)->SetEditor(edNumeric);
    G->Columns()->Items(kFloat)->SetEditor(edFloat);
    G->Columns()->Items(kFree)->SetEditor(edComboEdit);
    G->Columns()->Items(kFree)->ComboItems()->SetText("One\nTwo");
    G->OnEditingDone = [this](TObject*) { Log << QStringLiteral("EditingDone"); };
    G->OnEditCellDone = [this](TObject*, int c, int r) {
      Log << QStringLiteral("EditCellDone %1,%2").arg(c).arg(r);
    };
    F.Show();
    G->SetFocus();
  }
  void Goto(int C, int R) {
    G->SetCol(C);
    G->SetRow(R);
  }
  // Keys go to whichever control has the focus, as typed keys do.
  void Press(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(G, K, Mods); }
  void Type(const QString& Text) { TypeKeys(G, Text); }
  bool TextEditorShown() const { return G->NormalEdit() != nullptr && G->NormalEdit()->Visible(); }
  // Opens the cell's editor with F2 on an empty cell and types Text.
  QString Edited(int C, const QString& Text) {
    G->SetCells(C, 2, QString());
    Goto(C, 2);
    Press(Qt::Key_F2);
    Type(Text);
    return TextEditorShown() ? G->NormalEdit()->Text() : QStringLiteral("<no editor>");
  }

  TShownForm F{620, 360};
  TProColumnGrid* G = nullptr;
  QStringList Log;
};

}  // namespace

TEST_F(ColumnGridEdit, TypingOpensTheTextEditorAndEnterWritesThenReportsTwice) {
  G->SetCells(kText, 2, "old");
  Goto(kText, 2);
  Type("ab");
  ASSERT_TRUE(TextEditorShown());
  EXPECT_EQ(G->CurrentEditor(), edNormal);
  EXPECT_EQ(G->NormalEdit()->Text(), "ab");
  QTest::keyClick(G->NormalEdit()->View(), Qt::Key_Return);  // no event loop run yet
  EXPECT_EQ(G->Cells(kText, 2), "ab");
  EXPECT_FALSE(TextEditorShown());
  EXPECT_EQ(Log, QStringList({"EditingDone"}));
  QApplication::processEvents();
  EXPECT_EQ(Log, QStringList({"EditingDone", "EditCellDone 1,2"}));
}

TEST_F(ColumnGridEdit, EscapeRestoresTheCellsText) {
  G->SetCells(kText, 2, "keep");
  Goto(kText, 2);
  Type("zz");
  ASSERT_TRUE(TextEditorShown());
  Press(Qt::Key_Escape);
  EXPECT_FALSE(TextEditorShown());
  EXPECT_EQ(G->Cells(kText, 2), "keep");
}

TEST_F(ColumnGridEdit, AReadOnlyColumnOpensNothing) {
  G->SetCells(kReadOnly, 2, "fixed");
  Goto(kReadOnly, 2);
  Type("x");
  Press(Qt::Key_F2);
  EXPECT_FALSE(TextEditorShown());
  EXPECT_FALSE(G->EditMode());
  EXPECT_EQ(G->Cells(kReadOnly, 2), "fixed");
}

TEST_F(ColumnGridEdit, NumericAndFloatColumnsFilterTheTypedCharacters) {
  EXPECT_EQ(Edited(kNumber, "1a-2b"), "12");
  Press(Qt::Key_Escape);
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  EXPECT_EQ(Edited(kFloat, "1.5,2,3"), "15,23");
  Press(Qt::Key_Escape);
  FormatSettings = saved;
  EXPECT_EQ(Edited(kFloat, "1.5"), "1.5");
  Press(Qt::Key_Escape);
}

TEST_F(ColumnGridEdit, AComboListColumnOffersItsItemsAndWritesTheFirstOverAForeignText) {
  G->SetCells(kList, 1, "Zeta");
  QStringList combo;
  G->OnComboChange = [&](TObject*, int c, int r, int i, const QString& s) {
    combo << QStringLiteral("%1,%2 %3 %4").arg(c).arg(r).arg(i).arg(s);
  };
  Goto(kList, 1);
  Press(Qt::Key_F2);
  TGridCombo* cb = G->EditCombo();
  ASSERT_TRUE(cb->Visible());
  EXPECT_EQ(G->CurrentEditor(), edComboList);
  EXPECT_EQ(cb->Items()->Text(), G->Columns()->Items(kList)->ComboItems()->Text());
  EXPECT_EQ(cb->ItemIndex(), 0);
  EXPECT_EQ(combo, QStringList({"2,1 0 Alpha"}));
  Press(Qt::Key_Return);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(kList, 1), "Alpha");
}

TEST_F(ColumnGridEdit, AComboEditColumnKeepsFreeTextAndItsOwnItems) {
  G->SetCells(kFree, 1, "Free");
  Goto(kFree, 1);
  Press(Qt::Key_F2);
  TGridCombo* cb = G->EditCombo();
  ASSERT_TRUE(cb->Visible());
  EXPECT_EQ(cb->Style(), csDropDown);
  EXPECT_EQ(cb->Items()->Count(), 2);
  EXPECT_EQ(cb->Text(), "Free");
  Press(Qt::Key_End);
  Type("d");
  Press(Qt::Key_Return);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(kFree, 1), "Freed");
}

TEST_F(ColumnGridEdit, ARejectedValueReopensTheEditorWithTheOldText) {
  G->SetCells(kText, 2, "10");
  G->OnCellValidate = [](TObject*, int, int, QString&, bool& valid) { valid = false; };
  Goto(kText, 2);
  Press(Qt::Key_F2);
  Type("x");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(kText, 2), "10");
  ASSERT_TRUE(TextEditorShown());
  EXPECT_EQ(G->NormalEdit()->Text(), "10");
}

TEST_F(ColumnGridEdit, AMergedCellsEditorCoversTheWholeBlock) {
  G->MergeCells(kText, 2, 2, 3);
  G->SetCells(kText, 2, "block");
  const TRect r = G->CellRect(kText, 2);
  Goto(kText, 2);
  Press(Qt::Key_F2);
  ASSERT_TRUE(TextEditorShown());
  EXPECT_EQ(G->NormalEdit()->BoundsRect(), TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1));
  EXPECT_EQ(G->NormalEdit()->Text(), "block");
}

// Sizing a column with the mouse keeps within the column's size limits.
using ColumnGridMouse = ColumnGridEdit;

TEST_F(ColumnGridMouse, SizingAFixedColumnKeepsTheColumnsLimits) {
  G->MouseActions()->SetSizeFixedCol(true);
  G->Columns()->Items(0)->SetMinSize(40);
  G->Columns()->Items(0)->SetMaxSize(90);
  std::vector<int> told;
  G->OnUpdateColumnSize = [&](TObject*, int, int& W) { told.push_back(W); };
  const TRect ins = G->NonClientInsets();
  auto at = [&](int X, int Y) { return QPoint(X + ins.Left, Y + ins.Top); };
  const int y = (G->CellRect(0, 4).Top + G->CellRect(0, 4).Bottom) / 2;
  auto drag = [&](int From, int To) {
    QTest::mouseMove(G->View(), at(From, y));
    QTest::mousePress(G->View(), Qt::LeftButton, {}, at(From, y));
    QTest::mouseMove(G->View(), at(To, y));
    QTest::mouseRelease(G->View(), Qt::LeftButton, {}, at(To, y));
  };
  drag(G->ColWidths(0) + 2, 150);
  EXPECT_EQ(G->ColWidths(0), 90);
  drag(G->ColWidths(0) + 2, 10);
  EXPECT_EQ(G->ColWidths(0), 40);
  // The grid's event sees the width after the column's limits.
  EXPECT_EQ(told, (std::vector<int>{90, 40}));
}
