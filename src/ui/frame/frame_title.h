#pragma once
// The main frame's title: the application title, and with a project open its name,
// comment and controller type label.

#include <string>

#include "app/project/project_model.h"

namespace zel::ui {

// "ZEL" or "ZEL - DEMO (Bottling line) - VM1X", in the project file's encoding.
std::string FrameTitle(const app::ProjectModel& model);
// The status bar's part of it: "DEMO - VM1X"; empty without a project.
std::string ProjectStatus(const app::ProjectModel& model);

}  // namespace zel::ui
