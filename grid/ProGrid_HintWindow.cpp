// The HTML hint window: measuring, keeping on the screen, painting.
#include "grid/ProGrid_HintWindow.h"

#include "controls/ProUtil.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_HintWindow_p.h"
#include "platform/gdi/WinGdi.h"

namespace {

QString& HintFontNameStore() {
  static QString name;
  return name;
}

// Wider texts wrap while the window is sized.
constexpr int kMeasureWidth = 1024 - 16;

}  // namespace

void HintDrawHTML(TCanvas* Canvas, const TRect& R, const QString& Text, bool MeasureOnly, bool WordWrap,
                  int& XSize, int& YSize, TImageList* Images, TPictureContainer* Container) {
  QString anchor, strip, focusAnchor, anchorTitle, controlID, controlValue, controlType;
  int links = 0, mouseLink = -1;
  TRect hoverRect, controlRect;
  DrawHTMLText(Canvas, Text, R, Images, 0, 0, -1, 0, 1, false, MeasureOnly, false, false, false, false,
               WordWrap, false, 0.0, clBlue, clNone, clNone, clGray, anchor, strip, focusAnchor,
               anchorTitle, XSize, YSize, links, mouseLink, hoverRect, controlRect, controlID,
               controlValue, controlType, nullptr, Container, nullptr, bdLeftToRight);
}

void THTMLHintWindow::SetHintFontName(const QString& Name) { HintFontNameStore() = Name; }
QString THTMLHintWindow::HintFontName() { return HintFontNameStore(); }

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

void THTMLHintWindow::Measure(const QString& AHint, int W, int& Width, int& Height) {
  if (ClassifyCellText(AHint, true) == ctkWide) {
    // Wide text: one line in the hint font.
    if (!HintFontName().isEmpty()) Canvas()->Font()->SetName(HintFontName());
    FWideCaption = DecodeWideText(AHint);
    TRect r{0, 0, W, 0};
    Height = DrawText(Canvas()->Handle(), FWideCaption, -1, r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    Width = r.Width();
    return;
  }
  // Every other text, plain text included, goes through the HTML layout.
  HintDrawHTML(Canvas(), TRect{0, 0, W, 4096}, AHint, true, true, Width, Height, FImages, FPictureContainer);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& AHint, void*) {
  int w = 0, h = 0;
  Measure(AHint, MaxWidth, w, h);
  return TRect{0, 0, w, h};
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const QString& AHint, void* AData) {
  // The grid gives the images that <IMG SRC="IDX:n"> and <IMG SRC="name"> show.
  if (auto* grid = AData ? dynamic_cast<TProStringGrid*>(static_cast<TObject*>(AData)) : nullptr) {
    FImages = grid->GridImages();
    FPictureContainer = grid->PictureContainer();
  }
  ActivateHint(Rect, AHint);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const QString& AHint) {
  SetCaption(AHint);
  TRect R = Rect;
  R.Right = R.Left + kMeasureWidth;
  int w = 0, h = 0;
  Measure(AHint, kMeasureWidth, w, h);
  const int B = ClassifyCellText(AHint, true) == ctkWide ? 8 : 16;
  FTextWidth = w;
  R.Right = R.Left + w + B;
  FTextHeight = h;
  R.Bottom = R.Top + h + 4;
  // Keep the window on the screen, 2 pixels inside its right and bottom edges.
  const TRect mon = Screen->DesktopRect();
  if (R.Right - mon.Left > mon.Width()) {
    R.Left = mon.Left + mon.Width() - (R.Right - R.Left) - 2;
    R.Right = R.Left + FTextWidth + B;
  }
  if (R.Bottom - mon.Top > mon.Height()) {
    R.Bottom = mon.Top + mon.Height() - 2;
    R.Top = R.Bottom - FTextHeight - 4;
  }
  THintWindow::ActivateHintData(R, AHint, nullptr);
}

void THTMLHintWindow::Paint() {
  const TRect C = ClientRect();
  TCanvas* cv = Canvas();
  cv->Brush()->SetColor(Color());
  cv->Brush()->SetStyle(bsSolid);
  cv->FillRect(C);
  cv->Pen()->SetColor(cl3DLight);
  cv->MoveTo(C.Left, C.Bottom - 2);
  cv->LineTo(C.Left, C.Top);
  cv->LineTo(C.Right - 1, C.Top);
  cv->Pen()->SetColor(cl3DDkShadow);
  cv->MoveTo(C.Left, C.Bottom - 1);
  cv->LineTo(C.Right - 1, C.Bottom - 1);
  cv->LineTo(C.Right - 1, C.Top - 1);
  TRect T{C.Left + 4, C.Top + (C.Bottom - C.Top - FTextHeight) / 2, C.Right - 4, 0};
  T.Bottom = T.Top + FTextHeight + 8;
  cv->Brush()->SetColor(Color());
  if (ClassifyCellText(Caption(), true) == ctkWide) {
    if (!HintFontName().isEmpty()) cv->Font()->SetName(HintFontName());
    DrawText(cv->Handle(), FWideCaption, -1, T, DT_NOPREFIX | DT_SINGLELINE);
  } else {
    int w = 0, h = 0;
    HintDrawHTML(cv, T, Caption(), false, false, w, h, FImages, FPictureContainer);
  }
}
