#pragma once
// What is wrong with one line of a screen definition. The message tables turn a fault
// into the text the user reads, in the language of the preferences.

#include <string>

namespace zel::tamsel {

enum class Fault {
  UnknownKeyword,  // word: the keyword found
  NumberExpected,
  NumberTooLarge,       // above 65535 or more than four hexadecimal digits
  TextExpected,         // no opening quote
  TextNotClosed,        // the line ends before the closing quote
  ZeroByteInText,       // a zero byte would end the text early in the binary file
  ColumnTooLarge,       // limit: the column must be below it
  RowTooLarge,          // limit: the row must be below it
  LengthTooLarge,       // limit: column + length must be below it
  WidthTooSmall,        // limit: the least width
  WidthTooLarge,        // limit: column + width must be below it
  HeightTooSmall,       // limit: the least height
  HeightTooLarge,       // limit: row + height must be below it
  TitleTooLong,         // limit: the most characters
  KeyNumberOutOfRange,  // limit: the highest key number
  KeyTextTooLong,       // limit: the most characters
  TooManyScreens,       // limit: the most screens
  FeatureFlagsTooLate,
  NoScreenYet,     // an element before the first screen
  OutputTooLarge,  // a screen offset would not fit its word
};

struct ScreenFault {
  Fault kind = Fault::NumberExpected;
  unsigned limit = 0;
  std::string word;
  // A text placed below the display; the display software has always also reported
  // this one on the console.
  bool invalidPosition = false;
};

}  // namespace zel::tamsel
