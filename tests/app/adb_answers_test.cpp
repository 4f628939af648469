// adb's answers read without processes or windows.
#include <gtest/gtest.h>

#include "app/adb_answers.h"

using namespace kv;

TEST(AdbAnswers, FieldsSplitAtWholeSeparators) {
  EXPECT_EQ(SplitField(u"package:com.a:b", u":", 2), u"com.a");
  EXPECT_EQ(SplitField(u"package:", u":", 2), u"");
  EXPECT_EQ(SplitField(u"no separator", u":", 1), u"no separator");
  EXPECT_EQ(SplitField(u"no separator", u":", 2), u"");
  EXPECT_EQ(SplitField(u"a: b:c: d", u": ", 2), u"b:c");
  EXPECT_EQ(SplitField(u"a: b:c: d", u": ", 3), u"d");
  EXPECT_EQ(SplitField(u"a::b", u":", 2), u"");
}

TEST(AdbAnswers, PackageLines) {
  EXPECT_EQ(PackageOfListLine(u"package:com.example.app"), u"com.example.app");
  EXPECT_EQ(PackageOfListLine(u"PACKAGE:com.example.app"), u"com.example.app");
  EXPECT_EQ(PackageOfListLine(u"package:com.a:b"), u"com.a");
  EXPECT_EQ(PackageOfListLine(u"package:"), u"");
  EXPECT_FALSE(PackageOfListLine(u" package:com.a"));
  EXPECT_FALSE(PackageOfListLine(u"packages:com.a"));
  EXPECT_FALSE(PackageOfListLine(u""));
}

TEST(AdbAnswers, StateChangeLines) {
  auto change = StateChangeOfLine(u"Package com.Example.app new state: disabled-user");
  ASSERT_TRUE(change);
  EXPECT_EQ(change->name, u"com.Example.app");  // as adb wrote it
  EXPECT_EQ(change->state, u"disabled-user");
  change = StateChangeOfLine(u"PACKAGE com.a new state: ENABLED");
  ASSERT_TRUE(change);
  EXPECT_EQ(change->state, u"enabled");
  EXPECT_FALSE(StateChangeOfLine(u"Error: java.lang.SecurityException: new state: enabled"));
  EXPECT_FALSE(StateChangeOfLine(u"Packages com.a new state: enabled"));
}

TEST(AdbAnswers, UninstallAndInstallAnswers) {
  EXPECT_TRUE(IsUninstallSuccess(u"Success"));
  EXPECT_TRUE(IsUninstallSuccess(u"SUCCESS"));
  EXPECT_FALSE(IsUninstallSuccess(u"Success "));
  EXPECT_FALSE(IsUninstallSuccess(u"Failure [not installed for 0]"));
  EXPECT_TRUE(IsInstalledForUser(u"Package com.a installed for user: 0"));
  EXPECT_TRUE(IsInstalledForUser(u"Package com.a INSTALLED FOR USER: 0"));
  EXPECT_FALSE(IsInstalledForUser(u"Package com.a not installed for user 0"));
}

TEST(AdbAnswers, SortIgnoresCaseAndKeepsArrivalOfEquals) {
  std::vector<Text> items = {u"b", u"A", u"a", u"B", u"ab", u"\u00c4", u"\u00e4"};
  SortNoCase(items);
  std::vector<Text> sorted = {u"A", u"a", u"ab", u"b", u"B", u"\u00c4", u"\u00e4"};
  EXPECT_EQ(items, sorted);
}

TEST(AdbAnswers, PackageNames) {
  for (TextView good : {u"android", u"com.example.app", u"com.a_b.C9", u"A.b"}) {
    EXPECT_TRUE(IsPackageName(good)) << EncodeUtf8(good);
  }
  for (TextView bad :
       {u"", u".", u"com.", u".com", u"com..a", u"com.9a", u"_com.a", u"com.a b", u"com.a;reboot",
        u"com.a&&reboot", u"com.a\nreboot", u"com.$(id)", u"com.\u00e4pp", u"-h"}) {
    EXPECT_FALSE(IsPackageName(bad)) << EncodeUtf8(bad);
  }
}

TEST(AdbAnswers, FailuresNamedInAdbsOwnWords) {
  CommandOutcome ok{true, 0, u""};
  EXPECT_EQ(FailureOfCommand(ok, u"adb"), u"");
  // Module info exits with 1 when it succeeds; nothing on standard error.
  EXPECT_EQ(FailureOfCommand({true, 1, u""}, u"adb"), u"");
  // Warnings with a zero status are not failures.
  EXPECT_EQ(FailureOfCommand({true, 0, u"* daemon started successfully\n"}, u"adb"), u"");
  EXPECT_EQ(FailureOfCommand({false, 0, u""}, u"C:\\sdk\\ADB.exe"),
            u"ADB.exe could not be started: C:\\sdk\\ADB.exe");
  EXPECT_EQ(FailureOfCommand({true, 1, u"adb: no devices/emulators found\n"}, u"adb"),
            u"adb: no devices/emulators found");
  EXPECT_EQ(FailureOfCommand({true, 1,
                              u"error: device unauthorized.\r\nThis adb server's $ADB_VENDOR_KEYS "
                              u"is not set\r\n"},
                             u"adb"),
            u"error: device unauthorized.");
  EXPECT_EQ(FailureOfCommand({true, 1,
                              u"* daemon not running; starting now at tcp:5037\n"
                              u"ADB server didn't ACK\n* failed to start daemon\n"
                              u"error: cannot connect to daemon\n"},
                             u"adb"),
            u"error: cannot connect to daemon");
  EXPECT_EQ(FailureOfCommand({true, 255,
                              u"Exception occurred while executing 'enable':\n"
                              u"java.lang.IllegalArgumentException: Unknown package: com.x\n"
                              u"\tat com.android.server.pm.Shell.run(Shell.java:10)\n"},
                             u"adb"),
            u"java.lang.IllegalArgumentException: Unknown package: com.x");
  EXPECT_EQ(FailureOfCommand({true, 1, u"* failed to start daemon\n"}, u"adb"),
            u"* failed to start daemon");
  // Ended by the channel for its silence, whatever it wrote or how it ended.
  CommandOutcome silent{true, -1, u"", std::chrono::seconds(30), u"shell pm list packages -3 -e"};
  EXPECT_EQ(FailureOfCommand(silent, u"adb"),
            u"adb did not answer for 30 s: shell pm list packages -3 -e");
}
