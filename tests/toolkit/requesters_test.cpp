// Requesters and the clipboard: what the platform is asked to show, the
// modal bracket, and failures.
#include <gtest/gtest.h>

#include "toolkit/headless/driver.h"
#include "toolkit_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Requesters = ToolkitTest;

const headless::Requester& AskOpen(TextView defaultFile, TextView pattern = u"",
                                   int patternIndex = 0) {
  AskFileToOpen(u"Title", defaultFile, pattern, patternIndex);
  return headless::ShownRequesters().back();
}

TEST_F(Requesters, TheDefaultFileGivesDirectoryAndProposedName) {
  const headless::Requester& full = AskOpen(u"C:\\tools\\ADB.exe");
  EXPECT_EQ(full.directory, u"C:\\tools");
  EXPECT_EQ(full.fileName, u"ADB.exe");
  EXPECT_EQ(full.defaultFile, u"C:\\tools\\ADB.exe");
  const headless::Requester& bare = AskOpen(u"ADB.exe");
  EXPECT_EQ(bare.directory, u"");
  EXPECT_EQ(bare.fileName, u"ADB.exe");
  EXPECT_EQ(AskOpen(u"C:\\tools\\*.exe").fileName, u"");
  EXPECT_EQ(AskOpen(u"C:\\tools\\*.exe").directory, u"C:\\tools");
  EXPECT_EQ(AskOpen(u"\\leading").fileName, u"") << "a name with a backslash is not proposed";
  EXPECT_EQ(AskOpen(u"\\leading").directory, u"");
  EXPECT_EQ(AskOpen(u"C:\\dir\\").fileName, u"");
  EXPECT_EQ(AskOpen(u"").fileName, u"");
  EXPECT_EQ(AskOpen(u"a\tb").fileName, u"");
  EXPECT_EQ(AskOpen(Text(300, u'x')).fileName, Text(259, u'x'));
}

TEST_F(Requesters, ThePatternBecomesTheFilterList) {
  const headless::Requester& shown = AskOpen(u"", u"ADB.exe|*.exe;", 0);
  EXPECT_EQ(shown.kind, headless::RequesterKind::OpenFile);
  EXPECT_EQ(shown.title, u"Title");
  EXPECT_EQ(shown.pattern, u"ADB.exe|*.exe;");
  EXPECT_EQ(shown.patternIndex, 0);
  EXPECT_EQ(shown.filter, Text(u"ADB.exe\0*.exe;\0\0", 16));
  AskFileToSave(u"Save", u"", u"Text|*.txt|All|*.*", 1);
  const headless::Requester& save = headless::ShownRequesters().back();
  EXPECT_EQ(save.kind, headless::RequesterKind::SaveFile);
  EXPECT_EQ(save.filter, Text(u"Text\0*.txt\0All\0*.*\0\0", 20));
  EXPECT_EQ(save.patternIndex, 1);
}

TEST_F(Requesters, UnansweredRequestersCancel) {
  EXPECT_EQ(ShowMessageBox(u"T", u"Text", KV_MessageBox_YesNo), 0);
  EXPECT_EQ(AskFileToOpen(u"T", u"", u""), u"");
  headless::AnswerNextFileRequester(Text(300, u'p'));
  EXPECT_EQ(AskFileToOpen(u"T", u"", u"").size(), 259u);
}

TEST_F(Requesters, MessageBoxesAreRecordedWithTheirOwner) {
  headless::AnswerNextMessageBox(KV_MessageBox_AnswerOk);
  EXPECT_EQ(ShowMessageBox(u"Dump", u"TODO"), KV_MessageBox_AnswerOk);
  const headless::Requester& shown = headless::ShownRequesters().back();
  EXPECT_EQ(shown.kind, headless::RequesterKind::MessageBox);
  EXPECT_EQ(shown.title, u"Dump");
  EXPECT_EQ(shown.text, u"TODO");
  EXPECT_EQ(shown.flags, 0);
  EXPECT_EQ(shown.owner, GetWindowHandle(window));
  EXPECT_EQ(RequesterOwner(), GetWindowHandle(window));
}

TEST_F(Requesters, OtherWindowsAreDisabledWhileARequesterIsOpen) {
  Handle main = GetWindowHandle(window);
  auto open = [](int flags) {
    return GetWindowHandle(
        static_cast<int>(NewWindow(KV_Any, 0, 0, 10, 10, u"", flags | KV_Window_NoActivate)));
  };
  Handle other = open(0);
  Handle disabled = open(0);
  Handle topmost = open(0);
  Handle hidden = open(KV_Window_Invisible);
  platform::EnableHandle(disabled, false);
  headless::SetWindowTopmost(topmost, true);

  headless::CancelNextFileRequester();
  EXPECT_EQ(AskFileToOpen(u"T", u"", u""), u"");
  const headless::Requester& shown = headless::ShownRequesters().back();
  EXPECT_EQ(shown.disabledWindows, (std::vector<Handle>{other, disabled, topmost}));

  EXPECT_TRUE(headless::IsEnabled(main));
  EXPECT_TRUE(headless::IsEnabled(other));
  EXPECT_FALSE(headless::IsEnabled(disabled)) << "disabled before, disabled after";
  EXPECT_TRUE(headless::IsEnabled(topmost));
  EXPECT_TRUE(headless::IsTopmost(topmost));
  EXPECT_TRUE(headless::IsEnabled(hidden));
}

TEST_F(Requesters, TheBracketTakesTopmostWindowsOutOfTheTopLayerMeanwhile) {
  Handle topmost = GetWindowHandle(window);
  headless::SetWindowTopmost(topmost, true);
  DisableOtherWindows();
  EXPECT_FALSE(headless::IsTopmost(topmost));
  EXPECT_TRUE(headless::IsEnabled(topmost)) << "the foreground window stays enabled";
  RestoreOtherWindows();
  EXPECT_TRUE(headless::IsTopmost(topmost));
  RestoreOtherWindows();  // nothing left to restore
  EXPECT_TRUE(headless::IsTopmost(topmost));
}

TEST_F(Requesters, AHeldClipboardRefusesAndKeepsItsText) {
  ASSERT_NE(PutClipboardText(u"kept"), 0);
  headless::HoldClipboard(true);
  EXPECT_EQ(EmptyClipboardContents(), 0);
  EXPECT_EQ(PutClipboardText(u"lost"), 0);
  headless::HoldClipboard(false);
  EXPECT_EQ(headless::ClipboardText(), u"kept");
  ASSERT_NE(EmptyClipboardContents(), 0);
  EXPECT_FALSE(headless::ClipboardHasText());
  ASSERT_NE(PutClipboardText(u""), 0);
  EXPECT_TRUE(headless::ClipboardHasText());
}

}  // namespace
