// Device image: little-endian writers, the parameter block and its checksum,
// the build sequence and the writing of bank1.bin and bank2.bin.
#include "gateway/USaveBincc.h"

#include <QSaveFile>
#include <optional>

#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

// ---- Little-endian writers -------------------------------------------------

void Put_U8(TBin_Buffer& Buffer, int Position, uint8_t Value) { Buffer.at(Position) = Value; }

void Put_U16(TBin_Buffer& Buffer, int Position, uint16_t Value) {
  Buffer.at(Position) = static_cast<uint8_t>(Value & 0xFF);
  Buffer.at(Position + 1) = static_cast<uint8_t>(Value >> 8);
}

void Put_U32(TBin_Buffer& Buffer, int Position, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Buffer.at(Position + i) = static_cast<uint8_t>(Value >> (8 * i));
}

int Put_Text8(TBin_Buffer& Buffer, int Position, const QString& Text) {
  for (QChar c : Text) Buffer.at(Position++) = static_cast<uint8_t>(c.unicode() & 0xFF);
  Buffer.at(Position++) = 0;
  return Position;
}

// ---- Parameter block -------------------------------------------------------

TDevice_Image::TDevice_Image()
    : Bank1_Buffer(Bin_Buffer_Size, 0), Bank2_Buffer(Bin_Buffer_Size, 0) {
  Default_Par_Block();
  Default_OPC_UA_Server();
  Clear_Modbus_Rules();
}

uint32_t TDevice_Image::Par_U32(int Offset) const {
  return static_cast<uint32_t>(Par_Block.at(Offset)) | static_cast<uint32_t>(Par_Block.at(Offset + 1)) << 8 |
         static_cast<uint32_t>(Par_Block.at(Offset + 2)) << 16 |
         static_cast<uint32_t>(Par_Block.at(Offset + 3)) << 24;
}

uint16_t TDevice_Image::Par_U16(int Offset) const {
  return static_cast<uint16_t>(Par_Block.at(Offset) | Par_Block.at(Offset + 1) << 8);
}

void TDevice_Image::Set_Par_U32(int Offset, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Par_Block.at(Offset + i) = static_cast<uint8_t>(Value >> (8 * i));
}

void TDevice_Image::Set_Par_U16(int Offset, uint16_t Value) {
  Par_Block.at(Offset) = static_cast<uint8_t>(Value & 0xFF);
  Par_Block.at(Offset + 1) = static_cast<uint8_t>(Value >> 8);
}

void TDevice_Image::Set_Par_Bytes4(int Offset, uint8_t B1, uint8_t B2, uint8_t B3, uint8_t B4) {
  Par_Block.at(Offset) = B1;
  Par_Block.at(Offset + 1) = B2;
  Par_Block.at(Offset + 2) = B3;
  Par_Block.at(Offset + 3) = B4;
}

void TDevice_Image::Default_Par_Block() {
  Par_Block.fill(0);
  Set_Par_U32(Par_Ofs::Fixed_250000_A, 250000);
  Set_Par_U32(Par_Ofs::Fixed_250000_B, 250000);
  Set_Par_U32(Par_Ofs::Fixed_9600, 9600);
  Set_Par_Bytes4(Par_Ofs::IP_Address, 192, 168, 2, 205);
  Set_Par_Bytes4(Par_Ofs::Subnet_Mask, 255, 255, 255, 0);
  Set_Par_Bytes4(Par_Ofs::Gateway, 255, 255, 255, 255);
  Set_Par_U16(Par_Ofs::Application_Port, 10000);
  Set_Par_U16(Par_Ofs::Fixed_10001_A, 10001);
  Set_Par_U16(Par_Ofs::Fixed_10001_B, 10001);
  // Data bits, then seven further bytes that always hold 8.
  for (int i = 0; i < 8; ++i) Par_Block.at(Par_Ofs::Modbus_Data_Bits + i) = 8;
}

void TDevice_Image::Write_SW_Version() {
  for (int i = 0; i < Par_Ofs::SW_Version_Size; ++i) Par_Block.at(Par_Ofs::SW_Version + i) = 0;
  const int n = std::min<int>(Program_Version.size(), Par_Ofs::SW_Version_Size);
  for (int i = 0; i < n; ++i)
    Par_Block.at(Par_Ofs::SW_Version + i) = static_cast<uint8_t>(Program_Version.at(i).unicode() & 0xFF);
}

int TDevice_Image::Put_Par_Block(int Position, TBin_Buffer& Buffer) {
  // The sum of 2044 bytes is at most 2044 * 255 and never wraps 32 bits.
  uint32_t Sum = 0;
  for (int i = 0; i < Par_Ofs::Checksum; ++i) Sum += Par_Block[i];
  Set_Par_U32(Par_Ofs::Checksum, Sum);
  if (Position < 0 || Position + Par_Block_Size > static_cast<int>(Buffer.size()))
    throw EDevice_Image_Error(QStringLiteral("The parameter block does not fit in the image buffer."));
  std::copy(Par_Block.begin(), Par_Block.end(), Buffer.begin() + Position);
  return Position + Par_Block_Size;
}

uint32_t Baud_Rate_Of_Item(int Item) {
  static constexpr uint32_t Rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
  return Item >= 0 && Item < 8 ? Rates[Item] : 9600;
}

// ---- Reading ParGen.xml ----------------------------------------------------

namespace {

// Text of the root's child element Name; nothing when there is no such
// element (or it holds more than text).
std::optional<QString> Element_Text(const IXMLNode& Root, const char* Name) {
  if (!Root) return std::nullopt;
  const IXMLNode Node = Root->ChildNodes().FindNode(QString::fromLatin1(Name));
  if (!Node || Node->NodeType() != ntElement) return std::nullopt;
  try {
    return Node->Text();
  } catch (const EXMLDocError&) {
    return std::nullopt;
  }
}

// The element's number, converted as the settings window converts it;
// Default when the element is missing or holds no number.
int Element_Int(const IXMLNode& Root, const char* Name, int Default) {
  const std::optional<QString> Text = Element_Text(Root, Name);
  return Text ? StrToIntDef(*Text, Default) : Default;
}

uint8_t Element_Byte(const IXMLNode& Root, const char* Name, int Default) {
  return static_cast<uint8_t>(Element_Int(Root, Name, Default) & 0xFF);
}

// A switch is on only when its text is exactly "1".
bool Element_Switch(const IXMLNode& Root, const char* Name) {
  const std::optional<QString> Text = Element_Text(Root, Name);
  return Text && *Text == QLatin1String("1");
}

}  // namespace

void TDevice_Image::Read_Par_Gen(TXMLDocument& XML1) {
  if (!FileExists(File_XML_ParGen)) return;
  XML1.LoadFromFile(File_XML_ParGen);
  // The document's first node serves as the root whatever its name; a file
  // that starts with a declaration or a comment therefore yields no element.
  const IXMLNode Root = XML1.ChildNodes().First();

  Write_SW_Version();

  // Device name: at most 31 characters, so that the field ends with a NUL.
  const QString Name = Element_Text(Root, "Eth_Conn_Device_Name").value_or(QString())
                           .left(Par_Ofs::Device_Name_Size - 1);
  for (int i = 0; i < Par_Ofs::Device_Name_Size; ++i) Par_Block[Par_Ofs::Device_Name + i] = 0;
  for (int i = 0; i < Name.size(); ++i)
    Par_Block[Par_Ofs::Device_Name + i] = static_cast<uint8_t>(Name.at(i).unicode() & 0xFF);

  uint16_t DHCP = 0;
  if (Element_Switch(Root, "Eth_Conn_DHCP_Cable")) DHCP |= 0x01;
  if (Element_Switch(Root, "Eth_Conn_DHCP_WiFi")) DHCP |= 0x02;
  Set_Par_U16(Par_Ofs::DHCP_Flags, DHCP);

  if (Element_Switch(Root, "Eth_Conn_Enable_DNS")) {
    Set_Par_Bytes4(Par_Ofs::DNS_Primary, Element_Byte(Root, "Eth_Conn_Primary_DNS1", 8),
                   Element_Byte(Root, "Eth_Conn_Primary_DNS2", 8),
                   Element_Byte(Root, "Eth_Conn_Primary_DNS3", 8),
                   Element_Byte(Root, "Eth_Conn_Primary_DNS4", 8));
    Set_Par_Bytes4(Par_Ofs::DNS_Secondary, Element_Byte(Root, "Eth_Conn_Secondary_DNS1", 8),
                   Element_Byte(Root, "Eth_Conn_Secondary_DNS2", 8),
                   Element_Byte(Root, "Eth_Conn_Secondary_DNS3", 4),
                   Element_Byte(Root, "Eth_Conn_Secondary_DNS4", 4));
  }

  Set_Par_Bytes4(Par_Ofs::IP_Address, Element_Byte(Root, "OPC_UA_Server_IP1", 192),
                 Element_Byte(Root, "OPC_UA_Server_IP2", 168), Element_Byte(Root, "OPC_UA_Server_IP3", 0),
                 Element_Byte(Root, "OPC_UA_Server_IP4", 10));
  Set_Par_Bytes4(Par_Ofs::Subnet_Mask, Element_Byte(Root, "OPC_UA_Server_SM1", 255),
                 Element_Byte(Root, "OPC_UA_Server_SM2", 255), Element_Byte(Root, "OPC_UA_Server_SM3", 255),
                 Element_Byte(Root, "OPC_UA_Server_SM4", 0));
  Set_Par_Bytes4(Par_Ofs::Gateway, Element_Byte(Root, "OPC_UA_Server_GAT1", 192),
                 Element_Byte(Root, "OPC_UA_Server_GAT2", 168), Element_Byte(Root, "OPC_UA_Server_GAT3", 0),
                 Element_Byte(Root, "OPC_UA_Server_GAT4", 1));
  if (!Element_Switch(Root, "OPC_UA_Server_EN_GAT")) Set_Par_Bytes4(Par_Ofs::Gateway, 255, 255, 255, 255);

  OPC_UA_Server.Port = static_cast<uint16_t>(Element_Int(Root, "OPC_UA_Server_Port", 4840));
  OPC_UA_Server.NTP = Element_Text(Root, "NTP_Server_URL").value_or(QString());
  OPC_UA_Server.NTP_Time = static_cast<uint32_t>(Element_Int(Root, "NTP_Poll_Time", 1000));

  // Item 0 of the serial list is RS232, item 1 RS485.
  Par_Block[Par_Ofs::Modbus_RS232] = Element_Int(Root, "ModbusM_SERIAL", -1) == 0 ? 1 : 0;
  {
    const std::optional<QString> Text = Element_Text(Root, "ModbusM_BAUDRATE");
    int Item = 7;
    if (Text && !TryStrToInt(*Text, Item)) Item = 7;
    Set_Par_U32(Par_Ofs::Modbus_Baud_Rate, Baud_Rate_Of_Item(Item));
  }
  Par_Block[Par_Ofs::Modbus_Parity] = Element_Byte(Root, "ModbusM_PARITY", 0);
  // Item 1 of the stop-bit list (two stop bits) is stored as 2.
  const int Stop_Bits = Element_Int(Root, "ModbusM_STOPBITS", 0);
  Par_Block[Par_Ofs::Modbus_Stop_Bits] = static_cast<uint8_t>((Stop_Bits == 1 ? 2 : Stop_Bits) & 0xFF);
  Par_Block[Par_Ofs::Modbus_Data_Bits] = 8;
  Set_Par_U32(Par_Ofs::Modbus_Timeout, static_cast<uint32_t>(Element_Int(Root, "ModbusM_TIMEOUT", 1000)));
  Set_Par_U32(Par_Ofs::Modbus_Cyclic_Delay, static_cast<uint32_t>(Element_Int(Root, "ModbusM_CYCLIC", 100)));
}

// ---- Building and writing ----------------------------------------------------

void TDevice_Image::Build_Device_Image(TXMLDocument& XML1) {
  FBuilt = false;
  Default_Par_Block();
  Default_OPC_UA_Server();
  Clear_Modbus_Rules();
  Read_Par_Gen(XML1);
  Set_Par_U32(Par_Ofs::OPC_UA_Area_Address, OPC_UA_Area_Device_Address);
  Read_OPC_UA_Server(XML1, OPC_UA_Area_Device_Address);
  Read_Modbus_Rules(XML1);
  Bank1_Length = 0;
  Bank2_Length = 0;
  Set_Par_U32(Par_Ofs::Modbus_Table_Address, Modbus_Table_Device_Address);
  Bank2_Length = static_cast<uint32_t>(Put_Modbus_Rules(0, Bank2_Buffer));
  Bank2_Length = static_cast<uint32_t>(Put_OPC_UA_Server(static_cast<int>(Bank2_Length), Bank2_Buffer));
  // Last, so that the checksum covers the finished block.
  Bank1_Length = static_cast<uint32_t>(Put_Par_Block(0, Bank1_Buffer));
  FBuilt = true;
}

namespace {

// Opens F and writes the image into it, still under its temporary name.
void Write_Pending(QSaveFile& F, const TBin_Buffer& Buffer, uint32_t Length) {
  const char* Data = reinterpret_cast<const char*>(Buffer.data());
  if (!F.open(QIODevice::WriteOnly) || F.write(Data, Length) != static_cast<qint64>(Length) || !F.flush())
    throw EDevice_Image_Error(
        QStringLiteral("Cannot write the device image file %1: %2").arg(F.fileName(), F.errorString()));
}

}  // namespace

void TDevice_Image::Write_Device_Image() const {
  if (!FBuilt) throw EDevice_Image_Error(QStringLiteral("The device image has not been built."));
  if (Dir_Project.isEmpty()) throw EDevice_Image_Error(QStringLiteral("No configuration is open."));
  const QString Dir_Bin = Dir_Project + QStringLiteral("/bin");
  if (!DirectoryExists(Dir_Bin) && !ForceDirectories(Dir_Bin))
    throw EDevice_Image_Error(QStringLiteral("Cannot create the folder %1 for the device image.").arg(Dir_Bin));

  // Both files are written completely under temporary names before either
  // replaces its predecessor, so a failure leaves the old pair in place.
  QSaveFile Bank1(Dir_Bin + QStringLiteral("/bank1.bin"));
  QSaveFile Bank2(Dir_Bin + QStringLiteral("/bank2.bin"));
  Write_Pending(Bank1, Bank1_Buffer, Bank1_Length);
  Write_Pending(Bank2, Bank2_Buffer, Bank2_Length);
  if (!Bank1.commit())
    throw EDevice_Image_Error(
        QStringLiteral("Cannot write the device image file %1: %2").arg(Bank1.fileName(), Bank1.errorString()));
  if (!Bank2.commit())
    throw EDevice_Image_Error(QStringLiteral("Cannot write the device image file %1: %2 (%3 has been replaced)")
                                  .arg(Bank2.fileName(), Bank2.errorString(), Bank1.fileName()));
}

TDevice_Image& Device_Image() {
  static TDevice_Image Image;
  return Image;
}

void Create_Bin(TXMLDocument& XML1) { Device_Image().Build_Device_Image(XML1); }

void Save_Bin() { Device_Image().Write_Device_Image(); }
