#pragma once
// A real project directory opened in a ProjectModel, for the cross reference and the
// module import, and compiled module files made by the code generator's own writer.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/module_test_project.h"
#include "stl/codegen/translator.h"

namespace zel::build::testing {

namespace fs = std::filesystem;

// A compiled module of `language` with the usage records `usage`; `minor` is the format's
// minor version, `code` the machine code between header and records.
std::string ModuleFile(const stl::code::UsageRecords& usage = {}, std::uint16_t language = 0,
                       std::uint16_t minor = 0x24, std::size_t code = 16);

// The project store's module fixture, with what the cross reference's tests set.
class ProjectFixture : public app::testing::ModuleProjectTest {
 protected:
  void setTime(const std::string& name, std::int64_t t) const;
};

}  // namespace zel::build::testing
