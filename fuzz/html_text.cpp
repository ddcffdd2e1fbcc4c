// The mini-HTML text routines as the grid, the hints and the pickers call them on
// cell texts. Input: line 0 the ID of a control or a search text, line 1 a value,
// then the text (every further line). Properties: any text survives
// EncodeHTMLEntities then DecodeHTMLEntities (with and without the named
// entities); a value written into a control with SetControlValue reads back
// with GetControlValue and leaves the other controls alone; an ID no control
// has changes nothing; the match tags InsertMatchTags adds to a text without
// tags or entities come off again with RemoveMatchTags.
#include "FuzzSupport.h"

#include "controls/PsgHTMLE.h"
#include "controls/PsgHTMLE_p.h"

namespace {

// Every control of Text: its ID and value, one line each.
QString ControlValues(const QString& Text) {
  QString out;
  for (const TControlSpan& s : FindControlTags(Text)) out += s.Tag.ID + QLatin1Char('=') + s.Tag.Value + QLatin1Char('\n');
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const Fuzz::TLines in(Data, Size);
  const QString key = in[0];
  const QString value = in[1];
  const QString text = in.From(2);

  for (const bool all : {false, true}) {
    Fuzz::Check("a text survives encoding then decoding", text,
                DecodeHTMLEntities(EncodeHTMLEntities(text, all), all));
    (void)DecodeHTMLEntities(text, all);
  }
  Fuzz::Check("a text encoded with the basic entities decodes with all of them", text,
              DecodeHTMLEntities(EncodeHTMLEntities(text, false), true));

  // The <CONTROL> lookups.
  (void)ParseControlTag(text);
  (void)HasControlTag(text);
  (void)GetNextControlID(text, key);
  (void)ClearRadioControls(text);
  (void)GetControlProp(text, key);
  (void)GetControlMaxLen(text, key);
  const std::vector<TControlSpan> spans = FindControlTags(text);
  QString old;
  const bool found = GetControlValue(text, key, old);
  QString written = text;
  const bool set = SetControlValue(written, key, value);
  Fuzz::Check("SetControlValue finds the control GetControlValue finds", found ? "found" : "absent",
              set ? "found" : "absent");
  if (!set) {
    Fuzz::Check("an ID no control has changes nothing", text, written);
  } else {
    QString back;
    if (!GetControlValue(written, key, back))
      Fuzz::Fail("the control written is found again", key, written);
    Fuzz::Check("a control's value reads back as written", value, back);
    // Only the control written changes.
    const std::vector<TControlSpan> after = FindControlTags(written);
    Fuzz::Check("writing a value keeps the number of controls", QString::number(spans.size()),
                QString::number(after.size()));
    QString expected;
    bool done = false;
    for (const TControlSpan& s : spans) {
      const bool it = !done && s.Tag.ID == key;
      done = done || it;
      expected += s.Tag.ID + QLatin1Char('=') + (it ? value : s.Tag.Value) + QLatin1Char('\n');
    }
    Fuzz::Check("writing a value leaves the other controls alone", expected, ControlValues(written));
  }

  // Tags and search matches.
  (void)StripHTMLTags(text);
  (void)UnbracketHashTags(text);
  (void)LineBreaksToBRTags(text, true);
  for (const bool cs : {false, true}) {
    const QString marked = InsertMatchTags(text, key, QStringLiteral("HI"), cs);
    (void)RemoveMatchTags(marked, QStringLiteral("HI"));
    if (!text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('>')) && !text.contains(QLatin1Char('&')))
      Fuzz::Check("match tags come off again", text, RemoveMatchTags(marked, QStringLiteral("HI")));
  }
  return 0;
}
