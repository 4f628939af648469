// Window rules on the headless screen (metrics.h): creation, size events,
// placement, limits, centring, and the DPI conversions.
#include <gtest/gtest.h>

#include "toolkit/platform.h"
#include "toolkit/headless/driver.h"
#include "toolkit/headless/metrics.h"
#include "toolkit_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Windows = ToolkitTest;

std::vector<int> Codes(const std::vector<SeenEvent>& events) {
  std::vector<int> codes;
  for (const SeenEvent& e : events) codes.push_back(e.code);
  return codes;
}

PixelRect Outer(int number) { return platform::OuterRect(GetWindowHandle(number)); }

TEST_F(Windows, AnyNumbersAreAcceptedAndAFixedNumberIsReplaced) {
  EXPECT_NE(FindWindowObject(window), nullptr);
  EXPECT_EQ(FindWindowObject(window + 1), nullptr);
  EXPECT_EQ(SetWindowCaption(window + 1, u"x"), 0);
  EXPECT_EQ(GetWindowCaption(window + 1), u"");

  Handle first = NewWindow(5, 0, 0, 100, 100, u"First", 0);
  int button = static_cast<int>(NewButton(KV_Any, 0, 0, 10, 10, u"B"));
  Handle second = NewWindow(5, 0, 0, 100, 100, u"Second", 0);
  ASSERT_NE(first, 0);
  ASSERT_NE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_FALSE(headless::IsShown(first)) << "the first window 5 is gone";
  EXPECT_EQ(GetGadgetKind(button), 0) << "with its gadgets";
  EXPECT_EQ(GetWindowHandle(5), second);
  EXPECT_EQ(GetWindowCaption(5), u"Second");
  SetWindowCaption(5, u"Renamed");
  EXPECT_EQ(GetWindowCaption(5), u"Renamed");

  EXPECT_EQ(NewWindow(6, 0, 0, 10, 10, u"Orphan", 0, /*parent=*/12345), 0);
  EXPECT_EQ(FindWindowObject(6), nullptr) << "a failed creation leaves no record";
}

TEST_F(Windows, StylesFromFlags) {
  auto styleOf = [](int flags) {
    int number = static_cast<int>(NewWindow(KV_Any, 0, 0, 10, 10, u"", flags));
    return FindWindowObject(number)->style;
  };
  EXPECT_EQ(styleOf(0), KV_Window_TitleBar);
  EXPECT_EQ(styleOf(KV_Window_ScreenCentered | KV_Window_Invisible), KV_Window_TitleBar);
  EXPECT_EQ(styleOf(KV_Window_SystemMenu | KV_Window_NoActivate), KV_Window_SystemMenu);
  EXPECT_EQ(styleOf(KV_Window_BorderLess), KV_Window_BorderLess);
  EXPECT_EQ(styleOf(KV_Window_Tool | KV_Window_MinimizeGadget | kStyleMaximized),
            KV_Window_SystemMenu);
}

TEST_F(Windows, InvisibleWindowsWaitForTheirFirstShow) {
  int hidden = static_cast<int>(NewWindow(KV_Any, 0, 0, 100, 100, u"",
                                          KV_Window_Invisible | kStyleMaximized));
  Handle handle = GetWindowHandle(hidden);
  EXPECT_FALSE(headless::IsShown(handle));
  EXPECT_EQ(platform::TopWindowMode(handle), platform::ShowMode::Normal);
  Drain();
  SetWindowHidden(hidden, 0, KV_Window_NoActivate);
  EXPECT_TRUE(headless::IsShown(handle));
  EXPECT_EQ(platform::TopWindowMode(handle), platform::ShowMode::Maximized);
  EXPECT_NE(headless::ActiveWindow(), handle);
  EXPECT_EQ(Codes(Drain()), (std::vector<int>{EV_MAXIMIZE, EV_SIZE}));

  SetWindowHidden(hidden, 1, 0);
  EXPECT_FALSE(headless::IsShown(handle));
  SetWindowHidden(hidden, 0, 0);
  EXPECT_EQ(platform::TopWindowMode(handle), platform::ShowMode::Maximized);
  EXPECT_EQ(headless::ActiveWindow(), handle);
}

TEST_F(Windows, SizeEventsAreReplacedByTheNewest) {
  headless::ResizeWindow(window, 500, 400);
  headless::ResizeWindow(window, 510, 400);
  headless::ResizeWindow(window, 520, 400);
  QueueEvent(EV_SIZE, 0, window, 1);  // not a size event of the window
  headless::ResizeWindow(window, 530, 400);
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_SIZE, window, 0, 1}, {EV_SIZE, window, 0, 0}}));
  EXPECT_EQ(GetWindowInnerWidth(window), 530);

  headless::MaximizeWindow(window);
  EXPECT_EQ(Codes(Drain()), (std::vector<int>{EV_MAXIMIZE, EV_SIZE}));
  headless::RestoreWindow(window);
  EXPECT_EQ(Codes(Drain()), (std::vector<int>{EV_RESTORE, EV_SIZE}));
  headless::MinimizeWindow(window);
  EXPECT_EQ(Codes(Drain()), (std::vector<int>{EV_MINIMIZE}));
  headless::RestoreWindow(window);
  EXPECT_EQ(Codes(Drain()), (std::vector<int>{EV_RESTORE, EV_SIZE}));
  EXPECT_EQ(GetWindowInnerWidth(window), 530);
}

TEST_F(Windows, PlacingRestoresAMaximizedWindowAndReportsMoves) {
  headless::MaximizeWindow(window);
  Drain();
  PlaceWindow(window, 20, KEEP_CURRENT, 300, KEEP_CURRENT);
  EXPECT_EQ(Codes(Drain()), (std::vector<int>{EV_RESTORE, EV_MOVE, EV_SIZE}));
  EXPECT_EQ(Outer(window).x, 20);
  EXPECT_EQ(Outer(window).y, 10);
  EXPECT_EQ(GetWindowInnerWidth(window), 300);
  EXPECT_EQ(GetWindowInnerHeight(window), 300);
  PlaceWindow(window, KEEP_CURRENT, KEEP_CURRENT, KEEP_CURRENT, KEEP_CURRENT);
  EXPECT_TRUE(Drain().empty());
}

TEST_F(Windows, NoMoveOrSizeEventsBeforeTheWindowIsReady) {
  int centred = static_cast<int>(NewWindow(KV_Any, 0, 0, 100, 100, u"",
                                           KV_Window_ScreenCentered | kStyleMaximized));
  for (const SeenEvent& e : Drain()) {
    EXPECT_NE(e.code, EV_MOVE);
    EXPECT_NE(e.code, EV_SIZE);
    EXPECT_NE(e.code, EV_MAXIMIZE);
  }
  EXPECT_EQ(platform::TopWindowMode(GetWindowHandle(centred)), platform::ShowMode::Maximized);
}

TEST_F(Windows, SizeLimitsHoldTheInnerSize) {
  SetWindowSizeLimits(window, 200, -1, 450, KEEP_CURRENT);
  const WindowObject* record = FindWindowObject(window);
  EXPECT_EQ(record->minWidth, 200);
  EXPECT_EQ(record->maxWidth, 450);
  PlaceWindow(window, KEEP_CURRENT, KEEP_CURRENT, 100, 100);
  EXPECT_EQ(GetWindowInnerWidth(window), 200);
  PlaceWindow(window, KEEP_CURRENT, KEEP_CURRENT, 900, 100);
  EXPECT_EQ(GetWindowInnerWidth(window), 450);
  SetWindowSizeLimits(window, KEEP_CURRENT, KEEP_CURRENT, 100000, KEEP_CURRENT);
  EXPECT_EQ(record->minWidth, 200);
  EXPECT_EQ(record->maxWidth, 32000);
  SetWindowSizeLimits(window, -1, KEEP_CURRENT, -1, KEEP_CURRENT);
  PlaceWindow(window, KEEP_CURRENT, KEEP_CURRENT, 50, 60);
  EXPECT_EQ(GetWindowInnerWidth(window), 50);

  // New limits take effect at once.
  SetWindowSizeLimits(window, 120, 130, KEEP_CURRENT, KEEP_CURRENT);
  EXPECT_EQ(GetWindowInnerWidth(window), 120);
  EXPECT_EQ(GetWindowInnerHeight(window), 130);
}

TEST_F(Windows, CentringOnTheScreenAndOnTheOwner) {
  int centred = static_cast<int>(NewWindow(KV_Any, 0, 0, 400, 300, u"",
                                           KV_Window_ScreenCentered));
  EXPECT_EQ(Outer(centred).x, (headless::kScreenWidth - 400) / 2);
  EXPECT_EQ(Outer(centred).y, (headless::kScreenHeight - 300) / 2);
  int huge = static_cast<int>(NewWindow(KV_Any, 0, 0, 2000, 100, u"", KV_Window_ScreenCentered));
  EXPECT_EQ(Outer(huge).x, 0);

  Handle owner = GetWindowHandle(centred);
  int child = static_cast<int>(NewWindow(KV_Any, 0, 0, 100, 50, u"", KV_Window_WindowCentered,
                                         owner));
  EXPECT_EQ(Outer(child).x, Outer(centred).x + 150);
  EXPECT_EQ(Outer(child).y, Outer(centred).y + 125);
  int wide = static_cast<int>(NewWindow(KV_Any, 0, 0, 1200, 50, u"", KV_Window_WindowCentered,
                                        owner));
  EXPECT_EQ(Outer(wide).x, 0) << "held on the screen";
}

TEST_F(Windows, PositionsDefaultsAndTheCompositionFrame) {
  int placed = static_cast<int>(NewWindow(KV_Any, 40, 50, 10, 10, u"", 0));
  EXPECT_EQ(Outer(placed).x, 40);
  EXPECT_EQ(Outer(placed).y, 50);
  int unplaced = static_cast<int>(NewWindow(KV_Any, 40, KEEP_CURRENT, 10, 10, u"", 0));
  EXPECT_EQ(Outer(unplaced).x, headless::kDefaultWindowX);

  headless::SetDesktopComposition(true);
  int sizable = static_cast<int>(NewWindow(KV_Any, 40, 50, 10, 10, u"", KV_Window_SizeGadget));
  int fixed = static_cast<int>(NewWindow(KV_Any, 40, 50, 10, 10, u"", KV_Window_SystemMenu));
  PlaceWindow(sizable, 60, 70, KEEP_CURRENT, KEEP_CURRENT);
  int sizableAt = Outer(sizable).x;
  headless::SetDesktopComposition(false);
  EXPECT_EQ(sizableAt, 55);
  EXPECT_EQ(Outer(fixed).x, 40);
}

TEST_F(Windows, TimersFireOnlyWhenStarted) {
  EXPECT_FALSE(headless::FireTimer(window, 1));
  EXPECT_EQ(StartWindowTimer(window + 1, 1, 10), 0);
  ASSERT_NE(StartWindowTimer(window, 1, 10), 0);
  EXPECT_TRUE(headless::FireTimer(window, 1));
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_TIMER, window, 1, 0}}));
}

TEST_F(Windows, ActivationFollowsShowingAndDisposing) {
  Handle first = GetWindowHandle(window);
  int second = static_cast<int>(NewWindow(KV_Any, 0, 0, 10, 10, u"", 0, first));
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_DEACTIVATE, window, 0, 0},
                                            {EV_ACTIVATE, second, 0, 0}}));
  DisposeWindow(second);
  EXPECT_EQ(headless::ActiveWindow(), first) << "the owner is active again";
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_ACTIVATE, window, 0, 0}}));
  DisposeWindow(KV_Any);
  EXPECT_EQ(FindWindowObject(window), nullptr);
}

struct Dpi : ::testing::Test {
  void TearDown() override {
    headless::SetScreenDpi(96, 96);
    InitDpiScale();
  }
};

TEST_F(Dpi, ConversionsRoundAsThePlatformDoes) {
  headless::SetScreenDpi(144, 120);
  InitDpiScale();
  EXPECT_EQ(ToPixelsX(10), 15);
  EXPECT_EQ(ToPixelsX(1), 2) << "1.5 rounds up";
  EXPECT_EQ(ToPixelsX(-1), -2) << "and -1.5 down";
  EXPECT_EQ(ToPixelsY(2), 3);  // 2.5
  EXPECT_EQ(FromPixelsX(15), 10);
  EXPECT_EQ(FromPixelsX(1), 1);
  EXPECT_EQ(FromPixelsY(3), 2);  // 2.4
  EXPECT_EQ(FromPixelsX(-2), -1);
  headless::SetScreenDpi(0, 0);
  InitDpiScale();
  EXPECT_EQ(ToPixelsX(7), 7) << "an unknown DPI is 96";
}

}  // namespace
