// The edit mask parser: a masked edit given the input's first line as its
// EditMask, the second as its Text, and the third typed into it from a caret
// position taken from the fourth (control characters are the edit's keys:
// Ctrl+A, Ctrl+C, Ctrl+V ...); FormatMaskText on the same mask and text.
// The text shown reads back unchanged when set again.
#include "FuzzSupport.h"

#include "platform/ui/Clipbrd.h"
#include "platform/widgets/Mask.h"
#include "platform/ui/Messages.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const Fuzz::TLines lines(Data, Size);
  // Ctrl+V pastes only what this input copied (Ctrl+C, Ctrl+X).
  Clipboard()->Clear();
  const QString mask = lines[0];
  (void)FormatMaskText(mask, lines[1]);
  TMaskEdit edit(nullptr);
  edit.SetEditMask(mask);
  edit.SetText(lines[1]);
  edit.SetSelStart(lines[3].size());
  for (const QChar c : lines[2]) {
    // Select all, copy and paste again and again doubles the text each time;
    // an edit of megabytes is slow to measure, but says nothing of the mask.
    if (c.unicode() == 22 && edit.EditText().size() > 4096) continue;
    edit.Perform(WM_CHAR, c.unicode(), 0);
  }
  try {
    edit.ValidateEdit();
  } catch (const EDBEditError&) {
  }
  const QString shown = edit.EditText();
  (void)edit.Text();
  edit.SetEditText(shown);
  Fuzz::Check("the text shown reads back the same", shown, edit.EditText());
  return 0;
}
