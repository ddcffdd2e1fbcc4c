// The fixed-cell editors and the search bar's edit: validation of a fixed
// cell's new text, Enter dropped, and the Return keys of the search edit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "grid/ProGrid.h"
#include "grid/ProGrid_SearchPanel.h"
#include "platform/ui/Forms.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class GridFixedCellEditors : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 200);
    G->SetColCount(4);
    G->SetRowCount(5);
    G->SetCells(0, 2, "head");
    G->OnEditingDone = [this](TObject* S) { Log << (S == G ? "EditingDone" : "EditingDone?"); };
    G->OnCellValidate = [this](TObject* S, int c, int r, QString& v, bool& ok) {
      EXPECT_EQ(S, G);
      Log << QStringLiteral("Validate %1,%2 %3").arg(c).arg(r).arg(v);
      ok = v != "bad";
    };
    F.Show();
  }
  // Places an editor over the fixed cell (0, 2) with the focus.
  template <typename T>
  void Start(T* E, const QString& Text) {
    E->SetCell(0, 2);
    const TRect r = G->CellRect(0, 2);
    E->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    E->SetText(Text);
    E->SetVisible(true);
    E->SetFocus();
    QApplication::processEvents();
  }

  TShownForm F{460, 260};
  TProStringGrid* G = nullptr;
  QStringList Log;
};

}  // namespace

TEST_F(GridFixedCellEditors, ARefusedValueKeepsTheEditorAndAnAcceptedOneReachesTheCell) {
  for (TWinControl* E : std::initializer_list<TWinControl*>{G->EditTrans(), G->ComboTrans()}) {
    SCOPED_TRACE(E == G->EditTrans() ? "edit" : "combo");
    Log.clear();
    G->SetCells(0, 2, "head");
    G->SetRow(1);
    auto stop = [&] {
      return E == G->EditTrans() ? G->EditTrans()->StopEdit() : G->ComboTrans()->StopEdit();
    };
    if (E == G->EditTrans()) Start(G->EditTrans(), "bad");
    else Start(G->ComboTrans(), "bad");
    EXPECT_FALSE(stop());
    EXPECT_TRUE(E->Visible());
    EXPECT_TRUE(E->Focused());
    EXPECT_EQ(G->Row(), 2);
    EXPECT_EQ(G->Cells(0, 2), "head");
    EXPECT_EQ(Log, QStringList({"Validate 0,2 bad"}));
    TypeKeys(G, QString());
    if (E == G->EditTrans()) G->EditTrans()->SetText("Name");
    else G->ComboTrans()->SetText("Name");
    EXPECT_TRUE(stop());
    EXPECT_FALSE(E->Visible());
    EXPECT_EQ(G->Cells(0, 2), "Name");
    EXPECT_EQ(Log, QStringList({"Validate 0,2 bad", "Validate 0,2 Name", "EditingDone"}));
  }
}

TEST_F(GridFixedCellEditors, LeavingTheEditorStoresItsText) {
  Start(G->EditTrans(), "");
  TypeKeys(G, "Left");
  G->SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(G->Cells(0, 2), "Left");
  EXPECT_FALSE(G->EditTrans()->Visible());
  EXPECT_EQ(Log, QStringList({"Validate 0,2 Left", "EditingDone"}));
}

TEST_F(GridFixedCellEditors, EnterIsDroppedFromTheKeyPress) {
  QStringList chars;
  G->EditTrans()->OnKeyPress = [&](TObject*, QChar& k) { chars << QString(k); };
  G->ComboTrans()->OnKeyPress = [&](TObject*, QChar& k) { chars << QString(k); };
  Start(G->EditTrans(), "");
  TypeKeys(G, "a");
  PressKey(G, Qt::Key_Return);
  TypeKeys(G, "b");
  EXPECT_EQ(G->EditTrans()->Text(), "ab");
  EXPECT_TRUE(G->EditTrans()->Visible());
  Start(G->ComboTrans(), "");
  TypeKeys(G, "c");
  PressKey(G, Qt::Key_Return);
  EXPECT_EQ(chars, QStringList({"a", "b", "c"}));
}

TEST_F(GridFixedCellEditors, WithoutAGridTheEditorOnlyHides) {
  TGridTransEdit e(nullptr);
  e.SetParent(F.Form);
  e.SetVisible(true);
  EXPECT_TRUE(e.StopEdit());
  EXPECT_FALSE(e.Visible());
}

TEST(SearchEdit, ReturnKeysFireTheirEventsAndACarriageReturnIsNeverInserted) {
  TShownForm f{300, 100};
  auto* e = new TRetEdit(f.Form);
  e->SetParent(f.Form);
  e->SetBounds(5, 5, 200, 24);
  QStringList log;
  e->OnReturn = [&](TObject* S) { log << (S == e ? "Return" : "Return?"); };
  e->OnCtrlReturn = [&](TObject* S) { log << (S == e ? "CtrlReturn" : "CtrlReturn?"); };
  e->OnKeyPress = [&](TObject*, QChar& k) {
    log << QStringLiteral("KeyPress %1").arg(k.unicode());
    // Whatever the handler makes of it, a carriage return is not typed.
    if (k == u'\r' || k == u'\n') k = u'x';
  };
  f.Show();
  e->SetFocus();
  QTest::keyClick(e->View(), Qt::Key_A);
  QTest::keyClick(e->View(), Qt::Key_Return);
  QTest::keyClick(e->View(), Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClick(e->View(), Qt::Key_Enter);
  QApplication::processEvents();
  // A carriage return and a line feed typed as characters.
  SendMessage(e->Handle(), WM_CHAR, u'\r', 0);
  SendMessage(e->Handle(), WM_CHAR, u'\n', 0);
  EXPECT_EQ(e->Text(), "a");
  EXPECT_EQ(Only(log, {"Return"}), QStringList({"Return", "CtrlReturn", "Return"}));
  EXPECT_TRUE(log.contains("KeyPress 13"));
  EXPECT_TRUE(log.contains("KeyPress 10"));
}
