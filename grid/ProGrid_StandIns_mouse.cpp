// Stand-ins for members that other families of the grid provide; each keeps
// the documented default or raises EProGridError naming the operation, so
// that nothing passes for a success that did not happen. The three editing
// entry points do the least of their documented work (the mouse needs them).
#include "grid/ProGrid.h"
#include "grid/ProGrid_HintWindow_p.h"
#include "platform/gdi/Graphics.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/StdCtrls.h"

// Check boxes and radio buttons.
bool TProStringGrid::HasCheckBox(int, int) { return false; }
bool TProStringGrid::HasRadioButton(int, int) { return false; }
bool TProStringGrid::IsInCheckBox(int, int, int, int) { return false; }
bool TProStringGrid::GetCheckBoxState(int, int, bool&) { return false; }
void TProStringGrid::AddCheckBox(int, int, bool, bool) { NotAvailable("AddCheckBox"); }
bool TProStringGrid::DoToggleCheckBox(int, int, bool) { NotAvailable("DoToggleCheckBox"); }
void TProStringGrid::DoToggleRadioButton(int, int) { NotAvailable("DoToggleRadioButton"); }

// Editor selection and editing entry points.
bool TProStringGrid::IsEditable(int ACol, int ARow) {
  bool can = Options().contains(goEditing) || MouseActions()->RangeSelectAndEdit();
  if (can) CanEditCell(ACol, ARow, can);
  return can;
}
void TProStringGrid::HideInplaceEdit() {
  if (EditorMode()) HideEditor();
}
void TProStringGrid::PostEditDone(WPARAM wParam, LPARAM lParam) {
  if (OnEditingDone) OnEditingDone(this);
  SetEditorMode(false);
  PostMessage(Handle(), GridEditDoneMessage(), wParam, lParam);
}

// Cell combo lists: the grid has no combo editor yet.
TCustomComboBox* TProStringGrid::EditCombo() { return nullptr; }

// Auto-sizing.
void TProStringGrid::AutoSizeCol(int, int) { NotAvailable("AutoSizeCol"); }

// Sorting.
void TProStringGrid::QUnSort() { NotAvailable("QUnSort"); }

// Cell graphics: no cell holds a comment yet.
bool TProStringGrid::IsComment(int, int, QString&) { return false; }

// The mini-HTML renderer: tags dropped, the text laid out by DrawText.
QString HintStripTagsStandIn(const QString& Text) {
  QString out;
  bool inTag = false;
  for (int i = 0; i < Text.size(); ++i) {
    const QChar ch = Text.at(i);
    if (ch == u'<') {
      if (Text.mid(i, 4).compare(QLatin1String("<BR>"), Qt::CaseInsensitive) == 0) out += u'\n';
      inTag = true;
    } else if (ch == u'>' && inTag) {
      inTag = false;
    } else if (!inTag) {
      out += ch;
    }
  }
  return out;
}

void HintDrawHTMLStandIn(TCanvas* Canvas, const TRect& R, const QString& Text, bool MeasureOnly,
                         bool WordWrap, int& XSize, int& YSize) {
  const QString plain = HintStripTagsStandIn(Text);
  TRect r = R;
  const UINT wrap = WordWrap ? DT_WORDBREAK : DT_END_ELLIPSIS;
  YSize = DrawText(Canvas->Handle(), plain, -1, r, DT_CALCRECT | DT_NOPREFIX | wrap);
  XSize = r.Width();
  if (!MeasureOnly) {
    TRect d = R;
    DrawText(Canvas->Handle(), plain, -1, d, DT_NOPREFIX | wrap);
  }
}
