// Windows-style drawing interface: device-context handles, GDI objects (pens,
// brushes, fonts, regions, bitmaps), their constants, and the drawing functions
// of the system's GDI and user libraries (DrawText, DrawEdge, DrawFrameControl,
// BitBlt ...). A device context (HDC) is what TCanvas::Handle() returns; it draws
// with Qt on a paint device with the GDI's pixel rules (see Graphics.h).
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"

using UINT = uint32_t;
using DWORD = uint32_t;
using BOOL = bool;
// A colour value $00BBGGRR (red in the low byte); the same type as TColor.
using COLORREF = int32_t;

// A device context: the drawing state and the paint device it draws on.
class TDeviceContext;
using HDC = TDeviceContext*;
class QPaintDevice;

// A GDI object: pen, brush, font, region or bitmap. All handle names stand for
// the same pointer type, as the framework passes them interchangeably.
class TGdiObject;
using HGDIOBJ = TGdiObject*;
using HPEN = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HFONT = HGDIOBJ;
using HRGN = HGDIOBJ;
using HBITMAP = HGDIOBJ;

// A module handle (the same type as ShellExecute's result in ShellApi.h). The
// program module is HInstance; its resources are the program's Qt resources.
using HINSTANCE = std::intptr_t;
extern HINSTANCE HInstance;

constexpr COLORREF CLR_INVALID = COLORREF(0xFFFFFFFF);

// ---- system colour indexes (GetSysColor) ----
enum : int {
  COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7,
  COLOR_WINDOWTEXT = 8, COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11,
  COLOR_APPWORKSPACE = 12, COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15,
  COLOR_BTNSHADOW = 16, COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19,
  COLOR_BTNHIGHLIGHT = 20, COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23,
  COLOR_INFOBK = 24, COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27,
  COLOR_GRADIENTINACTIVECAPTION = 28, COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30,
  COLOR_DESKTOP = COLOR_BACKGROUND, COLOR_3DFACE = COLOR_BTNFACE, COLOR_3DSHADOW = COLOR_BTNSHADOW,
  COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT, COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT,
  COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT
};
// The value of system colour Index in the fixed classic scheme ($00BBGGRR);
// an unknown index gives 0.
COLORREF GetSysColor(int Index);
// A brush of system colour Index, owned by the system (never needs deleting).
HBRUSH GetSysColorBrush(int Index);

constexpr COLORREF RGB(int r, int g, int b) {
  return COLORREF((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Byte GetRValue(COLORREF c) { return Byte(c & 0xFF); }
constexpr Byte GetGValue(COLORREF c) { return Byte((c >> 8) & 0xFF); }
constexpr Byte GetBValue(COLORREF c) { return Byte((c >> 16) & 0xFF); }

// ---- pens ----
enum : int {
  PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_DASHDOTDOT = 4, PS_NULL = 5,
  PS_INSIDEFRAME = 6, PS_USERSTYLE = 7, PS_ALTERNATE = 8, PS_STYLE_MASK = 0x0F,
  PS_ENDCAP_ROUND = 0, PS_ENDCAP_SQUARE = 0x100, PS_ENDCAP_FLAT = 0x200, PS_ENDCAP_MASK = 0xF00,
  PS_JOIN_ROUND = 0, PS_JOIN_BEVEL = 0x1000, PS_JOIN_MITER = 0x2000, PS_JOIN_MASK = 0xF000,
  PS_COSMETIC = 0, PS_GEOMETRIC = 0x10000
};
struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  TPoint lopnWidth;  // X is the width
  COLORREF lopnColor = 0;
};

// ---- brushes ----
enum : int { BS_SOLID = 0, BS_NULL = 1, BS_HOLLOW = BS_NULL, BS_HATCHED = 2, BS_PATTERN = 3 };
enum : int {
  HS_HORIZONTAL = 0, HS_VERTICAL = 1, HS_FDIAGONAL = 2, HS_BDIAGONAL = 3, HS_CROSS = 4,
  HS_DIAGCROSS = 5
};
struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  intptr_t lbHatch = 0;  // hatch style; for BS_PATTERN the HBITMAP
};

// ---- fonts ----
constexpr int LF_FACESIZE = 32;
enum : int {
  FW_DONTCARE = 0, FW_THIN = 100, FW_EXTRALIGHT = 200, FW_LIGHT = 300, FW_NORMAL = 400,
  FW_MEDIUM = 500, FW_SEMIBOLD = 600, FW_BOLD = 700, FW_EXTRABOLD = 800, FW_HEAVY = 900
};
enum : int {
  ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255
};
enum : int { DEFAULT_PITCH = 0, FIXED_PITCH = 1, VARIABLE_PITCH = 2 };
enum : int {
  DEFAULT_QUALITY = 0, DRAFT_QUALITY = 1, PROOF_QUALITY = 2, NONANTIALIASED_QUALITY = 3,
  ANTIALIASED_QUALITY = 4, CLEARTYPE_QUALITY = 5
};
enum : int { OUT_DEFAULT_PRECIS = 0, CLIP_DEFAULT_PRECIS = 0 };
// A font description. The face name is a QString (not a fixed character array);
// everything else keeps the system's meaning: a negative height is the character
// height (em size) in pixels, a positive one the cell height.
struct LOGFONT {
  int lfHeight = 0;
  int lfWidth = 0;
  int lfEscapement = 0;   // tenths of a degree, counter-clockwise
  int lfOrientation = 0;
  int lfWeight = FW_NORMAL;
  Byte lfItalic = 0;
  Byte lfUnderline = 0;
  Byte lfStrikeOut = 0;
  Byte lfCharSet = DEFAULT_CHARSET;
  Byte lfOutPrecision = OUT_DEFAULT_PRECIS;
  Byte lfClipPrecision = CLIP_DEFAULT_PRECIS;
  Byte lfQuality = DEFAULT_QUALITY;
  Byte lfPitchAndFamily = DEFAULT_PITCH;
  QString lfFaceName;
  bool operator==(const LOGFONT&) const = default;
};
using LOGFONTW = LOGFONT;

struct TEXTMETRIC {
  int tmHeight = 0;
  int tmAscent = 0;
  int tmDescent = 0;
  int tmInternalLeading = 0;
  int tmExternalLeading = 0;
  int tmAveCharWidth = 0;
  int tmMaxCharWidth = 0;
  int tmWeight = FW_NORMAL;
  int tmOverhang = 0;
  Byte tmItalic = 0;
  Byte tmUnderlined = 0;
  Byte tmStruckOut = 0;
  Byte tmPitchAndFamily = 0;
  Byte tmCharSet = DEFAULT_CHARSET;
};
using TEXTMETRICW = TEXTMETRIC;
using TTextMetric = TEXTMETRIC;

// ---- bitmaps ----
struct BITMAP {
  int bmType = 0;
  int bmWidth = 0;
  int bmHeight = 0;
  int bmWidthBytes = 0;
  Word bmPlanes = 1;
  Word bmBitsPixel = 32;
  void* bmBits = nullptr;
};

// ---- objects ----
enum : int {
  WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4,
  NULL_BRUSH = 5, HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8,
  SYSTEM_FONT = 13, DEFAULT_GUI_FONT = 17, DC_BRUSH = 18, DC_PEN = 19
};
enum : int { OBJ_PEN = 1, OBJ_BRUSH = 2, OBJ_DC = 3, OBJ_FONT = 6, OBJ_BITMAP = 7, OBJ_REGION = 8 };

HPEN CreatePen(int Style, int Width, COLORREF Color);
HPEN CreatePenIndirect(const LOGPEN& Pen);
HBRUSH CreateSolidBrush(COLORREF Color);
HBRUSH CreateHatchBrush(int Hatch, COLORREF Color);
HBRUSH CreateBrushIndirect(const LOGBRUSH& Brush);
HBRUSH CreatePatternBrush(HBITMAP Bitmap);
HFONT CreateFontIndirect(const LOGFONT& Font);
inline HFONT CreateFontIndirectW(const LOGFONT& Font) { return CreateFontIndirect(Font); }
HBITMAP CreateCompatibleBitmap(HDC DC, int Width, int Height);
HBITMAP CreateBitmap(int Width, int Height, UINT Planes, UINT BitsPerPixel, const void* Bits);
// Objects that the system owns; deleting them does nothing.
HGDIOBJ GetStockObject(int Index);
// Frees a GDI object. Fails (false) for a bitmap that is selected into a device
// context; a pen, brush or font may be deleted while selected (the context keeps
// its own copy of what it draws with).
BOOL DeleteObject(HGDIOBJ Object);
// Selects a pen, brush, font or bitmap into DC and returns the object of that
// kind it replaces; a region is selected as the clip region (result: region kind).
HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object);
HGDIOBJ GetCurrentObject(HDC DC, UINT ObjectType);
int GetObjectType(HGDIOBJ Object);
// The description of an object, typed (the face name of a font is a QString).
bool GetObject(HGDIOBJ Object, LOGFONT& Out);
bool GetObject(HGDIOBJ Object, LOGPEN& Out);
bool GetObject(HGDIOBJ Object, LOGBRUSH& Out);
bool GetObject(HGDIOBJ Object, BITMAP& Out);
template <typename T>
bool GetObjectW(HGDIOBJ Object, T& Out) { return GetObject(Object, Out); }

// ---- device contexts ----
// A memory device context: draws into the bitmap selected into it.
HDC CreateCompatibleDC(HDC DC);
// A device context drawing on Device (a control's backing image, a printer);
// freed with DeleteDC. Several contexts may draw on one device in turn.
HDC CreateDeviceContext(QPaintDevice* Device);
BOOL DeleteDC(HDC DC);
// Ends whatever context's Qt painter is open on Device, so that the device can be
// shown, read, resized or replaced; drawing later opens a painter again.
void ReleaseDevicePainters(QPaintDevice* Device);
enum : int { LOGPIXELSX = 88, LOGPIXELSY = 90, HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14 };
int GetDeviceCaps(HDC DC, int Index);

// Saves the drawing state (objects, colours, modes, clip, origins, current
// position); returns the save level. RestoreDC(DC, -1) restores the last state,
// a positive level the state saved at that level (dropping those above it).
int SaveDC(HDC DC);
BOOL RestoreDC(HDC DC, int SavedDC);

enum : int { TRANSPARENT = 1, OPAQUE = 2 };
int SetBkMode(HDC DC, int Mode);
int GetBkMode(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);
enum : int {
  R2_BLACK = 1, R2_NOTMERGEPEN = 2, R2_MASKNOTPEN = 3, R2_NOTCOPYPEN = 4, R2_MASKPENNOT = 5,
  R2_NOT = 6, R2_XORPEN = 7, R2_NOTMASKPEN = 8, R2_MASKPEN = 9, R2_NOTXORPEN = 10, R2_NOP = 11,
  R2_MERGENOTPEN = 12, R2_COPYPEN = 13, R2_MERGEPENNOT = 14, R2_MERGEPEN = 15, R2_WHITE = 16
};
int SetROP2(HDC DC, int Mode);
int GetROP2(HDC DC);
enum : UINT {
  TA_NOUPDATECP = 0, TA_UPDATECP = 1, TA_LEFT = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_TOP = 0,
  TA_BOTTOM = 8, TA_BASELINE = 24, TA_RTLREADING = 256
};
UINT SetTextAlign(HDC DC, UINT Align);
UINT GetTextAlign(HDC DC);
enum : int { BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4 };
int SetStretchBltMode(HDC DC, int Mode);
BOOL SetBrushOrgEx(HDC DC, int X, int Y, TPoint* Old);

// Origins: a logical point P is drawn at device point P - window origin + viewport origin.
BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetWindowOrgEx(HDC DC, TPoint* Out);
BOOL SetViewportOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetViewportOrgEx(HDC DC, TPoint* Out);
BOOL OffsetWindowOrgEx(HDC DC, int DX, int DY, TPoint* Old);
BOOL OffsetViewportOrgEx(HDC DC, int DX, int DY, TPoint* Old);
// Moves the window origin by (-DX, -DY): what is drawn afterwards lands DX, DY further on.
void MoveWindowOrg(HDC DC, int DX, int DY);
BOOL LPtoDP(HDC DC, TPoint* Points, int Count);
BOOL DPtoLP(HDC DC, TPoint* Points, int Count);

// ---- regions and clipping ----
enum : int { ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };
// Windows names the region error result ERROR; that name is too common to take here.
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom);
HRGN CreateRectRgnIndirect(const TRect& R);
HRGN CreateEllipticRgn(int Left, int Top, int Right, int Bottom);
HRGN CreateRoundRectRgn(int Left, int Top, int Right, int Bottom, int W, int H);
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode);
BOOL SetRectRgn(HRGN Rgn, int Left, int Top, int Right, int Bottom);
int OffsetRgn(HRGN Rgn, int DX, int DY);
BOOL PtInRegion(HRGN Rgn, int X, int Y);
BOOL RectInRegion(HRGN Rgn, const TRect& R);
int GetRgnBox(HRGN Rgn, TRect* Out);
BOOL EqualRgn(HRGN A, HRGN B);
BOOL FillRgn(HDC DC, HRGN Rgn, HBRUSH Brush);
BOOL FrameRgn(HDC DC, HRGN Rgn, HBRUSH Brush, int W, int H);
// Clip regions are in device coordinates; a null region removes the clip.
int SelectClipRgn(HDC DC, HRGN Rgn);
int ExtSelectClipRgn(HDC DC, HRGN Rgn, int Mode);
// These take logical coordinates.
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int OffsetClipRgn(HDC DC, int DX, int DY);
// 1 with the clip copied into Rgn, 0 when no clip is set.
int GetClipRgn(HDC DC, HRGN Rgn);
// The bounds of the drawable area in logical coordinates.
int GetClipBox(HDC DC, TRect* Out);
BOOL PtVisible(HDC DC, int X, int Y);
BOOL RectVisible(HDC DC, const TRect& R);

// ---- lines and shapes (current pen and brush) ----
BOOL MoveToEx(HDC DC, int X, int Y, TPoint* Old);
BOOL GetCurrentPositionEx(HDC DC, TPoint* Out);
// Draws from the current position to (X, Y), leaving out the end point.
BOOL LineTo(HDC DC, int X, int Y);
BOOL Polyline(HDC DC, const TPoint* Points, int Count);
BOOL PolylineTo(HDC DC, const TPoint* Points, int Count);
enum : int { ALTERNATE = 1, WINDING = 2 };
int SetPolyFillMode(HDC DC, int Mode);
BOOL Polygon(HDC DC, const TPoint* Points, int Count);
BOOL Rectangle(HDC DC, int Left, int Top, int Right, int Bottom);
BOOL RoundRect(HDC DC, int Left, int Top, int Right, int Bottom, int W, int H);
BOOL Ellipse(HDC DC, int Left, int Top, int Right, int Bottom);
BOOL Arc(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2);
BOOL Pie(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2);
BOOL Chord(HDC DC, int L, int T, int R, int B, int X1, int Y1, int X2, int Y2);
COLORREF SetPixel(HDC DC, int X, int Y, COLORREF Color);
BOOL SetPixelV(HDC DC, int X, int Y, COLORREF Color);
// CLR_INVALID outside the device or the clip.
COLORREF GetPixel(HDC DC, int X, int Y);
enum : UINT { FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1 };
BOOL ExtFloodFill(HDC DC, int X, int Y, COLORREF Color, UINT Type);
BOOL FloodFill(HDC DC, int X, int Y, COLORREF Color);

// ---- rectangles (user library) ----
int FillRect(HDC DC, const TRect& R, HBRUSH Brush);
int FrameRect(HDC DC, const TRect& R, HBRUSH Brush);
BOOL InvertRect(HDC DC, const TRect& R);
// The dotted focus frame, drawn by inverting every other pixel; drawing it twice removes it.
BOOL DrawFocusRect(HDC DC, const TRect& R);
BOOL SetRect(TRect* R, int Left, int Top, int Right, int Bottom);
BOOL SetRectEmpty(TRect* R);
BOOL CopyRect(TRect* Dest, const TRect& Src);
BOOL EqualRect(const TRect& A, const TRect& B);

// ---- blitting ----
enum : DWORD {
  SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
  SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6,
  MERGECOPY = 0x00C000CA, MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021, PATPAINT = 0x00FB0A09,
  PATINVERT = 0x005A0049, DSTINVERT = 0x00550009, BLACKNESS = 0x00000042,
  WHITENESS = 0x00FF0062
};
BOOL BitBlt(HDC Dest, int X, int Y, int W, int H, HDC Src, int SX, int SY, DWORD Rop);
BOOL StretchBlt(HDC Dest, int X, int Y, int W, int H, HDC Src, int SX, int SY, int SW, int SH,
                DWORD Rop);
BOOL PatBlt(HDC DC, int X, int Y, int W, int H, DWORD Rop);
// Copies the source, leaving out the pixels of colour Transparent.
BOOL TransparentBlt(HDC Dest, int X, int Y, int W, int H, HDC Src, int SX, int SY, int SW, int SH,
                    UINT Transparent);

// ---- text ----
enum : UINT {
  DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
  DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
  DT_TABSTOP = 0x80, DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400,
  DT_NOPREFIX = 0x800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000,
  DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000,
  DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000, DT_HIDEPREFIX = 0x100000,
  DT_PREFIXONLY = 0x200000
};
struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0;  // in average character widths
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};
// Draws (or with DT_CALCRECT measures) Text in R. Count -1 takes the whole text,
// otherwise its first Count characters. Returns the height of the text; with
// DT_VCENTER or DT_BOTTOM the offset from R.Top to the bottom of the text.
// DT_CALCRECT draws nothing and sets R.Right to R.Left plus the widest line and
// R.Bottom to R.Top plus the height of all lines.
int DrawText(HDC DC, const QString& Text, int Count, TRect& R, UINT Format);
int DrawText(HDC DC, const QString& Text, int Count, const TRect& R, UINT Format);
int DrawTextEx(HDC DC, const QString& Text, int Count, TRect& R, UINT Format,
               DRAWTEXTPARAMS* Params);
int DrawTextEx(HDC DC, const QString& Text, int Count, const TRect& R, UINT Format,
               DRAWTEXTPARAMS* Params);
// A place a text is drawn at paint after paint (a grid's cell), kept by the
// caller: what DrawTextPlaced drew there last. The same short plain text
// drawn there again the same way (font, colour, rectangle, flags) is copied
// from what was kept without being looked up; anything else is drawn as
// DrawTextEx draws it, and kept for the next time.
struct TTextPlace {
  static constexpr int kLength = 15;  // the longest text kept
  static constexpr int kLines = 3;    // the most lines kept
  uint64_t Font = 0;                  // the font's serial number (0: nothing kept)
  uint32_t Generation = 0;            // of the font's table of drawn texts
  TRect R;
  UINT Format = 0;
  COLORREF Color = 0;
  int Result = 0;  // what DrawText answered
  int Length = 0;
  char16_t Text[kLength] = {};
  // The lines the text was drawn in: where each went, which part of the text
  // it is, its entry in the font's table.
  struct TLine {
    int X = 0, Y = 0;
    int Start = 0, Count = 0;
    void* Kept = nullptr;
  };
  int Lines = 0;
  TLine Line[kLines];
};
// DrawTextEx without parameters (the whole text) at a kept place.
int DrawTextPlaced(HDC DC, const QString& Text, TRect& R, UINT Format, TTextPlace& Place);
template <typename RectT>
int DrawTextW(HDC DC, const QString& Text, int Count, RectT&& R, UINT Format) {
  return DrawText(DC, Text, Count, R, Format);
}
template <typename RectT>
int DrawTextExW(HDC DC, const QString& Text, int Count, RectT&& R, UINT Format,
                DRAWTEXTPARAMS* Params) {
  return DrawTextEx(DC, Text, Count, R, Format, Params);
}
// Text whose cell's top-left is (X, Y) (by the text alignment of the context).
BOOL TextOut(HDC DC, int X, int Y, const QString& Text, int Count = -1);
inline BOOL TextOutW(HDC DC, int X, int Y, const QString& Text, int Count = -1) {
  return TextOut(DC, X, Y, Text, Count);
}
enum : UINT { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_RTLREADING = 0x80 };
// ETO_OPAQUE fills Rect with the background colour first; ETO_CLIPPED clips the
// text to Rect. Dx, when given, holds the advance of every character.
BOOL ExtTextOut(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const QString& Text,
                int Count = -1, const int* Dx = nullptr);
inline BOOL ExtTextOutW(HDC DC, int X, int Y, UINT Options, const TRect* Rect,
                        const QString& Text, int Count = -1, const int* Dx = nullptr) {
  return ExtTextOut(DC, X, Y, Options, Rect, Text, Count, Dx);
}
BOOL GetTextExtentPoint32(HDC DC, const QString& Text, int Count, TSize* Out);
inline BOOL GetTextExtentPoint32W(HDC DC, const QString& Text, int Count, TSize* Out) {
  return GetTextExtentPoint32(DC, Text, Count, Out);
}
BOOL GetTextExtentPoint(HDC DC, const QString& Text, int Count, TSize* Out);
BOOL GetTextMetrics(HDC DC, TEXTMETRIC* Out);
inline BOOL GetTextMetricsW(HDC DC, TEXTMETRIC* Out) { return GetTextMetrics(DC, Out); }
int GetTextFace(HDC DC, QString* Out);

// ---- edges and frame controls, in the classic look ----
enum : UINT {
  BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8,
  BDR_OUTER = 0x3, BDR_INNER = 0xC, BDR_RAISED = 0x5, BDR_SUNKEN = 0xA,
  EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
  EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER
};
enum : UINT {
  BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_TOPLEFT = BF_TOP | BF_LEFT,
  BF_TOPRIGHT = BF_TOP | BF_RIGHT, BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
  BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT, BF_RECT = 0xF, BF_DIAGONAL = 0x10, BF_MIDDLE = 0x800,
  BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000
};
// Draws the edge inside R; BF_ADJUST shrinks R by the edge's width.
BOOL DrawEdge(HDC DC, TRect& R, UINT Edge, UINT Flags);
BOOL DrawEdge(HDC DC, const TRect& R, UINT Edge, UINT Flags);

enum : UINT { DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4 };
enum : UINT {
  DFCS_BUTTONCHECK = 0x0, DFCS_BUTTONRADIOIMAGE = 0x1, DFCS_BUTTONRADIOMASK = 0x2,
  DFCS_BUTTONRADIO = 0x4, DFCS_BUTTON3STATE = 0x8, DFCS_BUTTONPUSH = 0x10,
  DFCS_SCROLLUP = 0x0, DFCS_SCROLLDOWN = 0x1, DFCS_SCROLLLEFT = 0x2, DFCS_SCROLLRIGHT = 0x3,
  DFCS_SCROLLCOMBOBOX = 0x5, DFCS_SCROLLSIZEGRIP = 0x8,
  DFCS_CAPTIONCLOSE = 0x0, DFCS_CAPTIONMIN = 0x1, DFCS_CAPTIONMAX = 0x2,
  DFCS_CAPTIONRESTORE = 0x3, DFCS_MENUARROW = 0x0, DFCS_MENUCHECK = 0x1,
  DFCS_INACTIVE = 0x100, DFCS_PUSHED = 0x200, DFCS_CHECKED = 0x400, DFCS_TRANSPARENT = 0x800,
  DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000
};
// Push buttons, check boxes, radio buttons, scroll arrows and the combo-box button.
// With DFCS_ADJUSTRECT, R shrinks to the area inside the button's edge.
BOOL DrawFrameControl(HDC DC, TRect& R, UINT Type, UINT State);
BOOL DrawFrameControl(HDC DC, const TRect& R, UINT Type, UINT State);

int MulDiv(int Number, int Numerator, int Denominator);
