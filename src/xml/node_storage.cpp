#include "xml/detail/node_storage.h"

#include <algorithm>

#include "xml/detail/tree_walk.h"

namespace kv {

XmlNode* NodePool::Take() {
  if (!free_) {
    blocks_.push_back(std::make_unique<XmlNode[]>(kBlockNodes));
    XmlNode* block = blocks_.back().get();
    for (size_t i = 0; i < kBlockNodes; ++i) Give(&block[i]);
  }
  XmlNode* node = free_;
  free_ = node->nextSibling;
  *node = XmlNode{};
  return node;
}

void NodePool::Give(XmlNode* node) {
  node->nextSibling = free_;
  free_ = node;
}

char16_t* StringArena::Copy(TextView text) {
  size_t units = text.size() + 1;
  if (units > freeUnits_) {
    size_t size = std::max(nextBlockUnits_, units);
    blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(size));
    free_ = blocks_.back().get();
    freeUnits_ = size;
    nextBlockUnits_ = kLaterBlockUnits;
  }
  char16_t* copy = free_;
  std::copy(text.begin(), text.end(), copy);
  copy[text.size()] = 0;
  free_ += units;
  freeUnits_ -= units;
  return copy;
}

XmlString MakeParsedString(StringArena& arena, TextView text) {
  if (text.empty()) return {};
  if ((text.size() + 1) * sizeof(char16_t) > StringArena::kMaxRequestBytes) {
    return MakeHeapString(text);
  }
  return {arena.Copy(text), static_cast<uint32_t>(text.size()), true};
}

XmlString MakeHeapString(TextView text) {
  if (text.empty()) return {};
  auto* data = new char16_t[text.size() + 1];
  std::copy(text.begin(), text.end(), data);
  data[text.size()] = 0;
  return {data, static_cast<uint32_t>(text.size()), false};
}

void FreeString(XmlString& string) {
  if (!string.inArena) delete[] string.data;
  string = {};
}

void LinkNode(XmlNode* parent, XmlNode* previous, XmlNode* node) {
  node->parent = parent;
  node->previousSibling = previous;
  XmlNode*& slot = previous ? previous->nextSibling : parent->firstChild;
  node->nextSibling = slot;
  if (slot) slot->previousSibling = node;
  slot = node;
}

void FreeNode(NodePool& pool, XmlNode* node) {
  FreeString(node->name);
  FreeString(node->text);
  for (int i = 0; i < node->attributeCount; ++i) {
    FreeString(node->attributes[i].name);
    FreeString(node->attributes[i].value);
  }
  delete[] node->attributes;
  pool.Give(node);
}

void FreeSubtree(NodePool& pool, XmlNode* node) {
  WalkTree(node, [](XmlNode*, int) {}, [&pool](XmlNode* done, int) { FreeNode(pool, done); });
}

}  // namespace kv
