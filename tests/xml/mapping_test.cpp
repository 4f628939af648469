#include <cmath>
#include <limits>

#include "app/config_record.h"
#include "xml/record_xml.h"
#include "xml_test_support.h"

using namespace kv;
using namespace kv::test;

namespace {

using MappingTest = XmlTest;

std::string InsertedText(const void* record, const RecordDescriptor& descriptor) {
  XmlDocument* document = CreateXmlDocument(KV_Any);
  EXPECT_NE(InsertRecordXml(XmlRootNode(document), record, descriptor), nullptr);
  return Export(document);
}

void ExtractFrom(const std::string& xml, void* record, const RecordDescriptor& descriptor) {
  XmlDocument* document = Parse(xml);
  ASSERT_EQ(document->status, 0) << xml;
  ExtractRecordXml(XmlMainNode(document), record, descriptor);
}

TEST_F(MappingTest, ConfigIsWrittenExactlyAndReadBack) {
  Config config{1, u"C:\\adb\\ADB.exe"};
  const std::string xml = "<CONFIG><isValid>1</isValid><ADBPath>C:\\adb\\ADB.exe</ADBPath></CONFIG>";
  EXPECT_EQ(InsertedText(&config, ConfigDescriptor), xml);
  Config read{7, u"old"};
  ExtractFrom(xml, &read, ConfigDescriptor);
  EXPECT_EQ(read.isValid, 1);
  EXPECT_EQ(read.ADBPath, u"C:\\adb\\ADB.exe");
}

TEST_F(MappingTest, ConfigBeyondTheBasicPlaneRoundTrips) {
  Config config{1, u"/opt/\U0001F600/adb"};
  std::string xml = InsertedText(&config, ConfigDescriptor);
  config = {};
  ExtractFrom(xml, &config, ConfigDescriptor);
  EXPECT_EQ(config.isValid, 1);
  EXPECT_EQ(config.ADBPath, u"/opt/\U0001F600/adb");
}

TEST_F(MappingTest, FieldsTheXmlDoesNotNameAreCleared) {
  Config config{1, u"C:\\old\\ADB.exe"};
  ExtractFrom("<CONFIG><isValid>1</isValid></CONFIG>", &config, ConfigDescriptor);
  EXPECT_EQ(config.isValid, 1);
  EXPECT_EQ(config.ADBPath, u"");
  // Names are case-sensitive.
  config = {1, u"C:\\old\\ADB.exe"};
  ExtractFrom("<CONFIG><IsValid>1</IsValid><adbpath>x</adbpath></CONFIG>", &config,
              ConfigDescriptor);
  EXPECT_EQ(config.isValid, 0);
  EXPECT_EQ(config.ADBPath, u"");
}

TEST_F(MappingTest, IntegersAreCutToTheFieldWidth) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"255", 255}, {"300", 44}, {"$FF", 255}, {"%101", 5}, {" \r\n\t+7x", 7},
               {"-1", 255}, {"abc", 0}, {"", 0}, {"$fg", 15}};
  for (const Case& c : cases) {
    Config config;
    ExtractFrom(std::string("<CONFIG><isValid>") + c.text + "</isValid></CONFIG>", &config,
                ConfigDescriptor);
    EXPECT_EQ(config.isValid, c.value) << c.text;
  }
  Config config{255, {}};
  EXPECT_EQ(InsertedText(&config, ConfigDescriptor),
            "<CONFIG><isValid>255</isValid><ADBPath/></CONFIG>");
}

struct Inner {
  int16_t id = 0;
  Text label;
};

constexpr RecordField kInnerFields[] = {
    Field<&Inner::id>(TypeInt16, "id"),
    Field<&Inner::label>(TypeString, "label$"),
};
constexpr RecordDescriptor kInnerDescriptor{"INNER", kInnerFields};

struct Everything {
  int8_t i8 = 0;
  int16_t i16 = 0;
  int32_t i32 = 0;
  Inner inner;
  Text text;
  float f32 = 0;
  char16_t fixed[4] = {};
  char16_t c16 = 0;
  double f64 = 0;
  int64_t i64 = 0;
  intptr_t iptr = 0;
  uint8_t u8 = 0;
  uint16_t u16 = 0;
  void* pointer = nullptr;
  int32_t statics[3] = {};
  char16_t names[2][3] = {};
  Inner inners[2];
  DynamicArray<int32_t> numbers;
  DynamicArray<Text> grid{2};
  List<double> doubles;
  List<Inner> innerList;
  Map<Text> words;
  Map<Inner> innerMap;
};

constexpr RecordField kEverythingFields[] = {
    Field<&Everything::i8>(TypeInt8, "i8"),
    Field<&Everything::i16>(TypeInt16, "i16"),
    Field<&Everything::i32>(TypeInt32, "i32"),
    Field<&Everything::inner>(TypeRecord, "inner", &kInnerDescriptor),
    Field<&Everything::text>(TypeString, "text$"),
    Field<&Everything::f32>(TypeFloat32, "f32"),
    Field<&Everything::fixed>(TypeFixedString, "fixed$"),
    Field<&Everything::c16>(TypeChar16, "c16"),
    Field<&Everything::f64>(TypeFloat64, "f64"),
    Field<&Everything::i64>(TypeInt64, "i64"),
    Field<&Everything::iptr>(TypeIntPtr, "iptr"),
    Field<&Everything::u8>(TypeUInt8, "u8"),
    Field<&Everything::u16>(TypeUInt16, "u16"),
    Field<&Everything::pointer>(TypeInt32 | TypePointer, "*pointer"),
    Field<&Everything::statics>(TypeInt32, "statics"),
    Field<&Everything::names>(TypeFixedString, "names$"),
    Field<&Everything::inners>(TypeRecord, "inners", &kInnerDescriptor),
    Field<&Everything::numbers>(TypeInt32, "numbers"),
    Field<&Everything::grid>(TypeString, "grid$"),
    Field<&Everything::doubles>(TypeFloat64, "doubles"),
    Field<&Everything::innerList>(TypeRecord, "innerList", &kInnerDescriptor),
    Field<&Everything::words>(TypeString, "words$"),
    Field<&Everything::innerMap>(TypeRecord, "innerMap", &kInnerDescriptor),
};
constexpr RecordDescriptor kEverythingDescriptor{"EVERYTHING", kEverythingFields};

Everything Sample() {
  Everything e;
  e.i8 = -128;
  e.i16 = -30000;
  e.i32 = INT32_MIN;
  e.inner = {12, u"in"};
  e.text = u"<&> \"q\" 'a'\r\n\U0001D11E";
  e.f32 = 0.25f;
  std::copy_n(u"abcd", 4, e.fixed);  // full: no terminating zero
  e.c16 = 0xFFFF;
  e.f64 = -1234.5;
  e.i64 = INT64_MIN;
  e.iptr = -42;
  e.u8 = 200;
  e.u16 = 65535;
  e.pointer = reinterpret_cast<void*>(intptr_t{0x1234});
  e.statics[0] = 1;
  e.statics[2] = -3;
  std::copy_n(u"xy", 2, e.names[1]);
  e.inners[1] = {5, u"five"};
  const size_t one[] = {3};
  e.numbers.Reshape(one);
  e.numbers[0] = 10;
  e.numbers[2] = 30;
  const size_t two[] = {2, 3};
  e.grid.Reshape(two);
  for (size_t i = 0; i < 6; ++i) e.grid[i] = AsciiText(std::to_string(i));
  e.doubles.Append() = 0.5;
  e.doubles.Append() = std::numeric_limits<double>::infinity();
  e.innerList.Append() = {1, u"one"};
  e.words.FindOrAdd(u"k\"1") = u"v1";
  e.words.FindOrAdd(u"k2") = u"";
  e.innerMap.FindOrAdd(u"m") = {9, u"nine"};
  return e;
}

TEST_F(MappingTest, EveryTypeAndKindRoundTrips) {
  Everything original = Sample();
  std::string xml = InsertedText(&original, kEverythingDescriptor);
  Everything read;
  read.text = u"stale";
  read.doubles.Append() = 99;
  ExtractFrom(xml, &read, kEverythingDescriptor);
  EXPECT_EQ(InsertedText(&read, kEverythingDescriptor), xml);
  EXPECT_EQ(read.i8, -128);
  EXPECT_EQ(read.i16, -30000);
  EXPECT_EQ(read.i32, INT32_MIN);
  EXPECT_EQ(read.inner.label, u"in");
  EXPECT_EQ(read.text, original.text);
  EXPECT_EQ(read.f32, 0.25f);
  EXPECT_EQ(TextView(read.fixed, 4), u"abcd");
  EXPECT_EQ(read.c16, 0xFFFF);
  EXPECT_EQ(read.f64, -1234.5);
  EXPECT_EQ(read.i64, INT64_MIN);
  EXPECT_EQ(read.iptr, -42);
  EXPECT_EQ(read.u8, 200);
  EXPECT_EQ(read.u16, 65535);
  EXPECT_EQ(read.pointer, original.pointer);
  EXPECT_EQ(read.statics[2], -3);
  EXPECT_EQ(TextView(read.names[1]), u"xy");
  EXPECT_EQ(read.inners[1].label, u"five");
  EXPECT_EQ(read.numbers.Count(), 3u);
  EXPECT_EQ(read.numbers[2], 30);
  ASSERT_EQ(read.grid.Count(), 6u);
  EXPECT_EQ(read.grid[5], u"5");
  ASSERT_EQ(read.doubles.Count(), 2u);
  EXPECT_TRUE(std::isinf(*std::next(read.doubles.begin())));
  EXPECT_EQ(read.innerList.begin()->label, u"one");
  ASSERT_NE(read.words.Find(u"k\"1"), nullptr);
  EXPECT_EQ(*read.words.Find(u"k\"1"), u"v1");
  EXPECT_EQ(read.innerMap.Find(u"m")->id, 9);
}

TEST_F(MappingTest, ItemsOfSeveralDimensionsCarryTheirIndices) {
  Everything e;
  const size_t extents[] = {2, 2};
  e.grid.Reshape(extents);
  e.grid[1] = u"b";
  std::string xml = InsertedText(&e, kEverythingDescriptor);
  EXPECT_NE(xml.find("<grid><element a=\"0\" b=\"0\"/><element a=\"0\" b=\"1\">b</element>"
                     "<element a=\"1\" b=\"0\"/><element a=\"1\" b=\"1\"/></grid>"),
            std::string::npos);
  // Sized by the largest indices; missing ones are 0, impossible ones skipped.
  Everything read;
  ExtractFrom("<E><grid><element b=\"2\">x</element><element a=\"1\">y</element>"
              "<element a=\"-1\">bad</element><element a=\"99999999999\">huge</element></grid></E>",
              &read, kEverythingDescriptor);
  ASSERT_EQ(read.grid.Extents().size(), 2u);
  EXPECT_EQ(read.grid.Extents()[0], 2u);
  EXPECT_EQ(read.grid.Extents()[1], 3u);
  EXPECT_EQ(read.grid[2], u"x");
  EXPECT_EQ(read.grid[3], u"y");
}

TEST_F(MappingTest, StaticArraysTakeNoMoreItemsThanTheyHold) {
  Everything read;
  read.statics[2] = 9;
  ExtractFrom("<E><statics><element>1</element><element>2</element><element>3</element>"
              "<element>4</element><element>5</element></statics></E>",
              &read, kEverythingDescriptor);
  EXPECT_EQ(read.statics[0], 1);
  EXPECT_EQ(read.statics[2], 3);
  ExtractFrom("<E><statics><element>1</element></statics></E>", &read, kEverythingDescriptor);
  EXPECT_EQ(read.statics[1], 0);
  EXPECT_EQ(read.statics[2], 0);
}

TEST_F(MappingTest, FloatTextForms) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {{0.5, "0.5"}, {2.0, "2"}, {1.0E-11, "0"}, {-0.125, "-0.125"},
               {1e20, "100000000000000000000"}, {std::numeric_limits<double>::infinity(), "+Infinity"},
               {-std::numeric_limits<double>::infinity(), "-Infinity"}};
  for (const Case& c : cases) {
    Everything e;
    e.f64 = c.value;
    std::string xml = InsertedText(&e, kEverythingDescriptor);
    EXPECT_NE(xml.find(std::string("<f64>") + c.text + "</f64>"), std::string::npos) << c.text;
  }
  Everything e;
  e.f64 = std::numeric_limits<double>::quiet_NaN();
  EXPECT_NE(InsertedText(&e, kEverythingDescriptor).find("<f64>NaN</f64>"), std::string::npos);
  struct Read {
    const char* text;
    double value;
  } reads[] = {{" +2.5e1 tail", 25}, {"-INFINITY", -std::numeric_limits<double>::infinity()},
               {"x", 0}, {"1,5", 1},
               // Out of range as the C library reads it: infinite, or zero.
               {"1e400", std::numeric_limits<double>::infinity()},
               {"-0.0001e99999999999999999999", -std::numeric_limits<double>::infinity()},
               {"123456789e305", std::numeric_limits<double>::infinity()},
               {"1e-400", 0}, {"-0.00001e-320", 0}, {"1000e-326", 1e-323}};
  for (const Read& r : reads) {
    Everything read;
    ExtractFrom(std::string("<E><f64>") + r.text + "</f64></E>", &read, kEverythingDescriptor);
    EXPECT_EQ(read.f64, r.value) << r.text;
  }
  Everything read;
  ExtractFrom("<E><f64>nan</f64><f32>1e300</f32></E>", &read, kEverythingDescriptor);
  EXPECT_TRUE(std::isnan(read.f64));
  EXPECT_TRUE(std::isinf(read.f32));
}

TEST_F(MappingTest, FixedStringsAreCutAndZeroFilled) {
  Everything read;
  std::copy_n(u"wxyz", 4, read.fixed);
  ExtractFrom("<E><fixed>ab</fixed></E>", &read, kEverythingDescriptor);
  EXPECT_EQ(std::u16string(read.fixed, 4), std::u16string(u"ab\0\0", 4));
  ExtractFrom("<E><fixed>abcdefg</fixed></E>", &read, kEverythingDescriptor);
  EXPECT_EQ(TextView(read.fixed, 4), u"abcd");
}

TEST_F(MappingTest, MapItemsWithoutKeyAreSkipped) {
  Everything read;
  ExtractFrom("<E><words><element>no key</element><element key=\"a\">1</element>"
              "<element key=\"a\">2</element></words></E>",
              &read, kEverythingDescriptor);
  EXPECT_EQ(read.words.Count(), 1u);
  EXPECT_EQ(*read.words.Find(u"a"), u"2");
}

TEST_F(MappingTest, ASecondDocumentElementIsRefused) {
  XmlDocument* document = CreateXmlDocument(KV_Any);
  Config config{1, u"a"};
  ASSERT_NE(InsertRecordXml(XmlRootNode(document), &config, ConfigDescriptor), nullptr);
  EXPECT_EQ(InsertRecordXml(XmlRootNode(document), &config, ConfigDescriptor), nullptr);
  EXPECT_EQ(Export(document), "<CONFIG><isValid>1</isValid><ADBPath>a</ADBPath></CONFIG>");
}

}  // namespace
