#include "tools/tamsel/screen_converter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/hex_bytes.h"

namespace zel::tamsel::testing {
namespace {

using test::Hex;
using test::ToHex;

using namespace std::string_view_literals;

// The whole binary file, or a description of the failure, so that a mismatch shows both.
std::string Convert(std::string_view text) {
  const ConversionResult result = ConvertScreenDefinition(text);
  if (!result.ok()) {
    return "failed at line " + std::to_string(result.failure->line);
  }
  return ToHex(result.bytes);
}

TEST(TamselConverterTest, EveryRecordTypeInThreeScreens) {
  const std::string text =
      "; operator screens\r\n"
      "feature_flags $0102\r\n"
      "activate\r\n"
      "screen \"Main\"\r\n"
      "text 1 2 $1234 \"Hi\"\r\n"
      "text_signed 3 4 5 6\r\n"
      "text_unsigned - 7 8 9 10\r\n"
      "text_hexword 9 10 11 12\r\n"
      "text_string 11 12 13 14\r\n"
      "message 'm'\r\n"
      "message_error \"e\"\r\n"
      "function_key 8 \"12345678\" \"y\"\r\n"
      "input_string 10 11 12 13\r\n"
      "input_password 0 24 79 $FFFF\r\n"
      "frame 0 0 79 5 \"T\"\r\n"
      "screen_initial \"Two\"\r\n"
      "screen_initial \"Three\"\r\n";
  const std::string expected =
      Hex("0000 0A01 0300 0100"            // header: flags 0x0102 | activate, 3 screens, initial 1
          "0E00 6000 6500"                 // offsets 14, 14 + 82, 14 + 87
          "02 4D61696E00"                  // screen "Main"
          "03 01 02 3412 486900"           // text
          "04 03 04 0500 0600"             // text_signed
          "05 F9 08 0900 0A00"             // text_unsigned, column -7
          "06 09 0A 0B00 0C00"             // text_hexword
          "07 0B 0C 0D00 0E00"             // text_string
          "08 6D00"                        // message
          "09 6500"                        // message_error
          "0A 08 313233343536373800 7900"  // function_key
          "0B 0A 0B 0C 00 0D00"            // input_string
          "0B 00 18 4F 01 FFFF"            // input_password
          "0C 00 00 4F 05 5400"            // frame
          "02 54776F00"                    // screen "Two"
          "02 546872656500"                // screen "Three"
          "02");                           // end marker
  EXPECT_EQ(Convert(text), ToHex(expected));
}

struct AcceptedCase {
  std::string_view statement;
  std::string_view record;
};

// Each statement as the only element of screen "S".
TEST(TamselConverterTest, AcceptedStatementsGiveTheirRecord) {
  const std::vector<AcceptedCase> cases = {
      {"text 0 24 0 ''", "03 00 18 0000 00"},
      {"text 0 0 00065535 ''", "03 00 00 FFFF 00"},
      {"text -79 0 0 'x'", "03 B1 00 0000 7800"},
      {"text - 5 0 0 'x'", "03 FB 00 0000 7800"},
      {"TEXT_String -0 1 2 3", "07 00 01 0200 0300"},
      {"text_signed 0 0 65535 $FFFF", "04 00 00 FFFF FFFF"},
      {"text_hexword 0 0 $abcd $0Ff", "06 00 00 CDAB FF00"},
      {"text\t1\t2\t3\t'x' trailing words ; and a comment", "03 01 02 0300 7800"},
      {"message \"it's\"", "08 69742773 00"},
      {"message 'say \"hi\"'", "08 736179202268692200"},
      {"message ''", "08 00"},
      {"  \tMessage_Error 'e'   ; comment", "09 6500"},
      {"function_key 1 '' ''", "0A 01 00 00"},
      {"function_key 8 \"12345678\" \"y\"", "0A 08 313233343536373800 7900"},
      {"input_password 79 24 0 1", "0B 4F 18 00 01 0100"},
      {"input_string 0 0 79 $0", "0B 00 00 4F 00 0000"},
      {"frame 0 0 79 5 \"T\"", "0C 00 00 4F 05 5400"},
      {"frame 77 22 2 2 ''", "0C 4D 16 02 02 00"},
      {"frame 0 0 6 2 'abcd'", "0C 00 00 06 02 6162636400"},
  };
  for (const AcceptedCase& c : cases) {
    const std::string text = "screen 'S'\n" + std::string(c.statement) + "\n";
    const std::string expected =
        Hex("0000 0000 0100 FFFF 0A00 02 5300") + Hex(c.record) + Hex("02");
    EXPECT_EQ(Convert(text), ToHex(expected)) << c.statement;
  }
}

TEST(TamselConverterTest, FileWithoutScreensIsHeaderOnly) {
  const std::string empty = ToHex(Hex("0100 0080 0000 FFFF"));
  EXPECT_EQ(Convert(""), empty);
  EXPECT_EQ(Convert("; only comments\r\n\r\n   ; indented\r\n\t\r\n"), empty);
  EXPECT_EQ(Convert("feature_flags $FFFF\nactivate\n"), ToHex(Hex("0100 FFFF 0000 FFFF")));
  EXPECT_EQ(Convert("feature_flags 3\n"), ToHex(Hex("0100 0380 0000 FFFF")));
}

// "activate" sets its bit whether it comes before or after "feature_flags".
TEST(TamselConverterTest, ActivateSurvivesLaterFeatureFlags) {
  const std::string expected = ToHex(Hex("0000 0C00 0100 FFFF 0A00 02 4100 02"));
  EXPECT_EQ(Convert("activate\nfeature_flags 4\nscreen 'A'\n"), expected);
  EXPECT_EQ(Convert("feature_flags 4\nscreen 'A'\nactivate\n"), expected);
  EXPECT_EQ(Convert("feature_flags $8004\nactivate\nscreen 'A'\n"), expected);
}

TEST(TamselConverterTest, FirstScreenMarkedInitialIsTheInitialScreen) {
  EXPECT_EQ(Convert("screen \"A\"\nscreen_initial \"B\"\n"),
            ToHex(Hex("0000 0000 0200 0100 0C00 0F00 02 4100 02 4200 02")));
  EXPECT_EQ(Convert("screen_initial 'A'\nscreen_initial 'B'\n"),
            ToHex(Hex("0000 0000 0200 0000 0C00 0F00 02 4100 02 4200 02")));
}

TEST(TamselConverterTest, LineEndsAndKeywordCaseDoNotMatter) {
  const std::string lf = Convert("screen 'A'\nmessage 'm'\n");
  EXPECT_EQ(Convert("screen 'A'\r\nmessage 'm'\r\n"), lf);
  EXPECT_EQ(Convert("SCREEN 'A'\nMeSsAgE 'm'"), lf);
  EXPECT_EQ(Convert("screen'A'\nmessage'm'\n"), lf);
}

TEST(TamselConverterTest, FiftyScreensFitTheFiftyFirstFails) {
  std::string text;
  for (int i = 0; i < 50; ++i) text += "screen ''\n";
  const ConversionResult fifty = ConvertScreenDefinition(text);
  ASSERT_TRUE(fifty.ok());
  ASSERT_EQ(fifty.bytes.size(), 8u + 2 * 50 + 2 * 50 + 1);
  EXPECT_EQ(fifty.bytes.substr(4, 2), Hex("3200"));
  EXPECT_EQ(fifty.bytes.substr(8 + 2 * 49, 2), Hex("CE00"));  // 108 + 2 * 49

  const ConversionResult more = ConvertScreenDefinition(text + "; one too many\nscreen 'X'\n");
  ASSERT_FALSE(more.ok());
  EXPECT_EQ(more.failure->line, 52u);
  EXPECT_EQ(more.failure->fault.kind, Fault::TooManyScreens);
  EXPECT_EQ(more.failure->fault.limit, 50u);
  EXPECT_TRUE(more.bytes.empty());
}

// Offsets are words: a screen that would start beyond them is refused, not wrapped.
TEST(TamselConverterTest, ScreenStartBeyondSixtyFourKilobytesIsRefused) {
  std::string text = "screen 'A'\n";
  for (int i = 0; i < 7000; ++i) text += "message '12345678'\n";
  text += "screen 'B'\n";
  const ConversionResult result = ConvertScreenDefinition(text);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.failure->line, 7002u);
  EXPECT_EQ(result.failure->fault.kind, Fault::OutputTooLarge);
}

struct FailingCase {
  std::string_view text;
  unsigned line;
  Fault kind;
  unsigned limit = 0;
  std::string_view word = {};
  bool invalidPosition = false;
};

TEST(TamselConverterTest, FailuresNameLineAndFault) {
  const std::vector<FailingCase> cases = {
      {"screen 'S'\ntext 80 0 0 'x'", 2, Fault::ColumnTooLarge, 80},
      {"screen 'S'\ntext -80 0 0 'x'", 2, Fault::ColumnTooLarge, 80},
      {"screen 'S'\ntext 79 25 0 'x'", 2, Fault::RowTooLarge, 25, {}, true},
      {"screen 'S'\ntext_signed 0 0 0", 2, Fault::NumberExpected},
      {"screen 'S'\ntext_unsigned 0 0 0 'x'", 2, Fault::NumberExpected},
      {"screen 'S'\ntext 0 0 0", 2, Fault::TextExpected},
      {"screen 'S'\ntext 0 0 0 \"abc", 2, Fault::TextNotClosed},
      {"screen 'S'\ntext 0 0 0 'abc\"", 2, Fault::TextNotClosed},
      {"screen 'S'\ntext 0 0 65536 'x'", 2, Fault::NumberTooLarge, 65535},
      {"screen 'S'\ntext 0 0 99999999999999999999 'x'", 2, Fault::NumberTooLarge, 65535},
      {"screen 'S'\ntext 0 0 $10000 'x'", 2, Fault::NumberTooLarge, 65535},
      {"screen 'S'\ntext 0 0 $0FFFF 'x'", 2, Fault::NumberTooLarge, 65535},
      {"screen 'S'\ntext 0 0 12x 'x'", 2, Fault::NumberExpected},
      {"screen 'S'\ntext 0 0 $ 'x'", 2, Fault::NumberExpected},
      {"screen 'S'\ntext 0 0 $FG 'x'", 2, Fault::NumberExpected},
      {"screen 'S'\ntext 0 0 -1 'x'", 2, Fault::NumberExpected},
      {"screen 'S'\ntext 0 0 0 'a\0b'"sv, 2, Fault::ZeroByteInText},
      {"screen 'S'\nmessage", 2, Fault::TextExpected},
      {"screen 'S'\nmessage_error x", 2, Fault::TextExpected},
      {"screen 'S'\nfunction_key 9 'x' 'y'", 2, Fault::KeyNumberOutOfRange, 8},
      {"screen 'S'\nfunction_key 0 'x' 'y'", 2, Fault::KeyNumberOutOfRange, 8},
      {"screen 'S'\nfunction_key 1 '123456789' 'y'", 2, Fault::KeyTextTooLong, 8},
      {"screen 'S'\nfunction_key 1 'x' '123456789'", 2, Fault::KeyTextTooLong, 8},
      {"screen 'S'\nfunction_key 1 'x'", 2, Fault::TextExpected},
      {"screen 'S'\ninput_string 80 0 0 0", 2, Fault::ColumnTooLarge, 80},
      {"screen 'S'\ninput_string 0 25 1 0", 2, Fault::RowTooLarge, 25},
      {"screen 'S'\ninput_string 10 0 70 0", 2, Fault::LengthTooLarge, 80},
      {"screen 'S'\ninput_password 0 0 1", 2, Fault::NumberExpected},
      {"screen 'S'\nframe 79 0 2 2 ''", 2, Fault::ColumnTooLarge, 79},
      {"screen 'S'\nframe 0 24 2 2 ''", 2, Fault::RowTooLarge, 24},
      {"screen 'S'\nframe 0 0 1 2 ''", 2, Fault::WidthTooSmall, 2},
      {"screen 'S'\nframe 0 0 80 5 'T'", 2, Fault::WidthTooLarge, 80},
      {"screen 'S'\nframe 70 0 10 5 'T'", 2, Fault::WidthTooLarge, 80},
      {"screen 'S'\nframe 0 0 2 1 ''", 2, Fault::HeightTooSmall, 2},
      {"screen 'S'\nframe 0 20 2 5 ''", 2, Fault::HeightTooLarge, 25},
      {"screen 'S'\nframe 0 0 5 2 'abcd'", 2, Fault::TitleTooLong, 3},
      {"screen 'S'\nframe 0 0 2 2 'a'", 2, Fault::TitleTooLong, 0},
      {"screen 'S'\nframe 0 0 2 2", 2, Fault::TextExpected},
      {"screen 'S'\r\n\r\ncolour 1", 3, Fault::UnknownKeyword, 0, "colour"},
      {"screen 'S'\ntexts 0 0 0 'x'", 2, Fault::UnknownKeyword, 0, "texts"},
      {"screen 'S'\n  \"quoted\" x", 2, Fault::UnknownKeyword, 0, "\"quoted\""},
      {"screen 'S'\nscreen", 2, Fault::TextExpected},
      {"screen 'S'\nfeature_flags 1", 2, Fault::FeatureFlagsTooLate},
      {"feature_flags 65536", 1, Fault::NumberTooLarge, 65535},
      {"feature_flags", 1, Fault::NumberExpected},
      {"; title first\nmessage 'x'\nscreen 'S'", 2, Fault::NoScreenYet},
      {"activate\ntext 0 0 0 'x'", 2, Fault::NoScreenYet},
      {"frame 0 0 2 2 ''", 1, Fault::NoScreenYet},
  };
  for (const FailingCase& c : cases) {
    const ConversionResult result = ConvertScreenDefinition(c.text);
    ASSERT_FALSE(result.ok()) << c.text;
    EXPECT_TRUE(result.bytes.empty()) << c.text;
    EXPECT_EQ(result.failure->line, c.line) << c.text;
    EXPECT_EQ(result.failure->fault.kind, c.kind) << c.text;
    EXPECT_EQ(result.failure->fault.limit, c.limit) << c.text;
    EXPECT_EQ(result.failure->fault.word, c.word) << c.text;
    EXPECT_EQ(result.failure->fault.invalidPosition, c.invalidPosition) << c.text;
  }
}

}  // namespace
}  // namespace zel::tamsel::testing
