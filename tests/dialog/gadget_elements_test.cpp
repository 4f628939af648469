// The gadget elements of descriptions: what each is given at creation, how
// it is sized, and the option groups. Written against the public API and the
// toolkit tests' user.h only, so that the same descriptions run on the
// headless backend and on real controls.
#include <gtest/gtest.h>

#include "dialog_libraries.h"
#include "dialog/dialog.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"
#include "user.h"
#include "xml/parse.h"

namespace kv {
namespace {

class GadgetElements : public test::DialogLibrariesTest {
 protected:
  int Open(TextView content) {
    Text description = u"<window>" + Text(content) + u"</window>";
    XmlDocument* document = ParseXmlText(KV_Any, description);
    EXPECT_TRUE(document && document->status == 0) << "the test's description is not XML";
    int opened = OpenDialogWindow(dialog, document, u"");
    if (document) FreeXmlDocument(document->number);
    return opened;
  }

  int Gadget(TextView name) const { return FindDialogGadget(dialog, name); }

  // The gadgets of the window in the order they were created, which is the
  // order their numbers were given.
  int CreationRank(TextView name) const {
    int rank = 0;
    for (const PlacedItem& item : DialogLayout(dialog)) {
      if (item.gadget != -1 && item.gadget < Gadget(name)) ++rank;
    }
    return rank;
  }

};

// Three options in groups 1, 2, 1 make two radio groups, the first and the
// third together, created after the box's other children.
TEST_F(GadgetElements, GroupedOptionsFormOneRadioGroupPerGroupNumber) {
  ASSERT_NE(Open(u"<vbox><option name='o1' text='First' group='1'/>"
                 u"<option name='o2' text='Second' group='2'/>"
                 u"<button name='b' text='Between'/>"
                 u"<option name='o3' text='Third' group='1'/></vbox>"),
            0);
  EXPECT_EQ(CreationRank(u"b"), 0) << "the box's other children come first";
  EXPECT_LT(CreationRank(u"o1"), CreationRank(u"o3"));
  EXPECT_LT(CreationRank(u"o3"), CreationRank(u"o2")) << "group by group";

  user::ClickButton(Gadget(u"o1"));
  user::ClickButton(Gadget(u"o2"));
  EXPECT_EQ(ReadGadgetState(Gadget(u"o1")), 1);
  EXPECT_EQ(ReadGadgetState(Gadget(u"o2")), 1);
  user::ClickButton(Gadget(u"o3"));
  EXPECT_EQ(ReadGadgetState(Gadget(u"o3")), 1);
  EXPECT_EQ(ReadGadgetState(Gadget(u"o1")), 0) << "picking the third unpicks the first";
  EXPECT_EQ(ReadGadgetState(Gadget(u"o2")), 1) << "and leaves the second";
}

TEST_F(GadgetElements, UngroupedOptionsAreCreatedAtOnceAndGroupedOnesKeepTheirStates) {
  ASSERT_NE(Open(u"<vbox><option name='a' text='A'/><option name='b' text='B'/>"
                 u"<option name='c' text='C' group='5' disabled='yes' id='77'/></vbox>"),
            0);
  EXPECT_LT(CreationRank(u"a"), CreationRank(u"b"));
  user::ClickButton(Gadget(u"a"));
  user::ClickButton(Gadget(u"b"));
  EXPECT_EQ(ReadGadgetState(Gadget(u"a")), 0) << "consecutive options share a group";
  EXPECT_EQ(Gadget(u"c"), 77);
  EXPECT_EQ(GetGadgetKind(77), GK_OPTION);
  user::ClickButton(77);
  EXPECT_EQ(ReadGadgetState(77), 0) << "disabled once created";
  EXPECT_EQ(ReadGadgetState(Gadget(u"b")), 1);
}

// A container keeps its last child only; the option it dropped still gets
// its gadget, and the kept one its number.
TEST_F(GadgetElements, AnOptionItsParentDroppedStillGetsItsGadget) {
  ASSERT_NE(Open(u"<container><option name='gone' text='Gone' group='1'/>"
                 u"<option name='kept' text='Kept' group='1'/></container>"),
            0);
  EXPECT_EQ(GetGadgetKind(Gadget(u"kept")), GK_OPTION);
  EXPECT_EQ(Gadget(u"gone"), -1) << "no item of that name is left";
}

TEST_F(GadgetElements, ValueElementsTakeTheirRangeAndValue) {
  ASSERT_NE(Open(u"<vbox><scrollbar name='s' min='5' max='50' page='5' value='20' width='150' "
                 u"height='17'/><trackbar name='t' width='150' height='30'/>"
                 u"<progressbar name='p' value='150' width='150' height='20'/>"
                 u"<spin name='n' min='1' max='9' value='3' flags='#KV_Spin_Numeric'/></vbox>"),
            0);
  EXPECT_EQ(ReadGadgetState(Gadget(u"s")), 20);
  EXPECT_EQ(ReadGadgetAttribute(Gadget(u"s"), KV_ScrollBar_PageLength), 5);
  EXPECT_EQ(ReadGadgetAttribute(Gadget(u"t"), KV_Range_Maximum), 10) << "a track bar's own default";
  EXPECT_EQ(ReadGadgetState(Gadget(u"t")), 0) << "the value starts at the minimum";
  EXPECT_EQ(ReadGadgetState(Gadget(u"p")), 100);
  EXPECT_EQ(ReadGadgetState(Gadget(u"n")), 3);
  EXPECT_EQ(ReadGadgetText(Gadget(u"n")), u"3");
}

TEST_F(GadgetElements, ListsAndBarsTakeTheirAttributeSizesAndFieldsTheirMeasure) {
  ASSERT_NE(Open(u"<vbox expand='no'><listicon name='l' text='Name' width='240' height='90'/>"
                 u"<progressbar name='p' width='160' height='12'/>"
                 u"<checkbox name='c' text='Remember'/>"
                 u"<hyperlink name='h' text='Home page' color='255'/></vbox>"),
            0);
  auto heightOf = [this](TextView name) {
    for (const PlacedItem& item : DialogLayout(dialog)) {
      if (item.name == name) return item.height;
    }
    return -1;
  };
  EXPECT_EQ(heightOf(u"l"), 90);
  EXPECT_EQ(heightOf(u"p"), 12);
  EXPECT_EQ(heightOf(u"c"), MeasureGadget(Gadget(u"c")).height);
  EXPECT_EQ(ReadGadgetItemText(Gadget(u"l"), -1), u"");
  EXPECT_EQ(GadgetColumnCount(Gadget(u"l")), 1);
  EXPECT_EQ(ReadGadgetColor(Gadget(u"h"), KV_FrontColor), 255);
}

}  // namespace
}  // namespace kv
