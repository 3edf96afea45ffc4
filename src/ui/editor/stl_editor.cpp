#include "ui/editor/stl_editor.h"

#include <QFontDatabase>
#include <QTextDocument>
#include <algorithm>

#include "platform/message_box.h"
#include "stl/editor/display.h"
#include "stl/editor/editor_messages.h"
#include "stl/editor/store.h"
#include "ui/editor/stl_highlighter.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// A line's revision says whether it changed since its last commit: the document gives
// every changed line its current revision (and undo gives back the old one), the editor
// marks committed lines with this value, which no edit ever produces.
constexpr int kCommittedRevision = -1;

QString JoinDisplayLines(const std::vector<std::string>& lines) {
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) shown.push_back(FromStored(line));
  return shown.join(QChar('\n'));
}

}  // namespace

StlEditor::StlEditor(QWidget* parent)
    : QPlainTextEdit(parent), m_highlighter(new StlHighlighter(document())) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  connect(document(), &QTextDocument::contentsChange, this, &StlEditor::contentsChanged);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &StlEditor::caretMoved);
  connect(this, &QPlainTextEdit::blockCountChanged, this,
          [this] { emit lineStatusChanged(lineStatus()); });
}

// Tearing the text down moves the caret; nothing may be committed then, since the list
// and the module comments the context points at may already be gone.
StlEditor::~StlEditor() {
  m_selfEdit = true;
  disconnect(document(), nullptr, this, nullptr);
  disconnect(this, nullptr, this, nullptr);
}

void StlEditor::setContext(stl::ConversionContext context) {
  m_context = std::move(context);
}

void StlEditor::setDisplayLines(const std::vector<std::string>& lines) {
  m_selfEdit = true;
  setPlainText(JoinDisplayLines(lines));
  markCommitted(document()->firstBlock(), document()->blockCount());
  m_pending.clear();
  document()->setModified(false);
  m_selfEdit = false;
  emit lineStatusChanged(lineStatus());
}

QString StlEditor::lineStatus() const {
  return QString("Line %1/%2").arg(caretLine()).arg(lineCount());
}

bool StlEditor::isCommitted(const QTextBlock& block) const {
  return block.revision() == kCommittedRevision;
}

void StlEditor::markCommitted(QTextBlock block, int count) {
  for (int i = 0; i < count && block.isValid(); ++i, block = block.next()) {
    block.setRevision(kCommittedRevision);
  }
}

bool StlEditor::hasPendingLines() const {
  return std::any_of(m_pending.begin(), m_pending.end(), [this](const PendingRange& range) {
    for (QTextBlock block = range.first.block(); block.isValid(); block = block.next()) {
      if (!isCommitted(block)) return true;
      if (block == range.last.block()) break;
    }
    return false;
  });
}

// Every line the change touched waits for its commit. Colouring reports changes too; its
// lines keep their revision, so a single committed line is no change.
void StlEditor::contentsChanged(int position, int /*removed*/, int added) {
  if (m_selfEdit) return;
  const QTextBlock first = document()->findBlock(position);
  const QTextBlock last = document()->findBlock(position + added);
  if (!first.isValid()) return;
  if (first == last && isCommitted(first)) return;
  queueRange(first, last.isValid() ? last : first);
}

// Typing queues its line once: it is the range queued last.
void StlEditor::queueRange(const QTextBlock& first, const QTextBlock& last) {
  if (!m_pending.empty()) {
    const PendingRange& previous = m_pending.back();
    if (previous.first.block() == first && previous.last.block() == last) return;
  }
  m_pending.push_back({QTextCursor(first), QTextCursor(last)});
}

void StlEditor::caretMoved() {
  if (m_selfEdit) return;
  emit lineStatusChanged(lineStatus());
  if (m_commitQueued) return;
  m_commitQueued = true;
  QMetaObject::invokeMethod(this, &StlEditor::commitLeftLines, Qt::QueuedConnection);
}

void StlEditor::commitLeftLines() {
  m_commitQueued = false;
  commitPendingExcept(textCursor().block());
}

void StlEditor::commitPendingExcept(const QTextBlock& keep) {
  std::vector<PendingRange> pending;
  pending.swap(m_pending);
  for (const PendingRange& range : pending) commitRange(range, keep);
}

// A line's handle stays valid while the lines before it are replaced, so the walk goes on
// from the line that followed the committed one. A line queued twice is committed once:
// the second time it is found committed.
void StlEditor::commitRange(const PendingRange& range, const QTextBlock& keep) {
  QTextBlock block = range.first.block();
  while (block.isValid()) {
    const bool lastOne = block == range.last.block();
    const QTextBlock next = block.next();
    if (block == keep) {
      if (!isCommitted(block)) queueRange(block, block);
    } else if (!isCommitted(block)) {
      commitBlock(block, false);
    }
    if (lastOne) break;
    block = next;
  }
}

void StlEditor::commitAll() {
  const QTextBlock caret = textCursor().block();
  if (!isCommitted(caret)) commitBlock(caret, true);
  commitPendingExcept({});
}

void StlEditor::commitBlock(QTextBlock block, bool caretInside) {
  const QString typed = block.text();
  const int first = block.blockNumber();
  const int caretColumn = textCursor().positionInBlock();
  stl::CommitResult result =
      stl::CommitLine(ToStored(typed), m_context, m_offerEntries && m_offerHandler);
  if (result.outOfMemory) {
    markCommitted(block, 1);
    platform::ShowMessageBox(std::string(stl::kMsgOutOfMemory), platform::Buttons::Ok,
                             platform::Icon::Error);
    return;
  }
  const QString shown = JoinDisplayLines(result.displayLines);
  replaceBlock(block, shown, static_cast<int>(result.displayLines.size()));
  if (caretInside) {
    QTextCursor caret(document()->findBlockByNumber(first));
    const auto offset = stl::CaretAfterCommit(static_cast<std::size_t>(typed.size()),
                                              static_cast<std::size_t>(caretColumn),
                                              static_cast<std::size_t>(shown.size()));
    caret.setPosition(caret.position() + static_cast<int>(offset));
    m_selfEdit = true;
    setTextCursor(caret);
    m_selfEdit = false;
  }
  if (result.failureMessage) {
    platform::ShowMessageBox(*result.failureMessage, platform::Buttons::Ok,
                             platform::Icon::Warning);
  }
  offerEntries(first, result.offers);
}

// The replacement goes through a cursor of its own, so the user's caret and selection
// follow it like any edit; a line that shows as it was typed is left alone.
void StlEditor::replaceBlock(QTextBlock block, const QString& text, int lineCount) {
  const int first = block.blockNumber();
  if (block.text() != text) {
    m_selfEdit = true;
    QTextCursor edit(block);
    edit.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    edit.insertText(text);
    m_selfEdit = false;
  }
  markCommitted(document()->findBlockByNumber(first), std::max(1, lineCount));
}

// After the list learnt an entry its comment shows beside the lines that use it.
void StlEditor::redisplay(int firstBlock, int count) {
  QTextBlock block = document()->findBlockByNumber(firstBlock);
  for (int i = 0; i < count && block.isValid(); ++i) {
    const stl::StoreResult stored = stl::DisplayLineToStored(ToStored(block.text()));
    const QTextBlock next = block.next();
    if (stored.converted && stored.lines.size() == 1) {
      const auto shown = stl::StoredLineToDisplay(stored.lines.front(), m_context);
      replaceBlock(block, FromStored(shown.text), 1);
    }
    block = next;
  }
}

void StlEditor::offerEntries(int firstBlock, const std::vector<stl::AllocationOffer>& offers) {
  if (!m_offerEntries || !m_offerHandler) return;
  bool added = false;
  for (const auto& offer : offers) {
    if (offer.kind != stl::OfferKind::None) added = m_offerHandler(offer) || added;
  }
  if (added) redisplay(firstBlock, static_cast<int>(offers.size()));
}

void StlEditor::setElseForOtherwise(bool on) {
  if (m_context.elseForOtherwise == on) return;
  m_context.elseForOtherwise = on;
  const bool modified = document()->isModified();
  const QString from = on ? QStringLiteral("OTHRW") : QStringLiteral("ELSE");
  for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
    if (isCommitted(block) && block.text().contains(from, Qt::CaseInsensitive)) {
      redisplay(block.blockNumber(), 1);
    }
  }
  document()->setModified(modified);
}

void StlEditor::insertAtCaret(const QString& text) {
  insertPlainText(text);
}

void StlEditor::insertLinesAbove(const QString& lines) {
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::StartOfBlock);
  QString text = lines;
  text.remove(QChar('\r'));
  if (!text.endsWith(QChar('\n'))) text += QChar('\n');
  cursor.insertText(text);
  setTextCursor(cursor);
  // The caret stays on its line, so the inserted lines are left behind: commit them.
  commitPendingExcept(textCursor().block());
}

void StlEditor::goToLine(int line) {
  const int number = std::clamp(line, 1, blockCount()) - 1;
  QTextCursor cursor(document()->findBlockByNumber(number));
  setTextCursor(cursor);
  centerCursor();
}

}  // namespace zel::ui
