#include <cstdio>
#include <filesystem>
#include <fstream>

#include "xml_test_support.h"

using namespace kv;
using namespace kv::test;

namespace {

using ParseTest = XmlTest;

TEST_F(ParseTest, MixedContentRecordsTextOffsets) {
  XmlDocument* document = Parse("<a>x<b/>y</a>");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->status, 0);
  XmlNode* a = XmlMainNode(document);
  EXPECT_EQ(Utf8(XmlNodeName(a)), "a");
  EXPECT_EQ(Utf8(XmlNodeText(a)), "xy");
  XmlNode* b = XmlFirstChild(a);
  EXPECT_EQ(Utf8(XmlNodeName(b)), "b");
  EXPECT_EQ(b->textOffset, 1);
  EXPECT_EQ(Export(document), "<a>x<b/>y</a>");
}

TEST_F(ParseTest, KeepsEveryNodeKindAndTheDeclaration) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\n"
      "<!DOCTYPE r SYSTEM \"r.dtd\" [\n  <!ENTITY e \"v\">\n  <!-- inside -->\n]>\n"
      "<?style x=\"1\"?>\n<r>t<!--c--><![CDATA[<raw>&]]><?pi data?></r>\n";
  XmlDocument* document = Parse(xml);
  ASSERT_EQ(document->status, 0);
  EXPECT_EQ(document->encoding, FormatAnsi);
  EXPECT_EQ(document->standalone, 1);
  XmlNode* doctype = XmlFirstChild(XmlRootNode(document));
  EXPECT_EQ(doctype->kind, NodeDoctype);
  EXPECT_EQ(Utf8(XmlNodeText(doctype)),
            "<!DOCTYPE r SYSTEM \"r.dtd\" [\n  <!ENTITY e \"v\">\n  <!-- inside -->\n]>");
  XmlNode* style = XmlNextSibling(doctype);
  EXPECT_EQ(style->kind, NodeInstruction);
  EXPECT_EQ(Utf8(XmlNodeName(style)), "style");
  EXPECT_EQ(Utf8(XmlNodeText(style)), "x=\"1\"");
  XmlNode* r = XmlNextSibling(style);
  EXPECT_EQ(r, XmlMainNode(document));
  const XmlNodeKind kinds[] = {NodeComment, NodeCData, NodeInstruction};
  XmlNode* child = XmlFirstChild(r);
  for (XmlNodeKind kind : kinds) {
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->kind, kind);
    child = XmlNextSibling(child);
  }
  EXPECT_EQ(Utf8(XmlNodeText(XmlNextSibling(XmlFirstChild(r)))), "<raw>&");
  // The whitespace between top-level nodes stays in the root's text.
  EXPECT_EQ(Utf8(XmlNodeText(XmlRootNode(document))), "\n\n\n\n");
  EXPECT_EQ(Export(document, 0), xml.substr(0, xml.size()));
}

TEST_F(ParseTest, DoctypeIdentifiersAreQuotedAsTheyAllow) {
  XmlDocument* document =
      Parse("<!DOCTYPE html PUBLIC \"-//x//y\" 'it\"s.dtd'><html/>");
  ASSERT_EQ(document->status, 0);
  EXPECT_EQ(Utf8(XmlNodeText(XmlFirstChild(XmlRootNode(document)))),
            "<!DOCTYPE html PUBLIC \"-//x//y\" 'it\"s.dtd'>");
}

TEST_F(ParseTest, LineBreakStyleIsDetectedAndKept) {
  struct Case {
    const char* xml;
    NewlineStyle style;
    const char* text;
  } cases[] = {
      {"<a>1\r\n2\r\n</a>", NewlineCrLf, "1\r\n2\r\n"},
      {"<a>1\n2\n</a>", NewlineLf, "1\n2\n"},
      {"<a>1\r2\r</a>", NewlineCr, "1\r2\r"},
      {"\n<a>1\r\n2</a>", NewlineCrLf, "1\r\n2"},  // one leading LF is skipped
      {"<a>12</a>", NewlineNone, "12"},
  };
  for (const Case& c : cases) {
    XmlDocument* document = Parse(c.xml);
    EXPECT_EQ(document->newlineStyle, c.style) << c.xml;
    EXPECT_EQ(Utf8(XmlNodeText(XmlMainNode(document))), c.text) << c.xml;
  }
}

TEST_F(ParseTest, LineBreakStyleOfSixteenBitTextIsToldByItsZeroBytes) {
  using namespace std::string_view_literals;
  // Zero bytes at both parities are no 16-bit text, however many there are.
  EXPECT_EQ(Parse("<a>1\r2</a>\0\0\0\0\0\0\0\0"sv, FormatUtf8)->newlineStyle, NewlineCr);
  EXPECT_EQ(ParseXmlText(KV_Any, u"<a>1\r2</a>")->newlineStyle, NewlineCr);
  std::string_view bigEndian = "\xFE\xFF\0<\0a\0>\0\r\0\n\0<\0/\0a\0>"sv;
  XmlDocument* document = Parse(bigEndian);
  EXPECT_EQ(document->status, 0);
  EXPECT_EQ(document->newlineStyle, NewlineCrLf);
  std::string_view noMark = "\0<\0a\0>\0\r\0<\0/\0a\0>"sv;
  EXPECT_EQ(Parse(noMark, FormatUtf16)->newlineStyle, NewlineCr);
}

TEST_F(ParseTest, LineBreaksCountInTextOffsets) {
  XmlDocument* document = Parse("<a>\r\n<b/>\r\n</a>");
  XmlNode* b = XmlFirstChild(XmlMainNode(document));
  EXPECT_EQ(b->textOffset, 2);
  EXPECT_EQ(Export(document), "<a>\r\n<b/>\r\n</a>");
}

TEST_F(ParseTest, ErrorsKeepTheTreeBuiltSoFar) {
  XmlDocument* document = Parse("<a>\n  text<b>more</a>");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->status, 7);  // mismatched tag
  EXPECT_EQ(document->errorLine, 2);
  EXPECT_EQ(document->errorColumn, 16);  // at the end tag's name
  EXPECT_EQ(Utf8(document->errorMessage), "mismatched tag");
  XmlNode* a = XmlMainNode(document);
  EXPECT_EQ(Utf8(XmlNodeText(a)), "\n  text");
  EXPECT_EQ(Utf8(XmlNodeText(XmlFirstChild(a))), "more");
}

TEST_F(ParseTest, ProgressiveParseMatchesAWholeOne) {
  const std::string xml = "<r a=\"1\">one<i>two</i><!--three-->four</r>";
  std::string whole = Export(Parse(xml));
  for (size_t cut = 1; cut < xml.size(); cut += 5) {
    XmlDocument* first = ParseXmlMemory(7, xml.data(), cut / 2, ParseFirst);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->number, 7);
    EXPECT_EQ(ParseXmlMemory(7, xml.data() + cut / 2, cut - cut / 2, ParseNext), first);
    EXPECT_EQ(ParseXmlMemory(7, xml.data() + cut, xml.size() - cut, ParseLast), first);
    EXPECT_EQ(first->status, 0);
    EXPECT_EQ(Export(first), whole) << cut;
  }
  // The parser is gone after ParseLast, and never was for these.
  EXPECT_EQ(ParseXmlMemory(7, "<x/>", 4, ParseNext), nullptr);
  EXPECT_EQ(ParseXmlMemory(8, "<x/>", 4, ParseNext), nullptr);
  EXPECT_NE(Parse("<x/>"), nullptr);
  EXPECT_EQ(ParseXmlMemory(Parse("<y/>")->number, "<x/>", 4, ParseLast), nullptr);
}

TEST_F(ParseTest, DeclaredEncodingSetsTheOutputUnlessFixed) {
  EXPECT_EQ(Parse("<?xml version=\"1.0\" encoding=\"us-ascii\"?><a/>")->encoding, FormatAnsi);
  EXPECT_EQ(Parse("<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>")->encoding, FormatUtf8);
  EXPECT_EQ(Parse("<a/>")->encoding, FormatUtf8);
  XmlDocument* fixed = Parse("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>", FormatUtf8);
  EXPECT_TRUE(fixed->encodingFixed);
  EXPECT_EQ(fixed->encoding, FormatUtf8);
  // Latin-1 input bytes decoded as such.
  XmlDocument* latin = Parse("<a>\xE9</a>", FormatAnsi);
  EXPECT_EQ(XmlNodeText(XmlMainNode(latin)), u"\u00E9");
}

TEST_F(ParseTest, Utf16TextParsesWithItsEncodingFixed) {
  XmlDocument* document =
      ParseXmlText(KV_Any, u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><a b=\"\u00E9\">\U0001D11E\u20AC</a>");
  ASSERT_EQ(document->status, 0);
  EXPECT_EQ(document->encoding, FormatUtf16);
  EXPECT_EQ(XmlNodeText(XmlMainNode(document)), u"\U0001D11E\u20AC");
  EXPECT_EQ(XmlAttributeAt(XmlMainNode(document), 0).value, u"\u00E9");
}

TEST_F(ParseTest, DocumentNumbers) {
  XmlDocument* fixed = CreateXmlDocument(3);
  EXPECT_EQ(fixed->number, 3);
  EXPECT_EQ(IsXmlDocument(3), fixed);
  XmlDocument* chosen = CreateXmlDocument(KV_Any, FormatUtf16);
  EXPECT_NE(chosen->number, KV_Any);
  EXPECT_EQ(IsXmlDocument(chosen->number), chosen);
  EXPECT_EQ(chosen->encoding, FormatUtf16);
  EXPECT_EQ(chosen->newlineStyle, NewlineCrLf);
  EXPECT_EQ(chosen->standalone, -1);
  EXPECT_EQ(XmlRootNode(chosen)->kind, NodeRoot);
  EXPECT_EQ(XmlMainNode(chosen), nullptr);
  // A parse at a number in use replaces the document.
  XmlDocument* replaced = ParseXmlMemory(3, "<n/>", 4, ParseWhole);
  EXPECT_EQ(IsXmlDocument(3), replaced);
  EXPECT_EQ(Utf8(XmlNodeName(XmlMainNode(IsXmlDocument(3)))), "n");
  FreeXmlDocument(3);
  EXPECT_EQ(IsXmlDocument(3), nullptr);
  int chosenNumber = chosen->number;
  FreeXmlDocument(KV_Any);
  EXPECT_EQ(IsXmlDocument(chosenNumber), nullptr);
  EXPECT_EQ(CreateXmlDocument(-5), nullptr);
}

struct TempFile {
  std::filesystem::path path;
  explicit TempFile(const std::string& name)
      : path(std::filesystem::temp_directory_path() / ("kv_xml_" + name)) {}
  ~TempFile() { std::filesystem::remove(path); }
  Text Path() const { return DecodeUtf8(path.string()); }
  void Write(const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }
};

TEST_F(ParseTest, FilesAreReadInPieces) {
  std::string xml = "<?xml version=\"1.0\"?>\r\n<list>";
  for (int i = 0; i < 3000; ++i) xml += "<item n=\"" + std::to_string(i) + "\">\u00E9\r\n</item>";
  xml += "</list>\r\n";
  ASSERT_GT(xml.size(), 3u * 16384);
  TempFile file("pieces.xml");
  file.Write(xml);
  XmlDocument* loaded = LoadXmlFile(KV_Any, file.Path());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->status, 0);
  EXPECT_EQ(loaded->newlineStyle, NewlineCrLf);
  EXPECT_EQ(Export(loaded, 0), Export(Parse(xml), 0));
  EXPECT_EQ(Export(loaded, 0), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + xml.substr(21));
}

TEST_F(ParseTest, FilesThatCannotBeLoaded) {
  TempFile empty("empty.xml");
  empty.Write("");
  EXPECT_EQ(LoadXmlFile(KV_Any, empty.Path()), nullptr);
  EXPECT_EQ(LoadXmlFile(KV_Any, u""), nullptr);
  EXPECT_EQ(LoadXmlFile(KV_Any, TempFile("missing.xml").Path()), nullptr);
  TempFile broken("broken.xml");
  broken.Write("<a><b></a>");
  XmlDocument* document = LoadXmlFile(KV_Any, broken.Path());
  ASSERT_NE(document, nullptr);
  EXPECT_NE(document->status, 0);
}

}  // namespace
