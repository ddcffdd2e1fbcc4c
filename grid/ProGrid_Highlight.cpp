// Highlighting, error marking and checking of cell text. Highlights and marks
// are mini-HTML tags written into the cell text: the cell text is entity-encoded
// and the matches wrapped; removing them takes the tags out and decodes once,
// so that a highlight followed by its removal gives back the cell byte for byte.
// Cells without a match (or without a tag to remove) are never rewritten.
#include "grid/ProGrid_Highlight.h"

#include "controls/PsgCheck.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"

namespace {

const QString kHilightTag = QStringLiteral("hi");
const QString kMarkTag = QStringLiteral("e");

// S without the opening and closing tags named Tag; nothing else changes.
QString RemoveTags(const QString& S, const QString& Tag) {
  QString r = S;
  r.remove(QLatin1Char('<') + Tag + QLatin1Char('>'), Qt::CaseInsensitive);
  r.remove(QStringLiteral("</") + Tag + QLatin1Char('>'), Qt::CaseInsensitive);
  return r;
}

}  // namespace

QString HilightText(bool DoCase, const QString& S, const QString& Text) {
  return InsertMatchTags(S, Text, kHilightTag, DoCase);
}
QString UnHilightText(const QString& S) { return RemoveTags(S, kHilightTag); }
QString MarkText(bool DoCase, const QString& S, const QString& Text) {
  return InsertMatchTags(S, Text, kMarkTag, DoCase);
}
QString UnMarkText(const QString& S) { return RemoveTags(S, kMarkTag); }

// ---------------------------------------------------------------------------
// Workers

// The text the tags are put into: as shown when a display hook is set, else as stored.
QString TProStringGrid::TagCellText(int ACol, int ARow) {
  return OnGetDisplText ? AllCells(ACol, ARow) : AllGridCells(ACol, ARow);
}

void TProStringGrid::InsertTagsInRange(const QString& HiText, const QString& Tag, bool DoCase,
                                       int FromCol, int FromRow, int ToCol, int ToRow) {
  if (HiText.isEmpty()) return;
  const QString search = EncodeHTMLEntities(HiText, false);
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) {
      if (!IsBaseCell(c, r)) continue;
      const QString encoded = EncodeHTMLEntities(TagCellText(c, r), false);
      const QString tagged = InsertMatchTags(encoded, search, Tag, DoCase);
      if (tagged != encoded) SetAllCells(c, r, tagged);
    }
}

void TProStringGrid::RemoveTagsInRange(const QString& Tag, int FromCol, int FromRow, int ToCol,
                                       int ToRow) {
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c) {
      if (!IsBaseCell(c, r)) continue;
      const QString text = TagCellText(c, r);
      const QString untagged = RemoveTags(text, Tag);
      if (untagged != text) SetAllCells(c, r, DecodeHTMLEntities(untagged, false));
    }
}

// ---------------------------------------------------------------------------
// Ranges of the highlight and mark operations. An operation either reaches the
// cells of hidden columns as well (its range is one of real column indexes,
// normal columns running from FixedCols to ColCount - FixedRightCols - 1 +
// hidden) or only the shown columns of its range (each display column taken to
// its real index), so that a hidden column never takes the place of a shown one.

namespace {

// The display columns FromCol..ToCol, each at its real index.
void InsertInShownCols(TProStringGrid& G, const QString& Tag, bool DoCase, const QString& T, int FromCol,
                       int FromRow, int ToCol, int ToRow) {
  for (int d = FromCol; d <= ToCol; ++d) {
    const int c = G.RealColIndex(d);
    G.InsertTagsInRange(T, Tag, DoCase, c, FromRow, c, ToRow);
  }
}

void InsertInCol(TProStringGrid& G, const QString& Tag, bool DoFixed, bool DoCase, int Col,
                 const QString& T) {
  G.InsertTagsInRange(T, Tag, DoCase, Col, DoFixed ? 0 : G.FixedRows(), Col,
                      DoFixed ? G.RowCount() - 1 : G.RowCount() - G.FixedFooters() - 1);
}

void InsertInRow(TProStringGrid& G, const QString& Tag, bool DoFixed, bool DoCase, int Row,
                 const QString& T) {
  InsertInShownCols(G, Tag, DoCase, T, DoFixed ? 0 : G.FixedCols(), Row,
                    DoFixed ? G.ColCount() - 1 : G.ColCount() - G.FixedRightCols() - 1, Row);
}

// Hidden: the cells of hidden columns are included.
void InsertInGrid(TProStringGrid& G, const QString& Tag, bool DoFixed, bool DoCase, const QString& T,
                  bool Hidden) {
  const int fromRow = DoFixed ? 0 : G.FixedRows();
  const int toRow = DoFixed ? G.RowCount() - 1 : G.RowCount() - G.FixedFooters() - 1;
  const int fromCol = DoFixed ? 0 : G.FixedCols();
  const int toCol = DoFixed ? G.ColCount() - 1 : G.ColCount() - G.FixedRightCols() - 1;
  if (Hidden)
    G.InsertTagsInRange(T, Tag, DoCase, fromCol, fromRow, toCol + G.NumHiddenColumns(), toRow);
  else
    InsertInShownCols(G, Tag, DoCase, T, fromCol, fromRow, toCol, toRow);
}

void RemoveInCol(TProStringGrid& G, const QString& Tag, bool DoFixed, int Col) {
  G.RemoveTagsInRange(Tag, Col, DoFixed ? 0 : G.FixedRows(), Col,
                      DoFixed ? G.RowCount() - 1 : G.RowCount() - G.FixedFooters() - 1);
}

void RemoveInRow(TProStringGrid& G, const QString& Tag, bool DoFixed, int Row) {
  G.RemoveTagsInRange(Tag, DoFixed ? 0 : G.FixedCols(), Row,
                      (DoFixed ? G.ColCount() - 1 : G.ColCount() - G.FixedRightCols() - 1) +
                          G.NumHiddenColumns(),
                      Row);
}

void RemoveInGrid(TProStringGrid& G, const QString& Tag, bool DoFixed) {
  if (DoFixed)
    G.RemoveTagsInRange(Tag, 0, 0, G.ColCount() - 1 + G.NumHiddenColumns(), G.RowCount() - 1);
  else
    G.RemoveTagsInRange(Tag, G.FixedCols(), G.FixedRows(),
                        G.ColCount() - G.FixedRightCols() - 1 + G.NumHiddenColumns(),
                        G.RowCount() - G.FixedFooters() - 1);
}

}  // namespace

void TProStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText) {
  InsertTagsInRange(HiText, kHilightTag, DoCase, Col, Row, Col, Row);
}
void TProStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText) {
  InsertInCol(*this, kHilightTag, DoFixed, DoCase, Col, HiText);
}
void TProStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText) {
  InsertInRow(*this, kHilightTag, DoFixed, DoCase, Row, HiText);
}
void TProStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText) {
  InsertInGrid(*this, kHilightTag, DoFixed, DoCase, HiText, true);
}
void TProStringGrid::UnHilightInCell(int Col, int Row) {
  RemoveTagsInRange(kHilightTag, Col, Row, Col, Row);
}
void TProStringGrid::UnHilightInCol(bool DoFixed, int Col) { RemoveInCol(*this, kHilightTag, DoFixed, Col); }
void TProStringGrid::UnHilightInRow(bool DoFixed, int Row) { RemoveInRow(*this, kHilightTag, DoFixed, Row); }
void TProStringGrid::UnHilightInGrid(bool DoFixed) { RemoveInGrid(*this, kHilightTag, DoFixed); }

void TProStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText) {
  InsertTagsInRange(HiText, kMarkTag, DoCase, Col, Row, Col, Row);
}
void TProStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText) {
  InsertInCol(*this, kMarkTag, DoFixed, DoCase, Col, HiText);
}
void TProStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText) {
  InsertInRow(*this, kMarkTag, DoFixed, DoCase, Row, HiText);
}
void TProStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText) {
  InsertInGrid(*this, kMarkTag, DoFixed, DoCase, HiText, false);
}
void TProStringGrid::UnMarkInCell(int Col, int Row) { RemoveTagsInRange(kMarkTag, Col, Row, Col, Row); }
void TProStringGrid::UnMarkInCol(bool DoFixed, int Col) { RemoveInCol(*this, kMarkTag, DoFixed, Col); }
void TProStringGrid::UnMarkInRow(bool DoFixed, int Row) { RemoveInRow(*this, kMarkTag, DoFixed, Row); }
void TProStringGrid::UnMarkInGrid(bool DoFixed) { RemoveInGrid(*this, kMarkTag, DoFixed); }

// ---------------------------------------------------------------------------
// Checking

bool TProStringGrid::CheckCell(int Col, int Row) {
  if (!FCellChecker) return true;
  const QString clean = UnMarkText(AllCells(Col, Row));
  if (FCellChecker->GotoCell()) MoveColRow(DisplColIndex(Col), Row, true, true);
  QString text = clean;
  if (FCellChecker->UseCorrect()) text = FCellChecker->Correct(Col, Row, clean);
  if (FCellChecker->UseMarkError()) text = FCellChecker->MarkError(Col, Row, clean);
  SetAllCells(Col, Row, text);
  return text == clean;
}

bool TProStringGrid::CheckCells(int FromCol, int FromRow, int ToCol, int ToRow) {
  if (!FCellChecker) return true;
  FCellChecker->StartCheck();
  const int keptRow = Row(), keptCol = Col();
  bool result = true;
  for (int r = FromRow; r <= ToRow; ++r)
    for (int c = FromCol; c <= ToCol; ++c)
      if (!CheckCell(c, r)) result = false;
  FCellChecker->StopCheck();
  if (FCellChecker->GotoCell()) {
    SetRow(keptRow);
    SetCol(keptCol);
  }
  return result;
}

bool TProStringGrid::CheckCol(bool DoFixed, int Col) {
  return DoFixed ? CheckCells(Col, 0, Col, RowCount() - 1)
                 : CheckCells(Col, FixedRows(), Col, RowCount() - FixedFooters() - 1);
}

bool TProStringGrid::CheckRow(bool DoFixed, int Row) {
  return DoFixed ? CheckCells(0, Row, ColCount() - 1, Row)
                 : CheckCells(FixedCols(), Row, ColCount() - FixedRightCols() - 1, Row);
}

bool TProStringGrid::CheckGrid(bool DoFixed) {
  return DoFixed ? CheckCells(0, 0, ColCount() - 1, RowCount() - 1)
                 : CheckCells(FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1,
                              RowCount() - FixedFooters() - 1);
}
