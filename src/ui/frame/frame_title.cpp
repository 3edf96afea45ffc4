#include "ui/frame/frame_title.h"

#include "app/project/controller_type.h"

namespace zel::ui {

std::string FrameTitle(const app::ProjectModel& model) {
  std::string title(app::kApplicationTitle);
  if (!model.isOpen()) return title;
  // The project part "%s (%s) - " and the type label follow the application title.
  return title + " - " + model.name() + " (" + model.file().comment() + ") - " +
         app::TypeLabel(model.target());
}

std::string ProjectStatus(const app::ProjectModel& model) {
  if (!model.isOpen()) return {};
  return model.name() + " - " + app::TypeLabel(model.target());
}

}  // namespace zel::ui
