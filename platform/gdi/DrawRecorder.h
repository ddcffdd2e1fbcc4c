// A record of what is drawn on a device context: the lines, rectangles, fills,
// polygons, texts (with their DrawText flags and font), pictures, frame controls
// and focus rectangles, in the order they were drawn. Tests attach one to a
// canvas's context to check what a control asks to draw without reading pixels.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/gdi/WinGdi.h"
#include "platform/rtl/Types.h"

class QImage;

enum TDrawKind { dkLine, dkRectangle, dkFill, dkPolygon, dkText, dkBitmap, dkFrameControl, dkFocusRect };

struct TDrawRecord {
  TDrawKind Kind = dkLine;
  // Rectangle, fill, text (layout rectangle), picture (destination), frame control, focus.
  TRect R;
  // Line ends; for a text drawn at a point, the point in P1.
  TPoint P1, P2;
  // Polygon corners.
  std::vector<TPoint> Points;
  COLORREF PenColor = 0;
  int PenWidth = 1;
  int PenStyle = 0;
  // The brush colour; CLR_INVALID for a clear brush.
  COLORREF BrushColor = 0;
  // Texts: the text, DrawText flags (0 for TextOut), text colour and font.
  QString Text;
  UINT Flags = 0;
  COLORREF TextColor = 0;
  bool Underline = false;
  bool Bold = false;
  int FontHeight = 0;
  // Frame controls: type and state (DFC_, DFCS_).
  UINT Type = 0, State = 0;
  // Pictures: the picture as drawn (before scaling).
  std::shared_ptr<const QImage> Image;
};

class TDrawRecorder {
 public:
  std::vector<TDrawRecord> Records;
  void Clear() { Records.clear(); }
  // The records of one kind, in drawing order.
  std::vector<TDrawRecord> OfKind(TDrawKind Kind) const;
  // The texts drawn, in drawing order.
  std::vector<QString> Texts() const;
};

// Attaches Recorder (not owned; nullptr detaches) to the device context.
void SetDrawRecorder(HDC DC, TDrawRecorder* Recorder);
TDrawRecorder* DrawRecorderOf(HDC DC);
