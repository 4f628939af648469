// Opening a dialog's window again, on whichever backend is linked: a failed
// build leaves no window from the dialog, the earlier one included.
#include <gtest/gtest.h>

#include "dialog_libraries.h"
#include "dialog/dialog.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"
#include "xml/parse.h"

using namespace kv;

namespace {

class Rebuild : public test::DialogLibrariesTest {
 protected:
  int Open(TextView description) {
    XmlDocument* document = ParseXmlText(KV_Any, description);
    int opened = OpenDialogWindow(dialog, document, u"", 0, 0, 0, 0);
    if (document) FreeXmlDocument(document->number);
    return opened;
  }

};

}  // namespace

TEST_F(Rebuild, AFailedBuildOfTheContentClosesTheEarlierWindowToo) {
  ASSERT_NE(Open(u"<window><button text='first'/></window>"), 0);
  int earlier = DialogWindowOf(dialog);
  ASSERT_NE(earlier, -1);
  EXPECT_EQ(Open(u"<window><button width=''/></window>"), 0);
  EXPECT_EQ(DialogWindowOf(dialog), -1);
  EXPECT_EQ(FindWindowObject(earlier), nullptr);
  EXPECT_EQ(DialogErrorText(dialog), u"<button> 'width' can't have empty value.");
}

TEST_F(Rebuild, AFailedWindowElementClosesTheEarlierWindow) {
  ASSERT_NE(Open(u"<window><button text='first'/></window>"), 0);
  int earlier = DialogWindowOf(dialog);
  EXPECT_EQ(Open(u"<window width=''><button/></window>"), 0);
  EXPECT_EQ(DialogWindowOf(dialog), -1);
  EXPECT_EQ(FindWindowObject(earlier), nullptr);

  ASSERT_NE(Open(u"<window><button text='again'/></window>"), 0);
  earlier = DialogWindowOf(dialog);
  EXPECT_EQ(Open(u"<dialogs/>"), 0);
  EXPECT_EQ(DialogWindowOf(dialog), -1);
  EXPECT_EQ(FindWindowObject(earlier), nullptr);
}

TEST_F(Rebuild, ASuccessfulBuildTakesOverAndKeepsTheEarlierWindowOpen) {
  ASSERT_NE(Open(u"<window><button text='first'/></window>"), 0);
  int earlier = DialogWindowOf(dialog);
  ASSERT_NE(Open(u"<window><button text='second'/></window>"), 0);
  EXPECT_NE(DialogWindowOf(dialog), earlier);
  EXPECT_NE(FindWindowObject(earlier), nullptr);
  DisposeWindow(earlier);
}
