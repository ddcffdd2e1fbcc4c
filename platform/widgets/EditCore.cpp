// The window system's edit control: text, caret and selection, layout in lines
// (soft wrapping), keys, characters, mouse, clipboard, undo, painting and the
// EM_ messages.
#include "platform/widgets/EditCore_p.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/ui/Clipbrd.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/StdCtrls.h"

namespace {

enum TUndoKind { ukNone, ukTyping, ukDeleting, ukOther };

bool IsBreak(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// Length of the line break at Index (CR LF, CR or LF), 0 when none.
int BreakLength(const QString& s, int i) {
  if (i >= s.size()) return 0;
  if (s.at(i) == QLatin1Char('\r')) return (i + 1 < s.size() && s.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
  if (s.at(i) == QLatin1Char('\n')) return 1;
  return 0;
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

int TwipsToPixels(int Twips) { return (Twips * 96) / 1440; }

}  // namespace

TEditCore::TEditCore(TWinControl* Host) : FHost(Host) {}
TEditCore::~TEditCore() = default;

// ------------------------------------------------------------ fonts and widths

const TFontInfo& TEditCore::Font() {
  if (!FFont) FFont = ResolveFont(FHost->Font()->ToLogFont());
  return *FFont;
}

void TEditCore::FontChanged() {
  FFont.reset();
  FLayoutValid = false;
  Invalidate();
}

QString TEditCore::Shown(int Start, int Count) const {
  if (!PasswordChar.isNull() && !Multiline) return QString(Count, PasswordChar);
  return FText.mid(Start, Count);
}

int TEditCore::Advance(const QString& S) const {
  return S.isEmpty() ? 0 : FFont->Metrics->horizontalAdvance(S);
}

int TEditCore::Width(int Start, int Count) {
  Font();
  const QString s = Shown(Start, Count);
  if (!Multiline || !s.contains(QLatin1Char('\t'))) return Advance(s);
  // Tabs stop every eight average characters.
  const int stop = std::max(1, FFont->Metrics->averageCharWidth() * 8);
  int x = 0;
  int from = 0;
  for (int i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s.at(i) == QLatin1Char('\t')) {
      x += Advance(s.mid(from, i - from));
      if (i < s.size()) x = (x / stop + 1) * stop;
      from = i + 1;
    }
  }
  return x;
}

int TEditCore::LineHeight() {
  const TFontInfo& f = Font();
  int h = f.Tm.tmHeight;
  if (RichMode) {
    int up = 0, down = 0;
    for (int16_t o : FOffsets) {
      up = std::max(up, TwipsToPixels(o));
      down = std::max(down, TwipsToPixels(-o));
    }
    h += up + down;
  }
  return std::max(1, h);
}

// ------------------------------------------------------------ area and layout

TRect TEditCore::FormatRect() {
  if (Area) return Area();
  if (FFormatSet) return FFormat;
  const TRect cr = FHost->ClientRect();
  if (Multiline) return TRect(cr.Left + 1, cr.Top, cr.Right - 1, cr.Bottom);
  return TRect(cr.Left + 1, cr.Top + 1, cr.Right - 1, cr.Bottom);
}

void TEditCore::SetFormatRect(const TRect* R) {
  FFormatSet = R != nullptr;
  if (R != nullptr) FFormat = *R;
  AreaChanged();
}

void TEditCore::AreaChanged() {
  FLayoutValid = false;
  ScrollCaret();
  Invalidate();
}

void TEditCore::LayoutInto(std::vector<TLine>& Lines, int WrapWidth) {
  Lines.clear();
  const int n = FText.size();
  if (!Multiline) {
    TLine l;
    l.Start = 0;
    l.Length = n;
    l.Next = n;
    Lines.push_back(l);
    return;
  }
  int pos = 0;
  for (;;) {
    int end = pos;
    while (end < n && !IsBreak(FText.at(end))) ++end;
    const int brk = BreakLength(FText, end);
    // One hard line [pos, end), wrapped when a width is given.
    int s = pos;
    if (WrapWidth > 0) {
      while (end - s > 0 && Width(s, end - s) > WrapWidth) {
        // The longest prefix that fits.
        int lo = 1, hi = end - s;
        while (lo < hi) {
          const int mid = (lo + hi + 1) / 2;
          if (Width(s, mid) <= WrapWidth) lo = mid;
          else hi = mid - 1;
        }
        int k = lo;
        // Break after the last blank within it (blanks stay at the line's end).
        int blank = -1;
        for (int j = s + k; j > s; --j)
          if (FText.at(j - 1) == QLatin1Char(' ') || FText.at(j - 1) == QLatin1Char('\t')) {
            blank = j;
            break;
          }
        if (s + k < end && (FText.at(s + k) == QLatin1Char(' '))) blank = s + k;
        if (blank > s) k = blank - s;
        while (s + k < end && FText.at(s + k) == QLatin1Char(' ')) ++k;
        if (s + k >= end) break;
        TLine l;
        l.Start = s;
        l.Length = k;
        l.Next = s + k;
        Lines.push_back(l);
        s += k;
      }
    }
    TLine l;
    l.Start = s;
    l.Length = end - s;
    l.Next = end + brk;
    Lines.push_back(l);
    if (brk == 0) break;
    pos = end + brk;
  }
}

void TEditCore::Layout() {
  const TRect a = FormatRect();
  const int w = (Multiline && !AutoHScroll) ? std::max(1, a.Width()) : 0;
  if (FLayoutValid && FLayoutWidth == w) return;
  Font();
  LayoutInto(FLines, w);
  FLayoutWidth = w;
  FLayoutValid = true;
}

int TEditCore::LineOf(int Index) {
  Layout();
  int line = 0;
  for (int i = 0; i < static_cast<int>(FLines.size()); ++i) {
    if (FLines[i].Start <= Index) line = i;
    else break;
  }
  return line;
}

int TEditCore::LineX0(int Line) {
  const TRect a = FormatRect();
  const TLine& l = FLines[static_cast<size_t>(Line)];
  const int w = Width(l.Start, l.Length);
  int off = 0;
  const int room = a.Width() - 1;
  if (w < room) {
    if (Align == 1) off = room - w;
    else if (Align == 2) off = (room - w) / 2;
  }
  return a.Left - FScrollX + off;
}

int TEditCore::XOfIndex(int Index) {
  const int line = LineOf(Index);
  const TLine& l = FLines[static_cast<size_t>(line)];
  return LineX0(line) + Width(l.Start, std::min(Index, l.Start + l.Length) - l.Start);
}

int TEditCore::IndexInLine(int Line, int X) {
  const TLine& l = FLines[static_cast<size_t>(Line)];
  const int x0 = LineX0(Line);
  int best = l.Start;
  int prev = x0;
  for (int k = 1; k <= l.Length; ++k) {
    const int x = x0 + Width(l.Start, k);
    if (X < (prev + x + 1) / 2) return l.Start + k - 1;
    prev = x;
    best = l.Start + k;
  }
  return best;
}

int TEditCore::VisibleLines() {
  const TRect a = FormatRect();
  return std::max(1, a.Height() / LineHeight());
}

// ------------------------------------------------------------ lines (EM_)

int TEditCore::LineCount() {
  Layout();
  return static_cast<int>(FLines.size());
}

int TEditCore::LineIndex(int Line) {
  Layout();
  if (Line < 0) Line = LineOf(FCaret);
  if (Line >= static_cast<int>(FLines.size())) return -1;
  return FLines[static_cast<size_t>(Line)].Start;
}

int TEditCore::LineLength(int Index) {
  Layout();
  if (Index < 0) return 0;
  return FLines[static_cast<size_t>(LineOf(Index))].Length;
}

int TEditCore::LineFromChar(int Index) {
  if (Index < 0) Index = FCaret;
  return LineOf(std::min(Index, static_cast<int>(FText.size())));
}

int TEditCore::FirstVisibleLine() { return Multiline ? FTopLine : 0; }

TPoint TEditCore::PosFromChar(int Index) {
  Layout();
  Index = std::clamp(Index, 0, static_cast<int>(FText.size()));
  const int line = LineOf(Index);
  const TRect a = FormatRect();
  return TPoint(XOfIndex(Index), a.Top + (line - FirstVisibleLine()) * LineHeight());
}

int TEditCore::CharFromPos(const TPoint& P) {
  Layout();
  const TRect a = FormatRect();
  int line = FirstVisibleLine() + (P.Y - a.Top) / LineHeight();
  if (P.Y < a.Top) line = FirstVisibleLine() - 1 - (a.Top - P.Y - 1) / LineHeight();
  line = std::clamp(line, 0, static_cast<int>(FLines.size()) - 1);
  return IndexInLine(line, P.X);
}

TSize TEditCore::TextExtent(int WrapWidth) {
  std::vector<TLine> lines;
  Font();
  LayoutInto(lines, WrapWidth);
  int w = 0;
  for (const TLine& l : lines) w = std::max(w, Width(l.Start, l.Length));
  return TSize(w, static_cast<int>(lines.size()) * LineHeight());
}

// ------------------------------------------------------------ scrolling

void TEditCore::ScrollCaret() {
  Layout();
  const TRect a = FormatRect();
  const int room = std::max(1, a.Width());
  if (!Multiline || AutoHScroll) {
    const int line = LineOf(FCaret);
    const TLine& l = FLines[static_cast<size_t>(line)];
    const int x = Width(l.Start, FCaret - l.Start);
    int total = 0;
    for (const TLine& ln : FLines) total = std::max(total, Width(ln.Start, ln.Length));
    if (x - FScrollX > room - 1) FScrollX = x - (room * 3) / 4;
    if (x < FScrollX) FScrollX = std::max(0, x - room / 4);
    if (total - FScrollX < room - 1) FScrollX = std::max(0, total - room + 1);
    if (total < room) FScrollX = 0;
    FScrollX = std::max(0, FScrollX);
  } else {
    FScrollX = 0;
  }
  if (Multiline) {
    const int line = LineOf(FCaret);
    const int vis = VisibleLines();
    if (line < FTopLine) FTopLine = line;
    if (line >= FTopLine + vis) FTopLine = line - vis + 1;
    FTopLine = std::clamp(FTopLine, 0, std::max(0, static_cast<int>(FLines.size()) - 1));
  }
  UpdateScrollBars();
}

void TEditCore::LineScroll(int Lines) {
  if (!Multiline) return;
  Layout();
  const int maxTop = std::max(0, static_cast<int>(FLines.size()) - VisibleLines());
  const int top = std::clamp(FTopLine + Lines, 0, std::max(maxTop, FTopLine));
  if (top == FTopLine) return;
  FTopLine = std::clamp(top, 0, std::max(0, static_cast<int>(FLines.size()) - 1));
  UpdateScrollBars();
  Invalidate();
}

void TEditCore::UpdateScrollBars() {
  if (!DrivesScrollBars || !Multiline || !FHost->HandleAllocated()) return;
  const DWORD style = FHost->WindowStyle();
  HWND h = FHost->View();
  if (style & WS_VSCROLL) {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(0, static_cast<int>(FLines.size()) - 1);
    si.nPage = static_cast<UINT>(VisibleLines());
    si.nPos = FTopLine;
    SetScrollInfo(h, SB_VERT, si, true);
  }
  if (style & WS_HSCROLL) {
    int total = 0;
    for (const TLine& l : FLines) total = std::max(total, Width(l.Start, l.Length));
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMin = 0;
    si.nMax = std::max(0, total);
    si.nPage = static_cast<UINT>(std::max(1, FormatRect().Width()));
    si.nPos = FScrollX;
    SetScrollInfo(h, SB_HORZ, si, true);
  }
}

void TEditCore::Scroll(int Bar, int Code, int Pos) {
  if (!Multiline) return;
  Layout();
  if (Bar == SB_VERT) {
    const int vis = VisibleLines();
    int top = FTopLine;
    switch (Code) {
      case SB_LINEUP: --top; break;
      case SB_LINEDOWN: ++top; break;
      case SB_PAGEUP: top -= vis; break;
      case SB_PAGEDOWN: top += vis; break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: top = Pos; break;
      case SB_TOP: top = 0; break;
      case SB_BOTTOM: top = static_cast<int>(FLines.size()); break;
      default: return;
    }
    const int maxTop = std::max(0, static_cast<int>(FLines.size()) - vis);
    top = std::clamp(top, 0, maxTop);
    if (top != FTopLine) {
      FTopLine = top;
      Invalidate();
    }
  } else {
    const int room = std::max(1, FormatRect().Width());
    int total = 0;
    for (const TLine& l : FLines) total = std::max(total, Width(l.Start, l.Length));
    int x = FScrollX;
    const int step = std::max(1, FFont->Metrics->averageCharWidth());
    switch (Code) {
      case SB_LINELEFT: x -= step; break;
      case SB_LINERIGHT: x += step; break;
      case SB_PAGELEFT: x -= room; break;
      case SB_PAGERIGHT: x += room; break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: x = Pos; break;
      case SB_LEFT: x = 0; break;
      case SB_RIGHT: x = total; break;
      default: return;
    }
    x = std::clamp(x, 0, std::max(0, total - room + 1));
    if (x != FScrollX) {
      FScrollX = x;
      Invalidate();
    }
  }
  UpdateScrollBars();
}

// ------------------------------------------------------------ text changes

void TEditCore::Invalidate() {
  if (FHost->View() != nullptr) FHost->Invalidate();
}

void TEditCore::SetText(const QString& Value, bool NotifyChange) {
  FText = Value;
  if (RichMode) FOffsets.assign(static_cast<size_t>(FText.size()), 0);
  FAnchor = FCaret = 0;
  FScrollX = 0;
  FTopLine = 0;
  FModified = false;
  FCanUndo = false;
  FUndoKind = ukNone;
  FPreferredX = -1;
  FLayoutValid = false;
  ScrollCaret();
  Invalidate();
  if (NotifyChange && Notify) Notify(EN_CHANGE);
}

void TEditCore::SetSel(int Start, int End) {
  const int n = FText.size();
  if (Start == -1) {
    FAnchor = FCaret;
  } else {
    if (End < 0) End = n;
    FAnchor = std::clamp(Start, 0, n);
    FCaret = std::clamp(End, 0, n);
  }
  FPreferredX = -1;
  ScrollCaret();
  Invalidate();
  if (Notify) Notify(0xFFFF);  // selection moved (the rich edit reports it)
}

void TEditCore::SaveUndo(int Kind) {
  if (Kind == ukTyping && FUndoKind == ukTyping && FCanUndo) return;
  FUndoText = FText;
  FUndoOffsets = FOffsets;
  FUndoAnchor = FAnchor;
  FUndoCaret = FCaret;
  FCanUndo = true;
  FUndoKind = Kind;
}

void TEditCore::Undo() {
  if (!FCanUndo) return;
  std::swap(FText, FUndoText);
  std::swap(FOffsets, FUndoOffsets);
  const int a = FAnchor, c = FCaret;
  FAnchor = std::min(FUndoAnchor, static_cast<int>(FText.size()));
  FCaret = std::min(FUndoCaret, static_cast<int>(FText.size()));
  FUndoAnchor = a;
  FUndoCaret = c;
  FUndoKind = ukOther;
  Changed(true);
}

void TEditCore::Changed(bool User) {
  if (User) FModified = true;
  FLayoutValid = false;
  FPreferredX = -1;
  ScrollCaret();
  Invalidate();
  if (Notify) Notify(EN_CHANGE);
}

void TEditCore::DeleteRange(int Start, int End, bool User) {
  if (End <= Start) return;
  FText.remove(Start, End - Start);
  if (RichMode && static_cast<int>(FOffsets.size()) >= End)
    FOffsets.erase(FOffsets.begin() + Start, FOffsets.begin() + End);
  FAnchor = FCaret = Start;
  Changed(User);
}

void TEditCore::ReplaceSel(const QString& S, bool CanUndoIt, bool User) {
  QString ins = S;
  if (!Multiline) {
    // A single line takes text up to the first line break.
    int i = 0;
    while (i < ins.size() && !IsBreak(ins.at(i))) ++i;
    ins.truncate(i);
  }
  if (CharCase == 1) ins = ins.toUpper();
  if (CharCase == 2) ins = ins.toLower();
  const int start = SelStart();
  const int len = SelLength();
  if (Limit > 0) {
    const int room = Limit - (static_cast<int>(FText.size()) - len);
    if (room < static_cast<int>(ins.size())) {
      ins.truncate(std::max(0, room));
      if (Notify) Notify(EN_MAXTEXT);
      if (ins.isEmpty() && len == 0) return;
    }
  }
  if (CanUndoIt) SaveUndo(User && len == 0 && ins.size() == 1 ? ukTyping : ukOther);
  int offset = 0;
  if (RichMode) {
    if (FPendingSet && len == 0) offset = FPendingOffset;
    else if (len > 0) offset = FOffsets[static_cast<size_t>(start)];
    else if (start > 0) offset = FOffsets[static_cast<size_t>(start - 1)];
    FOffsets.erase(FOffsets.begin() + start, FOffsets.begin() + start + len);
    FOffsets.insert(FOffsets.begin() + start, static_cast<size_t>(ins.size()), static_cast<int16_t>(offset));
  }
  FText.replace(start, len, ins);
  FAnchor = FCaret = start + static_cast<int>(ins.size());
  FPendingSet = false;
  Changed(User);
}

// ------------------------------------------------------------ offsets (rich edit)

int TEditCore::OffsetAt(int Index) const {
  if (!RichMode || Index < 0 || Index >= static_cast<int>(FOffsets.size())) return 0;
  return FOffsets[static_cast<size_t>(Index)];
}

int TEditCore::SelectionOffset() const {
  if (!RichMode) return 0;
  if (SelLength() == 0) {
    if (FPendingSet) return FPendingOffset;
    return SelStart() > 0 ? OffsetAt(SelStart() - 1) : OffsetAt(0);
  }
  const int first = OffsetAt(SelStart());
  for (int i = SelStart(); i < SelEnd(); ++i)
    if (OffsetAt(i) != first) return -32768;
  return first;
}

void TEditCore::SetSelectionOffset(int Twips) {
  if (!RichMode) return;
  if (SelLength() == 0) {
    FPendingOffset = Twips;
    FPendingSet = true;
    return;
  }
  for (int i = SelStart(); i < SelEnd(); ++i) FOffsets[static_cast<size_t>(i)] = static_cast<int16_t>(Twips);
  FLayoutValid = false;
  Invalidate();
}

void TEditCore::SetOffsets(const std::vector<int16_t>& Offsets) {
  if (!RichMode) return;
  FOffsets = Offsets;
  FOffsets.resize(static_cast<size_t>(FText.size()), 0);
  Invalidate();
}

// ------------------------------------------------------------ caret moves

int TEditCore::PrevChar(int Index) const {
  if (Index <= 0) return 0;
  if (Index >= 2 && FText.at(Index - 1) == QLatin1Char('\n') && FText.at(Index - 2) == QLatin1Char('\r'))
    return Index - 2;
  if (FText.at(Index - 1).isLowSurrogate() && Index >= 2) return Index - 2;
  return Index - 1;
}

int TEditCore::NextChar(int Index) const {
  const int n = FText.size();
  if (Index >= n) return n;
  const int b = BreakLength(FText, Index);
  if (b > 0) return Index + b;
  if (FText.at(Index).isHighSurrogate() && Index + 1 < n) return Index + 2;
  return Index + 1;
}

int TEditCore::WordLeft(int Index) const {
  int i = Index;
  while (i > 0 && FText.at(i - 1).isSpace()) i = PrevChar(i);
  if (i > 0 && !IsWordChar(FText.at(i - 1))) return PrevChar(i);
  while (i > 0 && IsWordChar(FText.at(i - 1))) --i;
  return i;
}

int TEditCore::WordRight(int Index) const {
  const int n = FText.size();
  int i = Index;
  if (i < n && IsBreak(FText.at(i))) return NextChar(i);
  if (i < n && IsWordChar(FText.at(i))) {
    while (i < n && IsWordChar(FText.at(i))) ++i;
  } else if (i < n && !FText.at(i).isSpace()) {
    ++i;
  }
  while (i < n && FText.at(i).isSpace() && !IsBreak(FText.at(i))) ++i;
  return i;
}

void TEditCore::MoveCaret(int NewCaret, bool Extend) {
  NewCaret = std::clamp(NewCaret, 0, static_cast<int>(FText.size()));
  FCaret = NewCaret;
  if (!Extend) FAnchor = NewCaret;
  ScrollCaret();
  Invalidate();
  if (Notify) Notify(0xFFFF);
}

// ------------------------------------------------------------ keys

void TEditCore::KeyDown(WORD Key) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  Layout();
  const int keepX = FPreferredX;
  auto lineMove = [&](int delta) {
    const int line = LineOf(FCaret);
    const int x = keepX >= 0 ? keepX : XOfIndex(FCaret);
    const int target = std::clamp(line + delta, 0, static_cast<int>(FLines.size()) - 1);
    int idx = FCaret;
    if (target != line) {
      idx = IndexInLine(target, x);
    } else if (delta < 0) {
      idx = FLines[static_cast<size_t>(line)].Start;
    } else {
      const TLine& l = FLines[static_cast<size_t>(line)];
      idx = l.Start + l.Length;
    }
    MoveCaret(idx, shift);
    FPreferredX = x;
  };
  switch (Key) {
    case VK_LEFT:
      if (!shift && SelLength() > 0) MoveCaret(SelStart(), false);
      else MoveCaret(ctrl ? WordLeft(FCaret) : PrevChar(FCaret), shift);
      break;
    case VK_RIGHT:
      if (!shift && SelLength() > 0) MoveCaret(SelEnd(), false);
      else MoveCaret(ctrl ? WordRight(FCaret) : NextChar(FCaret), shift);
      break;
    case VK_UP:
      if (Multiline) lineMove(-1);
      else MoveCaret(ctrl ? WordLeft(FCaret) : PrevChar(FCaret), shift);
      break;
    case VK_DOWN:
      if (Multiline) lineMove(1);
      else MoveCaret(ctrl ? WordRight(FCaret) : NextChar(FCaret), shift);
      break;
    case VK_PRIOR:
      if (Multiline) {
        LineScroll(-VisibleLines());
        lineMove(-VisibleLines());
      }
      break;
    case VK_NEXT:
      if (Multiline) {
        LineScroll(VisibleLines());
        lineMove(VisibleLines());
      }
      break;
    case VK_HOME:
      if (ctrl || !Multiline) MoveCaret(0, shift);
      else MoveCaret(FLines[static_cast<size_t>(LineOf(FCaret))].Start, shift);
      break;
    case VK_END:
      if (ctrl || !Multiline) {
        MoveCaret(FText.size(), shift);
      } else {
        const TLine& l = FLines[static_cast<size_t>(LineOf(FCaret))];
        MoveCaret(l.Start + l.Length, shift);
      }
      break;
    case VK_DELETE:
      if (shift) {
        FHost->Perform(WM_CUT);
      } else if (!ReadOnly) {
        if (SelLength() > 0) {
          SaveUndo(ukDeleting);
          DeleteRange(SelStart(), SelEnd(), true);
        } else if (FCaret < FText.size()) {
          SaveUndo(ukDeleting);
          DeleteRange(FCaret, ctrl ? WordRight(FCaret) : NextChar(FCaret), true);
        }
      } else {
        MessageBeep(0);
      }
      break;
    case VK_INSERT:
      if (ctrl) FHost->Perform(WM_COPY);
      else if (shift) FHost->Perform(WM_PASTE);
      break;
    default:
      break;
  }
}

void TEditCore::CharTyped(QChar C) {
  const ushort c = C.unicode();
  switch (c) {
    case 1:  // Ctrl+A
      SelectAll();
      return;
    case 3:  // Ctrl+C
      FHost->Perform(WM_COPY);
      return;
    case 22:  // Ctrl+V
      FHost->Perform(WM_PASTE);
      return;
    case 24:  // Ctrl+X
      FHost->Perform(WM_CUT);
      return;
    case 26:  // Ctrl+Z
      FHost->Perform(WM_UNDO);
      return;
    case 8:  // Backspace
      if (ReadOnly) {
        MessageBeep(0);
        return;
      }
      if (SelLength() > 0) {
        SaveUndo(ukDeleting);
        DeleteRange(SelStart(), SelEnd(), true);
      } else if (FCaret > 0) {
        SaveUndo(ukDeleting);
        DeleteRange(PrevChar(FCaret), FCaret, true);
      }
      return;
    case 13:
      if (!Multiline || !WantReturn) {
        if (!Multiline) MessageBeep(0);
        return;
      }
      if (ReadOnly) {
        MessageBeep(0);
        return;
      }
      ReplaceSel(QStringLiteral("\r\n"), true, true);
      return;
    case 10:
      if (Multiline && !ReadOnly && WantReturn) ReplaceSel(QStringLiteral("\r\n"), true, true);
      return;
    case 9:
      if (!Multiline || ReadOnly) return;
      ReplaceSel(QStringLiteral("\t"), true, true);
      return;
    default:
      break;
  }
  if (c < 32 || c == 127) return;
  if (ReadOnly) {
    MessageBeep(0);
    return;
  }
  if (NumbersOnly && !C.isDigit()) {
    MessageBeep(0);
    return;
  }
  ReplaceSel(QString(C), true, true);
}

// ------------------------------------------------------------ messages

bool TEditCore::HandleMessage(TMessage& M) {
  switch (M.Msg) {
    case WM_KEYDOWN:
      KeyDown(static_cast<WORD>(M.WParam));
      return true;
    case WM_CHAR:
      CharTyped(QChar(static_cast<char16_t>(M.WParam)));
      return true;
    case WM_LBUTTONDOWN: {
      if (!FHost->Focused() && FHost->CanFocus()) FHost->SetFocus();
      const TPoint p(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
      MoveCaret(CharFromPos(p), (M.WParam & MK_SHIFT) != 0);
      FTracking = true;
      return true;
    }
    case WM_LBUTTONDBLCLK: {
      const TPoint p(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
      const int i = CharFromPos(p);
      int s = i, e = i;
      if (i < FText.size() && IsWordChar(FText.at(i))) {
        while (s > 0 && IsWordChar(FText.at(s - 1))) --s;
        while (e < FText.size() && IsWordChar(FText.at(e))) ++e;
      } else if (i > 0 && IsWordChar(FText.at(i - 1))) {
        while (s > 0 && IsWordChar(FText.at(s - 1))) --s;
      }
      while (e < FText.size() && FText.at(e) == QLatin1Char(' ')) ++e;
      SetSel(s, e);
      FTracking = false;
      return true;
    }
    case WM_MOUSEMOVE:
      if (FTracking && (M.WParam & MK_LBUTTON) != 0) {
        const TPoint p(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
        MoveCaret(CharFromPos(p), true);
      }
      return true;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      FTracking = false;
      return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FTracking = false;
      Invalidate();
      if (Notify) Notify(M.Msg == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
      return false;
    case WM_MOUSEWHEEL:
      if (Multiline) {
        const int delta = static_cast<int16_t>(HiWord(M.WParam));
        LineScroll(-(delta / WHEEL_DELTA) * 3);
        M.Result = 1;
        return true;
      }
      return false;
    case WM_VSCROLL:
      Scroll(SB_VERT, LoWord(M.WParam), static_cast<int16_t>(HiWord(M.WParam)));
      return true;
    case WM_HSCROLL:
      Scroll(SB_HORZ, LoWord(M.WParam), static_cast<int16_t>(HiWord(M.WParam)));
      return true;
    case WM_COPY:
      if (SelLength() > 0 && (PasswordChar.isNull() || Multiline)) Clipboard()->SetAsText(SelText());
      return true;
    case WM_CUT:
      if (SelLength() > 0 && (PasswordChar.isNull() || Multiline)) {
        Clipboard()->SetAsText(SelText());
        if (!ReadOnly) {
          SaveUndo(ukOther);
          DeleteRange(SelStart(), SelEnd(), true);
        }
      }
      return true;
    case WM_PASTE:
      if (!ReadOnly) {
        const QString t = Clipboard()->AsText();
        if (!t.isEmpty()) {
          if (NumbersOnly) {
            for (QChar c : t)
              if (!c.isDigit()) {
                MessageBeep(0);
                return true;
              }
          }
          ReplaceSel(t, true, true);
        }
      }
      return true;
    case WM_CLEAR:
      if (!ReadOnly && SelLength() > 0) {
        SaveUndo(ukOther);
        DeleteRange(SelStart(), SelEnd(), true);
      }
      return true;
    case WM_UNDO:
    case EM_UNDO:
      M.Result = FCanUndo ? 1 : 0;
      Undo();
      return true;
    case EM_CANUNDO:
      M.Result = FCanUndo ? 1 : 0;
      return true;
    case EM_EMPTYUNDOBUFFER:
      FCanUndo = false;
      return true;
    case EM_GETSEL:
      if (M.WParam != 0) *reinterpret_cast<int*>(M.WParam) = SelStart();
      if (M.LParam != 0) *reinterpret_cast<int*>(M.LParam) = SelEnd();
      M.Result = MAKELPARAM(std::min(SelStart(), 0xFFFF), std::min(SelEnd(), 0xFFFF));
      return true;
    case EM_SETSEL:
      SetSel(static_cast<int>(static_cast<intptr_t>(M.WParam)), static_cast<int>(M.LParam));
      return true;
    case EM_REPLACESEL:
      if (M.LParam != 0) ReplaceSel(*reinterpret_cast<const QString*>(M.LParam), M.WParam != 0, false);
      return true;
    case EM_GETMODIFY:
      M.Result = FModified ? 1 : 0;
      return true;
    case EM_SETMODIFY:
      FModified = M.WParam != 0;
      return true;
    case EM_LIMITTEXT:
      Limit = static_cast<int>(M.WParam);
      return true;
    case EM_GETLIMITTEXT:
      M.Result = Limit > 0 ? Limit : 0x7FFFFFFE;
      return true;
    case EM_SETPASSWORDCHAR:
      PasswordChar = QChar(static_cast<char16_t>(M.WParam));
      FLayoutValid = false;
      ScrollCaret();
      Invalidate();
      return true;
    case EM_GETPASSWORDCHAR:
      M.Result = PasswordChar.unicode();
      return true;
    case EM_SETREADONLY:
      ReadOnly = M.WParam != 0;
      M.Result = 1;
      return true;
    case EM_GETLINECOUNT:
      M.Result = LineCount();
      return true;
    case EM_LINEINDEX:
      M.Result = LineIndex(static_cast<int>(static_cast<intptr_t>(M.WParam)));
      return true;
    case EM_LINELENGTH:
      M.Result = LineLength(static_cast<int>(static_cast<intptr_t>(M.WParam)));
      return true;
    case EM_LINEFROMCHAR:
      M.Result = LineFromChar(static_cast<int>(static_cast<intptr_t>(M.WParam)));
      return true;
    case EM_GETLINE: {
      Layout();
      const int line = static_cast<int>(M.WParam);
      if (line < 0 || line >= static_cast<int>(FLines.size()) || M.LParam == 0) {
        M.Result = 0;
        return true;
      }
      const TLine& l = FLines[static_cast<size_t>(line)];
      *reinterpret_cast<QString*>(M.LParam) = FText.mid(l.Start, l.Length);
      M.Result = l.Length;
      return true;
    }
    case EM_GETFIRSTVISIBLELINE:
      M.Result = FirstVisibleLine();
      return true;
    case EM_LINESCROLL:
      LineScroll(static_cast<int>(M.LParam));
      M.Result = 1;
      return true;
    case EM_SCROLLCARET:
      ScrollCaret();
      Invalidate();
      return true;
    case EM_SCROLL:
      Scroll(SB_VERT, static_cast<int>(M.WParam), 0);
      return true;
    case EM_GETRECT:
      if (M.LParam != 0) *reinterpret_cast<TRect*>(M.LParam) = FormatRect();
      return true;
    case EM_SETRECT:
    case EM_SETRECTNP:
      SetFormatRect(reinterpret_cast<const TRect*>(M.LParam));
      return true;
    case EM_POSFROMCHAR: {
      const TPoint p = PosFromChar(static_cast<int>(M.WParam));
      M.Result = MAKELPARAM(p.X, p.Y);
      return true;
    }
    case EM_CHARFROMPOS: {
      const TPoint p(GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam));
      const int i = CharFromPos(p);
      M.Result = MAKELPARAM(i, LineFromChar(i));
      return true;
    }
    default:
      return false;
  }
}

// ------------------------------------------------------------ painting

TColor TEditCore::HostTextColor() {
  if (!UseHostColors) return TextColor;
  if (!FHost->Enabled()) return clGrayText;
  return FHost->Font()->Color();
}

TColor TEditCore::HostBackColor() { return UseHostColors ? FHost->Color() : BackColor; }

void TEditCore::Paint(HDC DC) {
  Layout();
  const TRect a = FormatRect();
  const int lh = LineHeight();
  const bool showSel = SelLength() > 0 && (FHost->Focused() || NoHideSel);
  const bool showCaret = FHost->Focused() && FHost->Enabled();
  const int save = SaveDC(DC);
  IntersectClipRect(DC, a.Left, a.Top, a.Right, a.Bottom);
  SelectObject(DC, FHost->Font()->Handle());
  SetBkMode(DC, TRANSPARENT);
  const COLORREF text = static_cast<COLORREF>(ColorToRGB(HostTextColor()));
  const COLORREF selBack = static_cast<COLORREF>(ColorToRGB(clHighlight));
  const COLORREF selText = static_cast<COLORREF>(ColorToRGB(clHighlightText));
  const int up = RichMode ? [&] {
    int u = 0;
    for (int16_t o : FOffsets) u = std::max(u, TwipsToPixels(o));
    return u;
  }() : 0;
  const int first = FirstVisibleLine();
  const int count = static_cast<int>(FLines.size());
  for (int li = first; li < count; ++li) {
    const int y = a.Top + (li - first) * lh;
    if (y >= a.Bottom) break;
    const TLine& l = FLines[static_cast<size_t>(li)];
    const int x0 = LineX0(li);
    // Pieces of the line with one colour and one offset.
    int k = 0;
    while (k < l.Length) {
      const int idx = l.Start + k;
      const bool sel = showSel && idx >= SelStart() && idx < SelEnd();
      const int off = OffsetAt(idx);
      int e = k + 1;
      while (e < l.Length) {
        const int j = l.Start + e;
        const bool s2 = showSel && j >= SelStart() && j < SelEnd();
        if (s2 != sel || OffsetAt(j) != off || FText.at(j) == QLatin1Char('\t')) break;
        if (FText.at(idx) == QLatin1Char('\t')) break;
        ++e;
      }
      const int xs = x0 + Width(l.Start, k);
      const int xe = x0 + Width(l.Start, e);
      if (sel) {
        HBRUSH b = CreateSolidBrush(selBack);
        ::FillRect(DC, TRect(xs, y, xe, y + lh), b);
        DeleteObject(b);
      }
      const QString piece = Shown(idx, e - k);
      if (piece != QStringLiteral("\t")) {
        SetTextColor(DC, sel ? selText : text);
        ::TextOut(DC, xs, y + up - TwipsToPixels(off), piece, -1);
      }
      k = e;
    }
    // A selected line break shows as a small selected block.
    if (showSel && l.Next > l.Start + l.Length && l.Start + l.Length >= SelStart() &&
        l.Start + l.Length < SelEnd()) {
      const int xs = x0 + Width(l.Start, l.Length);
      HBRUSH b = CreateSolidBrush(selBack);
      ::FillRect(DC, TRect(xs, y, xs + std::max(2, FFont->Metrics->averageCharWidth() / 2), y + lh), b);
      DeleteObject(b);
    }
  }
  if (showCaret) {
    const int line = LineOf(FCaret);
    if (line >= first) {
      const int y = a.Top + (line - first) * lh;
      int x = XOfIndex(FCaret);
      if (x >= a.Right) x = a.Right - 1;
      HBRUSH b = CreateSolidBrush(text);
      ::FillRect(DC, TRect(x, y, x + 1, y + lh), b);
      DeleteObject(b);
    }
  }
  RestoreDC(DC, save);
}

int TEditCore::PaintInto(HDC DC, const TRect& Bounds, int First, bool Draw) {
  std::vector<TLine> lines;
  Font();
  const bool oldMulti = Multiline;
  Multiline = true;
  LayoutInto(lines, std::max(1, Bounds.Width()));
  Multiline = oldMulti;
  const int lh = LineHeight();
  int up = 0;
  for (int16_t o : FOffsets) up = std::max(up, TwipsToPixels(o));
  int y = Bounds.Top;
  int save = 0;
  if (Draw) {
    save = SaveDC(DC);
    SelectObject(DC, FHost->Font()->Handle());
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(FHost->Font()->Color())));
  }
  int next = static_cast<int>(FText.size());
  for (const TLine& l : lines) {
    if (l.Start + l.Length < First && l.Next <= First) continue;
    if (y + lh > Bounds.Bottom && y > Bounds.Top) {
      next = std::max(First, l.Start);
      break;
    }
    if (Draw) {
      int k = std::max(0, First - l.Start);
      while (k < l.Length) {
        const int idx = l.Start + k;
        const int off = OffsetAt(idx);
        int e = k + 1;
        while (e < l.Length && OffsetAt(l.Start + e) == off) ++e;
        ::TextOut(DC, Bounds.Left + Width(l.Start, k), y + up - TwipsToPixels(off), FText.mid(idx, e - k), -1);
        k = e;
      }
    }
    y += lh;
  }
  if (Draw) RestoreDC(DC, save);
  return next;
}
