#pragma once
// Readers of the replies to the display commands of the online pages and the control
// panel. Each gives nullopt for a reply it cannot read; its caller then shows
// "<corrupted>" in the field concerned.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::access {

// An online page reads up to this many words of one "DEW"/"DAW"/"DMW"/"DR" reply.
inline constexpr std::size_t kWordsPerPage = 10;

// "=" v "=" v ...: the values of words n, n+1, ... (at most `maxWords`), each cut to its
// 16 bits as the pages split them into bit columns.
std::optional<std::vector<std::uint16_t>> ReadWordList(std::string_view reply,
                                                       std::size_t maxWords = kWordsPerPage);

// "DZ": "=" bit "=" preset "=" value "," with all three decimal or all three "$" hex.
struct CounterReply {
  bool bit = false;
  std::int64_t preset = 0;
  std::int64_t value = 0;
  bool operator==(const CounterReply&) const = default;
};
std::optional<CounterReply> ReadCounterReply(std::string_view reply);

// "DTS": "=$" status "," preset "," value "," x. The status word holds the timer's bit
// (bit 0), its mode (bits 8-9: 0 TP, 1 TON, 2 TOFF) and a marker (bit 1) shown as "*"
// after the mode. Preset and value are hundredths of a second.
enum class TimerMode { Pulse = 0, OnDelay = 1, OffDelay = 2 };
struct TimerReply {
  bool bit = false;
  TimerMode mode = TimerMode::Pulse;
  bool marked = false;
  std::int64_t preset = 0;
  std::int64_t value = 0;
  bool operator==(const TimerReply&) const = default;
};
std::optional<TimerReply> ReadTimerReply(std::string_view reply);
// "TP", "TON", "TOFF", with "*" when marked.
std::string TimerModeText(TimerMode mode, bool marked);

// "DP": "=" x ",0," status "," step "," module "," module step. A status other than
// 0, 2 and 3 leaves `state` empty: the page keeps its status box and shows "<corrupted>".
enum class ProgramState { Inactive = 0, Stopped = 2, Active = 3 };
struct ProgramReply {
  std::optional<ProgramState> state;
  std::int64_t step = 0;
  std::int64_t module = 0;
  std::int64_t moduleStep = 0;
  bool operator==(const ProgramReply&) const = default;
};
std::optional<ProgramReply> ReadProgramReply(std::string_view reply);

// "DF": "=" error "," x "," y ",": the controller's error number (0 none, -1 unreadable).
std::optional<std::int64_t> ReadControllerError(std::string_view reply);

}  // namespace zel::access
