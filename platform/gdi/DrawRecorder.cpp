// What a device context draws, recorded for tests.
#include "platform/gdi/DrawRecorder.h"

#include "platform/gdi/DeviceContext_p.h"

std::vector<TDrawRecord> TDrawRecorder::OfKind(TDrawKind Kind) const {
  std::vector<TDrawRecord> result;
  for (const TDrawRecord& r : Records)
    if (r.Kind == Kind) result.push_back(r);
  return result;
}

std::vector<QString> TDrawRecorder::Texts() const {
  std::vector<QString> result;
  for (const TDrawRecord& r : Records)
    if (r.Kind == dkText) result.push_back(r.Text);
  return result;
}

void SetDrawRecorder(HDC DC, TDrawRecorder* Recorder) {
  if (DC) DC->Recorder = Recorder;
}

TDrawRecorder* DrawRecorderOf(HDC DC) { return DC ? DC->Recorder : nullptr; }

TDrawRecord StateRecord(HDC DC, int Kind) {
  TDrawRecord r;
  r.Kind = TDrawKind(Kind);
  const TDcState& S = DC->S;
  r.PenColor = S.Pen.lopnColor;
  r.PenWidth = S.Pen.lopnWidth.X;
  r.PenStyle = int(S.Pen.lopnStyle);
  r.BrushColor = S.Brush.lbStyle == BS_NULL ? CLR_INVALID : S.Brush.lbColor;
  r.TextColor = S.TextColor;
  if (S.Font) {
    r.Underline = S.Font->Log.lfUnderline != 0;
    r.Bold = S.Font->Log.lfWeight >= FW_BOLD;
    r.FontHeight = S.Font->Log.lfHeight;
  }
  return r;
}

void Record(HDC DC, TDrawRecord&& R) {
  if (DC && DC->Recorder) DC->Recorder->Records.push_back(std::move(R));
}
