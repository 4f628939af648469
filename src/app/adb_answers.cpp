#include "app/adb_answers.h"

#include <algorithm>
#include <utility>

#include "app/adb.h"

namespace kv {

namespace {

bool StartsWithNoCase(TextView text, TextView prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsAsciiDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsNameSegment(TextView segment) {
  if (segment.empty() || !IsAsciiLetter(segment[0])) return false;
  return std::all_of(segment.begin(), segment.end(),
                     [](char16_t c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == u'_'; });
}

std::vector<TextView> Lines(TextView text) {
  std::vector<TextView> lines;
  while (!text.empty()) {
    std::size_t end = text.find(u'\n');
    TextView line = text.substr(0, end);
    while (!line.empty() && (line.back() == u'\r' || line.back() == u' ' || line.back() == u'\t')) {
      line.remove_suffix(1);
    }
    if (!line.empty()) lines.push_back(line);
    if (end == TextView::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// "java.lang.IllegalArgumentException: Unknown package: x" names what went
// wrong at the top of a device-side stack trace; the "\tat ..." frames don't.
bool IsExceptionLine(TextView line) {
  if (line[0] == u'\t' || line[0] == u' ') return false;
  std::size_t colon = line.find(u": ");
  if (colon == TextView::npos) return false;
  TextView type = line.substr(0, colon);
  return type.size() > 9 && (type.ends_with(u"Exception") || type.ends_with(u"Error")) &&
         type.find(u' ') == TextView::npos;
}

// The line that best says what adb complained of: its own "error:" line, an
// exception, or else the first line that is not the server's start-up chatter.
Text ComplaintOf(TextView errorText) {
  std::vector<TextView> lines = Lines(errorText);
  for (TextView line : lines) {
    if (StartsWithNoCase(line, u"error:")) return Text(line);
  }
  for (TextView line : lines) {
    if (IsExceptionLine(line)) return Text(line);
  }
  for (TextView line : lines) {
    if (!line.starts_with(u"* ")) return Text(line);
  }
  return lines.empty() ? Text() : Text(lines.front());
}

Text DurationText(std::chrono::milliseconds duration) {
  long long ms = duration.count();
  std::string text = ms % 1000 ? std::to_string(ms) + " ms" : std::to_string(ms / 1000) + " s";
  return AsciiText(text);
}

}  // namespace

TextView SplitField(TextView text, TextView separator, int n) {
  if (n < 1 || separator.empty()) return n == 1 ? text : TextView();
  for (int field = 1; field < n; ++field) {
    std::size_t at = text.find(separator);
    if (at == TextView::npos) return {};
    text.remove_prefix(at + separator.size());
  }
  return text.substr(0, text.find(separator));
}

std::optional<Text> PackageOfListLine(TextView line) {
  if (!StartsWithNoCase(line, adb::kPackagePrefix)) return std::nullopt;
  return Text(SplitField(line, u":", 2));
}

std::optional<StateChange> StateChangeOfLine(TextView line) {
  if (!EqualNoCase(SplitField(line, u" ", 1), u"package")) return std::nullopt;
  return StateChange{Text(SplitField(line, u" ", 2)), FoldCase(SplitField(line, u": ", 2))};
}

std::optional<AttachedDevice> DeviceOfListLine(TextView line) {
  std::size_t tab = line.find(u'\t');
  if (tab == 0 || tab == TextView::npos) return std::nullopt;
  return AttachedDevice{Text(line.substr(0, tab)), Text(line.substr(tab + 1))};
}

bool IsUninstallSuccess(TextView line) {
  return EqualNoCase(line, adb::kUninstallSuccess);
}

bool IsInstalledForUser(TextView line) {
  return FoldCase(line).find(adb::kInstalledForUser) != Text::npos;
}

// Each item is folded once, not once for every comparison it takes part in:
// a third of the time for the thousands of names a large device lists.
void SortNoCase(std::vector<Text>& items) {
  std::vector<std::pair<Text, Text>> keyed;
  keyed.reserve(items.size());
  for (Text& item : items) keyed.emplace_back(FoldCase(item), std::move(item));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = std::move(keyed[i].second);
}

bool IsPackageName(TextView name) {
  if (name.empty()) return false;
  for (;;) {
    std::size_t dot = name.find(u'.');
    if (!IsNameSegment(name.substr(0, dot))) return false;
    if (dot == TextView::npos) return true;
    name.remove_prefix(dot + 1);
  }
}

Text FailureOfCommand(const CommandOutcome& outcome, TextView adbPath) {
  if (!outcome.started) return u"ADB.exe could not be started: " + Text(adbPath);
  if (outcome.silentFor.count()) {
    return u"adb did not answer for " + DurationText(outcome.silentFor) + u": " +
           outcome.parameters;
  }
  if (outcome.exitStatus == 0) return {};
  return ComplaintOf(outcome.errorText);
}

}  // namespace kv
