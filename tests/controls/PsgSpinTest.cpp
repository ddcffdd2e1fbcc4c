// The spin edit on a shown form, driven by real keys and clicks: bounds,
// stepping of each spin type, the characters each type takes, the value
// fallbacks, the repeating buttons, the layout of the button pair and the
// colours of a custom-drawn pair.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTest>
#include <QCoreApplication>
#include <QScopeGuard>
#include <QWidget>
#include <algorithm>

#include "controls/psgspin.h"
#include "platform/gdi/WinGdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"
#include "tests/controls/LocaleFixture.h"
#include "tests/controls/ThemeFakes.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A spin edit with a second edit to leave it for.
struct SpinForm {
  SpinForm() {
    Spin = new TPsgSpinEdit(F.Form);
    Spin->SetParent(F.Form);
    Spin->SetBounds(10, 10, 120, 24);
    Other = new TEdit(F.Form);
    Other->SetParent(F.Form);
    Other->SetBounds(10, 60, 120, 24);
    F.Show();
    Spin->SetFocus();
  }
  void Key(Qt::Key K, Qt::KeyboardModifiers M = Qt::NoModifier) { QTest::keyClick(Spin->View(), K, M); }
  void Type(const QString& S) { QTest::keyClicks(Spin->View(), S); }
  // Puts the caret at a position without selection.
  void Caret(int Pos) {
    Spin->SetSelStart(Pos);
    Spin->SetSelLength(0);
  }
  void Leave() { Other->SetFocus(); }
  // The beeps while Action runs.
  template <class A>
  int Beeps(A Action) {
    const int before = TestHooks::BeepCount();
    Action();
    return TestHooks::BeepCount() - before;
  }
  TShownForm F{300, 120};
  TPsgSpinEdit* Spin;
  TEdit* Other;
};

class SpinEdit : public ::testing::Test {
 protected:
  SpinForm S;
};

}  // namespace

// ---------------------------------------------------------------------------
// Integers, bounds and keys

TEST_F(SpinEdit, IntegerBoundsHoldForStepsAndTypedValues) {
  S.Spin->SetValue(100);
  S.Key(Qt::Key_Up);
  EXPECT_EQ(S.Spin->Text(), "100");
  S.Key(Qt::Key_Down);
  EXPECT_EQ(S.Spin->Text(), "99");
  S.Spin->SelectAll();
  S.Type("150");
  EXPECT_EQ(S.Spin->Text(), "150");
  S.Leave();
  EXPECT_EQ(S.Spin->Text(), "100");
  S.Spin->SetText("-20");
  S.Spin->SetFocus();
  S.Leave();
  EXPECT_EQ(S.Spin->Text(), "0");
}

TEST_F(SpinEdit, LeavingWithBadTextsLosesNothingAndRaisesNothing) {
  struct Row {
    TPsgSpinType Type;
    QString Text;
    QString Shown;  // after leaving
  };
  const std::vector<Row> rows = {
      // A number too long for an integer is clamped like any number beyond the bounds.
      {sptNormal, "99999999999", "100"},
      {sptNormal, "-99999999999", "0"},
      // Texts that are no number read as the minimum and stay for the user to correct.
      {sptNormal, "12abc", "12abc"},
      {sptNormal, "--5", "--5"},
      {sptNormal, "9999999999999999999999", "9999999999999999999999"},
      {sptFloat, "abc", "abc"},
      {sptTime, "25:99", "25:99"},
  };
  for (const Row& r : rows) {
    S.Spin->SetSpinType(r.Type);
    S.Spin->SetFocus();
    S.Spin->SetText(r.Text);
    EXPECT_NO_THROW(S.Leave());
    EXPECT_EQ(S.Spin->Text(), r.Shown) << r.Text.toStdString();
  }
}

TEST_F(SpinEdit, EqualBoundsDoNotClamp) {
  S.Spin->SetMinValue(0);
  S.Spin->SetMaxValue(0);
  S.Spin->SetValue(0);
  S.Key(Qt::Key_Down);
  S.Key(Qt::Key_Down);
  EXPECT_EQ(S.Spin->Value(), -2);
  S.Spin->SetValue(5000);
  S.Leave();
  EXPECT_EQ(S.Spin->Text(), "5000");
}

TEST_F(SpinEdit, PageKeysAndIncrement) {
  S.Spin->SetIncrement(5);
  S.Spin->SetValue(10);
  S.Key(Qt::Key_PageUp);
  EXPECT_EQ(S.Spin->Value(), 15);
  S.Key(Qt::Key_PageDown);
  S.Key(Qt::Key_PageDown);
  EXPECT_EQ(S.Spin->Value(), 5);
}

TEST_F(SpinEdit, EachButtonClickStepsOnce) {
  S.Spin->SetValue(10);
  TProTimerSpeedButton* up = S.Spin->Button()->UpButton();
  TProTimerSpeedButton* down = S.Spin->Button()->DownButton();
  QTest::mouseClick(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(S.Spin->Value(), 11);
  QTest::mouseClick(down->View(), Qt::LeftButton, {}, Center(down));
  QTest::mouseClick(down->View(), Qt::LeftButton, {}, Center(down));
  EXPECT_EQ(S.Spin->Value(), 9);
  EXPECT_TRUE(S.Spin->Focused());
}

TEST_F(SpinEdit, BackspaceCorrectsATypedNumber) {
  S.Spin->SelectAll();
  S.Type("57");
  int beeps = S.Beeps([&] { S.Key(Qt::Key_Backspace); });
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(S.Spin->Text(), "5");
  S.Type("3");
  EXPECT_EQ(S.Spin->Text(), "53");
}

TEST_F(SpinEdit, BackspaceIsDecidedByEditorEnabledInEveryType) {
  for (TPsgSpinType t : {sptNormal, sptFloat, sptDate, sptTime}) {
    S.Spin->SetSpinType(t);
    for (bool enabled : {true, false}) {
      S.Spin->SetEditorEnabled(enabled);
      QChar k(VK_BACK);
      EXPECT_EQ(S.Spin->IsValidChar(k), enabled) << "type " << t << " editor " << enabled;
    }
  }
}

TEST_F(SpinEdit, LettersAreRefusedWithABeep) {
  S.Spin->SetValue(12);
  S.Caret(2);
  EXPECT_EQ(S.Beeps([&] { S.Type("x"); }), 1);
  EXPECT_EQ(S.Spin->Text(), "12");
}

TEST_F(SpinEdit, WithoutEditorOnlyStepsChangeTheValue) {
  S.Spin->SetEditorEnabled(false);
  S.Spin->SetValue(50);
  S.Caret(2);
  EXPECT_EQ(S.Beeps([&] { S.Type("7"); }), 1);
  S.Caret(0);
  S.Key(Qt::Key_Delete);
  S.Caret(2);
  S.Key(Qt::Key_Backspace);
  EXPECT_EQ(S.Spin->Text(), "50");
  S.Key(Qt::Key_Up);
  EXPECT_EQ(S.Spin->Value(), 51);
  S.Key(Qt::Key_Down);
  S.Key(Qt::Key_Down);
  EXPECT_EQ(S.Spin->Value(), 49);
  S.Key(Qt::Key_PageUp);
  S.Key(Qt::Key_PageUp);
  EXPECT_EQ(S.Spin->Value(), 51);
  S.Key(Qt::Key_PageDown);
  EXPECT_EQ(S.Spin->Value(), 50);
  // Neither paste nor cut reach the text.
  Clipboard()->SetAsText(QStringLiteral("9"));
  S.Spin->SelectAll();
  S.Key(Qt::Key_Insert, Qt::ShiftModifier);
  S.Key(Qt::Key_Delete, Qt::ShiftModifier);
  EXPECT_EQ(S.Spin->Text(), "50");
}

TEST_F(SpinEdit, ReadOnlyStepBeepsAndKeepsTheValue) {
  S.Spin->SetValue(3);
  S.Spin->SetReadOnly(true);
  EXPECT_EQ(S.Beeps([&] { S.Key(Qt::Key_Up); }), 1);
  EXPECT_EQ(S.Spin->Value(), 3);
}

// ---------------------------------------------------------------------------
// Floats

TEST_F(SpinEdit, ThirdDecimalIsRefusedWithOneBeep) {
  TScopedFormatSettings keep;
  FormatSettings.DecimalSeparator = u'.';
  S.Spin->SetSpinType(sptFloat);
  S.Spin->SetPrecision(2);
  S.Spin->SetText("1.25");
  S.Caret(4);
  EXPECT_EQ(S.Beeps([&] { S.Type("7"); }), 1);
  EXPECT_EQ(S.Spin->Text(), "1.25");
  // Before the separator there is room.
  S.Caret(1);
  EXPECT_EQ(S.Beeps([&] { S.Type("3"); }), 0);
  EXPECT_EQ(S.Spin->Text(), "13.25");
}

TEST_F(SpinEdit, FloatStepsAndPageSteps) {
  TScopedFormatSettings keep;
  FormatSettings.DecimalSeparator = u'.';
  S.Spin->SetSpinType(sptFloat);
  S.Spin->SetPrecision(1);
  S.Spin->SetFloatValue(2.0);
  EXPECT_EQ(S.Spin->Text(), "2.0");
  S.Key(Qt::Key_Up);
  EXPECT_EQ(S.Spin->Text(), "2.1");
  S.Key(Qt::Key_PageUp);
  EXPECT_EQ(S.Spin->Text(), "3.1");
  S.Spin->SetFloatValue(250);
  EXPECT_EQ(S.Spin->Text(), "100.0");
}

TEST_F(SpinEdit, BoundsTheWrongWayRoundClampLikeIntegerBounds) {
  TScopedFormatSettings keep;
  FormatSettings.DecimalSeparator = u'.';
  S.Spin->SetSpinType(sptFloat);
  S.Spin->SetMinFloatValue(43831);
  S.Spin->SetMaxFloatValue(1.5);
  S.Spin->SetText("100");
  S.Leave();
  EXPECT_EQ(S.Spin->Text(), "100");
  S.Spin->SetFloatValue(50000);
  EXPECT_EQ(S.Spin->Text(), "43831");
  // A value clamped once stays what it is when set again.
  S.Spin->SetFloatValue(S.Spin->FloatValue());
  EXPECT_EQ(S.Spin->Text(), "43831");
  S.Spin->SetFloatValue(-3);
  EXPECT_EQ(S.Spin->Text(), "1.5");

  S.Spin->SetSpinType(sptDate);
  S.Spin->SetMinDateValue(EncodeDate(2026, 12, 31));
  S.Spin->SetMaxDateValue(EncodeDate(2026, 1, 1));
  S.Spin->SetDateValue(EncodeDate(2026, 6, 15));
  EXPECT_EQ(S.Spin->DateValue(), EncodeDate(2026, 6, 15));
  S.Spin->SetDateValue(EncodeDate(2030, 1, 1));
  EXPECT_EQ(S.Spin->DateValue(), EncodeDate(2026, 12, 31));
  S.Spin->SetDateValue(S.Spin->DateValue());
  EXPECT_EQ(S.Spin->DateValue(), EncodeDate(2026, 12, 31));
}

TEST_F(SpinEdit, ABoundTheDecimalsWouldRoundPastIsShownWithItsOwnDigits) {
  TScopedFormatSettings keep;
  FormatSettings.DecimalSeparator = u'.';
  S.Spin->SetSpinType(sptFloat);
  S.Spin->SetMinFloatValue(0);
  S.Spin->SetMaxFloatValue(0.25);
  S.Spin->SetPrecision(1);
  S.Spin->SetText("696");
  S.Leave();
  EXPECT_EQ(S.Spin->Text(), "0.25");
  EXPECT_EQ(S.Spin->FloatValue(), 0.25);
  // Values the decimals keep inside the bounds are shown with them.
  S.Spin->SetFloatValue(0.24);
  EXPECT_EQ(S.Spin->Text(), "0.2");
  S.Spin->SetMaxFloatValue(0.123456789012345678);
  S.Spin->SetPrecision(0);
  S.Spin->SetFloatValue(1);
  EXPECT_LE(S.Spin->FloatValue(), 0.123456789012345678);
  EXPECT_EQ(S.Spin->FloatValue(), S.Spin->MaxFloatValue());
}

// ---------------------------------------------------------------------------
// Times and dates

TEST_F(SpinEdit, TimeDownInTheHoursWrapsAroundMidnight) {
  S.Spin->SetSpinType(sptTime);
  S.Spin->SetShowSeconds(false);
  S.Spin->SetTimeValue(EncodeTime(0, 30, 0, 0));
  EXPECT_EQ(S.Spin->Text(), FormatDateTime("h:nn", EncodeTime(0, 30, 0, 0)));
  S.Caret(0);
  S.Key(Qt::Key_Down);
  EXPECT_EQ(S.Spin->Text(), FormatDateTime("h:nn", EncodeTime(23, 30, 0, 0)));
  // The caret in the minutes steps minutes.
  S.Caret(S.Spin->Text().size());
  S.Key(Qt::Key_Up);
  EXPECT_EQ(S.Spin->Text(), FormatDateTime("h:nn", EncodeTime(23, 31, 0, 0)));
}

TEST_F(SpinEdit, TimeSecondsStepWithTheCaretAfterTheSecondSeparator) {
  S.Spin->SetSpinType(sptTime);
  S.Spin->SetIncrementSeconds(15);
  S.Spin->SetTimeValue(EncodeTime(10, 0, 50, 0));
  S.Caret(S.Spin->Text().size());
  S.Key(Qt::Key_Up);
  EXPECT_EQ(S.Spin->Text(), TimeToStr(EncodeTime(10, 1, 5, 0)));
}

namespace {

// Date stepping under a day-month-year and a month-day-year locale.
class SpinDates : public LocaleTest {
 protected:
  void SetUp() override {
    LocaleTest::SetUp();
    S = std::make_unique<SpinForm>();
    S->Spin->SetSpinType(sptDate);
  }
  void TearDown() override { S.reset(); }
  // Steps up with the caret in the field (0 first, 1 second, 2 third).
  void StepIn(int Field, bool Up = true) {
    const QString t = S->Spin->Text();
    const QChar sep = FormatSettings.DateSeparator;
    int pos = 0;
    for (int i = 0; i < Field; ++i) pos = static_cast<int>(t.indexOf(sep, pos)) + 1;
    S->Caret(pos);
    S->Key(Up ? Qt::Key_Up : Qt::Key_Down);
  }
  int MonthField() const { return DayFirst() ? 1 : 0; }
  int DayField() const { return DayFirst() ? 0 : 1; }
  std::unique_ptr<SpinForm> S;
};

}  // namespace

TEST_P(SpinDates, MonthStepFrom31JanuaryGivesTheLastDayOfFebruary) {
  S->Spin->SetDateValue(EncodeDate(2026, 1, 31));
  StepIn(MonthField());
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2026, 2, 28));
  EXPECT_EQ(S->Spin->UsDates(), !DayFirst());
  S->Spin->SetDateValue(EncodeDate(2024, 1, 31));
  StepIn(MonthField());
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2024, 2, 29));
}

TEST_P(SpinDates, DayAndYearSteps) {
  S->Spin->SetDateValue(EncodeDate(2026, 2, 28));
  StepIn(DayField());
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2026, 3, 1));
  StepIn(2, false);
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2025, 3, 1));
}

TEST_P(SpinDates, YearStepFrom29FebruaryGives28February) {
  S->Spin->SetDateValue(EncodeDate(2024, 2, 29));
  StepIn(2);
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2025, 2, 28));
  S->Spin->SetDateValue(EncodeDate(2024, 2, 29));
  StepIn(2, false);
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2023, 2, 28));
  // A leap year four years on keeps the 29th; the time of day stays.
  EXPECT_EQ(AddYearsToDate(4, EncodeDate(2024, 2, 29)), EncodeDate(2028, 2, 29));
  const TDateTime noon = EncodeDate(2024, 2, 29) + 0.5;
  EXPECT_EQ(AddYearsToDate(1, noon), EncodeDate(2025, 2, 28) + 0.5);
}

TEST_P(SpinDates, ButtonStepOn29FebruaryRaisesNothing) {
  S->Spin->SetDateValue(EncodeDate(2024, 2, 29));
  S->Caret(S->Spin->Text().size());
  TProTimerSpeedButton* up = S->Spin->Button()->UpButton();
  int shown = 0;
  Application->OnException = [&shown](TObject*, Exception&) { ++shown; };
  const auto restore = qScopeGuard([] { Application->OnException = nullptr; });
  QTest::mouseClick(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(S->Spin->DateValue(), EncodeDate(2025, 2, 28));
}

// ---------------------------------------------------------------------------
// Characters per spin type

namespace {

// Which of the separators, "-" and a letter each spin type takes at the end
// of a text and at the start.
class SpinChars : public LocaleTest {
 protected:
  void SetUp() override {
    LocaleTest::SetUp();
    S = std::make_unique<SpinForm>();
  }
  void TearDown() override { S.reset(); }
  bool Valid(TPsgSpinType Type, const QString& Text, int Caret, QChar Key) {
    S->Spin->SetSpinType(Type);
    S->Spin->SetText(Text);
    S->Caret(Caret);
    return S->Spin->IsValidChar(Key);
  }
  std::unique_ptr<SpinForm> S;
};

}  // namespace

TEST_P(SpinChars, SeparatorsPerSpinType) {
  const QChar d = FormatSettings.DecimalSeparator, t = FormatSettings.ThousandSeparator;
  const QChar s = FormatSettings.TimeSeparator, c = FormatSettings.DateSeparator;
  // "." locale: d ".", t ",", date "/", time ":". "," locale: d ",", t ".", date ".", time ":".
  struct Row {
    TPsgSpinType Type;
    QChar Key;
    bool Valid;
  };
  const std::vector<Row> rows = {
      {sptNormal, d, false}, {sptNormal, t, false}, {sptNormal, s, false}, {sptNormal, c, false},
      {sptFloat, d, true},   {sptFloat, t, false},  {sptFloat, s, false},
      // The comma locale's date separator is its thousands separator.
      {sptFloat, c, false},
      {sptDate, c, true},    {sptDate, s, false},   {sptDate, d, true},  {sptDate, t, true},
      {sptTime, s, true},    {sptTime, c, false},   {sptTime, d, true},
      // The comma locale's thousands separator is its date separator, which a
      // time refuses; the point locale's "," is taken.
      {sptTime, t, !DayFirst()},
  };
  for (const Row& r : rows) {
    QChar k = r.Key;
    EXPECT_EQ(Valid(r.Type, QStringLiteral("1"), 1, k), r.Valid)
        << "type " << r.Type << " key " << QString(r.Key).toStdString();
  }
}

// In every spin type, dates and times included: a "-" goes at the start only,
// and only once.
TEST_P(SpinChars, MinusOnlyAtTheStart) {
  for (TPsgSpinType type : {sptNormal, sptFloat, sptDate, sptTime}) {
    EXPECT_TRUE(Valid(type, "12", 0, u'-')) << "type " << type;
    EXPECT_FALSE(Valid(type, "12", 1, u'-')) << "type " << type;
    EXPECT_FALSE(Valid(type, "12", 2, u'-')) << "type " << type;
    EXPECT_FALSE(Valid(type, "-12", 0, u'-')) << "type " << type;
    // A selection holding the "-" may be replaced by one.
    S->Spin->SetText("-12");
    S->Spin->SelectAll();
    QChar minus(u'-');
    EXPECT_TRUE(S->Spin->IsValidChar(minus)) << "type " << type;
  }
}

TEST_P(SpinChars, SecondDecimalSeparatorAndThirdTimeSeparator) {
  const QChar d = FormatSettings.DecimalSeparator;
  EXPECT_FALSE(Valid(sptFloat, L("1{d}5"), 3, d));
  S->Spin->SelectAll();
  QChar k = d;
  EXPECT_TRUE(S->Spin->IsValidChar(k));
  EXPECT_TRUE(Valid(sptTime, L("10{:}30"), 5, u':'));
  EXPECT_FALSE(Valid(sptTime, L("10{:}30{:}00"), 8, u':'));
  EXPECT_FALSE(Valid(sptNormal, "1", 1, u'a'));
  EXPECT_FALSE(Valid(sptDate, "1", 1, u'a'));
}

TEST_P(SpinChars, KeypadDecimalTypesTheLocaleSeparatorInExcelStyle) {
  S->Spin->SetSpinType(sptFloat);
  S->Spin->SetExcelStyleDecimalSeparator(true);
  S->Spin->SetText("1");
  S->Caret(1);
  QTest::keyClick(S->Spin->View(), Qt::Key_Period, Qt::KeypadModifier);
  EXPECT_EQ(S->Spin->Text(), L("1{d}"));
  // The main "." stays a "." (refused in a comma locale, where it is the
  // thousands separator).
  S->Spin->SetText("1");
  S->Caret(1);
  QTest::keyClick(S->Spin->View(), Qt::Key_Period);
  EXPECT_EQ(S->Spin->Text(), DayFirst() ? QString("1") : QString("1."));
}

INSTANTIATE_LOCALES(SpinDates);
INSTANTIATE_LOCALES(SpinChars);

// ---------------------------------------------------------------------------
// Value fallbacks

TEST_F(SpinEdit, GettersFallBackOnTextsThatAreNoValue) {
  S.Spin->SetMinValue(7);
  S.Spin->SetMaxValue(70);
  S.Spin->SetMinFloatValue(1.5);
  S.Spin->SetMinDateValue(EncodeDate(2020, 1, 1));
  S.Spin->SetText("");
  EXPECT_EQ(S.Spin->Value(), 0);
  EXPECT_EQ(S.Spin->FloatValue(), 1.5);
  EXPECT_EQ(S.Spin->TimeValue(), 0);
  const TDateTime before = Now();
  const TDateTime empty = S.Spin->DateValue();
  S.Spin->SetText("0");
  const TDateTime zero = S.Spin->DateValue();
  const TDateTime after = Now();
  // Both read as the moment of the call, not as MinDateValue (2020).
  EXPECT_GE(empty, before);
  EXPECT_LE(empty, after);
  EXPECT_GE(zero, before);
  EXPECT_LE(zero, after);
  S.Spin->SetText("abc");
  EXPECT_EQ(S.Spin->Value(), 7);
  EXPECT_EQ(S.Spin->FloatValue(), 1.5);
  EXPECT_EQ(S.Spin->DateValue(), EncodeDate(2020, 1, 1));
  EXPECT_EQ(S.Spin->TimeValue(), 0);
  S.Spin->SetText(" 42 ");
  EXPECT_EQ(S.Spin->Value(), 42);
}

// ---------------------------------------------------------------------------
// Repeating buttons

TEST_F(SpinEdit, HeldButtonClicksAtOnceThenAfter400ThenEvery100Ms) {
  S.Spin->SetValue(10);
  TProTimerSpeedButton* up = S.Spin->Button()->UpButton();
  QTest::mousePress(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(S.Spin->Value(), 11);
  ASSERT_NE(up->RepeatTimer(), nullptr);
  EXPECT_TRUE(up->RepeatTimer()->Enabled());
  EXPECT_EQ(up->RepeatTimer()->Interval(), 400u);
  up->TimerExpired(up->RepeatTimer());
  EXPECT_EQ(S.Spin->Value(), 12);
  EXPECT_EQ(up->RepeatTimer()->Interval(), 100u);
  up->TimerExpired(up->RepeatTimer());
  EXPECT_EQ(S.Spin->Value(), 13);
  QTest::mouseRelease(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_FALSE(up->RepeatTimer()->Enabled());
  EXPECT_EQ(S.Spin->Value(), 13);
  // A tick after the release clicks no more.
  up->TimerExpired(up->RepeatTimer());
  EXPECT_EQ(S.Spin->Value(), 13);
  // A new press starts with the long interval again.
  QTest::mousePress(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(up->RepeatTimer()->Interval(), 400u);
  QTest::mouseRelease(up->View(), Qt::LeftButton, {}, Center(up));
}

TEST_F(SpinEdit, ExceptionFromTheRepeatedClickStopsTheTimer) {
  TPsgSpinButton* pair = S.Spin->Button();
  int clicks = 0;
  // The second click fails.
  pair->OnUpClick = [&clicks](TObject*) {
    if (++clicks == 2) throw Exception(QStringLiteral("refused"));
  };
  TProTimerSpeedButton* up = pair->UpButton();
  QTest::mousePress(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(up->RepeatTimer()->Enabled());
  EXPECT_THROW(up->TimerExpired(up->RepeatTimer()), Exception);
  EXPECT_FALSE(up->RepeatTimer()->Enabled());
  QTest::mouseRelease(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(clicks, 2);
}

TEST_F(SpinEdit, ExceptionFromTheClickOfThePressIsShownAndStopsTheTimer) {
  TPsgSpinButton* pair = S.Spin->Button();
  pair->OnUpClick = [](TObject*) { throw Exception(QStringLiteral("refused")); };
  int shown = 0;
  Application->OnException = [&shown](TObject*, Exception&) { ++shown; };
  const auto restore = qScopeGuard([] { Application->OnException = nullptr; });
  TProTimerSpeedButton* up = pair->UpButton();
  QTest::mousePress(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(up->RepeatTimer()->Enabled());
  QTest::mouseRelease(up->View(), Qt::LeftButton, {}, Center(up));
  EXPECT_EQ(shown, 1);
}

// ---------------------------------------------------------------------------
// Layout

TEST(SpinButtonLayout, VerticalAndHorizontalPairs) {
  TShownForm f(200, 100);
  auto* pair = new TPsgSpinButton(f.Form);
  pair->SetParent(f.Form);
  pair->SetBounds(0, 0, 10, 25);
  EXPECT_EQ(pair->Width(), 15);
  EXPECT_EQ(pair->UpButton()->BoundsRect(), TRect(0, 0, 15, 12));
  // One pixel row is shared.
  EXPECT_EQ(pair->DownButton()->BoundsRect(), TRect(0, 11, 15, 25));
  pair->SetDirection(spHorizontal);
  EXPECT_EQ(pair->Width(), 20);
  EXPECT_EQ(pair->UpButton()->ButtonDirection(), bdRight);
  EXPECT_EQ(pair->DownButton()->ButtonDirection(), bdLeft);
  pair->SetBounds(0, 0, 31, 16);
  EXPECT_EQ(pair->DownButton()->BoundsRect(), TRect(0, 0, 15, 16));
  EXPECT_EQ(pair->UpButton()->BoundsRect(), TRect(16, 0, 31, 16));
  pair->SetBounds(0, 0, 12, 16);
  EXPECT_EQ(pair->Width(), 20);
  pair->SetDirection(spVertical);
  EXPECT_EQ(pair->Width(), 15);
  EXPECT_EQ(pair->UpButton()->ButtonDirection(), bdUp);
}

TEST_F(SpinEdit, EditRectAndMinimumHeight) {
  const int minHeight = S.Spin->GetMinHeight();
  HDC dc = CreateCompatibleDC(nullptr);
  TEXTMETRIC sys{}, font{};
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  GetTextMetrics(dc, &sys);
  SelectObject(dc, S.Spin->Font()->Handle());
  GetTextMetrics(dc, &font);
  DeleteDC(dc);
  ASSERT_GT(font.tmHeight, 0);
  EXPECT_EQ(minHeight, font.tmHeight + std::min(font.tmHeight, sys.tmHeight) / 4 + 2 +
                           4 * GetSystemMetrics(SM_CYBORDER));
  S.Spin->SetHeight(5);
  EXPECT_EQ(S.Spin->Height(), minHeight);
  S.Spin->SetBounds(10, 10, 120, 30);
  TPsgSpinButton* b = S.Spin->Button();
  EXPECT_EQ(b->BoundsRect(), TRect(120 - 15 - 5, 0, 120 - 5, 25));
  TRect r;
  S.Spin->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, TRect(0, 0, S.Spin->ClientWidth() - 15 - 2, S.Spin->ClientHeight() + 1));
  S.Spin->SetBorderStyle(bsNone);
  S.Spin->SetBounds(10, 10, 120, 30);
  S.Spin->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r, TRect(3, 3, S.Spin->ClientWidth() - 15 - 3 - 2, S.Spin->ClientHeight() + 1));
  EXPECT_EQ(b->BoundsRect(), TRect(120 + 4 - 15 - 5, 0, 120 + 4 - 5, 30 + 4 - 5));
}

TEST_F(SpinEdit, ColouredPairDrawsFillAndTriangles) {
  TPsgSpinButton* pair = S.Spin->Button();
  pair->SetButtonColor(clYellow);
  pair->SetButtonColorHot(clYellow);
  pair->SetButtonColorDown(clRed);
  const QImage shot = GrabControl(pair);
  const QImage* img = &shot;
  const int downTop = pair->DownButton()->Top();
  // Up: apex at (6, 2), base from (4, 4) to (8, 4). Down: base at y 2, apex at y 4.
  EXPECT_EQ(QColor(img->pixel(6, 3)), QColor(Qt::black));
  EXPECT_EQ(QColor(img->pixel(1, 1)), QColor(Qt::yellow));
  EXPECT_EQ(QColor(img->pixel(6, downTop + 3)), QColor(Qt::black));
  EXPECT_EQ(QColor(img->pixel(1, downTop + 6)), QColor(Qt::yellow));
  EXPECT_EQ(QColor(img->pixel(12, downTop + 3)), QColor(Qt::yellow));
  // Held down, the button takes the down colour.
  TProTimerSpeedButton* down = pair->DownButton();
  QTest::mousePress(down->View(), Qt::LeftButton, {}, Center(down));
  EXPECT_EQ(QColor(GrabControl(pair).pixel(1, downTop + 6)), QColor(Qt::red));
  QTest::mouseRelease(down->View(), Qt::LeftButton, {}, Center(down));
}

// ---------------------------------------------------------------------------
// Looks

TEST_F(SpinEdit, ThemedPairDrawsTheSpinPartsByDirectionAndState) {
  auto owned = std::make_unique<TFakeStyles>();
  TFakeStyles* styles = owned.get();
  SetVisualStyles(std::move(owned));
  const auto restore = qScopeGuard([] { SetVisualStyles(nullptr); });
  TPsgSpinButton* pair = S.Spin->Button();
  S.Spin->SetIsWinXP(true);
  (void)GrabControl(pair);
  ASSERT_EQ(styles->Log.size(), 2u);
  for (const auto& d : styles->Log) EXPECT_EQ(d.ClassList, "spin");
  EXPECT_EQ(styles->Log[0].Part, 1);  // up
  EXPECT_EQ(styles->Log[0].State, 1);
  EXPECT_EQ(styles->Log[1].Part, 2);  // down
  styles->Log.clear();
  TProTimerSpeedButton* down = pair->DownButton();
  QTest::mousePress(down->View(), Qt::LeftButton, {}, Center(down));
  (void)GrabControl(pair);
  QTest::mouseRelease(down->View(), Qt::LeftButton, {}, Center(down));
  bool pressed = false;
  for (const auto& d : styles->Log) pressed = pressed || (d.Part == 2 && d.State == 3);
  EXPECT_TRUE(pressed);
  styles->Log.clear();
  S.Spin->SetDirection(spHorizontal);
  (void)GrabControl(pair);
  std::vector<int> parts;
  for (const auto& d : styles->Log) parts.push_back(d.Part);
  std::sort(parts.begin(), parts.end());
  EXPECT_EQ(parts, std::vector<int>({3, 4}));
}

TEST_F(SpinEdit, ClassicPairShowsTheArrowGlyphs) {
  TPsgSpinButton* pair = S.Spin->Button();
  ASSERT_NE(pair->UpGlyph(), nullptr);
  EXPECT_EQ(pair->UpGlyph()->Width(), 9);
  EXPECT_EQ(pair->UpGlyph()->Height(), 6);
  const QImage img = GrabControl(pair->UpButton()).convertToFormat(QImage::Format_RGB32);
  int black = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (img.pixel(x, y) == qRgb(0, 0, 0)) ++black;
  EXPECT_GE(black, 16);  // the arrow's 16 pixels (and the dark frame)
}

// ---------------------------------------------------------------------------
// Keys of the edit

TEST_F(SpinEdit, ReturnIsTabMovesToTheNextControl) {
  S.Other->SetTabOrder(1);
  S.Spin->SetReturnIsTab(true);
  S.Key(Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_TRUE(S.Other->Focused());
}

TEST_F(SpinEdit, WithoutEditorASetValueIsSelected) {
  S.Spin->SetEditorEnabled(false);
  S.Spin->SetValue(42);
  EXPECT_EQ(S.Spin->SelText(), "42");
}
