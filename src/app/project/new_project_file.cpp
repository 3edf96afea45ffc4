#include "app/project/new_project_file.h"

#include <array>
#include <string_view>

#include "app/project/controller_type.h"
#include "platform/desktop.h"
#include "platform/timebase.h"

namespace zel::app {

namespace {

constexpr std::string_view kNoUserName = "NOBODY";
constexpr std::string_view kNewProjectComment = "No comment";

// RUD and VM0X controllers always carry their base IO module, so their IO configuration
// starts with it (entry format of the IO configuration: script, then three numbers).
struct BaseIoModule {
  std::string_view section;
  std::string_view entry;
};
constexpr std::array<BaseIoModule, 2> kBaseIoModules{{
    {"RUD_IO", "RUD.IOD,0,0,0"},
    {"VM0X_IO", "VM0X.IOD,0,0,0"},
}};
constexpr std::string_view kFirstIoKey = "IO_0";

}  // namespace

std::string CreationStamp(std::int64_t t) {
  std::string user = platform::UserLoginName().value_or(std::string{});
  if (user.empty()) user = kNoUserName;
  return std::string(kApplicationTitle) + ": " + platform::LocaleDateTime(t) + " by " + user;
}

bool WriteNewProjectFile(const ProjectFile& file, std::int64_t now) {
  bool ok = file.setCreated(CreationStamp(now));
  ok = file.setTarget(kNewProjectType) && ok;
  ok = file.setComment(kNewProjectComment) && ok;
  ok = file.write(kSectionProject, "USE_MPRAM_IO", "0") && ok;
  for (const auto& base : kBaseIoModules) {
    file.removeSection(base.section);
    ok = file.write(base.section, kFirstIoKey, base.entry) && ok;
  }
  return file.setTimestamp(now) && ok;
}

}  // namespace zel::app
