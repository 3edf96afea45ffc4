#include "build/error_descriptions.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zel::build {
namespace {

TEST(ErrorDescriptions, TheFirstLineWithTheCodeGivesTheTextBehindItsColon) {
  const std::string text =
      "; link errors\r\n"
      "\r\n"
      "   \r\n"
      "3: three\r\n"
      "12:twelve: more\r\n"
      "x: not numbered\r\n"
      "-1: minus one\r\n"
      "30 no colon\r\n"
      "30: thirty\r\n"
      "  7 : seven\n"
      ";8: commented\n"
      "3: second three\n"
      "9:";
  struct Case {
    long code;
    std::optional<std::string> description;
  };
  const Case cases[] = {
      {3, " three"}, {12, "twelve: more"}, {0, std::nullopt}, {-1, " minus one"}, {30, " thirty"},
      {7, " seven"}, {8, std::nullopt},    {9, ""},           {99, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindErrorDescription(text, c.code), c.description) << c.code;
}

TEST(ErrorDescriptions, LongLinesAreReadToTheirLimit) {
  const std::string longText(2000, 'a');
  const std::string text = "5:" + longText + "\n6: after\n";
  const auto five = FindErrorDescription(text, 5);
  ASSERT_TRUE(five);
  EXPECT_EQ(five->size(), kErrorLineMax - 2);
  EXPECT_EQ(FindErrorDescription(text, 6), " after");
  // The rest of a long line is not a line of its own.
  EXPECT_EQ(FindErrorDescription(std::string(1000, ' ') + "4: hidden\n", 4), std::nullopt);
}

TEST(ErrorDescriptions, FilesByNumber) {
  test::TempDir dir;
  dir.writeFile("errorlnk.txt", "1: object file cannot be opened\r\n");
  dir.writeFile("ErrorKZC.txt", "1: controller says no\r\n");
  struct Case {
    int file;
    long code;
    std::optional<std::string> text;
    std::string complaint;
  };
  const Case cases[] = {
      {1, 1, " object file cannot be opened", ""},
      {0, 1, " controller says no", ""},
      {1, 2, std::nullopt, ""},
      {2, 1, std::nullopt, "ERROR: No error descriptions for Error 1, error file number 2"},
      {-1, 40, std::nullopt, "ERROR: No error descriptions for Error 40, error file number -1"},
  };
  for (const Case& c : cases) {
    const ErrorDescription found = LookupErrorDescription(dir.path(), c.file, c.code);
    EXPECT_EQ(found.text, c.text) << c.file << " " << c.code;
    EXPECT_EQ(found.complaint, c.complaint) << c.file << " " << c.code;
  }
  test::TempDir empty;
  EXPECT_EQ(LookupErrorDescription(empty.path(), 1, 1).text, std::nullopt);
  EXPECT_EQ(ReadErrorDescription(dir / "missing.txt", 1), std::nullopt);
}

}  // namespace
}  // namespace zel::build
