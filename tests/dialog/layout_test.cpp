// Box layout with golden rectangles on the headless metrics: a button with a
// one-letter text needs 21 x 24, a label 7 per character + 2 by 17, a list
// row is 17 high inside edges of 2, a panel's tab row 24 high.
#include "dialog_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Layout = DialogTest;

// Three buttons needing 64, 80 and 64 wide; 218 with the spacing.
Text Row(TextView attributes) {
  return Text(u"<window><hbox name='row' ") + Text(attributes) +
         u"><button name='a' text='A' width='64'/><button name='b' text='B' width='80'/>"
         u"<button name='c' text='C' width='64'/></hbox></window>";
}

TEST_F(Layout, EqualSharesLeaveTheRemainderUnused) {
  ASSERT_NE(Open(Row(u"expand='equal'")), 0);
  EXPECT_EQ(InnerSize().width, 3 * 80 + 2 * 5 + 16);
  ASSERT_NE(Open(Row(u"expand='equal'"), u"", 302 + 16, 40), 0);
  EXPECT_EQ(At(u"row"), (Rect{8, 8, 302, 24}));
  EXPECT_EQ(At(u"a"), (Rect{8, 8, 97, 24}));
  EXPECT_EQ(At(u"b"), (Rect{110, 8, 97, 24}));
  EXPECT_EQ(At(u"c"), (Rect{212, 8, 97, 24}));
  EXPECT_EQ(GadgetAt(u"c"), (Rect{212, 8, 97, 24}));
}

TEST_F(Layout, ByDefaultEveryChildGrowsByTheSameExtra) {
  ASSERT_NE(Open(Row(u""), u"", 301 + 16, 40), 0);
  EXPECT_EQ(At(u"a"), (Rect{8, 8, 91, 24}));
  EXPECT_EQ(At(u"b"), (Rect{104, 8, 107, 24}));
  EXPECT_EQ(At(u"c"), (Rect{216, 8, 91, 24}));
}

TEST_F(Layout, AFoldedChildTakesNoShareOfTheExtra) {
  ASSERT_NE(Open(u"<window><hbox name='row'><button name='a' text='A' width='64'/>"
                 u"<button name='b' text='B' width='80' folded='yes'/>"
                 u"<button name='c' text='C' width='64'/></hbox></window>",
                 u"", 301 + 16, 40),
            0);
  // The folded child's width still counts in the need, as its height does in
  // a column: 301 - (64 + 80 + 64 + 5) = 88 extra, 44 for each visible child.
  EXPECT_EQ(At(u"a"), (Rect{8, 8, 108, 24}));
  EXPECT_EQ(At(u"c"), (Rect{121, 8, 108, 24}));
}

TEST_F(Layout, TooLittleRoomShrinksInProportionAfterAResize) {
  ASSERT_NE(Open(Row(u"")), 0);
  EXPECT_EQ(InnerSize().width, 218 + 16);
  headless::ResizeWindow(Window(), 109 + 16, 40);
  EXPECT_EQ(At(u"row"), (Rect{8, 8, 109, 24}));
  EXPECT_EQ(At(u"a"), (Rect{8, 8, 32, 24}));
  EXPECT_EQ(At(u"b"), (Rect{45, 8, 40, 24}));
  EXPECT_EQ(At(u"c"), (Rect{90, 8, 32, 24})) << "the run overshoots by 5";
  EXPECT_EQ(GadgetAt(u"b"), (Rect{45, 8, 40, 24}));
}

TEST_F(Layout, NoExpandAlignsTheRun) {
  ASSERT_NE(Open(Row(u"expand='no' align='center'"), u"", 301 + 16, 40), 0);
  EXPECT_EQ(At(u"a"), (Rect{49, 8, 64, 24}));
  EXPECT_EQ(At(u"b"), (Rect{118, 8, 80, 24}));
  EXPECT_EQ(At(u"c"), (Rect{203, 8, 64, 24}));
  ASSERT_NE(Open(Row(u"expand='no' align='RIGHT'"), u"", 301 + 16, 40), 0);
  EXPECT_EQ(At(u"a").x, 8 + 83);
  ASSERT_NE(Open(Row(u"expand='no' align='middle'"), u"", 301 + 16, 40), 0);
  EXPECT_EQ(At(u"a").x, 8) << "an unknown alignment keeps the start";
}

TEST_F(Layout, OneItemTakesTheSurplusWhenItNamesAChild) {
  ASSERT_NE(Open(Row(u"expand='item:2'"), u"", 300 + 16, 40), 0);
  EXPECT_EQ(At(u"a"), (Rect{8, 8, 64, 24}));
  EXPECT_EQ(At(u"b"), (Rect{77, 8, 80 + 82, 24}));
  EXPECT_EQ(At(u"c"), (Rect{244, 8, 64, 24}));
  for (TextView nobody : {u"expand='item:4'", u"expand='ITEM:0'"}) {
    ASSERT_NE(Open(Row(nobody), u"", 300 + 16, 40), 0);
    EXPECT_EQ(At(u"a"), (Rect{8, 8, 64, 24}));
    EXPECT_EQ(At(u"b"), (Rect{77, 8, 80, 24}));
    EXPECT_EQ(At(u"c"), (Rect{162, 8, 64, 24}));
  }
}

TEST_F(Layout, AVerticalBoxGivesItsFirstChildTheSurplus) {
  ASSERT_NE(Open(u"<window><vbox expand='item:1'><empty name='big' height='100'/>"
                 u"<empty name='small' height='30'/></vbox></window>",
                 u"", 100, 400 + 16),
            0);
  EXPECT_EQ(At(u"big"), (Rect{8, 8, 84, 365}));
  EXPECT_EQ(At(u"small"), (Rect{8, 378, 84, 30}));
}

TEST_F(Layout, SpacingBetweenChildren) {
  ASSERT_NE(Open(u"<window><vbox spacing='0' expand='no'><empty name='one' height='10'/>"
                 u"<empty name='two' height='10'/></vbox></window>"),
            0);
  EXPECT_EQ(At(u"two").y, 18);
  EXPECT_EQ(InnerSize().height, 36);
}

TEST_F(Layout, FoldedItemsAreNotPlaced) {
  ASSERT_NE(Open(u"<window><vbox><button name='a' text='A'/>"
                 u"<hbox name='row' folded='yes'><button name='inRow' text='R'/></hbox>"
                 u"<button name='c' text='C'/></vbox></window>"),
            0);
  EXPECT_EQ(InnerSize(), (dialog::Size{21 + 16, 24 + 5 + 24 + 16}))
      << "neither the box's height nor a spacing counts";
  EXPECT_EQ(At(u"a"), (Rect{8, 8, 21, 24}));
  EXPECT_EQ(At(u"c"), (Rect{8, 37, 21, 24}));
  EXPECT_EQ(At(u"row"), (Rect{0, 0, 0, 0}));
  EXPECT_EQ(GadgetAt(u"inRow"), (Rect{0, 0, 0, 0}));

  ASSERT_NE(Open(u"<window><vbox><button name='a' text='A'/>"
                 u"<button name='b' text='B' folded='yes'/>"
                 u"<button name='c' text='C'/></vbox></window>"),
            0);
  EXPECT_EQ(InnerSize().height, 24 + 24 + 24 + 5 + 16)
      << "a folded button's measured height counts, its spacing does not";
  EXPECT_EQ(At(u"c"), (Rect{8, 37, 21, 24}));
  EXPECT_EQ(GadgetAt(u"b"), (Rect{0, 0, 0, 0}));
}

TEST_F(Layout, MinusOneHidesAWidthFromTheParentOnly) {
  ASSERT_NE(Open(u"<window><vbox><hbox name='row' width='-1'>"
                 u"<button name='wide' text='A' width='100'/></hbox></vbox></window>"),
            0);
  EXPECT_EQ(InnerSize().width, 16);
  ASSERT_NE(Open(u"<window><vbox><hbox name='row' width='-1'>"
                 u"<button name='wide' text='A' width='100'/></hbox></vbox></window>",
                 u"", 200, 0),
            0);
  EXPECT_EQ(At(u"row"), (Rect{8, 8, 184, 24}));
  EXPECT_EQ(At(u"wide"), (Rect{8, 8, 184, 24}));
}

TEST_F(Layout, ListViewsRoundTheirHeightToWholeRows) {
  ASSERT_NE(Open(u"<window><vbox expand='no'><listview name='list' height='100'/>"
                 u"<listview name='bare'/><listview name='exact' height='38'/></vbox></window>",
                 u"", 100, 0),
            0);
  EXPECT_EQ(At(u"list"), (Rect{8, 8, 84, 6 * 17 + 4}));
  EXPECT_EQ(At(u"bare"), (Rect{8, 119, 84, 0}));
  EXPECT_EQ(At(u"exact").height, 2 * 17 + 4);
}

Text PagedEmpty(TextView tabAttributes) {
  return Text(u"<window><panel name='pan'><tab name='t' ") + Text(tabAttributes) +
         u"><empty name='e' width='50' height='20'/></tab></panel></window>";
}

TEST_F(Layout, TabMargins) {
  ASSERT_NE(Open(PagedEmpty(u"margin='vertical:4,left:2'")), 0);
  EXPECT_EQ(InnerSize(), (dialog::Size{8 + 2 + 50 + 0 + 2 + 2 + 8, 8 + 24 + 4 + 20 + 4 + 2 + 8}));
  EXPECT_EQ(At(u"pan"), (Rect{8, 8, 56, 54}));
  EXPECT_EQ(At(u"t"), (Rect{0, 0, 52, 28}));
  EXPECT_EQ(At(u"e"), (Rect{2, 4, 50, 20}));

  ASSERT_NE(Open(PagedEmpty(u"margin='top:4'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{0, 4, 50, 20}));
  ASSERT_NE(Open(PagedEmpty(u"margin='6'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{6, 6, 50, 20}));
  ASSERT_NE(Open(PagedEmpty(u"")), 0);
  EXPECT_EQ(At(u"e"), (Rect{10, 10, 50, 20}));
}

TEST_F(Layout, APanelFitsItsLargestPageAndSizesEveryPage) {
  ASSERT_NE(Open(u"<window><panel name='pan'>"
                 u"<tab name='t1'><empty name='e1' width='100' height='50'/></tab>"
                 u"<tab name='t2'><empty name='e2' width='60' height='80'/></tab>"
                 u"</panel></window>"),
            0);
  EXPECT_EQ(At(u"pan"), (Rect{8, 8, 124, 126}));
  EXPECT_EQ(GadgetAt(u"pan"), (Rect{8, 8, 124, 126}));
  EXPECT_EQ(At(u"t2"), (Rect{0, 0, 120, 100}));
  EXPECT_EQ(At(u"e1"), (Rect{10, 10, 100, 80}));
  EXPECT_EQ(At(u"e2"), (Rect{10, 10, 100, 80}));
}

// A 40 x 20 child on a page of 140 x 120, 120 x 100 inside the margins.
Text SmallOnBigPage(TextView tabAttributes) {
  return Text(u"<window><panel width='144' height='146'><tab ") + Text(tabAttributes) +
         u"><empty name='e' width='40' height='20'/></tab></panel></window>";
}

TEST_F(Layout, ContainersExpandCapAndAlignTheirChild) {
  ASSERT_NE(Open(SmallOnBigPage(u"")), 0);
  EXPECT_EQ(At(u"e"), (Rect{10, 10, 120, 100}));
  ASSERT_NE(Open(SmallOnBigPage(u"expand='no' align='center'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{50, 50, 40, 20}));
  ASSERT_NE(Open(SmallOnBigPage(u"expand='no' align='bottom right'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{90, 90, 40, 20}));
  ASSERT_NE(Open(SmallOnBigPage(u"expandwidth='60' align='Right'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{70, 10, 60, 100}));
  ASSERT_NE(Open(SmallOnBigPage(u"expand='vertical' expandheight='30'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{10, 10, 40, 30}));
  ASSERT_NE(Open(SmallOnBigPage(u"expand='horizontal' align='top center'")), 0);
  EXPECT_EQ(At(u"e"), (Rect{10, 10, 120, 20})) << "a direction the value names is not centred";
}

Text Labelled(TextView labelAttributes) {
  return Text(u"<window><hbox><button text='B'/><text name='l' text='Hi' ") +
         Text(labelAttributes) + u"/></hbox></window>";
}

TEST_F(Layout, ALabelWithoutBorderSitsTwoLower) {
  ASSERT_NE(Open(Labelled(u"")), 0);
  EXPECT_EQ(At(u"l"), (Rect{34, 10, 16, 22}));
  EXPECT_EQ(GadgetAt(u"l"), (Rect{34, 10, 16, 22}));
  ASSERT_NE(Open(Labelled(u"flags='#KV_Text_Border'")), 0);
  EXPECT_EQ(GadgetAt(u"l"), (Rect{34, 8, 18, 24}));
  ASSERT_NE(Open(Labelled(u"height='23'")), 0);
  EXPECT_EQ(GadgetAt(u"l"), (Rect{34, 8, 16, 24})) << "its own height no longer fits";
}

TEST_F(Layout, TheWindowGrowsToItsContentAndFillsIt) {
  ASSERT_NE(Open(u"<window width='640' height='480' expand='no' align='center'>"
                 u"<empty name='content' width='500' height='600'/></window>"),
            0);
  EXPECT_EQ(InnerSize(), (dialog::Size{640, 616}));
  EXPECT_EQ(At(u"content"), (Rect{8, 8, 624, 600}));
  headless::ResizeWindow(Window(), 700, 700);
  EXPECT_EQ(At(u"content"), (Rect{8, 8, 684, 684})) << "the resize handler lays out again";
}

TEST_F(Layout, RelayoutGrowsTheWindowAndNeverShrinksIt) {
  ASSERT_NE(Open(u"<window><vbox><text name='l' text='short'/></vbox></window>"), 0);
  EXPECT_EQ(InnerSize().width, 5 * 7 + 2 + 16);
  int label = Gadget(u"l");
  WriteGadgetText(label, u"twenty characters...");
  headless::ResizeWindow(Window(), 60, 40);
  EXPECT_EQ(At(u"l").width, 44) << "a resize does not measure again";
  EXPECT_NE(RelayoutDialog(dialog), 0);
  EXPECT_EQ(InnerSize().width, 20 * 7 + 2 + 16);
  WriteGadgetText(label, u"x");
  EXPECT_NE(RelayoutDialog(dialog), 0);
  EXPECT_EQ(InnerSize().width, 20 * 7 + 2 + 16);
  EXPECT_EQ(At(u"l").width, 20 * 7 + 2);
  EXPECT_EQ(RelayoutDialog(dialog + 1), 0);
}

TEST_F(Layout, WindowSizeBounds) {
  const TextView content = u"><empty width='300' height='10'/></window>";
  ASSERT_NE(Open(Text(u"<window minwidth='auto'") + Text(content)), 0);
  const WindowObject* window = FindWindowObject(Window());
  EXPECT_EQ(window->minWidth, 316);
  EXPECT_EQ(window->minHeight, 0) << "not given: kept";
  EXPECT_EQ(window->maxWidth, 0);

  ASSERT_NE(Open(Text(u"<window minwidth='400' maxwidth='auto' maxheight='50'") + Text(content)),
            0);
  window = FindWindowObject(Window());
  EXPECT_EQ(InnerSize(), (dialog::Size{400, 26}));
  EXPECT_EQ(window->minWidth, 400);
  EXPECT_EQ(window->maxWidth, 400) << "auto: the width after the minimum";
  EXPECT_EQ(window->maxHeight, 50);
  headless::ResizeWindow(Window(), 100, 100);
  EXPECT_EQ(InnerSize(), (dialog::Size{400, 50}));
}

}  // namespace
