// Shared pieces of the control tests: a form shown offscreen and a control
// that writes what reaches it into a log.
#pragma once

#include <QStringList>
#include <QTest>
#include <QWidget>
#include <memory>
#include <ostream>

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

// Readable values in failure messages.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

// The entries of a log that contain one of the words.
inline QStringList Only(const QStringList& Log, const QStringList& Words) {
  QStringList r;
  for (const QString& s : Log)
    for (const QString& w : Words)
      if (s.contains(w)) {
        r << s;
        break;
      }
  return r;
}

// A windowed control that records its events and chosen messages.
class TProbe : public TCustomControl {
 public:
  TProbe(TComponent* Owner, TWinControl* Parent, const QString& Name, QStringList* Log)
      : TCustomControl(Owner), FLog(Log) {
    SetName(Name);
    SetParent(Parent);
    SetTabStop(true);
    OnClick = [this](TObject*) { Add(QStringLiteral("Click")); };
    OnDblClick = [this](TObject*) { Add(QStringLiteral("DblClick")); };
    OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
      Add(QStringLiteral("MouseDown %1 %2,%3%4").arg(b).arg(x).arg(y).arg(s.contains(ssDouble) ? " dbl" : ""));
    };
    OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int x, int y) {
      Add(QStringLiteral("MouseUp %1 %2,%3").arg(b).arg(x).arg(y));
    };
    OnKeyDown = [this](TObject*, Word& k, TShiftState) { Add(QStringLiteral("KeyDown %1").arg(k)); };
    OnKeyPress = [this](TObject*, QChar& c) { Add(QStringLiteral("KeyPress %1").arg(c)); };
    OnKeyUp = [this](TObject*, Word& k, TShiftState) { Add(QStringLiteral("KeyUp %1").arg(k)); };
    OnEnter = [this](TObject*) { Add(QStringLiteral("Enter")); };
    OnExit = [this](TObject*) { Add(QStringLiteral("Exit")); };
    OnMouseEnter = [this](TObject*) { Add(QStringLiteral("MouseEnter")); };
    OnMouseLeave = [this](TObject*) { Add(QStringLiteral("MouseLeave")); };
  }
  void Add(const QString& s) {
    if (FLog != nullptr) FLog->append(Name() + QStringLiteral(": ") + s);
  }
  // What WM_GETDLGCODE answers.
  LRESULT DlgCode = 0;
  // Dialog keys this control takes (CM_DIALOGKEY).
  std::vector<Word> TakesDialogKeys;
  QStringList* FLog;

 protected:
  void WMGetDlgCode(TMessageView& M) override { M.Result = DlgCode; }
  void CMDialogKey(TWMKey& M) override {
    for (Word k : TakesDialogKeys)
      if (k == M.CharCode()) {
        Add(QStringLiteral("DialogKey %1").arg(k));
        M.Result = 1;
        return;
      }
    TCustomControl::CMDialogKey(M);
  }
  void CMDialogChar(TWMKey& M) override {
    if (IsAccel(M.CharCode(), Caption()) && Enabled() && Visible()) {
      Add(QStringLiteral("Accel %1").arg(QChar(M.CharCode())));
      Click();
      M.Result = 1;
      return;
    }
    TCustomControl::CMDialogChar(M);
  }
};

// A form shown offscreen for the length of a test.
class TShownForm {
 public:
  TShownForm(int Width = 400, int Height = 300) : Form(new TForm(nullptr)) {
    Form->SetName(QStringLiteral("TestForm"));
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(10, 10, Width, Height);
  }
  ~TShownForm() { delete Form; }
  void Show() {
    Form->Show();
    (void)QTest::qWaitForWindowExposed(Form->View());
  }
  TForm* Form;
};

// The centre of a control in its widget's coordinates.
inline QPoint Center(TControl* C) { return QPoint(C->Width() / 2, C->Height() / 2); }
