// Device image: the OPC UA area of bank2.bin (header, variable entries and
// text pool).
#include "gateway/USaveBincc.h"

#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

uint32_t Get_OPC_UA_Var_Type(const QString& Type_Name) {
  struct Code {
    const char* Name;
    uint32_t Value;
  };
  static constexpr Code Codes[] = {
      {"Boolean", 0}, {"Signed Byte", 1}, {"Byte", 2},    {"Int16", 3},   {"UInt16", 4},
      {"Int32", 5},   {"UInt32", 6},      {"Int64", 7},   {"UInt64", 8},  {"Float", 9},
      {"Double", 10}, {"String", 11},     {"ByteString", 14}};
  for (const Code& c : Codes)
    if (Type_Name == QLatin1String(c.Name)) return c.Value;
  return 0;
}

void TDevice_Image::Default_OPC_UA_Server() {
  OPC_UA_Server = TOPC_UA_Server{};
  OPC_UA_Server.Port = 4840;
  OPC_UA_Server.Num_Var = 0;
  OPC_UA_Server.Variables.assign(1, TOPC_UA_Var{});
  OPC_UA_Server.Add_Num_Var = 0;
  OPC_UA_Server.NTP.clear();
  OPC_UA_Server.Add_NTP = 0;
  OPC_UA_Server.NTP_Time = 10;
}

// Bytes of the area in 64 bits, so that no number of texts can wrap it.
static int64_t Area_Size64(const TOPC_UA_Server& S) {
  int64_t Size = OPC_UA_Header_Size + int64_t(OPC_UA_Var_Entry_Size) * int64_t(S.Variables.size()) + 1;
  if (!S.NTP.isEmpty()) Size += Text8_Size(S.NTP);
  for (const TOPC_UA_Var& V : S.Variables)
    if (!V.Name.isEmpty()) Size += Text8_Size(V.Name);
  return Size;
}

// Refuses an area that does not fit behind the rule table in the bank2 buffer.
static void Check_Area_Size(const TOPC_UA_Server& S, int64_t Room) {
  const int64_t Size = Area_Size64(S);
  if (Size > Room)
    throw EDevice_Image_Error(
        QStringLiteral("The OPC UA area of the device image needs %1 bytes, but at most %2 bytes fit. "
                       "Shorten the NTP server text or the variable names, or use fewer variables.")
            .arg(Size)
            .arg(OPC_UA_Area_Max_Size));
}

int TDevice_Image::OPC_UA_Area_Size() const {
  Check_Area_Size(OPC_UA_Server, OPC_UA_Area_Max_Size);
  return static_cast<int>(Area_Size64(OPC_UA_Server));
}

void TDevice_Image::Set_OPC_UA_Addresses(uint32_t Base_Address) {
  TOPC_UA_Server& S = OPC_UA_Server;
  Check_Area_Size(S, OPC_UA_Area_Max_Size);
  S.Add_Num_Var = Base_Address + OPC_UA_Header_Size;
  // The shared empty text behind the last entry.
  const uint32_t E = Base_Address + OPC_UA_Header_Size +
                     OPC_UA_Var_Entry_Size * static_cast<uint32_t>(S.Variables.size());
  uint32_t Next = E + 1;
  if (S.NTP.isEmpty()) {
    S.Add_NTP = E;
  } else {
    S.Add_NTP = Next;
    Next += Text8_Size(S.NTP);
  }
  for (TOPC_UA_Var& V : S.Variables) {
    if (V.Name.isEmpty()) {
      V.Add_Name = E;
    } else {
      V.Add_Name = Next;
      Next += Text8_Size(V.Name);
    }
  }
}

int TDevice_Image::Put_OPC_UA_Server(int Position, TBin_Buffer& Buffer) const {
  const TOPC_UA_Server& S = OPC_UA_Server;
  if (Position < 0 || Position > static_cast<int>(Buffer.size()))
    throw EDevice_Image_Error(QStringLiteral("The OPC UA area lies outside the image buffer."));
  Check_Area_Size(S, std::min<int64_t>(OPC_UA_Area_Max_Size, int64_t(Buffer.size()) - Position));
  Put_U16(Buffer, Position + 0, S.Port);
  Put_U16(Buffer, Position + 2, S.Num_Var);
  Put_U32(Buffer, Position + 4, S.Add_Num_Var);
  Put_U32(Buffer, Position + 8, S.Add_NTP);
  Put_U32(Buffer, Position + 12, S.NTP_Time);
  Position += OPC_UA_Header_Size;
  for (const TOPC_UA_Var& V : S.Variables) {
    Put_U32(Buffer, Position + 0, V.VarType);
    Put_U16(Buffer, Position + 4, V.Position);
    Put_U16(Buffer, Position + 6, V.Length);
    Put_U16(Buffer, Position + 8, V.BitStart);
    Put_U16(Buffer, Position + 10, V.Options);
    Put_U32(Buffer, Position + 12, V.Add_Name);
    Position += OPC_UA_Var_Entry_Size;
  }
  Put_U8(Buffer, Position++, 0);
  if (!S.NTP.isEmpty()) Position = Put_Text8(Buffer, Position, S.NTP);
  for (const TOPC_UA_Var& V : S.Variables)
    if (!V.Name.isEmpty()) Position = Put_Text8(Buffer, Position, V.Name);
  return Position;
}

// ---- Reading OPC_UA_Server.xml -----------------------------------------------

namespace {

QString Attr_Or(const IXMLNode& Row, const char* Name, const QString& Default) {
  const QString Attr = QString::fromLatin1(Name);
  return Row->HasAttribute(Attr) ? Row->Attributes(Attr) : Default;
}

bool Attr_Y(const IXMLNode& Row, const char* Name) {
  return UpperCase(Attr_Or(Row, Name, QString())) == QLatin1String("Y");
}

bool Var_Enabled(const IXMLNode& Row) {
  return Row->NodeType() == ntElement && Attr_Or(Row, "Enable", QString()) == QLatin1String("Y");
}

}  // namespace

void TDevice_Image::Read_OPC_UA_Server(TXMLDocument& XML1, uint32_t Base_Address) {
  if (FileExists(File_XML_OPC_UA_Server)) {
    XML1.LoadFromFile(File_XML_OPC_UA_Server);
    const IXMLNode Root = XML1.ChildNodes().FindNode(QStringLiteral("OPC_UA_Server"));
    if (!Root || Root->NodeType() != ntElement)
      throw EDevice_Image_Error(
          QStringLiteral("%1: the element \"OPC_UA_Server\" is missing.").arg(File_XML_OPC_UA_Server));
    const IXMLNode Section = Root->ChildNodes().FindNode(QStringLiteral("OPC_UA_Server_Variables"));
    if (!Section)
      throw EDevice_Image_Error(QStringLiteral("%1: the section \"OPC_UA_Server_Variables\" is missing.")
                                    .arg(File_XML_OPC_UA_Server));
    std::vector<TOPC_UA_Var> Variables;
    for (const IXMLNode& Row : Section->ChildNodes()) {
      if (!Var_Enabled(Row)) continue;
      TOPC_UA_Var V;
      V.VarType = Get_OPC_UA_Var_Type(Attr_Or(Row, "Type", QString()));
      V.Position = static_cast<uint16_t>(StrToIntDef(Attr_Or(Row, "Position", QString()), 0));
      V.BitStart = static_cast<uint16_t>(StrToIntDef(Attr_Or(Row, "StartBit", QString()), 0));
      // A length that is no number counts as 1; a missing one as 0.
      V.Length = Row->HasAttribute(QStringLiteral("Length"))
                     ? static_cast<uint16_t>(StrToIntDef(Row->Attributes(QStringLiteral("Length")), 1))
                     : 0;
      V.Options = 0;
      if (Attr_Or(Row, "ReadWrite", QString()) == QLatin1String("Read/Write")) V.Options |= OPC_UA_Opt_Read_Write;
      if (Attr_Y(Row, "Swap")) V.Options |= OPC_UA_Opt_Swap;
      if (Attr_Y(Row, "SwapWord")) V.Options |= OPC_UA_Opt_Swap_Word;
      if (Attr_Y(Row, "SwapAll")) V.Options |= OPC_UA_Opt_Swap_All;
      V.Name = Attr_Or(Row, "Name", QString());
      Variables.push_back(std::move(V));
    }
    OPC_UA_Server.Num_Var = static_cast<uint16_t>(Variables.size());
    OPC_UA_Server.Variables = std::move(Variables);
  }
  // Also without the file: then the one default entry gets the empty text.
  Set_OPC_UA_Addresses(Base_Address);
}
