#include "stl/check/step_table.h"

#include <algorithm>

namespace zel::stl {

StepTable::Added StepTable::add(std::string_view label) {
  // Compared as written: a second STEP without a label repeats the first one's.
  if (std::find(m_labels.begin(), m_labels.end(), label) != m_labels.end()) return Added::Duplicate;
  if (m_labels.size() >= kMaxSteps) return Added::Full;
  m_labels.emplace_back(label);
  return Added::Yes;
}

std::optional<int> StepTable::numberOf(std::string_view label) const {
  if (label.empty()) return std::nullopt;
  const auto found = std::find(m_labels.begin(), m_labels.end(), label);
  if (found == m_labels.end()) return std::nullopt;
  return static_cast<int>(found - m_labels.begin()) + 1;
}

}  // namespace zel::stl
