// Editing cells in place on a string grid designed without goEditing, whose
// editor kinds, combo items and read-only column come from its events, as a
// column grid's come from its columns: choosing and showing the editor, the
// text editor's filters, Escape and Enter with their reports, combo lists,
// validation and merged cells.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <map>
#include <stdexcept>

#include "grid/ProGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

constexpr int kReadOnlyCol = 3;

class StringGridEdit : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 460, 300);
    G->SetColCount(6);
    G->SetRowCount(8);
    G->SetOptions(G->Options() - TGridOptions{goEditing});
    // Column 3 is read-only, every other normal cell editable.
    G->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != kReadOnlyCol; };
    G->OnGetEditorType = [this](TObject*, int ACol, int, TEditorType& AEditor) {
      auto it = Kinds.find(ACol);
      if (it != Kinds.end()) AEditor = it->second;
      if (AEditor == edComboList || AEditor == edComboEdit) {
        G->ClearComboString();
        for (const QString& s : Items) G->AddComboString(s);
      }
    };
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
  // Gives the cell its kind and text and opens its editor with F2.
  void Open(int C, int R, TEditorType Kind, const QString& Text) {
    Kinds[C] = Kind;
    G->SetCells(C, R, Text);
    Goto(C, R);
    Press(Qt::Key_F2);
  }
  bool TextEditorShown() const { return G->NormalEdit() != nullptr && G->NormalEdit()->Visible(); }
  // Opens the editor of the cell with F2 and types Text into it.
  QString Edited(int C, TEditorType Kind, const QString& Text) {
    Open(C, 2, Kind, QString());
    Type(Text);
    return G->NormalEdit()->Text();
  }

  TShownForm F{520, 360};
  TProStringGrid* G = nullptr;
  std::map<int, TEditorType> Kinds;
  QStringList Items{"Alpha", "Beta", "Gamma"};
  QStringList Log;
};

// ----------------------------------------------------------- choosing the editor

TEST_F(StringGridEdit, TypingIntoAnEditableCellOpensTheTextEditor) {
  G->SetCells(1, 2, "old");
  Goto(1, 2);
  EXPECT_TRUE(G->Options().contains(goEditing));  // switched on for the editable cell
  Type("x");
  ASSERT_TRUE(TextEditorShown());
  EXPECT_TRUE(G->EditMode());
  EXPECT_EQ(G->CurrentEditor(), edNormal);
  EXPECT_EQ(G->NormalEdit()->Text(), "x");
  EXPECT_EQ(G->NormalEdit()->BoundsRect(),
            (TRect(G->CellRect(1, 2).Left, G->CellRect(1, 2).Top, G->CellRect(1, 2).Right - 1,
                   G->CellRect(1, 2).Bottom - 1)));
}

TEST_F(StringGridEdit, AReadOnlyColumnOpensNothing) {
  G->SetCells(kReadOnlyCol, 2, "fixed");
  Goto(1, 2);
  EXPECT_TRUE(G->Options().contains(goEditing));
  Goto(kReadOnlyCol, 2);
  EXPECT_FALSE(G->Options().contains(goEditing));
  Type("x");
  Press(Qt::Key_F2);
  EXPECT_FALSE(TextEditorShown());
  EXPECT_FALSE(G->EditMode());
  EXPECT_EQ(G->Cells(kReadOnlyCol, 2), "fixed");
  // Editability answers per cell in both states of goEditing.
  EXPECT_FALSE(G->IsEditable(kReadOnlyCol, 2));
  EXPECT_TRUE(G->IsEditable(1, 2));
  Goto(1, 2);
  EXPECT_TRUE(G->Options().contains(goEditing));
  EXPECT_TRUE(G->IsEditable(1, 2));
  EXPECT_FALSE(G->IsEditable(kReadOnlyCol, 2));
  EXPECT_FALSE(G->IsEditable(1, 0));  // fixed row
}

TEST_F(StringGridEdit, NoEditorAndFallBackKinds) {
  Kinds[1] = edNone;
  Goto(1, 2);
  Press(Qt::Key_F2);
  EXPECT_FALSE(G->EditMode());
  EXPECT_FALSE(TextEditorShown());
  // Kinds whose editors this grid does not have are edited as plain text.
  for (TEditorType k : {edDateTimeEdit, edMemoDropDown}) {
    EXPECT_EQ(Edited(2, k, "7b"), "7b") << k;
    EXPECT_EQ(G->CurrentEditor(), edNormal) << k;
    Press(Qt::Key_Return);
    EXPECT_EQ(G->Cells(2, 2), "7b") << k;
  }
}

// ------------------------------------------------------------ the text editor

TEST_F(StringGridEdit, EnterWritesTheTextThenReportsTheEndTwice) {
  std::vector<QString> atDone;
  G->OnEditingDone = [&](TObject*) {
    Log << QStringLiteral("EditingDone");
    atDone.push_back(G->Cells(1, 2));
  };
  Goto(1, 2);
  Type("ab");
  G->OnEditCellDone = [this](TObject*, int c, int r) { Log << QStringLiteral("EditCellDone %1,%2").arg(c).arg(r); };
  QTest::keyClick(G->NormalEdit()->View(), Qt::Key_Return);  // no event loop run yet
  EXPECT_EQ(G->Cells(1, 2), "ab");
  EXPECT_FALSE(TextEditorShown());
  EXPECT_FALSE(G->EditMode());
  EXPECT_EQ(Log, QStringList({"EditingDone"}));
  EXPECT_EQ(atDone, std::vector<QString>{"ab"});  // the text was written first
  QApplication::processEvents();
  EXPECT_EQ(Log, QStringList({"EditingDone", "EditCellDone 1,2"}));
}

TEST_F(StringGridEdit, EscapeRestoresTheTextTheCellHad) {
  G->SetCells(1, 2, "keep");
  std::vector<QString> changes;
  G->OnEditChange = [&](TObject*, int, int, const QString& v) { changes.push_back(v); };
  Goto(1, 2);
  Press(Qt::Key_F2);
  Type("zz");
  EXPECT_EQ(G->NormalEdit()->Text(), "keepzz");
  EXPECT_EQ(changes, (std::vector<QString>{"keepz", "keepzz"}));
  Press(Qt::Key_Escape);
  EXPECT_FALSE(TextEditorShown());
  EXPECT_FALSE(G->EditMode());
  EXPECT_EQ(G->Cells(1, 2), "keep");
  EXPECT_TRUE(G->Focused());
}

TEST_F(StringGridEdit, CharacterFiltersByKind) {
  struct TCase {
    TEditorType Kind;
    QString Typed, Kept;
  };
  for (const TCase& t : {TCase{edNumeric, "-1-a2", "-12"}, TCase{edNumeric, "1-2", "12"},
                         TCase{edPositiveNumeric, "-3x4", "34"}, TCase{edFloat, "-1.2.5,", "-1.25"},
                         TCase{edPositiveFloat, "-1.5", "1.5"}, TCase{edUpperCase, "abC", "ABC"},
                         TCase{edCapital, "ab", "AB"}, TCase{edLowerCase, "AbC", "abc"},
                         TCase{edNormal, "a-1.", "a-1."}}) {
    EXPECT_EQ(Edited(1, t.Kind, t.Typed), t.Kept) << t.Kind << " " << t.Typed.toStdString();
    Press(Qt::Key_Escape);
  }
  G->SetValidChars("abc");
  EXPECT_EQ(Edited(1, edValidChars, "axbyc"), "abc");
  Press(Qt::Key_Escape);
  Kinds[1] = edPassword;
  Goto(1, 3);
  Press(Qt::Key_F2);
  EXPECT_EQ(G->NormalEdit()->PasswordChar(), QChar(u'*'));
}

TEST_F(StringGridEdit, AFloatEditorFollowsTheLocaleSeparator) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  EXPECT_EQ(Edited(1, edFloat, "1.5,2,3"), "15,23");
  Press(Qt::Key_Escape);
  EXPECT_EQ(Edited(1, edPositiveFloat, ",7-x"), ",7");
  FormatSettings = saved;
}

TEST_F(StringGridEdit, TheLengthLimitStopsTyping) {
  G->SetMaxEditLength(3);
  EXPECT_EQ(Edited(1, edNormal, "abcd"), "abc");
  Press(Qt::Key_Backspace);
  EXPECT_EQ(G->NormalEdit()->Text(), "ab");
}

// ------------------------------------------------------------------ validation

TEST_F(StringGridEdit, ARejectedValueReopensTheEditorWithTheOldText) {
  G->SetCells(1, 2, "10");
  int asked = 0;
  G->OnCellValidate = [&](TObject*, int c, int r, QString& v, bool& valid) {
    ++asked;
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(v, "10x");
    valid = false;
  };
  Goto(1, 2);
  Press(Qt::Key_F2);
  Type("x");
  Press(Qt::Key_Return);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(G->Cells(1, 2), "10");
  ASSERT_TRUE(TextEditorShown());
  EXPECT_TRUE(G->EditMode());
  EXPECT_EQ(G->NormalEdit()->Text(), "10");
  EXPECT_FALSE(G->LastValidation());
  EXPECT_EQ((TPoint{G->Col(), G->Row()}), (TPoint{1, 2}));
  // Nothing reached the cell, so nothing is marked modified.
  EXPECT_FALSE(G->Modified());
  EXPECT_FALSE(G->RowModified(2));
}

TEST_F(StringGridEdit, AHandlerCorrectsOrReplacesTheValue) {
  G->SetCells(1, 2, "5");
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& valid) {
    if (v == "5a") {
      v = "0";
      valid = false;
    } else {
      v = v.toUpper();
    }
  };
  std::vector<TRect> changed;
  G->OnCellsChanged = [&](TObject*, TRect r) { changed.push_back(r); };
  Goto(1, 2);
  Press(Qt::Key_F2);
  Type("a");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "0");
  ASSERT_TRUE(TextEditorShown());
  EXPECT_EQ(G->NormalEdit()->Text(), "0");
  EXPECT_TRUE(G->Modified());  // the corrected text reached the cell
  EXPECT_TRUE(changed.empty());
  Press(Qt::Key_End);
  Type("b");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "0B");
  EXPECT_EQ(G->NewCellText(), "0B");
  EXPECT_TRUE(G->RowModified(2));
  EXPECT_EQ(changed, (std::vector<TRect>{TRect(1, 2, 1, 2)}));
  // An unchanged text is not validated.
  Press(Qt::Key_F2);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "0B");
  EXPECT_EQ(changed.size(), 1u);
}

TEST_F(StringGridEdit, AThrowingValidationLeavesNoValidationRunning) {
  G->Navigation()->SetAdvanceOnEnter(false);
  G->OnCellValidate = [](TObject*, int, int, QString&, bool&) { throw std::runtime_error("narrow"); };
  G->OnCellValidateWide = [](TObject*, int, int, QString&, bool&) { throw std::runtime_error("wide"); };
  for (bool wide : {false, true}) {
    Goto(1, 2);
    Press(Qt::Key_F2);
    ASSERT_TRUE(TextEditorShown());
    EXPECT_THROW(wide ? G->ValidateCellWide("new") : G->ValidateCell("new"), std::runtime_error);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(G->Navigation()->AdvanceOnEnter());
    // A validation still running would keep every editor shut.
    Press(Qt::Key_F2);
    EXPECT_TRUE(TextEditorShown()) << wide;
    Press(Qt::Key_Escape);
  }
}

// ------------------------------------------------------------------ combo lists

TEST_F(StringGridEdit, AComboListOffersTheItemsAndWritesTheFirstOverAForeignText) {
  Kinds[2] = edComboList;
  G->SetCells(2, 1, "Zeta");
  std::vector<QString> combo;
  G->OnComboChange = [&](TObject*, int c, int r, int i, const QString& s) {
    combo.push_back(QStringLiteral("%1,%2 %3 %4").arg(c).arg(r).arg(i).arg(s));
  };
  Goto(2, 1);
  Press(Qt::Key_F2);
  TGridCombo* cb = G->EditCombo();
  ASSERT_TRUE(cb->Visible());
  EXPECT_TRUE(cb->Focused());
  EXPECT_FALSE(TextEditorShown());
  EXPECT_EQ(G->CurrentEditor(), edComboList);
  EXPECT_EQ(cb->Style(), csDropDownList);
  EXPECT_EQ(cb->Items()->Count(), 3);
  EXPECT_EQ(cb->ItemIndex(), 0);
  EXPECT_EQ(combo, std::vector<QString>{"2,1 0 Alpha"});
  QTest::keyClick(cb->View(), Qt::Key_Return);  // no event loop run yet
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(2, 1), "Alpha");
  EXPECT_EQ(Log, QStringList({"EditingDone"}));
  QApplication::processEvents();
  EXPECT_EQ(Log, QStringList({"EditingDone", "EditCellDone 2,1"}));
}

TEST_F(StringGridEdit, AComboListPicksWithTheKeys) {
  Kinds[2] = edComboList;
  G->SetCells(2, 1, "Beta");
  std::vector<QString> combo;
  G->OnComboChange = [&](TObject*, int, int, int i, const QString& s) {
    combo.push_back(QStringLiteral("%1 %2").arg(i).arg(s));
  };
  Goto(2, 1);
  Press(Qt::Key_F2);
  EXPECT_EQ(G->EditCombo()->ItemIndex(), 1);
  EXPECT_TRUE(combo.empty());  // the cell's text is an item: nothing chosen for it
  Press(Qt::Key_Down);
  EXPECT_EQ(G->EditCombo()->ItemIndex(), 2);
  ASSERT_FALSE(combo.empty());
  EXPECT_EQ(combo.back(), "2 Gamma");
  Press(Qt::Key_Escape);  // the cell keeps its text
  EXPECT_FALSE(G->EditCombo()->Visible());
  EXPECT_EQ(G->Cells(2, 1), "Beta");
  Press(Qt::Key_F2);
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(2, 1), "Gamma");
}

TEST_F(StringGridEdit, AComboEditKeepsFreeText) {
  Open(2, 1, edComboEdit, "Free");
  TGridCombo* cb = G->EditCombo();
  ASSERT_TRUE(cb->Visible());
  EXPECT_EQ(cb->Style(), csDropDown);
  EXPECT_EQ(cb->Text(), "Free");
  EXPECT_EQ(cb->ItemIndex(), -1);
  Press(Qt::Key_End);
  Type("d");
  Press(Qt::Key_Return);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(2, 1), "Freed");
}

TEST_F(StringGridEdit, ComboSelectionAndItemOperations) {
  Kinds[2] = edComboList;
  G->ClearComboString();
  for (const QString& s : Items) G->AddComboString(s);
  EXPECT_EQ(G->GetComboCount(), 3);
  EXPECT_FALSE(G->SetComboSelectionString("Nope"));
  EXPECT_TRUE(G->SetComboSelectionString("Gamma"));
  G->SetCells(2, 1, "Zeta");
  Goto(2, 1);
  Press(Qt::Key_F2);
  EXPECT_EQ(G->EditCombo()->ItemIndex(), 2);  // the chosen item, not the first
  Press(Qt::Key_Escape);
  G->SetComboSelection(-1);
  EXPECT_EQ(G->GetComboIndex(2, 1), -1);
  G->SetComboIndex(2, 1, 1);
  EXPECT_EQ(G->Cells(2, 1), "Beta");
  EXPECT_EQ(G->GetComboIndex(2, 1), 1);
  EXPECT_TRUE(G->RemoveComboString("Beta"));
  EXPECT_FALSE(G->RemoveComboString("Beta"));
}

TEST_F(StringGridEdit, ACheckBoxEditorWritesTheUsersChoice) {
  Open(1, 2, edCheckBox, "N");
  TGridCheckBox* cb = G->EditCheck();
  ASSERT_TRUE(cb->Visible());
  EXPECT_FALSE(cb->Checked());
  Press(Qt::Key_Space);
  EXPECT_TRUE(cb->Checked());
  Press(Qt::Key_Return);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(1, 2), "Y");
  // The cell's own check texts, and a box left as it started leaves the
  // cell's text alone.
  G->OnGetCheckFalse = [](TObject*, int, int ARow, QString& v) { v = ARow == 2 ? "off" : "N"; };
  Press(Qt::Key_F2);
  EXPECT_TRUE(cb->Checked());
  Press(Qt::Key_Space);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "off");
  G->SetCells(1, 3, "maybe");
  Goto(1, 3);
  Press(Qt::Key_F2);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 3), "maybe");
}

// ------------------------------------------------------------------ merged cells

TEST_F(StringGridEdit, AMergedCellsEditorCoversTheWholeBlock) {
  G->MergeCells(1, 2, 2, 3);
  G->SetCells(1, 2, "block");
  const TRect r = G->CellRect(1, 2);
  const TRect block(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
  Goto(1, 2);
  Press(Qt::Key_F2);
  ASSERT_TRUE(TextEditorShown());
  EXPECT_EQ(G->NormalEdit()->BoundsRect(), block);
  EXPECT_EQ(G->NormalEdit()->Text(), "block");
  Press(Qt::Key_Escape);
  Kinds[1] = edComboEdit;
  Press(Qt::Key_F2);
  ASSERT_TRUE(G->EditCombo()->Visible());
  EXPECT_EQ(G->EditCombo()->Left(), block.Left);
  EXPECT_EQ(G->EditCombo()->Top(), block.Top);
  EXPECT_EQ(G->EditCombo()->Width(), block.Right - block.Left);
}

// --------------------------------------------------------------- moving the cursor

TEST_F(StringGridEdit, ChangingEventsVetoTheMove) {
  std::vector<QString> asked;
  G->OnRowChanging = [&](TObject*, int o, int n, bool& allow) {
    asked.push_back(QStringLiteral("row %1>%2").arg(o).arg(n));
    allow = n != 5;
  };
  G->OnCellChanging = [&](TObject*, int, int, int, int, bool&) { asked.push_back("cell"); };
  Goto(1, 2);
  asked.clear();
  G->SetRow(5);
  EXPECT_EQ(G->Row(), 2);
  G->SetRow(4);
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(asked, (std::vector<QString>{"row 2>5", "cell", "row 2>4", "cell"}));
}

// ------------------------------------------------------------- more of the editors

TEST_F(StringGridEdit, PastingIsFilteredByKind) {
  std::vector<QString> after;
  G->OnClipboardAfterPasteCell = [&](TObject*, int, int, const QString& v) { after.push_back(v); };
  G->SetCells(1, 2, "5");
  Kinds[1] = edNumeric;
  Goto(1, 2);
  Press(Qt::Key_F2);
  Clipboard()->SetAsText("12a");
  G->NormalEdit()->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(G->NormalEdit()->Text(), "5");
  Clipboard()->SetAsText("34\r\n");  // one line: its break is left out
  G->NormalEdit()->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(G->NormalEdit()->Text(), "534");
  EXPECT_EQ(after, (std::vector<QString>{"5", "534"}));
  // The application may refuse a paste before anything changes.
  G->OnClipboardBeforePasteCell = [](TObject*, int, int, QString&, bool& allow) { allow = false; };
  G->NormalEdit()->Perform(WM_PASTE, 0, 0);
  EXPECT_EQ(after.size(), 2u);
}

TEST_F(StringGridEdit, LookupCompletesTypedText) {
  G->SetLookup(true);
  G->LookupItems()->Add("Apple");
  G->LookupItems()->Add("Apricot");
  Goto(1, 2);
  Type("Ap");
  EXPECT_EQ(G->NormalEdit()->Text(), "Apple");
  EXPECT_EQ(G->NormalEdit()->SelStart(), 2);
  EXPECT_EQ(G->NormalEdit()->SelLength(), 3);
  Press(Qt::Key_Backspace);
  EXPECT_EQ(G->NormalEdit()->Text(), "Ap");  // nothing completed after Backspace
  Type("r");
  EXPECT_EQ(G->NormalEdit()->Text(), "Apricot");
}

TEST_F(StringGridEdit, TagsAreLeftOutUnlessEditedWithTags) {
  G->SetCells(1, 2, "<b>word</b>");
  Goto(1, 2);
  Press(Qt::Key_F2);
  EXPECT_EQ(G->NormalEdit()->Text(), "word");
  Press(Qt::Key_Escape);
  G->SetEditWithTags(true);
  Press(Qt::Key_F2);
  EXPECT_EQ(G->NormalEdit()->Text(), "<b>word</b>");
}

TEST_F(StringGridEdit, TheFocusLeavingTheGridValidatesTheText) {
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(470, 10, 40, 40);
  std::vector<QString> validated;
  G->OnCellValidate = [&](TObject*, int, int, QString& v, bool&) { validated.push_back(v); };
  Goto(1, 2);
  Type("q");
  other->SetFocus();
  EXPECT_EQ(validated, std::vector<QString>{"q"});
  EXPECT_EQ(G->Cells(1, 2), "q");
  EXPECT_FALSE(TextEditorShown());
  EXPECT_FALSE(G->EditMode());
  QApplication::processEvents();
  EXPECT_EQ(Log, QStringList({"EditingDone", "EditCellDone 1,2"}));
}

TEST_F(StringGridEdit, TheCursorLandsOnBaseCellsAndEnabledRows) {
  G->MergeCells(1, 2, 2, 2);
  G->SetOptions(G->Options() - TGridOptions{goRangeSelect});
  G->MoveToColRow(2, 3);
  EXPECT_EQ((TPoint{G->Col(), G->Row()}), (TPoint{1, 2}));
  G->SetRowEnabled(5, false);
  G->SetRow(5);
  EXPECT_EQ(G->Row(), 2);
}

TEST_F(StringGridEdit, FooterRowsAndRightColumnsAreFixed) {
  G->OnIsFixedCell = [](TObject*, int, int, bool& fixed) { fixed = false; };
  G->SetFixedRightCols(1);
  G->SetFixedFooters(1);
  EXPECT_TRUE(G->IsFixed(G->ColCount() - 1, 3));
  EXPECT_TRUE(G->IsFixed(2, G->RowCount() - 1));
  EXPECT_TRUE(G->IsFixed(2, 0));
  EXPECT_FALSE(G->IsFixed(2, 3));
  G->OnIsFixedCell = [](TObject*, int ARow, int, bool& fixed) { fixed = ARow == 3; };
  EXPECT_TRUE(G->IsFixed(2, 3));
  EXPECT_FALSE(G->IsEditable(2, 3));
}

TEST_F(StringGridEdit, UpAndDownCanLeaveAClosedCombo) {
  Kinds[2] = edComboEdit;
  G->Navigation()->SetComboGetUpDown(false);
  G->SetCells(2, 1, "Beta");
  Goto(2, 1);
  Press(Qt::Key_F2);
  ASSERT_TRUE(G->EditCombo()->Visible());
  Press(Qt::Key_Down);
  EXPECT_FALSE(G->EditCombo()->Visible());
  EXPECT_EQ(G->Row(), 2);
  EXPECT_EQ(G->Cells(2, 1), "Beta");
}

TEST_F(StringGridEdit, EditorPropertiesFillTheComboItems) {
  Kinds[2] = edComboList;
  Items.clear();
  G->OnGetEditorProp = [this](TObject*, int ACol, int, TObject*) {
    G->ClearComboString();
    for (int i = 0; i < 3; ++i) G->AddComboString(QStringLiteral("C%1-%2").arg(ACol).arg(i));
  };
  G->SetCells(2, 4, "C2-1");
  EXPECT_EQ(G->GetComboIndex(2, 4), 1);
  Goto(2, 4);
  Press(Qt::Key_F2);
  EXPECT_EQ(G->EditCombo()->ItemIndex(), 1);
  EXPECT_EQ(G->EditCombo()->Items()->Strings(0), "C2-0");
}

TEST_F(StringGridEdit, PickingWithTheMouseReportsAndWithDirectCloseWrites) {
  Kinds[2] = edComboList;
  G->MouseActions()->SetDirectComboClose(true);
  G->SetCells(2, 1, "Alpha");
  std::vector<QString> events;
  G->OnComboChange = [&](TObject*, int c, int r, int i, const QString& s) {
    events.push_back(QStringLiteral("change %1,%2 %3 %4").arg(c).arg(r).arg(i).arg(s));
  };
  G->OnComboDropDown = [&](TObject*, int r, int c) { events.push_back(QStringLiteral("drop %1,%2").arg(r).arg(c)); };
  G->OnComboCloseUp = [&](TObject*, int r, int c) { events.push_back(QStringLiteral("close %1,%2").arg(r).arg(c)); };
  Goto(2, 1);
  Press(Qt::Key_F2);
  TGridCombo* cb = G->EditCombo();
  ASSERT_TRUE(cb->Visible());
  QTest::mouseClick(cb->View(), Qt::LeftButton, {}, QPoint(cb->Width() - 6, 6));
  ASSERT_TRUE(cb->DroppedDown());
  TCustomListBox* list = cb->DropDownList();
  const int h = list->ItemHeight();
  QTest::mouseClick(list->View(), Qt::LeftButton, {}, QPoint(10, 1 + 2 * h + h / 2));
  QApplication::processEvents();
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(2, 1), "Gamma");
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events.front(), "drop 1,2");
  EXPECT_EQ(events[1], "change 2,1 2 Gamma");
  EXPECT_EQ(events.back(), "close 1,2");
}

TEST_F(StringGridEdit, TheListWidensToItsWidestItem) {
  Kinds[2] = edComboList;
  G->Navigation()->SetAutoComboDropSize(true);
  const QString wide = QStringLiteral("a rather long item of the list, wider than the cell");
  for (int count : {8, 9}) {
    Items.clear();
    for (int i = 0; i < count; ++i) Items << wide;
    Goto(2, 1);
    Press(Qt::Key_F2);
    const int t = G->Canvas()->TextWidth(wide);
    EXPECT_EQ(G->EditCombo()->Perform(CB_GETDROPPEDWIDTH, 0, 0), count > 8 ? t + 25 : t + 8) << count;
    Press(Qt::Key_Escape);
  }
}

TEST_F(StringGridEdit, AClickOnAnotherCellKeepsAndValidatesTheTypedText) {
  std::vector<QString> validated;
  G->OnCellValidate = [&](TObject*, int, int, QString& v, bool&) { validated.push_back(v); };
  Goto(1, 2);
  Type("q");
  const TRect r = G->CellRect(2, 4);
  const TRect ins = G->NonClientInsets();
  QTest::mouseClick(G->View(), Qt::LeftButton, {},
                    QPoint((r.Left + r.Right) / 2 + ins.Left, (r.Top + r.Bottom) / 2 + ins.Top));
  QApplication::processEvents();
  EXPECT_EQ(G->Cells(1, 2), "q");
  EXPECT_EQ(validated, std::vector<QString>{"q"});
  EXPECT_EQ((TPoint{G->Col(), G->Row()}), (TPoint{2, 4}));
  EXPECT_FALSE(TextEditorShown());
}

TEST_F(StringGridEdit, ARejectedComboValueKeepsTheComboOpen) {
  Kinds[2] = edComboList;
  G->SetCells(2, 1, "Alpha");
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& valid) { valid = v != "Beta"; };
  Goto(2, 1);
  Press(Qt::Key_F2);
  TGridCombo* cb = G->EditCombo();
  Press(Qt::Key_Down);
  EXPECT_EQ(cb->ItemIndex(), 1);
  Press(Qt::Key_Return);
  ASSERT_TRUE(cb->Visible());
  EXPECT_TRUE(G->EditMode());
  EXPECT_EQ(cb->ItemIndex(), 0);
  EXPECT_EQ(G->Cells(2, 1), "Alpha");
  Press(Qt::Key_Down);
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);
  EXPECT_FALSE(cb->Visible());
  EXPECT_EQ(G->Cells(2, 1), "Gamma");
}

TEST_F(StringGridEdit, EntryPointsOpenAndStore) {
  G->HideInplaceEdit();  // nothing open: nothing happens
  EXPECT_FALSE(G->EditMode());
  Goto(1, 2);
  G->ShowCellEdit();
  EXPECT_TRUE(TextEditorShown());
  Press(Qt::Key_Escape);
  Kinds[2] = edComboEdit;
  G->SetCells(2, 2, "one");
  Goto(2, 2);
  G->ShowInplaceEdit();
  ASSERT_TRUE(G->EditCombo()->Visible());
  G->EditCombo()->SetText("two");
  G->HideCellEdit();  // stores the value; the combo goes away with it
  EXPECT_EQ(G->Cells(2, 2), "two");
  EXPECT_FALSE(G->EditCombo()->Visible());
}

TEST_F(StringGridEdit, TabValidatesWhenAValidationEventIsAssigned) {
  std::vector<QString> validated;
  G->OnCellValidate = [&](TObject*, int, int, QString& v, bool& valid) {
    validated.push_back(v);
    valid = v != "bad";
  };
  Goto(1, 2);
  Type("bad");
  Press(Qt::Key_Tab);
  EXPECT_TRUE(TextEditorShown());
  EXPECT_EQ(G->Cells(1, 2), "");
  Press(Qt::Key_End);
  Type("x");
  Press(Qt::Key_Tab);
  EXPECT_FALSE(TextEditorShown());
  EXPECT_EQ(G->Cells(1, 2), "x");
  EXPECT_EQ(validated, (std::vector<QString>{"bad", "x"}));
}

TEST_F(StringGridEdit, AGridGoesAwayWithAnEditorOpen) {
  Kinds[2] = edComboEdit;
  Goto(2, 2);
  Press(Qt::Key_F2);
  ASSERT_TRUE(G->EditCombo()->Focused());
  delete G;
  G = nullptr;
  QApplication::processEvents();
  auto* g2 = new TProStringGrid(F.Form);
  g2->SetParent(F.Form);
  g2->SetOptions(g2->Options() + TGridOptions{goEditing});
  g2->SetFocus();
  g2->SetCol(1);
  QTest::keyClick(g2->View(), Qt::Key_F2);
  ASSERT_TRUE(g2->NormalEdit() != nullptr && g2->NormalEdit()->Focused());
  // The form goes with the text editor focused when the fixture ends.
}

TEST_F(StringGridEdit, ARefusedValueShowsTheInvalidEntryNotice) {
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& valid) { valid = v != "bad"; };
  Goto(1, 2);
  Type("bad");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->InvalidEntryHint(), nullptr);  // no title and no text: no notice
  G->SetInvalidEntryTitle("Invalid value");
  G->SetInvalidEntryText("Type anything but bad");
  Press(Qt::Key_End);
  Type("bad");
  Press(Qt::Key_Return);
  ASSERT_NE(G->InvalidEntryHint(), nullptr);
  EXPECT_TRUE(G->InvalidEntryHint()->Visible());
  EXPECT_EQ(G->InvalidEntryHint()->Caption(), "Invalid value\nType anything but bad");
  const TPoint under = G->NormalEdit()->ClientToScreen(TPoint(0, G->NormalEdit()->Height()));
  EXPECT_EQ(G->InvalidEntryHint()->Top(), under.Y);
  Press(Qt::Key_End);
  Type("ok");
  Press(Qt::Key_Return);
  EXPECT_FALSE(G->InvalidEntryHint()->Visible());
  EXPECT_EQ(G->Cells(1, 2), "ok");
}

TEST_F(StringGridEdit, BehindAHiddenColumnTheRealColumnIsEdited) {
  G->SetCells(1, 2, "hidden");
  G->SetCells(2, 2, "shown");
  G->HideColumn(1);
  Goto(1, 2);  // display column 1 is real column 2
  Press(Qt::Key_F2);
  EXPECT_EQ(G->NormalEdit()->Text(), "shown");
  Type("!");
  QTest::keyClick(G->NormalEdit()->View(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(G->Cells(2, 2), "shown!");
  EXPECT_EQ(G->Cells(1, 2), "hidden");
  EXPECT_EQ(Log, QStringList({"EditingDone", "EditCellDone 2,2"}));
}

TEST_F(StringGridEdit, AValidatedChangeMarksTheEditedRow) {
  G->HideRow(1);  // display row 2 is real row 3
  Goto(1, 2);
  Type("v");
  Press(Qt::Key_Return);
  EXPECT_TRUE(G->Modified());
  EXPECT_TRUE(G->RowModified(2));
  EXPECT_FALSE(G->RowModified(3));
  EXPECT_EQ(G->ModifiedRowCount(), 1);
}

TEST_F(StringGridEdit, UpAndDownLeaveOnlyFromTheOuterLines) {
  G->SetCells(1, 3, "one\ntwo");
  Goto(1, 3);
  Press(Qt::Key_F2);
  ASSERT_EQ(G->NormalEdit()->SelStart(), 7);
  Press(Qt::Key_Up);  // from the second line to the first
  EXPECT_TRUE(TextEditorShown());
  EXPECT_EQ(G->Row(), 3);
  EXPECT_LT(G->NormalEdit()->SelStart(), 4);
  Press(Qt::Key_Up);  // from the first line out of the cell
  EXPECT_FALSE(TextEditorShown());
  EXPECT_EQ(G->Row(), 2);
  EXPECT_EQ(G->Cells(1, 3), "one\ntwo");
}

}  // namespace
