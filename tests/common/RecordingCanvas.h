// A canvas over an image that records what is drawn on it (lines, rectangles,
// fills, polygons, texts with their flags, pictures, frame controls), for tests
// that check what a control asks to draw; Pixels() gives the image for the few
// checks only pixels can answer.
#pragma once

#include <QImage>
#include <algorithm>

#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Graphics.h"

class TRecordingCanvas {
 public:
  TRecordingCanvas(int Width, int Height) : FImage(Width, Height, QImage::Format_RGB32) {
    FImage.fill(Qt::white);
    FCanvas.SetDevice(&FImage);
    SetDrawRecorder(FCanvas.Handle(), &FRecorder);
  }
  ~TRecordingCanvas() {
    SetDrawRecorder(FCanvas.Handle(), nullptr);
    FCanvas.SetDevice(nullptr);
  }
  TRecordingCanvas(const TRecordingCanvas&) = delete;
  TRecordingCanvas& operator=(const TRecordingCanvas&) = delete;

  TCanvas* Canvas() { return &FCanvas; }
  TDrawRecorder& Recorder() { return FRecorder; }
  const std::vector<TDrawRecord>& Records() const { return FRecorder.Records; }
  std::vector<TDrawRecord> OfKind(TDrawKind Kind) const { return FRecorder.OfKind(Kind); }
  std::vector<QString> Texts() const { return FRecorder.Texts(); }
  // The texts drawn that are not empty.
  std::vector<TDrawRecord> ShownTexts() const {
    std::vector<TDrawRecord> r = OfKind(dkText);
    r.erase(std::remove_if(r.begin(), r.end(), [](const TDrawRecord& t) { return t.Text.isEmpty(); }),
            r.end());
    return r;
  }
  void Clear() { FRecorder.Clear(); }
  // The pixels drawn so far.
  QImage Pixels() {
    FCanvas.ReleasePainter();
    return FImage.copy();
  }

 private:
  QImage FImage;
  TCanvas FCanvas;
  TDrawRecorder FRecorder;
};
