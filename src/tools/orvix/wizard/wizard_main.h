#pragma once
// The converter started without arguments: the start-up check, then the wizard.

#include <filesystem>

namespace zel::orvix {

int RunWizard(int argc, char** argv, const std::filesystem::path& programDirectory);

}  // namespace zel::orvix
