#pragma once
// The statement-list edit control. The user types the display form freely; when the caret
// leaves a line that was changed, the line is committed: converted to the stored form and
// shown again in the editor's layout. Only the lines that changed are ever converted, so
// the cost of a commit does not grow with the program.

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "stl/editor/commit.h"
#include "stl/editor/conversion_context.h"
#include "stl/editor/line_check.h"

namespace zel::ui {

class StlHighlighter;
class LineCheckWorker;
class LineMarkMargin;

class StlEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit StlEditor(QWidget* parent = nullptr);
  ~StlEditor() override;

  // What the conversions see: the ELSE/OTHRW preference, the project's allocation list and
  // the comments of called modules. The list must outlive its use here.
  void setContext(stl::ConversionContext context);
  const stl::ConversionContext& context() const { return m_context; }
  // "AUTO_ALLOC_LIST": unknown symbols and operands of committed lines are offered to
  // `handler`, which returns true when it added an entry to the list.
  using OfferHandler = std::function<bool(const stl::AllocationOffer&)>;
  void setOfferHandler(OfferHandler handler) { m_offerHandler = std::move(handler); }
  void setOfferAllocationEntries(bool on) { m_offerEntries = on; }

  // Shows already converted display lines; nothing is modified or pending afterwards.
  void setDisplayLines(const std::vector<std::string>& lines);
  // Commits every changed line, the caret's own too: before the text is saved or compiled.
  void commitAll();
  // Commits the changed lines the caret has left. Runs by itself, queued, after every caret
  // move: the move may come from inside an edit of the document (an undo, a paste), which
  // must be over before the editor changes the text again.
  void commitLeftLines();
  bool hasPendingLines() const;
  // Shows OTHRW or ELSE in every line that holds it; the stored form is the same, so the
  // modified flag stays as it was.
  void setElseForOtherwise(bool on);

  // Typed text at the caret, as if the user had typed it.
  void insertAtCaret(const QString& text);
  // Whole lines before the caret's line; they are committed at once.
  void insertLinesAbove(const QString& lines);
  void goToLine(int line);  // 1-based; beyond the end: the last line
  // The same, with the line's text selected, so the eye finds it at once.
  void selectLine(int line);
  int caretLine() const { return textCursor().blockNumber() + 1; }
  int lineCount() const { return blockCount(); }
  QString lineStatus() const;  // "Line %u/%u"

  // The entries of the context's list changed: its symbols are coloured anew.
  void symbolsChanged();

  // From now on the whole module is checked on a worker whenever a line was left (and
  // once at once); the lines the check refuses are marked until a later check finds them
  // sound. The compilation stays the authority: the marks only show early what it will
  // say. `directory`: where the project's "CR.CFG" is; empty: nowhere.
  void enableLineCheck(std::string module, std::filesystem::path directory);
  void checkLines();
  bool lineCheckBusy() const;
  QString lineMark(int line) const;      // 1-based; empty when the check found nothing
  std::vector<int> markedLines() const;  // 1-based, in order
  // For the margin: the marked lines on screen, in viewport coordinates.
  void forEachVisibleMark(const std::function<void(const QRectF&)>& visit) const;
  QString markAt(QPoint viewportPosition) const;

 signals:
  void lineStatusChanged(const QString& status);
  void lineMarksChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  void contentsChanged(int position, int removed, int added);
  void caretMoved();
  void commitPendingExcept(const QTextBlock& keep);
  void commitBlock(QTextBlock block, bool caretInside);
  void replaceBlock(QTextBlock block, const QString& text, int lineCount);
  void redisplay(int firstBlock, int count);
  void offerEntries(int firstBlock, const std::vector<stl::AllocationOffer>& offers);
  bool isCommitted(const QTextBlock& block) const;
  void markCommitted(QTextBlock block, int count);
  void applyFindings(int tag, std::vector<stl::LineFinding> findings);
  void showMarks();
  void placeMargin();

  stl::ConversionContext m_context;
  OfferHandler m_offerHandler;
  bool m_offerEntries = false;
  StlHighlighter* m_highlighter;
  // The lines changed since their last commit, as ranges from the first to the last line
  // an edit touched. Cursors follow the edits, but the document moves every cursor on
  // every edit, so a paste of thousands of lines must cost two cursors, not thousands.
  struct PendingRange {
    QTextCursor first;
    QTextCursor last;
  };
  void queueRange(const QTextBlock& first, const QTextBlock& last);
  void commitRange(const PendingRange& range, const QTextBlock& keep);
  std::vector<PendingRange> m_pending;
  // Set while the editor changes its own text: those changes are no typing.
  bool m_selfEdit = false;
  bool m_commitQueued = false;

  // A mark follows its line through edits above it: its cursor stays at the line's start.
  struct LineMark {
    QTextCursor line;
    QString text;
  };
  std::vector<LineMark> m_marks;
  LineMarkMargin* m_margin;
  LineCheckWorker* m_checker = nullptr;
  std::string m_checkModule;
  std::filesystem::path m_checkDirectory;
  // Findings name lines by number; they are only good while no line came or went since
  // the check was asked for.
  int m_lineLayout = 0;
  int m_checkTag = 0;
  int m_checkedRevision = -1;
  int m_lastCaretLine = -1;
};

}  // namespace zel::ui
