#include "xml_test_support.h"

using namespace kv;
using namespace kv::test;

namespace {

using ModifyTest = XmlTest;

TEST_F(ModifyTest, OneDocumentElementButAnyNumberOfComments) {
  XmlDocument* document = CreateXmlDocument(KV_Any);
  XmlNode* root = XmlRootNode(document);
  XmlNode* main = CreateXmlNode(root, XmlAppend, u"main", NodeElement);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(XmlMainNode(document), main);
  EXPECT_EQ(CreateXmlNode(root, XmlAppend, u"second", NodeElement), nullptr);
  EXPECT_NE(CreateXmlNode(root, nullptr, u"", NodeComment), nullptr);
  EXPECT_EQ(CreateXmlNode(root, XmlAppend, u"", NodeRoot), nullptr);
  XmlNode* comment = CreateXmlNode(main, XmlAppend, u"ignored", NodeComment);
  EXPECT_EQ(XmlNodeName(comment), u"");
  EXPECT_EQ(CreateXmlNode(comment, XmlAppend, u"x", NodeElement), nullptr);
  EXPECT_EQ(CreateXmlNode(nullptr, XmlAppend, u"x", NodeElement), nullptr);
  EXPECT_EQ(Export(document), "<!----><main><!----></main>");
}

TEST_F(ModifyTest, PlacementFollowsThePreviousSibling) {
  XmlDocument* document = Parse("<r>x<b/>y</r>");
  XmlNode* r = XmlMainNode(document);
  XmlNode* b = XmlFirstChild(r);
  CreateXmlNode(r, nullptr, u"first", NodeElement);
  CreateXmlNode(r, b, u"afterB", NodeElement);
  CreateXmlNode(r, XmlAppend, u"last", NodeElement);
  XmlNode* stranger = XmlFirstChild(XmlMainNode(Parse("<s><t/></s>")));
  CreateXmlNode(r, stranger, u"alsoLast", NodeInstruction);
  EXPECT_EQ(Export(document), "<r><first/>x<b/><afterB/><last/><?alsoLast ?>y</r>");
  EXPECT_EQ(XmlParentNode(XmlPreviousSibling(XmlNextSibling(b))), r);
}

TEST_F(ModifyTest, NamesTextsAndAttributesOfParsedNodes) {
  XmlDocument* document = Parse("<r a=\"1\"><!--c--><?p d?></r>");
  XmlNode* r = XmlMainNode(document);
  SetXmlNodeName(r, u"renamed");
  SetXmlNodeText(r, u"text & more");
  SetXmlAttribute(r, u"a", u"2");
  SetXmlAttribute(r, u"A", u"3");
  XmlNode* comment = XmlFirstChild(r);
  SetXmlNodeName(comment, u"nope");
  SetXmlNodeText(comment, u" new ");
  SetXmlAttribute(comment, u"nope", u"x");
  SetXmlNodeName(XmlNextSibling(comment), u"q");
  EXPECT_EQ(XmlAttributeCount(comment), 0);
  EXPECT_EQ(Export(document),
            "<renamed a=\"2\" A=\"3\"><!-- new --><?q d?>text &amp; more</renamed>");
}

TEST_F(ModifyTest, AttributeArrayGrows) {
  XmlDocument* document = CreateXmlDocument(KV_Any);
  XmlNode* e = CreateXmlNode(XmlRootNode(document), XmlAppend, u"e", NodeElement);
  for (char16_t i = 0; i < 10; ++i) SetXmlAttribute(e, Text{u'n', char16_t(u'0' + i)}, u"v");
  EXPECT_EQ(XmlAttributeCount(e), 10);
  EXPECT_EQ(e->spareAttributeSlots, 2);
  SetXmlAttribute(e, u"n9", u"last");
  EXPECT_EQ(XmlAttributeAt(e, 9).value, u"last");
  EXPECT_EQ(XmlAttributeCount(e), 10);
}

TEST_F(ModifyTest, ShorterTextDoesNotBreakTheChildrenAfterIt) {
  XmlDocument* document = Parse("<r>long text<b/>tail</r>");
  SetXmlNodeText(XmlMainNode(document), u"ab");
  EXPECT_EQ(Export(document), "<r>ab<b/></r>");
}

}  // namespace
