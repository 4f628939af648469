// The marks the backend puts on its platform windows, as window properties
// that any program can read, and read back from a copy kept in this process:
// under Wine each property read is a round trip to the window server (some
// 50 us), and they were read for every message.
#include "win32.h"

#include <array>
#include <unordered_map>

namespace kv::win32 {

namespace {

constexpr std::array<const wchar_t*, 5> kPropertyNames = {
    L"KV_WindowID", L"KV_Focus", L"KV_ID", L"KV_Page", L"KV_MouseDown"};
static_assert(static_cast<std::size_t>(Tag::MouseDown) + 1 == kPropertyNames.size(),
              "a name for each tag, in the order of Tag");
using Tags = std::array<std::intptr_t, kPropertyNames.size()>;

std::unordered_map<HWND, Tags>& Copies() {
  static std::unordered_map<HWND, Tags> copies;
  return copies;
}

std::size_t Index(Tag tag) { return static_cast<std::size_t>(tag); }

}  // namespace

void SetTag(HWND hwnd, Tag tag, std::intptr_t value) {
  if (value == 0) {
    RemoveTag(hwnd, tag);
    return;
  }
  SetPropW(hwnd, kPropertyNames[Index(tag)], reinterpret_cast<HANDLE>(value));
  Copies()[hwnd][Index(tag)] = value;
}

std::intptr_t GetTag(HWND hwnd, Tag tag) {
  auto found = Copies().find(hwnd);
  return found == Copies().end() ? 0 : found->second[Index(tag)];
}

void RemoveTag(HWND hwnd, Tag tag) {
  auto found = Copies().find(hwnd);
  if (found == Copies().end() || found->second[Index(tag)] == 0) return;
  RemovePropW(hwnd, kPropertyNames[Index(tag)]);
  found->second[Index(tag)] = 0;
  if (found->second == Tags{}) Copies().erase(found);
}

void ForgetTags(HWND hwnd) {
  auto found = Copies().find(hwnd);
  if (found == Copies().end()) return;
  for (std::size_t i = 0; i < kPropertyNames.size(); ++i) {
    if (found->second[i]) RemovePropW(hwnd, kPropertyNames[i]);
  }
  Copies().erase(found);
}

}  // namespace kv::win32
