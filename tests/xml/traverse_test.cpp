#include "xml_test_support.h"

using namespace kv;
using namespace kv::test;

namespace {

using TraverseTest = XmlTest;

TEST_F(TraverseTest, SiblingsParentsAndAttributes) {
  XmlDocument* document = Parse("<r><a x=\"1\" y=\"\"/><!--c--><b/></r>");
  XmlNode* r = XmlMainNode(document);
  EXPECT_EQ(XmlParentNode(r), XmlRootNode(document));
  EXPECT_EQ(XmlParentNode(XmlRootNode(document)), nullptr);
  XmlNode* a = XmlFirstChild(r);
  XmlNode* comment = XmlNextSibling(a);
  XmlNode* b = XmlNextSibling(comment);
  EXPECT_EQ(XmlPreviousSibling(b), comment);
  EXPECT_EQ(XmlPreviousSibling(a), nullptr);
  EXPECT_EQ(XmlNextSibling(b), nullptr);
  EXPECT_EQ(XmlParentNode(b), r);
  EXPECT_EQ(XmlAttributeCount(a), 2);
  EXPECT_EQ(XmlAttributeAt(a, 1).name, u"y");
  EXPECT_EQ(XmlAttributeAt(a, 2).name, u"");
  EXPECT_EQ(XmlAttributeAt(a, -1).value, u"");
  // A null node reads as nothing.
  EXPECT_EQ(XmlFirstChild(nullptr), nullptr);
  EXPECT_EQ(XmlNodeText(nullptr), u"");
  EXPECT_EQ(XmlAttributeCount(nullptr), 0);
}

TEST_F(TraverseTest, ChildElementByName) {
  XmlDocument* document = Parse("<r><!--Path--><Path>1</Path><path>2</path></r>");
  XmlNode* first = XmlFirstChild(XmlMainNode(document));
  EXPECT_EQ(XmlNodeText(XmlChildElement(first, "Path")), u"1");
  EXPECT_EQ(XmlNodeText(XmlChildElement(first, "path")), u"2");
  EXPECT_EQ(XmlNodeText(XmlChildElement(first, "*path$")), u"2");
  EXPECT_EQ(XmlChildElement(first, "path$$"), nullptr);  // only one '$' goes
  EXPECT_EQ(XmlChildElement(first, "PATH"), nullptr);
  EXPECT_EQ(XmlNodeText(XmlChildElement(first, "PATH", CaseInsensitive)), u"1");
  // The chain starts at the node given.
  EXPECT_EQ(XmlNodeText(XmlChildElement(XmlNextSibling(XmlNextSibling(first)), "PATH",
                                        CaseInsensitive)),
            u"2");
}

TEST_F(TraverseTest, AttributeValueByName) {
  XmlDocument* document = Parse("<r Key=\"upper\" key=\"\"/>");
  XmlNode* r = XmlMainNode(document);
  ASSERT_TRUE(XmlAttributeValue(r, u"key").has_value());
  EXPECT_EQ(*XmlAttributeValue(r, u"key"), u"");
  EXPECT_EQ(*XmlAttributeValue(r, u"KEY", CaseInsensitive), u"upper");
  EXPECT_FALSE(XmlAttributeValue(r, u"KEY").has_value());
  EXPECT_FALSE(XmlAttributeValue(nullptr, u"key").has_value());
}

}  // namespace
