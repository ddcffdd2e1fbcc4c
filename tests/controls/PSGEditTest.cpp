// The edit with a button and the unit edit on a shown form, driven by real
// keys and clicks: F4 and the button, a button-only editor, the unit text
// parser, the unit menu and the unit strip.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTest>
#include <QScopeGuard>
#include <QWidget>

#include "controls/PSGEdit.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"
#include "tests/controls/ThemeFakes.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

template <class TEditClass>
struct EditForm {
  EditForm() {
    Edit = new TEditClass(F.Form);
    Edit->SetParent(F.Form);
    Edit->SetBounds(10, 10, 150, 24);
    Edit->OnClickBtn = [this](TObject*) {
      ++Clicks;
      FocusedAtClick = Edit->Focused();
    };
    Other = new TEdit(F.Form);
    Other->SetParent(F.Form);
    Other->SetBounds(10, 60, 120, 24);
    F.Show();
  }
  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(Edit->View(), K, M); }
  TSpeedButton* SpeedButton() const { return Edit->Button()->SpeedButton(); }
  void ClickButton() {
    TSpeedButton* b = SpeedButton();
    QTest::mouseClick(b->View(), Qt::LeftButton, {}, Center(b));
  }
  TShownForm F{300, 120};
  TEditClass* Edit;
  TEdit* Other;
  int Clicks = 0;
  bool FocusedAtClick = false;
};

class EditBtn : public ::testing::Test {
 protected:
  EditForm<TPsgEditBtn> E;
};

// Chooses the item with a caption from the next pop-up menu and records the
// menu's captions and point.
class MenuChooser {
 public:
  explicit MenuChooser(QString Caption) : FCaption(std::move(Caption)) {
    TestHooks::SetPopupMenuHook([this](TPopupMenu* Menu, int X, int Y) -> TMenuItem* {
      Point = TPoint(X, Y);
      TMenuItem* chosen = nullptr;
      for (int i = 0; i < Menu->Items()->Count(); ++i) {
        Captions << Menu->Items()->Items(i)->Caption();
        if (Menu->Items()->Items(i)->Caption() == FCaption) chosen = Menu->Items()->Items(i);
      }
      return chosen;
    });
  }
  ~MenuChooser() { TestHooks::SetPopupMenuHook(nullptr); }
  QStringList Captions;
  TPoint Point;

 private:
  QString FCaption;
};

}  // namespace

// ---------------------------------------------------------------------------
// Button and F4

TEST_F(EditBtn, F4RaisesTheButtonButNotWithCtrlOrAlt) {
  E.Edit->SetFocus();
  E.Key(Qt::Key_F4);
  EXPECT_EQ(E.Clicks, 1);
  E.Key(Qt::Key_F4, Qt::ControlModifier);
  E.Key(Qt::Key_F4, Qt::AltModifier);
  EXPECT_EQ(E.Clicks, 1);
}

TEST_F(EditBtn, ReleaseOnTheButtonRaisesTheEventThenFocusesTheEdit) {
  E.Other->SetFocus();
  E.ClickButton();
  EXPECT_EQ(E.Clicks, 1);
  EXPECT_FALSE(E.FocusedAtClick);
  EXPECT_TRUE(E.Edit->Focused());
  // The right button does nothing.
  TSpeedButton* b = E.SpeedButton();
  QTest::mouseClick(b->View(), Qt::RightButton, {}, Center(b));
  EXPECT_EQ(E.Clicks, 1);
}

TEST_F(EditBtn, ButtonOnlyEditorRefusesTypingPasteAndCut) {
  E.Edit->SetEditorEnabled(false);
  E.Edit->SetFocus();
  E.Edit->SetText("abc");
  E.Edit->SelectAll();
  QTest::keyClicks(E.Edit->View(), "xyz");
  EXPECT_EQ(E.Edit->Text(), "abc");
  Clipboard()->SetAsText(QStringLiteral("pasted"));
  E.Key(Qt::Key_V, Qt::ControlModifier);
  E.Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(E.Edit->Text(), "abc");
  E.Key(Qt::Key_X, Qt::ControlModifier);
  E.Key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(E.Edit->Text(), "abc");
  EXPECT_EQ(Clipboard()->AsText(), "pasted");
  E.Key(Qt::Key_F4);
  E.ClickButton();
  EXPECT_EQ(E.Clicks, 2);
  // Switched on again, the same keys edit.
  E.Edit->SetEditorEnabled(true);
  E.Edit->SelectAll();
  E.Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(E.Edit->Text(), "pasted");
}

TEST_F(EditBtn, LayoutOfButtonAndText) {
  TPsgEditButton* part = E.Edit->Button();
  EXPECT_EQ(part->Width(), 18);
  EXPECT_EQ(part->SpeedButton()->BoundsRect(), TRect(0, 0, part->Width(), part->Height()));
  E.Edit->SetButtonWidth(24);
  E.Edit->SetBounds(10, 10, 150, 30);
  EXPECT_EQ(part->BoundsRect(), TRect(150 - 24 - 5, 0, 150 - 5, 25));
  EXPECT_EQ(part->SpeedButton()->BoundsRect(), TRect(0, 0, 24, 25));
  TRect r;
  E.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, TRect(1, 1, E.Edit->ClientWidth() - (24 + 5), E.Edit->ClientHeight() + 1));
  E.Edit->SetHeight(3);
  EXPECT_GT(E.Edit->GetMinHeight(), 10);
  EXPECT_EQ(E.Edit->Height(), E.Edit->GetMinHeight());
}

// ---------------------------------------------------------------------------
// Unit edit

namespace {

class UnitEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* u : {"mm", "cm", "m"}) E.Edit->Units()->Add(QString::fromUtf8(u));
    E.Edit->OnUnitChanged = [this](TObject*, const QString& Unit) { Changes << Unit; };
  }
  EditForm<TPsgUnitEditBtn> E;
  QStringList Changes;
};

}  // namespace

TEST(UnitText, FirstUnitWhoseFirstOccurrenceEndsTheValue) {
  TShownForm f;
  auto* e = new TPsgUnitEditBtn(f.Form);
  e->SetParent(f.Form);
  struct Row {
    QStringList Units;
    QString Value;
    QString Text;
    QString Unit;
  };
  const std::vector<Row> rows = {
      {{"mm", "m"}, "12mm", "12", "mm"},
      // m first occurs before the end of the value; mm fits.
      {{"m", "mm"}, "12mm", "12", "mm"},
      // m first occurs before the end, cm not at all: nothing changes.
      {{"m", "cm"}, "5 m m", "old", "kg"},
      // The units are tried in list order: m ends "5cm" too.
      {{"m", "cm"}, "5cm", "5c", "m"},
      {{"cm", "m"}, "5cm", "5", "cm"},
      {{"m"}, "m", "", "m"},
      {{"mm"}, "12", "old", "kg"},
      {{}, "12mm", "old", "kg"},
  };
  for (const Row& r : rows) {
    e->Units()->Clear();
    for (const QString& u : r.Units) e->Units()->Add(u);
    e->SetText("old");
    e->SetUnitID("kg");
    e->SetTextAndUnit(r.Value);
    EXPECT_EQ(e->Text(), r.Text) << r.Value.toStdString();
    EXPECT_EQ(e->UnitID(), r.Unit) << r.Value.toStdString();
  }
  e->SetText("7");
  e->SetUnitID("cm");
  EXPECT_EQ(e->TextAndUnit(), "7cm");
}

TEST_F(UnitEdit, StartsRightAlignedWithAUnitStrip) {
  EXPECT_TRUE(E.Edit->RightAlign());
  EXPECT_EQ(E.Edit->UnitSpace(), 20);
  EXPECT_EQ(E.Edit->Text(), "0");
  TRect r;
  E.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Right, E.Edit->ClientWidth() - (E.Edit->Button()->Width() + 20 + 5) - 3);
  E.Edit->SetUnitSpace(30);
  E.Edit->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.Right, E.Edit->ClientWidth() - (E.Edit->Button()->Width() + 30 + 5) - 3);
}

TEST_F(UnitEdit, ChoosingAnotherUnitSetsItAndReportsOnce) {
  E.Edit->SetUnitID("mm");
  MenuChooser choose("cm");
  E.ClickButton();
  EXPECT_EQ(E.Clicks, 1);
  EXPECT_EQ(choose.Captions, QStringList({"mm", "cm", "m"}));
  EXPECT_EQ(choose.Point, E.Edit->ClientToScreen(TPoint(E.Edit->ClientWidth() - 15, E.Edit->ClientHeight())));
  EXPECT_EQ(E.Edit->UnitID(), "cm");
  EXPECT_EQ(Changes, QStringList({"cm"}));
}

TEST_F(UnitEdit, ChoosingTheCurrentUnitOrNothingReportsNothing) {
  E.Edit->SetUnitID("m");
  {
    MenuChooser choose("m");
    E.Edit->SetFocus();
    E.Key(Qt::Key_F4);
  }
  {
    MenuChooser none("");
    E.ClickButton();
  }
  EXPECT_EQ(E.Clicks, 2);
  EXPECT_EQ(E.Edit->UnitID(), "m");
  EXPECT_TRUE(Changes.isEmpty());
}

TEST_F(UnitEdit, CommandsOutsideTheUnitsAreIgnored) {
  E.Edit->SetUnitID("mm");
  E.Edit->Perform(WM_COMMAND, 4, 0);
  E.Edit->Perform(WM_COMMAND, 0, 0);
  // An edit notification with the identifier of a unit.
  E.Edit->Perform(WM_COMMAND, MAKEWPARAM(2, 768), 0);
  EXPECT_EQ(E.Edit->UnitID(), "mm");
  E.Edit->Perform(WM_COMMAND, 3, 0);
  EXPECT_EQ(E.Edit->UnitID(), "m");
  EXPECT_EQ(Changes, QStringList({"m"}));
}

TEST_F(UnitEdit, UnitTextIsDrawnInItsStrip) {
  E.Edit->SetText("");
  E.Edit->SetUnitID("");
  const TRect strip = E.Edit->UnitRect();
  auto darkInStrip = [&] {
    const QImage img = GrabControl(E.Edit).convertToFormat(QImage::Format_RGB32);
    const TRect frame = E.Edit->NonClientInsets();
    int dark = 0;
    for (int y = strip.Top; y < strip.Bottom; ++y)
      for (int x = strip.Left; x < strip.Right; ++x)
        if (qGray(img.pixel(x + frame.Left, y + frame.Top)) < 100) ++dark;
    return dark;
  };
  EXPECT_EQ(darkInStrip(), 0);
  E.Edit->SetUnitID("mm");
  EXPECT_GT(darkInStrip(), 5);
}

TEST_F(EditBtn, ThemedButtonDrawsThePushButtonPart) {
  auto owned = std::make_unique<TFakeStyles>();
  TFakeStyles* styles = owned.get();
  SetVisualStyles(std::move(owned));
  const auto restore = qScopeGuard([] { SetVisualStyles(nullptr); });
  E.Edit->SetIsWinXP(true);
  (void)GrabControl(E.SpeedButton());
  ASSERT_FALSE(styles->Log.empty());
  EXPECT_EQ(styles->Log.back().ClassList, "button");
  EXPECT_EQ(styles->Log.back().Part, 1);
  EXPECT_EQ(styles->Log.back().State, 1);
  // Styles switched off: the classic button.
  styles->Active = false;
  styles->Log.clear();
  (void)GrabControl(E.SpeedButton());
  EXPECT_TRUE(styles->Log.empty());
}

TEST_F(EditBtn, ColouredButtonFillsAndShowsItsCaption) {
  TPsgEditButton* part = E.Edit->Button();
  part->SetButtonColor(clYellow);
  E.Edit->SetButtonCaption("...");
  const QImage img = GrabControl(E.SpeedButton()).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(img.pixel(1, 1), qRgb(255, 255, 0));
  int black = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == qRgb(0, 0, 0)) ++black;
  EXPECT_GT(black, 0);
}
