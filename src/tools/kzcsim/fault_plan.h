#pragma once
// Ways to make the controller misbehave on purpose, for the PC side's fault tests: drop,
// delay, duplicate or corrupt answers, chosen at random by a rate (seeded, so a run can
// be repeated) or by the command they answer; and fall silent after a number of commands.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zel::kzcsim {

// The name fault options give the probe byte.
inline constexpr std::string_view kProbeName = "PROBE";

struct FaultRule {
  bool always = false;
  double rate = 0.0;  // 0..1
  // Command names matched without case; a name ending in "*" matches every command that
  // begins with the rest ("MV=*").
  std::vector<std::string> commands;
  bool active() const { return always || rate > 0.0 || !commands.empty(); }
};

struct FaultOptions {
  FaultRule drop;
  FaultRule duplicate;
  FaultRule corrupt;
  FaultRule delay;
  std::int64_t delayMs = 0;
  long long stopAfter = -1;  // commands answered before falling silent; -1 never
  std::uint32_t seed = 1;
};

struct Faults {
  bool silent = false;  // the controller has stopped answering
  bool drop = false;
  bool duplicate = false;
  bool corrupt = false;
  std::int64_t delayMs = 0;
  std::string Describe() const;  // for the exchange log, empty when none
};

class FaultPlan {
 public:
  explicit FaultPlan(FaultOptions options = {});
  // What happens to the answer of `command` (kProbeName for the probe).
  Faults Decide(std::string_view command);

 private:
  bool Applies(const FaultRule& rule, std::string_view command);

  FaultOptions m_options;
  std::mt19937 m_random;
  long long m_count = 0;
};

// Makes a reply read wrong without breaking its frame: its first character becomes "#"
// (or "#" is the whole reply when it was empty).
void CorruptText(std::string& text);

}  // namespace zel::kzcsim
