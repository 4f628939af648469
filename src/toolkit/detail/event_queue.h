// The FIFO of queued events, its records taken from a pool of fixed-size nodes
// so that a busy queue does not allocate per event.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/events.h"

namespace kv::detail {

struct Event {
  int code = 0;
  int object = 0;
  int window = 0;
  int type = 0;
  void* data = nullptr;
  EventDataRelease release = nullptr;

  bool SameAs(const Event& other) const {
    return code == other.code && object == other.object && window == other.window &&
           type == other.type;
  }
  // Releases data that nobody will read any more.
  void ReleaseData() const {
    if (data && release) release(data);
  }
};

class EventQueue {
 public:
  EventQueue() = default;
  EventQueue(const EventQueue&) = delete;
  EventQueue& operator=(const EventQueue&) = delete;
  ~EventQueue() { Clear(); }

  // False when no record could be allocated; the event is then lost.
  bool Append(const Event& event);
  // Takes the first event; false when the queue is empty.
  bool Pop(Event* event);
  const Event* Last() const { return tail_ ? &tail_->event : nullptr; }
  bool Empty() const { return head_ == nullptr; }
  // Removes matching events (-1 matches anything), releasing their data.
  void Drop(int code, int object, int window, int type);
  void Clear() { Drop(-1, -1, -1, -1); }

 private:
  struct Node {
    Node* next;
    Event event;
  };
  static constexpr int kBlockSize = 64;

  Node* TakeNode();
  void GiveBack(Node* node);

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  Node* free_ = nullptr;
  std::vector<std::unique_ptr<Node[]>> blocks_;
};

}  // namespace kv::detail
