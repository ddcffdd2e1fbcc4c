// Reading the three configuration files into the device image: the values of
// ParGen.xml, the Modbus rules of ModbusM_SetAccess.xml, and the numbers the
// windows accept in every form of the integer conversion.
#include <gtest/gtest.h>

#include "gateway/ConfigurationFixture.h"
#include "gateway/USaveBincc.h"
#include "platform/rtl/XMLDoc.h"

namespace {

QByteArray Hex(const char* Text) { return QByteArray::fromHex(QByteArray(Text).replace(' ', "")); }

class DeviceImageRead : public ConfigurationFixture {
 protected:
  void Build_With_ParGen(const QByteArray& Elements) {
    Write_File(File_XML_ParGen, "<Par_Gen>" + Elements + "</Par_Gen><!--SW_VERSION = 1.003-->");
    FImage->Build_Device_Image(FXML);
  }
  void Build_With_Rows(const QByteArray& Read_Rows, const QByteArray& Write_Rows) {
    Write_File(File_XML_ModbusM_SetAccess, "<EtherNetIP_to_Modbus><Modbus_Read>" + Read_Rows +
                                               "</Modbus_Read><Modbus_Write>" + Write_Rows +
                                               "</Modbus_Write></EtherNetIP_to_Modbus>");
    FImage->Build_Device_Image(FXML);
  }
  QByteArray Par(int Offset, int Size) const {
    return QByteArray(reinterpret_cast<const char*>(&FImage->Par_Block[Offset]), Size);
  }

  TXMLDocument FXML;
  std::unique_ptr<TDevice_Image> FImage = std::make_unique<TDevice_Image>();
};

}  // namespace

TEST_F(DeviceImageRead, ParGenValues) {
  struct Case {
    const char* Elements;
    int Offset;
    const char* Expected;
  };
  const Case Cases[] = {
      // A 40-character name keeps 31 characters and a NUL.
      {"<Eth_Conn_Device_Name>ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd</Eth_Conn_Device_Name>", 0x514,
       "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 51 52 53 54 55 56 57 58 59 5A 30 31 32 33 34 00"},
      {"<Eth_Conn_Device_Name>Caf\xC3\xA9</Eth_Conn_Device_Name>", 0x514, "43 61 66 E9 00"},
      {"<ModbusM_BAUDRATE>3</ModbusM_BAUDRATE>", 0x190, "80 25 00 00"},
      {"<ModbusM_BAUDRATE>12</ModbusM_BAUDRATE>", 0x190, "80 25 00 00"},
      {"<ModbusM_BAUDRATE>-1</ModbusM_BAUDRATE>", 0x190, "80 25 00 00"},
      {"", 0x190, "00 C2 01 00"},
      {"<ModbusM_BAUDRATE>abc</ModbusM_BAUDRATE>", 0x190, "00 C2 01 00"},
      {"<ModbusM_BAUDRATE>0</ModbusM_BAUDRATE>", 0x190, "B0 04 00 00"},
      // Forms the settings window accepts: leading blanks and hexadecimal.
      {"<ModbusM_BAUDRATE> 5</ModbusM_BAUDRATE>", 0x190, "00 96 00 00"},
      {"<ModbusM_BAUDRATE>$6</ModbusM_BAUDRATE>", 0x190, "00 E1 00 00"},
      {"<ModbusM_BAUDRATE>5 </ModbusM_BAUDRATE>", 0x190, "00 C2 01 00"},
      {"<ModbusM_TIMEOUT>0x10</ModbusM_TIMEOUT>", 0x020, "10 00 00 00"},
      {"<ModbusM_TIMEOUT> 12</ModbusM_TIMEOUT>", 0x020, "0C 00 00 00"},
      {"<ModbusM_TIMEOUT>12 </ModbusM_TIMEOUT>", 0x020, "E8 03 00 00"},
      {"<ModbusM_TIMEOUT></ModbusM_TIMEOUT>", 0x020, "E8 03 00 00"},
      {"<ModbusM_CYCLIC>x1F</ModbusM_CYCLIC>", 0x024, "1F 00 00 00"},
      {"<ModbusM_STOPBITS>1</ModbusM_STOPBITS>", 0x1AE, "02"},
      {"<ModbusM_STOPBITS>0</ModbusM_STOPBITS>", 0x1AE, "00"},
      {"<ModbusM_PARITY>1</ModbusM_PARITY>", 0x1A8, "01"},
      {"<ModbusM_SERIAL>0</ModbusM_SERIAL>", 0x061, "01"},
      {"<ModbusM_SERIAL>$0</ModbusM_SERIAL>", 0x061, "01"},
      {"<ModbusM_SERIAL>1</ModbusM_SERIAL>", 0x061, "00"},
      {"", 0x061, "00"},
      {"<Eth_Conn_DHCP_Cable>1</Eth_Conn_DHCP_Cable>", 0x4E8, "01 00"},
      {"<Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi><Eth_Conn_DHCP_Cable>01</Eth_Conn_DHCP_Cable>", 0x4E8,
       "02 00"},
      // The gateway needs its switch at exactly "1".
      {"<OPC_UA_Server_GAT1>10</OPC_UA_Server_GAT1><OPC_UA_Server_GAT4>1</OPC_UA_Server_GAT4>"
       "<OPC_UA_Server_EN_GAT>0</OPC_UA_Server_EN_GAT>",
       0x030, "FF FF FF FF"},
      {"<OPC_UA_Server_GAT1>10</OPC_UA_Server_GAT1><OPC_UA_Server_GAT2>0</OPC_UA_Server_GAT2>"
       "<OPC_UA_Server_GAT3>0</OPC_UA_Server_GAT3><OPC_UA_Server_GAT4>1</OPC_UA_Server_GAT4>"
       "<OPC_UA_Server_EN_GAT>1</OPC_UA_Server_EN_GAT>",
       0x030, "0A 00 00 01"},
      {"<OPC_UA_Server_EN_GAT>1</OPC_UA_Server_EN_GAT>", 0x030, "C0 A8 00 01"},
      {"<OPC_UA_Server_GAT1>10</OPC_UA_Server_GAT1><OPC_UA_Server_EN_GAT> 1</OPC_UA_Server_EN_GAT>", 0x030,
       "FF FF FF FF"},
      // DNS addresses only with DNS enabled.
      {"<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>"
       "<Eth_Conn_Secondary_DNS1>9</Eth_Conn_Secondary_DNS1>",
       0x53C, "00 00 00 00"},
      {"<Eth_Conn_Enable_DNS>0</Eth_Conn_Enable_DNS><Eth_Conn_Primary_DNS1>1</Eth_Conn_Primary_DNS1>", 0x58C,
       "00 00 00 00"},
      {"<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 0x58C, "08 08 08 08"},
      {"<Eth_Conn_Enable_DNS>1</Eth_Conn_Enable_DNS>", 0x53C, "08 08 04 04"},
      // A one-byte field keeps the low 8 bits.
      {"<OPC_UA_Server_IP1>300</OPC_UA_Server_IP1>", 0x028, "2C A8 00 0A"},
      {"<OPC_UA_Server_SM4>$80</OPC_UA_Server_SM4>", 0x02C, "FF FF FF 80"},
      {"", 0x66C, "31 2E 30 30 33 00 00 00"},
  };
  for (const Case& c : Cases) {
    Build_With_ParGen(c.Elements);
    const QByteArray Expected = Hex(c.Expected);
    EXPECT_EQ(Par(c.Offset, Expected.size()).toHex(' '), Expected.toHex(' ')) << c.Elements;
  }
}

TEST_F(DeviceImageRead, ParGenOpcUaValues) {
  Build_With_ParGen("<OPC_UA_Server_Port>$1000</OPC_UA_Server_Port><NTP_Server_URL> ntp </NTP_Server_URL>"
                    "<NTP_Poll_Time>abc</NTP_Poll_Time>");
  EXPECT_EQ(FImage->OPC_UA_Server.Port, 0x1000);
  EXPECT_EQ(FImage->OPC_UA_Server.NTP, QStringLiteral(" ntp "));
  EXPECT_EQ(FImage->OPC_UA_Server.NTP_Time, 1000u);
}

TEST_F(DeviceImageRead, ParGenStartingWithACommentGivesDefaults) {
  // The first node is taken as the root, so no element is found.
  Write_File(File_XML_ParGen, "<!--x--><Par_Gen><OPC_UA_Server_IP1>10</OPC_UA_Server_IP1></Par_Gen>");
  FImage->Build_Device_Image(FXML);
  EXPECT_EQ(Par(0x028, 4), Hex("C0 A8 00 0A"));
  EXPECT_EQ(Par(0x66C, 5), QByteArray("1.003"));
}

TEST_F(DeviceImageRead, DeviceNameRaisesChecksumByOne) {
  Build_With_ParGen("<Eth_Conn_Device_Name>A</Eth_Conn_Device_Name>");
  const uint32_t Sum_A = FImage->Par_U32(Par_Ofs::Checksum);
  Build_With_ParGen("<Eth_Conn_Device_Name>B</Eth_Conn_Device_Name>");
  EXPECT_EQ(FImage->Par_U32(Par_Ofs::Checksum), Sum_A + 1);
}

TEST_F(DeviceImageRead, ModbusRuleFields) {
  struct Case {
    bool Write;
    const char* Attributes;
    // Expected fields.
    uint8_t Slave_ID, Function_Code;
    uint16_t Address, NPoint;
    uint8_t Byte_Count, Flags, Conversion, Operation;
    uint16_t Position, Bit, Index_Topic;
    uint32_t Poll_Time;
  };
  const Case Cases[] = {
      {false, R"(Slave_ID="1" Type="Holding Register" Address="100" NPoint="10" PollTime="1000" MaxError="0" Position="4" Bit="")",
       1, 3, 100, 10, 20, 0, 0, 0, 4, 0, 0, 1000},
      {false, R"(Slave_ID="2" Type="coil status" Address="0" NPoint="10" PollTime="1" MaxError="0" Position="0" Bit="5")",
       2, 1, 0, 10, 2, 0, 0, 0, 0, 5, 0, 1},
      {false, R"(Slave_ID="3" Type="Input Status" Address="7" NPoint="2000" PollTime="1" MaxError="0")",
       3, 2, 7, 2000, 250, 0, 0, 0, 0, 0, 0, 1},
      {false, R"(Slave_ID="4" Type="Input Register" Address="7" NPoint="3" PollTime="1" MaxError="0" Position="abc" Index_Topic="")",
       4, 4, 7, 3, 6, 0, 0, 0, 0, 0, 0, 1},
      {false, R"(Slave_ID="5" Type="Bogus" Address="7" NPoint="3" PollTime="1" MaxError="0" Index_Topic="7")",
       5, 0, 7, 3, 6, 0, 0, 0, 0, 0, 7, 1},
      {false, R"(Slave_ID="1" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0" Swap="y" SwapWord="Y")",
       1, 1, 0, 1, 1, 0x0C, 0, 0, 0, 0, 0, 1},
      // Value conversion.
      {false, R"(Slave_ID="1" Type="Holding Register" Address="0" NPoint="2" PollTime="1" MaxError="0" Float_Conv="Y" Operation="x 100" Endian="little" Signed="Y")",
       1, 3, 0, 2, 4, 0, 7, 6, 0, 0, 0, 1},
      {false, R"(Slave_ID="1" Type="Holding Register" Address="0" NPoint="2" PollTime="1" MaxError="0" Float_Conv="y" Operation=": 0.08")",
       1, 3, 0, 2, 4, 0, 0, 11, 0, 0, 0, 1},
      {false, R"(Slave_ID="1" Type="Holding Register" Address="0" NPoint="2" PollTime="1" MaxError="0" Float_Conv="Y" Endian="BIG" Signed="Y")",
       1, 3, 0, 2, 4, 0, 6, 0, 0, 0, 0, 1},
      {false, R"(Slave_ID="1" Type="Holding Register" Address="0" NPoint="2" PollTime="1" MaxError="0" Float_Conv="N" Operation="X 10" Endian="LITTLE")",
       1, 3, 0, 2, 4, 0, 0, 0, 0, 0, 0, 1},
      // Numbers in every form the table window accepts.
      {false, R"(Slave_ID="$0A" Type="Holding Register" Address="0x100" NPoint=" 2" PollTime="x10" MaxError="0" Position=" 9")",
       10, 3, 256, 2, 4, 0, 0, 0, 9, 0, 0, 16},
      {false, R"(Slave_ID="1" Type="Holding Register" Address="0" NPoint="1" PollTime="-1" MaxError="0")",
       1, 3, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0xFFFFFFFF},
      // Write rules.
      {true, R"(Slave_ID="1" Type="Coil Status" Address="3" NPoint="1" PollTime="0" OnChange="N" MaxError="0" Position="2" Bit="6")",
       1, 5, 3, 1, 0, 0, 0, 0, 2, 6, 0, 0},
      {true, R"(Slave_ID="1" Type="Coil Status" Address="3" NPoint="8" PollTime="0" OnChange="N" MaxError="0" Position="2" Bit="0")",
       1, 15, 3, 8, 0, 0, 0, 0, 2, 0, 0, 0},
      {true, R"(Slave_ID="1" Type="Holding Register" Address="3" NPoint="1" PollTime="0" OnChange="N" MaxError="0" Position="2" Bit="")",
       1, 6, 3, 1, 0, 0, 0, 0, 2, 0, 0, 0},
      {true, R"(Slave_ID="1" Type="Holding Register" Address="3" NPoint="4" PollTime="0" OnChange="N" MaxError="0" Position="2" Bit=" ")",
       1, 16, 3, 4, 0, 0, 0, 0, 2, 0, 0, 0},
      {true, R"(Slave_ID="1" Type="Holding Register" Address="3" NPoint="4" PollTime="0" OnChange="Y" OnCMD="Y" Swap="Y" MaxError="0" Position="2" Bit="")",
       1, 16, 3, 4, 0, 0x15, 0, 0, 2, 0, 0, 0},
      {true, R"(Slave_ID="1" Type="Holding Register" Address="3" NPoint="4" PollTime="0" OnChange="y" SwapWord="Y" MaxError="0" Position="$10" Bit="" Index_Topic="2")",
       1, 16, 3, 4, 0, 0x09, 0, 0, 16, 0, 2, 0},
      {true, R"(Slave_ID="1" Type="Input Register" Address="3" NPoint="4" PollTime="0" OnChange="N" MaxError="0" Position="2" Bit="")",
       1, 0, 3, 4, 0, 0, 0, 0, 2, 0, 0, 0},
  };
  for (const Case& c : Cases) {
    const QByteArray Row = QByteArray("<row Enable=\"Y\" ") + c.Attributes + "/>";
    Build_With_Rows(c.Write ? QByteArray() : Row, c.Write ? Row : QByteArray());
    ASSERT_EQ(FImage->Par_U32(Par_Ofs::Modbus_Rule_Count), 1u) << c.Attributes;
    const TModbus_Rule& R = FImage->Modbus_Rule[0];
    SCOPED_TRACE(c.Attributes);
    EXPECT_EQ(R.Slave_ID, c.Slave_ID);
    EXPECT_EQ(R.Function_Code, c.Function_Code);
    EXPECT_EQ(R.Address, c.Address);
    EXPECT_EQ(R.NPoint, c.NPoint);
    EXPECT_EQ(R.Byte_Count, c.Byte_Count);
    EXPECT_EQ(R.Flags, c.Flags);
    EXPECT_EQ(R.Conversion, c.Conversion);
    EXPECT_EQ(R.Operation, c.Operation);
    EXPECT_EQ(R.Position, c.Position);
    EXPECT_EQ(R.Bit, c.Bit);
    EXPECT_EQ(R.Index_Topic, c.Index_Topic);
    EXPECT_EQ(R.Poll_Time, c.Poll_Time);
  }
}

TEST_F(DeviceImageRead, ModbusReadRulesComeFirstAndEnableMustBeExactlyY) {
  // The write section stands first in the file; the read rules still lead.
  Write_File(File_XML_ModbusM_SetAccess,
             R"(<EtherNetIP_to_Modbus><Modbus_Write>)"
             R"(<row Enable="Y" Slave_ID="30" Type="Coil Status" Address="0" NPoint="1" PollTime="0" OnChange="N" MaxError="0" Position="0" Bit="0"/>)"
             R"(</Modbus_Write><Modbus_Read>)"
             R"(<row Enable="y" Slave_ID="11" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)"
             R"(<row Enable="Y" Slave_ID="12" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)"
             R"(<!-- a remark -->)"
             R"(<row Enable=" Y" Slave_ID="13" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)"
             R"(<row Slave_ID="14" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)"
             R"(<row Enable="Y" Slave_ID="15" Type="Coil Status" Address="0" NPoint="1" PollTime="1" MaxError="0"/>)"
             R"(</Modbus_Read></EtherNetIP_to_Modbus>)");
  FImage->Build_Device_Image(FXML);
  EXPECT_EQ(FImage->Par_U32(Par_Ofs::Modbus_Rule_Count), 3u);
  EXPECT_EQ(FImage->Modbus_Rule[0].Slave_ID, 12);
  EXPECT_EQ(FImage->Modbus_Rule[1].Slave_ID, 15);
  EXPECT_EQ(FImage->Modbus_Rule[2].Slave_ID, 30);
  EXPECT_EQ(FImage->Modbus_Rule[2].Function_Code, 5);
  EXPECT_EQ(FImage->Modbus_Rule[3].Slave_ID, 0);
}

TEST_F(DeviceImageRead, OpcUaVariableDefaults) {
  Write_File(File_XML_OPC_UA_Server,
             R"(<!--first--><OPC_UA_Server><OPC_UA_Server_Variables>)"
             R"(<row Enable="Y"/>)"
             R"(<row Enable="Y" Type="UInt16" Position="$20" StartBit="x" Length="abc" ReadWrite="read/write" SwapAll="y"/>)"
             R"(<row Enable="y" Type="Float" Name="off"/>)"
             R"(</OPC_UA_Server_Variables></OPC_UA_Server>)");
  FImage->Build_Device_Image(FXML);
  const TOPC_UA_Server& S = FImage->OPC_UA_Server;
  ASSERT_EQ(S.Num_Var, 2);
  ASSERT_EQ(S.Variables.size(), 2u);
  const TOPC_UA_Var& A = S.Variables[0];
  EXPECT_EQ(A.VarType, 0u);
  EXPECT_EQ(A.Position, 0);
  EXPECT_EQ(A.Length, 0);  // missing
  EXPECT_EQ(A.Options, 0);
  EXPECT_EQ(A.Add_Name, 0x88030u);
  const TOPC_UA_Var& B = S.Variables[1];
  EXPECT_EQ(B.VarType, 4u);
  EXPECT_EQ(B.Position, 0x20);
  EXPECT_EQ(B.BitStart, 0);
  EXPECT_EQ(B.Length, 1);  // not a number
  EXPECT_EQ(B.Options, OPC_UA_Opt_Swap_All);
  EXPECT_EQ(FImage->Bank2_Length, 0x8000u + 16 + 32 + 1);
}
