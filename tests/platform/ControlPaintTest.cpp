// Painting into back buffers, alignment and anchors, native widgets behind the
// message road, the clipboard, hints and pop-up menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

#include "ControlTestSupport.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"

namespace {

QColor PixelOf(TWinControl* c, int x, int y) {
  QImage* img = c->BackBuffer();
  if (img == nullptr) return QColor();
  return img->pixelColor(x, y);
}

// Paints a red square at (2, 2, 8, 8) and counts its paints.
class TSquare : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(TRect(2, 2, 8, 8));
  }
};

// ---------------------------------------------------------------- painting

TEST(ControlPainting, PaintDrawsIntoTheBackBufferOverTheErasedBackground) {
  TShownForm f;
  auto* s = new TSquare(f.Form);
  s->SetParent(f.Form);
  s->SetBounds(10, 10, 20, 20);
  s->SetColor(clLime);
  f.Show();
  s->Repaint();
  EXPECT_GE(s->Paints, 1);
  EXPECT_EQ(PixelOf(s, 3, 3), QColor(Qt::red));
  EXPECT_EQ(PixelOf(s, 15, 15), QColor(Qt::green));
  EXPECT_EQ(PixelOf(s, 8, 8), QColor(Qt::green));  // FillRect leaves out right and bottom

  // Drawing on the canvas outside Paint lands in the buffer at once.
  const int paints = s->Paints;
  s->Canvas()->SetPixels(15, 15, clBlue);
  EXPECT_EQ(PixelOf(s, 15, 15), QColor(Qt::blue));
  QCoreApplication::processEvents();
  EXPECT_EQ(s->Paints, paints);  // showing it did not paint again
  EXPECT_EQ(PixelOf(s, 15, 15), QColor(Qt::blue));

  // A colour change repaints.
  s->SetColor(clYellow);
  s->Update();
  EXPECT_EQ(PixelOf(s, 15, 15), QColor(Qt::yellow));
}

// Counts the paint events a widget receives.
class TPaintEventCounter : public QObject {
 public:
  int Paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* E) override {
    if (E->type() == QEvent::Paint) ++Paints;
    return false;
  }
};

// Asking for the canvas is no drawing: it schedules no refresh of the widget.
// Drawing on it outside Paint does, so that what was drawn shows.
TEST(ControlPainting, CanvasGetterSchedulesNoRepaintDrawingDoes) {
  TShownForm f;
  auto* s = new TSquare(f.Form);
  s->SetParent(f.Form);
  s->SetBounds(10, 10, 20, 20);
  f.Show();
  s->Repaint();
  QCoreApplication::processEvents();
  TPaintEventCounter counter;
  s->View()->installEventFilter(&counter);
  for (int i = 0; i < 3; ++i) (void)s->Canvas();
  (void)s->Canvas()->Brush();
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.Paints, 0);

  s->Canvas()->SetPixels(15, 15, clBlue);
  EXPECT_TRUE(QTest::qWaitFor([&] { return counter.Paints > 0; }, 2000));
  const int afterPixel = counter.Paints;
  s->Canvas()->Brush()->SetColor(clBlue);
  s->Canvas()->FillRect(TRect(0, 0, 3, 3));
  EXPECT_TRUE(QTest::qWaitFor([&] { return counter.Paints > afterPixel; }, 2000));
  s->View()->removeEventFilter(&counter);
}

// A paint that throws is ended all the same: the error box shows, the canvas is
// unlocked and draws outside a paint again, and the next paint runs as usual.
TEST(ControlPainting, AFailingPaintLeavesTheControlPaintable) {
  struct TFailing : TSquare {
    using TSquare::TSquare;
    bool Fail = false;

   protected:
    void Paint() override {
      if (Fail) {
        Fail = false;
        ++Paints;
        throw Exception(QStringLiteral("Paint failed"));
      }
      TSquare::Paint();
    }
  };
  TShownForm f;
  auto* s = new TFailing(f.Form);
  s->SetParent(f.Form);
  s->SetBounds(10, 10, 20, 20);
  s->SetColor(clLime);
  f.Show();
  s->Repaint();
  TDialogRecorder dialogs;
  dialogs.Answer(IDOK);
  s->Fail = true;
  const int paints = s->Paints;
  s->Invalidate();
  s->Update();
  EXPECT_EQ(s->Paints, paints + 1);
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].Text, "Paint failed.");
  EXPECT_EQ(s->Canvas()->LockCount(), 0);
  s->Canvas()->SetPixels(15, 15, clBlue);
  EXPECT_EQ(PixelOf(s, 15, 15), QColor(Qt::blue));
  s->Invalidate();
  s->Update();
  EXPECT_EQ(s->Paints, paints + 2);
  EXPECT_EQ(PixelOf(s, 3, 3), QColor(Qt::red));
  EXPECT_EQ(PixelOf(s, 15, 15), QColor(Qt::green));
}

TEST(ControlPainting, FrameAndInvalidRectangles) {
  struct TFramed : TSquare {
    using TSquare::TSquare;
    void CreateParams(TCreateParams& P) override {
      TSquare::CreateParams(P);
      P.ExStyle |= WS_EX_CLIENTEDGE;
    }
  };
  TShownForm f;
  auto* s = new TFramed(f.Form);
  s->SetParent(f.Form);
  s->SetBounds(10, 10, 30, 30);
  s->SetColor(clWhite);
  f.Show();
  s->PaintNow();
  EXPECT_EQ(s->ClientWidth(), 26);
  // The client area starts inside the 2-pixel edge: the square is at 4..9 in the window.
  EXPECT_EQ(PixelOf(s, 4, 4), QColor(Qt::red));
  EXPECT_EQ(PixelOf(s, 2, 2), QColor(Qt::white));
  EXPECT_NE(PixelOf(s, 0, 0), QColor(Qt::white));  // the edge
  // Only the invalid part is painted (the clip of the paint).
  s->Canvas()->SetPixels(20, 20, clBlue);
  s->InvalidateRect(TRect(0, 0, 10, 10));
  s->Update();
  EXPECT_EQ(PixelOf(s, 22, 22), QColor(Qt::blue));
  s->Invalidate();
  s->Update();
  EXPECT_EQ(PixelOf(s, 22, 22), QColor(Qt::white));
  // WM_SETREDRAW off: nothing is painted until it is on again.
  const int paints = s->Paints;
  s->Perform(WM_SETREDRAW, 0);
  s->Repaint();
  EXPECT_EQ(s->Paints, paints);
  s->Perform(WM_SETREDRAW, 1);
  s->Repaint();
  EXPECT_EQ(s->Paints, paints + 1);
}

TEST(ControlPainting, GraphicControlsPaintOnTheirParent) {
  struct TMark : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    void Paint() override {
      Canvas()->Brush()->SetColor(clBlue);
      Canvas()->FillRect(TRect(0, 0, 4, 4));
    }
  };
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 50, 50);
  form.SetColor(clWhite);
  auto* m = new TMark(&form);
  m->SetParent(&form);
  m->SetBounds(10, 10, 10, 10);
  const QImage img = GrabControl(&form);
  EXPECT_EQ(img.pixelColor(11, 11), QColor(Qt::blue));
  EXPECT_EQ(img.pixelColor(16, 16), QColor(Qt::white));  // transparent where it did not paint
}

// ---------------------------------------------------------------- layout

TEST(ControlLayout, AlignedControlsShareTheClientArea) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 300, 200);
  auto make = [&](TAlign a, int l, int t, int w, int h) {
    auto* c = new TCustomControl(&form);
    c->SetParent(&form);
    c->SetBounds(l, t, w, h);
    c->SetAlign(a);
    return c;
  };
  TControl* top2 = make(alTop, 0, 50, 10, 20);
  TControl* top1 = make(alTop, 0, 0, 10, 30);
  TControl* bottom = make(alBottom, 0, 0, 10, 25);
  TControl* left = make(alLeft, 0, 0, 40, 10);
  TControl* right = make(alRight, 0, 0, 60, 10);
  TControl* client = make(alClient, 0, 0, 1, 1);
  EXPECT_EQ(top1->BoundsRect(), TRect(0, 0, 300, 30));
  EXPECT_EQ(top2->BoundsRect(), TRect(0, 30, 300, 50));
  EXPECT_EQ(bottom->BoundsRect(), TRect(0, 175, 300, 200));
  EXPECT_EQ(left->BoundsRect(), TRect(0, 50, 40, 175));
  EXPECT_EQ(right->BoundsRect(), TRect(240, 50, 300, 175));
  EXPECT_EQ(client->BoundsRect(), TRect(40, 50, 240, 175));
  form.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(client->BoundsRect(), TRect(40, 50, 340, 275));
  top1->SetVisible(false);
  EXPECT_EQ(top2->BoundsRect(), TRect(0, 0, 400, 20));
}

TEST(ControlLayout, AnchorsKeepDistancesOrStretch) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 300, 200);
  auto* br = new TCustomControl(&form);
  br->SetParent(&form);
  br->SetBounds(200, 150, 80, 30);
  br->SetAnchors(TAnchors{akRight, akBottom});
  auto* wide = new TCustomControl(&form);
  wide->SetParent(&form);
  wide->SetBounds(10, 10, 280, 20);
  wide->SetAnchors(TAnchors{akLeft, akTop, akRight});
  auto* fixed = new TCustomControl(&form);
  fixed->SetParent(&form);
  fixed->SetBounds(10, 40, 50, 20);
  form.SetBounds(0, 0, 400, 260);
  EXPECT_EQ(br->BoundsRect(), TRect(300, 210, 380, 240));
  EXPECT_EQ(wide->BoundsRect(), TRect(10, 10, 390, 30));
  EXPECT_EQ(fixed->BoundsRect(), TRect(10, 40, 60, 60));
  // Constraints limit what the layout asks for.
  wide->Constraints()->SetMaxWidth(300);
  form.SetBounds(0, 0, 500, 260);
  EXPECT_EQ(wide->Width(), 300);
}

TEST(ControlLayout, FormSizesIncludeTheFrame) {
  TForm form(nullptr);
  form.SetBorderStyle(bsSingle);
  form.SetClientWidth(694);
  form.SetClientHeight(440);
  EXPECT_EQ(form.ClientWidth(), 694);
  EXPECT_EQ(form.ClientHeight(), 440);
  EXPECT_EQ(form.Width(), 700);
  EXPECT_EQ(form.Height(), 465);
  EXPECT_EQ(form.View()->size(), QSize(694, 440));
  form.SetBorderStyle(bsNone);
  EXPECT_EQ(form.ClientWidth(), 694);
  EXPECT_EQ(form.Width(), 694);
}

TEST(ControlLayout, ParentColorAndFontFollowTheParent) {
  TForm form(nullptr);
  form.SetColor(clAqua);
  form.Font()->SetName(QStringLiteral("Verdana"));
  auto* c = new TCustomControl(&form);
  c->SetParent(&form);
  EXPECT_EQ(c->Color(), clAqua);
  EXPECT_EQ(c->Font()->Name(), "Verdana");
  form.SetColor(clRed);
  form.Font()->SetHeight(-20);
  EXPECT_EQ(c->Color(), clRed);
  EXPECT_EQ(c->Font()->Height(), -20);
  c->SetColor(clBlue);
  EXPECT_FALSE(c->ParentColor());
  form.SetColor(clGreen);
  EXPECT_EQ(c->Color(), clBlue);
  c->SetParentColor(true);
  EXPECT_EQ(c->Color(), clGreen);
}

// ---------------------------------------------------------------- native widgets

// A control that wraps a Qt line edit, as the standard controls do.
class TLineEditControl : public TWinControl {
 public:
  explicit TLineEditControl(TComponent* Owner) : TWinControl(Owner) {
    Edit = new QLineEdit();
    SetNativeWidget(Edit);
    SetTabStop(true);
  }
  QLineEdit* Edit;

 protected:
  void WMGetDlgCode(TMessageView& M) override { M.Result = DLGC_WANTCHARS | DLGC_WANTARROWS; }
};

TEST(NativeWidget, KeysPassTheHandlersBeforeTheWidget) {
  TShownForm f;
  auto* e = new TLineEditControl(f.Form);
  e->SetParent(f.Form);
  e->SetBounds(10, 10, 150, 24);
  f.Show();
  e->SetFocus();
  e->OnKeyPress = [](TObject*, QChar& c) {
    if (c == QLatin1Char('a')) c = QLatin1Char('b');
    if (c == QLatin1Char('x')) c = QChar(0);
  };
  QTest::keyClicks(e->Edit, QStringLiteral("axc"));
  EXPECT_EQ(e->Edit->text(), "bc");
  QTest::keyClick(e->Edit, Qt::Key_Left);
  QTest::keyClick(e->Edit, Qt::Key_Backspace);
  EXPECT_EQ(e->Edit->text(), "c");
  int keyDowns = 0;
  e->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
    ++keyDowns;
    if (k == VK_END) k = 0;  // the widget never sees End
  };
  QTest::keyClick(e->Edit, Qt::Key_End);
  QTest::keyClick(e->Edit, Qt::Key_Z);
  EXPECT_EQ(keyDowns, 2);
  EXPECT_EQ(e->Edit->text(), "zc");
  // A click on the widget reaches the control's handlers and focuses the control.
  auto* other = new TProbe(f.Form, f.Form, QStringLiteral("O"), nullptr);
  other->SetBounds(10, 50, 50, 20);
  other->SetFocus();
  int downs = 0;
  e->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  QTest::mouseClick(e->Edit, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(downs, 1);
  EXPECT_TRUE(e->Focused());
}

// ---------------------------------------------------------------- clipboard

TEST(ClipboardAccess, TextAndRegisteredFormats) {
  const Word cells = RegisterClipboardFormat(QStringLiteral("TProStringGrid Cells"));
  EXPECT_GE(cells, 0xC000);
  EXPECT_EQ(RegisterClipboardFormat(QStringLiteral("TProStringGrid Cells")), cells);
  EXPECT_EQ(ClipboardFormatName(cells), "TProStringGrid Cells");

  Clipboard()->SetAsText(QStringLiteral("A\tB"));
  EXPECT_EQ(Clipboard()->AsText(), "A\tB");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_FALSE(Clipboard()->HasFormat(cells));

  Clipboard()->Open();
  Clipboard()->SetAsText(QStringLiteral("1\t2"));
  Clipboard()->SetAsHandle(cells, QByteArray("\x01\x02\x00\x03", 4));
  Clipboard()->Close();
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  ASSERT_TRUE(Clipboard()->HasFormat(cells));
  EXPECT_EQ(Clipboard()->GetAsHandle(cells), QByteArray("\x01\x02\x00\x03", 4));
  EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat("application/x-zidi-TProStringGrid Cells"));
  EXPECT_EQ(Clipboard()->FormatCount(), 2);

  // Outside Open/Close each setting replaces the whole content.
  Clipboard()->SetAsText(QStringLiteral("only text"));
  EXPECT_FALSE(Clipboard()->HasFormat(cells));
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

// A clipboard object owns what it collects while open: destroyed before its
// last Close it frees that (the leak checker of the sanitizer build sees it)
// and leaves the system clipboard as it was; a new Open starts afresh.
TEST(ClipboardAccess, CollectedDataIsOwnedUntilTheLastClose) {
  Clipboard()->SetAsText(QStringLiteral("kept"));
  {
    TClipboard board;
    board.Open();
    board.SetAsText(QStringLiteral("never committed"));
    board.Open();
    board.SetAsText(QStringLiteral("still collected"));
    board.Close();
  }
  EXPECT_EQ(Clipboard()->AsText(), "kept");
  TClipboard board;
  board.Open();
  board.SetAsText(QStringLiteral("dropped"));
  board.Close();
  board.Close();  // one Close too many changes nothing
  EXPECT_EQ(Clipboard()->AsText(), "dropped");
  board.Open();
  board.Clear();
  board.Close();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
}

// ---------------------------------------------------------------- hints

TEST(ControlHints, ShowAfterThePauseWithTheShortHintAndGoOnInput) {
  TShownForm f;
  auto* c = new TProbe(f.Form, f.Form, QStringLiteral("C"), nullptr);
  c->SetBounds(10, 10, 80, 30);
  c->SetHint(QStringLiteral("Create a new configuration|for the device"));
  c->SetShowHint(true);
  f.Show();
  Application->SetHintPause(20);
  QTest::mouseMove(c->View(), QPoint(5, 5));
  EXPECT_EQ(Application->Hint(), "for the device");
  EXPECT_TRUE(QTest::qWaitFor([] { return Application->HintWindow() != nullptr; }, 2000));
  EXPECT_EQ(Application->HintWindow()->Caption(), "Create a new configuration");
  EXPECT_TRUE(Application->HintWindow()->View()->isVisible());
  QTest::mouseClick(c->View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(Application->HintWindow(), nullptr);
  Application->CancelHint();

  // CM_HINTSHOW may change the text; a control with ShowHint off shows none.
  struct TCellHints : TProbe {
    using TProbe::TProbe;
    void CMHintShow(TCMHintShow& M) override {
      M.HintInfo()->HintStr = QStringLiteral("cell %1").arg(M.HintInfo()->CursorPos.X / 10);
      M.Result = 0;
    }
  };
  auto* g = new TCellHints(f.Form, f.Form, QStringLiteral("G"), nullptr);
  g->SetBounds(10, 100, 100, 30);
  g->SetHint(QStringLiteral("grid"));
  g->SetShowHint(true);
  QTest::mouseMove(g->View(), QPoint(35, 5));
  EXPECT_TRUE(QTest::qWaitFor([] { return Application->HintWindow() != nullptr; }, 2000));
  EXPECT_EQ(Application->HintWindow()->Caption(), "cell 3");
  Application->CancelHint();
  c->SetShowHint(false);
  QTest::mouseMove(c->View(), QPoint(6, 6));
  QTest::qWait(80);
  EXPECT_EQ(Application->HintWindow(), nullptr);
  Application->SetHintPause(500);
}

// ---------------------------------------------------------------- pop-up menus

TEST(PopupMenus, RightClickPopsUpTheControlsMenuAndRunsTheChosenItem) {
  TShownForm f;
  auto* c = new TProbe(f.Form, f.Form, QStringLiteral("C"), nullptr);
  c->SetBounds(10, 10, 80, 30);
  auto* menu = new TPopupMenu(f.Form);
  auto* copy = new TMenuItem(f.Form);
  copy->SetCaption(QStringLiteral("&Copy"));
  bool copied = false;
  copy->OnClick = [&](TObject*) { copied = true; };
  menu->Items()->Add(copy);
  c->SetPopupMenu(menu);
  f.Show();
  TPoint at;
  TestHooks::SetPopupMenuHook([&](TPopupMenu* m, int x, int y) -> TMenuItem* {
    at = TPoint(x, y);
    EXPECT_EQ(m->PopupComponent(), c);
    return m->Items()->Items(0);
  });
  QTest::mouseClick(c->View(), Qt::RightButton, {}, QPoint(4, 5));
  TestHooks::SetPopupMenuHook(nullptr);
  EXPECT_TRUE(copied);
  EXPECT_EQ(at, c->ClientToScreen(TPoint(4, 5)));
  delete copy;  // leaves the menu
  EXPECT_EQ(menu->Items()->Count(), 0);
  delete menu;
  EXPECT_EQ(c->PopupMenu(), nullptr);
}

}  // namespace
