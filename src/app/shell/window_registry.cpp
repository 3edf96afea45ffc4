#include "app/shell/window_registry.h"

#include "app/modules/module_messages.h"
#include "platform/message_box.h"
#include "platform/no_case.h"

namespace zel::app {

namespace {

constexpr std::array<WindowKindInfo, 11> kRegistry = {{
    {WindowKind::StlEditor, "Statement List", ""},
    {WindowKind::LadderEditor, "Ladder Diagram", ""},
    {WindowKind::AllocList, "Allocation List", "AllocList"},
    {WindowKind::MessageWindow, "Message Window", ""},
    {WindowKind::ProjectTree, "Project Tree", "ProjectTree"},
    {WindowKind::IoConfig, "IO Configuration", "IOConfig"},
    {WindowKind::DriverConfig, "Driver Configuration", "Drivers"},
    {WindowKind::OnlineDisplay, "Online Display", "OnlineDisplay"},
    {WindowKind::CiTerminal, "CI Terminal", "OnlineTerminal"},
    {WindowKind::ControlPanel, "Online Control Panel", "OnlineControlPanel"},
    {WindowKind::FileTransfer, "ZEL File Transfer", "OnlineFileTransfer"},
}};

std::optional<WindowKind> EditorFor(Language language) {
  switch (language) {
    case Language::Stl:
      return WindowKind::StlEditor;
    case Language::Ladder:
      return WindowKind::LadderEditor;
    case Language::Imported:
    case Language::Unknown:
      break;
  }
  return std::nullopt;
}

}  // namespace

const std::array<WindowKindInfo, 11>& WindowRegistry() {
  return kRegistry;
}

const WindowKindInfo& WindowInfo(WindowKind kind) {
  for (const auto& info : kRegistry) {
    if (info.kind == kind) return info;
  }
  return kRegistry.front();
}

std::optional<WindowKind> KindOfWindowName(std::string_view name) {
  for (const auto& info : kRegistry) {
    if (!info.windowName.empty() && platform::EqualsNoCase(info.windowName, name)) return info.kind;
  }
  return std::nullopt;
}

WindowResolution ResolveWindowName(std::string_view name, ProjectModel& model) {
  if (const auto kind = KindOfWindowName(name)) return {WindowTarget{*kind, std::nullopt}, {}};
  if (const ModuleRecord* module = model.findModuleByName(name)) {
    if (const auto editor = EditorFor(module->language)) {
      return {WindowTarget{*editor, *module}, {}};
    }
  }
  return {std::nullopt, FillText(kMsgFailedToOpenProgram, name)};
}

bool OpenWindowByName(std::string_view name, ProjectModel& model, const WindowOpener& open) {
  const WindowResolution resolution = ResolveWindowName(name, model);
  if (!resolution.target) {
    platform::ShowMessageBox(resolution.failure, platform::Buttons::Ok, platform::Icon::Error);
    return false;
  }
  return open(*resolution.target);
}

}  // namespace zel::app
