#pragma once
// Something that lives exactly as long as a project is open: the run-time library's
// script lists of the project's controller type are loaded when a project opens and
// freed when it closes. The project store does not know the library, so the library
// attaches itself to the model; the model tells it after every open and before every
// close.

namespace zel::app {

class ProjectModel;

class ProjectAttachment {
 public:
  virtual ~ProjectAttachment() = default;
  // The model is open: its name, file and type may be read.
  virtual void projectOpened(const ProjectModel& model) = 0;
  // The model is still open and about to close.
  virtual void projectClosing(const ProjectModel& model) = 0;
};

}  // namespace zel::app
