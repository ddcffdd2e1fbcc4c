#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

namespace {

struct PathCase {
  const QString* path;
  const char* file;
};

// Runs a test with Dir_Exe in a fresh temporary folder and clean state.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    Dir_Exe = dir.path();
    Scramble();
  }
  void TearDown() override {
    Dir_Exe.clear();
    Name_Project.clear();
    Dir_Project.clear();
  }
  // Values that no reader would produce, to see that every one is set.
  static void Scramble() {
    Name_Project = QStringLiteral("stale");
    Dir_Project = QStringLiteral("/stale");
    Last_IP_Address = QStringLiteral("0.0.0.0");
    Name_Language = QStringLiteral("stale");
    Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = true;
  }
  void Write(const QByteArray& bytes) {
    QFile f(dir.filePath(QStringLiteral("Varnelto.xml")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray Written() {
    QFile f(dir.filePath(QStringLiteral("Varnelto.xml")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }
  void ExpectDefaults() {
    EXPECT_EQ(Name_Project, "");
    EXPECT_EQ(Dir_Project, "");
    EXPECT_EQ(Last_IP_Address, "192.168.2.205");
    EXPECT_EQ(Name_Language, "English");
    EXPECT_FALSE(Opt_Enable_Internet);
    EXPECT_FALSE(Opt_Enable_Update);
    EXPECT_FALSE(Opt_Jump_Field_Tables);
    EXPECT_FALSE(Opt_Double_Click_Auto_Size);
  }
  QTemporaryDir dir;
  TXMLDocument xml;
};

const char kAll[] =
    "<Conf_Settings><lastproj><projectname>Plant A 2</projectname></lastproj>"
    "<lastipadd><ipaddress>10.1.2.3</ipaddress></lastipadd>"
    "<lastlang><language>Italiano</language></lastlang>"
    "<lastinternet><enable_internet>1</enable_internet><enable_update>0</enable_update>"
    "<enable_jump_field_tables>1</enable_jump_field_tables>"
    "<Double_Click_Auto_Size>0</Double_Click_Auto_Size></lastinternet></Conf_Settings>";

}  // namespace

TEST(ProgramState, SetFilesPutsEveryWindowFileInTheConfigurationFolder) {
  Dir_Projects = QStringLiteral("/opt/zidi/PROJECTS");
  Name_Project = QStringLiteral("Plant A 2");
  Dir_Project = Dir_Projects + QLatin1Char('/') + Name_Project;
  Set_Files();
  const PathCase cases[] = {
      {&File_XML_ParGen, "ParGen.xml"},
      {&File_XML_OPC_UA_Server, "OPC_UA_Server.xml"},
      {&File_XML_ModbusM_SetAccess, "ModbusM_SetAccess.xml"},
      {&File_XML_BACnet_Slave, "BACnet_Slave.xml"},
      {&File_XML_CAN_Rec_Frames, "CAN_Rec_Frames.xml"},
      {&File_XML_CAN_Send_Frames, "CAN_Send_Frames.xml"},
      {&File_XML_BACnet_Master_Access, "BACnet_Master_Access.xml"},
      {&File_XML_ModbusTCPM_SetAccess, "ModbusTCPM_SetAccess.xml"},
      {&File_XML_SDO_Server_CANopen, "SDO_Server_CANopen.xml"},
      {&File_XML_SDO_Client_CANopen, "SDO_Client_CANopen.xml"},
      {&File_XML_PDO_CANopen, "PDO_CANopen.xml"},
      {&File_XML_MQTT_Set_Topic, "MQTT_Set_Topic.xml"},
      {&File_XML_DNETM_Net, "DNETM_Net.xml"},
      {&File_XML_DNETM_DefOff, "DNETM_DefOff.xml"},
      {&File_XML_DMX_Default_Values, "DMX_Default_Values.xml"},
      {&File_XML_J1939_Rec_Frames, "J1939_Rec_Frames.xml"},
      {&File_XML_J1939_Send_Frames, "J1939_Send_Frames.xml"},
      {&File_XML_KNX_SetAccess, "KNX_SetAccess.xml"},
      {&File_XML_NMEA_Rec_Frames, "NMEA_Rec_Frames.xml"},
      {&File_XML_NMEA_Send_Frames, "NMEA_Send_Frames.xml"},
      {&File_XML_SNMP_Manager, "SNMP_Manager.xml"},
      {&File_XML_SNMP_Trap, "SNMP_Trap.xml"},
      {&File_XML_EtherNetIP_Master_Rules, "EtherNetIP_Master_Rules.xml"},
  };
  ASSERT_EQ(std::size(cases), 23u);
  for (const PathCase& c : cases)
    EXPECT_EQ(*c.path, QStringLiteral("/opt/zidi/PROJECTS/Plant A 2/") + QLatin1String(c.file));
  Name_Project.clear();
  Dir_Project.clear();
}

TEST(ProgramState, StartValuesOfTheUpdateWindowState) {
  EXPECT_EQ(Last_Update_Option, 0);
  EXPECT_TRUE(Last_Read_Back);
  EXPECT_EQ(Program_Version, QStringLiteral("1.003"));
  EXPECT_TRUE(SW_Title_Text.endsWith(QLatin1Char(' ')));
}

TEST_F(SettingsFile, SaveWritesExactlyTheSettingsTreeAndReadsItBack) {
  Name_Project = QStringLiteral("Plant A 2");
  Last_IP_Address = QStringLiteral("10.1.2.3");
  Name_Language = QStringLiteral("Italiano");
  Opt_Enable_Internet = true;
  Opt_Enable_Update = false;
  Opt_Jump_Field_Tables = true;
  Opt_Double_Click_Auto_Size = false;
  Save_Setting(&xml);
  EXPECT_EQ(Written(), QByteArray(kAll));

  // Every combination of the options survives the round trip.
  for (int bits = 0; bits < 16; ++bits) {
    SCOPED_TRACE(bits);
    Name_Project = QStringLiteral(" lead and trail ");
    Last_IP_Address = QStringLiteral("192.168.0.7");
    Name_Language = QStringLiteral("Deutsch");
    Opt_Enable_Internet = bits & 1;
    Opt_Enable_Update = bits & 2;
    Opt_Jump_Field_Tables = bits & 4;
    Opt_Double_Click_Auto_Size = bits & 8;
    TXMLDocument writer;
    Save_Setting(&writer);
    Scramble();
    TXMLDocument reader;
    Read_Setting(&reader);
    EXPECT_EQ(Name_Project, " lead and trail ");
    EXPECT_EQ(Last_IP_Address, "192.168.0.7");
    EXPECT_EQ(Name_Language, "Deutsch");
    EXPECT_EQ(Opt_Enable_Internet, bool(bits & 1));
    EXPECT_EQ(Opt_Enable_Update, bool(bits & 2));
    EXPECT_EQ(Opt_Jump_Field_Tables, bool(bits & 4));
    EXPECT_EQ(Opt_Double_Click_Auto_Size, bool(bits & 8));
  }
}

TEST_F(SettingsFile, EmptyConfigurationNameIsWrittenAndReadAsEmpty) {
  Name_Project.clear();
  Save_Setting(&xml);
  EXPECT_TRUE(Written().startsWith("<Conf_Settings><lastproj><projectname/></lastproj>"));
  Scramble();
  Read_Setting(&xml);
  EXPECT_EQ(Name_Project, "");
}

TEST_F(SettingsFile, MissingMalformedOrMisplacedRootGivesAllDefaults) {
  const std::pair<const char*, QByteArray> cases[] = {
      {"declaration first", QByteArray("<?xml version=\"1.0\"?>") + kAll},
      {"comment first", QByteArray("<!-- saved -->") + kAll},
      {"not well-formed", "<Conf_Settings><lastproj><projectname>x</lastproj>"},
      {"not XML at all", "projectname=x"},
      {"empty file", ""},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    Write(bytes);
    Scramble();
    Read_Setting(&xml);
    ExpectDefaults();
  }
  QFile::remove(dir.filePath(QStringLiteral("Varnelto.xml")));
  Scramble();
  Read_Setting(&xml);
  ExpectDefaults();
}

TEST_F(SettingsFile, MissingValuesTakeTheirOwnDefaults) {
  Write("<Anything><lastlang><language>Italiano</language></lastlang></Anything>");
  Read_Setting(&xml);
  EXPECT_EQ(Name_Language, "Italiano");
  EXPECT_EQ(Name_Project, "");
  EXPECT_EQ(Last_IP_Address, "192.168.2.205");
  EXPECT_FALSE(Opt_Enable_Internet);

  Write("<Conf_Settings><lastinternet><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
        "</lastinternet><lastproj><projectname><b>x</b></projectname></lastproj></Conf_Settings>");
  Scramble();
  Read_Setting(&xml);
  EXPECT_TRUE(Opt_Double_Click_Auto_Size);
  EXPECT_FALSE(Opt_Enable_Internet);
  EXPECT_FALSE(Opt_Enable_Update);
  EXPECT_FALSE(Opt_Jump_Field_Tables);
  EXPECT_EQ(Name_Project, "");  // an element where text belongs reads as missing
  EXPECT_EQ(Name_Language, "English");
}

TEST_F(SettingsFile, AnOptionIsOnOnlyForTheTextOne) {
  const std::pair<const char*, bool> cases[] = {
      {"1", true}, {"0", false}, {" 1", false}, {"1 ", false}, {"01", false},
      {"2", false}, {"true", false}, {"", false}};
  for (const auto& [text, on] : cases) {
    SCOPED_TRACE(text);
    Write(QByteArray("<Conf_Settings><lastinternet><enable_internet>") + text +
          "</enable_internet><enable_update>1</enable_update></lastinternet></Conf_Settings>");
    Read_Setting(&xml);
    EXPECT_EQ(Opt_Enable_Internet, on);
    EXPECT_TRUE(Opt_Enable_Update);
  }
}

TEST_F(SettingsFile, SaveAfterAMalformedFileReplacesIt) {
  Write("<Conf_Settings><broken>");
  Read_Setting(&xml);
  Name_Language = QStringLiteral("Deutsch");
  Save_Setting(&xml);
  Scramble();
  Read_Setting(&xml);
  EXPECT_EQ(Name_Language, "Deutsch");
}

TEST_F(SettingsFile, UnwritableFolderRaisesAndKeepsTheState) {
  Dir_Exe = dir.filePath(QStringLiteral("missing/folder"));
  Name_Language = QStringLiteral("Deutsch");
  EXPECT_THROW(Save_Setting(&xml), Exception);
  EXPECT_EQ(Name_Language, "Deutsch");
}
