// The main frame's commands for compiled modules and the cross reference: importing a
// module file or one of the run-time library's, and the cross reference in a window.

#include <QFileDialog>

#include "app/shell/message_service.h"
#include "build/cross_reference.h"
#include "build/module_import.h"
#include "build/project_build.h"
#include "platform/files.h"
#include "stl/alloc/allocation_list.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/text_file_window.h"
#include "ui/project/import_module_dialog.h"
#include "ui/project/library_import_dialog.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr std::size_t kCrossReferenceWidth = 80;

}  // namespace

void MainFrame::importModule() {
  if (!projectCommandsAllowed()) return;
  const QString chosen = QFileDialog::getOpenFileName(
      this, tr("Import Module"), FromStored(StoredPath(m_preferences.programDirectory())),
      tr("Compiled modules (*.OBJ *.obj);;All files (*)"), nullptr,
      QFileDialog::DontUseNativeDialog);
  if (chosen.isEmpty()) return;
  importModuleFile(std::filesystem::path(chosen.toStdString()));
}

void MainFrame::importModuleFile(const std::filesystem::path& file) {
  if (!projectCommandsAllowed()) return;
  build::ImportModule(m_session->model(), this, file, [this](const app::ModuleEntry& preset) {
    return ImportModuleDialog::Ask(preset, this);
  });
}

void MainFrame::importFromLibrary() {
  if (!projectCommandsAllowed()) return;
  LibraryImportDialog dialog(m_session->model(), this, m_preferences.programDirectory(), this);
  dialog.exec();
}

void MainFrame::crossReference() {
  if (!projectCommandsAllowed()) return;
  const app::ProjectModel& model = m_session->model();
  // The cross reference's progress goes to the message window, as a build's does.
  showMessageWindow(false);
  build::MessageWindowLog log;
  build::CrossReference xref;
  if (!xref.build(build::CrossReferenceProjectOf(model, m_preferences.programDirectory()), log)) {
    return;
  }
  stl::AllocationList symbols;
  if (const auto file = platform::FindPathNoCase(model.directory() / app::kAllocListFileName)) {
    symbols.load(*file);  // a list that stops early still names what it holds
  }
  const auto lines = xref.list(kCrossReferenceWidth, symbols);
  const auto file = model.directory() / build::kCrossReferenceFileName;
  if (!build::WriteCrossReferenceFile(model.directory(), lines)) {
    log.print("Cross Reference: Cannot access " + StoredPath(file) + "\r\n");
    return;
  }
  if (!m_xrefWindow) {
    m_xrefWindow = new TextFileWindow(this);
    m_xrefWindow->setObjectName("CrossReferenceWindow");
    m_xrefWindow->editor()->setReadOnly(true);
    addCrossReferencePrint(*m_xrefWindow);
  }
  m_xrefWindow->open(platform::FindPathNoCase(file).value_or(file));
}

}  // namespace zel::ui
