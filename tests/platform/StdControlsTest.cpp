// The standard controls driven as a user drives them: Qt input takes the
// road of the message model (Qt event, message, handlers, events) and the
// events come in the framework's order.
#include <gtest/gtest.h>

#include <QApplication>

#include "ControlTestSupport.h"
#include "platform/ui/Clipbrd.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/Mask.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/ui/TestHooks.h"

// Readable string lists in failure messages.
inline void PrintTo(const QStringList& L, std::ostream* Os) { *Os << '[' << L.join(QStringLiteral(" | ")).toStdString() << ']'; }

namespace {

// Records the standard events of a control under its name.
template <typename T>
void LogEvents(T* C, QStringList* Log) {
  const QString n = C->Name();
  C->OnClick = [=](TObject*) { *Log << n + QStringLiteral(": Click"); };
  if constexpr (std::is_base_of_v<TWinControl, T>) {
    C->OnKeyDown = [=](TObject*, Word& k, TShiftState) { *Log << n + QStringLiteral(": KeyDown %1").arg(k); };
    C->OnKeyPress = [=](TObject*, QChar& c) { *Log << n + QStringLiteral(": KeyPress %1").arg(c); };
    C->OnEnter = [=](TObject*) { *Log << n + QStringLiteral(": Enter"); };
    C->OnExit = [=](TObject*) { *Log << n + QStringLiteral(": Exit"); };
  }
}

class StdEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    E = new TEdit(F.Form);
    E->SetName(QStringLiteral("E"));
    E->SetParent(F.Form);
    E->SetBounds(10, 10, 150, 21);
    E->SetText(QString());
    LogEvents(E, &Log);
    E->OnChange = [this](TObject*) { Log << QStringLiteral("E: Change ") + E->Text(); };
    F.Show();
    E->SetFocus();
    Log.clear();
  }
  TShownForm F;
  TEdit* E = nullptr;
  QStringList Log;
};

TEST_F(StdEdits, TypingFiresKeyDownKeyPressChangeKeyUpAndHandlersCanChangeOrSwallow) {
  E->OnKeyUp = [this](TObject*, Word& k, TShiftState) { Log << QStringLiteral("E: KeyUp %1").arg(k); };
  QTest::keyClick(E->View(), Qt::Key_A);
  EXPECT_EQ(Log, QStringList({"E: KeyDown 65", "E: KeyPress a", "E: Change a", "E: KeyUp 65"}));
  E->OnKeyPress = [](TObject*, QChar& c) {
    if (c == QLatin1Char('x')) c = QChar(0);
    if (c == QLatin1Char('b')) c = QLatin1Char('B');
  };
  QTest::keyClicks(E->View(), QStringLiteral("bxc"));
  EXPECT_EQ(E->Text(), "aBc");
  // A key swallowed in OnKeyDown never reaches the edit (the caret stays at the end).
  E->OnKeyDown = [](TObject*, Word& k, TShiftState) {
    if (k == VK_HOME) k = 0;
  };
  QTest::keyClick(E->View(), Qt::Key_Home);
  QTest::keyClick(E->View(), Qt::Key_D);
  EXPECT_EQ(E->Text(), "aBcd");
}

TEST_F(StdEdits, SelectionCaretAndClipboardKeys) {
  E->SetText(QStringLiteral("hello world"));
  EXPECT_EQ(E->SelStart(), 0);
  E->SetSelStart(6);
  E->SetSelLength(5);
  EXPECT_EQ(E->SelText(), "world");
  E->SetSelText(QStringLiteral("there"));
  EXPECT_EQ(E->Text(), "hello there");
  QTest::keyClick(E->View(), Qt::Key_Home);
  QTest::keyClick(E->View(), Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(E->SelText(), "hello ");
  QTest::keyClick(E->View(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard()->AsText(), "hello ");
  QTest::keyClick(E->View(), Qt::Key_End);
  QTest::keyClick(E->View(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(E->Text(), "hello therehello ");
  // Undo takes back the last change, and undoes the undo the second time.
  QTest::keyClick(E->View(), Qt::Key_Backspace);
  EXPECT_EQ(E->Text(), "hello therehello");
  QTest::keyClick(E->View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(E->Text(), "hello therehello ");
  QTest::keyClick(E->View(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(E->Text(), "hello therehello");
  E->SelectAll();
  QTest::keyClick(E->View(), Qt::Key_Delete);
  EXPECT_EQ(E->Text(), "");
}

TEST_F(StdEdits, PropertiesMaxLengthReadOnlyCharCasePasswordModified) {
  struct Case {
    const char* name;
    std::function<void(TEdit*)> set;
    QString typed;
    QString text;
  };
  const Case cases[] = {
      {"MaxLength", [](TEdit* e) { e->SetMaxLength(3); }, QStringLiteral("abcdef"), QStringLiteral("abc")},
      {"ReadOnly", [](TEdit* e) { e->SetReadOnly(true); }, QStringLiteral("abc"), QStringLiteral("")},
      {"Upper", [](TEdit* e) { e->SetCharCase(ecUpperCase); }, QStringLiteral("abC"), QStringLiteral("ABC")},
      {"Lower", [](TEdit* e) { e->SetCharCase(ecLowerCase); }, QStringLiteral("AbC"), QStringLiteral("abc")},
      {"Numbers", [](TEdit* e) { e->SetNumbersOnly(true); }, QStringLiteral("1a2"), QStringLiteral("12")},
  };
  for (const Case& c : cases) {
    auto* e = new TEdit(F.Form);
    e->SetParent(F.Form);
    e->SetBounds(10, 40, 100, 21);
    c.set(e);
    e->SetFocus();
    QTest::keyClicks(e->View(), c.typed);
    EXPECT_EQ(e->Text(), c.text) << c.name;
    EXPECT_EQ(e->Modified(), !c.text.isEmpty()) << c.name;
    delete e;
  }
  E->SetPasswordChar(QLatin1Char('*'));
  E->SetFocus();
  QTest::keyClicks(E->View(), QStringLiteral("pw"));
  EXPECT_EQ(E->Text(), "pw");
  E->SelectAll();
  Clipboard()->SetAsText(QStringLiteral("unchanged"));
  E->CopyToClipboard();  // a password is never copied
  EXPECT_EQ(Clipboard()->AsText(), "unchanged");
}

TEST_F(StdEdits, AutoSelectOnTabAndClickPlacesTheCaret) {
  E->SetText(QStringLiteral("abc"));
  auto* other = new TEdit(F.Form);
  other->SetParent(F.Form);
  other->SetBounds(10, 40, 100, 21);
  other->SetText(QStringLiteral("xyz"));
  QTest::keyClick(E->View(), Qt::Key_Tab);
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(other->SelLength(), 3);
  QTest::mouseClick(E->View(), Qt::LeftButton, {}, QPoint(3, 10));
  EXPECT_TRUE(E->Focused());
  EXPECT_EQ(E->SelLength(), 0);
  EXPECT_EQ(E->SelStart(), 0);
  EXPECT_EQ(Only(Log, {"Exit", "Enter"}), QStringList({"E: Exit", "E: Enter"}));
}

TEST_F(StdEdits, SettingTextFiresOnChangeOnlyOnceTheWindowExists) {
  int changes = 0;
  auto* e = new TEdit(nullptr);
  e->OnChange = [&](TObject*) { ++changes; };
  e->SetText(QStringLiteral("no window"));
  EXPECT_EQ(changes, 0);
  e->SetParent(F.Form);
  e->SetText(QStringLiteral("shown"));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(e->Modified());
  delete e;
}

TEST(StdMemo, LinesWordWrapReturnsAndTabs) {
  TShownForm f;
  auto* m = new TMemo(f.Form);
  m->SetParent(f.Form);
  m->SetBounds(10, 10, 120, 80);
  m->Lines()->Add(QStringLiteral("first"));
  m->Lines()->Add(QStringLiteral("second"));
  EXPECT_EQ(m->Text(), "first\r\nsecond\r\n");
  EXPECT_EQ(m->Lines()->Count(), 2);
  m->Lines()->SetStrings(1, QStringLiteral("2nd"));
  m->Lines()->Insert(0, QStringLiteral("zero"));
  EXPECT_EQ(m->Lines()->Text(), "zero\r\nfirst\r\n2nd\r\n");
  m->Lines()->Delete(1);
  EXPECT_EQ(m->Lines()->ToStringList(), QStringList({"zero", "2nd"}));
  f.Show();
  m->SetFocus();
  m->Clear();
  QTest::keyClicks(m->View(), QStringLiteral("ab"));
  QTest::keyClick(m->View(), Qt::Key_Return);
  QTest::keyClicks(m->View(), QStringLiteral("cd"));
  EXPECT_EQ(m->Text(), "ab\r\ncd");
  EXPECT_EQ(m->CaretPos(), TPoint(2, 1));
  // Without WantTabs Tab moves on; with it the tab is typed.
  m->SetWantTabs(true);
  QTest::keyClick(m->View(), Qt::Key_Tab);
  EXPECT_EQ(m->Text(), "ab\r\ncd\t");
  // A long line wraps: more display lines than text lines.
  m->SetText(QStringLiteral("one two three four five six seven eight nine ten"));
  EXPECT_GT(m->Perform(EM_GETLINECOUNT), 1);
  EXPECT_EQ(m->Lines()->Count(), 1);
  m->SetWordWrap(false);
  EXPECT_EQ(m->Perform(EM_GETLINECOUNT), 1);
}

TEST(StdMaskEdit, MaskedTypingLiteralsAndValidation) {
  TShownForm f;
  auto* m = new TMaskEdit(f.Form);
  m->SetParent(f.Form);
  m->SetBounds(10, 10, 120, 21);
  m->SetEditMask(QStringLiteral("!99:99;1;_"));
  EXPECT_EQ(m->EditText(), "__:__");
  f.Show();
  m->SetFocus();
  m->SetSelStart(0);
  QTest::keyClicks(m->View(), QStringLiteral("1x23"));
  EXPECT_EQ(m->EditText(), "12:3_");
  EXPECT_EQ(m->Text(), "12:3 ");
  m->SetEditMask(QStringLiteral(">LL-00;0;*"));
  m->SetText(QStringLiteral("ab12"));
  EXPECT_EQ(m->EditText(), "AB-12");
  EXPECT_EQ(m->Text(), "AB12");
  m->SetText(QStringLiteral("a"));
  EXPECT_THROW(m->ValidateEdit(), EDBEditError);
}

TEST(StdMaskEdit, LineBreaksInTheMaskStandAsBlanks) {
  // Literal and blank line breaks: replacing a selection used to cut the text
  // at the first one, leaving fewer characters than the mask has positions.
  TMaskEdit m(nullptr);
  m.SetEditMask(QStringLiteral("\r00\n;1;\n"));
  EXPECT_EQ(m.EditText(), "    ");
  m.Perform(WM_CHAR, 1);  // Ctrl+A
  m.Perform(WM_CHAR, '5');
  EXPECT_EQ(m.EditText(), " 5  ");
  m.SetEditText(m.EditText());
  EXPECT_EQ(m.EditText(), " 5  ");
}

class StdChoices : public ::testing::Test {
 protected:
  void SetUp() override { F.Show(); }
  template <typename T>
  T* Make(const char* Name, int X, int Y, int W, int H) {
    auto* c = new T(F.Form);
    c->SetName(QString::fromLatin1(Name));
    c->SetParent(F.Form);
    c->SetBounds(X, Y, W, H);
    LogEvents(c, &Log);
    return c;
  }
  TShownForm F{400, 300};
  QStringList Log;
};

TEST_F(StdChoices, CheckBoxTogglesByClickSpaceAndAcceleratorAndFiresOnClickFromCode) {
  auto* cb = Make<TCheckBox>("CB", 10, 10, 120, 17);
  cb->SetCaption(QStringLiteral("&Gateway"));
  Log.clear();
  cb->SetChecked(true);  // from code: OnClick too
  EXPECT_EQ(Log, QStringList({"CB: Click"}));
  cb->SetChecked(true);  // no change, no click
  EXPECT_EQ(Log.size(), 1);
  QTest::mouseClick(cb->View(), Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_FALSE(cb->Checked());
  EXPECT_TRUE(cb->Focused());
  // Pressed inside, released outside: no toggle.
  QTest::mousePress(cb->View(), Qt::LeftButton, {}, QPoint(5, 8));
  QTest::mouseMove(cb->View(), QPoint(300, 100));
  QTest::mouseRelease(cb->View(), Qt::LeftButton, {}, QPoint(300, 100));
  EXPECT_FALSE(cb->Checked());
  // Space toggles on its release.
  QTest::keyPress(cb->View(), Qt::Key_Space);
  EXPECT_FALSE(cb->Checked());
  QTest::keyRelease(cb->View(), Qt::Key_Space);
  EXPECT_TRUE(cb->Checked());
  cb->SetAllowGrayed(true);
  QTest::keyClick(cb->View(), Qt::Key_Space);
  EXPECT_EQ(cb->State(), cbUnchecked);
  QTest::keyClick(cb->View(), Qt::Key_Space);
  EXPECT_EQ(cb->State(), cbGrayed);
  // The accelerator toggles from anywhere on the form.
  auto* other = Make<TEdit>("Other", 10, 40, 100, 21);
  other->SetFocus();
  QTest::keyClick(other->View(), Qt::Key_G, Qt::AltModifier);
  EXPECT_EQ(cb->State(), cbChecked);
  EXPECT_EQ(Log.count(QStringLiteral("CB: Click")), 6);
}

TEST_F(StdChoices, RadioButtonsOfOneParentExcludeEachOther) {
  auto* r1 = Make<TRadioButton>("R1", 10, 10, 100, 17);
  auto* r2 = Make<TRadioButton>("R2", 10, 30, 100, 17);
  auto* r3 = Make<TRadioButton>("R3", 10, 50, 100, 17);
  r1->SetChecked(true);
  Log.clear();
  QTest::mouseClick(r2->View(), Qt::LeftButton, {}, QPoint(5, 8));
  EXPECT_FALSE(r1->Checked());
  EXPECT_TRUE(r2->Checked());
  EXPECT_EQ(Only(Log, {"Click"}), QStringList({"R2: Click"}));
  // The arrow keys move to the next button of the group and check it.
  QTest::keyClick(r2->View(), Qt::Key_Down);
  EXPECT_TRUE(r3->Focused());
  EXPECT_TRUE(r3->Checked());
  EXPECT_FALSE(r2->Checked());
}

TEST_F(StdChoices, ListBoxSelectsByMouseAndKeysFiringOnClickAndOnDblClick) {
  auto* lb = Make<TListBox>("LB", 10, 10, 120, 60);
  lb->OnDblClick = [this](TObject*) { Log << QStringLiteral("LB: DblClick"); };
  for (const char* s : {"RS232", "RS485", "USB", "CAN", "LAN", "WiFi", "BT"}) lb->Items()->Add(QString::fromLatin1(s));
  lb->SetItemIndex(1);
  EXPECT_TRUE(Log.isEmpty());  // from code: no event
  const int h = lb->ItemHeight();
  QTest::mouseClick(lb->View(), Qt::LeftButton, {}, QPoint(20, 2 + 2 * h + h / 2));
  EXPECT_EQ(lb->ItemIndex(), 2);
  QTest::keyClick(lb->View(), Qt::Key_End);
  EXPECT_EQ(lb->ItemIndex(), 6);
  EXPECT_GT(lb->TopIndex(), 0);
  QTest::keyClick(lb->View(), Qt::Key_C);
  EXPECT_EQ(lb->ItemIndex(), 3);
  lb->SetTopIndex(0);
  // A double click: QTest sends the second press as a double click alone.
  QTest::mouseClick(lb->View(), Qt::LeftButton, {}, QPoint(20, 2 + h / 2));
  QTest::mouseDClick(lb->View(), Qt::LeftButton, {}, QPoint(20, 2 + h / 2));
  QTest::mouseRelease(lb->View(), Qt::LeftButton, {}, QPoint(20, 2 + h / 2));
  EXPECT_EQ(lb->ItemIndex(), 0);
  EXPECT_EQ(Only(Log, {"LB:"}).filter(QStringLiteral("Click")),
            QStringList({"LB: Click", "LB: Click", "LB: Click", "LB: Click", "LB: DblClick"}));
  // Several selected with Ctrl and Shift.
  lb->SetMultiSelect(true);
  lb->ClearSelection();
  lb->SetTopIndex(0);
  QTest::mouseClick(lb->View(), Qt::LeftButton, {}, QPoint(20, 2 + h / 2));
  QTest::mouseClick(lb->View(), Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 2 + 2 * h + h / 2));
  EXPECT_EQ(lb->SelCount(), 3);
  QTest::mouseClick(lb->View(), Qt::LeftButton, Qt::ControlModifier, QPoint(20, 2 + h + h / 2));
  EXPECT_EQ(lb->SelCount(), 2);
  EXPECT_FALSE(lb->Selected(1));
  lb->Items()->Delete(0);
  EXPECT_EQ(lb->Items()->Strings(0), "RS485");
}

TEST_F(StdChoices, ComboDropDownPickFiresDropDownClickSelectCloseUp) {
  auto* cb = Make<TComboBox>("CB", 10, 10, 120, 21);
  cb->SetStyle(csDropDownList);
  for (const char* s : {"NONE", "ODD", "EVEN"}) cb->Items()->Add(QString::fromLatin1(s));
  cb->SetItemIndex(0);
  cb->OnChange = [this](TObject*) { Log << QStringLiteral("CB: Change"); };
  cb->OnSelect = [this](TObject*) { Log << QStringLiteral("CB: Select"); };
  cb->OnDropDown = [this](TObject*) { Log << QStringLiteral("CB: DropDown"); };
  cb->OnCloseUp = [this](TObject*) { Log << QStringLiteral("CB: CloseUp"); };
  Log.clear();
  EXPECT_EQ(cb->Height(), cb->Perform(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)) + 6);
  QTest::mouseClick(cb->View(), Qt::LeftButton, {}, QPoint(cb->Width() - 8, 8));
  ASSERT_TRUE(cb->DroppedDown());
  TCustomListBox* list = cb->DropDownList();
  ASSERT_TRUE(list->View()->isVisible());
  const int h = list->ItemHeight();
  QTest::mouseClick(list->View(), Qt::LeftButton, {}, QPoint(10, 1 + 2 * h + h / 2));
  EXPECT_FALSE(cb->DroppedDown());
  EXPECT_EQ(cb->ItemIndex(), 2);
  EXPECT_EQ(cb->Text(), "EVEN");
  EXPECT_EQ(Only(Log, {"Click", "Select", "DropDown", "CloseUp"}),
            QStringList({"CB: DropDown", "CB: Click", "CB: Select", "CB: CloseUp"}));
  // Keys: Up selects the previous item (OnChange when OnSelect is not set);
  // Alt+Down drops the list, Down moves in it, Enter closes it.
  cb->OnSelect = nullptr;
  Log.clear();
  QTest::keyClick(cb->View(), Qt::Key_Up);
  EXPECT_EQ(cb->ItemIndex(), 1);
  QTest::keyClick(cb->View(), Qt::Key_Down, Qt::AltModifier);
  EXPECT_TRUE(cb->DroppedDown());
  QTest::keyClick(cb->View(), Qt::Key_Down);
  QTest::keyClick(cb->View(), Qt::Key_Return);
  EXPECT_FALSE(cb->DroppedDown());
  EXPECT_EQ(cb->ItemIndex(), 2);
  EXPECT_EQ(Only(Log, {"Change", "DropDown", "CloseUp"}),
            QStringList({"CB: Change", "CB: DropDown", "CB: Change", "CB: CloseUp"}));
  // A click outside closes the list without choosing.
  cb->SetDroppedDown(true);
  QTest::mouseClick(F.Form->View(), Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_FALSE(cb->DroppedDown());
  EXPECT_EQ(cb->ItemIndex(), 2);
}

TEST_F(StdChoices, ComboEditTypingCompletesAndFiresOnChange) {
  auto* cb = Make<TComboBox>("CB", 10, 10, 120, 21);
  for (const char* s : {"1200", "2400", "115200"}) cb->Items()->Add(QString::fromLatin1(s));
  int changes = 0, selects = 0;
  cb->OnChange = [&](TObject*) { ++changes; };
  cb->OnSelect = [&](TObject*) { ++selects; };
  cb->SetFocus();
  QTest::keyClick(cb->View(), Qt::Key_1);
  EXPECT_EQ(cb->Text(), "1200");
  EXPECT_EQ(cb->SelText(), "200");
  EXPECT_EQ(cb->ItemIndex(), 0);
  QTest::keyClick(cb->View(), Qt::Key_1);
  EXPECT_EQ(cb->Text(), "115200");
  EXPECT_EQ(cb->ItemIndex(), 2);
  EXPECT_EQ(selects, 2);
  cb->SetAutoComplete(false);
  cb->SetText(QString());
  QTest::keyClicks(cb->View(), QStringLiteral("99"));
  EXPECT_EQ(cb->Text(), "99");
  EXPECT_EQ(cb->ItemIndex(), -1);
  EXPECT_EQ(changes, 2);
  cb->SetText(QStringLiteral("2400"));
  EXPECT_EQ(cb->ItemIndex(), 1);
}

TEST_F(StdChoices, ButtonClicksByMouseSpaceEnterAndAccelerator) {
  auto* b = Make<TButton>("B", 10, 10, 75, 25);
  b->SetCaption(QStringLiteral("&Apply"));
  auto* e = Make<TEdit>("E", 10, 50, 100, 21);
  Log.clear();
  QTest::mouseClick(b->View(), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::keyClick(b->View(), Qt::Key_Space);
  e->SetFocus();
  QTest::keyClick(e->View(), Qt::Key_Return);  // not the default button: nothing
  b->SetDefault(true);
  QTest::keyClick(e->View(), Qt::Key_Return);
  QTest::keyClick(e->View(), Qt::Key_A, Qt::AltModifier);
  EXPECT_EQ(Only(Log, {"B: Click"}).size(), 4);
}

TEST_F(StdChoices, ScrollBarReportsItsUseThroughItsParent) {
  auto* sb = Make<TScrollBar>("SB", 10, 10, 200, 17);
  sb->SetParams(10, 0, 100);
  sb->SetLargeChange(20);
  QStringList codes;
  sb->OnScroll = [&](TObject*, TScrollCode c, int& p) {
    codes << QStringLiteral("%1:%2").arg(c).arg(p);
    if (c == scLineDown) p = 50;  // the handler may change the new position
  };
  int changes = 0;
  sb->OnChange = [&](TObject*) { ++changes; };
  QTest::mouseClick(sb->View(), Qt::LeftButton, {}, QPoint(195, 8));
  EXPECT_EQ(sb->Position(), 50);
  QTest::mouseClick(sb->View(), Qt::LeftButton, {}, QPoint(25, 8));
  EXPECT_EQ(sb->Position(), 30);
  EXPECT_EQ(codes, QStringList({"1:11", "8:50", "2:30", "8:30"}));
  sb->SetPosition(99);
  EXPECT_EQ(changes, 3);
  EXPECT_THROW(sb->SetParams(0, 10, 5), EInvalidOperation);
}

// Changing the border style (a combo box: its style) of a control whose window
// exists puts on or takes off the sunken edge, and the client area follows.
TEST_F(StdChoices, BorderStyleTogglesTheSunkenEdgeOfAnExistingWindow) {
  struct Case {
    const char* Name;
    TWinControl* Control;
    std::function<void(bool)> SetEdge;
    bool EdgeAtFirst;
  };
  auto* panel = Make<TPanel>("Panel", 10, 10, 100, 60);
  auto* edit = Make<TEdit>("Edit", 120, 10, 100, 21);
  auto* list = Make<TListBox>("List", 230, 10, 100, 60);
  auto* box = Make<TScrollBox>("Box", 10, 80, 100, 60);
  auto* group = Make<TCategoryPanelGroup>("Group", 120, 80, 100, 60);
  auto* combo = Make<TComboBox>("Combo", 230, 80, 100, 21);
  const Case cases[] = {
      {"panel", panel, [&](bool on) { panel->SetBorderStyle(on ? bsSingle : bsNone); }, false},
      {"edit", edit, [&](bool on) { edit->SetBorderStyle(on ? bsSingle : bsNone); }, true},
      {"list box", list, [&](bool on) { list->SetBorderStyle(on ? bsSingle : bsNone); }, true},
      {"scroll box", box, [&](bool on) { box->SetBorderStyle(on ? bsSingle : bsNone); }, true},
      {"category group", group, [&](bool on) { group->SetBorderStyle(on ? bsSingle : bsNone); }, false},
      {"combo box", combo, [&](bool on) { combo->SetStyle(on ? csDropDown : csSimple); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    ASSERT_TRUE(c.Control->HandleAllocated());
    const auto edge = [&] { return (c.Control->WindowExStyle() & WS_EX_CLIENTEDGE) != 0; };
    EXPECT_EQ(edge(), c.EdgeAtFirst);
    const int style = static_cast<int>(c.Control->WindowStyle());
    const int width = c.Control->ClientWidth();
    c.SetEdge(!c.EdgeAtFirst);
    EXPECT_EQ(edge(), !c.EdgeAtFirst);
    EXPECT_EQ(static_cast<int>(c.Control->WindowStyle()), style);
    EXPECT_EQ(c.Control->ClientWidth(), width + (c.EdgeAtFirst ? 4 : -4));
    c.SetEdge(c.EdgeAtFirst);
    EXPECT_EQ(edge(), c.EdgeAtFirst);
    EXPECT_EQ(c.Control->ClientWidth(), width);
  }
}

}  // namespace
