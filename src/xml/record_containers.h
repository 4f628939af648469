// The containers a stored record may hold: dynamic arrays of one or more
// dimensions, lists and maps keyed by text. The record mapping reaches them
// through their ContainerOps table, without knowing the item type.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <span>
#include <vector>

#include "runtime/text.h"

namespace kv {

// Operation slots per container kind; slots a kind has no use for are empty.
struct ContainerOps {
  void (*clear)(void* container);
  // Items in order: storage order for arrays (the last index varying
  // fastest), list order, key order for maps. key is null but for maps.
  void (*walk)(void* container, const std::function<void(const Text* key, void* item)>& visit);
  void* (*append)(void* container);                 // lists
  void* (*findOrAdd)(void* container, TextView key);  // maps
  std::span<const size_t> (*extents)(const void* container);          // arrays
  bool (*reshape)(void* container, std::span<const size_t> extents);  // arrays
  void* (*at)(void* container, size_t index);                         // arrays
};

template <class T>
class DynamicArray {
 public:
  explicit DynamicArray(size_t dimensions = 1) : extents_(std::max<size_t>(dimensions, 1), 0) {}

  size_t Dimensions() const { return extents_.size(); }
  std::span<const size_t> Extents() const { return extents_; }
  size_t Count() const { return items_.size(); }

  // Gives the array these extents, one per dimension, with every item empty.
  // False (and nothing changed) for a wrong dimension count or a size that
  // cannot be held.
  bool Reshape(std::span<const size_t> extents) {
    if (extents.size() != extents_.size()) return false;
    size_t count = 1;
    for (size_t extent : extents) {
      if (extent != 0 && count > items_.max_size() / extent) return false;
      count *= extent;
    }
    items_.assign(count, T{});
    std::copy(extents.begin(), extents.end(), extents_.begin());
    return true;
  }

  void Clear() {
    items_.clear();
    std::fill(extents_.begin(), extents_.end(), 0);
  }

  // In storage order, the last index varying fastest.
  T& operator[](size_t index) { return items_[index]; }
  const T& operator[](size_t index) const { return items_[index]; }

 private:
  std::vector<size_t> extents_;
  std::vector<T> items_;
};

template <class T>
class List {
 public:
  size_t Count() const { return items_.size(); }
  T& Append() { return items_.emplace_back(); }
  void Clear() { items_.clear(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::list<T> items_;
};

template <class T>
class Map {
 public:
  size_t Count() const { return items_.size(); }
  T& FindOrAdd(TextView key) { return items_.try_emplace(Text(key)).first->second; }
  // Null when the key is absent.
  T* Find(TextView key) {
    auto it = items_.find(Text(key));
    return it == items_.end() ? nullptr : &it->second;
  }
  void Clear() { items_.clear(); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::map<Text, T> items_;
};

template <class T>
inline constexpr ContainerOps kArrayOps = {
    .clear = [](void* c) { static_cast<DynamicArray<T>*>(c)->Clear(); },
    .walk =
        [](void* c, const std::function<void(const Text*, void*)>& visit) {
          auto& array = *static_cast<DynamicArray<T>*>(c);
          for (size_t i = 0; i < array.Count(); ++i) visit(nullptr, &array[i]);
        },
    .extents = [](const void* c) { return static_cast<const DynamicArray<T>*>(c)->Extents(); },
    .reshape = [](void* c, std::span<const size_t> extents) {
      return static_cast<DynamicArray<T>*>(c)->Reshape(extents);
    },
    .at = [](void* c, size_t index) -> void* { return &(*static_cast<DynamicArray<T>*>(c))[index]; },
};

template <class T>
inline constexpr ContainerOps kListOps = {
    .clear = [](void* c) { static_cast<List<T>*>(c)->Clear(); },
    .walk =
        [](void* c, const std::function<void(const Text*, void*)>& visit) {
          for (T& item : *static_cast<List<T>*>(c)) visit(nullptr, &item);
        },
    .append = [](void* c) -> void* { return &static_cast<List<T>*>(c)->Append(); },
};

template <class T>
inline constexpr ContainerOps kMapOps = {
    .clear = [](void* c) { static_cast<Map<T>*>(c)->Clear(); },
    .walk =
        [](void* c, const std::function<void(const Text*, void*)>& visit) {
          for (auto& [key, item] : *static_cast<Map<T>*>(c)) visit(&key, &item);
        },
    .findOrAdd = [](void* c, TextView key) -> void* {
      return &static_cast<Map<T>*>(c)->FindOrAdd(key);
    },
};

}  // namespace kv
