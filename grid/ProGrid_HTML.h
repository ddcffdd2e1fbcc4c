// Settings of the string grid's HTML export.
#pragma once

#include <QString>
#include <memory>

#include "controls/ProObj.h"
#include "grid/ProGrid_Options.h"

class THTMLSettings : public TPersistent {
 public:
  THTMLSettings();
  ~THTMLSettings() override;

  // Open the written file in the browser.
  PROGRID_FIELD(bool, AutoPreview)
  // Table BORDER, CELLSPACING and CELLPADDING.
  PROGRID_FIELD(int, BorderSize)
  PROGRID_FIELD(int, CellSpacing)
  PROGRID_FIELD(int, CellPadding)
  // Per-column WIDTH values.
  TIntList* ColWidths() const { return FColWidths.get(); }
  PROGRID_FIELD(bool, ConvertSpecialChars)
  PROGRID_FIELD(bool, ExportImages)
  PROGRID_FIELD(QString, FooterFile)
  PROGRID_FIELD(QString, HeaderFile)
  PROGRID_FIELD(bool, NonBreakingText)
  PROGRID_FIELD(QString, PrefixTag)
  PROGRID_FIELD(QString, SuffixTag)
  PROGRID_FIELD(bool, SaveColor)
  PROGRID_FIELD(bool, SaveFonts)
  PROGRID_FIELD(QString, Summary)
  PROGRID_FIELD(QString, TableStyle)
  // Table WIDTH in percent.
  PROGRID_FIELD(int, Width)
  PROGRID_FIELD(bool, XHTML)

  // Copies every setting except ExportImages and ColWidths.
  void Assign(TPersistent* Source) override;

 private:
  struct Data {
    bool AutoPreview = false;
    int BorderSize = 1, CellSpacing = 0, CellPadding = 0;
    bool ConvertSpecialChars = false, ExportImages = true;
    QString FooterFile, HeaderFile;
    bool NonBreakingText = false;
    QString PrefixTag, SuffixTag;
    bool SaveColor = true, SaveFonts = true;
    QString Summary, TableStyle;
    int Width = 100;
    bool XHTML = false;
  } F;
  std::unique_ptr<TIntList> FColWidths;
};
