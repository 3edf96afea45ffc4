#pragma once
// The small allocation list the check tests resolve symbols against.

#include <string_view>

#include "stl/alloc/allocation_list.h"

namespace zel::stl::testing {

// MOTOR O0.5, Sensor I0.3, LEVEL FW10, T_ON T4, CNT C2, BUS I1.0.3.
AllocationList TestSymbols();

// The stored program as CR LF lines.
std::string Lines(std::initializer_list<std::string_view> lines);

}  // namespace zel::stl::testing
