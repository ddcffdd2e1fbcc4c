// Masked edits: mask parsing, masked typing and deleting, Text and EditText,
// validation on leaving the edit.
#include "platform/widgets/Mask.h"

#include <QTimer>

#include "platform/ui/Clipbrd.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/EditCore_p.h"

namespace {
const QString kMaskError = QStringLiteral("Invalid input value.  Use escape key to abandon changes");

bool IsMaskKind(QChar c) {
  switch (c.unicode()) {
    case '0': case '9': case '#': case 'L': case 'l': case 'A': case 'a': case 'C': case 'c':
      return true;
    default:
      return false;
  }
}

bool Required(QChar k) { return k == QLatin1Char('0') || k == QLatin1Char('L') || k == QLatin1Char('A') || k == QLatin1Char('C'); }
}  // namespace

void SplitEditMask(const QString& EditMask, QString& Mask, bool& SaveLiterals, QChar& Blank) {
  // The fields are separated by ";" (an escaped "\;" belongs to the mask).
  Mask = EditMask;
  SaveLiterals = true;
  Blank = QLatin1Char('_');
  std::vector<int> seps;
  for (int i = 0; i < EditMask.size(); ++i) {
    if (EditMask.at(i) == QLatin1Char('\\')) {
      ++i;
      continue;
    }
    if (EditMask.at(i) == QLatin1Char(';')) seps.push_back(i);
  }
  if (seps.size() >= 2) {
    const int b = seps[seps.size() - 1];
    const int s = seps[seps.size() - 2];
    Mask = EditMask.left(s);
    const QString save = EditMask.mid(s + 1, b - s - 1);
    SaveLiterals = save != QStringLiteral("0");
    const QString blank = EditMask.mid(b + 1);
    if (!blank.isEmpty()) Blank = blank.at(0);
  } else if (seps.size() == 1) {
    Mask = EditMask.left(seps[0]);
    SaveLiterals = EditMask.mid(seps[0] + 1) != QStringLiteral("0");
  }
}

QString FormatMaskText(const QString& EditMask, const QString& Value) {
  TMaskEdit probe(nullptr);
  probe.SetEditMask(EditMask);
  QString m;
  bool save = true;
  QChar blank;
  SplitEditMask(EditMask, m, save, blank);
  probe.SetText(Value);
  QString r = probe.EditText();
  r.replace(blank, QLatin1Char(' '));
  return r;
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FView->setObjectName(QStringLiteral("TCustomMaskEdit"));
}

TCustomMaskEdit::~TCustomMaskEdit() = default;

void TCustomMaskEdit::ParseMask() {
  FPositions.clear();
  QString mask;
  SplitEditMask(FEditMask, mask, FSaveLiterals, FBlank);
  int caseMode = 0;
  for (int i = 0; i < mask.size(); ++i) {
    const QChar c = mask.at(i);
    TPos p;
    if (c == QLatin1Char('>')) {
      if (i + 1 < mask.size() && mask.at(i + 1) == QLatin1Char('<')) {
        caseMode = 0;
        ++i;
      } else {
        caseMode = 1;
      }
      continue;
    }
    if (c == QLatin1Char('<')) {
      caseMode = 2;
      continue;
    }
    if (c == QLatin1Char('!')) continue;
    if (c == QLatin1Char('\\') && i + 1 < mask.size()) {
      p.Literal = mask.at(++i);
    } else if (IsMaskKind(c)) {
      p.Input = true;
      p.Kind = c;
      p.Case = caseMode;
    } else if (c == QLatin1Char(':')) {
      p.Literal = FormatSettings.TimeSeparator;
    } else if (c == QLatin1Char('/')) {
      p.Literal = FormatSettings.DateSeparator;
    } else if (c == QLatin1Char('_')) {
      p.Literal = QLatin1Char(' ');
    } else {
      p.Literal = c;
    }
    // The edit holds one line: a line break in the mask stands as a blank, or
    // the edit would cut its text there and lose the positions after it.
    if (p.Literal == QLatin1Char('\r') || p.Literal == QLatin1Char('\n')) p.Literal = QLatin1Char(' ');
    FPositions.push_back(p);
  }
  if (FBlank == QLatin1Char('\r') || FBlank == QLatin1Char('\n')) FBlank = QLatin1Char(' ');
}

void TCustomMaskEdit::SetEditMask(const QString& Value) {
  if (FEditMask == Value) return;
  const QString old = Text();
  FEditMask = Value;
  ParseMask();
  if (IsMasked()) {
    FMaxLength = static_cast<int>(FPositions.size());
    Core()->Limit = FMaxLength;
    SetEditTextQuiet(EditFromText(old, FSaveLiterals));
  } else {
    FMaxLength = 0;
    Core()->Limit = 0;
    Core()->SetText(old, HandleAllocated());
  }
}

QString TCustomMaskEdit::TextFromEdit(const QString& Edit, bool WithLiterals) const {
  QString r;
  for (size_t i = 0; i < FPositions.size(); ++i) {
    const TPos& p = FPositions[i];
    const QChar c = static_cast<int>(i) < Edit.size() ? Edit.at(static_cast<int>(i)) : FBlank;
    if (p.Input) r += c == FBlank ? QLatin1Char(' ') : c;
    else if (WithLiterals) r += p.Literal;
  }
  if (!WithLiterals) {
    // Without literals the trailing blanks of the value are not part of it.
    while (r.endsWith(QLatin1Char(' '))) r.chop(1);
  }
  return r;
}

QString TCustomMaskEdit::EditFromText(const QString& Text, bool WithLiterals) const {
  QString r;
  int k = 0;
  for (const TPos& p : FPositions) {
    if (!p.Input) {
      r += p.Literal;
      if (WithLiterals && k < Text.size()) ++k;
      continue;
    }
    QChar c = k < Text.size() ? Text.at(k) : QChar();
    ++k;
    const int pos = r.size();
    if (c.isNull() || c == QLatin1Char(' ') || !CharFits(pos, c)) c = FBlank;
    r += c;
  }
  return r;
}

QString TCustomMaskEdit::EditText() const { return Core()->Text(); }

void TCustomMaskEdit::SetEditText(const QString& Value) {
  if (!IsMasked()) {
    SetText(Value);
    return;
  }
  QString v = Value.left(static_cast<int>(FPositions.size()));
  while (v.size() < static_cast<int>(FPositions.size())) {
    const TPos& p = FPositions[static_cast<size_t>(v.size())];
    v += p.Input ? FBlank : p.Literal;
  }
  if (v != Core()->Text()) Core()->SetText(v, HandleAllocated());
}

void TCustomMaskEdit::SetEditTextQuiet(const QString& Value) {
  Core()->SetText(Value, HandleAllocated());
}

QString TCustomMaskEdit::GetText() const {
  if (!IsMasked()) return TCustomEdit::GetText();
  return TextFromEdit(Core()->Text(), FSaveLiterals);
}

void TCustomMaskEdit::CMTextChanged(TMessageView& Message) {
  if (IsMasked()) {
    const QString e = EditFromText(FText, FSaveLiterals);
    FText.clear();
    if (e != Core()->Text()) Core()->SetText(e, true);
    TWinControl::CMTextChanged(Message);
    return;
  }
  TCustomEdit::CMTextChanged(Message);
}

bool TCustomMaskEdit::CharFits(int Pos, QChar& Ch) const {
  if (Pos < 0 || Pos >= static_cast<int>(FPositions.size())) return false;
  const TPos& p = FPositions[static_cast<size_t>(Pos)];
  if (!p.Input) return false;
  if (p.Case == 1) Ch = Ch.toUpper();
  if (p.Case == 2) Ch = Ch.toLower();
  switch (p.Kind.unicode()) {
    case '0':
    case '9': return Ch.isDigit();
    case '#': return Ch.isDigit() || Ch == QLatin1Char('+') || Ch == QLatin1Char('-');
    case 'L':
    case 'l': return Ch.isLetter();
    case 'A':
    case 'a': return Ch.isLetterOrNumber();
    default: return Ch.unicode() >= 32;
  }
}

int TCustomMaskEdit::NextInput(int Pos) const {
  for (int i = std::max(0, Pos); i < static_cast<int>(FPositions.size()); ++i)
    if (FPositions[static_cast<size_t>(i)].Input) return i;
  return -1;
}

int TCustomMaskEdit::PrevInput(int Pos) const {
  for (int i = std::min(Pos, static_cast<int>(FPositions.size()) - 1); i >= 0; --i)
    if (FPositions[static_cast<size_t>(i)].Input) return i;
  return -1;
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  const QString e = Core()->Text();
  for (size_t i = 0; i < FPositions.size(); ++i) {
    const TPos& p = FPositions[i];
    if (p.Input && Required(p.Kind) && (static_cast<int>(i) >= e.size() || e.at(static_cast<int>(i)) == FBlank)) {
      Core()->SetSel(static_cast<int>(i), static_cast<int>(i));
      throw EDBEditError(kMaskError);
    }
  }
}

void TCustomMaskEdit::Reset() {
  if (!Modified()) return;
  Core()->SetText(FResetText, HandleAllocated());
  SetModified(false);
}

void TCustomMaskEdit::CMEnter(TMessageView& Message) {
  if (IsMasked()) FResetText = Core()->Text();
  TCustomEdit::CMEnter(Message);
}

void TCustomMaskEdit::CMExit(TMessageView& Message) {
  if (IsMasked() && !ComponentState().contains(csDesigning)) {
    try {
      ValidateEdit();
    } catch (...) {
      // The focus comes back to the edit once the error has been shown.
      TControlGuard self(this);
      QTimer::singleShot(0, [this, self] {
        if (self.Alive() && CanFocus()) RunGuarded(this, [this] { SetFocus(); });
      });
      throw;
    }
  }
  TCustomEdit::CMExit(Message);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE && IsMasked() && Modified()) {
    Reset();
    Key = 0;
  }
}

void TCustomMaskEdit::DefaultHandler(TMessage& Message) {
  if (!IsMasked() || ReadOnly()) {
    TCustomEdit::DefaultHandler(Message);
    return;
  }
  TEditCore* core = Core();
  auto blankRange = [&](int From, int To) {
    QString t = core->Text();
    for (int i = From; i < To && i < t.size(); ++i)
      if (FPositions[static_cast<size_t>(i)].Input) t[i] = FBlank;
    const QString piece = t.mid(From, To - From);
    core->SetSel(From, To);
    core->ReplaceSel(piece, true, true);
  };
  auto typeChar = [&](QChar c) {
    int pos = core->SelStart();
    if (core->SelLength() > 1) blankRange(core->SelStart(), core->SelEnd());
    pos = NextInput(pos);
    if (pos < 0 || !CharFits(pos, c)) {
      MessageBeep(0);
      return false;
    }
    core->SetSel(pos, pos + 1);
    core->ReplaceSel(QString(c), true, true);
    const int next = NextInput(pos + 1);
    const int at = next >= 0 ? next : pos + 1;
    core->SetSel(at, at);
    return true;
  };
  switch (Message.Msg) {
    case WM_CHAR: {
      const QChar c(static_cast<char16_t>(Message.WParam));
      if (c.unicode() == 8) {
        if (core->SelLength() > 0) {
          const int s = core->SelStart();
          blankRange(s, core->SelEnd());
          core->SetSel(s, s);
        } else {
          const int p = PrevInput(core->Caret() - 1);
          if (p >= 0) {
            blankRange(p, p + 1);
            core->SetSel(p, p);
          }
        }
        return;
      }
      if (c.unicode() < 32) break;
      typeChar(c);
      return;
    }
    case WM_KEYDOWN:
      if (Message.WParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0) {
        const int s = core->SelStart();
        const int e = core->SelLength() > 0 ? core->SelEnd() : s + 1;
        blankRange(s, std::min(e, static_cast<int>(FPositions.size())));
        core->SetSel(s, s);
        return;
      }
      break;
    case WM_PASTE: {
      const QString t = Clipboard()->AsText();
      for (QChar c : t)
        if (!typeChar(c)) break;
      return;
    }
    case WM_CUT:
    case WM_CLEAR:
      if (Message.Msg == WM_CUT && core->SelLength() > 0) Clipboard()->SetAsText(core->SelText());
      if (core->SelLength() > 0) {
        const int s = core->SelStart();
        blankRange(s, core->SelEnd());
        core->SetSel(s, s);
      }
      return;
    default:
      break;
  }
  TCustomEdit::DefaultHandler(Message);
}
