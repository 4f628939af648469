// Where nodes and node strings live: a block pool of nodes shared by every
// document, and per document an arena for the strings the parser makes.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "xml/tree.h"

namespace kv {

class NodePool {
 public:
  // A zero-filled node.
  XmlNode* Take();
  void Give(XmlNode* node);

 private:
  static constexpr size_t kBlockNodes = 256;
  std::vector<std::unique_ptr<XmlNode[]>> blocks_;
  XmlNode* free_ = nullptr;  // chained through nextSibling
};

// Strings are never freed one by one: blocks go with the arena.
class StringArena {
 public:
  // Longer strings are better off as heap blocks.
  static constexpr size_t kMaxRequestBytes = 1024;

  // The first block holds firstBlockBytes; later blocks 512 KiB.
  explicit StringArena(size_t firstBlockBytes) : nextBlockUnits_(firstBlockBytes / 2) {}

  // A NUL-terminated copy; text must not be longer than kMaxRequestBytes allows.
  char16_t* Copy(TextView text);

 private:
  static constexpr size_t kLaterBlockUnits = 512 * 1024 / 2;
  std::vector<std::unique_ptr<char16_t[]>> blocks_;
  char16_t* free_ = nullptr;
  size_t freeUnits_ = 0;
  size_t nextBlockUnits_;
};

// A parser-made string: from the arena when short enough.
XmlString MakeParsedString(StringArena& arena, TextView text);
// A heap string; empty text needs no block.
XmlString MakeHeapString(TextView text);
void FreeString(XmlString& string);

// Links node under parent right after previous, or first when previous is null.
void LinkNode(XmlNode* parent, XmlNode* previous, XmlNode* node);

// Returns the node to the pool after freeing its heap strings and attributes.
void FreeNode(NodePool& pool, XmlNode* node);
// Frees node and its whole subtree.
void FreeSubtree(NodePool& pool, XmlNode* node);

}  // namespace kv
