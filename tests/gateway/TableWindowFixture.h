// A configuration folder, the built-in texts, an empty row clipboard and the
// message boxes recorded, for the tests of the table windows.
#pragma once

#include <ostream>

#include "common/TableDialogs.h"
#include "gateway/ConfigurationFixture.h"
#include "grid/ProCGrid.h"
#include "platform/ui/Forms.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

template <typename TWindow>
class TableWindowFixture : public ConfigurationFixture {
 protected:
  void SetUp() override {
    ConfigurationFixture::SetUp();
    FTexts.Prepare();
    FSaved_Code = SW_Code;
    SW_Code = QStringLiteral("ZIDI");
    F.reset(NewForm<TWindow>(nullptr));
  }
  void TearDown() override {
    if (F) F->Hide();
    F.reset();
    SW_Code = FSaved_Code;
    FTexts.Restore();
    ConfigurationFixture::TearDown();
  }
  static QString Text(int n) { return SL_Language->Strings(n); }
  // Shows the window again, as the main window does for each showing.
  void Reshow() {
    F->Hide();
    F->SetModalResult(mrNone);
    F->Show();
  }
  // Presses OK; true when the window closed with OK.
  bool Press_OK() {
    F->SetModalResult(mrNone);
    Click_Table_Button(F->Btn_OK);
    return F->ModalResult() == mrOk;
  }

  TTableTexts FTexts;
  std::unique_ptr<TWindow> F;
  TTableDialogs D;
  QString FSaved_Code;
};
