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
    out += DecodeUtf8(std::string_view(text, length));
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
