#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "runtime/constants.h"
#include "storage/data_file.h"
#include "storage/file_paths.h"
#include "temp_dir.h"

using namespace kv;

namespace {

struct DataFiles : ::testing::Test {
  void SetUp() override { InitFileLibrary(); }
  void TearDown() override { CloseAllDataFiles(); }
  TempDir dir;
};

// What a file should hold and where its position stands.
struct Reference {
  Bytes data;
  std::size_t position = 0;

  Bytes Read(std::size_t count) {
    std::size_t n = std::min(count, data.size() - position);
    Bytes out(data.begin() + position, data.begin() + position + n);
    position += n;
    return out;
  }
  void Write(const Bytes& bytes) {
    if (data.size() < position + bytes.size()) data.resize(position + bytes.size());
    std::copy(bytes.begin(), bytes.end(), data.begin() + position);
    position += bytes.size();
  }
};

}  // namespace

TEST_F(DataFiles, ReadFileInt32IsLittleEndianAndSigned) {
  WriteBytes(dir.Path(u"ints"), {0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x02});
  int file = OpenDataFile(KV_Any, dir.Text(u"ints"));
  ASSERT_NE(file, 0);
  EXPECT_EQ(ReadFileInt32(file), 1);
  EXPECT_EQ(ReadFileInt32(file), -1);
  EXPECT_EQ(ReadFileInt32(file), 0);  // one byte left
  EXPECT_TRUE(CloseDataFile(file));
  EXPECT_EQ(ReadFileInt32(file), 0);
}

TEST_F(DataFiles, LengthCountsDataStillInTheBuffer) {
  int file = CreateDataFile(KV_Any, dir.Text(u"out"));
  ASSERT_NE(file, 0);
  Bytes block = RandomBytes(100, 3);
  EXPECT_EQ(WriteFileInt32(file, -2), 4);
  EXPECT_EQ(WriteFileBlock(file, block.data(), 100), 100);
  EXPECT_EQ(DataFileLength(file), 104);
  EXPECT_EQ(WriteFileBlock(file, block.data(), 10), 10);
  EXPECT_EQ(DataFileLength(file), 114);
  EXPECT_EQ(WriteFileBlock(file, nullptr, 10), 0);
  EXPECT_EQ(WriteFileBlock(file, block.data(), 0), 0);
  EXPECT_TRUE(CloseDataFile(file));

  Bytes expected = {0xFE, 0xFF, 0xFF, 0xFF};
  expected.insert(expected.end(), block.begin(), block.end());
  expected.insert(expected.end(), block.begin(), block.begin() + 10);
  EXPECT_EQ(ReadBytes(dir.Path(u"out")), expected);
  EXPECT_EQ(DataFileLength(file), -1);
  EXPECT_EQ(WriteFileInt32(file, 1), 0);
  EXPECT_EQ(WriteFileBlock(file, block.data(), 10), 0);
}

TEST_F(DataFiles, MixedReadsAndWritesMatchAReference) {
  Reference reference{RandomBytes(10000, 4)};
  WriteBytes(dir.Path(u"mixed"), reference.data);
  int file = OpenDataFile(KV_Any, dir.Text(u"mixed"));
  ASSERT_NE(file, 0);
  // Sizes around the 4096-byte buffer, so that every branch meets every other.
  const std::size_t sizes[] = {1, 3, 4, 100, 4095, 4096, 4097, 5000, 9000};
  std::mt19937 random(5);
  for (int step = 0; step < 1500; ++step) {
    std::size_t count = sizes[random() % std::size(sizes)];
    switch (random() % 6) {
      case 0:
      case 1: {
        Bytes expected = reference.Read(count);
        Bytes got(count);
        ASSERT_EQ(ReadFileBlock(file, got.data(), static_cast<std::int64_t>(count)),
                  static_cast<std::int64_t>(expected.size()))
            << "step " << step;
        got.resize(expected.size());
        ASSERT_EQ(got, expected) << "step " << step;
        break;
      }
      case 2:
      case 3: {
        Bytes bytes = RandomBytes(count, static_cast<unsigned>(step));
        ASSERT_EQ(WriteFileBlock(file, bytes.data(), static_cast<std::int64_t>(count)),
                  static_cast<std::int64_t>(count));
        reference.Write(bytes);
        break;
      }
      case 4:
        ASSERT_EQ(DataFileLength(file), static_cast<std::int64_t>(reference.data.size()))
            << "step " << step;
        break;
      default:  // back to the start, so that reads and writes meet inside the file
        ASSERT_TRUE(CloseDataFile(file));
        file = OpenDataFile(KV_Any, dir.Text(u"mixed"));
        ASSERT_NE(file, 0);
        reference.position = 0;
    }
  }
  EXPECT_TRUE(CloseDataFile(file));
  EXPECT_EQ(ReadBytes(dir.Path(u"mixed")), reference.data);
}

TEST_F(DataFiles, NumbersNameFilesAndAFailedOpenLeavesNone) {
  int chosen = OpenDataFile(KV_Any, dir.Text(u"a"));
  EXPECT_GT(chosen, 0);
  EXPECT_NE(OpenDataFile(0, dir.Text(u"b")), 0);  // success is non-zero for number 0 too
  EXPECT_NE(IsDataFile(chosen), nullptr);
  EXPECT_NE(IsDataFile(0), nullptr);
  EXPECT_EQ(IsDataFile(1), nullptr);

  // Opening at a number in use closes the file there, writing out its buffer.
  EXPECT_EQ(WriteFileInt32(0, 7), 4);
  EXPECT_NE(OpenDataFile(0, dir.Text(u"c")), 0);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"b")), 4);

  EXPECT_EQ(WriteFileInt32(0, 7), 4);
  EXPECT_EQ(OpenDataFile(0, dir.Text(u"missing/d")), 0);
  EXPECT_EQ(IsDataFile(0), nullptr);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"c")), 4);
  EXPECT_FALSE(CloseDataFile(0));

  EXPECT_TRUE(CloseDataFile(KV_Any));
  EXPECT_EQ(IsDataFile(chosen), nullptr);
}

TEST_F(DataFiles, CreateEmptiesOpenKeepsAndBothCreateMissingFiles) {
  WriteBytes(dir.Path(u"kept"), {'h', 'e', 'l', 'l', 'o'});
  int file = OpenDataFile(KV_Any, dir.Text(u"kept"));
  EXPECT_EQ(DataFileLength(file), 5);
  CloseDataFile(file);
  file = CreateDataFile(KV_Any, dir.Text(u"kept"));
  EXPECT_EQ(DataFileLength(file), 0);
  CloseDataFile(file);

  for (auto open : {CreateDataFile, OpenDataFile}) {
    file = open(KV_Any, dir.Text(u"new"));
    EXPECT_NE(file, 0);
    CloseDataFile(file);
    EXPECT_EQ(FileSizeByPath(dir.Text(u"new")), 0);
    std::filesystem::remove(dir.Path(u"new"));
  }
  EXPECT_EQ(OpenDataFile(KV_Any, dir.Text()), 0);  // a directory
}

TEST_F(DataFiles, OpeningIsExclusiveAndReadOnlyFilesAreRefused) {
  Bytes content = {1, 2, 3};
  WriteBytes(dir.Path(u"held"), content);
  int held = OpenDataFile(KV_Any, dir.Text(u"held"));
  ASSERT_NE(held, 0);
  EXPECT_EQ(OpenDataFile(KV_Any, dir.Text(u"held")), 0);
  EXPECT_EQ(CreateDataFile(KV_Any, dir.Text(u"held")), 0);
  EXPECT_EQ(CloseDataFile(held), true);
  EXPECT_EQ(ReadBytes(dir.Path(u"held")), content);  // the refused create did not empty it
  held = OpenDataFile(KV_Any, dir.Text(u"held"));
  EXPECT_NE(held, 0);
  CloseDataFile(held);

  MakeReadOnly(dir.Path(u"held"));
  EXPECT_EQ(OpenDataFile(KV_Any, dir.Text(u"held")), 0);
  EXPECT_EQ(CreateDataFile(KV_Any, dir.Text(u"held")), 0);
  EXPECT_EQ(ReadBytes(dir.Path(u"held")), content);
}

TEST_F(DataFiles, PathsBeyondAsciiAndLengthsBeyond32Bits) {
  const std::u16string name = u"\u00e9t\u00e9 \u4e2d.cfg";
  int file = CreateDataFile(KV_Any, dir.Text(name));
  ASSERT_NE(file, 0);
  WriteFileInt32(file, 1);
  CloseDataFile(file);
  EXPECT_EQ(std::filesystem::file_size(dir.Path(name)), 4u);

  const std::int64_t huge = (std::int64_t{5} << 30) + 3;
  WriteBytes(dir.Path(u"huge"), {});
  std::filesystem::resize_file(dir.Path(u"huge"), static_cast<std::uintmax_t>(huge));  // sparse
  file = OpenDataFile(KV_Any, dir.Text(u"huge"));
  EXPECT_EQ(DataFileLength(file), huge);
  EXPECT_EQ(FileSizeByPath(dir.Text(u"huge")), huge);
}

// A writer learns at closing that its data did not all reach the disk.
TEST_F(DataFiles, CloseReportsDataThatCouldNotBeWritten) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  int file = OpenDataFile(KV_Any, u"/dev/full");
  ASSERT_NE(file, 0);
  Bytes block(100);
  EXPECT_EQ(WriteFileBlock(file, block.data(), 100), 100);  // buffered
  EXPECT_FALSE(CloseDataFile(file));
  file = OpenDataFile(KV_Any, u"/dev/full");
  Bytes large(2 * kFileBufferSize);
  EXPECT_LT(WriteFileBlock(file, large.data(), 2 * kFileBufferSize), 2 * kFileBufferSize);
  EXPECT_FALSE(CloseDataFile(file));
}
