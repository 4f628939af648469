// Names that a dialog description may use for numbers and event procedures.
//
// A description writes a runtime name with a leading "#" in ID and FLAGS
// values ("#KV_Const"); the registry keeps names without it, and lookups drop
// one leading "#". Names are compared ignoring case. Variables are read at the
// moment of each lookup; floating values are truncated toward zero (and held
// within the 32-bit range). The program registers nothing; tests and tools do.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <variant>

#include "runtime/text.h"
#include "toolkit/events.h"

namespace kv {

class RuntimeSymbols {
 public:
  // A name registered again replaces the earlier entry.
  void AddConstant(TextView name, int value);
  void AddConstant(TextView name, double value);
  void AddVariable(TextView name, const std::int8_t* variable);
  void AddVariable(TextView name, const std::int16_t* variable);
  void AddVariable(TextView name, const std::int32_t* variable);
  void AddVariable(TextView name, const float* variable);
  void AddVariable(TextView name, const unsigned char* variable);
  void AddVariable(TextView name, const double* variable);
  void AddVariable(TextView name, const char16_t* variable);
  void AddProcedure(TextView name, EventHandler procedure);
  void Clear();

  // The number a constant or variable stands for; nothing for procedures and
  // unknown names.
  std::optional<int> Value(TextView name) const;
  // Null unless name is a procedure.
  EventHandler Procedure(TextView name) const;

 private:
  using Entry = std::variant<int, double, const std::int8_t*, const std::int16_t*,
                             const std::int32_t*, const float*, const unsigned char*,
                             const double*, const char16_t*, EventHandler>;
  void Add(TextView name, Entry entry);
  const Entry* Find(TextView name) const;

  std::map<Text, Entry> entries_;  // keyed by the folded name
};

// The registry the dialog engine consults; empty unless something registers.
RuntimeSymbols& DialogRuntimeSymbols();

}  // namespace kv
