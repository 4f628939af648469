// The event queue and the handler registry.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/headless/driver.h"
#include "toolkit_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Events = ToolkitTest;

constexpr int kGadget = 3;

std::string& Order() {
  static std::string order;
  return order;
}
void A() { Order() += "A"; }
void B() { Order() += "B"; }
void C() { Order() += "C"; }
void D() { Order() += "D"; }
void E() { Order() += "E"; }

TEST_F(Events, DuplicatesCollapseButHandlersRunForEachPost) {
  BindEventHandler(EV_GADGET, RecordCall, window, kGadget, -1);
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  EXPECT_EQ(HandlerCalls().size(), 2u);
  EXPECT_EQ(Drain().size(), 1u);

  // Only consecutive duplicates collapse.
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  EXPECT_EQ(Drain().size(), 3u);
}

TEST_F(Events, CodesFrom65536NeverCollapse) {
  QueueEvent(65535, 1, window, 0);
  QueueEvent(65535, 1, window, 0);
  QueueEvent(65536, 1, window, 0);
  QueueEvent(65536, 1, window, 0);
  std::vector<SeenEvent> seen = Drain();
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].code, 65535);
  EXPECT_EQ(seen[1].code, 65536);
  EXPECT_EQ(seen[2].code, 65536);
}

TEST_F(Events, SuspendedEventsAreNeitherQueuedNorDispatchedUnlessForced) {
  BindEventHandler(EV_GADGET, RecordCall, -1, -1, -1);
  SuspendEvents();
  SuspendEvents();
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  ResumeEvents();
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  QueueEvent(EV_GADGET, kGadget, window, ET_RESIZE, nullptr, nullptr, KV_Event_Force);
  EXPECT_EQ(HandlerCalls(), (std::vector<SeenEvent>{{0, window, kGadget, ET_RESIZE}}));
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_GADGET, window, kGadget, ET_RESIZE}}));
  ResumeEvents();
  ResumeEvents();  // one too many must not leave events suspended
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  EXPECT_EQ(Drain().size(), 1u);
}

TEST_F(Events, AControlNotificationWhileSuspendedIsLost) {
  int field = static_cast<int>(NewStringField(KV_Any, 0, 0, 100, 20, u""));
  BindGadgetHandler(field, RecordCall);
  SuspendEvents();
  headless::TypeText(field, u"a");
  ResumeEvents();
  EXPECT_EQ(ReadGadgetText(field), u"a");
  EXPECT_TRUE(HandlerCalls().empty());
  EXPECT_TRUE(Drain().empty());
}

TEST_F(Events, TypeFilterMinusOneTakesEveryTypeAnd768OnlyChange) {
  BindEventHandler(EV_GADGET, A, window, kGadget, -1);
  BindEventHandler(EV_GADGET, B, window, kGadget, ET_CHANGE);
  Order().clear();
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  QueueEvent(EV_GADGET, kGadget, window, 1024);
  EXPECT_EQ(Order(), "BAA");
}

TEST_F(Events, DispatchGoesFromTheMostSpecificKeyNewestFirst) {
  const int other = kGadget + 1;
  BindEventHandler(EV_GADGET, E, -1, kGadget, -1);      // any window, this object
  BindEventHandler(EV_GADGET, D, -1, -1, -1);           // any window, any object
  BindEventHandler(EV_GADGET, C, window, -1, 12345);    // this window: no type filter
  BindEventHandler(EV_GADGET, A, window, kGadget, -1);
  BindEventHandler(EV_GADGET, B, window, kGadget, -1);  // newer than A
  BindEventHandler(EV_GADGET, A, window, other, -1);
  BindEventHandler(EV_MENU, A, -1, -1, -1);
  Order().clear();
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  EXPECT_EQ(Order(), "BACDE");
}

TEST_F(Events, UnbindingRemovesOneRegistrationOrAllOfAKey) {
  EXPECT_EQ(BindEventHandler(EV_GADGET, A, window, kGadget, ET_CHANGE), 1);
  EXPECT_EQ(BindEventHandler(EV_GADGET, A, window, kGadget, ET_CHANGE), 0);
  EXPECT_EQ(BindEventHandler(EV_GADGET, A, window, kGadget, ET_LEFT_CLICK), 1);
  EXPECT_EQ(BindEventHandler(EV_GADGET, B, window, kGadget, -1), 1);
  EXPECT_EQ(BindEventHandler(EV_GADGET, nullptr, window, kGadget, -1), 0);

  EXPECT_EQ(UnbindEventHandler(EV_GADGET, A, window, kGadget, ET_FOCUS), 0);
  EXPECT_EQ(UnbindEventHandler(EV_GADGET, A, window, kGadget, ET_CHANGE), 1);
  Order().clear();
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  EXPECT_EQ(Order(), "BBA");

  EXPECT_EQ(UnbindEventHandler(EV_GADGET, A, window, kGadget, -1), 1);
  EXPECT_EQ(UnbindEventHandler(EV_GADGET, nullptr, window, kGadget, -1), 1);
  EXPECT_EQ(UnbindEventHandler(EV_GADGET, nullptr, window, kGadget, -1), 0);
  Order().clear();
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  EXPECT_EQ(Order(), "");
}

TEST_F(Events, HandlersCarryTheirContextAndUnbindByTheCopyBound) {
  std::string seen;
  EventHandler first = [&seen] { seen += "1"; };
  EventHandler second = [&seen] { seen += "2"; };
  EXPECT_EQ(BindEventHandler(EV_GADGET, first, window, kGadget, -1), 1);
  EXPECT_EQ(BindEventHandler(EV_GADGET, first, window, kGadget, -1), 0);  // a copy is the same
  EXPECT_EQ(BindEventHandler(EV_GADGET, second, window, kGadget, -1), 1);
  QueueEvent(EV_GADGET, kGadget, window, ET_CHANGE);
  EXPECT_EQ(seen, "21");

  EXPECT_EQ(UnbindEventHandler(EV_GADGET, [&seen] { seen += "1"; }, window, kGadget, -1), 0);
  EXPECT_EQ(UnbindEventHandler(EV_GADGET, first, window, kGadget, -1), 1);
  seen.clear();
  QueueEvent(EV_GADGET, kGadget, window, ET_LEFT_CLICK);
  EXPECT_EQ(seen, "2");
}

void UnbindB() {
  Order() += "U";
  UnbindEventHandler(EV_GADGET, B, -1, -1, -1);
}

TEST_F(Events, AHandlerUnboundByAnEarlierOneDoesNotRun) {
  BindEventHandler(EV_GADGET, B, -1, -1, -1);
  BindEventHandler(EV_GADGET, UnbindB, window, kGadget, -1);
  Order().clear();
  QueueEvent(EV_GADGET, kGadget, window, 0);
  EXPECT_EQ(Order(), "U");
}

SeenEvent Current() {
  return {0, CurrentEventWindow(), CurrentEventObject(), CurrentEventType()};
}

void RecordCurrentAndNest() {
  RecordCall();
  if (CurrentEventType() == 1) QueueEvent(EV_MENU, 9, 8, 7);
  RecordCall();
}

TEST_F(Events, TheCurrentEventIsTheOneBeingDispatchedThenTheOneTaken) {
  BindEventHandler(EV_GADGET, RecordCurrentAndNest, -1, -1, -1);
  BindEventHandler(EV_MENU, RecordCall, -1, -1, -1);
  QueueEvent(EV_GADGET, kGadget, window, 1);
  EXPECT_EQ(HandlerCalls(), (std::vector<SeenEvent>{{0, window, kGadget, 1},
                                                     {0, 8, 9, 7},
                                                     {0, window, kGadget, 1}}));
  EXPECT_EQ(WaitForEvent(0), EV_GADGET);
  EXPECT_EQ(Current(), (SeenEvent{0, window, kGadget, 1}));
  EXPECT_EQ(WaitForEvent(0), EV_MENU);
  EXPECT_EQ(WaitForEvent(0), 0);
  EXPECT_EQ(Current(), (SeenEvent{0, 8, 9, -1})) << "an empty wait clears only the type";
}

int released = 0;
void Release(void*) { ++released; }

TEST_F(Events, EventDataIsReleasedWhenNoLongerCurrentOrNeverQueued) {
  int first = 1, second = 2, third = 3, fourth = 4;
  released = 0;
  QueueEvent(EV_GADGET, kGadget, window, 0, &first, Release);
  QueueEvent(EV_GADGET, kGadget, window, 0, &second, Release);  // collapsed
  EXPECT_EQ(released, 1);
  ASSERT_EQ(WaitForEvent(0), EV_GADGET);
  EXPECT_EQ(CurrentEventData(), &first);
  EXPECT_EQ(released, 1);
  EXPECT_EQ(WaitForEvent(0), 0);
  EXPECT_EQ(released, 2);
  EXPECT_EQ(CurrentEventData(), nullptr);

  QueueEvent(EV_GADGET, kGadget, window, 0, &third, Release);
  DropQueuedEvents(EV_GADGET, -1, -1, -1);
  EXPECT_EQ(released, 3);
  SuspendEvents();
  QueueEvent(EV_GADGET, kGadget, window, 0, &fourth, Release);
  ResumeEvents();
  EXPECT_EQ(released, 4);
}

TEST_F(Events, DropMatchesWithWildcards) {
  QueueEvent(EV_GADGET, 1, window, 0);
  QueueEvent(EV_GADGET, 2, window, 0);
  QueueEvent(EV_GADGET, 1, window, ET_CHANGE);
  QueueEvent(EV_TIMER, 1, window, 0);
  DropQueuedEvents(EV_GADGET, 1, -1, -1);
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_GADGET, window, 2, 0},
                                            {EV_TIMER, window, 1, 0}}));
}

TEST_F(Events, WaitingWithNothingPendingReturnsZeroAtOnce) {
  EXPECT_EQ(WaitForEvent(0), 0);
  EXPECT_EQ(WaitForEvent(1), 0);
  EXPECT_EQ(CurrentEventType(), -1);
}

TEST_F(Events, AWindowTakesItsHandlersAndEventsWithIt) {
  constexpr int kNumber = 7;
  ASSERT_NE(NewWindow(kNumber, 0, 0, 100, 100, u"Second", 0), 0);
  BindEventHandler(EV_SIZE, RecordCall, kNumber, -1, -1);
  int button = static_cast<int>(NewButton(KV_Any, 0, 0, 10, 10, u"B"));
  BindGadgetHandler(button, RecordCall);
  Drain();
  QueueEvent(EV_SIZE, 0, kNumber, 0);
  headless::ClickButton(button);
  QueueEvent(EV_SIZE, 0, window, 0);
  HandlerCalls().clear();

  DisposeWindow(kNumber);
  EXPECT_EQ(GetGadgetKind(button), 0);
  EXPECT_EQ(Drain(), (std::vector<SeenEvent>{{EV_SIZE, window, 0, 0}}));
  ASSERT_NE(NewWindow(kNumber, 0, 0, 100, 100, u"Again", 0), 0);
  QueueEvent(EV_SIZE, 0, kNumber, 0);
  EXPECT_TRUE(HandlerCalls().empty());
}

}  // namespace
