// Inside of the mini-HTML renderer, shared by its files: the state of one call
// (THTMLRenderer), the values of a line and of one pass over it.
#pragma once

#include <QString>
#include <algorithm>
#include <cmath>
#include <memory>

#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"
#include "platform/gdi/WinGdi.h"

namespace HtmlRender {

// Sizes read from tags are kept within what the drawing coordinates hold.
constexpr int kMaxDimension = 32767;
constexpr int kMaxFontPoints = 1000;

inline int Dimension(int V) { return std::clamp(V, 0, kMaxDimension); }
inline int Rounded(double V) { return int(std::lrint(std::clamp(V, -1e9, 1e9))); }

enum THAlign { haLeft, haRight, haCenter };

// Line values that both passes over a line share.
struct TLineMetrics {
  int H = 0;  // height
  int Q = 0;  // superscript lift
  int R = 0;  // subscript drop
  int P = 0;  // text raise set by <IMG ALIGN>
};

// One pass of the line routine over a line.
struct TPass {
  bool Measure = true;  // measures (and hit-tests) instead of painting
  TRect Line;           // the line rectangle
  int X = 0;            // position, from Line.Left
  TRect Cursor;         // where the next run is drawn
  bool Ended = false;
  bool Full = false;
  bool LiSeen = false;
  bool FirstRun = true;
  QString Accepted;  // the runs accepted so far, as written
  int TrailingSpace = 0;
  bool AnchorHit = false;
  bool ImageHit = false;
  bool ControlHit = false;
};

// Counts the rotated fonts made for <R> and released.
void RotatedFontMade();
void RotatedFontReleased();

// A rotated font made for <R>, deleted with its owner.
struct TFontDeleter {
  void operator()(TGdiObject* Font) const {
    DeleteObject(Font);
    RotatedFontReleased();
  }
};
using TRotatedFont = std::unique_ptr<TGdiObject, TFontDeleter>;

// The first quoted value of an attribute text (<IND x="n">, <R a="n">).
QString FirstQuoted(const QString& Text);
// A colour attribute value (upper-cased): "#RRGGBB" or a colour name.
TColor ColorValue(const QString& Value);

// One call of DrawHTMLText: its inputs, its outputs and the formatting state
// that lives for the call.
class THTMLRenderer {
 public:
  // Inputs.
  TCanvas* C = nullptr;
  TRect Rect;
  TImageList* Images = nullptr;
  int X = 0, Y = 0;
  int FocusLink = -1, HoverLink = -1, ShadowOffset = 0;
  bool NoDraw = false, MeasureOnly = false, Print = false, Selected = false, BlinkOn = false,
       HoverStyle = false, WordWrap = false, ControlDown = false;
  double ResFactor = 1.0;
  TColor URLColor = clBlue, HoverColor = clNone, HoverFontColor = clNone, ShadowColor = clGray;
  THTMLPictureCache* Cache = nullptr;
  TPictureContainer* Container = nullptr;
  HWND ThemeWindow = nullptr;
  bool RtlReading = false;
  UINT Flags = 0;

  // Outputs.
  QString AnchorVal, StripVal, FocusAnchor, AnchorTitle, ControlID, ControlValue, ControlType;
  int XSize = 0, YSize = 0, HyperLinks = 0, MouseLink = -1;
  TRect HoverRect, ControlRect;

  bool Run(const QString& Text);

 private:
  void RenderLine(TPass& P, QString& Rest, QString& LineText, TLineMetrics& M);
  void Tag(TPass& P, const QString& Tag, TLineMetrics& M, bool LineHasContent);
  void OpeningTag(TPass& P, const QString& Tag, TLineMetrics& M, bool LineHasContent);
  void ClosingTag(TPass& P, const QString& Tag, TLineMetrics& M);
  void AnchorStart(TPass& P, const QString& Attrs, const QString& Upper);
  void AnchorEnd(TPass& P, TLineMetrics& M);
  void Image(TPass& P, const QString& Attrs, const QString& Upper, TLineMetrics& M, bool LineHasContent);
  void Body(TPass& P, const QString& Attrs, const QString& Upper);
  void Control(TPass& P, const QString& Attrs, TLineMetrics& M, bool LineHasContent);
  void TextRun(TPass& P, QString& Rest, QString& LineText, TLineMetrics& M);
  void Place(TPass& P, int W, int H, TLineMetrics& M, bool LineHasContent);
  void Rotate(int Degrees);
  void Unrotate();

  void SetBackground(TColor Color);
  void SetFontColor(TColor Color) { C->Font()->SetColor(Color); }
  void SetStyle(TFontStyle S, bool On) {
    TFontStyles st = C->Font()->Style();
    if (On)
      st.Include(S);
    else
      st.Exclude(S);
    C->Font()->SetStyle(st);
  }
  void FillWithPen(const TRect& R, TColor Color);
  int TextHeightGh() { return C->TextHeight(QStringLiteral("gh")); }
  int LogPixels(int Index) { return std::max(1, GetDeviceCaps(C->Handle(), Index)); }
  std::unique_ptr<IHTMLPicture> FindPicture(const QString& UpperSrc, const QString& Src);

  std::unique_ptr<TFont> FBase;
  TColor FEntryBackground = clWhite;
  TColor FBg = clNone;

  // Anchors.
  bool FInAnchor = false;
  QString FAnchorRef, FAnchorTitle;
  int FAnchorCount = 0;
  bool FAnchorStyled = false;
  TColor FAnchorSavedBg = clNone;
  bool FAnchorFontApplied = false;
  TColor FAnchorSavedColor = clBlack;
  bool FHovered = false;
  int FHoverStartX = 0, FHoverStartTop = 0, FHoverStartLine = 0;
  TRect FFocusRect;

  int FLine = 0;  // number of the line being laid out
  int FImageCount = 0;
  int FHitImage = -1;
  bool FSup = false, FSub = false, FShadow = false, FHidden = false, FErrorMark = false;
  bool FParaBg = false;
  TColor FParaSavedBg = clNone;
  bool FHiSaved = false;
  TColor FHiSavedColor = clBlack, FHiSavedBg = clNone;
  bool FFontBgSaved = false;
  TColor FFontSavedBg = clNone;
  int FListLevel = 0;
  THAlign FAlign = haLeft;
  int FIndent = 0;
  TRotatedFont FRotated;
};

}  // namespace HtmlRender
