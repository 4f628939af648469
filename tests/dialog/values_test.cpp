// The value syntax: integers, yes/no and flag lists.
#include <gtest/gtest.h>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/runtime_symbols.h"

using namespace kv;
using namespace kv::dialog;

namespace {

TEST(Values, IntegersReadLikeTheCLibrary) {
  EXPECT_EQ(ReadInteger(u"42"), 42);
  EXPECT_EQ(ReadInteger(u" \t-17px"), -17);
  EXPECT_EQ(ReadInteger(u"+8"), 8);
  EXPECT_EQ(ReadInteger(u"12 34"), 12);
  EXPECT_EQ(ReadInteger(u"auto"), 0);
  EXPECT_EQ(ReadInteger(u""), 0);
  EXPECT_EQ(ReadInteger(u"- 3"), 0);
  EXPECT_EQ(ReadInteger(u"99999999999999999999"), 2147483647);
  EXPECT_EQ(ReadInteger(u"-99999999999999999999"), -2147483647 - 1);
}

TEST(Values, OnlyYesInAnyCaseIsYes) {
  EXPECT_TRUE(IsYes(u"yes"));
  EXPECT_TRUE(IsYes(u"YeS"));
  EXPECT_FALSE(IsYes(u"y"));
  EXPECT_FALSE(IsYes(u" yes"));
  EXPECT_FALSE(IsYes(u"true"));
}

class Flags : public ::testing::Test {
 protected:
  void TearDown() override { DialogRuntimeSymbols().Clear(); }

  std::uint32_t Parse(TextView value, ElementKind kind = ElementKind::Window) {
    return ParseFlags(value, ElementTypeOf(kind), ElementTypeOf(kind).name, build);
  }

  Build build;
};

TEST_F(Flags, NamesBetweenBarsIgnoringCaseAndBlanks) {
  EXPECT_EQ(Parse(u" #KV_Window_SystemMenu | #kv_window_titlebar "), 0xC80000u);
  EXPECT_EQ(Parse(u"#KV_Window_ScreenCentered|#KV_Window_Tool"), 0x5u);
  EXPECT_EQ(Parse(u""), 0u);
  EXPECT_EQ(build.error, u"");
}

TEST_F(Flags, ParsingStopsSilentlyAtANameWithoutHash) {
  EXPECT_EQ(Parse(u"KV_Window_Tool"), 0u);
  EXPECT_EQ(Parse(u"#KV_Window_Tool|KV_Window_Invisible"), 0x4u);
  EXPECT_EQ(Parse(u"#KV_Window_Tool|"), 0x4u) << "nothing after the bar";
  EXPECT_EQ(Parse(u"#KV_Window_Tool|#" + Text(129, u'X') + u"|#KV_Window_Invisible"), 0x4u)
      << "an overlong name ends the list";
  EXPECT_EQ(build.error, u"");

  EXPECT_EQ(Parse(u"#KV_Window_Tool#KV_Window_Invisible"), 0u);
  EXPECT_EQ(build.error,
            u"'#KV_Window_Tool#KV_Window_Invisible' flag is not supported for the following "
            u"gadget: window")
      << "a name runs to the next bar";
}

TEST_F(Flags, EachElementHasItsOwnTableAndRuntimeConstantsAddToAll) {
  EXPECT_EQ(Parse(u"#KV_Editor_ReadOnly|#KV_Editor_WordWrap", ElementKind::Editor), 0x10000800u);
  EXPECT_EQ(Parse(u"#KV_ListView_ClickSelect", ElementKind::ListView), 0x8u);
  EXPECT_EQ(Parse(u"#KV_Text_Border", ElementKind::Text), 0x20000u);
  EXPECT_EQ(Parse(u"#KV_Canvas_Container", ElementKind::Canvas), 0x20u);
  EXPECT_EQ(build.error, u"");

  DialogRuntimeSymbols().AddConstant(u"KV_Own", 0x100);
  EXPECT_EQ(Parse(u"#kv_own", ElementKind::VBox), 0x100u);
  EXPECT_EQ(Parse(u"#KV_Own|#KV_Text_Border", ElementKind::Panel), 0x100u);
  const TextView first = u"'#KV_Text_Border' flag is not supported for the following gadget: panel";
  EXPECT_EQ(build.error, first);
  Parse(u"#Other");
  EXPECT_EQ(build.error, first) << "the first error stays";
}

TEST(Elements, NamesIgnoreCaseAndWindowIsNoContentElement) {
  ASSERT_NE(FindElementType(u"VBox"), nullptr);
  EXPECT_EQ(FindElementType(u"VBox")->kind, ElementKind::VBox);
  EXPECT_EQ(FindElementType(u"window"), nullptr);
  EXPECT_EQ(FindElementType(u"vbox2"), nullptr);
  EXPECT_EQ(ElementTypeOf(ElementKind::Splitter).name, u"splitter");
}

TEST(Symbols, LookupsDropTheHashAndIgnoreCase) {
  RuntimeSymbols symbols;
  double scale = -2.9;
  unsigned char byte = 200;
  float huge = 1e20f;
  symbols.AddVariable(u"Scale", &scale);
  symbols.AddVariable(u"Byte", &byte);
  symbols.AddVariable(u"Huge", &huge);
  symbols.AddConstant(u"#Answer", 42);
  symbols.AddProcedure(u"Go", [] {});
  EXPECT_EQ(symbols.Value(u"#SCALE"), -2);
  EXPECT_EQ(symbols.Value(u"byte"), 200);
  EXPECT_EQ(symbols.Value(u"huge"), 2147483647);
  EXPECT_EQ(symbols.Value(u"answer"), 42);
  EXPECT_EQ(symbols.Value(u"Go"), std::nullopt) << "a procedure is no number";
  EXPECT_EQ(symbols.Procedure(u"Answer"), nullptr);
  EXPECT_NE(symbols.Procedure(u"#go"), nullptr);
  EXPECT_EQ(symbols.Value(u"Missing"), std::nullopt);
}

}  // namespace
