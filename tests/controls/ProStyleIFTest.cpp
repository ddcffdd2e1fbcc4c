// Theme detection over a fake registry and a fake visual-styles service, the
// cell buttons' themed and classic looks, and the Office theme notifier.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <map>
#include <memory>
#include <mutex>

#include "controls/ProStyleIF.h"
#include "controls/ProUtil.h"
#include "controls/ProObj.h"
#include "controls/ProXPVS.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UxTheme.h"
#include "tests/controls/ThemeFakes.h"

namespace {

const QString k14 = "Software\\Microsoft\\Office\\14.0\\Common";
const QString k12 = "Software\\Microsoft\\Office\\12.0\\Common";

// A registry of the current user with the keys and "Theme" values a test sets;
// a change can be announced to whoever asked for a notification.
class TFakeRegistry : public IRegistryStore {
 public:
  std::map<QString, std::map<QString, uint32_t>> Keys;
  bool KeyExists(HKEY Root, const QString& Key) override {
    return Root == HKEY_CURRENT_USER && Keys.count(Key) > 0;
  }
  bool ReadDWord(HKEY Root, const QString& Key, const QString& Name, uint32_t& Value) override {
    if (!KeyExists(Root, Key)) return false;
    auto it = Keys[Key].find(Name);
    if (it == Keys[Key].end()) return false;
    Value = it->second;
    return true;
  }
  bool NotifyChange(HKEY Root, const QString& Key, bool, int Filter,
                    std::function<void()> Changed) override {
    if (!KeyExists(Root, Key)) return false;
    std::lock_guard<std::mutex> l(Lock);
    LastFilter = Filter;
    Pending = std::move(Changed);
    return true;
  }
  // Announces a change, as the system signals the watcher's event.
  bool Change() {
    std::function<void()> f;
    {
      std::lock_guard<std::mutex> l(Lock);
      f = std::move(Pending);
      Pending = nullptr;
    }
    if (!f) return false;
    f();
    return true;
  }
  bool Armed() {
    std::lock_guard<std::mutex> l(Lock);
    return static_cast<bool>(Pending);
  }
  std::mutex Lock;
  std::function<void()> Pending;
  int LastFilter = 0;
};

// Installs the fakes for one test and restores the real services afterwards.
class ThemeFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Fakes = std::make_unique<TScopedThemeFakes<TFakeRegistry>>();
    Reg = Fakes->Reg;
    Styles = Fakes->Styles;
  }
  void TearDown() override { Fakes.reset(); }
  void SetTheme(const QString& Key, uint32_t Value) { Reg->Keys[Key]["Theme"] = Value; }
  std::unique_ptr<TScopedThemeFakes<TFakeRegistry>> Fakes;
  TFakeRegistry* Reg = nullptr;
  TFakeStyles* Styles = nullptr;
};

}  // namespace

// ---------------------------------------------------------------------------
// Detection

class OfficeTheme : public ThemeFixture {};

TEST_F(OfficeTheme, TruthTable) {
  struct Case {
    const char* name;
    int theme14;  // -1: no key, -2: key without value
    int theme12;
    bool active;
    const char* scheme;
    TOfficeTheme expected;
  };
  const Case cases[] = {
      {"2010 blue", 1, -1, true, "NormalColor", ot2010Blue},
      {"2010 silver", 2, 3, true, "NormalColor", ot2010Silver},
      {"2010 black", 3, -1, false, "", ot2010Black},
      {"2010 unknown number", 7, -1, true, "", ot2003Blue},
      {"2007 silver only", -1, 2, true, "", ot2007Silver},
      {"2010 key without value", -2, 3, true, "", ot2007Black},
      {"2007 blue", -1, 1, false, "", ot2007Blue},
      {"2007 unknown number", -1, 0, false, "", ot2003Blue},
      {"no office, no style", -1, -1, false, "NormalColor", ot2003Classic},
      {"no office, metallic", -1, -1, true, "Metallic", ot2003Silver},
      {"no office, homestead", -1, -1, true, "HomeStead", ot2003Olive},
      {"no office, luna", -1, -1, true, "NormalColor", ot2003Blue},
      {"no office, other scheme", -1, -1, true, "Royale", ot2003Classic},
  };
  for (const Case& c : cases) {
    Reg->Keys.clear();
    if (c.theme14 != -1) Reg->Keys[k14];
    if (c.theme14 >= 0) SetTheme(k14, c.theme14);
    if (c.theme12 != -1) Reg->Keys[k12];
    if (c.theme12 >= 0) SetTheme(k12, c.theme12);
    Styles->Active = c.active;
    Styles->ColorName = c.scheme;
    EXPECT_EQ(DetectOfficeTheme(), c.expected) << c.name;
  }
}

TEST_F(OfficeTheme, VersionsAndValues) {
  EXPECT_EQ(DetectOfficeVersion(), 0);
  Reg->Keys[k12 + "\\General"];
  EXPECT_EQ(DetectOfficeVersion(), 1);
  Reg->Keys[k14 + "\\General"];
  EXPECT_EQ(DetectOfficeVersion(), 2);
  EXPECT_EQ(ReadOfficeThemeValue(HKEY_CURRENT_USER, k14), -1);
  SetTheme(k14, 2);
  EXPECT_EQ(ReadOfficeThemeValue(HKEY_CURRENT_USER, k14), 2);
  EXPECT_EQ(ReadOfficeThemeValue(HKEY_LOCAL_MACHINE, k14), -1);
}

TEST(ThemeOfThisSystem, NoStylesNoOfficeAndFixedVersions) {
  EXPECT_EQ(DetectOfficeTheme(), ot2003Classic);
  EXPECT_EQ(DetectOfficeVersion(), 0);
  EXPECT_EQ(DetectXPTheme(), 0);
  EXPECT_FALSE(LoadThemeLibrary());
  EXPECT_FALSE(IsThemeActive());
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_TRUE(IsComCtl6());
  EXPECT_EQ(GetDefaultFontName(), "Segoe UI");
}

TEST_F(OfficeTheme, VersionTestsFollowTheSystem) {
  struct V : TFakeStyles {
    int Major = 5, Minor = 0, ComCtl = 5;
    bool LocaleEx = false;
    void PlatformVersion(int& M, int& N) override { M = Major; N = Minor; }
    int CommonControlsMajorVersion() override { return ComCtl; }
    bool HasLocaleInfoEx() override { return LocaleEx; }
  };
  auto v = std::make_unique<V>();
  V* sys = v.get();
  SetVisualStyles(std::move(v));
  EXPECT_FALSE(IsWinXPOrLater());  // 5.0
  EXPECT_FALSE(IsComCtl6());
  EXPECT_EQ(GetDefaultFontName(), "Tahoma");
  EXPECT_EQ(DetectXPTheme(), 0);
  sys->Minor = 1;
  EXPECT_TRUE(IsWinXPOrLater());
  EXPECT_EQ(DetectXPTheme(), 0);   // common controls 5 are not themed
  sys->ComCtl = 6;
  EXPECT_EQ(DetectXPTheme(), 1);
}

// ---------------------------------------------------------------------------
// Cell buttons in their looks

class CellButtonLooks : public ThemeFixture {};

TEST_F(CellButtonLooks, ThemedLookAsksTheThemeForItsParts) {
  TBitmap bmp(60, 30);
  TColorTones tones;
  DrawComboButton(bmp.Canvas(), nullptr, TRect(0, 0, 60, 20), cblThemed, cbsDisabled, tones);
  DrawPushButton(bmp.Canvas(), nullptr, TRect(0, 0, 30, 20), cblThemed, cbsHot, tones);
  DrawSpinButtons(bmp.Canvas(), nullptr, TRect(0, 0, 60, 20), cblThemed, cbsNormal, tones);
  ASSERT_EQ(Styles->Log.size(), 4u);
  EXPECT_EQ(Styles->Log[0].ClassList, "combobox");
  EXPECT_EQ(Styles->Log[0].State, 4);
  EXPECT_TRUE(Styles->Log[0].R == TRect(41, 1, 58, 19));  // right-most 17, 2 to the left
  EXPECT_EQ(Styles->Log[1].ClassList, "button");
  EXPECT_EQ(Styles->Log[1].State, 2);
  EXPECT_EQ(Styles->Log[2].ClassList, "spin");
  EXPECT_EQ(Styles->Log[2].Part, 1);
  EXPECT_EQ(Styles->Log[3].Part, 2);
  EXPECT_TRUE(Styles->Log[2].R == TRect(44, -1, 59, 9));
  EXPECT_TRUE(Styles->Log[3].R == TRect(44, 10, 59, 19));
}

TEST_F(CellButtonLooks, WithoutVisualStylesTheClassicLookStandsIn) {
  SetVisualStyles(nullptr);
  auto draw = [](TCellButtonLook Look) {
    TBitmap bmp(40, 20);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect(TRect(0, 0, 40, 20));
    DrawPushButton(bmp.Canvas(), nullptr, TRect(0, 0, 40, 20), Look, cbsNormal, TColorTones());
    return bmp.ToImage();
  };
  const QImage themed = draw(cblThemed), classic = draw(cblClassic);
  EXPECT_TRUE(themed == classic);
  EXPECT_EQ(FromQColor(QColor(themed.pixel(20, 10))), ColorToRGB(clBtnFace));
}

TEST_F(CellButtonLooks, TonesLookUsesTheStateMember) {
  TColorTones tones;
  tones.Background = {clWhite, clBlack, clBlack};
  tones.Hover = {clYellow, clBlue, clBlack};
  tones.Selected = {clRed, clBlue, clBlack};
  TBitmap bmp(40, 20);
  DrawPushButton(bmp.Canvas(), nullptr, TRect(0, 0, 40, 20), cblTones, cbsDown, tones);
  EXPECT_EQ(bmp.Canvas()->Pixels(20, 10), clRed);
  EXPECT_EQ(bmp.Canvas()->Pixels(0, 10), clBlue);
  DrawComboButton(bmp.Canvas(), nullptr, TRect(0, 0, 40, 20), cblTones, cbsHot, tones);
  EXPECT_EQ(bmp.Canvas()->Pixels(36, 4), clYellow);
  EXPECT_EQ(bmp.Canvas()->Pixels(24, 10), clBlack);  // its left edge line
  EXPECT_TRUE(Styles->Log.empty());
}

// ---------------------------------------------------------------------------
// The notifier

class ThemeNotifier : public ThemeFixture {
 protected:
  void TearDown() override {
    // The watching threads end once stopped; the test waits for them so that
    // nothing outlives it.
    QElapsedTimer t;
    t.start();
    while (TRegMonitorThread::RunningCount() > 0 && t.elapsed() < 5000) {
      QCoreApplication::processEvents();
      QThread::msleep(1);
    }
    EXPECT_EQ(TRegMonitorThread::RunningCount(), 0);
    ThemeFixture::TearDown();
  }
  // Runs the event loop until Done holds (the watcher's sends are handled there).
  static bool Wait(const std::function<bool()>& Done) {
    QElapsedTimer t;
    t.start();
    while (!Done() && t.elapsed() < 5000) {
      QCoreApplication::processEvents();
      QThread::msleep(1);
    }
    return Done();
  }
};

TEST_F(ThemeNotifier, WithoutOfficeNothingIsWatched) {
  TForm form(nullptr);
  TThemeNotifier n(&form);
  EXPECT_EQ(n.RegMonitorThread(), nullptr);
  n.RegisterWindow(form.Handle());  // does nothing, and does not fail
  EXPECT_EQ(TRegMonitorThread::RunningCount(), 0);
}

TEST_F(ThemeNotifier, OfficeChangeReachesTheEventAndTheRegisteredWindows) {
  Reg->Keys[k12 + "\\General"];
  Reg->Keys[k12];
  auto* form = new TForm(nullptr);
  auto guard = std::unique_ptr<TForm>(form);
  auto* other = new TForm(nullptr);
  auto guard2 = std::unique_ptr<TForm>(other);
  int heard = 0;
  std::vector<QString> keys;
  other->WindowProc = [other, &keys, old = other->WindowProc](TMessage& M) {
    if (M.Msg == WM_OFFICETHEMECHANGE) keys.push_back(*reinterpret_cast<QString*>(M.LParam));
    old(M);
  };
  TThemeNotifier* n = GetThemeNotifier(form);
  EXPECT_EQ(GetThemeNotifier(nullptr), n);  // one per process
  ASSERT_NE(n->RegMonitorThread(), nullptr);
  EXPECT_EQ(n->RegMonitorThread()->Key(), k12);
  EXPECT_EQ(n->RegMonitorThread()->Filter(), REG_NOTIFY_CHANGE_LAST_SET);
  n->OnOfficeThemeChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, n);
    ++heard;
  };
  n->RegisterWindow(other->Handle());
  n->RegisterWindow(other->Handle());  // listed once
  EXPECT_EQ(n->RegMonitorThread()->WindowCount(), 1);
  ASSERT_TRUE(Wait([&] { return Reg->Armed(); }));
  ASSERT_TRUE(Reg->Change());
  ASSERT_TRUE(Wait([&] { return heard == 1 && keys.size() == 1; }));
  EXPECT_EQ(keys[0], k12);
  // The watch is armed again for the next change.
  ASSERT_TRUE(Wait([&] { return Reg->Armed(); }));
  n->UnRegisterWindow(other->Handle());
  ASSERT_TRUE(Reg->Change());
  ASSERT_TRUE(Wait([&] { return heard == 2; }));
  EXPECT_EQ(keys.size(), 1u);
  guard.reset();  // the form frees the notifier; a new call makes a new one
  TForm third(nullptr);
  EXPECT_NE(GetThemeNotifier(&third), nullptr);
}

TEST_F(ThemeNotifier, AKeyThatCannotBeOpenedEndsTheWatch) {
  Reg->Keys[k14 + "\\General"];  // version 2, but the watched key is missing
  TForm form(nullptr);
  TThemeNotifier n(&form);
  ASSERT_NE(n.RegMonitorThread(), nullptr);
  ASSERT_TRUE(Wait([] { return TRegMonitorThread::RunningCount() == 0; }));
  EXPECT_EQ(n.RegMonitorThread()->ErrorMessage(), "Unable to open registry key " + k14);
  n.RegisterWindow(form.Handle());  // the list is still there to take it
}

// ---------------------------------------------------------------------------
// The visual-styles binding and the themed looks of the small controls

class VisualStylesBinding : public ThemeFixture {};

TEST_F(VisualStylesBinding, BindsOnceAndAnswersNothingWithoutTheLibrary) {
  EXPECT_TRUE(LoadThemeLibrary());
  EXPECT_TRUE(ThemeLibraryLoaded());
  EXPECT_TRUE(IsThemeActive());
  FreeThemeLibrary();
  EXPECT_FALSE(ThemeLibraryLoaded());
  SetVisualStyles(nullptr);
  EXPECT_FALSE(LoadThemeLibrary());
  EXPECT_FALSE(IsThemeActive());
  EXPECT_EQ(OpenThemeData(nullptr, "button"), nullptr);
  EXPECT_FALSE(DrawThemeBackground(nullptr, nullptr, 1, 1, TRect(), nullptr));
  QString f, c, s;
  EXPECT_FALSE(GetCurrentThemeName(f, c, s));
}

TEST_F(VisualStylesBinding, GridButtonFollowsTheThemeWhenAsked) {
  TForm form(nullptr);
  auto* b = new TProGridButton(&form);
  b->SetParent(&form);
  Styles->ColorName = "Metallic";
  b->SetAutoThemeAdapt(true);
  EXPECT_EQ(b->Look(), 4);
  EXPECT_EQ(b->Color(), 0xECE2E1);
  Styles->ColorName = "HomeStead";
  b->Perform(WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(b->Look(), 3);
  Styles->ColorName = "NormalColor";
  b->Perform(WM_OFFICETHEMECHANGE, 0, 0);
  EXPECT_EQ(b->Look(), 2);
  b->SetAutoThemeAdapt(false);
  Styles->ColorName = "Metallic";
  b->Perform(WM_THEMECHANGED, 0, 0);
  EXPECT_EQ(b->Look(), 2);  // no longer follows
  EXPECT_TRUE(IsThemedXP());
}

TEST_F(VisualStylesBinding, CheckBoxDrawsTheThemedPartForItsState) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* c = new TProCheckBox(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 120, 30);
  struct Case { TCheckBoxState state; bool enabled; bool down; int expected; };
  const Case cases[] = {
      {cbUnchecked, true, false, 1}, {cbChecked, true, false, 5}, {cbGrayed, true, false, 9},
      {cbChecked, true, true, 7},    {cbChecked, false, true, 8}, {cbGrayed, false, false, 12},
  };
  for (const Case& k : cases) {
    c->SetState(k.state);
    c->SetEnabled(k.enabled);
    c->SetDown(k.down);
    Styles->Log.clear();
    c->PaintNow();
    ASSERT_EQ(Styles->Log.size(), 1u);
    EXPECT_EQ(Styles->Log[0].ClassList, "button");
    EXPECT_EQ(Styles->Log[0].Part, 3);
    EXPECT_EQ(Styles->Log[0].State, k.expected) << k.state << " " << k.enabled << " " << k.down;
    EXPECT_TRUE(Styles->Log[0].R == TRect(0, 4, 14, 18));  // 14 x 14 at the top left
  }
  c->SetAlignment(taRightJustify);
  c->SetButtonVertAlign(tlCenter);
  Styles->Log.clear();
  c->PaintNow();
  ASSERT_EQ(Styles->Log.size(), 1u);
  EXPECT_TRUE(Styles->Log[0].R == TRect(105, 9, 119, 23));  // width - 15, height / 2 - 6
}

TEST_F(ThemeNotifier, WindowsRegisteredWhileTheChangeIsSentAreSafe) {
  // A window that hears of the change registers many more and unregisters
  // itself while the watcher is still sending: the watcher sends to the windows
  // listed when the change came, and the list it walks never changes under it.
  Reg->Keys[k14 + "\\General"];
  Reg->Keys[k14];
  TForm form(nullptr);
  TThemeNotifier n(&form);
  ASSERT_NE(n.RegMonitorThread(), nullptr);
  std::vector<std::unique_ptr<TForm>> extra;
  for (int i = 0; i < 40; ++i) extra.push_back(std::make_unique<TForm>(nullptr));
  auto* first = new TForm(&form);
  int heardByFirst = 0, heardByExtra = 0;
  first->WindowProc = [&, old = first->WindowProc](TMessage& M) {
    if (M.Msg == WM_OFFICETHEMECHANGE) {
      ++heardByFirst;
      for (auto& f : extra) n.RegisterWindow(f->Handle());
      n.UnRegisterWindow(first->Handle());
    }
    old(M);
  };
  for (auto& f : extra)
    f->WindowProc = [&, old = f->WindowProc](TMessage& M) {
      if (M.Msg == WM_OFFICETHEMECHANGE) ++heardByExtra;
      old(M);
    };
  n.RegisterWindow(first->Handle());
  ASSERT_TRUE(Wait([&] { return Reg->Armed(); }));
  ASSERT_TRUE(Reg->Change());
  ASSERT_TRUE(Wait([&] { return heardByFirst == 1 && Reg->Armed(); }));
  EXPECT_EQ(heardByExtra, 0);  // registered during the send: from the next change on
  EXPECT_EQ(n.RegMonitorThread()->WindowCount(), 40);
  ASSERT_TRUE(Reg->Change());
  ASSERT_TRUE(Wait([&] { return heardByExtra == 40; }));
  EXPECT_EQ(heardByFirst, 1);
}
