// Device image: the Modbus rule table of bank2.bin.
#include "gateway/USaveBincc.h"

#include "platform/rtl/XMLDoc.h"
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
  const QString Upper = UpperCase(Operation);
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

// ---- Reading ModbusM_SetAccess.xml -----------------------------------------

namespace {

// A number the row must carry: a missing attribute or a text that is no
// number stops the build.
int Required_Int(const IXMLNode& Row, const char* Name) {
  return StrToInt(Row->Attributes(QString::fromLatin1(Name)));
}

// The Start Bit of a register rule is never filled in by the table window;
// its empty text counts as bit 0.
int Required_Bit(const IXMLNode& Row) {
  const QString Text = Row->Attributes(QStringLiteral("Bit"));
  return Trim(Text).isEmpty() ? 0 : StrToInt(Text);
}

// An optional number: Default when missing or not a number.
int Optional_Int(const IXMLNode& Row, const char* Name, int Default) {
  const QString Attr = QString::fromLatin1(Name);
  return Row->HasAttribute(Attr) ? StrToIntDef(Row->Attributes(Attr), Default) : Default;
}

// An optional attribute in upper case; empty when missing.
QString Optional_Upper(const IXMLNode& Row, const char* Name) {
  const QString Attr = QString::fromLatin1(Name);
  return Row->HasAttribute(Attr) ? UpperCase(Row->Attributes(Attr)) : QString();
}

bool Optional_Y(const IXMLNode& Row, const char* Name) { return Optional_Upper(Row, Name) == QLatin1String("Y"); }

bool Enabled(const IXMLNode& Row) {
  // Compared as it stands: "y" or "yes" do not enable a rule.
  return Row->HasAttribute(QStringLiteral("Enable")) && Row->Attributes(QStringLiteral("Enable")) == QLatin1String("Y");
}

// Value conversion of a rule, the same for read and write rows.
void Read_Conversion(const IXMLNode& Row, TModbus_Rule& R) {
  R.Conversion = 0;
  if (Optional_Y(Row, "Float_Conv")) {
    R.Conversion = Rule_Conv_Float;
    R.Operation = Get_Modbus_Operation(Row->HasAttribute(QStringLiteral("Operation"))
                                           ? Row->Attributes(QStringLiteral("Operation"))
                                           : QStringLiteral("NONE"));
    if (!Row->HasAttribute(QStringLiteral("Endian")))
      R.Conversion = 0;  // the operation code stays
    else if (UpperCase(Row->Attributes(QStringLiteral("Endian"))) == QLatin1String("LITTLE"))
      R.Conversion |= Rule_Conv_Little_Endian;
  }
  if (Optional_Y(Row, "Signed")) R.Conversion |= Rule_Conv_Signed;
  if (Optional_Y(Row, "Swap")) R.Flags |= Rule_Flag_Swap;
  if (Optional_Y(Row, "SwapWord")) R.Flags |= Rule_Flag_Swap_Word;
  R.Index_Topic = static_cast<uint16_t>(Optional_Int(Row, "Index_Topic", 0));
}

void Read_Read_Rule(const IXMLNode& Row, TModbus_Rule& R) {
  R = TModbus_Rule{};
  R.Slave_ID = static_cast<uint8_t>(Required_Int(Row, "Slave_ID"));
  R.Function_Code = Read_Function_Code(UpperCase(Row->Attributes(QStringLiteral("Type"))));
  R.NPoint = static_cast<uint16_t>(Required_Int(Row, "NPoint"));
  R.Byte_Count = Read_Byte_Count(R.Function_Code, R.NPoint);
  R.Address = static_cast<uint16_t>(Required_Int(Row, "Address"));
  R.Poll_Time = static_cast<uint32_t>(Required_Int(Row, "PollTime"));
  R.Max_Error = static_cast<uint32_t>(Required_Int(Row, "MaxError"));
  R.Position = static_cast<uint16_t>(Optional_Int(Row, "Position", 0));
  R.Bit = static_cast<uint16_t>(Optional_Int(Row, "Bit", 0));
  Read_Conversion(Row, R);
}

void Read_Write_Rule(const IXMLNode& Row, TModbus_Rule& R) {
  R = TModbus_Rule{};
  R.Slave_ID = static_cast<uint8_t>(Required_Int(Row, "Slave_ID"));
  R.NPoint = static_cast<uint16_t>(Required_Int(Row, "NPoint"));
  R.Function_Code = Write_Function_Code(UpperCase(Row->Attributes(QStringLiteral("Type"))), R.NPoint);
  R.Address = static_cast<uint16_t>(Required_Int(Row, "Address"));
  R.Poll_Time = static_cast<uint32_t>(Required_Int(Row, "PollTime"));
  R.Max_Error = static_cast<uint32_t>(Required_Int(Row, "MaxError"));
  R.Flags = UpperCase(Row->Attributes(QStringLiteral("OnChange"))) == QLatin1String("Y") ? Rule_Flag_On_Change : 0;
  if (Optional_Y(Row, "OnCMD")) R.Flags |= Rule_Flag_On_CMD;
  R.Position = static_cast<uint16_t>(Required_Int(Row, "Position"));
  R.Bit = static_cast<uint16_t>(Required_Bit(Row));
  R.Byte_Count = 0;
  Read_Conversion(Row, R);
}

}  // namespace

void TDevice_Image::Read_Modbus_Rules(TXMLDocument& XML1) {
  int Count = 0;
  if (FileExists(File_XML_ModbusM_SetAccess)) {
    XML1.LoadFromFile(File_XML_ModbusM_SetAccess);
    // The document's first node is the root, whatever its name.
    const IXMLNode Root = XML1.ChildNodes().First();
    const auto Read_Section = [&](const char* Section_Name, bool Write_Rows) {
      const IXMLNode Section =
          Root ? Root->ChildNodes().FindNode(QString::fromLatin1(Section_Name)) : IXMLNode();
      if (!Section)
        throw EDevice_Image_Error(QStringLiteral("%1: the section \"%2\" is missing.")
                                      .arg(File_XML_ModbusM_SetAccess, QString::fromLatin1(Section_Name)));
      int Row_Number = 0;
      for (const IXMLNode& Row : Section->ChildNodes()) {
        if (Row->NodeType() != ntElement) continue;  // comments are no rows
        ++Row_Number;
        if (!Enabled(Row)) continue;
        if (Count >= Num_Modbus_Rules)
          throw EDevice_Image_Error(QStringLiteral("%1: more than %2 enabled Modbus rules; the device takes at most %2.")
                                        .arg(File_XML_ModbusM_SetAccess)
                                        .arg(Num_Modbus_Rules));
        try {
          if (Write_Rows)
            Read_Write_Rule(Row, Modbus_Rule[Count]);
          else
            Read_Read_Rule(Row, Modbus_Rule[Count]);
        } catch (const Exception& E) {
          throw EDevice_Image_Error(QStringLiteral("%1: section \"%2\", row %3: %4")
                                        .arg(File_XML_ModbusM_SetAccess, QString::fromLatin1(Section_Name))
                                        .arg(Row_Number)
                                        .arg(E.Message()));
        }
        ++Count;
      }
    };
    Read_Section("Modbus_Read", false);
    Read_Section("Modbus_Write", true);
  }
  Set_Par_U32(Par_Ofs::Modbus_Rule_Count, static_cast<uint32_t>(Count));
}
