// Driver scripts come from vendors and users: any bytes must read as a script (its list
// entry, targets, needed files, options and their checks) without a crash or a hang.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/tools/replace_tokens.h"
#include "library/driver_option.h"
#include "library/driver_script.h"

namespace {

using namespace zel::library;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const DriverScript script = DriverScript::parse(text, "FUZZ");
  const DriverInfo info = script.info();
  Check(info.description.size() <= kDriverDescriptionMax);
  (void)TargetSupports(script.targets(), "VM1X");
  zel::app::TokenValues tokens;
  tokens.programDirectory = "/zel";
  tokens.type = "VM1X";
  tokens.projectDirectory = "/zel/Projects";
  for (const auto& value : script.needFileValues()) {
    Check(!value.empty() && value.size() <= kNeedFileMax);
    (void)zel::app::ReplaceTokens(value, tokens, zel::app::TokenMode::Install);
  }
  const auto options = script.options();
  Check(options.size() <= kMaxDriverOptions);
  for (const auto& option : options) {
    Check(option.description.size() <= kOptionDescriptionMax);
    (void)CheckOptionValue(option, option.defaultValue);
  }
  return 0;
}
