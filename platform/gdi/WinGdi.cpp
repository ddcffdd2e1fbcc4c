// GDI objects, device contexts, clipping and regions. The drawing (lines,
// shapes, pixels, rectangles and blits) is in WinGdi_Draw.cpp.
#include "platform/gdi/WinGdi.h"

#include <QPainterPath>
#include <QPolygon>
#include <algorithm>
#include <array>
#include <unordered_set>

#include "platform/gdi/DeviceContext_p.h"
#include "platform/ui/UiState_p.h"

HINSTANCE HInstance = 0x400000;

// ------------------------------------------------------------ GDI objects

namespace {
std::unordered_set<const TGdiObject*>& LiveObjects() {
  static std::unordered_set<const TGdiObject*> live;
  return live;
}
// The objects found live last (a painter selects the same few pens, brushes and
// fonts over and over); an object leaves them when it is deleted.
std::array<const TGdiObject*, 4> RecentlyLive{};
size_t NextRecent = 0;
}  // namespace

TGdiObject::TGdiObject(int AKind, bool AStock) : Kind(AKind), Stock(AStock) {
  LiveObjects().insert(this);
}
TGdiObject::~TGdiObject() {
  LiveObjects().erase(this);
  for (const TGdiObject*& r : RecentlyLive)
    if (r == this) r = nullptr;
}
bool TGdiObject::IsLive(const TGdiObject* H) {
  if (H == nullptr) return false;
  for (const TGdiObject* r : RecentlyLive)
    if (r == H) return true;
  if (LiveObjects().count(H) == 0) return false;
  RecentlyLive[NextRecent] = H;
  NextRecent = (NextRecent + 1) % RecentlyLive.size();
  return true;
}

int MulDiv(int Number, int Numerator, int Denominator) {
  if (Denominator == 0) return -1;
  int64_t p = int64_t(Number) * Numerator;
  // Rounds half away from zero, as the system does.
  bool neg = (p < 0) != (Denominator < 0);
  int64_t a = p < 0 ? -p : p;
  int64_t d = Denominator < 0 ? -int64_t(Denominator) : Denominator;
  int64_t q = (a + d / 2) / d;
  return int(neg ? -q : q);
}

HPEN CreatePenIndirect(const LOGPEN& Pen) { return new TGdiPen(Pen); }
HPEN CreatePen(int Style, int Width, COLORREF Color) {
  LOGPEN p;
  p.lopnStyle = UINT(Style);
  p.lopnWidth = TPoint(Width, 0);
  p.lopnColor = Color & 0xFFFFFF;
  return CreatePenIndirect(p);
}
HBRUSH CreateBrushIndirect(const LOGBRUSH& Brush) {
  auto* b = new TGdiBrush(Brush);
  b->Data.lbColor &= 0xFFFFFF;
  if (Brush.lbStyle == BS_PATTERN) {
    auto* bmp = reinterpret_cast<TGdiObject*>(Brush.lbHatch);
    if (TGdiObject::IsLive(bmp) && bmp->Kind == OBJ_BITMAP)
      b->Pattern = static_cast<TGdiBitmap*>(bmp)->Image;
    else
      b->Data.lbStyle = BS_NULL;
  }
  return b;
}
HBRUSH CreateSolidBrush(COLORREF Color) {
  LOGBRUSH b;
  b.lbStyle = BS_SOLID;
  b.lbColor = Color;
  return CreateBrushIndirect(b);
}
HBRUSH CreateHatchBrush(int Hatch, COLORREF Color) {
  LOGBRUSH b;
  b.lbStyle = BS_HATCHED;
  b.lbColor = Color;
  b.lbHatch = Hatch;
  return CreateBrushIndirect(b);
}
HBRUSH CreatePatternBrush(HBITMAP Bitmap) {
  LOGBRUSH b;
  b.lbStyle = BS_PATTERN;
  b.lbHatch = reinterpret_cast<intptr_t>(Bitmap);
  return CreateBrushIndirect(b);
}
HFONT CreateFontIndirect(const LOGFONT& Font) { return new TGdiFont(Font); }

HBITMAP CreateCompatibleBitmap(HDC, int Width, int Height) {
  QImage img(std::max(Width, 0), std::max(Height, 0), QImage::Format_RGB32);
  img.fill(Qt::black);
  return new TGdiBitmap(img);
}
HBITMAP CreateBitmap(int Width, int Height, UINT, UINT BitsPerPixel, const void* Bits) {
  QImage img(std::max(Width, 0), std::max(Height, 0), QImage::Format_RGB32);
  img.fill(Qt::black);
  if (Bits && BitsPerPixel == 32) {
    const auto* src = static_cast<const uint32_t*>(Bits);
    for (int y = 0; y < img.height(); ++y) {
      auto* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x) row[x] = src[y * Width + x] | 0xFF000000u;
    }
  } else if (Bits && BitsPerPixel == 1) {
    // Word-aligned rows of bits, 1 = white.
    const auto* src = static_cast<const uint8_t*>(Bits);
    int stride = ((Width + 15) / 16) * 2;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (src[y * stride + x / 8] & (0x80 >> (x % 8))) img.setPixel(x, y, 0xFFFFFFFFu);
  }
  return new TGdiBitmap(img);
}

HGDIOBJ GetStockObject(int Index) {
  auto pen = [](int style, COLORREF c) {
    LOGPEN p;
    p.lopnStyle = UINT(style);
    p.lopnWidth = TPoint(1, 0);
    p.lopnColor = c;
    return static_cast<HGDIOBJ>(new TGdiPen(p, true));
  };
  auto brush = [](int style, COLORREF c) {
    LOGBRUSH b;
    b.lbStyle = UINT(style);
    b.lbColor = c;
    return static_cast<HGDIOBJ>(new TGdiBrush(b, true));
  };
  static const HGDIOBJ stock[] = {
      brush(BS_SOLID, 0xFFFFFF), brush(BS_SOLID, 0xC0C0C0), brush(BS_SOLID, 0x808080),
      brush(BS_SOLID, 0x404040), brush(BS_SOLID, 0x000000), brush(BS_NULL, 0),
      pen(PS_SOLID, 0xFFFFFF), pen(PS_SOLID, 0x000000), pen(PS_NULL, 0)};
  static const HGDIOBJ font = [] {
    LOGFONT f;
    f.lfHeight = -11;
    f.lfFaceName = QStringLiteral("Tahoma");
    return static_cast<HGDIOBJ>(new TGdiFont(f, true));
  }();
  static const HGDIOBJ dcBrush = brush(BS_SOLID, 0xFFFFFF);
  static const HGDIOBJ dcPen = pen(PS_SOLID, 0);
  if (Index >= 0 && Index <= NULL_PEN) return stock[Index];
  if (Index == SYSTEM_FONT || Index == DEFAULT_GUI_FONT) return font;
  if (Index == DC_BRUSH) return dcBrush;
  if (Index == DC_PEN) return dcPen;
  return nullptr;
}

HBRUSH GetSysColorBrush(int Index) {
  // Made once and kept for the whole run: a plain array, so that nothing is
  // torn down before the last use at exit.
  static HGDIOBJ brushes[COLOR_MENUBAR + 1] = {};
  if (Index < 0 || Index > COLOR_MENUBAR) return nullptr;
  if (brushes[0] == nullptr) {
    for (int i = 0; i <= COLOR_MENUBAR; ++i) {
      LOGBRUSH b;
      b.lbColor = GetSysColor(i);
      brushes[i] = new TGdiBrush(b, true);
    }
  }
  return brushes[Index];
}

static HGDIOBJ DefaultBitmap() {
  static const HGDIOBJ bmp = [] {
    QImage img(1, 1, QImage::Format_RGB32);
    img.fill(Qt::black);
    return static_cast<HGDIOBJ>(new TGdiBitmap(img, true));
  }();
  return bmp;
}

BOOL DeleteObject(HGDIOBJ Object) {
  if (!TGdiObject::IsLive(Object)) return false;
  if (Object->Stock) return true;
  if (Object->Kind == OBJ_BITMAP && static_cast<TGdiBitmap*>(Object)->SelectedInto > 0) return false;
  delete Object;
  return true;
}

int GetObjectType(HGDIOBJ Object) { return TGdiObject::IsLive(Object) ? Object->Kind : 0; }

bool GetObject(HGDIOBJ Object, LOGFONT& Out) {
  if (!TGdiObject::IsLive(Object) || Object->Kind != OBJ_FONT) return false;
  Out = static_cast<TGdiFont*>(Object)->Info->Log;
  return true;
}
bool GetObject(HGDIOBJ Object, LOGPEN& Out) {
  if (!TGdiObject::IsLive(Object) || Object->Kind != OBJ_PEN) return false;
  Out = static_cast<TGdiPen*>(Object)->Data;
  return true;
}
bool GetObject(HGDIOBJ Object, LOGBRUSH& Out) {
  if (!TGdiObject::IsLive(Object) || Object->Kind != OBJ_BRUSH) return false;
  Out = static_cast<TGdiBrush*>(Object)->Data;
  return true;
}
bool GetObject(HGDIOBJ Object, BITMAP& Out) {
  if (!TGdiObject::IsLive(Object) || Object->Kind != OBJ_BITMAP) return false;
  auto& img = static_cast<TGdiBitmap*>(Object)->Image;
  Out = BITMAP();
  Out.bmWidth = img.width();
  Out.bmHeight = img.height();
  Out.bmWidthBytes = int(img.bytesPerLine());
  Out.bmBitsPixel = Word(img.depth());
  return true;
}

// -------------------------------------------------------- device contexts

TDeviceContext::TDeviceContext() {
  S.PenHandle = GetStockObject(BLACK_PEN);
  GetObject(S.PenHandle, S.Pen);
  S.BrushHandle = GetStockObject(WHITE_BRUSH);
  GetObject(S.BrushHandle, S.Brush);
  S.FontHandle = GetStockObject(SYSTEM_FONT);
  S.Font = static_cast<TGdiFont*>(S.FontHandle)->Info;
}

TDeviceContext::~TDeviceContext() {
  ReleasePainter();
  if (SelectedBitmap && TGdiObject::IsLive(SelectedBitmap)) --SelectedBitmap->SelectedInto;
}

void TDeviceContext::SetDevice(QPaintDevice* Device, bool ResetState) {
  ReleasePainter();
  FDevice = Device;
  FImage = nullptr;
  if (Device && Device->devType() == QInternal::Image) FImage = static_cast<QImage*>(Device);
  if (ResetState) {
    S.HasClip = false;
    S.Clip = QRegion();
    S.WindowOrg = S.ViewportOrg = S.PenPos = S.BrushOrg = TPoint();
    Saved.clear();
  }
  FDirty = true;
}

void ReleaseDevicePainters(QPaintDevice* Device) {
  auto& owners = UiState().PainterOwners;
  auto it = owners.find(Device);
  if (it != owners.end()) it->second->ReleasePainter();
}

HDC CreateDeviceContext(QPaintDevice* Device) {
  auto* dc = new TDeviceContext();
  dc->SetDevice(Device, true);
  return dc;
}

QPainter* TDeviceContext::Painter() {
  if (!FDevice) return nullptr;
  if (FDevice->width() <= 0 || FDevice->height() <= 0) return nullptr;
  if (S.HasClip && S.Clip.isEmpty()) return nullptr;
  if (!FPainter) {
    ReleaseDevicePainters(FDevice);
    UiState().PainterOwners[FDevice] = this;
    FPainter = std::make_unique<QPainter>();
    if (!FPainter->begin(FDevice)) {
      FPainter.reset();
      UiState().PainterOwners.erase(FDevice);
      return nullptr;
    }
    FDirty = true;
  }
  if (FDirty) Apply();
  Drawn();
  return FPainter.get();
}

void TDeviceContext::Apply() {
  QPainter& p = *FPainter;
  p.resetTransform();
  if (S.HasClip)
    p.setClipRegion(S.Clip);
  else
    p.setClipping(false);
  p.translate(Dx(), Dy());
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  FDirty = false;
}

void TDeviceContext::ReleasePainter() {
  if (FPainter) {
    FPainter->end();
    FPainter.reset();
    auto& owners = UiState().PainterOwners;
    auto it = owners.find(FDevice);
    if (it != owners.end() && it->second == this) owners.erase(it);
  }
  FDirty = true;
}

QRect TDeviceContext::DeviceBounds() const {
  if (!FDevice) return QRect();
  return QRect(0, 0, FDevice->width(), FDevice->height());
}

QRegion TDeviceContext::DrawableRegion() const {
  QRegion r(DeviceBounds());
  if (S.HasClip) r &= S.Clip;
  return r;
}

bool TDeviceContext::PixelVisible(const QPoint& P) const {
  if (!DeviceBounds().contains(P)) return false;
  return !S.HasClip || S.Clip.contains(P);
}

HDC CreateCompatibleDC(HDC) {
  auto* dc = new TDeviceContext();
  dc->IsMemoryDc = true;
  dc->BitmapHandle = DefaultBitmap();
  return dc;
}

BOOL DeleteDC(HDC DC) {
  if (!DC) return false;
  delete DC;
  return true;
}

int GetDeviceCaps(HDC DC, int Index) {
  switch (Index) {
    case LOGPIXELSX:
    case LOGPIXELSY: {
      // Images and the screen have the program's 96 pixels per inch; a printer its own.
      QPaintDevice* d = DC ? DC->Device() : nullptr;
      if (d && d->devType() != QInternal::Image && d->devType() != QInternal::Pixmap &&
          d->devType() != QInternal::Widget)
        return Index == LOGPIXELSX ? d->logicalDpiX() : d->logicalDpiY();
      return 96;
    }
    case HORZRES:
      return DC && DC->Device() ? DC->Device()->width() : 0;
    case VERTRES:
      return DC && DC->Device() ? DC->Device()->height() : 0;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    default:
      return 0;
  }
}

HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object) {
  if (!DC || !TGdiObject::IsLive(Object)) return nullptr;
  auto live = [](HGDIOBJ h) { return TGdiObject::IsLive(h) ? h : nullptr; };
  switch (Object->Kind) {
    case OBJ_PEN: {
      HGDIOBJ old = live(DC->S.PenHandle);
      DC->S.Pen = static_cast<TGdiPen*>(Object)->Data;
      DC->S.PenHandle = Object;
      return old;
    }
    case OBJ_BRUSH: {
      HGDIOBJ old = live(DC->S.BrushHandle);
      DC->S.Brush = static_cast<TGdiBrush*>(Object)->Data;
      DC->S.BrushPattern = static_cast<TGdiBrush*>(Object)->Pattern;
      DC->S.BrushHandle = Object;
      return old;
    }
    case OBJ_FONT: {
      HGDIOBJ old = live(DC->S.FontHandle);
      DC->S.Font = static_cast<TGdiFont*>(Object)->Info;
      DC->S.FontHandle = Object;
      return old;
    }
    case OBJ_REGION: {
      return reinterpret_cast<HGDIOBJ>(intptr_t(SelectClipRgn(DC, Object)));
    }
    case OBJ_BITMAP: {
      if (!DC->IsMemoryDc) return nullptr;
      HGDIOBJ old = live(DC->BitmapHandle);
      auto* bmp = static_cast<TGdiBitmap*>(Object);
      if (DC->SelectedBitmap && TGdiObject::IsLive(DC->SelectedBitmap)) --DC->SelectedBitmap->SelectedInto;
      DC->SelectedBitmap = bmp->Stock ? nullptr : bmp;
      if (DC->SelectedBitmap) ++bmp->SelectedInto;
      DC->BitmapHandle = Object;
      DC->SetDevice(bmp->Stock ? nullptr : &bmp->Image, false);
      return old;
    }
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC DC, UINT ObjectType) {
  if (!DC) return nullptr;
  HGDIOBJ h = nullptr;
  switch (ObjectType) {
    case OBJ_PEN: h = DC->S.PenHandle; break;
    case OBJ_BRUSH: h = DC->S.BrushHandle; break;
    case OBJ_FONT: h = DC->S.FontHandle; break;
    case OBJ_BITMAP: h = DC->BitmapHandle; break;
  }
  return TGdiObject::IsLive(h) ? h : nullptr;
}

int SaveDC(HDC DC) {
  if (!DC) return 0;
  DC->Saved.push_back(DC->S);
  return int(DC->Saved.size());
}

BOOL RestoreDC(HDC DC, int SavedDC) {
  if (!DC) return false;
  int n = int(DC->Saved.size());
  int level = SavedDC < 0 ? n + 1 + SavedDC : SavedDC;
  if (level < 1 || level > n) return false;
  DC->S = DC->Saved[level - 1];
  DC->Saved.resize(level - 1);
  DC->StateChanged();
  return true;
}

int SetBkMode(HDC DC, int Mode) {
  if (!DC) return 0;
  int old = DC->S.BkMode;
  if (Mode == TRANSPARENT || Mode == OPAQUE) DC->S.BkMode = Mode;
  return old;
}
int GetBkMode(HDC DC) { return DC ? DC->S.BkMode : 0; }
COLORREF SetBkColor(HDC DC, COLORREF Color) {
  if (!DC) return CLR_INVALID;
  COLORREF old = DC->S.BkColor;
  DC->S.BkColor = Color & 0xFFFFFF;
  return old;
}
COLORREF GetBkColor(HDC DC) { return DC ? DC->S.BkColor : CLR_INVALID; }
COLORREF SetTextColor(HDC DC, COLORREF Color) {
  if (!DC) return CLR_INVALID;
  COLORREF old = DC->S.TextColor;
  DC->S.TextColor = Color & 0xFFFFFF;
  return old;
}
COLORREF GetTextColor(HDC DC) { return DC ? DC->S.TextColor : CLR_INVALID; }
int SetROP2(HDC DC, int Mode) {
  if (!DC) return 0;
  int old = DC->S.Rop2;
  if (Mode >= R2_BLACK && Mode <= R2_WHITE) DC->S.Rop2 = Mode;
  return old;
}
int GetROP2(HDC DC) { return DC ? DC->S.Rop2 : 0; }
UINT SetTextAlign(HDC DC, UINT Align) {
  if (!DC) return 0;
  UINT old = DC->S.TextAlign;
  DC->S.TextAlign = Align;
  return old;
}
UINT GetTextAlign(HDC DC) { return DC ? DC->S.TextAlign : 0; }
int SetStretchBltMode(HDC DC, int Mode) {
  if (!DC) return 0;
  int old = DC->S.StretchMode;
  DC->S.StretchMode = Mode;
  return old;
}
int SetPolyFillMode(HDC DC, int Mode) {
  if (!DC) return 0;
  int old = DC->S.PolyFillMode;
  if (Mode == ALTERNATE || Mode == WINDING) DC->S.PolyFillMode = Mode;
  return old;
}
BOOL SetBrushOrgEx(HDC DC, int X, int Y, TPoint* Old) {
  if (!DC) return false;
  if (Old) *Old = DC->S.BrushOrg;
  DC->S.BrushOrg = TPoint(X, Y);
  return true;
}

BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old) {
  if (!DC) return false;
  if (Old) *Old = DC->S.WindowOrg;
  DC->S.WindowOrg = TPoint(X, Y);
  DC->StateChanged();
  return true;
}
BOOL GetWindowOrgEx(HDC DC, TPoint* Out) {
  if (!DC || !Out) return false;
  *Out = DC->S.WindowOrg;
  return true;
}
BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old) {
  if (!DC) return false;
  if (Old) *Old = DC->S.ViewportOrg;
  DC->S.ViewportOrg = TPoint(X, Y);
  DC->StateChanged();
  return true;
}
BOOL GetViewportOrgEx(HDC DC, TPoint* Out) {
  if (!DC || !Out) return false;
  *Out = DC->S.ViewportOrg;
  return true;
}
BOOL OffsetWindowOrgEx(HDC DC, int DX, int DY, TPoint* Old) {
  if (!DC) return false;
  return SetWindowOrgEx(DC, DC->S.WindowOrg.X + DX, DC->S.WindowOrg.Y + DY, Old);
}
BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old) {
  if (!DC) return false;
  return SetViewportOrgEx(DC, DC->S.ViewportOrg.X + DX, DC->S.ViewportOrg.Y + DY, Old);
}
void MoveWindowOrg(HDC DC, int DX, int DY) { OffsetWindowOrgEx(DC, -DX, -DY, nullptr); }
BOOL LPtoDP(HDC DC, TPoint* Points, int Count) {
  if (!DC) return false;
  for (int i = 0; i < Count; ++i) { Points[i].X += DC->Dx(); Points[i].Y += DC->Dy(); }
  return true;
}
BOOL DPtoLP(HDC DC, TPoint* Points, int Count) {
  if (!DC) return false;
  for (int i = 0; i < Count; ++i) { Points[i].X -= DC->Dx(); Points[i].Y -= DC->Dy(); }
  return true;
}

// ----------------------------------------------------------------- regions

static int RegionKind(const QRegion& R) {
  if (R.isEmpty()) return NULLREGION;
  return R.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}
static QRect QRectOf(int L, int T, int R, int B) {
  if (R < L) std::swap(L, R);
  if (B < T) std::swap(T, B);
  return QRect(L, T, R - L, B - T);
}

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom) {
  return new TGdiRegion(QRegion(QRectOf(Left, Top, Right, Bottom)));
}
HRGN CreateRectRgnIndirect(const TRect& R) { return CreateRectRgn(R.Left, R.Top, R.Right, R.Bottom); }
HRGN CreateEllipticRgn(int Left, int Top, int Right, int Bottom) {
  return new TGdiRegion(QRegion(QRectOf(Left, Top, Right, Bottom), QRegion::Ellipse));
}
HRGN CreateRoundRectRgn(int Left, int Top, int Right, int Bottom, int W, int H) {
  QPainterPath path;
  QRect r = QRectOf(Left, Top, Right, Bottom);
  path.addRoundedRect(QRectF(r), W / 2.0, H / 2.0);
  return new TGdiRegion(QRegion(path.toFillPolygon().toPolygon()));
}
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode) {
  QPolygon poly;
  for (int i = 0; i < Count; ++i) poly << QPoint(Points[i].X, Points[i].Y);
  return new TGdiRegion(QRegion(poly, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill));
}
int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode) {
  QRegion* d = RegionOf(Dest);
  QRegion* a = RegionOf(Src1);
  QRegion* b = RegionOf(Src2);
  if (!d || !a || (Mode != RGN_COPY && !b)) return ERROR_REGION;
  QRegion r;
  switch (Mode) {
    case RGN_AND: r = *a & *b; break;
    case RGN_OR: r = *a | *b; break;
    case RGN_XOR: r = *a ^ *b; break;
    case RGN_DIFF: r = *a - *b; break;
    case RGN_COPY: r = *a; break;
    default: return ERROR_REGION;
  }
  *d = r;
  return RegionKind(r);
}
BOOL SetRectRgn(HRGN Rgn, int Left, int Top, int Right, int Bottom) {
  QRegion* r = RegionOf(Rgn);
  if (!r) return false;
  *r = QRegion(QRectOf(Left, Top, Right, Bottom));
  return true;
}
int OffsetRgn(HRGN Rgn, int DX, int DY) {
  QRegion* r = RegionOf(Rgn);
  if (!r) return ERROR_REGION;
  r->translate(DX, DY);
  return RegionKind(*r);
}
BOOL PtInRegion(HRGN Rgn, int X, int Y) {
  QRegion* r = RegionOf(Rgn);
  return r && r->contains(QPoint(X, Y));
}
BOOL RectInRegion(HRGN Rgn, const TRect& R) {
  QRegion* r = RegionOf(Rgn);
  return r && r->intersects(QRectOf(R.Left, R.Top, R.Right, R.Bottom));
}
int GetRgnBox(HRGN Rgn, TRect* Out) {
  QRegion* r = RegionOf(Rgn);
  if (!r) return ERROR_REGION;
  if (Out) {
    QRect b = r->boundingRect();
    *Out = r->isEmpty() ? TRect() : TRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
  }
  return RegionKind(*r);
}
BOOL EqualRgn(HRGN A, HRGN B) {
  QRegion* a = RegionOf(A);
  QRegion* b = RegionOf(B);
  return a && b && *a == *b;
}

int SelectClipRgn(HDC DC, HRGN Rgn) {
  if (!DC) return ERROR_REGION;
  if (!Rgn) {
    DC->S.HasClip = false;
    DC->S.Clip = QRegion();
    DC->StateChanged();
    return SIMPLEREGION;
  }
  QRegion* r = RegionOf(Rgn);
  if (!r) return ERROR_REGION;
  DC->S.HasClip = true;
  DC->S.Clip = *r;
  DC->StateChanged();
  return RegionKind(*r);
}

int ExtSelectClipRgn(HDC DC, HRGN Rgn, int Mode) {
  if (!DC) return ERROR_REGION;
  if (Mode == RGN_COPY) return SelectClipRgn(DC, Rgn);
  QRegion* r = RegionOf(Rgn);
  if (!r) return ERROR_REGION;
  QRegion cur = DC->S.HasClip ? DC->S.Clip : QRegion(DC->DeviceBounds());
  switch (Mode) {
    case RGN_AND: cur &= *r; break;
    case RGN_OR: cur |= *r; break;
    case RGN_XOR: cur ^= *r; break;
    case RGN_DIFF: cur -= *r; break;
    default: return ERROR_REGION;
  }
  DC->S.HasClip = true;
  DC->S.Clip = cur;
  DC->StateChanged();
  return RegionKind(cur);
}

int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (!DC) return ERROR_REGION;
  QRect r = QRectOf(Left, Top, Right, Bottom).translated(DC->Dx(), DC->Dy());
  DC->S.Clip = DC->S.HasClip ? (DC->S.Clip & r) : QRegion(r);
  DC->S.HasClip = true;
  DC->StateChanged();
  return RegionKind(DC->S.Clip);
}

int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom) {
  if (!DC) return ERROR_REGION;
  QRect r = QRectOf(Left, Top, Right, Bottom).translated(DC->Dx(), DC->Dy());
  QRegion cur = DC->S.HasClip ? DC->S.Clip : QRegion(DC->DeviceBounds());
  DC->S.Clip = cur - r;
  DC->S.HasClip = true;
  DC->StateChanged();
  return RegionKind(DC->S.Clip);
}

int OffsetClipRgn(HDC DC, int DX, int DY) {
  if (!DC) return ERROR_REGION;
  if (!DC->S.HasClip) return SIMPLEREGION;
  DC->S.Clip.translate(DX, DY);
  DC->StateChanged();
  return RegionKind(DC->S.Clip);
}

int GetClipRgn(HDC DC, HRGN Rgn) {
  QRegion* r = RegionOf(Rgn);
  if (!DC || !r) return -1;
  if (!DC->S.HasClip) return 0;
  *r = DC->S.Clip;
  return 1;
}

int GetClipBox(HDC DC, TRect* Out) {
  if (!DC) return ERROR_REGION;
  QRegion vis = DC->S.HasClip ? DC->S.Clip : QRegion(DC->DeviceBounds());
  if (!DC->Device() && !DC->S.HasClip) vis = QRegion();
  QRect b = vis.boundingRect();
  if (Out) {
    *Out = vis.isEmpty() ? TRect()
                         : TRect(b.left() - DC->Dx(), b.top() - DC->Dy(), b.left() + b.width() - DC->Dx(),
                                 b.top() + b.height() - DC->Dy());
  }
  return RegionKind(vis);
}

BOOL PtVisible(HDC DC, int X, int Y) { return DC && DC->PixelVisible(DC->ToDevice(X, Y)); }
BOOL RectVisible(HDC DC, const TRect& R) {
  if (!DC) return false;
  QRect r = QRectOf(R.Left, R.Top, R.Right, R.Bottom).translated(DC->Dx(), DC->Dy());
  return DC->DrawableRegion().intersects(r);
}

BOOL SetRect(TRect* R, int Left, int Top, int Right, int Bottom) {
  if (!R) return false;
  *R = TRect(Left, Top, Right, Bottom);
  return true;
}
BOOL SetRectEmpty(TRect* R) { return SetRect(R, 0, 0, 0, 0); }
BOOL CopyRect(TRect* Dest, const TRect& Src) {
  if (!Dest) return false;
  *Dest = Src;
  return true;
}
BOOL EqualRect(const TRect& A, const TRect& B) { return A == B; }
