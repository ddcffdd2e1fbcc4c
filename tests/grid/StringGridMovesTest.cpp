// Selection hiding, row and column moves and the objects that follow a grid.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

namespace {

class TCountingNotifier : public TGridChangeNotifier {
 public:
  TCountingNotifier() : TGridChangeNotifier(nullptr) {}
  std::vector<TRect> Changes;
  void CellsChanged(const TRect& R) override { Changes.push_back(R); }
};

class TRecordingListener : public ITProStringGridSelect {
 public:
  void SelectionChanged(int, int) override {}
};

}  // namespace

TEST(StringGridSelectionHiding, RestoresOrFallsBackToTheFirstNormalCell) {
  TProStringGrid g(nullptr);
  g.SetSelection(TGridRect{2, 3, 3, 4});
  g.HideSelection();
  EXPECT_TRUE(g.SelectionHidden());
  EXPECT_EQ(g.Selection().Left, g.ColCount());
  g.UnHideSelection();
  EXPECT_EQ(g.Selection(), (TGridRect{2, 3, 3, 4}));

  g.SetSelection(TGridRect{2, 8, 2, 8});
  g.HideSelection();
  g.SetRowCount(5);
  g.UnHideSelection();
  EXPECT_EQ(g.Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST(StringGridMoves, MoveRowsCountsTheTargetAfterTheRemoval) {
  TProStringGrid g(nullptr);
  for (int r = 0; r < 10; ++r) g.SetCells(1, r, QString::number(r));
  g.GetCellProperties(1, 3)->SetReadOnly(true);
  g.MoveRows(2, 6, 2);
  std::vector<QString> column;
  for (int r = 0; r < 10; ++r) column.push_back(g.Cells(1, r));
  EXPECT_EQ(column, (std::vector<QString>{"0", "1", "4", "5", "2", "3", "6", "7", "8", "9"}));
  ASSERT_TRUE(g.HasCellProperties(1, 5));
  EXPECT_TRUE(g.GetCellProperties(1, 5)->ReadOnly());
  EXPECT_EQ(g.RowCount(), 10);
  g.MoveRows(4, 4, 2);  // nothing
  EXPECT_EQ(g.Cells(1, 4), "2");
}

TEST(StringGridMoves, MovingAColumnRecordsTheOrderAndCarriesVisibility) {
  TProStringGrid g(nullptr);
  for (int c = 0; c < 5; ++c) g.SetCells(c, 1, QString::number(c));
  g.MoveColumn(1, 3);
  // The order is recorded first, then follows the move.
  EXPECT_EQ(g.ColumnOrder()->StrValue(), "0,2,3,1,4");
  EXPECT_EQ(g.Cells(3, 1), "1");
  EXPECT_EQ(g.Cells(1, 1), "2");
  g.HideColumn(3);
  g.UnHideColumn(3);
  EXPECT_EQ(g.Cells(3, 1), "1");
}

TEST(StringGridListeners, NotifiersHearEachChangeOnceAndListenersAreReplaced) {
  TProStringGrid g(nullptr);
  TCountingNotifier n;
  g.RegisterNotifier(&n);
  g.RegisterNotifier(&n);
  g.DoCellsChanged(TRect(1, 1, 2, 2));
  EXPECT_EQ(n.Changes.size(), 1u);
  g.UnRegisterNotifier(&n);
  g.DoCellsChanged(TRect(1, 1, 2, 2));
  EXPECT_EQ(n.Changes.size(), 1u);

  auto a = std::make_shared<TRecordingListener>(), b = std::make_shared<TRecordingListener>();
  g.RegisterSelListener(a);
  g.RegisterSelListener(b);
  EXPECT_EQ(g.SelListener(), b.get());
  g.UnRegisterSelListener(a);
  EXPECT_EQ(g.SelListener(), nullptr);
}
