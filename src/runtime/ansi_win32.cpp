#include <windows.h>

#include "text.h"

namespace kv {

Text DecodeAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  int size = static_cast<int>(bytes.size());
  int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  Text out(static_cast<size_t>(units), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(out.data()), units);
  return out;
}

}  // namespace kv
