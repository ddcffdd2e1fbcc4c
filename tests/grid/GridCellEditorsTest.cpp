// The special cell editors of a column grid with one column per kind, driven
// by typed keys and mouse clicks: the time and date spins, the always-visible
// spin buttons, the check box, the edit-with-button editors and the unit
// editor; and, for all of them, Escape and refused input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <iterator>

#include "grid/ProCGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

enum : int {
  kCheck = 1,
  kInt,
  kFloat,
  kTime,
  kDate,
  kButton,
  kEditBtn,
  kNumericBtn,
  kFloatBtn,
  kMaskBtn,
  kUnit,
  kNumericUnit,
  kFloatUnit,
  kDataCheck,
  kColumns
};

class GridCellEditors : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProColumnGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 1264, 240);
    G->SetColCount(kColumns);
    G->SetRowCount(6);
    G->SetDefaultColWidth(84);
    const TEditorType kinds[kColumns] = {edNormal,        edCheckBox,     edSpinEdit,       edFloatSpinEdit,
                                         edTimeSpinEdit,  edDateSpinEdit, edButton,         edEditBtn,
                                         edNumericEditBtn, edFloatEditBtn, edMaskEditBtn,   edUnitEditBtn,
                                         edNumericUnitEditBtn, edFloatUnitEditBtn, edDataCheckBox};
    for (int c = 1; c < kColumns; ++c) G->Columns()->Items(c)->SetEditor(kinds[c]);
    TGridColumnItem* i = G->Columns()->Items(kInt);
    i->SetSpinMin(0);
    i->SetSpinMax(100);
    i->SetSpinStep(10);
    TGridColumnItem* f = G->Columns()->Items(kFloat);
    f->SetSpinMin(0);
    f->SetSpinMax(10);
    f->SetSpinStep(1);
    G->UnitEditBtn()->Units()->SetCommaText("mm,cm,m");
    G->OnSpinClick = [this](TObject*, int c, int r, int v, bool up) {
      Log << QStringLiteral("Spin %1,%2 %3 %4").arg(c).arg(r).arg(v).arg(up ? "up" : "down");
    };
    G->OnTimeSpinClick = [this](TObject*, int c, int r, TDateTime v, bool up) {
      Log << QStringLiteral("Time %1,%2 %3 %4").arg(c).arg(r).arg(TimeToStr(v)).arg(up ? "up" : "down");
    };
    G->OnDateSpinClick = [this](TObject*, int c, int r, TDateTime v, bool up) {
      Log << QStringLiteral("Date %1,%2 %3 %4").arg(c).arg(r).arg(DateToStr(v)).arg(up ? "up" : "down");
    };
    F.Show();
    G->SetFocus();
  }
  void Goto(int C, int R) {
    G->SetCol(C);
    G->SetRow(R);
  }
  void Open(int C, int R, const QString& Text) {
    G->SetCells(C, R, Text);
    Goto(C, R);
    Press(Qt::Key_F2);
  }
  void Press(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(G, K, Mods); }
  void Type(const QString& Text) { TypeKeys(G, Text); }
  static void Click(TControl* C, QPoint At) {
    QTest::mouseClick(C->View(), Qt::LeftButton, {}, At);
    QApplication::processEvents();
  }
  static void Click(TControl* C) { Click(C, QPoint(C->Width() / 2, C->Height() / 2)); }
  TGridSpin* Spin() { return G->SpinEdit(); }
  TGridEditBtn* Btn() { return G->EditBtn(); }
  TGridUnitEditBtn* Unit() { return G->UnitEditBtn(); }
  TSpeedButton* SpeedButtonOf(TPsgEditBtn* E) { return E->Button()->SpeedButton(); }

  TShownForm F{1290, 300};
  TProColumnGrid* G = nullptr;
  QStringList Log;
};

// Chooses the item with a caption from the next pop-up menu.
class MenuChoice {
 public:
  explicit MenuChoice(const QString& Caption) {
    TestHooks::SetPopupMenuHook([Caption](TPopupMenu* Menu, int, int) -> TMenuItem* {
      for (int i = 0; i < Menu->Items()->Count(); ++i)
        if (Menu->Items()->Items(i)->Caption() == Caption) return Menu->Items()->Items(i);
      return nullptr;
    });
  }
  ~MenuChoice() { TestHooks::SetPopupMenuHook(nullptr); }
};

}  // namespace

// ------------------------------------------------------------------ time and date spins

TEST_F(GridCellEditors, ATimeSpinStepsTheHoursAndStoresItsText) {
  Open(kTime, 2, TimeToStr(EncodeTime(10, 15, 0, 0)));
  ASSERT_TRUE(Spin()->Visible());
  EXPECT_EQ(G->CurrentEditor(), edTimeSpinEdit);
  EXPECT_EQ(Spin()->SpinType(), sptTime);
  Spin()->SetSelStart(0);
  Spin()->SetSelLength(0);
  Click(Spin()->Button()->UpButton());
  const QString eleven = TimeToStr(EncodeTime(11, 15, 0, 0));
  EXPECT_EQ(Spin()->Text(), eleven);
  EXPECT_EQ(Log, QStringList({QStringLiteral("Time %1,2 %2 up").arg(kTime).arg(eleven)}));
  Press(Qt::Key_Return);
  EXPECT_FALSE(Spin()->Visible());
  EXPECT_EQ(G->Cells(kTime, 2), eleven);
}

TEST_F(GridCellEditors, ADateSpinOpensOnTodayForAnEmptyCellAndStoresThroughDates) {
  Open(kDate, 2, QString());
  ASSERT_TRUE(Spin()->Visible());
  EXPECT_EQ(Spin()->SpinType(), sptDate);
  EXPECT_EQ(Spin()->Text(), DateToStr(Date()));
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Dates(kDate, 2), Date());

  // A cell's date: the month steps with the caret at the start (month first).
  Open(kDate, 3, DateToStr(EncodeDate(2026, 12, 24)));
  EXPECT_EQ(Spin()->Text(), DateToStr(EncodeDate(2026, 12, 24)));
  Spin()->SetSelStart(0);
  Spin()->SetSelLength(0);
  Click(Spin()->Button()->UpButton());
  const QString next = DateToStr(EncodeDate(2027, 1, 24));
  EXPECT_EQ(Spin()->Text(), next);
  EXPECT_EQ(Log, QStringList({QStringLiteral("Date %1,3 %2 up").arg(kDate).arg(next)}));
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->Dates(kDate, 3), EncodeDate(2027, 1, 24));
}

TEST_F(GridCellEditors, TheDateAndTimeSpinsKeepTheirValueOnThePageKeysAndStillReport) {
  Open(kTime, 2, TimeToStr(EncodeTime(8, 0, 0, 0)));
  Press(Qt::Key_PageUp);
  Press(Qt::Key_End);
  EXPECT_EQ(Spin()->Text(), TimeToStr(EncodeTime(8, 0, 0, 0)));
  ASSERT_EQ(Log.size(), 2);
  EXPECT_TRUE(Log[0].startsWith(QStringLiteral("Spin %1,2 ").arg(kTime)) && Log[0].endsWith(" up"));
  EXPECT_TRUE(Log[1].endsWith(" down"));
}

// --------------------------------------------------------- integer and float spins

TEST_F(GridCellEditors, AFloatSpinFollowsTheLocalesDecimalSeparator) {
  TFormatSettings comma = FormatSettings;
  comma.DecimalSeparator = u',';
  comma.ThousandSeparator = u'.';
  TScopedFormatSettings scope(comma);
  Open(kFloat, 2, QStringLiteral("2,5"));
  ASSERT_TRUE(Spin()->Visible());
  EXPECT_DOUBLE_EQ(Spin()->FloatValue(), 2.5);
  Press(Qt::Key_PageUp);
  EXPECT_EQ(Spin()->Text(), QStringLiteral("3,5"));
  Press(Qt::Key_Return);
  EXPECT_DOUBLE_EQ(G->Floats(kFloat, 2), 3.5);
}

TEST_F(GridCellEditors, ATypedCharacterOpensASpinWithIt) {
  G->SetCells(kInt, 2, "40");
  Goto(kInt, 2);
  Type("7");
  ASSERT_TRUE(Spin()->Visible());
  EXPECT_EQ(Spin()->Text(), "7");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Ints(kInt, 2), 7);
}

TEST_F(GridCellEditors, WithAllowEmptyValueAnEmptiedSpinEmptiesTheCell) {
  Spin()->SetAllowEmptyValue(true);
  Open(kInt, 2, "40");
  Spin()->SelectAll();
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Spin()->Text(), "");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(kInt, 2), "");
}

// A press on the right end of a spin cell, on its always-visible buttons.
TEST_F(GridCellEditors, AClickOnACellsSpinButtonOpensTheEditorSteppedOnceWithoutASpinClick) {
  G->ControlLook()->SetSpinButtonsAlwaysVisible(true);
  // The column grid's spin kinds are the columns'; the buttons show where the
  // application says.
  G->OnHasSpinEdit = [](TObject*, int ACol, int, bool& Has) { Has = ACol == kInt; };
  struct Case {
    int Row;
    bool Lower;
    int Expected;
  } cases[] = {{2, true, 30}, {3, false, 50}};
  for (const Case& c : cases) {
    G->SetCells(kInt, c.Row, "40");
    Goto(kInt, c.Row);
    const TRect r = G->CellRect(kInt, c.Row);
    const int y = c.Lower ? r.Bottom - 3 : r.Top + 3;
    Click(G, QPoint(r.Right - 6, y));
    ASSERT_TRUE(Spin()->Visible()) << c.Row;
    EXPECT_EQ(Spin()->Value(), c.Expected) << c.Row;
    Press(Qt::Key_Return);
    EXPECT_EQ(G->Ints(kInt, c.Row), c.Expected) << c.Row;
  }
  EXPECT_TRUE(Log.isEmpty()) << Log.join("; ").toStdString();
  // Elsewhere in the cell the click opens the editor unstepped, and F2
  // afterwards does not step either.
  G->SetCells(kInt, 4, "40");
  Goto(kInt, 4);
  const TRect r = G->CellRect(kInt, 4);
  Click(G, QPoint(r.Left + 10, r.Bottom - 3));
  ASSERT_TRUE(Spin()->Visible());
  EXPECT_EQ(Spin()->Value(), 40);
  Press(Qt::Key_Escape);
  Press(Qt::Key_F2);
  EXPECT_EQ(Spin()->Value(), 40);
  Press(Qt::Key_Escape);
  // A press on the spin button of another cell only moves there; F2 then
  // opens the editor unstepped.
  G->SetCells(kInt, 5, "40");
  const TRect r5 = G->CellRect(kInt, 5);
  Click(G, QPoint(r5.Right - 6, r5.Bottom - 3));
  EXPECT_EQ(G->Row(), 5);
  EXPECT_FALSE(Spin()->Visible());
  Press(Qt::Key_F2);
  ASSERT_TRUE(Spin()->Visible());
  EXPECT_EQ(Spin()->Value(), 40);
}

// ------------------------------------------------------------------ check box

TEST_F(GridCellEditors, TheCheckBoxTogglesWithSpaceAndLeavesWithEnterUpAndDown) {
  G->Navigation()->SetAdvanceOnEnter(true);
  Open(kCheck, 2, "Y");
  TGridCheckBox* cb = G->EditCheck();
  ASSERT_TRUE(cb->Visible());
  EXPECT_TRUE(cb->Checked());  // opens in the state the cell stands for
  Press(Qt::Key_Space);
  EXPECT_FALSE(cb->Checked());
  Press(Qt::Key_Return);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(kCheck, 2), "N");
  EXPECT_EQ(G->Col(), kInt);  // advanced to the next cell
  // Opened and left without a toggle, the cell keeps its text.
  Open(kCheck, 3, "other");
  Press(Qt::Key_Down);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(G->Cells(kCheck, 3), "other");
  Open(kCheck, 3, "N");
  Press(Qt::Key_Space);
  Press(Qt::Key_Up);
  EXPECT_EQ(G->Row(), 2);
  EXPECT_EQ(G->Cells(kCheck, 3), "Y");
}

TEST_F(GridCellEditors, ADataCheckBoxCellShowsNoEditorAndF2DoesNothing) {
  Open(kDataCheck, 2, "N");
  EXPECT_FALSE(G->EditMode());
  EXPECT_EQ(G->EditCtrl(), nullptr);
  EXPECT_FALSE(G->EditCheck()->Visible());
  EXPECT_EQ(G->Cells(kDataCheck, 2), "N");
}

// ------------------------------------------------------------------ edit with button

TEST_F(GridCellEditors, TheGridMakesItsEditWithButtonEditorsWithAnEllipsisAndNoBorder) {
  for (TPsgEditBtn* e : {static_cast<TPsgEditBtn*>(Btn()), static_cast<TPsgEditBtn*>(Unit())}) {
    EXPECT_EQ(e->Owner(), G);
    EXPECT_EQ(e->Parent(), G);
    EXPECT_EQ(e->ButtonCaption(), "...");
    EXPECT_EQ(e->BorderStyle(), bsNone);
    EXPECT_FALSE(e->Visible());
    EXPECT_FALSE(e->Enabled());
  }
}

// A colour scheme colours the editors' buttons through their button parts.
TEST_F(GridCellEditors, TheEditWithButtonEditorsShowTheButtonColoursGivenThem) {
  for (TPsgEditBtn* e : {static_cast<TPsgEditBtn*>(Btn()), static_cast<TPsgEditBtn*>(Unit())}) {
    TPsgEditButton* part = e->Button();
    part->SetButtonColor(clYellow);
    part->SetButtonColorHot(clLime);
    part->SetButtonColorDown(clRed);
    part->SetButtonBorderColor(clGray);
  }
  for (int c : {kEditBtn, kUnit}) {
    Open(c, 2, "12mm");
    TPsgEditBtn* e = c == kUnit ? static_cast<TPsgEditBtn*>(Unit()) : Btn();
    ASSERT_TRUE(e->Visible()) << c;
    const QImage img = GrabControl(SpeedButtonOf(e)).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(img.pixel(1, 1), qRgb(255, 255, 0)) << c;
    EXPECT_EQ(e->Button()->ButtonColorHot(), clLime);
    EXPECT_EQ(e->Button()->ButtonColorDown(), clRed);
    EXPECT_EQ(e->Button()->ButtonBorderColor(), clGray);
    Press(Qt::Key_Escape);
  }
}

TEST_F(GridCellEditors, AMaskEditButtonTakesItsMaskAndTheOtherKindsNone) {
  G->OnGetEditMask = [](TObject*, int ACol, int, QString& Mask) {
    if (ACol == kMaskBtn) Mask = QStringLiteral("00-00;1;_");
  };
  Open(kMaskBtn, 2, "");
  ASSERT_TRUE(Btn()->Visible());
  EXPECT_EQ(G->CurrentEditor(), edMaskEditBtn);
  EXPECT_EQ(Btn()->EditMask(), "00-00;1;_");
  const int beeps = TestHooks::BeepCount();
  Type("1x234");
  EXPECT_EQ(Btn()->Text(), "12-34");
  EXPECT_EQ(TestHooks::BeepCount(), beeps + 1);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(kMaskBtn, 2), "12-34");
  // The next edit-button cell has no mask, and its text is not cut to the
  // mask of the cell before.
  Open(kEditBtn, 2, "abcdef");
  ASSERT_TRUE(Btn()->Visible());
  EXPECT_EQ(Btn()->EditMask(), "");
  EXPECT_EQ(Btn()->Text(), "abcdef");
  Btn()->SelectAll();
  Type("ab-cd7");
  EXPECT_EQ(Btn()->Text(), "ab-cd7");
}

TEST_F(GridCellEditors, TheButtonWritesTheApplicationsTextAndClosesWithStopEditAfterClick) {
  G->OnEllipsClick = [this](TObject*, int c, int r, QString& s) {
    Log << QStringLiteral("Ellips %1,%2 %3").arg(c).arg(r).arg(s);
    s = QStringLiteral("picked");
  };
  Open(kEditBtn, 2, "typed");
  ASSERT_TRUE(Btn()->Visible());
  Click(SpeedButtonOf(Btn()));
  EXPECT_EQ(Log, QStringList({QStringLiteral("Ellips %1,2 typed").arg(kEditBtn)}));
  // Without StopEditAfterClick the editor stays, its new text selected.
  EXPECT_TRUE(Btn()->Visible());
  EXPECT_TRUE(Btn()->Focused());
  EXPECT_EQ(Btn()->Text(), "picked");
  EXPECT_EQ(Btn()->SelText(), "picked");
  EXPECT_EQ(G->Cells(kEditBtn, 2), "typed");
  Press(Qt::Key_Escape);
  EXPECT_EQ(G->Cells(kEditBtn, 2), "typed");

  Btn()->SetStopEditAfterClick(true);
  Open(kEditBtn, 3, "typed");
  Click(SpeedButtonOf(Btn()));
  EXPECT_FALSE(Btn()->Visible());
  EXPECT_EQ(G->Cells(kEditBtn, 3), "picked");
  EXPECT_TRUE(G->Focused());
  // F4 is the button too.
  G->OnEllipsClick = [](TObject*, int, int, QString& s) { s = QStringLiteral("by key"); };
  Open(kEditBtn, 4, "");
  Press(Qt::Key_F4);
  EXPECT_EQ(G->Cells(kEditBtn, 4), "by key");
}

TEST_F(GridCellEditors, NumericAndFloatEditButtonsFilterTypedCharacters) {
  struct Case {
    int Col;
    QString Typed, Shown;
    int Beeps;
  } cases[] = {
      {kNumericBtn, "1a2", "12", 1},     {kNumericBtn, "-3-", "-3", 1}, {kFloatBtn, "1,2.5", "12.5", 0},
      {kFloatBtn, "2.5.", "2.5", 0},     {kFloatBtn, "2x", "2", 0},     {kEditBtn, "1a,.", "1a,.", 0},
      {kNumericUnit, "4q", "4", 1},     {kFloatUnit, "1,2.5", "12.5", 0}, {kFloatUnit, "2.5.x", "2.5", 0},
  };
  for (const Case& c : cases) {
    Open(c.Col, 2, "");
    const int beeps = TestHooks::BeepCount();
    Type(c.Typed);
    TPsgEditBtn* e = c.Col == kNumericUnit || c.Col == kFloatUnit ? static_cast<TPsgEditBtn*>(Unit()) : Btn();
    EXPECT_EQ(e->Text(), c.Shown) << c.Col << " " << c.Typed.toStdString();
    EXPECT_EQ(TestHooks::BeepCount() - beeps, c.Beeps) << c.Col << " " << c.Typed.toStdString();
    Press(Qt::Key_Escape);
  }
}

TEST_F(GridCellEditors, AnEditButtonCompletesFromTheLookupItems) {
  G->SetLookup(true);
  G->LookupItems()->SetCommaText("Apple,Apricot");
  Open(kEditBtn, 2, "");
  Type("Ap");
  EXPECT_EQ(Btn()->Text(), "Apple");
  EXPECT_EQ(Btn()->SelStart(), 2);
  EXPECT_EQ(Btn()->SelLength(), 3);
  // After Backspace nothing completes until another key is typed.
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Btn()->Text(), "Ap");
  Type("r");
  EXPECT_EQ(Btn()->Text(), "Apricot");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(kEditBtn, 2), "Apricot");
}

TEST_F(GridCellEditors, PasteInAnEditButtonCanBeRefusedByTheApplication) {
  Clipboard()->SetAsText(QStringLiteral("pasted\r\n"));
  Open(kEditBtn, 2, "ab");
  Btn()->SetSelStart(1);
  Btn()->SetSelLength(0);
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Btn()->Text(), "apastedb");
  EXPECT_EQ(Btn()->SelStart(), 7);
  bool allow = false;
  G->OnClipboardPaste = [&](TObject* Sender, bool& Allow) {
    EXPECT_EQ(Sender, Btn());
    Allow = allow;
  };
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Btn()->Text(), "apastedb");
  allow = true;
  Btn()->SelectAll();
  Press(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Btn()->Text(), "pasted");
}

TEST_F(GridCellEditors, CursorWalkMovesOnAtTheEndOfTheTextAndADoubleClickReports) {
  G->Navigation()->SetCursorWalkEditor(true);
  G->SetCells(kNumericBtn, 2, "5");
  Open(kEditBtn, 2, "ab");
  Btn()->SetSelStart(1);
  Btn()->SetSelLength(0);
  Press(Qt::Key_Right);  // to the end: stays
  EXPECT_EQ(G->Col(), kEditBtn);
  Type("c");
  Press(Qt::Key_Right);  // at the end: walks, and edits on there
  EXPECT_EQ(G->Cells(kEditBtn, 2), "abc");
  EXPECT_EQ(G->Col(), kNumericBtn);
  ASSERT_TRUE(Btn()->Visible());
  EXPECT_EQ(G->CurrentEditor(), edNumericEditBtn);
  EXPECT_EQ(Btn()->Text(), "5");
  // Left at the start walks back.
  Btn()->SetSelStart(0);
  Btn()->SetSelLength(0);
  Press(Qt::Key_Left);
  EXPECT_EQ(G->Col(), kEditBtn);

  Press(Qt::Key_Escape);
  QStringList dbl;
  G->OnDblClickCell = [&](TObject*, int r, int c) { dbl << QStringLiteral("%1,%2").arg(c).arg(r); };
  Open(kEditBtn, 3, "x");
  QTest::mouseDClick(Btn()->View(), Qt::LeftButton, {}, QPoint(5, Btn()->Height() / 2));
  QApplication::processEvents();
  EXPECT_EQ(dbl, QStringList({QStringLiteral("%1,3").arg(kEditBtn)}));
}

// ------------------------------------------------------------------ unit editor

TEST_F(GridCellEditors, AUnitCellOpensSplitAndEnterStoresValueAndUnit) {
  struct Case {
    int Col;
    TEditorType Kind;
    QString Cell, Value, Unit, Typed, Stored;
  } cases[] = {
      {kUnit, edUnitEditBtn, "12mm", "12", "mm", "5", "125mm"},
      {kNumericUnit, edNumericUnitEditBtn, "7cm", "7", "cm", "5", "75cm"},
      {kFloatUnit, edFloatUnitEditBtn, "1.5m", "1.5", "m", "25", "1.525m"},
  };
  for (const Case& c : cases) {
    Open(c.Col, 2, c.Cell);
    ASSERT_TRUE(Unit()->Visible()) << c.Col;
    EXPECT_EQ(G->CurrentEditor(), c.Kind) << c.Col;
    EXPECT_EQ(Unit()->Text(), c.Value) << c.Col;
    EXPECT_EQ(Unit()->UnitID(), c.Unit) << c.Col;
    Unit()->SetSelStart(int(c.Value.size()));
    Unit()->SetSelLength(0);
    Type(c.Typed);
    Press(Qt::Key_Return);
    EXPECT_FALSE(Unit()->Visible()) << c.Col;
    EXPECT_EQ(G->Cells(c.Col, 2), c.Stored) << c.Col;
  }
}

TEST_F(GridCellEditors, AUnitChosenFromTheMenuIsReportedAndStored) {
  QStringList changes;
  G->OnUnitChanged = [&](TObject*, int c, int r, const QString& u) {
    changes << QStringLiteral("%1,%2 %3").arg(c).arg(r).arg(u);
  };
  Open(kUnit, 3, "7m");
  {
    MenuChoice choose("cm");
    Click(SpeedButtonOf(Unit()));
  }
  EXPECT_EQ(Unit()->UnitID(), "cm");
  EXPECT_EQ(changes, QStringList({QStringLiteral("%1,3 cm").arg(kUnit)}));
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->Cells(kUnit, 3), "7cm");
}

TEST_F(GridCellEditors, EscapeInAUnitCellClearsTheUnitAndRestoresTheText) {
  Open(kUnit, 2, "5cm");
  Type("9");
  {
    MenuChoice choose("m");
    Press(Qt::Key_F4);
  }
  Press(Qt::Key_Escape);
  EXPECT_FALSE(Unit()->Visible());
  EXPECT_EQ(Unit()->UnitID(), "");
  EXPECT_EQ(G->Cells(kUnit, 2), "5cm");
}

// A cell whose text no unit ends opens with the whole text, so leaving it
// loses nothing.
TEST_F(GridCellEditors, AUnitCellWithoutAKnownUnitKeepsItsWholeText) {
  Open(kUnit, 2, "42");
  ASSERT_TRUE(Unit()->Visible());
  EXPECT_EQ(Unit()->Text(), "42");
  EXPECT_EQ(Unit()->UnitID(), "");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(kUnit, 2), "42");
}

// Units the application gives per cell split that cell's text.
TEST_F(GridCellEditors, UnitsGivenForTheCellSplitItsText) {
  G->OnGetEditorProp = [this](TObject*, int c, int, TObject*) {
    if (c == kUnit) G->UnitEditBtn()->Units()->SetCommaText("kg,g");
  };
  Open(kUnit, 2, "3kg");
  EXPECT_EQ(Unit()->Text(), "3");
  EXPECT_EQ(Unit()->UnitID(), "kg");
}

// ------------------------------------------------------- every editor: Escape and refusals

TEST_F(GridCellEditors, EscapeRestoresTheCellsTextInEveryEditor) {
  struct Case {
    int Col;
    QString Text;
    Qt::Key Change;
  } cases[] = {
      {kCheck, "N", Qt::Key_Space},        {kInt, "40", Qt::Key_PageUp},
      {kFloat, "2.5", Qt::Key_Home},       {kTime, TimeToStr(EncodeTime(8, 0, 0, 0)), Qt::Key_9},
      {kDate, "", Qt::Key_9},              {kButton, "cap", Qt::Key_Space},
      {kEditBtn, "abc", Qt::Key_X},        {kNumericBtn, "12", Qt::Key_3},
      {kFloatBtn, "1.5", Qt::Key_7},       {kMaskBtn, "", Qt::Key_1},
      {kUnit, "3m", Qt::Key_1},            {kNumericUnit, "4", Qt::Key_2},
      {kFloatUnit, "1.5cm", Qt::Key_7},
  };
  G->OnEllipsClick = [](TObject*, int, int, QString& s) { s = QStringLiteral("changed"); };
  for (const Case& c : cases) {
    Open(c.Col, 2, c.Text);
    ASSERT_NE(G->EditCtrl(), nullptr) << c.Col;
    TWinControl* editor = G->EditCtrl();
    Press(c.Change);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(editor->Visible()) << c.Col;
    EXPECT_FALSE(G->EditMode()) << c.Col;
    EXPECT_EQ(G->Cells(c.Col, 2), c.Text) << c.Col;
  }
}

TEST_F(GridCellEditors, AValueRefusedByValidationKeepsTheEditorAndTheCursor) {
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& ok) { ok = !v.contains(u'9'); };
  struct Case {
    int Col;
    QString Text;
  } cases[] = {{kInt, "4"}, {kEditBtn, "ab"}, {kNumericBtn, "12"}, {kUnit, "3m"}};
  for (const Case& c : cases) {
    Open(c.Col, 2, c.Text);
    TWinControl* editor = G->EditCtrl();
    ASSERT_NE(editor, nullptr) << c.Col;
    auto* edit = dynamic_cast<TCustomEdit*>(editor);
    edit->SetSelStart(int(edit->Text().size()));
    edit->SetSelLength(0);
    Type("9");
    Press(Qt::Key_Return);
    EXPECT_TRUE(editor->Visible()) << c.Col;
    EXPECT_EQ(G->Row(), 2) << c.Col;
    EXPECT_EQ(G->Col(), c.Col) << c.Col;
    EXPECT_EQ(G->Cells(c.Col, 2), c.Text) << c.Col;
    Press(Qt::Key_Escape);
    EXPECT_FALSE(editor->Visible()) << c.Col;
    EXPECT_EQ(G->Cells(c.Col, 2), c.Text) << c.Col;
  }
}

// ------------------------------------------------------------------ picture

// One sheet with the grid's strip for each editor open in turn; written to
// ZIDI_SCREENSHOT_DIR when that names a folder.
TEST_F(GridCellEditors, PictureOfEachEditorOpenInTurn) {
  G->UnitEditBtn()->SetUnitSpace(24);
  struct Shot {
    int Col;
    QString Text, Name;
  } shots[] = {
      {kCheck, "Y", "edCheckBox"},
      {kInt, "40", "edSpinEdit"},
      {kFloat, "2.5", "edFloatSpinEdit"},
      {kTime, TimeToStr(EncodeTime(10, 15, 0, 0)), "edTimeSpinEdit"},
      {kDate, "", "edDateSpinEdit"},
      {kButton, "pick", "edButton"},
      {kEditBtn, "text", "edEditBtn"},
      {kNumericBtn, "123", "edNumericEditBtn"},
      {kFloatBtn, "1.25", "edFloatEditBtn"},
      {kMaskBtn, "12-34", "edMaskEditBtn"},
      {kUnit, "12mm", "edUnitEditBtn"},
      {kNumericUnit, "7cm", "edNumericUnitEditBtn"},
      {kFloatUnit, "2.5cm", "edFloatUnitEditBtn"},
  };
  G->OnGetEditMask = [](TObject*, int ACol, int, QString& Mask) {
    if (ACol == kMaskBtn) Mask = QStringLiteral("00-00;1;_");
  };
  const char* headers[kColumns] = {"",     "check", "int",  "float",    "time",       "date",      "button",    "edit",
                                   "num",  "float", "mask", "unit",     "num unit",   "float unit", "data check"};
  for (int c = 1; c < kColumns; ++c) G->SetCells(c, 0, QString::fromLatin1(headers[c]));
  G->SetColWidths(kTime, 96);
  G->SetColWidths(kDate, 96);
  G->SetColWidths(kDataCheck, 64);
  const int stripHeight = G->CellRect(1, 3).Bottom + 1;
  const int labelWidth = 150;
  QImage sheet(labelWidth + G->Width(), stripHeight * int(std::size(shots)), QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  for (int i = 0; i < int(std::size(shots)); ++i) {
    const Shot& s = shots[i];
    Open(s.Col, 2, s.Text);
    ASSERT_NE(G->EditCtrl(), nullptr) << s.Name.toStdString();
    EXPECT_TRUE(G->EditCtrl()->Visible()) << s.Name.toStdString();
    const QImage grid = GrabControl(G);
    ASSERT_FALSE(grid.isNull());
    p.drawImage(labelWidth, i * stripHeight, grid, 0, 0, G->Width(), stripHeight);
    p.drawText(QRect(4, i * stripHeight, labelWidth - 8, stripHeight), Qt::AlignVCenter, s.Name);
    Press(Qt::Key_Escape);
    EXPECT_EQ(G->Cells(s.Col, 2), s.Text) << s.Name.toStdString();
  }
  p.end();
  const QString dir = QString::fromLocal8Bit(qgetenv("ZIDI_SCREENSHOT_DIR"));
  if (!dir.isEmpty()) {
    EXPECT_TRUE(sheet.save(dir + QStringLiteral("/GridCellEditors.png"), "PNG"));
  }
}
