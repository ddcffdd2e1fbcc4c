#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/Classes.h"

namespace {

// Records every notification it receives and counts destructions.
class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::vector<QString>* log, const QString& name)
      : TComponent(owner), log_(log) { SetName(name); }
  ~Probe() override { log_->push_back(QStringLiteral("free ") + Name()); }
  std::vector<std::pair<TComponent*, TOperation>> heard;

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    heard.emplace_back(c, op);
  }

 private:
  std::vector<QString>* log_;
};

class Point3 : public TPersistent {
 public:
  int x = 0;
  void Assign(TPersistent* src) override {
    if (auto* p = dynamic_cast<Point3*>(src)) { x = p->x; return; }
    TPersistent::Assign(src);
  }
};
class Other : public TPersistent {};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsAndChildLeavesOwnerList) {
  std::vector<QString> log;
  auto* owner = new Probe(nullptr, &log, "Owner");
  auto* a = new Probe(owner, &log, "A");
  new Probe(owner, &log, "B");
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(a->ComponentIndex(), 0);
  EXPECT_EQ(owner->FindComponent("b")->Name(), "B");

  delete a;  // leaves the owner's list on its own
  EXPECT_EQ(owner->ComponentCount(), 1);
  EXPECT_EQ(owner->Components(0)->Name(), "B");

  delete owner;
  EXPECT_EQ(log, (std::vector<QString>{"free A", "free Owner", "free B"}));
}

TEST(Component, FreeNotificationReachesTheOtherSideOnce) {
  std::vector<QString> log;
  auto* x = new Probe(nullptr, &log, "X");
  auto* y = new Probe(nullptr, &log, "Y");
  x->FreeNotification(y);
  delete y;
  ASSERT_EQ(x->heard.size(), 1u);
  EXPECT_EQ(x->heard[0].second, opRemove);
  delete x;  // y is gone: nothing may reach it
}

TEST(Component, DuplicateNameUnderOneOwnerIsRefused) {
  std::vector<QString> log;
  Probe owner(nullptr, &log, "Owner");
  new Probe(&owner, &log, "Edit1");
  EXPECT_THROW(new Probe(&owner, &log, "EDIT1"), EComponentError);
}

TEST(Component, OutOfRangeComponentIndexRaisesListError) {
  TComponent c(nullptr);
  EXPECT_THROW(c.Components(0), EListError);
}

TEST(Persistent, AssignCopiesOrFailsWithTheFrameworkMessage) {
  Point3 a, b;
  b.x = 7;
  a.Assign(&b);
  EXPECT_EQ(a.x, 7);
  Other o;
  try {
    a.Assign(&o);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a Other to a Point3");
  }
  try {
    a.Assign(nullptr);
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a Point3");
  }
}
