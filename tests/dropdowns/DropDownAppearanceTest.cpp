// The header and footer appearance of drop-down pop-ups and the step gradient.
#include <gtest/gtest.h>

#include <vector>

#include "dropdowns/ProDropDown.h"
#include "dropdowns/psgdd.h"
#include "platform/gdi/WinGdi.h"

namespace {

// The colours of one row (Horizontal) or one column of a bitmap.
std::vector<TColor> Line(TBitmap& Bmp, bool Horizontal, int At) {
  std::vector<TColor> r;
  const int n = Horizontal ? Bmp.Width() : Bmp.Height();
  for (int i = 0; i < n; ++i)
    r.push_back(TColor(GetPixel(Bmp.Canvas()->Handle(), Horizontal ? i : At, Horizontal ? At : i)));
  return r;
}

constexpr TColor kMark = TColor(0x123456);

// A bitmap filled with a mark colour, so that unpainted pixels show.
std::unique_ptr<TBitmap> Marked(int W, int H) {
  auto bmp = std::make_unique<TBitmap>(W, H);
  bmp->Canvas()->Brush()->SetColor(kMark);
  bmp->Canvas()->FillRect(TRect(0, 0, W, H));
  return bmp;
}

}  // namespace

TEST(StepGradient, StripsCoverTheRectangleWithoutGaps) {
  struct Case {
    int Steps;
    int Size;
    bool Horizontal;
    std::vector<TColor> Expected;  // inside the rectangle, from its start
  };
  const TColor k128 = RGB(128, 128, 128), k85 = RGB(85, 85, 85), k170 = RGB(170, 170, 170);
  const std::vector<Case> cases = {
      // Steps 0 counts as 1: one solid strip in the start colour.
      {0, 5, true, {clBlack, clBlack, clBlack, clBlack, clBlack}},
      // A share of 4.5 pixels from x = 1: the second strip starts at 5.5, rounded
      // to even (6), and reaches the last pixel.
      {2, 10, true, {0, 0, 0, 0, 0, k128, k128, k128, k128, k128}},
      {3, 7, false, {0, 0, k85, k85, k170, k170, k170}},
      // More strips than pixels still paints every pixel.
      {8, 5, true, {}},
  };
  for (const Case& c : cases) {
    auto bmp = Marked(c.Size + 2, c.Size + 2);
    const TRect r = c.Horizontal ? TRect(1, 1, 1 + c.Size, 3) : TRect(1, 1, 3, 1 + c.Size);
    DrawStepGradient(bmp->Canvas(), clBlack, clWhite, c.Steps, r, c.Horizontal);
    std::vector<TColor> line = Line(*bmp, c.Horizontal, 2);
    SCOPED_TRACE(testing::Message() << "steps " << c.Steps << " size " << c.Size);
    // Nothing outside the rectangle is painted.
    EXPECT_EQ(line.front(), kMark);
    EXPECT_EQ(line.back(), kMark);
    std::vector<TColor> inside(line.begin() + 1, line.end() - 1);
    if (!c.Expected.empty()) { EXPECT_EQ(inside, c.Expected); }
    for (TColor px : inside) EXPECT_NE(px, kMark);
    // The cross direction is painted fully too and no further.
    std::vector<TColor> across = Line(*bmp, !c.Horizontal, 1);
    EXPECT_EQ(across[0], kMark);
    EXPECT_NE(across[1], kMark);
    EXPECT_NE(across[2], kMark);
    EXPECT_EQ(across[3], kMark);
  }
}

TEST(StepGradient, StripColoursResolveSystemColours) {
  auto bmp = Marked(4, 4);
  DrawStepGradient(bmp->Canvas(), clBtnFace, clBtnFace, 2, TRect(0, 0, 4, 4), false);
  for (TColor px : Line(*bmp, false, 0)) EXPECT_EQ(px, ColorToRGB(clBtnFace));
}

TEST(DropDownAppearance, DefaultsOfHeaderAndFooter) {
  TPersistent owner;
  THeaderAppearance header(&owner);
  TFooterAppearance footer(&owner);
  for (TDropDownBarAppearance* a : std::vector<TDropDownBarAppearance*>{&header, &footer}) {
    EXPECT_EQ(a->Color(), TColor(0xC0C0C0));
    EXPECT_EQ(a->ColorTo(), TColor(0xFFFFFF));
    EXPECT_EQ(a->Caption(), "");
    EXPECT_EQ(a->GradientDirection(), gdVertical);
    EXPECT_TRUE(a->Visible());
    EXPECT_EQ(a->Height(), 22);
    EXPECT_EQ(a->BorderColor(), TColor(0));
    EXPECT_EQ(a->BorderWidth(), 1);
    EXPECT_EQ(a->ImageIndex(), -1);
    EXPECT_EQ(a->ButtonAlignment(), baRight);
    EXPECT_EQ(a->GetOwner(), &owner);
  }
  EXPECT_EQ(header.Font()->Name(), "Tahoma");
  EXPECT_EQ(footer.Font()->Name(), TFont().Name());
  EXPECT_TRUE(footer.SizeGrip());
  EXPECT_EQ(header.Buttons()->Count(), 0);
  EXPECT_EQ(footer.Buttons()->GetOwner(), &owner);
}

TEST(DropDownAppearance, AssignCopiesEverythingAndReportsVisibleOnce) {
  THeaderAppearance src(nullptr), dst(nullptr);
  src.SetColor(clRed);
  src.SetColorTo(clNone);
  src.SetCaption("<b>Pick</b>");
  src.Font()->SetHeight(-11);
  src.SetGradientDirection(gdHorizontal);
  src.SetVisible(false);
  src.SetHeight(30);
  src.SetBorderColor(clBlue);
  src.SetBorderWidth(2);
  src.SetImageIndex(3);
  src.SetButtonAlignment(baLeft);
  src.Buttons()->Add()->SetCaption("OK");

  int changes = 0, buttonChanges = 0;
  dst.OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &dst);
    ++changes;
  };
  dst.OnButtonsChanged = [&](TObject*) { ++buttonChanges; };
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);
  EXPECT_GE(buttonChanges, 1);
  EXPECT_EQ(dst.Color(), clRed);
  EXPECT_EQ(dst.ColorTo(), clNone);
  EXPECT_EQ(dst.Caption(), "<b>Pick</b>");
  EXPECT_EQ(dst.Font()->Height(), -11);
  EXPECT_EQ(dst.GradientDirection(), gdHorizontal);
  EXPECT_FALSE(dst.Visible());
  EXPECT_EQ(dst.Height(), 30);
  EXPECT_EQ(dst.BorderColor(), clBlue);
  EXPECT_EQ(dst.BorderWidth(), 2);
  EXPECT_EQ(dst.ImageIndex(), 3);
  EXPECT_EQ(dst.ButtonAlignment(), baLeft);
  ASSERT_EQ(dst.Buttons()->Count(), 1);
  EXPECT_EQ(dst.Buttons()->Items(0)->Caption(), "OK");
  // Assigning again changes nothing visible: no report.
  dst.Assign(&src);
  EXPECT_EQ(changes, 1);

  // Another class is ignored without error.
  TFooterAppearance footer(nullptr);
  footer.Assign(&src);
  EXPECT_EQ(footer.Color(), TColor(0xC0C0C0));
}

TEST(DropDownAppearance, AssignColorsCopiesOnlyTheLook) {
  TFooterAppearance src(nullptr), dst(nullptr);
  src.SetColor(clRed);
  src.SetColorTo(clBlue);
  src.SetBorderColor(clLime);
  src.Font()->SetName("Courier New");
  src.SetGradientDirection(gdHorizontal);
  src.SetHeight(40);
  src.SetSizeGrip(false);
  dst.AssignColors(&src);
  EXPECT_EQ(dst.Color(), clRed);
  EXPECT_EQ(dst.ColorTo(), clBlue);
  EXPECT_EQ(dst.BorderColor(), clLime);
  EXPECT_EQ(dst.Font()->Name(), "Courier New");
  EXPECT_EQ(dst.GradientDirection(), gdHorizontal);
  EXPECT_EQ(dst.Height(), 22);
  EXPECT_TRUE(dst.SizeGrip());
  dst.Assign(&src);
  EXPECT_EQ(dst.Height(), 40);
  EXPECT_FALSE(dst.SizeGrip());
}

TEST(DropDownAppearance, ButtonChangesReportedOnlyForCaptionEnabledAndWidth) {
  TFooterAppearance footer(nullptr);
  int reports = 0;
  footer.OnButtonsChanged = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &footer);
    ++reports;
  };
  TFooterButton* b = footer.Buttons()->Add();
  const int afterAdd = reports;
  EXPECT_GE(afterAdd, 1);
  b->SetHeight(30);
  b->SetImageIndex(2);
  b->SetModalResult(mrOk);
  EXPECT_EQ(reports, afterAdd);
  b->SetCaption("Close");
  b->SetEnabled(false);
  b->SetWidth(60);
  EXPECT_EQ(reports, afterAdd + 3);
  b->SetWidth(60);
  EXPECT_EQ(reports, afterAdd + 3);

  TFooterAppearance other(nullptr);
  other.Buttons()->Add()->Assign(b);
  TFooterButton* copy = other.Buttons()->Items(0);
  EXPECT_EQ(copy->Caption(), "Close");
  EXPECT_FALSE(copy->Enabled());
  EXPECT_EQ(copy->Width(), 60);
  EXPECT_EQ(copy->Height(), 30);
  EXPECT_EQ(copy->ImageIndex(), 2);
  EXPECT_EQ(copy->ModalResult(), mrOk);
}

TEST(DragDropSwitches, RichTextFlagIsProcessWide) {
  EXPECT_FALSE(RTFDragDrop());
  SetRTFDragDrop(true);
  EXPECT_TRUE(RTFDragDrop());
  SetRTFDragDrop(false);
}
