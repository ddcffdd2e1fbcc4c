// Dialogs: message dialogs, the system message box and the file dialogs, each
// answered through the platform's dialog responder when one is installed.
#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/TestHooks.h"

namespace {

const TMsgDlgBtn kButtonOrder[] = {mbYes,    mbNo,        mbOK,    mbCancel, mbAbort, mbRetry,
                                   mbIgnore, mbAll,       mbNoToAll, mbYesToAll, mbHelp, mbClose};

TMsgDlgBtn DefaultButtonOf(TMsgDlgButtons b) {
  if (b.contains(mbOK)) return mbOK;
  if (b.contains(mbYes)) return mbYes;
  return mbRetry;
}

TMsgDlgBtn CancelButtonOf(TMsgDlgButtons b) {
  if (b.contains(mbCancel)) return mbCancel;
  if (b.contains(mbNo)) return mbNo;
  return mbOK;
}

QMessageBox::Icon IconOf(TMsgDlgType t) {
  switch (t) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
  }
}

QWidget* DialogParent() {
  if (Application == nullptr) return nullptr;
  if (TCustomForm* m = Application->ModalForm()) return m->View();
  if (TCustomForm* f = Screen != nullptr ? Screen->ActiveForm() : nullptr) return f->View();
  return Application->MainForm() != nullptr ? Application->MainForm()->View() : nullptr;
}

// Shows the message on the screen and returns the modal result chosen.
int RealMessageDialog(const TDialogRequest& r, TMsgDlgBtn defaultButton, int x, int y) {
  QMessageBox box(IconOf(r.DlgType), r.Caption, r.Text, QMessageBox::NoButton, DialogParent());
  std::vector<std::pair<QAbstractButton*, int>> results;
  for (TMsgDlgBtn b : kButtonOrder) {
    if (!r.Buttons.contains(b)) continue;
    QPushButton* pb = box.addButton(MsgDlgButtonCaption(b), QMessageBox::ActionRole);
    results.emplace_back(pb, ModalResultOf(b));
    if (b == defaultButton) box.setDefaultButton(pb);
    if (b == CancelButtonOf(r.Buttons)) box.setEscapeButton(pb);
  }
  if (x >= 0 && y >= 0) box.move(x, y);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (auto& [button, result] : results)
    if (button == clicked) return result;
  return r.CancelResult;
}

int RunMessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton,
                  int X, int Y) {
  TDialogRequest r;
  r.Kind = dkMessageDlg;
  r.DlgType = DlgType;
  r.Buttons = Buttons;
  r.Caption = MsgDlgCaption(DlgType);
  r.Text = Msg;
  r.DefaultResult = ModalResultOf(DefaultButton);
  r.CancelResult = ModalResultOf(CancelButtonOf(Buttons));
  if (TControl* cap = GetCaptureControl()) cap->Perform(WM_CANCELMODE);
  const TDialogAnswer a = TestHooks::Answer(
      r, [&] { return TDialogAnswer::Button(RealMessageDialog(r, DefaultButton, X, Y)); });
  return a.Result;
}

}  // namespace

TModalResult ModalResultOf(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbClose: return mrClose;
    case mbHelp: return mrNone;
  }
  return mrNone;
}

QString MsgDlgCaption(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    case mtCustom: break;
  }
  return Application != nullptr ? Application->Title() : QString();
}

QString MsgDlgButtonCaption(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes: return QStringLiteral("&Yes");
    case mbNo: return QStringLiteral("&No");
    case mbOK: return QStringLiteral("OK");
    case mbCancel: return QStringLiteral("Cancel");
    case mbAbort: return QStringLiteral("&Abort");
    case mbRetry: return QStringLiteral("&Retry");
    case mbIgnore: return QStringLiteral("&Ignore");
    case mbAll: return QStringLiteral("&All");
    case mbNoToAll: return QStringLiteral("N&o to All");
    case mbYesToAll: return QStringLiteral("Yes to &All");
    case mbHelp: return QStringLiteral("&Help");
    case mbClose: return QStringLiteral("&Close");
  }
  return QString();
}

int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  return RunMessageDlg(Msg, DlgType, Buttons, DefaultButtonOf(Buttons), -1, -1);
}

int MessageDlg(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int, TMsgDlgBtn DefaultButton) {
  return RunMessageDlg(Msg, DlgType, Buttons, DefaultButton, -1, -1);
}

int MessageDlgPos(const QString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int, int X, int Y) {
  return RunMessageDlg(Msg, DlgType, Buttons, DefaultButtonOf(Buttons), X, Y);
}

void ShowMessage(const QString& Msg) { RunMessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK}, mbOK, -1, -1); }

void ShowMessagePos(const QString& Msg, int X, int Y) {
  RunMessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK}, mbOK, X, Y);
}

// ------------------------------------------------------------ message box

int MessageBox(HWND, const QString& Text, const QString& Caption, UINT Type) {
  TDialogRequest r;
  r.Kind = dkMessageBox;
  r.MessageBoxFlags = Type;
  r.Text = Text;
  r.Caption = Caption.isEmpty() ? QStringLiteral("Error") : Caption;
  switch (Type & MB_ICONMASK) {
    case MB_ICONHAND: r.DlgType = mtError; break;
    case MB_ICONQUESTION: r.DlgType = mtConfirmation; break;
    case MB_ICONEXCLAMATION: r.DlgType = mtWarning; break;
    case MB_ICONASTERISK: r.DlgType = mtInformation; break;
    default: r.DlgType = mtCustom; break;
  }
  std::vector<TMsgDlgBtn> buttons;
  switch (Type & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {mbOK, mbCancel}; break;
    case MB_ABORTRETRYIGNORE: buttons = {mbAbort, mbRetry, mbIgnore}; break;
    case MB_YESNOCANCEL: buttons = {mbYes, mbNo, mbCancel}; break;
    case MB_YESNO: buttons = {mbYes, mbNo}; break;
    case MB_RETRYCANCEL: buttons = {mbRetry, mbCancel}; break;
    default: buttons = {mbOK}; break;
  }
  for (TMsgDlgBtn b : buttons) r.Buttons.Include(b);
  const int defIndex = static_cast<int>((Type & MB_DEFMASK) >> 8);
  const TMsgDlgBtn def = buttons[static_cast<size_t>(defIndex < static_cast<int>(buttons.size()) ? defIndex : 0)];
  r.DefaultResult = ModalResultOf(def);
  // Escape answers Cancel where there is one; a box with only OK answers OK.
  if (r.Buttons.contains(mbCancel)) r.CancelResult = IDCANCEL;
  else if (buttons.size() == 1) r.CancelResult = IDOK;
  else r.CancelResult = r.Buttons.contains(mbNo) ? IDNO : IDABORT;
  if (TControl* cap = GetCaptureControl()) cap->Perform(WM_CANCELMODE);
  const TDialogAnswer a = TestHooks::Answer(r, [&] { return TDialogAnswer::Button(RealMessageDialog(r, def, -1, -1)); });
  return a.Result;
}

// ------------------------------------------------------------ file dialogs

TOpenDialog::TOpenDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}

std::vector<std::pair<QString, QString>> TOpenDialog::ParseFilter(const QString& Filter) {
  std::vector<std::pair<QString, QString>> r;
  const QStringList parts = Filter.split(QLatin1Char('|'));
  for (int i = 0; i + 1 < parts.size(); i += 2) r.emplace_back(parts[i], parts[i + 1]);
  if (parts.size() % 2 == 1 && !parts.back().isEmpty()) r.emplace_back(parts.back(), parts.back());
  return r;
}

namespace {

QString ApplyDefaultExt(const QString& name, const QString& ext) {
  if (ext.isEmpty() || name.isEmpty()) return name;
  if (!QFileInfo(name).suffix().isEmpty()) return name;
  QString e = ext;
  if (e.startsWith(QLatin1Char('.'))) e = e.mid(1);
  return name + QLatin1Char('.') + e;
}

TDialogAnswer RealFileDialog(const TDialogRequest& r, bool save) {
  QFileDialog dlg(DialogParent(), r.Title);
  const auto pairs = TOpenDialog::ParseFilter(r.Filter);
  QStringList filters;
  for (const auto& [desc, pattern] : pairs) {
    QString patterns = pattern;
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString tail = QStringLiteral("(") + patterns + QStringLiteral(")");
    filters << (desc.trimmed().endsWith(tail) ? desc : desc + QStringLiteral(" ") + tail);
  }
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    const int idx = std::clamp(r.FilterIndex, 1, static_cast<int>(filters.size())) - 1;
    dlg.selectNameFilter(filters[idx]);
  }
  if (!r.InitialDir.isEmpty()) dlg.setDirectory(r.InitialDir);
  if (!r.FileName.isEmpty()) dlg.selectFile(r.FileName);
  if (save) {
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!r.Options.contains(ofOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (r.Options.contains(ofAllowMultiSelect)) dlg.setFileMode(QFileDialog::ExistingFiles);
    else if (r.Options.contains(ofFileMustExist)) dlg.setFileMode(QFileDialog::ExistingFile);
    else dlg.setFileMode(QFileDialog::AnyFile);
  }
  if (!r.DefaultExt.isEmpty()) dlg.setDefaultSuffix(r.DefaultExt);
  if (dlg.exec() != QDialog::Accepted) return TDialogAnswer::Cancel();
  const int filterIndex = static_cast<int>(filters.indexOf(dlg.selectedNameFilter())) + 1;
  return TDialogAnswer::Files(dlg.selectedFiles(), filterIndex > 0 ? filterIndex : 0);
}

}  // namespace

bool TOpenDialog::Execute() {
  TDialogRequest r;
  r.Kind = IsSaveDialog() ? dkSaveFile : dkOpenFile;
  r.Title = FTitle;
  r.Filter = FFilter;
  r.FilterIndex = FFilterIndex;
  r.DefaultExt = FDefaultExt;
  r.InitialDir = FInitialDir;
  r.FileName = FFileName;
  r.Options = FOptions;
  r.Caption = FTitle;
  r.CancelResult = mrCancel;
  if (TControl* cap = GetCaptureControl()) cap->Perform(WM_CANCELMODE);
  if (OnShow) OnShow(this);
  const bool save = IsSaveDialog();
  const TDialogAnswer a = TestHooks::Answer(r, [&] { return RealFileDialog(r, save); });
  if (OnClose) OnClose(this);
  if (a.Result != mrOk || a.FileNames.isEmpty()) return false;
  QStringList names;
  for (const QString& n : a.FileNames) names << ApplyDefaultExt(n, FDefaultExt);
  if (!FOptions.contains(ofAllowMultiSelect) && names.size() > 1) names = QStringList{names.first()};
  FFiles = names;
  FFileName = names.first();
  if (a.FilterIndex > 0) FFilterIndex = a.FilterIndex;
  QString ext = FDefaultExt;
  if (ext.startsWith(QLatin1Char('.'))) ext = ext.mid(1);
  if (!ext.isEmpty() && QFileInfo(FFileName).suffix().compare(ext, Qt::CaseInsensitive) != 0)
    FOptions.Include(ofExtensionDifferent);
  else
    FOptions.Exclude(ofExtensionDifferent);
  return true;
}
