#include "build_fixture.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::build::test {

namespace fs = std::filesystem;

BuildFixture::BuildFixture() {
  fs::copy(ZEL_DEMO_DIR, m_dir.path(), fs::copy_options::recursive);
}

BuildRequest BuildFixture::request(BuildMode mode, std::string_view project) const {
  BuildRequest request;
  request.mode = mode;
  request.programDirectory = programDirectory();
  request.projectsDirectory = projectsDirectory();
  request.projectName = project;
  request.productVersion = "4.0.0";
  request.clock = [] { return kBuildTime; };
  request.userName = [] { return std::string(kUser); };
  request.timeText = [](std::int64_t t) {
    // A fixed zone: the text must not depend on where the test runs.
    char text[32];
    const std::time_t time = static_cast<std::time_t>(t);
    std::tm parts{};
    gmtime_r(&time, &parts);
    std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y\n", &parts);
    return std::string(text);
  };
  request.commandTimeLimit = std::chrono::seconds(20);
  return request;
}

std::string BuildFixture::build(BuildMode mode, std::string_view project, BuildCounts* counts) {
  return build(request(mode, project), counts);
}

std::string BuildFixture::build(const BuildRequest& request, BuildCounts* counts) {
  const auto collect = [this](std::string_view text) { m_text.append(text); };
  Builder builder(0, BuildOutput{collect, collect, {}});
  if (builder.start(request)) builder.wait();
  if (counts) *counts = builder.counts();
  return m_text.take();
}

void BuildFixture::settleTimes(std::string_view project, std::int64_t t) const {
  const fs::path dir = projectDirectory(project);
  for (const auto& entry : platform::ListDirectory(dir)) {
    const bool object = entry.name.size() > 4 && platform::WildcardMatch("*.OBJ", entry.name);
    platform::SetFileModTime(dir / entry.name, object ? t + 10 : t);
  }
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

}  // namespace zel::build::test
