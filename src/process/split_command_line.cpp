#include "detail/split_command_line.h"

namespace kv::detail {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

std::vector<Text> SplitCommandLine(TextView line) {
  std::vector<Text> args;
  std::size_t i = 0;

  Text program;
  if (i < line.size() && line[i] == u'"') {
    std::size_t close = line.find(u'"', 1);
    program = line.substr(1, close == TextView::npos ? TextView::npos : close - 1);
    i = close == TextView::npos ? line.size() : close + 1;
  }
  while (i < line.size() && !IsBlank(line[i])) program += line[i++];
  args.push_back(program);

  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    Text arg;
    bool quoted = false;
    while (i < line.size() && (quoted || !IsBlank(line[i]))) {
      std::size_t backslashes = 0;
      while (i < line.size() && line[i] == u'\\') ++backslashes, ++i;
      if (i < line.size() && line[i] == u'"') {
        arg.append(backslashes / 2, u'\\');
        if (backslashes % 2) {
          arg += u'"';
        } else if (quoted && i + 1 < line.size() && line[i + 1] == u'"') {
          arg += u'"';
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        arg.append(backslashes, u'\\');
        if (i < line.size() && (quoted || !IsBlank(line[i]))) arg += line[i++];
      }
    }
    args.push_back(arg);
  }
  return args;
}

}  // namespace kv::detail
