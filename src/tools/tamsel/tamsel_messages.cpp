#include "tools/tamsel/tamsel_messages.h"

#include <algorithm>
#include <array>

#include "platform/profile.h"

namespace zel::tamsel {
namespace {

struct Text {
  std::string_view english;
  std::string_view german;
};

std::string_view Pick(Language language, const Text& text) {
  return language == Language::German ? text.german : text.english;
}

// Indexed by MessageId.
constexpr std::array<Text, 6> kMessages = {{
    {"File:\n%s\nnot found.", "Datei:\n%s\nnicht gefunden."},
    {"Parameter error.", "Parameter fehler."},
    {"File:\n%s\n too large.", "Datei:\n%s\n zu gro\xDF."},
    {"Cannot read file %s", "Kann Datei:\r\n%s\r\nnicht lesen."},
    {"Cannot create file %s", "Kann Datei:\r\n%s\r\nnicht erstellen."},
    {"Error in screen definition file", "Fehler in Datei."},
}};

constexpr Text kLinePrefix = {"Line %u: ", "Zeile %u: "};

struct FaultEntry {
  Fault kind;
  Text text;  // "%u": the fault's limit, "%s": its word
};

// Hexadecimal escapes are closed by splitting the literal where a letter a-f follows.
constexpr FaultEntry kFaultTexts[] = {
    {Fault::UnknownKeyword, {"unknown keyword \"%s\".", "unbekanntes Schl\xFCsselwort \"%s\"."}},
    {Fault::NumberExpected, {"a number was expected.", "eine Zahl wurde erwartet."}},
    {Fault::NumberTooLarge,
     {"the number is larger than %u.",
      "die Zahl ist gr\xF6\xDF"
      "er als %u."}},
    {Fault::TextExpected,
     {"a text in quotes was expected.", "ein Text in Anf\xFChrungszeichen wurde erwartet."}},
    {Fault::TextNotClosed,
     {"the closing quote is missing.",
      "das schlie\xDF"
      "ende Anf\xFChrungszeichen fehlt."}},
    {Fault::ZeroByteInText,
     {"the text contains a zero byte.", "der Text enth\xE4lt ein Nullbyte."}},
    {Fault::ColumnTooLarge,
     {"the column must be below %u.", "die Spalte muss kleiner als %u sein."}},
    {Fault::RowTooLarge,
     {"the row must be below %u.", "die Bildschirmzeile muss kleiner als %u sein."}},
    {Fault::LengthTooLarge,
     {"column + length must be below %u.", "Spalte + L\xE4nge muss kleiner als %u sein."}},
    {Fault::WidthTooSmall,
     {"the width must be at least %u.", "die Breite muss mindestens %u sein."}},
    {Fault::WidthTooLarge,
     {"column + width must be below %u.", "Spalte + Breite muss kleiner als %u sein."}},
    {Fault::HeightTooSmall,
     {"the height must be at least %u.", "die H\xF6he muss mindestens %u sein."}},
    {Fault::HeightTooLarge,
     {"row + height must be below %u.", "Bildschirmzeile + H\xF6he muss kleiner als %u sein."}},
    {Fault::TitleTooLong,
     {"the title is longer than %u characters.", "der Titel ist l\xE4nger als %u Zeichen."}},
    {Fault::KeyNumberOutOfRange,
     {"the function key number must be 1 to %u.",
      "die Nummer der Funktionstaste muss 1 bis %u sein."}},
    {Fault::KeyTextTooLong,
     {"a function key text is longer than %u characters.",
      "ein Funktionstastentext ist l\xE4nger als %u Zeichen."}},
    {Fault::TooManyScreens, {"more than %u screens.", "mehr als %u Bildschirme."}},
    {Fault::FeatureFlagsTooLate,
     {"feature_flags must come before the first screen.",
      "feature_flags muss vor dem ersten Bildschirm stehen."}},
    {Fault::NoScreenYet,
     {"this statement must follow a screen statement.",
      "diese Anweisung muss nach einer screen-Anweisung stehen."}},
    {Fault::OutputTooLarge,
     {"the screens do not fit into %u bytes.", "die Bildschirme passen nicht in %u Bytes."}},
};

// Puts `word` in place of "%s" and `number` in place of "%u". The pattern is ours; the
// word comes from the user's file and is never read as a pattern.
std::string Fill(std::string_view pattern, std::string_view word, unsigned number) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
      out += word;
      ++i;
    } else if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 'u') {
      out += std::to_string(number);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace

Language ReadLanguage(const std::filesystem::path& workDir) {
  const std::string value =
      platform::ReadProfileString(workDir / kPreferencesFile, "PREFERENCES", "LANGUAGE", "GB");
  return value == "D" ? Language::German : Language::English;
}

std::string_view MessageText(Language language, MessageId id) {
  return Pick(language, kMessages[static_cast<std::size_t>(id)]);
}

std::string FileMessage(Language language, MessageId id, std::string_view fileName) {
  return Fill(MessageText(language, id), fileName, 0);
}

std::string FaultText(Language language, const ScreenFault& fault) {
  const auto* entry = std::find_if(std::begin(kFaultTexts), std::end(kFaultTexts),
                                   [&](const FaultEntry& e) { return e.kind == fault.kind; });
  if (entry == std::end(kFaultTexts)) return {};
  return Fill(Pick(language, entry->text), fault.word, fault.limit);
}

std::string DefinitionErrorText(Language language, const ConversionFailure& failure) {
  return std::string(MessageText(language, MessageId::DefinitionError)) + "\n" +
         Fill(Pick(language, kLinePrefix), {}, failure.line) + FaultText(language, failure.fault);
}

}  // namespace zel::tamsel
