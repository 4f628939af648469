// The containers beside boxes, with golden rectangles worked out by hand
// from the layout rules. Written against the public API and the toolkit
// tests' user.h only, so that the same descriptions run on the headless
// backend and on real controls. Leaves are editors and empty items, which
// are sized by their attributes on every platform; frames caption in a
// font 13 high and thin borders are 1 wide, as on both backends.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "dialog_libraries.h"
#include "dialog/dialog.h"
#include "dialog/runtime_symbols.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"
#include "user.h"
#include "xml/parse.h"

namespace kv {

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Box&) const = default;
};

void PrintTo(const Box& b, std::ostream* out) {
  *out << "{" << b.x << ", " << b.y << ", " << b.width << ", " << b.height << "}";
}

namespace {

class Containers : public test::DialogLibrariesTest {
 protected:
  // Without a size the content keeps its required size at (8, 8) in a
  // window that may be wider: real windows have a least width.
  int Open(TextView content, int width = 0, int height = 0) {
    Text description = width ? Text(u"<window>") + Text(content) + u"</window>"
                             : Text(u"<window><vbox expand='no'><hbox expand='no'>") + Text(content) +
                                   u"</hbox></vbox></window>";
    XmlDocument* document = ParseXmlText(KV_Any, description);
    EXPECT_TRUE(document && document->status == 0) << "the test's description is not XML";
    int opened = OpenDialogWindow(dialog, document, u"", 0, 0, width, height);
    if (document) FreeXmlDocument(document->number);
    return opened;
  }

  Text Error() const { return DialogErrorText(dialog); }
  int Gadget(TextView name) const { return FindDialogGadget(dialog, name); }

  // Where the layout placed the item named name.
  Box At(TextView name) const {
    for (const PlacedItem& item : DialogLayout(dialog)) {
      if (item.name == name) return {item.x, item.y, item.width, item.height};
    }
    ADD_FAILURE() << "no item of that name";
    return {};
  }

  // Where the toolkit has the gadget named name, in what contains it.
  Box GadgetAt(TextView name) const {
    int g = Gadget(name);
    return {ReadGadgetX(g), ReadGadgetY(g), ReadGadgetWidth(g), ReadGadgetHeight(g)};
  }

  // Both of the above agree.
  void ExpectAt(TextView name, Box box) const {
    EXPECT_EQ(At(name), box) << EncodeUtf8(name);
    if (Gadget(name) != -1) {
      EXPECT_EQ(GadgetAt(name), box) << EncodeUtf8(name) << " (gadget)";
    }
  }

};

Text Editors(int count, TextView size) {
  Text editors;
  for (int i = 0; i < count; ++i) {
    editors += Text(u"<editor name='") + Text(1, static_cast<char16_t>(u'a' + i)) + u"' " +
               Text(size) + u"/>";
  }
  return editors;
}

// ---- Grid ----------------------------------------------------------------------------

TEST_F(Containers, GridFillsRowByRowAndSkipsCoveredCells) {
  ASSERT_NE(Open(u"<gridbox name='g' columns='3'>" + Editors(5, u"width='30' height='20'") +
                 u"</gridbox>"),
            0);
  ExpectAt(u"g", {8, 8, 3 * 30 + 2 * 5, 2 * 20 + 5});
  ExpectAt(u"a", {8, 8, 30, 20});
  ExpectAt(u"c", {78, 8, 30, 20});
  ExpectAt(u"d", {8, 33, 30, 20});
  ExpectAt(u"e", {43, 33, 30, 20});

  ASSERT_NE(Open(u"<gridbox columns='3'><editor name='a' width='30' height='20'/>"
                 u"<editor name='b' colspan='5' width='65' height='20'/>"
                 u"<editor name='c' width='30' height='20'/></gridbox>"),
            0);
  ExpectAt(u"b", {43, 8, 65, 20});
  ExpectAt(u"c", {8, 33, 30, 20});

  ASSERT_NE(Open(u"<gridbox><editor name='a' rowspan='2' width='30' height='45'/>"
                 u"<editor name='b' width='30' height='20'/>"
                 u"<editor name='c' width='30' height='20'/></gridbox>"),
            0);
  ExpectAt(u"a", {8, 8, 30, 45});
  ExpectAt(u"c", {43, 33, 30, 20});
}

TEST_F(Containers, GridColumnsShareTheExtraAndSpansSpreadTheirNeed) {
  Text cells = Editors(2, u"height='20'");
  cells.replace(cells.find(u"name='a'"), 8, u"name='a' width='50'");
  cells.replace(cells.find(u"name='b'"), 8, u"name='b' width='70'");
  ASSERT_NE(Open(u"<gridbox>" + cells + u"</gridbox>", 200 + 16, 0), 0);
  ExpectAt(u"a", {8, 8, 87, 20});
  ExpectAt(u"b", {8 + 92, 8, 107, 20});

  ASSERT_NE(Open(u"<gridbox name='g'>" + cells +
                 u"<editor name='wide' colspan='2' width='200' height='20'/></gridbox>"),
            0);
  EXPECT_EQ(At(u"g").width, 87 + 5 + 107);
  ExpectAt(u"a", {8, 8, 87, 20});
  ExpectAt(u"b", {100, 8, 107, 20});
  ExpectAt(u"wide", {8, 33, 199, 20});
}

TEST_F(Containers, GridExpandModes) {
  Text cells = u"<editor name='a' width='50' height='20'/>"
               u"<editor name='b' width='70' height='30'/>";
  ASSERT_NE(Open(u"<gridbox colexpand='equal' rowexpand='yes'>" + cells + u"</gridbox>",
                 200 + 16, 100 + 16),
            0);
  ExpectAt(u"a", {8, 8, 97, 100});
  ExpectAt(u"b", {110, 8, 97, 100});
  ASSERT_NE(Open(u"<gridbox colexpand='item:1' colspacing='10'>" + cells + u"</gridbox>",
                 200 + 16, 0),
            0);
  ExpectAt(u"a", {8, 8, 50 + 70, 30});
  ExpectAt(u"b", {8 + 120 + 10, 8, 70, 30});
  ASSERT_NE(Open(u"<gridbox colexpand='no'>" + cells + u"</gridbox>", 200 + 16, 0), 0);
  SCOPED_TRACE("the surplus stays unused");
  ExpectAt(u"b", {63, 8, 70, 30});
}

TEST_F(Containers, GridColumnsNeverNarrowOnRelayout) {
  ASSERT_NE(Open(u"<gridbox><button name='btn' text='A rather long caption'/>"
                 u"<empty name='gap'/></gridbox>"),
            0);
  int wide = At(u"btn").width;
  WriteGadgetText(Gadget(u"btn"), u"A");
  RelayoutDialog(dialog);
  EXPECT_EQ(At(u"btn").width, wide);
  EXPECT_EQ(At(u"gap").x, 8 + wide + 5);
}

TEST_F(Containers, GridLimitsFailTheBuild) {
  EXPECT_EQ(Open(u"<gridbox><empty/><empty rowspan='66'/></gridbox>"), 0);
  EXPECT_EQ(Error(), u"A gridbox can only have a maximum of 65 rows (66 was specified).");
  Text many;
  for (int i = 0; i < 141; ++i) many += u"<empty/>";
  EXPECT_EQ(Open(u"<gridbox>" + many + u"</gridbox>"), 0);
  EXPECT_EQ(Error(), u"A gridbox can only have 70 rows (row 71 was needed).");
}

// COLUMNS must be 1 to 1000 only for a grid that gets children.
TEST_F(Containers, GridColumnsOutOfRangeFailOnlyAGridWithChildren) {
  for (Text columns : {u"0", u"5000", u"-3", u"2000000000"}) {
    SCOPED_TRACE(EncodeUtf8(columns));
    Text grid = u"<gridbox name='g' width='40' height='30' columns='" + columns + u"'";
    EXPECT_NE(Open(grid + u"/>"), 0);
    EXPECT_EQ(At(u"g"), (Box{8, 8, 40, 30}));
    EXPECT_NE(Open(grid + u"><unknown><empty/></unknown></gridbox>"), 0) << "no child it keeps";
    EXPECT_EQ(Open(grid + u"><empty/></gridbox>"), 0);
    EXPECT_EQ(Error(),
              u"A gridbox can only have 1 to 1000 columns (" + columns + u" was specified).");
  }
  ASSERT_NE(Open(u"<gridbox columns='1000' colspacing='0'>"
                 u"<empty name='e' width='7'/></gridbox>"),
            0);
  EXPECT_EQ(At(u"e").width, 7);
}

// ---- Single, multi, container, canvas, frame ----------------------------------------

TEST_F(Containers, MultiboxGivesEveryChildTheWholeArea) {
  ASSERT_NE(Open(u"<multibox name='m'><editor name='a' width='100' height='20'/>"
                 u"<editor name='b' width='50' height='40'/></multibox>"),
            0);
  ExpectAt(u"m", {8, 8, 100, 40});
  ExpectAt(u"a", {8, 8, 100, 40});
  ExpectAt(u"b", {8, 8, 100, 40});
}

TEST_F(Containers, SingleboxPlacesItsChildByTheContainerRule) {
  ASSERT_NE(Open(u"<singlebox expand='no' align='center'>"
                 u"<editor name='a' width='50' height='20'/></singlebox>",
                 200, 100),
            0);
  ExpectAt(u"a", {8 + 10 + (164 - 50) / 2, 8 + 10 + (64 - 20) / 2, 50, 20});
}

TEST_F(Containers, ContainerChildLiesInsideItsBorder) {
  ASSERT_NE(Open(u"<container name='box' flags='#KV_Container_Flat'>"
                 u"<editor name='a' width='100' height='20'/></container>"),
            0);
  ExpectAt(u"box", {8, 8, 122, 42});
  ExpectAt(u"a", {11, 11, 100, 20});
  ASSERT_NE(Open(u"<container name='box' flags='#KV_Container_Double' margin='0'>"
                 u"<editor name='a' width='100' height='20'/></container>"),
            0);
  ExpectAt(u"box", {8, 8, 102, 22});
  ExpectAt(u"a", {1, 1, 100, 20});
  ASSERT_NE(Open(u"<container name='box'><editor name='a' width='100' height='20'/>"
                 u"</container>"),
            0);
  ExpectAt(u"box", {8, 8, 120, 40});
  ExpectAt(u"a", {10, 10, 100, 20});
}

TEST_F(Containers, ContainerCanvasHoldsItsChild) {
  ASSERT_NE(Open(u"<canvas name='c' flags='#KV_Canvas_Container' margin='4'>"
                 u"<editor name='a' width='100' height='20'/></canvas>"),
            0);
  ExpectAt(u"c", {8, 8, 108, 28});
  ExpectAt(u"a", {4, 4, 100, 20});
  ASSERT_NE(Open(u"<canvas name='c' width='60' height='30'/>"), 0);
  ExpectAt(u"c", {8, 8, 60, 30});
}

TEST_F(Containers, FrameLeavesRoomForItsCaptionAndFramesWhatLiesBesideIt) {
  ASSERT_NE(Open(u"<frame name='f' text='Caption'><editor name='a' width='100' height='20'/>"
                 u"</frame>"),
            0);
  ExpectAt(u"f", {8, 8, 118, 47});
  ExpectAt(u"a", {8 + 9, 8 + 18, 100, 20});
}

// ---- Scroll area -------------------------------------------------------------------

TEST_F(Containers, VerticalScrollAreaFitsItsChildBesideTheBar) {
  ASSERT_NE(Open(u"<scrollarea name='s' scrolling='vertical' height='100'>"
                 u"<editor name='a' width='300' height='400'/></scrollarea>"),
            0);
  ExpectAt(u"s", {8, 8, 342, 100});
  ExpectAt(u"a", {10, 10, 300, 400});
  int area = Gadget(u"s");
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_InnerWidth), 320);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_InnerHeight), 420);

  int top = user::ScreenTop(Gadget(u"a"));
  user::ScrollLines(area, true, 3);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 30);
  EXPECT_EQ(user::ScreenTop(Gadget(u"a")), top - 30) << "the child moved up with the view";
  EXPECT_EQ(GadgetAt(u"a"), (Box{10, 10, 300, 400})) << "it keeps its place in the inner area";
}

TEST_F(Containers, ScrollAreaInnerSizeGivenOrFollowingTheChild) {
  ASSERT_NE(Open(u"<scrollarea name='s' width='200' height='100' innerwidth='500'>"
                 u"<editor name='a' width='50' height='30'/></scrollarea>"),
            0);
  ExpectAt(u"s", {8, 8, 200, 100});
  ExpectAt(u"a", {10, 10, 480, 30});
  EXPECT_EQ(ReadGadgetAttribute(Gadget(u"s"), KV_ScrollArea_InnerWidth), 500);
  EXPECT_EQ(ReadGadgetAttribute(Gadget(u"s"), KV_ScrollArea_InnerHeight), 50);
  ASSERT_NE(Open(u"<scrollarea name='s' scrolling='horizontal' width='100'>"
                 u"<editor name='a' width='300' height='40'/></scrollarea>"),
            0);
  ExpectAt(u"s", {8, 8, 100, 82});
  EXPECT_EQ(ReadGadgetAttribute(Gadget(u"s"), KV_ScrollArea_InnerWidth), 320);
}

// ---- Splitter ----------------------------------------------------------------------

Text Sides(TextView attributes) {
  return Text(u"<splitter name='split' ") + Text(attributes) +
         u"><editor name='a' width='100' height='50'/>"
         u"<editor name='b' width='120' height='80'/></splitter>";
}

TEST_F(Containers, VerticalSplitterNeedsBothSidesAndItsBar) {
  ASSERT_NE(Open(Sides(u"flags='#KV_Splitter_Vertical'")), 0);
  ExpectAt(u"split", {8, 8, 224, 80});
  ExpectAt(u"a", {0, 0, 110, 80});
  ExpectAt(u"b", {0, 0, 110, 80});
  ASSERT_NE(Open(Sides(u"flags='#KV_Splitter_Vertical|#KV_Splitter_Separator'")), 0);
  ExpectAt(u"split", {8, 8, 227, 80});
  ASSERT_NE(Open(Sides(u"flags='#KV_Splitter_Vertical' firstmin='auto' secondmin='request'")),
            0);
  ExpectAt(u"a", {0, 0, 100, 80});
  ExpectAt(u"b", {0, 0, 120, 80});
  ASSERT_NE(Open(Sides(u"")), 0);
  ExpectAt(u"split", {8, 8, 120, 134});
}

TEST_F(Containers, DraggingTheBarPlacesBothSidesAgain) {
  ASSERT_NE(Open(Sides(u"flags='#KV_Splitter_Vertical' secondmin='90'")), 0);
  user::DragSplitter(Gadget(u"split"), 10, 0);
  EXPECT_EQ(ReadGadgetState(Gadget(u"split")), 120);
  ExpectAt(u"a", {0, 0, 120, 80});
  ExpectAt(u"b", {0, 0, 100, 80});
  user::DragSplitter(Gadget(u"split"), 40, 0);
  SCOPED_TRACE("the second side keeps its minimum");
  ExpectAt(u"a", {0, 0, 130, 80});
  ExpectAt(u"b", {0, 0, 90, 80});
}

TEST_F(Containers, SplitterChildCount) {
  EXPECT_EQ(Open(u"<splitter><empty/><empty/><empty/></splitter>"), 0);
  EXPECT_EQ(Error(), u"A splitter can only have two children.");
  ASSERT_NE(Open(u"<vbox><splitter name='split'><editor name='a' height='20'/></splitter>"
                 u"<editor name='after' width='40' height='20'/></vbox>"),
            0);
  DisposeGadget(Gadget(u"split"));
  EXPECT_EQ(GetGadgetKind(Gadget(u"a")), 0) << "the side went with the splitter";
  EXPECT_EQ(GetGadgetKind(Gadget(u"after")), GK_EDITOR) << "created beside the splitter";
}

// ---- Builds ------------------------------------------------------------------------

TEST_F(Containers, DeepNestingEndsTheBuild) {
  Text deep;
  for (int i = 0; i < 5000; ++i) deep += u"<vbox>";
  for (int i = 0; i < 5000; ++i) deep += u"</vbox>";
  EXPECT_EQ(Open(deep), 0);
  EXPECT_EQ(Error(), u"<vbox> is nested deeper than 100 elements.");
  EXPECT_EQ(DialogWindowOf(dialog), -1);
  Text fine;
  for (int i = 0; i < 97; ++i) fine += u"<singlebox margin='0'>";
  fine += u"<editor name='a' width='10' height='10'/>";
  for (int i = 0; i < 97; ++i) fine += u"</singlebox>";
  ASSERT_NE(Open(fine), 0) << EncodeUtf8(Error());
  ExpectAt(u"a", {8, 8, 10, 10});
}

}  // namespace
}  // namespace kv
