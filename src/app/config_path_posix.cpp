#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "app/config_file.h"

namespace kv {

namespace {

std::string ConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;  // relative values are to be ignored
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + "/.config";
}

}  // namespace

Text ConfigFilePath() {
  std::string folder = ConfigFolder();
  mkdir(folder.c_str(), 0700);
  folder += "/kestrelvane";
  mkdir(folder.c_str(), 0700);
  return DecodeUtf8(folder + "/kestrelvane.cfg");
}

}  // namespace kv
