// The rich edit's RTF reader: Lines()->LoadFromStream on the input, as loading
// a file into the control does. Round trip: the RTF the control writes loads
// into a second control that writes the same RTF, and its text and offsets are
// the control's own.
#include "FuzzSupport.h"

#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/widgets/ComCtrls.h"

namespace {

QByteArray Saved(TRichEdit& Edit) {
  TMemoryStream s;
  Edit.Lines()->SaveToStream(&s);
  return s.Bytes();
}

void Load(TRichEdit& Edit, const QByteArray& Bytes) {
  TMemoryStream s;
  s.WriteBuffer(Bytes.constData(), static_cast<int>(Bytes.size()));
  s.SetPosition(0);
  Edit.Lines()->LoadFromStream(&s);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray input = Fuzz::Bytes(Data, Size);
  QString text;
  std::vector<int16_t> offsets;
  ParseRtf(QString::fromLatin1(input), text, offsets);
  if (offsets.size() != static_cast<size_t>(text.size()))
    Fuzz::Fail("one offset per character", QString::number(text.size()), QString::number(offsets.size()));

  TRichEdit first(nullptr);
  Load(first, input);
  const QByteArray rtf = Saved(first);
  TRichEdit second(nullptr);
  Load(second, rtf);
  Fuzz::Check("the RTF written reads back to the same RTF", QString::fromLatin1(rtf), QString::fromLatin1(Saved(second)));
  // Every line break is written as a paragraph, which reads back as CR LF: a
  // lone CR or LF (from "\u10", say) comes back as CR LF.
  const auto lines = [](QString t) {
    return t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  };
  Fuzz::Check("the RTF written holds the control's text", lines(first.Text()), lines(second.Text()));
  return 0;
}
