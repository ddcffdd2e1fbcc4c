// The grid's date editor on an offscreen grid, driven by typed keys and mouse
// clicks: what it opens on, how typed digits walk its fields, Escape, Enter
// with the calendar open, the calendar's options and events, and what the
// cell receives for each date kind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScopeGuard>
#include <QTest>

#include "grid/ProGrid.h"
#include "platform/rtl/SysUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/WinApi.h"
#include "tests/grid/GridKeyInput.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// The editors' "now": a fixed moment, 3/14/2025 9:30.
const TDateTime kNow = EncodeDate(2025, 3, 14) + EncodeTime(9, 30, 0, 0);

class GridDateEditor : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBounds(0, 0, 400, 240);
    G->SetColCount(3);
    G->SetRowCount(6);
    G->SetOptions(G->Options() + TGridOptions{goEditing});
    G->DateEditorClock = [] { return kNow; };
    G->OnGetEditorType = [this](TObject*, int, int, TEditorType& E) { E = Kind; };
    F.Show();
    G->SetFocus();
  }
  void Open(const QString& Text, int C = 1, int R = 2) {
    G->SetCells(C, R, Text);
    G->SetCol(C);
    G->SetRow(R);
    Press(Qt::Key_F2);
  }
  void Press(Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) { PressKey(G, K, Mods); }
  void Type(const QString& Text) { TypeKeys(G, Text); }
  TGridDatePicker* Picker() { return G->DateEditor(); }
  bool PickerShown() { return Picker()->Visible() && G->EditMode(); }
  static void Click(TControl* C, QPoint P) {
    QTest::mouseClick(C->View(), Qt::LeftButton, {}, P);
    QApplication::processEvents();
  }

  TShownForm F{460, 300};
  TProStringGrid* G = nullptr;
  TEditorType Kind = edDateEdit;
  QStringList Log;
};

}  // namespace

TEST_F(GridDateEditor, EscapeLeavesEveryCellTextAsItWas) {
  // Escape after a change of the value: the cell keeps its text, whatever it is.
  const struct {
    TEditorType Kind;
    QString Text;
  } cases[] = {{edDateEdit, ""},          {edDateEdit, "n/a"},         {edDateEdit, "1/2/2024"},
               {edDateEditUpDown, ""},    {edDateEditUpDown, "n/a"},   {edDateEditUpDown, "01/02/2024"},
               {edTimeEdit, ""},          {edTimeEdit, "later"},       {edTimeEdit, "2:05 PM"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text.toStdString());
    Kind = c.Kind;
    Open(c.Text);
    ASSERT_TRUE(PickerShown());
    Press(Qt::Key_Up);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(PickerShown());
    EXPECT_EQ(G->Cells(1, 2), c.Text);
    EXPECT_EQ(G->Row(), 2);
  }
}

TEST_F(GridDateEditor, TextThatIsNotADateOpensOnTodayAndStoresToday) {
  for (const QString& text : {QString(), QStringLiteral("n/a"), QStringLiteral("13/45/2024"),
                              QStringLiteral("\u00e9\u0000/\uffff")}) {
    Open(text);
    ASSERT_TRUE(PickerShown());
    EXPECT_EQ(Picker()->Date(), EncodeDate(2025, 3, 14));
    Press(Qt::Key_Return);
    EXPECT_FALSE(PickerShown());
    EXPECT_EQ(G->Cells(1, 2), "3/14/2025");
  }
}

TEST_F(GridDateEditor, TheDateIsKeptOneDayInsideMinDateAndMaxDate) {
  const struct {
    QString Text;
    TDateTime Min, Max, Opens;
  } cases[] = {
      {"12/31/2030", 0, EncodeDate(2025, 6, 30), EncodeDate(2025, 6, 29)},
      {"1/1/2020", EncodeDate(2020, 1, 1), 0, EncodeDate(2020, 1, 2)},
      {"1/1/2019", EncodeDate(2020, 1, 1), EncodeDate(2020, 12, 31), EncodeDate(2020, 1, 2)},
      {"5/5/2020", EncodeDate(2020, 1, 1), EncodeDate(2020, 12, 31), EncodeDate(2020, 5, 5)},
      // Bounds one day apart: the rule of MinDate comes last.
      {"5/5/2020", EncodeDate(2020, 1, 1), EncodeDate(2020, 1, 2), EncodeDate(2020, 1, 2)},
      // "Now" beyond MaxDate does not make the editor raise.
      {"n/a", 0, EncodeDate(2024, 1, 1), EncodeDate(2023, 12, 31)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text.toStdString());
    Picker()->SetMinDate(0);
    Picker()->SetMaxDate(0);
    Picker()->SetDate(EncodeDate(2020, 1, 1));
    Picker()->SetMaxDate(c.Max);
    Picker()->SetMinDate(c.Min);
    Open(c.Text);
    ASSERT_TRUE(PickerShown());
    EXPECT_EQ(Picker()->Date(), c.Opens);
    Press(Qt::Key_Escape);
  }
}

TEST_F(GridDateEditor, TypedDigitsMoveOnExceptInTheFormatsLastField) {
  G->OnGetEditorProp = [this](TObject*, int, int, TObject*) { Picker()->SetFormat("MM/dd/yyyy"); };
  Open("1/2/2024");
  ASSERT_TRUE(PickerShown());
  // "3" fills the month, "1" types into the day and moves on to the year.
  Type("3");
  Type("1");
  Type("2025");
  EXPECT_EQ(Picker()->DisplayText(), "03/01/2025");
  // The year is the last field: typing it again stays in it.
  Type("2026");
  EXPECT_EQ(Picker()->DisplayText(), "03/01/2026");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "03/01/2026");
}

TEST_F(GridDateEditor, TypedTimeDigitsMoveToTheNextField) {
  Kind = edTimeEdit;
  G->OnGetEditorProp = [this](TObject*, int, int, TObject*) { Picker()->SetFormat("HH:mm"); };
  Open("9:15 AM");
  ASSERT_TRUE(PickerShown());
  Type("1");
  Type("7");
  EXPECT_EQ(Picker()->DisplayText(), "01:07");
}

TEST_F(GridDateEditor, EnterWithTheCalendarOpenWritesAndValidatesButStays) {
  G->SetAlwaysValidate(true);
  G->OnCellValidate = [this](TObject*, int c, int r, QString& v, bool&) {
    Log << QStringLiteral("Validate %1,%2 %3").arg(c).arg(r).arg(v);
  };
  // Cells whose text differs from the picker's: the first Enter rewrites it.
  const struct {
    QString Text, Written, Picked;
  } cases[] = {{"01/02/2024", "1/2/2024", "1/3/2024"}, {"n/a", "3/14/2025", "3/15/2025"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text.toStdString());
    Log.clear();
    Open(c.Text);
    Press(Qt::Key_F4);
    ASSERT_TRUE(Picker()->CalendarOpen());
    Press(Qt::Key_Right);  // the calendar's selection moves on a day
    Press(Qt::Key_Return);
    EXPECT_EQ(Log, QStringList({"Validate 1,2 " + c.Written}));
    EXPECT_EQ(G->Cells(1, 2), c.Written);
    EXPECT_TRUE(PickerShown());
    EXPECT_FALSE(Picker()->CalendarOpen());
    EXPECT_EQ(Picker()->DisplayText(), c.Picked);
    // The value picked then is validated too when the editor goes.
    Press(Qt::Key_Return);
    EXPECT_FALSE(PickerShown());
    EXPECT_EQ(Log, QStringList({"Validate 1,2 " + c.Written, "Validate 1,2 " + c.Picked}));
    EXPECT_EQ(G->Cells(1, 2), c.Picked);
  }
}

TEST_F(GridDateEditor, ARefusedValueKeepsTheEditorOnTheValidatedText) {
  G->OnCellValidate = [](TObject*, int, int, QString& v, bool& ok) {
    ok = false;
    v = "1/5/2024";
  };
  Open("1/2/2024");
  Press(Qt::Key_Up);
  Press(Qt::Key_Return);
  EXPECT_TRUE(Picker()->Visible());
  EXPECT_EQ(G->NewCellText(), "1/5/2024");
  EXPECT_EQ(Picker()->DisplayText(), "1/5/2024");
  EXPECT_EQ(G->Row(), 2);
}

TEST_F(GridDateEditor, OnCustomStrToDateReadsTheCell) {
  G->OnCustomStrToDate = [](TObject*, const QString& v, TDateTime& d) {
    EXPECT_EQ(d, kNow);
    if (v == "the first of May") d = EncodeDate(2021, 5, 1);
  };
  Open("the first of May");
  EXPECT_EQ(Picker()->Date(), EncodeDate(2021, 5, 1));
  Press(Qt::Key_Escape);
  Open("anything else");
  EXPECT_EQ(Picker()->Date(), EncodeDate(2025, 3, 14));
}

TEST_F(GridDateEditor, DirectDateDropAndCloseWithTheCalendarsOptions) {
  G->MouseActions()->SetDirectDateDrop(true);
  G->MouseActions()->SetDirectDateClose(true);
  Picker()->SetWeekNumbers(true);
  Picker()->SetShowToday(false);
  Picker()->SetShowTodayCircle(false);
  DWORD style = 0;
  TRect minRect, size;
  G->OnDatePickerDropDown = [&](TObject*, int r, int c) {
    Log << QStringLiteral("DropDown %1,%2").arg(r).arg(c);
    HWND cal = reinterpret_cast<HWND>(SendMessage(Picker()->Handle(), DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(cal, nullptr);
    style = DWORD(GetWindowLong(cal, GWL_STYLE));
    SendMessage(cal, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&minRect));
    GetWindowRect(cal, &size);
  };
  G->OnDatePickerCloseUp = [&](TObject*, int r, int c) { Log << QStringLiteral("CloseUp %1,%2").arg(r).arg(c); };
  Open("1/2/2024", 2, 3);
  EXPECT_TRUE(Picker()->CalendarOpen());
  EXPECT_EQ(style & (MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE),
            MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE);
  EXPECT_EQ(size.Right - size.Left, minRect.Right - minRect.Left + 2);
  EXPECT_EQ(size.Bottom - size.Top, minRect.Bottom - minRect.Top + 2);
  // A day picked with Enter closes the calendar, and the editor goes away.
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);
  EXPECT_EQ(Log, QStringList({"DropDown 3,2", "CloseUp 3,2"}));
  EXPECT_FALSE(PickerShown());
  EXPECT_TRUE(G->Focused());
  EXPECT_EQ(G->Cells(2, 3), "1/9/2024");
}

TEST_F(GridDateEditor, WithoutOptionsTheCalendarShowsTodayAndNoWeekNumbers) {
  DWORD style = ~0u;
  G->OnDatePickerDropDown = [&](TObject*, int, int) {
    HWND cal = reinterpret_cast<HWND>(SendMessage(Picker()->Handle(), DTM_GETMONTHCAL, 0, 0));
    style = DWORD(GetWindowLong(cal, GWL_STYLE));
  };
  Open("1/2/2024");
  EXPECT_FALSE(G->MouseActions()->DirectDateDrop());
  EXPECT_FALSE(Picker()->CalendarOpen());
  Press(Qt::Key_F4);
  EXPECT_TRUE(Picker()->CalendarOpen());
  EXPECT_EQ(style & (MCS_WEEKNUMBERS | MCS_NOTODAY | MCS_NOTODAYCIRCLE), 0u);
  // Without DirectDateClose the editor stays after the close-up.
  Press(Qt::Key_Escape);
  EXPECT_FALSE(Picker()->CalendarOpen());
  EXPECT_TRUE(PickerShown());
  Press(Qt::Key_Escape);
  EXPECT_EQ(G->Cells(1, 2), "1/2/2024");
}

TEST_F(GridDateEditor, AnUncheckedPickerStoresTheEmptyText) {
  G->OnGetEditorProp = [this](TObject*, int, int, TObject*) { Picker()->SetShowCheckbox(true); };
  Open("1/2/2024");
  ASSERT_TRUE(Picker()->Checked());
  Press(Qt::Key_Space);
  EXPECT_FALSE(Picker()->Checked());
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "");
}

TEST_F(GridDateEditor, TheTimeIsStoredInThePickersFormatAndTheLongTimeFormatStays) {
  Kind = edTimeEdit;
  const QString longTime = FormatSettings.LongTimeFormat;
  G->OnGetEditorProp = [this](TObject*, int, int, TObject*) { Picker()->SetFormat("HH:mm"); };
  G->OnEditingDone = [&](TObject*) { EXPECT_EQ(FormatSettings.LongTimeFormat, longTime); };
  Open("2:05 PM");
  ASSERT_TRUE(PickerShown());
  EXPECT_EQ(Picker()->Kind(), dtkTime);
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "14:05");
  EXPECT_EQ(FormatSettings.LongTimeFormat, longTime);
  // Without a format the long time format gives the text.
  G->OnGetEditorProp = [this](TObject*, int, int, TObject*) { Picker()->SetFormat(""); };
  Open("14:05");
  Press(Qt::Key_Return);
  EXPECT_EQ(G->Cells(1, 2), "2:05:00 PM");
}

// An exception from a handler on the store path (validation on Enter, or the
// end of editing) reaches the application, and the long time format the time
// was read under is the process's own again, in the handler and after it.
TEST_F(GridDateEditor, TheLongTimeFormatIsRestoredWhenAHandlerThrows) {
  Kind = edTimeEdit;
  const QString longTime = FormatSettings.LongTimeFormat;
  QStringList errors, seen;
  Application->OnException = [&](TObject*, Exception& E) { errors << E.Message(); };
  const auto restore = qScopeGuard([] { Application->OnException = nullptr; });
  G->OnGetEditorProp = [this](TObject*, int, int, TObject*) { Picker()->SetFormat("HH:mm"); };
  enum Thrower { Validate, EditingDone };
  for (Thrower t : {Validate, EditingDone}) {
    SCOPED_TRACE(int(t));
    errors.clear();
    seen.clear();
    G->OnCellValidate = nullptr;
    G->OnEditingDone = nullptr;
    if (t == Validate)
      G->OnCellValidate = [&](TObject*, int, int, QString&, bool&) {
        seen << FormatSettings.LongTimeFormat;
        throw Exception(QStringLiteral("refused"));
      };
    else
      G->OnEditingDone = [&](TObject*) {
        seen << FormatSettings.LongTimeFormat;
        throw Exception(QStringLiteral("done"));
      };
    Open("2:05 PM");
    ASSERT_TRUE(PickerShown());
    Press(Qt::Key_Return);
    EXPECT_EQ(errors, QStringList({t == Validate ? "refused" : "done"}));
    EXPECT_EQ(seen, QStringList({longTime}));
    EXPECT_EQ(FormatSettings.LongTimeFormat, longTime);
    if (PickerShown()) Press(Qt::Key_Escape);
  }
}

TEST_F(GridDateEditor, TheUpDownKindShowsUpDownButtonsThatStep) {
  Kind = edDateEditUpDown;
  Open("1/2/2024");
  ASSERT_TRUE(PickerShown());
  EXPECT_EQ(Picker()->DateMode(), dmUpDown);
  const int x = Picker()->ClientWidth() - 4;
  Click(Picker(), QPoint(x, 3));
  EXPECT_EQ(Picker()->DisplayText(), "2/2/2024");
  Click(Picker(), QPoint(x, Picker()->ClientHeight() - 3));
  Click(Picker(), QPoint(x, Picker()->ClientHeight() - 3));
  EXPECT_EQ(Picker()->DisplayText(), "12/2/2024");
  EXPECT_FALSE(Picker()->CalendarOpen());
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->Cells(1, 2), "12/2/2024");
}

TEST_F(GridDateEditor, OnEditChangeReportsTheTimeOrTheDate) {
  const struct {
    TEditorType Kind;
    QString Text, Reported;
  } cases[] = {{edDateEdit, "1/2/2024", "2/2/2024"}, {edTimeEdit, "2:05:00 PM", "3:05:00 PM"}};
  for (const auto& c : cases) {
    Kind = c.Kind;
    QStringList changes;
    G->OnEditChange = [&](TObject*, int col, int row, const QString& v) {
      changes << QStringLiteral("%1,%2 %3").arg(col).arg(row).arg(v);
    };
    Open(c.Text);
    Press(Qt::Key_Up);
    EXPECT_EQ(changes, QStringList({"1,2 " + c.Reported}));
    Press(Qt::Key_Escape);
  }
}

TEST_F(GridDateEditor, TheEditorTakesTheColourTonesOfThePicker) {
  Picker()->SetMetroStyle(true);
  Picker()->SetButtonColor(clRed);
  Picker()->SetBorderColor(clBlue);
  Open("1/2/2024");
  EXPECT_TRUE(Picker()->MetroStyle());
  EXPECT_EQ(Picker()->ButtonColor(), clRed);
  EXPECT_EQ(Picker()->BorderColor(), clBlue);
}

TEST_F(GridDateEditor, EscapeInTheOpenCalendarWithDirectDateCloseStoresNothing) {
  G->MouseActions()->SetDirectDateClose(true);
  for (const QString& text : {QStringLiteral("n/a"), QStringLiteral("01/02/2024")}) {
    Open(text);
    ASSERT_TRUE(PickerShown());
    EXPECT_TRUE(Picker()->Focused());
    Press(Qt::Key_F4);
    ASSERT_TRUE(Picker()->CalendarOpen());
    Press(Qt::Key_Right);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(PickerShown());
    EXPECT_EQ(G->Cells(1, 2), text);
  }
}

TEST_F(GridDateEditor, TabWithGoTabsStoresAndMoves) {
  G->SetOptions(G->Options() + TGridOptions{goTabs});
  Open("1/2/2024");
  Press(Qt::Key_Up);
  Press(Qt::Key_Tab);
  EXPECT_EQ(G->Cells(1, 2), "2/2/2024");
  EXPECT_EQ(G->Col(), 2);
  EXPECT_EQ(G->Row(), 2);
}

TEST_F(GridDateEditor, TheFocusLeavingTheEditorStoresItsValue) {
  Open("1/2/2024");
  Press(Qt::Key_Down);
  G->SetFocus();
  QApplication::processEvents();
  EXPECT_FALSE(PickerShown());
  EXPECT_EQ(G->Cells(1, 2), "12/2/2024");
}

TEST_F(GridDateEditor, TheEditorShowsNoBorder) {
  // A two-pixel frame in the window colour covers the picker's sunken edge.
  G->SetColor(clYellow);
  Open("1/2/2024");
  ASSERT_TRUE(PickerShown());
  const QImage img = GrabControl(Picker());
  ASSERT_FALSE(img.isNull());
  const int w = img.width(), h = img.height();
  for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(w - 1, h - 1), QPoint(w - 2, h - 2), QPoint(0, h / 2),
                   QPoint(1, h / 2)})
    EXPECT_EQ(FromQColor(img.pixelColor(p)), ColorToRGB(clWindow)) << p.x() << "," << p.y();
}
