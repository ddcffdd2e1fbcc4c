// CommaText and DelimitedText of a string list. Input: one byte of options
// (bit 0 strict delimiter), the delimiter and quote characters (UTF-8), a
// newline, then the text read. Round trip: the text the list writes reads back
// to the same items, for CommaText and for the chosen DelimitedText.
#include "FuzzSupport.h"

#include "platform/rtl/Classes.h"

namespace {

QString Items(const TStrings& List) {
  QString out;
  for (int i = 0; i < List.Count(); ++i) out += QStringLiteral("[%1]").arg(List[i]);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const Fuzz::TLines lines(Data, Size);
  const QString head = lines[0];
  const QString text = lines.From(1);

  TStringList comma;
  comma.SetCommaText(text);
  TStringList commaBack;
  commaBack.SetCommaText(comma.CommaText());
  Fuzz::Check("CommaText reads back to the same items", Items(comma), Items(commaBack));

  TStringList list;
  list.SetStrictDelimiter(!head.isEmpty() && (head.at(0).unicode() & 1));
  list.SetDelimiter(lines.CharAt(0, 1, QLatin1Char(',')));
  list.SetQuoteChar(lines.CharAt(0, 2, QLatin1Char('"')));
  list.SetDelimitedText(text);
  // The round trip needs characters the reader can tell apart: a delimiter
  // that is also the quote character, or a quote character the reader skips
  // as a blank, is no setting a program uses.
  if (list.Delimiter() == list.QuoteChar() || list.QuoteChar().unicode() <= u' ') return 0;
  if (!list.StrictDelimiter() && list.Delimiter().unicode() <= u' ') return 0;
  TStringList back;
  back.SetStrictDelimiter(list.StrictDelimiter());
  back.SetDelimiter(list.Delimiter());
  back.SetQuoteChar(list.QuoteChar());
  back.SetDelimitedText(list.DelimitedText());
  Fuzz::Check("DelimitedText reads back to the same items", Items(list), Items(back));
  return 0;
}
