// Routines for cell text shared by the whole grid library: the kind of content a
// cell text holds, the wide-text form, number recognition and normalisation, line
// breaks of the grid's file, CSV and clipboard forms, dates, URLs, the HTML
// clipboard wrapper, the matcher of the column filter's conditions, and the
// drawing routines every grid paint goes through (colours, gradients, selection
// boxes, cell buttons, progress bars, shapes).
//
// The routines keep no state. Those that read locale settings (separators, the
// short date format) read the platform's FormatSettings at each call.
//
// Positions: routines that answer a position in a text (LocateChar, PosWide,
// FindUnpairedChar, FindClosingParen ...) count it 1-based with 0 for "absent", as
// the platform's Pos does, so callers can test the answer against 0. Only
// FindCharOutsideQuotes answers a 0-based index (-1 for none); it says so.
//
// Implementation by family: ProUtil.cpp (text kinds, numbers, searching, line
// breaks), ProUtil_Dates.cpp (dates, URLs, clipboard HTML, mixed case),
// ProUtil_Filter.cpp (filter condition matching), ProUtil_Draw.cpp (colours,
// gradients, selection boxes, cell buttons), ProUtil_Indicators.cpp (progress
// bars, pie, range indicator, shapes, error underline, bitmaps).
#pragma once

#include <QChar>
#include <QString>

#include "controls/ProStyleIF.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/gdi/Graphics.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/WinLayered.h"
#include "platform/rtl/Types.h"

// ---------------------------------------------------------------------------
// Locale settings, read from the platform's FormatSettings at each call.

QChar GetDecimalSeparator();
// QChar() when the locale uses no thousands separator.
QChar GetThousandSeparator();
QChar GetDateSeparator();
QChar GetTimeSeparator();
QString GetShortDateFormat();

// ---------------------------------------------------------------------------
// Cell text kinds and the wide-text form

enum TCellTextKind { ctkPlain = 0, ctkHTML = 1, ctkRTF = 2, ctkFormula = 3, ctkWide = 5 };

// Plain, HTML ("</", "<B", "<I" or "<C" in it, only when HTMLAllowed), RTF ("{\"),
// formula ("=") or wide-encoded ("|\") text, told apart by the first characters.
TCellTextKind ClassifyCellText(const QString& Text, bool HTMLAllowed);

// The form in which a text with 16-bit characters travels through an 8-bit-safe
// cell: "|\" followed by two characters per character, the high byte first.
QString EncodeWideText(const QString& WideText);
// The text of an encoded form; a text without the "|\" prefix comes back as it is.
// An odd last character is ignored.
QString DecodeWideText(const QString& Text);
// 1-based position of Needle in Haystack, 0 when absent.
int PosWide(const QString& Needle, const QString& Haystack);

// ---------------------------------------------------------------------------
// Numbers

enum TNumberTextKind { ntkInteger = 0, ntkFloat = 1, ntkNone = 2, ntkScientific = 5 };

// Whether a text is an integer, a float with the locale's separators, a number in
// scientific notation, or none of them. A lone "-" counts as an integer.
TNumberTextKind ClassifyNumberText(const QString& Text);
// The plain number text of a displayed number: "($ 1,234.50)" gives "-1234.50".
// Leading currency signs and blanks are dropped, thousands separators skipped,
// the locale's decimal separator written as "."; the first other character ends
// the number.
QString NormalizeNumberText(const QString& Text);

// Character classes; a number character is any Unicode number character.
bool IsNumChar(QChar Ch);
bool IsIntChar(QChar Ch);           // number character or "-"
bool IsFloatChar(QChar Ch);         // number character, either separator, "e", "E"
bool IsSignedFloatChar(QChar Ch);   // IsFloatChar, "+" or "-"
bool IsNumberTextChar(QChar Ch);    // number character, "-", ".", "e", "E", "+"
bool IsWordSeparator(QChar Ch);     // blank, apostrophe, ",", "-", "."

// Value bounded by Min and Max; a bound of 0 or less is ignored, Max wins over Min,
// and equal bounds leave Value alone.
int ApplySizeLimits(int Value, int Min, int Max);
int IntMax(int A, int B);
int IntMin(int A, int B);
// Whether the cell (Col, Row) lies in the block (all four edges inclusive).
bool CellInGridRect(const TGridRect& Rect, int Col, int Row);

// ---------------------------------------------------------------------------
// Searching and cutting (positions 1-based, 0 when absent)

int LocateChar(QChar Ch, const QString& Text);
// As LocateChar; a found position is also stored in Pos, which stays as it was
// otherwise.
int LocateCharOut(QChar Ch, const QString& Text, int& Pos);
// Position of Sub in Text, also stored in Pos.
int LocateSubStrOut(const QString& Sub, const QString& Text, int& Pos);
// Position of Needle (given upper-case) in Text upper-cased (ASCII letters only).
int PosInUpperCase(const QString& Needle, const QString& Text);
// The part of Text before the first Delimiter; that part and one more character
// are deleted from Text. Without Delimiter: "" and Text stays as it is.
QString CutFirstToken(QString& Text, const QString& Delimiter);
// "R<row>C<col>" (any case, more than 3 characters): Point gets X = column and
// Y = row. False when the text does not have that form.
bool ParseCellRef(const QString& Text, TPoint& Point);
// All items of the list joined without separator.
QString ConcatStrings(const TStrings* Strings);
// Every character replaced by Ch (password display).
void MaskText(QString& Text, QChar Ch);
// Whether the date separator occurs at position 2 or later, and again at position
// 2 or later of the rest after it.
bool LooksLikeDate(const QString& Text);

// ---------------------------------------------------------------------------
// Line breaks and the file, CSV and clipboard forms (CR = #13, LF = #10)

QString LineBreaksToHTML(const QString& Text);    // CR -> "<br>"
QString UnescapeLineBreaks(const QString& Text);  // "\n" -> CR
QString EscapeLineBreaks(const QString& Text);    // CR -> "\n", LF dropped
// A text holding a CR is packed onto one line: CR -> #9, LF -> #8, #0 -> #1.
QString PackLineBreaks(const QString& Text);
// Undoes PackLineBreaks for a text holding #8; then the whole text when MultiLine,
// else its first line.
QString UnpackLineBreaks(const QString& Text, bool MultiLine);
// The text up to the first CR. That line, its CR and one following LF leave Text;
// Text is emptied when it holds no CR or when KeepRest is off.
QString CutFirstLine(QString& Text, bool KeepRest);
int CountCellLines(const QString& Text, bool MultiLine);
QString EncodeExcelMultiLine(const QString& Text);  // CR LF -> #11, in double quotes
QString DecodeExcelMultiLine(const QString& Text);  // #11 -> CR LF
QString CRLFToLF(const QString& Text);
QString LineBreaksToTilde(const QString& Text);     // CR -> "~", LF dropped
QString TildeToLineBreaks(const QString& Text);     // "~" -> CR LF; "^" alone -> ""
QString RemoveCR(const QString& Text);
QString CRToLF(const QString& Text);
QString DoubleQuoteChars(const QString& Text);
// Every pair Ch Ch becomes one Ch; a single Ch stays.
QString CollapseDoubledChar(const QString& Text, QChar Ch);
// End position of the first run of Ch of odd length (even runs are doubled quotes
// and are passed over); also stored in Pos. 0 when none.
int FindUnpairedChar(QChar Ch, const QString& Text, int& Pos);
// How often FindUnpairedChar hits when the text is cut after each hit.
int CountUnpairedChar(QChar Ch, const QString& Text);
int CountChar(QChar Ch, const QString& Text);
// The text converted to the OEM code page (its bytes read in the ANSI code page,
// the program's 8-bit text form), and back.
void ConvertToOem(QString& Text);
void ConvertFromOem(QString& Text);

// ---------------------------------------------------------------------------
// Dates, URLs, clipboard and case

// Dates written month/day/year and day/month/year with "/", "." or "-". A missing
// part gives 0; a two-digit year falls within 50 years around the current year.
// An impossible date raises EConvertError.
TDateTime ParseDateMDY(const QString& Text);
TDateTime ParseDateDMY(const QString& Text);
// The next value of a pasted date series: days, years or months added when only
// that step is non-zero, else Date + Increment. A day or month that does not exist
// in the result raises EConvertError. The time of day is kept.
TDateTime AdvanceDate(Word YearStep, Word MonthStep, Word DayStep, TDateTime Date,
                      TDateTime Increment);

// Whether the text holds "://" or "mailto:".
bool ContainsURL(const QString& Text);
// Deletes everything up to and including the first "://", else the first "mailto:".
void StripURLProtocol(QString& Text);
// When the upper-case Prefix ("HTTP://", "WWW.", "MAILTO:" ...) occurs in Text:
// Html := Text with "<" and ">" escaped and the URL at the prefix wrapped in an
// anchor, and true. Otherwise false and Html is left alone.
bool LinkifyURL(const QString& Text, const QString& Prefix, QString& Html);
// "RRGGBB" of a colour whose low byte is red.
QString ColorToHTMLHex(TColor Color);
// Wraps an HTML fragment in the clipboard's HTML format: the header with the byte
// offsets of the document and of the fragment (between "<!--StartFragment-->" and
// "<!--EndFragment-->"), counted in the UTF-8 form the clipboard carries.
void BuildClipboardHTML(QString& Html);
// Each word starts upper-case, the rest lower-case; "Mc" and roman numerals at the
// end keep their capitals ("McDonald", "Henry III").
QString MakeMixedCase(const QString& Text);

// ---------------------------------------------------------------------------
// Filter condition matching
//
// An expression joins terms with "&" (and), "|", ";" or "^" (or), strictly left to
// right, with groups in parentheses. A term is a comparison (">10", "<=1/2/2020",
// numbers, dates in the locale's order or texts), a wildcard pattern ("*" and "?"),
// or either of them negated with "!". Blanks outside double quotes are dropped.
// A group nested more than 64 levels deep matches nothing, as an unclosed one.

bool MatchFilterExpression(const QString& Expression, const QString& Value, bool CaseSensitive);
// One term; without CaseSensitive both sides are upper-cased first.
bool MatchFilterTerm(const QString& Term, const QString& Value, bool CaseSensitive);
bool MatchFilterCondition(const QString& Condition, const QString& Value);
// A date with an optional time in the locale's order and separators.
bool ParseLocaleDateTime(const QString& Text, TDateTime& DateTime);
// The locale decimal separator replaced by ".", thousands separators removed.
QString FloatTextToDot(const QString& Text);
// Blanks outside double quotes removed.
QString RemoveBlanksOutsideQuotes(const QString& Text);
// 1-based position of the ")" that closes the first "(", 0 when none.
int FindClosingParen(const QString& Text);
// The first character of Text that is one of Set and is not inside double quotes;
// its 0-based index goes to Pos (-1 and QChar() when there is none).
QChar FindCharOutsideQuotes(const QString& Set, const QString& Text, int& Pos);

// ---------------------------------------------------------------------------
// Drawing
//
// All drawing goes through the canvas with its pen, brush and font, by the
// GDI's pixel rules (Rectangle leaves out the right and bottom edges). Rounding
// is half to even.

// Each colour component of ColorToRGB(Color) halved.
TColor DarkenColorHalf(TColor Color);
// Each component c becomes c + c * Percent / 100 (rounded), kept within 0..255.
TColor AdjustColorPercent(TColor Color, int Percent);
// The colour at Pos between ColorA (at Min) and ColorB (at Max); ColorA when
// ColorB is clNone or when Min equals Max.
TColor InterpolateColor(TColor ColorA, TColor ColorB, int Min, int Max, int Pos);

// A linear gradient from FromColor to ToColor in at most Steps + 1 bands, left
// to right when Horizontal, else top to bottom. With one colour clNone the rect
// is filled with the other.
void FillGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                  bool Horizontal);
// The background of header and fixed cells: a plain fill, a gradient, or two
// gradients side by side (Direction 0: left and right halves, gradients left to
// right; 1: top and bottom halves, gradients top to bottom); then the border (the
// two side lines only with SidesOnly).
void FillGradientMirror(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo,
                        TColor ColorMirror, TColor ColorMirrorTo, int Direction,
                        TColor BorderColor, bool SidesOnly, bool Fill);
// The rounded selection box of the Vista, Windows 7 and Office 2007 styles.
// Part: 0 whole box, 1 left end, 2 right end, 3 middle piece, 4 middle piece with
// 2-pixel insets.
void DrawStyledSelection(TCanvas* Canvas, TColor Color, TColor ColorTo, TColor ColorMirror,
                         TColor ColorMirrorTo, TColor InnerTopColor, TColor InnerBottomColor,
                         TColor BorderColor, TColor CornerColor, TColor BackgroundColor, TRect R,
                         int Part);
void FillRectColor(TCanvas* Canvas, TRect R, TColor Color);
// A small filled triangle pointing down, its top edge from X - 3 to X + 3 at Y.
void DrawArrowDown(TCanvas* Canvas, int X, int Y, TColor Color);

// The looks and states of the small buttons drawn in cells.
enum TCellButtonLook { cblThemed = 0, cblClassic = 1, cblFlat = 2, cblTones = 3 };
enum TCellButtonState { cbsNormal = 0, cbsHot = 1, cbsDown = 2, cbsDisabled = 3 };

// The drop-down button at the right of R, a push button filling R, and the spin
// buttons at the right of R. The themed look draws with the theme data of Wnd and
// falls back to the classic look where the system has no visual styles.
void DrawComboButton(TCanvas* Canvas, HWND Wnd, TRect R, TCellButtonLook Look,
                     TCellButtonState State, const TColorTones& Tones);
void DrawPushButton(TCanvas* Canvas, HWND Wnd, TRect R, TCellButtonLook Look,
                    TCellButtonState State, const TColorTones& Tones);
void DrawSpinButtons(TCanvas* Canvas, HWND Wnd, TRect R, TCellButtonLook Look,
                     TCellButtonState State, const TColorTones& Tones);

// The parameters of the themed progress bar.
struct TXPProgressParams {
  TColor Level0Color = clLime;
  TColor Level0ColorTo = clNone;
  TColor Level1Color = clYellow;
  TColor Level1ColorTo = clNone;
  TColor Level2Color = 0x00A5FF;
  TColor Level2ColorTo = clNone;
  TColor Level3Color = clRed;
  TColor Level3ColorTo = clNone;
  int Level1Perc = 70;
  int Level2Perc = 90;
  TColor BorderColor = clBlack;
  bool ShowBorder = true;
  bool Stacked = false;
  bool ShowPercentage = true;
  TFont* Font = nullptr;  // not owned; nullptr keeps the canvas's font
  TColor CompleteFontColor = clBlack;
  bool CompletionSmooth = false;
  bool ShowGradient = false;
  int Steps = 8;
  TColor UnCompleteColor = clWhite;
  bool Vertical = false;
};

enum TCellShape {
  csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown,
  csDiamond, csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar,
  csArrowUp, csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};

// The progress bar of progress cells and of printing: the text in two colours
// across the done and open parts. Format, when given, formats Position ("%d" or
// "%u" as an integer, else as a real number) and the percentage runs from Min to
// Max; without it the text is the rounded position and "%". With Format and Min
// equal to Max nothing is drawn. YAxisUp: a printer canvas whose y axis points up.
void DrawClassicProgress(TCanvas* Canvas, TRect R, TColor DoneColor, TColor DoneTextColor,
                         TColor OpenColor, TColor OpenTextColor, double Position, int MarginX,
                         int MarginY, double Min, double Max, const QString& Format,
                         TColor BorderColor, bool YAxisUp);
// The themed progress bar, Percent 0..100.
void DrawXPProgress(TCanvas* Canvas, TRect R, int Percent, const TXPProgressParams& Params);
// A pie: the ellipse in the canvas's brush and the wedge of Percent, clockwise
// from 12 o'clock, in Color.
void DrawProgressPie(TCanvas* Canvas, TRect R, TColor Color, int Percent, bool YAxisUp);
// A bar from the middle of R to the left (negative Value) or right; nothing with
// Range 0.
void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Range, bool ShowValue,
                        TColor NegativeColor, TColor PositiveColor);
void DrawCellShape(TCanvas* Canvas, int X, int Y, int W, int H, TCellShape Shape,
                   TColor BrushColor, TColor PenColor);
// The red zig-zag under the characters Start .. Start + Length - 1 (0-based) of
// Text shown in R; Owner lends its window to measure the characters.
void DrawErrorUnderline(TWinControl* Owner, TCanvas* Canvas, const QString& Text, TRect R,
                        int YOffset, int Start, int Length);
// The bitmap at its own size at R's top-left, the colour of its pixel (0, 0)
// replaced by BackgroundColor.
void DrawBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, TRect R);
// The layered-window calls of the system, where it has them; without them
// nothing is done and the answer is true.
BOOL CallUpdateLayeredWindow(HWND Wnd, HDC Dst, const TPoint* DstPos, const TSize* Size, HDC Src,
                             const TPoint* SrcPos, COLORREF Key, const BLENDFUNCTION* Blend,
                             DWORD Flags);
BOOL CallSetLayeredWindowAttributes(HWND Wnd, COLORREF Key, Byte Alpha, DWORD Flags);
// The program's bitmap resource ResourceName drawn by DrawBitmapTransparent.
void DrawResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, TRect R,
                        const QString& ResourceName);
