#include "xml/detail/record_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "xml/record_descriptor.h"

namespace kv {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

// Ten decimals, then trailing zeros and a bare point go.
Text FloatText(double value) {
  if (std::isnan(value)) return u"NaN";
  if (std::isinf(value)) return value > 0 ? u"+Infinity" : u"-Infinity";
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 10);
  std::string_view digits(buffer, static_cast<size_t>(result.ptr - buffer));
  if (digits.ends_with('0')) {
    while (digits.ends_with('0')) digits.remove_suffix(1);
    if (digits.ends_with('.')) digits.remove_suffix(1);
  }
  return AsciiText(digits);
}

// The decimal exponent of the first significant digit of a number that is
// out of the double range: positive for one too large, negative for one too
// small. The exponent's own digits may be out of range too.
long long LeadingExponent(std::string_view number) {
  size_t e = number.find_first_of("eE");
  std::string_view mantissa = number.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = number.substr(e + 1);
    bool negative = digits.starts_with('-');
    if (digits.starts_with('-') || digits.starts_with('+')) digits.remove_prefix(1);
    auto read = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    if (read.ec == std::errc::result_out_of_range) exponent = std::numeric_limits<long long>::max() / 2;
    if (negative) exponent = -exponent;
  }
  size_t point = std::min(mantissa.find('.'), mantissa.size());
  size_t first = mantissa.find_first_of("123456789");
  auto position = static_cast<long long>(point) - static_cast<long long>(first);
  return exponent + (first < point ? position - 1 : position);
}

// The first word, read as the C library's "%lf" reads it with the point as
// decimal separator (out of range: infinite or zero); unreadable text gives 0.
double ParseFloat(TextView text) {
  size_t start = 0;
  while (start < text.size() && IsSpace(text[start])) ++start;
  size_t end = start;
  while (end < text.size() && !IsSpace(text[end])) ++end;
  TextView word = text.substr(start, end - start);
  if (EqualNoCase(word, u"+Infinity")) return std::numeric_limits<double>::infinity();
  if (EqualNoCase(word, u"-Infinity")) return -std::numeric_limits<double>::infinity();
  if (EqualNoCase(word, u"NaN")) return std::numeric_limits<double>::quiet_NaN();
  std::string bytes = AsciiBytes(word);
  const char* first = bytes.data();
  if (bytes.starts_with('+')) ++first;
  double value = 0;
  auto read = std::from_chars(first, bytes.data() + bytes.size(), value);
  if (read.ec == std::errc::result_out_of_range) {
    std::string_view number(first, static_cast<size_t>(read.ptr - first));
    bool negative = number.starts_with('-');
    value = LeadingExponent(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    if (negative) value = -value;
  }
  return value;
}

// Calls use(std::type_identity<T>{}) with the C++ type of an integer or float
// type code; returns false for the other codes.
template <class Use>
bool WithNumberType(uint8_t type, Use use) {
  switch (type) {
    case TypeInt8: use(std::type_identity<int8_t>{}); return true;
    case TypeInt16: use(std::type_identity<int16_t>{}); return true;
    case TypeInt32: use(std::type_identity<int32_t>{}); return true;
    case TypeInt64: use(std::type_identity<int64_t>{}); return true;
    case TypeIntPtr: use(std::type_identity<intptr_t>{}); return true;
    case TypeUInt8: use(std::type_identity<uint8_t>{}); return true;
    case TypeUInt16: use(std::type_identity<uint16_t>{}); return true;
    case TypeChar16: use(std::type_identity<char16_t>{}); return true;
    case TypeFloat32: use(std::type_identity<float>{}); return true;
    case TypeFloat64: use(std::type_identity<double>{}); return true;
    default: return false;
  }
}

TextView FixedStringText(const void* value, uint32_t fixedSize) {
  TextView units(static_cast<const char16_t*>(value), fixedSize / 2);
  return units.substr(0, units.find(u'\0'));
}

}  // namespace

uint64_t ParseRecordInteger(TextView text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  unsigned base = 10;
  if (i < text.size() && text[i] == u'$') base = 16, ++i;
  else if (i < text.size() && text[i] == u'%') base = 2, ++i;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i]);
    if (digit >= static_cast<int>(base)) break;
    value = value * base + static_cast<unsigned>(digit);
  }
  return negative ? 0 - value : value;
}

Text RecordValueText(const void* value, uint8_t type, uint32_t fixedSize) {
  if (type & TypePointer) {
    auto address = reinterpret_cast<intptr_t>(*static_cast<void* const*>(value));
    return AsciiText(std::to_string(address));
  }
  if (type == TypeString) return *static_cast<const Text*>(value);
  if (type == TypeFixedString) return Text(FixedStringText(value, fixedSize));
  Text text;
  WithNumberType(type, [&]<class T>(std::type_identity<T>) {
    T number = *static_cast<const T*>(value);
    if constexpr (std::is_floating_point_v<T>) {
      text = FloatText(number);
    } else if constexpr (std::is_signed_v<T>) {
      text = AsciiText(std::to_string(static_cast<int64_t>(number)));
    } else {
      text = AsciiText(std::to_string(static_cast<uint64_t>(number)));
    }
  });
  return text;
}

void SetRecordValue(void* value, uint8_t type, uint32_t fixedSize, TextView text) {
  if (type & TypePointer) {
    auto address = static_cast<intptr_t>(ParseRecordInteger(text));
    *static_cast<void**>(value) = reinterpret_cast<void*>(address);
    return;
  }
  if (type == TypeString) {
    static_cast<Text*>(value)->assign(text);
    return;
  }
  if (type == TypeFixedString) {
    auto* units = static_cast<char16_t*>(value);
    size_t capacity = fixedSize / 2;
    size_t copied = std::min(text.size(), capacity);
    std::copy_n(text.begin(), copied, units);
    std::fill(units + copied, units + capacity, u'\0');
    return;
  }
  WithNumberType(type, [&]<class T>(std::type_identity<T>) {
    if constexpr (std::is_floating_point_v<T>) {
      double number = ParseFloat(text);
      // Beyond the type's range is infinite, not undefined.
      if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<T>::max()) {
        number = std::copysign(std::numeric_limits<double>::infinity(), number);
      }
      *static_cast<T*>(value) = static_cast<T>(number);
    } else {
      *static_cast<T*>(value) = static_cast<T>(ParseRecordInteger(text));
    }
  });
}

void ClearRecordValue(void* value, uint8_t type, uint32_t fixedSize) {
  if (type & TypePointer) {
    *static_cast<void**>(value) = nullptr;
  } else if (type == TypeString) {
    static_cast<Text*>(value)->clear();
  } else if (type == TypeFixedString) {
    std::fill_n(static_cast<char16_t*>(value), fixedSize / 2, u'\0');
  } else {
    WithNumberType(type, [&]<class T>(std::type_identity<T>) { *static_cast<T*>(value) = T{}; });
  }
}

}  // namespace kv
