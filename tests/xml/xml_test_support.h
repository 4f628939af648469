// Shared helpers of the XML tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "xml/export.h"
#include "xml/format.h"
#include "xml/parse.h"
#include "xml/tree.h"

namespace kv::test {

// Frees every document a test made.
struct XmlTest : ::testing::Test {
  ~XmlTest() override { FreeAllXmlDocuments(); }
};

inline XmlDocument* Parse(std::string_view xml, int encoding = DetectEncoding) {
  return ParseXmlMemory(KV_Any, xml.data(), xml.size(), ParseWhole, encoding);
}

// The exported bytes, checked against ExportXmlSize.
inline std::string Export(const XmlDocument* document, int flags = ExportNoDeclaration) {
  size_t size = ExportXmlSize(document, flags);
  std::string bytes(size, '\0');
  EXPECT_EQ(ExportXml(document, bytes.data(), bytes.size(), flags), size);
  return bytes;
}

inline std::string Utf8(TextView text) { return EncodeUtf8(text); }

}  // namespace kv::test
