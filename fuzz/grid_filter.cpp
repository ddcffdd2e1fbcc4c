// The base grid's filter expressions: MatchFilterExpression with the input's
// first line as the expression and the second as the cell value, with and
// without case; the third line's characters set the locale's decimal,
// thousand and date separators and its rest the short date format.
#include "FuzzSupport.h"

#include "controls/ProUtil.h"
#include "platform/rtl/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const Fuzz::TLines lines(Data, Size);
  const TFormatSettings saved = FormatSettings;
  FormatSettings.DecimalSeparator = lines.CharAt(2, 0, saved.DecimalSeparator);
  FormatSettings.ThousandSeparator = lines.CharAt(2, 1, saved.ThousandSeparator);
  FormatSettings.DateSeparator = lines.CharAt(2, 2, saved.DateSeparator);
  if (lines[2].size() > 3) FormatSettings.ShortDateFormat = lines[2].mid(3);
  (void)MatchFilterExpression(lines[0], lines[1], false);
  (void)MatchFilterExpression(lines[0], lines[1], true);
  FormatSettings = saved;
  return 0;
}
