// Walks a subtree in document order without recursion, so that deeply nested
// documents cannot exhaust the stack.
#pragma once

#include <algorithm>

#include "xml/tree.h"

namespace kv {

// enter(node, depth) runs before a node's children, leave(node, depth) after
// them; top has depth 0. leave may free the node it is given.
template <class Enter, class Leave>
void WalkTree(XmlNode* top, Enter&& enter, Leave&& leave) {
  XmlNode* node = top;
  int depth = 0;
  for (;;) {
    enter(node, depth);
    if (node->firstChild) {
      node = node->firstChild;
      ++depth;
      continue;
    }
    for (;;) {
      bool done = node == top;
      XmlNode* next = done ? nullptr : node->nextSibling;
      XmlNode* parent = node->parent;
      leave(node, depth);
      if (done) return;
      if (next) {
        node = next;
        break;
      }
      node = parent;
      --depth;
    }
  }
}

// The part of a node's text that stands before each child, and the rest after
// the last child. Offsets beyond the text (after an edit) are cut to it.
class TextSegments {
 public:
  explicit TextSegments(const XmlNode* node) : text_(node->text.View()) {}

  // The text between the previous child (or the start) and child.
  TextView Before(const XmlNode* child) {
    size_t length = std::min<size_t>(child->textOffset, text_.size() - position_);
    TextView segment = text_.substr(position_, length);
    position_ += length;
    return segment;
  }
  TextView Rest() const { return text_.substr(position_); }

 private:
  TextView text_;
  size_t position_ = 0;
};

}  // namespace kv
