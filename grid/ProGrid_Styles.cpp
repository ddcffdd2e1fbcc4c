// String grid: the look preset and the display setters, the sixteen style
// presets, colour tones, XP colour schemes and the Office-theme adaptation.
#include <optional>

#include "controls/ProUtil.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_DateEditors.h"
#include "grid/ProGrid_EditBtnEditors.h"
#include "grid/ProGrid_Glyphs_p.h"
#include "platform/rtl/SysUtils.h"

namespace {

struct TLookName {
  const char* Name;
  const char* Caption;
};

// By TGridLook, glCustom excluded.
constexpr TLookName kLookNames[] = {
    {"glStandard", "Standard"},   {"glSoft", "Soft"},           {"glClassic", "Classic"},
    {"glREZ", "REZ"},             {"glXP", "Windows XP"},       {"glListView", "ListView"},
    {"glVista", "Windows Vista"}, {"glWin7", "Windows 7"},      {"glOffice2007", "Office2007"},
};

template <typename Enum>
void CheckEnum(Enum Value, Enum Last, const char* What) {
  if (static_cast<int>(Value) < 0 || static_cast<int>(Value) > static_cast<int>(Last))
    throw EProGridError(QStringLiteral("Invalid %1 value %2").arg(QLatin1String(What)).arg(int(Value)));
}

// A colour pair written by a style, or none when the style leaves it as it is.
struct TPair {
  TColor From, To;
};
using TOptPair = std::optional<TPair>;

// How a style gives its fixed-cell colours to the control look.
enum TLookPass {
  lpKeep,    // the control look keeps the colours
  lpClear,   // the colours are passed on, then the control look's pair is cleared
  lpInstead  // the control look gets clNone instead of the colours
};

// One row of the style table; an empty optional leaves the value alone.
struct TStyleRow {
  std::optional<TGridLook> Look;
  TOptPair REZ;
  // nullopt: the mirror is left alone; a pair of clNone: "(none)".
  TOptPair Mirror;
  TLookPass Pass;
  TOptPair ActiveCell;
  std::optional<TColor> Selection;
  std::optional<TColor> SelectionTo;
  std::optional<TGridSelectionStyle> SelectionStyle;
  TOptPair GridLines;  // normal, fixed
  // The footer's colour-to is the REZ mirror-to colour when FooterToMirror.
  TOptPair Footer;
  bool FooterToMirror;
};

constexpr TPair None{clNone, clNone};
const TColor kGold = TColor(0x94E6FB), kOrange = TColor(0x1595EE);

// By TProGridStyle.
const TStyleRow kStyles[] = {
    // Office2003Blue
    {glXP, TPair{0xFCE1CB, 0xE0A57D}, None, lpKeep, TPair{kGold, kOrange}, kGold, kOrange,
     std::nullopt, TPair{0xC0C0C0, 0x808080}, TPair{0xFCE1CB, clNone}, false},
    // Office2003Silver
    {glXP, TPair{0xECE2E1, 0xB39698}, None, lpKeep, TPair{kGold, kOrange}, kGold, kOrange,
     std::nullopt, TPair{0xC0C0C0, 0x808080}, TPair{0xECE2E1, clNone}, false},
    // Office2003Olive
    {glXP, TPair{0xCFF0EA, 0x8CC0B1}, None, lpKeep, TPair{kGold, kOrange}, kGold, kOrange,
     std::nullopt, TPair{0xC0C0C0, 0x808080}, TPair{0xCFF0EA, clNone}, false},
    // Office2003Classic
    {glXP, TPair{0xFFFFFF, 0xCCD4D8}, None, lpInstead, TPair{0xD8D5D4, 0xD8D5D4}, std::nullopt,
     std::nullopt, std::nullopt, TPair{0xC0C0C0, 0x808080}, TPair{0xFFFFFF, clNone}, false},
    // Office2007Luna
    {glOffice2007, TPair{0xFBF9F6, 0xE8DBD2}, None, lpKeep, TPair{0x9DD8F9, 0x5EC1F1},
     TColor(0x5EC1F1), std::nullopt, ssOffice2007, TPair{0xF1EDEB, 0xD1BBA4},
     TPair{0xFBF9F6, clNone}, false},
    // Office2007Obsidian
    {glOffice2007, TPair{0xF7F7F7, 0xDEDEDE}, None, lpKeep, TPair{0x9DD8F9, 0x5EC1F1},
     TColor(0x5EC1F1), std::nullopt, std::nullopt, TPair{0xE5D7D0, 0x808080},
     TPair{0xF7F7F7, clNone}, false},
    // WindowsXP
    {glXP, TPair{clBtnFace, clBtnFace}, None, lpInstead, TPair{clBtnFace, clBtnFace},
     std::nullopt, std::nullopt, std::nullopt, TPair{0xC0C0C0, 0x808080},
     TPair{clBtnFace, clNone}, false},
    // Whidbey
    {std::nullopt, TPair{0xFFFFFF, clBtnFace}, None, lpInstead, TPair{kGold, kOrange},
     std::nullopt, std::nullopt, std::nullopt, TPair{0xC0C0C0, 0x808080},
     TPair{0xFFFFFF, clNone}, false},
    // Custom
    {std::nullopt, std::nullopt, std::nullopt, lpKeep, std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, false},
    // Office2007Silver
    {glOffice2007, TPair{0xF3F3F1, 0xCAC9C8}, std::nullopt, lpKeep, TPair{0x99CCFF, 0x699CFF},
     TColor(0x95C7F5), std::nullopt, std::nullopt, TPair{0xE5D7D0, 0x808080},
     TPair{0xF3F3F1, clNone}, true},
    // WindowsVista
    {glVista, TPair{0xFFFFFF, 0xFFFFFF}, TPair{0xFAF8F7, 0xF4F2F1}, lpClear,
     TPair{0xFDF8F1, 0xFCEFD5}, TColor(0xEACAB6), std::nullopt, ssVista,
     TPair{0xECECF0, 0xD4D2D1}, TPair{0xFFFFFF, 0xF4F2F1}, false},
    // Windows7
    {glWin7, TPair{0xFDFCFA, 0xFAF0E6}, TPair{0xF4E6DC, 0xF7E9DD}, lpClear,
     TPair{0xFCEBDC, 0xFCDBC1}, TColor(0xEACAB6), std::nullopt, ssWin7,
     TPair{0xECECF0, 0xD4D2D1}, TPair{0xFDFCFA, 0xF7E9DD}, false},
    // Terminal
    {glStandard, std::nullopt, std::nullopt, lpKeep, std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, std::nullopt, std::nullopt, false},
    // Office2010Blue
    {glOffice2007, TPair{0xF5E7DA, 0xF5E7DA}, TPair{0xF5E7DA, 0xF5E7DA}, lpClear,
     TPair{0x5BD5FF, 0x71EFFF}, TColor(0xFFDBB7), std::nullopt, std::nullopt,
     TPair{0xC0C0C0, 0xC7B0A0}, TPair{0xF5E7DA, 0xF5E7DA}, false},
    // Office2010Silver
    {glOffice2007, TPair{0xE8E3DF, 0xE8E3DF}, TPair{0xE8E3DF, 0xE8E3DF}, lpClear,
     TPair{0x5BD5FF, 0x71EFFF}, TColor(0xFFDBB7), std::nullopt, std::nullopt,
     TPair{0xC0C0C0, 0xBAB5B1}, TPair{0xE8E3DF, 0xE8E3DF}, false},
    // Office2010Black
    {glOffice2007, TPair{0x6A6A6A, 0x6A6A6A}, TPair{0x6A6A6A, 0x6A6A6A}, lpClear,
     TPair{0x5BD5FF, 0x71EFFF}, TColor(0xFFDBB7), std::nullopt, std::nullopt,
     TPair{0xC0C0C0, 0x444444}, TPair{0x6A6A6A, 0x6A6A6A}, false},
};
static_assert(std::size(kStyles) == gsOffice2010Black + 1);

// The hover and pressed colours of the fixed cells (From, To, MirrorFrom,
// MirrorTo, Border) and the sorted header colours of the styles that set them.
struct TFixedStates {
  TProGridStyle Style;
  TColor Hover[5];
  TColor Down[5];
  std::optional<TColor> Header[4];
};

const TFixedStates kFixedStates[] = {
    {gsOffice2007Luna,
     {0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87},
     {0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D},
     {}},
    {gsWindowsVista,
     {0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993},
     {0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F},
     {0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8}},
    {gsWindows7,
     {0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3},
     {0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA},
     {0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8}},
    {gsOffice2010Blue,
     {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8},
     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2},
     {0xD6CEC7, 0xD6CEC7, 0xD6CEC7, 0xD6CEC7}},
    {gsOffice2010Silver,
     {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8},
     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2},
     {0xAAAAAA, 0xAAAAAA, 0xAAAAAA, 0xAAAAAA}},
    {gsOffice2010Black,
     {0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8},
     {0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2},
     {0xBABABA, 0xBABABA, 0xBABABA, 0xBABABA}},
};

// The Office scheme's component style, by TOfficeTheme.
constexpr TProStyle kSchemeStyles[] = {
    tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
    tsOffice2007Luna, tsOffice2007Silver, tsOffice2007Obsidian, tsOffice2010Blue,
    tsOffice2010Silver, tsOffice2010Black};

}  // namespace

// ---------------------------------------------------------------- look names

void TProStringGrid::LookToString(TGridLook ALook, QString& S) {
  if (ALook >= glStandard && ALook < glCustom) S = QLatin1String(kLookNames[ALook].Name);
}

void TProStringGrid::LookToCaption(TGridLook ALook, QString& S) {
  if (ALook >= glStandard && ALook < glCustom) S = QLatin1String(kLookNames[ALook].Caption);
}

// -------------------------------------------------------------------- look

void TProStringGrid::SetLook(TGridLook Value) {
  CheckEnum(Value, glCustom, "look");
  if (Value == F.Look) return;
  F.Look = Value;
  const bool loading = ComponentState().contains(csLoading);
  TControlLook* cl = FControlLook.get();
  if (Value != glCustom) {
    cl->SetFixedGradientFrom(clNone);
    cl->SetFixedGradientTo(clNone);
    cl->SetFixedGradientMirrorFrom(clNone);
    cl->SetFixedGradientMirrorTo(clNone);
    SetREZGradientFrom(clNone);
    SetREZGradientTo(clNone);
    SetREZGradientMirrorFrom(clNone);
    SetREZGradientMirrorTo(clNone);
    FSortSettings->SetHeaderColor(clNone);
  }
  switch (Value) {
    case glVista:
      SetStyle(gsWindowsVista);
      SetSelectionStyle(ssVista);
      break;
    case glWin7:
      SetStyle(gsWindows7);
      SetSelectionStyle(ssWin7);
      break;
    case glOffice2007:
      SetStyle(gsOffice2007Luna);
      SetSelectionStyle(ssOffice2007);
      break;
    case glCustom:
      break;
    default: {
      if (!IsDesigning()) StyleDropDownEditors(tsWindowsXP);
      SetSelectionStyle(ssDefault);
      if (loading) break;
      TColor from = TColor(0xFFFFFF), to = clBtnFace;
      if (Value == glStandard || Value == glSoft || Value == glClassic) {
        SetFixedColor(clBtnFace);
        from = clBtnFace;
        to = clNone;
      }
      cl->SetFixedGradientFrom(from);
      cl->SetFixedGradientTo(to);
      SetGridFixedLineColor(TColor(0x808080));
      cl->SetFixedGradientMirrorFrom(clNone);
      cl->SetFixedGradientMirrorTo(clNone);
      SetREZGradientMirrorFrom(clNone);
      SetREZGradientMirrorTo(clNone);
      SetGridLineColor(TColor(0xC0C0C0));
      if (Value != glREZ && Value != glXP) {
        SetActiveCellColor(TColor(0x808080));
        SetActiveCellColorTo(clNone);
        SetSelectionColor(clHighlight);
        SetSelectionTextColor(clHighlightText);
        FSearchFooter->SetColor(clBtnFace);
        FSearchFooter->SetColorTo(clBtnFace);
      } else {
        SetActiveCellColor(TColor(0xEACAB6));
        SetActiveCellColorTo(clNone);
        SetSelectionColor(TColor(0xEACAB6));
        SetSelectionColorTo(clNone);
        SetSelectionTextColor(TColor(0));
        FSearchFooter->SetColor(REZGradientFrom());
        FSearchFooter->SetColorTo(REZGradientTo());
        cl->SetFixedGradientFrom(TColor(0xFFFFFF));
        cl->SetFixedGradientTo(Value == glXP ? clBtnFace : TColor(0xC0C0C0));
        cl->SetFixedGradientHoverFrom(TColor(0xCFD0D1));
        cl->SetFixedGradientHoverTo(TColor(0xBEC6C8));
        cl->SetFixedGradientHoverMirrorFrom(TColor(0xBEC6C8));
        cl->SetFixedGradientHoverMirrorTo(TColor(0xABBCBF));
        cl->SetFixedGradientDownFrom(TColor(0x868788));
        cl->SetFixedGradientDownTo(TColor(0x737C7E));
        cl->SetFixedGradientDownMirrorFrom(TColor(0x737C7E));
        cl->SetFixedGradientDownMirrorTo(TColor(0x627376));
      }
      break;
    }
  }
  SetScrollType(ssNormal);
  SetBorderStyle(bsSingle);
  SetBorderColor(TColor(0xB99D7F));
  Repaint();
  if (!loading && FFooterPanel != nullptr) FFooterPanel->Invalidate();
}

// ---------------------------------------------------------- display setters

void TProStringGrid::SetURLColor(TColor Value) {
  if (F.URLColor == Value) return;
  F.URLColor = Value;
  if (F.URLShow) Invalidate();
}

void TProStringGrid::SetURLShow(bool Value) {
  if (F.URLShow == Value) return;
  F.URLShow = Value;
  Invalidate();
}

void TProStringGrid::SetURLShowInText(bool Value) {
  if (F.URLShowInText == Value) return;
  F.URLShowInText = Value;
  Invalidate();
}

void TProStringGrid::SetHighlightColor(TColor Value) {
  if (F.HighlightColor == Value) return;
  F.HighlightColor = Value;
  SetHTMLHighlightColors(F.HighlightColor, F.HighlightTextColor);
  Invalidate();
}

void TProStringGrid::SetHighlightTextColor(TColor Value) {
  if (F.HighlightTextColor == Value) return;
  F.HighlightTextColor = Value;
  SetHTMLHighlightColors(F.HighlightColor, F.HighlightTextColor);
  Invalidate();
}

void TProStringGrid::SetActiveCellShow(bool Value) {
  F.ActiveCellShow = Value;
  Invalidate();
}

void TProStringGrid::SetActiveCellColor(TColor Value) {
  F.ActiveCellColor = Value;
  Invalidate();
}

void TProStringGrid::SetActiveCellColorTo(TColor Value) {
  F.ActiveCellColorTo = Value;
  Invalidate();
}

void TProStringGrid::SetShowDesignHelper(bool Value) {
  if (F.ShowDesignHelper == Value) return;
  F.ShowDesignHelper = Value;
  Invalidate();
}

void TProStringGrid::SetXYOffset(TPoint Value) {
  F.XYOffset = Value;
  Invalidate();
}

void TProStringGrid::UpdateXYOffset(int X, int Y) { F.XYOffset = TPoint(X, Y); }

void TProStringGrid::SetAutoThemeAdapt(bool Value) {
  if (F.AutoThemeAdapt == Value) return;
  F.AutoThemeAdapt = Value;
  FSearchFooter->SetAutoThemeAdapt(Value);
  if (Value) {
    AdaptToTheme();
    Invalidate();
  }
  if (IsDesigning() || !HandleAllocated() || ComponentState().contains(csLoading)) return;
  TThemeNotifier* notifier = GetThemeNotifier(this);
  if (Value)
    notifier->RegisterWindow(Handle());
  else
    notifier->UnRegisterWindow(Handle());
}

// ------------------------------------------------------------------ styles

void TProStringGrid::SetStyle(TProGridStyle AStyle) {
  CheckEnum(AStyle, gsOffice2010Black, "style");
  TControlLook* cl = FControlLook.get();
  SetSelectionColor(clHighlight);
  SetSelectionColorTo(clNone);
  SetSelectionTextColor(clHighlightText);
  SetSelectionStyle(ssDefault);
  FSortSettings->SetHeaderColor(clNone);
  FSortSettings->SetHeaderColorTo(clNone);
  FSortSettings->SetHeaderMirrorColor(clNone);
  FSortSettings->SetHeaderMirrorColorTo(clNone);
  cl->Init();

  const TStyleRow& s = kStyles[AStyle];
  if (s.Look) SetLook(*s.Look);
  if (s.REZ) {
    SetREZGradientFrom(s.REZ->From);
    SetREZGradientTo(s.REZ->To);
    if (s.Mirror) {
      SetREZGradientMirrorFrom(s.Mirror->From);
      SetREZGradientMirrorTo(s.Mirror->To);
    }
    if (s.Pass == lpInstead) {
      cl->SetFixedGradientFrom(clNone);
      cl->SetFixedGradientTo(clNone);
    } else {
      cl->SetFixedGradientFrom(s.REZ->From);
      cl->SetFixedGradientTo(s.REZ->To);
      // Only a named mirror reaches the control look (which passes it on).
      if (s.Mirror && s.Mirror->From != clNone) {
        cl->SetFixedGradientMirrorFrom(s.Mirror->From);
        cl->SetFixedGradientMirrorTo(s.Mirror->To);
      }
      // clNone does not reach the grid: it keeps the colours passed on.
      if (s.Pass == lpClear) {
        cl->SetFixedGradientFrom(clNone);
        cl->SetFixedGradientTo(clNone);
      }
    }
  }
  if (s.ActiveCell) {
    SetActiveCellColor(s.ActiveCell->From);
    SetActiveCellColorTo(s.ActiveCell->To);
  }
  if (s.Selection) {
    F.SelectionColor = *s.Selection;
    if (s.SelectionTo) F.SelectionColorTo = *s.SelectionTo;
    F.SelectionTextColor = TColor(0);
  }
  if (s.SelectionStyle) SetSelectionStyle(*s.SelectionStyle);
  if (s.GridLines) {
    SetGridLineColor(s.GridLines->From);
    SetGridFixedLineColor(s.GridLines->To);
  }
  if (s.Footer) {
    FSearchFooter->SetColor(s.Footer->From);
    FSearchFooter->SetColorTo(s.FooterToMirror ? REZGradientMirrorTo() : s.Footer->To);
  }
  for (const TFixedStates& f : kFixedStates) {
    if (f.Style != AStyle) continue;
    cl->SetFixedGradientHoverFrom(f.Hover[0]);
    cl->SetFixedGradientHoverTo(f.Hover[1]);
    cl->SetFixedGradientHoverMirrorFrom(f.Hover[2]);
    cl->SetFixedGradientHoverMirrorTo(f.Hover[3]);
    cl->SetFixedGradientHoverBorder(f.Hover[4]);
    cl->SetFixedGradientDownFrom(f.Down[0]);
    cl->SetFixedGradientDownTo(f.Down[1]);
    cl->SetFixedGradientDownMirrorFrom(f.Down[2]);
    cl->SetFixedGradientDownMirrorTo(f.Down[3]);
    cl->SetFixedGradientDownBorder(f.Down[4]);
    if (f.Header[0]) {
      FSortSettings->SetHeaderColor(*f.Header[0]);
      FSortSettings->SetHeaderColorTo(*f.Header[1]);
      FSortSettings->SetHeaderMirrorColor(*f.Header[2]);
      FSortSettings->SetHeaderMirrorColorTo(*f.Header[3]);
    }
  }
  Repaint();
}

void TProStringGrid::SetComponentStyle(TProStyle AStyle) {
  CheckEnum(AStyle, tsOffice2010Black, "style");
  FComponentStyle = AStyle;
  SetStyle(static_cast<TProGridStyle>(AStyle));
  if (!IsDesigning()) StyleDropDownEditors(AStyle);
  if (AStyle != tsCustom && ScrollType() == ssMetro) SetScrollType(ssNormal);
}

// The drop-down editors of the grid are not part of this build yet: there are
// none to restyle.
void TProStringGrid::StyleDropDownEditors(TProStyle) {}

// ------------------------------------------------------------ colour tones

void TProStringGrid::SetColorTones(const TColorTones& ATones) {
  FTones = ATones;
  SetLook(glClassic);
  SetFlat(true);
  SetScrollType(ssMetro);

  SetFixedColor(ATones.Foreground.BrushColor);
  FixedFont()->SetColor(ATones.Foreground.TextColor);
  FixedFont()->SetName(GetDefaultFontName());
  Font()->SetName(GetDefaultFontName());
  SetColor(ATones.Background.BrushColor);
  Font()->SetColor(ATones.Background.TextColor);

  SetSelectionColor(ATones.Selected.BrushColor);
  SetSelectionTextColor(ATones.Selected.TextColor);
  SetSelectionColorTo(clNone);

  SetGridLineColor(TColor(0xE6E6E6));
  SetGridFixedLineColor(AdjustColorPercent(ATones.Foreground.BrushColor, -20));
  SetBorderStyle(bsNone);

  TControlLook* cl = FControlLook.get();
  cl->SetControlStyle(csGlyph);
  InitProGridGlyphResources();
  const auto glyph = [](const char* Name) {
    auto bmp = std::make_unique<TBitmap>();
    bmp->LoadFromResourceName(HInstance, QString::fromLatin1(Name));
    return bmp;
  };
  cl->SetCheckedGlyph(glyph("metrocheckon").get());
  cl->SetUnCheckedGlyph(glyph("metrocheckoff").get());
  cl->SetRadioOffGlyph(glyph("metroradiooff").get());
  cl->SetRadioOnGlyph(glyph("metroradioon").get());

  if (!IsDesigning()) ApplyEditorColorTones(ATones);
  // The drop-down editors of the grid would take the tones here; none exist in
  // this build.

  cl->SetFlatButton(true);
  FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColor(ATones.Foreground.BrushColor);
  FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
  CellNode()->SetNodeType(cnFlat);
}

void TProStringGrid::ApplyEditorColorTones(const TColorTones& ATones) {
  const auto tone = [&ATones](auto* b) {
    b->SetButtonColor(ATones.Background.BrushColor);
    b->SetButtonColorHot(ATones.Hover.BrushColor);
    b->SetButtonColorDown(ATones.Selected.BrushColor);
    b->SetButtonBorderColor(ATones.Background.BorderColor);
  };
  if (FSpinEdit != nullptr && FSpinEdit->Button() != nullptr) tone(FSpinEdit->Button());
  if (FEditBtn != nullptr && FEditBtn->Button() != nullptr) tone(FEditBtn->Button());
  if (FUnitEditBtn != nullptr && FUnitEditBtn->Button() != nullptr) tone(FUnitEditBtn->Button());
  // The date editor is made on first use; it is made here so it opens toned.
  TGridDatePicker* dp = DateEditor();
  tone(dp);
  dp->SetBorderColor(ATones.Background.BrushColor);
  dp->SetMetroStyle(true);
  if (FEditCombo != nullptr) {
    FEditCombo->ButtonColor = ATones.Background.BrushColor;
    FEditCombo->ButtonColorHot = ATones.Hover.BrushColor;
    FEditCombo->ButtonColorDown = ATones.Selected.BrushColor;
    FEditCombo->ButtonBorderColor = ATones.Background.BorderColor;
    FEditCombo->SetBorderColor(Color());
    FEditCombo->SetFlat(true);
  }
}

// ------------------------------------------------------------ XP schemes

void TProStringGrid::SetTheme(TXPColorScheme Scheme) {
  CheckEnum(Scheme, vistaAero, "colour scheme");
  TControlLook* cl = FControlLook.get();
  if (Scheme == xpNone) {
    SetActiveCellColor(TColor(0xFFFFFF));
    SetActiveCellColorTo(TColor(0xFFD9B3));
    SetREZGradientFrom(TColor(0xFFFFFF));
    SetREZGradientTo(clBtnFace);
    SetREZGradientMirrorFrom(clNone);
    SetREZGradientMirrorTo(clNone);
    cl->SetFixedGradientFrom(clNone);
    cl->SetFixedGradientTo(clNone);
    FSearchFooter->SetColor(TColor(0xFFFFFF));
    FSearchFooter->SetColorTo(TColor(0xFFD9B3));
    return;
  }
  struct TScheme {
    TPair REZ, Mirror, Footer;
  };
  static const TScheme kSchemes[] = {
      {{0xFCE1CB, 0xE0A57D}, None, {0xFCE1CB, 0xE0A57D}},
      {{0xCFF0EA, 0x8CC0B1}, None, {0xCFF0EA, 0x8CC0B1}},
      {{0xECE2E1, 0xB39698}, None, {0xECE2E1, 0xB39698}},
      {{0xFFFFFF, 0xFFFFFF}, {0xFAF8F7, 0xF4F2F1}, {0xECE2E1, 0xB39698}},
  };
  const TScheme& s = kSchemes[Scheme - xpBlue];
  SetREZGradientFrom(s.REZ.From);
  SetREZGradientTo(s.REZ.To);
  SetREZGradientMirrorFrom(s.Mirror.From);
  SetREZGradientMirrorTo(s.Mirror.To);
  SetActiveCellColor(kGold);
  SetActiveCellColorTo(kOrange);
  cl->SetFixedGradientFrom(s.REZ.From);
  cl->SetFixedGradientTo(s.REZ.To);
  FSearchFooter->SetColor(s.Footer.From);
  FSearchFooter->SetColorTo(s.Footer.To);
}

void TProStringGrid::LoadedLooks() {
  if (F.Look == glREZ) {
    F.Look = glCustom;
    SetLook(glREZ);
  }
  if (!F.AutoThemeAdapt || IsDesigning()) return;
  AdaptToTheme();
  if (HandleAllocated()) GetThemeNotifier(this)->RegisterWindow(Handle());
}

void TProStringGrid::AdaptToTheme() {
  if (IsDesigning()) return;
  const TOfficeTheme scheme = DetectOfficeTheme();
  if (scheme == FLastOfficeTheme) return;
  if (scheme >= ot2003Blue && scheme <= ot2010Black) SetComponentStyle(kSchemeStyles[scheme]);
  FLastOfficeTheme = scheme;
}
