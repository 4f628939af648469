// What may go into adb's parameters, without processes or windows.
#include <gtest/gtest.h>

#include "app/adb_parameters.h"

using namespace kv;

namespace {

TEST(AdbParameters, SettingNamesAreWordsTheShellTakesAsTheyAre) {
  for (TextView name : {u"adb_enabled", u"Settings.Secure.x", u"ntp_server_2",
                        u"bluetooth_a2dp_sink_priority_00:11:22:33:44:55", u"a-b+c@d"}) {
    EXPECT_TRUE(IsSettingName(name)) << EncodeUtf8(name);
  }
  for (TextView name : {u"", u"bad name", u"a;reboot", u"a$b", u"it's", u"a\"b", u"-x", u"a|b",
                        u"a\tb", u"a=b", u"caf\u00e9", u"a*", u"a/b"}) {
    EXPECT_FALSE(IsSettingName(name)) << EncodeUtf8(name);
  }
}

TEST(AdbParameters, FreeTextIsOneSingleQuotedShellWordInOneParameter) {
  EXPECT_EQ(DeviceShellWord(u"102"), u"'102'");
  EXPECT_EQ(DeviceShellWord(u""), u"''");
  EXPECT_EQ(DeviceShellWord(u"it's"), u"'it'\\''s'");
  // Blanks and double quotes also need the command line's quoting.
  EXPECT_EQ(DeviceShellWord(u"a  b"), u"\"'a  b'\"");
  EXPECT_EQ(DeviceShellWord(u"say \"hi\\\""), u"\"'say \\\"hi\\\\\\\"'\"");
}

}  // namespace
