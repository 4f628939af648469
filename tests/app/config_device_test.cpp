// The chosen device in the configuration file: stored only once chosen, so a
// file without one is byte for byte what earlier versions wrote and read.
#include <gtest/gtest.h>

#include "config_test_support.h"

using namespace kv;

namespace {

using ConfigDevice = ConfigFileTest;

TEST_F(ConfigDevice, IsTheLastElementOnlyOnceChosen) {
  Config record{1, u"C:\\adb\\ADB.exe", u"emulator-5556"};
  ASSERT_EQ(SaveConfig(record, path, true, false), ConfigDone);
  const std::string xml =
      "<CONFIG><isValid>1</isValid><ADBPath>C:\\adb\\ADB.exe</ADBPath>"
      "<DeviceSerial>emulator-5556</DeviceSerial></CONFIG>";
  EXPECT_EQ(ReadBytes(file), PackedFile(xml));
  Config read{0, u"old", u"old"};
  EXPECT_EQ(LoadConfig(read, path, true), ConfigDone);
  EXPECT_EQ(read.ADBPath, u"C:\\adb\\ADB.exe");
  EXPECT_EQ(read.DeviceSerial, u"emulator-5556");

  // Chosen and then given up: the file is the one without a device.
  record.DeviceSerial.clear();
  ASSERT_EQ(SaveConfig(record, path, true, false), ConfigDone);
  EXPECT_EQ(ReadBytes(file), PackedFile(kGoldenXml));
}

TEST_F(ConfigDevice, AFileWithoutOneLoadsAsNoneChosen) {
  WriteBytes(file, PackedFile(kGoldenXml));
  Config read{0, u"old", u"emulator-5556"};
  EXPECT_EQ(LoadConfig(read, path, true), ConfigDone);
  EXPECT_EQ(read.isValid, 1);
  EXPECT_EQ(read.ADBPath, u"C:\\adb\\ADB.exe");
  EXPECT_EQ(read.DeviceSerial, u"");
}

}  // namespace
