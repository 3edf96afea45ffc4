#include "ui/editor/stl_view.h"

#include <QVBoxLayout>

#include "app/text/text_format.h"
#include "platform/message_box.h"
#include "stl/editor/editor_messages.h"
#include "stl/editor/program_file.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// Ours: the program file could not be read or written.
constexpr std::string_view kMsgCannotRead = "'%s'\n\nThe program file cannot be read.";
constexpr std::string_view kMsgCannotWrite =
    "'%s'\n\nThe program file cannot be written. The program stays in the editor.";
constexpr std::string_view kMsgSaveChanges = "Save changes to '%s'?";
// A damaged file can hold thousands of bad lines; the user is told about the first ones
// line by line and about the rest at once.
constexpr std::size_t kInvalidLinesShown = 10;
constexpr const char* kMsgMoreInvalidLines = "%d more lines of this file have an invalid format.";

void Tell(std::string text, platform::Icon icon = platform::Icon::Warning) {
  platform::ShowMessageBox(std::move(text), platform::Buttons::Ok, icon);
}

}  // namespace

StlView::StlView(std::filesystem::path file, std::filesystem::path backup, QWidget* parent)
    : QWidget(parent),
      m_file(std::move(file)),
      m_backup(std::move(backup)),
      m_editor(new StlEditor(this)),
      m_banner(new QLabel(this)) {
  m_banner->setObjectName("CompileBanner");
  m_banner->setStyleSheet("QLabel { background: #fff3b0; padding: 3px; }");
  m_banner->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_banner);
  layout->addWidget(m_editor, 1);
  setFocusProxy(m_editor);
  connect(m_editor->document(), &QTextDocument::modificationChanged, this,
          &StlView::modificationChanged);
}

bool StlView::load(const stl::ConversionContext& context) {
  m_editor->setContext(context);
  const stl::ProgramLoad loaded = stl::LoadProgramFile(m_file, context);
  if (!loaded.readable) {
    Tell(app::FillText(kMsgCannotRead, StoredPath(m_file)), platform::Icon::Error);
    return false;
  }
  if (loaded.document.outOfMemory) {
    Tell(std::string(stl::kMsgOutOfMemory), platform::Icon::Error);
    return false;
  }
  m_editor->setDisplayLines(loaded.document.lines);
  reportInvalidLines(loaded.document.invalidLines);
  return true;
}

void StlView::reportInvalidLines(const std::vector<int>& lines) {
  for (std::size_t i = 0; i < lines.size() && i < kInvalidLinesShown; ++i) {
    Tell(stl::InvalidFileFormatMessage(lines[i]));
  }
  if (lines.size() > kInvalidLinesShown) {
    Tell(
        app::FormatText(kMsgMoreInvalidLines, static_cast<int>(lines.size() - kInvalidLinesShown)));
  }
}

bool StlView::isModified() const {
  return m_editor->document()->isModified();
}

bool StlView::write(const std::filesystem::path& file, const std::filesystem::path& backup) {
  m_editor->commitAll();
  const stl::ProgramSave saved =
      stl::SaveProgramFile(file, backup, ToStored(m_editor->toPlainText()));
  if (saved.outOfMemory) {
    Tell(std::string(stl::kMsgOutOfMemory), platform::Icon::Error);
    return false;
  }
  if (!saved.written) {
    Tell(app::FillText(kMsgCannotWrite, StoredPath(file)), platform::Icon::Error);
    return false;
  }
  return true;
}

bool StlView::save() {
  if (!write(m_file, m_backup)) return false;
  m_editor->document()->setModified(false);
  return true;
}

bool StlView::saveCopyAs(const std::filesystem::path& file) {
  return write(file, {});
}

bool StlView::maybeSave() {
  if (!isModified()) return true;
  const auto answer =
      platform::ShowMessageBox(app::FillText(kMsgSaveChanges, StoredPath(m_file.filename())),
                               platform::Buttons::YesNoCancel, platform::Icon::Question);
  if (answer == platform::Answer::Cancel) return false;
  return answer == platform::Answer::No || save();
}

void StlView::retarget(std::filesystem::path file, std::filesystem::path backup) {
  m_file = std::move(file);
  m_backup = std::move(backup);
}

std::string StlView::moduleName() const {
  return StoredPath(m_file.filename()).substr(0, 8);
}

namespace {

QTextDocument::FindFlags FlagsOf(const stl::FindOptions& options) {
  QTextDocument::FindFlags flags;
  if (options.matchCase) flags |= QTextDocument::FindCaseSensitively;
  if (!options.down) flags |= QTextDocument::FindBackward;
  return flags;
}

bool SelectionMatches(const QTextCursor& cursor, const stl::FindOptions& options) {
  const auto sensitivity = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  return cursor.hasSelection() &&
         cursor.selectedText().compare(FromStored(options.text), sensitivity) == 0;
}

}  // namespace

void StlView::showFindDialog(bool replace) {
  ShowFindReplace(m_find, *this, replace,
                  {[this](const stl::FindOptions& options) { findNext(options); },
                   [this](const stl::FindOptions& options, const std::string& text) {
                     replaceCurrent(options, FromStored(text));
                   },
                   [this](const stl::FindOptions& options, const std::string& text) {
                     replaceAll(options, FromStored(text));
                   }});
}

// From the caret on, without wrapping, like the allocation list's search.
bool StlView::findNext(const stl::FindOptions& options) {
  if (!options.text.empty() && m_editor->find(FromStored(options.text), FlagsOf(options))) {
    return true;
  }
  platform::ShowMessageBox(stl::CannotFindMessage(options.text));
  return false;
}

// The found text is replaced and the next one found; a replaced line is committed like a
// typed one when the caret leaves it.
void StlView::replaceCurrent(const stl::FindOptions& options, const QString& replacement) {
  QTextCursor cursor = m_editor->textCursor();
  if (SelectionMatches(cursor, options)) cursor.insertText(replacement);
  m_editor->setTextCursor(cursor);
  findNext(options);
}

int StlView::replaceAll(const stl::FindOptions& options, const QString& replacement) {
  if (options.text.empty()) return 0;
  QTextDocument::FindFlags flags = FlagsOf(options) & ~QTextDocument::FindBackward;
  QTextCursor edit(m_editor->document());
  edit.beginEditBlock();
  int count = 0;
  for (QTextCursor found = m_editor->document()->find(FromStored(options.text), 0, flags);
       !found.isNull();
       found = m_editor->document()->find(FromStored(options.text), found, flags)) {
    found.insertText(replacement);
    ++count;
  }
  edit.endEditBlock();
  if (count == 0) platform::ShowMessageBox(stl::CannotFindMessage(options.text));
  return count;
}

void StlView::setCompiling(bool running) {
  m_compiling = running;
  m_banner->setText(tr("Compiling %1 ...").arg(FromStored(moduleName())));
  m_banner->setVisible(running);
}

}  // namespace zel::ui
