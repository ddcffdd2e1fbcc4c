// Graphics of the desktop framework: colours, fonts, pens, brushes, the canvas,
// and the pictures (bitmaps, icons, PNG images, image lists).
//
// A TCanvas draws on any Qt paint device (an image, a control's backing image,
// a printer) with the GDI's pixel rules and no antialiasing: a line leaves out
// its end point, Rectangle and FillRect leave out the right and bottom edges.
// The canvas's Handle() is a device context (HDC) that the Windows-style
// functions of WinGdi.h accept; the canvas's Pen, Brush and Font are selected
// into it before each drawing operation and whenever Handle() is asked for.
#pragma once

#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"
#include "platform/gdi/WinGdi.h"

class QColor;
class QFont;
class QImage;
class QPaintDevice;

// ---------------------------------------------------------------- colours

// $00BBGGRR for a direct colour; $FF0000nn for system colour nn.
using TColor = int32_t;

constexpr TColor clSystemColor = TColor(0xFF000000);
constexpr TColor clScrollBar = TColor(0xFF000000 | COLOR_SCROLLBAR);
constexpr TColor clBackground = TColor(0xFF000000 | COLOR_BACKGROUND);
constexpr TColor clActiveCaption = TColor(0xFF000000 | COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = TColor(0xFF000000 | COLOR_INACTIVECAPTION);
constexpr TColor clMenu = TColor(0xFF000000 | COLOR_MENU);
constexpr TColor clWindow = TColor(0xFF000000 | COLOR_WINDOW);
constexpr TColor clWindowFrame = TColor(0xFF000000 | COLOR_WINDOWFRAME);
constexpr TColor clMenuText = TColor(0xFF000000 | COLOR_MENUTEXT);
constexpr TColor clWindowText = TColor(0xFF000000 | COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = TColor(0xFF000000 | COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = TColor(0xFF000000 | COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = TColor(0xFF000000 | COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = TColor(0xFF000000 | COLOR_APPWORKSPACE);
constexpr TColor clHighlight = TColor(0xFF000000 | COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = TColor(0xFF000000 | COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = TColor(0xFF000000 | COLOR_BTNFACE);
constexpr TColor clBtnShadow = TColor(0xFF000000 | COLOR_BTNSHADOW);
constexpr TColor clGrayText = TColor(0xFF000000 | COLOR_GRAYTEXT);
constexpr TColor clBtnText = TColor(0xFF000000 | COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = TColor(0xFF000000 | COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = TColor(0xFF000000 | COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = TColor(0xFF000000 | COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = TColor(0xFF000000 | COLOR_3DLIGHT);
constexpr TColor clInfoText = TColor(0xFF000000 | COLOR_INFOTEXT);
constexpr TColor clInfoBk = TColor(0xFF000000 | COLOR_INFOBK);
constexpr TColor clHotLight = TColor(0xFF000000 | COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = TColor(0xFF000000 | COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = TColor(0xFF000000 | COLOR_GRADIENTINACTIVECAPTION);
constexpr TColor clMenuHighlight = TColor(0xFF000000 | COLOR_MENUHILIGHT);
constexpr TColor clMenuBar = TColor(0xFF000000 | COLOR_MENUBAR);

constexpr TColor clBlack = TColor(0x000000);
constexpr TColor clMaroon = TColor(0x000080);
constexpr TColor clGreen = TColor(0x008000);
constexpr TColor clOlive = TColor(0x008080);
constexpr TColor clNavy = TColor(0x800000);
constexpr TColor clPurple = TColor(0x800080);
constexpr TColor clTeal = TColor(0x808000);
constexpr TColor clGray = TColor(0x808080);
constexpr TColor clSilver = TColor(0xC0C0C0);
constexpr TColor clRed = TColor(0x0000FF);
constexpr TColor clLime = TColor(0x00FF00);
constexpr TColor clYellow = TColor(0x00FFFF);
constexpr TColor clBlue = TColor(0xFF0000);
constexpr TColor clFuchsia = TColor(0xFF00FF);
constexpr TColor clAqua = TColor(0xFFFF00);
constexpr TColor clLtGray = TColor(0xC0C0C0);
constexpr TColor clDkGray = TColor(0x808080);
constexpr TColor clWhite = TColor(0xFFFFFF);
constexpr TColor clMoneyGreen = TColor(0xC0DCC0);
constexpr TColor clSkyBlue = TColor(0xF0CAA6);
constexpr TColor clCream = TColor(0xF0FBFF);
constexpr TColor clMedGray = TColor(0xA4A0A0);

constexpr TColor clNone = TColor(0x1FFFFFFF);
constexpr TColor clDefault = TColor(0x20000000);

// A system colour becomes its value in the classic scheme; every other value,
// clNone and clDefault included, comes back unchanged.
TColor ColorToRGB(TColor Color);
// Qt colour of a TColor (system colours resolved; clNone is transparent).
QColor ToQColor(TColor Color);
// TColor of a Qt colour (alpha dropped).
TColor FromQColor(const QColor& Color);
// The framework's names for colours ("clRed", "clBtnFace"); unknown values as "$00BBGGRR".
QString ColorToString(TColor Color);
// Reads a colour name or a number ("$00FF00", "255"); EConvertError on anything else.
TColor StringToColor(const QString& S);
bool IdentToColor(const QString& Ident, TColor& Color);
bool ColorToIdent(TColor Color, QString& Ident);

// ------------------------------------------------------- graphics objects

// Base of the canvas's drawing tools; OnChange fires after every change.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle, 8>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = QString;

// Screen resolution of the program, in pixels per inch.
constexpr int ScreenPixelsPerInch = 96;

// A font. Height in pixels: a negative height is the character height (em size),
// a positive one the cell height. Size in points = -Height * 72 / PixelsPerInch
// (rounded), so Size 8 is Height -11 at 96 pixels per inch.
class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;

  const QString& Name() const { return FName; }
  void SetName(const QString& Value);
  int Size() const;
  void SetSize(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { if (Value > 0) FPixelsPerInch = Value; }

  // A font object describing this font (owned by the font; valid until its face
  // changes: name, height, style, orientation, charset or pitch).
  HFONT Handle();
  // Takes name, height, style, orientation, charset and pitch from a font object.
  void SetHandle(HFONT Value);
  LOGFONT ToLogFont() const;

  // Copies name, height (or size across resolutions), style, colour,
  // orientation, charset and pitch from another TFont (the second form for a
  // source known to be a font: no type check).
  void Assign(TPersistent* Source) override;
  void Assign(TFont* Source);
  bool operator==(const TFont&) const = delete;

 protected:
  void Changed() override;

 private:
  QString FName;
  int FHeight;
  TFontStyles FStyle;
  TColor FColor;
  int FOrientation = 0;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int FPixelsPerInch = ScreenPixelsPerInch;
  HFONT FHandle = nullptr;
  // The handles of the last two faces before the current one, newest first,
  // kept for a painter that switches between two faces (fixed and normal
  // cells) change after change; FSpareFace tells which face each describes,
  // FHandleFace the face of FHandle.
  HFONT FSpare[2] = {nullptr, nullptr};
  LOGFONT FHandleFace, FSpareFace[2];
};

// Pen styles and the raster operation of the pen (mode).
enum TPenStyle {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle,
  psAlternate
};
enum TPenMode {
  pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
  pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

// What a pen or brush handle was made from: style, width and colour (RGB);
// Style -1 for a handle that is never taken again.
struct TGdiObjectKey {
  int Style = -1, Width = 0;
  COLORREF Color = 0;
  bool operator==(const TGdiObjectKey&) const = default;
};

class TPen : public TGraphicsObject {
 public:
  TPen();
  ~TPen() override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);
  // A pen object of this pen (owned by the pen; valid until it changes).
  HPEN Handle();
  void SetHandle(HPEN Value);
  // Copies colour, width, style and mode from another TPen (the second form
  // for a source known to be a pen: no type check).
  void Assign(TPersistent* Source) override;
  void Assign(TPen* Source);

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  HPEN FHandle = nullptr;
  // The handle before the last change, kept for a painter that switches the
  // pen back and forth (cell after cell); FHandleKey / FSpareKey tell what
  // each describes.
  HPEN FSpare = nullptr;
  TGdiObjectKey FHandleKey, FSpareKey;
  void FreeHandle();
  TGdiObjectKey Key() const;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
                   bsDiagCross };

class TBitmap;

class TBrush : public TGraphicsObject {
 public:
  TBrush();
  ~TBrush() override;
  TColor Color() const { return FColor; }
  // Setting a colour makes a clear brush solid, as the framework does.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern bitmap (not owned; the brush keeps a copy of its pixels).
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);
  HBRUSH Handle();
  void SetHandle(HBRUSH Value);
  void Assign(TPersistent* Source) override;

 private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = nullptr;
  // The handle before the last change (see TPen); pattern brushes are not kept.
  HBRUSH FSpare = nullptr;
  TGdiObjectKey FHandleKey, FSpareKey;
  void FreeHandle();
  TGdiObjectKey Key() const;
};

// ----------------------------------------------------------------- canvas

enum TFillStyle { fsSurface, fsBorder };
using TCopyMode = int32_t;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// The flags of TextRect's formatted form (each is one DT_ flag).
enum TTextFormats {
  tfBottom, tfCalcRect, tfCenter, tfEditControl, tfEndEllipsis, tfPathEllipsis, tfExpandTabs,
  tfExternalLeading, tfLeft, tfModifyString, tfNoClip, tfNoPrefix, tfRight, tfRtlReading,
  tfSingleLine, tfTop, tfVerticalCenter, tfWordBreak, tfHidePrefix, tfNoFullWidthCharBreak,
  tfPrefixOnly, tfTabStop, tfWordEllipsis, tfComposited
};
using TTextFormat = TSet<TTextFormats, 32>;
UINT TextFormatToFlags(const TTextFormat& Format);

class TGraphic;

class TCanvas : public TPersistent {
 public:
  TCanvas();
  ~TCanvas() override;

  // Attaches the canvas to a paint device (nullptr detaches). The device must
  // outlive the attachment. Attaching starts a fresh device context: no clip,
  // origins at (0, 0), pen position (0, 0); Pen, Brush and Font stay.
  void SetDevice(QPaintDevice* Device);
  QPaintDevice* Device() const;
  // Ends the Qt painter that the canvas keeps open on its device, so that the
  // device can be shown, read, resized or replaced. The next drawing operation
  // opens it again; the drawing state (clip, origin, objects) is kept.
  void ReleasePainter();

  // The device context of this canvas, with Pen, Brush and Font selected.
  HDC Handle();
  // Draws into another device context (not owned) instead of the canvas's own;
  // nullptr returns to the own context.
  void SetHandle(HDC Value);
  bool HandleAllocated() const { return true; }

  TPen* Pen() const { return FPen.get(); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TPoint PenPos() const;
  void SetPenPos(const TPoint& Value) { MoveTo(Value.X, Value.Y); }
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  // Extra ExtTextOut options of TextOut and TextRect (ETO_ flags).
  int TextFlags() const { return FTextFlags; }
  void SetTextFlags(int Value) { FTextFlags = Value; }
  // The bounds of the drawable area (the clip box) in logical coordinates.
  TRect ClipRect();

  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void FillRect(const TRect& R);
  void FrameRect(const TRect& R);
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
  void RoundRect(const TRect& R, int CX, int CY) { RoundRect(R.Left, R.Top, R.Right, R.Bottom, CX, CY); }
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  void Polygon(const std::vector<TPoint>& Points);
  void Polyline(const std::vector<TPoint>& Points);
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  TColor Pixels(int X, int Y);
  void SetPixels(int X, int Y, TColor Value);
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);
  void DrawFocusRect(const TRect& R);

  void TextOut(int X, int Y, const QString& Text);
  // Text at (X, Y) clipped to R; R is filled with the brush first unless it is clear.
  void TextRect(const TRect& R, int X, int Y, const QString& Text);
  // Text laid out in R by DrawText with the flags of Format.
  void TextRect(TRect& R, QString& Text, const TTextFormat& Format);
  int TextWidth(const QString& Text);
  int TextHeight(const QString& Text);
  TSize TextExtent(const QString& Text);

  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& R, TGraphic* Graphic);
  // Copies Source's rectangle S into D with CopyMode.
  void CopyRect(const TRect& D, TCanvas* Source, const TRect& S);
  // Copies the bitmap's rectangle S into D, replacing Color by the brush.
  void BrushCopy(const TRect& D, TBitmap* Source, const TRect& S, TColor Color);

  // Pictures drawn again and again in the same size (the gradients of header
  // cells): Key says what the caller draws into a rectangle of R's size, in
  // its own terms, and the picture must cover every pixel of R opaquely.
  // DrawKept copies the pixels kept for Key and R's size into R and answers
  // true; false, drawing nothing, when none are kept or the canvas cannot copy
  // them exactly (it records, scales or is not an image). Keep keeps the
  // pixels just drawn into R for Key, where none of R was clipped away.
  using TPictureKey = std::array<int, 6>;
  bool DrawKept(const TPictureKey& Key, const TRect& R);
  void Keep(const TPictureKey& Key, const TRect& R);

  // The framework's locking against other threads; every canvas here belongs to
  // the user-interface thread, so these only count.
  void Lock() { ++FLockCount; }
  void Unlock() { if (FLockCount > 0) --FLockCount; }
  bool TryLock() { ++FLockCount; return true; }
  int LockCount() const { return FLockCount; }
  // Selects Pen, Brush and Font again (after objects were selected by handle).
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  virtual void Changing();
  virtual void Changed();

 private:
  enum StateBit { csFontValid = 1, csPenValid = 2, csBrushValid = 4 };
  void RequiredState(int Bits);
  HDC Dc() const { return FForeign ? FForeign : FOwnDc.get(); }

  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TDeviceContext> FOwnDc;  // the canvas's own context (drawing on Device)
  HDC FForeign = nullptr;
  int FState = 0;
  TCopyMode FCopyMode = cmSrcCopy;
  int FTextFlags = 0;
  int FLockCount = 0;
};

// ---------------------------------------------------------------- graphics

enum TTransparentMode { tmAuto, tmFixed };
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// A picture that can be drawn on a canvas and read from and written to files.
class TGraphic : public TPersistent {
 public:
  virtual int Width() const = 0;
  virtual void SetWidth(int Value) = 0;
  virtual int Height() const = 0;
  virtual void SetHeight(int Value) = 0;
  virtual bool Empty() const = 0;
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // Draws the picture into R of the canvas (scaled to R).
  virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;
  // Reads a file; EInvalidGraphic when its content is no picture of this kind,
  // EFOpenError when it cannot be opened.
  virtual void LoadFromFile(const QString& FileName);
  // Writes a file; EFCreateError when it cannot be written.
  virtual void SaveToFile(const QString& FileName);
  // Reads the rest of the stream as the picture's encoded bytes; writes them.
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream);
  // Reads or writes the picture as encoded bytes (the file's content).
  virtual void LoadFromBytes(const QByteArray& Data) = 0;
  virtual QByteArray SaveToBytes() const = 0;
  // The picture as an image (empty image when empty).
  virtual QImage ToImage() const = 0;

  TNotifyEvent OnChange;

 protected:
  virtual void Changed();
  bool FTransparent = false;
  bool FModified = false;
};

ZIDI_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
ZIDI_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

// A bitmap with its own canvas. New pixels are white. ScanLine(Row) gives the
// row's bytes in the framework's layout: pf24bit 3 bytes per pixel B, G, R;
// pf32bit and pfDevice 4 bytes B, G, R, A; rows run top to bottom.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;

  int Width() const override;
  void SetWidth(int Value) override;
  int Height() const override;
  void SetHeight(int Value) override;
  // Resizes keeping the pixels that stay inside; new pixels take the brush colour.
  void SetSize(int AWidth, int AHeight);
  bool Empty() const override;
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value);
  bool Monochrome() const { return FMonochrome; }
  // Monochrome keeps only black and white pixels (a pixel becomes white when
  // its brightness is at least half).
  void SetMonochrome(bool Value);
  TCanvas* Canvas();
  Byte* ScanLine(int Row);

  // The colour left out when drawing transparently: with tmAuto the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  void Draw(TCanvas* ACanvas, const TRect& R) override;
  // BMP by default; PNG when the file name ends in ".png".
  void LoadFromFile(const QString& FileName) override;
  void SaveToFile(const QString& FileName) override;
  void LoadFromBytes(const QByteArray& Data) override;
  QByteArray SaveToBytes() const override;
  // The program's resource ":/res/<Name>.bmp" (or ".png"); EResNotFound when missing.
  void LoadFromResourceName(HINSTANCE Instance, const QString& Name);
  void Assign(TPersistent* Source) override;
  void Dormant() {}
  void FreeImage() {}

  QImage ToImage() const override;
  // Replaces the pixels by an image (converted to this bitmap's format).
  void SetImage(const QImage& Image);
  // The pixel store itself (for the platform layer).
  QImage& Image();

 private:
  void Reformat(TPixelFormat Format);
  void Resize(int AWidth, int AHeight);
  std::unique_ptr<QImage> FImage;
  // The size of a bitmap without pixels: one side set while the other is 0.
  QSize FEmptySize;
  std::unique_ptr<TCanvas> FCanvas;
  TPixelFormat FPixelFormat = pfDevice;
  bool FMonochrome = false;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
};

ZIDI_DECLARE_EXCEPTION(EResNotFound, Exception);

// A picture held as one image with alpha: what TPngImage and TIcon share. New
// pixels are transparent.
class TArgbGraphic : public TGraphic {
 public:
  TArgbGraphic();
  ~TArgbGraphic() override;
  int Width() const override;
  void SetWidth(int Value) override;
  int Height() const override;
  void SetHeight(int Value) override;
  bool Empty() const override;
  void Draw(TCanvas* ACanvas, const TRect& R) override;
  void Assign(TPersistent* Source) override;
  QImage ToImage() const override;
  void SetImage(const QImage& Image);

 protected:
  std::unique_ptr<QImage> FImage;
};

// A PNG picture (with alpha).
class TPngImage : public TArgbGraphic {
 public:
  void LoadFromBytes(const QByteArray& Data) override;
  QByteArray SaveToBytes() const override;
  void LoadFromResourceName(HINSTANCE Instance, const QString& Name);
};

// An icon: a picture with transparent parts.
class TIcon : public TArgbGraphic {
 public:
  bool Transparent() const override { return true; }
  void LoadFromBytes(const QByteArray& Data) override;
  QByteArray SaveToBytes() const override;
};

// Holds one graphic of any kind; the kind follows the file's extension.
class TPicture : public TPersistent {
 public:
  TPicture();
  ~TPicture() override;
  TGraphic* Graphic() const { return FGraphic.get(); }
  // Copies Value (nullptr empties the picture).
  void SetGraphic(TGraphic* Value);
  // The graphic as a bitmap; a bitmap replaces any other graphic when asked for.
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
  TIcon* Icon();
  int Width() const;
  int Height() const;
  // ".bmp", ".png", ".ico" (and images Qt reads, as bitmaps); EInvalidGraphic otherwise.
  void LoadFromFile(const QString& FileName);
  void SaveToFile(const QString& FileName);
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  void Changed();
  void Take(std::unique_ptr<TGraphic> G);
  std::unique_ptr<TGraphic> FGraphic;
};

// Images of one size kept together, each with a mask of its transparent pixels.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* AOwner);
  ~TImageList() override;
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Count() const;
  // Adds Image (wider images are cut into several of the list's width); Mask's
  // white pixels (nullptr: none) are transparent. Returns the first new index.
  int Add(TBitmap* Image, TBitmap* Mask);
  // Adds Image with the pixels of MaskColor transparent.
  int AddMasked(TBitmap* Image, TColor MaskColor);
  int AddIcon(TIcon* Image);
  void Delete(int Index);
  void Clear();
  // Draws image Index at (X, Y); a disabled image is drawn embossed in grey.
  void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
  // Copies image Index into Image, resized to the list's size; the transparent
  // parts take the colour of Image's brush.
  bool GetBitmap(int Index, TBitmap* Image);
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  void Changed();
  int FWidth = 16;
  int FHeight = 16;
  std::vector<QImage> FImages;  // ARGB, transparent pixels with alpha 0
};
