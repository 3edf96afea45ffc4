#include "ui/frame/help.h"

#include <QCoreApplication>
#include <system_error>

#include "app/project/documentation_open.h"
#include "platform/desktop.h"
#include "platform/message_box.h"

namespace zel::ui {

namespace {

constexpr const char* kManualIndex = "manual/index.html";

}  // namespace

std::optional<std::filesystem::path> HelpTopicsFile() {
  const std::filesystem::path candidates[] = {
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / kManualIndex,
      std::filesystem::current_path() / kManualIndex};
  for (const auto& candidate : candidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

bool OpenHelpTopics() {
  const auto file = HelpTopicsFile();
  const std::filesystem::path shown = file.value_or(kManualIndex);
  const auto result = file ? platform::OpenDocument(*file, file->parent_path())
                           : platform::OpenDocumentResult::FileNotFound;
  if (const auto failure = app::DocumentationOpenFailure(result, shown.string())) {
    platform::ShowMessageBox(*failure, platform::Buttons::Ok, platform::Icon::Error);
    return false;
  }
  return true;
}

}  // namespace zel::ui
