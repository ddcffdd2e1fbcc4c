// The canvas keeps font, pen and brush objects across changes and remembers
// shaped texts: what is drawn after a change must still be what was asked for.
#include <gtest/gtest.h>

#include <memory>

#include "common/RecordingCanvas.h"
#include "platform/gdi/Graphics.h"

namespace {

// The pixel (x, y) of a recording canvas.
TColor At(TRecordingCanvas& S, int x, int y) {
  const QRgb c = S.Pixels().pixel(x, y);
  return RGB(qRed(c), qGreen(c), qBlue(c));
}

// A text drawn by DrawText with its format into its rectangle.
struct TTextCase {
  const char* Name;
  QString Text;
  UINT Format;
  TRect R;
};

// Draws many texts, each twice, with the context's font: more than its table
// of drawn texts keeps, which is emptied on the way.
void FillTheFontsTable(HDC DC) {
  TRect r(0, 0, 80, 20);
  for (int i = 0; i < 5000; ++i)
    for (int k = 0; k < 2; ++k) DrawText(DC, QString::number(i), -1, r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace

// A painter switching colours cell after cell: every line and box has the
// colour, width and style set just before it, also when a colour comes back.
TEST(CanvasReuse, PenAndBrushChangesBetweenDrawsAreEachDrawnAsSet) {
  TRecordingCanvas s(60, 30);
  TCanvas& c = *s.Canvas();
  const TColor colors[] = {clRed, clBlue, clRed, clGreen, clBlue};
  for (int i = 0; i < 5; ++i) {
    c.Pen()->SetColor(colors[i]);
    c.MoveTo(0, i * 2);
    c.LineTo(20, i * 2);
    // A box whose outline and inside share the colour, one whose do not.
    c.Brush()->SetColor(colors[i]);
    c.Rectangle(22 + i * 6, 0, 26 + i * 6, 4);
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(colors[(i + 1) % 5]);
    c.Rectangle(22 + i * 6, 10, 26 + i * 6, 14);
  }
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(At(s, 10, i * 2), colors[i]) << i;
    EXPECT_EQ(At(s, 19, i * 2), colors[i]) << i;
    EXPECT_EQ(At(s, 20, i * 2), clWhite) << i;
    EXPECT_EQ(At(s, 22 + i * 6, 0), colors[i]) << i;
    EXPECT_EQ(At(s, 23 + i * 6, 1), colors[i]) << i;
    EXPECT_EQ(At(s, 22 + i * 6, 10), clBlack) << i;
    EXPECT_EQ(At(s, 23 + i * 6, 11), colors[(i + 1) % 5]) << i;
  }
  // Then a clear pen, a wide one, a hatched brush, a clear one and a solid
  // one: the same pixels as on a canvas that drew nothing before.
  auto more = [](TCanvas& cv) {
    cv.Pen()->SetColor(clRed);
    cv.Pen()->SetStyle(psClear);
    cv.MoveTo(0, 17);
    cv.LineTo(30, 17);
    cv.Pen()->SetStyle(psSolid);
    cv.Pen()->SetWidth(3);
    cv.MoveTo(0, 25);
    cv.LineTo(30, 25);
    cv.Pen()->SetWidth(1);
    cv.Pen()->SetStyle(psClear);
    cv.Brush()->SetColor(clBlue);
    cv.Brush()->SetStyle(bsCross);
    cv.FillRect(TRect(40, 16, 56, 30));
    cv.Brush()->SetStyle(bsClear);
    cv.Rectangle(40, 16, 56, 30);
    cv.Brush()->SetColor(clGreen);
    cv.FillRect(TRect(50, 24, 56, 30));
  };
  more(c);
  TRecordingCanvas fresh(60, 30);
  more(*fresh.Canvas());
  const QRect below(0, 16, 60, 14);
  EXPECT_EQ(s.Pixels().copy(below), fresh.Pixels().copy(below));
  EXPECT_EQ(At(s, 10, 17), clWhite);
  EXPECT_EQ(At(s, 10, 24), clRed);
  EXPECT_EQ(At(s, 53, 27), clGreen);
}

// A new text colour with the same face, and a face changed and changed back,
// draw the text as a canvas that never drew before would.
TEST(CanvasReuse, FontColourAndFaceChangesDrawLikeAFreshCanvas) {
  auto draw = [](TCanvas& c, TColor Color, bool Bold, int Y) {
    c.Font()->SetColor(Color);
    c.Font()->SetStyle(Bold ? TFontStyles{fsBold} : TFontStyles{});
    c.Brush()->SetStyle(bsClear);
    c.TextOut(2, Y, QStringLiteral("r12c3"));
  };
  const QRect top(0, 0, 60, 15);
  for (const bool bold : {false, true}) {
    TRecordingCanvas fresh(60, 40);
    draw(*fresh.Canvas(), clRed, bold, 2);
    TRecordingCanvas reused(60, 40);
    draw(*reused.Canvas(), clBlue, !bold, 20);
    draw(*reused.Canvas(), clGreen, bold, 20);
    draw(*reused.Canvas(), clRed, bold, 2);
    EXPECT_EQ(reused.Pixels().copy(top), fresh.Pixels().copy(top)) << bold;
  }
  // Assigning an equal font with another colour changes the colour only.
  TRecordingCanvas a(60, 30);
  TFont red;
  red.SetColor(clRed);
  a.Canvas()->Font()->Assign(&red);
  a.Canvas()->Brush()->SetStyle(bsClear);
  a.Canvas()->TextOut(2, 2, QStringLiteral("W"));
  TFont green;
  green.SetColor(clGreen);
  a.Canvas()->Font()->Assign(&green);
  a.Canvas()->TextOut(30, 2, QStringLiteral("W"));
  const QImage pixels = a.Pixels();
  bool sawRed = false, sawGreen = false;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) {
      const QRgb p = pixels.pixel(x, y);
      sawRed = sawRed || (x < 30 && p == qRgb(255, 0, 0));
      sawGreen = sawGreen || (x >= 30 && p == qRgb(0, 128, 0));
    }
  EXPECT_TRUE(sawRed);
  EXPECT_TRUE(sawGreen);
}

// DrawText draws a text it has shaped before with the pixels TextOut draws it
// with, the first time and again, plain, bold and not in Latin script.
TEST(CanvasReuse, DrawTextOfAShapedTextMatchesTextOut) {
  const QString texts[] = {QStringLiteral("r123c4"), QStringLiteral("12345671"), QStringLiteral("fi AV To, x"),
                           QString::fromUtf8("K\u00e9vin \u00fc\u00df"), QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd"),
                           QString::fromUtf8("\u4e2d\u6587 1")};
  for (const bool bold : {false, true})
    for (const QString& t : texts) {
      auto canvas = [bold] {
        auto r = std::make_unique<TRecordingCanvas>(120, 30);
        r->Canvas()->Font()->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
        r->Canvas()->Brush()->SetStyle(bsClear);
        return r;
      };
      auto ref = canvas();
      ref->Canvas()->TextOut(3, 4, t);
      for (int pass = 0; pass < 2; ++pass) {
        auto s = canvas();
        TRect r(3, 4, 120, 30);
        DrawText(s->Canvas()->Handle(), t, -1, r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        EXPECT_EQ(s->Pixels(), ref->Pixels()) << t.toStdString() << " bold " << bold << " pass " << pass;
      }
    }
}

// A line drawn again by DrawText comes from an image of it written once: the
// pixels are those of the glyphs written directly, in every alignment, clipped
// where the text is wider than its rectangle, for a one-line text laid out by
// word wrap, and in another colour drawn later.
TEST(CanvasReuse, DrawTextAgainDrawsTheGlyphsPixels) {
  const TTextCase cases[] = {
      {"left top", QStringLiteral("r123c4"), DT_LEFT | DT_TOP | DT_SINGLELINE, {2, 3, 70, 24}},
      {"centred", QStringLiteral("5017.25"), DT_CENTER | DT_VCENTER | DT_SINGLELINE, {2, 3, 70, 24}},
      {"right bottom", QStringLiteral("gjpqy|"), DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, {2, 3, 70, 24}},
      {"wider than its cell", QStringLiteral("a long text in a narrow cell"), DT_LEFT | DT_SINGLELINE,
       {5, 2, 40, 12}},
      {"one line by word wrap", QStringLiteral("two words"), DT_RIGHT | DT_WORDBREAK | DT_EDITCONTROL,
       {2, 3, 90, 40}},
      {"not in Latin script", QString::fromUtf8("\u65e5\u672c \u20ac 12"), DT_LEFT | DT_SINGLELINE,
       {2, 3, 90, 24}},
      {"accents above a low rectangle", QString::fromUtf8("\u00c9\u00c4\u00d6 \u00c5jg"), DT_LEFT | DT_SINGLELINE,
       {2, 6, 90, 14}},
      {"blanks only", QStringLiteral("   "), DT_LEFT | DT_SINGLELINE, {2, 3, 90, 24}},
  };
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.Name);
    int pass = 0;
    for (const TColor color : {clBlack, clBlack, clRed, clRed}) {
      SCOPED_TRACE(pass++);
      TRecordingCanvas ref(100, 40), s(100, 40);
      for (TRecordingCanvas* r : {&ref, &s}) {
        r->Canvas()->Font()->SetColor(color);
        r->Canvas()->Brush()->SetStyle(bsClear);
      }
      // Where DrawText puts the line, written directly through the canvas.
      TCanvas& rc = *ref.Canvas();
      const TSize size = rc.TextExtent(c.Text);
      int x = c.R.Left, y = c.R.Top;
      if (c.Format & DT_CENTER) x = c.R.Left + (c.R.Width() - size.cx) / 2;
      if (c.Format & DT_RIGHT) x = c.R.Right - size.cx;
      if (c.Format & DT_VCENTER) y = c.R.Top + (c.R.Height() - size.cy) / 2;
      if (c.Format & DT_BOTTOM) y = c.R.Bottom - size.cy;
      rc.TextRect(c.R, x, y, c.Text);
      TRect r = c.R;
      DrawText(s.Canvas()->Handle(), c.Text, -1, r, c.Format | DT_NOPREFIX);
      EXPECT_EQ(s.Pixels(), ref.Pixels());
      ASSERT_EQ(s.Texts().size(), 1u);  // recorded as drawn, whichever way
    }
  }
}

// The lines of a text laid out on several lines (broken by word wrap or at
// line breaks) are drawn again from their images with the pixels of their
// first, direct drawing.
TEST(CanvasReuse, TheLinesOfATextOnSeveralLinesAreDrawnAgainAlike) {
  const TTextCase cases[] = {
      {"a word broken to fit", QStringLiteral("r712345c9x1234567.25"), DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL,
       {2, 2, 40, 38}},
      {"words wrapped, centred", QStringLiteral("wrapped words here"), DT_CENTER | DT_WORDBREAK, {2, 2, 60, 38}},
      {"line breaks, right", QStringLiteral("first\r\nsecond line"), DT_RIGHT, {2, 2, 70, 38}},
      {"a word wider than the rectangle", QStringLiteral("unbreakablewords here"), DT_LEFT | DT_WORDBREAK,
       {2, 2, 40, 38}},
      {"lines cut by a low rectangle", QStringLiteral("wrapped words here"), DT_LEFT | DT_WORDBREAK,
       {2, 2, 60, 20}},
  };
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.Name);
    QImage first;
    for (int pass = 0; pass < 3; ++pass) {
      TRecordingCanvas s(80, 40);
      s.Canvas()->Brush()->SetStyle(bsClear);
      TRect r = c.R;
      DrawText(s.Canvas()->Handle(), c.Text, -1, r, c.Format | DT_NOPREFIX);
      const QImage pixels = s.Pixels();
      if (pass == 0)
        first = pixels;
      else
        EXPECT_EQ(pixels, first) << "pass " << pass;
    }
  }
}

// What is kept of a text (width, layout, image) is kept in one table per font:
// a text measured before it is drawn, and texts drawn after the table was
// emptied for being full, are drawn with the pixels of their first drawing.
TEST(CanvasReuse, TextsMeasuredFirstOrDrawnPastAFullTableDrawAlike) {
  const TTextCase cases[] = {
      {"one line", QStringLiteral("r123c4"), DT_RIGHT | DT_WORDBREAK | DT_EDITCONTROL, {2, 2, 70, 38}},
      {"wrapped", QStringLiteral("wrapped words here"), DT_LEFT | DT_WORDBREAK, {2, 2, 60, 38}},
  };
  for (const TTextCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordingCanvas s(80, 40);
    s.Canvas()->Brush()->SetStyle(bsClear);
    HDC dc = s.Canvas()->Handle();
    TRect measured = c.R;
    DrawText(dc, c.Text, -1, measured, c.Format | DT_NOPREFIX | DT_CALCRECT);
    auto draw = [&] {
      s.Canvas()->Brush()->SetStyle(bsSolid);
      s.Canvas()->FillRect(TRect(0, 0, 80, 40));
      s.Canvas()->Brush()->SetStyle(bsClear);
      TRect r = c.R;
      DrawText(dc, c.Text, -1, r, c.Format | DT_NOPREFIX);
      return s.Pixels();
    };
    const QImage first = draw();
    EXPECT_EQ(draw(), first);
    FillTheFontsTable(dc);
    EXPECT_EQ(draw(), first);
    EXPECT_EQ(draw(), first);
  }
}

// A text drawn at a kept place paint after paint is drawn as without the
// place whatever changed since the last time (text, colour, rectangle, flags,
// font), also after the font's table of drawn texts was emptied; a short text
// drawn there again the same way (on one line or several) is kept with the
// place, a long one is not.
TEST(CanvasReuse, ATextAtAKeptPlaceIsDrawnAsWithoutIt) {
  TTextPlace place;
  TRecordingCanvas s(100, 40), ref(100, 40);
  struct TStep {
    const char* Name;
    QString Text;
    TColor Color;
    TRect R;
    UINT Format;
    bool Bold;
  };
  const TRect at{2, 3, 70, 24};
  const UINT left = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
  const TStep steps[] = {
      {"first", QStringLiteral("r123c4"), clBlack, at, left, false},
      {"again", QStringLiteral("r123c4"), clBlack, at, left, false},
      {"kept", QStringLiteral("r123c4"), clBlack, at, left, false},
      {"another text of the same length", QStringLiteral("r123c5"), clBlack, at, left, false},
      {"another colour", QStringLiteral("r123c5"), clRed, at, left, false},
      {"moved", QStringLiteral("r123c5"), clRed, TRect{5, 8, 73, 29}, left, false},
      {"right and centred", QStringLiteral("r123c5"), clRed, at, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, false},
      {"bold", QStringLiteral("r123c5"), clRed, at, left, true},
      {"wider than the rectangle", QStringLiteral("r123c5 and more"), clRed, TRect{2, 3, 40, 24}, left, false},
      {"long", QStringLiteral("a text too long to keep"), clBlack, at, left, false},
      {"wrapped on two lines", QStringLiteral("r712345c9 12.5"), clBlack, TRect{2, 3, 40, 38},
       DT_LEFT | DT_WORDBREAK | DT_NOPREFIX, false},
      {"wrapped and centred", QStringLiteral("r712345c9 12.5"), clBlue, TRect{2, 3, 40, 38},
       DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX, false},
      {"a word broken on three lines", QStringLiteral("r712345678901c9"), clBlack, TRect{2, 3, 30, 38},
       DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX, false},
  };
  auto draw = [](TRecordingCanvas& C, const TStep& Step, TTextPlace* Place) {
    TCanvas* cv = C.Canvas();
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(clWhite);
    cv->FillRect(TRect(0, 0, 100, 40));
    cv->Brush()->SetStyle(bsClear);
    cv->Font()->SetColor(Step.Color);
    cv->Font()->SetStyle(Step.Bold ? TFontStyles{fsBold} : TFontStyles{});
    TRect r = Step.R;
    const int answer = Place != nullptr ? DrawTextPlaced(cv->Handle(), Step.Text, r, Step.Format, *Place)
                                        : DrawText(cv->Handle(), Step.Text, -1, r, Step.Format);
    return std::make_pair(answer, C.Pixels());
  };
  for (int round = 0; round < 2; ++round) {
    for (const TStep& step : steps) {
      SCOPED_TRACE(step.Name);
      for (int k = 0; k < 3; ++k) EXPECT_EQ(draw(s, step, &place), draw(ref, step, nullptr));
      EXPECT_EQ(place.Font != 0 && place.Length == step.Text.size(), step.Text.size() <= TTextPlace::kLength);
    }
    FillTheFontsTable(s.Canvas()->Handle());
  }
}

// A text is laid out again when what its lines depend on changed since it was
// laid out last: the width it wraps in, the flags, the accelerator marks.
TEST(CanvasReuse, ATextIsLaidOutAgainWhenItsWidthOrFlagsChange) {
  TRecordingCanvas s(400, 100);
  HDC dc = s.Canvas()->Handle();
  const int lineH = s.Canvas()->TextHeight(QStringLiteral("Ag"));
  auto measure = [&](const QString& T, int Width, UINT Format) {
    TRect r(0, 0, Width, 100);
    DrawText(dc, T, -1, r, Format | DT_CALCRECT);
    return r;
  };
  const QString words = QStringLiteral("one two three four");
  const UINT wrap = DT_WORDBREAK | DT_NOPREFIX;
  const int narrow = measure(words, 40, wrap).Bottom;
  EXPECT_GT(narrow, 2 * lineH);
  EXPECT_EQ(measure(words, 390, wrap).Bottom, lineH);
  EXPECT_EQ(measure(words, 40, wrap).Bottom, narrow);
  EXPECT_EQ(measure(words, 40, DT_NOPREFIX).Bottom, lineH);  // no wrapping asked for
  const QString breaks = QStringLiteral("a\r\nb");
  EXPECT_EQ(measure(breaks, 390, DT_NOPREFIX).Bottom, 2 * lineH);
  EXPECT_EQ(measure(breaks, 390, DT_NOPREFIX | DT_SINGLELINE).Bottom, lineH);
  const QString accel = QStringLiteral("&Save");
  EXPECT_EQ(measure(accel, 390, DT_NOPREFIX).Right, s.Canvas()->TextWidth(accel));
  EXPECT_EQ(measure(accel, 390, 0).Right, s.Canvas()->TextWidth(QStringLiteral("Save")));
}
