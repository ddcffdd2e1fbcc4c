// Update job file Ethernet_Update.xml and the serial updater's command line.
#include "gateway/UBootJob.h"

#include "shell/UComon.h"

QString Ethernet_Update_File_Name() { return Dir_Exe + QStringLiteral("/Ethernet_Update.xml"); }
QString Ethernet_Update_Program() { return Dir_Exe + QStringLiteral("/Ethernet_Update.exe"); }
QString Serial_Update_Program() { return Dir_Exe + QStringLiteral("/Dud_ER_Odaver.exe"); }

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
