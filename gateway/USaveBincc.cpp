// Device image: little-endian writers, the parameter block and its checksum,
// the build sequence and the writing of bank1.bin and bank2.bin.
#include "gateway/USaveBincc.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

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
