// Gadget rules of the core on the headless screen: creation and numbers, the
// parent stack, destruction, required sizes on the fixed metrics, and what
// the headless controls report.
#include <gtest/gtest.h>

#include "toolkit/platform.h"
#include "toolkit/headless/driver.h"
#include "toolkit/headless/metrics.h"
#include "toolkit_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Gadgets = ToolkitTest;

int Button(TextView text = u"B") {
  return static_cast<int>(NewButton(KV_Any, 0, 0, 10, 10, text));
}

TEST_F(Gadgets, CreationReturnsTheNumberForAnyAndTheHandleOtherwise) {
  int any = Button();
  EXPECT_GT(any, 0);
  EXPECT_EQ(GetGadgetKind(any), GK_BUTTON);
  Handle fixed = NewButton(0, 0, 0, 10, 10, u"Zero");
  EXPECT_EQ(fixed, GetGadgetHandle(0));
  EXPECT_EQ(ReadGadgetText(0), u"Zero");

  PushGadgetParent(0);
  EXPECT_EQ(NewButton(3, 0, 0, 10, 10, u"Nowhere"), 0);
  EXPECT_EQ(GetGadgetKind(3), 0) << "a failed creation takes no record";
  PopGadgetParent();
  EXPECT_NE(NewButton(3, 0, 0, 10, 10, u"Here"), 0);
}

TEST_F(Gadgets, AFailedCreationKeepsTheGadgetAtItsNumber) {
  NewButton(5, 0, 0, 10, 10, u"Old");
  PushGadgetParent(0);
  EXPECT_EQ(NewButton(5, 0, 0, 10, 10, u"Refused"), 0);
  PopGadgetParent();
  EXPECT_EQ(ReadGadgetText(5), u"Old");

  int any = Button(u"Automatic");
  EXPECT_EQ(NewButton(any, 0, 0, 10, 10, u"Fixed"), 0) << "above the fixed numbers";
  EXPECT_EQ(ReadGadgetText(any), u"Automatic");
  EXPECT_NE(NewButton(5, 0, 0, 10, 10, u"New"), 0);
  EXPECT_EQ(ReadGadgetText(5), u"New");
}

TEST_F(Gadgets, EachWindowKeepsItsOwnParentStack) {
  Handle first = GetWindowHandle(window);
  int panel = static_cast<int>(NewPanel(KV_Any, 0, 0, 100, 100));
  InsertGadgetItem(panel, -1, u"Page");
  NewWindow(KV_Any, 0, 0, 100, 100, u"", KV_Window_KeepGadgetParent);
  int stillOnPage = Button();
  int second = static_cast<int>(NewWindow(KV_Any, 0, 0, 100, 100, u"", 0));
  int inSecond = Button();
  SetGadgetParentWindow(first);
  int onPage = Button();
  PopGadgetParent();
  int inFirst = Button();
  PopGadgetParent();  // nothing left to pop
  int alsoInFirst = Button();

  DisposeWindow(second);
  EXPECT_EQ(GetGadgetKind(inSecond), 0);
  DeleteGadgetItem(panel, 0);
  EXPECT_EQ(GetGadgetKind(onPage), 0);
  EXPECT_EQ(GetGadgetKind(stillOnPage), 0);
  EXPECT_EQ(GetGadgetKind(inFirst), GK_BUTTON);
  EXPECT_EQ(GetGadgetKind(alsoInFirst), GK_BUTTON);
}

TEST_F(Gadgets, OpeningAPanelAsParent) {
  int panel = static_cast<int>(NewPanel(KV_Any, 0, 0, 100, 100));
  InsertGadgetItem(panel, -1, u"A");
  InsertGadgetItem(panel, -1, u"B");
  PopGadgetParent();
  OpenGadgetParent(panel, 0);
  int onA = Button();
  PopGadgetParent();
  OpenGadgetParent(panel);
  int onPanel = Button();
  PopGadgetParent();
  OpenGadgetParent(panel, 7);  // no such tab: nothing is pushed
  int inWindow = Button();

  DeleteGadgetItem(panel, 0);
  EXPECT_EQ(GetGadgetKind(onA), 0);
  EXPECT_EQ(GetGadgetKind(onPanel), GK_BUTTON);
  DisposeGadget(panel);
  EXPECT_EQ(GetGadgetKind(onPanel), 0) << "gadgets inside a panel go with it";
  EXPECT_EQ(GetGadgetKind(inWindow), GK_BUTTON);
}

TEST_F(Gadgets, DisposingUnbindsHandlersAndDropsEvents) {
  int button = Button();
  int other = Button();
  BindGadgetHandler(button, RecordCall);
  BindEventHandler(EV_GADGET, RecordCall, -1, button, -1);
  headless::ClickButton(button);
  headless::ClickButton(other);
  HandlerCalls().clear();
  DisposeGadget(button);
  EXPECT_EQ(DrainTypes(button), std::vector<int>{});
  QueueEvent(EV_GADGET, button, window, 0);
  EXPECT_TRUE(HandlerCalls().empty());

  DisposeGadget(KV_Any);
  EXPECT_EQ(GetGadgetKind(other), 0);
  EXPECT_EQ(DrainTypes(other), std::vector<int>{});
}

TEST_F(Gadgets, StateChangesByTheProgramAreQuietEvenWithHandlers) {
  int field = static_cast<int>(NewStringField(KV_Any, 0, 0, 10, 10, u""));
  BindGadgetHandler(field, RecordCall);
  WriteGadgetText(field, u"quiet");
  EXPECT_TRUE(HandlerCalls().empty());
  // The headless field reports a programmatic change like the platform's
  // does; only the suspension keeps it quiet.
  platform::WriteText(GetGadgetHandle(field), u"loud");
  EXPECT_EQ(DrainTypes(field), (std::vector<int>{1024, ET_CHANGE}));
}

TEST_F(Gadgets, FocusMovesBetweenFields) {
  int first = static_cast<int>(NewStringField(KV_Any, 0, 0, 10, 10, u""));
  int second = static_cast<int>(NewStringField(KV_Any, 0, 0, 10, 10, u""));
  headless::FocusGadget(first);
  Drain();
  headless::TypeText(second, u"x");
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_GADGET, window, first, ET_LOST_FOCUS},
                                            {EV_GADGET, window, first, 512},
                                            {EV_GADGET, window, second, ET_FOCUS},
                                            {EV_GADGET, window, second, 256},
                                            {EV_GADGET, window, second, 1024},
                                            {EV_GADGET, window, second, ET_CHANGE}}));
  EXPECT_EQ(headless::FocusedHandle(), GetGadgetHandle(second));
}

TEST_F(Gadgets, RequiredSizesOnTheFixedMetrics) {
  using namespace kv::headless;
  int reload = Button(u"Reload");
  EXPECT_EQ(MeasureGadget(reload).width, 6 * kCharWidth + 2 * kEdgeWidth + 10);
  EXPECT_EQ(MeasureGadget(reload).height, 24) << "19 raised to 24.13, held to 24";
  int field = static_cast<int>(NewStringField(KV_Any, 0, 0, 0, 0, u"long text"));
  EXPECT_EQ(MeasureGadget(field).width, 2 * kEdgeWidth);
  EXPECT_EQ(MeasureGadget(field).height, kCharHeight + 2 * kEdgeHeight);
  int label = static_cast<int>(NewTextLabel(KV_Any, 0, 0, 0, 0, u"two\r\nlines"));
  EXPECT_EQ(MeasureGadget(label).width, 5 * kCharWidth + 2);
  EXPECT_EQ(MeasureGadget(label).height, 2 * kCharHeight + 2);
  int framed = static_cast<int>(NewTextLabel(KV_Any, 0, 0, 0, 0, u"x", KV_Text_Border));
  EXPECT_EQ(MeasureGadget(framed).width, kCharWidth + 2 * kEdgeWidth);
  int list = static_cast<int>(NewListView(KV_Any, 0, 0, 0, 0));
  EXPECT_EQ(GadgetRowHeight(list), kListRowHeight);
  EXPECT_EQ(SystemEdgeHeight(), kEdgeHeight);
}

struct TallButtons : ::testing::Test {
  void TearDown() override {
    headless::SetScreenDpi(96, 96);
    InitDpiScale();
  }
  static int Height(int textHeight) { return ButtonRequiredSize({0, textHeight}, {2, 2}).height; }
};

TEST_F(TallButtons, RaisedBy27PercentFrom18To23PixelsAndHeldTo24) {
  InitDpiScale();
  EXPECT_EQ(Height(13), 17);
  EXPECT_EQ(Height(14), 22);  // 18 x 1.27 = 22.86
  EXPECT_EQ(Height(15), 24);  // 19 x 1.27 = 24.13
  EXPECT_EQ(Height(19), 24);  // 23 x 1.27 = 29.21, held to 24
  EXPECT_EQ(Height(20), 24);
  EXPECT_EQ(Height(21), 25);
}

TEST_F(TallButtons, TheFactorIsSinglePrecision) {
  headless::SetScreenDpi(512, 512);  // raised from 96 to 128 pixels
  InitDpiScale();
  EXPECT_EQ(ButtonRequiredSize({0, 79}, {2, 2}).height, 126) << "100 x 1.27 gives 126";
}

TEST_F(Gadgets, PanelPagesFollowTheMetricsAndReportResizes) {
  int panel = static_cast<int>(NewPanel(KV_Any, 0, 0, 0, 0));
  InsertGadgetItem(panel, -1, u"A");
  InsertGadgetItem(panel, -1, u"B");
  PopGadgetParent();
  PlaceGadget(panel, 0, 0, 300, 200);
  EXPECT_EQ(ReadGadgetAttribute(panel, KV_Panel_ItemWidth), 296);
  EXPECT_EQ(ReadGadgetAttribute(panel, KV_Panel_ItemHeight), 174);
  EXPECT_EQ(ReadGadgetAttribute(panel, KV_Panel_TabHeight), 24);
  EXPECT_EQ(DrainTypes(panel), std::vector<int>{ET_RESIZE});

  // The second page is placed when it is first shown, events suspended or not.
  WriteGadgetState(panel, 1);
  EXPECT_EQ(DrainTypes(panel), std::vector<int>{ET_RESIZE});
  WriteGadgetState(panel, 0);
  EXPECT_TRUE(DrainTypes(panel).empty());
}

TEST_F(Gadgets, ExtendedListKeepsItsSelectionWhenASelectedRowIsPressed) {
  int list = static_cast<int>(NewListView(KV_Any, 0, 0, 0, 0, KV_ListView_MultiSelect));
  for (auto text : {u"a", u"b", u"c"}) InsertGadgetItem(list, -1, text);
  headless::ClickListItem(list, 0);
  EXPECT_EQ(DrainTypes(list), std::vector<int>{ET_LEFT_CLICK}) << "a new selection, no release";
  WriteGadgetItemState(list, 2, 1);
  headless::ClickListItem(list, 2);
  EXPECT_EQ(DrainTypes(list), std::vector<int>{ET_LEFT_CLICK}) << "the release of a tracked press";
  EXPECT_EQ(ReadGadgetItemState(list, 0), 1);
  EXPECT_EQ(ReadGadgetItemState(list, 2), 1);

  int toggles = static_cast<int>(NewListView(KV_Any, 0, 0, 0, 0, KV_ListView_ClickSelect));
  for (auto text : {u"a", u"b"}) InsertGadgetItem(toggles, -1, text);
  headless::ClickListItem(toggles, 1);
  headless::ClickListItem(toggles, 0);
  headless::ClickListItem(toggles, 1);
  EXPECT_EQ(ReadGadgetItemState(toggles, 0), 1);
  EXPECT_EQ(ReadGadgetItemState(toggles, 1), 0);
  EXPECT_EQ(ReadGadgetText(toggles), u"b") << "the row with the focus";
}

TEST_F(Gadgets, DisabledHiddenAndTips) {
  int button = Button();
  Handle handle = GetGadgetHandle(button);
  SetGadgetDisabled(button, 1);
  SetGadgetHidden(button, 1);
  SetGadgetTip(button, u"Reload all data on all tabs");
  EXPECT_FALSE(headless::IsEnabled(handle));
  EXPECT_FALSE(headless::IsShown(handle));
  EXPECT_EQ(headless::TipOf(button), u"Reload all data on all tabs");
  SetGadgetDisabled(button, 0);
  SetGadgetHidden(button, 0);
  EXPECT_TRUE(headless::IsEnabled(handle));
  EXPECT_TRUE(headless::IsShown(handle));
}

TEST_F(Gadgets, ToggleButtonsKeepTheirCheckMark) {
  int toggle = static_cast<int>(NewButton(KV_Any, 0, 0, 10, 10, u"T", KV_Button_Toggle));
  EXPECT_EQ(ReadGadgetState(toggle), 0);
  headless::ClickButton(toggle);
  EXPECT_EQ(ReadGadgetState(toggle), 1);
  WriteGadgetState(toggle, 0);
  EXPECT_EQ(ReadGadgetState(toggle), 0);
}

}  // namespace
