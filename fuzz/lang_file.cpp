// The language-file reader: Load_Lang_File on the input written as a .lng file.
// The input's bytes go to the file unchanged, so a byte-order mark picks the
// encoding as it does for a real file (the seeds hold ANSI, UTF-8 and UTF-16 files).
#include "FuzzSupport.h"
#include "platform/rtl/Classes.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QString path = Fuzz::ScratchDir() + QStringLiteral("/Fuzz.lng");
  Fuzz::WriteFile(path, Fuzz::Bytes(Data, Size));
  Fill_Default_Texts();
  Load_Lang_File(path);
  // The table keeps its size whatever the file holds.
  Fuzz::Check("the text table keeps 4200 texts", QStringLiteral("4200 4200"),
              QStringLiteral("%1 %2").arg(SL_Language->Count()).arg(Num_Language_Str));
  return 0;
}
