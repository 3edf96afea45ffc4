// The main frame's part for the statement-list editors: opening them, the commands that
// reach into them (insert, save, compile), the project's symbols they show, and the way
// from a compiler message back to its line.

#include <QFileDialog>
#include <QStatusBar>
#include <QTimer>

#include "app/text/text_format.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "stl/alloc/allocation_list.h"
#include "stl/check/check_output.h"
#include "stl/compile/compile_driver.h"
#include "stl/editor/called_module.h"
#include "stl/editor/insert.h"
#include "ui/allocation/allocation_entry_dialog.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/editor/module_call_dialog.h"
#include "ui/editor/operand_chooser_dialog.h"
#include "ui/editor/stl_shortcut_bar.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui/frame/main_frame.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// Ours: an entry the editor offered could not be written to the list.
constexpr std::string_view kMsgListNotSaved =
    "'%s'\n\nThe allocation list cannot be saved. The entry was not added.";

StlView* StlViewOf(const QMdiSubWindow* window) {
  return window ? qobject_cast<StlView*>(window->widget()) : nullptr;
}

QString EditorTitle(const app::ModuleRecord& module) {
  return QString("%1 - %2[*]")
      .arg(FromStored(module.fileName),
           FromStored(app::WindowInfo(app::WindowKind::StlEditor).title));
}

}  // namespace

std::vector<StlView*> MainFrame::stlViews() const {
  std::vector<StlView*> views;
  for (DocumentWindow* window : documentWindows()) {
    if (StlView* view = StlViewOf(window)) views.push_back(view);
  }
  return views;
}

StlView* MainFrame::activeStlView() const {
  return StlViewOf(m_mdi->activeSubWindow());
}

StlView* MainFrame::stlView(std::string_view fileName) const {
  DocumentWindow* window = findWindow(app::WindowKind::StlEditor, FromStored(fileName));
  return StlViewOf(window);
}

stl::ConversionContext MainFrame::editorContext() const {
  stl::ConversionContext context;
  context.elseForOtherwise = m_preferences.useElseInsteadOfOthrw();
  if (projectOpen()) {
    context.allocationList = &m_symbols;
    context.moduleComment = stl::ModuleCommentsOf(m_session->model().modules());
  }
  return context;
}

void MainFrame::reloadSymbols() {
  m_symbolsComplete = true;
  m_symbols.clear();
  if (!projectOpen()) return;
  const auto file = m_session->model().directory() / stl::kAllocationListFile;
  m_symbolsComplete = m_symbols.load(file) || !platform::PathExistsNoCase(file);
}

DocumentWindow* MainFrame::createStlEditor(const app::ModuleRecord& module) {
  if (!projectOpen()) return nullptr;
  const app::ProjectModel& model = m_session->model();
  auto view = std::make_unique<StlView>(model.modulePath(module), model.backupPath(module));
  if (!view->load(editorContext())) return nullptr;
  StlEditor* editor = view->editor();
  editor->enableLineCheck(view->moduleName(), model.directory());
  editor->setOfferAllocationEntries(m_preferences.promptForAllocationEntries());
  editor->setOfferHandler(
      [this](const stl::AllocationOffer& offer) { return offerAllocationEntry(offer); });
  if (const auto font = m_preferences.editorFont(logicalDpiY())) {
    editor->setFont(QFontOf(*font, logicalDpiY()));
  }
  StlView* shown = view.get();
  DocumentWindow* window = addWindow(app::WindowKind::StlEditor, FromStored(module.fileName),
                                     view.release(), QSize(640, 440));
  window->setWindowTitle(EditorTitle(module));
  window->setCloseGuard([shown] { return shown->maybeSave(); });
  connect(shown, &StlView::modificationChanged, window, &QWidget::setWindowModified);
  connect(editor->document(), &QTextDocument::undoAvailable, this, [this] { updateActions(); });
  connect(editor, &StlEditor::lineStatusChanged, this, [this, shown](const QString& status) {
    if (activeStlView() == shown) m_lineStatus->setText(status);
  });
  shown->setCompiling(m_compilation.running() && m_compilingFile == shown->file());
  return window;
}

// "AUTO_ALLOC_LIST": the entry dialog with the unknown symbol or operand filled in; the
// field to fill next takes the focus.
bool MainFrame::offerAllocationEntry(const stl::AllocationOffer& offer) {
  if (!projectOpen() || !m_symbolsComplete) return false;
  stl::EntryTexts texts;
  stl::EntryField active = stl::EntryField::Symbol;
  if (offer.kind == stl::OfferKind::Symbol) {
    texts.symbol = offer.text;
    active = stl::EntryField::Operand;
  } else {
    texts.operand = offer.text;
  }
  stl::AllocationList working = m_symbols;
  AllocationEntryDialog dialog(working, texts, active, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.entry()) return false;
  working.append(*dialog.entry());
  if (!working.save()) {
    platform::ShowMessageBox(app::FillText(kMsgListNotSaved, StoredPath(working.path())));
    return false;
  }
  m_symbols = std::move(working);
  if (AllocationListView* list = allocationList()) list->reload();
  // The committing editor shows the new comment itself; every editor colours anew.
  for (StlView* view : stlViews()) view->editor()->symbolsChanged();
  return true;
}

void MainFrame::symbolsChanged() {
  reloadSymbols();
  for (StlView* view : stlViews()) {
    view->editor()->symbolsChanged();
    view->editor()->checkLines();
  }
}

// --- Insert menu ---

void MainFrame::insertKeyword(const QString& text) {
  if (StlView* view = activeStlView()) {
    view->editor()->insertAtCaret(text);
    view->editor()->setFocus();
  }
}

void MainFrame::insertModuleCall() {
  StlView* view = activeStlView();
  if (!view || !projectOpen()) return;
  ModuleCallDialog dialog(m_session->model().modules(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  view->editor()->insertLinesAbove(FromStored(dialog.callText()));
  view->editor()->setFocus();
}

// From an editor the operand comes out of the list; elsewhere the command adds to it.
void MainFrame::insertOperand() {
  if (!projectCommandsAllowed()) return;
  if (StlView* view = activeStlView()) {
    OperandChooserDialog dialog(m_symbols, this);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenOperand().isEmpty()) return;
    view->editor()->insertAtCaret(QString(" %1 ").arg(dialog.chosenOperand()));
    view->editor()->setFocus();
    return;
  }
  openWindow({app::WindowKind::AllocList, std::nullopt});
  if (AllocationListView* list = allocationList()) list->insertOperand();
}

void MainFrame::rebuildStlInstructionMenu() {
  QMenu* menu = m_actions.stlInstruction;
  menu->clear();
  for (const auto& command : stl::KeywordInsertions(m_preferences.useElseInsteadOfOthrw())) {
    const QString text = FromStored(stl::InsertionText(command));
    menu->addAction(FromStored(command.label), this, [this, text] { insertKeyword(text); });
  }
  if (m_shortcutBar) m_shortcutBar->setElseForOtherwise(m_preferences.useElseInsteadOfOthrw());
}

void MainFrame::applyEditorPreferences() {
  rebuildStlInstructionMenu();
  const bool useElse = m_preferences.useElseInsteadOfOthrw();
  const bool prompt = m_preferences.promptForAllocationEntries();
  for (StlView* view : stlViews()) {
    view->editor()->setElseForOtherwise(useElse);
    view->editor()->setOfferAllocationEntries(prompt);
  }
}

// --- Program menu ---

bool MainFrame::saveProgram() {
  StlView* view = activeStlView();
  return view && view->save();
}

void MainFrame::saveProgramAs() {
  StlView* view = activeStlView();
  if (!view) return;
  const QString chosen =
      QFileDialog::getSaveFileName(this, tr("Save As"), FromStored(StoredPath(view->file())),
                                   tr("Statement List (*.awl *.AWL)"));
  if (!chosen.isEmpty()) view->saveCopyAs(chosen.toStdString());
}

bool MainFrame::saveAllPrograms() {
  bool all = true;
  for (StlView* view : stlViews()) {
    if (view->isModified()) all = view->save() && all;
  }
  return all;
}

// The module on disk is what the driver compiles, so the editor's text is saved first.
void MainFrame::compileProgram() {
  StlView* view = activeStlView();
  if (!view || !projectCommandsAllowed() || m_compilation.running()) return;
  if (view->isModified() && !view->save()) return;
  showMessageWindow(false);
  app::ClearMessages();
  const std::string directory = StoredPath(m_session->model().directory());
  if (!m_compilation.start(directory, view->moduleName())) return;
  m_compilingFile = view->file();
  view->setCompiling(true);
  setBusy(true);
}

// Progress goes to the status bar; a job's end gives the commands back.
platform::LParam MainFrame::jobMessage(const platform::Message& message) {
  const app::Job& archive = m_archive.job();
  if (message.wParam == archive.id() && archive.id() != 0) {
    if (message.id == app::JobProgressMessage()) {
      const app::JobProgress progress = archive.progress();
      statusBar()->showMessage(tr("%1 (%2 of %3)")
                                   .arg(FromStored(progress.text))
                                   .arg(progress.step)
                                   .arg(progress.steps));
    } else if (message.id == app::JobDoneMessage()) {
      archiveEnded();
    }
    return 0;
  }
  const app::Job& build = m_builder.job();
  if (message.wParam == build.id() && build.id() != 0) {
    if (message.id == app::JobProgressMessage()) {
      statusBar()->showMessage(FromStored(build.progress().text));
    } else if (message.id == app::JobDoneMessage()) {
      buildEnded();
    }
    return 0;
  }
  const app::Job& compile = m_compilation.job();
  if (message.wParam != compile.id()) return 0;
  if (message.id == app::JobProgressMessage()) {
    const app::JobProgress progress = compile.progress();
    statusBar()->showMessage(
        tr("%1 (%2 of %3)").arg(FromStored(progress.text)).arg(progress.step).arg(progress.steps));
  } else if (message.id == app::JobDoneMessage()) {
    compileEnded();
  }
  return 0;
}

void MainFrame::compileEnded() {
  m_compilation.wait();  // the worker has posted its last message and is ending
  for (StlView* view : stlViews()) {
    if (view->compiling()) view->setCompiling(false);
  }
  m_compilingFile.clear();
  setBusy(false);
  statusBar()->showMessage(tr("%1 Error(s)").arg(m_compilation.errorCount()), 5000);
}

// A double click on "NAME.AWL(line) ..." in the message window.
bool MainFrame::goToMessageLine(const QString& line) {
  const auto location = stl::SourceLocationOf(ToStored(line));
  if (!location || !openWindowByName(location->module)) return false;
  StlView* view = activeStlView();
  if (!view) return false;
  view->editor()->selectLine(location->line);
  view->editor()->setFocus();
  return true;
}

// --- Module editors of the project operations ---

void MainFrame::saveModuleEditor(const app::ModuleRecord& module) {
  if (StlView* view = stlView(module.fileName); view && view->isModified()) view->save();
}

bool MainFrame::saveModifiedDocuments() {
  for (StlView* view : stlViews()) {
    if (!view->maybeSave()) return false;
  }
  return true;
}

void MainFrame::moduleRenamed(const app::ModuleRecord& from, const app::ModuleRecord& to) {
  for (auto& kept : m_keptDocuments) {
    if (platform::EqualsNoCase(kept.name, from.fileName)) kept.name = to.fileName;
  }
  DocumentWindow* window = findWindow(app::WindowKind::StlEditor, FromStored(from.fileName));
  StlView* view = StlViewOf(window);
  if (!view || !projectOpen()) return;
  const app::ProjectModel& model = m_session->model();
  view->retarget(model.modulePath(to), model.backupPath(to));
  window->rename(FromStored(to.fileName));
  window->setWindowTitle(EditorTitle(to));
}

}  // namespace zel::ui
