// TCustomRichEdit: a memo whose characters carry vertical offsets (sub- and
// superscript), RTF reading and writing, and the rich edit messages.
#include <algorithm>

#include "platform/widgets/ComCtrls.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/EditCore_p.h"
#include "platform/rtl/Encodings.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

// ------------------------------------------------------------ RTF

void ParseRtf(const QString& Rtf, QString& Text, std::vector<int16_t>& Offsets) {
  Text.clear();
  Offsets.clear();
  if (!Rtf.startsWith(QLatin1String("{\\rtf"))) {
    Text = Rtf;
    Offsets.assign(static_cast<size_t>(Text.size()), 0);
    return;
  }
  struct TState {
    bool Skip = false;
    int Offset = 0;
    int Uc = 1;
  };
  std::vector<TState> stack{TState()};
  int pendingSkip = 0;  // characters to drop after \uN
  static const QStringList skipGroups = {
      QStringLiteral("fonttbl"), QStringLiteral("colortbl"), QStringLiteral("stylesheet"), QStringLiteral("info"),
      QStringLiteral("pict"), QStringLiteral("header"), QStringLiteral("footer"), QStringLiteral("listtable"),
      QStringLiteral("listoverridetable"), QStringLiteral("rsidtbl"), QStringLiteral("generator"),
      QStringLiteral("themedata"), QStringLiteral("colorschememapping"), QStringLiteral("latentstyles"),
      QStringLiteral("datastore"), QStringLiteral("xmlnstbl"), QStringLiteral("filetbl"), QStringLiteral("object")};
  bool groupStart = false;
  auto put = [&](QChar c) {
    if (stack.back().Skip) return;
    if (pendingSkip > 0) {
      --pendingSkip;
      return;
    }
    Text += c;
    Offsets.push_back(static_cast<int16_t>(stack.back().Offset));
  };
  const int n = Rtf.size();
  for (int i = 0; i < n; ++i) {
    const QChar c = Rtf.at(i);
    if (c == QLatin1Char('{')) {
      stack.push_back(stack.back());
      groupStart = true;
      continue;
    }
    if (c == QLatin1Char('}')) {
      if (stack.size() > 1) stack.pop_back();
      groupStart = false;
      continue;
    }
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) continue;
    if (c != QLatin1Char('\\')) {
      groupStart = false;
      put(c);
      continue;
    }
    // A control word or symbol.
    if (i + 1 >= n) break;
    const QChar d = Rtf.at(i + 1);
    if (!d.isLetter()) {
      ++i;
      if (d == QLatin1Char('\'') && i + 2 < n) {
        bool ok = false;
        const int code = Rtf.mid(i + 1, 2).toInt(&ok, 16);
        i += 2;
        if (ok) {
          const QString ch = TEncoding::ANSI()->GetString(QByteArray(1, static_cast<char>(code)));
          if (!ch.isEmpty()) put(ch.at(0));
        }
      } else if (d == QLatin1Char('*')) {
        stack.back().Skip = true;
      } else if (d == QLatin1Char('~')) {
        put(QChar(0xA0));
      } else if (d == QLatin1Char('_')) {
        put(QLatin1Char('-'));
      } else if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}')) {
        put(d);
      } else if (d == QLatin1Char('\r') || d == QLatin1Char('\n')) {
        put(QLatin1Char('\r'));
        put(QLatin1Char('\n'));
      }
      groupStart = false;
      continue;
    }
    int j = i + 1;
    while (j < n && Rtf.at(j).isLetter()) ++j;
    const QString word = Rtf.mid(i + 1, j - i - 1);
    int k = j;
    if (k < n && (Rtf.at(k) == QLatin1Char('-') || Rtf.at(k).isDigit())) {
      ++k;
      while (k < n && Rtf.at(k).isDigit()) ++k;
    }
    const bool hasParam = k > j;
    const int param = hasParam ? Rtf.mid(j, k - j).toInt() : 0;
    if (k < n && Rtf.at(k) == QLatin1Char(' ')) ++k;
    i = k - 1;
    const bool atStart = groupStart;
    groupStart = false;
    if (atStart && skipGroups.contains(word)) {
      stack.back().Skip = true;
      continue;
    }
    if (word == QLatin1String("par") || word == QLatin1String("line")) {
      put(QLatin1Char('\r'));
      put(QLatin1Char('\n'));
    } else if (word == QLatin1String("tab")) {
      put(QLatin1Char('\t'));
    } else if (word == QLatin1String("u")) {
      put(QChar(static_cast<char16_t>(static_cast<int16_t>(param))));
      pendingSkip = stack.back().Uc;
      continue;
    } else if (word == QLatin1String("uc")) {
      stack.back().Uc = param;
    } else if (word == QLatin1String("sub")) {
      stack.back().Offset = -40;
    } else if (word == QLatin1String("super")) {
      stack.back().Offset = 40;
    } else if (word == QLatin1String("nosupersub") || word == QLatin1String("plain")) {
      stack.back().Offset = 0;
    } else if (word == QLatin1String("up") || word == QLatin1String("dn")) {
      // Half points to twips, kept within what an offset can hold.
      const int halfPoints = std::clamp(hasParam ? param : 6, -3276, 3276);
      stack.back().Offset = (word == QLatin1String("up") ? 10 : -10) * halfPoints;
    } else if (word == QLatin1String("emdash")) {
      put(QChar(0x2014));
    } else if (word == QLatin1String("endash")) {
      put(QChar(0x2013));
    } else if (word == QLatin1String("bullet")) {
      put(QChar(0x2022));
    } else if (word == QLatin1String("lquote")) {
      put(QChar(0x2018));
    } else if (word == QLatin1String("rquote")) {
      put(QChar(0x2019));
    } else if (word == QLatin1String("ldblquote")) {
      put(QChar(0x201C));
    } else if (word == QLatin1String("rdblquote")) {
      put(QChar(0x201D));
    }
    pendingSkip = 0;
  }
  // The paragraph mark that ends the document is not part of the text.
  if (Text.endsWith(QLatin1String("\r\n"))) {
    Text.chop(2);
    Offsets.resize(static_cast<size_t>(Text.size()));
  }
}

QString MakeRtf(const QString& Text, const std::vector<int16_t>& Offsets, const QString& FontName, int FontSize) {
  QString r = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil %1;}}\r\n"
                             "\\viewkind4\\uc1\\pard\\f0\\fs%2 ")
                  .arg(FontName)
                  .arg(FontSize * 2);
  int offset = 0;
  for (int i = 0; i < Text.size(); ++i) {
    const int o = i < static_cast<int>(Offsets.size()) ? Offsets[static_cast<size_t>(i)] : 0;
    if (o != offset) {
      if (o > 0) r += QStringLiteral("\\up%1 ").arg(o / 10);
      else if (o < 0) r += QStringLiteral("\\dn%1 ").arg(-o / 10);
      else r += QStringLiteral("\\up0 ");
      offset = o;
    }
    const QChar c = Text.at(i);
    if (c == QLatin1Char('\r') && i + 1 < Text.size() && Text.at(i + 1) == QLatin1Char('\n')) {
      r += QStringLiteral("\\par\r\n");
      ++i;
    } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
      r += QStringLiteral("\\par\r\n");
    } else if (c == QLatin1Char('\t')) {
      r += QStringLiteral("\\tab ");
    } else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}')) {
      r += QLatin1Char('\\');
      r += c;
    } else if (c.unicode() < 128) {
      r += c;
    } else {
      const QByteArray b = TEncoding::ANSI()->GetBytes(QString(c));
      if (b.size() == 1 && b.at(0) != '?') {
        r += QStringLiteral("\\'%1").arg(static_cast<unsigned char>(b.at(0)), 2, 16, QLatin1Char('0'));
      } else {
        r += QStringLiteral("\\u%1?").arg(static_cast<int16_t>(c.unicode()));
      }
    }
  }
  if (offset != 0) r += QStringLiteral("\\up0 ");
  r += QStringLiteral("\\par\r\n}\r\n");
  return r;
}

// ------------------------------------------------------------ TTextAttributes

TTextAttributes::TTextAttributes(TCustomRichEdit* RichEdit, bool Selection)
    : FRichEdit(RichEdit), FSelection(Selection) {}

QString TTextAttributes::Name() const { return FRichEdit->Font()->Name(); }
void TTextAttributes::SetName(const QString& Value) { FRichEdit->Font()->SetName(Value); }
int TTextAttributes::Size() const { return FRichEdit->Font()->Size(); }
void TTextAttributes::SetSize(int Value) { FRichEdit->Font()->SetSize(Value); }
int TTextAttributes::Height() const { return FRichEdit->Font()->Height(); }
void TTextAttributes::SetHeight(int Value) { FRichEdit->Font()->SetHeight(Value); }
TFontStyles TTextAttributes::Style() const { return FRichEdit->Font()->Style(); }
void TTextAttributes::SetStyle(TFontStyles Value) { FRichEdit->Font()->SetStyle(Value); }
TColor TTextAttributes::Color() const { return FRichEdit->Font()->Color(); }
void TTextAttributes::SetColor(TColor Value) { FRichEdit->Font()->SetColor(Value); }

int TTextAttributes::Offset() const {
  if (!FSelection) return 0;
  const int o = FRichEdit->FCore->SelectionOffset();
  return o == -32768 ? 0 : o;
}

void TTextAttributes::SetOffset(int Value) {
  TEditCore* core = FRichEdit->FCore.get();
  if (FSelection) {
    core->SetSelectionOffset(Value);
  } else {
    core->SetOffsets(std::vector<int16_t>(static_cast<size_t>(core->Text().size()), static_cast<int16_t>(Value)));
  }
}

void TTextAttributes::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TTextAttributes*>(Source)) {
    SetName(s->Name());
    SetSize(s->Size());
    SetStyle(s->Style());
    SetColor(s->Color());
    SetOffset(s->Offset());
    return;
  }
  if (auto* f = dynamic_cast<TFont*>(Source)) {
    FRichEdit->Font()->Assign(f);
    return;
  }
  TPersistent::Assign(Source);
}

// ------------------------------------------------------------ TRichEditStrings

TRichEditStrings::TRichEditStrings(TCustomRichEdit* RichEdit) : TMemoStrings(RichEdit), FRichEdit(RichEdit) {}

void TRichEditStrings::LoadFromStream(TStream* Stream, TEncoding* Encoding) {
  const Int64 start = Stream->Position();
  const QByteArray bytes = Stream->ReadRest();
  if (!FRichEdit->PlainText() && bytes.startsWith("{\\rtf")) {
    FRichEdit->SetRichText(QString::fromLatin1(bytes));
    return;
  }
  Stream->SetPosition(start);
  TMemoStrings::LoadFromStream(Stream, Encoding);
}

void TRichEditStrings::SaveToStream(TStream* Stream, TEncoding* Encoding) {
  if (FRichEdit->PlainText()) {
    TMemoStrings::SaveToStream(Stream, Encoding);
    return;
  }
  const QByteArray b = FRichEdit->RichText().toLatin1();
  Stream->WriteBuffer(b.constData(), b.size());
}

// ------------------------------------------------------------ TCustomRichEdit

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {
  FView->setObjectName(QStringLiteral("TCustomRichEdit"));
  FLines = std::make_unique<TRichEditStrings>(this);
  FSelAttributes = std::make_unique<TTextAttributes>(this, true);
  FDefAttributes = std::make_unique<TTextAttributes>(this, false);
  FCore->RichMode = true;
  FCore->SetOffsets({});
  FCore->Notify = [this](WORD Code) {
    if (!HandleAllocated() || FCreating) return;
    if (Code == 0xFFFF) {
      if (FEventMask & ENM_SELCHANGE) SendNotify(EN_SELCHANGE);
      return;
    }
    if (Code == EN_SETFOCUS || Code == EN_KILLFOCUS) return;
    if (Code == EN_CHANGE) {
      if (FEventMask & ENM_CHANGE) NotifyParent(this, EN_CHANGE);
      if (FEventMask & ENM_REQUESTRESIZE) SendNotify(EN_REQUESTRESIZE);
      return;
    }
    NotifyParent(this, Code);
  };
}

TCustomRichEdit::~TCustomRichEdit() { FCore->Notify = nullptr; }

void TCustomRichEdit::CreateWnd() {
  TCustomMemo::CreateWnd();
  FEventMask = ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE;
}

QString TCustomRichEdit::RichText() const {
  return MakeRtf(FCore->Text(), FCore->Offsets(), Font()->Name(), Font()->Size());
}

void TCustomRichEdit::SetRichText(const QString& Rtf) {
  QString text;
  std::vector<int16_t> offsets;
  ParseRtf(Rtf, text, offsets);
  FCore->SetText(text, HandleAllocated());
  FCore->SetOffsets(offsets);
}

QString TCustomRichEdit::GetTextRange(int Start, int Length) const { return FCore->Text().mid(Start, Length); }

void TCustomRichEdit::SendNotify(UINT Code) {
  if (Code == EN_SELCHANGE) {
    SELCHANGE s;
    s.nmhdr.hwndFrom = View();
    s.nmhdr.code = Code;
    s.chrg.cpMin = FCore->SelStart();
    s.chrg.cpMax = FCore->SelEnd();
    if (FParent != nullptr) NotifyParentHeader(this, &s);
    else Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&s));
    return;
  }
  if (Code == EN_REQUESTRESIZE) {
    REQRESIZE r;
    r.nmhdr.hwndFrom = View();
    r.nmhdr.code = Code;
    const bool wrap = !FCore->AutoHScroll;
    const TSize s = FCore->TextExtent(wrap ? std::max(1, ClientWidth()) : 0);
    const TRect ins = NonClientInsets();
    r.rc = TRect(0, 0, (wrap ? ClientWidth() : s.cx) + ins.Left + ins.Right, s.cy + ins.Top + ins.Bottom);
    if (FParent != nullptr) NotifyParentHeader(this, &r);
    else Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&r));
  }
}

void TCustomRichEdit::CNNotify(TMessageView& Message) {
  auto* h = reinterpret_cast<NMHDR*>(Message.LParam);
  if (h == nullptr) return;
  if (h->code == EN_SELCHANGE) SelectionChange();
  else if (h->code == EN_REQUESTRESIZE) RequestSize(reinterpret_cast<REQRESIZE*>(h)->rc);
}

void TCustomRichEdit::SelectionChange() {
  if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::RequestSize(const TRect& Rect) {
  if (OnResizeRequest) OnResizeRequest(this, Rect);
}

void TCustomRichEdit::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case EM_EXGETSEL:
      if (Message.LParam != 0) {
        auto* r = reinterpret_cast<CHARRANGE*>(Message.LParam);
        r->cpMin = FCore->SelStart();
        r->cpMax = FCore->SelEnd();
      }
      return;
    case EM_EXSETSEL:
      if (Message.LParam != 0) {
        const auto* r = reinterpret_cast<const CHARRANGE*>(Message.LParam);
        FCore->SetSel(r->cpMin, r->cpMax);
        Message.Result = FCore->SelEnd();
      }
      return;
    case EM_GETCHARFORMAT:
      if (Message.LParam != 0) {
        auto* cf = reinterpret_cast<CHARFORMAT2*>(Message.LParam);
        cf->dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_COLOR | CFM_FACE;
        cf->dwEffects = 0;
        const TFontStyles st = Font()->Style();
        if (st.contains(fsBold)) cf->dwEffects |= CFE_BOLD;
        if (st.contains(fsItalic)) cf->dwEffects |= CFE_ITALIC;
        if (st.contains(fsUnderline)) cf->dwEffects |= CFE_UNDERLINE;
        if (st.contains(fsStrikeOut)) cf->dwEffects |= CFE_STRIKEOUT;
        cf->yHeight = Font()->Size() * 20;
        cf->crTextColor = static_cast<COLORREF>(ColorToRGB(Font()->Color()));
        cf->szFaceName = Font()->Name();
        if (Message.WParam & SCF_SELECTION) {
          const int o = FCore->SelectionOffset();
          if (o != -32768) {
            cf->dwMask |= CFM_OFFSET;
            cf->yOffset = o;
          }
        } else {
          cf->dwMask |= CFM_OFFSET;
          cf->yOffset = 0;
        }
        Message.Result = static_cast<LRESULT>(cf->dwMask);
      }
      return;
    case EM_SETCHARFORMAT:
      if (Message.LParam != 0) {
        const auto* cf = reinterpret_cast<const CHARFORMAT2*>(Message.LParam);
        if (cf->dwMask & CFM_OFFSET) {
          if (Message.WParam & SCF_SELECTION) FCore->SetSelectionOffset(cf->yOffset);
          else if (Message.WParam & SCF_ALL)
            FCore->SetOffsets(std::vector<int16_t>(static_cast<size_t>(FCore->Text().size()),
                                                   static_cast<int16_t>(cf->yOffset)));
        }
        TFontStyles st = Font()->Style();
        auto flag = [&](DWORD mask, DWORD effect, TFontStyle s) {
          if (!(cf->dwMask & mask)) return;
          if (cf->dwEffects & effect) st.Include(s);
          else st.Exclude(s);
        };
        flag(CFM_BOLD, CFE_BOLD, fsBold);
        flag(CFM_ITALIC, CFE_ITALIC, fsItalic);
        flag(CFM_UNDERLINE, CFE_UNDERLINE, fsUnderline);
        flag(CFM_STRIKEOUT, CFE_STRIKEOUT, fsStrikeOut);
        if (st != Font()->Style()) Font()->SetStyle(st);
        if ((cf->dwMask & CFM_SIZE) && cf->yHeight > 0) Font()->SetSize(cf->yHeight / 20);
        if ((cf->dwMask & CFM_COLOR) && !(cf->dwEffects & CFE_AUTOCOLOR)) Font()->SetColor(static_cast<TColor>(cf->crTextColor));
        if ((cf->dwMask & CFM_FACE) && !cf->szFaceName.isEmpty()) Font()->SetName(cf->szFaceName);
        Message.Result = 1;
      }
      return;
    case EM_SETEVENTMASK:
      Message.Result = static_cast<LRESULT>(FEventMask);
      FEventMask = static_cast<DWORD>(Message.LParam);
      return;
    case EM_GETEVENTMASK:
      Message.Result = static_cast<LRESULT>(FEventMask);
      return;
    case EM_REQUESTRESIZE:
      SendNotify(EN_REQUESTRESIZE);
      return;
    case EM_SETBKGNDCOLOR:
      Message.Result = static_cast<LRESULT>(ColorToRGB(Color()));
      SetColor(Message.WParam != 0 ? clWindow : static_cast<TColor>(Message.LParam));
      return;
    case EM_GETTEXTRANGE:
      if (Message.LParam != 0) {
        auto* tr = reinterpret_cast<TEXTRANGE*>(Message.LParam);
        const int end = tr->chrg.cpMax < 0 ? FCore->Text().size() : tr->chrg.cpMax;
        const QString s = GetTextRange(tr->chrg.cpMin, end - tr->chrg.cpMin);
        if (tr->lpstrText != nullptr) *tr->lpstrText = s;
        Message.Result = s.size();
      }
      return;
    case EM_FORMATRANGE: {
      if (Message.LParam == 0) {
        Message.Result = 0;
        return;
      }
      auto* fr = reinterpret_cast<FORMATRANGE*>(Message.LParam);
      const int dpiX = std::max(1, GetDeviceCaps(fr->hdc, LOGPIXELSX));
      const int dpiY = std::max(1, GetDeviceCaps(fr->hdc, LOGPIXELSY));
      const TRect px(fr->rc.Left * dpiX / 1440, fr->rc.Top * dpiY / 1440, fr->rc.Right * dpiX / 1440,
                     fr->rc.Bottom * dpiY / 1440);
      Message.Result = FCore->PaintInto(fr->hdc, px, std::max(0, static_cast<int>(fr->chrg.cpMin)), Message.WParam != 0);
      return;
    }
    default:
      break;
  }
  TCustomMemo::DefaultHandler(Message);
}
