// Device image: the Modbus rule table of bank2.bin.
#include "gateway/USaveBincc.h"

#include "shell/UComon.h"

uint8_t Read_Function_Code(const QString& Type_Upper) {
  if (Type_Upper == QLatin1String("COIL STATUS")) return 1;
  if (Type_Upper == QLatin1String("INPUT STATUS")) return 2;
  if (Type_Upper == QLatin1String("HOLDING REGISTER")) return 3;
  if (Type_Upper == QLatin1String("INPUT REGISTER")) return 4;
  return 0;
}

uint8_t Write_Function_Code(const QString& Type_Upper, uint16_t NPoint) {
  if (Type_Upper == QLatin1String("COIL STATUS")) return NPoint == 1 ? 5 : 15;
  if (Type_Upper == QLatin1String("HOLDING REGISTER")) return NPoint == 1 ? 6 : 16;
  return 0;
}

uint8_t Read_Byte_Count(uint8_t Function_Code, uint16_t NPoint) {
  if (Function_Code == 1 || Function_Code == 2) return static_cast<uint8_t>((NPoint + 7) / 8);
  return static_cast<uint8_t>(2 * (NPoint & 0xFF));
}

uint8_t Get_Modbus_Operation(const QString& Operation) {
  static const char* const Texts[] = {"NONE",   ": 10",  ": 100",  ": 1000", ": 10000",
                                      "X 10",   "X 100", "X 1000", "X 10000", ": 256",
                                      "X 256",  ": 0.08", "X 0.08", ": 0.008", "X 0.008"};
  const QString Upper = Operation.toUpper();
  for (int i = 0; i < static_cast<int>(std::size(Texts)); ++i)
    if (Upper == QLatin1String(Texts[i])) return static_cast<uint8_t>(i);
  return 0;
}

void TDevice_Image::Clear_Modbus_Rules() { Modbus_Rule.fill(TModbus_Rule{}); }

int TDevice_Image::Put_Modbus_Rules(int Position, TBin_Buffer& Buffer) const {
  if (Position < 0 || Position + Modbus_Rules_Size > static_cast<int>(Buffer.size()))
    throw EDevice_Image_Error(QStringLiteral("The Modbus rule table does not fit in the image buffer."));
  for (const TModbus_Rule& R : Modbus_Rule) {
    Put_U16(Buffer, Position + 0x00, R.Position);
    Put_U16(Buffer, Position + 0x02, R.Bit);
    Put_U32(Buffer, Position + 0x04, R.Poll_Time);
    Put_U8(Buffer, Position + 0x08, R.Slave_ID);
    Put_U8(Buffer, Position + 0x09, R.Function_Code);
    Put_U16(Buffer, Position + 0x0A, R.Address);
    Put_U16(Buffer, Position + 0x0C, R.NPoint);
    Put_U16(Buffer, Position + 0x0E, R.Reserved_0E);
    Put_U32(Buffer, Position + 0x10, R.Reserved_10);
    Put_U16(Buffer, Position + 0x14, R.Index_Topic);
    Put_U16(Buffer, Position + 0x16, R.Reserved_16);
    Put_U32(Buffer, Position + 0x18, R.Max_Error);
    Put_U8(Buffer, Position + 0x1C, R.Conversion);
    Put_U8(Buffer, Position + 0x1D, R.Operation);
    Put_U8(Buffer, Position + 0x1E, R.Byte_Count);
    Put_U8(Buffer, Position + 0x1F, R.Flags);
    Position += Modbus_Rule_Size;
  }
  return Position;
}
