#pragma once
// The kinds of document window the main frame knows, their titles and the names under
// which section "WINDOWS" of a project file remembers them, and how a remembered name
// turns back into a window to open.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/modules/module.h"
#include "app/project/project_model.h"

namespace zel::app {

enum class WindowKind {
  StlEditor,
  LadderEditor,
  AllocList,
  MessageWindow,
  ProjectTree,
  IoConfig,
  DriverConfig,
  OnlineDisplay,
  CiTerminal,
  ControlPanel,
  FileTransfer,
};

struct WindowKindInfo {
  WindowKind kind;
  std::string_view title;
  // Empty for the editors (named after their module's file) and the message window
  // (never reopened by name).
  std::string_view windowName;
};

inline constexpr std::string_view kMsgFailedToOpenProgram = "'%s'\n\nFailed to open this program.";
inline constexpr std::string_view kMsgLadderNotImplemented =
    "Sorry, Ladder Diagram is not yet implemented in this version.";

const std::array<WindowKindInfo, 11>& WindowRegistry();
const WindowKindInfo& WindowInfo(WindowKind kind);
// The kind whose fixed window name this is ("AllocList", "OnlineDisplay", ...).
std::optional<WindowKind> KindOfWindowName(std::string_view name);

struct WindowTarget {
  WindowKind kind = WindowKind::StlEditor;
  std::optional<ModuleRecord> module;  // for the editors
};

struct WindowResolution {
  std::optional<WindowTarget> target;
  std::string failure;  // the text to show when there is no target
};

// A fixed name opens its window; any other name is a module of the open project, opened
// in the editor of its language. Imported modules and unknown languages cannot open.
WindowResolution ResolveWindowName(std::string_view name, ProjectModel& model);

// Opens (or activates) the window through `open`; an unresolvable name shows the failure
// text and opens nothing. False when nothing was opened.
using WindowOpener = std::function<bool(const WindowTarget& target)>;
bool OpenWindowByName(std::string_view name, ProjectModel& model, const WindowOpener& open);

}  // namespace zel::app
