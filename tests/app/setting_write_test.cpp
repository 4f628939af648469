// Write on the CONFIG tab, driven as a user would against the fake adb, whose
// shell reads the command line as the device's does.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "toolkit/requesters.h"

using namespace kv;
using namespace kv::test;

namespace {

constexpr char kDevice[] =
    "setting global wifi_on=1\n"
    "setting global bad name=1\n"
    "setting secure android_id=0123456789abcdef\n"
    "setting system ringtone=caf\xc3\xa9.ogg\n"
    "setting system screen_brightness=102\n";

// Pages of the CONFIG tab's panel.
enum SettingsPage { GlobalPage = 0, SecurePage = 1, SystemPage = 2 };

struct SettingWrite : UserFlowTest {
  void SetUp() override {
    UserFlowTest::SetUp();
    device.SetDevice(kDevice);
    Reload();
  }

  // Types value for the setting line of list on page, and writes it.
  void Write(int page, int list, TextView line, TextView value) {
    Pick(TabConfig, g.panC, page, list, line);
    WriteGadgetText(g.txtCNewValue, u"");  // as the user empties the field
    user::TypeText(g.txtCNewValue, value);
    user::ClickButton(g.cmdCWrite);
    RunUntilIdle();
  }
};

TEST_F(SettingWrite, WriteSendsAnyValueAsTypedAndShowsWhatTheDeviceKept) {
  const Text value = u"it's; $HOME \"x\"  caf\u00e9 \\\" #1 `id` *";
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  Write(SystemPage, g.lstCSystem, u"ringtone=caf\u00e9.ogg", value);
  EXPECT_EQ(LastRequester().title, u"Kestrelvane [v1.0.0.1]");
  EXPECT_EQ(LastRequester().text, u"Write setting?\r\nsystem ringtone = " + value);
  EXPECT_EQ(LastRequester().flags, 0x34);

  // What adb received, and what it handed the device's shell.
  std::vector<std::string> log = Invocations();
  ASSERT_EQ(log.size(), 14u);
  EXPECT_EQ(log[12], "shell settings put system ringtone 'it'\\''s; $HOME \"x\"  caf\xc3\xa9 \\\" "
                     "#1 `id` *'");
  EXPECT_EQ(log[13], "shell settings get system ringtone");
  EXPECT_NE(device.Device().find("setting system ringtone=" + Utf8(value) + "\n"),
            std::string::npos);

  Text line = u"ringtone=" + value;
  EXPECT_EQ(Items(g.lstCSystem), (std::vector<Text>{line, u"screen_brightness=102"}));
  EXPECT_EQ(ReadGadgetText(g.txtCSelected), line);
  EXPECT_EQ(Status(), line);
}

TEST_F(SettingWrite, WriteRefusedOrDeclinedSendsNothing) {
  Write(GlobalPage, g.lstCGlobal, u"bad name=1", u"0");
  EXPECT_EQ(Status(), u"Not a setting name, nothing sent to adb: \"bad name\"");
  EXPECT_EQ(RequestersShown(), 0u);

  user::AnswerNextMessageBox(KV_MessageBox_AnswerNo);
  Write(GlobalPage, g.lstCGlobal, u"wifi_on=1", u"0");
  EXPECT_EQ(RequestersShown(), 1u);
  EXPECT_EQ(Invocations().size(), 12u);
  EXPECT_EQ(Items(g.lstCGlobal), (std::vector<Text>{u"bad name=1", u"wifi_on=1"}));
}

TEST_F(SettingWrite, AFailedWriteKeepsItsFailureInTheStatus) {
  device.Behave("denywrite\n");
  user::AnswerNextMessageBox(KV_MessageBox_AnswerYes);
  Write(SecurePage, g.lstCSecure, u"android_id=0123456789abcdef", u"42");
  EXPECT_EQ(Status(),
            u"java.lang.SecurityException: Permission denial: writing to settings requires:"
            u"android.permission.WRITE_SECURE_SETTINGS");
  EXPECT_EQ(Items(g.lstCSecure), (std::vector<Text>{u"android_id=0123456789abcdef"}));
}

}  // namespace
