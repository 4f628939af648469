#include <gtest/gtest.h>

#include <random>

#include "config_test_support.h"
#include "process/process.h"
#include "runtime/constants.h"
#include "storage/file_paths.h"
#include "xml/export.h"
#include "xml/parse.h"

using namespace kv;

namespace {

using ConfigFile = ConfigFileTest;

std::string ConfigXml(std::string_view adbPath) {
  return "<CONFIG><isValid>1</isValid><ADBPath>" + std::string(adbPath) + "</ADBPath></CONFIG>";
}

// Names of the files in the test's directory.
std::vector<std::u16string> Listing(const TempDir& dir) {
  std::vector<std::u16string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    names.push_back(entry.path().filename().u16string());
  }
  return names;
}

// A path whose short XML deflates to more than its own length at level 6.
Text IncompressiblePath() {
  std::mt19937 random(7);
  for (;;) {
    Text path;
    for (int i = 0; i < 40; ++i) path += static_cast<char16_t>(0x800 + random() % 0xD000);
    std::string xml = ConfigXml(EncodeUtf8(path));
    uLongf size = static_cast<uLongf>(xml.size());
    Bytes stream(size);
    if (compress2(stream.data(), &size, reinterpret_cast<const Bytef*>(xml.data()),
                  static_cast<uLong>(xml.size()), 6) == Z_BUF_ERROR) {
      return path;
    }
  }
}

// The last line `kvconfig show` prints: the record, or why the file did not load.
std::string KvconfigVerdict(TextView path) {
  constexpr std::uint32_t kPiped = KeepHandle | PipeOutput | PipeInput | PipeError | HideWindow;
  InitProcessRunner();
  ProcessHandle child =
      StartProcess(AsciiText(KV_KVCONFIG), u"show \"" + Text(path) + u"\"", u"", kPiped);
  std::string last;
  while (child && ProcessActive(child)) {
    Text line = ReadProcessLine(child);
    if (!line.empty()) last = EncodeUtf8(line);
  }
  CloseProcess(child);
  return last;
}

}  // namespace

TEST_F(ConfigFile, FileIsTheLengthAndTheLevelSixStreamOfExactlyTheXml) {
  ASSERT_EQ(SaveConfig(Config{1, u"C:\\adb\\ADB.exe"}, path, true, false), ConfigDone);
  Bytes bytes = ReadBytes(file);
  EXPECT_EQ(StoredLength(bytes), 70);
  EXPECT_EQ(Inflate(bytes), kGoldenXml);
  EXPECT_EQ(bytes, PackedFile(kGoldenXml));
  EXPECT_EQ(Listing(dir), std::vector<std::u16string>{u"prog.exe.cfg"});

  Config record{0, u"old"};
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record, (Config{1, u"C:\\adb\\ADB.exe"}));
}

TEST_F(ConfigFile, ShortXmlIsPaddedWithZerosToSixtyFourBytesAndReadsBack) {
  for (Text adbPath : {u"A.exe", u""}) {
    ASSERT_EQ(SaveConfig(Config{1, adbPath}, path, true, false), ConfigDone);
    Bytes bytes = ReadBytes(file);
    std::string xml = adbPath.empty() ? "<CONFIG><isValid>1</isValid><ADBPath/></CONFIG>"
                                      : ConfigXml(EncodeUtf8(adbPath));
    EXPECT_EQ(StoredLength(bytes), 64);
    EXPECT_EQ(Inflate(bytes), xml + std::string(64 - xml.size(), '\0'));
    Config record{0, u"old"};
    EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
    EXPECT_EQ(record, (Config{1, adbPath}));
  }
}

TEST_F(ConfigFile, ShortXmlKeepsItsCarriageReturns) {
  // Parsed with its padding, the zeros passed for 16-bit text.
  for (Text adbPath : {u"A\rB", u"A\r\nB", u"\r"}) {
    ASSERT_EQ(SaveConfig(Config{1, adbPath}, path, true, false), ConfigDone);
    Config record;
    EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
    EXPECT_EQ(record, (Config{1, adbPath}));
  }
}

TEST_F(ConfigFile, AFileOfTheStoredLengthAloneGivesThree) {
  WriteBytes(file, Bytes{70, 0, 0, 0});
  PackedConfig packed = ReadPackedConfig(path);
  EXPECT_EQ(packed.result, ConfigNoFile);
  EXPECT_TRUE(packed.hasLength);
  EXPECT_EQ(packed.storedLength, 70);
  Config record{7, u"kept"};
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNoFile);
  EXPECT_EQ(record, (Config{7, u"kept"}));
}

TEST_F(ConfigFile, MissingShortOrUnreadableFilesGiveThreeAndKeepTheRecord) {
  Config record{7, u"kept"};
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNoFile);
  EXPECT_EQ(LoadConfig(record, dir.Text(), true), ConfigNoFile);
  Bytes golden = PackedFile(kGoldenXml);
  for (size_t size = 1; size <= 4; ++size) {
    WriteBytes(file, Bytes(golden.begin(), golden.begin() + static_cast<long>(size)));
    EXPECT_EQ(LoadConfig(record, path, true), ConfigNoFile) << size;
  }
  // Loading opens for reading and writing, exclusively.
  WriteBytes(file, golden);
  int holder = OpenDataFile(KV_Any, path);
  ASSERT_NE(holder, 0);
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNoFile);
  CloseDataFile(holder);
  EXPECT_EQ(record, (Config{7, u"kept"}));
}

TEST_F(ConfigFile, StoredLengthOtherThanTheInflatedOneGivesTwo) {
  Config record{7, u"kept"};
  for (std::int32_t length : {69, 71, 0, -1, INT32_MIN}) {
    WriteBytes(file, PackedFile(kGoldenXml, length));
    EXPECT_EQ(LoadConfig(record, path, true), ConfigNotPacked) << length;
  }
  Bytes notZlib = {70, 0, 0, 0, 'n', 'o', 't', ' ', 'z', 'l', 'i', 'b'};
  WriteBytes(file, notZlib);
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNotPacked);
  EXPECT_EQ(record, (Config{7, u"kept"}));
}

TEST_F(ConfigFile, FieldsTheXmlDoesNotNameLoadAsZeroOrEmpty) {
  Config record{1, u"old"};
  WriteBytes(file, PackedFile("<CONFIG><ADBPath>C:\\x.exe</ADBPath></CONFIG>"));
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record, (Config{0, u"C:\\x.exe"}));

  std::string padded("<CONFIG/>");
  padded.resize(64);
  WriteBytes(file, PackedFile(padded));
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record, (Config{0, u""}));
}

TEST_F(ConfigFile, DataWithoutAMainElementGivesOneAndKeepsTheRecord) {
  Config record{7, u"kept"};
  for (std::string data : {std::string(64, '\0'), std::string("just text"),
                           std::string("<!-- a comment -->"), std::string("\xEF\xBB\xBF")}) {
    WriteBytes(file, PackedFile(data));
    EXPECT_EQ(LoadConfig(record, path, true), ConfigNoXml) << data;
  }
  EXPECT_EQ(record, (Config{7, u"kept"}));
}

// The plain form goes through the XML layer's files, the packed form through
// the data files: one primitive, one way of naming and opening a file.
TEST_F(ConfigFile, BothFormsNameAndOpenTheirFilesAlike) {
  Text withNul = path + Text(u"\0ignored", 8);
  for (bool packed : {false, true}) {
    SCOPED_TRACE(packed ? "packed" : "plain");
    ASSERT_EQ(SaveConfig(Config{1, u"A.exe"}, withNul, packed, false), ConfigDone);
    EXPECT_GT(FileSizeByPath(path), 0);
    Config record;
    EXPECT_EQ(LoadConfig(record, withNul, packed), ConfigDone);
    EXPECT_EQ(record, (Config{1, u"A.exe"}));
  }
  // An XML file is written exclusively, as a data file is.
  XmlDocument* document = ParseXmlText(KV_Any, u"<CONFIG/>");
  int holder = OpenDataFile(KV_Any, path);
  ASSERT_NE(holder, 0);
  EXPECT_FALSE(SaveXmlFile(document, path, ExportNoDeclaration));
  CloseDataFile(holder);
  EXPECT_TRUE(SaveXmlFile(document, path, ExportNoDeclaration));
  FreeXmlDocument(document->number);
}

TEST_F(ConfigFile, PlainFormIsTheXmlAloneOptionallyIndented) {
  Config written{1, u"C:\\a&b\\adb.exe"};
  ASSERT_EQ(SaveConfig(written, path, false, false), ConfigDone);
  Bytes bytes = ReadBytes(file);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), ConfigXml("C:\\a&amp;b\\adb.exe"));
  Config record;
  EXPECT_EQ(LoadConfig(record, path, false), ConfigDone);
  EXPECT_EQ(record, written);

  ASSERT_EQ(SaveConfig(written, path, false, true), ConfigDone);
  bytes = ReadBytes(file);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "\r\n\r\n<CONFIG>\r\n  <isValid>1</isValid>\r\n"
            "  <ADBPath>C:\\a&amp;b\\adb.exe</ADBPath>\r\n</CONFIG>\r\n");
  record = {};
  EXPECT_EQ(LoadConfig(record, path, false), ConfigDone);
  EXPECT_EQ(record, written);

  // A packed file is no plain XML, and no file is none either.
  ASSERT_EQ(SaveConfig(written, path, true, false), ConfigDone);
  EXPECT_EQ(LoadConfig(record, path, false), ConfigNoXml);
  EXPECT_EQ(LoadConfig(record, dir.Text(u"missing"), false), ConfigNoXml);
}

TEST_F(ConfigFile, ReadOnlyFileDoesNotLoadButIsReplacedAtSave) {
  ASSERT_EQ(SaveConfig(Config{1, u"old.exe"}, path, true, false), ConfigDone);
  MakeReadOnly(file);
  Config record{7, u"kept"};
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNoFile);
  EXPECT_EQ(SaveConfig(Config{1, u"new.exe"}, path, true, false), ConfigDone);
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record.ADBPath, u"new.exe");
}

TEST_F(ConfigFile, ShortXmlThatDoesNotShrinkStillSaves) {
  Text adbPath = IncompressiblePath();
  ASSERT_EQ(SaveConfig(Config{1, adbPath}, path, true, false), ConfigDone);
  Bytes bytes = ReadBytes(file);
  EXPECT_GT(bytes.size() - 4, static_cast<size_t>(StoredLength(bytes)));
  Config record;
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record, (Config{1, adbPath}));
}

TEST_F(ConfigFile, StoredLengthAboveOneMebibyteIsRefusedEvenWhenTheDataIsRight) {
  std::string frame = ConfigXml("");
  std::string atLimit = ConfigXml(std::string(kMaxConfigLength - frame.size(), 'a'));
  ASSERT_EQ(atLimit.size(), static_cast<size_t>(kMaxConfigLength));
  Config record;
  WriteBytes(file, PackedFile(atLimit));
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record.ADBPath.size(), kMaxConfigLength - frame.size());

  record = {7, u"kept"};
  WriteBytes(file, PackedFile(ConfigXml(std::string(kMaxConfigLength - frame.size() + 1, 'a'))));
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNotPacked);
  WriteBytes(file, PackedFile(kGoldenXml, INT32_MAX));
  EXPECT_EQ(LoadConfig(record, path, true), ConfigNotPacked);
  EXPECT_EQ(record, (Config{7, u"kept"}));
}

TEST_F(ConfigFile, KvconfigBlamesTheStoredLengthOnlyBeyondTheLargest) {
  WriteBytes(file, PackedFile(kGoldenXml, kMaxConfigLength));
  EXPECT_EQ(KvconfigVerdict(path),
            "load result 2: the data does not inflate to exactly the stored length");
  WriteBytes(file, PackedFile(kGoldenXml, kMaxConfigLength + 1));
  EXPECT_EQ(KvconfigVerdict(path), "load result 2: the stored length is not between 1 and " +
                                       std::to_string(kMaxConfigLength));
}

TEST_F(ConfigFile, SaveRefusesWhatLoadingWouldRefuseAndKeepsTheOldFile) {
  ASSERT_EQ(SaveConfig(Config{1, u"old.exe"}, path, true, false), ConfigDone);
  Bytes old = ReadBytes(file);
  Text huge(static_cast<size_t>(kMaxConfigLength), u'a');
  EXPECT_EQ(SaveConfig(Config{1, huge}, path, true, false), ConfigNotPacked);
  EXPECT_EQ(ReadBytes(file), old);
}

TEST_F(ConfigFile, SaveWritesXmlOfExactlyTheLargestLengthAndRefusesOneByteMore) {
  const size_t frame = ConfigXml("").size();
  Text atLimit(kMaxConfigLength - frame, u'a');
  ASSERT_EQ(SaveConfig(Config{1, atLimit}, path, true, false), ConfigDone);
  Bytes bytes = ReadBytes(file);
  EXPECT_EQ(StoredLength(bytes), kMaxConfigLength);
  Config record;
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record, (Config{1, atLimit}));

  EXPECT_EQ(SaveConfig(Config{1, atLimit + u'a'}, path, true, false), ConfigNotPacked);
  EXPECT_EQ(ReadBytes(file), bytes);
  // Three bytes of UTF-8 each: the limit counts the bytes written, not the characters.
  Text wide((kMaxConfigLength - frame) / 3 + 1, u'\u20AC');
  EXPECT_EQ(SaveConfig(Config{1, wide}, path, true, false), ConfigNotPacked);
  EXPECT_EQ(ReadBytes(file), bytes);
}

TEST_F(ConfigFile, SaveThatCannotWriteTheNewFileKeepsTheOldOne) {
  ASSERT_EQ(SaveConfig(Config{1, u"old.exe"}, path, true, false), ConfigDone);
  Bytes old = ReadBytes(file);
  // Nothing can be created where the new file would be written.
  std::filesystem::create_directory(dir.Path(u"prog.exe.cfg.new"));
  EXPECT_EQ(SaveConfig(Config{1, u"new.exe"}, path, true, false), ConfigNoFile);
  EXPECT_EQ(SaveConfig(Config{1, u"new.exe"}, path, false, false), ConfigNoFile);
  EXPECT_EQ(ReadBytes(file), old);
}

TEST_F(ConfigFile, SaveThatCannotReplaceLeavesNothingBehind) {
  std::filesystem::create_directory(file);
  EXPECT_EQ(SaveConfig(Config{1, u"new.exe"}, path, true, false), ConfigNoFile);
  EXPECT_EQ(FileSizeByPath(path), -2);
  EXPECT_EQ(Listing(dir), std::vector<std::u16string>{u"prog.exe.cfg"});
}

TEST_F(ConfigFile, SaveInterruptedBeforeReplacingKeepsTheOldFileAndDoesNotBlockTheNext) {
  // What a save killed after writing leaves: the old file, and the new one beside it.
  ASSERT_EQ(SaveConfig(Config{1, u"old.exe"}, path, true, false), ConfigDone);
  std::filesystem::path leftover = dir.Path(u"prog.exe.cfg.new");
  WriteBytes(leftover, PackedFile(ConfigXml("interrupted.exe")));
  MakeReadOnly(leftover);
  Config record;
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record.ADBPath, u"old.exe");

  EXPECT_EQ(SaveConfig(Config{1, u"next.exe"}, path, true, false), ConfigDone);
  EXPECT_EQ(LoadConfig(record, path, true), ConfigDone);
  EXPECT_EQ(record.ADBPath, u"next.exe");
  EXPECT_EQ(Listing(dir), std::vector<std::u16string>{u"prog.exe.cfg"});
}
