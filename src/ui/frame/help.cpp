#include "ui/frame/help.h"

#include <QCoreApplication>
#include <string>
#include <system_error>

#include "platform/message_box.h"

namespace zel::ui {

namespace {

constexpr std::string_view kManualDir = "manual";
constexpr std::string_view kIndexPage = "index.html";

}  // namespace

std::optional<std::filesystem::path> ManualDirectory() {
  const std::filesystem::path candidates[] = {
      std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / kManualDir,
      std::filesystem::current_path() / kManualDir};
  for (const auto& candidate : candidates) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate / kIndexPage, ec)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> HelpTopicsFile() {
  if (const auto dir = ManualDirectory()) return *dir / kIndexPage;
  return std::nullopt;
}

std::string_view ManualPage(std::optional<app::WindowKind> kind) {
  if (!kind) return kIndexPage;
  switch (*kind) {
    case app::WindowKind::StlEditor:
    case app::WindowKind::LadderEditor:
      return "editor.html";
    case app::WindowKind::AllocList:
      return "allocation.html";
    case app::WindowKind::MessageWindow:
      return "messages.html";
    case app::WindowKind::ProjectTree:
      return "modules.html";
    case app::WindowKind::DriverConfig:
      return "drivers.html";
    default:
      return kIndexPage;
  }
}

bool OpenHelpPage(std::string_view page, const app::OwnViewer& viewer) {
  const auto dir = ManualDirectory();
  // Without a manual the message names the file it looked for, as the user knows it.
  const std::filesystem::path file =
      dir ? *dir / page : std::filesystem::path(kManualDir) / kIndexPage;
  return app::OpenWithDesktopOr(file, viewer);
}

}  // namespace zel::ui
