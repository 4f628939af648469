// Simple lower-case folding of UTF-16 code units for the scripts users meet in
// package names and settings: Latin, Greek, Cyrillic, Armenian and full-width
// forms. One code unit maps to one code unit, so folded text keeps its length.
#include "text.h"

namespace kv {

namespace {

struct FoldRange {
  char16_t first, last;
  short delta;
  bool alternating;  // only every other code unit (upper/lower pairs)
};

constexpr FoldRange kRanges[] = {
    {0x0041, 0x005A, 32, false},  {0x00C0, 0x00D6, 32, false},  {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012E, 1, true},    {0x0132, 0x0136, 1, true},    {0x0139, 0x0147, 1, true},
    {0x014A, 0x0176, 1, true},    {0x0179, 0x017D, 1, true},    {0x0388, 0x038A, 37, false},
    {0x038E, 0x038F, 63, false},  {0x0391, 0x03A1, 32, false},  {0x03A3, 0x03AB, 32, false},
    {0x0400, 0x040F, 80, false},  {0x0410, 0x042F, 32, false},  {0x0460, 0x0480, 1, true},
    {0x048A, 0x04BE, 1, true},    {0x04C1, 0x04CD, 1, true},    {0x04D0, 0x052E, 1, true},
    {0x0531, 0x0556, 48, false},  {0x1E00, 0x1E94, 1, true},    {0x1EA0, 0x1EFE, 1, true},
    {0xFF21, 0xFF3A, 32, false},
};

}  // namespace

char16_t FoldCase(char16_t c) {
  if (c < 0x41) return c;
  if (c <= 0x5A) return c + 32;
  if (c < 0xC0) return c;
  switch (c) {
    case 0x0130: return 0x0069;
    case 0x0178: return 0x00FF;
    case 0x0386: return 0x03AC;
    case 0x038C: return 0x03CC;
  }
  for (const FoldRange& r : kRanges) {
    if (c < r.first) break;
    if (c > r.last) continue;
    if (r.alternating && (c - r.first) % 2) return c;
    return static_cast<char16_t>(c + r.delta);
  }
  return c;
}

Text FoldCase(TextView text) {
  Text out(text);
  for (char16_t& c : out) c = FoldCase(c);
  return out;
}

int CompareNoCase(TextView a, TextView b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool EqualNoCase(TextView a, TextView b) { return a.size() == b.size() && CompareNoCase(a, b) == 0; }

}  // namespace kv
