// Colours, the canvas's drawing tools (font, pen, brush) and the canvas.
#include "platform/gdi/Graphics.h"

#include <QColor>
#include <QPainter>
#include <unordered_map>
#include <utility>

#include "platform/gdi/DeviceContext_p.h"

// ----------------------------------------------------------------- colours

COLORREF GetSysColor(int Index) {
  // The classic Windows scheme ("Windows Standard"), $00BBGGRR.
  static const COLORREF table[] = {
      RGB(212, 208, 200),  // COLOR_SCROLLBAR
      RGB(58, 110, 165),   // COLOR_BACKGROUND
      RGB(10, 36, 106),    // COLOR_ACTIVECAPTION
      RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
      RGB(212, 208, 200),  // COLOR_MENU
      RGB(255, 255, 255),  // COLOR_WINDOW
      RGB(0, 0, 0),        // COLOR_WINDOWFRAME
      RGB(0, 0, 0),        // COLOR_MENUTEXT
      RGB(0, 0, 0),        // COLOR_WINDOWTEXT
      RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
      RGB(212, 208, 200),  // COLOR_ACTIVEBORDER
      RGB(212, 208, 200),  // COLOR_INACTIVEBORDER
      RGB(128, 128, 128),  // COLOR_APPWORKSPACE
      RGB(10, 36, 106),    // COLOR_HIGHLIGHT
      RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
      RGB(212, 208, 200),  // COLOR_BTNFACE
      RGB(128, 128, 128),  // COLOR_BTNSHADOW
      RGB(128, 128, 128),  // COLOR_GRAYTEXT
      RGB(0, 0, 0),        // COLOR_BTNTEXT
      RGB(212, 208, 200),  // COLOR_INACTIVECAPTIONTEXT
      RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
      RGB(64, 64, 64),     // COLOR_3DDKSHADOW
      RGB(212, 208, 200),  // COLOR_3DLIGHT
      RGB(0, 0, 0),        // COLOR_INFOTEXT
      RGB(255, 255, 225),  // COLOR_INFOBK
      RGB(181, 181, 181),  // 25: alternate button face
      RGB(0, 0, 128),      // COLOR_HOTLIGHT
      RGB(166, 202, 240),  // COLOR_GRADIENTACTIVECAPTION
      RGB(192, 192, 192),  // COLOR_GRADIENTINACTIVECAPTION
      RGB(10, 36, 106),    // COLOR_MENUHILIGHT
      RGB(212, 208, 200),  // COLOR_MENUBAR
  };
  if (Index < 0 || Index >= int(sizeof(table) / sizeof(table[0]))) return 0;
  return table[Index];
}

TColor ColorToRGB(TColor Color) {
  if (Color < 0) return GetSysColor(Color & 0xFF);
  return Color;
}

QColor ToQColor(TColor Color) {
  if (Color == clNone) return QColor(0, 0, 0, 0);
  return QColorOf(ColorToRGB(Color));
}

TColor FromQColor(const QColor& Color) { return RGB(Color.red(), Color.green(), Color.blue()); }

namespace {
struct ColorName {
  TColor Value;
  const char* Name;
};
const ColorName ColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"}, {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"},
    {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"}, {clNone, "clNone"}, {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clWindowText, "clWindowText"},
    // Aliases read but never written.
    {clLtGray, "clLtGray"}, {clDkGray, "clDkGray"},
};
}  // namespace

bool ColorToIdent(TColor Color, QString& Ident) {
  for (const auto& c : ColorNames)
    if (c.Value == Color) {
      Ident = QString::fromLatin1(c.Name);
      return true;
    }
  return false;
}

bool IdentToColor(const QString& Ident, TColor& Color) {
  for (const auto& c : ColorNames)
    if (Ident.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0) {
      Color = c.Value;
      return true;
    }
  return false;
}

QString ColorToString(TColor Color) {
  QString s;
  if (ColorToIdent(Color, s)) return s;
  return QStringLiteral("$%1").arg(uint32_t(Color), 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString& S) {
  TColor c;
  if (IdentToColor(S.trimmed(), c)) return c;
  QString t = S.trimmed();
  bool ok = false;
  qlonglong v = 0;
  if (t.startsWith(QLatin1Char('$')))
    v = t.mid(1).toLongLong(&ok, 16);
  else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
    v = t.mid(2).toLongLong(&ok, 16);
  else
    v = t.toLongLong(&ok, 10);
  if (!ok || v < -2147483648LL || v > 4294967295LL)
    throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(S));
  return TColor(uint32_t(v));
}

// -------------------------------------------------------- graphics objects

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

TFont::TFont() : FName(QStringLiteral("Tahoma")), FHeight(-11), FColor(clWindowText) {}
TFont::~TFont() {
  DeleteObject(FHandle);
  for (HFONT spare : FSpare) DeleteObject(spare);
}

void TFont::Changed() {
  if (FHandle) {
    DeleteObject(FSpare[1]);
    FSpare[1] = FSpare[0];
    FSpareFace[1] = std::move(FSpareFace[0]);
    FSpare[0] = FHandle;
    FSpareFace[0] = FHandleFace;
    FHandle = nullptr;
  }
  TGraphicsObject::Changed();
}

void TFont::SetName(const QString& Value) {
  if (Value.isEmpty() || Value == FName) return;
  FName = Value;
  Changed();
}
int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }
void TFont::SetSize(int Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }
void TFont::SetHeight(int Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Changed();
}
void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Changed();
}
void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // The colour is not part of the font object: the handle is kept.
  TGraphicsObject::Changed();
}
void TFont::SetOrientation(int Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Changed();
}
void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Changed();
}
void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Changed();
}

LOGFONT TFont::ToLogFont() const {
  LOGFONT lf;
  lf.lfHeight = FHeight;
  lf.lfWeight = FStyle.contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = FStyle.contains(fsItalic);
  lf.lfUnderline = FStyle.contains(fsUnderline);
  lf.lfStrikeOut = FStyle.contains(fsStrikeOut);
  lf.lfEscapement = lf.lfOrientation = FOrientation;
  lf.lfCharSet = FCharset;
  lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  lf.lfFaceName = FName;
  return lf;
}

HFONT TFont::Handle() {
  if (!FHandle) {
    FHandleFace = ToLogFont();
    if (FSpare[0] && FSpareFace[0] == FHandleFace) {
      FHandle = std::exchange(FSpare[0], std::exchange(FSpare[1], nullptr));
      FSpareFace[0] = std::move(FSpareFace[1]);
    } else if (FSpare[1] && FSpareFace[1] == FHandleFace) {
      FHandle = std::exchange(FSpare[1], nullptr);
    } else {
      FHandle = CreateFontIndirect(FHandleFace);
    }
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONT lf;
  if (!GetObject(Value, lf)) return;
  if (!lf.lfFaceName.isEmpty()) FName = lf.lfFaceName;
  FHeight = lf.lfHeight;
  TFontStyles st;
  if (lf.lfWeight >= FW_BOLD) st.Include(fsBold);
  if (lf.lfItalic) st.Include(fsItalic);
  if (lf.lfUnderline) st.Include(fsUnderline);
  if (lf.lfStrikeOut) st.Include(fsStrikeOut);
  FStyle = st;
  FOrientation = lf.lfEscapement;
  FCharset = lf.lfCharSet;
  int pitch = lf.lfPitchAndFamily & 3;
  FPitch = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    Assign(f);
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::Assign(TFont* Source) {
  if (Source == nullptr) {
    TGraphicsObject::Assign(Source);
    return;
  }
  const TFont* f = Source;
  if (f == this) return;
  // Across resolutions the point size is what is kept.
  const int height = f->FPixelsPerInch != FPixelsPerInch ? -MulDiv(f->Size(), FPixelsPerInch, 72) : f->FHeight;
  // A painter assigns the same font cell after cell: the font object is made
  // again only when the face changes, not for the same face or a new colour.
  // (A name assigned before shares the source's text: compared by its data first.)
  const bool sameName = (FName.constData() == f->FName.constData() && FName.size() == f->FName.size()) ||
                        FName == f->FName;
  const bool sameFace = sameName && FHeight == height && FStyle == f->FStyle &&
                        FOrientation == f->FOrientation && FCharset == f->FCharset && FPitch == f->FPitch;
  // Nothing to change, nothing to tell (a canvas keeps its font selected).
  if (sameFace && FColor == f->FColor) return;
  FName = f->FName;
  FHeight = height;
  FStyle = f->FStyle;
  FColor = f->FColor;
  FOrientation = f->FOrientation;
  FCharset = f->FCharset;
  FPitch = f->FPitch;
  if (sameFace)
    TGraphicsObject::Changed();
  else
    Changed();
}

TPen::TPen() = default;
TPen::~TPen() {
  DeleteObject(FHandle);
  DeleteObject(FSpare);
}
void TPen::FreeHandle() {
  if (!FHandle) return;
  DeleteObject(FSpare);
  FSpare = FHandle;
  FSpareKey = FHandleKey;
  FHandle = nullptr;
}
TGdiObjectKey TPen::Key() const { return {int(FStyle), FWidth, ColorToRGB(FColor)}; }
void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  FreeHandle();
  Changed();
}
void TPen::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  FreeHandle();
  Changed();
}
void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  FreeHandle();
  Changed();
}
void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}
HPEN TPen::Handle() {
  if (!FHandle) {
    FHandleKey = Key();
    static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT,
                                 PS_NULL, PS_INSIDEFRAME, PS_USERSTYLE, PS_ALTERNATE};
    if (FSpare) {
      // The handle given up at the last change is made to describe this pen:
      // a painter changing colours cell after cell makes no new objects.
      if (FSpareKey != FHandleKey) {
        LOGPEN& p = static_cast<TGdiPen*>(FSpare)->Data;
        p.lopnStyle = UINT(styles[FStyle]);
        p.lopnWidth = TPoint(FWidth, 0);
        p.lopnColor = FHandleKey.Color & 0xFFFFFF;
      }
      FHandle = std::exchange(FSpare, nullptr);
      return FHandle;
    }
    FHandle = CreatePen(styles[FStyle], FWidth, FHandleKey.Color);
  }
  return FHandle;
}
void TPen::SetHandle(HPEN Value) {
  LOGPEN p;
  if (!GetObject(Value, p)) return;
  FColor = p.lopnColor;
  FWidth = p.lopnWidth.X;
  switch (p.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH: FStyle = psDash; break;
    case PS_DOT: FStyle = psDot; break;
    case PS_DASHDOT: FStyle = psDashDot; break;
    case PS_DASHDOTDOT: FStyle = psDashDotDot; break;
    case PS_NULL: FStyle = psClear; break;
    case PS_INSIDEFRAME: FStyle = psInsideFrame; break;
    case PS_ALTERNATE: FStyle = psAlternate; break;
    default: FStyle = psSolid; break;
  }
  FreeHandle();
  Changed();
}
void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    Assign(p);
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::Assign(TPen* Source) {
  if (Source == nullptr) {
    TGraphicsObject::Assign(Source);
    return;
  }
  if (Source == this) return;
  // Nothing to change, nothing to tell (a painter assigns the same pen cell
  // after cell).
  if (FColor == Source->FColor && FWidth == Source->FWidth && FStyle == Source->FStyle &&
      FMode == Source->FMode)
    return;
  FColor = Source->FColor;
  FWidth = Source->FWidth;
  FStyle = Source->FStyle;
  FMode = Source->FMode;
  FreeHandle();
  Changed();
}

TBrush::TBrush() = default;
TBrush::~TBrush() {
  DeleteObject(FHandle);
  DeleteObject(FSpare);
}
void TBrush::FreeHandle() {
  if (!FHandle) return;
  DeleteObject(FSpare);
  FSpare = FHandle;
  FSpareKey = FHandleKey;
  FHandle = nullptr;
}
TGdiObjectKey TBrush::Key() const {
  if (FBitmap && !FBitmap->Empty()) return {};
  return {int(FStyle), 0, ColorToRGB(FColor)};
}
void TBrush::SetColor(TColor Value) {
  if (Value == FColor && FStyle != bsClear) return;
  FColor = Value;
  if (FStyle == bsClear) FStyle = bsSolid;
  FreeHandle();
  Changed();
}
void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  FreeHandle();
  Changed();
}
void TBrush::SetBitmap(TBitmap* Value) {
  FBitmap = Value;
  FreeHandle();
  Changed();
}
HBRUSH TBrush::Handle() {
  if (!FHandle) {
    FHandleKey = Key();
    // As for pens, the handle given up at the last change is taken again for
    // a brush without a pattern, made to describe it when it does not.
    if (FSpare && FHandleKey.Style >= 0) {
      if (FSpareKey != FHandleKey) {
        static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                      HS_DIAGCROSS};
        auto* b = static_cast<TGdiBrush*>(FSpare);
        b->Data = LOGBRUSH();
        b->Data.lbStyle = FStyle == bsSolid ? BS_SOLID : FStyle == bsClear ? BS_NULL : BS_HATCHED;
        b->Data.lbColor = FStyle == bsClear ? 0 : FHandleKey.Color & 0xFFFFFF;
        b->Data.lbHatch = FStyle == bsSolid || FStyle == bsClear ? 0 : hatches[FStyle];
        b->Pattern = QImage();
      }
      FHandle = std::exchange(FSpare, nullptr);
      return FHandle;
    }
    if (FBitmap && !FBitmap->Empty()) {
      HBITMAP bmp = new TGdiBitmap(FBitmap->ToImage());
      FHandle = CreatePatternBrush(bmp);
      DeleteObject(bmp);
    } else if (FStyle == bsSolid) {
      FHandle = CreateSolidBrush(ColorToRGB(FColor));
    } else if (FStyle == bsClear) {
      LOGBRUSH b;
      b.lbStyle = BS_NULL;
      FHandle = CreateBrushIndirect(b);
    } else {
      static const int hatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS,
                                    HS_DIAGCROSS};
      FHandle = CreateHatchBrush(hatches[FStyle], ColorToRGB(FColor));
    }
  }
  return FHandle;
}
void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH b;
  if (!GetObject(Value, b)) return;
  FColor = b.lbColor;
  if (b.lbStyle == BS_NULL)
    FStyle = bsClear;
  else if (b.lbStyle == BS_HATCHED) {
    static const TBrushStyle styles[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
    FStyle = b.lbHatch >= 0 && b.lbHatch <= 5 ? styles[b.lbHatch] : bsSolid;
  } else
    FStyle = bsSolid;
  FBitmap = nullptr;
  FreeHandle();
  Changed();
}
void TBrush::Assign(TPersistent* Source) {
  if (auto* b = dynamic_cast<TBrush*>(Source)) {
    if (b == this) return;
    FColor = b->FColor;
    FStyle = b->FStyle;
    FBitmap = b->FBitmap;
    FreeHandle();
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

// ------------------------------------------------------------------ canvas

UINT TextFormatToFlags(const TTextFormat& Format) {
  static const UINT flags[] = {
      DT_BOTTOM, DT_CALCRECT, DT_CENTER, DT_EDITCONTROL, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS, DT_EXPANDTABS,
      DT_EXTERNALLEADING, DT_LEFT, DT_MODIFYSTRING, DT_NOCLIP, DT_NOPREFIX, DT_RIGHT, DT_RTLREADING,
      DT_SINGLELINE, DT_TOP, DT_VCENTER, DT_WORDBREAK, DT_HIDEPREFIX, DT_NOFULLWIDTHCHARBREAK,
      DT_PREFIXONLY, DT_TABSTOP, DT_WORD_ELLIPSIS, 0};
  UINT r = 0;
  for (int i = 0; i <= int(tfComposited); ++i)
    if (Format.contains(TTextFormats(i))) r |= flags[i];
  return r;
}

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FOwnDc(std::make_unique<TDeviceContext>()) {
  FFont->OnChange = [this](TObject*) { FState &= ~csFontValid; };
  FPen->OnChange = [this](TObject*) { FState &= ~csPenValid; };
  FBrush->OnChange = [this](TObject*) { FState &= ~csBrushValid; };
}

TCanvas::~TCanvas() {
  FFont->OnChange = nullptr;
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TCanvas::SetDevice(QPaintDevice* Device) {
  FOwnDc->SetDevice(Device, true);
  FState = 0;
}
QPaintDevice* TCanvas::Device() const { return Dc()->Device(); }
void TCanvas::ReleasePainter() { Dc()->ReleasePainter(); }

HDC TCanvas::Handle() {
  Changing();
  RequiredState(csFontValid | csPenValid | csBrushValid);
  return Dc();
}

void TCanvas::SetHandle(HDC Value) {
  FForeign = Value == FOwnDc.get() ? nullptr : Value;
  FState = 0;
}

void TCanvas::Refresh() { FState = 0; }

void TCanvas::RequiredState(int Bits) {
  int need = Bits & ~FState;
  if (!need) return;
  HDC dc = Dc();
  if (need & csFontValid) {
    SelectObject(dc, FFont->Handle());
    SetTextColor(dc, ColorToRGB(FFont->Color()));
  }
  if (need & csPenValid) {
    SelectObject(dc, FPen->Handle());
    static const int modes[] = {R2_BLACK,     R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,   R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,  R2_NOTMERGEPEN,
                                R2_MASKPEN,   R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(dc, modes[FPen->Mode()]);
  }
  if (need & csBrushValid) {
    SelectObject(dc, FBrush->Handle());
    if (FBrush->Style() == bsSolid) {
      SetBkColor(dc, ColorToRGB(FBrush->Color()));
      SetBkMode(dc, OPAQUE);
    } else {
      SetBkColor(dc, ~ColorToRGB(FBrush->Color()));
      SetBkMode(dc, TRANSPARENT);
    }
  }
  FState |= need;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging(this);
}
void TCanvas::Changed() {
  if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() const {
  TPoint p;
  GetCurrentPositionEx(Dc(), &p);
  return p;
}

TRect TCanvas::ClipRect() {
  TRect r;
  GetClipBox(Dc(), &r);
  return r;
}

void TCanvas::MoveTo(int X, int Y) { MoveToEx(Dc(), X, Y, nullptr); }

void TCanvas::LineTo(int X, int Y) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::LineTo(Dc(), X, Y);
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Rectangle(Dc(), X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::FillRect(const TRect& R) {
  Changing();
  RequiredState(csBrushValid);
  ::FillRect(Dc(), R, FBrush->Handle());
  Changed();
}

void TCanvas::FrameRect(const TRect& R) {
  Changing();
  RequiredState(csBrushValid);
  ::FrameRect(Dc(), R, FBrush->Handle());
  Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::RoundRect(Dc(), X1, Y1, X2, Y2, X3, Y3);
  Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Ellipse(Dc(), X1, Y1, X2, Y2);
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Polygon(Dc(), Points.data(), int(Points.size()));
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Polyline(Dc(), Points.data(), int(Points.size()));
  Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Arc(Dc(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Pie(Dc(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
  Changing();
  RequiredState(csPenValid | csBrushValid);
  ::Chord(Dc(), X1, Y1, X2, Y2, X3, Y3, X4, Y4);
  Changed();
}

TColor TCanvas::Pixels(int X, int Y) { return GetPixel(Dc(), X, Y); }

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  Changing();
  RequiredState(csPenValid);
  SetPixel(Dc(), X, Y, ColorToRGB(Value));
  Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle) {
  Changing();
  RequiredState(csBrushValid);
  ExtFloodFill(Dc(), X, Y, ColorToRGB(Color), FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
  Changed();
}

void TCanvas::DrawFocusRect(const TRect& R) {
  Changing();
  RequiredState(csBrushValid);
  ::DrawFocusRect(Dc(), R);
  Changed();
}

void TCanvas::TextOut(int X, int Y, const QString& Text) {
  Changing();
  RequiredState(csFontValid | csBrushValid);
  ExtTextOut(Dc(), X, Y, UINT(FTextFlags), nullptr, Text);
  TSize sz;
  GetTextExtentPoint32(Dc(), Text, -1, &sz);
  MoveTo(X + sz.cx, Y);
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const QString& Text) {
  Changing();
  RequiredState(csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED | UINT(FTextFlags);
  if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOut(Dc(), X, Y, options, &R, Text);
  Changed();
}

void TCanvas::TextRect(TRect& R, QString& Text, const TTextFormat& Format) {
  Changing();
  RequiredState(csFontValid | csBrushValid);
  QString shown;
  bool modify = Format.contains(tfModifyString);
  DrawTextImpl(Dc(), Text, -1, R, TextFormatToFlags(Format), nullptr, modify ? &shown : nullptr);
  if (modify && !(TextFormatToFlags(Format) & DT_CALCRECT)) Text = shown;
  Changed();
}

TSize TCanvas::TextExtent(const QString& Text) {
  RequiredState(csFontValid);
  TSize sz;
  GetTextExtentPoint32(Dc(), Text, -1, &sz);
  return sz;
}
int TCanvas::TextWidth(const QString& Text) { return TextExtent(Text).cx; }
int TCanvas::TextHeight(const QString& Text) { return TextExtent(Text).cy; }

void TCanvas::Draw(int X, int Y, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  SetBkColor(Dc(), ColorToRGB(FBrush->Color()));
  SetTextColor(Dc(), ColorToRGB(FFont->Color()));
  Graphic->Draw(this, TRect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
  Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic) {
  if (!Graphic || Graphic->Empty()) return;
  Changing();
  Graphic->Draw(this, R);
  Changed();
}

void TCanvas::CopyRect(const TRect& D, TCanvas* Source, const TRect& S) {
  if (!Source) return;
  Changing();
  RequiredState(csFontValid | csBrushValid);
  Source->RequiredState(csBrushValid);
  StretchBlt(Dc(), D.Left, D.Top, D.Width(), D.Height(), Source->Dc(), S.Left, S.Top, S.Width(), S.Height(),
             DWORD(FCopyMode));
  Changed();
}

void TCanvas::BrushCopy(const TRect& D, TBitmap* Source, const TRect& S, TColor Color) {
  if (!Source || Source->Empty()) return;
  Changing();
  RequiredState(csBrushValid);
  QImage part = OpaqueCopy(Source->Image(), QRect(S.Left, S.Top, S.Width(), S.Height()));
  QRgb key = RgbOf(ColorToRGB(Color)) & 0xFFFFFF;
  QRgb brush = 0xFF000000u | RgbOf(ColorToRGB(FBrush->Color()));
  for (int y = 0; y < part.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(part.scanLine(y));
    for (int x = 0; x < part.width(); ++x)
      if ((row[x] & 0xFFFFFF) == key) row[x] = brush;
  }
  BlitImage(Dc(), D, part, SRCCOPY);
  Changed();
}

// ------------------------------------------------------------ kept pictures

namespace {

// The kept pictures, by what they show and their size; emptied when full.
struct TKeptPictures {
  struct TKey {
    TCanvas::TPictureKey What;
    int Width, Height;
    bool operator==(const TKey&) const = default;
  };
  struct THash {
    size_t operator()(const TKey& K) const {
      size_t h = std::hash<int>()(K.Width) * 31 + std::hash<int>()(K.Height);
      for (int v : K.What) h = h * 1000003u ^ std::hash<int>()(v);
      return h;
    }
  };
  std::unordered_map<TKey, QImage, THash> Pictures;
  static constexpr size_t kKept = 512;
};

TKeptPictures& Kept() {
  static TKeptPictures k;
  return k;
}

// The painter of DC where pictures can be copied onto it and read from it
// pixel for pixel: an image of eight bits per colour (what is read from one
// looks the same on any other), unscaled, on whole pixels, not recorded.
QPainter* CopyingPainter(HDC DC) {
  if (DC == nullptr || DC->Recorder != nullptr) return nullptr;
  QPainter* p = DC->Painter();
  if (p == nullptr || !DrawsPixelForPixel(p) || p->device()->devType() != QInternal::Image) return nullptr;
  switch (static_cast<const QImage*>(p->device())->format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGB888:
    case QImage::Format_BGR888:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
      break;
    default:
      return nullptr;
  }
  return p;
}

}  // namespace

bool TCanvas::DrawKept(const TPictureKey& Key, const TRect& R) {
  if (R.Width() <= 0 || R.Height() <= 0) return false;
  auto& pictures = Kept().Pictures;
  const auto it = pictures.find({Key, R.Width(), R.Height()});
  if (it == pictures.end()) return false;
  QPainter* p = CopyingPainter(Dc());
  if (p == nullptr) return false;
  Changing();
  p->setCompositionMode(QPainter::CompositionMode_SourceOver);
  p->drawImage(R.Left, R.Top, it->second);
  Changed();
  return true;
}

void TCanvas::Keep(const TPictureKey& Key, const TRect& R) {
  if (R.Width() <= 0 || R.Height() <= 0) return;
  QPainter* p = CopyingPainter(Dc());
  if (p == nullptr) return;
  const QRect logical(R.Left, R.Top, R.Width(), R.Height());
  if (p->hasClipping() && !(QRegion(logical) - p->clipRegion()).isEmpty()) return;
  const QRect device = p->transform().mapRect(logical);
  const auto* image = static_cast<const QImage*>(p->device());
  if (!image->rect().contains(device)) return;
  auto& pictures = Kept().Pictures;
  if (pictures.size() >= TKeptPictures::kKept) pictures.clear();
  QImage picture = image->copy(device);
  // An opaque copy is kept without its alpha channel: drawn again, it is then
  // copied rather than blended.
  if (picture.format() == QImage::Format_ARGB32_Premultiplied || picture.format() == QImage::Format_ARGB32) {
    bool opaque = true;
    for (int y = 0; y < picture.height() && opaque; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
      for (int x = 0; x < picture.width() && opaque; ++x) opaque = qAlpha(line[x]) == 255;
    }
    if (opaque) picture.reinterpretAsFormat(QImage::Format_RGB32);
  }
  pictures[{Key, R.Width(), R.Height()}] = std::move(picture);
}
