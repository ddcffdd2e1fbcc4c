// The grid's rich editor on an offscreen grid: RTF in and out of a cell, sub-
// and superscript, the row growing while typing, and the keys that leave it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class GridRichEditor : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 300);
    G->SetColCount(4);
    G->SetRowCount(6);
    G->SetOptions(G->Options() + TGridOptions{goEditing});
    G->SetDefaultEditor(edRichEdit);
    G->SetWordWrap(false);
    F.Show();
    G->SetFocus();
  }
  void Open(int C, int R) {
    G->SetCol(C);
    G->SetRow(R);
    PressKey(G, Qt::Key_F2);
  }
  TProRichEdit* Editor() { return G->InplaceRichEdit(); }
  // Three lines typed into the editor.
  void TypeLines() {
    TypeKeys(G, "a");
    PressKey(G, Qt::Key_Return);
    TypeKeys(G, "b");
    PressKey(G, Qt::Key_Return);
    TypeKeys(G, "c");
  }
  bool EditorShown() { return Editor()->Visible() && Editor()->Focused(); }

  TShownForm F{460, 340};
  TProStringGrid* G = nullptr;
};

}  // namespace

TEST_F(GridRichEditor, AnRtfCellTakesTypedTextAndASuperscriptAndReadsBackTheSame) {
  G->SetCells(1, 2, MakeRtf("ab", {0, 0}, G->Font()->Name(), G->Font()->Size()));
  Open(1, 2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "ab");
  PressKey(G, Qt::Key_End);
  TypeKeys(G, "c");
  PressKey(G, Qt::Key_Left, Qt::ShiftModifier);
  Editor()->SelSuperscript();
  PressKey(G, Qt::Key_Down);
  EXPECT_FALSE(Editor()->Visible());
  EXPECT_EQ(G->Row(), 3);
  const QString stored = G->Cells(1, 2);
  EXPECT_TRUE(stored.startsWith("{\\rtf"));
  // The stored text reads back into a rich edit with the raised "c".
  TProRichEdit* m = G->RichEdit();
  G->CellToRich(1, 2, m);
  EXPECT_EQ(m->Text(), "abc");
  m->SetSelStart(2);
  m->SetSelLength(1);
  EXPECT_TRUE(m->IsSelSuperscript());
  m->SetSelStart(0);
  m->SetSelLength(1);
  EXPECT_TRUE(m->IsSelNormal());
  EXPECT_EQ(G->RichToString(m), stored);
}

TEST_F(GridRichEditor, EachOffsetIsReadBackAsSetAndNoOther) {
  TProRichEdit* e = G->RichEdit();
  e->SetText("xyz");
  e->SetSelStart(1);
  e->SetSelLength(1);
  const struct {
    void (TProRichEdit::*Set)();
    bool Normal, Sub, Super;
  } cases[] = {{&TProRichEdit::SelSuperscript, false, false, true},
               {&TProRichEdit::SelSubscript, false, true, false},
               {&TProRichEdit::SelNormal, true, false, false}};
  for (const auto& c : cases) {
    (e->*c.Set)();
    EXPECT_EQ(e->IsSelNormal(), c.Normal);
    EXPECT_EQ(e->IsSelSubscript(), c.Sub);
    EXPECT_EQ(e->IsSelSuperscript(), c.Super);
  }
  e->SetSelectionOffset(40);
  EXPECT_TRUE(e->IsSelSuperscript());
}

// The editor asks for the height N its text needs; while the row is lower
// than N + 5 and N + 5 below the cell's top still lies inside the grid, the
// editor becomes N + 9 high and the row N + 10.
TEST_F(GridRichEditor, TypedLinesMakeTheRowTallerWithSizeWhileTyping) {
  G->SizeWhileTyping()->SetHeight(true);
  QStringList log;
  G->OnEndRowSize = [&](TObject*, int r) { log << QStringLiteral("EndRowSize %1").arg(r); };
  std::vector<int> asked;
  Editor()->OnResizeRequest = [&](TObject*, TRect R) { asked.push_back(R.Bottom - R.Top); };
  const QString rtf = MakeRtf("ab", {0, 0}, G->Font()->Name(), G->Font()->Size());
  G->SetCells(1, 2, rtf);
  const int before = G->RowHeights(2);
  Open(1, 2);
  ASSERT_TRUE(EditorShown());
  TypeLines();
  ASSERT_FALSE(asked.empty());
  const int n = asked.back();
  EXPECT_GT(n + 5, before);
  EXPECT_EQ(G->RowHeights(2), n + 10);
  EXPECT_EQ(Editor()->Height(), n + 9);
  ASSERT_FALSE(log.isEmpty());
  EXPECT_EQ(log.back(), "EndRowSize 2");
  // A line taken away asks for less: the row, still at least N + 5, stays.
  log.clear();
  PressKey(G, Qt::Key_Backspace);
  PressKey(G, Qt::Key_Backspace);
  ASSERT_LT(asked.back(), n);
  EXPECT_EQ(G->RowHeights(2), n + 10);
  EXPECT_TRUE(log.isEmpty());
  // Escape leaves the cell's rich text as it was.
  PressKey(G, Qt::Key_Escape);
  EXPECT_FALSE(Editor()->Visible());
  EXPECT_EQ(G->Cells(1, 2), rtf);

  // A row whose grown bottom (top + N + 5) would lie outside the grid keeps
  // its height: the grid ends just below the last row.
  G->SetHeight(G->Height() - G->ClientHeight() + G->CellRect(1, 5).Bottom + 2);
  const int last = G->RowHeights(5);
  Open(1, 5);
  ASSERT_TRUE(EditorShown());
  TypeLines();
  EXPECT_LT(last, asked.back() + 5);  // lower than the text: only the grid's end holds it
  EXPECT_GE(G->CellRect(1, 5).Top + asked.back() + 5, G->ClientHeight());
  EXPECT_EQ(G->RowHeights(5), last);
  EXPECT_TRUE(log.isEmpty());
  PressKey(G, Qt::Key_Escape);
  G->SetHeight(300);

  // Without SizeWhileTyping.Height the row keeps its height.
  G->SizeWhileTyping()->SetHeight(false);
  const int now = G->RowHeights(3);
  Open(1, 3);
  TypeLines();
  EXPECT_EQ(G->RowHeights(3), now);
  EXPECT_TRUE(log.isEmpty());
}

TEST_F(GridRichEditor, TabMovesAndOpensAgainUpAndDownLeaveWithoutMultilineCells) {
  G->SetOptions(G->Options() + TGridOptions{goTabs});
  G->SetCells(2, 2, "next");
  Open(1, 2);
  ASSERT_TRUE(EditorShown());
  TypeKeys(G, "t");
  PressKey(G, Qt::Key_Tab);
  EXPECT_EQ(G->Col(), 2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "next");
  PressKey(G, Qt::Key_Up);
  EXPECT_EQ(G->Row(), 1);
  EXPECT_FALSE(Editor()->Visible());
  // With Multilinecells or WordWrap the arrows stay in the editor.
  for (bool multiline : {true, false}) {
    G->SetMultilinecells(multiline);
    G->SetWordWrap(!multiline);
    Open(1, 3);
    ASSERT_TRUE(EditorShown());
    PressKey(G, Qt::Key_Down);
    EXPECT_EQ(G->Row(), 3);
    EXPECT_TRUE(EditorShown());
    PressKey(G, Qt::Key_Escape);
  }
}
