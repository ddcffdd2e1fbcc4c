#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/Classes.h"

namespace {

int vals[8] = {0, 1, 2, 3, 4, 5, 6, 7};
void* P(int i) { return &vals[i]; }
int V(void* p) { return *static_cast<int*>(p); }

std::vector<int> Values(const TList& l) {
  std::vector<int> out;
  for (int i = 0; i < l.Count(); ++i) out.push_back(V(l.Items(i)));
  return out;
}

// Records what the list tells of its pointers.
class LoggingList : public TList {
 public:
  std::vector<std::pair<int, TListNotification>> log;

 protected:
  void Notify(void* p, TListNotification a) override { log.emplace_back(V(p), a); }
};

}  // namespace

TEST(PointerList, EditingKeepsOrderAndReportsPositions) {
  TList l;
  EXPECT_EQ(l.Add(P(1)), 0);
  EXPECT_EQ(l.Add(P(3)), 1);
  l.Insert(1, P(2));
  l.Insert(0, P(0));
  l.Insert(4, P(4));  // at the end
  EXPECT_EQ(Values(l), (std::vector<int>{0, 1, 2, 3, 4}));
  l.Add(P(2));
  EXPECT_EQ(l.IndexOf(P(2)), 2);
  EXPECT_EQ(l.Remove(P(2)), 2);  // the first one
  EXPECT_EQ(l.Remove(P(7)), -1);
  EXPECT_EQ(Values(l), (std::vector<int>{0, 1, 3, 4, 2}));
  l.Exchange(0, 4);
  l.Move(1, 3);
  EXPECT_EQ(Values(l), (std::vector<int>{2, 3, 4, 1, 0}));
  l.Delete(0);
  EXPECT_EQ(V(l.First()), 3);
  EXPECT_EQ(V(l.Last()), 0);
  l.Sort([](void* a, void* b) { return V(a) - V(b); });
  EXPECT_EQ(Values(l), (std::vector<int>{0, 1, 3, 4}));
  l.SetCount(6);
  EXPECT_EQ(l.Items(5), nullptr);
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(PointerList, BadIndexesRaiseListIndexError) {
  TList l;
  l.Add(P(0));
  l.Add(P(1));
  struct Case {
    std::function<void()> op;
    int index;
  } cases[] = {
      {[&] { (void)l.Items(2); }, 2},   {[&] { (void)l.Items(-1); }, -1},
      {[&] { l.Insert(3, P(2)); }, 3},  {[&] { l.Delete(2); }, 2},
      {[&] { l.Exchange(0, 9); }, 9},   {[&] { l.Move(0, 2); }, 2},
      {[&] { l.SetItems(5, P(1)); }, 5},
  };
  for (const Case& c : cases) {
    try {
      c.op();
      ADD_FAILURE() << "no exception for " << c.index;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), QString("List index out of bounds (%1)").arg(c.index));
    }
  }
  EXPECT_EQ(Values(l), (std::vector<int>{0, 1}));
  TList empty;
  EXPECT_THROW(empty.First(), EListError);
  EXPECT_THROW(l.SetCapacity(1), EListError);  // below the count
  EXPECT_THROW(l.SetCount(-1), EListError);
}

TEST(PointerList, NotifiesAddedDeletedAndExtracted) {
  LoggingList l;
  l.Add(P(1));
  l.Add(P(2));
  l.Add(nullptr);  // nil pointers are not reported
  l.SetItems(0, P(3));
  l.Extract(P(2));
  l.Clear();
  EXPECT_EQ(l.log, (std::vector<std::pair<int, TListNotification>>{
                       {1, lnAdded}, {2, lnAdded}, {1, lnDeleted}, {3, lnAdded}, {2, lnExtracted},
                       {3, lnDeleted}}));
}

TEST(PointerList, SortMatchesTheFrameworkOrderOfEqualItems) {
  // Pairs (key, tag): the quick sort around the middle item leaves equal keys
  // in this order, which a stable sort would not.
  struct Item {
    int key;
    char tag;
  } items[] = {{2, 'a'}, {1, 'b'}, {2, 'c'}, {1, 'd'}, {2, 'e'}};
  TList l;
  for (Item& it : items) l.Add(&it);
  l.Sort([](void* a, void* b) { return static_cast<Item*>(a)->key - static_cast<Item*>(b)->key; });
  std::string order;
  for (int i = 0; i < l.Count(); ++i) order += static_cast<Item*>(l.Items(i))->tag;
  EXPECT_EQ(order, "dbeac");
  // A comparison that contradicts itself must not read outside the list.
  l.Sort([](void*, void*) { return -1; });
  l.Sort([](void*, void*) { return 1; });
  EXPECT_EQ(l.Count(), 5);
}
