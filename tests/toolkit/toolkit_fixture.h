// A test with the toolkit set up as the program does, and one window open.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"

namespace kv::test {

struct SeenEvent {
  int code = 0;
  int window = 0;
  int object = 0;
  int type = 0;
  bool operator==(const SeenEvent&) const = default;
};

inline void PrintTo(const SeenEvent& e, std::ostream* out) {
  *out << "{" << e.code << ", window " << e.window << ", object " << e.object << ", type "
       << e.type << "}";
}

// What bound handlers saw, in the order they ran (the code is left 0).
inline std::vector<SeenEvent>& HandlerCalls() {
  static std::vector<SeenEvent> calls;
  return calls;
}

inline void RecordCall() {
  HandlerCalls().push_back({0, CurrentEventWindow(), CurrentEventObject(), CurrentEventType()});
}

class ToolkitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HandlerCalls().clear();
    InitDpiScale();
    InitEventLibrary();
    InitWindowLibrary();
    InitGadgetLibrary();
    InitRequesters();
    window = static_cast<int>(NewWindow(KV_Any, 10, 10, 400, 300, u"Test",
                                        KV_Window_SystemMenu | KV_Window_TitleBar));
    ASSERT_NE(window, 0);
    Drain();
  }

  void TearDown() override {
    EndGadgetLibrary();
    EndWindowLibrary();
    EndEventLibrary();
  }

  // Takes every queued event; platform message numbers below the event codes
  // are passed over.
  static std::vector<SeenEvent> Drain() {
    std::vector<SeenEvent> seen;
    for (int code; (code = WaitForEvent(0)) != 0;) {
      if (code < EV_GADGET) continue;
      seen.push_back({code, CurrentEventWindow(), CurrentEventObject(), CurrentEventType()});
    }
    return seen;
  }

  // The types of the queued EV_GADGET events of one gadget.
  static std::vector<int> DrainTypes(int gadget) {
    std::vector<int> types;
    for (const SeenEvent& e : Drain()) {
      if (e.code == EV_GADGET && e.object == gadget) types.push_back(e.type);
    }
    return types;
  }

  int window = 0;
};

}  // namespace kv::test
