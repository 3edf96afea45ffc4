#pragma once
// One option of a driver script: section "EDIT", "CTRL_%d" defines it and "GB_%d"
// describes it. The control line reads, left to right:
//
//   control = key " " '"' default '"' blanks type [ "[" range "]" ]
//   type    = "$YESNO" | "$IDV" | "$TEXT" | "$DEC" | "$HEX" | any other word
//
// The key's value is stored in the project and becomes the build token "<<<" key ">>>".
// The range means, by type:
//   $TEXT  "lo..hi": at least lo, at most hi characters ("%d..%d"; a range that starts
//          with a digit but does not read so sets no limits); a range not starting with a
//          digit lists the choices, each in double quotes;
//   $DEC   parts separated by ";", each "lo..hi" (inclusive) or one number, decimal;
//   $HEX   the same in hexadecimal;
//   $IDV   a drive letter; the drop-down offers "A" to "D" only when there is no range.
// Any other type word makes an option that is shown but cannot be edited.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::library {

// Options 0 to 99 are read; the first empty "CTRL_%d" ends the list.
inline constexpr std::size_t kMaxDriverOptions = 100;

enum class OptionType {
  YesNo,     // check box; stored "J" or "N"
  Drive,     // drop-down of drive letters that also takes typing
  Text,      // edit field, with length limits when minLength/maxLength are set
  TextList,  // drop-down list of `choices`
  Decimal,   // edit field, checked against `ranges`
  Hex,       // edit field shown in upper case, checked against `ranges`
  Other,     // shown, not editable
};

// One part of a "$DEC" or "$HEX" range list: lo..hi inclusive (lo == hi for one number).
struct NumberRange {
  long long lo = 0;
  long long hi = 0;
  bool operator==(const NumberRange&) const = default;
};

struct DriverOption {
  std::string key;
  std::string defaultValue;
  std::string typeWord;  // as written, "$DEC" ...
  OptionType type = OptionType::Other;
  bool hasRange = false;
  std::string range;  // the text between "[" and "]"
  // $TEXT with limits.
  std::optional<int> minLength;
  std::optional<int> maxLength;
  // $TEXT with a list; for $IDV the drive letters (empty when a range is given).
  std::vector<std::string> choices;
  // $DEC and $HEX: the readable parts; a part that does not read as a number or a
  // range matches nothing.
  std::vector<NumberRange> ranges;
  std::string description;  // "GB_%d", up to 255 characters
};

// Parses one control line; nullopt for an empty one (the end of the list).
std::optional<DriverOption> ParseOptionControl(std::string_view line);

// Yes/no values: empty or starting with "N", "n" or "0" is no, anything else yes.
bool IsYes(std::string_view stored);
inline constexpr std::string_view kStoredYes = "J";
inline constexpr std::string_view kStoredNo = "N";

// The message for a value the option refuses, or nullopt when it is valid.
std::optional<std::string> CheckOptionValue(const DriverOption& option, std::string_view value);

// Reading options from a script: DriverScript::option and DriverScript::options.

}  // namespace zel::library
