// The gadgets that hold gadgets, on the headless screen: the core's rules
// for splitter bars and scroll views, in pixels of the fixed metrics.
#include <gtest/gtest.h>

#include <climits>

#include "toolkit/reports.h"
#include "toolkit/headless/driver.h"
#include "toolkit/headless/metrics.h"
#include "toolkit_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using ContainerKinds = ToolkitTest;

int Container() {
  int container = static_cast<int>(NewContainer(KV_Any, 0, 0, 0, 0));
  PopGadgetParent();
  return container;
}

int Splitter(int flags, int width = 204, int height = 100) {
  return static_cast<int>(
      NewSplitter(KV_Any, 0, 0, width, height, Container(), Container(), flags));
}

TEST_F(ContainerKinds, SplitterBarStartsInTheMiddleAndKeepsItsMinimums) {
  int first = Container();
  int second = Container();
  int splitter = static_cast<int>(NewSplitter(KV_Any, 0, 0, 204, 100, first, second,
                                              KV_Splitter_Vertical));
  ASSERT_GT(splitter, 0);
  EXPECT_EQ(ReadGadgetState(splitter), 100);
  EXPECT_EQ(headless::GadgetRect(second).x, 104);
  WriteGadgetAttribute(splitter, KV_Splitter_SecondMinimumSize, 150);
  EXPECT_EQ(ReadGadgetWidth(first), 50) << "the bar moved to leave the second side 150";
  WriteGadgetAttribute(splitter, KV_Splitter_FirstMinimumSize, 120);
  EXPECT_EQ(ReadGadgetWidth(first), 120) << "when both cannot hold, the first side's wins";
  WriteGadgetState(splitter, -5);
  EXPECT_EQ(ReadGadgetState(splitter), 120);
  EXPECT_EQ(DrainTypes(splitter), std::vector<int>{}) << "the program's changes raise nothing";
}

TEST_F(ContainerKinds, ResizedSplitterKeepsTheFixedSideOrTheShares) {
  for (int fixed : {0, KV_Splitter_FirstFixed, KV_Splitter_SecondFixed}) {
    int first = Container();
    int second = Container();
    int splitter = static_cast<int>(NewSplitter(KV_Any, 0, 0, 50, 104, first, second, fixed));
    WriteGadgetState(splitter, 25);  // horizontal: the first side is 25 high of 100
    PlaceGadget(splitter, 0, 0, 50, 204);
    int expected = fixed == KV_Splitter_FirstFixed ? 25 : fixed == 0 ? 50 : 125;
    EXPECT_EQ(ReadGadgetHeight(first), expected) << "flags " << fixed;
    EXPECT_EQ(ReadGadgetHeight(second), 200 - expected);
  }
}

TEST_F(ContainerKinds, SidesReportTheirResizeAndADragIsAChange) {
  int splitter = Splitter(KV_Splitter_Vertical | KV_Splitter_Separator, 207);
  Drain();
  headless::DragSplitter(splitter, 20, 0);
  EXPECT_EQ(ReadGadgetState(splitter), 120);
  EXPECT_EQ(DrainTypes(splitter), std::vector<int>{ET_CHANGE});
  SplitterBar bar = SplitterBarOf(*FindGadgetObject(splitter));
  EXPECT_EQ(bar.rect.x, 120);
  EXPECT_EQ(bar.rect.width, 7);
  EXPECT_TRUE(bar.vertical);
}

TEST_F(ContainerKinds, BarDraggedOnAtTheFarEndOfTheLargestSplitterStaysThere) {
  for (int flags : {KV_Splitter_Vertical, 0}) {
    int splitter = Splitter(flags);
    PlaceGadget(splitter, 0, 0, INT_MAX, INT_MAX);
    WriteGadgetState(splitter, INT_MAX);
    EXPECT_EQ(ReadGadgetState(splitter), INT_MAX - 4) << "the far end, less the bar";
    Drain();
    headless::DragSplitter(splitter, 30, 30);
    EXPECT_EQ(ReadGadgetState(splitter), INT_MAX - 4);
    EXPECT_EQ(DrainTypes(splitter), std::vector<int>{ET_CHANGE});
  }
}

TEST_F(ContainerKinds, ScrollBarsComeWhenTheInnerAreaIsLarger) {
  // Room inside the 2-pixel border: 196 x 96.
  int area = static_cast<int>(NewScrollArea(KV_Any, 0, 0, 200, 100, 196, 96, 10));
  PopGadgetParent();
  EXPECT_FALSE(headless::ShowsScrollBar(area, true));
  EXPECT_FALSE(headless::ShowsScrollBar(area, false));
  WriteGadgetAttribute(area, KV_ScrollArea_InnerHeight, 97);
  EXPECT_TRUE(headless::ShowsScrollBar(area, true));
  EXPECT_TRUE(headless::ShowsScrollBar(area, false)) << "the vertical bar took 17 of the width";
  WriteGadgetAttribute(area, KV_ScrollArea_InnerWidth, 179);
  EXPECT_FALSE(headless::ShowsScrollBar(area, false));
}

TEST_F(ContainerKinds, HorizontalBarCanTakeTheRoomThatMadeTheHeightFit) {
  // Room 196 x 96; the horizontal bar leaves 79 of the height.
  int area = static_cast<int>(NewScrollArea(KV_Any, 0, 0, 200, 100, 197, 79, 10));
  PopGadgetParent();
  EXPECT_TRUE(headless::ShowsScrollBar(area, false));
  EXPECT_FALSE(headless::ShowsScrollBar(area, true)) << "79 still fits above the bar";
  WriteGadgetAttribute(area, KV_ScrollArea_InnerHeight, 80);
  EXPECT_TRUE(headless::ShowsScrollBar(area, false));
  EXPECT_TRUE(headless::ShowsScrollBar(area, true)) << "the horizontal bar took 17 of the height";
  headless::ScrollLines(area, true, 5);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 80 - 79);
  headless::ScrollLines(area, false, 5);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_X), 197 - 179)
      << "and the vertical bar 17 of the width";
}

TEST_F(ContainerKinds, ScrollingStopsAtTheEndsAndMovesTheInnerArea) {
  int area = static_cast<int>(NewScrollArea(KV_Any, 0, 0, 200, 100, 100, 120, 15));
  int inside = static_cast<int>(NewButton(KV_Any, 5, 5, 20, 20, u"In"));
  PopGadgetParent();
  int top = headless::ScreenRect(inside).y;
  headless::ScrollLines(area, true, 1);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 15);
  EXPECT_EQ(headless::ScreenRect(inside).y, top - 15);
  headless::ScrollLines(area, true, 5);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 120 - 96);
  headless::ScrollLines(area, true, -9);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 0);
  headless::ScrollLines(area, false, 1);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_X), 0) << "no horizontal bar to click";
  WriteGadgetAttribute(area, KV_ScrollArea_Y, 10);
  PlaceGadget(area, 0, 0, 200, 200);
  EXPECT_EQ(ReadGadgetAttribute(area, KV_ScrollArea_Y), 0) << "all of it in view";
}

TEST_F(ContainerKinds, CollectingGadgetsAndTheirResizeEvents) {
  int container = static_cast<int>(NewContainer(KV_Any, 0, 0, 50, 50));
  int inside = static_cast<int>(NewButton(KV_Any, 0, 0, 10, 10, u"In"));
  PopGadgetParent();
  DisposeGadget(container);
  EXPECT_EQ(GetGadgetKind(inside), 0) << "it went with its container";
  int canvas = static_cast<int>(NewCanvas(KV_Any, 0, 0, 50, 50));
  int beside = static_cast<int>(NewButton(KV_Any, 0, 0, 10, 10, u"Beside"));
  DisposeGadget(canvas);
  EXPECT_EQ(GetGadgetKind(beside), GK_BUTTON) << "a plain canvas collects nothing";
  int frame = static_cast<int>(NewFrame(KV_Any, 0, 0, 50, 50, u"Title"));
  EXPECT_EQ(MeasureGadget(frame).height, headless::kCaptionHeight);
  EXPECT_EQ(MeasureGadget(frame).width, 5 * headless::kCharWidth);
  int box = Container();
  Drain();
  PlaceGadget(box, 0, 0, 30, 30);
  PlaceGadget(box, 5, 5, 30, 30);
  EXPECT_EQ(DrainTypes(box), std::vector<int>{ET_RESIZE}) << "only a new size is reported";
}

}  // namespace
