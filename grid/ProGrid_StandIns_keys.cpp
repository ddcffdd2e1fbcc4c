// Stand-ins for members of other families that the keyboard needs before
// those families are in. Each answers the documented default, or raises
// EProGridError naming the operation.
#include "grid/ProGrid.h"
#include "platform/ui/Clipbrd.h"

// --- clipboard services ---

void TProStringGrid::CopySelectionToClipboard() {
  const TGridRect s = Selection();
  QStringList lines;
  for (int r = s.Top; r <= s.Bottom; ++r) {
    QStringList cells;
    for (int c = s.Left; c <= s.Right; ++c) cells << Cells(RealColIndex(c), r);
    lines << cells.join(u'\t');
  }
  Clipboard()->SetAsText(lines.join(QStringLiteral("\r\n")));
}
void TProStringGrid::CutSelectionToClipboard() { NotAvailable("CutSelectionToClipboard"); }
void TProStringGrid::PasteSelectionFromClipboard() { NotAvailable("PasteSelectionFromClipboard"); }
