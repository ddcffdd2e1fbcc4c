// Print settings of the string grid and their form in an INI file section.
#pragma once

#include <QString>
#include <memory>

#include "grid/ProGrid_Options.h"

class TCustomIniFile;

enum TPrintPosition {
  ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter
};
enum TPrintBorders {
  pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical,
  pbAroundHorizontal, pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
// The printer's orientation (the framework's printer unit names it so).
enum TPrinterOrientation { poPortrait, poLandscape };

// Everything that shapes a printed or previewed grid. Sizes are in 0.1 mm.
class TPrintSettings : public TPersistent {
 public:
  explicit TPrintSettings(TProStringGrid* AGrid);
  ~TPrintSettings() override;

  // Fonts of normal and fixed cells (unless UseDisplayFont), of the page header
  // and top titles, of the page footer and bottom titles. Setters copy.
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TFont* FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }
  TFont* FooterFont() const { return FFooterFont.get(); }
  void SetFooterFont(TFont* Value) { FFooterFont->Assign(Value); }
  // Multi-line title (mini-HTML allowed) used when TitleText is empty; the
  // setter copies the lines.
  TStringList* TitleLines() const { return FTitleLines.get(); }
  void SetTitleLines(TStrings* Value) { FTitleLines->Assign(Value); }

  PROGRID_FIELD(bool, UseDisplayFont)
  PROGRID_FIELD(TPrintPosition, Time)
  PROGRID_FIELD(TPrintPosition, Date)
  PROGRID_FIELD(QString, DateFormat)
  PROGRID_FIELD(TPrintPosition, PageNr)
  PROGRID_FIELD(QString, PagePrefix)
  PROGRID_FIELD(QString, PageSuffix)
  // Between page number and page count; empty prints the page number alone.
  PROGRID_FIELD(QString, PageNumSep)
  PROGRID_FIELD(int, PageNumberOffset)
  PROGRID_FIELD(int, MaxPagesOffset)
  PROGRID_FIELD(TPrintPosition, Title)
  PROGRID_FIELD(QString, TitleText)
  PROGRID_FIELD(int, TitleSpacing)
  PROGRID_FIELD(int, HeaderSize)
  PROGRID_FIELD(int, FooterSize)
  PROGRID_FIELD(int, LeftSize)
  PROGRID_FIELD(int, RightSize)
  PROGRID_FIELD(int, ColumnSpacing)
  PROGRID_FIELD(int, RowSpacing)
  PROGRID_FIELD(bool, Centered)
  PROGRID_FIELD(bool, RepeatFixedRows)
  PROGRID_FIELD(bool, RepeatFixedCols)
  // When only the selection is printed, print the fixed rows and columns too.
  PROGRID_FIELD(bool, FixedCellsAlways)
  PROGRID_FIELD(TPrintBorders, Borders)
  PROGRID_FIELD(TPenStyle, BorderStyle)
  PROGRID_FIELD(TColor, BorderColor)
  PROGRID_FIELD(TFitToPage, FitToPage)
  PROGRID_FIELD(bool, NoAutoSize)
  PROGRID_FIELD(bool, NoAutoSizeRow)
  PROGRID_FIELD(bool, UseFixedWidth)
  PROGRID_FIELD(int, FixedWidth)
  PROGRID_FIELD(bool, UseFixedHeight)
  PROGRID_FIELD(int, FixedHeight)
  PROGRID_FIELD(bool, PrintGraphics)
  PROGRID_FIELD(TPrinterOrientation, Orientation)
  PROGRID_FIELD(bool, UseDefaultOrientation)
  PROGRID_FIELD(QString, JobName)

  // Copies every setting except FixedCellsAlways (fonts and title lines by
  // value). Another source raises the framework's "Cannot assign" error.
  void Assign(TPersistent* Source) override;

  // Writes the settings as keys of Section (FixedFont, JobName, the two page
  // offsets, NoAutoSizeRow and FixedCellsAlways are not stored).
  void SaveToIni(TCustomIniFile* Ini, const QString& Section) const;
  // Reads the keys of Section; a missing key gives its stored-form default
  // (margins 100, spacings 20, fonts "Arial" 10 ...), an out-of-range
  // enumeration value leaves the setting as it is.
  void LoadFromIni(TCustomIniFile* Ini, const QString& Section);

  TProStringGrid* Grid() const { return FGrid; }

 private:
  TProStringGrid* FGrid;
  std::unique_ptr<TFont> FFont, FFixedFont, FHeaderFont, FFooterFont;
  std::unique_ptr<TStringList> FTitleLines;
  struct Data {
    bool UseDisplayFont = true;
    TPrintPosition Time = ppNone, Date = ppNone;
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintPosition PageNr = ppNone;
    QString PagePrefix, PageSuffix;
    QString PageNumSep = QStringLiteral("/");
    int PageNumberOffset = 0, MaxPagesOffset = 0;
    TPrintPosition Title = ppNone;
    QString TitleText;
    int TitleSpacing = 0, HeaderSize = 0, FooterSize = 0, LeftSize = 0, RightSize = 0,
        ColumnSpacing = 0, RowSpacing = 0;
    bool Centered = true, RepeatFixedRows = false, RepeatFixedCols = false,
         FixedCellsAlways = false;
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    TColor BorderColor = 0;
    TFitToPage FitToPage = fpNever;
    bool NoAutoSize = false, NoAutoSizeRow = false, UseFixedWidth = false;
    int FixedWidth = 0;
    bool UseFixedHeight = false;
    int FixedHeight = 0;
    bool PrintGraphics = false;
    TPrinterOrientation Orientation = poPortrait;
    bool UseDefaultOrientation = false;
    QString JobName;
  } F;
};
