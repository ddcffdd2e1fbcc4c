// The device image builder on the configuration's three files. Input: the
// bytes of ParGen.xml, OPC_UA_Server.xml and ModbusM_SetAccess.xml separated
// by NUL bytes; a file without its part does not exist. The image is built as
// the program's Create_Bin does, through one document; a build may refuse the
// files with EDevice_Image_Error; a built image stays within its buffers, and
// building it again from the same files gives the same bytes.
#include "FuzzSupport.h"

#include <QDir>
#include <QFile>

#include "gateway/USaveBincc.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  static const bool ready = [] {
    Dir_Exe = Fuzz::ScratchDir();
    Name_Project = QStringLiteral("Fuzz");
    Dir_Project = Dir_Exe + QStringLiteral("/PROJECTS/Fuzz");
    QDir().mkpath(Dir_Project);
    Set_Files();
    return true;
  }();
  (void)ready;
  const QList<QByteArray> parts = Fuzz::Bytes(Data, Size).split('\0');
  const QString files[] = {File_XML_ParGen, File_XML_OPC_UA_Server, File_XML_ModbusM_SetAccess};
  for (int i = 0; i < 3; ++i) {
    if (i < parts.size())
      Fuzz::WriteFile(files[i], parts.at(i));
    else
      QFile::remove(files[i]);
  }
  TXMLDocument XML1(nullptr);
  TDevice_Image& image = Device_Image();
  try {
    Create_Bin(XML1);
  } catch (const Exception&) {
    // Refused files: the program shows the message; the image counts as not built.
    if (image.Built()) Fuzz::Fail("a refused build leaves no image", QStringLiteral("not built"), QStringLiteral("built"));
    return 0;
  }
  Fuzz::Check("bank1 is one parameter block", QString::number(Par_Block_Size), QString::number(image.Bank1_Length));
  if (image.Bank2_Length > image.Bank2_Buffer.size() || image.Bank2_Length < static_cast<uint32_t>(Modbus_Rules_Size))
    Fuzz::Fail("bank2 lies within its buffer", QString::number(image.Bank2_Buffer.size()),
               QString::number(image.Bank2_Length));
  // Nothing of one build leaks into the next: the same files give the same image.
  const auto bytes = [&image] {
    return QByteArray(reinterpret_cast<const char*>(image.Bank1_Buffer.data()), image.Bank1_Length).toHex() + ' ' +
           QByteArray(reinterpret_cast<const char*>(image.Bank2_Buffer.data()), image.Bank2_Length).toHex();
  };
  const QByteArray first = bytes();
  Create_Bin(XML1);
  Fuzz::Check("the same files build the same image", QString::fromLatin1(first), QString::fromLatin1(bytes()));
  return 0;
}
