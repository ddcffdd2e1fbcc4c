// The mini-HTML renderer's images (<IMG>, <BODY BACKGROUND>) and inline
// controls (<CONTROL>): their sizes, drawing and hit tests within a line.
#include "controls/ProStyleIF.h"
#include "controls/ProXPVS.h"
#include "controls/PsgHTMLE_Render_p.h"
#include "platform/os/ShellIcons.h"

namespace HtmlRender {

namespace {

bool IsNumber(const QString& S) {
  bool ok = false;
  S.toLongLong(&ok);
  return ok;
}

// Inline controls follow the system's theme when a visual style is active.
bool ThemedControls() { return IsWinXPOrLater() && IsThemeActive(); }

// One part of an inline control. Themed: the theme data of ThemeWindow for
// ThemeClass ("button", "combobox") draws Part in State (DrawThemeBackground);
// classic: DrawFrameControl with ClassicType and ClassicState.
void DrawControlPart(HDC DC, HWND ThemeWindow, const char* ThemeClass, int Part, int State, const TRect& R,
                     UINT ClassicType, UINT ClassicState) {
  if (ThemedControls() && DrawThemedPart(ThemeWindow, QString::fromLatin1(ThemeClass), DC, Part, State, R))
    return;
  DrawFrameControl(DC, R, ClassicType, ClassicState);
}

}  // namespace

std::unique_ptr<IHTMLPicture> THTMLRenderer::FindPicture(const QString& UpperSrc, const QString& Src) {
  std::unique_ptr<IHTMLPicture> pic;
  if (!UpperSrc.contains(QLatin1Char(':')) && Container)
    pic = HTMLPictureSource().ContainerPicture(Container, Src);
  else if (UpperSrc.contains(QStringLiteral("://")) && Cache)
    pic = HTMLPictureSource().CachePicture(Cache, Src);
  if (pic && pic->Empty()) pic.reset();
  return pic;
}

// Places an image or control of W x H at the position: the line is full when it
// does not fit on a line that already holds something.
void THTMLRenderer::Place(TPass& P, int W, int H, TLineMetrics& M, bool LineHasContent) {
  const int lineWidth = P.Line.Right - P.Line.Left;
  if (lineWidth < P.X + W && W < lineWidth && LineHasContent) {
    P.Full = true;
    return;
  }
  P.X += W;
  P.Cursor.Left += W;
  M.H = std::max(M.H, H);
}

void THTMLRenderer::Image(TPass& P, const QString& Attrs, const QString& Upper, TLineMetrics& M,
                          bool LineHasContent) {
  const bool paints = !P.Measure;
  ++FImageCount;
  QString src = QuotedAfter(Upper, Attrs, QStringLiteral("SRC"));
  bool hasAlt = false;
  const QString alt = QuotedAfter(Upper, Attrs, QStringLiteral("ALT"), &hasAlt);
  if (hasAlt && FImageCount == FHitImage) src = alt;
  const QString upperSrc = UpperAscii(src);
  bool hasWidth = false, hasHeight = false;
  const int width = Dimension(IntPrefix(QuotedAfter(Upper, Upper, QStringLiteral("WIDTH"), &hasWidth)));
  const int height = Dimension(IntPrefix(QuotedAfter(Upper, Upper, QStringLiteral("HEIGHT"), &hasHeight)));
  hasWidth = hasWidth && width > 0;
  hasHeight = hasHeight && height > 0;
  const int dpiX = LogPixels(LOGPIXELSX), dpiY = LogPixels(LOGPIXELSY);
  const int L = P.Cursor.Left, T = P.Cursor.Top;
  int w = 0, h = 0;

  if (upperSrc.startsWith(QStringLiteral("IDX:"))) {
    const int n = IntPrefix(upperSrc.mid(4));
    if (Images && n >= 0 && n < Images->Count()) {
      w = MulDiv(Images->Width(), dpiX, 96);
      h = MulDiv(Images->Height(), dpiY, 96);
      if (paints) {
        if (!Print) {
          Images->Draw(C, L, T, n, true);
        } else {
          TBitmap bmp;
          Images->GetBitmap(n, &bmp);
          C->StretchDraw(TRect(L, T, L + Rounded(Images->Width() * ResFactor), T + Rounded(Images->Height() * ResFactor)),
                         &bmp);
        }
      }
    }
  } else if (upperSrc.startsWith(QStringLiteral("SSYS:")) || upperSrc.startsWith(QStringLiteral("LSYS:"))) {
    const int size = upperSrc[0] == QLatin1Char('S') ? SmallShellIconSize : LargeShellIconSize;
    // The path as written: file names keep their case. A number would be an index
    // into the system's image list, which this system does not have.
    const QString name = src.mid(5);
    std::unique_ptr<TIcon> icon;
    if (!name.isEmpty() && !IsNumber(name)) icon = ShellIcons().Icon(name, size);
    if (icon && !icon->Empty()) {
      w = MulDiv(size, dpiX, 96);
      h = MulDiv(size, dpiY, 96);
      if (paints) {
        if (!Print)
          C->Draw(L, T, icon.get());
        else
          C->StretchDraw(TRect(L, T, L + Rounded(size * ResFactor), T + Rounded(size * ResFactor)), icon.get());
      }
    }
  } else if (auto pic = FindPicture(upperSrc, src)) {
    int dw = pic->Width(), dh = pic->Height();
    if (hasWidth && hasHeight) {
      dw = width;
      dh = height;
    } else if (hasWidth) {
      dw = width;
      dh = pic->Width() > 0 ? Dimension(Rounded(double(width) * pic->Height() / pic->Width())) : 0;
    } else if (hasHeight) {
      dh = height;
      dw = pic->Height() > 0 ? Dimension(Rounded(double(height) * pic->Width() / pic->Height())) : 0;
    }
    if (paints) {
      if (hasWidth || hasHeight) {
        pic->SetStretch(true);
        pic->Draw(C, TRect(L, T, L + dw, T + dh));
      } else {
        if (pic->FrameCount() > 1) FillWithPen(TRect(L, T, L + pic->MaxWidth(), T + pic->MaxHeight()), FEntryBackground);
        const int fx = L + pic->FrameXPos(), fy = T + pic->FrameYPos();
        pic->Draw(C, TRect(fx, fy, fx + pic->Width(), fy + pic->Height()));
      }
    }
    if (hasWidth || hasHeight) {
      w = MulDiv(dw, dpiX, 96);
      h = MulDiv(dh, dpiY, 96);
    } else {
      w = MulDiv(pic->MaxWidth(), dpiX, 96);
      h = MulDiv(pic->MaxHeight(), dpiY, 96);
    }
  }

  const int px = X - P.Line.Left;
  if (P.X < px && px < P.X + w && P.Line.Top < Y && Y < P.Line.Top + h && FInAnchor && !FAnchorRef.isEmpty()) {
    P.ImageHit = true;
    AnchorVal = FAnchorRef;
    AnchorTitle = FAnchorTitle;
    FHitImage = FImageCount;
  }
  Place(P, w, h, M, LineHasContent);
  if (Upper.contains(QStringLiteral("ALIGN"))) {
    if (Upper.contains(QStringLiteral("\"TOP")))
      M.P = M.H - TextHeightGh();
    else if (Upper.contains(QStringLiteral("\"MIDDLE")))
      M.P = (M.H - TextHeightGh()) / 2;
  }
}

void THTMLRenderer::Body(TPass& P, const QString& Attrs, const QString& Upper) {
  const QString src = QuotedAfter(Upper, Attrs, QStringLiteral("BACKGROUND"));
  if (!src.isEmpty()) {
    auto pic = FindPicture(UpperAscii(src), src);
    if (pic && pic->Width() > 0 && pic->Height() > 0) {
      // Tiles clipped to Rect; the caller's clip comes back afterwards.
      HDC dc = C->Handle();
      HRGN saved = CreateRectRgn(0, 0, 0, 0);
      const bool hadClip = GetClipRgn(dc, saved) == 1;
      IntersectClipRect(dc, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
      const int pw = pic->Width(), ph = pic->Height();
      for (int y = Rect.Top; y < Rect.Bottom; y += ph)
        for (int x = Rect.Left; x < Rect.Right; x += pw) pic->Draw(C, TRect(x, y, x + pw, y + ph));
      SelectClipRgn(C->Handle(), hadClip ? saved : nullptr);
      DeleteObject(saved);
    }
  }
  const QString bg = QuotedAfter(Upper, Upper, QStringLiteral("BGCOLOR"));
  TColor color = clNone;
  if (bg.contains(QStringLiteral("CL")))
    color = ColorFromName(bg.toLower());
  else if (bg.contains(QLatin1Char('#')))
    color = ColorFromHex(bg);
  if (color != clNone) {
    FFontBgSaved = true;
    FFontSavedBg = color;
    SetBackground(color);
    FillWithPen(Rect, color);
  }
}

void THTMLRenderer::Control(TPass& P, const QString& Attrs, TLineMetrics& M, bool LineHasContent) {
  const TControlTag t = ParseControlTag(Attrs);
  bool ok = false;
  int height = t.Height.toInt(&ok);
  if (!ok) height = 25;
  height = std::clamp(height, -kMaxDimension, kMaxDimension);
  if (t.Width.isEmpty()) return;
  const int width = Dimension(IntPrefix(t.Width));
  int w = width;
  int h = TextHeightGh() + 10;
  const QString& type = t.Type;
  const bool box = type == QLatin1String("CHECK") || type == QLatin1String("RADIO");
  int s = box ? 16 : 23;
  if (height > 25) s = height - 2;
  M.H = std::max(M.H, s);

  if (!P.Measure) {
    const int B = P.Cursor.Bottom, L = P.Cursor.Left;
    const bool hot = L - 2 < X && X < L + w - 2 && B - h - 2 < Y && Y < B - 2;
    if (type == QLatin1String("EDIT") || type == QLatin1String("PASSWORD") || type == QLatin1String("MASK") ||
        type == QLatin1String("COMBO")) {
      const TColor pen = C->Pen()->Color();
      C->Pen()->SetColor(ThemedControls() ? TColor(0xB99D7F) : TColor(0x808080));
      C->Brush()->SetColor(clWhite);
      C->Rectangle(L, B - s + 4, L + width, B + 2);
      C->Pen()->SetColor(pen);
      C->Brush()->SetStyle(bsClear);
      HDC dc = C->Handle();
      if (type == QLatin1String("COMBO")) {
        DrawTextW(dc, t.Value, -1, TRect(L + 4, B - s + 4, L + width - 18, B), DT_SINGLELINE | DT_VCENTER);
        DrawControlPart(dc, ThemeWindow, "combobox", 1, hot ? 2 : 1,
                        TRect(L + width - 18, B - s + 5, L + width - 1, B + 1), DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
      } else {
        const QString shown = type == QLatin1String("PASSWORD") ? PasswordMask(t.Value) : t.Value;
        DrawTextW(dc, shown, -1, TRect(L + 2, B - s + 4, L + width, B), DT_SINGLELINE | DT_VCENTER);
      }
      SetBackground(FBg);
    } else if (box) {
      // Check boxes and radio buttons always show their normal look, never hot or pressed.
      const bool checked = t.Value.toUpper() == QLatin1String("TRUE");
      if (type == QLatin1String("CHECK"))
        DrawControlPart(C->Handle(), ThemeWindow, "button", 3, checked ? 5 : 1, TRect(L + 2, B - 15, L + 15, B),
                        DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? UINT(DFCS_CHECKED) : 0u));
      else
        DrawControlPart(C->Handle(), ThemeWindow, "button", 2, checked ? 5 : 1, TRect(L + 2, B - 14, L + 14, B),
                        DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? UINT(DFCS_CHECKED) : 0u));
    } else if (type == QLatin1String("BUTTON")) {
      const bool buttonHot = L - 2 < X && X < L + w - 2 && B - 24 - 2 < Y && Y < B - 2;
      TRect r(L + 2, B - height, L + width - 2, B);
      DrawControlPart(C->Handle(), ThemeWindow, "button", 1, ControlDown ? 3 : buttonHot ? 2 : 1, r, DFC_BUTTON,
                      DFCS_BUTTONPUSH | (buttonHot && ControlDown ? UINT(DFCS_PUSHED) : 0u));
      r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
      DrawTextW(C->Handle(), t.Value, -1, r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
  }
  if (type == QLatin1String("BUTTON") || type == QLatin1String("COMBO")) h = 25;
  if (box) w = h = 16;

  const int px = X - P.Line.Left;
  const bool under = P.X < px && px < P.X + w && P.Line.Top < Y && Y < P.Line.Top + h;
  // A control sought by its ID (hit tests without drawing) needs an ID to match.
  const bool sought = NoDraw && !ControlID.isEmpty() && t.ID == ControlID;
  if (under || sought) {
    P.ControlHit = true;
    AnchorVal = QStringLiteral("ctrl");
    FHitImage = FImageCount;
    ControlRect = TRect(P.Line.Left + P.X, P.Line.Top, P.Line.Left + P.X + w, P.Line.Top + h);
    ControlValue = t.Value;
    ControlID = t.ID;
    ControlType = t.Type;
  }
  Place(P, w, h, M, LineHasContent);
}

}  // namespace HtmlRender
