// The COM port names the preferences page offers and the devices they stand for.

#include "app/preferences/serial_ports.h"

#include <gtest/gtest.h>

#include "app/preferences/preferences.h"
#include "platform/profile.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

TEST(SerialPorts, NamesMapToStandardDevicesOrToTheSerialSection) {
  test::TempDir dir;
  const Preferences preferences(dir.path());
  platform::WriteProfileString(preferences.file(), kSectionSerial, "COM2",
                               (dir.path() / "ttyFAKE").string());
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"COM1", "/dev/ttyS0"},
      {"com15", "/dev/ttyS14"},
      {"COM2", (dir.path() / "ttyFAKE").string()},
      {"COM16", ""},
      {"COM", ""},
      {"LPT1", ""},
      {"COM1x", ""},
  };
  for (const auto& [name, device] : rows) {
    EXPECT_EQ(SerialDevicePath(preferences, name).string(), device) << name;
  }
}

TEST(SerialPorts, OnlyPortsWhoseDeviceExistsAreOffered) {
  test::TempDir dir;
  const Preferences preferences(dir.path());
  for (int n = 1; n <= 15; ++n) {
    platform::WriteProfileString(preferences.file(), kSectionSerial, "COM" + std::to_string(n),
                                 (dir.path() / ("dev" + std::to_string(n))).string());
  }
  dir.writeFile("dev3", "");
  dir.writeFile("dev12", "");
  EXPECT_EQ(ExistingComPorts(preferences), (std::vector<std::string>{"COM3", "COM12"}));
}

}  // namespace
}  // namespace zel::app
