#include "stl/codegen/usage.h"

#include <algorithm>

namespace zel::stl::code {
namespace {

// Stations whose type byte has this bit count two units per word.
constexpr std::uint8_t kDoubleUnits = 0x20;

int Units(int highest, std::uint8_t type) {
  const int units = highest + 1;
  return (type & kDoubleUnits) ? 2 * units : units;
}

}  // namespace

void UsageCollector::markBit(std::uint16_t offset, std::uint8_t mask) {
  if (offset < m_records.operands.size()) m_records.operands[offset] |= mask;
}

void UsageCollector::markWord(std::uint16_t offset) {
  markBit(offset, 0xFF);
  markBit(static_cast<std::uint16_t>(offset + 1), 0xFF);
}

void UsageCollector::markCmp(int number) {
  if (number >= 0 && number < static_cast<int>(kCalledModules))
    m_records.cmp[static_cast<std::size_t>(number)] = 1;
}

void UsageCollector::markCfm(int number) {
  if (number >= 0 && number < static_cast<int>(kCalledModules))
    m_records.cfm[static_cast<std::size_t>(number)] = 1;
}

void UsageCollector::markStation(int station, std::uint8_t type, bool input, int word) {
  Highest& h = m_stations[station];
  h.type = type;
  int& highest = input ? h.input : h.output;
  highest = std::max(highest, word);
  rebuildStations();
}

void UsageCollector::rebuildStations() {
  m_records.stations.clear();
  for (const auto& [station, h] : m_stations) {
    StationUse use;
    use.station = station;
    use.type = h.type;
    use.inputUnits = h.input < 0 ? 0 : Units(h.input, h.type);
    use.outputUnits = h.output < 0 ? 0 : Units(h.output, h.type);
    m_records.stations.push_back(use);
  }
}

}  // namespace zel::stl::code
