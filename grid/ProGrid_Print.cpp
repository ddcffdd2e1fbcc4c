// Print settings and their INI form.
#include "grid/ProGrid_Print.h"

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/rtl/IniFiles.h"

TPrintSettings::TPrintSettings(TProStringGrid* AGrid)
    : FGrid(AGrid),
      FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>()) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPrintSettings*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  const bool fixedCellsAlways = F.FixedCellsAlways;
  F = src->F;
  F.FixedCellsAlways = fixedCellsAlways;
  FFont->Assign(src->FFont.get());
  FFixedFont->Assign(src->FFixedFont.get());
  FHeaderFont->Assign(src->FHeaderFont.get());
  FFooterFont->Assign(src->FFooterFont.get());
  FTitleLines->Assign(src->FTitleLines.get());
}

// ------------------------------------------------------------------ INI form

namespace {

QString YesNo(bool Value) { return Value ? QStringLiteral("Y") : QStringLiteral("N"); }

bool ReadYes(TCustomIniFile* Ini, const QString& Section, const QString& Key, const char* Default) {
  return Ini->ReadString(Section, Key, QString::fromLatin1(Default)) == QLatin1String("Y");
}

// Style bits of the stored form: 1 bold, 2 italic, 4 underline, 8 strike-out.
int StyleBits(TFontStyles Style) {
  return (Style.contains(fsBold) ? 1 : 0) | (Style.contains(fsItalic) ? 2 : 0) |
         (Style.contains(fsUnderline) ? 4 : 0) | (Style.contains(fsStrikeOut) ? 8 : 0);
}

TFontStyles StyleFromBits(int Bits) {
  TFontStyles style;
  if (Bits & 1) style.Include(fsBold);
  if (Bits & 2) style.Include(fsItalic);
  if (Bits & 4) style.Include(fsUnderline);
  if (Bits & 8) style.Include(fsStrikeOut);
  return style;
}

void SaveFont(TCustomIniFile* Ini, const QString& Section, const QString& Prefix, TFont* Font) {
  Ini->WriteString(Section, Prefix + QStringLiteral("Name"), Font->Name());
  Ini->WriteInteger(Section, Prefix + QStringLiteral("Size"), Font->Size());
  Ini->WriteInteger(Section, Prefix + QStringLiteral("Style"), StyleBits(Font->Style()));
  Ini->WriteInteger(Section, Prefix + QStringLiteral("Color"), Font->Color());
}

void LoadFont(TCustomIniFile* Ini, const QString& Section, const QString& Prefix, TFont* Font) {
  Font->SetName(Ini->ReadString(Section, Prefix + QStringLiteral("Name"), QStringLiteral("Arial")));
  Font->SetSize(Ini->ReadInteger(Section, Prefix + QStringLiteral("Size"), 10));
  // The stored bits are the font's whole style: a style the font had before
  // but the file does not name is dropped, so that what was saved comes back.
  Font->SetStyle(StyleFromBits(Ini->ReadInteger(Section, Prefix + QStringLiteral("Style"), 0)));
  Font->SetColor(Ini->ReadInteger(Section, Prefix + QStringLiteral("Color"), 0));
}

// An ordinal read into Field only when it lies in 0..Max.
template <typename E>
void LoadOrdinal(TCustomIniFile* Ini, const QString& Section, const char* Key, int Max, E& Field) {
  const int v = Ini->ReadInteger(Section, QString::fromLatin1(Key), 0);
  if (v >= 0 && v <= Max) Field = E(v);
}

TPrintPosition LoadPosition(TCustomIniFile* Ini, const QString& Section, const char* Key) {
  const int v = Ini->ReadInteger(Section, QString::fromLatin1(Key), 0);
  return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
}

}  // namespace

void TPrintSettings::SaveToIni(TCustomIniFile* Ini, const QString& S) const {
  Ini->WriteInteger(S, QStringLiteral("ColumnSpacing"), F.ColumnSpacing);
  Ini->WriteInteger(S, QStringLiteral("RowSpacing"), F.RowSpacing);
  Ini->WriteInteger(S, QStringLiteral("TitleSpacing"), F.TitleSpacing);
  Ini->WriteInteger(S, QStringLiteral("FixedHeight"), F.FixedHeight);
  Ini->WriteInteger(S, QStringLiteral("FixedWidth"), F.FixedWidth);
  Ini->WriteString(S, QStringLiteral("Centered"), YesNo(F.Centered));
  Ini->WriteString(S, QStringLiteral("NoAutoSize"), YesNo(F.NoAutoSize));
  Ini->WriteString(S, QStringLiteral("UseFixedHeight"), YesNo(F.UseFixedHeight));
  Ini->WriteString(S, QStringLiteral("UseFixedWidth"), YesNo(F.UseFixedWidth));
  Ini->WriteString(S, QStringLiteral("RepeatFixedRows"), YesNo(F.RepeatFixedRows));
  Ini->WriteString(S, QStringLiteral("RepeatFixedCols"), YesNo(F.RepeatFixedCols));
  Ini->WriteString(S, QStringLiteral("UseDisplFont"), YesNo(F.UseDisplayFont));
  Ini->WriteString(S, QStringLiteral("UseDefOrientation"), YesNo(F.UseDefaultOrientation));
  Ini->WriteInteger(S, QStringLiteral("Borders"), F.Borders);
  Ini->WriteInteger(S, QStringLiteral("BorderColor"), F.BorderColor);
  Ini->WriteInteger(S, QStringLiteral("BorderStyle"), F.BorderStyle);
  Ini->WriteInteger(S, QStringLiteral("Date"), F.Date);
  Ini->WriteInteger(S, QStringLiteral("PageNr"), F.PageNr);
  Ini->WriteInteger(S, QStringLiteral("Title"), F.Title);
  Ini->WriteInteger(S, QStringLiteral("Time"), F.Time);
  Ini->WriteString(S, QStringLiteral("DateFormat"), F.DateFormat);
  Ini->WriteString(S, QStringLiteral("TitleText"), F.TitleText);
  Ini->WriteInteger(S, QStringLiteral("FooterSize"), F.FooterSize);
  Ini->WriteInteger(S, QStringLiteral("HeaderSize"), F.HeaderSize);
  Ini->WriteInteger(S, QStringLiteral("LeftSize"), F.LeftSize);
  Ini->WriteInteger(S, QStringLiteral("RightSize"), F.RightSize);
  Ini->WriteInteger(S, QStringLiteral("FitToPage"), F.FitToPage);
  SaveFont(Ini, S, QStringLiteral("Font"), FFont.get());
  SaveFont(Ini, S, QStringLiteral("HeaderFont"), FHeaderFont.get());
  SaveFont(Ini, S, QStringLiteral("FooterFont"), FFooterFont.get());
  Ini->WriteString(S, QStringLiteral("PageNumSep"), F.PageNumSep);
  Ini->WriteString(S, QStringLiteral("PageSuffix"), F.PageSuffix);
  Ini->WriteString(S, QStringLiteral("PagePrefix"), F.PagePrefix);
  Ini->WriteInteger(S, QStringLiteral("Orientation"), F.Orientation);
  // One value: each line followed by "\n" as two characters.
  Ini->WriteString(S, QStringLiteral("TitleLines"), EscapeLineBreaks(FTitleLines->Text()));
  Ini->WriteString(S, QStringLiteral("PrintGraphics"), YesNo(F.PrintGraphics));
}

void TPrintSettings::LoadFromIni(TCustomIniFile* Ini, const QString& S) {
  F.ColumnSpacing = Ini->ReadInteger(S, QStringLiteral("ColumnSpacing"), 20);
  F.RowSpacing = Ini->ReadInteger(S, QStringLiteral("RowSpacing"), 20);
  F.TitleSpacing = Ini->ReadInteger(S, QStringLiteral("TitleSpacing"), 20);
  F.FixedHeight = Ini->ReadInteger(S, QStringLiteral("FixedHeight"), 0);
  F.FixedWidth = Ini->ReadInteger(S, QStringLiteral("FixedWidth"), 0);
  F.Centered = ReadYes(Ini, S, QStringLiteral("Centered"), "Y");
  F.NoAutoSize = ReadYes(Ini, S, QStringLiteral("NoAutoSize"), "N");
  F.UseFixedHeight = ReadYes(Ini, S, QStringLiteral("UseFixedHeight"), "N");
  F.UseFixedWidth = ReadYes(Ini, S, QStringLiteral("UseFixedWidth"), "N");
  F.RepeatFixedRows = ReadYes(Ini, S, QStringLiteral("RepeatFixedRows"), "N");
  F.RepeatFixedCols = ReadYes(Ini, S, QStringLiteral("RepeatFixedCols"), "N");
  F.UseDisplayFont = ReadYes(Ini, S, QStringLiteral("UseDisplFont"), "N");
  F.UseDefaultOrientation = ReadYes(Ini, S, QStringLiteral("UseDefOrientation"), "N");
  F.DateFormat = Ini->ReadString(S, QStringLiteral("DateFormat"), QString());
  F.TitleText = Ini->ReadString(S, QStringLiteral("TitleText"), QString());
  F.FooterSize = Ini->ReadInteger(S, QStringLiteral("FooterSize"), 100);
  F.HeaderSize = Ini->ReadInteger(S, QStringLiteral("HeaderSize"), 100);
  F.LeftSize = Ini->ReadInteger(S, QStringLiteral("LeftSize"), 100);
  F.RightSize = Ini->ReadInteger(S, QStringLiteral("RightSize"), 100);
  F.PageNumSep = Ini->ReadString(S, QStringLiteral("PageNumSep"), QString());
  F.PageSuffix = Ini->ReadString(S, QStringLiteral("PageSuffix"), QString());
  F.PagePrefix = Ini->ReadString(S, QStringLiteral("PagePrefix"), QString());
  F.PrintGraphics = ReadYes(Ini, S, QStringLiteral("PrintGraphics"), "N");
  LoadOrdinal(Ini, S, "Borders", pbCustom, F.Borders);
  LoadOrdinal(Ini, S, "BorderStyle", psInsideFrame, F.BorderStyle);
  F.BorderColor = Ini->ReadInteger(S, QStringLiteral("BorderColor"), 0);
  F.Date = LoadPosition(Ini, S, "Date");
  F.PageNr = LoadPosition(Ini, S, "PageNr");
  F.Title = LoadPosition(Ini, S, "Title");
  F.Time = LoadPosition(Ini, S, "Time");
  LoadOrdinal(Ini, S, "FitToPage", fpCustom, F.FitToPage);
  LoadFont(Ini, S, QStringLiteral("Font"), FFont.get());
  LoadFont(Ini, S, QStringLiteral("HeaderFont"), FHeaderFont.get());
  LoadFont(Ini, S, QStringLiteral("FooterFont"), FFooterFont.get());
  FTitleLines->SetText(
      UnescapeLineBreaks(Ini->ReadString(S, QStringLiteral("TitleLines"), QString())));
  LoadOrdinal(Ini, S, "Orientation", poLandscape, F.Orientation);
}
