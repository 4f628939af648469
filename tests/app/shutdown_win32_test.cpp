// Shutdown on the real platform: a start without pipes falls back to the
// shell, so an adb path naming a folder must not open a folder window.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/program.h"
#include "toolkit/user.h"

using namespace kv;

namespace {

struct TitleSearch {
  std::wstring part;
  bool found = false;
};

BOOL CALLBACK HasTitle(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TitleSearch*>(lParam);
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  if (std::wstring(title).find(search->part) != std::wstring::npos) search->found = true;
  return !search->found;
}

TEST(Shutdown, AnAdbPathNamingAFolderOpensNoWindow) {
  auto folder = std::filesystem::temp_directory_path() / "kv-adb-is-a-folder";
  std::filesystem::create_directories(folder);
  Program program((folder / "kestrelvane.cfg").u16string());
  ASSERT_TRUE(program.Start());
  program.config.ADBPath = folder.u16string() + u"\\";
  user::RequestClose(program.g.window);
  program.RunMainLoop();
  program.End();
  TitleSearch search{L"kv-adb-is-a-folder"};
  for (int i = 0; i < 30 && !search.found; ++i) {
    Sleep(100);
    EnumWindows(HasTitle, reinterpret_cast<LPARAM>(&search));
  }
  EXPECT_FALSE(search.found);
  std::filesystem::remove_all(folder);
}

}  // namespace
