#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "runtime/text.h"

using namespace kv;

TEST(Utf8, DecodesEveryLength) {
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"a\u00E9\u20AC\U0001F600");
}

TEST(Utf8, ReplacesInvalidInputInsteadOfRejectingIt) {
  // Stray continuation, overlong form, surrogate half, truncated sequence at the end.
  EXPECT_EQ(DecodeUtf8("\x80x"), u"\uFFFDx");
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(DecodeUtf8("ok\xE2\x82"), u"ok\uFFFD");
  // A broken sequence does not swallow the valid character after it.
  EXPECT_EQ(DecodeUtf8("\xE2\x82z"), u"\uFFFDz");
}

TEST(Utf8, EncodeRoundTripsAndReplacesLoneSurrogates) {
  Text text = u"Gr\u00FC\u00DFe \u4E2D \U0001F4F1";
  EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
  EXPECT_EQ(EncodeUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(EncodeUtf8(Text(1, char16_t(0xD800)) + u"a"), "\xEF\xBF\xBD" "a");
}

TEST(Utf16le, DecodesUnitsAndReplacesADanglingByte) {
  EXPECT_EQ(DecodeUtf16le(std::string("a\0\xAC\x20", 4)), u"a\u20AC");
  EXPECT_EQ(DecodeUtf16le(std::string("a\0b", 3)), u"a\uFFFD");
}

TEST(Ansi, DecodesTheWesternCodePage) {
  EXPECT_EQ(DecodeAnsi("caf\xE9 \x80"), u"caf\u00E9 \u20AC");
  EXPECT_EQ(DecodeText("\xE9", FormatAnsi), u"\u00E9");
  EXPECT_EQ(DecodeText("\xC3\xA9", FormatUtf8), u"\u00E9");
}

TEST(FoldCase, FoldsTheCommonScripts) {
  EXPECT_EQ(FoldCase(u"ABC xyz \u00C9\u0100\u0391\u0416\u0401"), u"abc xyz \u00E9\u0101\u03B1\u0436\u0451");
  EXPECT_EQ(FoldCase(u'\u0101'), u'\u0101');
  EXPECT_EQ(FoldCase(u'['), u'[');
}

TEST(FoldCase, FoldsTheLastLetterOfEveryRangeAndNothingAfterIt) {
  constexpr char16_t kLastAndFolded[][2] = {
      {0x005A, 0x007A}, {0x00D6, 0x00F6}, {0x00DE, 0x00FE}, {0x012E, 0x012F}, {0x0136, 0x0137},
      {0x0147, 0x0148}, {0x0176, 0x0177}, {0x017D, 0x017E}, {0x038A, 0x03AF}, {0x038F, 0x03CE},
      {0x03A1, 0x03C1}, {0x03AB, 0x03CB}, {0x040F, 0x045F}, {0x042F, 0x044F}, {0x0480, 0x0481},
      {0x04BE, 0x04BF}, {0x04CD, 0x04CE}, {0x052E, 0x052F}, {0x0556, 0x0586}, {0x1E94, 0x1E95},
      {0x1EFE, 0x1EFF}, {0xFF3A, 0xFF5A},
  };
  for (const auto& [last, folded] : kLastAndFolded) {
    EXPECT_EQ(FoldCase(last), folded) << std::hex << int{last};
  }
  for (char16_t after : {u'\u00D7', u'\u0557', u'\u1E95', u'\uFF3B'}) {
    EXPECT_EQ(FoldCase(after), after) << std::hex << int{after};
  }
}

TEST(CompareNoCase, OrdersLikeTheListSort) {
  EXPECT_EQ(CompareNoCase(u"Com.A", u"com.a"), 0);
  EXPECT_LT(CompareNoCase(u"abc", u"ABCD"), 0);
  EXPECT_GT(CompareNoCase(u"b", u"A"), 0);
  // Letters compare in lower case, so '_' (0x5F) sorts before 'B' (folded 0x62).
  EXPECT_LT(CompareNoCase(u"_a", u"Ba"), 0);
  std::vector<Text> items = {u"beta", u"Alpha", u"alpha", u"Beta", u"gamma"};
  std::stable_sort(items.begin(), items.end(),
                   [](const Text& a, const Text& b) { return CompareNoCase(a, b) < 0; });
  EXPECT_EQ(items, (std::vector<Text>{u"Alpha", u"alpha", u"beta", u"Beta", u"gamma"}));
  EXPECT_TRUE(EqualNoCase(u"Package", u"pACKAGE"));
  EXPECT_FALSE(EqualNoCase(u"Package", u"Packages"));
}
