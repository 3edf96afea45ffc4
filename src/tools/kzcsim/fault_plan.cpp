#include "tools/kzcsim/fault_plan.h"

#include "platform/no_case.h"

namespace zel::kzcsim {

namespace {

bool NameMatches(std::string_view pattern, std::string_view command) {
  if (!pattern.empty() && pattern.back() == '*') {
    return platform::StartsWithNoCase(command, pattern.substr(0, pattern.size() - 1));
  }
  return platform::EqualsNoCase(command, pattern);
}

}  // namespace

std::string Faults::Describe() const {
  std::string text;
  auto add = [&text](std::string_view word) {
    if (!text.empty()) text += ' ';
    text += word;
  };
  if (silent) add("silent");
  if (drop) add("dropped");
  if (duplicate) add("duplicated");
  if (corrupt) add("corrupted");
  if (delayMs > 0) add("delayed " + std::to_string(delayMs) + " ms");
  return text;
}

FaultPlan::FaultPlan(FaultOptions options)
    : m_options(std::move(options)), m_random(m_options.seed) {}

bool FaultPlan::Applies(const FaultRule& rule, std::string_view command) {
  if (rule.always) return true;
  for (const std::string& pattern : rule.commands) {
    if (NameMatches(pattern, command)) return true;
  }
  if (rule.rate <= 0.0) return false;
  return std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < rule.rate;
}

Faults FaultPlan::Decide(std::string_view command) {
  Faults faults;
  if (m_options.stopAfter >= 0 && m_count >= m_options.stopAfter) {
    faults.silent = true;
    return faults;
  }
  ++m_count;
  faults.drop = Applies(m_options.drop, command);
  faults.duplicate = Applies(m_options.duplicate, command);
  faults.corrupt = Applies(m_options.corrupt, command);
  if (m_options.delayMs > 0 && Applies(m_options.delay, command))
    faults.delayMs = m_options.delayMs;
  return faults;
}

void CorruptText(std::string& text) {
  if (text.empty()) {
    text = "#";
  } else {
    text[0] = text[0] == '#' ? '%' : '#';
  }
}

}  // namespace zel::kzcsim
