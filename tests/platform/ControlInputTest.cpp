// Synthetic key and mouse input takes the road of real input (Qt event ->
// message -> handlers -> events) and the events come in the framework's order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

#include "ControlTestSupport.h"
#include "platform/ui/TestHooks.h"
#include "platform/ui/WinApi.h"

namespace {

class ControlKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    A = new TProbe(F.Form, F.Form, QStringLiteral("A"), &Log);
    A->SetBounds(10, 10, 100, 30);
    B = new TProbe(F.Form, F.Form, QStringLiteral("B"), &Log);
    B->SetBounds(10, 50, 100, 30);
    F.Show();
    A->SetFocus();
    Log.clear();
  }
  TShownForm F;
  QStringList Log;
  TProbe* A = nullptr;
  TProbe* B = nullptr;
};

TEST_F(ControlKeys, KeyDownPressUpInOrder) {
  QTest::keyClick(A->View(), Qt::Key_A);
  EXPECT_EQ(Log, QStringList({"A: KeyDown 65", "A: KeyPress a", "A: KeyUp 65"}));
}

TEST_F(ControlKeys, KeysGoToTheFocusedControlWhereverQtSendsThem) {
  QTest::keyClick(F.Form->View(), Qt::Key_B);
  EXPECT_EQ(Log, QStringList({"A: KeyDown 66", "A: KeyPress b", "A: KeyUp 66"}));
}

TEST_F(ControlKeys, KeyPreviewLetsTheFormChangeOrSwallowKeysFirst) {
  F.Form->SetKeyPreview(true);
  F.Form->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
    Log << QStringLiteral("Form: KeyDown %1").arg(k);
    if (k == 'X') k = 0;  // swallowed: the control never sees it
  };
  F.Form->OnKeyPress = [&](TObject*, QChar& c) {
    Log << QStringLiteral("Form: KeyPress %1").arg(c);
    if (c == QLatin1Char('x')) c = QLatin1Char('y');  // changed for the control
  };
  QTest::keyClick(A->View(), Qt::Key_X);
  // The character still comes after a swallowed key down, as in the framework.
  EXPECT_EQ(Log, QStringList({"Form: KeyDown 88", "Form: KeyPress x", "A: KeyPress y", "A: KeyUp 88"}));
}

TEST_F(ControlKeys, ZeroKeyPressStopsTheCharacter) {
  int chars = 0;
  A->OnKeyPress = [&](TObject*, QChar& c) {
    ++chars;
    c = QChar(0);
  };
  // A control behind A in the chain would see nothing; here the form's preview
  // runs first and sees the character before it is swallowed.
  F.Form->SetKeyPreview(true);
  QStringList formChars;
  F.Form->OnKeyPress = [&](TObject*, QChar& c) { formChars << QString(c); };
  QTest::keyClick(A->View(), Qt::Key_Q);
  EXPECT_EQ(chars, 1);
  EXPECT_EQ(formChars, QStringList({"q"}));
}

TEST_F(ControlKeys, KeyStateAndKeyDataAtHandlingTime) {
  SmallInt shiftInHandler = 0;
  TShiftState shift;
  A->OnKeyDown = [&](TObject*, Word& k, TShiftState s) {
    if (k == 'A') {
      shiftInHandler = GetKeyState(VK_SHIFT);
      shift = s;
    }
  };
  QTest::keyClick(A->View(), Qt::Key_A, Qt::ShiftModifier);
  EXPECT_LT(shiftInHandler, 0);
  EXPECT_TRUE(shift.contains(ssShift));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // released again

  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    Word vk;
    bool extended;
  };
  const Case cases[] = {
      {Qt::Key_Return, Qt::NoModifier, VK_RETURN, false},
      {Qt::Key_Enter, Qt::KeypadModifier, VK_RETURN, true},
      {Qt::Key_Left, Qt::NoModifier, VK_LEFT, true},
      {Qt::Key_Left, Qt::KeypadModifier, VK_LEFT, false},
      {Qt::Key_5, Qt::KeypadModifier, VK_NUMPAD5, false},
      {Qt::Key_Delete, Qt::NoModifier, VK_DELETE, true},
      {Qt::Key_F5, Qt::NoModifier, VK_F5, false},
  };
  A->DlgCode = DLGC_WANTALLKEYS | DLGC_WANTARROWS;
  for (const Case& c : cases) {
    Word seen = 0;
    int32_t data = 0;
    A->OnKeyDown = [&](TObject*, Word& k, TShiftState) { seen = k; };
    // The key data is checked through a subclassed window procedure.
    TWndMethod old = A->WindowProc;
    A->WindowProc = [&](TMessage& m) {
      if (m.Msg == WM_KEYDOWN) data = static_cast<int32_t>(m.LParam);
      old(m);
    };
    QTest::keyClick(A->View(), c.key, c.mods);
    A->WindowProc = old;
    EXPECT_EQ(seen, c.vk) << c.key;
    EXPECT_EQ((data & 0x01000000) != 0, c.extended) << c.key;
    EXPECT_EQ(data & 0xFFFF, 1) << "repeat count";
  }
}

TEST_F(ControlKeys, AltCombinationsComeAsSystemKeys) {
  QList<UINT> msgs;
  TWndMethod old = A->WindowProc;
  A->WindowProc = [&](TMessage& m) {
    if (m.Msg >= WM_KEYFIRST && m.Msg <= WM_KEYLAST && m.WParam != VK_MENU) msgs << m.Msg;
    old(m);
  };
  QTest::keyClick(A->View(), Qt::Key_K, Qt::AltModifier);
  A->WindowProc = old;
  EXPECT_EQ(msgs, QList<UINT>({WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}));
}

TEST_F(ControlKeys, DialogKeysReachTheFormUnlessTheControlWantsThem) {
  B->TakesDialogKeys = {VK_ESCAPE};
  QTest::keyClick(A->View(), Qt::Key_Escape);
  // The cancel-like control took Escape: no key down or character reached A.
  EXPECT_EQ(Log, QStringList({"B: DialogKey 27", "A: KeyUp 27"}));

  Log.clear();
  A->DlgCode = DLGC_WANTALLKEYS;
  QTest::keyClick(A->View(), Qt::Key_Escape);
  EXPECT_EQ(Log, QStringList({"A: KeyDown 27", "A: KeyPress \x1b", "A: KeyUp 27"}));
}

TEST_F(ControlKeys, TabMovesTheFocusAndFiresExitThenEnter) {
  QTest::keyClick(A->View(), Qt::Key_Tab);
  EXPECT_EQ(Log, QStringList({"A: Exit", "B: Enter", "B: KeyUp 9"}));
  EXPECT_TRUE(B->Focused());
  Log.clear();
  QTest::keyClick(B->View(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(A->Focused());
}

TEST_F(ControlKeys, ArrowsMoveTheFocusLikeTheFrameworkDialogs) {
  QTest::keyClick(A->View(), Qt::Key_Down);
  EXPECT_TRUE(B->Focused());
  A->DlgCode = DLGC_WANTARROWS;
  A->SetFocus();
  QTest::keyClick(A->View(), Qt::Key_Down);
  EXPECT_TRUE(A->Focused());
}

TEST_F(ControlKeys, AcceleratorsThroughDialogChar) {
  B->SetCaption(QStringLiteral("&Save"));
  QTest::keyClick(A->View(), Qt::Key_S, Qt::AltModifier);
  EXPECT_TRUE(Log.contains("B: Accel s"));
  EXPECT_TRUE(Log.contains("B: Click"));
  Log.clear();
  // A plain letter is an accelerator too while the focused control takes no characters.
  QTest::keyClick(A->View(), Qt::Key_S);
  EXPECT_TRUE(Log.contains("B: Accel s"));
  EXPECT_FALSE(Log.contains("A: KeyPress s"));
  Log.clear();
  A->DlgCode = DLGC_WANTCHARS;
  QTest::keyClick(A->View(), Qt::Key_S);
  EXPECT_FALSE(Log.contains("B: Accel s"));
  EXPECT_TRUE(Log.contains("A: KeyPress s"));
  EXPECT_FALSE(IsAccel('a', QStringLiteral("R&&D")));
  EXPECT_TRUE(IsAccel('d', QStringLiteral("R&&&D")));
}

TEST_F(ControlKeys, ClaimedKeyDownGoesNoFurther) {
  struct TClaimer : TProbe {
    using TProbe::TProbe;
    void CNKeyDown(TWMKey& M) override {
      if (M.CharCode() == VK_RETURN) {
        Add(QStringLiteral("CN_KEYDOWN"));
        M.Result = 1;
        return;
      }
      TProbe::CNKeyDown(M);
    }
  };
  auto* c = new TClaimer(F.Form, F.Form, QStringLiteral("C"), &Log);
  c->SetBounds(10, 100, 50, 20);
  c->SetFocus();
  Log.clear();
  QTest::keyClick(c->View(), Qt::Key_Return);
  EXPECT_EQ(Log, QStringList({"C: CN_KEYDOWN", "C: KeyUp 13"}));
}

// ---------------------------------------------------------------- mouse

class ControlMouse : public ControlKeys {};

TEST_F(ControlMouse, ClickOrderAndCapture) {
  bool captured = false;
  auto down = A->OnMouseDown;
  A->OnMouseDown = [&](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    captured = GetCaptureControl() == A;
    down(s, b, sh, x, y);
  };
  QTest::mouseClick(A->View(), Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_TRUE(captured);
  EXPECT_EQ(GetCaptureControl(), nullptr);
  EXPECT_TRUE(Log.contains("A: MouseDown 0 5,6"));
  const int down_ = Log.indexOf("A: MouseDown 0 5,6");
  const int click = Log.indexOf("A: Click");
  const int up = Log.indexOf("A: MouseUp 0 5,6");
  ASSERT_GE(down_, 0);
  EXPECT_LT(down_, click);
  EXPECT_LT(click, up);
}

TEST_F(ControlMouse, ReleaseOutsideGoesToTheCapturingControlWithoutClick) {
  QTest::mousePress(A->View(), Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseMove(B->View(), QPoint(5, 5));
  QTest::mouseRelease(B->View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(Log.contains("A: Click"));
  EXPECT_FALSE(Log.contains("B: MouseUp 0 5,5"));
  // A saw the release in its own coordinates (40 pixels further down).
  EXPECT_TRUE(Log.contains("A: MouseUp 0 5,45"));
}

TEST_F(ControlMouse, DoubleClicksFollowTheControlStyle) {
  // Qt hands a widget press, release, double click, release; QTest sends the
  // double click alone, so the release follows by hand.
  QTest::mouseDClick(A->View(), Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseRelease(A->View(), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_TRUE(Log.contains("A: DblClick"));
  EXPECT_TRUE(Log.contains("A: MouseDown 0 3,3 dbl"));
  Log.clear();
  B->SetControlStyle(B->ControlStyle() - TControlStyle{csDoubleClicks});
  QTest::mouseDClick(B->View(), Qt::LeftButton, {}, QPoint(3, 3));
  QTest::mouseRelease(B->View(), Qt::LeftButton, {}, QPoint(3, 3));
  EXPECT_FALSE(Log.contains("B: DblClick"));
  EXPECT_TRUE(Log.contains("B: MouseDown 0 3,3"));
  EXPECT_TRUE(Log.contains("B: Click"));
}

TEST_F(ControlMouse, EnterAndLeaveFollowThePointer) {
  QTest::mouseMove(A->View(), QPoint(5, 5));
  QTest::mouseMove(B->View(), QPoint(5, 5));
  QTest::mouseMove(F.Form->View(), QPoint(300, 250));
  QStringList hover;
  for (const QString& s : Log)
    if (s.contains("Mouse") && (s.contains("Enter") || s.contains("Leave"))) hover << s;
  EXPECT_EQ(hover, QStringList({"A: MouseEnter", "A: MouseLeave", "B: MouseEnter", "B: MouseLeave"}));
}

TEST_F(ControlMouse, RightButtonAsksForTheContextMenu) {
  TPoint at;
  A->OnContextPopup = [&](TObject*, TPoint p, bool& handled) {
    Log << "A: ContextPopup";
    at = p;
    handled = true;
  };
  QTest::mouseClick(A->View(), Qt::RightButton, {}, QPoint(7, 8));
  EXPECT_EQ(at, TPoint(7, 8));
  EXPECT_LT(Log.indexOf("A: ContextPopup"), Log.indexOf("A: MouseUp 1 7,8"));
}

TEST_F(ControlMouse, WheelGoesToTheFocusedControlThenUpItsParents) {
  QStringList wheel;
  A->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    wheel << QStringLiteral("A %1").arg(delta);
    handled = false;
  };
  F.Form->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
    wheel << QStringLiteral("Form %1").arg(delta);
    handled = true;
  };
  const QPoint local(5, 5);
  const QPoint global = B->View()->mapToGlobal(local);
  QWheelEvent e(local, global, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(B->View(), &e);
  EXPECT_EQ(wheel, QStringList({"A -120", "Form -120"}));
}

TEST_F(ControlMouse, DisabledControlsTakeNoClicks) {
  A->SetEnabled(false);
  QTest::mouseClick(A->View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(Log.contains("A: Click"));
}

// ---------------------------------------------------------------- messages

class ControlMessages : public ControlKeys {};

TEST_F(ControlMessages, PostedMessagesComeAfterPerformedOnes) {
  const UINT msg = RegisterWindowMessage(QStringLiteral("ProbeMessage"));
  EXPECT_GE(msg, 0xC000u);
  EXPECT_EQ(RegisterWindowMessage(QStringLiteral("probemessage")), msg);
  EXPECT_NE(RegisterWindowMessage(QStringLiteral("OtherMessage")), msg);
  QStringList order;
  TWndMethod old = A->WindowProc;
  A->WindowProc = [&](TMessage& m) {
    if (m.Msg == msg) {
      order << QString::number(m.WParam);
      m.Result = static_cast<LRESULT>(m.WParam * 10);
      return;
    }
    old(m);
  };
  EXPECT_TRUE(PostMessage(A->Handle(), msg, 1, 0));
  EXPECT_EQ(A->Perform(msg, 2), 20);
  EXPECT_EQ(SendMessage(A->Handle(), msg, 3, 0), 30);
  EXPECT_EQ(order, QStringList({"2", "3"}));
  QCoreApplication::processEvents();
  EXPECT_EQ(order, QStringList({"2", "3", "1"}));
  A->WindowProc = old;

  // A message posted to a window that is gone is dropped.
  HWND h = B->Handle();
  EXPECT_TRUE(PostMessage(h, msg, 4, 0));
  delete B;
  B = nullptr;
  QCoreApplication::processEvents();
  EXPECT_FALSE(PostMessage(h, msg, 5, 0));
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(ControlMessages, HandlersRunBeforeOrAfterTheDefaultHandling) {
  // A subclass handles CM_MOUSEENTER before the base (which fires OnMouseEnter).
  struct THot : TProbe {
    using TProbe::TProbe;
    void CMMouseEnter(TCMMouseEnterLeave& M) override {
      Add(QStringLiteral("own enter"));
      TProbe::CMMouseEnter(M);
    }
  };
  auto* h = new THot(F.Form, F.Form, QStringLiteral("H"), &Log);
  h->SetBounds(200, 10, 50, 50);
  h->Perform(CM_MOUSEENTER);
  EXPECT_EQ(Log, QStringList({"H: own enter", "H: MouseEnter"}));
}

TEST_F(ControlMessages, WindowTimersSendTheirIdentifier) {
  QList<WPARAM> ids;
  TWndMethod old = A->WindowProc;
  A->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_TIMER) ids << m.WParam;
    old(m);
  };
  EXPECT_EQ(SetTimer(A->Handle(), 7, 10), 7u);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ids.size() >= 2; }, 2000));
  EXPECT_TRUE(KillTimer(A->Handle(), 7));
  const auto seen = ids.size();
  QTest::qWait(40);
  EXPECT_EQ(ids.size(), seen);
  EXPECT_TRUE(ids.contains(7));
  EXPECT_FALSE(KillTimer(A->Handle(), 7));
  A->WindowProc = old;
}

TEST_F(ControlMessages, CaptureRoutesTheMouseAndReportsItsLoss) {
  QStringList lost;
  TWndMethod old = A->WindowProc;
  A->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_CAPTURECHANGED) lost << "A lost capture";
    old(m);
  };
  SetCapture(A->Handle());
  EXPECT_EQ(GetCapture(), A->Handle());
  EXPECT_TRUE(A->MouseCapture());
  // While A has the capture, a press over B goes to A, in A's coordinates.
  QTest::mousePress(B->View(), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_TRUE(Log.contains("A: MouseDown 0 4,44"));
  EXPECT_FALSE(Log.contains("B: MouseDown 0 4,4"));
  SetCapture(B->Handle());
  EXPECT_EQ(lost, QStringList({"A lost capture"}));
  ReleaseCapture();
  QTest::mouseRelease(B->View(), Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_EQ(GetCapture(), nullptr);
  A->WindowProc = old;
}

TEST_F(ControlMessages, WindowScrollBarsSendScrollMessages) {
  QList<int> codes;
  TWndMethod old = A->WindowProc;
  A->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_VSCROLL) codes << LoWord(m.WParam);
    old(m);
  };
  const int widthBefore = A->ClientWidth();
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 0;
  SetScrollInfo(A->Handle(), SB_VERT, si, true);
  EXPECT_EQ(A->ClientWidth(), widthBefore - GetSystemMetrics(SM_CXVSCROLL));
  auto* bar = A->View()->findChild<QScrollBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->isVisible());
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(codes, QList<int>({SB_LINEDOWN}));
  // The program moves the thumb; the bar itself stays where the program put it.
  EXPECT_EQ(GetScrollPos(A->Handle(), SB_VERT), 0);
  EXPECT_EQ(bar->value(), 0);
  SetScrollPos(A->Handle(), SB_VERT, 500, true);
  EXPECT_EQ(GetScrollPos(A->Handle(), SB_VERT), 90);  // limited to max - page + 1
  // A range the page covers hides the bar again.
  si.fMask = SIF_RANGE;
  si.nMax = 5;
  SetScrollInfo(A->Handle(), SB_VERT, si, true);
  EXPECT_EQ(A->ClientWidth(), widthBefore);
  A->WindowProc = old;
}

}  // namespace
