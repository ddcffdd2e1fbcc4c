// The string grid under real mouse events on a form shown offscreen: clicks,
// sizing, direct editing, check boxes, click sorting, double clicks, the drag
// threshold, the wheel, the "GridEditDone" round trip, combo notifications,
// links, cell controls; and its hints, balloon texts and per-cell accessors.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_HintWindow.h"
#include "grid/ProGrid_ScrollControl.h"
#include "platform/gdi/Graphics.h"
#include "platform/os/ScopedService.h"
#include "platform/os/ShellApi.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/ComCtrls.h"
#include "platform/widgets/StdCtrls.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// Records the documents the grid asks the desktop to open.
class TRecordingOpener : public IDocumentOpener {
 public:
  explicit TRecordingOpener(QStringList* Log) : FLog(Log) {}
  bool Open(const QString& Target, QString&) override {
    FLog->append(Target);
    return true;
  }

 private:
  QStringList* FLog;
};

// A string grid of 6 columns and 20 rows (one fixed column and row) on a
// shown form, holding the focus; exceptions that reach the message loop are
// recorded instead of shown.
class GridMouse : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 420, 260);
    G->SetColCount(6);
    G->SetRowCount(20);
    F.Show();
    G->SetFocus();
    Application->OnException = [this](TObject*, Exception& E) { Errors << E.Message(); };
  }
  void TearDown() override { Application->OnException = nullptr; }
  QPoint At(int X, int Y) const {
    const TRect ins = G->NonClientInsets();
    return QPoint(X + ins.Left, Y + ins.Top);
  }
  QPoint CellCenter(int C, int R) const {
    const TRect r = G->CellRect(C, R);
    return At((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  void Click(QPoint P, Qt::KeyboardModifiers Mods = {}) { QTest::mouseClick(G->View(), Qt::LeftButton, Mods, P); }
  // What the window system sends for a double click: press, release, double
  // click, release (QTest sends the double click alone).
  void DoubleClick(QPoint P) {
    Click(P);
    QTest::mouseDClick(G->View(), Qt::LeftButton, {}, P);
    QTest::mouseRelease(G->View(), Qt::LeftButton, {}, P);
  }
  void Wheel(int Delta) {
    const QPoint local = At(100, 100);
    QWheelEvent e(local, G->View()->mapToGlobal(local), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(G->View(), &e);
  }
  TShownForm F{500, 400};
  TProStringGrid* G = nullptr;
  QStringList Log, Errors;
};

// ------------------------------------------------------------------- clicks

TEST_F(GridMouse, AClickOnANormalCellFiresOneClickCellRowFirstAndOpensNoEditor) {
  G->SetOptions(G->Options() + goEditing);
  G->OnClickCell = [&](TObject*, int ARow, int ACol) { Log << QStringLiteral("click %1,%2").arg(ARow).arg(ACol); };
  Click(CellCenter(2, 3));
  EXPECT_EQ(Log, QStringList{"click 3,2"});
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_FALSE(G->EditorMode());
  // A click on a fixed cell of the first row fires it too, row first.
  Log.clear();
  Click(CellCenter(4, 0));
  EXPECT_EQ(Log, QStringList{"click 0,4"});
}

TEST_F(GridMouse, CanClickCellRefusesTheWholePress) {
  G->OnCanClickCell = [&](TObject*, int ARow, int ACol, bool& Allow) {
    Log << QStringLiteral("can %1,%2").arg(ARow).arg(ACol);
    Allow = !(ARow == 5 && ACol == 3);
  };
  int clicks = 0;
  G->OnClickCell = [&](TObject*, int, int) { ++clicks; };
  Click(CellCenter(3, 5));
  EXPECT_EQ(Log, QStringList{"can 5,3"});
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(G->Selection(), (TGridRect{1, 1, 1, 1}));
  Click(CellCenter(2, 4));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(G->Selection(), (TGridRect{2, 4, 2, 4}));
}

TEST_F(GridMouse, APressOnAHeaderBorderSizesTheColumnWithoutAClick) {
  G->SetOptions(G->Options() + goColSizing);
  int clicks = 0;
  G->OnClickCell = [&](TObject*, int, int) { ++clicks; };
  std::vector<int> sizing;
  G->OnColumnSizing = [&](TObject*, int ACol, int Size) {
    EXPECT_EQ(ACol, 2);
    sizing.push_back(Size);
  };
  const int before = G->ColWidths(2);
  const TRect hr = G->CellRect(2, 0);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(hr.Right - 1, 8));
  QTest::mouseMove(G->View(), At(hr.Right + 9, 8));
  QTest::mouseMove(G->View(), At(hr.Right + 29, 8));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(hr.Right + 29, 8));
  EXPECT_EQ(G->ColWidths(2), before + 30);
  EXPECT_EQ(clicks, 0);
  ASSERT_FALSE(sizing.empty());
  EXPECT_EQ(sizing.back(), before + 30);
  // A click in the middle of the header is a click.
  Click(CellCenter(3, 0));
  EXPECT_EQ(clicks, 1);
}

TEST_F(GridMouse, DirectEditOpensTheEditorOnTheFirstClick) {
  G->SetOptions(G->Options() + goEditing);
  G->MouseActions()->SetDirectEdit(true);
  Click(CellCenter(2, 3));
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ(G->Selection(), (TGridRect{2, 3, 2, 3}));
  // Within 3 pixels of the side border the click only selects.
  G->HideInplaceEdit();
  const TRect r = G->CellRect(4, 6);
  Click(At(r.Left + 2, (r.Top + r.Bottom) / 2));
  EXPECT_FALSE(G->EditorMode());
}

TEST_F(GridMouse, DirectEditLetsRowChangingRefuseTheMove) {
  G->SetOptions(G->Options() + goEditing);
  G->MouseActions()->SetDirectEdit(true);
  int asked = 0;
  G->OnRowChanging = [&](TObject*, int OldRow, int NewRow, bool& Allow) {
    ++asked;
    EXPECT_EQ(OldRow, 1);
    EXPECT_EQ(NewRow, 5);
    Allow = false;
  };
  Click(CellCenter(3, 5));
  // The framework's cell selection asks first; refused, the row stays, so the
  // direct-edit step asks again before opening the editor.
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(G->EditorMode());
  EXPECT_EQ(G->Row(), 1);
}

TEST_F(GridMouse, AClickOnADataCheckBoxTogglesIt) {
  G->SetOptions(G->Options() + goEditing);
  G->AddCheckBox(2, 4, false, true);
  std::vector<std::tuple<int, int, bool>> told;
  G->OnCheckBoxClick = [&](TObject*, int ACol, int ARow, bool State) { told.emplace_back(ACol, ARow, State); };
  // The first point of the cell that lies on the box.
  const TRect r = G->CellRect(2, 4);
  QPoint hit(-1, -1);
  for (int y = r.Top; y < r.Bottom && hit.x() < 0; ++y)
    for (int x = r.Left; x < r.Right && hit.x() < 0; ++x)
      if (G->IsInCheckBox(2, 4, x + 2, y + 2)) hit = QPoint(x + 2, y + 2);
  ASSERT_GE(hit.x(), 0);
  Click(At(hit.x(), hit.y()));
  EXPECT_EQ(G->Cells(2, 4), G->CheckTrue());
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0], std::make_tuple(2, 4, true));
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 4);
}

TEST_F(GridMouse, HeaderClicksSortAscendingDescendingAndBack) {
  G->SortSettings()->SetShow(true);
  G->SortSettings()->SetUndoSort(true);
  std::vector<int> sorted;
  G->OnClickSort = [&](TObject*, int ACol) { sorted.push_back(ACol); };
  const QStringList texts{"b", "c", "a"};
  G->SetRowCount(4);
  for (int r = 1; r <= 3; ++r) G->SetCells(2, r, texts[r - 1]);
  Click(CellCenter(2, 0));
  EXPECT_EQ(G->SortSettings()->Column(), 2);
  EXPECT_EQ(G->SortSettings()->Direction(), sdAscending);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(' ').toStdString();
  EXPECT_EQ(G->Cols(2)->Strings(1) + G->Cols(2)->Strings(2) + G->Cols(2)->Strings(3), "abc");
  QTest::qWait(QApplication::doubleClickInterval() + 10);
  Click(CellCenter(2, 0));
  EXPECT_EQ(G->SortSettings()->Direction(), sdDescending);
  EXPECT_EQ(G->Cells(2, 1) + G->Cells(2, 2) + G->Cells(2, 3), "cba");
  QTest::qWait(QApplication::doubleClickInterval() + 10);
  Click(CellCenter(2, 0));
  EXPECT_EQ(G->SortSettings()->Column(), -1);
  EXPECT_EQ(G->Cells(2, 1) + G->Cells(2, 2) + G->Cells(2, 3), "bca");
  EXPECT_EQ(sorted, (std::vector<int>{2, 2, -1}));
}

TEST_F(GridMouse, HeaderClicksDoNotSortNearABorderOrWithTwoRows) {
  G->SetOptions(G->Options() + goColSizing);
  G->SortSettings()->SetShow(true);
  int sorts = 0;
  G->OnCanSort = [&](TObject*, int, bool&) { ++sorts; };
  const TRect hr = G->CellRect(2, 0);
  Click(At(hr.Left + 2, 8));
  Click(At(hr.Right - 2, 8));
  EXPECT_EQ(sorts, 0);
  G->SetRowCount(2);
  Click(CellCenter(3, 0));
  EXPECT_EQ(sorts, 0);
  EXPECT_TRUE(Errors.isEmpty());
}

// ------------------------------------------------------------ double clicks

TEST_F(GridMouse, ABorderDoubleClickAsksToFitTheColumnLeftOfIt) {
  G->SetOptions(G->Options() + goColSizing);
  std::vector<int> asked, ended;
  G->OnColumnSize = [&](TObject*, int ACol, bool& Allow) {
    asked.push_back(ACol);
    Allow = false;
  };
  G->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
  const TRect left3 = G->CellRect(3, 0);
  DoubleClick(At(left3.Left + 2, 8));
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), 2);
  EXPECT_TRUE(ended.empty());  // refused
  G->AutoSizeCol(1, 0);
  G->OnColumnSize = nullptr;
  G->SetCells(2, 3, QString(40, u'W'));
  QTest::qWait(QApplication::doubleClickInterval() + 10);
  // The probe above fitted column 1: column 3's border has moved.
  const TRect moved3 = G->CellRect(3, 0);
  DoubleClick(At(moved3.Left + 2, 8));
  EXPECT_EQ(ended, std::vector<int>{2});
  EXPECT_GT(G->ColWidths(2), 200);
}

TEST_F(GridMouse, DblClickCellFollowsDblClickRowFirst) {
  G->OnDblClick = [&](TObject*) { Log << "dblclick"; };
  G->OnDblClickCell = [&](TObject*, int ARow, int ACol) { Log << QStringLiteral("cell %1,%2").arg(ARow).arg(ACol); };
  DoubleClick(CellCenter(3, 4));
  EXPECT_EQ(Only(Log, {"dbl", "cell"}), (QStringList{"dblclick", "cell 4,3"}));
}

TEST_F(GridMouse, RightClickCellRowFirst) {
  G->OnRightClickCell = [&](TObject*, int ARow, int ACol) { Log << QStringLiteral("right %1,%2").arg(ARow).arg(ACol); };
  QTest::mouseClick(G->View(), Qt::RightButton, {}, CellCenter(4, 2));
  EXPECT_EQ(Log, QStringList{"right 2,4"});
  EXPECT_EQ(G->Row(), 1);  // no selection without SelectOnRightClick
  G->MouseActions()->SetSelectOnRightClick(true);
  QTest::mouseClick(G->View(), Qt::RightButton, {}, CellCenter(4, 2));
  EXPECT_EQ(G->Col(), 4);
  EXPECT_EQ(G->Row(), 2);
}

// ------------------------------------------------------------ drag threshold

TEST_F(GridMouse, ACellDragStartsAfterFourPixelsNotThree) {
  G->DragDropSettings()->SetOleDropSource(true);
  std::vector<std::pair<int, int>> started;
  G->OnOleDragStart = [&](TObject*, int ARow, int ACol) { started.emplace_back(ARow, ACol); };
  const QPoint p = CellCenter(2, 3);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, p);
  QTest::mouseMove(G->View(), p + QPoint(3, 0));
  QTest::mouseMove(G->View(), p + QPoint(3, 3));
  EXPECT_TRUE(started.empty());
  QTest::mouseMove(G->View(), p + QPoint(4, 0));
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], std::make_pair(3, 2));
  QTest::mouseMove(G->View(), p + QPoint(9, 0));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, p + QPoint(9, 0));
  EXPECT_EQ(started.size(), 1u);  // once per press
  // Without OleDropSource nothing starts.
  G->DragDropSettings()->SetOleDropSource(false);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, p);
  QTest::mouseMove(G->View(), p + QPoint(10, 0));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, p + QPoint(10, 0));
  EXPECT_EQ(started.size(), 1u);
}

TEST_F(GridMouse, ColumnsOnlyDragsTurnIntoASelectionOnNormalCells) {
  G->DragDropSettings()->SetOleDropSource(true);
  G->DragDropSettings()->SetOleColumnsOnly(true);
  int started = 0;
  G->OnOleDragStart = [&](TObject*, int, int) { ++started; };
  QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(2, 3));
  QTest::mouseMove(G->View(), CellCenter(3, 4));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, CellCenter(3, 4));
  EXPECT_EQ(started, 0);
  EXPECT_EQ(G->Selection(), (TGridRect{2, 3, 3, 4}));
}

// -------------------------------------------------------- window procedure

TEST_F(GridMouse, TheWheelMovesTheCurrentRowByThreeRows) {
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 4);
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 7);
  Wheel(WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 4);
  // Never beyond the last row, never into the fixed row.
  for (int i = 0; i < 10; ++i) Wheel(-WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 19);
  for (int i = 0; i < 10; ++i) Wheel(WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 1);
  // An increment of its own; a single fixed row with FixedRowAlways does nothing.
  G->MouseActions()->SetWheelIncrement(5);
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 6);
  G->MouseActions()->SetWheelIncrement(0);
  G->SetEnableWheel(false);
  Wheel(-WHEEL_DELTA);
  EXPECT_EQ(G->Row(), 6);
}

TEST_F(GridMouse, ZoomStaysWithinTenSteps) {
  const int w = G->ColWidths(2);
  for (int i = 0; i < 12; ++i) G->Zoom(1);
  EXPECT_EQ(G->ZoomFactor(), 10);
  EXPECT_EQ(G->ColWidths(2), w + 10);
  G->SetColWidths(3, 1);
  G->Zoom(-1);
  EXPECT_EQ(G->ColWidths(3), 1);  // never below one pixel
}

TEST_F(GridMouse, GridEditDoneArrivesAfterEditingDone) {
  G->OnEditingDone = [&](TObject*) { Log << "editing done"; };
  G->OnEditCellDone = [&](TObject*, int ACol, int ARow) { Log << QStringLiteral("cell done %1,%2").arg(ACol).arg(ARow); };
  G->PostEditDone(2, 3);
  EXPECT_EQ(Log, QStringList{"editing done"});  // the message is posted, not sent
  QApplication::processEvents();
  EXPECT_EQ(Log, (QStringList{"editing done", "cell done 2,3"}));
}

TEST_F(GridMouse, ComboNotificationsCountOnlyFromTheGridsOwnEditor) {
  int changes = 0;
  G->OnComboChange = [&](TObject*, int, int, int, const QString&) { ++changes; };
  // A combo box of the application placed on the grid is not the grid's editor.
  auto* other = new TComboBox(F.Form);
  other->SetParent(G);
  other->Items()->Add("one");
  other->Items()->Add("two");
  G->Perform(WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), LPARAM(other->Handle()));
  G->Perform(WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE), LPARAM(other->Handle()));
  EXPECT_EQ(changes, 0);
  ASSERT_NE(G->EditCombo(), nullptr);
  // A pick in the grid's own combo reports the real column.
  G->SetOptions(G->Options() + goEditing);
  G->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edComboList; };
  G->HideColumn(1);
  G->SetCol(2);  // real column 3
  G->SetRow(2);
  std::vector<int> cols;
  G->OnComboChange = [&](TObject*, int ACol, int, int, const QString&) { cols.push_back(ACol); };
  G->EditCombo()->Items()->Add("x");
  G->EditCombo()->Items()->Add("y");
  G->SetEditorMode(true);
  QTest::keyClick(G->EditCombo()->View(), Qt::Key_Down);
  ASSERT_FALSE(cols.empty());
  EXPECT_EQ(cols.front(), 3);
}

// -------------------------------------------------------------------- links

TEST_F(GridMouse, LinksOpenOnlyWebMailAndFileAddressesAndCellLinksMove) {
  G->SetURLShow(true);
  QStringList opened;
  SetDocumentOpener(std::make_unique<TRecordingOpener>(&opened));
  auto restore = qScopeGuard([] { SetDocumentOpener(nullptr); });
  G->SetCells(1, 2, "http://example.com/a");
  G->SetCells(2, 2, "javascript://alert(1)");
  G->SetCells(3, 2, "cell://r5c4");
  G->SetCells(4, 2, "CELL://R99C1");
  G->SetCells(5, 2, "mailto:someone@example.com");
  for (int c = 1; c <= 5; ++c) {  // cells apart: never a double click
    Click(CellCenter(c, 2));
    if (c == 3) {
      EXPECT_EQ(G->Row(), 5);
      EXPECT_EQ(G->Col(), 4);
      G->SetRow(1);
    }
  }
  EXPECT_EQ(opened, (QStringList{"http://example.com/a", "mailto:someone@example.com"}));
  // The application may take the link itself.
  G->OnAnchorClick = [&](TObject*, int ARow, int ACol, const QString& Anchor, bool& AutoHandle) {
    Log << QStringLiteral("%1,%2 %3").arg(ARow).arg(ACol).arg(Anchor);
    AutoHandle = false;
  };
  Click(CellCenter(1, 2));
  EXPECT_EQ(Log, QStringList{"2,1 http://example.com/a"});
  EXPECT_EQ(opened.size(), 2);
}

// ------------------------------------------------------------ cell controls

TEST_F(GridMouse, CellControlsFollowTheScroll) {
  auto* edit = new TEdit(F.Form);
  G->SetCellControls(2, 15, edit);  // below the visible rows
  G->SetCellControls(3, 0, new TEdit(F.Form));  // in the fixed row
  const TRect fixedAt = G->CellControls(3, 0)->BoundsRect();
  G->SetTopRow(12);
  const TRect r = G->CellRect(2, 15);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->BoundsRect(), (TRect{r.Left - 1, r.Top - 1, r.Right, r.Bottom}));
  G->SetTopRow(1);
  EXPECT_FALSE(edit->Visible());
  EXPECT_EQ(G->CellControls(3, 0)->BoundsRect(), fixedAt);
  EXPECT_TRUE(G->CellControls(3, 0)->Visible());
  // A hidden column hides its control; removing the control leaves it alone.
  G->SetTopRow(12);
  G->HideColumn(2);
  G->CellControlsUpdate(false);
  EXPECT_FALSE(edit->Visible());
  G->UnHideColumn(2);
  G->SetCellControls(2, 15, nullptr);
  EXPECT_EQ(G->CellControls(2, 15), nullptr);
}

// -------------------------------------------------------------------- hints

TEST_F(GridMouse, HintShowCellsGivesTheCellTextAtTheCellsTop) {
  G->SetHintShowCells(true);
  G->SetCells(2, 3, "<b>bold</b> word");
  G->SetCells(2, 0, "Header");
  auto hintAt = [&](int C, int R, QString& Str) {
    THintInfo info;
    const TRect r = G->CellRect(C, R);
    info.CursorPos = {r.Left + 5, r.Top + 3};
    Str.clear();
    G->GetHintInfo(Str, info);
    return info;
  };
  QString s;
  THintInfo info = hintAt(2, 3, s);
  EXPECT_EQ(s, "bold word");
  EXPECT_EQ(info.HintPos, G->ClientToScreen(TPoint{G->CellRect(2, 3).Left + 5, G->CellRect(2, 3).Top}));
  EXPECT_EQ(info.HintColor, G->HintColor());
  EXPECT_FALSE(info.HintWindowClass);
  G->SetHTMLHint(true);
  info = hintAt(2, 3, s);
  EXPECT_EQ(s, "<b>bold</b> word");
  EXPECT_TRUE(info.HintWindowClass);  // the HTML hint window renders it
  // A header cell gives no text; only OnGridHint can set one.
  info = hintAt(2, 0, s);
  EXPECT_EQ(s, "");
  G->OnGridHint = [](TObject*, int ARow, int ACol, QString& H) { H = QStringLiteral("hint %1,%2").arg(ARow).arg(ACol); };
  info = hintAt(2, 0, s);
  EXPECT_EQ(s, "hint 0,2");
  EXPECT_EQ(info.HintPos.Y, G->ClientToScreen(TPoint{0, G->CellRect(2, 0).Bottom + 6}).Y);
}

TEST(HTMLHintWindow, SizesToTheTextAndStaysOnTheScreen) {
  THTMLHintWindow w(nullptr);
  const QString hint = QStringLiteral("<b>Hello</b> hint");
  const TRect m = w.CalcHintRect(1008, hint, nullptr);
  ASSERT_GT(m.Width(), 0);
  ASSERT_GT(m.Height(), 0);
  w.ActivateHint(TRect{10, 20, 11, 21}, hint);
  EXPECT_EQ(w.BoundsRect(), (TRect{10, 20, 10 + m.Width() + 16, 20 + m.Height() + 4}));
  // Past the screen's right and bottom edges: moved inside, 2 pixels from them.
  const TRect scr = Screen->DesktopRect();
  w.ActivateHint(TRect{scr.Right - 5, scr.Bottom - 3, 0, 0}, hint);
  EXPECT_EQ(w.BoundsRect(), (TRect{scr.Right - m.Width() - 16 - 2, scr.Bottom - 2 - m.Height() - 4,
                                   scr.Right - 2, scr.Bottom - 2}));
  // A wide-encoded text takes 8 pixels of margin.
  const QString wide = QStringLiteral("|\\0048006900");
  const TRect mw = w.CalcHintRect(1008, wide, nullptr);
  w.ActivateHint(TRect{10, 20, 0, 0}, wide);
  EXPECT_EQ(w.Width(), mw.Width() + 8);
  // Long texts wrap at 1008 pixels while measuring.
  const QString longText = QString(QStringLiteral("word ")).repeated(400);
  w.ActivateHint(TRect{0, 0, 0, 0}, longText);
  EXPECT_LE(w.TextWidth(), 1008);
  EXPECT_GT(w.TextHeight(), m.Height());
}

// Sizes Images to W x H and adds one picture filled with Color.
void AddSolidImage(TImageList& Images, int W, int H, TColor Color) {
  Images.SetWidth(W);
  Images.SetHeight(H);
  TBitmap b;
  b.SetSize(W, H);
  b.Canvas()->Brush()->SetColor(Color);
  b.Canvas()->FillRect(TRect(0, 0, W, H));
  Images.Add(&b, nullptr);
}

// A hint shown for a grid takes the grid's image list: an "IDX:" image is part
// of the measured text, so the window is as large as the renderer measures the
// text with the image, and the image is painted.
TEST(HTMLHintWindow, ShowsTheGridsImagesSizedByTheRenderersMeasure) {
  TImageList images(nullptr);
  AddSolidImage(images, 24, 30, clRed);
  TProStringGrid g(nullptr);
  g.SetGridImages(&images);
  const QString hint = QStringLiteral("<IMG SRC=\"IDX:0\"> with an image");
  THTMLHintWindow w(nullptr);
  // The renderer's measure of the text with the image list, on the window's canvas.
  QString anchor, strip, focus, title, id, value, type;
  int xs = 0, ys = 0, links = 0, link = -1;
  TRect hover, control;
  DrawHTMLText(w.Canvas(), hint, TRect{0, 0, 1008, 4096}, &images, 0, 0, -1, 0, 1, false, true, false, false,
               false, false, true, false, 0.0, clBlue, clNone, clNone, clGray, anchor, strip, focus, title, xs,
               ys, links, link, hover, control, id, value, type, nullptr, nullptr, nullptr, bdLeftToRight);
  ASSERT_GE(ys, 30);
  w.ActivateHintData(TRect{10, 20, 0, 0}, hint, static_cast<TObject*>(&g));
  EXPECT_EQ(w.Images(), &images);
  EXPECT_EQ(w.PictureContainer(), g.PictureContainer());
  EXPECT_EQ(w.TextWidth(), xs);
  EXPECT_EQ(w.TextHeight(), ys);
  EXPECT_EQ(w.BoundsRect(), (TRect{10, 20, 10 + xs + 16, 20 + ys + 4}));
  w.PaintNow();
  ASSERT_NE(w.BackBuffer(), nullptr);
  const QImage shot = *w.BackBuffer();
  int reds = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if ((shot.pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++reds;
  EXPECT_GE(reds, 24 * 30 * 9 / 10);
  // Shown for something that is not a grid, the hint has no images: the tag adds nothing.
  THTMLHintWindow bare(nullptr);
  bare.ActivateHintData(TRect{10, 20, 0, 0}, hint, nullptr);
  EXPECT_EQ(bare.Images(), nullptr);
  EXPECT_LT(bare.TextHeight(), 30);
  EXPECT_LT(bare.TextWidth(), xs);
}

// The header drag button renders an HTML caption with its grid's images; a
// caption without a closing tag is plain text.
TEST(HeaderDragButton, AnHTMLCaptionShowsTheGridsImages) {
  TImageList images(nullptr);
  AddSolidImage(images, 16, 16, clRed);
  TProStringGrid g(nullptr);
  g.SetGridImages(&images);
  THeaderDragButton b(nullptr, &g);
  b.SetBounds(0, 0, 120, 28);
  const auto reds = [&](const QString& Caption) {
    b.SetCaption(Caption);
    b.PaintNow();
    const QImage shot = *b.BackBuffer();
    int n = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x)
        if ((shot.pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++n;
    return n;
  };
  EXPECT_GE(reds(QStringLiteral("<b>Col</b><IMG SRC=\"IDX:0\">")), 16 * 16 * 9 / 10);
  EXPECT_EQ(reds(QStringLiteral("Col<IMG SRC=\"IDX:0\">")), 0) << "no closing tag: plain text";
}

TEST_F(GridMouse, BalloonTextsAreCutCleanedAndColouredInTheirPlaces) {
  G->SetCells(2, 3, QString(3000, u'x'));
  G->SetCells(3, 3, "\n\nabc");
  G->SetCells(4, 3, "a\tb\t");
  const auto at = [&](int C, int R) {
    const TRect r = G->CellRect(C, R);
    return G->BalloonTextAt(r.Left + 3, r.Top + 3);
  };
  EXPECT_EQ(at(2, 3).Text, "");  // the balloon is off
  G->Balloon()->SetEnable(true);
  G->Balloon()->SetBackgroundColor(clRed);
  G->Balloon()->SetTextColor(clBlue);
  const auto b = at(2, 3);
  EXPECT_EQ(b.Text, QString(2045, u'x') + "...");
  EXPECT_EQ(b.Title, " ");
  EXPECT_EQ(b.Icon, 1);
  EXPECT_EQ(b.TipBkColor, clRed);
  EXPECT_EQ(b.TipTextColor, clBlue);
  EXPECT_EQ(at(3, 3).Text, "abc");
  EXPECT_EQ(at(4, 3).Text, "a b ");
  G->OnCellBalloon = [](TObject*, int, int, QString& T, QString& X, int& I) {
    T = QString(101, u't');
    X += QString(5000, u'y');  // longer than any fixed buffer
    I = 3;
  };
  const auto c = at(3, 3);
  EXPECT_EQ(c.Title, QString(97, u't') + "...");
  EXPECT_EQ(c.Text.size(), 5003);
  EXPECT_EQ(c.Icon, 3);
}

// ---------------------------------------------------------------- accessors

TEST(GridAccessors, GettersCreateNoPropertyObject) {
  TProStringGrid g(nullptr);
  EXPECT_EQ(g.Colors(2, 3), clNone);
  EXPECT_EQ(g.ColorsTo(2, 3), clNone);
  EXPECT_EQ(g.FontColors(2, 3), clNone);
  EXPECT_EQ(g.FontSizes(2, 3), 0);
  EXPECT_EQ(g.FontNames(2, 3), "");
  EXPECT_EQ(g.Alignments(2, 3), taLeftJustify);
  EXPECT_FALSE(g.ReadOnly(2, 3));
  EXPECT_TRUE(g.FontStyles(2, 3).empty());
  EXPECT_EQ(g.Gradients(2, 3), GradientVertical);
  EXPECT_FALSE(g.HasCellProperties(2, 3));
  EXPECT_TRUE(g.WordWraps(2, 4));  // this one creates it, with the grid's default
  EXPECT_TRUE(g.HasCellProperties(2, 4));
  g.SetColors(2, 3, clRed);
  EXPECT_TRUE(g.HasCellProperties(2, 3));
  EXPECT_EQ(g.Colors(2, 3), clRed);
  g.SetFontNames(2, 3, "Tahoma");
  EXPECT_EQ(g.FontNames(2, 3), "Tahoma");
  TFont f;
  f.SetName("Arial");
  f.SetSize(14);
  f.SetColor(clGreen);
  g.SetFonts(1, 1, &f);
  EXPECT_EQ(g.FontNames(1, 1), "Arial");
  EXPECT_EQ(g.FontSizes(1, 1), 14);
  EXPECT_EQ(g.FontColors(1, 1), clGreen);
}

TEST(GridAccessors, RichTextTravelsAsSevenBitText) {
  TShownForm f;
  TProStringGrid g(f.Form);
  g.SetParent(f.Form);
  auto* rich = new TRichEdit(f.Form);
  rich->SetParent(f.Form);
  g.SetCells(1, 1, QStringLiteral("{\\rtf1\\ansi Gr\\u252?n}"));
  g.CellToRich(1, 1, rich);
  EXPECT_EQ(rich->Text().trimmed(), QStringLiteral("Gr\u00fcn"));
  const QString rtf = g.RichToString(rich);
  for (const QChar ch : rtf) ASSERT_LT(ch.unicode(), 0x80) << rtf.toStdString();
  g.RichToCell(2, 1, rich);
  g.CellToRich(2, 1, rich);
  EXPECT_EQ(rich->Text().trimmed(), QStringLiteral("Gr\u00fcn"));
  g.CellToRich(3, 1, rich);  // an empty cell clears the rich edit
  EXPECT_EQ(rich->Text(), "");
}

}  // namespace

// ---------------------------------------------------------- metro scrolling

namespace {

// A grid of 100 rows (20-pixel fixed row) with a 400-pixel vertical scroll
// control along its right edge.
class MetroScroll : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 300, 400);
    G->SetRowCount(100);
    G->SetRowHeights(0, 20);
    S = new TScrollControl(F.Form);
    S->SetParent(G);
    S->SetBounds(294, 0, 6, 400);
    F.Show();
  }
  TShownForm F{400, 450};
  TProStringGrid* G = nullptr;
  TScrollControl* S = nullptr;
};

TEST_F(MetroScroll, ThumbFollowsTheVisibleRows) {
  const int visible = G->VisibleRowCount();
  const TPoint t = S->ThumbGeometry();
  EXPECT_EQ(t.X, 20);
  EXPECT_EQ(t.Y, int(std::nearbyint(380.0 * visible / 100)));
  // The thumb never runs past the control's end and is never below 20 pixels.
  G->SetTopRow(100 - visible);
  const TPoint e = S->ThumbGeometry();
  EXPECT_LE(e.X + e.Y, 400);
  G->SetRowCount(2000);
  EXPECT_EQ(S->ThumbGeometry().Y, 20);
}

TEST_F(MetroScroll, NothingDividesByZero) {
  // A control as high as the first row: a drag of the thumb scrolls nothing.
  S->SetBounds(294, 0, 6, 20);
  G->SetTopRow(50);
  const int top = G->TopRow();
  const TPoint t = S->ThumbGeometry();
  QTest::mousePress(S->View(), Qt::LeftButton, {}, QPoint(2, t.X + 1));
  QTest::mouseMove(S->View(), QPoint(2, t.X + 10));
  QTest::mouseRelease(S->View(), Qt::LeftButton, {}, QPoint(2, t.X + 10));
  EXPECT_EQ(G->TopRow(), top);
}

TEST_F(MetroScroll, ClicksBesideTheThumbPage) {
  const int visible = G->VisibleRowCount();
  TPoint t = S->ThumbGeometry();
  QTest::mouseClick(S->View(), Qt::LeftButton, {}, QPoint(2, t.X + t.Y + 5));
  EXPECT_EQ(G->TopRow(), 1 + visible);
  t = S->ThumbGeometry();
  QTest::mouseClick(S->View(), Qt::LeftButton, {}, QPoint(2, t.X - 3));
  EXPECT_EQ(G->TopRow(), 1);
  QTest::mouseClick(S->View(), Qt::LeftButton, {}, QPoint(2, 5));
  EXPECT_EQ(G->TopRow(), 1);  // never above the first scrolling row
}

}  // namespace

namespace {

// ------------------------------------------------------------- column moves

TEST(GridColumnMoves, TheSortColumnFollowsTheMove) {
  struct Case {
    int Sorted, Expected;
  };
  for (const Case c : {Case{5, 4}, Case{2, 5}, Case{1, 1}, Case{3, 2}, Case{6, 6}}) {
    TProStringGrid g(nullptr);
    g.SetColCount(7);
    g.SortSettings()->SetColumn(c.Sorted);
    g.MoveColumn(2, 5);
    EXPECT_EQ(g.SortSettings()->Column(), c.Expected) << "sorted on " << c.Sorted;
  }
  // The other way round, and the current column with it.
  TProStringGrid g(nullptr);
  g.SetColCount(7);
  g.SortSettings()->SetColumn(2);
  g.SetCol(5);
  g.MoveColumn(5, 2);
  EXPECT_EQ(g.SortSettings()->Column(), 3);
  EXPECT_EQ(g.Col(), 2);
  g.MoveColumn(2, 5);
  g.SetCol(5);
  g.MoveColumn(2, 5);
  EXPECT_EQ(g.Col(), 4);
}

TEST(GridColumnMoves, APartnerGridRepeatsTheMoveOnce) {
  TProStringGrid a(nullptr), b(nullptr);
  a.SetColCount(7);
  b.SetColCount(7);
  for (int c = 0; c < 7; ++c) {
    a.SetCells(c, 1, QString::number(c));
    b.SetCells(c, 1, QString::number(c));
  }
  a.SyncGrid()->SetGrid(&b);
  a.SyncGrid()->SetMoveColumn(true);
  b.SyncGrid()->SetGrid(&a);
  b.SyncGrid()->SetMoveColumn(true);
  int moves = 0;
  b.OnColumnMoved = [&](TObject*, int, int) { ++moves; };
  a.MoveColumn(2, 5);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(b.Cells(5, 1), "2");
  EXPECT_EQ(a.Cells(5, 1), "2");
}

// ----------------------------------------------------------------- balloons

TEST(GridBalloon, EnableCreatesAndDestroysTheTooltipOnce) {
  TProStringGrid g(nullptr);
  EXPECT_FALSE(g.BalloonActive());
  g.Balloon()->SetEnable(true);
  EXPECT_TRUE(g.BalloonActive());
  g.BalloonInit();  // a second time changes nothing
  EXPECT_TRUE(g.BalloonActive());
  g.Balloon()->SetEnable(false);
  EXPECT_FALSE(g.BalloonActive());
  g.Balloon()->SetEnable(true);
  EXPECT_TRUE(g.BalloonActive());
}

// Anchors of HTML cells: clicks, hover and hints.

// A point on the first characters of a cell's text, in view coordinates.
QPoint TextStart(TProStringGrid* G, int C, int R) {
  const TRect r = G->CellRect(C, R);
  const TRect ins = G->NonClientInsets();
  return QPoint(r.Left + G->XYOffset().X + 4 + ins.Left, r.Top + G->XYOffset().Y + 5 + ins.Top);
}

TEST_F(GridMouse, HTMLAnchorClickFiresOnAnchorClickAndFollowsCellLinks) {
  G->SetCells(2, 3, QStringLiteral("<a href=\"cell://R5C4\">go there</a>"));
  QStringList clicks;
  G->OnAnchorClick = [&](TObject*, int ARow, int ACol, const QString& Anchor, bool&) {
    clicks << QStringLiteral("%1,%2 %3").arg(ARow).arg(ACol).arg(Anchor);
  };
  Click(TextStart(G, 2, 3));
  EXPECT_EQ(clicks, QStringList{QStringLiteral("3,2 cell://R5C4")});
  EXPECT_EQ(G->Row(), 5);
  EXPECT_EQ(G->Col(), 4);
  // AutoHandle off: the event alone.
  G->OnAnchorClick = [&](TObject*, int, int, const QString&, bool& AutoHandle) { AutoHandle = false; };
  G->SetCells(1, 1, QStringLiteral("<a href=\"cell://R7C1\">go there</a>"));
  Click(TextStart(G, 1, 1));
  EXPECT_NE(G->Row(), 7);
}

TEST_F(GridMouse, HTMLAnchorClickOnAnHttpAnchorGoesToTheDesktopsOpener) {
  QStringList opened;
  TScopedService opener(SetDocumentOpener, std::make_unique<TRecordingOpener>(&opened));
  G->SetColWidths(2, 200);
  G->SetCells(2, 3, QStringLiteral("<a href=\"http://example.com/x\">here</a> and more"));
  G->SetCells(2, 4, QStringLiteral("<a href=\"cmd /c calc\">run</a>"));
  G->OnAnchorClick = [&](TObject*, int ARow, int ACol, const QString& A, bool&) {
    Log << QStringLiteral("%1,%2 %3").arg(ARow).arg(ACol).arg(A);
  };
  Click(TextStart(G, 2, 3));
  Click(TextStart(G, 2, 4));  // not an address: never started
  EXPECT_EQ(Log, (QStringList{"3,2 http://example.com/x", "4,2 cmd /c calc"}));
  EXPECT_EQ(opened, QStringList{"http://example.com/x"});
}

TEST_F(GridMouse, HTMLAnchorClickBesideTheAnchorIsAPlainClick) {
  G->SetCells(2, 3, QStringLiteral("<a href=\"cell://R5C4\">g</a>"));
  int clicks = 0;
  G->OnAnchorClick = [&](TObject*, int, int, const QString&, bool&) { ++clicks; };
  const TRect r = G->CellRect(2, 3);
  Click(At(r.Right - 4, r.Bottom - 3));
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Col(), 2);
}

TEST_F(GridMouse, HTMLAnchorHoverEntersAndLeavesOnceWithTheHandCursor) {
  G->SetColWidths(2, 200);
  G->SetCells(2, 3, QStringLiteral("<a href=\"cell://R5C4\" title=\"Jump\">go there</a>"));
  QStringList log;
  G->OnAnchorEnter = [&](TObject*, int ARow, int ACol, const QString& A) {
    log << QStringLiteral("enter %1,%2 %3").arg(ARow).arg(ACol).arg(A);
  };
  G->OnAnchorExit = [&](TObject*, int, int, const QString& A) { log << QStringLiteral("exit %1").arg(A); };
  const TCursor before = G->Cursor();
  QTest::mouseMove(G->View(), TextStart(G, 2, 3));
  QTest::mouseMove(G->View(), TextStart(G, 2, 3) + QPoint(2, 0));
  EXPECT_EQ(G->Cursor(), crHandPoint);
  EXPECT_EQ(G->CurrentAnchor(), QStringLiteral("cell://R5C4"));
  EXPECT_EQ(G->AnchorHintText(), QStringLiteral("Jump"));
  QTest::mouseMove(G->View(), TextStart(G, 1, 6));
  QTest::mouseMove(G->View(), TextStart(G, 1, 7));
  EXPECT_EQ(log, (QStringList{QStringLiteral("enter 3,2 cell://R5C4"), QStringLiteral("exit cell://R5C4")}));
  EXPECT_EQ(G->Cursor(), before);
}

TEST_F(GridMouse, HTMLAnchorHintAskedWhenTheAnchorHasNoTitle) {
  G->SetColWidths(2, 200);
  G->SetCells(2, 3, QStringLiteral("<a href=\"x\">go there</a>"));
  G->OnAnchorHint = [](TObject*, int, int, QString& A) { A = QStringLiteral("asked"); };
  QTest::mouseMove(G->View(), TextStart(G, 2, 3));
  EXPECT_EQ(G->AnchorHintText(), QStringLiteral("asked"));
}

}  // namespace

TEST_F(GridMouse, RangeSelectAndEditEditsTheCurrentCellAndShiftExtends) {
  G->MouseActions()->SetRangeSelectAndEdit(true);
  Click(CellCenter(2, 3));
  EXPECT_FALSE(G->EditorMode());  // the first click selects
  QTest::qWait(QApplication::doubleClickInterval() + 10);
  Click(CellCenter(2, 3));
  EXPECT_TRUE(G->EditorMode());  // a click on the current cell edits
  Click(CellCenter(4, 5), Qt::ShiftModifier);
  EXPECT_FALSE(G->Options().contains(goEditing));
  EXPECT_EQ(G->Selection(), (TGridRect{2, 3, 4, 5}));
}

TEST_F(GridMouse, SimulateCellClickSelectsWithoutMouseEvents) {
  int downs = 0;
  G->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  SimulateCellClick(G, 3, 4);
  EXPECT_EQ(G->Col(), 3);
  EXPECT_EQ(G->Row(), 4);
  EXPECT_EQ(downs, 0);
  EXPECT_TRUE(G->OnMouseDown);  // handlers restored
}

TEST_F(GridMouse, HeaderPressesSelectWholeRowsColumnsAndTheGrid) {
  G->MouseActions()->SetRowSelect(true);
  G->MouseActions()->SetColSelect(true);
  G->MouseActions()->SetAllSelect(true);
  auto press = [&](QPoint P, Qt::KeyboardModifiers Mods = {}) {
    QTest::mouseMove(G->View(), P);  // the pointer's place decides what a press selects
    Click(P, Mods);
  };
  press(CellCenter(0, 5));
  EXPECT_EQ(G->Selection(), (TGridRect{1, 5, 5, 5}));
  press(CellCenter(0, 8), Qt::ShiftModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{1, 5, 5, 8}));
  press(CellCenter(3, 0));
  EXPECT_EQ(G->Selection(), (TGridRect{3, 1, 3, 19}));
  press(CellCenter(5, 0), Qt::ShiftModifier);
  EXPECT_EQ(G->Selection(), (TGridRect{3, 1, 5, 19}));
  press(CellCenter(0, 0));
  EXPECT_EQ(G->Selection(), (TGridRect{1, 1, 5, 19}));
  // Dragging down the row headers extends the rows.
  QTest::mouseMove(G->View(), CellCenter(0, 2));
  QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(0, 2));
  QTest::mouseMove(G->View(), CellCenter(0, 4));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, CellCenter(0, 4));
  EXPECT_EQ(G->Selection(), (TGridRect{1, 2, 5, 4}));
  // Without the mouse actions a header press selects nothing of this kind.
  G->MouseActions()->SetRowSelect(false);
  press(CellCenter(0, 9));
  EXPECT_EQ(G->Selection(), (TGridRect{1, 2, 5, 4}));
}

TEST(GridAccessors, RowColoursAndHiddenColumnWidths) {
  TProStringGrid g(nullptr);
  g.SetRowColor(3, clRed);
  for (int c = 1; c < 5; ++c) EXPECT_EQ(g.Colors(c, 3), clRed);
  EXPECT_FALSE(g.HasCellProperties(0, 3));  // the fixed column stays
  g.SetRowFontColor(3, clBlue);
  EXPECT_EQ(g.FontColors(2, 3), clBlue);
  g.SetRowColor(3, clNone);
  EXPECT_FALSE(g.HasCellProperties(2, 3));  // no graphic: all settings go
  g.SetRowColor(5, clNone);  // creates nothing
  EXPECT_FALSE(g.HasCellProperties(2, 5));
  // RowFontColor clNone frees only cells without a colour of their own.
  g.SetColors(2, 4, clNone);
  g.SetColors(3, 4, clRed);
  g.SetRowFontColor(4, clNone);
  EXPECT_FALSE(g.HasCellProperties(2, 4));
  EXPECT_EQ(g.Colors(3, 4), clRed);
  // A hidden column's width is kept for when it shows again.
  g.HideColumn(2);
  g.SetAllColWidths(2, 90);
  EXPECT_EQ(g.AllColWidths(2), 90);
  g.UnHideColumn(2);
  EXPECT_EQ(g.ColWidths(2), 90);
  g.SetAllColWidths(3, 70);
  EXPECT_EQ(g.ColWidths(3), 70);
}

TEST_F(GridMouse, AFixedColumnIsSizedByItsBorder) {
  G->MouseActions()->SetSizeFixedCol(true);
  std::vector<int> ended;
  G->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
  G->OnUpdateColumnSize = [](TObject*, int, int& W) { W = std::min(W, 90); };
  const int border = G->ColWidths(0);
  const int y = (G->CellRect(0, 4).Top + G->CellRect(0, 4).Bottom) / 2;
  QTest::mouseMove(G->View(), At(border + 2, y));  // within 2 pixels of the border
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(border + 2, y));
  QTest::mouseMove(G->View(), At(80, y));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(80, y));
  EXPECT_EQ(G->ColWidths(0), 80);
  EXPECT_EQ(ended, std::vector<int>{0});
  QTest::mouseMove(G->View(), At(82, y));
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(82, y));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(120, y));
  EXPECT_EQ(G->ColWidths(0), 90);  // as OnUpdateColumnSize answered
  // 3 pixels away is not the border; without SizeFixedCol nothing sizes.
  QTest::mouseMove(G->View(), At(93, y));
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(93, y));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(60, y));
  EXPECT_EQ(G->ColWidths(0), 90);
  G->MouseActions()->SetSizeFixedCol(false);
  QTest::mouseMove(G->View(), At(91, y));
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(91, y));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(60, y));
  EXPECT_EQ(G->ColWidths(0), 90);
}

TEST_F(GridMouse, SizingHintShowsTheNewWidth) {
  G->SetOptions(G->Options() + goColSizing);
  G->SetHintShowSizing(true);
  const TRect hr = G->CellRect(2, 0);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, At(hr.Right - 1, 8));
  QTest::mouseMove(G->View(), At(hr.Left + 80, 8));
  ASSERT_NE(G->SizingHint(), nullptr);
  EXPECT_EQ(G->SizingHint()->Caption(), QStringLiteral("cw=<b>81</b>"));  // the press was 1 pixel inside the border
  EXPECT_TRUE(G->SizingHint()->Visible());
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, At(hr.Left + 80, 8));
  EXPECT_FALSE(G->SizingHint()->Visible());
  EXPECT_EQ(G->ColWidths(2), 81);
}

TEST_F(GridMouse, HeaderMovesMayBeRefusedWhenTheyStartOrWhereTheyDrop) {
  G->SetOptions(G->Options() + goColMoving);
  for (int c = 0; c < 6; ++c) G->SetCells(c, 1, QString::number(c));
  auto drag = [&](int From, int To) {
    QTest::mousePress(G->View(), Qt::LeftButton, {}, CellCenter(From, 0));
    QTest::mouseMove(G->View(), CellCenter(From, 0) + QPoint(5, 0));
    QTest::mouseMove(G->View(), CellCenter(To, 0));
    QTest::mouseRelease(G->View(), Qt::LeftButton, {}, CellCenter(To, 0));
  };
  std::vector<int> dropsAsked;
  G->OnColumnMoving = [&](TObject*, int ACol, bool& Allow) {
    dropsAsked.push_back(ACol);
    Allow = ACol != 4;
  };
  drag(2, 4);  // refused drop place
  EXPECT_EQ(G->Cells(2, 1), "2");
  EXPECT_FALSE(dropsAsked.empty());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  drag(2, 5);
  EXPECT_EQ(G->Cells(5, 1), "2");
  int asked = 0;
  G->OnColumnMove = [&](TObject*, int ACol, bool& Allow) {
    ++asked;
    EXPECT_EQ(ACol, 1);
    Allow = false;
  };
  drag(1, 3);  // refused at the start
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(G->Cells(1, 1), "1");
}

TEST_F(GridMouse, EditOnDblClickOnlyOpensTheEditorOnADoubleClick) {
  G->MouseActions()->SetEditOnDblClickOnly(true);  // goEditing comes with the double click
  G->MouseActions()->SetDirectEdit(true);
  Click(CellCenter(2, 3));
  EXPECT_FALSE(G->EditorMode());
  DoubleClick(CellCenter(3, 4));
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ(G->Col(), 3);
  EXPECT_EQ(G->Row(), 4);
  // Finishing the edit takes editing away again.
  G->PostEditDone(3, 4);
  QApplication::processEvents();
  EXPECT_FALSE(G->EditorMode());
  EXPECT_FALSE(G->Options().contains(goEditing));
}

TEST_F(GridMouse, ARightClickOnALinkEditsItWithURLEdit) {
  G->SetOptions(G->Options() + goEditing);
  G->SetURLShow(true);
  G->SetCells(3, 4, "http://example.com");
  QTest::mouseClick(G->View(), Qt::RightButton, {}, CellCenter(3, 4));
  EXPECT_FALSE(G->EditorMode());
  G->SetURLEdit(true);
  QTest::mouseClick(G->View(), Qt::RightButton, {}, CellCenter(3, 4));
  EXPECT_TRUE(G->EditorMode());
  EXPECT_EQ(G->Col(), 3);
  EXPECT_EQ(G->Row(), 4);
}

TEST_F(GridMouse, RightClicksSelectRowsWithDisjunctRowSelect) {
  G->MouseActions()->SetSelectOnRightClick(true);
  G->MouseActions()->SetDisjunctRowSelect(true);
  QTest::mouseClick(G->View(), Qt::RightButton, {}, CellCenter(2, 3));
  QTest::mouseClick(G->View(), Qt::RightButton, {}, CellCenter(2, 6));
  EXPECT_FALSE(G->RowSelect(3));
  EXPECT_TRUE(G->RowSelect(6));
  QTest::mouseClick(G->View(), Qt::RightButton, Qt::ControlModifier, CellCenter(2, 8));
  EXPECT_TRUE(G->RowSelect(6));
  EXPECT_TRUE(G->RowSelect(8));
  EXPECT_EQ(G->Row(), 8);
}

TEST_F(GridMouse, CtrlWheelZooms) {
  const int w = G->ColWidths(2), h = G->RowHeights(3);
  const QPoint local = At(100, 100);
  QWheelEvent e(local, G->View()->mapToGlobal(local), QPoint(), QPoint(0, -WHEEL_DELTA), Qt::NoButton,
                Qt::ControlModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(G->View(), &e);
  EXPECT_EQ(G->ZoomFactor(), 1);
  EXPECT_EQ(G->ColWidths(2), w + 1);
  EXPECT_EQ(G->RowHeights(3), h + 1);
  EXPECT_EQ(G->Row(), 1);  // a zoom moves nothing
}

TEST_F(GridMouse, TheHandShowsOverLinksAndTheGridsCursorReturns) {
  G->SetURLShow(true);
  G->SetCursor(crCross);
  G->SetCells(2, 3, "http://example.com");
  QTest::mouseMove(G->View(), CellCenter(2, 3));
  EXPECT_EQ(G->Cursor(), crHandPoint);
  QTest::mouseMove(G->View(), CellCenter(3, 3));
  EXPECT_EQ(G->Cursor(), crCross);
  // A cursor set through the control itself stays too.
  static_cast<TControl*>(G)->SetCursor(crIBeam);
  QTest::mouseMove(G->View(), CellCenter(4, 3));
  EXPECT_EQ(G->Cursor(), crIBeam);
  QTest::mouseMove(G->View(), CellCenter(2, 3));
  QTest::mouseMove(G->View(), CellCenter(4, 4));
  EXPECT_EQ(G->Cursor(), crIBeam);
}

TEST(GridHints, UseHTMLHintsSwitchesTheProgramsHintWindow) {
  TProStringGrid g(nullptr);
  g.SetUseHTMLHints(true);
  ASSERT_TRUE(Application->HintWindowClass);
  std::unique_ptr<THintWindow> w(Application->HintWindowClass(nullptr));
  EXPECT_NE(dynamic_cast<THTMLHintWindow*>(w.get()), nullptr);
  g.SetUseHTMLHints(false);
  EXPECT_FALSE(Application->HintWindowClass);
}

TEST_F(GridMouse, CtrlClicksToggleDisjunctRows) {
  G->MouseActions()->SetDisjunctRowSelect(true);
  Click(CellCenter(2, 3));
  Click(CellCenter(2, 6), Qt::ControlModifier);
  Click(CellCenter(3, 8), Qt::ControlModifier);
  EXPECT_TRUE(G->RowSelect(3));
  EXPECT_TRUE(G->RowSelect(6));
  EXPECT_TRUE(G->RowSelect(8));
  EXPECT_EQ(G->RowSelectCount(), 3);
  Click(CellCenter(4, 6), Qt::ControlModifier);  // a selected row: deselected
  EXPECT_FALSE(G->RowSelect(6));
  EXPECT_EQ(G->RowSelectCount(), 2);
  Click(CellCenter(2, 10));  // a plain click starts again
  EXPECT_EQ(G->RowSelectCount(), 1);
  EXPECT_TRUE(G->RowSelect(10));
}

TEST_F(GridMouse, TheFilterListOpensOnTheFilterGlyphOnly) {
  G->SetFilterDropDownAuto(true);
  G->SetCells(2, 1, "pear");
  G->SetCells(2, 2, "apple");
  G->SetCells(2, 3, "pear");
  const TRect hr = G->CellRect(2, 0);
  Click(CellCenter(2, 0));  // the middle of the header: no list
  EXPECT_FALSE(G->DropList()->Visible());
  Click(At(hr.Right - 10, hr.Top + 5));
  ASSERT_TRUE(G->DropList()->Visible());
  EXPECT_TRUE(G->DropList()->Items()->IndexOf("apple") >= 0);
  EXPECT_TRUE(G->DropList()->Items()->IndexOf("pear") >= 0);
  EXPECT_EQ(G->DropList()->Top(), hr.Top + 16);
  EXPECT_EQ(G->DropList()->Width(), G->FilterDropDown()->Width());
  // A second release in the same column does not open it again.
  Click(At(hr.Right - 9, hr.Top + 5));
  EXPECT_FALSE(G->DropList()->Visible());
}

TEST_F(GridMouse, MiddleButtonPanningStepsTowardsThePointerAndAKeyEndsIt) {
  G->SetShowHint(true);
  G->SetCursor(crCross);
  const TRect r = G->CellRect(2, 5);
  const TPoint origin{r.Left + 5, r.Top + 5};
  QTest::mousePress(G->View(), Qt::MiddleButton, {}, At(origin.X, origin.Y));
  QTest::mouseRelease(G->View(), Qt::MiddleButton, {}, At(origin.X, origin.Y));
  ASSERT_TRUE(G->Panning());
  EXPECT_FALSE(G->ShowHint());
  // Within 5 pixels nothing moves; below it the current row follows.
  Mouse->SetCursorPos(G->ClientToScreen(TPoint{origin.X, origin.Y + 5}));
  if (G->ScreenToClient(Mouse->CursorPos()).Y != origin.Y + 5) GTEST_SKIP() << "no pointer to place here";
  G->Perform(WM_TIMER, 999, 0);
  EXPECT_EQ(G->Row(), 1);
  Mouse->SetCursorPos(G->ClientToScreen(TPoint{origin.X, origin.Y + 30}));
  G->Perform(WM_TIMER, 999, 0);
  G->Perform(WM_TIMER, 999, 0);
  EXPECT_EQ(G->Row(), 3);
  EXPECT_EQ(G->Cursor(), crSizeNS);
  // Only vertically by default.
  Mouse->SetCursorPos(G->ClientToScreen(TPoint{origin.X + 40, origin.Y}));
  G->Perform(WM_TIMER, 999, 0);
  EXPECT_EQ(G->Col(), 1);
  QTest::keyClick(G->View(), Qt::Key_Shift);
  EXPECT_FALSE(G->Panning());
  EXPECT_EQ(G->Cursor(), crCross);
  EXPECT_TRUE(G->ShowHint());
  // With ipNone the middle button pans nothing.
  G->SetIntelliPan(TProStringGrid::ipNone);
  QTest::mousePress(G->View(), Qt::MiddleButton, {}, At(origin.X, origin.Y));
  QTest::mouseRelease(G->View(), Qt::MiddleButton, {}, At(origin.X, origin.Y));
  EXPECT_FALSE(G->Panning());
}
