// Text of the system: UTF-16 everywhere, converted at the platform boundary.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

using Text = std::u16string;
using TextView = std::u16string_view;

// Byte formats of outside data; the values are part of the stored formats.
enum TextFormat : int {
  FormatUtf8 = 2,
  FormatAnsi = 24,  // the system's ANSI code page; Windows-1252 off Windows
  FormatUtf16 = 25, // UTF-16LE
};

// Decoders never fail: invalid input becomes U+FFFD.
Text DecodeUtf8(std::string_view bytes);
Text DecodeUtf16le(std::string_view bytes);
Text DecodeAnsi(std::string_view bytes);
Text DecodeText(std::string_view bytes, TextFormat format);

// Unpaired surrogates are written as U+FFFD.
std::string EncodeUtf8(TextView text);

// ASCII-only conversions for literals and numbers.
Text AsciiText(std::string_view ascii);
std::string AsciiBytes(TextView text);

// Lower-case folding of one code unit, the basis of every case-insensitive
// comparison and sort of the system.
char16_t FoldCase(char16_t c);
Text FoldCase(TextView text);
// <0, 0, >0 comparing folded code units; on a common prefix the shorter is first.
int CompareNoCase(TextView a, TextView b);
bool EqualNoCase(TextView a, TextView b);

}  // namespace kv
