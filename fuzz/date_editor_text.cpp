// The grid's date editor reading a cell's text, on a grid of a shown offscreen
// form. Input lines: 0 the settings, 1 the cell's text, 2 the picker's Format,
// 3 and 4 MinDate and MaxDate as day numbers ("C" numbers, 0 none). Settings:
// character 0 picks the kind (edDateEdit, edDateEditUpDown, edTimeEdit, by
// value modulo 3). Properties: no text makes the editor raise; Escape leaves
// the cell exactly as it was and the process-wide long time format unchanged;
// a date stored without a Format reads back as a date within the bounds.
#include "FuzzSupport.h"

#include <QScopeGuard>

#include <cmath>

#include "grid/ProGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"

namespace {

struct TGridForm {
  TForm* Form;
  TProStringGrid* Grid;
};

TGridForm& Shown() {
  static TGridForm f = [] {
    TGridForm s{};
    s.Form = new TForm(nullptr);
    s.Form->SetBorderStyle(bsNone);
    s.Form->SetBounds(10, 10, 400, 200);
    s.Grid = new TProStringGrid(s.Form);
    s.Grid->SetParent(s.Form);
    s.Grid->SetBounds(0, 0, 400, 200);
    s.Grid->SetColCount(3);
    s.Grid->SetRowCount(3);
    s.Grid->SetOptions(s.Grid->Options() + TGridOptions{goEditing});
    s.Grid->DateEditorClock = [] { return EncodeDate(2025, 3, 14) + 0.5; };
    s.Form->Show();
    return s;
  }();
  return f;
}

// A day number of the input, or 0 when it is none the picker takes.
double Day(const QString& S) {
  bool ok = false;
  const double v = S.toDouble(&ok);
  if (!ok || !std::isfinite(v) || v < 2 || v > 2900000) return 0;
  return std::trunc(v);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // Posted repaints are handled after every input, so the queue does not grow.
  const auto handled = qScopeGuard([] { Fuzz::ProcessEvents(); });
  const Fuzz::TLines in(Data, Size);
  // Four-digit years, so that every stored date names its century again.
  TFormatSettings fourDigits = TFormatSettings::Create();
  fourDigits.ShortDateFormat = QStringLiteral("M/d/yyyy");
  TScopedFormatSettings locale(fourDigits);
  TGridForm& f = Shown();
  TProStringGrid* g = f.Grid;
  static const TEditorType kinds[] = {edDateEdit, edDateEditUpDown, edTimeEdit};
  const TEditorType kind = kinds[in.CharAt(0, 0, QChar(u'0')).unicode() % 3];
  g->OnGetEditorType = [kind](TObject*, int, int, TEditorType& E) { E = kind; };
  TGridDatePicker* dp = g->DateEditor();
  dp->SetMinDate(0);
  dp->SetMaxDate(0);
  const double lo = Day(in[3]), hi = Day(in[4]);
  if (hi != 0) dp->SetMaxDate(hi);
  if (lo != 0 && (hi == 0 || lo <= hi)) dp->SetMinDate(lo);
  const QString format = in[2];
  dp->SetFormat(format);
  const QString text = in[1];
  const QString longTime = FormatSettings.LongTimeFormat;

  // Opened and cancelled: the cell keeps its text.
  g->SetCells(1, 1, text);
  g->SetCol(1);
  g->SetRow(1);
  if (!g->Focused()) g->SetFocus();
  g->ShowInplaceEdit();
  if (!dp->Visible()) Fuzz::Fail("the date editor opens", text, QString());
  if (dp->Visible() && dp->HandleAllocated()) SendMessage(dp->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  g->HideInplaceEdit();
  Fuzz::Check("Escape leaves the cell as it was", text, g->Cells(1, 1));

  // Opened and stored: without a Format a date reads back within the bounds.
  g->ShowInplaceEdit();
  if (!dp->Visible()) Fuzz::Fail("the date editor opens again", text, QString());
  g->HideInplaceEdit();
  Fuzz::Check("the long time format is given back", longTime, FormatSettings.LongTimeFormat);
  if (kind != edTimeEdit && format.isEmpty()) {
    TDateTime d = 0;
    const QString stored = g->Cells(1, 1);
    if (!TryStrToDate(stored, d)) Fuzz::Fail("the stored text is a date", text, stored);
    if ((dp->MinDate() != 0 && d < std::trunc(dp->MinDate())) || (dp->MaxDate() != 0 && d > dp->MaxDate()))
      Fuzz::Fail("the stored date lies within the bounds", in[3] + " .. " + in[4], stored);
  }
  return 0;
}
