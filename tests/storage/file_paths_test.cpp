#include <gtest/gtest.h>

#include "storage/file_paths.h"
#include "temp_dir.h"

using namespace kv;

namespace {

struct FilePaths : ::testing::Test {
  TempDir dir;
};

}  // namespace

TEST_F(FilePaths, SizeTellsMissingFromDirectoriesFromFiles) {
  WriteBytes(dir.Path(u"empty"), {});
  WriteBytes(dir.Path(u"three"), {1, 2, 3});
  EXPECT_EQ(FileSizeByPath(dir.Text(u"missing")), -1);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"missing/three")), -1);
  EXPECT_EQ(FileSizeByPath(u""), -1);
  EXPECT_EQ(FileSizeByPath(dir.Text()), -2);
  EXPECT_EQ(FileSizeByPath(dir.Text() + u"/"), -2);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"empty")), 0);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"three")), 3);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"three") + u"/"), 3);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"three") + u'\0' + u"x"), 3);  // the text ends at NUL
  EXPECT_EQ(FileSizeByPath(dir.Text() + u"/.."), -2);

  // "/" here, the drive's root ("C:\") and the drive ("C:") on Windows.
  std::filesystem::path root = dir.Path().root_path();
  EXPECT_EQ(FileSizeByPath(root.u16string()), -2);
  if (dir.Path().has_root_name()) {
    std::u16string drive = dir.Path().root_name().u16string();
    EXPECT_EQ(FileSizeByPath(drive), -2);
    EXPECT_EQ(FileSizeByPath(drive + u"x"), -1);  // a name on that drive, not its root
  }
}

TEST_F(FilePaths, DeleteNeedsForceForAReadOnlyFile) {
  WriteBytes(dir.Path(u"plain"), {1});
  EXPECT_TRUE(DeleteFileByPath(dir.Text(u"plain"), 0));
  EXPECT_EQ(FileSizeByPath(dir.Text(u"plain")), -1);
  EXPECT_FALSE(DeleteFileByPath(dir.Text(u"plain"), DeleteForce));

  WriteBytes(dir.Path(u"locked"), {1});
  MakeReadOnly(dir.Path(u"locked"));
  EXPECT_FALSE(DeleteFileByPath(dir.Text(u"locked"), 0));
  EXPECT_EQ(FileSizeByPath(dir.Text(u"locked")), 1);
  EXPECT_TRUE(DeleteFileByPath(dir.Text(u"locked"), DeleteForce));
  EXPECT_EQ(FileSizeByPath(dir.Text(u"locked")), -1);

  std::filesystem::create_directory(dir.Path(u"sub"));
  EXPECT_FALSE(DeleteFileByPath(dir.Text(u"sub"), DeleteForce));
  EXPECT_EQ(FileSizeByPath(dir.Text(u"sub")), -2);
}

TEST_F(FilePaths, ReplaceSwapsInTheNewFileEvenOverAReadOnlyOne) {
  WriteBytes(dir.Path(u"target"), {'o', 'l', 'd'});
  MakeReadOnly(dir.Path(u"target"));
  EXPECT_FALSE(ReplaceFileByPath(dir.Text(u"target"), dir.Text(u"missing")));
  EXPECT_EQ(ReadBytes(dir.Path(u"target")), (Bytes{'o', 'l', 'd'}));

  WriteBytes(dir.Path(u"next"), {'n', 'e', 'w'});
  EXPECT_TRUE(ReplaceFileByPath(dir.Text(u"target"), dir.Text(u"next")));
  EXPECT_EQ(ReadBytes(dir.Path(u"target")), (Bytes{'n', 'e', 'w'}));
  EXPECT_EQ(FileSizeByPath(dir.Text(u"next")), -1);

  WriteBytes(dir.Path(u"next"), {'x'});
  EXPECT_TRUE(ReplaceFileByPath(dir.Text(u"fresh"), dir.Text(u"next")));
  EXPECT_EQ(FileSizeByPath(dir.Text(u"fresh")), 1);
}
