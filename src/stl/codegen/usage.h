#pragma once
// What a module uses, collected while it is translated: operand bits and words, called
// CMP and CFM modules and the fieldbus units per station.

#include <cstdint>
#include <map>

#include "stl/codegen/translator.h"

namespace zel::stl::code {

class UsageCollector {
 public:
  void markBit(std::uint16_t offset, std::uint8_t mask);
  void markWord(std::uint16_t offset);
  void markCmp(int number);
  void markCfm(int number);
  // A fieldbus word of a station; `type` is the station's type byte.
  void markStation(int station, std::uint8_t type, bool input, int word);

  const UsageRecords& records() const { return m_records; }

 private:
  struct Highest {
    std::uint8_t type = 0;
    int input = -1;  // highest word used, -1 when none
    int output = -1;
  };
  UsageRecords m_records;
  void rebuildStations();

  std::map<int, Highest> m_stations;
};

}  // namespace zel::stl::code
