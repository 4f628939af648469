// Parse, format and export whatever the fuzzer makes up. The first byte picks
// the way in (encoding, whole or in parts), the second the format flags.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "xml/export.h"
#include "xml/format.h"
#include "xml/parse.h"

using namespace kv;

namespace {

constexpr int kEncodings[] = {DetectEncoding, FormatUtf8, FormatUtf16, FormatAnsi};

void Require(bool condition) {
  if (!condition) std::abort();
}

// Exports with flags, checking the size against the bytes written.
std::string Export(const XmlDocument* document, int flags) {
  std::string bytes(ExportXmlSize(document, flags), '\0');
  Require(ExportXml(document, bytes.data(), bytes.size(), flags) == bytes.size());
  return bytes;
}

XmlDocument* ParseInParts(const uint8_t* data, size_t size, int encoding) {
  size_t first = size / 3, second = size / 2;
  if (!ParseXmlMemory(1, data, first, ParseFirst, encoding)) return nullptr;
  ParseXmlMemory(1, data + first, second - first, ParseNext);
  return ParseXmlMemory(1, data + second, size - second, ParseLast);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  uint8_t way = data[0];
  int formatFlags = data[1] | (way & 0x80 ? FormatIndentLines : 0);
  data += 2;
  size -= 2;
  int encoding = kEncodings[way & 3];
  XmlDocument* document = (way & 4) ? ParseInParts(data, size, encoding)
                                    : ParseXmlMemory(KV_Any, data, size, ParseWhole, encoding);
  Require(document != nullptr);
  int exportFlags = (way >> 3) & 3;
  std::string exported = Export(document, exportFlags);
  // What parsed cleanly must parse cleanly again once written (in its own
  // encoding, as the declaration may be left out). ISO-8859-1 output puts
  // blanks for what it cannot hold, names included.
  if (document->status == 0 && document->encoding != FormatAnsi) {
    XmlDocument* again = ParseXmlMemory(KV_Any, exported.data(), exported.size(), ParseWhole,
                                        document->encoding);
    Require(again && again->status == 0);
  }
  if (way & 0x20) {
    FormatXml(document, formatFlags, 0);
    Export(document, exportFlags);
  }
  FreeAllXmlDocuments();
  return 0;
}
