// TCustomLinkLabel: a caption with "<a href=...>" links.
#include <QRegularExpression>

#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

TCustomLinkLabel::TCustomLinkLabel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csCaptureMouse, csClickEvents};
  FView->setObjectName(QStringLiteral("TCustomLinkLabel"));
  SetBounds(0, 0, 53, 17);
}

TCustomLinkLabel::~TCustomLinkLabel() = default;

void TCustomLinkLabel::Parse() {
  FParts.clear();
  const QString t = Caption();
  static const QRegularExpression open(QStringLiteral("<a(\\s[^>]*)?>"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression close(QStringLiteral("</a\\s*>"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression attr(QStringLiteral("(href|id)\\s*=\\s*(\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
                                       QRegularExpression::CaseInsensitiveOption);
  auto plain = [](const QString& Text) {
    TPart p;
    p.Text = Text;
    return p;
  };
  int pos = 0;
  int links = 0;
  while (pos < t.size()) {
    const QRegularExpressionMatch m = open.match(t, pos);
    if (!m.hasMatch()) break;
    const QRegularExpressionMatch e = close.match(t, m.capturedEnd());
    if (!e.hasMatch()) break;
    if (m.capturedStart() > pos) FParts.push_back(plain(t.mid(pos, m.capturedStart() - pos)));
    TPart link;
    link.Text = t.mid(m.capturedEnd(), e.capturedStart() - m.capturedEnd());
    link.Link = links++;
    auto it = attr.globalMatch(m.captured(1));
    while (it.hasNext()) {
      const QRegularExpressionMatch a = it.next();
      QString v = a.captured(3);
      if (v.isEmpty()) v = a.captured(4);
      if (v.isEmpty()) v = a.captured(5);
      if (a.captured(1).compare(QLatin1String("href"), Qt::CaseInsensitive) == 0) link.Href = v;
      else link.Id = v;
    }
    FParts.push_back(link);
    pos = e.capturedEnd();
  }
  if (pos < t.size()) FParts.push_back(plain(t.mid(pos)));
  if (FFocusLink >= LinkCount()) FFocusLink = 0;
}

QString TCustomLinkLabel::PlainText() const {
  QString r;
  for (const TPart& p : FParts) r += p.Text;
  return r;
}

int TCustomLinkLabel::LinkCount() const {
  int n = 0;
  for (const TPart& p : FParts)
    if (p.Link >= 0) ++n;
  return n;
}

void TCustomLinkLabel::LayoutParts(HDC DC) {
  int total = 0;
  int h = FontHeight(Font());
  std::vector<int> widths;
  for (const TPart& p : FParts) {
    TSize s;
    SelectObject(DC, Font()->Handle());
    GetTextExtentPoint32(DC, p.Text, -1, &s);
    widths.push_back(s.cx);
    total += s.cx;
    h = std::max(h, static_cast<int>(s.cy));
  }
  const int cw = ClientWidth();
  int x = 0;
  if (FAlignment == taRightJustify) x = std::max(0, cw - total);
  else if (FAlignment == taCenter) x = std::max(0, (cw - total) / 2);
  for (size_t i = 0; i < FParts.size(); ++i) {
    FParts[i].Bounds = TRect(x, 0, x + widths[i], h);
    x += widths[i];
  }
}

void TCustomLinkLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().contains(csLoading)) return;
  HDC dc = MeasureDC();
  LayoutParts(dc);
  int w = 0, h = FontHeight(Font());
  for (const TPart& p : FParts) {
    w += p.Bounds.Width();
    h = std::max(h, p.Bounds.Height());
  }
  SetBounds(Left(), Top(), std::max(w, 1), h);
}

TRect TCustomLinkLabel::LinkRect(int Index) {
  LayoutParts(MeasureDC());
  for (const TPart& p : FParts)
    if (p.Link == Index) return p.Bounds;
  return TRect();
}

int TCustomLinkLabel::LinkAt(const TPoint& P) {
  LayoutParts(MeasureDC());
  for (const TPart& p : FParts)
    if (p.Link >= 0 && PtInRect(p.Bounds, P)) return p.Link;
  return -1;
}

void TCustomLinkLabel::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  LayoutParts(dc);
  c->Brush()->SetStyle(bsClear);
  for (const TPart& p : FParts) {
    c->SetFont(Font());
    if (p.Link >= 0) {
      c->Font()->SetStyle(c->Font()->Style() + TFontStyles{fsUnderline});
      c->Font()->SetColor(Enabled() ? clHotLight : clGrayText);
    } else if (!Enabled()) {
      c->Font()->SetColor(clGrayText);
    }
    c->TextOut(p.Bounds.Left, p.Bounds.Top, p.Text);
  }
  c->Brush()->SetStyle(bsSolid);
  if (Focused() && LinkCount() > 0) {
    for (const TPart& p : FParts)
      if (p.Link == FFocusLink) {
        SetTextColor(c->Handle(), 0);
        SetBkColor(c->Handle(), 0xFFFFFF);
        ::DrawFocusRect(c->Handle(), p.Bounds);
      }
  }
}

void TCustomLinkLabel::DoOnLinkClick(const QString& Link, TSysLinkType LinkType) {
  if (OnLinkClick) OnLinkClick(this, Link, LinkType);
}

void TCustomLinkLabel::ActivateLink(int Index) {
  for (const TPart& p : FParts)
    if (p.Link == Index) {
      if (!p.Href.isEmpty()) DoOnLinkClick(p.Href, sltURL);
      else DoOnLinkClick(p.Id, sltID);
      return;
    }
}

void TCustomLinkLabel::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETCURSOR:
      if (static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT && FHotLink >= 0) {
        ::SetCursor(CursorOf(crHandPoint));
        Message.Result = 1;
        return;
      }
      break;
    case WM_MOUSEMOVE: {
      const int l = LinkAt(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      if (l != FHotLink) {
        FHotLink = l;
        Invalidate();
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      const int l = LinkAt(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      FPressedLink = l;
      if (l >= 0) {
        FFocusLink = l;
        if (TabStop() && CanFocus() && !Focused()) SetFocus();
        Invalidate();
      }
      return;
    }
    case WM_LBUTTONUP: {
      const int l = LinkAt(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      const int pressed = FPressedLink;
      FPressedLink = -1;
      if (l >= 0 && l == pressed) ActivateLink(l);
      return;
    }
    case WM_KEYDOWN:
      if ((Message.WParam == VK_RETURN || Message.WParam == VK_SPACE) && LinkCount() > 0) {
        ActivateLink(FFocusLink);
        return;
      }
      break;
    case CM_WANTSPECIALKEY:
      if (Message.WParam == VK_RETURN && LinkCount() > 0) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default:
      break;
  }
  TCustomControl::DefaultHandler(Message);
}

void TCustomLinkLabel::WMGetDlgCode(TMessageView& Message) { Message.Result = DLGC_WANTCHARS; }

void TCustomLinkLabel::CMMouseLeave(TCMMouseEnterLeave& Message) {
  if (Message.LParam == 0 && FHotLink >= 0) {
    FHotLink = -1;
    Invalidate();
  }
  TCustomControl::CMMouseLeave(Message);
}

void TCustomLinkLabel::CMTextChanged(TMessageView& Message) {
  Parse();
  AdjustBounds();
  Invalidate();
  TCustomControl::CMTextChanged(Message);
}

void TCustomLinkLabel::CMFontChanged(TMessageView& Message) {
  TCustomControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLinkLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLinkLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}
