// The mini-HTML renderer, DrawHTMLText, on the canvas of an offscreen image, as
// the grid calls it for a cell: painted, measured only, and hit-tested at a
// point. Input: line 0 the call's settings, then the text (every further line).
// Settings: character 1 holds flags in its low bits (word wrap, selected, blink
// phase, hover style, print, control down, right to left); characters 2 and 3
// the rectangle's width and height (0 to 255 pixels); 4 and 5 the hit point;
// 6 the focus and hover anchor. Every call returns within the time limit,
// gives sizes of at least 0 and leaves the canvas's font, brush and pen as they
// were, with no rotated font left behind.
#include "FuzzSupport.h"

#include <memory>

#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"
#include "platform/gdi/Graphics.h"

namespace {

int Style(const TFontStyles& S) {
  return (S.contains(fsBold) ? 1 : 0) | (S.contains(fsItalic) ? 2 : 0) | (S.contains(fsUnderline) ? 4 : 0) |
         (S.contains(fsStrikeOut) ? 8 : 0);
}

// The canvas's drawing tools as text.
QString Tools(TCanvas* C) {
  return QStringLiteral("font %1 %2 %3 %4; brush %5 %6; pen %7 %8")
      .arg(C->Font()->Name())
      .arg(C->Font()->Height())
      .arg(Style(C->Font()->Style()))
      .arg(static_cast<qint64>(C->Font()->Color()))
      .arg(static_cast<qint64>(C->Brush()->Color()))
      .arg(static_cast<int>(C->Brush()->Style()))
      .arg(static_cast<qint64>(C->Pen()->Color()))
      .arg(C->Pen()->Width());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static TBitmap* const Image = [] {
    auto* b = new TBitmap(256, 256);
    b->Canvas()->Font()->SetName(QStringLiteral("Tahoma"));
    b->Canvas()->Font()->SetSize(9);
    b->Canvas()->Font()->SetColor(clMaroon);
    b->Canvas()->Brush()->SetColor(clInfoBk);
    b->Canvas()->Pen()->SetColor(clTeal);
    b->Canvas()->Pen()->SetWidth(2);
    return b;
  }();
  static TImageList* const Images = [] {
    auto* l = new TImageList(nullptr);
    TBitmap glyph(16, 16);
    l->Add(&glyph, nullptr);
    return l;
  }();
  const Fuzz::TLines in(Data, Size);
  const auto setting = [&in](int Pos, int Default) { return in.CharAt(0, Pos, QChar(Default)).unicode() & 0xFF; };
  const int flags = setting(0, 0);
  const TRect rect(0, 0, setting(1, 200), setting(2, 100));
  const int x = setting(3, 5), y = setting(4, 5);
  const int link = setting(5, 0) % 4;
  const QString text = in.From(1);

  TCanvas* canvas = Image->Canvas();
  const QString before = Tools(canvas);
  for (int mode = 0; mode < 3; ++mode) {
    const bool hit = mode == 2;
    QString AnchorVal, StripVal, FocusAnchor, AnchorTitle, ControlValue, ControlType;
    QString ControlID = hit ? QStringLiteral("e") : QString();
    int XSize = -1, YSize = -1, HyperLinks = -1, MouseLink = 0;
    TRect HoverRect, ControlRect;
    DrawHTMLText(canvas, text, rect, Images, hit ? x : -1, hit ? y : -1, link - 1, link, 1, hit, mode == 1,
                 flags & 16, flags & 2, !(flags & 4), flags & 8, flags & 1, flags & 32, 1.0, clBlue, clYellow,
                 clRed, clGray, AnchorVal, StripVal, FocusAnchor, AnchorTitle, XSize, YSize, HyperLinks, MouseLink,
                 HoverRect, ControlRect, ControlID, ControlValue, ControlType, nullptr, nullptr, nullptr,
                 flags & 64 ? bdRightToLeft : bdLeftToRight);
    if (XSize < 0 || YSize < 0 || HyperLinks < 0)
      Fuzz::Fail("sizes and the anchor count are at least 0", QStringLiteral(">= 0"),
                 QStringLiteral("%1 %2 %3").arg(XSize).arg(YSize).arg(HyperLinks));
    Fuzz::Check("the canvas's tools are restored", before, Tools(canvas));
    Fuzz::Check("no rotated font is left", QStringLiteral("0"), QString::number(HTMLLiveRotatedFonts()));
  }
  canvas->ReleasePainter();
  return 0;
}
