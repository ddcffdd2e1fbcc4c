// The grid library's combo box on a form shown offscreen: its settings, the
// focus colour and the colour it returns to, OnDropUp.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "controls/PsgCombo.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Snapshot.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class PsgCombo : public testing::Test {
 protected:
  void SetUp() override {
    Combo = new TPsgComboBox(F.Form);
    Combo->SetParent(F.Form);
    Combo->SetBounds(10, 10, 120, 21);
    for (const char* s : {"NONE", "ODD", "EVEN"}) Combo->Items()->Add(QString::fromLatin1(s));
    Other = new TProbe(F.Form, F.Form, "Other", nullptr);
    Other->SetBounds(200, 10, 40, 40);
    F.Show();
  }
  TShownForm F{300, 200};
  TPsgComboBox* Combo = nullptr;
  TProbe* Other = nullptr;
};

TEST_F(PsgCombo, ButtonWidthTakesOnlyFourteenToThirtyTwo) {
  Combo->SetButtonWidth(20);
  for (int w : {13, 33, -1}) {
    Combo->SetButtonWidth(w);
    EXPECT_EQ(Combo->ButtonWidth(), 20) << w;
  }
  for (int w : {14, 32}) {
    Combo->SetButtonWidth(w);
    EXPECT_EQ(Combo->ButtonWidth(), w);
  }
}

TEST_F(PsgCombo, AComboMadeAtRunTimeGivesUpItsFocusColour) {
  Other->SetFocus();
  const TColor normal = Combo->Color();
  Combo->SetFocusColor(clYellow);
  Combo->SetFocus();
  EXPECT_TRUE(Combo->HasFocus());
  EXPECT_EQ(Combo->Color(), clYellow);
  Other->SetFocus();
  EXPECT_FALSE(Combo->HasFocus());
  EXPECT_EQ(Combo->Color(), normal);
  // A colour set while not focused is the one it comes back to.
  Combo->SetColor(clAqua);
  Combo->SetFocus();
  EXPECT_EQ(Combo->Color(), clYellow);
  Other->SetFocus();
  EXPECT_EQ(Combo->Color(), clAqua);
}

TEST_F(PsgCombo, ClosingTheListFiresOnDropUpOnce) {
  int up = 0;
  Combo->OnDropUp = [&](TObject*) { ++up; };
  Combo->SetFocus();
  Combo->SetDroppedDown(true);
  ASSERT_TRUE(Combo->DroppedDown());
  QTest::keyClick(Combo->View(), Qt::Key_Escape);
  EXPECT_FALSE(Combo->DroppedDown());
  EXPECT_EQ(up, 1);
}

TEST_F(PsgCombo, SelectItemAndDropWidth) {
  Combo->SelectItem("ODD");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  Combo->SelectItem("MARK");
  EXPECT_EQ(Combo->ItemIndex(), 1);
  Combo->SetDropWidth(200);
  EXPECT_EQ(Combo->DropDownWidth(), 200);
  EXPECT_EQ(Combo->Perform(CB_GETDROPPEDWIDTH, 0, 0), 200);
}

// The colour of a pixel as a TColor.
TColor PixelAt(TControl* C, int X, int Y) {
  const QImage img = GrabControl(C);
  const QRgb p = img.pixel(X, Y);
  return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

TEST_F(PsgCombo, FramesFollowTheBorderAndFocusColours) {
  Other->SetFocus();
  Combo->SetFocusBorderColor(clBlue);
  Combo->Repaint();
  EXPECT_NE(PixelAt(Combo, 0, 0), clBlue);  // the focus frame waits for the focus
  Combo->SetFocus();
  Combo->Repaint();
  EXPECT_EQ(PixelAt(Combo, 0, 0), clBlue);
  Other->SetFocus();
  Combo->SetBorderColor(clRed);
  Combo->Repaint();
  EXPECT_EQ(PixelAt(Combo, 0, 5), clRed);
  // Disabled with DisabledBorder off: the fixed frame of a disabled combo.
  Combo->SetDisabledBorder(false);
  Combo->SetEnabled(false);
  Combo->Repaint();
  EXPECT_EQ(PixelAt(Combo, 3, 0), TColor(0xB99D7F));
}

TEST_F(PsgCombo, AColouredButtonShowsItsArrow) {
  Combo->ButtonColor = clYellow;
  Combo->ButtonTextColor = clNavy;
  Combo->Repaint();
  const int edge = (Combo->Width() - Combo->ClientWidth()) / 2;
  const int left = edge + Combo->ClientWidth() - Combo->ButtonWidth() + 4;
  EXPECT_EQ(PixelAt(Combo, left + 1, 4), clYellow);
  EXPECT_EQ(PixelAt(Combo, left + 7, 2 + 8), clNavy);
  EXPECT_EQ(PixelAt(Combo, left + 4, 2 + 7), clNavy);
  EXPECT_EQ(PixelAt(Combo, left + 7, 2 + 11), clYellow);  // three pixels high
}

TEST_F(PsgCombo, TheLabelStandsBesideTheCombo) {
  Combo->SetBounds(100, 50, 120, 21);
  EXPECT_EQ(Combo->Label(), nullptr);
  Combo->SetLabelCaption("Parity:");
  TLabel* l = Combo->Label();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->Parent(), F.Form);
  EXPECT_EQ(l->FocusControl(), Combo);
  l->Canvas()->SetFont(l->Font());
  const int w = l->Canvas()->TextWidth("Parity:");
  EXPECT_EQ(l->Left(), 100 - w - 4);
  EXPECT_EQ(l->Top(), 50);
  struct TCase {
    TLabelPosition Pos;
    int Left, Top;
  };
  const int lh = l->Height(), lw = l->Width();
  for (const TCase& t : {TCase{lpTopLeft, 100, 50 - lh - 4}, TCase{lpBottomLeft, 100, 75},
                         TCase{lpRightCenter, 224, 50 + (21 - lh) / 2},
                         TCase{lpTopCenter, 100 + (120 - lw) / 2, 50 - lh - 4},
                         TCase{lpLeftBottomLeft, 96, 71 - lh}}) {
    Combo->SetLabelPosition(t.Pos);
    EXPECT_EQ(l->Left(), t.Left) << t.Pos;
    EXPECT_EQ(l->Top(), t.Top) << t.Pos;
  }
  // The label moves with the combo and follows its state.
  Combo->SetBounds(110, 60, 120, 21);
  EXPECT_EQ(l->Left(), 106);
  EXPECT_EQ(l->Top(), 81 - lh);
  Combo->SetFocusLabel(true);
  Other->SetFocus();
  Combo->SetFocus();
  EXPECT_TRUE(l->Font()->Style().contains(fsBold));
  Other->SetFocus();
  EXPECT_FALSE(l->Font()->Style().contains(fsBold));
  Combo->SetEnabled(false);
  EXPECT_FALSE(l->Enabled());
  Combo->SetLabelAlwaysEnabled(true);
  EXPECT_TRUE(l->Enabled());
  Combo->SetVisible(false);
  EXPECT_FALSE(l->Visible());
}

}  // namespace
