// Damaged configuration files by the thousand: each is refused with the
// record left as it was (or, where the damage changed nothing that the stream
// checks, loads the original record), and no load leaves a document or an open
// file behind.
#include <gtest/gtest.h>

#include <random>

#include "config_test_support.h"
#include "runtime/constants.h"
#include "xml/tree.h"

using namespace kv;

namespace {

const Config kOriginal{1, u"C:\\adb\\ADB.exe"};
const Config kMarker{7, u"kept"};

struct DamagedFile : ConfigFileTest {
  // Table numbers chosen by KV_Any count up, so every document and file that
  // the loads made lies between a number taken before and one taken after.
  static int NextDocumentNumber() {
    int number = CreateXmlDocument(KV_Any)->number;
    FreeXmlDocument(number);
    return number;
  }
  int NextFileNumber() {
    int number = OpenDataFile(KV_Any, dir.Text(u"probe"));
    CloseDataFile(number);
    return number;
  }

  void SetUp() override {
    firstDocument = NextDocumentNumber();
    firstFile = NextFileNumber();
  }

  void TearDown() override {
    int lastDocument = NextDocumentNumber();
    int lastFile = NextFileNumber();
    int leftDocuments = 0, leftFiles = 0;
    for (int n = firstDocument + 1; n < lastDocument; ++n) leftDocuments += IsXmlDocument(n) != nullptr;
    for (int n = firstFile + 1; n < lastFile; ++n) leftFiles += IsDataFile(n) != nullptr;
    EXPECT_EQ(leftDocuments, 0);
    EXPECT_EQ(leftFiles, 0);
    EXPECT_GT(lastFile - firstFile, 1);  // the loads' files were numbered in between
  }

  // The result of loading bytes into a record holding kMarker. Each file is
  // new: rewriting one file in place makes some file systems flush it each time.
  int Load(const Bytes& bytes, Config* record) {
    std::filesystem::path damaged = dir.Path(u"damaged" + Text(1, u'a' + loads++ % 26));
    WriteBytes(damaged, bytes);
    *record = kMarker;
    int result = LoadConfig(*record, damaged.u16string(), true);
    std::filesystem::remove(damaged);
    return result;
  }

  // Refused, with the record untouched.
  void ExpectRefused(const Bytes& bytes, const std::string& what) {
    Config record;
    int result = Load(bytes, &record);
    EXPECT_TRUE(result >= 1 && result <= 3) << what << ": " << result;
    EXPECT_EQ(record, kMarker) << what;
  }

  int firstDocument = 0;
  int firstFile = 0;
  int loads = 0;
};

std::vector<Bytes> GoodFiles() {
  std::string padded = "<CONFIG><isValid>1</isValid><ADBPath>A.exe</ADBPath></CONFIG>";
  padded.resize(64);
  return {PackedFile(kGoldenXml), PackedFile(padded)};
}

}  // namespace

TEST_F(DamagedFile, TruncatedFilesGiveThreeUpToTheLengthAndTwoAfter) {
  for (const Bytes& good : GoodFiles()) {
    for (size_t size = 0; size < good.size(); ++size) {
      Config record;
      int result = Load(Bytes(good.begin(), good.begin() + static_cast<long>(size)), &record);
      EXPECT_EQ(result, size <= 4 ? ConfigNoFile : ConfigNotPacked) << size;
      EXPECT_EQ(record, kMarker);
    }
  }
}

TEST_F(DamagedFile, FlippedBitsAreCaughtOrChangeNothing) {
  for (const Bytes& good : GoodFiles()) {
    Config original;
    ASSERT_EQ(Load(good, &original), ConfigDone);
    for (size_t bit = 0; bit < good.size() * 8; ++bit) {
      Bytes bytes = good;
      bytes[bit / 8] ^= static_cast<unsigned char>(1 << bit % 8);
      Config record;
      int result = Load(bytes, &record);
      // Only the unused bits that end the last deflate byte can flip unnoticed.
      if (result == ConfigDone) {
        EXPECT_EQ(record, original) << bit;
      } else {
        EXPECT_EQ(result, ConfigNotPacked) << bit;
        EXPECT_EQ(record, kMarker) << bit;
      }
    }
  }
}

TEST_F(DamagedFile, HugeOrNonPositiveStoredLengthsGiveTwo) {
  for (std::int32_t length : {kMaxConfigLength + 1, 1 << 30, INT32_MAX, INT32_MIN, -70, 0}) {
    Config record;
    EXPECT_EQ(Load(PackedFile(kGoldenXml, length), &record), ConfigNotPacked) << length;
    EXPECT_EQ(record, kMarker);
  }
}

TEST_F(DamagedFile, RandomFilesAreRefused) {
  std::mt19937 random(2024);
  for (int i = 0; i < 1000; ++i) {
    Bytes bytes = RandomBytes(random() % 300, random());
    if (bytes.size() >= 6 && i % 3 > 0) {
      // A believable length, and for some a zlib header, to get past the first checks.
      bytes[0] = static_cast<unsigned char>(1 + random() % 255);
      bytes[1] = bytes[2] = bytes[3] = 0;
      if (i % 3 == 2) bytes[4] = 0x78, bytes[5] = 0x9C;
    }
    ExpectRefused(bytes, "random file " + std::to_string(i));
  }
}

TEST_F(DamagedFile, DamagedXmlInSoundStreamsLoadsOrGivesOne) {
  std::mt19937 random(99);
  const std::string golden(kGoldenXml);
  for (int i = 0; i < 600; ++i) {
    std::string xml = golden;
    for (unsigned edits = 1 + random() % 4; edits > 0; --edits) {
      size_t at = random() % xml.size();
      auto byte = static_cast<char>(random());
      switch (random() % 3) {
        case 0: xml[at] = byte; break;
        case 1: xml.insert(at, 1, byte); break;
        default: xml.erase(at, 1); break;
      }
    }
    Config record;
    int result = Load(PackedFile(xml), &record);
    EXPECT_TRUE(result == ConfigDone || result == ConfigNoXml) << xml;
    if (result == ConfigNoXml) {
      EXPECT_EQ(record, kMarker) << xml;
    }
  }
}
