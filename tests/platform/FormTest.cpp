// Forms: creation order, modal loops closed through a control's modal result,
// focus, dialogs answered through the test hooks, the default exception box.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimer>

#include "ControlTestSupport.h"
#include "platform/ui/Dialogs.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Snapshot.h"
#include "platform/ui/TestHooks.h"

namespace {

// A control that, like a button with a modal result, sets its form's result
// after its click handler ran.
class TResultProbe : public TProbe {
 public:
  using TProbe::TProbe;
  int ModalResult = mrNone;
  void Click() override {
    TProbe::Click();
    if (ModalResult != mrNone) {
      if (TCustomForm* f = GetParentForm()) f->SetModalResult(ModalResult);
    }
  }
};

// A form whose components exist before OnCreate runs.
class TFDialog : public TForm {
 public:
  explicit TFDialog(TComponent* Owner, QStringList* Log) : TForm(Owner), FLog(Log) {
    SetName(QStringLiteral("FDialog"));
    SetCaption(QStringLiteral("Dialog"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(200);
    SetClientHeight(100);
    Btn_OK = new TResultProbe(this, this, QStringLiteral("Btn_OK"), Log);
    Btn_OK->SetBounds(10, 10, 80, 25);
    Btn_OK->ModalResult = mrOk;
    Btn_Cancel = new TResultProbe(this, this, QStringLiteral("Btn_Cancel"), Log);
    Btn_Cancel->SetBounds(100, 10, 80, 25);
    Btn_Cancel->ModalResult = mrCancel;
    OnCreate = [this](TObject*) { FLog->append(QStringLiteral("OnCreate sees %1").arg(Btn_OK->Name())); };
    OnShow = [this](TObject*) { FLog->append(QStringLiteral("OnShow")); };
    OnActivate = [this](TObject*) { FLog->append(QStringLiteral("OnActivate")); };
    OnClose = [this](TObject*, TCloseAction& a) { FLog->append(QStringLiteral("OnClose %1").arg(a)); };
    OnHide = [this](TObject*) { FLog->append(QStringLiteral("OnHide")); };
  }
  TResultProbe* Btn_OK;
  TResultProbe* Btn_Cancel;
  QStringList* FLog;
};

class FormLifecycle : public ::testing::Test {
 protected:
  void TearDown() override { TestHooks::SetModalHook(nullptr); }
  QStringList Log;
};

class TFMain;
TFMain* FMain = nullptr;

// A main form as the program block creates it: components in the constructor,
// OnCreate afterwards.
class TFMain : public TForm {
 public:
  explicit TFMain(TComponent* Owner) : TForm(Owner) {
    Child = new TProbe(this, this, QStringLiteral("Child"), nullptr);
    OnCreate = [this](TObject*) {
      ChildExisted = FindComponent(QStringLiteral("Child")) == Child && Child->Parent() == this;
      ReferenceSet = FMain == this;
    };
  }
  TProbe* Child;
  bool ChildExisted = false;
  bool ReferenceSet = false;
};

TEST_F(FormLifecycle, OnCreateRunsAfterTheComponentsExistAndTheReferenceIsSet) {
  Application->CreateForm(FMain);
  EXPECT_TRUE(FMain->ChildExisted);
  EXPECT_TRUE(FMain->ReferenceSet);
  EXPECT_EQ(Application->MainForm(), FMain);
  EXPECT_TRUE(FMain->HandleAllocated());
  delete FMain;
  FMain = nullptr;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(FormLifecycle, AnExceptionInOnCreateShowsTheErrorBoxAndCreationGoesOn) {
  TDialogRecorder dialogs;
  dialogs.Answer(mrOk);
  auto* f = new TForm(nullptr);
  bool after = false;
  f->OnCreate = [](TObject*) { throw EConvertError(QStringLiteral("'abc' is not a valid integer value")); };
  f->AfterConstruction();
  after = true;
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  EXPECT_EQ(dialogs.Requests()[0].Kind, dkMessageBox);
  EXPECT_EQ(dialogs.Requests()[0].Text, "'abc' is not a valid integer value.");
  EXPECT_EQ(dialogs.Requests()[0].DlgType, mtError);
  EXPECT_TRUE(after);
  delete f;
}

TEST_F(FormLifecycle, ModalFormClosedByAControlsModalResult) {
  auto* d = NewForm<TFDialog>(nullptr, &Log);
  EXPECT_EQ(Log.value(0), "OnCreate sees Btn_OK");
  TScopedModalHook hook([&](TCustomForm* form) {
    Log << QStringLiteral("hook %1 modal=%2").arg(form->Name()).arg(form->FormState().contains(fsModal));
    EXPECT_TRUE(form->Visible());
    QTest::mouseClick(d->Btn_OK->View(), Qt::LeftButton, {}, QPoint(5, 5));
  });
  const int r = d->ShowModal();
  EXPECT_EQ(r, mrOk);
  EXPECT_FALSE(d->Visible());
  EXPECT_EQ(Only(Log, {"On", "hook", "Click"}),
            QStringList({"OnCreate sees Btn_OK", "OnShow", "OnActivate", "hook FDialog modal=1", "Btn_OK: Click",
                         "OnClose 1", "OnHide"}));
  // Centred on the screen.
  EXPECT_EQ(d->Left(), (Screen->Width() - d->Width()) / 2);
  delete d;
}

TEST_F(FormLifecycle, CloseQueryCanKeepAModalFormOpen) {
  auto* d = NewForm<TFDialog>(nullptr, &Log);
  int asked = 0;
  d->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked >= 2; };
  TScopedModalHook hook([&](TCustomForm*) {
    d->Btn_Cancel->Click();  // refused: the loop goes on
    QTimer::singleShot(0, [d] { d->Close(); });
  });
  EXPECT_EQ(d->ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  delete d;
}

TEST_F(FormLifecycle, ModalFormWithoutHookFailsInsteadOfWaiting) {
  auto* d = NewForm<TFDialog>(nullptr, &Log);
  int r = -1;
  EXPECT_NONFATAL_FAILURE(r = d->ShowModal(), "no modal hook");
  EXPECT_EQ(r, mrCancel);
  EXPECT_FALSE(d->Visible());
  delete d;
}

TEST_F(FormLifecycle, ShowModalOfAVisibleFormIsRefused) {
  TShownForm f;
  f.Show();
  EXPECT_THROW(f.Form->ShowModal(), EInvalidOperation);
}

TEST_F(FormLifecycle, CloseActions) {
  TShownForm f;
  f.Show();
  TCloseAction action = caNone;
  f.Form->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
  f.Form->Close();
  EXPECT_TRUE(f.Form->Visible());
  action = caHide;
  f.Form->Close();
  EXPECT_FALSE(f.Form->Visible());

  // caFree frees the form from the event loop.
  auto* g = new TForm(nullptr);
  g->Show();
  g->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
  bool destroyed = false;
  g->OnDestroy = [&](TObject*) { destroyed = true; };
  HWND h = g->Handle();
  g->Close();
  EXPECT_TRUE(IsWindow(h));
  QCoreApplication::processEvents();
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(IsWindow(h));
}

// ---------------------------------------------------------------- focus

class ControlFocus : public ::testing::Test {
 protected:
  void SetUp() override {
    Panel1 = new TCustomControl(F.Form);
    Panel1->SetParent(F.Form);
    Panel1->SetBounds(0, 0, 200, 100);
    Panel2 = new TCustomControl(F.Form);
    Panel2->SetParent(F.Form);
    Panel2->SetBounds(0, 100, 200, 100);
    Panel1->OnEnter = [this](TObject*) { Log << "Panel1: Enter"; };
    Panel1->OnExit = [this](TObject*) { Log << "Panel1: Exit"; };
    Panel2->OnEnter = [this](TObject*) { Log << "Panel2: Enter"; };
    Panel2->OnExit = [this](TObject*) { Log << "Panel2: Exit"; };
    A = new TProbe(F.Form, Panel1, QStringLiteral("A"), &Log);
    A->SetBounds(5, 5, 50, 20);
    B = new TProbe(F.Form, Panel2, QStringLiteral("B"), &Log);
    B->SetBounds(5, 5, 50, 20);
  }
  TShownForm F;
  QStringList Log;
  TCustomControl* Panel1 = nullptr;
  TCustomControl* Panel2 = nullptr;
  TProbe* A = nullptr;
  TProbe* B = nullptr;
};

TEST_F(ControlFocus, EnterAndExitFollowTheParentChain) {
  F.Show();
  A->SetFocus();
  Log.clear();
  QStringList msgs;
  std::vector<std::pair<TProbe*, TWndMethod>> saved;
  auto watch = [&](TProbe* p) {
    TWndMethod old = p->WindowProc;
    saved.emplace_back(p, old);
    p->WindowProc = [&msgs, p, old](TMessage& m) {
      if (m.Msg == WM_SETFOCUS) msgs << p->Name() + " WM_SETFOCUS";
      if (m.Msg == WM_KILLFOCUS) msgs << p->Name() + " WM_KILLFOCUS";
      old(m);
    };
  };
  watch(A);
  watch(B);
  B->SetFocus();
  for (auto& [p, old] : saved) p->WindowProc = old;
  EXPECT_EQ(Log, QStringList({"A: Exit", "Panel1: Exit", "Panel2: Enter", "B: Enter"}));
  EXPECT_EQ(msgs, QStringList({"A WM_KILLFOCUS", "B WM_SETFOCUS"}));
  EXPECT_TRUE(B->Focused());
  EXPECT_FALSE(A->Focused());
  EXPECT_EQ(F.Form->ActiveControl(), B);
  EXPECT_EQ(Screen->ActiveControl(), B);
}

TEST_F(ControlFocus, CannotFocusHiddenOrDisabledControls) {
  F.Show();
  B->SetVisible(false);
  try {
    B->SetFocus();
    FAIL() << "no exception";
  } catch (EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Cannot focus a disabled or invisible window");
  }
  B->SetVisible(true);
  Panel2->SetEnabled(false);
  EXPECT_FALSE(B->CanFocus());
  EXPECT_THROW(B->SetFocus(), EInvalidOperation);
  // A form that is not shown gives no focus either.
  TForm hidden(nullptr);
  auto* c = new TProbe(&hidden, &hidden, QStringLiteral("C"), nullptr);
  EXPECT_THROW(c->SetFocus(), EInvalidOperation);
}

TEST_F(ControlFocus, HidingTheFocusedControlMovesTheFocusAway) {
  F.Show();
  A->SetFocus();
  Log.clear();
  A->SetVisible(false);
  EXPECT_FALSE(A->Focused());
  EXPECT_EQ(F.Form->ActiveControl(), nullptr);
  EXPECT_TRUE(Log.contains("A: Exit"));
}

TEST_F(ControlFocus, ShowingAFormFocusesItsFirstTabStop) {
  F.Show();
  EXPECT_TRUE(A->Focused());
}

// ---------------------------------------------------------------- dialogs

class Dialogs : public ::testing::Test {};

TEST_F(Dialogs, ErrorBoxAndQuestionInsideAnEventHandler) {
  TShownForm f;
  QStringList log;
  auto* btn = new TProbe(f.Form, f.Form, QStringLiteral("Btn"), &log);
  btn->SetBounds(10, 10, 80, 25);
  int answer = -1;
  btn->OnClick = [&](TObject*) {
    MessageDlg(QStringLiteral("Error row 3: value out of range"), mtError, TMsgDlgButtons{mbOK});
    answer = MessageDlg(QStringLiteral("Delete the row?"), mtConfirmation, mbYesNo);
  };
  f.Show();
  TDialogRecorder dialogs;
  dialogs.Answer(mrOk);
  dialogs.Answer(mrNo);
  QTest::mouseClick(btn->View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(answer, mrNo);
  ASSERT_EQ(dialogs.Requests().size(), 2u);
  const TDialogRequest& e = dialogs.Requests()[0];
  EXPECT_EQ(e.Caption, "Error");
  EXPECT_EQ(e.DlgType, mtError);
  EXPECT_EQ(e.Buttons, TMsgDlgButtons{mbOK});
  const TDialogRequest& q = dialogs.Requests()[1];
  EXPECT_EQ(q.Caption, "Confirm");
  EXPECT_EQ(q.Text, "Delete the row?");
  EXPECT_EQ(q.Buttons, mbYesNo);
  EXPECT_EQ(q.DefaultResult, mrYes);
  EXPECT_EQ(q.CancelResult, mrNo);
}

TEST_F(Dialogs, AnUnansweredDialogFailsTheTestAndReturnsItsCancelResult) {
  int r = -1;
  EXPECT_NONFATAL_FAILURE(r = MessageDlg(QStringLiteral("Overwrite?"), mtWarning, mbYesNoCancel),
                          "Unexpected message \"Warning\": \"Overwrite?\"");
  EXPECT_EQ(r, mrCancel);
  EXPECT_NONFATAL_FAILURE(r = MessageDlg(QStringLiteral("Go on?"), mtConfirmation, mbYesNo), "Go on?");
  EXPECT_EQ(r, mrNo);
  EXPECT_NONFATAL_FAILURE(ShowMessage(QStringLiteral("Done")), "Done");
  TOpenDialog open(nullptr);
  bool executed = true;
  EXPECT_NONFATAL_FAILURE(executed = open.Execute(), "open dialog");
  EXPECT_FALSE(executed);
  // A recorder with no answer left reports the surplus dialog.
  TDialogRecorder dialogs;
  EXPECT_NONFATAL_FAILURE(MessageDlg(QStringLiteral("Extra"), mtInformation, TMsgDlgButtons{mbOK}),
                          "no answer was prepared");
}

TEST_F(Dialogs, ExceptionInAClickHandlerShowsTheDefaultBoxAndTheProgramGoesOn) {
  TShownForm f;
  QStringList log;
  auto* btn = new TProbe(f.Form, f.Form, QStringLiteral("Btn"), &log);
  btn->SetBounds(10, 10, 80, 25);
  int clicks = 0;
  btn->OnClick = [&](TObject*) {
    if (++clicks == 1) throw EConvertError(QStringLiteral("'x' is not a valid integer value"));
  };
  f.Show();
  Application->SetTitle(QStringLiteral("Configurator"));
  TDialogRecorder dialogs;
  dialogs.Answer(IDOK);
  QTest::mouseClick(btn->View(), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(dialogs.Requests().size(), 1u);
  const TDialogRequest& r = dialogs.Requests()[0];
  EXPECT_EQ(r.Kind, dkMessageBox);
  EXPECT_EQ(r.Text, "'x' is not a valid integer value.");
  EXPECT_EQ(r.Caption, "Configurator");
  EXPECT_EQ(r.MessageBoxFlags, MB_OK | MB_ICONSTOP);
  // The capture taken by the press was given back and the program goes on.
  EXPECT_EQ(GetCaptureControl(), nullptr);
  QTest::mouseClick(btn->View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(dialogs.Requests().size(), 1u);
  // An EAbort ends an operation silently.
  btn->OnClick = [](TObject*) { Abort(); };
  QTest::mouseClick(btn->View(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(dialogs.Requests().size(), 1u);
}

TEST_F(Dialogs, MessageBoxFlagsAndResults) {
  TDialogRecorder dialogs;
  dialogs.Answer(IDNO);
  EXPECT_EQ(Application->MessageBox(QStringLiteral("Save?"), QStringLiteral("Title"), MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), IDNO);
  const TDialogRequest& r = dialogs.Requests().at(0);
  EXPECT_EQ(r.DlgType, mtConfirmation);
  EXPECT_EQ(r.Buttons, mbYesNoCancel);
  EXPECT_EQ(r.DefaultResult, IDNO);
  EXPECT_EQ(r.CancelResult, IDCANCEL);
}

TEST_F(Dialogs, FileDialogsTakeTheAnswerWithTheDefaultExtension) {
  TSaveDialog save(nullptr);
  save.SetFilter(QStringLiteral("Electronic Data Sheet (*.eds)|*.eds|All files (*.*)|*.*"));
  save.SetDefaultExt(QStringLiteral("eds"));
  save.SetOptions(save.Options() + TOpenOptions{ofOverwritePrompt});
  TDialogRecorder dialogs;
  dialogs.AnswerFile(QStringLiteral("/tmp/device"));
  dialogs.AnswerFile(QStringLiteral("/tmp/notes.txt"), 2);
  dialogs.AnswerCancel();
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName(), "/tmp/device.eds");
  EXPECT_FALSE(save.Options().contains(ofExtensionDifferent));
  const TDialogRequest& r = dialogs.Requests().at(0);
  EXPECT_EQ(r.Kind, dkSaveFile);
  EXPECT_EQ(r.FilterIndex, 1);
  EXPECT_TRUE(r.Options.contains(ofOverwritePrompt));
  EXPECT_TRUE(save.Execute());
  EXPECT_EQ(save.FileName(), "/tmp/notes.txt");
  EXPECT_EQ(save.FilterIndex(), 2);
  EXPECT_TRUE(save.Options().contains(ofExtensionDifferent));
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(save.FileName(), "/tmp/notes.txt");  // unchanged by a cancelled dialog

  const auto pairs = TOpenDialog::ParseFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv|Any|*.a;*.b"));
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].first, "CSV (MS-DOS) (*.csv)");
  EXPECT_EQ(pairs[1].second, "*.a;*.b");
}

// ---------------------------------------------------------------- timers

class PlatformTimer : public ::testing::Test {};

TEST_F(PlatformTimer, FiresFromTheEventLoopAndReEnablingDoesNotRestart) {
  TTimer timer(nullptr);
  timer.SetEnabled(false);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetInterval(20);
  timer.SetEnabled(true);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 3000));

  // A running 300 ms timer set Enabled again at 200 ms still fires at 300 ms,
  // not at 500 ms: it fires before a 450 ms timer started with it. The event
  // loop orders the two by their due times however late it gets to them.
  timer.SetEnabled(false);
  ticks = 0;
  timer.SetInterval(300);
  QStringList order;
  timer.OnTimer = [&](TObject*) { order << QStringLiteral("timer"); };
  QTimer again, mark;
  again.setSingleShot(true);
  mark.setSingleShot(true);
  again.setTimerType(Qt::PreciseTimer);
  mark.setTimerType(Qt::PreciseTimer);
  QObject::connect(&again, &QTimer::timeout, [&] { timer.SetEnabled(true); });
  QObject::connect(&mark, &QTimer::timeout, [&] { order << QStringLiteral("450 ms"); });
  timer.SetEnabled(true);
  again.start(200);
  mark.start(450);
  EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() >= 2; }, 5000));
  EXPECT_EQ(order.value(0), "timer");
  EXPECT_EQ(order.value(1), "450 ms");
  timer.SetEnabled(false);
}

TEST_F(PlatformTimer, AnExceptionInOnTimerShowsTheErrorBox) {
  TTimer timer(nullptr);
  TDialogRecorder dialogs;
  dialogs.Answer(IDOK);
  timer.SetInterval(10);
  timer.OnTimer = [&](TObject* s) {
    static_cast<TTimer*>(s)->SetEnabled(false);
    throw Exception(QStringLiteral("Timer failed"));
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.Requests().empty(); }, 3000));
  EXPECT_EQ(dialogs.Requests().at(0).Text, "Timer failed.");
}

// ---------------------------------------------------------------- snapshots

TEST(ControlSnapshot, RendersAFormWithItsControlsToPng) {
  TForm form(nullptr);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 120, 80);
  form.SetColor(clRed);
  auto* c = new TCustomControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 30, 30);
  c->SetColor(clBlue);
  const QImage img = GrabControl(&form);
  ASSERT_EQ(img.size(), QSize(120, 80));
  EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(img.pixelColor(20, 20), QColor(Qt::blue));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("form.png"));
  EXPECT_TRUE(SaveControlToPng(&form, path));
  EXPECT_EQ(QImage(path).size(), QSize(120, 80));
}

}  // namespace

// What the test programs check after every test: the capture, a running modal
// loop and window device contexts are named while they last, and clearing
// ends them.
TEST(TestStateCheck, NamesCaptureModalLoopAndOpenWindowContexts) {
  TShownForm f;
  auto* c = new TProbe(f.Form, f.Form, QStringLiteral("Grabber"), nullptr);
  c->SetBounds(10, 10, 50, 20);
  f.Show();
  EXPECT_EQ(TestHooks::StateLeftBehind(), QStringList());
  c->SetMouseCapture(true);
  HDC dc = GetWindowDC(f.Form->Handle());
  ASSERT_NE(dc, nullptr);
  const QStringList left = TestHooks::StateLeftBehind();
  ASSERT_EQ(left.size(), 2) << left.join(u'\n').toStdString();
  EXPECT_TRUE(left[0].startsWith("the mouse is captured by Grabber")) << left[0].toStdString();
  EXPECT_EQ(left[1], "1 window device context(s) not released");
  TestHooks::ClearStateLeftBehind();
  EXPECT_EQ(TestHooks::StateLeftBehind(), QStringList());
  EXPECT_FALSE(c->MouseCapture());

  // A modal loop counts while it runs and ends with its form.
  TForm dialog(nullptr);
  QStringList during;
  TScopedModalHook hook([&](TCustomForm* form) {
    during = TestHooks::StateLeftBehind();
    form->SetModalResult(mrOk);
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(during, QStringList({"1 modal loop(s) still run"}));
  EXPECT_EQ(TestHooks::StateLeftBehind(), QStringList());
}
