#include "platform/rtl/XMLDoc.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Deeper documents are refused when read: the tree is walked recursively.
constexpr int kMaxDepth = 1000;

QString NodeTypeText(TNodeType type) {
  switch (type) {
    case ntElement: return QStringLiteral("element");
    case ntAttribute: return QStringLiteral("attribute");
    case ntText: return QStringLiteral("text");
    case ntCData: return QStringLiteral("CDATA section");
    case ntProcessingInstr: return QStringLiteral("processing instruction");
    case ntComment: return QStringLiteral("comment");
    case ntDocument: return QStringLiteral("document");
    case ntDocType: return QStringLiteral("document type");
    default: return QStringLiteral("other");
  }
}

bool IsNameStart(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(char32_t c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

void CheckName(const QString& name, const char* what) {
  const QList<uint> chars = name.toUcs4();
  bool ok = !chars.isEmpty() && IsNameStart(chars.front());
  for (int i = 1; ok && i < chars.size(); ++i) ok = IsNameChar(chars[i]);
  if (!ok)
    throw EXMLDocError(QStringLiteral("\"%1\" is not a valid XML %2 name")
                           .arg(name, QString::fromLatin1(what)));
}

// A U+FEFF at the start of a name or text is a character of the document
// (the file's byte-order mark is gone before parsing); QString::fromUtf8 would
// drop it as a mark. Stateless: a sequence cut off at the end becomes U+FFFD
// as in the rest of the text, instead of waiting for more bytes.
QString ToQString(const pugi::char_t* s) {
  QStringDecoder decoder(QStringDecoder::Utf8,
                         QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
  return decoder(QByteArrayView(s));
}

}  // namespace

// ---------------------------------------------------------------------------
// Writing

class XmlWriter {
 public:
  explicit XmlWriter(bool asciiOnly) : FAsciiOnly(asciiOnly) {}

  void Write(const TXMLNode& n) {
    switch (n.FType) {
      case ntDocument:
      case ntDocFragment:
        for (const IXMLNode& c : n.FChildren) Write(*c);
        break;
      case ntElement:
        Out += u'<';
        Out += n.FName;
        for (const IXMLNode& a : n.FAttributes) {
          Out += u' ';
          Write(*a);
        }
        if (n.FChildren.empty()) {
          Out += QLatin1String("/>");
        } else {
          Out += u'>';
          for (const IXMLNode& c : n.FChildren) Write(*c);
          Out += QLatin1String("</");
          Out += n.FName;
          Out += u'>';
        }
        break;
      case ntAttribute:
        Out += n.FName;
        Out += QLatin1String("=\"");
        Escape(n.FValue, true);
        Out += u'"';
        break;
      case ntText:
        Escape(n.FValue, false);
        break;
      case ntCData: {
        QString v = n.FValue;
        v.replace(QLatin1String("]]>"), QLatin1String("]]]]><![CDATA[>"));
        Out += QLatin1String("<![CDATA[") + v + QLatin1String("]]>");
        break;
      }
      case ntComment: {
        QString v = n.FValue;
        while (v.contains(QLatin1String("--"))) v.replace(QLatin1String("--"), QLatin1String("- -"));
        if (v.endsWith(u'-')) v += u' ';
        Out += QLatin1String("<!--") + v + QLatin1String("-->");
        break;
      }
      case ntProcessingInstr:
        Out += QLatin1String("<?") + n.FName;
        if (!n.FValue.isEmpty()) Out += u' ' + n.FValue;
        Out += QLatin1String("?>");
        break;
      case ntDocType:
        Out += QLatin1String("<!DOCTYPE ") + n.FValue + u'>';
        break;
      default:
        break;
    }
  }

  QString Out;

 private:
  void Ref(char32_t c) {
    Out += QLatin1String("&#x") + QString::number(static_cast<uint>(c), 16).toUpper() + u';';
  }

  void Escape(const QString& s, bool attribute) {
    for (char32_t c : s.toUcs4()) {
      switch (c) {
        case '&': Out += QLatin1String("&amp;"); continue;
        case '<': Out += QLatin1String("&lt;"); continue;
        case '>': Out += QLatin1String("&gt;"); continue;
        case '"':
          if (attribute) Out += QLatin1String("&quot;");
          else Out += u'"';
          continue;
        case '\r': Ref(c); continue;
        case '\n':
        case '\t':
          if (attribute) Ref(c);
          else Out += QChar(c);
          continue;
        default: break;
      }
      if (c < 0x20 || (FAsciiOnly && c >= 0x80)) {
        Ref(c);
      } else if (c >= 0x10000) {
        const char32_t pair[1] = {c};
        Out += QString::fromUcs4(pair, 1);
      } else {
        Out += QChar(static_cast<char16_t>(c));
      }
    }
  }

  bool FAsciiOnly;
};

// ---------------------------------------------------------------------------
// Reading

class XmlReader {
 public:
  // Builds the document node from a parsed pugixml document; returns an error
  // text (and the offending offset) for what pugixml accepts but XML does not.
  static IXMLNode Convert(const pugi::xml_document& doc, QString& error, ptrdiff_t& offset) {
    auto root = std::make_shared<TXMLNode>(ntDocument, QStringLiteral("#document"), QString());
    int elements = 0;
    for (pugi::xml_node c = doc.first_child(); c; c = c.next_sibling()) {
      if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
        const char* v = c.value();
        const char* p = v;
        while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
        if (!*p) continue;
        error = QStringLiteral("Text is not allowed outside the root element");
        offset = c.offset_debug() + (p - v);
        return nullptr;
      }
      if (c.type() == pugi::node_declaration && c != doc.first_child()) {
        error = QStringLiteral("The XML declaration must stand at the start of the document");
        offset = c.offset_debug();
        return nullptr;
      }
      if (c.type() == pugi::node_element && ++elements == 2) {
        error = QStringLiteral("Only one root element is allowed");
        offset = c.offset_debug();
        return nullptr;
      }
      IXMLNode n = Node(c, 1, error, offset);
      if (!n) return nullptr;
      n->FParent = root;
      root->FChildren.push_back(std::move(n));
    }
    if (elements == 0) {
      error = QStringLiteral("The document has no root element");
      offset = -1;
      return nullptr;
    }
    return root;
  }

 private:
  static IXMLNode Node(pugi::xml_node p, int depth, QString& error, ptrdiff_t& offset) {
    if (depth > kMaxDepth) {
      error = QStringLiteral("Elements are nested deeper than %1 levels").arg(kMaxDepth);
      offset = p.offset_debug();
      return nullptr;
    }
    switch (p.type()) {
      case pugi::node_element: {
        auto e = std::make_shared<TXMLNode>(ntElement, ToQString(p.name()), QString());
        for (pugi::xml_attribute a = p.first_attribute(); a; a = a.next_attribute()) {
          const QString name = ToQString(a.name());
          for (const IXMLNode& seen : e->FAttributes) {
            if (seen->FName == name) {
              error = QStringLiteral("Attribute \"%1\" appears twice in element \"%2\"")
                          .arg(name, e->FName);
              offset = p.offset_debug();
              return nullptr;
            }
          }
          auto attr = std::make_shared<TXMLNode>(ntAttribute, name, ToQString(a.value()));
          attr->FParent = e;
          e->FAttributes.push_back(std::move(attr));
        }
        for (pugi::xml_node c = p.first_child(); c; c = c.next_sibling()) {
          IXMLNode n = Node(c, depth + 1, error, offset);
          if (!n) return nullptr;
          n->FParent = e;
          e->FChildren.push_back(std::move(n));
        }
        return e;
      }
      case pugi::node_pcdata:
        return std::make_shared<TXMLNode>(ntText, QStringLiteral("#text"), ToQString(p.value()));
      case pugi::node_cdata:
        return std::make_shared<TXMLNode>(ntCData, QStringLiteral("#cdata-section"),
                                          ToQString(p.value()));
      case pugi::node_comment:
        return std::make_shared<TXMLNode>(ntComment, QStringLiteral("#comment"),
                                          ToQString(p.value()));
      case pugi::node_pi:
        return std::make_shared<TXMLNode>(ntProcessingInstr, ToQString(p.name()),
                                          ToQString(p.value()));
      case pugi::node_declaration: {
        if (depth > 1) {
          error = QStringLiteral("The XML declaration must stand at the start of the document");
          offset = p.offset_debug();
          return nullptr;
        }
        QStringList parts;
        for (pugi::xml_attribute a = p.first_attribute(); a; a = a.next_attribute()) {
          // The declaration is kept and written back as text, its values in
          // double quotes. A value that text cannot carry (a quote, a line
          // break, "&", "<", "?>") came from a reference, which a declaration
          // may not hold: the file is not well-formed. So is a name other than
          // the three a declaration has (a ":encoding" would name an encoding
          // to the parser that the document does not know of).
          const QString name = ToQString(a.name());
          const QString value = ToQString(a.value());
          const bool bad = (name != QLatin1String("version") && name != QLatin1String("encoding") &&
                            name != QLatin1String("standalone")) ||
                           value.contains(QLatin1String("?>")) ||
                           std::any_of(value.begin(), value.end(), [](QChar c) {
                             return c.unicode() < 0x20 || c == u'"' || c == u'&' || c == u'<';
                           });
          if (bad) {
            error = QStringLiteral("The XML declaration holds a value it cannot hold");
            offset = p.offset_debug();
            return nullptr;
          }
          parts << name + QLatin1String("=\"") + value + u'"';
        }
        return std::make_shared<TXMLNode>(ntProcessingInstr, QStringLiteral("xml"),
                                          parts.join(u' '));
      }
      case pugi::node_doctype:
        return std::make_shared<TXMLNode>(ntDocType, QStringLiteral("#doctype"),
                                          ToQString(p.value()));
      default:
        error = QStringLiteral("Unsupported node");
        offset = p.offset_debug();
        return nullptr;
    }
  }
};

// ---------------------------------------------------------------------------
// IXMLNodeList

namespace {
const std::vector<IXMLNode>& EmptyNodes() {
  static const std::vector<IXMLNode> empty;
  return empty;
}
}  // namespace

std::vector<IXMLNode>& IXMLNodeList::Items() const {
  if (!FOwner) throw EXMLDocError(QStringLiteral("The node list belongs to no node"));
  return FAttributes ? FOwner->FAttributes : FOwner->FChildren;
}

int IXMLNodeList::Count() const {
  return FOwner ? static_cast<int>(Items().size()) : 0;
}

IXMLNode IXMLNodeList::Nodes(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return Items()[Index];
}

IXMLNode IXMLNodeList::Nodes(const QString& Name) const {
  IXMLNode n = FindNode(Name);
  if (!n) {
    const QString owner = FOwner ? FOwner->NodeName() : QString();
    if (FAttributes)
      throw EXMLAttributeMissing(
          QStringLiteral("Attribute \"%1\" is missing in element \"%2\"").arg(Name, owner));
    throw EXMLDocError(QStringLiteral("Node \"%1\" not found in \"%2\"").arg(Name, owner));
  }
  return n;
}

IXMLNode IXMLNodeList::FindNode(const QString& NodeName) const {
  if (!FOwner) return nullptr;
  for (const IXMLNode& n : Items())
    if (n->FName == NodeName) return n;
  return nullptr;
}

IXMLNode IXMLNodeList::First() const { return Count() > 0 ? Items().front() : nullptr; }
IXMLNode IXMLNodeList::Last() const { return Count() > 0 ? Items().back() : nullptr; }

int IXMLNodeList::IndexOf(const IXMLNode& Node) const {
  if (!FOwner) return -1;
  const auto& items = Items();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == Node) return static_cast<int>(i);
  return -1;
}

int IXMLNodeList::IndexOf(const QString& Name) const {
  if (!FOwner) return -1;
  const auto& items = Items();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i]->FName == Name) return static_cast<int>(i);
  return -1;
}

int IXMLNodeList::Add(const IXMLNode& Node) {
  Insert(-1, Node);
  return IndexOf(Node);
}

void IXMLNodeList::Insert(int Index, const IXMLNode& NodeRef) {
  // A copy: NodeRef may refer into the list the node is taken out of.
  const IXMLNode Node = NodeRef;
  auto& items = Items();
  if (Index < -1 || Index > static_cast<int>(items.size()))
    throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  if (!FAttributes) {
    FOwner->InsertChild(Index, Node);
    return;
  }
  if (!Node || Node->FType != ntAttribute)
    throw EXMLDocError(QStringLiteral("Only attribute nodes can be added to an attribute list"));
  if (FOwner->FType != ntElement)
    throw EXMLDocError(QStringLiteral("Node \"%1\" cannot have attributes").arg(FOwner->FName));
  if (IXMLNode old = Node->FParent.lock(); old && old != FOwner)
    throw EXMLDocError(
        QStringLiteral("Attribute \"%1\" belongs to another element").arg(Node->FName));
  const int at = IndexOf(Node);
  if (at >= 0) {
    items.erase(items.begin() + at);
    if (Index > at) --Index;
  } else if (FindNode(Node->FName)) {
    throw EXMLDocError(QStringLiteral("Element \"%1\" already has an attribute \"%2\"")
                           .arg(FOwner->FName, Node->FName));
  }
  items.insert(Index < 0 ? items.end() : items.begin() + Index, Node);
  Node->FParent = FOwner;
}

int IXMLNodeList::Delete(int Index) {
  auto& items = Items();
  if (Index < 0 || Index >= static_cast<int>(items.size()))
    throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  IXMLNode n = items[Index];
  items.erase(items.begin() + Index);
  n->FParent.reset();
  return Index;
}

int IXMLNodeList::Delete(const QString& Name) {
  const int i = IndexOf(Name);
  if (i >= 0) Delete(i);
  return i;
}

int IXMLNodeList::Remove(const IXMLNode& Node) {
  const int i = IndexOf(Node);
  if (i >= 0) Delete(i);
  return i;
}

void IXMLNodeList::Clear() {
  if (!FOwner) return;
  auto& items = Items();
  for (const IXMLNode& n : items) n->FParent.reset();
  items.clear();
}

std::vector<IXMLNode>::const_iterator IXMLNodeList::begin() const {
  return FOwner ? Items().cbegin() : EmptyNodes().cbegin();
}

std::vector<IXMLNode>::const_iterator IXMLNodeList::end() const {
  return FOwner ? Items().cend() : EmptyNodes().cend();
}

// ---------------------------------------------------------------------------
// TXMLNode

TXMLNode::TXMLNode(TNodeType type, const QString& name, const QString& value)
    : FType(type), FName(name), FValue(value) {}

QString TXMLNode::Text() const {
  if (FType != ntElement && FType != ntDocument && FType != ntDocFragment) return FValue;
  QString text;
  for (const IXMLNode& c : FChildren) {
    if (c->FType != ntText && c->FType != ntCData)
      throw EXMLDocError(
          QStringLiteral("Element \"%1\" does not contain a single text node").arg(FName));
    text += c->FValue;
  }
  return text;
}

void TXMLNode::SetText(const QString& Value) {
  if (FType != ntElement && FType != ntDocument && FType != ntDocFragment) {
    FValue = Value;
    return;
  }
  for (const IXMLNode& c : FChildren)
    if (c->FType != ntText && c->FType != ntCData)
      throw EXMLDocError(
          QStringLiteral("Element \"%1\" does not contain a single text node").arg(FName));
  if (FType == ntDocument && !Value.isEmpty())
    throw EXMLDocError(QStringLiteral("Text is not allowed outside the root element"));
  for (const IXMLNode& c : FChildren) c->FParent.reset();
  FChildren.clear();
  if (!Value.isEmpty()) {
    auto t = std::make_shared<TXMLNode>(ntText, QStringLiteral("#text"), Value);
    t->FParent = weak_from_this();
    FChildren.push_back(std::move(t));
  }
}

IXMLNodeList TXMLNode::ChildNodes() { return IXMLNodeList(shared_from_this(), false); }
IXMLNodeList TXMLNode::AttributeNodes() { return IXMLNodeList(shared_from_this(), true); }

bool TXMLNode::IsTextElement() const {
  return FType == ntElement && FChildren.size() == 1 &&
         (FChildren[0]->FType == ntText || FChildren[0]->FType == ntCData);
}

IXMLNode TXMLNode::AddChild(const QString& TagName, int Index) {
  CheckName(TagName, "element");
  auto e = std::make_shared<TXMLNode>(ntElement, TagName, QString());
  InsertChild(Index, e);
  return e;
}

QString TXMLNode::Attributes(const QString& AttrName) const {
  if (FType == ntElement) {
    for (const IXMLNode& a : FAttributes)
      if (a->FName == AttrName) return a->FValue;
    throw EXMLAttributeMissing(
        QStringLiteral("Attribute \"%1\" is missing in element \"%2\"").arg(AttrName, FName));
  }
  throw EXMLAttributeMissing(QStringLiteral("Attribute \"%1\" is missing: \"%2\" is a %3 node")
                                 .arg(AttrName, FName, NodeTypeText(FType)));
}

void TXMLNode::SetAttributes(const QString& AttrName, const QString& Value) {
  if (FType != ntElement)
    throw EXMLDocError(QStringLiteral("\"%1\" is a %2 node and cannot have attributes")
                           .arg(FName, NodeTypeText(FType)));
  for (const IXMLNode& a : FAttributes) {
    if (a->FName == AttrName) {
      a->FValue = Value;
      return;
    }
  }
  CheckName(AttrName, "attribute");
  auto a = std::make_shared<TXMLNode>(ntAttribute, AttrName, Value);
  a->FParent = weak_from_this();
  FAttributes.push_back(std::move(a));
}

bool TXMLNode::HasAttribute(const QString& AttrName) const {
  for (const IXMLNode& a : FAttributes)
    if (a->FName == AttrName) return true;
  return false;
}

IXMLNode TXMLNode::ParentNode() const {
  return FType == ntAttribute ? nullptr : FParent.lock();
}

int TXMLNode::IndexInParent() const {
  IXMLNode p = FParent.lock();
  if (!p) return -1;
  const auto& items = FType == ntAttribute ? p->FAttributes : p->FChildren;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i].get() == this) return static_cast<int>(i);
  return -1;
}

IXMLNode TXMLNode::NextSibling() const {
  IXMLNode p = ParentNode();
  const int i = IndexInParent();
  if (!p || i < 0 || i + 1 >= static_cast<int>(p->FChildren.size())) return nullptr;
  return p->FChildren[i + 1];
}

IXMLNode TXMLNode::PreviousSibling() const {
  IXMLNode p = ParentNode();
  const int i = IndexInParent();
  if (!p || i <= 0) return nullptr;
  return p->FChildren[i - 1];
}

QString TXMLNode::XML() const {
  XmlWriter w(false);
  w.Write(*this);
  return w.Out;
}

void TXMLNode::CheckCanHold(const IXMLNode& Node, bool replacing) const {
  if (!Node) throw EXMLDocError(QStringLiteral("Cannot add an empty node"));
  if (FType != ntElement && FType != ntDocument && FType != ntDocFragment)
    throw EXMLDocError(QStringLiteral("\"%1\" is a %2 node and cannot hold child nodes")
                           .arg(FName, NodeTypeText(FType)));
  if (Node->FType == ntDocument || Node->FType == ntAttribute)
    throw EXMLDocError(QStringLiteral("A %1 node cannot be added as a child node")
                           .arg(NodeTypeText(Node->FType)));
  for (const TXMLNode* p = this; p; p = p->FParent.lock().get())
    if (p == Node.get())
      throw EXMLDocError(QStringLiteral("Node \"%1\" cannot be added to itself or to a node below it")
                             .arg(Node->FName));
  if (FType == ntDocument) {
    if (Node->FType == ntText || Node->FType == ntCData)
      throw EXMLDocError(QStringLiteral("Text is not allowed outside the root element"));
    if (Node->FType == ntElement && !replacing) {
      for (const IXMLNode& c : FChildren)
        if (c->FType == ntElement && c != Node)
          throw EXMLDocError(QStringLiteral("The document already has the root element \"%1\"")
                                 .arg(c->FName));
    }
  } else if (Node->FType == ntDocType) {
    throw EXMLDocError(QStringLiteral("A document type can only stand at document level"));
  }
}

void TXMLNode::InsertChild(int Index, const IXMLNode& NodeRef) {
  // A copy: NodeRef may refer into the list the node is taken out of.
  const IXMLNode Node = NodeRef;
  CheckCanHold(Node, false);
  if (Index < -1 || Index > static_cast<int>(FChildren.size()))
    throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  if (IXMLNode old = Node->FParent.lock()) {
    const int at = Node->IndexInParent();
    if (old.get() == this && Index > at) --Index;
    old->RemoveChildAt(at);
  }
  FChildren.insert(Index < 0 ? FChildren.end() : FChildren.begin() + Index, Node);
  Node->FParent = weak_from_this();
}

IXMLNode TXMLNode::RemoveChildAt(int Index) {
  IXMLNode n = FChildren[Index];
  FChildren.erase(FChildren.begin() + Index);
  n->FParent.reset();
  return n;
}

// ---------------------------------------------------------------------------
// TXMLDocument

TXMLDocument::TXMLDocument(TComponent* AOwner) : TComponent(AOwner) {}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::CheckActive() const {
  if (!FDocNode) throw EXMLDocError(QStringLiteral("No active document"));
}

void TXMLDocument::SetActive(bool Value) {
  if (Value == Active()) return;
  if (!Value) {
    FDocNode.reset();
    return;
  }
  if (!FXMLSource.isEmpty()) {
    LoadFromXML(FXMLSource);
  } else if (!FFileName.isEmpty()) {
    LoadFromFile(FFileName);
  } else {
    FDocNode = std::make_shared<TXMLNode>(ntDocument, QStringLiteral("#document"), QString());
  }
}

void TXMLDocument::SetFileName(const QString& Value) {
  FFileName = Value;
  if (!Value.isEmpty()) FXMLSource.clear();
}

QString TXMLDocument::XML() const {
  if (!FDocNode) return FXMLSource;
  XmlWriter w(false);
  w.Write(*FDocNode);
  return w.Out;
}

void TXMLDocument::SetXML(const QString& Value) {
  if (Active()) {
    LoadFromXML(Value);
    return;
  }
  FXMLSource = Value;
  FFileName.clear();
}

namespace {

// The encoding a declaration at the start of 8-bit bytes names, as written
// (blanks kept) and where its value starts; "" when there is none. The
// declaration is read item by item as the parser reads it, so that a value
// holding "encoding='...'" names nothing.
QString DeclaredEncoding(const QByteArray& data, qsizetype& valueAt) {
  if (!data.startsWith("<?xml") || data.size() < 6 || !QChar::isSpace(static_cast<uchar>(data[5])))
    return QString();
  const auto space = [&](qsizetype i) { return i < data.size() && QChar::isSpace(static_cast<uchar>(data[i])); };
  qsizetype i = 5;
  while (i < data.size()) {
    while (space(i)) ++i;
    const qsizetype nameAt = i;
    while (i < data.size() && !space(i) && data[i] != '=' && data[i] != '?') ++i;
    const QByteArray name = data.mid(nameAt, i - nameAt);
    while (space(i)) ++i;
    if (name.isEmpty() || i >= data.size() || data[i] != '=') return QString();
    ++i;
    while (space(i)) ++i;
    if (i >= data.size() || (data[i] != '"' && data[i] != '\'')) return QString();
    const qsizetype close = data.indexOf(data[i], i + 1);
    if (close < 0) return QString();
    if (name == "encoding") {
      valueAt = i + 1;
      return QString::fromLatin1(data.mid(i + 1, close - i - 1));
    }
    i = close + 1;
  }
  return QString();
}

// The form XML gives an encoding name: a letter, then letters, digits, ".",
// "_" and "-".
bool IsEncodingName(const QString& name) {
  if (name.isEmpty() || name[0].unicode() >= 0x80 || !name[0].isLetter()) return false;
  return std::all_of(name.begin(), name.end(), [](QChar c) {
    return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'.' || c == u'_' || c == u'-');
  });
}

bool IsUtf8Name(const QString& declared) {
  const QString enc = declared.trimmed().toLower();
  return enc.isEmpty() || enc == QLatin1String("utf-8") || enc == QLatin1String("utf8");
}

// What the parser decodes itself: UTF-8, and Latin-1 under exactly these names.
bool ParserDecodes(const QString& declared) {
  const QString enc = declared.toLower();
  return IsUtf8Name(declared) || enc == QLatin1String("iso-8859-1") || enc == QLatin1String("latin1");
}

// True when Qt knows the encoding and it keeps ASCII as ASCII both ways
// (single-byte and ASCII-based multibyte encodings); false for names of 16- or 32-bit
// encodings, whose bytes a file starting with "<?xml" in ASCII cannot be in.
// Known is false when Qt does not know the name, or it is none.
bool AsciiBased(const QString& declared, bool& known) {
  known = IsEncodingName(declared.trimmed());
  if (!known) return false;
  QStringDecoder dec(declared.trimmed().toLatin1().constData());
  known = dec.isValid();
  if (!known) return false;
  static const QByteArray probe("<?xml version=\"1.0\"?><a b='c'>d</a>");
  QStringEncoder enc(declared.trimmed().toLatin1().constData());
  return QString(dec(probe)) == QString::fromLatin1(probe) &&
         QByteArray(enc(QString::fromLatin1(probe))) == probe;
}

}  // namespace

void TXMLDocument::LoadFromFile(const QString& AFileName) {
  const QString name = AFileName.isEmpty() ? FFileName : AFileName;
  FDocNode.reset();
  if (name.isEmpty()) throw EXMLDocError(QStringLiteral("No file name given to load"));
  FFileName = name;
  FXMLSource.clear();
  QFile f(name);
  if (!f.open(QIODevice::ReadOnly))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(name, f.errorString()));
  const QByteArray data = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw EReadError(QStringLiteral("Cannot read file \"%1\". %2").arg(name, f.errorString()));
  Parse(data, QStringLiteral("file \"%1\"").arg(name), false);
}

void TXMLDocument::LoadFromXML(const QString& Text) {
  FDocNode.reset();
  FFileName.clear();
  FXMLSource = Text;
  // The text is already decoded: an encoding named in its declaration is not
  // applied to it a second time.
  Parse(Text.toUtf8(), QStringLiteral("XML text"), true);
}

void TXMLDocument::SaveToXML(QString& Text) const {
  CheckActive();
  Text = XML();
}

void TXMLDocument::Parse(const QByteArray& raw, const QString& source, bool isUtf8) {
  // UTF-16 input is turned into UTF-8 here, so that error positions can be
  // counted in the text pugixml parses; everything else goes to pugixml as it is.
  QByteArray data = raw;
  qint64 skipped = 0;
  pugi::xml_encoding encoding = isUtf8 ? pugi::encoding_utf8 : pugi::encoding_auto;
  const auto starts = [&](const char* bytes, int n) {
    return data.size() >= n && memcmp(data.constData(), bytes, n) == 0;
  };
  if (isUtf8) {
    // Given as text: nothing to detect.
  } else if (starts("\xEF\xBB\xBF", 3)) {
    data.remove(0, 3);
    skipped = 3;
    encoding = pugi::encoding_utf8;
  } else if (starts("\xFF\xFE", 2) && !starts("\xFF\xFE\0\0", 4)) {
    QStringDecoder dec(QStringDecoder::Utf16LE);
    data = QString(dec(data.mid(2))).toUtf8();
    encoding = pugi::encoding_utf8;
  } else if (starts("\xFE\xFF", 2)) {
    QStringDecoder dec(QStringDecoder::Utf16BE);
    data = QString(dec(data.mid(2))).toUtf8();
    encoding = pugi::encoding_utf8;
  } else if (starts("<\0?\0", 4)) {
    QStringDecoder dec(QStringDecoder::Utf16LE);
    data = QString(dec(data)).toUtf8();
    encoding = pugi::encoding_utf8;
  } else if (starts("\0<\0?", 4)) {
    QStringDecoder dec(QStringDecoder::Utf16BE);
    data = QString(dec(data)).toUtf8();
    encoding = pugi::encoding_utf8;
  } else if (qsizetype at = 0; !ParserDecodes(DeclaredEncoding(data, at))) {
    // Another encoding named by the declaration: decoded here, as the parser
    // would read its bytes as UTF-8.
    const QString declared = DeclaredEncoding(data, at);
    bool known = false;
    if (AsciiBased(declared, known)) {
      QStringDecoder dec(declared.trimmed().toLatin1().constData());
      data = QString(dec(data)).toUtf8();
      encoding = pugi::encoding_utf8;
    } else if (!known) {
      const QString reason = QStringLiteral("The encoding \"%1\" named by the XML declaration is unknown").arg(declared);
      throw EDOMParseError(QStringLiteral("Error loading %1: %2 (line 1, column %3)").arg(source, reason).arg(at + 1),
                           reason, 1, static_cast<int>(at + 1), at);
    }
  }

  pugi::xml_document doc;
  // As a fragment, so that text outside the root element reaches the checks below
  // instead of being dropped silently.
  const unsigned flags = pugi::parse_full | pugi::parse_ws_pcdata_single | pugi::parse_fragment;
  const pugi::xml_parse_result result =
      doc.load_buffer(data.constData(), static_cast<size_t>(data.size()), flags, encoding);
  QString reason;
  ptrdiff_t offset = -1;
  IXMLNode root;
  if (!result) {
    reason = QString::fromUtf8(result.description());
    offset = result.offset;
  } else {
    root = XmlReader::Convert(doc, reason, offset);
  }
  if (root) {
    FDocNode = std::move(root);
    return;
  }
  int line = 0;
  int column = 0;
  QString where;
  if (offset >= 0 && offset <= data.size()) {
    const qsizetype lineStart = offset > 0 ? data.lastIndexOf('\n', offset - 1) + 1 : 0;
    line = static_cast<int>(data.left(offset).count('\n')) + 1;
    column = QString::fromUtf8(data.mid(lineStart, offset - lineStart)).size() + 1;
    where = QStringLiteral(" (line %1, column %2)").arg(line).arg(column);
  }
  throw EDOMParseError(QStringLiteral("Error loading %1: %2%3").arg(source, reason, where),
                       reason, line, column, offset >= 0 ? offset + skipped : -1);
}

QByteArray TXMLDocument::Serialize() const {
  const QString enc = Encoding().trimmed().toLower();
  const bool utf16 = enc.startsWith(QLatin1String("utf-16")) || enc == QLatin1String("unicode");
  const bool asciiOnly =
      !enc.isEmpty() && !utf16 && enc != QLatin1String("utf-8") && enc != QLatin1String("utf8");
  XmlWriter w(asciiOnly);
  w.Write(*FDocNode);
  // A declaration naming another encoding that keeps ASCII as ASCII (Latin-1,
  // Windows-1252, ISO-8859-2 ...) makes the reader decode the file in it, so
  // the characters that cannot be references (in names, comments, CDATA and
  // processing instructions) are written in it; one it cannot hold cannot be
  // written at all, and saving refuses it instead of writing a file that reads
  // back different. So does an encoding the reader does not know.
  bool known = true;
  if (!utf16 && !IsUtf8Name(Encoding()) && (AsciiBased(Encoding(), known) || !known)) {
    if (!known)
      throw EXMLDocError(QStringLiteral("The encoding \"%1\" of the document is unknown").arg(Encoding()));
    const QByteArray name = Encoding().trimmed().toLatin1();
    // The bytes; Ok false when they do not read back to the text (a character
    // the encoding cannot hold, or one it reads back as another).
    const auto encode = [&name](QStringView text, bool& ok) {
      QStringEncoder encoder(name.constData());
      const QByteArray bytes = encoder(text);
      QStringDecoder dec(name.constData());
      ok = !encoder.hasError() && QString(dec(bytes)) == text;
      return bytes;
    };
    bool ok = false;
    const QByteArray bytes = encode(w.Out, ok);
    if (ok) return bytes;
    for (qsizetype i = 0; i < w.Out.size(); ++i) {
      const qsizetype n = w.Out[i].isHighSurrogate() && i + 1 < w.Out.size() ? 2 : 1;
      (void)encode(QStringView(w.Out).mid(i, n), ok);
      if (!ok)
        throw EXMLDocError(QStringLiteral("The character U+%1 cannot be written in the encoding \"%2\" of the document")
                               .arg(QStringView(w.Out).mid(i, n).toUcs4().value(0), 4, 16, QLatin1Char('0'))
                               .arg(Encoding()));
      i += n - 1;
    }
    throw EXMLDocError(QStringLiteral("The document cannot be written in its encoding \"%1\"").arg(Encoding()));
  }
  if (!utf16) return w.Out.toUtf8();
  QByteArray bytes("\xFF\xFE", 2);
  for (QChar c : std::as_const(w.Out)) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
}

void TXMLDocument::SaveToFile(const QString& AFileName) const {
  CheckActive();
  const QString name = AFileName.isEmpty() ? FFileName : AFileName;
  if (name.isEmpty()) throw EXMLDocError(QStringLiteral("No file name given to save"));
  const QByteArray bytes = Serialize();
  QSaveFile f(name);
  if (!f.open(QIODevice::WriteOnly))
    throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(name, f.errorString()));
  if (f.write(bytes) != bytes.size() || !f.commit())
    throw EWriteError(QStringLiteral("Cannot write file \"%1\". %2").arg(name, f.errorString()));
}

IXMLNode TXMLDocument::Node() const {
  CheckActive();
  return FDocNode;
}

IXMLNodeList TXMLDocument::ChildNodes() const {
  CheckActive();
  return FDocNode->ChildNodes();
}

IXMLNode TXMLDocument::DocumentElement() const {
  CheckActive();
  for (const IXMLNode& c : FDocNode->FChildren)
    if (c->FType == ntElement) return c;
  return nullptr;
}

void TXMLDocument::SetDocumentElement(const IXMLNode& ValueRef) {
  CheckActive();
  const IXMLNode Value = ValueRef;
  IXMLNode old = DocumentElement();
  if (Value == old) return;
  if (!Value || Value->FType != ntElement)
    throw EXMLDocError(QStringLiteral("The root of a document must be an element"));
  FDocNode->CheckCanHold(Value, true);
  if (!old) {
    FDocNode->InsertChild(-1, Value);
    return;
  }
  if (IXMLNode p = Value->FParent.lock()) p->RemoveChildAt(Value->IndexInParent());
  const int at = old->IndexInParent();
  FDocNode->RemoveChildAt(at);
  FDocNode->FChildren.insert(FDocNode->FChildren.begin() + at, Value);
  Value->FParent = FDocNode;
}

bool TXMLDocument::IsEmptyDoc() const { return !FDocNode || FDocNode->FChildren.empty(); }

IXMLNode TXMLDocument::CreateNode(const QString& NameOrData, TNodeType NodeType,
                                  const QString& AddlData) const {
  switch (NodeType) {
    case ntElement:
      CheckName(NameOrData, "element");
      return std::make_shared<TXMLNode>(ntElement, NameOrData, QString());
    case ntAttribute:
      CheckName(NameOrData, "attribute");
      return std::make_shared<TXMLNode>(ntAttribute, NameOrData, AddlData);
    case ntText:
      return std::make_shared<TXMLNode>(ntText, QStringLiteral("#text"), NameOrData);
    case ntCData:
      return std::make_shared<TXMLNode>(ntCData, QStringLiteral("#cdata-section"), NameOrData);
    case ntComment:
      return std::make_shared<TXMLNode>(ntComment, QStringLiteral("#comment"), NameOrData);
    case ntProcessingInstr:
      CheckName(NameOrData, "processing instruction");
      return std::make_shared<TXMLNode>(ntProcessingInstr, NameOrData, AddlData);
    default:
      throw EXMLDocError(
          QStringLiteral("Cannot create a %1 node").arg(NodeTypeText(NodeType)));
  }
}

IXMLNode TXMLDocument::AddChild(const QString& TagName) {
  CheckActive();
  IXMLNode e = CreateNode(TagName, ntElement);
  FDocNode->InsertChild(-1, e);
  return e;
}

IXMLNode TXMLDocument::Declaration() const {
  if (!FDocNode) return nullptr;
  for (const IXMLNode& c : FDocNode->FChildren)
    if (c->FType == ntProcessingInstr && c->FName.compare(QLatin1String("xml"), Qt::CaseInsensitive) == 0)
      return c;
  return nullptr;
}

namespace {
// The pseudo-attributes of a declaration ("version", "encoding", "standalone").
QList<std::pair<QString, QString>> DeclarationItems(const QString& text) {
  static const QRegularExpression re(
      QStringLiteral("([A-Za-z_:][-A-Za-z0-9_.:]*)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
  QList<std::pair<QString, QString>> items;
  for (auto it = re.globalMatch(text); it.hasNext();) {
    const auto m = it.next();
    items.append({m.captured(1), m.capturedStart(2) >= 0 ? m.captured(2) : m.captured(3)});
  }
  return items;
}

QString DeclarationItem(const IXMLNode& decl, const QString& name) {
  if (!decl) return QString();
  for (const auto& [key, value] : DeclarationItems(decl->NodeValue()))
    if (key == name) return value;
  return QString();
}
}  // namespace

QString TXMLDocument::Version() const {
  return DeclarationItem(Declaration(), QStringLiteral("version"));
}

QString TXMLDocument::Encoding() const {
  return DeclarationItem(Declaration(), QStringLiteral("encoding"));
}

void TXMLDocument::SetVersion(const QString& Value) {
  SetDeclarationValue(QStringLiteral("version"), Value);
}

void TXMLDocument::SetEncoding(const QString& Value) {
  SetDeclarationValue(QStringLiteral("encoding"), Value);
}

void TXMLDocument::SetDeclarationValue(const QString& name, const QString& value) {
  CheckActive();
  IXMLNode decl = Declaration();
  if (!decl) {
    decl = std::make_shared<TXMLNode>(ntProcessingInstr, QStringLiteral("xml"),
                                      QStringLiteral("version=\"1.0\""));
    FDocNode->InsertChild(0, decl);
  }
  auto items = DeclarationItems(decl->FValue);
  bool found = false;
  for (auto& item : items) {
    if (item.first == name) {
      item.second = value;
      found = true;
    }
  }
  if (!found) items.append({name, value});
  // The declaration's items have a fixed order.
  static const QStringList order{QStringLiteral("version"), QStringLiteral("encoding"),
                                 QStringLiteral("standalone")};
  std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
    return order.indexOf(a.first) < order.indexOf(b.first);
  });
  QStringList parts;
  for (const auto& [key, v] : items)
    if (!v.isEmpty() || key == QLatin1String("version"))
      parts << key + QLatin1String("=\"") + v + u'"';
  decl->FValue = parts.join(u' ');
}
