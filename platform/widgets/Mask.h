// Masked edits of the desktop framework: TCustomMaskEdit and TMaskEdit.
//
// An edit mask "<mask>;<save literals>;<blank>" fixes what each position of
// the text may hold:
//   0 digit (required)     9 digit (optional)     # digit, + or - (optional)
//   L letter (required)    l letter (optional)
//   A letter or digit      a letter or digit (optional)
//   C any character        c any character (optional)
//   > upper case from here, < lower case from here, <> no conversion
//   \ the next character is a literal     : and / the time and date separators
//   ! leading blanks are optional (kept as given)
// Every other character is a literal the user cannot change. The edit shows
// EditText (literals in place, empty positions as the blank character, "_" by
// default); typing overwrites the position under the caret and skips literals,
// characters the position does not take are refused with a beep; Backspace and
// Delete blank positions. Text is EditText without the blanks (spaces instead),
// and without the literals unless the mask's second field is 1. Leaving the
// edit (or ValidateEdit) with a required position empty raises EDBEditError.
// Without a mask the control is a plain edit.
#pragma once

#include <QString>
#include <vector>

#include "platform/widgets/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

class EDBEditError : public Exception {
 public:
  using Exception::Exception;
};

using TEditMask = QString;

// Splits a mask's text into mask, save-literals flag and blank character.
void SplitEditMask(const QString& EditMask, QString& Mask, bool& SaveLiterals, QChar& Blank);
// Text formatted by a mask (the framework's FormatMaskText).
QString FormatMaskText(const QString& EditMask, const QString& Value);

class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner);
  ~TCustomMaskEdit() override;

  const QString& EditMask() const { return FEditMask; }
  void SetEditMask(const QString& Value);
  bool IsMasked() const { return !FPositions.empty(); }
  // The text as shown: literals in place, empty positions as the blank character.
  QString EditText() const;
  void SetEditText(const QString& Value);
  // Raises EDBEditError when a required position is empty (the caret goes there).
  virtual void ValidateEdit();
  // Restores the text from before the edit was changed.
  void Reset();
  QChar MaskBlank() const { return FBlank; }

 protected:
  QString GetText() const override;
  void CMTextChanged(TMessageView& Message) override;
  void CMEnter(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

  // Whether Ch may stand at mask position Pos (0-based); the character after
  // case conversion in Ch.
  bool CharFits(int Pos, QChar& Ch) const;
  int NextInput(int Pos) const;
  int PrevInput(int Pos) const;
  // The plain value: input characters with blanks as spaces, literals kept when saved.
  QString TextFromEdit(const QString& Edit, bool WithLiterals) const;
  QString EditFromText(const QString& Text, bool WithLiterals) const;

 private:
  struct TPos {
    bool Input = false;
    QChar Literal;
    QChar Kind;      // 0 9 # L l A a C c
    int Case = 0;    // 0 none, 1 upper, 2 lower
  };
  void ParseMask();
  void SetEditTextQuiet(const QString& Value);

  QString FEditMask;
  std::vector<TPos> FPositions;
  bool FSaveLiterals = true;
  QChar FBlank = QLatin1Char('_');
  QString FResetText;
  bool FSettingText = false;
};

class TMaskEdit : public TCustomMaskEdit {
 public:
  using TCustomMaskEdit::TCustomMaskEdit;
};
