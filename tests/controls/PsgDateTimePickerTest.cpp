// The grid library's date picker on a shown form: version, the metro drop
// button in its hot, down and normal colours, the frame and border, the plain
// look without the metro style, and the button hover driven by the mouse.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QScopeGuard>
#include <QTest>
#include <QWidget>

#include "controls/PsgDateTimePicker.h"
#include "controls/ProXPVS.h"
#include "tests/controls/ThemeFakes.h"
#include "platform/os/ScopedService.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/UxTheme.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/ExtCtrls.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// The picker with its mouse and focus state readable.
class TPickerProbe : public TPsgDateTimePicker {
 public:
  using TPsgDateTimePicker::TPsgDateTimePicker;
  bool ButtonHover() const { return FButtonHover; }
  bool MouseInControl() const { return FMouseInControl; }
  bool HasFocus() const { return FHasFocus; }
  void SetFocusBorderColor(TColor C) { FFocusBorderColor = C; }
  void SetDisabledBorder(bool B) { FDisabledBorder = B; }
  TRect DropButtonRectForTest() const { return DropButtonRect(); }
};

// Common controls of version 5: not themed.
class TOldControls : public TNoVisualStyles {
 public:
  int CommonControlsMajorVersion() override { return 5; }
};

constexpr TColor Fill = TColor(0x00C08040);
constexpr TColor FillHot = TColor(0x0040C0F0);
constexpr TColor FillDown = TColor(0x00204080);
constexpr TColor Arrow = TColor(0x00FFFFFF);
constexpr TColor ArrowDown = TColor(0x0000FFFF);
constexpr TColor ButtonLine = TColor(0x00008000);

TColor PixelOf(const QImage& I, int X, int Y) { return FromQColor(I.pixelColor(X, Y)); }

class PsgDatePicker : public ::testing::Test {
 protected:
  void SetUp() override {
    Other = new TPanel(F.Form);
    Other->SetParent(F.Form);
    Other->SetBounds(20, 200, 100, 40);
    F.Show();
  }
  template <class T = TPickerProbe>
  T* Make(int Top = 20) {
    auto* p = new T(F.Form);
    p->SetParent(F.Form);
    p->SetBounds(20, Top, 186, 21);
    p->SetFormat(QStringLiteral("dd.MM.yyyy"));
    p->SetDate(EncodeDate(2024, 3, 15));
    return p;
  }
  void Metro(TPsgDateTimePicker* P) {
    P->SetMetroStyle(true);
    P->SetButtonColor(Fill);
    P->SetButtonColorHot(FillHot);
    P->SetButtonColorDown(FillDown);
    P->SetButtonTextColor(Arrow);
    P->SetButtonTextColorDown(ArrowDown);
    P->SetButtonBorderColor(ButtonLine);
  }
  // The picker's window as it stands after the painting that is due.
  static QImage Shown(TWinControl* C) {
    C->Update();
    return C->BackBuffer()->copy();
  }
  static QImage Painted(TWinControl* C) {
    C->PaintNow();
    return C->BackBuffer()->copy();
  }
  // Mouse moves in a control's window coordinates.
  static void MoveTo(TControl* C, int X, int Y) { QTest::mouseMove(C->View(), QPoint(X, Y)); }

  TShownForm F{400, 300};
  TPanel* Other = nullptr;
};

}  // namespace

TEST_F(PsgDatePicker, VersionReadsOneZeroZeroZeroAndIgnoresWrites) {
  TPickerProbe* p = Make();
  EXPECT_EQ(p->Version(), QStringLiteral("1.0.0.0"));
  EXPECT_EQ(p->GetVersionNr(), 0x01000000);
  p->SetVersion(QStringLiteral("2.3.4.5"));
  EXPECT_EQ(p->Version(), QStringLiteral("1.0.0.0"));
  EXPECT_EQ(p->GetVersionNr(), 0x01000000);
}

TEST_F(PsgDatePicker, StartsWithItsOwnLookSwitchedOff) {
  TPickerProbe* p = Make();
  EXPECT_TRUE(p->Ctl3D());
  EXPECT_FALSE(p->ParentCtl3D());
  EXPECT_TRUE(p->DoubleBuffered());
  EXPECT_EQ(p->BorderStyle(), bsNone);
  EXPECT_FALSE(p->MetroStyle());
  EXPECT_EQ(p->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  for (TColor c : {p->BorderColor(), p->ButtonColor(), p->ButtonColorHot(), p->ButtonColorDown(),
                   p->ButtonTextColor(), p->ButtonTextColorHot(), p->ButtonTextColorDown(),
                   p->ButtonBorderColor()})
    EXPECT_EQ(c, clNone);
  // A form without the 3-D look does not change it.
  F.Form->SetCtl3D(false);
  EXPECT_TRUE(p->Ctl3D());
}

// The drop button of the metro look, read from the window: the fill, the line on
// its left edge and the arrow's corners, for the mouse away, over the button
// and pressed on it.
TEST_F(PsgDatePicker, MetroButtonFollowsNormalHotAndDown) {
  TPickerProbe* p = Make();
  Metro(p);
  const TRect ins = p->NonClientInsets();
  TRect b = p->DropButtonRectForTest();
  OffsetRect(b, ins.Left, ins.Top);  // window coordinates
  struct TLook {
    const char* State;
    TColor Fill, Arrow;
  };
  auto check = [&](const QImage& img, const TLook& l) {
    SCOPED_TRACE(l.State);
    EXPECT_EQ(PixelOf(img, b.Left + 3, b.Top + 1), l.Fill);
    EXPECT_EQ(PixelOf(img, b.Right - 1, b.Bottom - 1), l.Fill);
    EXPECT_EQ(PixelOf(img, b.Left + 2, b.Top + 7), l.Fill);   // left of the arrow
    EXPECT_EQ(PixelOf(img, b.Left, b.Top + 3), ButtonLine);
    EXPECT_EQ(PixelOf(img, b.Left, b.Bottom - 1), ButtonLine);
    EXPECT_EQ(PixelOf(img, b.Left + 5, b.Top + 7), l.Arrow);
    EXPECT_EQ(PixelOf(img, b.Left + 10, b.Top + 7), l.Arrow);
    EXPECT_EQ(PixelOf(img, b.Left + 8, b.Top + 9), l.Arrow);
    EXPECT_EQ(PixelOf(img, b.Left + 8, b.Top + 11), l.Fill);  // below the arrow's tip
  };
  const QPoint text(20, 10);
  const QPoint button(b.Left + 8, b.Top + 4);
  MoveTo(p, text.x(), text.y());
  check(Painted(p), {"normal", Fill, Arrow});
  MoveTo(p, button.x(), button.y());
  ASSERT_TRUE(p->ButtonHover());
  check(Shown(p), {"hot", FillHot, Arrow});
  QTest::mousePress(p->View(), Qt::LeftButton, {}, button);
  ASSERT_TRUE(p->DroppedDown());
  check(Shown(p), {"down", FillDown, ArrowDown});
  QTest::mouseRelease(p->View(), Qt::LeftButton, {}, button);
  check(Shown(p), {"hot again", FillHot, Arrow});
  p->SetDroppedDown(false);
  MoveTo(p, text.x(), text.y());
  check(Shown(p), {"normal again", Fill, Arrow});
}

TEST_F(PsgDatePicker, StateColoursLeftUnsetFallBackToTheButtonColours) {
  TPickerProbe* p = Make();
  p->SetMetroStyle(true);
  p->SetButtonColor(Fill);
  const TRect ins = p->NonClientInsets();
  TRect b = p->DropButtonRectForTest();
  OffsetRect(b, ins.Left, ins.Top);
  MoveTo(p, b.Left + 8, b.Top + 4);
  QTest::mousePress(p->View(), Qt::LeftButton, {}, QPoint(b.Left + 8, b.Top + 4));
  const QImage down = Shown(p);
  EXPECT_EQ(PixelOf(down, b.Left + 3, b.Top + 1), Fill);
  EXPECT_EQ(PixelOf(down, b.Left + 8, b.Top + 9), ColorToRGB(clBtnText));
  QTest::mouseRelease(p->View(), Qt::LeftButton, {}, QPoint(b.Left + 8, b.Top + 4));
  p->SetDroppedDown(false);
}

// Without the metro look and with Ctl3D, nothing of the picker's own drawing shows:
// it paints pixel for pixel like the platform's picker, whatever colours are set.
TEST_F(PsgDatePicker, WithoutMetroItPaintsLikeThePlatformPicker) {
  TDateTimePicker* plain = Make<TDateTimePicker>(60);
  const QImage expected = Painted(plain);
  struct TCase {
    const char* Name;
    std::function<void(TPickerProbe*)> Set;
  };
  const TCase cases[] = {
      {"defaults", [](TPickerProbe*) {}},
      {"button colours", [this](TPickerProbe* p) {
         Metro(p);
         p->SetMetroStyle(false);
       }},
      {"border colour", [](TPickerProbe* p) { p->SetBorderColor(clRed); }},
      {"single border style", [](TPickerProbe* p) {
         p->SetBorderStyle(bsSingle);
         p->SetBorderColor(clRed);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TPickerProbe* p = Make();
    c.Set(p);
    EXPECT_EQ(Painted(p), expected);
    delete p;
  }
  // The comparison sees the metro look.
  TPickerProbe* metro = Make();
  Metro(metro);
  EXPECT_NE(Painted(metro), expected);
}

// In up-down mode the picker's spin buttons stay: the metro drop button belongs
// to the calendar mode and is not drawn over them.
TEST_F(PsgDatePicker, UpDownModeKeepsItsSpinButtons) {
  TDateTimePicker* plain = Make<TDateTimePicker>(60);
  plain->SetDateMode(dmUpDown);
  TPickerProbe* p = Make();
  Metro(p);
  p->SetDateMode(dmUpDown);
  EXPECT_EQ(Painted(p), Painted(plain));
}

TEST_F(PsgDatePicker, MetroFrameFollowsBorderColourFocusAndDisabledState) {
  TPickerProbe* p = Make();
  const QImage plain = Painted(p);
  p->SetMetroStyle(true);
  // No colours: the system's frame stays; the button is drawn flat.
  const QImage metro = Painted(p);
  for (int x = 0; x < p->Width(); ++x) EXPECT_EQ(metro.pixel(x, 0), plain.pixel(x, 0)) << x;
  EXPECT_NE(metro, plain);
  p->SetBorderColor(clRed);
  const QImage framed = Shown(p);  // the setter repaints
  EXPECT_EQ(PixelOf(framed, 0, 0), clRed);
  EXPECT_EQ(PixelOf(framed, p->Width() - 1, p->Height() - 1), clRed);
  EXPECT_EQ(PixelOf(framed, 1, 1), PixelOf(plain, 1, 1));  // one pixel wide
  p->SetBorderColor(clNone);

  // A focus border colour frames the picker only while it has the focus.
  p->SetFocusBorderColor(clBlue);
  p->SetFocus();
  ASSERT_TRUE(p->HasFocus());
  EXPECT_EQ(PixelOf(Shown(p), 0, 0), clBlue);
  Other->SetFocus();
  EXPECT_FALSE(p->HasFocus());
  EXPECT_EQ(PixelOf(Shown(p), 0, 0), PixelOf(plain, 0, 0));
  p->SetFocusBorderColor(clNone);

  // Disabled and themed, without DisabledBorder: the light blue frame.
  p->SetEnabled(false);
  EXPECT_EQ(PixelOf(Painted(p), 0, 0), TColor(0xB99D7F));
  p->SetDisabledBorder(true);
  EXPECT_NE(PixelOf(Painted(p), 0, 0), TColor(0xB99D7F));
}

// Disabled without themed common controls and without colours: the standard
// frame in the parent's and the control's colours, and a flat button face.
TEST_F(PsgDatePicker, DisabledUnthemedMetroGetsTheStandardFrame) {
  F.Form->SetColor(TColor(0x00E0E0E0));
  TScopedService old(SetVisualStyles, std::make_unique<TOldControls>());
  TPickerProbe* p = Make();
  p->SetMetroStyle(true);
  p->SetEnabled(false);
  const QImage img = Painted(p);
  EXPECT_EQ(PixelOf(img, 0, 0), TColor(0x00E0E0E0));
  EXPECT_EQ(PixelOf(img, 1, 1), TColor(0x00E0E0E0));
  EXPECT_EQ(PixelOf(img, 2, 2), ColorToRGB(p->Color()));
  // The button area, client width - ButtonWidth - 2 to the right edge, shrunk by 2.
  const int left = p->ClientWidth() - p->ButtonWidth();
  EXPECT_EQ(PixelOf(img, left + 1, 3), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelOf(img, p->Width() - 3, p->Height() - 3), ColorToRGB(clBtnFace));
}

// With an active theme and no button colour the button is the theme's combo
// button: state 1 normal, 2 hot, 3 dropped down, 4 disabled.
TEST_F(PsgDatePicker, ThemedButtonFollowsTheComboButtonStates) {
  auto fake = std::make_unique<TFakeStyles>();
  TFakeStyles* styles = fake.get();
  TScopedService themed(SetVisualStyles, std::move(fake));
  const auto unbind = qScopeGuard([] { FreeThemeLibrary(); });
  TPickerProbe* p = Make();
  p->SetMetroStyle(true);
  const TRect b = p->DropButtonRectForTest();
  const int ins = p->NonClientInsets().Left;
  auto lastState = [&](const char* What) {
    SCOPED_TRACE(What);
    styles->Log.clear();
    p->PaintNow();
    EXPECT_FALSE(styles->Log.empty());
    if (styles->Log.empty()) return -1;
    const TFakeStyles::Drawn& d = styles->Log.back();
    EXPECT_EQ(d.ClassList, QStringLiteral("combobox"));
    EXPECT_EQ(d.Part, 1);
    EXPECT_EQ(d.R, b);
    return d.State;
  };
  MoveTo(p, 20, 10);
  EXPECT_EQ(lastState("normal"), 1);
  MoveTo(p, b.Left + ins + 8, 10);
  EXPECT_EQ(lastState("hot"), 2);
  QTest::mouseClick(p->View(), Qt::LeftButton, {}, QPoint(b.Left + ins + 8, 10));
  ASSERT_TRUE(p->DroppedDown());
  EXPECT_EQ(lastState("dropped down"), 3);
  p->SetDroppedDown(false);
  p->SetEnabled(false);
  EXPECT_EQ(lastState("disabled"), 4);
}

// Without themed common controls the frame also draws the button area: a flat
// face, raised while the mouse is over the picker.
TEST_F(PsgDatePicker, UnthemedMetroButtonAreaIsRaisedWhileHot) {
  TScopedService old(SetVisualStyles, std::make_unique<TOldControls>());
  TPickerProbe* p = Make();
  p->SetMetroStyle(true);
  p->SetBorderColor(clRed);
  const int right = p->Width() - 3, bottom = p->Height() - 3;  // the area's last pixel
  MoveTo(Other, 10, 10);
  EXPECT_EQ(PixelOf(Painted(p), right, bottom), ColorToRGB(clBtnFace));
  MoveTo(p, 20, 10);
  ASSERT_TRUE(p->MouseInControl());
  EXPECT_EQ(PixelOf(Shown(p), right, bottom), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(PixelOf(Shown(p), 0, 0), clRed);
  MoveTo(Other, 10, 10);
  EXPECT_EQ(PixelOf(Shown(p), right, bottom), ColorToRGB(clBtnFace));
}

// Without Ctl3D a border colour gives the single-line border: in the parent's
// colour for bsNone, the themed frame colour for bsSingle, the border colour
// itself without themed common controls.
TEST_F(PsgDatePicker, SingleLineBorderWithoutCtl3D) {
  F.Form->SetColor(TColor(0x00E0E0E0));
  TPickerProbe* p = Make();
  p->SetBorderColor(clRed);
  p->SetCtl3D(false);
  QImage img = Shown(p);
  EXPECT_EQ(PixelOf(img, 0, 0), TColor(0x00E0E0E0));
  EXPECT_EQ(PixelOf(img, p->Width() - 1, 5), TColor(0x00E0E0E0));
  EXPECT_EQ(PixelOf(img, 1, 5), TColor(0x00E0E0E0));
  p->SetBorderStyle(bsSingle);
  img = Shown(p);
  EXPECT_EQ(PixelOf(img, 0, 0), TColor(0xB99D7F));
  EXPECT_EQ(PixelOf(img, 5, p->Height() - 1), TColor(0xB99D7F));
  EXPECT_EQ(PixelOf(img, 1, 5), TColor(0x00E0E0E0));
  p->SetCtl3D(true);  // the change repaints: the sunken edge is back
  EXPECT_NE(PixelOf(Shown(p), 0, 0), TColor(0xB99D7F));

  TScopedService old(SetVisualStyles, std::make_unique<TOldControls>());
  TPickerProbe* unthemed = Make(60);
  unthemed->SetBorderStyle(bsSingle);
  unthemed->SetBorderColor(clRed);
  unthemed->SetCtl3D(false);
  EXPECT_EQ(PixelOf(Painted(unthemed), 0, 0), clRed);
}

TEST_F(PsgDatePicker, ButtonHoverFollowsTheMouseOverTheButtonStrip) {
  TPickerProbe* p = Make();
  const int ins = p->NonClientInsets().Left;
  // Client x between Width - ButtonWidth and Width, exclusive.
  const int first = p->Width() - p->ButtonWidth() + 1;
  struct TStep {
    int ClientX;
    bool Hover;
  };
  const TStep steps[] = {{5, false}, {first, true}, {first - 1, false}, {p->ClientWidth() - 1, true},
                         {p->ClientWidth() / 2, false}, {first + 4, true}};
  for (const TStep& s : steps) {
    MoveTo(p, s.ClientX + ins, 10);
    EXPECT_EQ(p->ButtonHover(), s.Hover) << "client x " << s.ClientX;
    EXPECT_TRUE(p->MouseInControl());
  }
  // Leaving the picker clears both.
  MoveTo(Other, 10, 10);
  EXPECT_FALSE(p->ButtonHover());
  EXPECT_FALSE(p->MouseInControl());
}

TEST_F(PsgDatePicker, PictureUnderXvfb) {
  const QByteArray file = qgetenv("ZIDI_SCREENSHOT");
  if (file.isEmpty()) GTEST_SKIP() << "set ZIDI_SCREENSHOT=<file.png> for a picture";
  F.Form->SetColor(clBtnFace);
  Make<TDateTimePicker>(20);
  TPickerProbe* metro = Make(60);
  Metro(metro);
  TPickerProbe* framed = Make(100);
  Metro(framed);
  framed->SetBorderColor(TColor(0x00C08040));
  TPickerProbe* flat = Make(140);
  flat->SetCtl3D(false);
  flat->SetBorderStyle(bsSingle);
  flat->SetBorderColor(clRed);
  F.Form->PaintNow();
  EXPECT_TRUE(SaveControlToPng(F.Form, QString::fromLocal8Bit(file)));
}
