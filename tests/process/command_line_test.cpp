#include <gtest/gtest.h>

#include "process/detail/split_command_line.h"
#include "process/process.h"

using namespace kv;
using detail::SplitCommandLine;
using Args = std::vector<Text>;

TEST(BuildCommandLine, QuotesTheProgramUnlessAlreadyQuoted) {
  EXPECT_EQ(BuildCommandLine(u"C:\\tools\\adb.exe", u"devices"), u"\"C:\\tools\\adb.exe\" devices");
  EXPECT_EQ(BuildCommandLine(u"C:\\tools\\adb.exe", u""), u"\"C:\\tools\\adb.exe\"");
  EXPECT_EQ(BuildCommandLine(u"\"C:\\a b\\adb.exe\" -P 5037", u"shell pm list packages -3 -e"),
            u"\"C:\\a b\\adb.exe\" -P 5037 shell pm list packages -3 -e");
}

TEST(SplitCommandLine, FollowsTheWindowsRules) {
  EXPECT_EQ(SplitCommandLine(u"\"C:\\a b\\adb.exe\" shell  pm\tlist"),
            (Args{u"C:\\a b\\adb.exe", u"shell", u"pm", u"list"}));
  // The program name takes backslashes literally.
  EXPECT_EQ(SplitCommandLine(u"\"dir\\\\\" x"), (Args{u"dir\\\\", u"x"}));
  EXPECT_EQ(SplitCommandLine(u"p \"a b\" c\"d e\"f"), (Args{u"p", u"a b", u"cd ef"}));
  EXPECT_EQ(SplitCommandLine(u"p a\\\\\"b c\" a\\\\\\\"b a\\b"),
            (Args{u"p", u"a\\b c", u"a\\\"b", u"a\\b"}));
  EXPECT_EQ(SplitCommandLine(u"p \"\" \"a\"\"b\""), (Args{u"p", u"", u"a\"b"}));
  EXPECT_EQ(SplitCommandLine(u"p   "), (Args{u"p"}));
}
