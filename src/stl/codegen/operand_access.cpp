#include "stl/codegen/operand_access.h"

#include <array>

namespace zel::stl::code {
namespace {

constexpr int kLocalWords = 255;
constexpr int kFlagWordsLast = 9999;
constexpr int kBitLast = 15;
constexpr int kStationFirst = 1;
constexpr int kStationLast = 99;
constexpr int kStationWordLast = 15;
constexpr int kNumberLast = 255;
constexpr int kProgramLast = 63;
constexpr int kBitsPerByte = 8;

// Timer service functions that start a timer of each kind.
constexpr std::uint16_t kStartPulse = 1;
constexpr std::uint16_t kStartOnDelay = 3;
constexpr std::uint16_t kStartOffDelay = 4;

constexpr std::array<std::string_view, 11> kBitLetters = {"E",  "A", "M", "F",  "S", "P",
                                                          "PS", "Z", "T", "TA", "TE"};
constexpr std::array<std::string_view, 10> kWordLetters = {"EW", "AW", "MW", "FW", "ZW",
                                                           "ZV", "R",  "O",  "TV", "TW"};

bool In(int value, int first, int last) {
  return value >= first && value <= last;
}

bool OnlyNumber(const OperandText& o, int last) {
  return In(o.number, 0, last) && o.second < 0 && o.third < 0;
}

bool NoNumber(const OperandText& o) {
  return o.number < 0 && o.second < 0 && o.third < 0;
}

std::uint16_t LocalBase(std::string_view letters) {
  if (letters == "E" || letters == "EW") return kInputWords;
  if (letters == "A" || letters == "AW") return kOutputWords;
  return kFlagWords;
}

std::optional<BitOperand> WordBit(const OperandText& o) {
  BitOperand bit;
  if (o.third >= 0) {
    if (o.letters == "M" || !In(o.number, kStationFirst, kStationLast) ||
        !In(o.second, 0, kStationWordLast) || !In(o.third, 0, kBitLast))
      return std::nullopt;
    bit.kind = BitOperand::Kind::Fieldbus;
    bit.fieldbus = {o.letters == "E", o.number, o.second, o.third};
    bit.mask = static_cast<std::uint8_t>(1u << (o.third % kBitsPerByte));
    return bit;
  }
  const int last = o.letters == "M" ? kFlagWordsLast : kLocalWords;
  if (!In(o.number, 0, last) || !In(o.second, 0, kBitLast)) return std::nullopt;
  bit.offset = static_cast<std::uint16_t>(LocalBase(o.letters) + 2 * o.number +
                                          (o.second >= kBitsPerByte ? 1 : 0));
  bit.mask = static_cast<std::uint8_t>(1u << (o.second % kBitsPerByte));
  return bit;
}

std::optional<BitOperand> NumberedBit(const OperandText& o) {
  BitOperand bit;
  bit.number = o.number;
  bit.mask = 0x01;
  if (o.letters == "P" || o.letters == "PS") {
    if (!OnlyNumber(o, kProgramLast)) return std::nullopt;
    bit.kind = BitOperand::Kind::Program;
    bit.program = o.letters == "P";
    bit.offset = static_cast<std::uint16_t>(kPrograms + 2 * o.number);
    bit.mask = bit.program ? 0x02 : 0x01;
    return bit;
  }
  if (!OnlyNumber(o, kNumberLast)) return std::nullopt;
  if (o.letters == "Z") {
    bit.kind = BitOperand::Kind::Counter;
    bit.offset = CounterStatus(o.number);
    return bit;
  }
  bit.kind = BitOperand::Kind::Timer;
  bit.offset = TimerStatus(o.number);
  bit.timerStart = o.letters == "TE"   ? kStartOnDelay
                   : o.letters == "TA" ? kStartOffDelay
                                       : kStartPulse;
  return bit;
}

std::optional<WordOperand> NumberedWord(const OperandText& o) {
  WordOperand word;
  word.number = o.number;
  const int last = o.letters == "MW" ? kFlagWordsLast : kNumberLast;
  if (!OnlyNumber(o, last)) return std::nullopt;
  const std::string_view l = o.letters;
  if (l == "EW" || l == "AW" || l == "MW") {
    word.offset = static_cast<std::uint16_t>(LocalBase(l) + 2 * o.number);
  } else if (l == "R") {
    word.offset = static_cast<std::uint16_t>(kRegisters + 2 * o.number);
  } else if (l == "ZV" || l == "ZW") {
    word.counterWord = l == "ZW";
    word.offset = word.counterWord ? CounterWord(o.number) : CounterPreselect(o.number);
  } else if (l == "TV" || l == "TW") {
    word.offset = static_cast<std::uint16_t>(TimerStatus(o.number) + (l == "TV" ? 2 : 4));
  } else {  // "O"
    word.offset = static_cast<std::uint16_t>(kFunctionWords + 2 * o.number);
    if (In(o.number, kFirstEntryWord, kLastEntryWord)) word.kind = WordOperand::Kind::Entry;
  }
  return word;
}

}  // namespace

bool IsBitLetters(std::string_view letters) {
  for (std::string_view l : kBitLetters)
    if (l == letters) return true;
  return false;
}

bool IsWordLetters(std::string_view letters) {
  for (std::string_view l : kWordLetters)
    if (l == letters) return true;
  return false;
}

std::optional<BitOperand> ToBitOperand(const OperandText& o) {
  const std::string_view l = o.letters;
  if (l == "E" || l == "A" || l == "M") return WordBit(o);
  if (l == "F" || l == "S") {
    if (!NoNumber(o)) return std::nullopt;
    BitOperand bit;
    bit.kind = l == "F" ? BitOperand::Kind::FaultWord : BitOperand::Kind::FaultInput;
    bit.offset = l == "F" ? kFaultWord : 0;
    return bit;
  }
  if (IsBitLetters(l)) return NumberedBit(o);
  return std::nullopt;
}

std::optional<WordOperand> ToWordOperand(const OperandText& o) {
  const std::string_view l = o.letters;
  if (l == "FW") {
    if (!NoNumber(o)) return std::nullopt;
    WordOperand word;
    word.kind = WordOperand::Kind::FaultWord;
    word.offset = kFaultWord;
    return word;
  }
  if ((l == "EW" || l == "AW") && o.second >= 0) {
    if (!In(o.number, kStationFirst, kStationLast) || !In(o.second, 0, kStationWordLast) ||
        o.third >= 0)
      return std::nullopt;
    WordOperand word;
    word.kind = WordOperand::Kind::Fieldbus;
    word.fieldbus = {l == "EW", o.number, o.second, -1};
    return word;
  }
  if (IsWordLetters(l)) return NumberedWord(o);
  return std::nullopt;
}

std::optional<WordOperand> CounterWordOf(const OperandText& operand) {
  OperandText word = operand;
  word.letters = "ZW";
  return ToWordOperand(word);
}

}  // namespace zel::stl::code
