#pragma once
// The controller settings as the project documentation prints them: a heading, then
// blocks of "label: value" lines with the labels padded to one column.

#include <cstddef>
#include <string>

#include "app/settings/controller_settings.h"

namespace zel::app {

inline constexpr std::size_t kSummaryLabelWidth = 30;

// Lines end with "\n"; an empty line stands before each block.
std::string SettingsSummary(const ControllerSettingsValues& values);

}  // namespace zel::app
