// The owner-drawn button on a form: keys, accelerators, mouse, clicks with
// modal results and popup menus, kinds, presets, hot tracking and painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <memory>
#include <ostream>

#include "controls/LbButton.h"
#include "controls/ProObj.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"
#include "platform/widgets/Buttons.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

namespace {

// Focusable stand-ins for the other controls of a dialog; only their class
// names matter to the button.
class TTestRadioButton : public TCustomControl {
 public:
  explicit TTestRadioButton(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
};
class TTestEdit : public TCustomControl {
 public:
  explicit TTestEdit(TComponent* AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
};

// A dialog shown offscreen: OK (Default), Cancel (Cancel), a third button with
// an accelerator, a radio button and an edit. Clicks are logged by name.
class LbButtonDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = new TForm(nullptr);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(10, 10, 400, 200);
    Ok = Button("Ok", "OK", 10);
    Ok->SetDefault(true);
    Cancel = Button("Cancel", "Cancel", 120);
    Cancel->SetCancel(true);
    Other = Button("Other", "&Apply", 230);
    Radio = new TTestRadioButton(Form);
    Radio->SetName("Radio");
    Radio->SetParent(Form);
    Radio->SetBounds(10, 60, 100, 20);
    Edit = new TTestEdit(Form);
    Edit->SetName("Edit");
    Edit->SetParent(Form);
    Edit->SetBounds(10, 100, 100, 20);
    Form->Show();
    (void)QTest::qWaitForWindowExposed(Form->View());
  }
  void TearDown() override { delete Form; }

  TLbButton* Button(const char* Name, const char* Caption, int Left) {
    auto* b = new TLbButton(Form);
    b->SetName(Name);
    b->SetParent(Form);
    b->SetBounds(Left, 10, 100, 23);
    b->SetCaption(Caption);
    b->OnClick = [this, b](TObject* Sender) {
      EXPECT_EQ(Sender, b);
      Clicks << b->Name();
    };
    return b;
  }
  void Focus(TWinControl* C) {
    C->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(C->Focused());
    ASSERT_EQ(Form->ActiveControl(), C);
  }
  QWidget* FocusWidget() { return Form->ActiveControl()->View(); }

  TForm* Form = nullptr;
  TLbButton* Ok = nullptr;
  TLbButton* Cancel = nullptr;
  TLbButton* Other = nullptr;
  TTestRadioButton* Radio = nullptr;
  TTestEdit* Edit = nullptr;
  QStringList Clicks;
};

TEST_F(LbButtonDialog, KeyTable) {
  struct Case {
    const char* Focus;
    Qt::Key Key;
    Qt::KeyboardModifiers Mods;
    QStringList Clicked;
  };
  const Case cases[] = {
      // A focused button handles Enter and Space itself; the Default button leaves Enter to it.
      {"Other", Qt::Key_Return, Qt::NoModifier, {"Other"}},
      {"Other", Qt::Key_Space, Qt::NoModifier, {"Other"}},
      {"Cancel", Qt::Key_Return, Qt::NoModifier, {"Cancel"}},
      {"Ok", Qt::Key_Return, Qt::NoModifier, {"Ok"}},
      // Escape goes to the Cancel button wherever the focus is, but not with Shift.
      {"Other", Qt::Key_Escape, Qt::NoModifier, {"Cancel"}},
      {"Cancel", Qt::Key_Escape, Qt::NoModifier, {"Cancel"}},
      {"Other", Qt::Key_Escape, Qt::ShiftModifier, {}},
      // Radio buttons and edits leave Enter to the Default button.
      {"Radio", Qt::Key_Return, Qt::NoModifier, {"Ok"}},
      {"Radio", Qt::Key_Escape, Qt::NoModifier, {"Cancel"}},
      {"Radio", Qt::Key_Escape, Qt::ShiftModifier, {}},
      {"Radio", Qt::Key_Space, Qt::NoModifier, {}},
      {"Edit", Qt::Key_Return, Qt::NoModifier, {"Ok"}},
      {"Edit", Qt::Key_Enter, Qt::KeypadModifier, {"Ok"}},
      {"Edit", Qt::Key_Escape, Qt::NoModifier, {"Cancel"}},
      {"Edit", Qt::Key_Escape, Qt::ShiftModifier, {}},
      {"Edit", Qt::Key_Tab, Qt::NoModifier, {}},
      // The accelerator of "&Apply", typed or with Alt; other letters do nothing.
      {"Edit", Qt::Key_A, Qt::NoModifier, {"Other"}},
      {"Radio", Qt::Key_A, Qt::AltModifier, {"Other"}},
      {"Edit", Qt::Key_P, Qt::NoModifier, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Focus << " key " << c.Key << " mods " << int(c.Mods));
    auto* target = dynamic_cast<TWinControl*>(Form->FindComponent(c.Focus));
    ASSERT_NE(target, nullptr);
    Focus(target);
    Clicks.clear();
    QTest::keyClick(FocusWidget(), c.Key, c.Mods);
    EXPECT_EQ(Clicks, c.Clicked);
    for (TLbButton* b : {Ok, Cancel, Other}) EXPECT_FALSE(b->Pressed()) << b->Name().toStdString();
  }
}

TEST_F(LbButtonDialog, SpaceClicksOnReleaseOnly) {
  Focus(Other);
  QTest::keyPress(Other->View(), Qt::Key_Space);
  EXPECT_TRUE(Other->Pressed());
  EXPECT_TRUE(Clicks.isEmpty());
  QTest::keyRelease(Other->View(), Qt::Key_Space);
  EXPECT_EQ(Clicks, QStringList({"Other"}));
  EXPECT_FALSE(Other->Pressed());
}

TEST_F(LbButtonDialog, HiddenOrDisabledButtonsIgnoreKeys) {
  // Enter still reaches a disabled or hidden Default button, which takes it
  // (the edit never sees it) without clicking.
  int editKeys = 0;
  Edit->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
    if (k == VK_RETURN) ++editKeys;
  };
  Focus(Edit);
  Ok->SetEnabled(false);
  QTest::keyClick(Edit->View(), Qt::Key_Return);
  Ok->SetEnabled(true);
  Ok->SetVisible(false);
  QTest::keyClick(Edit->View(), Qt::Key_Return);
  EXPECT_TRUE(Clicks.isEmpty());
  EXPECT_EQ(editKeys, 0);
  // Shown again, it does not look pressed and clicks normally.
  Ok->SetVisible(true);
  EXPECT_FALSE(Ok->Pressed());
  QTest::keyClick(Edit->View(), Qt::Key_Return);
  EXPECT_EQ(Clicks, QStringList({"Ok"}));

  // A disabled Cancel button leaves Escape alone; accelerators skip disabled buttons.
  Clicks.clear();
  Cancel->SetEnabled(false);
  Other->SetEnabled(false);
  QTest::keyClick(Edit->View(), Qt::Key_Escape);
  QTest::keyClick(Edit->View(), Qt::Key_A);
  EXPECT_TRUE(Clicks.isEmpty());
  // Direct clicks of disabled or hidden buttons do nothing either.
  Other->Click();
  Ok->SetVisible(false);
  Ok->Click();
  EXPECT_TRUE(Clicks.isEmpty());
}

TEST_F(LbButtonDialog, MouseClicks) {
  QWidget* w = Other->View();
  // Press, leave the button, come back, release: one click.
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  EXPECT_TRUE(Other->Pressed());
  EXPECT_TRUE(Other->Focused());
  EXPECT_TRUE(Clicks.isEmpty());
  QTest::mouseMove(w, QPoint(150, 10));
  QTest::mouseMove(w, QPoint(40, 12));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(40, 12));
  EXPECT_EQ(Clicks, QStringList({"Other"}));
  EXPECT_FALSE(Other->Pressed());
  // Released outside the button, the captured press still clicks.
  Clicks.clear();
  QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  QTest::mouseMove(w, QPoint(50, 80));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 80));
  EXPECT_EQ(Clicks, QStringList({"Other"}));
  // The right button neither presses nor clicks.
  Clicks.clear();
  QTest::mouseClick(w, Qt::RightButton, Qt::NoModifier, QPoint(50, 10));
  EXPECT_TRUE(Clicks.isEmpty());
  // A double click (press, release, double-click press, release) is two clicks.
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  EXPECT_EQ(Clicks, QStringList({"Other", "Other"}));
  // A disabled button ignores the mouse.
  Clicks.clear();
  Other->SetEnabled(false);
  QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
  EXPECT_TRUE(Clicks.isEmpty());
  EXPECT_FALSE(Other->Pressed());
}

TEST_F(LbButtonDialog, ClickRunsHandlerThenModalResultThenPopupMenu) {
  QStringList order;
  auto* menu = new TPopupMenu(Form);
  Other->SetPopupMenu(menu);
  Other->SetModalResult(mrRetry);
  Other->OnClick = [&](TObject*) { order << QStringLiteral("click %1").arg(Form->ModalResult()); };
  TPoint at;
  TestHooks::SetPopupMenuHook([&](TPopupMenu* m, int X, int Y) -> TMenuItem* {
    EXPECT_EQ(m, menu);
    order << QStringLiteral("popup %1").arg(Form->ModalResult());
    at = Point(X, Y);
    return nullptr;
  });
  Other->Click();
  TestHooks::SetPopupMenuHook(nullptr);
  EXPECT_EQ(order, QStringList({"click 0", "popup 4"}));
  EXPECT_EQ(at, Other->ClientToScreen(Point(0, 23)));
  EXPECT_EQ(menu->PopupComponent(), Other);
}

TEST(LbButtonModal, ModalResultClosesTheModalFormAfterOnClick) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(0, 0, 300, 100);
  auto* ok = new TLbButton(form);
  ok->SetParent(form);
  ok->SetKind(bkOK);
  auto* check = new TLbButton(form);
  check->SetParent(form);
  check->SetTop(40);
  TModalResult seenInHandler = -1;
  ok->OnClick = [&](TObject*) { seenInHandler = form->ModalResult(); };
  check->OnClick = [&](TObject*) { form->SetModalResult(mrYes); };
  {
    TScopedModalHook hook([&](TCustomForm*) { QTest::mouseClick(ok->View(), Qt::LeftButton, {}, QPoint(5, 5)); });
    EXPECT_EQ(form->ShowModal(), mrOk);
  }
  EXPECT_EQ(seenInHandler, mrNone);
  {
    // A button without modal result leaves the result to its handler.
    TScopedModalHook hook([&](TCustomForm*) { check->Click(); });
    EXPECT_EQ(form->ShowModal(), mrYes);
  }
  delete form;
}

TEST(LbButtonProperties, KindModalResultAndGlyph) {
  TLbButton b(nullptr);
  EXPECT_EQ(b.Width(), 100);
  EXPECT_EQ(b.Height(), 23);
  EXPECT_TRUE(b.TabStop());
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_EQ(b.ControlStyle(), TControlStyle({csCaptureMouse, csSetCaption}));

  b.SetKind(bkAll);
  EXPECT_EQ(b.Kind(), bkAll);
  EXPECT_EQ(b.ModalResult(), 12);
  EXPECT_EQ(b.NumGlyphs(), 2);
  EXPECT_EQ(b.Caption(), "Alle");
  EXPECT_EQ(b.Glyph()->Width(), 36);
  EXPECT_EQ(b.Glyph()->Height(), 19);
  b.SetModalResult(mrOk);
  EXPECT_EQ(b.Kind(), bkCustom);
  EXPECT_EQ(b.Caption(), "Alle");

  struct Case { TLbButtonKind Kind; const char* Caption; TModalResult Result; };
  for (const Case& c : {Case{bkOK, "OK", 1}, Case{bkCancel, "Abbrechen", 2}, Case{bkHelp, "Hilfe", 0},
                        Case{bkYes, "Ja", 6}, Case{bkNo, "Nein", 7}, Case{bkClose, "Schlie\u00dfen", 0},
                        Case{bkAbort, "Abbrechen", 3}, Case{bkRetry, "Wiederholen", 4},
                        Case{bkIgnore, "Ignorieren", 5}}) {
    b.SetKind(c.Kind);
    EXPECT_EQ(b.Caption(), QString::fromUtf8(c.Caption));
    EXPECT_EQ(b.ModalResult(), c.Result);
    EXPECT_EQ(b.Glyph()->Width(), 36);
  }
  // Back to custom keeps glyph, caption and result.
  b.SetKind(bkCustom);
  EXPECT_EQ(b.Caption(), "Ignorieren");
  EXPECT_EQ(b.ModalResult(), 5);

  TBitmap strip(48, 16);
  b.SetKind(bkOK);
  b.SetGlyph(&strip);
  EXPECT_EQ(b.NumGlyphs(), 3);
  EXPECT_EQ(b.Kind(), bkCustom);
  b.SetNumGlyphs(1);  // as a window definition read after the glyph sets it
  EXPECT_EQ(b.NumGlyphs(), 1);
  b.SetGlyph(nullptr);
  EXPECT_TRUE(b.Glyph()->Empty());
  EXPECT_EQ(b.NumGlyphs(), 0);
}

// The button shares the framework's glyph layout: it can be named in one unit
// with the framework's buttons and the grid's controls, and hands its layout
// to them.
TEST(LbButtonProperties, LayoutIsTheFrameworksButtonLayout) {
  TLbButton b(nullptr);
  TSpeedButton s(nullptr);
  b.SetLayout(blGlyphBottom);
  s.SetLayout(b.Layout());
  EXPECT_EQ(s.Layout(), blGlyphBottom);
}

TEST(LbButtonProperties, DialogKeyWithoutFormClicks) {
  // No form up the owner chain: the focus counts as being on no other button.
  TLbButton b(nullptr);
  int clicks = 0;
  b.OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(b.Perform(CM_DIALOGKEY, VK_RETURN), 0);
  b.SetDefault(true);
  EXPECT_EQ(b.Perform(CM_DIALOGKEY, VK_RETURN), 1);
  EXPECT_EQ(b.Perform(CM_DIALOGKEY, VK_ESCAPE), 0);
  b.SetCancel(true);
  EXPECT_EQ(b.Perform(CM_DIALOGKEY, VK_ESCAPE), 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_FALSE(b.Pressed());
}

TEST(LbButtonProperties, ColorStylePresetsAndStyleWindowFlag) {
  TForm form(nullptr);
  TLbButton b(&form);
  b.SetParent(&form);
  b.SetStyle(bsModern);
  EXPECT_EQ(b.WindowExStyle(), DWORD(WS_EX_TRANSPARENT));
  b.SetStyle(bsEncarta);
  EXPECT_EQ(b.WindowExStyle(), 0u);

  b.SetColorStyle(lcsGold);
  EXPECT_EQ(b.ColorStyle(), lcsCustom);
  EXPECT_EQ(b.Style(), bsModern);
  EXPECT_EQ(b.WindowExStyle(), 0u);  // a preset does not touch the window
  EXPECT_EQ(b.Color(), 0x00C0C0);
  EXPECT_EQ(b.LightColor(), 0x00FFFF);
  EXPECT_EQ(b.ShadowColor(), 0x008080);
  EXPECT_EQ(b.HotTrackColor(), 0x00DFDF);
  EXPECT_EQ(b.ColorWhenDown(), clNone);
  EXPECT_EQ(b.Font()->Color(), clBlack);
  b.SetColorStyle(lcsCustom);
  EXPECT_EQ(b.Style(), bsModern);
  EXPECT_EQ(b.Color(), 0x00C0C0);
  b.SetColorStyle(lcsQuicken);
  EXPECT_EQ(b.Style(), bsQuicken);
  EXPECT_EQ(b.Font()->Color(), 0xFFFFFF);
  b.SetColorStyle(lcsUltraFlat1);
  EXPECT_EQ(b.Style(), bsNormal);
  EXPECT_TRUE(b.Flat());
  EXPECT_EQ(b.Color(), clBtnFace);
  EXPECT_EQ(b.ColorWhenDown(), 0xB59284);
}

// The face as the form shows it.
QImage Shown(TLbButton* B) {
  B->Repaint();
  QImage* img = B->BackBuffer();
  return img ? img->copy() : QImage();
}
TColor PixelOf(const QImage& I, int X, int Y) { return FromQColor(I.pixelColor(X, Y)); }

// A caption set through the control base repaints the button by itself: what
// the form shows after the event loop ran is the face with the new caption.
TEST_F(LbButtonDialog, CaptionSetThroughTheControlBaseRepaints) {
  Other->SetCaption("");
  const QImage blank = Shown(Other);
  TControl* base = Other;
  base->SetCaption("Apply all");
  ASSERT_EQ(Other->GetCaption(), "Apply all");
  auto showing = [&] {
    QImage* img = Other->BackBuffer();
    return img ? img->copy() : QImage();
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return showing() != blank; }, 2000));
  const QImage painted = showing();
  EXPECT_EQ(painted, Shown(Other));
  // The same caption again changes nothing and paints nothing new.
  base->SetCaption("Apply all");
  QApplication::processEvents();
  EXPECT_EQ(showing(), painted);
}

TEST_F(LbButtonDialog, HotTrackingFollowsThePointer) {
  int enters = 0, exits = 0;
  Other->OnMouseEnter = [&](TObject*) { ++enters; };
  Other->OnMouseExit = [&](TObject*) { ++exits; };
  Other->SetColor(0x000000);
  Other->SetHotTrackColor(0xFFFFFF);
  Other->SetCaption("");
  Other->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(Other->CursorOnButton());
  EXPECT_EQ(Other->HotTrackStep(), 8);
  EXPECT_EQ(PixelOf(Shown(Other), 50, 5), 0xFFFFFF);
  Other->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(Other->CursorOnButton());
  EXPECT_EQ(Other->HotTrackStep(), 0);
  EXPECT_EQ(PixelOf(Shown(Other), 50, 5), 0x000000);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);

  // Disabled: no entry at all; the exit still clears the hot state.
  Other->Perform(CM_MOUSEENTER);
  Other->SetEnabled(false);
  Other->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(Other->CursorOnButton());
  Other->Perform(CM_MOUSEENTER);
  EXPECT_FALSE(Other->CursorOnButton());
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(exits, 1);
}

TEST_F(LbButtonDialog, SlowDeceaseFadesInEightTicks) {
  Other->SetSlowDecease(true);
  const TTimer* ticker = Other->FadeTicker();
  ASSERT_NE(ticker, nullptr);
  EXPECT_FALSE(ticker->Enabled());
  Other->Perform(CM_MOUSEENTER);
  Other->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(Other->HotTrackStep(), 8);  // the fade starts with the next tick
  EXPECT_TRUE(ticker->Enabled());
  EXPECT_EQ(ticker->Interval(), 30u);
  // The ticks, driven one by one: eight steps down, then the ticker stops.
  std::vector<int> steps;
  while (ticker->Enabled() && steps.size() < 20) {
    Other->HotTrackTick(nullptr);
    steps.push_back(Other->HotTrackStep());
  }
  EXPECT_EQ(steps, (std::vector<int>{7, 6, 5, 4, 3, 2, 1, 0}));
  // Stopped at 0: a late tick changes nothing.
  Other->HotTrackTick(nullptr);
  EXPECT_EQ(Other->HotTrackStep(), 0);
  EXPECT_FALSE(ticker->Enabled());

  // Entering again during a fade sets full intensity; the fade runs on.
  Other->Perform(CM_MOUSEENTER);
  Other->Perform(CM_MOUSELEAVE);
  Other->HotTrackTick(nullptr);
  Other->HotTrackTick(nullptr);
  EXPECT_EQ(Other->HotTrackStep(), 6);
  Other->Perform(CM_MOUSEENTER);
  EXPECT_EQ(Other->HotTrackStep(), 8);
  EXPECT_TRUE(ticker->Enabled());
  // The event loop drives the same ticker.
  EXPECT_TRUE(QTest::qWaitFor([&] { return Other->HotTrackStep() < 8; }, 5000));
  // Switching it off stops the fade at once.
  Other->SetSlowDecease(false);
  EXPECT_EQ(Other->HotTrackStep(), 0);
  EXPECT_EQ(Other->FadeTicker(), nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(Other->HotTrackStep(), 0);
}

TEST_F(LbButtonDialog, FocusFrameAndClassicFocusedLook) {
  Other->SetCaption("");
  Other->SetColor(0xC0C0C0);
  Focus(Edit);
  QImage plain = Shown(Other);
  Focus(Other);
  QImage focused = Shown(Other);
  // The dotted focus frame from (4, 4) to (width - 4, height - 4).
  auto dots = [](const QImage& I, int X0, int Y0, int X1, int Y1) {
    int n = 0;
    for (int y = Y0; y <= Y1; ++y)
      for (int x = X0; x <= X1; ++x) n += PixelOf(I, x, y) != 0xC0C0C0;
    return n;
  };
  EXPECT_EQ(dots(plain, 2, 2, 97, 20), 0);
  EXPECT_GE(dots(focused, 4, 4, 95, 4), 40);
  EXPECT_GE(dots(focused, 4, 18, 95, 18), 40);
  EXPECT_GE(dots(focused, 4, 4, 4, 18), 6);
  EXPECT_GE(dots(focused, 95, 4, 95, 18), 6);
  EXPECT_EQ(dots(focused, 5, 5, 94, 17), 0);
  EXPECT_EQ(dots(focused, 96, 2, 97, 20) + dots(focused, 2, 19, 97, 20), 0);

  Other->SetStyle(bsOld);
  QImage old = Shown(Other);
  EXPECT_EQ(PixelOf(old, 0, 0), clBlack);
  EXPECT_EQ(PixelOf(old, 99, 22), clBlack);
  EXPECT_EQ(PixelOf(old, 1, 1), clWhite);  // the face's light edge, one pixel in
  EXPECT_EQ(PixelOf(old, 98, 21), ColorToRGB(cl3DDkShadow));
  Focus(Edit);
  old = Shown(Other);
  EXPECT_EQ(PixelOf(old, 0, 0), clWhite);
  EXPECT_EQ(PixelOf(old, 99, 22), ColorToRGB(cl3DDkShadow));
}

TEST_F(LbButtonDialog, ShapedStylesShowTheFormAroundTheirShape) {
  Form->SetColor(0x00FF00);
  Other->SetColor(0x0000FF);
  auto onForm = [&](int X, int Y) {
    Other->Repaint();
    return PixelOf(GrabControl(Form), Other->Left() + X, Other->Top() + Y);
  };
  Other->SetStyle(bsModern);
  EXPECT_EQ(onForm(0, 0), 0x00FF00);
  EXPECT_NE(onForm(10, 10), 0x00FF00);
  Other->SetStyle(bsShape);
  EXPECT_EQ(onForm(50, 2), 0x00FF00);
  Other->SetStyle(bsNormal);
  EXPECT_EQ(onForm(0, 0), clWhite);
  EXPECT_EQ(onForm(10, 10), 0x0000FF);
  // A preset that changes the shape repaints the corners too.
  Other->SetColorStyle(lcsChrome);
  EXPECT_EQ(onForm(0, 0), 0x00FF00);
}

}  // namespace

// One button of each style in the four states (rows: normal, hot, pressed,
// disabled), as the program shows them. With ZIDI_SCREENSHOT_DIR set the
// picture is written there as LbButtonStyles.png.
TEST(LbButtonScreenshot, EveryStyleInFourStates) {
  std::unique_ptr<TForm> form(new TForm(nullptr));
  form->SetBorderStyle(bsNone);
  form->SetColor(0xEDF7F8);
  form->SetBounds(0, 0, 6 * 116 + 12, 4 * 36 + 12);
  struct Look { TLbButtonStyle Style; TLbColorStyle Preset; TLbButtonKind Kind; };
  const Look looks[] = {{bsNormal, lcsCustom, bkOK},     {bsEncarta, lcsCustom, bkCancel},
                        {bsModern, lcsGold, bkHelp},     {bsOld, lcsCustom, bkRetry},
                        {bsShape, lcsCustom, bkIgnore},  {bsQuicken, lcsQuicken, bkAll}};
  std::vector<TLbButton*> all;
  for (int state = 0; state < 4; ++state)
    for (int i = 0; i < 6; ++i) {
      auto* b = new TLbButton(form.get());
      b->SetParent(form.get());
      b->SetTabStop(false);
      b->SetBounds(12 + i * 116, 12 + state * 36, 104, 26);
      b->SetKind(looks[i].Kind);
      b->SetStyle(looks[i].Style);
      if (looks[i].Preset != lcsCustom) {
        b->SetColorStyle(looks[i].Preset);
      } else {
        // The configurator's look.
        b->SetColor(0xEDF7F8);
        b->SetColorWhenDown(0x0080FF);
        b->SetHotTrackColor(clYellow);
        if (looks[i].Style == bsEncarta) b->SetLightColor(clGray);
      }
      // A shaped button shows its picture alone.
      if (looks[i].Style == bsShape) b->SetCaption("");
      if (state == 3) b->SetEnabled(false);
      all.push_back(b);
    }
  form->Show();
  (void)QTest::qWaitForWindowExposed(form->View());
  for (int i = 0; i < 6; ++i) {
    all[6 + i]->Perform(CM_MOUSEENTER);
    all[12 + i]->Perform(CN_KEYDOWN, VK_SPACE);
  }
  for (TLbButton* b : all) b->Repaint();
  QImage shot = GrabControl(form.get());
  ASSERT_FALSE(shot.isNull());
  // Hot Encarta face yellow, pressed orange, disabled in the plain face colour.
  auto at = [&](TLbButton* b, int X, int Y) { return FromQColor(shot.pixelColor(b->Left() + X, b->Top() + Y)); };
  EXPECT_EQ(at(all[1], 90, 3), 0xEDF7F8);
  EXPECT_EQ(at(all[7], 90, 3), clYellow);
  EXPECT_EQ(at(all[13], 90, 3), 0x0080FF);
  EXPECT_EQ(at(all[19], 90, 3), 0xEDF7F8);
  const QString dir = qEnvironmentVariable("ZIDI_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(shot.save(dir + "/LbButtonStyles.png"));
    // What the window system shows (under a real display server).
    if (QScreen* screen = QGuiApplication::primaryScreen())
      screen->grabWindow(form->View()->winId()).save(dir + "/LbButtonStylesScreen.png");
  }
  for (int i = 0; i < 6; ++i) all[12 + i]->Perform(CN_KEYUP, VK_SPACE);
}
