// Edit links on an offscreen grid, with a test link around a platform edit:
// inline and pop-up editing, the keys that end an edit, Tab to the next cell,
// refused values, links without a control, the dialog code with goTabs, and
// links with pop-up forms of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/StdCtrls.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A link whose control is a plain edit, made once and kept by the link.
class TTestLink : public TEditLink {
 public:
  using TEditLink::TEditLink;
  TEdit* Edit = nullptr;
  bool NoControl = false;
  QStringList* Log = nullptr;

  TWinControl* GetEditControl() override { return NoControl ? nullptr : Edit; }
  void CreateEditor(TWinControl* AParent) override {
    if (NoControl) return;
    if (Edit == nullptr) {
      Edit = new TEdit(this);
      Edit->OnKeyDown = [this](TObject* S, Word& K, TShiftState Sh) {
        if (Log) *Log << QStringLiteral("Key %1").arg(K);
        EditKeyDown(S, K, Sh);
      };
      Edit->OnExit = [this](TObject* S) { EditExit(S); };
    }
    Edit->SetParent(AParent);
  }
  QString GetEditorValue() override { return Edit ? Edit->Text() : QString(); }
  void SetEditorValue(const QString& V) override {
    if (Edit) Edit->SetText(V);
  }
};

class GridEditLink : public testing::Test {
 protected:
  void SetUp() override {
    G = MakeGrid(F.Form, 0);
    L = new TTestLink(F.Form);
    G->SetEditLink(L);
    F.Show();
    G->SetFocus();
  }
  TProStringGrid* MakeGrid(TForm* Form, int Left) {
    auto* g = new TProStringGrid(Form);
    g->SetParent(Form);
    g->SetBounds(Left, 0, 300, 200);
    g->SetColCount(4);
    g->SetRowCount(6);
    g->SetOptions(g->Options() + TGridOptions{goEditing});
    g->SetDefaultEditor(edCustom);
    for (int c = 0; c < 4; ++c)
      for (int r = 0; r < 6; ++r) g->SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    return g;
  }
  void Open(int C = 1, int R = 2, TProStringGrid* Grid = nullptr) {
    TProStringGrid* g = Grid ? Grid : G;
    g->SetCol(C);
    g->SetRow(R);
    if (g->CanFocus()) g->SetFocus();
    PressKey(g, Qt::Key_F2);
  }
  void Press(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(G, K, Mods); }
  void Type(const QString& Text) { TypeKeys(G, Text); }
  bool EditShown(TTestLink* Link = nullptr) {
    TTestLink* l = Link ? Link : L;
    return l->Edit != nullptr && l->Edit->Visible() && l->Edit->Focused();
  }

  TShownForm F{700, 300};
  TProStringGrid* G = nullptr;
  TTestLink* L = nullptr;
};

}  // namespace

TEST_F(GridEditLink, AnInlineLinkEditsTheCellAndEnterStoresIt) {
  Open();
  ASSERT_TRUE(EditShown());
  EXPECT_EQ(L->Edit->Parent(), G);
  EXPECT_EQ(L->Edit->Text(), "c1r2");
  const TRect r = G->CellRect(1, 2);
  EXPECT_EQ(L->Edit->Left(), r.Left);
  EXPECT_EQ(L->Edit->Top(), r.Top);
  EXPECT_EQ(L->Edit->Width(), r.Right - r.Left - G->GridLineWidth());
  EXPECT_TRUE(L->SubClassed());
  L->Edit->SelectAll();
  Type("new");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "new");
  EXPECT_FALSE(G->EditMode());
  EXPECT_FALSE(L->SubClassed());
  EXPECT_FALSE(L->Edit->Visible());
  EXPECT_EQ(G->Row(), 2);
}

TEST_F(GridEditLink, TheKeysThatEndAnEdit) {
  const struct {
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    bool WantUpDown;
    bool Ends;
    QString Stored;
    int Row;
  } cases[] = {
      {Qt::Key_Escape, Qt::NoModifier, false, true, "c1r2", 2},
      {Qt::Key_Down, Qt::NoModifier, false, true, "typed", 3},
      {Qt::Key_Up, Qt::NoModifier, false, true, "typed", 1},
      {Qt::Key_Down, Qt::NoModifier, true, false, "c1r2", 2},
      {Qt::Key_Up, Qt::NoModifier, true, false, "c1r2", 2},
      {Qt::Key_X, Qt::AltModifier, false, true, "typed", 2},
      {Qt::Key_Home, Qt::AltModifier, true, true, "typed", 2},
      {Qt::Key_Home, Qt::NoModifier, false, false, "c1r2", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("key %1 mods %2 want %3").arg(c.Key).arg(int(c.Mods)).arg(c.WantUpDown).toStdString());
    G->SetCells(1, 2, "c1r2");
    L->SetWantKeyUpDown(c.WantUpDown);
    Open();
    ASSERT_TRUE(EditShown());
    L->Edit->SelectAll();
    Type("typed");
    Press(c.Key, c.Mods);
    EXPECT_EQ(EditShown(), !c.Ends);
    EXPECT_EQ(G->Row(), c.Row);
    if (!c.Ends) Press(Qt::Key_Escape);
    EXPECT_EQ(G->Cells(1, 2), c.Stored);
    EXPECT_FALSE(G->EditMode());
  }
}

TEST_F(GridEditLink, APopupOpensAtTheCellOrAtTheGivenPointAndEnterKeepsTheValue) {
  L->SetEditStyle(esPopup);
  L->SetPopupWidth(120);
  L->SetPopupHeight(40);
  Open();
  ASSERT_NE(L->PopupForm(), nullptr);
  ASSERT_TRUE(L->Edit != nullptr);
  EXPECT_EQ(L->Edit->Parent(), L->PopupForm());
  const TRect r = G->CellRect(1, 2);
  const TPoint at = G->ClientToScreen(TPoint(r.Left, r.Top));
  EXPECT_EQ(L->PopupForm()->Left(), at.X);
  EXPECT_EQ(L->PopupForm()->Top(), at.Y);
  EXPECT_EQ(L->PopupForm()->Width(), 120);
  EXPECT_EQ(L->PopupForm()->Height(), 40);
  EXPECT_EQ(L->PopupForm()->FormStyle(), fsStayOnTop);
  EXPECT_EQ(L->PopupForm()->BorderStyle(), bsNone);
  L->Edit->SetFocus();
  L->Edit->SelectAll();
  Type("popped");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "popped");
  EXPECT_FALSE(L->PopupForm()->Visible());
  // At a fixed point, whatever the cell.
  L->SetPopupLeft(50);
  L->SetPopupTop(60);
  Open(2, 4);
  EXPECT_EQ(L->PopupForm()->Left(), 50);
  EXPECT_EQ(L->PopupForm()->Top(), 60);
  L->Edit->SetFocus();
  Press(Qt::Key_Escape);
  EXPECT_EQ(G->Cells(2, 4), "c2r4");
}

TEST_F(GridEditLink, TabToNextAtEndOpensTheEditorInTheNextCell) {
  G->Navigation()->SetTabToNextAtEnd(true);
  G->SetOptions(G->Options() + TGridOptions{goTabs});
  Open(1, 2);
  L->Edit->SelectAll();
  Type("one");
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->Cells(1, 2), "one");
  EXPECT_EQ(G->Col(), 2);
  ASSERT_TRUE(EditShown());
  EXPECT_EQ(L->Edit->Text(), "c2r2");
  EXPECT_EQ(L->EditCell(), TPoint(2, 2));
  Press(Qt::Key_Escape);
}

TEST_F(GridEditLink, ARefusedValueShowsTheEditorAgainInTheSameCell) {
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& ok) { ok = v != "bad"; };
  Open(1, 2);
  L->Edit->SelectAll();
  Type("bad");
  Press(Qt::Key_Down);
  EXPECT_EQ(G->Row(), 2);
  EXPECT_TRUE(EditShown());
  EXPECT_EQ(L->EditCell(), TPoint(1, 2));
  L->Edit->SelectAll();
  Type("good");
  Press(Qt::Key_Down);
  EXPECT_EQ(G->Cells(1, 2), "good");
  EXPECT_EQ(G->Row(), 3);
}

TEST_F(GridEditLink, WithoutAControlOrALinkNothingShowsAndNothingChanges) {
  L->NoControl = true;
  Open(1, 2);
  EXPECT_FALSE(G->EditMode());
  EXPECT_EQ(G->EditCtrl(), nullptr);
  EXPECT_EQ(G->Cells(1, 2), "c1r2");
  Type("x");
  Press(Qt::Key_Down);
  EXPECT_EQ(G->Cells(1, 2), "c1r2");
  EXPECT_EQ(G->Row(), 3);
  // No link at all.
  G->SetEditLink(nullptr);
  Open(1, 2);
  EXPECT_FALSE(G->EditMode());
  Type("y");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "c1r2");
}

TEST_F(GridEditLink, AFreedLinkIsForgottenByTheGrid) {
  delete L;
  L = nullptr;
  EXPECT_EQ(G->EditLink(), nullptr);
  Open(1, 2);
  EXPECT_FALSE(G->EditMode());
}

TEST_F(GridEditLink, WithGoTabsTheControlAsksForEveryKeyAndEnterReachesTheLink) {
  auto* b = new TButton(F.Form);
  b->SetParent(F.Form);
  b->SetBounds(400, 250, 80, 25);
  b->SetDefault(true);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  G->SetOptions(G->Options() + TGridOptions{goTabs});
  Open(1, 2);
  ASSERT_TRUE(EditShown());
  EXPECT_EQ(SendMessage(L->Edit->Handle(), WM_GETDLGCODE, 0, 0), 0x87);
  L->Edit->SelectAll();
  Type("entered");
  Press(Qt::Key_Return);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(G->Cells(1, 2), "entered");
  EXPECT_FALSE(G->EditMode());
  // Without goTabs the control answers for itself.
  G->SetOptions(G->Options() - TGridOptions{goTabs});
  Open(1, 3);
  EXPECT_NE(SendMessage(L->Edit->Handle(), WM_GETDLGCODE, 0, 0), 0x87);
  Press(Qt::Key_Escape);
}

TEST_F(GridEditLink, EachPopupLinkKeepsItsOwnForm) {
  // Two grids with a pop-up link each, used one after the other; then one
  // link is freed while its form is hidden.
  TProStringGrid* G2 = MakeGrid(F.Form, 310);
  auto* L2 = new TTestLink(F.Form);
  G2->SetEditLink(L2);
  for (TTestLink* l : {L, L2}) {
    l->SetEditStyle(esPopup);
    l->SetPopupWidth(100);
    l->SetPopupHeight(30);
  }
  for (int round = 0; round < 2; ++round) {
    for (auto [g, l] : {std::pair{G, L}, std::pair{G2, L2}}) {
      Open(1, 2 + round, g);
      ASSERT_NE(l->PopupForm(), nullptr);
      EXPECT_TRUE(l->PopupForm()->Visible());
      l->Edit->SetFocus();
      l->Edit->SelectAll();
      TypeKeys(g, QStringLiteral("r%1").arg(round));
      PressKey(g, Qt::Key_Return);
      EXPECT_EQ(g->Cells(1, 2 + round), QStringLiteral("r%1").arg(round));
    }
  }
  EXPECT_NE(L->PopupForm(), L2->PopupForm());
  delete L;
  L = nullptr;
  Open(1, 4, G2);
  EXPECT_TRUE(L2->PopupForm()->Visible());
  L2->Edit->SetFocus();
  PressKey(G2, Qt::Key_Escape);
  EXPECT_EQ(G2->Cells(1, 4), "c1r4");
}
