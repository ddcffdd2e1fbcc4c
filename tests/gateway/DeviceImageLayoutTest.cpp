// Byte layouts of the device image built from values already in memory: the
// parameter block and its checksum, the rule entries, the OPC UA area and the
// 8-bit texts.
#include <gtest/gtest.h>

#include "common/TestSupport.h"
#include "gateway/GoldenBytes.h"
#include "gateway/USaveBincc.h"

namespace {

QByteArray Hex(const char* Text) { return QByteArray::fromHex(QByteArray(Text).replace(' ', "")); }

std::unique_ptr<TDevice_Image> New_Image() { return std::make_unique<TDevice_Image>(); }

}  // namespace

TEST(DeviceImageParBlock, DefaultsWithTableAddressesMatchGolden) {
  auto Image = New_Image();
  Image->Set_Par_U32(Par_Ofs::Modbus_Table_Address, Modbus_Table_Device_Address);
  Image->Set_Par_U32(Par_Ofs::OPC_UA_Area_Address, OPC_UA_Area_Device_Address);
  TBin_Buffer Buffer(Bin_Buffer_Size, 0xEE);
  EXPECT_EQ(Image->Put_Par_Block(0, Buffer), 2048);
  const QByteArray Golden = Load_Golden_Bytes(TEST_DATA("bank1_no_files.hex"));
  const QByteArray Actual = To_Bytes(Buffer, 2048);
  EXPECT_EQ(Actual, Golden) << Diff_Bytes(Golden, Actual).toStdString();
  EXPECT_EQ(Image->Par_U32(Par_Ofs::Checksum), 3602u);
  // Nothing beyond the block is touched.
  EXPECT_EQ(Buffer[2048], 0xEE);
}

TEST(DeviceImageParBlock, ChecksumIsByteSumAndPlacedAtPosition) {
  auto Image = New_Image();
  TBin_Buffer Buffer(Bin_Buffer_Size, 0);
  Image->Put_Par_Block(0, Buffer);
  const uint32_t Base = Image->Par_U32(Par_Ofs::Checksum);
  EXPECT_EQ(Base, 3602u - 8 - 136);  // without the two table addresses
  // Bytes add as unsigned values; an old checksum does not feed the new one.
  Image->Par_Block[Par_Ofs::Device_Name] = 0xFF;
  Image->Par_Block[Par_Ofs::Checksum - 1] = 0x01;
  EXPECT_EQ(Image->Put_Par_Block(100, Buffer), 2148);
  EXPECT_EQ(Image->Par_U32(Par_Ofs::Checksum), Base + 0xFF + 1);
  EXPECT_EQ(To_Bytes(Buffer, 2148).mid(100 + Par_Ofs::Checksum, 4),
            Hex("82 0E 00 00"));  // 3458 + 256 = 0x0E82
  EXPECT_EQ(Buffer[100 + Par_Ofs::Device_Name], 0xFF);
  // A block that would not fit is refused, not written past the buffer.
  EXPECT_THROW(Image->Put_Par_Block(Bin_Buffer_Size - 2047, Buffer), EDevice_Image_Error);
}

TEST(DeviceImageParBlock, SoftwareVersionIsEightBytes) {
  auto Image = New_Image();
  for (int i = 0; i < 8; ++i) Image->Par_Block[Par_Ofs::SW_Version + i] = 0x55;
  Image->Write_SW_Version();
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&Image->Par_Block[Par_Ofs::SW_Version]), 8),
            Hex("31 2E 30 30 33 00 00 00"));
}

TEST(DeviceImageParBlock, BaudRateItems) {
  const std::pair<int, uint32_t> Cases[] = {{0, 1200},   {1, 2400},   {2, 4800},   {3, 9600},
                                            {4, 19200},  {5, 38400},  {6, 57600},  {7, 115200},
                                            {8, 9600},   {12, 9600},  {-1, 9600}};
  for (auto [Item, Rate] : Cases) EXPECT_EQ(Baud_Rate_Of_Item(Item), Rate) << Item;
}

TEST(DeviceImageRules, EntryLayoutAndPosition) {
  auto Image = New_Image();
  TModbus_Rule& R = Image->Modbus_Rule[1];
  R.Position = 0x0102;
  R.Bit = 0x0304;
  R.Poll_Time = 0x05060708;
  R.Slave_ID = 0x09;
  R.Function_Code = 0x0A;
  R.Address = 0x0B0C;
  R.NPoint = 0x0D0E;
  R.Index_Topic = 0x1516;
  R.Max_Error = 0x191A1B1C;
  R.Conversion = 0x1D;
  R.Operation = 0x1E;
  R.Byte_Count = 0x1F;
  R.Flags = 0x20;
  TBin_Buffer Buffer(Bin_Buffer_Size, 0xEE);
  EXPECT_EQ(Image->Put_Modbus_Rules(16, Buffer), 16 + 32768);
  const QByteArray All = To_Bytes(Buffer, 16 + 32768 + 1);
  EXPECT_EQ(All.mid(16, 32), QByteArray(32, '\0'));
  EXPECT_EQ(All.mid(16 + 32, 32),
            Hex("02 01 04 03 08 07 06 05 09 0A 0C 0B 0E 0D 00 00"
                "00 00 00 00 16 15 00 00 1C 1B 1A 19 1D 1E 1F 20"));
  EXPECT_EQ(All.mid(16 + 64), QByteArray(32768 - 64, '\0') + char(0xEE));
}

TEST(DeviceImageRules, FunctionCodesAndByteCounts) {
  struct Case {
    const char* Type;
    uint16_t NPoint;
    uint8_t Read_FC, Read_Bytes, Write_FC;
  };
  const Case Cases[] = {
      {"HOLDING REGISTER", 10, 3, 20, 16}, {"COIL STATUS", 10, 1, 2, 15},
      {"COIL STATUS", 1, 1, 1, 5},         {"COIL STATUS", 8, 1, 1, 15},
      {"COIL STATUS", 9, 1, 2, 15},        {"INPUT STATUS", 2000, 2, 250, 0},
      {"INPUT REGISTER", 125, 4, 250, 0},  {"HOLDING REGISTER", 1, 3, 2, 6},
      {"HOLDING REGISTER", 4, 3, 8, 16},   {"HOLDING REGISTER", 0x180, 3, 0, 16},
      {"COIL STATUS", 2047, 1, 0, 15},     {"Holding Register", 1, 0, 2, 0},
      {"", 3, 0, 6, 0}};
  for (const Case& c : Cases) {
    const QString T = QString::fromLatin1(c.Type);
    EXPECT_EQ(Read_Function_Code(T), c.Read_FC) << c.Type;
    EXPECT_EQ(Read_Byte_Count(Read_Function_Code(T), c.NPoint), c.Read_Bytes) << c.Type << " " << c.NPoint;
    EXPECT_EQ(Write_Function_Code(T, c.NPoint), c.Write_FC) << c.Type << " " << c.NPoint;
  }
}

TEST(DeviceImageRules, OperationCodes) {
  const std::pair<const char*, uint8_t> Cases[] = {
      {"NONE", 0},    {"", 0},       {": 10", 1},    {": 100", 2},   {": 1000", 3},
      {": 10000", 4}, {"X 10", 5},   {"x 100", 6},   {"X 1000", 7},  {"X 10000", 8},
      {": 256", 9},   {"X 256", 10}, {": 0.08", 11}, {"X 0.08", 12}, {": 0.008", 13},
      {"x 0.008", 14}, {":10", 0},   {"X 10 ", 0}};
  for (auto [Text, Code] : Cases) EXPECT_EQ(Get_Modbus_Operation(QString::fromLatin1(Text)), Code) << Text;
}

TEST(DeviceImageOPCUA, VariableTypeCodes) {
  const std::pair<const char*, uint32_t> Cases[] = {
      {"Boolean", 0}, {"Signed Byte", 1}, {"Byte", 2},       {"Int16", 3},     {"UInt16", 4},
      {"Int32", 5},   {"UInt32", 6},      {"Int64", 7},      {"UInt64", 8},    {"Float", 9},
      {"Double", 10}, {"String", 11},     {"ByteString", 14}, {"bytestring", 0}, {"", 0},
      {"Int32 ", 0}};
  for (auto [Name, Code] : Cases) EXPECT_EQ(Get_OPC_UA_Var_Type(QString::fromLatin1(Name)), Code) << Name;
}

TEST(DeviceImageOPCUA, ThreeVariableExampleMatchesGolden) {
  auto Image = New_Image();
  TOPC_UA_Server& S = Image->OPC_UA_Server;
  S.NTP = QStringLiteral("pool");
  S.NTP_Time = 1000;
  S.Num_Var = 3;
  S.Variables = {{5, 100, 4, 0, OPC_UA_Opt_Read_Write, 0, QStringLiteral("A")},
                 {0, 10, 1, 3, OPC_UA_Opt_Swap | OPC_UA_Opt_Swap_Word | OPC_UA_Opt_Swap_All, 0, QString()},
                 {14, 291, 10, 0, 0, 0, QStringLiteral("BC")}};
  Image->Set_OPC_UA_Addresses(OPC_UA_Area_Device_Address);
  EXPECT_EQ(S.Add_Num_Var, 0x88010u);
  EXPECT_EQ(S.Add_NTP, 0x88041u);
  EXPECT_EQ(S.Variables[0].Add_Name, 0x88046u);
  EXPECT_EQ(S.Variables[1].Add_Name, 0x88040u);
  EXPECT_EQ(S.Variables[2].Add_Name, 0x88048u);
  EXPECT_EQ(Image->OPC_UA_Area_Size(), 16 + 48 + 1 + 5 + 2 + 3);

  TBin_Buffer Buffer(Bin_Buffer_Size, 0);
  const int End = Image->Put_OPC_UA_Server(Image->Put_Modbus_Rules(0, Buffer), Buffer);
  EXPECT_EQ(End, 0x804B);
  const QByteArray Golden = Load_Golden_Bytes(TEST_DATA("bank2_opc_ua_example.hex"));
  const QByteArray Actual = To_Bytes(Buffer, End);
  EXPECT_EQ(Actual, Golden) << Diff_Bytes(Golden, Actual).toStdString();
}

TEST(DeviceImageOPCUA, EmptyAreaAddresses) {
  auto Image = New_Image();
  // No enabled variables and no NTP text: no entry at all.
  Image->OPC_UA_Server.Variables.clear();
  Image->Set_OPC_UA_Addresses(OPC_UA_Area_Device_Address);
  EXPECT_EQ(Image->OPC_UA_Server.Add_Num_Var, 0x88010u);
  EXPECT_EQ(Image->OPC_UA_Server.Add_NTP, 0x88010u);
  TBin_Buffer Buffer(Bin_Buffer_Size, 0xEE);
  EXPECT_EQ(Image->Put_OPC_UA_Server(0x8000, Buffer), 0x8011);
  EXPECT_EQ(Buffer[0x8010], 0);
  EXPECT_EQ(Buffer[0x8011], 0xEE);
  // The defaults: one all-zero entry whose name is the shared empty text.
  Image->Default_OPC_UA_Server();
  Image->Set_OPC_UA_Addresses(OPC_UA_Area_Device_Address);
  ASSERT_EQ(Image->OPC_UA_Server.Variables.size(), 1u);
  EXPECT_EQ(Image->OPC_UA_Server.Variables[0].Add_Name, 0x88020u);
  EXPECT_EQ(Image->OPC_UA_Server.Add_NTP, 0x88020u);
}

TEST(DeviceImageOPCUA, AreaBeyondItsRoomIsRefused) {
  auto Image = New_Image();
  TOPC_UA_Server& S = Image->OPC_UA_Server;
  // Header 16, one entry 16, shared NUL 1: the NTP text may take the rest.
  const int Fixed = 16 + 16 + 1;
  S.NTP = QString(OPC_UA_Area_Max_Size - Fixed - 1, QLatin1Char('n'));
  Image->Set_OPC_UA_Addresses(OPC_UA_Area_Device_Address);
  TBin_Buffer Buffer(Bin_Buffer_Size, 0);
  EXPECT_EQ(Image->Put_OPC_UA_Server(Modbus_Rules_Size, Buffer), Bin_Buffer_Size);
  EXPECT_EQ(Buffer[Bin_Buffer_Size - 1], 0);

  S.NTP += QLatin1Char('n');
  try {
    Image->Set_OPC_UA_Addresses(OPC_UA_Area_Device_Address);
    FAIL() << "an area of 98305 bytes was accepted";
  } catch (const EDevice_Image_Error& E) {
    EXPECT_TRUE(E.Message().contains(QLatin1String("98304"))) << E.Message().toStdString();
  }
  EXPECT_THROW(Image->Put_OPC_UA_Server(Modbus_Rules_Size, Buffer), EDevice_Image_Error);

  // Long names overflow just the same.
  S.NTP.clear();
  S.Variables.assign(200, TOPC_UA_Var{});
  for (TOPC_UA_Var& V : S.Variables) V.Name = QString(500, QLatin1Char('v'));
  EXPECT_THROW(Image->Set_OPC_UA_Addresses(OPC_UA_Area_Device_Address), EDevice_Image_Error);
  // A smaller buffer than the area needs is refused too.
  S.Variables.assign(1, TOPC_UA_Var{});
  TBin_Buffer Small(Modbus_Rules_Size + 20, 0);
  EXPECT_THROW(Image->Put_OPC_UA_Server(Modbus_Rules_Size, Small), EDevice_Image_Error);
}

TEST(DeviceImageText, EightBitCharactersWithClosingNul) {
  TBin_Buffer Buffer(8, 0xEE);
  // Each character keeps the low byte of its UTF-16 code unit.
  EXPECT_EQ(Put_Text8(Buffer, 1, QString::fromUtf8("A\xC3\xA9\xE2\x82\xAC")), 5);
  EXPECT_EQ(To_Bytes(Buffer, 8), Hex("EE 41 E9 AC 00 EE EE EE"));
  EXPECT_EQ(Put_Text8(Buffer, 7, QString()), 8);
  EXPECT_EQ(Buffer[7], 0);
  EXPECT_THROW(Put_Text8(Buffer, 7, QStringLiteral("x")), std::out_of_range);
}
