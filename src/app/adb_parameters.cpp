#include "app/adb_parameters.h"

#include <algorithm>

#include "process/process.h"

namespace kv {

namespace {

bool IsAsciiLetterOrDigit(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// A word that neither the device's shell nor an option parser reads as more.
bool IsPlainWord(TextView word, TextView punctuation) {
  if (word.empty() || word[0] == u'-') return false;
  return std::all_of(word.begin(), word.end(), [&](char16_t c) {
    return IsAsciiLetterOrDigit(c) || punctuation.find(c) != TextView::npos;
  });
}

}  // namespace

bool IsSettingName(TextView name) {
  return IsPlainWord(name, u"_.-:+@");
}

bool IsDeviceSerial(TextView serial) {
  return IsPlainWord(serial, u"_.-:");
}

Text DeviceShellWord(TextView text) {
  Text word = u"'";
  for (char16_t c : text) {
    if (c == u'\'') {
      word += u"'\\''";  // close, a quoted quote, open again
    } else {
      word += c;
    }
  }
  return QuoteArgument(word + u"'");
}

}  // namespace kv
