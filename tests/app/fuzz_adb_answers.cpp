// Reads whatever the fuzzer makes up as adb's answers. The first byte says
// how the command ended; the rest is what it printed, cut into lines and
// decoded as the process runner does, and also what it wrote to standard
// error. Each reading is checked against what must hold of its result.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/adb.h"
#include "app/adb_answers.h"

using namespace kv;

namespace {

constexpr TextView kAdbPath = u"C:\\adb\\ADB.exe";
constexpr int kFieldsChecked = 32;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsNameCharacter(char16_t c) {
  return IsAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_';
}
bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

bool StartsWithFolded(TextView text, TextView folded) {
  return FoldCase(text.substr(0, folded.size())) == folded;
}

std::vector<TextView> SplitLines(TextView text) {
  std::vector<TextView> lines;
  for (;;) {
    std::size_t end = text.find(u'\n');
    lines.push_back(text.substr(0, end));
    if (end == TextView::npos) return lines;
    text.remove_prefix(end + 1);
  }
}

// As ReadProcessLine hands them over: every carriage return dropped, cut at
// line feeds, a last line without one kept, and adb's output read as UTF-8
// (adb::kCommandFlags names no other form).
std::vector<Text> OutputLines(std::string_view bytes) {
  std::vector<Text> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find('\n');
    std::string line(bytes.substr(0, end));
    std::erase(line, '\r');
    lines.push_back(DecodeText(line, FormatUtf8));
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

// As ProcessErrorText gives it: decoded whole, carriage returns dropped.
Text ErrorText(std::string_view bytes) {
  Text text = DecodeText(bytes, FormatUtf8);
  std::erase(text, u'\r');
  return text;
}

// The fields hold no separator, and joined by it they give the text back.
void CheckFields(TextView text, TextView separator) {
  Require(SplitField(text, separator, 0).empty());
  if (separator.empty()) {
    Require(SplitField(text, separator, 1) == text && SplitField(text, separator, 2).empty());
    return;
  }
  Text joined(SplitField(text, separator, 1));
  Require(joined.find(separator) == Text::npos);
  int n = 2;
  for (; n <= kFieldsChecked && joined.size() < text.size(); ++n) {
    TextView field = SplitField(text, separator, n);
    Require(field.find(separator) == TextView::npos);
    joined.append(separator).append(field);
    Require(text.starts_with(joined));
  }
  if (joined.size() == text.size()) Require(SplitField(text, separator, n).empty());
}

// Android's form, walked one character at a time.
bool LooksLikePackageName(TextView name) {
  bool segmentStart = true;
  for (char16_t c : name) {
    bool fits = segmentStart ? IsAsciiLetter(c) : c == u'.' || IsNameCharacter(c);
    if (!fits) return false;
    segmentStart = c == u'.';
  }
  return !segmentStart;
}

void CheckPackageName(TextView name) {
  Require(IsPackageName(name) == LooksLikePackageName(name));
}

// NAME after the prefix, up to a colon or the end of the line.
void CheckListLine(TextView line) {
  std::optional<Text> name = PackageOfListLine(line);
  TextView prefix = adb::kPackagePrefix;
  Require(name.has_value() == StartsWithFolded(line, prefix));
  if (!name) return;
  TextView rest = line.substr(prefix.size());
  Require(name->find(u':') == Text::npos && rest.starts_with(*name));
  Require(rest.size() == name->size() || rest[name->size()] == u':');
  CheckPackageName(*name);
}

void CheckStateLine(TextView line) {
  std::optional<StateChange> change = StateChangeOfLine(line);
  bool named = FoldCase(line) == u"package" || StartsWithFolded(line, u"package ");
  Require(change.has_value() == named);
  if (!change) return;
  TextView afterWord = line.substr(std::min<std::size_t>(line.size(), 8));
  Require(change->name.find(u' ') == Text::npos && afterWord.starts_with(change->name));
  Require(FoldCase(change->state) == change->state);
  Require(FoldCase(line).find(change->state) != Text::npos);
  CheckPackageName(change->name);
}

void CheckActionAnswers(TextView line) {
  Require(IsUninstallSuccess(line) == (FoldCase(line) == adb::kUninstallSuccess));
  bool installed = IsInstalledForUser(line);
  Require(installed == IsInstalledForUser(FoldCase(line)));
  Require(!installed || line.size() >= adb::kInstalledForUser.size());
}

// Ordered without regard to case, and a permutation that keeps the arrival
// order of lines equal but for case.
void CheckSort(const std::vector<Text>& lines) {
  std::vector<Text> sorted = lines;
  SortNoCase(sorted);
  Require(sorted.size() == lines.size());
  std::map<Text, std::deque<Text>> arrivals;
  for (const Text& line : lines) arrivals[FoldCase(line)].push_back(line);
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    if (i > 0) Require(CompareNoCase(sorted[i - 1], sorted[i]) <= 0);
    std::deque<Text>& same = arrivals[FoldCase(sorted[i])];
    Require(!same.empty() && same.front() == sorted[i]);
    same.pop_front();
  }
  for (std::size_t i = 1; i < lines.size(); ++i) {
    int compared = CompareNoCase(lines[i - 1], lines[i]);
    int folded = FoldCase(lines[i - 1]).compare(FoldCase(lines[i]));
    Require((compared < 0) == (folded < 0) && (compared == 0) == (folded == 0));
  }
}

// One whole line of adb's own words, its blanks at the end dropped; its
// "error:" line when it wrote one.
void CheckFailure(bool started, int exitStatus, const Text& errorText) {
  Text failure = FailureOfCommand(CommandOutcome{started, exitStatus, errorText}, kAdbPath);
  if (!started) {
    Require(failure.ends_with(kAdbPath));
    return;
  }
  if (exitStatus == 0) {
    Require(failure.empty());
    return;
  }
  bool wroteWords = errorText.find_first_not_of(u" \t\n") != Text::npos;
  Require(failure.empty() != wroteWords);
  if (failure.empty()) return;
  Require(failure.find(u'\n') == Text::npos && !IsBlank(failure.back()));
  bool whole = false;
  bool errorLine = false;
  for (TextView line : SplitLines(errorText)) {
    errorLine = errorLine || StartsWithFolded(line, u"error:");
    if (!line.starts_with(failure)) continue;
    TextView after = line.substr(failure.size());
    whole = whole || after.find_first_not_of(u" \t") == TextView::npos;
  }
  Require(whole);
  Require(!errorLine || StartsWithFolded(failure, u"error:"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  bool started = data[0] & 1;
  int exitStatus = (data[0] >> 1) - 1;
  std::string_view output(reinterpret_cast<const char*>(data + 1), size - 1);

  std::vector<Text> lines = OutputLines(output);
  // The first line also serves as a separator of its own.
  TextView separator = lines.empty() ? TextView() : TextView(lines.front()).substr(0, 4);
  for (const Text& line : lines) {
    CheckListLine(line);
    CheckStateLine(line);
    CheckActionAnswers(line);
    CheckPackageName(line);
    for (TextView each : {TextView(u":"), TextView(u" "), TextView(u": "), separator}) {
      CheckFields(line, each);
    }
  }
  CheckSort(lines);
  CheckFailure(started, exitStatus, ErrorText(output));
  return 0;
}
