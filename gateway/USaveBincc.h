// The device image: the 2048-byte parameter block written as bin/bank1.bin and
// the Modbus rule table with the OPC UA area written as bin/bank2.bin, built
// from the open configuration's ParGen.xml, OPC_UA_Server.xml and
// ModbusM_SetAccess.xml.
//
// Every number in the image is unsigned and little-endian; every text is 8-bit
// (the low byte of each UTF-16 code unit). Addresses stored in the image are
// device addresses: bank1.bin is loaded at 0x07000, bank2.bin at 0x80000, the
// OPC UA area (file offset 0x8000 of bank2.bin) therefore at 0x88000.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/SysUtils.h"

class TXMLDocument;

// A build or a write of the device image that cannot be done; the message
// names the file or the limit concerned.
ZIDI_DECLARE_EXCEPTION(EDevice_Image_Error, Exception);

// ---- Sizes and device addresses ------------------------------------------

constexpr int Par_Block_Size = 2048;
constexpr int Num_Modbus_Rules = 1024;
constexpr int Modbus_Rule_Size = 32;
constexpr int Modbus_Rules_Size = Num_Modbus_Rules * Modbus_Rule_Size;  // 32768
constexpr int Bin_Buffer_Size = 131072;                                 // 128 KiB
// Room for the OPC UA area behind the rule table in the bank2 buffer.
constexpr int OPC_UA_Area_Max_Size = Bin_Buffer_Size - Modbus_Rules_Size;  // 98304
constexpr int OPC_UA_Header_Size = 16;
constexpr int OPC_UA_Var_Entry_Size = 16;

constexpr uint32_t Bank1_Device_Address = 0x07000;
constexpr uint32_t Modbus_Table_Device_Address = 0x80000;
constexpr uint32_t OPC_UA_Area_Device_Address = 0x88000;

// ---- Offsets of the parameter block ----------------------------------------

namespace Par_Ofs {
constexpr int Fixed_250000_A = 0x000;
constexpr int Fixed_250000_B = 0x004;
constexpr int Fixed_9600 = 0x00C;
constexpr int Modbus_Timeout = 0x020;
constexpr int Modbus_Cyclic_Delay = 0x024;
constexpr int IP_Address = 0x028;
constexpr int Subnet_Mask = 0x02C;
constexpr int Gateway = 0x030;
constexpr int Application_Port = 0x034;  // 10000
constexpr int Fixed_10001_A = 0x036;
constexpr int Fixed_10001_B = 0x038;
constexpr int Modbus_Rule_Count = 0x048;
constexpr int Modbus_RS232 = 0x061;
constexpr int Modbus_Table_Address = 0x0C4;
constexpr int Modbus_Baud_Rate = 0x190;
constexpr int Modbus_Parity = 0x1A8;
constexpr int Modbus_Stop_Bits = 0x1AE;
constexpr int Modbus_Data_Bits = 0x1B4;  // 8, then seven more bytes of 8
constexpr int DHCP_Flags = 0x4E8;
constexpr int Device_Name = 0x514;
constexpr int Device_Name_Size = 32;
constexpr int DNS_Secondary = 0x53C;
constexpr int DNS_Primary = 0x58C;
constexpr int OPC_UA_Area_Address = 0x620;
constexpr int SW_Version = 0x66C;
constexpr int SW_Version_Size = 8;
constexpr int Checksum = 0x7FC;
}  // namespace Par_Ofs

// ---- Records ---------------------------------------------------------------

// One Modbus rule; 32 bytes in the image, fields in offset order.
struct TModbus_Rule {
  uint16_t Position = 0;       // 0x00
  uint16_t Bit = 0;            // 0x02
  uint32_t Poll_Time = 0;      // 0x04
  uint8_t Slave_ID = 0;        // 0x08
  uint8_t Function_Code = 0;   // 0x09
  uint16_t Address = 0;        // 0x0A
  uint16_t NPoint = 0;         // 0x0C
  uint16_t Reserved_0E = 0;    // 0x0E
  uint32_t Reserved_10 = 0;    // 0x10
  uint16_t Index_Topic = 0;    // 0x14
  uint16_t Reserved_16 = 0;    // 0x16
  uint32_t Max_Error = 0;      // 0x18
  uint8_t Conversion = 0;      // 0x1C
  uint8_t Operation = 0;       // 0x1D
  uint8_t Byte_Count = 0;      // 0x1E
  uint8_t Flags = 0;           // 0x1F
};

// Bits of TModbus_Rule::Flags.
constexpr uint8_t Rule_Flag_On_Change = 0x01;
constexpr uint8_t Rule_Flag_Swap = 0x04;
constexpr uint8_t Rule_Flag_Swap_Word = 0x08;
constexpr uint8_t Rule_Flag_On_CMD = 0x10;
// Bits of TModbus_Rule::Conversion.
constexpr uint8_t Rule_Conv_Little_Endian = 0x01;
constexpr uint8_t Rule_Conv_Float = 0x02;
constexpr uint8_t Rule_Conv_Signed = 0x04;

// One variable of the OPC UA server; the first six fields form its 16-byte
// entry, the name goes to the text pool.
struct TOPC_UA_Var {
  uint32_t VarType = 0;
  uint16_t Position = 0;
  uint16_t Length = 0;
  uint16_t BitStart = 0;
  uint16_t Options = 0;
  uint32_t Add_Name = 0;
  QString Name;
};

// Bits of TOPC_UA_Var::Options.
constexpr uint16_t OPC_UA_Opt_Read_Write = 0x01;
constexpr uint16_t OPC_UA_Opt_Swap = 0x10;
constexpr uint16_t OPC_UA_Opt_Swap_Word = 0x20;
constexpr uint16_t OPC_UA_Opt_Swap_All = 0x40;

struct TOPC_UA_Server {
  uint16_t Port = 4840;
  uint16_t Num_Var = 0;
  std::vector<TOPC_UA_Var> Variables;
  uint32_t Add_Num_Var = 0;
  QString NTP;
  uint32_t Add_NTP = 0;
  uint32_t NTP_Time = 10;
};

using TBin_Buffer = std::vector<uint8_t>;

// ---- Conversions shared by the readers -------------------------------------

// Baud rate of an item of the settings window's baud-rate list (0 -> 1200 ...
// 7 -> 115200); any other item gives 9600.
uint32_t Baud_Rate_Of_Item(int Item);
// Type code of an OPC UA variable type name (exact comparison); 0 for
// "Boolean" and for any name that is not known.
uint32_t Get_OPC_UA_Var_Type(const QString& Type_Name);
// Code of a value operation text (compared in upper case); 0 for "NONE" and
// for any text that is not known.
uint8_t Get_Modbus_Operation(const QString& Operation);
// Function code of a read rule from its upper-case type name; 0 when unknown.
uint8_t Read_Function_Code(const QString& Type_Upper);
// Function code of a write rule from its upper-case type name and point count.
uint8_t Write_Function_Code(const QString& Type_Upper, uint16_t NPoint);
// Byte count of a read rule: coils and inputs are packed eight to a byte,
// registers take two bytes; kept to 8 bits as the field is.
uint8_t Read_Byte_Count(uint8_t Function_Code, uint16_t NPoint);

// ---- Little-endian writers -------------------------------------------------
// They write inside Buffer at Position; the caller guarantees the room.

void Put_U8(TBin_Buffer& Buffer, int Position, uint8_t Value);
void Put_U16(TBin_Buffer& Buffer, int Position, uint16_t Value);
void Put_U32(TBin_Buffer& Buffer, int Position, uint32_t Value);
// Writes the text as 8-bit characters followed by one NUL; returns the position
// after the NUL.
int Put_Text8(TBin_Buffer& Buffer, int Position, const QString& Text);
// Bytes a text takes in the image: one per UTF-16 code unit plus the NUL.
inline int Text8_Size(const QString& Text) { return static_cast<int>(Text.size()) + 1; }

// ---- The image -------------------------------------------------------------

// The whole device image: the parameter block, the rule table, the OPC UA
// area and the two file buffers with their lengths. The program keeps one
// (Device_Image()); tests build their own.
class TDevice_Image {
 public:
  TDevice_Image();

  // Parameter block.
  void Default_Par_Block();
  // Loads File_XML_ParGen into XML1 when it exists and fills the block (and
  // the port, NTP text and NTP poll time of the OPC UA area) from it.
  void Read_Par_Gen(TXMLDocument& XML1);
  void Write_SW_Version();
  // Seals the block with its checksum and copies it to Buffer at Position;
  // returns Position + 2048.
  int Put_Par_Block(int Position, TBin_Buffer& Buffer);

  // Modbus rules.
  void Clear_Modbus_Rules();
  // Loads File_XML_ModbusM_SetAccess into XML1 when it exists, fills the rules
  // from its enabled rows (read rows first) and stores their number in the
  // block. A missing section, a row without one of its required numbers or
  // more than 1024 enabled rows raise EDevice_Image_Error naming the file (and
  // the row); an empty Start Bit counts as bit 0.
  void Read_Modbus_Rules(TXMLDocument& XML1);
  // Writes all 1024 rules at Position; returns Position + 32768.
  int Put_Modbus_Rules(int Position, TBin_Buffer& Buffer) const;

  // OPC UA area.
  void Default_OPC_UA_Server();
  // Loads File_XML_OPC_UA_Server into XML1 when it exists, takes its enabled
  // variables and computes every address of the area from Base_Address.
  void Read_OPC_UA_Server(TXMLDocument& XML1, uint32_t Base_Address);
  // Computes Add_Num_Var, Add_NTP and each Add_Name from the base address.
  void Set_OPC_UA_Addresses(uint32_t Base_Address);
  // Bytes the area takes: header, entries and text pool.
  int OPC_UA_Area_Size() const;
  // Writes header, entries and text pool at Position; returns the position
  // after the last byte. Refuses an area that would not fit in Buffer.
  int Put_OPC_UA_Server(int Position, TBin_Buffer& Buffer) const;

  // Builds both files in memory from the open configuration. On an error the
  // image counts as not built until the next successful build.
  void Build_Device_Image(TXMLDocument& XML1);
  // Writes bank1.bin and bank2.bin into Dir_Project/bin (created when
  // missing). Each file is written under a temporary name and renamed into
  // place; a failure raises EDevice_Image_Error naming the file.
  void Write_Device_Image() const;
  bool Built() const { return FBuilt; }

  // Field access of the parameter block.
  uint32_t Par_U32(int Offset) const;
  uint16_t Par_U16(int Offset) const;
  void Set_Par_U32(int Offset, uint32_t Value);
  void Set_Par_U16(int Offset, uint16_t Value);
  void Set_Par_Bytes4(int Offset, uint8_t B1, uint8_t B2, uint8_t B3, uint8_t B4);

  std::array<uint8_t, Par_Block_Size> Par_Block{};
  std::array<TModbus_Rule, Num_Modbus_Rules> Modbus_Rule{};
  TOPC_UA_Server OPC_UA_Server;
  TBin_Buffer Bank1_Buffer;
  TBin_Buffer Bank2_Buffer;
  uint32_t Bank1_Length = 0;
  uint32_t Bank2_Length = 0;

 private:
  bool FBuilt = false;
};

// The program's device image.
TDevice_Image& Device_Image();
// Builds the device image of the open configuration, reading its files through
// the main window's document XML1. Errors propagate to the caller.
void Create_Bin(TXMLDocument& XML1);
// Writes the files of the last successful build; raises EDevice_Image_Error
// when nothing was built or a file cannot be written.
void Save_Bin();
