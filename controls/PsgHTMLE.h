// Mini-HTML: the small tag language of cell texts, hints, captions and drop-down
// items, and the routines around it.
//
// DrawHTMLText lays such a text out inside a rectangle of a canvas and paints it,
// only measures it, or finds what lies under a point (an anchor, an image inside an
// anchor, an inline control). The text routines encode and decode entities, read
// colour values, read and rewrite the <CONTROL> tags of a cell text, strip tags and
// wrap search matches in highlight tags.
#pragma once

#include <QString>

#include "platform/gdi/Graphics.h"
#include "platform/ui/Messages.h"
#include "platform/rtl/SysLocale.h"

// Pictures for <IMG SRC="name"> and <IMG SRC="scheme://...">; the renderer only
// passes them on to its picture lookup.
class TPictureContainer;
class THTMLPictureCache;

// ------------------------------------------------------------- entities

// Decodes "&lt;", "&gt;", "&amp;", "&quot;" and, with AllEntities, the named
// accented letters and signs, in one left-to-right pass: each entity is decoded
// once, so the result of EncodeHTMLEntities comes back exactly.
QString DecodeHTMLEntities(const QString& Text, bool AllEntities);
// Writes "&", the double quote, "<" and ">" as entities and, with AllEntities,
// the named accented letters and signs.
QString EncodeHTMLEntities(const QString& Text, bool AllEntities);
// Every space written as "&nbsp;".
QString SpacesToNbsp(const QString& Text);

// ---------------------------------------------------------------- colours

// The colour of a lower-case colour name ("clred", "clbtnface"); 0 (black) for
// any other name.
TColor ColorFromName(const QString& Name);
// The colour of "#RRGGBB" (upper-case hexadecimal digits).
TColor ColorFromHex(const QString& Text);
// 16 * d(first) + d(second) of a two-character hexadecimal text; 0 when shorter.
int HexPairValue(const QString& Text);

// ---------------------------------------------------------- inline controls

// The attributes of one <CONTROL ...> tag.
struct TControlTag {
  QString Type;    // upper case
  QString ID;
  QString Value;   // entities decoded
  QString Width;
  QString Height;
  QString Prop;    // entities decoded
  QString MaxLen;
};

// Reads the attributes of one <CONTROL tag (the text after "<CONTROL").
TControlTag ParseControlTag(const QString& TagText);
// True when Text holds "<CONTROL" in any case.
bool HasControlTag(const QString& Text);
// The ID of the first editable control (not BUTTON, CHECK or RADIO) after the
// control with this ID; from the first control when ID is empty; empty when none.
QString GetNextControlID(const QString& Text, const QString& ID);
// Text with VALUE "FALSE" written into every RADIO control.
QString ClearRadioControls(const QString& Text);
// The VALUE of the control with this ID; False when no control has it.
bool GetControlValue(const QString& Text, const QString& ID, QString& Value);
QString GetControlProp(const QString& Text, const QString& ID);
int GetControlMaxLen(const QString& Text, const QString& ID);
// Rewrites the tag of the control with this ID with the new value; False (and
// Text unchanged) when no control has it.
bool SetControlValue(QString& Text, const QString& ID, const QString& Value);

// ------------------------------------------------------------ tag utilities

// The text without tags; <BR> and <HR> become line breaks.
QString StripHTMLTags(const QString& Text);
// HTML with every match of Search in its tag-free text wrapped in <Tag>...</Tag>.
// An empty search text changes nothing.
QString InsertMatchTags(const QString& HTML, const QString& Search, const QString& Tag,
                        bool CaseSensitive);
// HTML without <Tag> and </Tag>, with "&lt;" and "&gt;" turned back into "<" and ">".
QString RemoveMatchTags(const QString& HTML, const QString& Tag);
// 1-based position of Sub in Text, ASCII letters compared without case; 0 absent.
int CaselessPos(const QString& Sub, const QString& Text);
// Position of Sub in Text (1-based, 0 absent), also stored in Pos.
int PosStore(const QString& Sub, const QString& Text, int& Pos);
// Position of the upper-case Sub in the upper-cased Text, also stored in Pos.
int PosStoreUpper(const QString& UpperSub, const QString& Text, int& Pos);
// Replaces the first CaselessPos occurrence of Find; True when one was replaced.
bool ReplaceFirstCaseless(const QString& Find, const QString& Replace, QString& Text);
// The integer at the start of Text: leading spaces, a sign, decimal digits or
// hexadecimal digits after "$" or "0x"; 0 when nothing is read.
int IntPrefix(const QString& Text);
// Every "<#" loses its "<", and the first ">" after it is removed.
QString UnbracketHashTags(const QString& Text);
// Carriage returns become "<BR>" when ToTags is set; line feeds are removed.
QString LineBreaksToBRTags(const QString& Text, bool ToTags);
// One "*" per character.
QString PasswordMask(const QString& Text);

// --------------------------------------------------------------- renderer

// Sets the background and text colour of <HI> text for every later call.
void SetHTMLHighlightColors(TColor Background, TColor Text);

// Lays Text out in Rect of Canvas and paints it, only measures it (MeasureOnly), or
// finds what lies under the point X, Y (NoDraw: nothing is painted). True when the
// point lies on an anchor's text, on an image inside an anchor or on an inline
// control. On return the canvas's font, brush colour and pen are those of entry.
//
// Inputs: Images for <IMG SRC="IDX:n">; FocusLink, the 0-based anchor that gets a
// focus rectangle (-1 none); HoverLink, the 1-based anchor under the mouse, which
// alone is underlined and hover-coloured with HoverStyle; ShadowOffset and
// ShadowColor for <SHAD>; Print with ResFactor stretches image-list images and
// shell icons; Selected ignores colour tags; BlinkOn is the visible phase of
// <BLINK>; WordWrap breaks lines at spaces (else overflowing runs end in "...");
// ControlDown draws a pressed button under the point; URLColor, HoverColor and
// HoverFontColor colour anchors (clNone: none); PictureCache and Container give
// the pictures of <IMG SRC="scheme://..."> and <IMG SRC="name">; ThemeWindow
// draws themed inline controls; BiDiMode with a Middle-Eastern system locale
// mirrors the alignment and reads right to left.
//
// Outputs, set on entry: AnchorVal, the HREF of the anchor hit or "ctrl" for an
// inline control (assigned only on a hit); StripVal, the runs without tags;
// FocusAnchor, the HREF of the FocusLink anchor; AnchorTitle, the TITLE of the
// anchor hit; XSize and YSize, the widest line and the height of all lines;
// HyperLinks, the number of anchors; MouseLink, the 1-based anchor hit (-1 none)
// and HoverRect, its area on its last line; ControlRect, ControlValue and
// ControlType of the control hit. ControlID is the ID of the control hit; with
// NoDraw it is also an input: the control with this ID counts as hit wherever
// the point is.
bool DrawHTMLText(TCanvas* Canvas, const QString& Text, TRect Rect, TImageList* Images, int X, int Y,
                  int FocusLink, int HoverLink, int ShadowOffset, bool NoDraw, bool MeasureOnly,
                  bool Print, bool Selected, bool BlinkOn, bool HoverStyle, bool WordWrap,
                  bool ControlDown, double ResFactor, TColor URLColor, TColor HoverColor,
                  TColor HoverFontColor, TColor ShadowColor, QString& AnchorVal, QString& StripVal,
                  QString& FocusAnchor, QString& AnchorTitle, int& XSize, int& YSize, int& HyperLinks,
                  int& MouseLink, TRect& HoverRect, TRect& ControlRect, QString& ControlID,
                  QString& ControlValue, QString& ControlType, THTMLPictureCache* PictureCache,
                  TPictureContainer* Container, HWND ThemeWindow, TBiDiMode BiDiMode);
