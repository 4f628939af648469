#include "dialog/runtime_symbols.h"

#include <cmath>
#include <limits>
#include <type_traits>

namespace kv {

namespace {

TextView WithoutSigil(TextView name) {
  if (name.starts_with(u'#')) name.remove_prefix(1);
  return name;
}

int TruncateTowardZero(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
    return std::numeric_limits<int>::max();
  }
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
    return std::numeric_limits<int>::min();
  }
  return static_cast<int>(value);
}

}  // namespace

void RuntimeSymbols::Add(TextView name, Entry entry) {
  entries_.insert_or_assign(FoldCase(WithoutSigil(name)), entry);
}

const RuntimeSymbols::Entry* RuntimeSymbols::Find(TextView name) const {
  auto it = entries_.find(FoldCase(WithoutSigil(name)));
  return it == entries_.end() ? nullptr : &it->second;
}

void RuntimeSymbols::AddConstant(TextView name, int value) { Add(name, value); }
void RuntimeSymbols::AddConstant(TextView name, double value) { Add(name, value); }
void RuntimeSymbols::AddVariable(TextView name, const std::int8_t* v) { Add(name, v); }
void RuntimeSymbols::AddVariable(TextView name, const std::int16_t* v) { Add(name, v); }
void RuntimeSymbols::AddVariable(TextView name, const std::int32_t* v) { Add(name, v); }
void RuntimeSymbols::AddVariable(TextView name, const float* v) { Add(name, v); }
void RuntimeSymbols::AddVariable(TextView name, const unsigned char* v) { Add(name, v); }
void RuntimeSymbols::AddVariable(TextView name, const double* v) { Add(name, v); }
void RuntimeSymbols::AddVariable(TextView name, const char16_t* v) { Add(name, v); }
void RuntimeSymbols::AddProcedure(TextView name, EventHandler procedure) { Add(name, procedure); }
void RuntimeSymbols::Clear() { entries_.clear(); }

std::optional<int> RuntimeSymbols::Value(TextView name) const {
  const Entry* entry = Find(name);
  if (!entry) return std::nullopt;
  return std::visit(
      [](auto held) -> std::optional<int> {
        using Held = decltype(held);
        if constexpr (std::is_same_v<Held, EventHandler>) {
          return std::nullopt;
        } else if constexpr (std::is_pointer_v<Held>) {
          if constexpr (std::is_floating_point_v<std::remove_pointer_t<Held>>) {
            return TruncateTowardZero(*held);
          } else {
            return static_cast<int>(*held);
          }
        } else if constexpr (std::is_floating_point_v<Held>) {
          return TruncateTowardZero(held);
        } else {
          return held;
        }
      },
      *entry);
}

EventHandler RuntimeSymbols::Procedure(TextView name) const {
  const Entry* entry = Find(name);
  const EventHandler* procedure = entry ? std::get_if<EventHandler>(entry) : nullptr;
  return procedure ? *procedure : nullptr;
}

RuntimeSymbols& DialogRuntimeSymbols() {
  static RuntimeSymbols symbols;
  return symbols;
}

}  // namespace kv
