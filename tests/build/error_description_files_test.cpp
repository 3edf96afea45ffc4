// The error description files delivered with the demo program directory: every code the
// program can report has its line, and every line has the form the lookup reads.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "build/module_linker.h"

namespace zel::build {
namespace {

// Number → text of each line; a malformed line fails the test.
std::map<int, std::string> Descriptions(const std::string& name) {
  std::ifstream file(std::string(ZEL_DEMO_DIR) + "/" + name);
  EXPECT_TRUE(file) << name;
  std::map<int, std::string> descriptions;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == ';') continue;
    const std::size_t colon = line.find(':');
    EXPECT_NE(colon, std::string::npos) << name << ": " << line;
    EXPECT_GT(colon, 0u) << name << ": " << line;
    if (colon == std::string::npos || colon == 0) continue;
    const std::string number = line.substr(0, colon);
    EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << name << ": " << line;
    EXPECT_EQ(line.find('\r'), std::string::npos) << name << ": " << line;
    const std::string text = line.substr(colon + 1);
    EXPECT_FALSE(text.empty() || text[0] == ' ') << name << ": " << line;
    EXPECT_TRUE(descriptions.emplace(std::stoi(number), text).second)
        << name << ": " << number << " twice";
  }
  return descriptions;
}

TEST(ErrorDescriptionFiles, EveryCodeHasItsLine) {
  using namespace link_result;
  struct Case {
    const char* file;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {"ErrorLnk.txt",
       {kCannotOpen, kWriteFailed, kObjectTooShort, kNotAModule, kProgramTwice, kCmpTwice,
        kCfmTwice, kProgramNumber, kCmpNumber, kCfmNumber, kNoFieldbusConfiguration, kSlaveNumber,
        kUnknownKind}},
      {"ErrorDld.txt", {3, 4, 5, 7, 8, 9, 10, 51, 52, 53, 54, 55, 56, 57, 58}},
      {"ErrorKZC.txt", {1, 2, 10, 25}},
  };
  for (const Case& c : cases) {
    const auto descriptions = Descriptions(c.file);
    for (int code : c.codes) EXPECT_TRUE(descriptions.contains(code)) << c.file << " " << code;
  }
}

TEST(ErrorDescriptionFiles, LinkErrorsReadAsBuildMessages) {
  for (const auto& [code, text] : Descriptions("ErrorLnk.txt")) {
    EXPECT_TRUE(text.starts_with("ERROR: ")) << code;
  }
}

}  // namespace
}  // namespace zel::build
