// The XML document component: a document object model that the windows use to
// read and write their configuration files.
//
// Model. A document is a tree of reference-counted nodes (IXMLNode is a shared
// pointer), so code can keep nodes in variables: a node stays valid after it is
// removed from its parent or after the document is cleared or deactivated, and the
// same node always comes back as the same pointer (nodes compare with ==). The
// document itself is a node of type ntDocument (TXMLDocument::Node()); its child
// list holds every document-level node in file order, the XML declaration (an
// ntProcessingInstr named "xml"), comments and processing instructions included.
// Code that takes "the document's first node" as the root therefore gets the
// comment or the declaration when a file starts with one.
//
// Reading. Files are parsed with pugixml. The encoding is taken from the byte-order
// mark or the declaration (UTF-8 when there is neither). A declaration may name
// any encoding that keeps ASCII as ASCII and that Qt knows (Windows-1252,
// ISO-8859-2, KOI8-R, Shift_JIS ...); a name Qt does not know raises
// EDOMParseError. Whitespace-only text
// between elements (indentation) is dropped; whitespace-only text that is the only
// content of an element is kept, and element text is never trimmed. A file that is
// not well-formed, or that holds no root element, several root elements or text
// at document level, raises EDOMParseError naming the file, the line and the column;
// so does a declaration with other names than version, encoding and standalone, or
// with references in its values.
//
// Writing (SaveToFile, SaveToXML, XML) produces the byte form of the framework's
// document with default options, which the configuration files take:
//   - UTF-8 without byte-order mark; no XML declaration unless the document holds
//     one (loaded with the file, or created through SetVersion / SetEncoding);
//   - no indentation and no whitespace anywhere that the document does not hold:
//     not between elements, not between document-level nodes, not at the end;
//   - attributes in the order they were first set, in double quotes;
//   - an element without child nodes is written self-closed, "<row a="1"/>";
//     setting an element's Text to "" removes its children, so it too is written
//     self-closed;
//   - comments as "<!--text-->" at the place they have in the tree;
//   - escaping in text: & < > as &amp; &lt; &gt;; in attribute values also the
//     double quote as &quot;. Line breaks and tabs in attribute values, and carriage
//     returns in text, are written as character references (&#xD; &#xA; &#x9;) so
//     that they read back unchanged (a parser turns literal ones into blanks or
//     drops the CR); other control characters are written as references too.
//     The apostrophe and non-ASCII characters are written as they are (UTF-8).
//   - A declaration naming UTF-16 writes UTF-16 little endian with its byte-order
//     mark; a declaration naming any other encoding than UTF-8 keeps the text
//     ASCII by writing non-ASCII characters of text and attribute values as
//     character references, which is correct in every such encoding. Names,
//     comments, CDATA and processing instructions cannot hold references: they
//     go out in the declared encoding when it keeps ASCII as ASCII (the reader
//     decodes the file in it; else as UTF-8), and a character that encoding
//     cannot hold there makes saving raise EXMLDocError; so does a declared
//     encoding that Qt does not know.
//   - A comment holding "--" (not allowed in XML) is written with "- -" in its place.
//
// Lookups by name are case-sensitive, as XML is. Reading a child by name
// (ChildNodes()[name]) or an attribute that is not there raises an EXMLDocError
// that names what is missing; FindNode and HasAttribute are the quiet forms.
// A lookup never creates the node it looks for.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

ZIDI_DECLARE_EXCEPTION(EXMLDocError, Exception);
// Reading an attribute that the element does not carry.
ZIDI_DECLARE_EXCEPTION(EXMLAttributeMissing, EXMLDocError);

// A document that cannot be parsed. Line and LinePos are 1-based (0 when unknown),
// FilePos is the byte offset of the error in the file.
class EDOMParseError : public EXMLDocError {
 public:
  EDOMParseError(const QString& message, const QString& reason, int line, int linePos,
                 qint64 filePos)
      : EXMLDocError(message), FReason(reason), FLine(line), FLinePos(linePos),
        FFilePos(filePos) {}
  const QString& Reason() const { return FReason; }
  int Line() const { return FLine; }
  int LinePos() const { return FLinePos; }
  qint64 FilePos() const { return FFilePos; }

 private:
  QString FReason;
  int FLine = 0;
  int FLinePos = 0;
  qint64 FFilePos = 0;
};

enum TNodeType {
  ntReserved, ntElement, ntAttribute, ntText, ntCData, ntEntityRef, ntEntity,
  ntProcessingInstr, ntComment, ntDocument, ntDocType, ntDocFragment, ntNotation
};

class TXMLNode;
using IXMLNode = std::shared_ptr<TXMLNode>;

// The list of a node's children (or of an element's attributes). A light handle:
// copies refer to the same list, and it stays usable as long as it is held.
class IXMLNodeList {
 public:
  IXMLNodeList() = default;

  int Count() const;
  // The node at Index (0-based); raises EXMLDocError "List index out of bounds (n)".
  IXMLNode Nodes(int Index) const;
  // The first node named Name; raises EXMLDocError when there is none.
  IXMLNode Nodes(const QString& Name) const;
  IXMLNode operator[](int Index) const { return Nodes(Index); }
  IXMLNode operator[](const QString& Name) const { return Nodes(Name); }
  IXMLNode operator[](const char* Name) const { return Nodes(QString::fromUtf8(Name)); }
  // The first node named NodeName, or nullptr.
  IXMLNode FindNode(const QString& NodeName) const;
  // The first and last node, nullptr when the list is empty.
  IXMLNode First() const;
  IXMLNode Last() const;
  // Position of the node (or of the first node of that name), -1 when absent.
  int IndexOf(const IXMLNode& Node) const;
  int IndexOf(const QString& Name) const;

  // Appends Node (moving it from where it was) and returns its index.
  int Add(const IXMLNode& Node);
  // Inserts Node before position Index; -1 or Count appends.
  void Insert(int Index, const IXMLNode& Node);
  // Removes the node at Index; returns Index.
  int Delete(int Index);
  // Removes the first node named Name; returns its index, -1 when absent.
  int Delete(const QString& Name);
  // Removes Node; returns its former index, -1 when it was not in the list.
  int Remove(const IXMLNode& Node);
  void Clear();

  // The node whose list this is.
  IXMLNode Owner() const { return FOwner; }

  std::vector<IXMLNode>::const_iterator begin() const;
  std::vector<IXMLNode>::const_iterator end() const;

 private:
  friend class TXMLNode;
  IXMLNodeList(IXMLNode owner, bool attributes)
      : FOwner(std::move(owner)), FAttributes(attributes) {}
  std::vector<IXMLNode>& Items() const;
  IXMLNode FOwner;
  bool FAttributes = false;
};

// One node of a document: element, attribute, text, CDATA, comment, processing
// instruction (the XML declaration is one, named "xml"), document type or the
// document itself. Nodes are created by TXMLDocument::CreateNode or AddChild.
class TXMLNode : public std::enable_shared_from_this<TXMLNode> {
 public:
  TXMLNode(TNodeType type, const QString& name, const QString& value);
  TXMLNode(const TXMLNode&) = delete;
  TXMLNode& operator=(const TXMLNode&) = delete;

  TNodeType NodeType() const { return FType; }
  // Element and attribute names, the target of a processing instruction,
  // "#text", "#cdata-section", "#comment", "#document", "#doctype" otherwise.
  const QString& NodeName() const { return FName; }

  // Element: its text. An element without children has the text "", one whose
  // children are text and CDATA nodes the text they hold; an element with other
  // children raises EXMLDocError ("... does not contain a single text node").
  // Other nodes: their value (the attribute value, comment text ...).
  QString Text() const;
  // Element: replaces its children with one text node ("" leaves no child);
  // raises when it has element, comment or other non-text children.
  void SetText(const QString& Value);
  QString NodeValue() const { return Text(); }
  void SetNodeValue(const QString& Value) { SetText(Value); }

  IXMLNodeList ChildNodes();
  IXMLNodeList AttributeNodes();
  bool HasChildNodes() const { return !FChildren.empty(); }
  // True for an element whose only child is a text or CDATA node.
  bool IsTextElement() const;

  // Creates an element named TagName and appends it (or inserts it before Index).
  IXMLNode AddChild(const QString& TagName, int Index = -1);

  // The attribute's value; raises EXMLAttributeMissing naming the attribute and
  // the element when the element does not carry it.
  QString Attributes(const QString& AttrName) const;
  // Sets the attribute, keeping its place when it exists, else appending it.
  void SetAttributes(const QString& AttrName, const QString& Value);
  bool HasAttribute(const QString& AttrName) const;

  // The parent (the document node for document-level nodes); nullptr for the
  // document, for attributes and for a node that is in no tree.
  IXMLNode ParentNode() const;
  IXMLNode NextSibling() const;
  IXMLNode PreviousSibling() const;

  // The node written as XML text (the same form SaveToFile uses).
  QString XML() const;

 private:
  friend class IXMLNodeList;
  friend class TXMLDocument;
  friend class XmlWriter;
  friend class XmlReader;
  int IndexInParent() const;
  void CheckCanHold(const IXMLNode& Node, bool replacing) const;
  void InsertChild(int Index, const IXMLNode& Node);
  IXMLNode RemoveChildAt(int Index);

  TNodeType FType;
  QString FName;
  QString FValue;
  std::weak_ptr<TXMLNode> FParent;
  std::vector<IXMLNode> FChildren;
  std::vector<IXMLNode> FAttributes;
};

// The document component. It is inactive until LoadFromFile, LoadFromXML or
// SetActive(true); while inactive, reaching its nodes raises "No active document".
class TXMLDocument : public TComponent {
 public:
  explicit TXMLDocument(TComponent* AOwner = nullptr);
  ~TXMLDocument() override;

  bool Active() const { return static_cast<bool>(FDocNode); }
  // True loads the XML text set with SetXML, else the file named by FileName,
  // else starts an empty document; nothing happens when already active.
  // False drops the document (nodes kept in variables stay valid but detached).
  void SetActive(bool Value);

  const QString& FileName() const { return FFileName; }
  // Names the file that SetActive(true) loads and SaveToFile() writes; an active
  // document keeps its nodes (nothing is reloaded or lost).
  void SetFileName(const QString& Value);

  // Active: the document as XML text. Inactive: the text set with SetXML.
  QString XML() const;
  // Sets the XML text that SetActive(true) parses; an active document parses it
  // at once (as LoadFromXML).
  void SetXML(const QString& Value);

  // Parses the file (FileName when AFileName is empty) and makes the document
  // active. Raises EFOpenError when the file cannot be read and EDOMParseError
  // when it is no well-formed document; the document is then inactive.
  void LoadFromFile(const QString& AFileName = QString());
  // Writes the document to the file (FileName when AFileName is empty),
  // replacing it; raises EFCreateError when it cannot be written.
  void SaveToFile(const QString& AFileName = QString()) const;
  void LoadFromXML(const QString& Text);
  void SaveToXML(QString& Text) const;

  // The document node; its ChildNodes are the document-level nodes.
  IXMLNode Node() const;
  IXMLNodeList ChildNodes() const;
  // The root element, nullptr when there is none.
  IXMLNode DocumentElement() const;
  // Replaces the root element (or appends Value when there is none).
  void SetDocumentElement(const IXMLNode& Value);
  bool IsEmptyDoc() const;

  // A new node that belongs to no tree yet: ntElement (NameOrData = tag name),
  // ntText / ntCData / ntComment (NameOrData = the text), ntProcessingInstr
  // (NameOrData = target, AddlData = its data), ntAttribute (name, AddlData = value).
  IXMLNode CreateNode(const QString& NameOrData, TNodeType NodeType = ntElement,
                      const QString& AddlData = QString()) const;
  // Creates the root element; raises when the document already has one.
  IXMLNode AddChild(const QString& TagName);

  // The declaration's version and encoding ("" without declaration). Setting
  // one creates the declaration (version "1.0") at the top when there is none.
  QString Version() const;
  void SetVersion(const QString& Value);
  QString Encoding() const;
  void SetEncoding(const QString& Value);

 private:
  void CheckActive() const;
  void Parse(const QByteArray& data, const QString& source, bool isUtf8);
  QByteArray Serialize() const;
  IXMLNode Declaration() const;
  void SetDeclarationValue(const QString& name, const QString& value);

  IXMLNode FDocNode;
  QString FFileName;
  QString FXMLSource;
};
