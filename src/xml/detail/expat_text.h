// Text between expat and the tree. The Windows build's expat hands out UTF-16
// (wchar_t), the native one UTF-8; both become the same UTF-16 here.
#pragma once

#include <string>
#include <string_view>

#include "runtime/text.h"

namespace kv {

template <class Char>
void AppendExpatText(Text& out, const Char* text, size_t length) {
  if constexpr (sizeof(Char) == sizeof(char16_t)) {
    out.append(reinterpret_cast<const char16_t*>(text), length);
  } else {
    // expat's output is valid UTF-8.
    for (size_t i = 0; i < length;) {
      auto lead = static_cast<unsigned char>(text[i]);
      size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
      if (i + size > length) break;
      char32_t cp = size == 1 ? lead : size == 2 ? lead & 0x1F : size == 3 ? lead & 0x0F : lead & 0x07;
      for (size_t k = 1; k < size; ++k) cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
      } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
      }
      i += size;
    }
  }
}

template <class Char>
void AppendExpatText(Text& out, const Char* text) {
  if (text) AppendExpatText(out, text, std::char_traits<Char>::length(text));
}

template <class Char>
Text FromExpat(const Char* text) {
  Text out;
  AppendExpatText(out, text);
  return out;
}

// An ASCII name as expat's character type.
template <class Char>
std::basic_string<Char> ToExpat(std::string_view ascii) {
  return std::basic_string<Char>(ascii.begin(), ascii.end());
}

}  // namespace kv
