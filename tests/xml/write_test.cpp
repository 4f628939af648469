#include <filesystem>
#include <fstream>
#include <iterator>

#include "xml_test_support.h"

using namespace kv;
using namespace kv::test;

namespace {

using WriteTest = XmlTest;

TEST_F(WriteTest, EmptyElementsAreSelfClosing) {
  EXPECT_EQ(Export(Parse("<a><b></b><c> </c></a>")), "<a><b/><c> </c></a>");
}

TEST_F(WriteTest, AttributeValuesSurviveExportAndReparse) {
  XmlDocument* document = CreateXmlDocument(KV_Any);
  XmlNode* e = CreateXmlNode(XmlRootNode(document), XmlAppend, u"e", NodeElement);
  const TextView value = u"say \"hi\" & 'bye'\r\nnext\tline <x>";
  SetXmlAttribute(e, u"v", value);
  SetXmlNodeText(e, u"\"quoted\" 'text' <&>");
  std::string xml = Export(document);
  EXPECT_EQ(xml,
            "<e v=\"say &quot;hi&quot; &amp; &apos;bye&apos;&#13;&#10;next&#9;line &lt;x&gt;\">"
            "\"quoted\" 'text' &lt;&amp;&gt;</e>");
  XmlNode* reparsed = XmlMainNode(Parse(xml));
  EXPECT_EQ(*XmlAttributeValue(reparsed, u"v"), value);
  EXPECT_EQ(XmlNodeText(reparsed), u"\"quoted\" 'text' <&>");
}

TEST_F(WriteTest, DeclarationAndByteOrderMark) {
  XmlDocument* document = Parse("<?xml version=\"1.0\" standalone=\"no\"?><a/>");
  EXPECT_EQ(Export(document, 0),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?><a/>");
  EXPECT_EQ(Export(document, ExportBom | ExportNoDeclaration), "\xEF\xBB\xBF<a/>");
  document->encoding = FormatUtf16;
  EXPECT_EQ(Export(document, ExportBom | ExportNoDeclaration), std::string("\xFF\xFE<\0a\0/\0>\0", 10));
  document->encoding = FormatAnsi;
  document->standalone = 1;
  EXPECT_EQ(Export(document, ExportBom),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?><a/>");
  // Declaration lengths: 38, 39 and 43 characters.
  document->standalone = -1;
  const std::pair<TextFormat, size_t> lengths[] = {
      {FormatUtf8, 38 + 4}, {FormatUtf16, 2 * (39 + 4)}, {FormatAnsi, 43 + 4}};
  for (auto [encoding, size] : lengths) {
    document->encoding = encoding;
    EXPECT_EQ(ExportXmlSize(document, 0), size);
  }
}

TEST_F(WriteTest, SizeMatchesTheBytesWrittenForEveryEncodingAndFlag) {
  XmlDocument* document = Parse(
      "<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [<!ENTITY e \"x\">]><r a=\"&#13;&#10;'&quot;\">"
      "\u00E9\u20AC\U0001F600<![CDATA[c]]><?p q?><!--k--></r>\r\n");
  ASSERT_EQ(document->status, 0);
  for (TextFormat encoding : {FormatUtf8, FormatUtf16, FormatAnsi}) {
    document->encoding = encoding;
    for (int standalone : {-1, 0, 1}) {
      document->standalone = standalone;
      for (int flags = 0; flags < 4; ++flags) {
        size_t size = ExportXmlSize(document, flags);
        std::string bytes(size + 16, '\0');
        EXPECT_EQ(ExportXml(document, bytes.data(), bytes.size(), flags), size);
      }
    }
  }
}

TEST_F(WriteTest, CharactersAboveTheBasicPlaneAreOneUtf8Sequence) {
  XmlDocument* document = ParseXmlText(KV_Any, u"<p>\U0001F600</p>");
  document->encoding = FormatUtf8;
  std::string xml = Export(document);
  EXPECT_EQ(xml, "<p>\xF0\x9F\x98\x80</p>");
  XmlDocument* reparsed = Parse(xml);
  EXPECT_EQ(reparsed->status, 0);
  EXPECT_EQ(XmlNodeText(XmlMainNode(reparsed)), u"\U0001F600");
  // ISO-8859-1 has a blank for every unit it cannot hold.
  document->encoding = FormatAnsi;
  SetXmlNodeText(XmlMainNode(document), u"\u00E9\u20AC\U0001F600");
  EXPECT_EQ(Export(document), "<p>\xE9   </p>");
}

TEST_F(WriteTest, ExportStopsAtTheFirstPieceThatDoesNotFit) {
  XmlDocument* document = Parse("<abc>text</abc>");
  std::string full = Export(document);
  for (size_t size = 0; size < full.size(); ++size) {
    std::string bytes(size, '\0');
    size_t written = ExportXml(document, bytes.data(), size, ExportNoDeclaration);
    EXPECT_LE(written, size);
    EXPECT_EQ(bytes.substr(0, written), full.substr(0, written));
  }
  char small[3];
  EXPECT_EQ(ExportXml(document, small, sizeof(small), ExportNoDeclaration), 1u);  // "<", not "abc"
}

TEST_F(WriteTest, SavedFilesHoldTheExportedBytes) {
  std::string xml = "<list>";
  for (int i = 0; i < 1000; ++i) xml += "<i>" + std::string(i % 50, 'x') + "</i>";
  xml += "<big>" + std::string(10000, 'y') + "</big></list>";
  XmlDocument* document = Parse(xml);
  auto path = std::filesystem::temp_directory_path() / "kv_xml_saved.xml";
  ASSERT_TRUE(SaveXmlFile(document, DecodeUtf8(path.string()), ExportBom));
  std::string saved;
  {
    std::ifstream in(path, std::ios::binary);
    saved.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_EQ(saved, Export(document, ExportBom));
  std::filesystem::remove(path);
  auto nowhere = std::filesystem::temp_directory_path() / "kv_no_such_dir" / "x.xml";
  EXPECT_FALSE(SaveXmlFile(document, DecodeUtf8(nowhere.string())));
}

std::string Formatted(const char* xml, int flags, int step = 2) {
  XmlDocument* document = Parse(xml);
  FormatXml(document, flags, step);
  return Export(document);
}

TEST_F(WriteTest, ConfigLayoutReIndented) {
  XmlDocument* document = CreateXmlDocument(KV_Any);
  XmlNode* config = CreateXmlNode(XmlRootNode(document), XmlAppend, u"CONFIG", NodeElement);
  SetXmlNodeText(CreateXmlNode(config, XmlAppend, u"isValid", NodeElement), u"1");
  SetXmlNodeText(CreateXmlNode(config, XmlAppend, u"ADBPath", NodeElement), u"C:\\adb\\ADB.exe");
  FormatXml(document, FormatReIndent | FormatCrLf, 2);
  EXPECT_EQ(Export(document),
            "\r\n\r\n<CONFIG>\r\n  <isValid>1</isValid>\r\n  <ADBPath>C:\\adb\\ADB.exe</ADBPath>"
            "\r\n</CONFIG>\r\n");
}

TEST_F(WriteTest, ReIndentReplacesTheOldLayoutAndIsStable) {
  const char* xml =
      "<?xml version=\"1.0\"?>\n<!--top-->\n<r>\n\t<a>  x  </a>   <b>\n     <c/>\n </b>"
      "<d>\n  line one\n     line two  \n</d><e>\n  </e></r>";
  std::string once = Formatted(xml, FormatReIndent, 2);
  EXPECT_EQ(once,
            "\n\n<!--top-->\n\n<r>\n  <a>x </a>\n  <b>\n    <c/>\n  </b>\n  <d>\n    line one\n"
            "    line two\n  </d>\n  <e/>\n</r>\n");
  EXPECT_EQ(Formatted(once.c_str(), FormatReIndent, 2), once);
}

TEST_F(WriteTest, WhitespaceFlags) {
  const char* xml = "<r>\r\n  a  b \r\n\r\n\r\n  c<!-- x  y\r\n --><![CDATA[ k \r\n]]></r>";
  EXPECT_EQ(Formatted(xml, FormatLf),
            "<r>\n  a  b \n\n\n  c<!-- x  y\n --><![CDATA[ k \n]]></r>");
  EXPECT_EQ(Formatted(xml, FormatCutNewlines),
            "<r>  a  b   c<!-- x  y --><![CDATA[ k \r\n]]></r>");
  EXPECT_EQ(Formatted(xml, FormatCutBlankLines),
            "<r>\r\n  a  b \r\n  c<!-- x  y\r\n --><![CDATA[ k \r\n]]></r>");
  EXPECT_EQ(Formatted(xml, FormatCutSpaces),
            "<r>\r\nab\r\n\r\n\r\nc<!-- x  y\r\n --><![CDATA[ k \r\n]]></r>");
  EXPECT_EQ(Formatted(xml, FormatCutLeadingSpaces | FormatCr),
            "<r>\ra b \r\r\rc<!-- x  y\r --><![CDATA[ k \r]]></r>");
  // Blanks next to a child element are content.
  EXPECT_EQ(Formatted("<p>Hello <b>world</b> again</p>", FormatReIndent | FormatLf, 0),
            "\n\n<p>\nHello\n<b>world</b>\nagain\n</p>\n");
  EXPECT_EQ(Formatted("<p>Hello <b>world</b> again</p>", FormatCutLeadingSpaces),
            "<p>Hello <b>world</b> again</p>");
}

TEST_F(WriteTest, IndentLinesAndCrLf) {
  const char* xml = "<r>\n<a>\ntext\n</a>\n<!--c\n--><![CDATA[\n]]>\n</r>";
  EXPECT_EQ(Formatted(xml, FormatIndentLines, 2),
            "<r>\n  <a>\n    text\n  </a>\n  <!--c\n--><![CDATA[\n]]>\n</r>");
  EXPECT_EQ(Formatted(xml, FormatIndentLines | FormatCrLf, 1),
            "<r>\r\n <a>\r\n  text\r\n </a>\r\n <!--c\n--><![CDATA[\r\n]]>\r\n</r>");
  EXPECT_EQ(Formatted(xml, FormatCrLf),
            "<r>\r\n<a>\r\ntext\r\n</a>\r\n<!--c\r\n--><![CDATA[\r\n]]>\r\n</r>");
}

}  // namespace
