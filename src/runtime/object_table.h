// Numbered objects: windows, gadgets, dialogs, XML documents and open files.
//
// A caller names an object by its own number n >= 0 (a fixed number, kept in a
// slot array that grows by the growth step and never shrinks) or by KV_Any, in
// which case the table chooses a dynamic number and returns it. Dynamic numbers
// are 32-bit and lie above every fixed number, so they are never -1, never 0
// and never collide with a fixed number in use.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "constants.h"

namespace kv {

template <class Record>
class ObjectTable {
 public:
  // Fixed numbers stay small enough that their slot array is never huge.
  static constexpr int kMaxFixed = 0xFFFFF;
  static constexpr int kFirstDynamic = 0x10000000;

  // release(number) destroys the object (platform resources included) and is
  // expected to call Remove(number); the table removes it afterwards anyway.
  using Release = std::function<void(int number)>;

  explicit ObjectTable(int growthStep, Release release = {})
      : growthStep_(growthStep), release_(std::move(release)), slots_(growthStep) {}

  // Creates a value-initialised record at number (or at a chosen one for
  // KV_Any), releasing an object that already holds that number. Returns
  // nullptr for a number outside 0..kMaxFixed and KV_Any.
  Record* Create(int number, int* assigned) {
    if (number == KV_Any) {
      number = NextDynamicNumber();
      auto& record = dynamic_[number];
      record = std::make_unique<Record>();
      *assigned = number;
      return record.get();
    }
    if (number < 0 || number > kMaxFixed) return nullptr;
    if (Find(number)) ReleaseOne(number);
    if (number >= static_cast<int>(slots_.size())) {
      slots_.resize(static_cast<size_t>(number) + growthStep_);
    }
    slots_[number] = std::make_unique<Record>();
    *assigned = number;
    return slots_[number].get();
  }

  Record* Find(int number) const {
    if (number >= 0 && number < static_cast<int>(slots_.size())) return slots_[number].get();
    auto it = dynamic_.find(number);
    return it == dynamic_.end() ? nullptr : it->second.get();
  }

  bool Contains(int number) const { return Find(number) != nullptr; }

  // Drops the record without calling the release operation.
  void Remove(int number) {
    if (number >= 0 && number < static_cast<int>(slots_.size())) {
      slots_[number].reset();
    } else {
      dynamic_.erase(number);
    }
  }

  // Releases one object, or every object for KV_Any.
  void Free(int number) {
    if (number == KV_Any) {
      for (int n : Numbers()) {
        if (Find(n)) ReleaseOne(n);
      }
    } else if (Find(number)) {
      ReleaseOne(number);
    }
  }

  // Numbers in use: fixed ones ascending, then dynamic ones ascending.
  std::vector<int> Numbers() const {
    std::vector<int> numbers;
    for (size_t i = 0; i < slots_.size(); ++i) {
      if (slots_[i]) numbers.push_back(static_cast<int>(i));
    }
    for (const auto& [number, record] : dynamic_) numbers.push_back(number);
    return numbers;
  }

  size_t SlotCount() const { return slots_.size(); }

 private:

  void ReleaseOne(int number) {
    if (release_) release_(number);
    Remove(number);
  }

  int NextDynamicNumber() {
    for (;;) {
      if (next_ == INT32_MAX) next_ = kFirstDynamic;
      int candidate = next_++;
      if (!dynamic_.count(candidate)) return candidate;
    }
  }

  int growthStep_;
  Release release_;
  std::vector<std::unique_ptr<Record>> slots_;
  std::map<int, std::unique_ptr<Record>> dynamic_;
  int next_ = kFirstDynamic;
};

}  // namespace kv
