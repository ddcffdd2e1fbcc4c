// The grid's small controls on a shown form: the flat grid button (groups, down
// and up, clicks, looks, glyphs), the check box control (clicks, space,
// accelerator, read-only, classic look), the arrow windows and the file picture.
#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QRegion>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "controls/ProObj.h"
#include "platform/ui/Forms.h"
#include "controls/ProUtil.h"
#include "platform/ui/Snapshot.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class GridControls : public ::testing::Test {
 protected:
  void SetUp() override { F.Show(); }
  TProGridButton* Button(int Group, int X) {
    auto* b = new TProGridButton(F.Form);
    b->SetParent(F.Form);
    b->SetBounds(X, 10, 40, 23);
    b->SetGroupIndex(Group);
    b->OnClick = [this, b](TObject*) { Clicks.push_back(b); };
    return b;
  }
  // Mouse events in the control's own coordinates.
  void Press(TControl* C, int X, int Y) { QTest::mousePress(C->View(), Qt::LeftButton, {}, QPoint(X, Y)); }
  void Move(TControl* C, int X, int Y) { QTest::mouseMove(C->View(), QPoint(X, Y)); }
  void Release(TControl* C, int X, int Y) { QTest::mouseRelease(C->View(), Qt::LeftButton, {}, QPoint(X, Y)); }
  TShownForm F{400, 200};
  std::vector<TProGridButton*> Clicks;
};

}  // namespace

// ---------------------------------------------------------------------------
// Grid button

class ProGridButton : public GridControls {};

TEST_F(ProGridButton, OnlyGroupedOrCheckButtonsStayDown) {
  TProGridButton* plain = Button(0, 10);
  EXPECT_EQ(plain->Width(), 40);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  plain->SetStyle(tasCheck);
  plain->SetDown(true);
  EXPECT_TRUE(plain->Down());
  plain->SetDown(false);
  EXPECT_FALSE(plain->Down());
}

TEST_F(ProGridButton, GroupKeepsOneButtonDown) {
  TProGridButton* a = Button(1, 10);
  TProGridButton* b = Button(1, 60);
  TProGridButton* other = Button(2, 110);
  a->SetDown(true);
  other->SetDown(true);
  EXPECT_EQ(a->State(), 3);
  b->SetDown(true);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());      // raised by its sibling
  EXPECT_EQ(a->State(), 0);
  EXPECT_TRUE(other->Down());   // another group is left alone
  // Without AllowAllUp the down button of a group cannot be raised.
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);       // the group takes it over
  a->SetDown(true);
  EXPECT_TRUE(a->AllowAllUp());
  a->SetDown(false);
  EXPECT_FALSE(a->Down());
  EXPECT_FALSE(b->Down());
}

TEST_F(ProGridButton, ClicksPressAndReleaseInside) {
  TProGridButton* a = Button(1, 10);
  TProGridButton* b = Button(1, 60);
  Press(a, 5, 5);
  EXPECT_EQ(a->State(), 2);
  Release(a, 5, 5);
  EXPECT_TRUE(a->Down());
  ASSERT_EQ(Clicks.size(), 1u);
  EXPECT_EQ(Clicks[0], a);
  // Pressed on b, released outside: no click, nothing changes.
  Press(b, 5, 5);
  Move(b, 100, 100);
  EXPECT_EQ(b->State(), 0);
  Release(b, 100, 100);
  EXPECT_EQ(Clicks.size(), 1u);
  EXPECT_FALSE(b->Down());
  EXPECT_TRUE(a->Down());
  // A plain button clicks and stays up.
  TProGridButton* plain = Button(0, 110);
  Press(plain, 5, 5);
  Release(plain, 5, 5);
  EXPECT_EQ(Clicks.size(), 2u);
  EXPECT_FALSE(plain->Down());
  EXPECT_EQ(plain->State(), 0);
}

TEST_F(ProGridButton, CheckStyleTogglesOnClicksOnly) {
  TProGridButton* t = Button(0, 10);
  t->SetStyle(tasCheck);
  Press(t, 5, 5);
  Release(t, 5, 5);
  EXPECT_TRUE(t->Down());
  Press(t, 5, 5);
  Release(t, 200, 100);  // released outside
  EXPECT_TRUE(t->Down());
  EXPECT_EQ(Clicks.size(), 1u);
  Press(t, 5, 5);
  Release(t, 5, 5);
  EXPECT_FALSE(t->Down());
}

TEST_F(ProGridButton, DropDownPartFiresOnDropDownInsteadOfClick) {
  TProGridButton* d = Button(0, 10);
  d->SetDropDownButton(true);
  int drops = 0;
  d->OnDropDown = [&](TObject*) { ++drops; };
  Press(d, 35, 5);  // within the right-most 12 pixels
  Release(d, 35, 5);
  EXPECT_EQ(drops, 1);
  EXPECT_TRUE(Clicks.empty());
}

TEST_F(ProGridButton, AcceleratorClicks) {
  TProGridButton* a = Button(0, 10);
  a->SetCaption("&Find");
  EXPECT_EQ(a->Perform(CM_DIALOGCHAR, 'f', 0), 1);
  EXPECT_EQ(a->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  a->SetEnabled(false);
  EXPECT_EQ(a->Perform(CM_DIALOGCHAR, 'f', 0), 0);
  EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(ProGridButton, LooksAndGlyphs) {
  TProGridButton* b = Button(0, 10);
  EXPECT_EQ(b->Color(), clBtnFace);
  EXPECT_EQ(b->ColorDown(), 0xD8D3D2);
  b->SetLook(2);
  EXPECT_EQ(b->Color(), 0xFDEADA);
  EXPECT_EQ(b->ColorTo(), 0xE4AE88);
  EXPECT_EQ(b->BorderHotColor(), 0x000000);
  EXPECT_FALSE(b->Rounded());
  b->SetLook(0);
  EXPECT_TRUE(b->Rounded());
  EXPECT_EQ(b->ColorChecked(), 0xFFFFFF);
  b->SetLook(6);
  EXPECT_EQ(b->ColorHotTo(), 0x7CE9FC);
  EXPECT_EQ(b->BorderColor(), clNone);
  // Without visual styles the theme adaptation takes look 1.
  b->SetAutoThemeAdapt(true);
  EXPECT_EQ(b->Look(), 1);
  EXPECT_EQ(b->ColorHot(), 0xEED2C1);

  TBitmap g(4, 4);
  g.SetPixelFormat(pf24bit);
  g.Canvas()->Brush()->SetColor(TColor(0x6040A0));  // grey level (160 + 64 + 96) / 3 = 106
  g.Canvas()->FillRect(TRect(0, 0, 4, 4));
  b->SetGlyph(&g);
  ASSERT_FALSE(b->GlyphDisabled()->Empty());
  EXPECT_EQ(b->GlyphDisabled()->Canvas()->Pixels(1, 1), TColor(0x959595));  // 106 / 2 + 96
  EXPECT_EQ(b->Glyph()->Canvas()->Pixels(1, 1), TColor(0x6040A0));
}

TEST_F(ProGridButton, PaintsItsStates) {
  TProGridButton* b = Button(1, 10);
  b->SetLook(5);  // plain colours: face clBtnFace, checked $CAC7C7
  QImage img = GrabControl(F.Form);
  auto at = [&](int X, int Y) { return FromQColor(QColor(img.pixel(b->Left() + X, b->Top() + Y))); };
  EXPECT_EQ(at(20, 3), ColorToRGB(clBtnFace));
  b->SetDown(true);
  img = GrabControl(F.Form);
  EXPECT_EQ(at(20, 3), 0xCAC7C7);  // held down: the checked colour
  b->SetDown(false);
  b->SetAllowAllUp(true);
  b->SetDown(false);
  b->SetLook(2);                    // gradients: hot $CCF4FF to $91D0FF
  b->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(b->MouseInControl());
  img = GrabControl(F.Form);
  // Row 0 is the frame; row 1 the second of 16 bands, 1/16 from $CCF4FF to $91D0FF.
  EXPECT_EQ(at(20, 1), 0xC8F2FF);
  EXPECT_EQ(at(0, 10), 0x000000);   // the hot border
  b->Perform(CM_MOUSELEAVE, 0, 0);
  img = GrabControl(F.Form);
  EXPECT_EQ(at(20, 1), 0xFBE6D5);   // 1/16 from $FDEADA to $E4AE88
}

// ---------------------------------------------------------------------------
// Check box control

class ProCheckBox : public GridControls {
 protected:
  TProCheckBox* Box() {
    auto* c = new TProCheckBox(F.Form);
    c->SetParent(F.Form);
    c->SetBounds(10, 50, 120, 20);
    c->SetCaption("&Match case");
    c->OnClick = [this](TObject*) { ++BoxClicks; };
    return c;
  }
  void PressBox(TProCheckBox* C, QPoint P) { QTest::mousePress(C->View(), Qt::LeftButton, {}, P); }
  void MoveBox(TProCheckBox* C, QPoint P) { QTest::mouseMove(C->View(), P); }
  void ReleaseBox(TProCheckBox* C, QPoint P) { QTest::mouseRelease(C->View(), Qt::LeftButton, {}, P); }
  int BoxClicks = 0;
};

TEST_F(ProCheckBox, DefaultsOfANewBox) {
  TProCheckBox c(nullptr);
  EXPECT_EQ(c.Caption(), "TProCheckBox");
  EXPECT_EQ(c.Width(), 98);
  EXPECT_EQ(c.Height(), 20);
  EXPECT_EQ(c.State(), cbUnchecked);
  EXPECT_EQ(c.ButtonVertAlign(), tlTop);
  c.SetChecked(true);
  EXPECT_EQ(c.State(), cbChecked);
  c.SetState(cbGrayed);
  EXPECT_FALSE(c.Checked());
}

TEST_F(ProCheckBox, PressInsideReleaseOutsideDoesNotToggle) {
  TProCheckBox* c = Box();
  PressBox(c, QPoint(5, 10));
  EXPECT_TRUE(c->Down());
  MoveBox(c, QPoint(300, 10));
  EXPECT_FALSE(c->Down());
  ReleaseBox(c, QPoint(300, 10));
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(BoxClicks, 0);
  // Dragged back inside before the release: it toggles and clicks.
  PressBox(c, QPoint(5, 10));
  MoveBox(c, QPoint(300, 10));
  MoveBox(c, QPoint(6, 10));
  EXPECT_TRUE(c->Down());
  ReleaseBox(c, QPoint(6, 10));
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(BoxClicks, 1);
  EXPECT_FALSE(c->Down());
}

TEST_F(ProCheckBox, ReadOnlyClicksButKeepsItsState) {
  TProCheckBox* c = Box();
  c->SetReadOnly(true);
  PressBox(c, QPoint(5, 10));
  ReleaseBox(c, QPoint(5, 10));
  EXPECT_EQ(BoxClicks, 1);
  EXPECT_FALSE(c->Checked());
}

TEST_F(ProCheckBox, SpaceTogglesOnRelease) {
  TProCheckBox* c = Box();
  c->SetTabStop(true);
  c->SetFocus();
  QTest::keyPress(c->View(), Qt::Key_Space);
  EXPECT_TRUE(c->Down());
  EXPECT_FALSE(c->Checked());
  QTest::keyRelease(c->View(), Qt::Key_Space);
  EXPECT_TRUE(c->Checked());
  EXPECT_FALSE(c->Down());
  EXPECT_EQ(BoxClicks, 1);
}

TEST_F(ProCheckBox, AcceleratorTogglesWithoutClick) {
  TProCheckBox* c = Box();
  c->SetTabStop(true);
  auto* other = new TProbe(F.Form, F.Form, "Other", nullptr);
  other->SetBounds(300, 100, 40, 40);
  other->SetFocus();
  EXPECT_EQ(c->Perform(CM_DIALOGCHAR, 'M', 0), 1);
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(BoxClicks, 0);
  EXPECT_TRUE(c->Focused());  // a tab stop takes the focus
  EXPECT_EQ(c->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  EXPECT_TRUE(c->Checked());
  // Through the keyboard: Alt and the letter, from another control.
  other->SetFocus();
  QTest::keyClick(other->View(), Qt::Key_M, Qt::AltModifier);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(BoxClicks, 0);
}

TEST_F(ProCheckBox, GrayedBoxIsDrawnInactive) {
  TProCheckBox* c = Box();
  auto boxFill = [&] {
    c->PaintNow();
    const QImage img = c->BackBuffer()->copy();
    return FromQColor(QColor(img.pixel(6, 10)));  // inside the 13 x 13 box at (0, 4)
  };
  EXPECT_EQ(boxFill(), ColorToRGB(clWindow));
  c->SetState(cbGrayed);
  EXPECT_EQ(boxFill(), ColorToRGB(clBtnFace));
  c->SetState(cbUnchecked);
  c->SetEnabled(false);
  EXPECT_EQ(boxFill(), ColorToRGB(clBtnFace));
}

// ---------------------------------------------------------------------------
// Arrow windows and the file picture

TEST_F(GridControls, ArrowWindowIsShapedLikeItsArrow) {
  auto* up = new TArrowWindow(F.Form);
  up->Init(F.Form, arrUp);
  EXPECT_EQ(up->Color(), clLime);
  EXPECT_FALSE(up->Visible());
  EXPECT_EQ(up->Parent(), F.Form);
  EXPECT_EQ(up->Arrow().size(), 7u);
  up->HandleNeeded();
  const QRegion mask = up->View()->mask();
  EXPECT_TRUE(mask.contains(QPoint(5, 1)));   // near the tip
  EXPECT_TRUE(mask.contains(QPoint(5, 7)));   // the shaft
  EXPECT_FALSE(mask.contains(QPoint(0, 0)));  // beside the tip
  EXPECT_FALSE(mask.contains(QPoint(1, 8)));  // beside the shaft
  auto* right = new TArrowWindow(F.Form);
  right->Init(F.Form, arrRight);
  EXPECT_EQ(right->Dir(), arrRight);
  EXPECT_EQ(right->Arrow()[0].X, 0);
  EXPECT_EQ(right->Arrow()[0].Y, 5);
}

TEST(FilePicture, KnowsTheSizeAndDrawsStretched) {
  TFilePicture p;
  TBitmap target(20, 20);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(TRect(0, 0, 20, 20));
  p.DrawPicture(target.Canvas(), TRect(0, 0, 20, 20));  // no name: nothing
  EXPECT_EQ(target.Canvas()->Pixels(10, 10), clWhite);

  QTemporaryDir dir;
  const QString file = dir.filePath("red.bmp");
  TBitmap red(6, 3);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(TRect(0, 0, 6, 3));
  red.SaveToFile(file);
  p.SetFilename(file);
  EXPECT_EQ(p.Width(), 6);
  EXPECT_EQ(p.Height(), 3);
  p.DrawPicture(target.Canvas(), TRect(0, 0, 20, 20));
  EXPECT_EQ(target.Canvas()->Pixels(10, 10), clRed);
  TFilePicture copy;
  copy.Assign(&p);
  EXPECT_EQ(copy.Filename(), file);
  EXPECT_EQ(copy.Width(), 6);
}

// ---------------------------------------------------------------------------
// Focus glow: the mask, its blur and the alpha mask

namespace {

int Red(TBitmap& B, int X, int Y) { return B.ScanLine(Y)[3 * X + 2]; }

}  // namespace

TEST(GlowMask, SharpRoundedRectangleWithoutBlur) {
  TBitmap b;
  CreateRoundRectGlowMask(&b, 40, 30, 1, 5, 0);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  EXPECT_EQ(Red(b, 20, 2), 255);   // the top outline at c + 2
  EXPECT_EQ(Red(b, 2, 15), 255);   // the left outline
  EXPECT_EQ(Red(b, 20, 15), 0);    // inside
  EXPECT_EQ(Red(b, 20, 1), 0);     // outside
  EXPECT_EQ(Red(b, 0, 0), 0);
  CreateRoundRectGlowMask(&b, 40, 30, 0, 5, 0);  // no pen width: filled
  EXPECT_EQ(Red(b, 20, 15), 255);
}

TEST(GlowMask, BlurSpreadsNearTheOutlineOnly) {
  TBitmap b;
  CreateRoundRectGlowMask(&b, 40, 30, 1, 5, 1);
  EXPECT_GT(Red(b, 20, 3), 0);     // next to the outline
  EXPECT_LT(Red(b, 20, 2), 255);   // the outline is softened
  EXPECT_EQ(Red(b, 20, 15), 0);    // far from it stays black
  EXPECT_EQ(Red(b, 20, 9), 0);
}

TEST(GlowMask, InnerRowsAndColumnsCopyTheFifteenth) {
  TBitmap b;
  CreateRoundRectGlowMask(&b, 60, 60, 3, 5, 3);
  auto row = [&](int y) { return QByteArray(reinterpret_cast<const char*>(b.ScanLine(y)), 60 * 3); };
  EXPECT_EQ(row(30), row(15));
  for (int y = 0; y < 60; ++y) EXPECT_EQ(Red(b, 30, y), Red(b, 15, y)) << y;
  EXPECT_GT(Red(b, 3, 30), 0);     // the outline still glows
}

TEST(GlowMask, BlurWantsTwentyFourBits) {
  TBitmap b(10, 10);
  b.SetPixelFormat(pf32bit);
  try {
    GaussianBlur24(&b, 2);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Blur only works for 24-bit bitmaps");
  }
}

TEST(GlowMask, AlphaMaskPremultipliesItsColours) {
  TGridAlphaMask m;
  EXPECT_EQ(m.Opacity(), 255);
  EXPECT_EQ(m.PixelFormat(), pf32bit);
  TBitmap white(8, 4), mask(8, 4);
  white.SetPixelFormat(pf24bit);
  white.Canvas()->Brush()->SetColor(clWhite);
  white.Canvas()->FillRect(TRect(0, 0, 8, 4));
  mask.SetPixelFormat(pf24bit);
  mask.Canvas()->Brush()->SetColor(TColor(0x000080));  // red byte 128
  mask.Canvas()->FillRect(TRect(0, 0, 8, 4));
  m.MergeMask(&mask, &white, clRed);
  ASSERT_EQ(m.Width(), 8);
  const Byte* px = m.ScanLine(2) + 4 * 3;
  EXPECT_EQ(px[3], 128);
  EXPECT_EQ(px[0], 128);
  EXPECT_EQ(px[1], 128);
  EXPECT_EQ(px[2], 128);
  // A colour picture of another format leaves the mask as it was.
  TBitmap other(3, 3);
  other.SetPixelFormat(pf32bit);
  m.MergeMask(&mask, &other, clRed);
  EXPECT_EQ(m.Width(), 8);
  // Assign copies the opacity and the pixels.
  TGridAlphaMask copy;
  copy.SetSize(8, 4);
  m.SetOpacity(230);
  copy.Assign(&m);
  EXPECT_EQ(copy.Opacity(), 230);
  EXPECT_EQ(copy.ScanLine(2)[4 * 3 + 3], 128);
  // Masks of different sizes share only what both hold.
  TGridAlphaMask small;
  small.SetSize(3, 2);
  small.Assign(&m);
  EXPECT_EQ(small.Width(), 3);
  EXPECT_EQ(small.ScanLine(1)[4 * 2 + 3], 128);
  TGridAlphaMask large;
  large.SetSize(20, 10);
  large.Assign(&m);
  EXPECT_EQ(large.ScanLine(3)[4 * 7 + 3], 128);
  // A mask picture smaller than the colour picture: the rest is transparent.
  TBitmap tiny(2, 2);
  tiny.SetPixelFormat(pf24bit);
  tiny.Canvas()->Brush()->SetColor(clWhite);
  tiny.Canvas()->FillRect(TRect(0, 0, 2, 2));
  m.MergeMask(&tiny, &white, clNone);
  EXPECT_EQ(m.ScanLine(1)[4 * 1 + 3], 255);
  EXPECT_EQ(m.ScanLine(3)[4 * 5 + 3], 0);
}

TEST(GlowWindow, IsADisabledTopmostToolPopup) {
  TShownForm f(200, 100);
  auto* w = new TGridFocusWindow(f.Form);
  EXPECT_EQ(w->Width(), 0);
  EXPECT_EQ(w->Height(), 0);
  EXPECT_EQ(w->Color(), clRed);
  w->SetParent(f.Form);
  w->HandleNeeded();
  EXPECT_EQ(w->WindowStyle(), WS_POPUP | WS_DISABLED);
  EXPECT_EQ(w->WindowExStyle(), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  EXPECT_TRUE(w->View()->isWindow());
}

TEST(GlowWindow, ShowsTheAlphaMaskThroughTheLayeredCall) {
  TShownForm f(200, 100);
  f.Show();
  auto* w = new TGridFocusWindow(f.Form);
  w->SetParent(f.Form);
  w->HandleNeeded();
  TBitmap mask, color(60, 40);
  CreateRoundRectGlowMask(&mask, 60, 40, 3, 5, 0);
  color.SetPixelFormat(pf24bit);
  color.Canvas()->Brush()->SetColor(TColor(0x97D3FD));
  color.Canvas()->FillRect(TRect(0, 0, 60, 40));
  TGridAlphaMask glow;
  glow.MergeMask(&mask, &color, clNone);
  const TPoint pos(30, 20), src(0, 0);
  const TSize size(60, 40);
  BLENDFUNCTION blend;
  blend.SourceConstantAlpha = 255;
  blend.AlphaFormat = AC_SRC_ALPHA;
  EXPECT_TRUE(CallUpdateLayeredWindow(w->Handle(), nullptr, &pos, &size, glow.Canvas()->Handle(),
                                      &src, 0, &blend, ULW_ALPHA));
  EXPECT_EQ(w->Width(), 60);
  EXPECT_EQ(w->Left(), 30);
  const QImage shot = w->View()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(shot.width(), 60);
  const QRgb outline = shot.pixel(30, 3), inside = shot.pixel(30, 20);
  EXPECT_EQ(qAlpha(outline), 255);
  EXPECT_EQ(qRed(outline), 0xFD);
  EXPECT_EQ(qBlue(outline), 0x97);
  EXPECT_EQ(qAlpha(inside), 0);
  EXPECT_TRUE(CallSetLayeredWindowAttributes(w->Handle(), 0, 128, LWA_ALPHA));
  EXPECT_NEAR(w->View()->windowOpacity(), 128 / 255.0, 0.01);
}

// ---------------------------------------------------------------------------
// Bitmaps and the error underline

TEST(DrawBitmaps, TransparentColourTakesTheBackground) {
  TBitmap glyph(4, 4);
  glyph.SetPixelFormat(pf24bit);
  glyph.Canvas()->Brush()->SetColor(clWhite);
  glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
  glyph.Canvas()->SetPixels(2, 2, clRed);
  TBitmap target(10, 10);
  target.Canvas()->Brush()->SetColor(clLime);
  target.Canvas()->FillRect(TRect(0, 0, 10, 10));
  DrawBitmapTransparent(target.Canvas(), &glyph, clBlue, TRect(3, 3, 10, 10));
  EXPECT_EQ(target.Canvas()->Pixels(3, 3), clBlue);   // the glyph's key colour
  EXPECT_EQ(target.Canvas()->Pixels(5, 5), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(7, 7), clLime);   // beyond the glyph's size
  EXPECT_THROW(DrawResourceBitmap(target.Canvas(), clBlue, TRect(0, 0, 4, 4), "NOSUCHGLYPH"),
               EResNotFound);
}

TEST(DrawBitmaps, ErrorUnderlineMarksTheWordOnly) {
  TShownForm f(300, 100);
  f.Show();
  TBitmap target(300, 30);
  target.Canvas()->Brush()->SetColor(clWhite);
  target.Canvas()->FillRect(TRect(0, 0, 300, 30));
  const QString text = "Hello world and more";
  DrawErrorUnderline(f.Form, target.Canvas(), text, TRect(0, 0, 300, 20), 10, 6, 5);
  int first = -1, last = -1;
  for (int x = 0; x < 300; ++x)
    for (int y = 0; y < 30; ++y)
      if (target.Canvas()->Pixels(x, y) == clRed) {
        if (first < 0) first = x;
        last = x;
      }
  ASSERT_GE(first, 0);
  // The zig-zag starts under "w" and ends after "d", well before "more".
  const int hello = target.Canvas()->TextWidth("Hello ");
  const int upToWorld = target.Canvas()->TextWidth("Hello world");
  EXPECT_GE(first, hello - 4);
  EXPECT_LE(last, upToWorld + 10);
  EXPECT_GT(last - first, upToWorld - hello - 12);
  EXPECT_EQ(f.Form->ControlCount(), 0);  // the measuring edit is gone
}

TEST_F(ProCheckBox, TransparentBoxShowsItsParent) {
  F.Form->SetColor(clYellow);
  TProCheckBox* c = Box();
  c->SetColor(clWhite);
  c->SetParentColor(false);
  c->SetCaption("x");
  auto background = [&] {
    c->PaintNow();
    const QImage img = c->BackBuffer()->copy();
    return FromQColor(QColor(img.pixel(100, 15)));
  };
  EXPECT_EQ(background(), clWhite);
  c->SetTransparent(true);
  EXPECT_EQ(background(), clYellow);
  c->SetTransparentChaching(true);
  EXPECT_EQ(background(), clYellow);
  F.Form->SetColor(clAqua);
  EXPECT_EQ(background(), clYellow);  // the cached picture stays until it is dropped
  c->SetBounds(10, 50, 121, 20);
  EXPECT_EQ(background(), clAqua);
}

TEST_F(ProGridButton, NotFlatIsTheClassicPushButton) {
  TProGridButton* b = Button(1, 10);
  b->SetFlat(false);
  auto shot = [&] {
    const QImage img = GrabControl(F.Form);
    return [img, b](int X, int Y) { return FromQColor(QColor(img.pixel(b->Left() + X, b->Top() + Y))); };
  };
  auto up = shot();
  EXPECT_EQ(up(0, 0), ColorToRGB(clBtnHighlight));  // raised: light top-left edge
  EXPECT_EQ(up(20, 11), ColorToRGB(clBtnFace));
  b->SetDown(true);
  auto down = shot();
  EXPECT_NE(down(0, 0), ColorToRGB(clBtnHighlight));  // pushed: the edge turns
}

TEST_F(ProCheckBox, ReturnActsAsTabWhenAsked) {
  TProCheckBox* c = Box();
  c->SetTabStop(true);
  auto* next = new TProbe(F.Form, F.Form, "Next", nullptr);
  next->SetBounds(300, 100, 40, 40);
  c->SetFocus();
  QTest::keyClick(c->View(), Qt::Key_Return);
  EXPECT_TRUE(c->Focused());  // Enter is not Tab by default
  c->SetReturnIsTab(true);
  QTest::keyClick(c->View(), Qt::Key_Return);
  EXPECT_TRUE(next->Focused());
  EXPECT_FALSE(c->Checked());
}
