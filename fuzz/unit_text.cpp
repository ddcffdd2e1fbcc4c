// The unit edit's split of a text into the value and its unit
// (SetTextAndUnit) and its joining again (TextAndUnit), on a unit edit of a
// shown offscreen form. Input lines: 0 the text, then the units list (one a
// line, empty ones included). Properties: nothing raises; the text and unit
// written and read back are stable: writing what was read gives the same text,
// unit and joined text again.
#include "FuzzSupport.h"

#include <memory>

#include "controls/PSGEdit.h"
#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"

namespace {

TPsgUnitEditBtn* Shown() {
  static TPsgUnitEditBtn* const edit = [] {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 300, 120);
    auto* e = new TPsgUnitEditBtn(form);
    e->SetParent(form);
    e->SetBounds(10, 10, 150, 24);
    form->Show();
    return e;
  }();
  return edit;
}

QString State(TPsgUnitEditBtn* E) { return E->Text() + QStringLiteral("|") + E->UnitID(); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  (void)Shown();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QStringList lines = Fuzz::Text(Data, Size).split(QLatin1Char('\n'));
  const QString text = lines.first();
  TStringList units;
  for (qsizetype i = 1; i < lines.size(); ++i) units.Add(lines.at(i));
  TPsgUnitEditBtn* e = Shown();
  e->SetText(QStringLiteral("0"));
  e->SetUnitID(QString());
  e->SetUnits(&units);

  e->SetTextAndUnit(text);
  const QString first = e->TextAndUnit();
  const QString firstState = State(e);
  e->SetTextAndUnit(first);
  Fuzz::Check("text and unit read back write the same again", first, e->TextAndUnit());
  const QString secondState = State(e);
  e->SetTextAndUnit(e->TextAndUnit());
  Fuzz::Check("the second round gives the same text and unit as the third", secondState, State(e));
  // A text that ends with a unit of the list is split at the unit.
  e->SetText(QStringLiteral("0"));
  e->SetUnitID(QString());
  e->SetTextAndUnit(text);
  Fuzz::Check("the same text splits the same way", firstState, State(e));
  if (e->UnitID().isEmpty()) return 0;
  Fuzz::Check("the unit ends the text", text, e->Text() + e->UnitID());
  return 0;
}
