// Records the message boxes the table windows show and answers them from a
// queue (OK for error boxes, then mrNo for a question when the queue is empty).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/ui/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

class TTableDialogs {
 public:
  TTableDialogs()
      : FResponder([this](const TDialogRequest& R) {
          Texts.push_back(R.Text);
          Kinds.push_back(R.DlgType);
          int Answer = R.Buttons.contains(mbYes) ? mrNo : mrOk;
          if (!FAnswers.empty()) {
            Answer = FAnswers.front();
            FAnswers.pop_front();
          }
          return TDialogAnswer::Button(Answer);
        }) {}
  // The next question is answered with Result.
  void Answer(int Result) { FAnswers.push_back(Result); }
  // The texts shown so far, then forgets them.
  std::vector<QString> Take() {
    std::vector<QString> t;
    t.swap(Texts);
    Kinds.clear();
    return t;
  }
  std::vector<QString> Texts;
  std::vector<TMsgDlgType> Kinds;

 private:
  std::deque<int> FAnswers;
  TScopedDialogResponder FResponder;
};

// The built-in texts and an empty row clipboard, as the main window leaves
// them at start, and the options of the tables off; restored by Restore.
class TTableTexts {
 public:
  void Prepare() {
    Fill_Default_Texts();
    FSaved_Clipboard = std::move(SL_Copy_Row);
    SL_Copy_Row = std::make_unique<TStringList>();
    Copy_Row_Is_Check.clear();
    FSaved_Options = {Opt_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
  }
  void Restore() {
    SL_Copy_Row = std::move(FSaved_Clipboard);
    Copy_Row_Is_Check.clear();
    Opt_Jump_Field_Tables = FSaved_Options[0];
    Opt_Double_Click_Auto_Size = FSaved_Options[1];
    Fill_Default_Texts();
  }

 private:
  std::unique_ptr<TStringList> FSaved_Clipboard;
  std::array<bool, 2> FSaved_Options{};
};

class TableTextsFixture : public ::testing::Test {
 protected:
  void SetUp() override { FTexts.Prepare(); }
  void TearDown() override { FTexts.Restore(); }
  static QString Text(int n) { return SL_Language->Strings(n); }

 private:
  TTableTexts FTexts;
};
