// Where the configuration lives on a Linux desktop: the XDG configuration
// folder, made when missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/config_file.h"
#include "storage/temp_dir.h"

using namespace kv;

namespace {

// Sets a variable (nullptr: unsets it) for as long as it lives.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(ConfigPath, LivesInTheXdgFolderOrElseInDotConfigUnderHome) {
  TempDir dir;
  std::string xdg = dir.Path(u"xdg").string();
  std::string home = dir.Path(u"home").string();
  std::filesystem::create_directory(home);
  ScopedVariable homeVariable("HOME", home.c_str());
  {
    ScopedVariable configVariable("XDG_CONFIG_HOME", xdg.c_str());
    EXPECT_EQ(ConfigFilePath(), DecodeUtf8(xdg + "/kestrelvane/kestrelvane.cfg"));
    EXPECT_TRUE(std::filesystem::is_directory(xdg + "/kestrelvane")) << "made when missing";
  }
  std::string fallback = home + "/.config/kestrelvane/kestrelvane.cfg";
  {
    ScopedVariable configVariable("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(ConfigFilePath(), DecodeUtf8(fallback));
  }
  {
    // A relative folder is to be ignored.
    ScopedVariable configVariable("XDG_CONFIG_HOME", "relative/folder");
    EXPECT_EQ(ConfigFilePath(), DecodeUtf8(fallback));
  }
  EXPECT_TRUE(std::filesystem::is_directory(home + "/.config/kestrelvane"));
}

}  // namespace
