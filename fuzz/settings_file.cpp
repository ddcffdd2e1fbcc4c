// The settings file Varnelto.xml: Read_Setting on the input as the file, through
// one document as the main window's XML1. Round trip: Save_Setting writes the
// values read, and reading that file gives the same values again.
#include "FuzzSupport.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

namespace {

QString State() {
  auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
  return QStringList{Name_Project,
                     Last_IP_Address,
                     Name_Language,
                     flag(Opt_Enable_Internet),
                     flag(Opt_Enable_Update),
                     flag(Opt_Jump_Field_Tables),
                     flag(Opt_Double_Click_Auto_Size)}
      .join(QLatin1String("|"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  Dir_Exe = Fuzz::ScratchDir();
  const QString path = Dir_Exe + QStringLiteral("/Varnelto.xml");
  Fuzz::WriteFile(path, Fuzz::Bytes(Data, Size));
  TXMLDocument XML1(nullptr);
  Read_Setting(&XML1);
  const QString read = State();
  Save_Setting(&XML1);
  TXMLDocument again(nullptr);
  Read_Setting(&again);
  Fuzz::Check("the settings written read back the same", read, State());
  return 0;
}
