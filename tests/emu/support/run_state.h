#pragma once
// The fields of its own header in which a compiled module keeps where it goes on.

#include <cstddef>

namespace zel::emu {

inline constexpr std::size_t kResumeField = 0x1C;       // 0: from the start
inline constexpr std::size_t kSavedResumeField = 0x1E;  // while a CMP runs
inline constexpr std::size_t kConditionField = 0x20;    // step programs
inline constexpr std::size_t kActiveStepField = 0x22;   // step programs

}  // namespace zel::emu
