#include "tools/tamsel/screen_statement.h"

#include <array>
#include <cstdint>

#include "platform/no_case.h"
#include "tools/tamsel/line_scanner.h"

namespace zel::tamsel {
namespace {

struct Statement;
using Handler = StatementResult (*)(LineScanner&, ScreenFileWriter&, const Statement&);

struct Statement {
  std::string_view keyword;
  Handler handler;
  RecordType type;
  bool needsScreen;  // an element of a screen
  bool initial;      // screen_initial
  InputKind kind;    // input_string, input_password
};

ScreenFault FaultOf(Fault kind, unsigned limit = 0) {
  return ScreenFault{kind, limit, {}, false};
}

StatementResult ReadNumber(LineScanner& in, std::uint16_t& value) {
  const std::optional<std::uint16_t> number = in.number();
  if (!number) return in.fault();
  value = *number;
  return {};
}

// A number that must be below `limit`.
StatementResult ReadBelow(LineScanner& in, unsigned limit, Fault fault, std::uint16_t& value) {
  if (StatementResult failed = ReadNumber(in, value)) return failed;
  if (value >= limit) return FaultOf(fault, limit);
  return {};
}

StatementResult ReadText(LineScanner& in, std::string& value) {
  std::optional<std::string> text = in.text();
  if (!text) return in.fault();
  value = std::move(*text);
  return {};
}

// activate
StatementResult ParseActivate(LineScanner&, ScreenFileWriter& out, const Statement&) {
  out.activate();
  return {};
}

// feature_flags = "feature_flags" number      (only before the first screen)
StatementResult ParseFeatureFlags(LineScanner& in, ScreenFileWriter& out, const Statement&) {
  if (out.screenCount() > 0) return FaultOf(Fault::FeatureFlagsTooLate);
  std::uint16_t flags = 0;
  if (StatementResult fault = ReadNumber(in, flags)) return fault;
  out.setFeatureFlags(flags);
  return {};
}

// screen = ("screen" | "screen_initial") text
StatementResult ParseScreen(LineScanner& in, ScreenFileWriter& out, const Statement& st) {
  if (out.screenCount() >= kMaxScreens) return FaultOf(Fault::TooManyScreens, kMaxScreens);
  std::string title;
  if (StatementResult fault = ReadText(in, title)) return fault;
  if (!out.startScreen(title, st.initial)) return FaultOf(Fault::OutputTooLarge, kMaxNumber);
  return {};
}

// text_value = keyword ["-"] column row number (text | number)
// "-" stores the column negated, as the display software expects.
StatementResult ParseTextValue(LineScanner& in, ScreenFileWriter& out, const Statement& st) {
  const bool negated = in.accept('-');
  std::uint16_t column = 0, row = 0, value = 0, second = 0;
  std::string text;
  if (StatementResult fault = ReadBelow(in, kDisplayColumns, Fault::ColumnTooLarge, column)) {
    return fault;
  }
  if (StatementResult fault = ReadBelow(in, kDisplayRows, Fault::RowTooLarge, row)) {
    fault->invalidPosition = fault->kind == Fault::RowTooLarge;
    return fault;
  }
  if (StatementResult fault = ReadNumber(in, value)) return fault;
  const bool withText = st.type == RecordType::Text;
  if (StatementResult fault = withText ? ReadText(in, text) : ReadNumber(in, second)) {
    return fault;
  }
  out.beginRecord(st.type);
  out.putByte(static_cast<std::uint8_t>(negated ? -column : column));
  out.putByte(static_cast<std::uint8_t>(row));
  out.putWord(value);
  if (withText) {
    out.putText(text);
  } else {
    out.putWord(second);
  }
  return {};
}

// message = ("message" | "message_error") text
StatementResult ParseMessage(LineScanner& in, ScreenFileWriter& out, const Statement& st) {
  std::string text;
  if (StatementResult fault = ReadText(in, text)) return fault;
  out.beginRecord(st.type);
  out.putText(text);
  return {};
}

StatementResult ReadKeyText(LineScanner& in, std::string& text) {
  if (StatementResult fault = ReadText(in, text)) return fault;
  if (text.size() > kFunctionKeyTextMax) return FaultOf(Fault::KeyTextTooLong, kFunctionKeyTextMax);
  return {};
}

// function_key = "function_key" number(1..8) text(<=8) text(<=8)
StatementResult ParseFunctionKey(LineScanner& in, ScreenFileWriter& out, const Statement& st) {
  std::uint16_t key = 0;
  std::string first, second;
  if (StatementResult fault = ReadNumber(in, key)) return fault;
  if (key < 1 || key > kFunctionKeys) return FaultOf(Fault::KeyNumberOutOfRange, kFunctionKeys);
  if (StatementResult fault = ReadKeyText(in, first)) return fault;
  if (StatementResult fault = ReadKeyText(in, second)) return fault;
  out.beginRecord(st.type);
  out.putByte(static_cast<std::uint8_t>(key));
  out.putText(first);
  out.putText(second);
  return {};
}

// input = ("input_string" | "input_password") column row length number
StatementResult ParseInput(LineScanner& in, ScreenFileWriter& out, const Statement& st) {
  std::uint16_t column = 0, row = 0, length = 0, value = 0;
  if (StatementResult fault = ReadBelow(in, kDisplayColumns, Fault::ColumnTooLarge, column)) {
    return fault;
  }
  if (StatementResult fault = ReadBelow(in, kDisplayRows, Fault::RowTooLarge, row)) return fault;
  if (StatementResult fault =
          ReadBelow(in, kDisplayColumns - column, Fault::LengthTooLarge, length)) {
    if (fault->kind == Fault::LengthTooLarge) fault->limit = kDisplayColumns;
    return fault;
  }
  if (StatementResult fault = ReadNumber(in, value)) return fault;
  out.beginRecord(st.type);
  out.putByte(static_cast<std::uint8_t>(column));
  out.putByte(static_cast<std::uint8_t>(row));
  out.putByte(static_cast<std::uint8_t>(length));
  out.putByte(static_cast<std::uint8_t>(st.kind));
  out.putWord(value);
  return {};
}

// A frame size: at least kMinFrameSize, and start + size below `end`.
StatementResult ReadFrameSize(LineScanner& in, unsigned start, unsigned end, Fault tooSmall,
                              Fault tooLarge, std::uint16_t& size) {
  if (StatementResult fault = ReadNumber(in, size)) return fault;
  if (size < kMinFrameSize) return FaultOf(tooSmall, kMinFrameSize);
  if (start + size >= end) return FaultOf(tooLarge, end);
  return {};
}

// frame = "frame" column row width height text(<= width - 2)
StatementResult ParseFrame(LineScanner& in, ScreenFileWriter& out, const Statement& st) {
  std::uint16_t column = 0, row = 0, width = 0, height = 0;
  std::string title;
  if (StatementResult fault = ReadBelow(in, kDisplayColumns - 1, Fault::ColumnTooLarge, column)) {
    return fault;
  }
  if (StatementResult fault = ReadBelow(in, kDisplayRows - 1, Fault::RowTooLarge, row)) {
    return fault;
  }
  if (StatementResult fault = ReadFrameSize(in, column, kDisplayColumns, Fault::WidthTooSmall,
                                            Fault::WidthTooLarge, width)) {
    return fault;
  }
  if (StatementResult fault = ReadFrameSize(in, row, kDisplayRows, Fault::HeightTooSmall,
                                            Fault::HeightTooLarge, height)) {
    return fault;
  }
  if (StatementResult fault = ReadText(in, title)) return fault;
  const unsigned titleMax = width - kFrameBorderChars;
  if (title.size() > titleMax) return FaultOf(Fault::TitleTooLong, titleMax);
  out.beginRecord(st.type);
  for (std::uint16_t value : {column, row, width, height}) {
    out.putByte(static_cast<std::uint8_t>(value));
  }
  out.putText(title);
  return {};
}

constexpr InputKind kNoKind = InputKind::String;

constexpr std::array kStatements = {
    Statement{"activate", ParseActivate, RecordType::Screen, false, false, kNoKind},
    Statement{"feature_flags", ParseFeatureFlags, RecordType::Screen, false, false, kNoKind},
    Statement{"screen", ParseScreen, RecordType::Screen, false, false, kNoKind},
    Statement{"screen_initial", ParseScreen, RecordType::Screen, false, true, kNoKind},
    Statement{"text", ParseTextValue, RecordType::Text, true, false, kNoKind},
    Statement{"text_signed", ParseTextValue, RecordType::TextSigned, true, false, kNoKind},
    Statement{"text_unsigned", ParseTextValue, RecordType::TextUnsigned, true, false, kNoKind},
    Statement{"text_hexword", ParseTextValue, RecordType::TextHexword, true, false, kNoKind},
    Statement{"text_string", ParseTextValue, RecordType::TextString, true, false, kNoKind},
    Statement{"message", ParseMessage, RecordType::Message, true, false, kNoKind},
    Statement{"message_error", ParseMessage, RecordType::MessageError, true, false, kNoKind},
    Statement{"function_key", ParseFunctionKey, RecordType::FunctionKey, true, false, kNoKind},
    Statement{"input_string", ParseInput, RecordType::Input, true, false, InputKind::String},
    Statement{"input_password", ParseInput, RecordType::Input, true, false, InputKind::Password},
    Statement{"frame", ParseFrame, RecordType::Frame, true, false, kNoKind},
};

// Long enough to recognise the word in a message, short enough for a dialog.
constexpr std::size_t kShownWordMax = 32;

ScreenFault UnknownKeyword(std::string_view line) {
  const std::size_t start = line.find_first_not_of(" \t");
  const std::size_t end = line.find_first_of(" \t", start);
  std::string_view word = line.substr(start, end == std::string_view::npos ? end : end - start);
  return ScreenFault{Fault::UnknownKeyword, 0, std::string(word.substr(0, kShownWordMax)), false};
}

}  // namespace

StatementResult ApplyStatement(std::string_view line, ScreenFileWriter& writer) {
  LineScanner in(line);
  if (in.atEnd()) return {};
  const std::string_view keyword = in.word();
  for (const Statement& statement : kStatements) {
    if (!platform::EqualsNoCase(keyword, statement.keyword)) continue;
    if (statement.needsScreen && writer.screenCount() == 0) return FaultOf(Fault::NoScreenYet);
    return statement.handler(in, writer, statement);
  }
  return UnknownKeyword(line);
}

}  // namespace zel::tamsel
