// Parameters quoted for the Windows command-line rules come back whole from
// the same rules, which the runner also applies on POSIX.
#include <gtest/gtest.h>

#include "process/detail/split_command_line.h"
#include "process/process.h"

using namespace kv;
using detail::SplitCommandLine;

namespace {

TEST(QuoteArgument, LeavesPlainWordsAlone) {
  EXPECT_EQ(QuoteArgument(u"emulator-5554"), u"emulator-5554");
  EXPECT_EQ(QuoteArgument(u"C:\\a\\b\\"), u"C:\\a\\b\\");  // no quote follows them
  EXPECT_EQ(QuoteArgument(u"'it'\\''s'"), u"'it'\\''s'");
}

TEST(QuoteArgument, EscapesQuotesAndTheBackslashesBeforeThem) {
  EXPECT_EQ(QuoteArgument(u""), u"\"\"");
  EXPECT_EQ(QuoteArgument(u"a  b"), u"\"a  b\"");
  EXPECT_EQ(QuoteArgument(u"say \"hi\""), u"\"say \\\"hi\\\"\"");
  EXPECT_EQ(QuoteArgument(u"a\\\"b c"), u"\"a\\\\\\\"b c\"");
  EXPECT_EQ(QuoteArgument(u"dir\\ x\\"), u"\"dir\\ x\\\\\"");
}

TEST(QuoteArgument, SurvivesTheCommandLineRules) {
  const Text arguments[] = {
      u"",          u" ",          u"a  b\tc", u"\"",       u"\"\"",          u"\\",
      u"\\\\",      u"a\\",        u"a b\\",   u"a\\\\\"",  u"\\\"a\\\" b\\", u"'it'\\''s; $HOME'",
      u"caf\u00e9", u"line\nnext", u"x\"\"y",  u"\" \\ \"",
  };
  for (const Text& argument : arguments) {
    std::vector<Text> split = SplitCommandLine(u"p " + QuoteArgument(argument) + u" next");
    ASSERT_EQ(split.size(), 3u) << EncodeUtf8(argument);
    EXPECT_EQ(split[1], argument) << EncodeUtf8(argument);
    EXPECT_EQ(split[2], u"next");
  }
}

}  // namespace
