#include "ui/frame/text_file_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QVBoxLayout>
#include <string>

#include "app/text/text_format.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_geometry.h"
#include "ui/widgets/window_icons.h"

namespace zel::ui {

namespace {

constexpr std::string_view kMsgSaveChanges = "'%s'\n\nSave the changes to this file?";
constexpr std::string_view kMsgSaveFailed = "'%s'\n\nFailed to save the file.";

}  // namespace

TextFileWindow::TextFileWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("TextFileWindow");
  setWindowIcon(ApplicationIcon());
  m_editor = new QPlainTextEdit(this);
  m_editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_editor);
  auto* saveAction = new QAction(this);
  saveAction->setShortcut(QKeySequence::Save);
  connect(saveAction, &QAction::triggered, this, [this] { save(); });
  addAction(saveAction);
  connect(m_editor->document(), &QTextDocument::modificationChanged, this,
          [this] { updateTitle(); });
  resize(640, 480);
}

bool TextFileWindow::open(const std::filesystem::path& file) {
  const auto bytes = platform::ReadWholeFile(file);
  if (!bytes) return false;
  m_file = file;
  m_crlf = bytes->find("\r\n") != std::string::npos;
  m_editor->setPlainText(FromStored(*bytes));
  m_editor->document()->setModified(false);
  updateTitle();
  if (!isVisible() && parentWidget()) PlaceOnScreen(*this, *parentWidget());
  show();
  raise();
  activateWindow();
  return true;
}

bool TextFileWindow::save() {
  QString text = m_editor->toPlainText();
  if (m_crlf) text.replace('\n', QStringLiteral("\r\n"));
  if (platform::WriteFileAtomically(m_file, ToStored(text))) {
    m_editor->document()->setModified(false);
    return true;
  }
  platform::ShowMessageBox(app::FillText(kMsgSaveFailed, StoredPath(m_file)), platform::Buttons::Ok,
                           platform::Icon::Error);
  return false;
}

void TextFileWindow::closeEvent(QCloseEvent* event) {
  if (m_editor->document()->isModified()) {
    const auto answer =
        platform::ShowMessageBox(app::FillText(kMsgSaveChanges, StoredPath(m_file)),
                                 platform::Buttons::YesNoCancel, platform::Icon::Question);
    if (answer == platform::Answer::Cancel || (answer == platform::Answer::Yes && !save())) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

void TextFileWindow::updateTitle() {
  const QString name = QString::fromStdString(m_file.filename().string());
  setWindowTitle(m_editor->document()->isModified() ? name + " *" : name);
}

}  // namespace zel::ui
