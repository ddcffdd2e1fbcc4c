#include "shell/UComon.h"

#include "platform/rtl/Classes.h"
#include "platform/os/LocalSystem.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/XMLDoc.h"

const QString Program_Version = QStringLiteral("1.003");

QString Dir_Exe;
QString Dir_Master;
QString Dir_Projects;
QString Dir_Language;

QString Name_Project;
QString Dir_Project;

QString File_XML_ParGen;
QString File_XML_OPC_UA_Server;
QString File_XML_ModbusM_SetAccess;
QString File_XML_BACnet_Slave;
QString File_XML_CAN_Rec_Frames;
QString File_XML_CAN_Send_Frames;
QString File_XML_BACnet_Master_Access;
QString File_XML_ModbusTCPM_SetAccess;
QString File_XML_SDO_Server_CANopen;
QString File_XML_SDO_Client_CANopen;
QString File_XML_PDO_CANopen;
QString File_XML_MQTT_Set_Topic;
QString File_XML_DNETM_Net;
QString File_XML_DNETM_DefOff;
QString File_XML_DMX_Default_Values;
QString File_XML_J1939_Rec_Frames;
QString File_XML_J1939_Send_Frames;
QString File_XML_KNX_SetAccess;
QString File_XML_NMEA_Rec_Frames;
QString File_XML_NMEA_Send_Frames;
QString File_XML_SNMP_Manager;
QString File_XML_SNMP_Trap;
QString File_XML_EtherNetIP_Master_Rules;

QString SW_Title;
QString SW_Code;
QString SW_Desc;

const QString SW_Title_Text =
    QStringLiteral("Tarvix - Configurator ZIDI - OPC UA Server / Modbus Master ");
const QString SW_Code_Text = QStringLiteral("ZIDI");
const QString SW_Desc_Text = QStringLiteral("OPC UA Server / Modbus Master - Converter");

QString Last_IP_Address;
int Last_Update_Option = 0;
bool Last_Read_Back = true;
const QString Default_IP_Address = QStringLiteral("192.168.2.205");

QString Name_Language;

bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

std::unique_ptr<TStringList> SL_Copy_Row;
std::vector<bool> Copy_Row_Is_Check;
std::unique_ptr<TStringList> SL_MIB_Read;
std::unique_ptr<TStringList> SL_MIB_Write;

QString Dir_EDE_File;

void Set_Files() {
  const QString base = Dir_Project + QLatin1Char('/');
  File_XML_ParGen = base + QLatin1String("ParGen.xml");
  File_XML_OPC_UA_Server = base + QLatin1String("OPC_UA_Server.xml");
  File_XML_ModbusM_SetAccess = base + QLatin1String("ModbusM_SetAccess.xml");
  File_XML_BACnet_Slave = base + QLatin1String("BACnet_Slave.xml");
  File_XML_CAN_Rec_Frames = base + QLatin1String("CAN_Rec_Frames.xml");
  File_XML_CAN_Send_Frames = base + QLatin1String("CAN_Send_Frames.xml");
  File_XML_BACnet_Master_Access = base + QLatin1String("BACnet_Master_Access.xml");
  File_XML_ModbusTCPM_SetAccess = base + QLatin1String("ModbusTCPM_SetAccess.xml");
  File_XML_SDO_Server_CANopen = base + QLatin1String("SDO_Server_CANopen.xml");
  File_XML_SDO_Client_CANopen = base + QLatin1String("SDO_Client_CANopen.xml");
  File_XML_PDO_CANopen = base + QLatin1String("PDO_CANopen.xml");
  File_XML_MQTT_Set_Topic = base + QLatin1String("MQTT_Set_Topic.xml");
  File_XML_DNETM_Net = base + QLatin1String("DNETM_Net.xml");
  File_XML_DNETM_DefOff = base + QLatin1String("DNETM_DefOff.xml");
  File_XML_DMX_Default_Values = base + QLatin1String("DMX_Default_Values.xml");
  File_XML_J1939_Rec_Frames = base + QLatin1String("J1939_Rec_Frames.xml");
  File_XML_J1939_Send_Frames = base + QLatin1String("J1939_Send_Frames.xml");
  File_XML_KNX_SetAccess = base + QLatin1String("KNX_SetAccess.xml");
  File_XML_NMEA_Rec_Frames = base + QLatin1String("NMEA_Rec_Frames.xml");
  File_XML_NMEA_Send_Frames = base + QLatin1String("NMEA_Send_Frames.xml");
  File_XML_SNMP_Manager = base + QLatin1String("SNMP_Manager.xml");
  File_XML_SNMP_Trap = base + QLatin1String("SNMP_Trap.xml");
  File_XML_EtherNetIP_Master_Rules = base + QLatin1String("EtherNetIP_Master_Rules.xml");
}

// ---------------------------------------------------------------------------
// Settings file

namespace {

const QString kSettingsFile = QStringLiteral("/Varnelto.xml");

void Default_Settings() {
  Name_Project.clear();
  Dir_Project.clear();
  Last_IP_Address = Default_IP_Address;
  Name_Language = QStringLiteral("English");
  Opt_Enable_Internet = false;
  Opt_Enable_Update = false;
  Opt_Jump_Field_Tables = false;
  Opt_Double_Click_Auto_Size = false;
}

// The first element named Name among Node's children, or nullptr.
IXMLNode First_Element(const IXMLNode& Node, const QString& Name) {
  if (!Node) return nullptr;
  for (const IXMLNode& child : Node->ChildNodes())
    if (child->NodeType() == ntElement && child->NodeName() == Name) return child;
  return nullptr;
}

// The text of Root/Group/Name; Default when any step fails.
QString Read_Value(const IXMLNode& Root, const char* Group, const char* Name,
                   const QString& Default) {
  try {
    IXMLNode value = First_Element(First_Element(Root, QLatin1String(Group)), QLatin1String(Name));
    return value ? value->Text() : Default;
  } catch (const Exception&) {
    return Default;
  }
}

bool Read_Option(const IXMLNode& Root, const char* Name) {
  return Read_Value(Root, "lastinternet", Name, QString()) == QLatin1String("1");
}

}  // namespace

void Read_Setting(TXMLDocument* XML1) {
  Default_Settings();
  const QString path = Dir_Exe + kSettingsFile;
  if (!FileExists(path)) return;
  // A file that cannot be read or is not well-formed XML counts as missing:
  // every value keeps its default and the program starts normally.
  try {
    XML1->LoadFromFile(path);
  } catch (const Exception&) {
    return;
  }
  IXMLNode root;
  try {
    IXMLNodeList nodes = XML1->ChildNodes();
    if (nodes.Count() > 0) root = nodes[0];
  } catch (const Exception&) {
    return;
  }
  Name_Project = Read_Value(root, "lastproj", "projectname", QString());
  Last_IP_Address = Read_Value(root, "lastipadd", "ipaddress", Default_IP_Address);
  Name_Language = Read_Value(root, "lastlang", "language", QStringLiteral("English"));
  Opt_Enable_Internet = Read_Option(root, "enable_internet");
  Opt_Enable_Update = Read_Option(root, "enable_update");
  Opt_Jump_Field_Tables = Read_Option(root, "enable_jump_field_tables");
  Opt_Double_Click_Auto_Size = Read_Option(root, "Double_Click_Auto_Size");
}

void Save_Setting(TXMLDocument* XML1) {
  // Start from an empty document; a document left inactive by a failed load
  // must not reload that file here.
  if (!XML1->Active()) {
    XML1->SetFileName(QString());
    XML1->SetActive(true);
  }
  XML1->ChildNodes().Clear();
  IXMLNode root = XML1->AddChild(QStringLiteral("Conf_Settings"));
  auto add = [](const IXMLNode& parent, const char* name, const QString& text) {
    parent->AddChild(QLatin1String(name))->SetText(text);
  };
  auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
  add(root->AddChild(QStringLiteral("lastproj")), "projectname", Name_Project);
  add(root->AddChild(QStringLiteral("lastipadd")), "ipaddress", Last_IP_Address);
  add(root->AddChild(QStringLiteral("lastlang")), "language", Name_Language);
  IXMLNode options = root->AddChild(QStringLiteral("lastinternet"));
  add(options, "enable_internet", flag(Opt_Enable_Internet));
  add(options, "enable_update", flag(Opt_Enable_Update));
  add(options, "enable_jump_field_tables", flag(Opt_Jump_Field_Tables));
  add(options, "Double_Click_Auto_Size", flag(Opt_Double_Click_Auto_Size));
  XML1->SaveToFile(Dir_Exe + kSettingsFile);
}

// ---------------------------------------------------------------------------
// Field validators

namespace {

bool In_Range(int Value, int Low, int High) { return Value >= Low && Value <= High; }

// Splits S at its first Sep into the trimmed parts before and after it;
// false (parts untouched) when S holds no Sep.
bool Split_At(const QString& S, QChar Sep, QString& Before, QString& After) {
  const int p = S.indexOf(Sep);
  if (p < 0) return false;
  Before = Trim(S.left(p));
  After = Trim(S.mid(p + 1));
  return true;
}

}  // namespace

bool Split_IP_Address(const QString& Text, QString& IP1, QString& IP2, QString& IP3,
                      QString& IP4) {
  const QChar dot = QLatin1Char('.');
  QString rest;
  if (!Split_At(Trim(Text), dot, IP1, rest)) return false;
  if (!rest.contains(dot)) return false;
  Split_At(rest, dot, IP2, rest);
  if (!rest.contains(dot)) return false;
  Split_At(rest, dot, IP3, IP4);
  return In_Range(StrToIntDef(IP1, 1000), 0, 255) && In_Range(StrToIntDef(IP2, 1000), 0, 255) &&
         In_Range(StrToIntDef(IP3, 1000), 0, 255) && In_Range(StrToIntDef(IP4, 1000), 0, 255);
}

bool Conv_IP_To_Bytes(const QString& Text, Byte& B1, Byte& B2, Byte& B3, Byte& B4) {
  if (Text.isEmpty()) return true;
  Byte* bytes[4] = {&B1, &B2, &B3, &B4};
  bool error = false;
  QString rest = Text;
  for (int i = 0; i < 4; ++i) {
    // Parts are not trimmed; a missing part converts as an empty text.
    const int p = rest.indexOf(QLatin1Char('.'));
    const QString part = i == 3 ? rest : (p >= 0 ? rest.left(p) : QString());
    const int value = StrToIntDef(part, -1);
    if (In_Range(value, 0, 255)) {
      *bytes[i] = static_cast<Byte>(value);
    } else {
      *bytes[i] = 0;
      error = true;
    }
    if (p >= 0) rest = rest.mid(p + 1);
  }
  return error;
}

bool Conv_IP_Port(const QString& Text, Byte& B1, Byte& B2, Byte& B3, Byte& B4, Word& Port) {
  B1 = B2 = B3 = B4 = 0;
  Port = 0;
  const QChar dot = QLatin1Char('.');
  QString p1, p2, p3, p4, port, rest;
  if (!Split_At(Text, dot, p1, rest)) return false;
  const int v1 = StrToIntDef(p1, -1);
  if (!In_Range(v1, 0, 255) || !Split_At(rest, dot, p2, rest)) return false;
  const int v2 = StrToIntDef(p2, -1);
  if (!In_Range(v2, 0, 255) || !Split_At(rest, dot, p3, rest)) return false;
  const int v3 = StrToIntDef(p3, -1);
  if (!In_Range(v3, 0, 255) || !Split_At(rest, QLatin1Char(':'), p4, port)) return false;
  const int v4 = StrToIntDef(p4, -1);
  const int vp = StrToIntDef(port, -1);
  if (!In_Range(v4, 0, 255) || !In_Range(vp, 0, 65535)) return false;
  B1 = static_cast<Byte>(v1);
  B2 = static_cast<Byte>(v2);
  B3 = static_cast<Byte>(v3);
  B4 = static_cast<Byte>(v4);
  Port = static_cast<Word>(vp);
  return true;
}

int Check_KNX_Address(const QString& Text, bool Group, bool AllowAllZero) {
  const QChar dot = QLatin1Char('.');
  const QChar slash = QLatin1Char('/');
  QString first, rest, second, third;
  if (!Group) {
    if (Text.contains(slash)) return 1;
    if (!Text.contains(dot)) return In_Range(StrToIntDef(Text, -1), 1, 65535) ? 0 : 1;
    Split_At(Text, dot, first, rest);
    // "area.line" without the device part is no individual address.
    if (!Split_At(rest, dot, second, third)) return 1;
    if (third.contains(dot)) return 1;
    const int area = StrToIntDef(first, -1);
    const int line = StrToIntDef(second, -1);
    const int device = StrToIntDef(third, -1);
    if (!In_Range(area, 0, 15) || !In_Range(line, 0, 15) || !In_Range(device, 0, 255)) return 1;
    if (!AllowAllZero && area == 0 && line == 0 && device == 0) return 1;
    return 0;
  }
  if (Text.contains(dot)) return 1;
  if (!Text.contains(slash)) return In_Range(StrToIntDef(Text, -1), 1, 65535) ? 0 : 1;
  Split_At(Text, slash, first, rest);
  const int main = StrToIntDef(first, -1);
  if (!rest.contains(slash)) {
    const int sub = StrToIntDef(rest, -1);
    return In_Range(main, 0, 31) && In_Range(sub, 0, 2047) && (main != 0 || sub != 0) ? 0 : 1;
  }
  Split_At(rest, slash, second, third);
  if (third.contains(slash)) return 1;
  const int middle = StrToIntDef(second, -1);
  const int sub = StrToIntDef(third, -1);
  return In_Range(main, 0, 31) && In_Range(middle, 0, 7) && In_Range(sub, 0, 255) &&
                 (main != 0 || middle != 0 || sub != 0)
             ? 0
             : 1;
}

bool Is_Group_Address(const QString& Text) { return !Text.contains(QLatin1Char('.')); }

int Check_OID(const QString& Text) {
  if (Text.size() > 128) return 1;
  for (const QChar c : Text)
    if (c != QLatin1Char('.') && (c < QLatin1Char('0') || c > QLatin1Char('9'))) return 2;
  if (Text.startsWith(QLatin1Char('.'))) return 3;
  if (Text.endsWith(QLatin1Char('.'))) return 4;
  if (Text.contains(QLatin1String(".."))) return 5;
  const Int64 tooLarge = Int64(4294967296);
  for (const QString& part : Text.split(QLatin1Char('.')))
    if (StrToInt64Def(part, tooLarge) > Int64(4294967295)) return 6;
  return 0;
}

int Get_Security_Level(const QString& Text) {
  const QString t = Trim(UpperCase(Text));
  if (t == QLatin1String("AUTH NOPRIV")) return 1;
  if (t == QLatin1String("AUTH PRIV")) return 3;
  if (t.isEmpty()) return -1;
  return 0;
}

QChar Get_Decimal_Separator() {
  const QString s = SystemLocale().DecimalSeparator();
  if (s.isEmpty() || (s.at(0) != QLatin1Char(',') && s.at(0) != QLatin1Char('.')))
    return QLatin1Char(',');
  return s.at(0);
}

bool Conv_Str_To_Float(const QString& Text, QChar Sep, float& Value) {
  QString t = Text;
  if (Sep == QLatin1Char('.'))
    t.replace(QLatin1Char(','), QLatin1Char('.'));
  else
    t.replace(QLatin1Char('.'), QLatin1Char(','));
  TFormatSettings fs = FormatSettings;
  fs.DecimalSeparator = Sep;
  double d = 0;
  if (TryStrToFloat(t, d, fs)) {
    Value = static_cast<float>(d);
    return true;
  }
  Value = 1.0f;
  return false;
}

std::unique_ptr<TStringList> Get_COM_List() {
  auto list = std::make_unique<TStringList>();
  for (int n : SerialPortList().PresentPorts())
    if (n >= 1 && n <= 256) list->Add(QString::number(n));
  return list;
}
