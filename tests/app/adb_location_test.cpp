// While the adb path is the default one and names no file, Reload looks for
// adb where it usually lies; a path the user set is never replaced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/adb_location.h"
#include "app_fixture.h"

using namespace kv;
using namespace kv::test;
namespace fs = std::filesystem;

namespace {

using NativeString = fs::path::string_type;

// An environment variable set for one test and restored after it.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const NativeString& value) : name_(fs::path(name).native()) {
    if (const auto* old = Get()) old_ = old;
    Set(value);
  }
  ~ScopedVariable() { old_ ? Set(*old_) : Unset(); }

 private:
#ifdef _WIN32
  const wchar_t* Get() const { return _wgetenv(name_.c_str()); }
  void Set(const NativeString& value) { _wputenv_s(name_.c_str(), value.c_str()); }
  void Unset() { _wputenv_s(name_.c_str(), L""); }
#else
  const char* Get() const { return std::getenv(name_.c_str()); }
  void Set(const NativeString& value) { setenv(name_.c_str(), value.c_str(), 1); }
  void Unset() { unsetenv(name_.c_str()); }
#endif

  NativeString name_;
  std::optional<NativeString> old_;
};

#ifdef _WIN32
constexpr char kAdbName[] = "adb.exe";
constexpr char kPathSeparator = ';';
#else
constexpr char kAdbName[] = "adb";
constexpr char kPathSeparator = ':';
#endif

struct AdbLocation : UserFlowTest {
  // A copy of the fake adb under adb's own name, beside the device state.
  fs::path InstalledAdb(const fs::path& folder) const {
    fs::create_directories(folder);
    fs::copy_file(fs::path(std::u16string(device.AdbPath())), folder / kAdbName);
    return folder / kAdbName;
  }

  NativeString PathList(std::initializer_list<fs::path> folders) const {
    NativeString list;
    for (const fs::path& folder : folders) {
      if (!list.empty()) list += static_cast<NativeString::value_type>(kPathSeparator);
      list += folder.native();
    }
    return list;
  }
};

TEST_F(AdbLocation, FindsAdbOnThePathForTheDefaultOne) {
  fs::path adb = InstalledAdb(device.Folder());
  fs::path missing = device.Folder() / "missing";
  fs::create_directories(device.Folder() / "folder" / kAdbName);  // a folder is no adb
  ScopedVariable path("PATH", PathList({missing, device.Folder() / "folder", "", device.Folder()}));
  program.config.ADBPath = DefaultAdbPath();
  Reload();
  EXPECT_EQ(program.config.ADBPath, Text(adb.u16string()));
  EXPECT_EQ(ReadGadgetText(g.txtOADBPath), Text(adb.u16string()));
  EXPECT_EQ(Status(), u"");
  EXPECT_EQ(Invocations().size(), 12u);
}

TEST_F(AdbLocation, APathTheUserSetIsNeverReplaced) {
  InstalledAdb(device.Folder());
  ScopedVariable path("PATH", device.Folder().native());
  Text typed = device.AdbPath() + u".missing";
  program.config.ADBPath = typed;
  Reload();
  EXPECT_EQ(Status(), u"ADB.exe not found");
  EXPECT_EQ(program.config.ADBPath, typed);
  EXPECT_TRUE(Invocations().empty());
}

TEST_F(AdbLocation, NoAdbAnywhereIsNotFound) {
  ScopedVariable path("PATH", device.Folder().native());  // holds the fake under its own name only
  program.config.ADBPath = DefaultAdbPath();
  Reload();
  EXPECT_EQ(Status(), u"ADB.exe not found");
  EXPECT_EQ(ReadGadgetState(g.panMain), TabSettings);
  EXPECT_EQ(program.config.ADBPath, DefaultAdbPath());
}

#ifdef _WIN32
TEST_F(AdbLocation, FindsAdbInTheUsersAndroidSdk) {
  fs::path adb = InstalledAdb(device.Folder() / "Android" / "Sdk" / "platform-tools");
  ScopedVariable path("PATH", PathList({device.Folder() / "missing"}));
  ScopedVariable localAppData("LOCALAPPDATA", device.Folder().native());
  program.config.ADBPath = DefaultAdbPath();
  Reload();
  EXPECT_EQ(program.config.ADBPath, Text(adb.u16string()));
}
#endif

}  // namespace
