// The XML document: LoadFromFile on the input, then the save/load round trip.
// What SaveToFile wrote loads back to the same tree, and saving that tree
// again writes the same bytes. Saving may refuse a tree (with EXMLDocError).
#include "FuzzSupport.h"

#include <utility>
#include <vector>

#include "platform/rtl/XMLDoc.h"

namespace {

// The tree as text: one line per node (depth, type, name, value, attributes),
// walked without recursion so that the harness itself takes no stack per level.
QString Dump(const IXMLNode& Root) {
  QString out;
  std::vector<std::pair<IXMLNode, int>> stack{{Root, 0}};
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    out += QStringLiteral("%1 %2 <%3>").arg(depth).arg(static_cast<int>(node->NodeType())).arg(node->NodeName());
    QString value = node->NodeType() != ntElement && node->NodeType() != ntDocument ? node->Text() : QString();
    if (node->NodeType() == ntComment) {
      // A comment holding "--" (which the parser lets through) is written with
      // "- -" in its place, as the writer documents.
      while (value.contains(QLatin1String("--"))) value.replace(QLatin1String("--"), QLatin1String("- -"));
      if (value.endsWith(QLatin1Char('-'))) value += QLatin1Char(' ');
    }
    if (node->NodeType() != ntElement && node->NodeType() != ntDocument) out += QStringLiteral(" [%1]").arg(value);
    if (node->NodeType() == ntElement)
      for (const IXMLNode& a : node->AttributeNodes()) out += QStringLiteral(" %1=[%2]").arg(a->NodeName(), a->Text());
    out += QLatin1Char('\n');
    const IXMLNodeList children = node->ChildNodes();
    for (int i = children.Count() - 1; i >= 0; --i) stack.emplace_back(children[i], depth + 1);
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QString in = Fuzz::ScratchDir() + QStringLiteral("/in.xml");
  const QString out = Fuzz::ScratchDir() + QStringLiteral("/out.xml");
  Fuzz::WriteFile(in, Fuzz::Bytes(Data, Size));
  TXMLDocument doc(nullptr);
  try {
    doc.LoadFromFile(in);
  } catch (const EXMLDocError&) {
    return 0;  // not well-formed: the caller reports it
  }
  const QString tree = Dump(doc.Node());
  try {
    doc.SaveToFile(out);
  } catch (const EXMLDocError&) {
    return 0;  // a tree its declared encoding cannot hold is refused with a message
  }
  const QByteArray written = Fuzz::ReadFile(out);
  TXMLDocument back(nullptr);
  try {
    back.LoadFromFile(out);
  } catch (const EXMLDocError& e) {
    Fuzz::Fail("a saved document loads again", QString::fromUtf8(written), e.Message());
  }
  Fuzz::Check("a saved document reads back to the same tree", tree, Dump(back.Node()));
  back.SaveToFile(out);
  Fuzz::Check("saving the reloaded document writes the same bytes", QString::fromLatin1(written.toHex()),
              QString::fromLatin1(Fuzz::ReadFile(out).toHex()));
  return 0;
}
