// Inside of the standard controls, for the platform layer's own .cpp files:
// the window system's edit control (the behaviour behind the default handling
// of an edit's messages). TCustomEdit, TCustomMemo, the edit field of
// TCustomComboBox and TCustomRichEdit each own one and pass it the messages
// their handlers leave to the default handling: keys and characters (caret
// moves, selection, typing, the clipboard keys), the mouse (caret placement,
// dragged selection, double-click word selection), focus, painting and the EM_
// messages. Changes are reported through Notify with the EN_ codes.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Controls.h"

struct TFontInfo;

class TEditCore {
 public:
  explicit TEditCore(TWinControl* Host);
  ~TEditCore();
  TEditCore(const TEditCore&) = delete;
  TEditCore& operator=(const TEditCore&) = delete;

  // --- configuration (the ES_ styles and their later changes) ---
  bool Multiline = false;
  bool AutoHScroll = true;   // single line: scrolls; multi-line: no word wrap
  bool WantReturn = false;   // multi-line: Enter inserts a line break (WM_CHAR 13)
  bool ReadOnly = false;
  bool NoHideSel = false;
  bool NumbersOnly = false;
  int CharCase = 0;          // 0 normal, 1 upper, 2 lower
  int Align = 0;             // 0 left, 1 right, 2 centre (TAlignment order)
  QChar PasswordChar;        // 0: none
  int Limit = 0;             // 0: no limit
  // Offsets of characters (rich edit): when on, every character carries a
  // vertical offset in twips (sub- and superscript), drawn shifted.
  bool RichMode = false;
  // Scroll bars of the host window that the edit drives (memo).
  bool DrivesScrollBars = false;

  // Where the text goes: the host's client area less the margins, or the
  // formatting rectangle set by EM_SETRECT; Area overrides both (combo).
  std::function<TRect()> Area;
  // EN_ notifications (EN_CHANGE, EN_MAXTEXT, EN_SELCHANGE ...).
  std::function<void(WORD Code)> Notify;
  // Colours when not given by the host (combo field with highlight).
  bool UseHostColors = true;
  TColor TextColor = clWindowText;
  TColor BackColor = clWindow;

  // --- text and selection ---
  const QString& Text() const { return FText; }
  // Replaces the text (caret to the start, no selection, not modified, undo cleared).
  void SetText(const QString& Value, bool NotifyChange = true);
  int SelStart() const { return std::min(FAnchor, FCaret); }
  int SelEnd() const { return std::max(FAnchor, FCaret); }
  int SelLength() const { return SelEnd() - SelStart(); }
  int Caret() const { return FCaret; }
  QString SelText() const { return FText.mid(SelStart(), SelLength()); }
  // Anchor and caret (the caret at End); -1 as Start removes the selection,
  // -1 as End means the end of the text.
  void SetSel(int Start, int End);
  // Replaces the selection by S as typed (limit and case applied when User).
  void ReplaceSel(const QString& S, bool CanUndo, bool User = false);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  bool CanUndo() const { return FCanUndo; }
  void Undo();
  void EmptyUndo() { FCanUndo = false; }
  void SelectAll() { SetSel(0, -1); }

  // Offsets (rich mode): the offset of a character, the offset of the selection
  // (or of new typing when nothing is selected); -32768 for a mixed selection.
  int OffsetAt(int Index) const;
  int SelectionOffset() const;
  void SetSelectionOffset(int Twips);
  const std::vector<int16_t>& Offsets() const { return FOffsets; }
  void SetOffsets(const std::vector<int16_t>& Offsets);

  // --- lines (soft-wrapped lines count, as the window system counts them) ---
  int LineCount();
  int LineIndex(int Line);        // first character of a line; -1 beyond the last
  int LineLength(int Index);      // length of the line holding Index
  int LineFromChar(int Index);
  int FirstVisibleLine();
  // Client position of the character (its top-left), and the character nearest
  // to a client position.
  TPoint PosFromChar(int Index);
  int CharFromPos(const TPoint& P);
  void ScrollCaret();
  void LineScroll(int Lines);
  // Height of one line of text.
  int LineHeight();
  // The size the whole text needs at the given width (0: unwrapped).
  TSize TextExtent(int Width);

  // --- window ---
  // Handles a message of the default handling; true when the edit took it.
  bool HandleMessage(TMessage& Message);
  // Draws the text, selection and caret on DC (client coordinates).
  void Paint(HDC DC);
  // Draws the text laid out in Bounds on any DC (rich edit printing and cell
  // painting): the characters from First on that fit; returns the index of the
  // first character that did not fit.
  int PaintInto(HDC DC, const TRect& Bounds, int First, bool Draw);
  void FontChanged();
  void AreaChanged();
  void SetFormatRect(const TRect* R);
  TRect FormatRect();

 private:
  struct TLine {
    int Start = 0;
    int Length = 0;   // characters shown
    int Next = 0;     // start of the next line (after the line break)
  };
  const TFontInfo& Font();
  QString Shown(int Start, int Count) const;
  int Advance(const QString& S) const;
  int Width(int Start, int Count);            // of text on one line, tabs expanded
  void Layout();
  void LayoutInto(std::vector<TLine>& Lines, int WrapWidth);
  void Invalidate();
  int LineOf(int Index);
  int LineX0(int Line);
  int XOfIndex(int Index);
  int IndexInLine(int Line, int X);
  int VisibleLines();
  void MoveCaret(int NewCaret, bool Extend);
  void Changed(bool User);
  void DeleteRange(int Start, int End, bool User);
  void SaveUndo(int Kind);
  int WordLeft(int Index) const;
  int WordRight(int Index) const;
  int PrevChar(int Index) const;
  int NextChar(int Index) const;
  void UpdateScrollBars();
  void KeyDown(WORD Key);
  void CharTyped(QChar C);
  void Scroll(int Bar, int Code, int Pos);
  TColor HostTextColor();
  TColor HostBackColor();

  TWinControl* FHost;
  QString FText;
  std::vector<int16_t> FOffsets;
  int FPendingOffset = 0;
  bool FPendingSet = false;
  int FAnchor = 0;
  int FCaret = 0;
  int FPreferredX = -1;
  bool FModified = false;
  bool FCanUndo = false;
  int FUndoKind = 0;
  QString FUndoText;
  std::vector<int16_t> FUndoOffsets;
  int FUndoAnchor = 0;
  int FUndoCaret = 0;
  int FScrollX = 0;
  int FTopLine = 0;
  bool FTracking = false;
  bool FFormatSet = false;
  TRect FFormat;
  std::vector<TLine> FLines;
  bool FLayoutValid = false;
  int FLayoutWidth = -1;
  std::shared_ptr<const TFontInfo> FFont;
};
