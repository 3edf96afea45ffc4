#include "build/xref_import_fixture.h"

#include "app/project/exclusion_file.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/timebase.h"
#include "stl/codegen/object_file.h"

namespace zel::build::testing {

std::string ModuleFile(const stl::code::UsageRecords& usage, std::uint16_t language,
                       std::uint16_t minor, std::size_t code) {
  const auto bytes = stl::ObjectFileBytes(std::vector<std::uint8_t>(code, 0x90), usage);
  std::string file(bytes.begin(), bytes.end());
  file[2] = static_cast<char>(language & 0xFF);
  file[3] = static_cast<char>(language >> 8);
  file[4] = static_cast<char>(minor & 0xFF);
  file[5] = static_cast<char>(minor >> 8);
  return file;
}

void ProjectFixture::setTime(const std::string& name, std::int64_t t) const {
  ASSERT_TRUE(platform::SetFileTime(m_dir / name, t)) << name;
}

}  // namespace zel::build::testing
