// Update job file Ethernet_Update.xml and the serial updater's command line.
#include "gateway/UBootJob.h"

#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

QString Ethernet_Update_File_Name() { return Dir_Exe + QStringLiteral("/Ethernet_Update.xml"); }
QString Ethernet_Update_Program() { return Dir_Exe + QStringLiteral("/Ethernet_Update.exe"); }
QString Serial_Update_Program() { return Dir_Exe + QStringLiteral("/Dud_ER_Odaver.exe"); }

namespace {

void Add_Text(const IXMLNode& Parent, const char* Name, const QString& Text) {
  Parent->AddChild(QString::fromLatin1(Name))->SetText(Text);
}

struct TOperation_Kind {
  QString File_Name;
  const char* Start_Address;
  const char* Bank_Type;
  const char* Write_CSS;
  bool Go_To_App_After;
};

void Add_Operation(const IXMLNode& Operations, const TOperation_Kind& K, bool Read_Back) {
  const IXMLNode Op = Operations->AddChild(QStringLiteral("Operation"));
  Add_Text(Op, "Ope_Protection_Enabled", QString());
  Add_Text(Op, "Ope_GoToBoot_Before", QStringLiteral("0"));
  Add_Text(Op, "Ope_GoToApp_Before", QStringLiteral("0"));
  Add_Text(Op, "Ope_IP_Address", QString());
  Add_Text(Op, "Ope_Port", QStringLiteral("2008"));
  Add_Text(Op, "Ope_Port_Sec", QStringLiteral("2007"));
  Add_Text(Op, "Ope_Erase_Memory", QStringLiteral("0"));
  Add_Text(Op, "Ope_FileName", K.File_Name);
  Add_Text(Op, "Ope_Start_Address", QString::fromLatin1(K.Start_Address));
  Add_Text(Op, "Ope_Memory_Type", QStringLiteral("0"));
  Add_Text(Op, "Ope_Bank_Type", QString::fromLatin1(K.Bank_Type));
  Add_Text(Op, "Ope_Read_Back", Read_Back ? QStringLiteral("1") : QStringLiteral("0"));
  Add_Text(Op, "Ope_Write_CSS", QString::fromLatin1(K.Write_CSS));
  Add_Text(Op, "Ope_Address_CSS", QStringLiteral("0x07A00"));
  Add_Text(Op, "Ope_Command_CSS", QStringLiteral("0x02"));
  Add_Text(Op, "Ope_Write_Internal_Data", QStringLiteral("0"));
  Add_Text(Op, "Ope_WID_Address", QStringLiteral("0x07810"));
  Add_Text(Op, "Ope_WID_Command", QStringLiteral("0x02"));
  Add_Text(Op, "Ope_WID_Data", QStringLiteral("0x00, 0x00, 0x00, 0x01"));
  Add_Text(Op, "Ope_GoToApp_After", K.Go_To_App_After ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace

void Compile_XML_Parameter_New_Boot(TXMLDocument& XML1, const QString& IP_Address, int Update_Option,
                                    bool Read_Back) {
  XML1.SetActive(true);
  XML1.ChildNodes().Clear();
  const IXMLNode Root = XML1.AddChild(QStringLiteral("Ethernet_Update"));
  Add_Text(Root, "Version", QStringLiteral("1000"));
  Add_Text(Root, "Title", QStringLiteral("Tarvix - ZIDI Ethernet Update"));
  Add_Text(Root, "IP_Address_Dev", IP_Address);
  Add_Text(Root, "Application_Port", QStringLiteral("10000"));
  Add_Text(Root, "Boot_Port", QStringLiteral("2008"));
  Add_Text(Root, "Boot_Port_Sec", QStringLiteral("2007"));
  Add_Text(Root, "Address_Protection", QStringLiteral("0x07800"));
  Add_Text(Root->AddChild(QStringLiteral("Protections")), "Protection", QStringLiteral("0x2A4"));
  const IXMLNode Operations = Root->AddChild(QStringLiteral("Operations"));

  // The last operation of a job sends the device back to its application.
  const TOperation_Kind Firmware{Dir_Master + QStringLiteral("/RazUV.sim"), "0x8000", "1", "1",
                                 Update_Option == uoFirmware};
  const TOperation_Kind Bank1{Dir_Project + QStringLiteral("/bin/bank1.bin"), "0x07000", "2", "0", false};
  const TOperation_Kind Bank2{Dir_Project + QStringLiteral("/bin/bank2.bin"), "0x80000", "2", "0", true};
  switch (Update_Option) {
    case uoFirmware_Configuration:
      Add_Operation(Operations, Firmware, Read_Back);
      Add_Operation(Operations, Bank1, Read_Back);
      Add_Operation(Operations, Bank2, Read_Back);
      break;
    case uoFirmware:
      Add_Operation(Operations, Firmware, Read_Back);
      break;
    case uoConfiguration:
      Add_Operation(Operations, Bank1, Read_Back);
      Add_Operation(Operations, Bank2, Read_Back);
      break;
    default:
      break;
  }
  XML1.SaveToFile(Ethernet_Update_File_Name());
}

QString Update_Options(const QString& Text, int Update_Option, bool Read_Back) {
  const QString No = QStringLiteral("NO ");
  const QString Firmware_Read = Read_Back ? QStringLiteral("FR ") : No;
  const QString Config_Read = Read_Back ? QStringLiteral("PR ") : No;
  switch (Update_Option) {
    case uoFirmware_Configuration:
      return Text + QStringLiteral("FW ") + Firmware_Read + QStringLiteral("PW ") + Config_Read;
    case uoFirmware:
      return Text + QStringLiteral("FW ") + Firmware_Read + No + No;
    case uoConfiguration:
      return Text + No + No + QStringLiteral("PW ") + Config_Read;
    default:
      return Text;
  }
}

QString Serial_Command_Line(const QString& COM_Port, int Update_Option, bool Read_Back) {
  const QString Quote = QStringLiteral("\"");
  QString Line = QStringLiteral("\\\\.\\") + COM_Port + QStringLiteral(" ");
  Line = Update_Options(Line, Update_Option, Read_Back);
  Line += Quote + Dir_Master + QStringLiteral("/simKX.sim") + Quote + QStringLiteral(" ");
  Line += Quote + Dir_Project + QStringLiteral("/bin/") + Quote;
  return Line;
}
