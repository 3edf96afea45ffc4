#include "access/operand_replies.h"

#include "access/reply_number.h"

namespace zel::access {

std::optional<std::vector<std::uint16_t>> ReadWordList(std::string_view reply,
                                                       std::size_t maxWords) {
  const auto values = ReadValueList(reply, maxWords);
  if (!values) return std::nullopt;
  std::vector<std::uint16_t> words;
  words.reserve(values->size());
  for (const auto& number : *values) words.push_back(static_cast<std::uint16_t>(number.value));
  return words;
}

std::optional<CounterReply> ReadCounterReply(std::string_view reply) {
  const auto values = ReadValueList(reply, 3);
  if (!values || values->size() < 3) return std::nullopt;
  const auto& v = *values;
  // The controller writes all three in one notation; a mix means a garbled reply.
  if (v[0].hex != v[1].hex || v[1].hex != v[2].hex) return std::nullopt;
  if (v[0].value != 0 && v[0].value != 1) return std::nullopt;
  return CounterReply{v[0].value == 1, v[1].value, v[2].value};
}

std::optional<TimerReply> ReadTimerReply(std::string_view reply) {
  if (!reply.starts_with("=$")) return std::nullopt;
  const auto values = ReadValueList(reply, 3);
  if (!values || values->size() < 3) return std::nullopt;
  const std::int64_t status = (*values)[0].value;
  const std::int64_t mode = (status >> 8) & 3;
  if (mode == 3) return std::nullopt;
  return TimerReply{(status & 1) != 0, static_cast<TimerMode>(mode), (status & 2) != 0,
                    (*values)[1].value, (*values)[2].value};
}

std::string TimerModeText(TimerMode mode, bool marked) {
  std::string text = mode == TimerMode::Pulse ? "TP" : mode == TimerMode::OnDelay ? "TON" : "TOFF";
  if (marked) text += '*';
  return text;
}

std::optional<ProgramReply> ReadProgramReply(std::string_view reply) {
  const auto values = ReadValueList(reply, 6);
  if (!values || values->size() < 6) return std::nullopt;
  const auto& v = *values;
  ProgramReply program;
  if (v[2].value == 0 || v[2].value == 2 || v[2].value == 3) {
    program.state = static_cast<ProgramState>(v[2].value);
  }
  program.step = v[3].value;
  program.module = v[4].value;
  program.moduleStep = v[5].value;
  return program;
}

std::optional<std::int64_t> ReadControllerError(std::string_view reply) {
  return ReadSingleValue(reply);
}

}  // namespace zel::access
