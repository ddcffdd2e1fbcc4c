// Inline controls of HTML cells under real mouse and key events on a form
// shown offscreen: presses on CHECK and RADIO controls, the edit box of EDIT
// controls and its round trip through ControlValues, Enter and Tab between a
// cell's controls, the combo box of COMBO controls; with them the blinking
// phase of <BLINK> text, anchor hints, auto-sizing, the reading order and the
// grid's picture container.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QScopeGuard>
#include <QTest>

#include "common/RecordingCanvas.h"
#include "controls/PictureContainer.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_ControlEdits.h"
#include "platform/ui/Forms.h"
#include "platform/gdi/WinGdi.h"
#include "platform/rtl/SysLocale.h"
#include "platform/ui/WinApi.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

QString Check(const QString& ID, const QString& Value) {
  return QStringLiteral("<CONTROL TYPE=\"CHECK\" ID=\"%1\" VALUE=\"%2\" WIDTH=\"20\">").arg(ID, Value);
}
QString Edit(const QString& ID, const QString& Value, int Width = 60) {
  return QStringLiteral("<CONTROL TYPE=\"EDIT\" ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\">").arg(ID, Value).arg(Width);
}

// A string grid of 4 columns and 8 rows (one fixed column and row) with wide
// columns and high rows, on a shown form, holding the focus.
class GridInlineControls : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 560, 300);
    G->SetColCount(4);
    G->SetRowCount(8);
    G->SetDefaultRowHeight(30);
    for (int c = 1; c < 4; ++c) G->SetColWidths(c, 170);
    G->SetOptions(G->Options() + goEditing);
    F.Show();
    G->SetFocus();
    Application->OnException = [this](TObject*, Exception& E) { Errors << E.Message(); };
  }
  void TearDown() override {
    Application->OnException = nullptr;
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join(u'\n').toStdString();
  }
  // A point X pixels into the text of cell C, R and 8 pixels down into its
  // first line, in view coordinates.
  QPoint InText(int C, int R, int X) const {
    const TRect r = G->CellRect(C, R);
    const TRect ins = G->NonClientInsets();
    return QPoint(r.Left + G->XYOffset().X + 1 + X + ins.Left, r.Top + G->XYOffset().Y + 1 + 8 + ins.Top);
  }
  void Click(QPoint P) { QTest::mouseClick(G->View(), Qt::LeftButton, {}, P); }
  void Press(Qt::Key K) { PressKey(G, K); }
  TShownForm F{600, 340};
  TProStringGrid* G = nullptr;
  QStringList Log, Errors;
};

// ----------------------------------------------------------- CHECK and RADIO

TEST_F(GridInlineControls, APressOnACheckControlFlipsItsValueInTheCellText) {
  G->SetCells(2, 3, Check("c1", "FALSE") + QStringLiteral(" done"));
  G->OnControlClick = [&](TObject*, int ARow, int ACol, const QString& ID, const QString& Type,
                          const QString& Value) {
    Log << QStringLiteral("%1,%2 %3 %4 %5").arg(ARow).arg(ACol).arg(ID, Type, Value);
  };
  Click(InText(2, 3, 8));
  EXPECT_EQ(G->ControlValues(2, 3, "c1"), "TRUE");
  EXPECT_TRUE(G->Cells(2, 3).endsWith(" done"));
  Click(InText(2, 3, 8));
  EXPECT_EQ(G->ControlValues(2, 3, "c1"), "FALSE");
  // The event hears the value the press found.
  EXPECT_EQ(Log, (QStringList{"3,2 c1 CHECK FALSE", "3,2 c1 CHECK TRUE"}));
  // "true" in any letter case is drawn checked, so a press clears it.
  G->SetCells(2, 3, Check("c1", "true"));
  Click(InText(2, 3, 8));
  EXPECT_EQ(G->ControlValues(2, 3, "c1"), "FALSE");
  // Beside the control the press only selects the cell.
  const QString before = G->Cells(2, 3);
  Click(InText(2, 3, 120));
  EXPECT_EQ(G->Cells(2, 3), before);
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 3);
}

TEST_F(GridInlineControls, AControlOfACellThatMayNotBeEditedIsAnAnchorClickOnly) {
  G->SetCells(2, 3, Check("c1", "FALSE"));
  G->OnAnchorClick = [&](TObject*, int ARow, int ACol, const QString& A, bool&) {
    Log << QStringLiteral("%1,%2 %3").arg(ARow).arg(ACol).arg(A);
  };
  G->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
  Click(InText(2, 3, 8));
  EXPECT_EQ(G->ControlValues(2, 3, "c1"), "FALSE");
  EXPECT_EQ(Log, QStringList{"3,2 ctrl"});
  G->OnCanEditCell = nullptr;
  G->SetReadOnly(2, 3, true);
  Click(InText(2, 3, 8));
  EXPECT_EQ(G->ControlValues(2, 3, "c1"), "FALSE");
  G->SetReadOnly(2, 3, false);
  G->SetOptions(G->Options() - goEditing);
  Click(InText(2, 3, 8));
  EXPECT_EQ(G->ControlValues(2, 3, "c1"), "FALSE");
  EXPECT_EQ(Log.size(), 3);
}

TEST_F(GridInlineControls, APressOnARadioControlSelectsItAlone) {
  auto radio = [](const QString& ID, const QString& V) {
    return QStringLiteral("<CONTROL TYPE=\"RADIO\" ID=\"%1\" VALUE=\"%2\" WIDTH=\"20\">").arg(ID, V);
  };
  G->SetCells(1, 2, radio("r1", "TRUE") + radio("r2", "FALSE") + radio("r3", "FALSE"));
  Click(InText(1, 2, 16 + 8));
  EXPECT_EQ(G->ControlValues(1, 2, "r1"), "FALSE");
  EXPECT_EQ(G->ControlValues(1, 2, "r2"), "TRUE");
  EXPECT_EQ(G->ControlValues(1, 2, "r3"), "FALSE");
}

TEST_F(GridInlineControls, AButtonControlIsDrawnPushedWhileTheButtonIsDown) {
  G->SetCells(2, 3, QStringLiteral("<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"60\">"));
  G->OnControlClick = [&](TObject*, int, int, const QString& ID, const QString& Type, const QString&) {
    Log << Type + QLatin1Char(' ') + ID;
  };
  // The state of the button's frame control as the cell is painted now.
  auto buttonState = [this] {
    TRecordingCanvas rc(600, 340);
    G->PaintCell(rc.Canvas(), 2, 3, G->CellRect(2, 3), TGridDrawState{});
    const auto frames = rc.OfKind(dkFrameControl);
    return frames.empty() ? UINT(0xFFFF) : frames.front().State;
  };
  EXPECT_EQ(buttonState(), UINT(DFCS_BUTTONPUSH));
  QTest::mousePress(G->View(), Qt::LeftButton, {}, InText(2, 3, 20));
  EXPECT_EQ(Log, QStringList{"BUTTON b"});
  EXPECT_EQ(buttonState(), UINT(DFCS_BUTTONPUSH | DFCS_PUSHED));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, InText(2, 3, 20));
  EXPECT_EQ(buttonState(), UINT(DFCS_BUTTONPUSH));
  EXPECT_FALSE(G->CtrlEditing());  // a button opens no editor
}

// ------------------------------------------------------------------ EDIT

TEST_F(GridInlineControls, AnEditControlOpensItsBoxAtTheControlAndWritesTheTypedValueBack) {
  G->OnControlEditDone = [&](TObject*, int ARow, int ACol, const QString& ID, const QString& Type,
                             const QString& Value) {
    Log << QStringLiteral("%1,%2 %3 %4 %5").arg(ARow).arg(ACol).arg(ID, Type, Value);
  };
  // Values with the characters the tag's quoting and entities must carry.
  for (const QString& typed : {QStringLiteral("a&b<c"), QStringLiteral("x&amp;y"), QStringLiteral("\"q\" >")}) {
    Log.clear();
    G->SetCells(2, 4, Edit("e1", "") + QStringLiteral(" tail"));
    Click(InText(2, 4, 30));
    TControlEdit* box = G->ControlEditBox();
    ASSERT_TRUE(G->CtrlEditing());
    ASSERT_TRUE(box->Visible());
    EXPECT_TRUE(box->Focused());
    // Over the control: its rectangle's left + 1, top + 8, width - 4, 14 high
    // (the control stands one pixel into the text's first line).
    const TRect cr = G->CellRect(2, 4);
    EXPECT_EQ(box->Left(), cr.Left + G->XYOffset().X + 1 + 1 + 1);
    EXPECT_EQ(box->Top(), cr.Top + G->XYOffset().Y + 1 + 8);
    EXPECT_EQ(box->Width(), 56);
    EXPECT_EQ(box->Height(), 14);
    TypeKeys(G, typed);
    Press(Qt::Key_Return);
    EXPECT_FALSE(G->CtrlEditing());
    EXPECT_FALSE(box->Visible());
    EXPECT_TRUE(G->Focused());
    EXPECT_EQ(G->ControlValues(2, 4, "e1"), typed);
    EXPECT_TRUE(G->Cells(2, 4).endsWith(" tail"));
    EXPECT_EQ(Log, QStringList{QStringLiteral("4,2 e1 EDIT ") + typed});
  }
}

TEST_F(GridInlineControls, LeavingTheEditBoxByAClickElsewhereKeepsTheValue) {
  G->SetCells(2, 4, Edit("e1", "old"));
  Click(InText(2, 4, 30));
  ASSERT_TRUE(G->CtrlEditing());
  PressKey(G, Qt::Key_End);
  TypeKeys(G, "er");
  Click(InText(1, 6, 30));
  EXPECT_FALSE(G->CtrlEditing());
  EXPECT_EQ(G->ControlValues(2, 4, "e1"), "older");
}

TEST_F(GridInlineControls, PasswordAndMaskControlsSetUpTheBox) {
  G->SetCells(1, 1,
              QStringLiteral("<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"80\" MAXLEN=\"5\">"));
  Click(InText(1, 1, 30));
  ASSERT_TRUE(G->CtrlEditing());
  EXPECT_EQ(G->ControlEditBox()->PasswordChar(), QChar(u'*'));
  EXPECT_EQ(G->ControlEditBox()->MaxLength(), 5);
  EXPECT_EQ(G->ControlEditBox()->Text(), "abc");
  Press(Qt::Key_Return);
  G->SetCells(1, 2, QStringLiteral("<CONTROL TYPE=\"MASK\" ID=\"m\" VALUE=\"12\" WIDTH=\"80\" PROP=\"99;0; \">"));
  Click(InText(1, 2, 30));
  ASSERT_TRUE(G->CtrlEditing());
  EXPECT_EQ(G->ControlEditBox()->PasswordChar(), QChar());
  EXPECT_EQ(G->ControlEditBox()->EditMask(), "99;0; ");
  Press(Qt::Key_Return);
}

// ------------------------------------------------------- Enter, F2 and Tab

TEST_F(GridInlineControls, EnterEditsTheFirstEditableControlAndTabTheNext) {
  G->SetCells(2, 5, Check("c", "FALSE") + Edit("e1", "one") + Edit("e2", "two"));
  G->SetCol(2);
  G->SetRow(5);
  G->SetFocus();
  Press(Qt::Key_Return);
  ASSERT_TRUE(G->CtrlEditing());
  EXPECT_EQ(G->CtrlID(), "e1");
  TControlEdit* box = G->ControlEditBox();
  EXPECT_EQ(box->Text(), "one");  // the Enter's character went nowhere
  const int firstLeft = box->Left();
  EXPECT_EQ(firstLeft, G->CellRect(2, 5).Left + G->XYOffset().X + 1 + 1 + 16 + 1);  // after the check box
  PressKey(G, Qt::Key_End);
  TypeKeys(G, "!");
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->ControlValues(2, 5, "e1"), "one!");
  ASSERT_TRUE(G->CtrlEditing());
  EXPECT_EQ(G->CtrlID(), "e2");
  EXPECT_EQ(box->Text(), "two");
  EXPECT_EQ(box->Left(), firstLeft + 60);
  // After the last control the grid takes the focus back.
  Press(Qt::Key_Tab);
  EXPECT_FALSE(G->CtrlEditing());
  EXPECT_TRUE(G->Focused());
  EXPECT_FALSE(G->EditorMode());
  // F2 starts at the first control again; the text editor never opens.
  Press(Qt::Key_F2);
  EXPECT_EQ(G->CtrlID(), "e1");
  EXPECT_FALSE(G->EditorMode());
  Press(Qt::Key_Return);
  // Typing on the cell changes nothing.
  const QString before = G->Cells(2, 5);
  G->SetFocus();
  TypeKeys(G, "zz");
  EXPECT_EQ(G->Cells(2, 5), before);
  EXPECT_FALSE(G->EditorMode());
}

TEST_F(GridInlineControls, TabFromAClickedControlMovesToTheNextControlOfItsCell) {
  G->SetCells(2, 5, Edit("e1", "one") + Edit("e2", "two"));
  ASSERT_NE(G->Row(), 5);
  Click(InText(2, 5, 30));
  ASSERT_EQ(G->CtrlID(), "e1");
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->CtrlID(), "e2");
  EXPECT_EQ(G->ControlEditBox()->Text(), "two");
}

TEST_F(GridInlineControls, EnterOnAControlCellOfAReadOnlyGridEditsNothing) {
  G->SetOptions(G->Options() - goEditing);
  G->SetCells(2, 5, Edit("e1", "one"));
  G->SetCol(2);
  G->SetRow(5);
  Press(Qt::Key_Return);
  EXPECT_FALSE(G->CtrlEditing());
  EXPECT_EQ(G->Row(), 5);
}

// ------------------------------------------------------------------ COMBO

TEST_F(GridInlineControls, AComboControlListedAsPickOnlyOpensWithItsValueSelected) {
  G->SetCells(1, 3, QStringLiteral("<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"green\" WIDTH=\"100\">"));
  G->OnControlComboList = [&](TObject*, int ARow, int ACol, const QString& ID, const QString&, const QString& V,
                              TStrings* Values, bool& Edit, int& DropCount) {
    Log << QStringLiteral("list %1,%2 %3 %4").arg(ARow).arg(ACol).arg(ID, V);
    Values->Add("red");
    Values->Add("green");
    Values->Add("blue");
    Edit = false;
    DropCount = 3;
  };
  G->OnControlComboSelect = [&](TObject*, int, int, int Index, const QString& ID, const QString& V) {
    Log << QStringLiteral("select %1 %2 %3").arg(Index).arg(ID, V);
  };
  Click(InText(1, 3, 30));
  TControlCombo* cb = G->ControlComboBox();
  ASSERT_TRUE(G->CtrlEditing());
  EXPECT_TRUE(cb->Visible());
  EXPECT_EQ(cb->Style(), csDropDownList);
  EXPECT_EQ(cb->ItemIndex(), 1);
  EXPECT_EQ(cb->DropDownCount(), 3);
  cb->SetDroppedDown(false);
  cb->SetItemIndex(2);
  G->ControlComboSelect(cb);
  G->SetFocus();
  EXPECT_FALSE(G->CtrlEditing());
  EXPECT_EQ(G->ControlValues(1, 3, "k"), "blue");
  EXPECT_EQ(Log, (QStringList{"list 3,1 k green", "select 2 k blue"}));
}

// ------------------------------------------------------------ values by code

TEST_F(GridInlineControls, ControlValuesReadAndWriteOnlyExistingControls) {
  G->SetCells(1, 1, QStringLiteral("a ") + Edit("e1", "x&amp;y"));
  EXPECT_EQ(G->ControlValues(1, 1, "e1"), "x&y");
  EXPECT_EQ(G->ControlValues(1, 1, "nope"), "");
  G->SetControlValues(1, 1, "e1", "a&b<c");
  EXPECT_EQ(G->ControlValues(1, 1, "e1"), "a&b<c");
  const QString before = G->Cells(1, 1);
  int changes = 0;
  G->OnCellsChanged = [&](TObject*, const TRect&) { ++changes; };
  G->SetControlValues(1, 1, "nope", "v");
  EXPECT_EQ(G->Cells(1, 1), before);
  EXPECT_EQ(changes, 0);
}

// ------------------------------------------------------------------- blink

TEST_F(GridInlineControls, BlinkTextTurnsInvisibleAndVisibleWithTheGridTimer) {
  ASSERT_TRUE(KillTimer(G->Handle(), TProStringGrid::GridTimerId));
  auto tick = [this] { G->Perform(WM_TIMER, TProStringGrid::GridTimerId, 0); };
  G->SetCells(2, 2, QStringLiteral("<BLINK>flash</BLINK> steady"));
  // The colour the run is drawn in.
  auto flashColour = [this] {
    TRecordingCanvas rc(600, 340);
    G->PaintCell(rc.Canvas(), 2, 2, G->CellRect(2, 2), TGridDrawState{});
    for (const TDrawRecord& r : rc.ShownTexts())
      if (r.Text == QLatin1String("flash")) return r.TextColor;
    return COLORREF(CLR_INVALID);
  };
  const COLORREF shown = COLORREF(ColorToRGB(G->Font()->Color()));
  const COLORREF hidden = COLORREF(ColorToRGB(G->Color()));
  ASSERT_NE(shown, hidden);
  // Without EnableBlink the text stays shown, tick after tick.
  EXPECT_EQ(flashColour(), shown);
  tick();
  EXPECT_EQ(flashColour(), shown);
  G->SetEnableBlink(true);
  std::vector<COLORREF> seen;
  for (int i = 0; i < 4; ++i) {
    tick();
    seen.push_back(flashColour());
  }
  EXPECT_EQ(seen, (std::vector<COLORREF>{shown, hidden, shown, hidden}));
}

// ------------------------------------------------------------ auto-sizing

TEST_F(GridInlineControls, AutoSizingFitsTheMeasuredWidthOfHTMLCells) {
  G->SetCells(1, 2, QStringLiteral("<b>bold</b> and <font size=\"14\">large</font> words"));
  G->SetCells(2, 2, QStringLiteral("bold and large words"));
  G->AutoSizeCol(1);
  G->AutoSizeCol(2);
  const int html = G->GetCellTextSize(1, 2, false, false).cx, plain = G->GetCellTextSize(2, 2, false, false).cx;
  EXPECT_GT(html, plain);  // bold and larger runs are wider
  // Both columns are their measured text plus the same room.
  EXPECT_EQ(G->ColWidths(1) - html, G->ColWidths(2) - plain);
}

// ------------------------------------------------------------ anchor hints

TEST_F(GridInlineControls, AnchorHintShowsTheTitleBesideThePointer) {
  G->SetCells(2, 3, QStringLiteral("<a href=\"http://x\" title=\"Go there\">link</a> and text"));
  G->SetCells(2, 4, QStringLiteral("<a href=\"http://y\">link</a>"));
  auto hintAt = [this](QPoint P, QString& Str) {
    THintInfo info;
    const TRect ins = G->NonClientInsets();
    info.CursorPos = {P.x() - ins.Left, P.y() - ins.Top};
    Str.clear();
    G->GetHintInfo(Str, info);
    return info;
  };
  QString s;
  hintAt(InText(2, 3, 4), s);
  EXPECT_EQ(s, "");  // AnchorHint is off
  G->SetAnchorHint(true);
  const QPoint p = InText(2, 3, 4);
  THintInfo info = hintAt(p, s);
  EXPECT_EQ(s, "Go there");
  const TRect ins = G->NonClientInsets();
  EXPECT_EQ(info.HintPos, G->ClientToScreen(TPoint{p.x() - ins.Left + 8, p.y() - ins.Top - 16}));
  EXPECT_EQ(G->AnchorHintText(), "Go there");
  // Without a title the reference, passed through OnAnchorHint.
  hintAt(InText(2, 4, 4), s);
  EXPECT_EQ(s, "http://y");
  G->OnAnchorHint = [](TObject*, int ARow, int ACol, QString& A) { A = QStringLiteral("%1,%2 %3").arg(ARow).arg(ACol).arg(A); };
  hintAt(InText(2, 4, 4), s);
  EXPECT_EQ(s, "4,2 http://y");
  // Off the anchor the hint is not an anchor hint.
  hintAt(InText(2, 3, 150), s);
  EXPECT_EQ(s, "");
  // The switch goes along when a grid is copied.
  TProStringGrid copy(nullptr);
  copy.Assign(G);
  EXPECT_TRUE(copy.AnchorHint());
}

// ---------------------------------------------------------- reading order

TEST_F(GridInlineControls, RightToLeftCellsAlignRightAndReadRightToLeftInAMiddleEasternLocale) {
  const TSysLocale kept = SysLocale;
  auto restore = qScopeGuard([&] { SysLocale = kept; });
  G->SetCells(2, 2, QStringLiteral("<b>abc</b>"));
  auto flags = [this] {
    TRecordingCanvas rc(600, 340);
    G->PaintCell(rc.Canvas(), 2, 2, G->CellRect(2, 2), TGridDrawState{});
    for (const TDrawRecord& r : rc.ShownTexts())
      if (r.Text == QLatin1String("abc")) return r.Flags & (DT_RIGHT | DT_RTLREADING);
    return UINT(0xFFFF);
  };
  SysLocale.MiddleEast = true;
  EXPECT_EQ(flags(), UINT(0));
  G->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(flags(), UINT(DT_RIGHT | DT_RTLREADING));
  // The locale decides: elsewhere the mode changes nothing.
  SysLocale.MiddleEast = false;
  EXPECT_EQ(flags(), UINT(0));
}

TEST_F(GridInlineControls, RightToLeftPlainCellsSwapLeftAndRightAlignment) {
  const TSysLocale kept = SysLocale;
  auto restore = qScopeGuard([&] { SysLocale = kept; });
  G->SetCells(2, 2, QStringLiteral("plain"));
  auto flags = [this](TAlignment A) {
    G->OnGetAlignment = [A](TObject*, int, int, TAlignment& HA, TVAlignment&) { HA = A; };
    TRecordingCanvas rc(600, 340);
    G->PaintCell(rc.Canvas(), 2, 2, G->CellRect(2, 2), TGridDrawState{});
    for (const TDrawRecord& r : rc.ShownTexts())
      if (r.Text == QLatin1String("plain")) return r.Flags & (DT_LEFT | DT_CENTER | DT_RIGHT | DT_RTLREADING);
    return UINT(0xFFFF);
  };
  SysLocale.MiddleEast = true;
  G->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(flags(taLeftJustify), UINT(DT_RIGHT | DT_RTLREADING));
  EXPECT_EQ(flags(taRightJustify), UINT(DT_LEFT | DT_RTLREADING));
  EXPECT_EQ(flags(taCenter), UINT(DT_CENTER | DT_RTLREADING));
  // Reading order only: the alignment stays.
  G->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(flags(taLeftJustify), UINT(DT_RTLREADING));
  G->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(flags(taRightJustify), UINT(DT_RIGHT));
}

// -------------------------------------------------------- picture container

TEST_F(GridInlineControls, PicturesOfTheGridsContainerShowInHTMLCells) {
  QImage logo(64, 48, QImage::Format_RGB32);
  logo.fill(Qt::red);
  QByteArray png;
  QBuffer buf(&png);
  buf.open(QIODevice::WriteOnly);
  logo.save(&buf, "PNG");
  auto* container = new TPictureContainer(F.Form);
  TPictureItem* item = container->Items()->Add();
  item->SetName("LOGO");
  item->Picture()->LoadFromBytes(png);
  G->SetCells(1, 1, QStringLiteral("<IMG SRC=\"logo\" WIDTH=\"32\">"));
  auto drawn = [this] {
    TRecordingCanvas rc(600, 340);
    G->PaintCell(rc.Canvas(), 1, 1, G->CellRect(1, 1), TGridDrawState{});
    return rc.OfKind(dkBitmap);
  };
  EXPECT_TRUE(drawn().empty());  // no container: nothing to show
  G->SetPictureContainer(container);
  const auto pictures = drawn();
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].R.Right - pictures[0].R.Left, 32);
  EXPECT_EQ(pictures[0].R.Bottom - pictures[0].R.Top, 24);
  // The grid forgets a container that is destroyed.
  delete container;
  EXPECT_EQ(G->PictureContainer(), nullptr);
  EXPECT_TRUE(drawn().empty());
}

}  // namespace
