#include "ui/editor/stl_editor.h"

#include <QFontDatabase>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>
#include <algorithm>

#include "platform/message_box.h"
#include "stl/editor/display.h"
#include "stl/editor/editor_messages.h"
#include "stl/editor/store.h"
#include "ui/editor/line_check_worker.h"
#include "ui/editor/line_mark_margin.h"
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
    : QPlainTextEdit(parent),
      m_highlighter(new StlHighlighter(document())),
      m_margin(new LineMarkMargin(this)) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  connect(document(), &QTextDocument::contentsChange, this, &StlEditor::contentsChanged);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &StlEditor::caretMoved);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] {
    ++m_lineLayout;
    emit lineStatusChanged(lineStatus());
  });
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
    if (dy != 0) {
      m_margin->scroll(0, dy);
    } else {
      m_margin->update(0, rect.y(), m_margin->width(), rect.height());
    }
  });
  placeMargin();
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
  m_highlighter->setSymbols(m_context.allocationList);
  symbolsChanged();
}

// Colouring anew is no edit: no line may be queued for a commit by it.
void StlEditor::symbolsChanged() {
  const bool modified = document()->isModified();
  m_selfEdit = true;
  m_highlighter->rehighlight();
  m_selfEdit = false;
  document()->setModified(modified);
}

void StlEditor::setDisplayLines(const std::vector<std::string>& lines) {
  m_selfEdit = true;
  setPlainText(JoinDisplayLines(lines));
  markCommitted(document()->firstBlock(), document()->blockCount());
  m_pending.clear();
  document()->setModified(false);
  m_selfEdit = false;
  emit lineStatusChanged(lineStatus());
  // The marks were of the text that is gone.
  if (!m_marks.empty()) {
    m_marks.clear();
    showMarks();
    emit lineMarksChanged();
  }
  checkLines();
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
  const int caretLine = textCursor().blockNumber();
  if (caretLine == m_lastCaretLine) return;
  m_lastCaretLine = caretLine;
  if (m_checker && document()->revision() != m_checkedRevision) checkLines();
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

// --- The check of the shown lines ---

void StlEditor::enableLineCheck(std::string module, std::filesystem::path directory) {
  m_checkModule = std::move(module);
  m_checkDirectory = std::move(directory);
  if (!m_checker) {
    m_checker = new LineCheckWorker(
        [this](int tag, std::vector<stl::LineFinding> findings) {
          applyFindings(tag, std::move(findings));
        },
        this);
  }
  checkLines();
}

void StlEditor::checkLines() {
  if (!m_checker) return;
  LineCheckRequest request;
  request.lines.reserve(static_cast<std::size_t>(blockCount()));
  for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next())
    request.lines.push_back(ToStored(block.text()));
  request.module = m_checkModule;
  if (m_context.allocationList) request.symbols = *m_context.allocationList;
  request.directory = m_checkDirectory;
  request.tag = m_lineLayout;
  m_checkedRevision = document()->revision();
  m_checker->request(std::move(request));
}

bool StlEditor::lineCheckBusy() const {
  return m_checker && m_checker->busy();
}

// Findings for lines that have moved since would mark the wrong lines; the next line left
// brings a check of the lines as they are.
void StlEditor::applyFindings(int tag, std::vector<stl::LineFinding> findings) {
  if (tag != m_lineLayout) {
    m_checkedRevision = -1;
    return;
  }
  m_marks.clear();
  for (const stl::LineFinding& finding : findings) {
    const QTextBlock block = document()->findBlockByNumber(finding.line);
    if (!block.isValid()) continue;
    QStringList texts = FromStored(finding.text).split(QChar('\n'));
    for (QString& text : texts) text = text.trimmed();
    m_marks.push_back({QTextCursor(block), texts.join(QChar('\n'))});
  }
  showMarks();
  emit lineMarksChanged();
}

// A wavy line under the text of every marked line.
void StlEditor::showMarks() {
  QList<QTextEdit::ExtraSelection> selections;
  for (const LineMark& mark : m_marks) {
    const QTextBlock block = mark.line.block();
    const QString text = block.text();
    qsizetype first = 0;
    while (first < text.size() && text.at(first).isSpace()) ++first;
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(block);
    selection.cursor.setPosition(block.position() + static_cast<int>(first));
    selection.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    selection.format.setUnderlineColor(QColor(220, 0, 0));
    selection.format.setToolTip(mark.text);
    selections.push_back(selection);
  }
  setExtraSelections(selections);
  m_margin->update();
}

QString StlEditor::lineMark(int line) const {
  for (const LineMark& mark : m_marks) {
    if (mark.line.blockNumber() + 1 == line) return mark.text;
  }
  return {};
}

std::vector<int> StlEditor::markedLines() const {
  std::vector<int> lines;
  for (const LineMark& mark : m_marks) lines.push_back(mark.line.blockNumber() + 1);
  std::sort(lines.begin(), lines.end());
  lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
  return lines;
}

void StlEditor::forEachVisibleMark(const std::function<void(const QRectF&)>& visit) const {
  const QRectF shown = viewport()->rect();
  for (const LineMark& mark : m_marks) {
    const QRectF line = blockBoundingGeometry(mark.line.block()).translated(contentOffset());
    if (line.intersects(shown)) visit(line);
  }
}

QString StlEditor::markAt(QPoint viewportPosition) const {
  return lineMark(cursorForPosition(viewportPosition).blockNumber() + 1);
}

bool StlEditor::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = markAt(help->pos());
    if (text.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), text, viewport());
    }
    return true;
  }
  return QPlainTextEdit::viewportEvent(event);
}

void StlEditor::placeMargin() {
  const int width = m_margin->sizeHint().width();
  setViewportMargins(width, 0, 0, 0);
  const QRect inside = contentsRect();
  m_margin->setGeometry(inside.left(), inside.top(), width, inside.height());
}

void StlEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  placeMargin();
}

void StlEditor::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) placeMargin();
}

void StlEditor::goToLine(int line) {
  const int number = std::clamp(line, 1, blockCount()) - 1;
  QTextCursor cursor(document()->findBlockByNumber(number));
  setTextCursor(cursor);
  centerCursor();
}

void StlEditor::selectLine(int line) {
  goToLine(line);
  QTextCursor cursor = textCursor();
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

}  // namespace zel::ui
