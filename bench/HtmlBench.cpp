// Mini-HTML cell texts: painting, measuring and hit-testing one cell, the three
// calls the grid makes per HTML cell when it paints, auto-sizes and follows the
// mouse. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "controls/PsgHTMLE.h"
#include "platform/ui/Forms.h"

namespace {

const QString kCell = QStringLiteral(
    "<B>Device</B> <FONT COLOR=\"#FF0000\">12</FONT> of <A HREF=\"cell://R3C2\" TITLE=\"Go\">the list</A>"
    "<BR><I>Modbus</I> &amp; OPC UA, <U>holding</U> registers <CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" "
    "WIDTH=\"16\"> enabled");

struct TOutputs {
  QString AnchorVal, StripVal, FocusAnchor, AnchorTitle, ControlID, ControlValue, ControlType;
  int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = 0;
  TRect HoverRect, ControlRect;
};

bool Call(TCanvas* Canvas, bool NoDraw, bool MeasureOnly, int X, int Y, TOutputs& O) {
  return DrawHTMLText(Canvas, kCell, TRect(0, 0, 260, 60), nullptr, X, Y, -1, -1, 1, NoDraw, MeasureOnly, false,
                      false, true, false, true, false, 1.0, clBlue, clNone, clNone, clGray, O.AnchorVal, O.StripVal,
                      O.FocusAnchor, O.AnchorTitle, O.XSize, O.YSize, O.HyperLinks, O.MouseLink, O.HoverRect,
                      O.ControlRect, O.ControlID, O.ControlValue, O.ControlType, nullptr, nullptr, nullptr,
                      bdLeftToRight);
}

struct TBenchCanvas {
  TBenchCanvas() : Image(300, 80, QImage::Format_RGB32) {
    Image.fill(Qt::white);
    Canvas.SetDevice(&Image);
    Canvas.Font()->SetName(QStringLiteral("Tahoma"));
    Canvas.Font()->SetSize(8);
  }
  ~TBenchCanvas() { Canvas.SetDevice(nullptr); }
  QImage Image;
  TCanvas Canvas;
};

void BM_HtmlPaintCell(benchmark::State& State) {
  TBenchCanvas b;
  TOutputs o;
  for (auto _ : State) benchmark::DoNotOptimize(Call(&b.Canvas, false, false, 0, 0, o));
}
BENCHMARK(BM_HtmlPaintCell)->Unit(benchmark::kMicrosecond);

void BM_HtmlMeasureCell(benchmark::State& State) {
  TBenchCanvas b;
  TOutputs o;
  for (auto _ : State) benchmark::DoNotOptimize(Call(&b.Canvas, true, true, -1, -1, o));
}
BENCHMARK(BM_HtmlMeasureCell)->Unit(benchmark::kMicrosecond);

void BM_HtmlHitTestCell(benchmark::State& State) {
  TBenchCanvas b;
  TOutputs o;
  for (auto _ : State) benchmark::DoNotOptimize(Call(&b.Canvas, true, false, 150, 8, o));
}
BENCHMARK(BM_HtmlHitTestCell)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Application->Initialize();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Application->Finalize();
  return 0;
}
