// The date picker's month calendar as a drop-down handler sees it: its window
// during DTN_DROPDOWN (DTM_GETMONTHCAL), the styles for week numbers, the
// "Today:" line and the today mark, and its minimum size (MCM_GETMINREQRECT).
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <cmath>

#include "platform/rtl/SysUtils.h"
#include "platform/ui/WinApi.h"
#include "platform/widgets/ComCtrls.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

class MonthCalendar : public ::testing::Test {
 protected:
  void SetUp() override {
    Pick = new TDateTimePicker(F.Form);
    Pick->SetParent(F.Form);
    Pick->SetBounds(20, 20, 186, 21);
    Pick->SetDate(EncodeDate(2024, 3, 15));
    F.Show();
  }
  void TearDown() override { Pick->SetDroppedDown(false); }

  // Drops the calendar down; Styles (MCS_) are given to it while DTN_DROPDOWN is
  // handled and it is sized to its minimum rectangle + 2, as the grid's editor does.
  HWND DropDown(DWORD Styles, bool Resize = true) {
    HWND seen = nullptr;
    Pick->OnDropDown = [&, Styles, Resize](TObject*) {
      seen = reinterpret_cast<HWND>(Pick->Perform(DTM_GETMONTHCAL));
      if (seen == nullptr) return;
      SetWindowLong(seen, GWL_STYLE, GetWindowLong(seen, GWL_STYLE) | static_cast<LONG>(Styles));
      if (!Resize) return;
      TRect r;
      SendMessage(seen, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r));
      SetWindowPos(seen, nullptr, 0, 0, r.Right + 2, r.Bottom + 2, SWP_NOMOVE | SWP_NOZORDER);
    };
    Pick->SetDroppedDown(true);
    Pick->OnDropDown = nullptr;
    return seen;
  }
  TCustomControl* Cal() const { return Pick->CalendarWindow(); }
  QImage Picture() {
    Cal()->PaintNow();
    return Cal()->BackBuffer()->copy();
  }
  static TRect MinRect(TCustomControl* C) {
    TRect r(-1, -1, -1, -1);
    SendMessage(C->Handle(), MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  static int CountColor(const QImage& Img, QRgb C) {
    int n = 0;
    for (int y = 0; y < Img.height(); ++y)
      for (int x = 0; x < Img.width(); ++x)
        if ((Img.pixel(x, y) & 0xFFFFFF) == (C & 0xFFFFFF)) ++n;
    return n;
  }

  TShownForm F{400, 300};
  TDateTimePicker* Pick = nullptr;
};

}  // namespace

TEST_F(MonthCalendar, ExistsWhileDropDownIsHandledAndOnlyThen) {
  EXPECT_EQ(Pick->Perform(DTM_GETMONTHCAL), 0);
  bool droppedInHandler = false;
  HWND seen = nullptr;
  Pick->OnDropDown = [&](TObject*) {
    droppedInHandler = Pick->DroppedDown();
    seen = reinterpret_cast<HWND>(Pick->Perform(DTM_GETMONTHCAL));
  };
  Pick->SetDroppedDown(true);
  ASSERT_NE(Cal(), nullptr);
  EXPECT_TRUE(droppedInHandler);
  EXPECT_EQ(seen, Cal()->Handle());
  EXPECT_EQ(reinterpret_cast<HWND>(Pick->Perform(DTM_GETMONTHCAL)), Cal()->Handle());
  Pick->SetDroppedDown(false);
  EXPECT_EQ(Pick->Perform(DTM_GETMONTHCAL), 0);
}

TEST_F(MonthCalendar, MinimumRectangleIsTheWindowLessItsBorderAndFollowsTheStyles) {
  DropDown(0, false);
  ASSERT_NE(Cal(), nullptr);
  const TRect plain = MinRect(Cal());
  EXPECT_EQ(plain.Left, 0);
  EXPECT_EQ(plain.Top, 0);
  // Unchanged, the calendar opens at its minimum size and its one-pixel border.
  EXPECT_EQ(Cal()->Width(), plain.Right + 2);
  EXPECT_EQ(Cal()->Height(), plain.Bottom + 2);
  Pick->SetDroppedDown(false);

  DropDown(MCS_WEEKNUMBERS);
  const TRect weeks = MinRect(Cal());
  EXPECT_GT(weeks.Right, plain.Right);
  EXPECT_EQ(weeks.Bottom, plain.Bottom);
  EXPECT_EQ(Cal()->Width(), weeks.Right + 2);
  Pick->SetDroppedDown(false);

  DropDown(MCS_NOTODAY);
  const TRect noToday = MinRect(Cal());
  EXPECT_EQ(noToday.Right, plain.Right);
  EXPECT_LT(noToday.Bottom, plain.Bottom);
  EXPECT_EQ(Cal()->Height(), noToday.Bottom + 2);
  // The circle changes no size.
  Pick->SetDroppedDown(false);
  DropDown(MCS_NOTODAYCIRCLE);
  EXPECT_EQ(MinRect(Cal()).Right, plain.Right);
  EXPECT_EQ(MinRect(Cal()).Bottom, plain.Bottom);
}

TEST_F(MonthCalendar, StylesLastOneDropDownAndTheCalendarStaysBelowThePicker) {
  DropDown(MCS_WEEKNUMBERS | MCS_NOTODAY);
  ASSERT_NE(Cal(), nullptr);
  const TPoint below = Pick->ClientToScreen(TPoint(-2, Pick->Height() - 2));
  EXPECT_EQ(Cal()->Left(), below.X);
  EXPECT_EQ(Cal()->Top(), below.Y);
  const DWORD had = static_cast<DWORD>(GetWindowLong(Cal()->Handle(), GWL_STYLE));
  EXPECT_EQ(had & (MCS_WEEKNUMBERS | MCS_NOTODAY), MCS_WEEKNUMBERS | MCS_NOTODAY);
  Pick->SetDroppedDown(false);
  // The next drop-down starts from a plain calendar, as a new one would.
  DropDown(0);
  const DWORD now = static_cast<DWORD>(GetWindowLong(Cal()->Handle(), GWL_STYLE));
  EXPECT_EQ(now & (MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE), 0u);
}

TEST_F(MonthCalendar, WeekNumbersTakeAColumnLeftOfTheDays) {
  DropDown(0);
  const QImage plain = Picture();
  Pick->SetDroppedDown(false);
  DropDown(MCS_WEEKNUMBERS);
  const QImage weeks = Picture();
  const int column = weeks.width() - plain.width();
  ASSERT_GT(column, 0);
  ASSERT_EQ(weeks.height(), plain.height());
  // Rows inside the day grid: the days stand one column further right.
  const int y0 = plain.height() / 2, y1 = plain.height() * 3 / 4;
  const int dayColumns = plain.width() - 2 - 8;
  EXPECT_EQ(plain.copy(4 + 1, y0, dayColumns, y1 - y0), weeks.copy(4 + 1 + column, y0, dayColumns, y1 - y0));
  // ... and the week column holds text.
  const QImage weekColumn = weeks.copy(4 + 1, y0, column - 2, y1 - y0);
  EXPECT_GT(CountColor(weekColumn, qRgb(0, 0, 0)), 0);
}

TEST_F(MonthCalendar, TodayMarkAndTodayLineFollowTheirStyles) {
  const double today = std::trunc(Now());
  Pick->SetDate(today);
  DropDown(0);
  const int red = CountColor(Picture(), qRgb(255, 0, 0));
  EXPECT_GT(red, 0);
  Pick->SetDroppedDown(false);
  DropDown(MCS_NOTODAYCIRCLE);
  EXPECT_EQ(CountColor(Picture(), qRgb(255, 0, 0)), 0);
  Pick->SetDroppedDown(false);
  // Without the line only the mark on the day remains.
  DropDown(MCS_NOTODAY);
  const int dayOnly = CountColor(Picture(), qRgb(255, 0, 0));
  EXPECT_GT(dayOnly, 0);
  EXPECT_LT(dayOnly, red);
}

TEST_F(MonthCalendar, TheTodayLinePicksTodayOnlyWhileShown) {
  const double today = std::trunc(Now());
  DropDown(0);
  ASSERT_NE(Cal(), nullptr);
  QTest::mouseClick(Cal()->View(), Qt::LeftButton, {}, QPoint(40, Cal()->Height() - 12));
  EXPECT_FALSE(Pick->DroppedDown());
  EXPECT_EQ(Pick->Date(), today);

  Pick->SetDate(EncodeDate(2024, 3, 15));
  DropDown(MCS_NOTODAY);
  ASSERT_NE(Cal(), nullptr);
  // Where the line was there is nothing to pick: the calendar ends below the days.
  QTest::mouseClick(Cal()->View(), Qt::LeftButton, {}, QPoint(40, Cal()->Height() - 3));
  EXPECT_TRUE(Pick->DroppedDown());
  EXPECT_EQ(Pick->Date(), EncodeDate(2024, 3, 15));
}

TEST_F(MonthCalendar, DropDownHandlerMayCloseTheCalendarAgain) {
  QStringList log;
  Pick->OnDropDown = [&](TObject*) {
    log << "DropDown";
    Pick->SetDroppedDown(false);
  };
  Pick->OnCloseUp = [&](TObject*) { log << "CloseUp"; };
  Pick->SetDroppedDown(true);
  EXPECT_FALSE(Pick->DroppedDown());
  EXPECT_EQ(Cal(), nullptr);
  EXPECT_EQ(log, QStringList({"DropDown", "CloseUp"}));
  // The next drop-down opens as usual.
  Pick->OnDropDown = nullptr;
  Pick->OnCloseUp = nullptr;
  Pick->SetDroppedDown(true);
  EXPECT_TRUE(Pick->DroppedDown());
  ASSERT_NE(Cal(), nullptr);
  EXPECT_TRUE(Cal()->View()->isVisible());
}

TEST_F(MonthCalendar, DropDownHandlerThatDestroysThePickerLeavesNothingBehind) {
  // The handler lives in the picker: it reads all it needs before the delete.
  Pick->OnDropDown = [slot = &Pick](TObject*) {
    TDateTimePicker* victim = *slot;
    *slot = nullptr;
    delete victim;
  };
  auto* p = Pick;
  p->SetDroppedDown(true);
  EXPECT_EQ(Pick, nullptr);
  Pick = new TDateTimePicker(F.Form);  // for TearDown
}

// Days before 30 December 1899 are negative; a time of day set before or after
// the date keeps the day (it counts away from zero there).
TEST(DateTimePickerValue, DaysBeforeTheEpochKeepTheirDayWithATime) {
  TShownForm f{200, 100};
  auto* p = new TDateTimePicker(f.Form);
  p->SetParent(f.Form);
  for (const double day : {-682666.0, -1.0, 0.0, 45000.0}) {
    p->SetTime(0.75);
    p->SetDate(day);
    EXPECT_EQ(p->Date(), day);
    EXPECT_DOUBLE_EQ(p->Time(), 0.75) << day;
    p->SetTime(0.25);
    EXPECT_EQ(p->Date(), day);
    EXPECT_DOUBLE_EQ(p->Time(), 0.25) << day;
  }
}

