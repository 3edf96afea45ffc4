#pragma once
// The step labels of a program, numbered from 1 in the order the STEPs define them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::stl {

inline constexpr std::size_t kMaxSteps = 255;

class StepTable {
 public:
  enum class Added { Yes, Duplicate, Full };

  // A label already there is a duplicate even when the table is full.
  Added add(std::string_view label);
  // The step number of a label; nothing for an unknown or empty label.
  std::optional<int> numberOf(std::string_view label) const;
  std::size_t size() const { return m_labels.size(); }

 private:
  std::vector<std::string> m_labels;
};

}  // namespace zel::stl
