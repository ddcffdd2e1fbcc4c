// The grid's special cell editors reading a cell's text: the four spins, the
// edit-with-button kinds and the unit kinds of a column grid on a shown
// offscreen form under a "." or a "," locale. Input lines: 0 the settings,
// 1 the cell's text, 2 characters typed into the open editor, 3 the units of
// the unit editor (comma text). Settings: character 0 holds the column
// (modulo the number of kinds), the "," locale (bit 4) and whether the editor
// is left with Escape (bit 5) or Enter. Properties: nothing raises; Escape
// gives the cell back its text exactly; Enter on an edit-with-button or unit
// cell with nothing typed leaves a text without line breaks as it was; Enter
// on the integer spin leaves a number within the column's bounds.
#include "FuzzSupport.h"

#include <QScopeGuard>

#include <cstdio>

#include "grid/ProCGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WinApi.h"

namespace {

const TEditorType kKinds[] = {edSpinEdit,       edFloatSpinEdit,      edTimeSpinEdit,    edDateSpinEdit,
                              edEditBtn,        edNumericEditBtn,     edFloatEditBtn,    edUnitEditBtn,
                              edNumericUnitEditBtn, edFloatUnitEditBtn};
constexpr int kCount = int(sizeof(kKinds) / sizeof(kKinds[0]));

TProColumnGrid* Shown() {
  static TProColumnGrid* const grid = [] {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(bsNone);
    form->SetBounds(10, 10, 1000, 200);
    auto* g = new TProColumnGrid(form);
    g->SetParent(form);
    g->SetBounds(0, 0, 980, 180);
    g->SetColCount(kCount + 1);
    g->SetRowCount(3);
    g->SetEditWithTags(true);
    g->SetOptions(g->Options() + goEditing);
    for (int c = 0; c < kCount; ++c) {
      TGridColumnItem* item = g->Columns()->Items(c + 1);
      item->SetEditor(kKinds[c]);
      item->SetSpinMin(0);
      item->SetSpinMax(100);
      item->SetSpinStep(7);
    }
    form->Show();
    return g;
  }();
  return grid;
}

void Key(TWinControl* C, Word K) {
  C->Perform(WM_KEYDOWN, K, 0);
  if (C->HandleAllocated() && C->Visible()) C->Perform(WM_KEYUP, K, 0);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  (void)Shown();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // Posted repaints are handled after every input, so the queue does not grow.
  const auto handled = qScopeGuard([] { Fuzz::ProcessEvents(); });
  const Fuzz::TLines lines(Data, Size);
  const ushort settings = lines.CharAt(0, 0, QChar(0)).unicode();
  const int col = settings % kCount + 1;
  const TEditorType kind = kKinds[col - 1];
  const bool escape = (settings & 32) != 0;
  TScopedFormatSettings locale(Fuzz::Locale((settings & 16) != 0));
  const QString text = lines[1];
  const QString typed = lines[2];
  TProColumnGrid* g = Shown();
  g->UnitEditBtn()->Units()->SetCommaText(lines[3]);

  if (g->EditMode()) g->HideInplaceEdit();
  g->SetCells(col, 1, text);
  g->SetCol(col);
  g->SetRow(1);
  g->SetFocus();
  Application->ProcessMessages();
  Key(g, VK_F2);
  TWinControl* editor = g->EditCtrl();
  if (editor == nullptr || !g->EditMode()) {
    std::fprintf(stderr, "focused %d editing %d col %d row %d\n", g->Focused(), g->Options().contains(goEditing),
                 g->Col(), g->Row());
    Fuzz::Fail("an editor opens", QStringLiteral("open"), text);
  }
  for (QChar ch : typed)
    if (ch.unicode() >= 32) editor->Perform(WM_CHAR, ch.unicode(), 0);
  Key(editor, escape ? VK_ESCAPE : VK_RETURN);
  if (g->EditMode() && editor->Visible()) g->HideInplaceEdit();

  const QString stored = g->Cells(col, 1);
  if (escape) {
    Fuzz::Check("Escape gives the cell back its text", text, stored);
    return 0;
  }
  const bool kept = kind == edEditBtn || kind == edUnitEditBtn || kind == edNumericEditBtn ||
                    kind == edFloatEditBtn || kind == edNumericUnitEditBtn || kind == edFloatUnitEditBtn;
  if (kept && typed.isEmpty() && !text.contains(u'\n') && !text.contains(u'\r'))
    Fuzz::Check("an edit left untouched keeps the cell's text", text, stored);
  if (kind == edSpinEdit) {
    int v = 0;
    if (!TryStrToInt(stored, v) || v < 0 || v > 100)
      Fuzz::Fail("the integer spin stores a number within its bounds", QStringLiteral("0..100"), stored);
  }
  return 0;
}
