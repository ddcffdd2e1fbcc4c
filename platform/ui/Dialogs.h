// Dialogs of the desktop framework: message dialogs (MessageDlg, ShowMessage)
// and the common file dialogs (TOpenDialog, TSaveDialog). Every dialog goes
// through the platform's dialog responder when a test installed one
// (TestHooks.h); in a test process a dialog nobody answers fails the test and
// returns its cancel result instead of waiting for a user.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/rtl/Classes.h"
#include "platform/ui/Forms.h"
#include "platform/rtl/Types.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
  mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn, 16>;

inline const TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline const TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline const TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};
inline const TMsgDlgButtons mbAbortIgnore{mbAbort, mbIgnore};

// The modal result of a button (mbYes -> mrYes ...; mbHelp -> mrNone).
TModalResult ModalResultOf(TMsgDlgBtn Button);
// The dialog's caption for a type ("Warning", "Error", "Information",
// "Confirm"; mtCustom: the application's title).
QString MsgDlgCaption(TMsgDlgType DlgType);
// The button text ("&Yes", "&No", "OK", "Cancel" ...).
QString MsgDlgButtonCaption(TMsgDlgBtn Button);

// A message dialog of the type with the buttons; returns the modal result of
// the button chosen (Escape: Cancel, else No, else OK).
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx = 0);
int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
               TMsgDlgBtn DefaultButton);
// The same at a screen position (-1, -1: centred).
int MessageDlgPos(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx, int X,
                  int Y);
// A message with one OK button and the application's title.
void ShowMessage(const QString& Msg);
void ShowMessagePos(const QString& Msg, int X, int Y);

// --------------------------------------------------------------- file dialogs

enum TOpenOption {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate,
  ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt,
  ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames,
  ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify, ofEnableSizing,
  ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption, 32>;

// Base of the common dialogs.
class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  virtual bool Execute() = 0;
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
};

// The dialog that picks a file to open. Filter is "text|pattern|text|pattern"
// (patterns separated by ";"), FilterIndex counts from 1. After Execute
// answered true, FileName (and Files with ofAllowMultiSelect) hold the choice;
// a name chosen without an extension gets DefaultExt.
class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* AOwner);
  bool Execute() override;

  const QString& FileName() const { return FFileName; }
  void SetFileName(const QString& Value) { FFileName = Value; }
  const QStringList& Files() const { return FFiles; }
  const QString& Filter() const { return FFilter; }
  void SetFilter(const QString& Value) { FFilter = Value; }
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  const QString& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const QString& Value) { FDefaultExt = Value; }
  const QString& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const QString& Value) { FInitialDir = Value; }
  const QString& Title() const { return FTitle; }
  void SetTitle(const QString& Value) { FTitle = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  // The (description, pattern) pairs of Filter.
  static std::vector<std::pair<QString, QString>> ParseFilter(const QString& Filter);

 protected:
  // True for the save dialog.
  virtual bool IsSaveDialog() const { return false; }

 private:
  QString FFileName;
  QStringList FFiles;
  QString FFilter;
  int FFilterIndex = 1;
  QString FDefaultExt;
  QString FInitialDir;
  QString FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

// The dialog that picks a file to save to; ofOverwritePrompt asks before an
// existing file is chosen.
class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  bool IsSaveDialog() const override { return true; }
};
