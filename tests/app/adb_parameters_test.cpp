// What may go into adb's parameters, and the lines that name devices and
// folders, without processes or windows.
#include <gtest/gtest.h>

#include "app/adb_answers.h"
#include "app/adb_location.h"
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

TEST(AdbParameters, SerialsAreWordsNoOptionParserMistakes) {
  for (TextView serial : {u"emulator-5554", u"R58M41XYZ2A", u"192.168.1.20:5555",
                          u"adb-R58M41XYZ2A-x1Y2z3._adb-tls-connect._tcp"}) {
    EXPECT_TRUE(IsDeviceSerial(serial)) << EncodeUtf8(serial);
  }
  for (TextView serial : {u"", u"-d", u"my phone", u"x;y", u"a\"b", u"a+b"}) {
    EXPECT_FALSE(IsDeviceSerial(serial)) << EncodeUtf8(serial);
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

TEST(AdbAnswers, DeviceLines) {
  auto device = DeviceOfListLine(u"emulator-5554\tdevice");
  ASSERT_TRUE(device);
  EXPECT_EQ(device->serial, u"emulator-5554");
  EXPECT_EQ(device->state, u"device");
  device = DeviceOfListLine(u"0123ABC\tno permissions (user in plugdev group)");
  ASSERT_TRUE(device);
  EXPECT_EQ(device->state, u"no permissions (user in plugdev group)");
  EXPECT_FALSE(DeviceOfListLine(u"List of devices attached"));
  EXPECT_FALSE(DeviceOfListLine(u""));
  EXPECT_FALSE(DeviceOfListLine(u"\tdevice"));
  EXPECT_FALSE(DeviceOfListLine(u"* daemon started successfully"));
}

TEST(AdbLocation, PathListsSplitIntoFolders) {
  using Folders = std::vector<Text>;
  EXPECT_EQ(FoldersOfPathList(u"/usr/bin:/opt/platform-tools/", u':'),
            (Folders{u"/usr/bin", u"/opt/platform-tools/"}));
  EXPECT_EQ(FoldersOfPathList(u"C:\\Windows;;\"C:\\Program Files\\tools\";C:\\x;", u';'),
            (Folders{u"C:\\Windows", u"C:\\Program Files\\tools", u"C:\\x"}));
  EXPECT_EQ(FoldersOfPathList(u"", u';'), Folders{});
}

}  // namespace
