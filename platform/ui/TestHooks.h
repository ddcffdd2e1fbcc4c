// Hooks of the platform layer through which tests take the user's part: a
// dialog responder answers every message box and file dialog, a modal hook acts
// on a form shown modally, a pop-up menu hook chooses from pop-up menus. The code
// under test knows nothing of them.
//
// In test mode (switched on by tests/common/test_main.cpp) a dialog that no
// responder answers, and a modal form without modal hook, report a failure
// through the failure handler and return their cancel result at once: a test
// never waits for a user.
//
//   TDialogRecorder dialogs;                 // answers in order, records requests
//   dialogs.Answer(mrYes);
//   Btn_Delete->Click();                     // raises MessageDlg(..., mbYesNo)
//   EXPECT_EQ(dialogs.Requests().at(0).Text, "Delete the row?");
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "platform/ui/Dialogs.h"

class TCustomForm;
class TPopupMenu;
class TMenuItem;

enum TDialogKind { dkMessageDlg, dkMessageBox, dkOpenFile, dkSaveFile };

// One dialog as the user would see it.
struct TDialogRequest {
  TDialogKind Kind = dkMessageDlg;
  // Message dialogs and boxes.
  TMsgDlgType DlgType = mtCustom;
  TMsgDlgButtons Buttons;
  QString Caption;
  QString Text;
  int DefaultResult = mrNone;  // the result of the default button
  int CancelResult = mrCancel; // the result of Escape
  UINT MessageBoxFlags = 0;    // the MB_ flags of a message box
  // File dialogs.
  QString Title;
  QString Filter;
  int FilterIndex = 1;
  QString DefaultExt;
  QString InitialDir;
  QString FileName;
  TOpenOptions Options;
};

// The user's answer: the button (a modal result; for message boxes the IDs
// are the same numbers) or, for a file dialog, mrOk with the file names.
struct TDialogAnswer {
  int Result = mrCancel;
  QStringList FileNames;
  int FilterIndex = 0;  // 0: unchanged
  static TDialogAnswer Button(int ModalResult) {
    TDialogAnswer a;
    a.Result = ModalResult;
    return a;
  }
  static TDialogAnswer Files(const QStringList& Names, int FilterIndex = 0) {
    TDialogAnswer a;
    a.Result = mrOk;
    a.FileNames = Names;
    a.FilterIndex = FilterIndex;
    return a;
  }
  static TDialogAnswer Cancel() { return Button(mrCancel); }
};

using TDialogResponder = std::function<TDialogAnswer(const TDialogRequest& Request)>;
using TModalHook = std::function<void(TCustomForm* Form)>;
using TPopupMenuHook = std::function<TMenuItem*(TPopupMenu* Menu, int X, int Y)>;
using TFailureHandler = std::function<void(const QString& Message)>;

namespace TestHooks {
// Test mode: unanswered dialogs and unhandled modal forms fail through Handler.
void SetTestMode(bool On, TFailureHandler Handler = nullptr);
bool TestMode();
void ReportFailure(const QString& Message);

void SetDialogResponder(TDialogResponder Responder);
const TDialogResponder& DialogResponder();
// Called once the modal loop of a form shown with ShowModal runs; it may act
// on the form (send input, set ModalResult). Returning without closing the
// form leaves the modal loop running.
void SetModalHook(TModalHook Hook);
const TModalHook& ModalHook();
void SetPopupMenuHook(TPopupMenuHook Hook);
const TPopupMenuHook& PopupMenuHook();

// Answers a dialog request as the platform does: the responder, or in test
// mode the failure and the cancel result, or else the real dialog (Real).
TDialogAnswer Answer(const TDialogRequest& Request, const std::function<TDialogAnswer()>& Real);

// What a finished test left behind in the user interface, one line each: a
// control holding the mouse capture, a modal loop still running, a painter
// still open on a window, a window device context not released. Empty when
// clean; the test programs check it after every test.
QStringList StateLeftBehind();
// Ends what StateLeftBehind reports (capture, painters, device contexts), so
// that the next test starts clean. Modal loops end with their forms.
void ClearStateLeftBehind();
}  // namespace TestHooks

// Installs a responder for its lifetime (the previous one comes back after).
class TScopedDialogResponder {
 public:
  explicit TScopedDialogResponder(TDialogResponder Responder);
  ~TScopedDialogResponder();
  TScopedDialogResponder(const TScopedDialogResponder&) = delete;
  TScopedDialogResponder& operator=(const TScopedDialogResponder&) = delete;

 private:
  TDialogResponder FPrevious;
};

// Installs a modal hook for its lifetime.
class TScopedModalHook {
 public:
  explicit TScopedModalHook(TModalHook Hook);
  ~TScopedModalHook();
  TScopedModalHook(const TScopedModalHook&) = delete;
  TScopedModalHook& operator=(const TScopedModalHook&) = delete;

 private:
  TModalHook FPrevious;
};

// A responder that answers from a queue of prepared answers and records every
// request. A dialog arriving when the queue is empty is reported as a failure
// and gets the cancel answer.
class TDialogRecorder {
 public:
  TDialogRecorder();
  ~TDialogRecorder();
  TDialogRecorder(const TDialogRecorder&) = delete;
  TDialogRecorder& operator=(const TDialogRecorder&) = delete;

  void Answer(int ModalResult) { FAnswers.push_back(TDialogAnswer::Button(ModalResult)); }
  void AnswerFile(const QString& FileName, int FilterIndex = 0) {
    FAnswers.push_back(TDialogAnswer::Files({FileName}, FilterIndex));
  }
  void AnswerFiles(const QStringList& FileNames) { FAnswers.push_back(TDialogAnswer::Files(FileNames)); }
  void AnswerCancel() { FAnswers.push_back(TDialogAnswer::Cancel()); }
  const std::vector<TDialogRequest>& Requests() const { return FRequests; }
  // Answers not used yet.
  int Pending() const { return static_cast<int>(FAnswers.size()); }

 private:
  std::deque<TDialogAnswer> FAnswers;
  std::vector<TDialogRequest> FRequests;
  TDialogResponder FPrevious;
};
