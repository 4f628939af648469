#include "detail/event_queue.h"

#include <new>

namespace kv::detail {

namespace {

bool Matches(int wanted, int value) { return wanted == -1 || wanted == value; }

}  // namespace

EventQueue::Node* EventQueue::TakeNode() {
  if (!free_) {
    // A smaller block is better than a lost event when memory is tight.
    int count = kBlockSize;
    Node* block = new (std::nothrow) Node[count];
    if (!block) block = new (std::nothrow) Node[count = 1];
    if (!block) return nullptr;
    blocks_.emplace_back(block);
    for (int i = 0; i < count; ++i) GiveBack(&block[i]);
  }
  Node* node = free_;
  free_ = node->next;
  return node;
}

void EventQueue::GiveBack(Node* node) {
  node->event = Event{};
  node->next = free_;
  free_ = node;
}

bool EventQueue::Append(const Event& event) {
  Node* node = TakeNode();
  if (!node) return false;
  node->next = nullptr;
  node->event = event;
  if (tail_) {
    tail_->next = node;
  } else {
    head_ = node;
  }
  tail_ = node;
  return true;
}

bool EventQueue::Pop(Event* event) {
  if (!head_) return false;
  Node* node = head_;
  head_ = node->next;
  if (!head_) tail_ = nullptr;
  *event = node->event;
  GiveBack(node);
  return true;
}

void EventQueue::Drop(int code, int object, int window, int type) {
  Node* previous = nullptr;
  Node* node = head_;
  while (node) {
    Node* next = node->next;
    const Event& e = node->event;
    if (Matches(code, e.code) && Matches(object, e.object) && Matches(window, e.window) &&
        Matches(type, e.type)) {
      (previous ? previous->next : head_) = next;
      if (tail_ == node) tail_ = previous;
      e.ReleaseData();
      GiveBack(node);
    } else {
      previous = node;
    }
    node = next;
  }
}

}  // namespace kv::detail
