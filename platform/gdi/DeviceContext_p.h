// Inside of the device contexts and GDI objects of WinGdi.h, for the platform
// layer's own .cpp files only (it includes QtGui).
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/WinGdi.h"

// A font description resolved to a Qt font and its metrics.
struct TFontInfo {
  // Tells fonts apart for as long as the program runs (never 0).
  uint64_t Serial = 0;
  LOGFONT Log;
  QFont Font;
  std::unique_ptr<QFontMetrics> Metrics;
  TEXTMETRIC Tm;
  // The "Symbol" face (its texts are translated, see FaceText).
  bool SymbolFace = false;
  // An upright face without decorations (not italic, underlined, struck out
  // or overlined): its lines can be drawn from written images.
  bool Upright = false;
  // The advances of texts measured lately (a grid measures the same cell texts
  // paint after paint; measuring shapes the text each time). Emptied when full.
  mutable QHash<QString, int> Advances;
  // The glyphs of texts drawn lately, shaped once (see Advances), with the
  // ascent of their line.
  struct TShaped {
    QList<QGlyphRun> Runs;
    qreal Ascent = 0;
  };
  mutable QHash<QString, TShaped> Shaped;
  // What a text was laid out in (lines, with the layout flags, width and tab
  // width it depended on).
  struct TLaidOut;
  // Texts drawn lately, by text (a grid's cells, paint after paint): the lines
  // a text was laid out in, and for a single line drawn more than once its
  // image, written once, transparent around the glyphs, in one colour, and
  // from then on copied, which is much quicker than drawing glyph runs. One
  // lookup per text drawn finds both.
  struct TWritten {
    bool Seen = false;  // drawn once directly; the image is made the next time
    bool Made = false;  // the image is made (it is empty for blanks)
    QImage Image;
    QRgb Color = 0;
    int Hints = 0;   // the painter's render hints the image was written with
    QPoint Offset;   // of the image from the line's top-left corner
    QRect Ink;       // the pixels the glyphs touch, from the line's top-left corner
    int Advance = -1;  // the line's width, where known
    std::shared_ptr<const TLaidOut> Layout;  // the lines it was laid out in last, if any
  };
  // Looked up for every line drawn, so keys are compared as plain UTF-16
  // (Qt's string comparison costs as much again as the hash); the hash is not
  // noexcept, so that the table keeps each key's hash and compares it first.
  // Texts are also looked for by a view of them (a line of a text), without a copy.
  struct TTextHash {
    using is_transparent = void;
    size_t operator()(QStringView S) const { return qHash(S); }
  };
  struct TTextEqual {
    using is_transparent = void;
    bool operator()(QStringView A, QStringView B) const noexcept {
      return A.size() == B.size() &&
             (A.isEmpty() || std::memcmp(A.data(), B.data(), size_t(A.size()) * sizeof(QChar)) == 0);
    }
  };
  mutable std::unordered_map<QString, TWritten, TTextHash, TTextEqual> Written;
  // The most texts kept in Written (emptied when full, see EmptyWritten).
  static constexpr size_t kWrittenKept = 2048;
  // Counts the times Written was emptied: an entry found in an earlier
  // generation is gone (see TTextPlace).
  mutable uint32_t WrittenGeneration = 0;
  void EmptyWritten() const {
    Written.clear();
    ++WrittenGeneration;
  }
};
// The shared resolution of a font description (cached).
std::shared_ptr<const TFontInfo> ResolveFont(const LOGFONT& Log);

// Whether P is a raster painter that puts a picture's pixels on its device one
// for one: not scaled, turned or faded, on whole device pixels (so pictures
// kept from earlier drawing give the very pixels of drawing again).
inline bool DrawsPixelForPixel(const QPainter* P) {
  if (P->paintEngine() == nullptr || P->paintEngine()->type() != QPaintEngine::Raster ||
      P->device()->devicePixelRatio() != 1 || P->opacity() != 1.0)
    return false;
  const QTransform& m = P->transform();
  return m.type() <= QTransform::TxTranslate && m.dx() == std::floor(m.dx()) && m.dy() == std::floor(m.dy());
}

class TGdiObject {
 public:
  explicit TGdiObject(int AKind, bool AStock = false);
  virtual ~TGdiObject();
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  const int Kind;
  const bool Stock;
  // True while H points to an object that exists (not deleted).
  static bool IsLive(const TGdiObject* H);
};

class TGdiPen : public TGdiObject {
 public:
  explicit TGdiPen(const LOGPEN& P, bool AStock = false) : TGdiObject(OBJ_PEN, AStock), Data(P) {}
  LOGPEN Data;
};

class TGdiBrush : public TGdiObject {
 public:
  explicit TGdiBrush(const LOGBRUSH& B, bool AStock = false)
      : TGdiObject(OBJ_BRUSH, AStock), Data(B) {}
  LOGBRUSH Data;
  QImage Pattern;  // BS_PATTERN
};

class TGdiFont : public TGdiObject {
 public:
  explicit TGdiFont(const LOGFONT& F, bool AStock = false)
      : TGdiObject(OBJ_FONT, AStock), Info(ResolveFont(F)) {}
  std::shared_ptr<const TFontInfo> Info;
};

class TGdiRegion : public TGdiObject {
 public:
  explicit TGdiRegion(const QRegion& R) : TGdiObject(OBJ_REGION), Rgn(R) {}
  QRegion Rgn;
};

class TGdiBitmap : public TGdiObject {
 public:
  explicit TGdiBitmap(const QImage& I, bool AStock = false) : TGdiObject(OBJ_BITMAP, AStock), Image(I) {}
  QImage Image;
  int SelectedInto = 0;  // number of memory contexts drawing into it
};

// Everything SaveDC keeps.
struct TDcState {
  LOGPEN Pen;
  HGDIOBJ PenHandle = nullptr;
  LOGBRUSH Brush;
  QImage BrushPattern;
  HGDIOBJ BrushHandle = nullptr;
  std::shared_ptr<const TFontInfo> Font;
  HGDIOBJ FontHandle = nullptr;
  COLORREF TextColor = 0;
  COLORREF BkColor = 0xFFFFFF;
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  UINT TextAlign = TA_TOP | TA_LEFT;
  int PolyFillMode = ALTERNATE;
  int StretchMode = BLACKONWHITE;
  TPoint PenPos;
  TPoint WindowOrg;
  TPoint ViewportOrg;
  TPoint BrushOrg;
  bool HasClip = false;
  QRegion Clip;  // device coordinates
};

class TDeviceContext {
 public:
  TDeviceContext();
  ~TDeviceContext();
  TDeviceContext(const TDeviceContext&) = delete;
  TDeviceContext& operator=(const TDeviceContext&) = delete;

  // Draws on Device from now on; ResetState starts a fresh context (no clip,
  // origins and pen position at 0, no saved states); the objects stay selected.
  void SetDevice(QPaintDevice* Device, bool ResetState);
  QPaintDevice* Device() const { return FDevice; }
  // The device as an image, or nullptr.
  QImage* Image() const { return FImage; }
  // The open painter, configured with the clip and origin; nullptr when there is
  // nothing to draw on or the clip is empty.
  QPainter* Painter();
  void ReleasePainter();
  // Call after changing S.Clip / S.HasClip or the origins.
  void StateChanged() { FDirty = true; }
  // Called by the drawing functions when they draw on the device (when set):
  // the context of a window's client area refreshes the window with it.
  std::function<void()> OnDrawn;
  void Drawn() {
    if (OnDrawn) OnDrawn();
  }

  int Dx() const { return S.ViewportOrg.X - S.WindowOrg.X; }
  int Dy() const { return S.ViewportOrg.Y - S.WindowOrg.Y; }
  QPoint ToDevice(int X, int Y) const { return QPoint(X + Dx(), Y + Dy()); }
  QRect DeviceBounds() const;
  // The area that may be drawn on, in device coordinates.
  QRegion DrawableRegion() const;
  bool PixelVisible(const QPoint& DevicePoint) const;

  TDcState S;
  std::vector<TDcState> Saved;
  // Hears of every drawing call (tests); not owned.
  TDrawRecorder* Recorder = nullptr;
  bool IsMemoryDc = false;
  TGdiBitmap* SelectedBitmap = nullptr;
  HGDIOBJ BitmapHandle = nullptr;

 private:
  void Apply();
  QPaintDevice* FDevice = nullptr;
  QImage* FImage = nullptr;
  std::unique_ptr<QPainter> FPainter;
  bool FDirty = true;
};

// The region of a live region handle, or nullptr.
inline QRegion* RegionOf(HRGN R) {
  if (!TGdiObject::IsLive(R) || R->Kind != OBJ_REGION) return nullptr;
  return &static_cast<TGdiRegion*>(R)->Rgn;
}

// A record of the current state's pen, brush and font filled in for Kind; the
// caller adds the geometry and pushes it with Record.
TDrawRecord StateRecord(HDC DC, int Kind);
void Record(HDC DC, TDrawRecord&& R);

// Colour helpers shared by the drawing files.
inline QColor QColorOf(COLORREF C) { return QColor(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }
inline COLORREF ColorRefOf(QRgb C) { return COLORREF(qRed(C) | (qGreen(C) << 8) | (qBlue(C) << 16)); }
inline QRgb RgbOf(COLORREF C) { return qRgb(C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF); }

// The QPainter composition mode of a raster operation of the pen (R2_...);
// sets Skip for R2_NOP and changes Color for R2_BLACK / R2_WHITE.
QPainter::CompositionMode CompositionOfRop2(int Rop2, COLORREF& Color, bool& Skip);
// A Qt brush of a brush description (hatches take the background per mode).
QBrush QBrushOf(const LOGBRUSH& B, const QImage& Pattern);
// The pixels of Source in R as an opaque 32-bit image (alpha ignored).
QImage OpaqueCopy(const QImage& Source, const QRect& R);
// Draws Source (already cut to the source rectangle) into the logical rectangle
// Dest of DC with the raster operation Rop (SRCCOPY ...), scaled when sizes differ.
void BlitImage(HDC DC, const TRect& Dest, const QImage& Source, DWORD Rop);
// DrawText and DrawTextEx; Shown (may be null) receives the single line as
// displayed (after ellipsis), for DT_MODIFYSTRING.
int DrawTextImpl(HDC DC, const QString& Text, int Count, TRect& R, UINT Format, DRAWTEXTPARAMS* Params,
                 QString* Shown, TTextPlace* Place = nullptr);
// Draws Source (with its alpha) into the logical rectangle Dest of DC, scaled.
void DrawImageOver(HDC DC, const TRect& Dest, const QImage& Source);
