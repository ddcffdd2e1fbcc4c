// String grid: the quick configuration panel shown in the bottom-right corner
// while the grid is edited in a form designer (editing, column numbers, look,
// and a close box), and the column numbers it switches.
#include <memory>

#include "grid/ProGrid.h"
#include "grid/ProGrid_Glyphs_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"

namespace {

constexpr int kPanelWidth = 150;
const QString kAllowEdit = QStringLiteral("Allow edit");
const QString kColumnNumbers = QStringLiteral("Column numbers");
const QString kSetLook = QStringLiteral("Set look: ");

void SetPanelFont(TCanvas* C) {
  C->Font()->SetName(QStringLiteral("Tahoma"));
  C->Font()->SetSize(8);
}

// The panel's line height, measured in the panel's font.
int LineHeight(TCanvas* C) { return C->TextHeight(QStringLiteral("gh")) + 2; }

// The look menu: caption and look, in the order shown; the command is the
// look's number + 1.
struct TLookItem {
  const char* Caption;
  TGridLook Look;
};
constexpr TLookItem kLookMenu[] = {
    {"Standard", glStandard}, {"Soft", glSoft},          {"Classic", glClassic},
    {"REZ", glREZ},           {"ListView", glListView},  {"Office 2007", glOffice2007},
    {"Windows XP", glXP},     {"Windows Vista", glVista}, {"Windows 7", glWin7},
};

QString LookItemText(TGridLook Look) {
  QString caption;
  TProStringGrid::LookToCaption(Look, caption);
  return kSetLook + caption;
}

}  // namespace

TProStringGrid::TDesignHelperMetrics TProStringGrid::DesignHelperMetrics() {
  TBitmap measure(1, 1);
  TCanvas* m = measure.Canvas();
  SetPanelFont(m);
  TDesignHelperMetrics r;
  r.LineHeight = LineHeight(m);
  r.EditWidth = m->TextWidth(kAllowEdit);
  r.ColNrsWidth = m->TextWidth(kColumnNumbers);
  r.LookWidth = m->TextWidth(LookItemText(Look()));
  return r;
}

TRect TProStringGrid::DesignHelperRect() {
  const int lh = DesignHelperMetrics().LineHeight;
  const TRect c = ClientRect();
  return TRect(c.Right - kPanelWidth, c.Bottom - 4 * lh - 10, c.Right, c.Bottom);
}

int TProStringGrid::DesignHelperHitTest(int X, int Y) {
  const TDesignHelperMetrics m = DesignHelperMetrics();
  const int lh = m.LineHeight;
  const TRect c = ClientRect();
  const TRect p(c.Right - kPanelWidth, c.Bottom - 4 * lh - 10, c.Right, c.Bottom);
  const int left = c.Right - kPanelWidth;
  // The areas are tested close box first: where an item's area reaches into
  // the close box's, the item wins.
  int hit = -1;
  if (X > c.Right - 16 && Y > p.Top && Y < p.Top + 16) hit = 4;
  if (X > left && X < c.Right - 132 + m.EditWidth && Y > p.Top + lh + 4 && Y < p.Top + 2 * lh + 4)
    hit = 1;
  if (X > left && X < c.Right - 132 + m.ColNrsWidth && Y > p.Top + 2 * lh + 4 &&
      Y < p.Top + 3 * lh + 4)
    hit = 2;
  if (X > left && X < left + m.LookWidth && Y > p.Top + 3 * lh + 4 && Y < p.Top + 4 * lh + 4)
    hit = 3;
  return hit;
}

void TProStringGrid::PaintDesignHelper() {
  if (!F.ShowDesignHelper || !IsDesigning()) return;
  TCanvas* c = Canvas();
  SetPanelFont(c);
  c->Font()->SetColor(TColor(0x800000));
  c->Font()->SetStyle(TFontStyles{fsUnderline});
  c->Brush()->SetColor(clInfoBk);
  c->Brush()->SetStyle(bsSolid);
  c->Pen()->SetColor(TColor(0x808080));
  const int lh = DesignHelperMetrics().LineHeight;
  const TRect p = DesignHelperRect();
  c->Rectangle(p);
  c->TextOut(p.Left + 4, p.Top + 4, QStringLiteral("Quick config [v%1]").arg(Version()));

  InitProGridGlyphResources();
  {
    auto close = std::make_unique<TBitmap>();
    close->LoadFromResourceName(HInstance, QStringLiteral("PSGCLOSE"));
    c->Draw(p.Right - 16, p.Top + 2, close.get());
  }

  TPoint mouse;
  GetCursorPos(&mouse);
  mouse = ScreenToClient(mouse);
  const int h = DesignHelperHitTest(mouse.X, mouse.Y);
  const auto style = [&](int Item) {
    c->Font()->SetStyle(h == Item ? TFontStyles{fsUnderline} : TFontStyles{});
  };
  DrawCheckBoxGlyph(c, TRect(p.Left + 4, p.Top + lh + 2, p.Left + 20, p.Top + lh + 18),
                    Options().contains(goEditing), true, false, csWinXP, false, cbUnchecked);
  style(1);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(p.Left + 22, p.Top + lh + 4, kAllowEdit);
  DrawCheckBoxGlyph(c, TRect(p.Left + 4, p.Top + 2 * lh + 2, p.Left + 20, p.Top + 2 * lh + 18),
                    FShowColNrs, true, false, csWinXP, false, cbUnchecked);
  style(2);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(p.Left + 22, p.Top + 2 * lh + 4, kColumnNumbers);
  style(3);
  c->TextOut(p.Left + 4, p.Top + 3 * lh + 4, LookItemText(Look()));
  c->Brush()->SetStyle(bsSolid);
}

void TProStringGrid::CMDesignHitTest(TCMHitTest& Message) {
  TBaseGrid::CMDesignHitTest(Message);
  if (!IsDesigning() || !F.ShowDesignHelper) return;
  TPoint mouse;
  GetCursorPos(&mouse);
  mouse = ScreenToClient(mouse);
  const int h = DesignHelperHitTest(mouse.X, mouse.Y);
  // The underline moves: the panel is drawn again.
  if (h != FLastDesignChoice) InvalidateRect(DesignHelperRect(), true);
  FLastDesignChoice = h;
  if (h >= 1 && h <= 4) Message.Result = 1;
}

void TProStringGrid::DesignHelperClick(int X, int Y) {
  const int h = DesignHelperHitTest(X, Y);
  switch (h) {
    case 1:
      if (Options().contains(goEditing))
        SetOptions(Options() - goEditing);
      else
        SetOptions(Options() + goEditing);
      break;
    case 2:
      FShowColNrs = !FShowColNrs;
      Repaint();
      break;
    case 3: {
      TPopupMenu menu(nullptr);
      int chosen = 0;
      for (const TLookItem& l : kLookMenu) {
        auto* item = new TMenuItem(&menu);
        item->SetCaption(QLatin1String(l.Caption));
        item->SetChecked(l.Look == Look());
        const int command = int(l.Look) + 1;
        item->OnClick = [&chosen, command](TObject*) { chosen = command; };
        menu.Items()->Add(item);
      }
      const TPoint at = ClientToScreen(TPoint(X, Y));
      menu.SetPopupComponent(this);
      menu.Popup(at.X, at.Y);
      if (chosen > 0) SetLook(static_cast<TGridLook>(chosen - 1));
      break;
    }
    case 4:
      SetShowDesignHelper(false);
      break;
    default:
      break;
  }
  // The designer shows the change once the form was sized.
  if (h >= 1 && h <= 3) {
    if (TCustomForm* form = FindParentForm(this)) {
      form->SetWidth(form->Width() - 1);
      form->SetWidth(form->Width() + 1);
    }
  }
}

void TProStringGrid::DrawDesignColumnNumber(TCanvas* ACanvas, int RC, int ARow, const TRect& ARect) {
  if (!IsDesigning() || !FShowColNrs || ARow != 0) return;
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->Font()->SetName(GetDefaultFontName());
  ACanvas->Font()->SetSize(8);
  ACanvas->Font()->SetStyle(TFontStyles{});
  ACanvas->Font()->SetColor(TColor(0x808080));
  TRect r = ARect;
  r.Right -= 2;
  DrawText(ACanvas->Handle(), QString::number(RC), -1, r, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
  ACanvas->Brush()->SetStyle(bsSolid);
}
