#include "xml/parse.h"

#include <expat.h>

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

#include "storage/file_streams.h"
#include "xml/detail/expat_text.h"
#include "xml/detail/library.h"

namespace kv {

namespace {

constexpr size_t kFilePieceBytes = 16384;
constexpr size_t kFirstBlockBytes = 10240;
constexpr int kLastDescribedError = 40;

struct OpenNode {
  XmlNode* node = nullptr;
  Text text;  // moved into the node when it closes
};

}  // namespace

// The parser of a document and the cursor of the tree being built.
struct XmlParse {
  XML_Parser parser = nullptr;
  XmlDocument* document = nullptr;
  std::vector<OpenNode> open;  // open[0..depth]: the root down to the current node
  size_t depth = 0;
  XmlNode* lastChild = nullptr;  // last finished child of the current node
  size_t sinceChild = 0;         // characters appended to the current node since then

  ~XmlParse() { XML_ParserFree(parser); }

  OpenNode& Current() { return open[depth]; }
};

void XmlParseDeleter::operator()(XmlParse* parse) const { delete parse; }

namespace {

void Append(XmlParse& parse, TextView text) {
  parse.Current().text.append(text);
  parse.sinceChild += text.size();
}

// The parser reports every line break as LF; put back the document's own.
template <class Char>
void AppendConverted(XmlParse& parse, const Char* data, size_t length) {
  Text& text = parse.Current().text;
  size_t before = text.size();
  AppendExpatText(text, data, length);
  NewlineStyle style = parse.document->newlineStyle;
  if (style == NewlineCrLf || style == NewlineCr) {
    for (size_t i = before; i < text.size(); ++i) {
      if (text[i] != u'\n') continue;
      if (style == NewlineCr) {
        text[i] = u'\r';
      } else {
        text.insert(i++, 1, u'\r');
      }
    }
  }
  parse.sinceChild += text.size() - before;
}

void OpenChild(XmlParse& parse, XmlNodeKind kind) {
  XmlDocument& document = *parse.document;
  XmlNode* parent = parse.Current().node;
  XmlNode* node = document.pool->Take();
  node->kind = kind;
  node->document = &document;
  node->textOffset = static_cast<int32_t>(std::min<size_t>(parse.sinceChild, INT32_MAX));
  LinkNode(parent, parse.lastChild, node);
  if (kind == NodeElement && parent->kind == NodeRoot && !document.mainNode) {
    document.mainNode = node;
  }
  if (++parse.depth == parse.open.size()) parse.open.emplace_back();
  parse.Current().node = node;
  parse.Current().text.clear();
  parse.lastChild = nullptr;
  parse.sinceChild = 0;
}

void StoreText(XmlParse& parse, OpenNode& open) {
  open.node->text = MakeParsedString(*parse.document->arena, open.text);
}

void CloseCurrent(XmlParse& parse) {
  if (parse.depth == 0) return;
  OpenNode& closing = parse.Current();
  StoreText(parse, closing);
  parse.lastChild = closing.node;
  parse.sinceChild = 0;
  --parse.depth;
}

bool InDoctype(XmlParse& parse) { return parse.Current().node->kind == NodeDoctype; }

// Callbacks run inside expat: no exception may leave them.
template <class Body>
void Guarded(void* user, Body body) {
  auto& parse = *static_cast<XmlParse*>(user);
  try {
    body(parse);
  } catch (const std::bad_alloc&) {
    XML_StopParser(parse.parser, XML_FALSE);
  }
}

void OnStartElement(void* user, const XML_Char* name, const XML_Char** attributes) {
  Guarded(user, [&](XmlParse& parse) {
    OpenChild(parse, NodeElement);
    XmlNode* node = parse.Current().node;
    StringArena& arena = *parse.document->arena;
    node->name = MakeParsedString(arena, FromExpat(name));
    size_t count = 0;
    while (attributes[2 * count] && count < INT16_MAX) ++count;
    if (count == 0) return;
    node->attributes = new XmlAttribute[count];
    for (size_t i = 0; i < count; ++i) {
      node->attributes[i] = {MakeParsedString(arena, FromExpat(attributes[2 * i])),
                             MakeParsedString(arena, FromExpat(attributes[2 * i + 1]))};
      node->attributeCount = static_cast<int16_t>(i + 1);
    }
  });
}

void OnEndElement(void* user, const XML_Char*) {
  Guarded(user, [](XmlParse& parse) { CloseCurrent(parse); });
}

void OnCharacterData(void* user, const XML_Char* data, int length) {
  Guarded(user, [&](XmlParse& parse) { AppendConverted(parse, data, length); });
}

void OnComment(void* user, const XML_Char* data) {
  Guarded(user, [&](XmlParse& parse) {
    // Inside the internal subset the comment stays part of the declaration text.
    if (InDoctype(parse)) {
      Append(parse, u"<!--");
      AppendConverted(parse, data, std::char_traits<XML_Char>::length(data));
      Append(parse, u"-->");
      return;
    }
    OpenChild(parse, NodeComment);
    AppendConverted(parse, data, std::char_traits<XML_Char>::length(data));
    CloseCurrent(parse);
  });
}

void OnInstruction(void* user, const XML_Char* target, const XML_Char* data) {
  Guarded(user, [&](XmlParse& parse) {
    if (InDoctype(parse)) {
      Append(parse, u"<?");
      Append(parse, FromExpat(target));
      Append(parse, u" ");
      AppendConverted(parse, data, std::char_traits<XML_Char>::length(data));
      Append(parse, u"?>");
      return;
    }
    OpenChild(parse, NodeInstruction);
    XmlNode* node = parse.Current().node;
    node->name = MakeParsedString(*parse.document->arena, FromExpat(target));
    AppendConverted(parse, data, std::char_traits<XML_Char>::length(data));
    CloseCurrent(parse);
  });
}

void OnStartCData(void* user) {
  Guarded(user, [](XmlParse& parse) { OpenChild(parse, NodeCData); });
}

void OnEndCData(void* user) {
  Guarded(user, [](XmlParse& parse) { CloseCurrent(parse); });
}

void AppendQuoted(XmlParse& parse, const Text& identifier) {
  char16_t quote = identifier.find(u'"') == Text::npos ? u'"' : u'\'';
  Append(parse, u" ");
  Append(parse, TextView(&quote, 1));
  Append(parse, identifier);
  Append(parse, TextView(&quote, 1));
}

void OnStartDoctype(void* user, const XML_Char* name, const XML_Char* systemId,
                    const XML_Char* publicId, int hasInternalSubset) {
  Guarded(user, [&](XmlParse& parse) {
    OpenChild(parse, NodeDoctype);
    Append(parse, u"<!DOCTYPE ");
    Append(parse, FromExpat(name));
    if (systemId) Append(parse, publicId ? u" PUBLIC" : u" SYSTEM");
    if (publicId) AppendQuoted(parse, FromExpat(publicId));
    if (systemId) AppendQuoted(parse, FromExpat(systemId));
    if (hasInternalSubset) {
      Append(parse, u" [");
    } else {
      Append(parse, u">");
      CloseCurrent(parse);
    }
  });
}

void OnEndDoctype(void* user) {
  Guarded(user, [](XmlParse& parse) {
    if (!InDoctype(parse)) return;
    Append(parse, u"]>");
    CloseCurrent(parse);
  });
}

// Everything without a handler of its own: the internal subset, whitespace
// outside the document element.
void OnDefault(void* user, const XML_Char* data, int length) {
  Guarded(user, [&](XmlParse& parse) {
    Text text;
    AppendExpatText(text, data, length);
    Append(parse, text);
  });
}

void OnXmlDeclaration(void* user, const XML_Char*, const XML_Char* encoding, int standalone) {
  Guarded(user, [&](XmlParse& parse) {
    XmlDocument& document = *parse.document;
    document.standalone = standalone;
    if (document.encodingFixed || !encoding) return;
    Text name = FromExpat(encoding);
    if (EqualNoCase(name, u"US-ASCII") || EqualNoCase(name, u"ISO-8859-1")) {
      document.encoding = FormatAnsi;
    } else if (EqualNoCase(name, u"UTF-16")) {
      document.encoding = FormatUtf16;
    } else {
      document.encoding = FormatUtf8;
    }
  });
}

const char* ExpatEncodingName(int encoding) {
  switch (encoding) {
    case FormatAnsi: return "ISO-8859-1";
    case FormatUtf16: return "UTF-16";
    case FormatUtf8: return "UTF-8";
    default: return nullptr;
  }
}

bool OpenParser(XmlDocument& document, int encoding) {
  const char* name = ExpatEncodingName(encoding);
  XML_Parser parser = name ? XML_ParserCreate(ToExpat<XML_Char>(name).c_str())
                           : XML_ParserCreate(nullptr);
  if (!parser) return false;
  auto* parse = new XmlParse;
  parse->parser = parser;
  parse->document = &document;
  parse->open.push_back({document.rootNode, {}});
  document.parser.reset(parse);
  XML_SetUserData(parser, parse);
  XML_SetElementHandler(parser, OnStartElement, OnEndElement);
  XML_SetCharacterDataHandler(parser, OnCharacterData);
  XML_SetCommentHandler(parser, OnComment);
  XML_SetProcessingInstructionHandler(parser, OnInstruction);
  XML_SetCdataSectionHandler(parser, OnStartCData, OnEndCData);
  XML_SetDoctypeDeclHandler(parser, OnStartDoctype, OnEndDoctype);
  XML_SetDefaultHandlerExpand(parser, OnDefault);
  XML_SetXmlDeclHandler(parser, OnXmlDeclaration);
  return true;
}

// Texts of the nodes still open go into the tree before the parser goes.
void CloseParser(XmlDocument& document) {
  XmlParse& parse = *document.parser;
  for (size_t i = 0; i <= parse.depth; ++i) StoreText(parse, parse.open[i]);
  document.parser.reset();
}

void NoteError(XmlDocument& document) {
  XML_Parser parser = document.parser->parser;
  XML_Error code = XML_GetErrorCode(parser);
  document.status = code;
  document.errorLine = static_cast<int>(XML_GetCurrentLineNumber(parser));
  document.errorColumn = static_cast<int>(XML_GetCurrentColumnNumber(parser)) + 1;
  document.errorMessage.clear();
  if (code >= 1 && code <= kLastDescribedError) {
    AppendExpatText(document.errorMessage, XML_ErrorString(code));
  }
}

void Feed(XmlDocument& document, const char* bytes, size_t length, bool final) {
  do {
    int piece = static_cast<int>(std::min<size_t>(length, INT_MAX / 2));
    length -= piece;
    bool last = final && length == 0;
    if (XML_Parse(document.parser->parser, bytes, piece, last) != XML_STATUS_OK) {
      NoteError(document);
      return;
    }
    bytes += piece;
  } while (length > 0);
}

enum class Units { Bytes, Little, Big };

// 16-bit units show as a byte-order mark, or as zero bytes that all sit at odd
// offsets (the high bytes of little-endian units) or all at even ones.
Units DetectUnits(const unsigned char* bytes, size_t length) {
  if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return Units::Little;
  if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return Units::Big;
  bool zeroEven = false, zeroOdd = false;
  for (size_t i = 0; i < length; ++i) {
    if (bytes[i] == 0) (i % 2 ? zeroOdd : zeroEven) = true;
  }
  if (zeroEven == zeroOdd) return Units::Bytes;
  return zeroOdd ? Units::Little : Units::Big;
}

// From the first part of the input.
NewlineStyle DetectNewlineStyle(const char* input, size_t length) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(input);
  Units units = DetectUnits(bytes, length);
  size_t count = units == Units::Bytes ? length : length / 2;
  auto unit = [&](size_t i) -> char16_t {
    if (units == Units::Bytes) return bytes[i];
    size_t low = units == Units::Little ? 2 * i : 2 * i + 1;
    return static_cast<char16_t>(bytes[low] | bytes[4 * i + 1 - low] << 8);
  };
  for (size_t i = count > 0 && unit(0) == u'\n' ? 1 : 0; i < count; ++i) {
    if (unit(i) == u'\n') return NewlineLf;
    if (unit(i) == u'\r') return i + 1 < count && unit(i + 1) == u'\n' ? NewlineCrLf : NewlineCr;
  }
  return NewlineNone;
}

bool KnownEncoding(int encoding) {
  return encoding == DetectEncoding || ExpatEncodingName(encoding);
}

// A document ready to be fed, or null.
XmlDocument* StartDocument(int number, int encoding, size_t firstBlockBytes) {
  TextFormat output = encoding == DetectEncoding ? FormatUtf8 : static_cast<TextFormat>(encoding);
  XmlDocument* document = NewXmlDocument(number, output, firstBlockBytes);
  if (!document) return nullptr;
  document->encodingFixed = encoding != DetectEncoding;
  if (!OpenParser(*document, encoding)) {
    FreeXmlDocument(document->number);
    return nullptr;
  }
  return document;
}

}  // namespace

XmlDocument* ParseXmlMemory(int number, const void* buffer, size_t length, XmlParseMode mode,
                            int encoding) {
  const char* bytes = static_cast<const char*>(buffer);
  if (!bytes) length = 0;
  XmlDocument* document = nullptr;
  switch (mode) {
    case ParseWhole:
    case ParseFirst: {
      if (!KnownEncoding(encoding)) return nullptr;
      size_t firstBlock = mode == ParseWhole || length > kFirstBlockBytes ? length + 8
                                                                           : kFirstBlockBytes;
      document = StartDocument(number, encoding, firstBlock);
      if (document) document->newlineStyle = DetectNewlineStyle(bytes, length);
      break;
    }
    case ParseNext:
    case ParseLast:
      document = IsXmlDocument(number);
      if (!document || !document->parser) return nullptr;
      break;
    default:
      return nullptr;
  }
  if (!document) return nullptr;
  bool final = mode == ParseWhole || mode == ParseLast;
  Feed(*document, bytes, length, final);
  if (final) CloseParser(*document);
  return document;
}

XmlDocument* ParseXmlText(int number, TextView text) {
  return ParseXmlMemory(number, text.data(), text.size() * sizeof(char16_t), ParseWhole,
                        FormatUtf16);
}

XmlDocument* LoadXmlFile(int number, TextView path, int encoding) {
  FileReader file;
  if (path.empty() || !KnownEncoding(encoding) || !file.Open(path)) return nullptr;
  int64_t size = file.Size();
  if (size <= 0) return nullptr;
  XmlDocument* document = StartDocument(number, encoding, static_cast<size_t>(size) + 8);
  if (!document) return nullptr;
  XML_Parser parser = document->parser->parser;
  int64_t total = 0;
  for (bool final = false; !final;) {
    void* piece = XML_GetBuffer(parser, kFilePieceBytes);
    if (!piece) {
      NoteError(*document);
      break;
    }
    size_t got = file.Read(piece, kFilePieceBytes);
    if (total == 0) document->newlineStyle = DetectNewlineStyle(static_cast<char*>(piece), got);
    total += static_cast<int64_t>(got);
    final = got == 0 || total >= size;
    if (XML_ParseBuffer(parser, static_cast<int>(got), final) != XML_STATUS_OK) {
      NoteError(*document);
      break;
    }
  }
  CloseParser(*document);
  return document;
}

}  // namespace kv
