#include <gtest/gtest.h>

#include <QStringList>

#include "platform/rtl/Classes.h"

namespace {

class Column : public TCollectionItem {
 public:
  explicit Column(TCollection* c) : TCollectionItem(c), width(64) {}
  int width;
  QString title;
  void SetWidth(int w) {
    width = w;
    Changed(false);
  }
  void Assign(TPersistent* src) override {
    if (auto* o = dynamic_cast<Column*>(src)) {
      width = o->width;
      title = o->title;
      Changed(false);
      return;
    }
    TCollectionItem::Assign(src);
  }

 protected:
  QString GetDisplayName() const override { return title.isEmpty() ? "Column" : title; }
};

// Stands for a grid: hears of every change of its columns.
class GridStub : public TPersistent {
 public:
  QStringList log;
};

class Columns : public TOwnedCollection {
 public:
  explicit Columns(GridStub* o) : TOwnedCollection(o, CollectionItemClass<Column>()), owner_(o) {}
  Column* Col(int i) const { return static_cast<Column*>(Items(i)); }
  Column* AddCol(const QString& title) {
    auto* c = static_cast<Column*>(Add());
    c->title = title;
    return c;
  }

 protected:
  void Update(TCollectionItem* item) override {
    owner_->log << (item != nullptr ? "update " + item->DisplayName() : QString("update all"));
  }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    static const char* names[] = {"added", "extracting", "deleting"};
    // Reads the derived part: it must exist when an item is announced (an item
    // deleted directly has lost it by then, which dynamic_cast shows as "-").
    auto* col = dynamic_cast<Column*>(item);
    owner_->log << QString("%1 %2").arg(names[action], col ? QString::number(col->width) : "-");
  }

 private:
  GridStub* owner_;
};

QString Titles(const Columns& c) {
  QStringList t;
  for (int i = 0; i < c.Count(); ++i) t << c.Col(i)->title;
  return t.join(',');
}

}  // namespace

TEST(Collection, AddAndItemChangesReachTheOwner) {
  GridStub owner;
  Columns cols(&owner);
  EXPECT_EQ(cols.Owner(), &owner);
  Column* a = cols.AddCol("A");
  EXPECT_EQ(owner.log, (QStringList{"added 64", "update all"}));
  EXPECT_EQ(a->Collection(), &cols);
  EXPECT_EQ(a->GetOwner(), &cols);
  owner.log.clear();
  a->SetWidth(10);
  EXPECT_EQ(owner.log, QStringList{"update A"});
}

TEST(Collection, UpdatesWaitForTheLastEndUpdate) {
  GridStub owner;
  Columns cols(&owner);
  cols.BeginUpdate();
  cols.AddCol("A");
  cols.BeginUpdate();
  cols.AddCol("B")->SetWidth(5);
  cols.Delete(0);
  cols.EndUpdate();
  EXPECT_EQ(owner.log, (QStringList{"added 64", "added 64", "deleting 64", "extracting 64"}));
  owner.log.clear();
  cols.EndUpdate();
  EXPECT_EQ(owner.log, QStringList{"update all"});
  owner.log.clear();
  cols.EndUpdate();  // one too many does not upset the count
  cols.Col(0)->SetWidth(1);
  EXPECT_EQ(owner.log, (QStringList{"update all", "update B"}));
}

TEST(Collection, IndexMovesAndInsertPlacesItems) {
  GridStub owner;
  Columns cols(&owner);
  for (const char* t : {"A", "B", "C", "D"}) cols.AddCol(t);
  owner.log.clear();
  cols.Col(2)->SetIndex(0);
  EXPECT_EQ(Titles(cols), "C,A,B,D");
  EXPECT_EQ(owner.log, QStringList{"update all"});
  cols.Col(0)->SetIndex(3);
  EXPECT_EQ(Titles(cols), "A,B,D,C");
  EXPECT_EQ(cols.Col(3)->Index(), 3);
  EXPECT_THROW(cols.Col(0)->SetIndex(4), EListError);
  EXPECT_EQ(Titles(cols), "A,B,D,C");

  static_cast<Column*>(cols.Insert(1))->title = "N";
  static_cast<Column*>(cols.Insert(5))->title = "E";  // the end is a valid place
  EXPECT_EQ(Titles(cols), "A,N,B,D,C,E");
  try {
    cols.Insert(7);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (7)");
  }
  EXPECT_EQ(cols.Count(), 6);  // nothing added on a refused insert
  EXPECT_THROW(cols.Items(6), EListError);
  EXPECT_THROW(cols.Delete(-1), EListError);
}

TEST(Collection, IdsAreUniqueAndFoundById) {
  GridStub owner;
  Columns cols(&owner);
  cols.AddCol("A");
  Column* b = cols.AddCol("B");
  cols.AddCol("C");
  cols.Delete(0);
  Column* d = cols.AddCol("D");
  EXPECT_EQ(b->ID(), 1);
  EXPECT_EQ(d->ID(), 3);  // never re-used
  EXPECT_EQ(cols.FindItemID(3), d);
  EXPECT_EQ(cols.FindItemID(0), nullptr);
  owner.log.clear();
  delete b;  // an item freed on its own leaves the collection
  EXPECT_EQ(Titles(cols), "C,D");
  EXPECT_EQ(owner.log, (QStringList{"extracting -", "update all"}));
  cols.ClearAndResetID();
  EXPECT_EQ(cols.Count(), 0);
  EXPECT_EQ(cols.AddCol("E")->ID(), 0);
}

TEST(Collection, AssignCopiesItemByItemWithOneUpdate) {
  GridStub o1, o2;
  Columns src(&o1), dst(&o2);
  src.AddCol("A")->SetWidth(1);
  src.AddCol("B")->SetWidth(2);
  dst.AddCol("old");
  o2.log.clear();
  dst.Assign(&src);
  EXPECT_EQ(Titles(dst), "A,B");
  EXPECT_EQ(dst.Col(1)->width, 2);
  EXPECT_NE(dst.Col(0), src.Col(0));
  EXPECT_EQ(o2.log.filter("update").size(), 1);
  EXPECT_EQ(o2.log.last(), "update all");
  dst.SetItems(0, src.Col(1));
  EXPECT_EQ(dst.Col(0)->title, "B");

  TStringList notACollection;
  EXPECT_THROW(dst.Assign(&notACollection), EConvertError);
  EXPECT_EQ(Titles(dst), "B,B");
}

TEST(Collection, ItemMovesBetweenCollectionsAndDestructionIsQuiet) {
  GridStub o1, o2;
  auto* c1 = new Columns(&o1);
  Columns c2(&o2);
  Column* a = c1->AddCol("A");
  c1->AddCol("B");
  a->SetCollection(&c2);
  EXPECT_EQ(Titles(*c1), "B");
  EXPECT_EQ(Titles(c2), "A");
  EXPECT_EQ(a->Collection(), &c2);
  o1.log.clear();
  delete c1;  // frees its items without telling the owner
  EXPECT_TRUE(o1.log.isEmpty());
  EXPECT_EQ(TCollectionItem(nullptr).Index(), -1);
}
