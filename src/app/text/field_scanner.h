#pragma once
// Reading the comma-separated numbers that preferences, placements and settings are
// stored as. The stored formats were written and read with the C library's scanf family;
// this reader keeps that meaning (white space before a number is skipped, a literal
// separator is not) but never overflows: a number that does not fit is no number.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zel::app {

class FieldScanner {
 public:
  explicit FieldScanner(std::string_view text) : m_text(text) {}

  // A "%d"-style number: blanks, an optional sign, at least one digit.
  std::optional<long long> number();
  // A literal character of the pattern; true and consumed when it is next.
  bool literal(char c);
  // A "%[...]"-style run of at least one character that `allowed` accepts; nullopt when
  // the run is empty or longer than maxLength.
  std::optional<std::string> run(bool (*allowed)(char), std::size_t maxLength);
  // Only blanks remain.
  bool atEnd() const;

 private:
  std::string_view m_text;
  std::size_t m_pos = 0;
};

// Like sscanf with a pattern of numbers separated by `separator`: fills `out` from the
// front and returns how many numbers were read before the first mismatch.
std::size_t ScanNumbers(std::string_view text, char separator, std::span<long long> out);
// True only when the text is exactly out.size() such numbers, blanks aside.
bool ScanExactly(std::string_view text, char separator, std::span<long long> out);

// The leading number of a stored value, as the profile functions read integers; nullopt
// for an empty or non-numeric value.
std::optional<long long> LeadingNumber(std::string_view text);
// The leading number when there is one and it fits an int, else `def`.
int LeadingIntOr(std::string_view text, int def);

bool FitsInt(long long value);
bool FitsUnsigned(long long value);

// Text of decimal digits only whose value fits 16 bits; nullopt for anything else (no
// sign, no blanks, nothing after the digits).
std::optional<std::uint16_t> DecimalWord(std::string_view digits);

}  // namespace zel::app
