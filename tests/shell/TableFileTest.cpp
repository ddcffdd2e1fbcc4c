// Table files: what the reader hands over and what the writer produces.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "common/TableDialogs.h"
#include "platform/rtl/XMLDoc.h"
#include "shell/UComon.h"

namespace {

class TableFile : public TableTextsFixture {
 protected:
  void SetUp() override {
    TableTextsFixture::SetUp();
    ASSERT_TRUE(FDir.isValid());
    FFile.Root = QStringLiteral("Root");
    FFile.Version = QStringLiteral("1.002");
    FFile.Sections = {{QStringLiteral("A"), {{QStringLiteral("Key"), {}, false}, {QStringLiteral("On"), QStringLiteral("Y"), true}}},
                      {QStringLiteral("B"), {{QStringLiteral("Key"), {}, false}}}};
  }
  QString Path() const { return FDir.filePath(QStringLiteral("Table.xml")); }
  void Write(const QByteArray& Content) {
    QFile f(Path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Content);
  }
  QByteArray Read() {
    QFile f(Path());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }
  // "section:row=values" per row handed over.
  QStringList Load(int Max_Rows, bool* Complete = nullptr) {
    QStringList Got;
    const bool Ok = Load_Table_File(&FXML, Path(), FFile, Max_Rows, [&](int s, int r, const TTable_Row& V) {
      Got << QStringLiteral("%1:%2=%3").arg(s).arg(r).arg(V.join(QLatin1Char('|')));
    });
    if (Complete) *Complete = Ok;
    return Got;
  }

  QTemporaryDir FDir;
  TTable_File FFile;
  TXMLDocument FXML;
  TTableDialogs D;
};

}  // namespace

TEST_F(TableFile, WrittenAsOneLineWithTheVersionAfterTheRootAndReadBack) {
  Save_Table_File(&FXML, Path(), FFile,
                  {{{QStringLiteral(" 12 "), QStringLiteral("N")}, {QStringLiteral("Zürich & <co>"), QStringLiteral("Y")}},
                   {}});
  const QByteArray Expected =
      "<Root><A><row Key=\" 12 \" On=\"N\"/><row Key=\"Z\xc3\xbcrich &amp; &lt;co&gt;\" On=\"Y\"/></A><B/></Root>"
      "<!--SW_VERSION = 1.002-->";
  EXPECT_EQ(Read(), Expected);
  EXPECT_EQ(Load(10), QStringList({"0:0= 12 |N", QString::fromUtf8("0:1=Zürich & <co>|Y")}));
  EXPECT_TRUE(D.Take().empty());
  // Loaded and saved again: the document is rebuilt, not appended to.
  Save_Table_File(&FXML, Path(), FFile,
                  {{{QStringLiteral(" 12 "), QStringLiteral("N")}, {QString::fromUtf8("Zürich & <co>"), QStringLiteral("Y")}},
                   {}});
  EXPECT_EQ(Read(), Expected);
}

TEST_F(TableFile, RowsBeyondTheTableAreIgnoredAndAMissingFileGivesNothing) {
  EXPECT_TRUE(Load(2).isEmpty());
  Write("<Root><A><row Key=\"1\"/><row Key=\"2\"/><row Key=\"3\"/></A><B><row Key=\"b\"/></B></Root>");
  EXPECT_EQ(Load(2), QStringList({"0:0=1|Y", "0:1=2|Y", "1:0=b"}));
  EXPECT_TRUE(D.Take().empty());
}

TEST_F(TableFile, AMissingSectionStopsAfterTheSectionsBefore) {
  Write("<Root><A><row Key=\"1\"/></A><C/></Root>");
  bool Complete = true;
  EXPECT_EQ(Load(5, &Complete), QStringList({"0:0=1|Y"}));
  EXPECT_FALSE(Complete);
  const auto Shown = D.Take();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("B"))) << Shown[0].toStdString();
}

TEST_F(TableFile, RowsLackingARequiredValueAreKeptAndNamedOnce) {
  Write("<Root><A><row On=\"N\"/><row Key=\"2\"/><row/></A><B><row Key=\"b\"/></B></Root>");
  EXPECT_EQ(Load(5), QStringList({"0:0=|N", "0:1=2|Y", "0:2=|Y", "1:0=b"}));
  const auto Shown = D.Take();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_TRUE(Shown[0].contains(QStringLiteral("A row 1, A row 3"))) << Shown[0].toStdString();
}
