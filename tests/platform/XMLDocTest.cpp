#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/TestSupport.h"
#include "platform/rtl/XMLDoc.h"

namespace {

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

// Runs fn and returns the message of the exception of type E it raises.
template <typename E, typename F>
QString MessageOf(F fn) {
  try {
    fn();
  } catch (const E& e) {
    return e.Message();
  }
  ADD_FAILURE() << "no exception raised";
  return QString();
}

}  // namespace

// ---------------------------------------------------------------------------
// Reading

TEST(XMLDocRead, FirstNodeOfAFileThatStartsWithACommentIsTheComment) {
  TXMLDocument doc(nullptr);
  doc.LoadFromFile(TEST_DATA("xml_comment_first.xml"));
  ASSERT_TRUE(doc.Active());
  ASSERT_EQ(doc.ChildNodes().Count(), 2);
  IXMLNode first = doc.ChildNodes()[0];
  EXPECT_EQ(first->NodeType(), ntComment);
  EXPECT_EQ(first->Text(), "SW_VERSION = 1.003");
  EXPECT_EQ(doc.ChildNodes().First(), first);
  // A reader that takes the first node as the root finds none of its groups.
  EXPECT_FALSE(first->HasChildNodes());
  EXPECT_EQ(first->ChildNodes().FindNode("Eth_Conn_Device_Name"), nullptr);
  EXPECT_THROW(first->ChildNodes()["Eth_Conn_Device_Name"], EXMLDocError);
  EXPECT_THROW(first->Attributes("Enable"), EXMLAttributeMissing);
  // The root element is still there, and indentation between elements is dropped.
  IXMLNode root = doc.DocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->NodeName(), "Par_Gen");
  EXPECT_EQ(doc.ChildNodes()[1], root);
  ASSERT_EQ(root->ChildNodes().Count(), 1);
  EXPECT_EQ(root->ChildNodes()["Eth_Conn_Device_Name"]->Text(), "Gate 1");
}

TEST(XMLDocRead, DeclarationIsTheFirstNodeWhenPresent) {
  TXMLDocument doc;
  doc.LoadFromXML(R"(<?xml version="1.0" encoding="UTF-8"?><Conf_Settings><lastproj/></Conf_Settings>)");
  IXMLNode first = doc.ChildNodes()[0];
  EXPECT_EQ(first->NodeType(), ntProcessingInstr);
  EXPECT_EQ(first->NodeName(), "xml");
  EXPECT_EQ(first->ChildNodes().FindNode("lastproj"), nullptr);
  EXPECT_EQ(doc.Version(), "1.0");
  EXPECT_EQ(doc.Encoding(), "UTF-8");
  EXPECT_EQ(doc.DocumentElement()->NodeName(), "Conf_Settings");
}

TEST(XMLDocRead, MissingAttributeRaisesNamingAttributeAndElement) {
  TXMLDocument doc;
  doc.LoadFromXML(R"(<T><Read><row Enable="Y" Name="" Pos="3"/></Read></T>)");
  IXMLNode row = doc.DocumentElement()->ChildNodes()["Read"]->ChildNodes()[0];
  EXPECT_EQ(row->Attributes("Enable"), "Y");
  EXPECT_EQ(row->Attributes("Name"), "");  // present but empty is no error
  EXPECT_TRUE(row->HasAttribute("Pos"));
  EXPECT_FALSE(row->HasAttribute("pos"));  // names are case-sensitive
  const QString msg = MessageOf<Exception>([&] { row->Attributes("Address"); });
  EXPECT_TRUE(msg.contains("\"Address\"")) << msg.toStdString();
  EXPECT_TRUE(msg.contains("\"row\"")) << msg.toStdString();
  EXPECT_THROW(row->Attributes("pos"), EXMLAttributeMissing);
  EXPECT_THROW(row->AttributeNodes()["Address"], EXMLAttributeMissing);
  // The attribute list in file order.
  ASSERT_EQ(row->AttributeNodes().Count(), 3);
  EXPECT_EQ(row->AttributeNodes()[2]->NodeName(), "Pos");
  EXPECT_EQ(row->AttributeNodes()[2]->Text(), "3");
  EXPECT_EQ(row->AttributeNodes()[2]->NodeType(), ntAttribute);
}

TEST(XMLDocRead, MalformedFileRaisesWithFileNameAndPosition) {
  TXMLDocument doc;
  const QString path = TEST_DATA("xml_malformed.xml");
  try {
    doc.LoadFromFile(path);
    FAIL() << "no exception";
  } catch (const EDOMParseError& e) {
    EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
    EXPECT_EQ(e.Line(), 4) << e.Message().toStdString();
    EXPECT_GT(e.LinePos(), 0);
    EXPECT_TRUE(e.Message().contains("line 4")) << e.Message().toStdString();
  }
  EXPECT_FALSE(doc.Active());
  EXPECT_THROW(doc.ChildNodes(), EXMLDocError);
}

TEST(XMLDocRead, DocumentsThatAreNotWellFormedAreRefused) {
  struct Case {
    const char* text;
    int line;
  };
  const Case cases[] = {
      {"", 0},                                   // no root at all
      {"<!--only a comment-->", 0},               // no root element
      {"<a/><b/>", 1},                            // two roots
      {"<a/>\ntext", 2},                          // text outside the root
      {"<a x=\"1\" x=\"2\"/>", 1},                // attribute twice
      {"<a>\n<b></a>", 2},                        // tags do not match
      {"<a b=\"1></a>", 1},                       // unterminated attribute
      {"<a/><!--c--", 1},                         // unterminated comment
      {"<a/><?xml version=\"1.0\"?>", 1},         // declaration not at the start
      {"<a><?xml version=\"1.0\"?></a>", 1},      // nor inside an element
      // References in the declaration, whose values are kept as written text.
      {"<?xml version=\"1.0&#xD;\"?><a/>", 1},
      {"<?xml version=\"1.0\" encoding=\"a&quot;b\"?><a/>", 1},
      {"<?xml version=\"1.0&#x3F;&gt;\"?><a/>", 1},
      // A declaration has a version, an encoding and a standalone flag only.
      {"<?xml version=\"1.0\" :encoding=\"ISO-8859-1\"?><a/>", 1},
  };
  for (const Case& c : cases) {
    TXMLDocument doc;
    try {
      doc.LoadFromXML(QString::fromUtf8(c.text));
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EDOMParseError& e) {
      EXPECT_FALSE(e.Reason().isEmpty());
      if (c.line) { EXPECT_EQ(e.Line(), c.line) << c.text << " -> " << e.Message().toStdString(); }
    }
    EXPECT_FALSE(doc.Active()) << c.text;
  }
}

TEST(XMLDocRead, ZeroWidthNoBreakSpaceAtTheStartOfATextIsKept) {
  // U+FEFF is a byte-order mark only at the start of the file; at the start of
  // a text, a name or a value it is a character, and a text made of it alone
  // used to come back as an empty text node that saving dropped.
  const QString z(QChar(0xFEFF));
  QTemporaryDir dir;
  const QString path = dir.filePath("z.xml");
  WriteBytes(path, "\xEF\xBB\xBF<r a=\"\xEF\xBB\xBFv\"><t>\xEF\xBB\xBF</t><u>\xEF\xBB\xBFx</u></r>");
  TXMLDocument doc;
  doc.LoadFromFile(path);
  IXMLNode r = doc.DocumentElement();
  EXPECT_EQ(r->Attributes("a"), z + "v");
  EXPECT_EQ(r->ChildNodes()["t"]->Text(), z);
  EXPECT_EQ(r->ChildNodes()["u"]->Text(), z + "x");
  doc.SaveToFile(path);
  TXMLDocument back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.DocumentElement()->ChildNodes()["t"]->Text(), z);
  EXPECT_TRUE(back.DocumentElement()->ChildNodes()["t"]->HasChildNodes());
  // A byte sequence cut off at the end of a text still reads as U+FFFD.
  WriteBytes(path, "<r><t>\xCB</t><u>a\xE2\x82</u></r>");
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.DocumentElement()->ChildNodes()["t"]->Text(), QString(QChar(0xFFFD)));
  EXPECT_EQ(doc.DocumentElement()->ChildNodes()["u"]->Text(), QString::fromUtf8("a\xE2\x82"));
}

TEST(XMLDocRead, MissingFileRaisesOpenError) {
  QTemporaryDir dir;
  TXMLDocument doc;
  const QString path = dir.filePath("none.xml");
  const QString msg = MessageOf<EFOpenError>([&] { doc.LoadFromFile(path); });
  EXPECT_TRUE(msg.contains(path)) << msg.toStdString();
  EXPECT_FALSE(doc.Active());
}

TEST(XMLDocRead, ElementTextRules) {
  TXMLDocument doc;
  doc.LoadFromXML(
      "<r><e/><t>  padded  </t><b>   </b><m>a<x/>b</m><c><![CDATA[<raw>&]]></c>"
      "<n><i>1</i></n><ent>&lt;&amp;&gt;&quot;&apos;&#233;</ent></r>");
  IXMLNodeList items = doc.DocumentElement()->ChildNodes();
  EXPECT_EQ(items["e"]->Text(), "");
  EXPECT_FALSE(items["e"]->IsTextElement());
  EXPECT_EQ(items["t"]->Text(), "  padded  ");  // never trimmed
  EXPECT_TRUE(items["t"]->IsTextElement());
  EXPECT_EQ(items["b"]->Text(), "   ");  // blank-only content kept
  EXPECT_THROW(items["m"]->Text(), EXMLDocError);
  EXPECT_THROW(items["n"]->Text(), EXMLDocError);
  EXPECT_EQ(items["c"]->Text(), "<raw>&");
  EXPECT_EQ(items["c"]->ChildNodes()[0]->NodeType(), ntCData);
  EXPECT_EQ(items["ent"]->Text(), QString::fromUtf8("<&>\"'\xC3\xA9"));
  EXPECT_EQ(items["ent"]->NodeValue(), items["ent"]->Text());
  const QString msg = MessageOf<EXMLDocError>([&] { items["n"]->Text(); });
  EXPECT_TRUE(msg.contains("\"n\"")) << msg.toStdString();
}

TEST(XMLDocRead, Utf16FileWithByteOrderMark) {
  QTemporaryDir dir;
  const QString path = dir.filePath("u16.xml");
  const QString text = QString::fromUtf8(
      "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a n=\"\xC3\xA4\">\xE2\x82\xAC</a>");
  QByteArray bytes("\xFF\xFE", 2);
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  WriteBytes(path, bytes);
  TXMLDocument doc;
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.DocumentElement()->Text(), QString::fromUtf8("\xE2\x82\xAC"));
  EXPECT_EQ(doc.DocumentElement()->Attributes("n"), QString::fromUtf8("\xC3\xA4"));
  // Saved again in the encoding its declaration names.
  doc.SaveToFile(path);
  EXPECT_EQ(ReadBytes(path), bytes);
}

// ---------------------------------------------------------------------------
// Writing

TEST(XMLDocWrite, GoldenBytesOfATableFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath("t.xml");
  TXMLDocument doc;
  doc.SetActive(true);
  doc.ChildNodes().Clear();
  IXMLNode root = doc.AddChild("EtherNetIP_to_Modbus");
  doc.ChildNodes().Add(doc.CreateNode("SW_VERSION = 1.003", ntComment));
  IXMLNode read = root->AddChild("Read");
  IXMLNode row = read->AddChild("row");
  row->SetAttributes("Enable", "Y");
  row->SetAttributes("Name", " A&B <x> \"q\" 'a' ");
  row->SetAttributes("Pos", "");
  row->SetAttributes("Enable", "N");  // keeps its place
  read->AddChild("row")->SetAttributes("Enable", "Y");
  root->AddChild("Write");
  IXMLNode note = root->AddChild("Note");
  note->SetText("a & b < c > d \"e\"");
  doc.SaveToFile(path);
  const QByteArray expected =
      "<EtherNetIP_to_Modbus><Read>"
      "<row Enable=\"N\" Name=\" A&amp;B &lt;x&gt; &quot;q&quot; 'a' \" Pos=\"\"/>"
      "<row Enable=\"Y\"/></Read><Write/>"
      "<Note>a &amp; b &lt; c &gt; d \"e\"</Note>"
      "</EtherNetIP_to_Modbus><!--SW_VERSION = 1.003-->";
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(doc.XML().toUtf8(), expected);

  // Loading the file and saving it again gives the same bytes.
  TXMLDocument again;
  again.LoadFromFile(path);
  EXPECT_EQ(again.ChildNodes()[0]->NodeName(), "EtherNetIP_to_Modbus");
  EXPECT_EQ(again.ChildNodes()[1]->NodeType(), ntComment);
  EXPECT_EQ(again.DocumentElement()->ChildNodes()[0]->ChildNodes()[0]->Attributes("Name"),
            " A&B <x> \"q\" 'a' ");
  const QString copy = dir.filePath("copy.xml");
  again.SaveToFile(copy);
  EXPECT_EQ(ReadBytes(copy), expected);
}

TEST(XMLDocWrite, SettingsFileFormAndEmptyTexts) {
  TXMLDocument doc;
  doc.SetActive(true);
  IXMLNode root = doc.AddChild("Conf_Settings");
  root->AddChild("lastproj")->AddChild("projectname")->SetText("My conf");
  IXMLNode lang = root->AddChild("lastlang")->AddChild("language");
  lang->SetText("English");
  lang->SetText("");  // an empty text leaves no child: written self-closed
  EXPECT_FALSE(lang->HasChildNodes());
  EXPECT_EQ(doc.XML(),
            "<Conf_Settings><lastproj><projectname>My conf</projectname></lastproj>"
            "<lastlang><language/></lastlang></Conf_Settings>");
}

TEST(XMLDocWrite, DeclarationOnlyWhenAskedFor) {
  TXMLDocument doc;
  doc.SetActive(true);
  doc.AddChild("Ethernet_Update")->AddChild("Version")->SetText("1000");
  EXPECT_EQ(doc.Version(), "");
  EXPECT_EQ(doc.XML(), "<Ethernet_Update><Version>1000</Version></Ethernet_Update>");
  doc.SetEncoding("UTF-8");
  EXPECT_EQ(doc.XML(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                       "<Ethernet_Update><Version>1000</Version></Ethernet_Update>");
  EXPECT_EQ(doc.ChildNodes()[0]->NodeType(), ntProcessingInstr);
  doc.SetVersion("1.1");
  EXPECT_EQ(doc.Version(), "1.1");
  EXPECT_EQ(doc.Encoding(), "UTF-8");
}

TEST(XMLDocWrite, NonAsciiAndLineBreaksRoundTrip) {
  QTemporaryDir dir;
  const QString path = dir.filePath("u.xml");
  const QString text = QString::fromUtf8("Gr\xC3\xB6\xC3\x9F" "e \xC2\xB0" "C \xE6\xB8\xAC\xE8\xA9\xA6 \xF0\x9F\x98\x80");
  const QString lines = "line 1\r\nline 2\n\ttab\rend";
  TXMLDocument doc;
  doc.SetActive(true);
  IXMLNode root = doc.AddChild(QString::fromUtf8("Wurzel_\xC3\xA4"));
  root->SetAttributes("t", text);
  root->SetAttributes("lines", lines);
  root->AddChild("text")->SetText(text);
  root->AddChild("multi")->SetText(lines);
  root->AddChild("ctl")->SetText(QString("a") + QChar(1) + "b");
  doc.SaveToFile(path);
  const QByteArray bytes = ReadBytes(path);
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));  // no byte-order mark
  EXPECT_TRUE(bytes.contains(text.toUtf8()));      // characters written as UTF-8
  EXPECT_TRUE(bytes.contains("lines=\"line 1&#xD;&#xA;line 2&#xA;&#x9;tab&#xD;end\""));

  TXMLDocument back;
  back.LoadFromFile(path);
  IXMLNode r = back.DocumentElement();
  EXPECT_EQ(r->NodeName(), QString::fromUtf8("Wurzel_\xC3\xA4"));
  EXPECT_EQ(r->Attributes("t"), text);
  EXPECT_EQ(r->Attributes("lines"), lines);
  EXPECT_EQ(r->ChildNodes()["text"]->Text(), text);
  EXPECT_EQ(r->ChildNodes()["multi"]->Text(), lines);
  EXPECT_EQ(r->ChildNodes()["ctl"]->Text(), QString("a") + QChar(1) + "b");
}

TEST(XMLDocWrite, OtherDeclaredEncodingKeepsTheTextAscii) {
  TXMLDocument doc;
  doc.LoadFromXML(QString::fromUtf8(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a v=\"\xC3\xA9\">\xE2\x82\xAC</a>"));
  EXPECT_EQ(doc.DocumentElement()->Text(), QString::fromUtf8("\xE2\x82\xAC"));
  QTemporaryDir dir;
  const QString path = dir.filePath("l1.xml");
  doc.SaveToFile(path);
  EXPECT_EQ(ReadBytes(path),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a v=\"&#xE9;\">&#x20AC;</a>");
  TXMLDocument back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.DocumentElement()->Attributes("v"), QString::fromUtf8("\xC3\xA9"));
}

TEST(XMLDocWrite, Latin1FileKeepsNamesCommentsCDataAndInstructionsOnReload) {
  // None of these can hold a character reference; the reader decodes the file
  // as Latin-1, so they must be written as Latin-1 too.
  QTemporaryDir dir;
  const QString path = dir.filePath("l1.xml");
  const QByteArray file =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r\xE9 a=\"&#xE9;\"><!--\xE9--><![CDATA[\xE9]]><?pi \xE9?></r\xE9>";
  WriteBytes(path, file);
  TXMLDocument doc;
  doc.LoadFromFile(path);
  const QString e = QString::fromUtf8("\xC3\xA9");
  IXMLNode root = doc.DocumentElement();
  EXPECT_EQ(root->NodeName(), "r" + e);
  doc.SaveToFile(path);
  EXPECT_EQ(ReadBytes(path), file);
  TXMLDocument back;
  back.LoadFromFile(path);
  IXMLNode r = back.DocumentElement();
  ASSERT_EQ(r->ChildNodes().Count(), 3);
  EXPECT_EQ(r->NodeName(), "r" + e);
  EXPECT_EQ(r->Attributes("a"), e);
  EXPECT_EQ(r->ChildNodes()[0]->Text(), e);
  EXPECT_EQ(r->ChildNodes()[1]->Text(), e);
  EXPECT_EQ(r->ChildNodes()[2]->Text(), e);

  // A character beyond Latin-1 where no reference can stand: refused, and the
  // file saved before stays as it was.
  r->ChildNodes().Add(back.CreateNode(QString::fromUtf8("\xE2\x82\xAC"), ntComment));
  const QString msg = MessageOf<EXMLDocError>([&] { back.SaveToFile(path); });
  EXPECT_TRUE(msg.contains("U+20ac")) << msg.toStdString();
  EXPECT_EQ(ReadBytes(path), file);
}

// Other 8-bit encodings named by the declaration are read in that encoding (not
// as UTF-8) and written in it; a character the encoding cannot hold where no
// reference can stand is refused; an encoding nobody knows is a load error.
TEST(XMLDocWrite, OtherEightBitEncodingsReadAndWriteInTheirEncoding) {
  struct Case {
    const char* encoding;
    QByteArray bytes;    // one byte of the encoding
    const char* utf8;    // the character it stands for
  };
  const Case cases[] = {
      {"windows-1252", "\x80", "\xE2\x82\xAC"},  // euro sign
      {"ISO-8859-2", "\xB1", "\xC4\x85"},         // a with ogonek
      {"KOI8-R", "\xC1", "\xD0\xB0"},             // Cyrillic a
  };
  QTemporaryDir dir;
  const QString path = dir.filePath("e.xml");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoding);
    const QByteArray b = c.bytes;
    const QByteArray file = "<?xml version=\"1.0\" encoding=\"" + QByteArray(c.encoding) + "\"?><r" + b + " a=\"" + b +
                            "\"><!--" + b + "--><![CDATA[" + b + "]]>" + b + "</r" + b + ">";
    WriteBytes(path, file);
    TXMLDocument doc;
    doc.LoadFromFile(path);
    const QString ch = QString::fromUtf8(c.utf8);
    IXMLNode r = doc.DocumentElement();
    EXPECT_EQ(r->NodeName(), "r" + ch);
    EXPECT_EQ(r->Attributes("a"), ch);
    ASSERT_EQ(r->ChildNodes().Count(), 3);
    EXPECT_EQ(r->ChildNodes()[0]->Text(), ch);
    EXPECT_EQ(r->ChildNodes()[1]->Text(), ch);
    EXPECT_EQ(r->ChildNodes()[2]->Text(), ch);
    // Text and attributes as references, what cannot hold one in the encoding.
    doc.SaveToFile(path);
    const QString ref = QStringLiteral("&#x%1;").arg(QString::number(ch[0].unicode(), 16).toUpper());
    EXPECT_EQ(ReadBytes(path), "<?xml version=\"1.0\" encoding=\"" + QByteArray(c.encoding) + "\"?><r" + b + " a=\"" +
                                   ref.toLatin1() + "\"><!--" + b + "--><![CDATA[" + b + "]]>" + ref.toLatin1() + "</r" +
                                   b + ">");
    r->ChildNodes().Add(doc.CreateNode(QString::fromUtf8("\xE4\xB8\xAD"), ntComment));
    const QString msg = MessageOf<EXMLDocError>([&] { doc.SaveToFile(path); });
    EXPECT_TRUE(msg.contains("U+4e2d")) << msg.toStdString();
  }

  WriteBytes(path, "<?xml version=\"1.0\" encoding=\"no-such-code\"?><a>\xE9</a>");
  TXMLDocument doc;
  try {
    doc.LoadFromFile(path);
    ADD_FAILURE() << "an unknown encoding loaded";
  } catch (const EDOMParseError& e) {
    EXPECT_TRUE(e.Message().contains("\"no-such-code\"")) << e.Message().toStdString();
    EXPECT_TRUE(e.Message().contains(path)) << e.Message().toStdString();
  }
  doc.LoadFromXML("<a/>");
  doc.SetEncoding("no-such-code");
  EXPECT_THROW(doc.SaveToFile(path), EXMLDocError);

  // A file whose byte-order mark decides its encoding may name no encoding in
  // its declaration (here "UTF-", U+EFEF, "16", which Qt took for UTF-16 once
  // made Latin-1): it loads, and saving refuses to write what could not be
  // read again.
  const QString decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-") + QChar(0xEFEF) +
                       QStringLiteral("16\"?><r>\u0395</r>");
  QByteArray u16("\xFF\xFE", 2);
  for (QChar c : decl) u16.append(static_cast<char>(c.unicode() & 0xFF)).append(static_cast<char>(c.unicode() >> 8));
  WriteBytes(path, u16);
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.DocumentElement()->Text(), QString(QChar(0x395)));
  EXPECT_THROW(doc.SaveToFile(path), EXMLDocError);
  EXPECT_EQ(ReadBytes(path), u16);

  // "encoding=" inside another value of the declaration names nothing.
  WriteBytes(path, "<?xml version=\"1.0\" standalone=\"no encoding='KOI8-R'\"?><a>\xC3\xA9</a>");
  doc.LoadFromFile(path);
  EXPECT_EQ(doc.DocumentElement()->Text(), QString::fromUtf8("\xC3\xA9"));
}

TEST(XMLDocWrite, UnwritableTargetRaisesAndLeavesNoFile) {
  QTemporaryDir dir;
  TXMLDocument doc;
  doc.SetActive(true);
  doc.AddChild("a");
  const QString path = dir.filePath("missing/folder/a.xml");
  const QString msg = MessageOf<EFCreateError>([&] { doc.SaveToFile(path); });
  EXPECT_TRUE(msg.contains(path)) << msg.toStdString();
  EXPECT_FALSE(QFile::exists(path));
  TXMLDocument inactive;
  EXPECT_THROW(inactive.SaveToFile(dir.filePath("b.xml")), EXMLDocError);
}

TEST(XMLDocWrite, CommentWithDoubleHyphenStaysWellFormed) {
  TXMLDocument doc;
  doc.SetActive(true);
  doc.AddChild("a");
  doc.ChildNodes().Add(doc.CreateNode("x--y-", ntComment));
  EXPECT_EQ(doc.XML(), "<a/><!--x- -y- -->");
  TXMLDocument back;
  back.LoadFromXML(doc.XML());
  EXPECT_EQ(back.ChildNodes().Count(), 2);
}

// ---------------------------------------------------------------------------
// Nodes and lists

TEST(XMLDocNodes, ChildNodeListOperations) {
  TXMLDocument doc;
  doc.LoadFromXML("<r><a/><b/><c/></r>");
  IXMLNode r = doc.DocumentElement();
  IXMLNodeList list = r->ChildNodes();
  const auto names = [&] {
    QStringList n;
    for (const IXMLNode& c : r->ChildNodes()) n << c->NodeName();
    return n.join(',');
  };
  IXMLNode a = list[0];
  EXPECT_EQ(list["a"], a);  // the same node every time
  EXPECT_EQ(list.First(), a);
  EXPECT_EQ(list.Last()->NodeName(), "c");
  EXPECT_EQ(list.IndexOf("b"), 1);
  EXPECT_EQ(list.IndexOf("zz"), -1);
  EXPECT_EQ(a->NextSibling()->NodeName(), "b");
  EXPECT_EQ(a->PreviousSibling(), nullptr);
  EXPECT_EQ(list.Last()->NextSibling(), nullptr);
  EXPECT_EQ(a->ParentNode(), r);
  EXPECT_EQ(r->ParentNode(), doc.Node());
  EXPECT_EQ(doc.Node()->NodeType(), ntDocument);

  r->AddChild("d", 0);
  EXPECT_EQ(names(), "d,a,b,c");
  list.Insert(4, doc.CreateNode("e"));
  EXPECT_EQ(names(), "d,a,b,c,e");
  EXPECT_EQ(list.Delete("b"), 2);
  EXPECT_EQ(list.Delete("b"), -1);
  EXPECT_EQ(list.Delete(0), 0);
  EXPECT_EQ(names(), "a,c,e");
  // Adding a node that is in the tree moves it.
  EXPECT_EQ(list.Add(a), 2);
  EXPECT_EQ(names(), "c,e,a");
  list.Insert(0, a);
  EXPECT_EQ(names(), "a,c,e");
  IXMLNode sub = list["c"]->AddChild("sub");
  list["e"]->ChildNodes().Add(sub);
  EXPECT_FALSE(list["c"]->HasChildNodes());
  EXPECT_EQ(sub->ParentNode(), list["e"]);
  EXPECT_EQ(list.Remove(list["e"]), 2);
  EXPECT_EQ(names(), "a,c");
  // A node handed over by a reference into the list it leaves.
  IXMLNode other = doc.CreateNode("other");
  other->ChildNodes().Add(*list.begin());
  EXPECT_EQ(names(), "c");
  EXPECT_EQ(other->XML(), "<other><a/></other>");
  list.Insert(0, *other->ChildNodes().begin());
  EXPECT_EQ(names(), "a,c");

  const QString msg = MessageOf<EXMLDocError>([&] { list[5]; });
  EXPECT_EQ(msg, "List index out of bounds (5)");
  EXPECT_THROW(list.Delete(-1), EXMLDocError);
  EXPECT_THROW(list.Insert(9, doc.CreateNode("x")), EXMLDocError);
  EXPECT_EQ(MessageOf<EXMLDocError>([&] { list["zz"]; }), "Node \"zz\" not found in \"r\"");

  // A node kept in a variable outlives its removal and can be put back.
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(a->ParentNode(), nullptr);
  EXPECT_EQ(a->NodeName(), "a");
  list.Add(a);
  EXPECT_EQ(doc.XML(), "<r><a/></r>");
}

TEST(XMLDocNodes, TreeRulesAreEnforced) {
  TXMLDocument doc;
  doc.SetActive(true);
  IXMLNode r = doc.AddChild("r");
  IXMLNode c = r->AddChild("c");
  EXPECT_THROW(doc.AddChild("second"), EXMLDocError);                 // one root
  EXPECT_THROW(c->ChildNodes().Add(r), EXMLDocError);                 // no cycles
  EXPECT_THROW(c->ChildNodes().Add(c), EXMLDocError);
  EXPECT_THROW(doc.ChildNodes().Add(doc.CreateNode("t", ntText)), EXMLDocError);
  IXMLNode comment = doc.CreateNode("note", ntComment);
  EXPECT_THROW(comment->ChildNodes().Add(doc.CreateNode("x")), EXMLDocError);
  EXPECT_THROW(comment->SetAttributes("a", "1"), EXMLDocError);
  EXPECT_THROW(doc.CreateNode("bad name"), EXMLDocError);
  EXPECT_THROW(r->AddChild("1st"), EXMLDocError);
  EXPECT_THROW(c->SetAttributes("a b", "1"), EXMLDocError);
  EXPECT_THROW(r->SetText("text"), EXMLDocError);  // r holds an element
  EXPECT_EQ(doc.XML(), "<r><c/></r>");             // nothing changed
  // Comments and instructions may stand before the root.
  doc.ChildNodes().Insert(0, comment);
  doc.ChildNodes().Insert(0, doc.CreateNode("app", ntProcessingInstr, "x=1"));
  EXPECT_EQ(doc.XML(), "<?app x=1?><!--note--><r><c/></r>");
  // Replacing the root keeps its place.
  IXMLNode other = doc.CreateNode("other");
  doc.SetDocumentElement(other);
  EXPECT_EQ(doc.DocumentElement(), other);
  EXPECT_EQ(r->ParentNode(), nullptr);
  EXPECT_EQ(doc.XML(), "<?app x=1?><!--note--><other/>");
  EXPECT_EQ(r->XML(), "<r><c/></r>");
}

TEST(XMLDocNodes, ActiveStateAndSources) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.xml");
  WriteBytes(path, "<a><b>1</b></a>");
  TXMLDocument doc;
  EXPECT_FALSE(doc.Active());
  EXPECT_THROW(doc.ChildNodes(), EXMLDocError);
  EXPECT_THROW(doc.DocumentElement(), EXMLDocError);
  doc.SetActive(true);  // nothing to load: an empty document
  EXPECT_TRUE(doc.IsEmptyDoc());
  EXPECT_EQ(doc.DocumentElement(), nullptr);
  EXPECT_EQ(doc.XML(), "");

  doc.LoadFromFile(path);
  EXPECT_EQ(doc.FileName(), path);
  IXMLNode kept = doc.DocumentElement();
  doc.SetActive(true);  // already active: nothing reloaded
  EXPECT_EQ(doc.DocumentElement(), kept);
  kept->ChildNodes()["b"]->SetText("2");
  doc.SaveToFile();  // to FileName
  EXPECT_EQ(ReadBytes(path), "<a><b>2</b></a>");

  doc.SetActive(false);  // drops the document; the kept node stays usable
  EXPECT_FALSE(doc.Active());
  EXPECT_EQ(kept->ChildNodes()["b"]->Text(), "2");
  doc.SetActive(true);  // reloads FileName
  EXPECT_NE(doc.DocumentElement(), kept);
  EXPECT_EQ(doc.DocumentElement()->ChildNodes()["b"]->Text(), "2");

  doc.SetXML("<x/>");  // active: parsed at once
  EXPECT_EQ(doc.DocumentElement()->NodeName(), "x");
  EXPECT_EQ(doc.FileName(), "");
  doc.SetActive(false);
  EXPECT_EQ(doc.XML(), "<x/>");
  doc.SetActive(true);
  EXPECT_EQ(doc.DocumentElement()->NodeName(), "x");
  QString out;
  doc.SaveToXML(out);
  EXPECT_EQ(out, "<x/>");
}

TEST(XMLDocNodes, OwnedByAComponent) {
  TComponent owner(nullptr);
  auto* doc = new TXMLDocument(&owner);
  doc->SetName("XML1");
  EXPECT_EQ(owner.FindComponent("xml1"), doc);
  doc->LoadFromXML("<a/>");
  IXMLNode kept = doc->DocumentElement();
  owner.DestroyComponents();
  EXPECT_EQ(kept->NodeName(), "a");  // nodes outlive their document
}
