// Painting the graphics that cells carry: the layout of a graphic beside the
// cell text, each kind's drawing, the node glyphs and tree lines of column 0,
// the always-visible editor buttons and the in-cell scroll bar.
#include <algorithm>
#include <cmath>

#include "grid/ProGrid.h"
#include "grid/ProGrid_CellGraphic_p.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/UxTheme.h"

void InitProGridGlyphResources();

namespace {

// The kinds that draw beside the cell's text (their text-width rule differs).
bool BesideTextBox(TCellType Kind) {
  return Kind == ctCheckBox || Kind == ctTriStateCheckBox || Kind == ctRadioButton;
}

int GraphicW(TObject* o) {
  auto* g = dynamic_cast<TGraphic*>(o);
  return g ? g->Width() : 0;
}

int GraphicH(TObject* o) {
  auto* g = dynamic_cast<TGraphic*>(o);
  return g ? g->Height() : 0;
}

int NodeLevelOf(TProStringGrid& G, int ARow) {
  if (ARow < 0 || ARow >= G.RowCount() || !G.HasCellProperties(0, ARow)) return 0;
  return G.GetCellProperties(0, ARow)->NodeLevel();
}

}  // namespace

bool TProStringGrid::CellGraphicHidesText(int ACol, int ARow) {
  int w = 0, h = 0;
  bool shown = true;
  TCellHAlign ha = haLeft;
  TCellVAlign va = vaTop;
  TCellGraphic* g = GetCellGraphicGeometry(ACol, ARow, w, h, shown, ha, va);
  if (!g) return false;
  return NoImageAndText() || !shown;
}

TCellGraphic* TProStringGrid::GetCellGraphicGeometry(int ACol, int ARow, int& Width, int& Height,
                                                     bool& TextShown, TCellHAlign& HAlign,
                                                     TCellVAlign& VAlign) {
  Width = Height = 0;
  TextShown = true;
  HAlign = haLeft;
  VAlign = vaTop;
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  HAlign = g->CellHAlign();
  VAlign = g->CellVAlign();
  TImageList* images = GetCellImageList();
  switch (g->CellType()) {
    case ctBitmap:
      Width = GraphicW(g->CellBitmap());
      Height = GraphicH(g->CellBitmap());
      break;
    case ctIcon:
      Width = GraphicW(g->CellIcon());
      Height = GraphicH(g->CellIcon());
      break;
    case ctImageList:
    case ctDataImage:
      if (images) {
        Width = images->Width();
        Height = images->Height();
      }
      TextShown = g->CellType() == ctImageList;
      break;
    case ctCheckBox:
    case ctTriStateCheckBox:
      Width = Height = ControlLook()->CheckSize();
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      Width = Height = ControlLook()->CheckSize();
      TextShown = false;
      break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
      TextShown = false;
      break;
    case ctImages:
      if (images) {
        const auto* list = dynamic_cast<TIntList*>(g->CellBitmap());
        const int n = list ? list->Count() : 0;
        Width = g->CellBoolean() ? n * images->Width() : images->Width();
        Height = g->CellBoolean() ? images->Height() : n * images->Height();
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const TRect cr = CellRect(DisplColIndex(ACol), ARow);
      const TPoint p = g->GetPictureSize(cr.Width(), cr.Height(), !Cells(ACol, ARow).isEmpty());
      Width = p.X;
      Height = p.Y;
      break;
    }
    case ctButton:
    case ctBitButton:
      Width = g->CellIndex() & 0xFFFF;
      Height = (g->CellIndex() >> 16) & 0xFFFF;
      break;
    case ctProgressPie:
      Width = Height = 20;
      break;
    case ctInterface:
      if (auto* obj = dynamic_cast<ICellInterface*>(g->CellBitmap())) {
        Width = obj->GetWidth();
        Height = obj->GetHeight();
      }
      break;
    case ctRadioButton:
      Width = Height = ControlLook()->RadioSize() + 4;
      break;
    case ctShape:
      Width = Height = RowHeights(ARow) - 2 * XYOffset().Y;
      break;
    case ctRating:
      Width = g->CellAngle() * 18;
      Height = 16;
      TextShown = false;
      break;
    default:
      break;
  }
  // The node column: the glyph's room grows with the level.
  if (ACol == 0 && g->CellType() == ctNode) Width = std::max(0, GetNodeLevel(ARow)) * 12 + 4;
  return g;
}

TCellButtonLook TProStringGrid::CellButtonLook() {
  if (ControlLook()->FlatButton()) return cblFlat;
  IVisualStyles& vs = VisualStyles();
  if (!(vs.IsThemeActive() && vs.IsAppThemed())) return cblClassic;
  return cblThemed;
}

void TProStringGrid::DrawCellGraphic(TCanvas* ACanvas, TRect& R, TCellGraphic* G, int RC, int ARow, int TW,
                                     TAlignment HA, TVAlignment VA, TGridDrawState AState) {
  if (!G) return;
  const TCellType kind = G->CellType();
  int GW = 0, GH = 0;
  bool shown = true;
  TCellHAlign GHA = haLeft;
  TCellVAlign GVA = vaTop;
  GetCellGraphicGeometry(RC, ARow, GW, GH, shown, GHA, GVA);
  if (TW > 0) TW += 2;
  // 1. The inset, except for the kinds that fill the cell.
  if (kind != ctNode && kind != ctProgress && kind != ctRangeIndicator && kind != ctXPProgress) {
    const int dx = XYOffset().X - 1, dy = XYOffset().Y - 1;
    R = TRect(R.Left + dx, R.Top + dy, R.Right - dx, R.Bottom - dy);
  }
  // 2. Horizontal place.
  TRect B;
  switch (GHA) {
    case haRight:
      B.Left = R.Right - 1 - GW;
      break;
    case haCenter:
      B.Left = GW < R.Width() ? R.Left + (R.Width() - GW) / 2 : R.Left + 1;
      break;
    case haBeforeText:
      B.Left = HA == taRightJustify ? R.Right - TW - GW
               : HA == taCenter     ? R.Left + (R.Width() - TW - GW) / 2
                                    : R.Left + 1;
      if (B.Left < R.Left) B.Left = R.Left + 1;
      break;
    case haAfterText:
      B.Left = HA == taRightJustify ? R.Right - 1 - GW
               : HA == taCenter     ? R.Left + TW + (R.Width() - TW - GW) / 2
                                    : R.Left + TW;
      if (B.Left < R.Left) B.Left = R.Left + 1;
      break;
    case haFull:
      B.Left = R.Left;
      break;
    default:
      B.Left = R.Left + 1;
  }
  B.Right = GHA == haFull ? R.Right : B.Left + GW;
  // 3. Vertical place; boxes follow the cell's own vertical alignment.
  if ((kind == ctCheckBox || kind == ctDataCheckBox || kind == ctVirtCheckBox || kind == ctRowCheckBox ||
       kind == ctTriStateCheckBox || kind == ctRadioButton) &&
      VA != VAlignment())
    GVA = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
  switch (GVA) {
    case vaBottom:
      B.Bottom = R.Bottom - 1;
      B.Top = B.Bottom - GH;
      break;
    case vaCenter:
      B.Top = GH < R.Height() ? R.Top + (R.Height() - GH) / 2 : R.Top + 1;
      B.Bottom = B.Top + GH;
      break;
    case vaUnderText:
      B.Top = R.Bottom - GH;
      B.Bottom = R.Bottom;
      break;
    case vaFull:
      B.Top = R.Top;
      B.Bottom = R.Bottom;
      break;
    default:
      B.Top = R.Top + 1;
      B.Bottom = B.Top + GH;
  }
  // 4. By kind.
  bool enabled = true;
  CanEditCell(RC, ARow, enabled);
  const bool rtl = false;  // the grid has no right-to-left layout yet
  switch (kind) {
    case ctBitmap:
      if (auto* bmp = dynamic_cast<TBitmap*>(G->CellBitmap())) {
        bmp->SetTransparent(G->CellTransparent());
        ACanvas->Draw(rtl ? B.Right - bmp->Width() : B.Left, B.Top, bmp);
      }
      break;
    case ctIcon:
      if (auto* icon = dynamic_cast<TGraphic*>(G->CellIcon())) ACanvas->Draw(B.Left, B.Top, icon);
      break;
    case ctImageList:
      if (TImageList* il = GetCellImageList()) il->Draw(ACanvas, B.Left, B.Top, G->CellIndex());
      break;
    case ctDataImage:
      if (TImageList* il = GetCellImageList()) {
        const int idx = Ints(RC, ARow) + G->CellIndex();
        if (idx >= 0 && idx < il->Count()) il->Draw(ACanvas, B.Left, B.Top, idx);
      }
      break;
    case ctImages:
      if (TImageList* il = GetCellImageList()) {
        if (auto* list = dynamic_cast<TIntList*>(G->CellBitmap())) {
          int x = B.Left, y = B.Top;
          for (int i = 0; i < list->Count(); ++i) {
            il->Draw(ACanvas, x, y, list->Items(i));
            if (G->CellBoolean())
              x += il->Width();
            else
              y += il->Height();
          }
        }
      }
      break;
    case ctPicture:
      if (auto* pic = dynamic_cast<TPicture*>(G->CellBitmap())) {
        if (TGraphic* gr = pic->Graphic()) {
          if (G->CellAngle() != noStretch)
            ACanvas->StretchDraw(B, gr);
          else
            ACanvas->Draw(B.Left, B.Top, gr);
        }
      }
      break;
    case ctFilePicture:
      if (auto* fp = dynamic_cast<TFilePicture*>(G->CellBitmap())) fp->DrawPicture(ACanvas, B);
      break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: {
      const bool beside = BesideTextBox(kind);
      if (HA == taRightJustify)
        B.Left = (beside ? R.Right - TW : R.Right) - GW - 1;
      else if (HA == taCenter)
        B.Left = beside && TW >= 1 ? R.Left + std::max(0, R.Right - TW - R.Left) / 2 - GW
                                   : R.Left + std::max(0, R.Right - GW - R.Left) / 2;
      else
        B.Left = R.Left + 1;
      if (B.Left < R.Left) B.Left = R.Left + 1;
      B.Right = B.Left + GW;
      if (ControlLook()->CheckAlwaysActive()) enabled = true;
      if (kind == ctRadioButton) {
        B.Left += XYOffset().X;
        const int rs = ControlLook()->RadioSize();
        B = TRect(B.Left, B.Top, B.Left + rs, B.Top + rs);
        DrawRadioGroup(ACanvas, B, 1, G->CellBoolean() ? 0 : -2, false, !enabled, nullptr, false, RC, ARow,
                       ControlLook()->ControlStyle(), 1.0, false);
        break;
      }
      bool checked = G->CellBoolean();
      if (kind == ctDataCheckBox || kind == ctVirtCheckBox) {
        QString yes;
        GetCheckTrue(RC, ARow, yes);
        checked = Cells(RC, ARow) == yes;
      }
      DrawCheckBoxGlyph(ACanvas, B, checked, enabled, kind == ctRowCheckBox && G->CellAngle() > 0,
                        ControlLook()->ControlStyle(), kind == ctTriStateCheckBox, G->CellCheckBoxState());
      break;
    }
    case ctRadio: {
      TStrings* options = GetRadioStrings(RC, ARow);
      DrawRadioGroup(ACanvas, R, options ? options->Count() : 0, std::max(-1, G->CellIndex()), G->CellBoolean(), !enabled,
                     options, AState.contains(gdSelected), RC, ARow, ControlLook()->ControlStyle(), 1.0, false);
      break;
    }
    case ctRotated: {
      const QString T = Cells(RC, ARow);
      TRect origin = R;
      CalcRotatedTextPos(origin, G->CellAngle(), T, HA, VA);
      TFont keep;
      keep.Assign(ACanvas->Font());
      ACanvas->Font()->SetOrientation(G->CellAngle() * 10);
      SetTextAlign(ACanvas->Handle(), TA_LEFT | TA_TOP);
      const TRect clip(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
      ACanvas->Brush()->SetStyle(bsClear);
      ACanvas->TextRect(clip, origin.Left, origin.Top, T);
      ACanvas->Brush()->SetStyle(bsSolid);
      ACanvas->Font()->Assign(&keep);
      break;
    }
    case ctProgress: {
      IVisualStyles& vs = VisualStyles();
      const TGridControlStyle cs = ControlLook()->ControlStyle();
      HTHEME th = nullptr;
      if ((cs == csWinXP || cs == csTheme) && ControlLook()->ProgressXP() && vs.IsThemeActive() &&
          vs.IsAppThemed())
        th = vs.OpenThemeData(HandleAllocated() ? Handle() : nullptr, QStringLiteral("Progress"));
      if (th) {
        R = TRect(R.Left + ControlLook()->ProgressMarginX(), R.Top + ControlLook()->ProgressMarginY(),
                  R.Right - ControlLook()->ProgressMarginX(), R.Bottom - ControlLook()->ProgressMarginY());
        vs.DrawThemeBackground(th, ACanvas->Handle(), 1, 0, R, nullptr);
        R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
        const double v = std::clamp(Floats(RC, ARow), 0.0, 100.0);
        const TRect chunk(R.Left, R.Top, R.Left + int(R.Width() * v / 100), R.Bottom);
        vs.DrawThemeBackground(th, ACanvas->Handle(), 3, 1, chunk, nullptr);
        vs.CloseThemeData(th);
        break;
      }
      R = TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
      const TColor done = SlotColor(G->CellBitmap()), open = SlotColor(G->CellIcon());
      TColor doneText = TColor(G->CellIndex()), openText = TColor(G->CellAngle());
      if (!G->CellBoolean()) {
        doneText = TColor(ColorToRGB(done) ^ 0xFFFFFF);
        openText = TColor(ColorToRGB(open) ^ 0xFFFFFF);
      }
      DrawClassicProgress(ACanvas, R, done, doneText, open, openText, Floats(RC, ARow),
                          ControlLook()->ProgressMarginX(), ControlLook()->ProgressMarginY(), G->CellErrFrom(),
                          G->CellErrLen(), G->CellText(), ControlLook()->ProgressBorderColor(), false);
      break;
    }
    case ctXPProgress: {
      R = TRect(R.Left + ControlLook()->ProgressMarginX(), R.Top + ControlLook()->ProgressMarginY(),
                R.Right - ControlLook()->ProgressMarginX() - 1, R.Bottom - ControlLook()->ProgressMarginY() - 1);
      // A range of no width shows nothing done.
      const int span = G->CellErrLen() - G->CellErrFrom();
      const int percent =
          span == 0 ? 0 : int(std::lround(std::abs(Ints(RC, ARow) - G->CellErrFrom()) / double(span) * 100));
      TGridProgressAppearance* pa = ProgressAppearance();
      TXPProgressParams p;
      p.Level0Color = pa->Level0Color();
      p.Level0ColorTo = pa->Level0ColorTo();
      p.Level1Color = pa->Level1Color();
      p.Level1ColorTo = pa->Level1ColorTo();
      p.Level2Color = pa->Level2Color();
      p.Level2ColorTo = pa->Level2ColorTo();
      p.Level3Color = pa->Level3Color();
      p.Level3ColorTo = pa->Level3ColorTo();
      p.Level1Perc = pa->Level1Perc();
      p.Level2Perc = pa->Level2Perc();
      p.ShowBorder = pa->ShowBorder();
      p.BorderColor = pa->BorderColor();
      p.Stacked = pa->Stacked();
      p.ShowPercentage = pa->ShowPercentage();
      p.CompletionSmooth = pa->CompletionSmooth();
      p.ShowGradient = pa->ShowGradient();
      p.Steps = pa->Steps();
      p.CompleteFontColor = pa->CompleteFontColor();
      p.UnCompleteColor = pa->UnCompleteColor() == clNone ? ACanvas->Brush()->Color() : pa->UnCompleteColor();
      p.Font = Font();
      p.Vertical = false;
      DrawXPProgress(ACanvas, R, std::clamp(percent, 0, 100), p);
      break;
    }
    case ctProgressPie:
      DrawProgressPie(ACanvas, TRect(B.Left, B.Top, B.Left + 20, B.Top + 20), SlotColor(G->CellBitmap()),
                      G->CellAngle(), false);
      break;
    case ctRangeIndicator:
      R = TRect(R.Left + ControlLook()->ProgressMarginX(), R.Top + ControlLook()->ProgressMarginY(),
                R.Right - ControlLook()->ProgressMarginX(), R.Bottom - ControlLook()->ProgressMarginY());
      DrawRangeIndicator(ACanvas, R, Ints(RC, ARow), G->CellIndex(), G->CellBoolean(),
                         SlotColor(G->CellBitmap()), SlotColor(G->CellIcon()));
      break;
    case ctComment: {
      if (ControlLook()->CommentColor() == clNone) break;
      const TRect cr = CellRect(DisplColIndex(RC), ARow);
      ACanvas->Brush()->SetColor(TColor(G->CellIndex()));
      ACanvas->Pen()->SetColor(TColor(G->CellIndex()));
      ACanvas->Polygon({TPoint(cr.Right - 7, cr.Top), TPoint(cr.Right - 2, cr.Top), TPoint(cr.Right - 2, cr.Top + 5)});
      ACanvas->Brush()->SetColor(Color());
      break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand: {
      const TRect cr = CellRect(DisplColIndex(RC), ARow);
      if (kind == ctExpand) B = TRect(R.Right - 13, R.Top, R.Right, R.Top + 13);
      G->SetCellValue(double((B.Top - cr.Top) * 65536 + (B.Left - cr.Left)));
      const TColor keepBrush = ACanvas->Brush()->Color();
      ACanvas->Brush()->SetColor(clBtnFace);
      bool btnEnabled = enabled || ControlLook()->NoDisabledButtonLook();
      TCellButtonState state = cbsNormal;
      if (G->CellBoolean()) state = cbsDown;
      if (!btnEnabled && kind != ctExpand) state = cbsDisabled;
      DrawPushButton(ACanvas, HandleAllocated() ? Handle() : nullptr, B, CellButtonLook(), state, TColorTones());
      if (G->CellBoolean()) B = TRect(B.Left + 1, B.Top + 1, B.Right + 1, B.Bottom + 1);
      if (kind == ctExpand) {
        ACanvas->Pen()->SetColor(clBlack);
        if (G->CellVar().toBool())
          ACanvas->Polyline({TPoint(R.Right - 10, R.Top + 8), TPoint(R.Right - 7, R.Top + 5),
                             TPoint(R.Right - 3, R.Top + 9)});
        else
          ACanvas->Polyline({TPoint(R.Right - 10, R.Top + 5), TPoint(R.Right - 7, R.Top + 8),
                             TPoint(R.Right - 3, R.Top + 4)});
        ACanvas->Brush()->SetColor(keepBrush);
        break;
      }
      QString caption = G->CellText();
      if (kind == ctBitButton) {
        if (auto* glyph = dynamic_cast<TBitmap*>(G->CellBitmap()); glyph && !glyph->Empty()) {
          int gy = (B.Height() - glyph->Height()) / 2;
          if (gy < 1) gy = 3;
          glyph->SetTransparent(true);
          if (!caption.isEmpty() || glyph->Width() >= B.Width()) {
            ACanvas->Draw(B.Left + 3, B.Top + gy, glyph);
            B.Left += glyph->Width() + 4;
          } else {
            // Centred; only the empty caption moves.
            ACanvas->Draw(B.Left + (B.Width() - glyph->Width()) / 2, B.Top + gy, glyph);
            B.Left += (B.Width() - glyph->Width()) / std::max(1, glyph->Width()) + 4;
          }
        }
      }
      B.Left += 1;
      SetBkMode(ACanvas->Handle(), TRANSPARENT);
      UINT flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
      flags |= caption.contains(u'\r') ? UINT(DT_WORDBREAK) : UINT(DT_SINGLELINE);
      if (!btnEnabled) ACanvas->Font()->SetColor(clGrayText);
      DrawTextEx(ACanvas->Handle(), caption, -1, B, flags, nullptr);
      ACanvas->Brush()->SetColor(keepBrush);
      break;
    }
    case ctInterface:
      if (auto* obj = dynamic_cast<ICellInterface*>(G->CellBitmap()))
        obj->Draw(ACanvas, TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), RC, ARow, AState.contains(gdSelected),
                  this);
      break;
    case ctShape:
      DrawCellShape(ACanvas, B.Left, B.Top, B.Width() - 1, B.Height() - 1, TCellShape(G->CellAngle()),
                    TColor(G->CellIndex()), SlotColor(G->CellBitmap()));
      break;
    case ctRating: {
      const double v = std::round(Floats(RC, ARow) * 2) / 2;
      const TColor on = TColor(G->CellIndex()), off = SlotColor(G->CellBitmap());
      int x = B.Left;
      for (int i = 1; i <= G->CellAngle(); ++i) {
        const TColor c = i > v ? off : on;
        DrawCellShape(ACanvas, x, B.Top, 16, 16, csStar, c, c);
        if (i - 1 < v && v < i) DrawCellShape(ACanvas, x, B.Top, 16, 16, csHalfStar, on, on);
        x += 18;
      }
      break;
    }
    default:
      break;
  }
}

// ------------------------------------------------------------------ node glyphs

void TProStringGrid::DrawNodeGlyph(TCanvas* ACanvas, TRect R, TCellGraphic* G, int RC, int ARow,
                                   TGridDrawState AState, bool Fixed) {
  TCellNode* cn = CellNode();
  const int indent = cn->NodeIndent();
  const int own = GetNodeIndent(ARow);
  const bool collapsed = G->CellBoolean();
  // 1. The tree line through the node row.
  R.Left = own - indent;
  if (cn->ShowTree() && ARow >= FixedRows()) {
    ACanvas->Pen()->SetColor(cn->TreeColor());
    ACanvas->Pen()->SetWidth(1);
    const int x0 = R.Left + indent / 2 + 2;
    const int mid = (R.Top + R.Bottom) / 2;
    const bool last = ARow >= RowCount() - 1;
    const int next = last ? 0 : GetNodeIndent(ARow + 1);
    if (!(next == 0 || last || (collapsed && next < own))) {
      ACanvas->MoveTo(x0, mid);
      ACanvas->LineTo(x0, R.Bottom);
    }
    if (ARow > 0 && GetNodeIndent(ARow - 1) >= own) {
      ACanvas->MoveTo(x0, R.Top);
      ACanvas->LineTo(x0, R.Top + 6);
    }
  }
  if (Fixed && !Flat() && (Look() == glSoft || Look() == glREZ || Look() == glXP || Look() == glListView))
    R.Left += 1;
  // 2. Where the glyph goes and what lies under it.
  R.Left = own - indent / 2 - 4;
  TColor bg = ACanvas->Brush()->Color();
  if (bg == clNone) bg = FixedCols() == 0 ? Color() : FixedColor();
  if (ShowSelection() && AState.contains(gdSelected) && !MouseActions()->DisjunctRowSelect())
    bg = SelectionColor();
  else if (ShowSelection() && MouseActions()->DisjunctRowSelect() && Options().contains(goRowSelect) &&
           RC >= FixedCols() && RowSelect(RealRowIndex(ARow)))
    bg = SelectionColor();
  // 3. The glyph by kind.
  auto box = [&] {
    ACanvas->Brush()->SetColor(cn->Color());
    const TRect b(R.Left + 4, R.Top + std::max(0, R.Height() - 8) / 2, R.Left + 12,
                  R.Top + std::max(0, R.Height() - 8) / 2 + 8);
    if (cn->NodeType() == cnFlat) {
      ACanvas->Pen()->SetColor(cn->NodeColor());
      ACanvas->Rectangle(TRect(b.Left, b.Top, b.Right + 1, b.Bottom + 1));
      ACanvas->MoveTo(b.Left + 2, b.Top + 4);
      ACanvas->LineTo(b.Left + 7, b.Top + 4);
      if (collapsed) {
        ACanvas->MoveTo(b.Left + 4, b.Top + 2);
        ACanvas->LineTo(b.Left + 4, b.Top + 7);
      }
    } else {
      DrawEdge(ACanvas->Handle(), b, collapsed ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT | BF_SOFT);
    }
  };
  InitProGridGlyphResources();
  switch (cn->NodeType()) {
    case cn3D: {
      ACanvas->Brush()->SetColor(cn->Color());
      ACanvas->Pen()->SetColor(cn->Color());
      ACanvas->Rectangle(R);
      DrawEdge(ACanvas->Handle(), R, BDR_RAISEDINNER, BF_RECT);
      box();
      break;
    }
    case cnLeaf: {
      TRect r = R;
      r.Top += (R.Height() - 12) / 2;
      DrawResourceBitmap(ACanvas, bg, TRect(r.Left, r.Top, r.Left + 16, r.Top + 16),
                         collapsed ? QStringLiteral("PSGLEAFCLOSE") : QStringLiteral("PSGLEAFOPEN"));
      break;
    }
    case cnXP: {
      TRect r(R.Left + 4, R.Top + (R.Height() - 10) / 2, 0, 0);
      r.Right = r.Left + 9;
      r.Bottom = r.Top + 9;
      DrawResourceBitmap(ACanvas, bg, r, collapsed ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO"));
      break;
    }
    case cnGlyph: {
      TBitmap* e = cn->ExpandGlyph();
      TBitmap* c = cn->ContractGlyph();
      if (!e->Empty() && !c->Empty()) {
        const int y = R.Top + (R.Height() - c->Height()) / 2;
        TBitmap* g = collapsed ? c : e;
        DrawBitmapTransparent(ACanvas, g, bg, TRect(R.Left, y, R.Left + g->Width(), y + g->Height()));
      } else {
        box();
      }
      break;
    }
    default:
      box();
  }
  ACanvas->Brush()->SetColor(bg);
}

void TProStringGrid::DrawNodeTreeLines(TCanvas* ACanvas, TRect R, int ARow) {
  TCellNode* cn = CellNode();
  if (!cn->ShowTree() || ARow < FixedRows()) return;
  const int indent = cn->NodeIndent();
  ACanvas->Pen()->SetColor(cn->TreeColor());
  ACanvas->Pen()->SetWidth(1);
  R.Left = GetNodeIndent(ARow);
  const int c = R.Left + indent / 2 - indent + 2;
  const int M = (R.Top + R.Bottom) / 2;
  const int L = NodeLevelOf(*this, ARow);
  // 1. The branch to the row's text.
  if (L > 0) {
    ACanvas->MoveTo(c, M);
    ACanvas->LineTo(cn->ShowTreeFull() ? R.Right : R.Left + 4, M);
  }
  // 2. The line of the row's own node.
  const int span = GetNodeSpanType(ARow);
  if (span == 1) {
    ACanvas->MoveTo(c, R.Top);
    ACanvas->LineTo(c, M);
  } else if (span == 2) {
    ACanvas->MoveTo(c, R.Top);
    ACanvas->LineTo(c, R.Bottom + 4);
  }
  // 3. The lines of the enclosing nodes.
  const bool last = ARow >= RowCount() - 1;
  const bool nextHasLevel = !last && NodeLevelOf(*this, ARow + 1) > 0;
  for (int i = 1; i <= L; ++i) {
    const int x = c - indent * i;
    ACanvas->MoveTo(x, R.Top);
    ACanvas->LineTo(x, M);
    if (last) {
      if (i < L) ACanvas->LineTo(c + indent - indent * i, M);
    } else if (nextHasLevel) {
      ACanvas->LineTo(x, R.Bottom + 4);
    } else if (i < L) {
      ACanvas->LineTo(c + indent - indent * i, M);
    }
  }
}

// ------------------------------------------------- editor buttons, scroll bar

void TProStringGrid::DrawAlwaysVisibleButtons(TCanvas* ACanvas, TRect& R, int RC, int ARow) {
  bool canEdit = Options().contains(goEditing);
  CanEditCell(RC, ARow, canEdit);
  const TCellButtonState state = canEdit ? cbsNormal : cbsDisabled;
  HWND wnd = HandleAllocated() ? Handle() : nullptr;
  if (ControlLook()->DropDownAlwaysVisible() && HasComboBox(RC, ARow)) {
    DrawComboButton(ACanvas, wnd, TRect(R.Left - 2, R.Top - 1, R.Right + 1, R.Bottom), CellButtonLook(), state,
                    TColorTones());
    R.Right -= 16;
  }
  if (ControlLook()->SpinButtonsAlwaysVisible() && HasSpinEdit(RC, ARow)) {
    DrawSpinButtons(ACanvas, wnd, R, CellButtonLook(), state, TColorTones());
    R.Right -= 16;
  }
}

void TProStringGrid::DrawInCellScrollBar(TCanvas* ACanvas, TRect& R, int RC, int ARow) {
  TCellGraphic* g = GraphicOfKind(RC, ARow, ctScrollbar);
  if (!g) return;
  const TScrollProp prop = GetScrollProp(RC, ARow);
  if (prop.PageSize >= prop.Range) return;
  FCellLayout.ScrollPos = std::max(0, GetScrollPosition(RC, ARow));
  // The bar: arrow buttons at both ends, the track and the thumb by the page.
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  R.Right -= w;
  const TRect bar(R.Right, R.Top, R.Right + w, R.Bottom);
  FillRectColor(ACanvas, bar, clBtnFace);
  const int arrow = std::min(w, bar.Height() / 2);
  DrawFrameControl(ACanvas->Handle(), TRect(bar.Left, bar.Top, bar.Right, bar.Top + arrow), DFC_SCROLL,
                   DFCS_SCROLLUP);
  DrawFrameControl(ACanvas->Handle(), TRect(bar.Left, bar.Bottom - arrow, bar.Right, bar.Bottom), DFC_SCROLL,
                   DFCS_SCROLLDOWN);
  const int track = bar.Height() - 2 * arrow;
  if (track > 8 && prop.Range > 0) {
    const int thumb = std::max(8, prop.PageSize > 0 ? track * prop.PageSize / prop.Range : 8);
    const int maxPos = std::max(1, prop.Range - std::max(0, prop.PageSize));
    const int top = bar.Top + arrow + (track - thumb) * std::clamp(FCellLayout.ScrollPos, 0, maxPos) / maxPos;
    const TRect t(bar.Left, top, bar.Right, top + thumb);
    FillRectColor(ACanvas, t, clBtnFace);
    DrawEdge(ACanvas->Handle(), t, EDGE_RAISED, BF_RECT);
  }
}
