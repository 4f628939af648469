// Parsing XML into documents, from memory, from UTF-16 text and from files.
#pragma once

#include <cstddef>

#include "xml/tree.h"

namespace kv {

enum XmlParseMode : int {
  ParseWhole = 0,  // the buffer is the whole document
  ParseFirst = 1,  // first part of a progressive parse: creates the document
  ParseNext = 2,   // a further part, for the document being parsed
  ParseLast = 3,   // the last part; the parser is closed afterwards
};

// Let the parser detect the input encoding (encoding argument).
constexpr int DetectEncoding = -1;

// number: the document's number or KV_Any (ParseWhole, ParseFirst), the number
// of the document being parsed (ParseNext, ParseLast). encoding: the input's
// TextFormat, which also fixes the output encoding, or DetectEncoding.
// Returns the document, or null (ParseNext and ParseLast: null unless the
// document exists and its parser is open). A parse error does not discard the
// document: see its status. Texts of nodes still open appear when the parse
// ends.
XmlDocument* ParseXmlMemory(int number, const void* buffer, size_t length, XmlParseMode mode,
                            int encoding = DetectEncoding);
// The encoding is fixed to FormatUtf16.
XmlDocument* ParseXmlText(int number, TextView text);
// Reads the file in 16 KiB pieces. Null when the path is empty or the file
// cannot be opened or has no bytes.
XmlDocument* LoadXmlFile(int number, TextView path, int encoding = DetectEncoding);

}  // namespace kv
