// XML documents as in-memory trees: numbered documents, nodes, navigation and
// editing.
//
// Mixed content is kept losslessly: a node holds all of its character data as
// one string, and each child records in textOffset how many characters of its
// parent's text stand between the previous sibling (or the start of the text)
// and itself.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "runtime/constants.h"
#include "runtime/text.h"

namespace kv {

enum XmlNodeKind : int16_t {
  NodeRoot = 0,  // the document node; exactly one per document
  NodeElement = 1,
  NodeComment = 2,
  NodeCData = 3,
  NodeDoctype = 4,
  NodeInstruction = 5,
};

enum NewlineStyle : int {
  NewlineNone = 0,
  NewlineCrLf = 1,
  NewlineLf = 2,
  NewlineCr = 4,
};

// Name and value comparisons of XmlChildElement and XmlAttributeValue.
constexpr int CaseInsensitive = 0x200;

// A node string. Strings made by the parser are carved from the document's
// arena and released with it; strings set later are their own heap blocks.
struct XmlString {
  char16_t* data = nullptr;
  uint32_t length = 0;
  bool inArena = false;

  TextView View() const { return {data, length}; }
};

struct XmlAttribute {
  XmlString name;
  XmlString value;
};

struct XmlDocument;

struct XmlNode {
  XmlNode* parent;  // null for the NodeRoot
  XmlNode* firstChild;
  XmlNode* previousSibling;
  XmlNode* nextSibling;
  XmlString name;  // element name, or instruction target
  XmlString text;  // all character data, or the comment, CDATA, doctype or instruction text
  XmlAttribute* attributes;  // in document order; elements only
  XmlDocument* document;
  int32_t textOffset;
  XmlNodeKind kind;
  int16_t attributeCount;
  int16_t spareAttributeSlots;  // the array grows four pairs at a time
};

class NodePool;
class StringArena;
struct XmlParse;
struct XmlParseDeleter {
  void operator()(XmlParse* parse) const;
};

struct XmlDocument {
  XmlNode* rootNode = nullptr;
  XmlNode* mainNode = nullptr;  // the first element created under the root
  TextFormat encoding = FormatUtf8;  // of the output
  int standalone = -1;  // -1 not stated, 0 "no", 1 "yes"
  NewlineStyle newlineStyle = NewlineCrLf;
  int status = 0;  // parser error code, 0 when well-formed
  int errorLine = 0;
  int errorColumn = 0;
  Text errorMessage;
  int number = 0;  // what callers name the document by
  bool encodingFixed = false;  // the XML declaration does not change the encoding
  NodePool* pool = nullptr;
  std::unique_ptr<StringArena> arena;
  std::unique_ptr<XmlParse, XmlParseDeleter> parser;  // only between parts of a progressive parse

  ~XmlDocument();
};

// Creates the document table and the node pool up front; they are otherwise
// made on first use.
void InitXmlLibrary();
void FreeAllXmlDocuments();

// number >= 0, or KV_Any to have one chosen (see XmlDocument::number). A
// document already at that number is freed first. Null on failure.
XmlDocument* CreateXmlDocument(int number, TextFormat encoding = FormatUtf8);
// KV_Any frees every document.
void FreeXmlDocument(int number);
XmlDocument* IsXmlDocument(int number);
XmlNode* XmlRootNode(const XmlDocument* document);
XmlNode* XmlMainNode(const XmlDocument* document);

// Field reads; a null node gives null, 0 or empty text.
XmlNode* XmlFirstChild(const XmlNode* node);
XmlNode* XmlNextSibling(const XmlNode* node);
XmlNode* XmlPreviousSibling(const XmlNode* node);
XmlNode* XmlParentNode(const XmlNode* node);
TextView XmlNodeName(const XmlNode* node);
TextView XmlNodeText(const XmlNode* node);
int XmlAttributeCount(const XmlNode* node);

struct XmlAttributeView {
  TextView name;
  TextView value;
};
// An index outside 0..count-1 gives two empty texts.
XmlAttributeView XmlAttributeAt(const XmlNode* node, int index);

// The first node of the sibling chain starting at first (itself included) that
// is an element named name. name is in the system's ANSI code page, as record
// descriptors hold it: a leading '*' is skipped and one trailing '$' removed.
XmlNode* XmlChildElement(const XmlNode* first, std::string_view name, int flags = 0);
// The value of the element's first attribute named name, or nothing.
std::optional<TextView> XmlAttributeValue(const XmlNode* element, TextView name, int flags = 0);

// previous argument of CreateXmlNode: append after the last child.
inline XmlNode* const XmlAppend = reinterpret_cast<XmlNode*>(static_cast<intptr_t>(-1));

// Creates a node under parent (a NodeRoot or NodeElement): as first child when
// previous is null, right after previous when it is a child of parent, else as
// last child. Refused (null) for kind NodeRoot, and for a second element
// directly under the root.
XmlNode* CreateXmlNode(XmlNode* parent, XmlNode* previous, TextView name, XmlNodeKind kind);
// Elements and instructions only.
void SetXmlNodeName(XmlNode* node, TextView name);
void SetXmlNodeText(XmlNode* node, TextView text);
// Replaces the value of the attribute named exactly name, or appends a pair.
void SetXmlAttribute(XmlNode* element, TextView name, TextView value);

}  // namespace kv
