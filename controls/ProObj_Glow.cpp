// The pieces of the focus glow: its window, the alpha mask, the rounded
// rectangle mask and the Gaussian blur.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "controls/ProObj.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/WinLayered.h"

// ---------------------------------------------------------------------------
// TGridFocusWindow

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 0, 0);
  SetColor(clRed);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_DISABLED;
  Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

void TGridFocusWindow::CreateWnd() {
  TCustomControl::CreateWnd();
  MakePopupWindow(this, true);
}

// ---------------------------------------------------------------------------
// TGridAlphaMask

TGridAlphaMask::TGridAlphaMask() { SetPixelFormat(pf32bit); }

void TGridAlphaMask::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TGridAlphaMask*>(Source)) {
    FOpacity = src->FOpacity;
    // Only what both masks hold is copied, should their sizes differ.
    const int rows = std::min(Height(), src->Height());
    const int bytes = 4 * std::min(Width(), src->Width());
    for (int y = 0; y < rows; ++y) std::memcpy(ScanLine(y), src->ScanLine(y), bytes);
  } else {
    TBitmap::Assign(Source);
  }
  SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor) {
  if (Mask == nullptr || Bitmap == nullptr || Bitmap->PixelFormat() != pf24bit) return;
  SetPixelFormat(pf32bit);
  SetSize(Bitmap->Width(), Bitmap->Height());
  // The mask is read as a 24-bit picture; pixels it lacks count as transparent.
  TBitmap mask24;
  mask24.Assign(Mask);
  mask24.SetPixelFormat(pf24bit);
  for (int y = 0; y < Height(); ++y) {
    const Byte* src = Bitmap->ScanLine(y);
    const Byte* m = y < mask24.Height() ? mask24.ScanLine(y) : nullptr;
    Byte* dst = ScanLine(y);
    for (int x = 0; x < Width(); ++x) {
      const int a = (m != nullptr && x < mask24.Width()) ? m[3 * x + 2] : 0;
      for (int ch = 0; ch < 3; ++ch)
        dst[4 * x + ch] = static_cast<Byte>(std::nearbyint(src[3 * x + ch] * a / 255.0));
      dst[4 * x + 3] = static_cast<Byte>(a);
    }
  }
}

// ---------------------------------------------------------------------------
// The mask and its blur

void CreateRoundRectGlowMask(TBitmap* Bitmap, int Width, int Height, int PenWidth,
                             int CornerSize, int Radius) {
  Bitmap->SetPixelFormat(pf24bit);
  Bitmap->SetSize(Width, Height);
  TCanvas* c = Bitmap->Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBlack);
  c->FillRect(TRect(0, 0, Width, Height));
  TPen oldPen;
  oldPen.Assign(c->Pen());
  TBrush oldBrush;
  oldBrush.Assign(c->Brush());
  if (PenWidth < 1) {
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clWhite);
  } else {
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetWidth(PenWidth);
    c->Brush()->SetColor(clBlack);
  }
  const int half = PenWidth / 2;
  c->RoundRect(half + 2, half + 2, Width - half - 2, Height - half - 2, CornerSize, CornerSize);
  c->Pen()->Assign(&oldPen);
  c->Brush()->Assign(&oldBrush);
  if (Radius > 0) GaussianBlur24(Bitmap, Radius);
}

namespace {

// The weights for the offsets -10..10 (index 10 is the centre) and the
// half-width of the taps that matter.
struct TKernel {
  float W[21];
  int Half;
};

TKernel MakeKernel(double Radius) {
  TKernel k{};
  double sum = 0;
  for (int i = 0; i <= 20; ++i) {
    const double d = (i - 10) / Radius;
    k.W[i] = static_cast<float>(std::exp(-(d * d) / 2));
    sum += k.W[i];
  }
  for (float& w : k.W) w = static_cast<float>(w / sum);
  int j = 10;
  double tail = 0;
  while (tail < 1.0 / 510 && j > 1) {
    tail += 2 * k.W[10 + j];
    --j;
  }
  sum = 0;
  for (int i = 10 - j; i <= 10 + j; ++i) sum += k.W[i];
  for (int i = 10 - j; i <= 10 + j; ++i) k.W[i] = static_cast<float>(k.W[i] / sum);
  k.Half = j;
  return k;
}

// One pass over N pixels of 3 bytes at Stride bytes apart.
void BlurLine(const TKernel& K, Byte* Line, int N, int Stride, std::vector<Byte>& Work) {
  Work.assign(static_cast<size_t>(N) * 3, 0);
  for (int p = 0; p < N; ++p)
    for (int ch = 0; ch < 3; ++ch) {
      double s = 0;
      for (int i = -K.Half; i <= K.Half; ++i) {
        const int q = std::clamp(p - i, 0, N - 1);
        s += K.W[10 + i] * Line[q * Stride + ch];
      }
      Work[3 * p + ch] = static_cast<Byte>(std::clamp(static_cast<int>(s), 0, 255));
    }
  for (int p = 0; p < N; ++p)
    for (int ch = 0; ch < 3; ++ch) Line[p * Stride + ch] = Work[3 * p + ch];
}

}  // namespace

void GaussianBlur24(TBitmap* Bitmap, double Radius) {
  if (Bitmap == nullptr || Bitmap->PixelFormat() != pf24bit)
    throw Exception(QStringLiteral("Blur only works for 24-bit bitmaps"));
  const TKernel k = MakeKernel(Radius);
  const int w = Bitmap->Width(), h = Bitmap->Height();
  std::vector<Byte> work;
  for (int y = 0; y < h; ++y) {
    Byte* row = Bitmap->ScanLine(y);
    if (20 < y && y < h - 20)
      std::memcpy(row, Bitmap->ScanLine(15), static_cast<size_t>(w) * 3);
    else
      BlurLine(k, row, w, 3, work);
  }
  std::vector<Byte> column(static_cast<size_t>(h) * 3);
  for (int x = 0; x < w; ++x) {
    if (20 < x && x < w - 20) {
      for (int y = 0; y < h; ++y) {
        Byte* row = Bitmap->ScanLine(y);
        std::memcpy(row + 3 * x, row + 3 * 15, 3);
      }
      continue;
    }
    for (int y = 0; y < h; ++y) std::memcpy(&column[3 * static_cast<size_t>(y)], Bitmap->ScanLine(y) + 3 * x, 3);
    BlurLine(k, column.data(), h, 3, work);
    for (int y = 0; y < h; ++y) std::memcpy(Bitmap->ScanLine(y) + 3 * x, &column[3 * static_cast<size_t>(y)], 3);
  }
}
