// A paint device that records what is drawn on it instead of keeping pixels:
// texts with their font and colour, filled and framed rectangles, lines and
// images, all in device coordinates. A canvas attached to it draws as on any
// other device, so a test sees exactly what a drawing routine asked for.
#pragma once

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <vector>

struct TRecordedText {
  QString Text;
  QPoint Baseline;  // left end of the baseline
  QFont Font;
  QColor Color;
};
struct TRecordedRect {
  QRect R;
  QColor Fill;  // invalid when not filled
  QColor Pen;   // invalid without an outline
};
struct TRecordedLine {
  QLine L;
  QColor Color;
};
struct TRecordedImage {
  QRect Target;
  QSize Source;
};

class TRecordingEngine : public QPaintEngine {
 public:
  TRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }
  void updateState(const QPaintEngineState& S) override {
    if (S.state() & DirtyPen) FPen = S.pen();
    if (S.state() & DirtyBrush) FBrush = S.brush();
    if (S.state() & DirtyTransform) FTransform = S.transform();
    if (S.state() & DirtyFont) FFont = S.font();
  }
  void drawTextItem(const QPointF& P, const QTextItem& Item) override {
    Texts.push_back({Item.text(), FTransform.map(P).toPoint(), Item.font(), FPen.color()});
  }
  void drawRects(const QRect* R, int Count) override {
    for (int i = 0; i < Count; ++i) AddRect(FTransform.mapRect(QRectF(R[i])).toRect());
  }
  void drawRects(const QRectF* R, int Count) override {
    for (int i = 0; i < Count; ++i) AddRect(FTransform.mapRect(R[i]).toAlignedRect());
  }
  void drawLines(const QLine* L, int Count) override {
    for (int i = 0; i < Count; ++i) Lines.push_back({FTransform.map(L[i]), FPen.color()});
  }
  void drawLines(const QLineF* L, int Count) override {
    for (int i = 0; i < Count; ++i) Lines.push_back({FTransform.map(L[i]).toLine(), FPen.color()});
  }
  void drawPixmap(const QRectF& R, const QPixmap& Pm, const QRectF&) override {
    Images.push_back({FTransform.mapRect(R).toAlignedRect(), Pm.size()});
  }
  void drawImage(const QRectF& R, const QImage& Image, const QRectF&, Qt::ImageConversionFlags) override {
    Images.push_back({FTransform.mapRect(R).toAlignedRect(), Image.size()});
  }
  // Paths (the check mark of a check box ...) are not recorded.
  void drawPath(const QPainterPath&) override {}
  // Polylines (and the outlines of polygons) as their segments.
  void drawPolygon(const QPointF* Points, int Count, PolygonDrawMode Mode) override {
    for (int i = 1; i < Count; ++i)
      Lines.push_back({FTransform.map(QLineF(Points[i - 1], Points[i])).toLine(), FPen.color()});
    if (Mode != PolylineMode && Count > 2)
      Lines.push_back({FTransform.map(QLineF(Points[Count - 1], Points[0])).toLine(), FPen.color()});
  }
  void drawPolygon(const QPoint* Points, int Count, PolygonDrawMode Mode) override {
    std::vector<QPointF> f(Points, Points + Count);
    drawPolygon(f.data(), Count, Mode);
  }

  std::vector<TRecordedText> Texts;
  std::vector<TRecordedRect> Rects;
  std::vector<TRecordedLine> Lines;
  std::vector<TRecordedImage> Images;

 private:
  void AddRect(const QRect& R) {
    Rects.push_back({R, FBrush.style() == Qt::NoBrush ? QColor() : FBrush.color(),
                     FPen.style() == Qt::NoPen ? QColor() : FPen.color()});
  }
  QPen FPen;
  QBrush FBrush;
  QFont FFont;
  QTransform FTransform;
};

class TRecordingDevice : public QPaintDevice {
 public:
  TRecordingDevice(int Width, int Height, int Dpi = 96) : FWidth(Width), FHeight(Height), FDpi(Dpi) {}
  ~TRecordingDevice() override = default;
  QPaintEngine* paintEngine() const override { return &FEngine; }
  TRecordingEngine& Recorded() { return FEngine; }
  void Clear() {
    FEngine.Texts.clear();
    FEngine.Rects.clear();
    FEngine.Lines.clear();
    FEngine.Images.clear();
  }
  // The texts drawn, joined in drawing order.
  QString AllText() const {
    QString s;
    for (const auto& t : FEngine.Texts) s += t.Text;
    return s;
  }

 protected:
  int metric(PaintDeviceMetric M) const override {
    switch (M) {
      case PdmWidth: return FWidth;
      case PdmHeight: return FHeight;
      case PdmWidthMM: return FWidth * 254 / (FDpi * 10);
      case PdmHeightMM: return FHeight * 254 / (FDpi * 10);
      case PdmNumColors: return 0x7FFFFFFF;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return FDpi;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  int FWidth, FHeight, FDpi;
  mutable TRecordingEngine FEngine;
};
