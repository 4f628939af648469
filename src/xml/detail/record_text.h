// The text forms of record values.
#pragma once

#include <cstdint>

#include "runtime/text.h"

namespace kv {

// Blanks, tabs, CR and LF first; an optional sign; then '$' and hex digits,
// '%' and binary digits, or decimal digits, up to the first other character.
// Wraps around beyond 64 bits, so a caller's cut to its width is modular.
uint64_t ParseRecordInteger(TextView text);

// A value of a type code (with TypePointer or not, but not TypeRecord) as
// text, and back.
Text RecordValueText(const void* value, uint8_t type, uint32_t fixedSize);
void SetRecordValue(void* value, uint8_t type, uint32_t fixedSize, TextView text);
// Zero, empty or null.
void ClearRecordValue(void* value, uint8_t type, uint32_t fixedSize);

}  // namespace kv
