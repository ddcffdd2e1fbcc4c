// What the update window hands the external updaters: the job file
// Ethernet_Update.xml read by Ethernet_Update.exe, and the command line of the
// serial updater Dud_ER_Odaver.exe. The update window (unit UBoot) calls these
// routines with the values of its fields.
#pragma once

#include <QString>

class TXMLDocument;

// Items of the update window's option list. Any other value (-1: nothing
// selected) asks for no operation.
enum TUpdate_Option {
  uoFirmware_Configuration = 0,
  uoFirmware = 1,
  uoConfiguration = 2
};

// Dir_Exe + "/Ethernet_Update.xml".
QString Ethernet_Update_File_Name();
// The updater programs in the program folder.
QString Ethernet_Update_Program();  // Dir_Exe + "/Ethernet_Update.exe"
QString Serial_Update_Program();    // Dir_Exe + "/Dud_ER_Odaver.exe"

// Builds the job file in the update window's document XML1 (its nodes are
// removed first) and saves it as Ethernet_Update_File_Name(), replacing an
// earlier file. IP_Address is the text of the four address edits joined with
// "."; Update_Option the selected item of the option list (-1 for none);
// Read_Back the read-back box. A save error propagates to the caller.
void Compile_XML_Parameter_New_Boot(TXMLDocument& XML1, const QString& IP_Address,
                                    int Update_Option, bool Read_Back);

// Returns Text with the serial updater's four option tokens appended
// (firmware write, firmware read-back, configuration write, configuration
// read-back; "NO " for a place that is not wanted); nothing is appended when
// no option item is selected.
QString Update_Options(const QString& Text, int Update_Option, bool Read_Back);

// The serial updater's whole command line for the port text of the COM port
// list (for example "COM3"): the port's device name, the option tokens, the
// quoted firmware file and the quoted bin folder of the open configuration.
QString Serial_Command_Line(const QString& COM_Port, int Update_Option, bool Read_Back);
