#include "tools/tamsel/tamsel_messages.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zel::tamsel::testing {
namespace {

ConversionFailure FailureAt(unsigned line, Fault kind, unsigned limit = 0, std::string word = {}) {
  return ConversionFailure{line, ScreenFault{kind, limit, std::move(word), false}};
}

TEST(TamselMessagesTest, DefinitionErrorNamesLineAndFaultInBothLanguages) {
  const ConversionFailure column = FailureAt(12, Fault::ColumnTooLarge, 80);
  EXPECT_EQ(DefinitionErrorText(Language::English, column),
            "Error in screen definition file\nLine 12: the column must be below 80.");
  EXPECT_EQ(DefinitionErrorText(Language::German, column),
            "Fehler in Datei.\nZeile 12: die Spalte muss kleiner als 80 sein.");

  const ConversionFailure late = FailureAt(3, Fault::FeatureFlagsTooLate);
  EXPECT_EQ(DefinitionErrorText(Language::English, late),
            "Error in screen definition file\nLine 3: feature_flags must come before the first "
            "screen.");
  EXPECT_EQ(DefinitionErrorText(Language::German, FailureAt(1, Fault::NumberTooLarge, 65535)),
            "Fehler in Datei.\nZeile 1: die Zahl ist gr\xF6\xDF"
            "er als 65535.");
}

// The word comes from the user's file: its "%" signs are shown, never expanded.
TEST(TamselMessagesTest, UnknownKeywordShowsTheWordAsWritten) {
  EXPECT_EQ(DefinitionErrorText(Language::English, FailureAt(7, Fault::UnknownKeyword, 0, "%s%u")),
            "Error in screen definition file\nLine 7: unknown keyword \"%s%u\".");
}

TEST(TamselMessagesTest, EveryFaultHasAFilledTextInBothLanguages) {
  for (int i = 0; i <= static_cast<int>(Fault::OutputTooLarge); ++i) {
    const ScreenFault fault{static_cast<Fault>(i), 8, "w", false};
    for (Language language : {Language::English, Language::German}) {
      const std::string text = FaultText(language, fault);
      EXPECT_FALSE(text.empty()) << i;
      EXPECT_EQ(text.find('%'), std::string::npos) << text;
      EXPECT_EQ(text.back(), '.') << text;
    }
  }
}

TEST(TamselMessagesTest, FileMessagesPutTheNameInPlace) {
  EXPECT_EQ(FileMessage(Language::English, MessageId::FileTooLarge, "a.TXT"),
            "File:\na.TXT\n too large.");
  EXPECT_EQ(FileMessage(Language::German, MessageId::FileTooLarge, "a.TXT"),
            "Datei:\na.TXT\n zu gro\xDF.");
  EXPECT_EQ(FileMessage(Language::German, MessageId::CannotCreate, "a.BIN"),
            "Kann Datei:\r\na.BIN\r\nnicht erstellen.");
}

TEST(TamselMessagesTest, LanguageComesFromThePreferencesFile) {
  test::TempDir dir;
  EXPECT_EQ(ReadLanguage(dir.path()), Language::English);
  dir.writeFile("ZEL.INI", "[Preferences]\r\nLanguage = D\r\n");
  EXPECT_EQ(ReadLanguage(dir.path()), Language::German);
  dir.writeFile("ZEL.INI", "[PREFERENCES]\r\nLANGUAGE=GB\r\n");
  EXPECT_EQ(ReadLanguage(dir.path()), Language::English);
  dir.writeFile("ZEL.INI", "[OTHER]\r\nLANGUAGE=D\r\n");
  EXPECT_EQ(ReadLanguage(dir.path()), Language::English);
}

}  // namespace
}  // namespace zel::tamsel::testing
