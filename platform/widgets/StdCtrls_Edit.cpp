// Edits and memos: TCustomEdit (one-line text field) and TCustomMemo
// (multi-line) on the platform's edit control (EditCore_p.h).
#include <QStringList>

#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/EditCore_p.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

namespace {

DWORD AlignStyle(TAlignment a) {
  switch (a) {
    case taRightJustify: return ES_RIGHT;
    case taCenter: return ES_CENTER;
    default: return ES_LEFT;
  }
}

void SetStyleBit(TWinControl* c, DWORD bit, bool on) {
  if (!c->HandleAllocated()) return;
  const DWORD s = c->WindowStyle();
  const DWORD n = on ? (s | bit) : (s & ~bit);
  if (n != s) c->SetWindowStyle(n, c->WindowExStyle());
}

}  // namespace

// ------------------------------------------------------------ TCustomEdit

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FView->setObjectName(QStringLiteral("TCustomEdit"));
  FCore = std::make_unique<TEditCore>(this);
  FCore->Notify = [this](WORD Code) {
    if (Code == 0xFFFF || Code == EN_SETFOCUS || Code == EN_KILLFOCUS) return;
    if (!HandleAllocated() || FCreating || FParent == nullptr) return;
    FParent->Perform(WM_COMMAND, MAKEWPARAM(0, Code), reinterpret_cast<LPARAM>(View()));
  };
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 25);
  AdjustHeight();
}

TCustomEdit::~TCustomEdit() { FCore->Notify = nullptr; }

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | AlignStyle(FAlignment);
  if (FCharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
  if (FNumbersOnly) Params.Style |= ES_NUMBER;
  if (!FPasswordChar.isNull()) Params.Style |= ES_PASSWORD;
  if (FBorderStyle == bsSingle) {
    Params.Style &= ~WS_BORDER;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& Params) {
  TWinControl::CreateWindowHandle(Params);
  ApplyEditStyle();
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCore->Limit = FMaxLength;
  if (!FPasswordChar.isNull()) FCore->PasswordChar = FPasswordChar;
  FCreating = false;
  AdjustHeight();
}

void TCustomEdit::ApplyEditStyle() {
  const DWORD s = FStyle;
  TEditCore* c = FCore.get();
  c->Multiline = (s & ES_MULTILINE) != 0;
  c->AutoHScroll = (s & ES_AUTOHSCROLL) != 0;
  c->WantReturn = c->Multiline;
  c->ReadOnly = (s & ES_READONLY) != 0;
  c->NoHideSel = (s & ES_NOHIDESEL) != 0;
  c->NumbersOnly = (s & ES_NUMBER) != 0;
  c->CharCase = (s & ES_UPPERCASE) ? 1 : ((s & ES_LOWERCASE) ? 2 : 0);
  c->Align = (s & ES_RIGHT) ? 1 : ((s & ES_CENTER) ? 2 : 0);
  if ((s & ES_PASSWORD) && c->PasswordChar.isNull() && !c->Multiline) c->PasswordChar = QLatin1Char('*');
  if (!(s & ES_PASSWORD) && FPasswordChar.isNull()) c->PasswordChar = QChar();
  c->AreaChanged();
}

QString TCustomEdit::GetText() const { return FCore->Text(); }

void TCustomEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) FCore->Paint(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_SETCURSOR:
      if (static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT) {
        ::SetCursor(CursorOf(crIBeam));
        Message.Result = 1;
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FCore->HandleMessage(Message);
      SetMouseCapture(true);
      return;
    case WM_LBUTTONUP:
      FCore->HandleMessage(Message);
      if (MouseCapture() && !FControlStyle.contains(csCaptureMouse)) SetMouseCapture(false);
      return;
    default:
      if (FCore->HandleMessage(Message)) return;
      break;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomEdit::WMGetDlgCode(TMessageView& Message) {
  Message.Result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  if (FCore->Multiline) Message.Result |= DLGC_WANTALLKEYS;
}

void TCustomEdit::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::Change() {
  TControl::Changed();
  if (OnChange) OnChange(this);
}

void TCustomEdit::CMEnter(TMessageView& Message) {
  if (FAutoSelect && !FControlState.contains(csLButtonDown) && !FCore->Multiline) SelectAll();
  TWinControl::CMEnter(Message);
}

void TCustomEdit::CMTextChanged(TMessageView& Message) {
  if (FCore->Text() != FText) FCore->SetText(FText, true);
  FText.clear();
  TWinControl::CMTextChanged(Message);
}

void TCustomEdit::CMFontChanged(TMessageView& Message) {
  TWinControl::CMFontChanged(Message);
  FCore->FontChanged();
  AdjustHeight();
}

void TCustomEdit::WMSize(TWMSize& Message) {
  TWinControl::WMSize(Message);
  FCore->AreaChanged();
}

void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || FCore->Multiline) return;
  const auto info = ResolveFont(Font()->ToLogFont());
  const int h = info->Tm.tmHeight + 8;
  if (h != Height()) SetHeight(h);
}

void TCustomEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  FCore->Align = Value == taRightJustify ? 1 : (Value == taCenter ? 2 : 0);
  if (HandleAllocated())
    SetWindowStyle((FStyle & ~(ES_RIGHT | ES_CENTER)) | AlignStyle(Value), FExStyle);
  FCore->AreaChanged();
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) FControlStyle.Include(csFixedHeight);
  else FControlStyle.Exclude(csFixedHeight);
  AdjustHeight();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  StdCtrlsPrivate::SetClientEdge(this, Value == bsSingle);
  FCore->AreaChanged();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  FCore->CharCase = Value == ecUpperCase ? 1 : (Value == ecLowerCase ? 2 : 0);
  SetStyleBit(this, ES_UPPERCASE, Value == ecUpperCase);
  SetStyleBit(this, ES_LOWERCASE, Value == ecLowerCase);
  // The text present is converted, as the window system does.
  if (Value != ecNormal) {
    const QString t = Value == ecUpperCase ? FCore->Text().toUpper() : FCore->Text().toLower();
    if (t != FCore->Text()) SetText(t);
  }
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  FCore->NoHideSel = !Value;
  SetStyleBit(this, ES_NOHIDESEL, !Value);
  Invalidate();
}

void TCustomEdit::SetMaxLength(int Value) {
  if (Value < 0) Value = 0;
  FMaxLength = Value;
  Perform(EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

bool TCustomEdit::Modified() const { return FCore->Modified(); }
void TCustomEdit::SetModified(bool Value) { FCore->SetModified(Value); }

void TCustomEdit::SetNumbersOnly(bool Value) {
  if (FNumbersOnly == Value) return;
  FNumbersOnly = Value;
  FCore->NumbersOnly = Value;
  SetStyleBit(this, ES_NUMBER, Value);
}

void TCustomEdit::SetPasswordChar(QChar Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  Perform(EM_SETPASSWORDCHAR, Value.unicode(), 0);
}

void TCustomEdit::SetReadOnly(bool Value) {
  if (FReadOnly == Value) return;
  FReadOnly = Value;
  Perform(EM_SETREADONLY, Value ? 1 : 0, 0);
  if (HandleAllocated()) {
    if (Value) FStyle |= ES_READONLY;
    else FStyle &= ~ES_READONLY;
  }
}

int TCustomEdit::SelStart() const { return FCore->SelStart(); }
void TCustomEdit::SetSelStart(int Value) { Perform(EM_SETSEL, static_cast<WPARAM>(Value), Value); }
int TCustomEdit::SelLength() const { return FCore->SelLength(); }

void TCustomEdit::SetSelLength(int Value) {
  const int s = FCore->SelStart();
  Perform(EM_SETSEL, static_cast<WPARAM>(s), s + Value);
}

QString TCustomEdit::SelText() const { return FCore->SelText(); }

void TCustomEdit::SetSelText(const QString& Value) {
  Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&Value));
}

bool TCustomEdit::CanUndo() const { return FCore->CanUndo(); }
void TCustomEdit::Clear() { SetText(QString()); }
void TCustomEdit::ClearSelection() { Perform(WM_CLEAR); }
void TCustomEdit::ClearUndo() { Perform(EM_EMPTYUNDOBUFFER); }
void TCustomEdit::CopyToClipboard() { Perform(WM_COPY); }
void TCustomEdit::CutToClipboard() { Perform(WM_CUT); }
void TCustomEdit::PasteFromClipboard() { Perform(WM_PASTE); }
void TCustomEdit::Undo() { Perform(WM_UNDO); }
void TCustomEdit::SelectAll() { Perform(EM_SETSEL, 0, -1); }

// ------------------------------------------------------------ TCustomMemo

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
  FView->setObjectName(QStringLiteral("TCustomMemo"));
  FLines = std::make_unique<TMemoStrings>(this);
  FAutoSize = false;
  FControlStyle.Exclude(csFixedHeight);
  FCore->Multiline = true;
  FCore->AutoHScroll = false;
  FCore->WantReturn = true;
  FCore->DrivesScrollBars = true;
  SetBounds(Left(), Top(), 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
}

void TCustomMemo::WMGetDlgCode(TMessageView& Message) {
  TCustomEdit::WMGetDlgCode(Message);
  if (FWantTabs) Message.Result |= DLGC_WANTTAB;
  else Message.Result &= ~DLGC_WANTTAB;
  if (!FWantReturns) Message.Result &= ~DLGC_WANTALLKEYS;
}

void TCustomMemo::KeyPress(QChar& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == QChar(13) && !FWantReturns) Key = QChar(0);
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  if (HandleAllocated()) {
    DWORD s = FStyle & ~(WS_VSCROLL | WS_HSCROLL);
    if (Value == ssVertical || Value == ssBoth) s |= WS_VSCROLL;
    if (Value == ssHorizontal || Value == ssBoth) s |= WS_HSCROLL;
    SetWindowStyle(s, FExStyle);
  }
  FCore->AreaChanged();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  FCore->AutoHScroll = !Value;
  if (HandleAllocated()) {
    if (Value) FStyle &= ~ES_AUTOHSCROLL;
    else FStyle |= ES_AUTOHSCROLL;
  }
  FCore->AreaChanged();
}

TPoint TCustomMemo::CaretPos() const {
  const QString& t = FCore->Text();
  const int caret = FCore->Caret();
  int line = 0, start = 0;
  for (int i = 0; i < caret && i < t.size(); ++i) {
    if (t.at(i) == QLatin1Char('\n') || (t.at(i) == QLatin1Char('\r') && (i + 1 >= t.size() || t.at(i + 1) != QLatin1Char('\n')))) {
      ++line;
      start = i + 1;
    }
  }
  return TPoint(caret - start, line);
}

void TCustomMemo::SetCaretPos(const TPoint& Value) {
  const QString& t = FCore->Text();
  int line = 0, i = 0;
  while (line < Value.Y && i < t.size()) {
    if (t.at(i) == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n')) {
      i += 2;
      ++line;
    } else if (t.at(i) == QLatin1Char('\n') || t.at(i) == QLatin1Char('\r')) {
      ++i;
      ++line;
    } else {
      ++i;
    }
  }
  int end = i;
  while (end < t.size() && t.at(end) != QLatin1Char('\r') && t.at(end) != QLatin1Char('\n')) ++end;
  const int pos = std::min(i + std::max(0, Value.X), end);
  Perform(EM_SETSEL, static_cast<WPARAM>(pos), pos);
}

// ------------------------------------------------------------ TMemoStrings

QStringList TMemoStrings::Split() const {
  // Hard lines, the last one included even when empty.
  const QString& t = FMemo->Core()->Text();
  QStringList r;
  int start = 0;
  for (int i = 0; i < t.size(); ++i) {
    const QChar c = t.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      r << t.mid(start, i - start);
      if (c == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n')) ++i;
      start = i + 1;
    }
  }
  r << t.mid(start);
  return r;
}

int TMemoStrings::GetCount() const {
  const QStringList l = Split();
  // An empty last line (after a final line break, or of an empty text) is no line.
  int n = l.size();
  if (n > 0 && l.back().isEmpty()) --n;
  return n;
}

QString TMemoStrings::Get(int Index) const {
  const QStringList l = Split();
  if (Index < 0 || Index >= GetCount()) Error(QStringLiteral("List index out of bounds (%d)"), Index);
  return l.at(Index);
}

void TMemoStrings::Join(const QStringList& Lines, bool TrailingBreak) {
  QString t = Lines.join(QStringLiteral("\r\n"));
  if (TrailingBreak) t += QStringLiteral("\r\n");
  FMemo->SetText(t);
}

void TMemoStrings::Put(int Index, const QString& S) {
  if (Index < 0 || Index >= GetCount()) Error(QStringLiteral("List index out of bounds (%d)"), Index);
  const QString& t = FMemo->Core()->Text();
  // Replace the line's characters where they stand.
  int line = 0, start = 0;
  for (int i = 0; i <= t.size() && line <= Index; ++i) {
    const bool brk = i == t.size() || t.at(i) == QLatin1Char('\r') || t.at(i) == QLatin1Char('\n');
    if (!brk) continue;
    if (line == Index) {
      FMemo->Perform(EM_SETSEL, static_cast<WPARAM>(start), i);
      FMemo->Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&S));
      return;
    }
    if (i < t.size() && t.at(i) == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n')) ++i;
    start = i + 1;
    ++line;
  }
}

void TMemoStrings::Insert(int Index, const QString& S) {
  if (Index < 0) return;
  const QString& t = FMemo->Core()->Text();
  // Start of hard line Index, -1 past the last line.
  int line = 0, start = 0, lineStart = -1;
  for (int i = 0; i <= t.size(); ++i) {
    if (line == Index) {
      lineStart = start;
      break;
    }
    if (i == t.size()) break;
    const QChar c = t.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      if (c == QLatin1Char('\r') && i + 1 < t.size() && t.at(i + 1) == QLatin1Char('\n')) ++i;
      start = i + 1;
      ++line;
    }
  }
  QString ins;
  int at;
  if (lineStart >= 0) {
    at = lineStart;
    ins = S + QStringLiteral("\r\n");
  } else {
    if (Index != GetCount()) Error(QStringLiteral("List index out of bounds (%d)"), Index);
    at = t.size();
    ins = QStringLiteral("\r\n") + S;
  }
  FMemo->Perform(EM_SETSEL, static_cast<WPARAM>(at), at);
  FMemo->Perform(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(&ins));
}

void TMemoStrings::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) Error(QStringLiteral("List index out of bounds (%d)"), Index);
  QStringList l = Split();
  const bool trailing = !l.isEmpty() && l.back().isEmpty() && l.size() > 1;
  if (trailing) l.removeLast();
  l.removeAt(Index);
  if (l.isEmpty()) {
    FMemo->SetText(QString());
    return;
  }
  Join(l, trailing);
}

void TMemoStrings::Clear() { FMemo->SetText(QString()); }

QString TMemoStrings::GetTextStr() const { return FMemo->Text(); }

void TMemoStrings::SetTextStr(const QString& Value) {
  // Every line break becomes CR LF, as the framework adjusts them.
  QString t;
  t.reserve(Value.size());
  for (int i = 0; i < Value.size(); ++i) {
    const QChar c = Value.at(i);
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      t += QStringLiteral("\r\n");
      if (c == QLatin1Char('\r') && i + 1 < Value.size() && Value.at(i + 1) == QLatin1Char('\n')) ++i;
    } else {
      t += c;
    }
  }
  FMemo->SetText(t);
}

void TMemoStrings::SetUpdateState(bool Updating) {
  FMemo->Perform(WM_SETREDRAW, Updating ? 0 : 1, 0);
  if (!Updating) FMemo->Invalidate();
}
