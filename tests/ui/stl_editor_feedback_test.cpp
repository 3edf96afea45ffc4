// What the editor tells the user while typing: the list's comments on editors reopened
// with the project, symbols the list lacks, the marks of lines the check refuses, a single
// entry dialog for a mistyped line, and the line a compiler message leads to.

#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include "platform/profile.h"
#include "stl/alloc/allocation_list.h"
#include "ui/editor/stl_highlighter.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

// Typing with line breaks: Return for each.
void Type(QWidget& widget, const QString& text) {
  const QStringList parts = text.split('\n');
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) QTest::keyClick(&widget, Qt::Key_Return);
    QTest::keyClicks(&widget, parts[i]);
  }
}

// Waits, boundedly, for the check the editor runs on its worker.
void WaitForCheck(const StlEditor& editor) {
  EXPECT_TRUE(QTest::qWaitFor([&] { return !editor.lineCheckBusy(); }, 10000));
  QCoreApplication::processEvents();
}

// Leaves the caret's line the way a user does, and lets the commit and the check run.
void LeaveLine(StlEditor& editor, Qt::Key key = Qt::Key_Down) {
  QTest::keyClick(&editor, key);
  QCoreApplication::processEvents();
  WaitForCheck(editor);
}

// The colour the highlighter gave the word starting at `column` of a 1-based line.
QColor ColourAt(const StlEditor& editor, int line, int column) {
  const QTextBlock block = editor.document()->findBlockByNumber(line - 1);
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    if (range.start <= column && column < range.start + range.length)
      return range.format.foreground().color();
  }
  return {};
}

QColor KindColour(stl::DisplayTokenKind kind) {
  QTextDocument scratch;
  const StlHighlighter highlighter(&scratch);
  return highlighter.format(kind).foreground().color();
}

// --- The edit control on its own ---

class LineMarks : public ::testing::Test {
 protected:
  LineMarks() {
    m_list.append({*stl::ParseDisplayOperand("I0.0"), "Start", "Start button"});
    m_list.append({*stl::ParseDisplayOperand("O0.0"), "Pump", "Main pump"});
    stl::ConversionContext context;
    context.allocationList = &m_list;
    m_editor.setContext(context);
    m_editor.setDisplayLines({" IF                   Start", " THEN  SET            Pump"});
    m_editor.enableLineCheck("CZ0P05V1", {});
    WaitForCheck(m_editor);
  }
  void typeAtEnd(int line, const QString& text) {
    m_editor.goToLine(line);
    m_editor.moveCursor(QTextCursor::EndOfBlock);
    Type(m_editor, text);
  }

  test::ScriptedAnswers m_answers;
  stl::AllocationList m_list;
  StlEditor m_editor;
};

TEST_F(LineMarks, AppearWhenALineIsLeftAndGoWhenItIsFixed) {
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{});
  typeAtEnd(2, "\nset valve");
  LeaveLine(m_editor, Qt::Key_Up);
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{3});
  EXPECT_EQ(m_editor.lineMark(3), "Unknown operand VALVE\nInvalid operand");
  EXPECT_EQ(m_editor.extraSelections().size(), 1);
  EXPECT_EQ(m_editor.extraSelections().front().cursor.selectedText(), "SET            valve");
  EXPECT_EQ(m_editor.extraSelections().front().format.underlineStyle(),
            QTextCharFormat::WaveUnderline);
  // The message is the line's tooltip, in the text and beside it in the margin.
  const QRect line = m_editor.cursorRect(QTextCursor(m_editor.document()->findBlockByNumber(2)));
  EXPECT_EQ(m_editor.markAt(line.center()), m_editor.lineMark(3));
  EXPECT_EQ(m_editor.markAt(line.center() - QPoint(0, line.height())), "");
  int shown = 0;
  m_editor.forEachVisibleMark([&](const QRectF& marked) {
    ++shown;
    EXPECT_TRUE(marked.contains(QPointF(marked.left() + 1, line.center().y())));
  });
  EXPECT_EQ(shown, 1);

  // A line inserted above carries the mark along with its line.
  m_editor.goToLine(1);
  m_editor.moveCursor(QTextCursor::StartOfBlock);
  Type(m_editor, "\" note\n");
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{4});

  // Fixed: the mark stays until the line is left, then the check clears it.
  m_editor.goToLine(4);
  m_editor.moveCursor(QTextCursor::EndOfBlock);
  for (int i = 0; i < 5; ++i) QTest::keyClick(&m_editor, Qt::Key_Backspace);
  QTest::keyClicks(&m_editor, "Pump");
  QCoreApplication::processEvents();
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{4});
  LeaveLine(m_editor, Qt::Key_Up);
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{});
  EXPECT_TRUE(m_editor.extraSelections().isEmpty());
  EXPECT_EQ(m_answers.texts(), std::vector<std::string>{});
}

// Text shown anew (a file loaded again) loses the marks of the text before.
TEST_F(LineMarks, GoWithTheTextTheyWereFor) {
  typeAtEnd(2, "\nset valve");
  LeaveLine(m_editor, Qt::Key_Up);
  ASSERT_EQ(m_editor.markedLines(), std::vector<int>{3});
  m_editor.setDisplayLines({" IF                   Start", " THEN  SET            Pump"});
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{});
  WaitForCheck(m_editor);
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{});
  m_editor.setDisplayLines({" THEN  SET            nothing"});
  WaitForCheck(m_editor);
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{1});
}

// "IF foo bar": two operands in a row. The line broken off is the one marked.
TEST_F(LineMarks, MarkTheLineBrokenOffAMistypedSentence) {
  typeAtEnd(2, "\nif Start Pump");
  LeaveLine(m_editor, Qt::Key_Up);
  EXPECT_EQ(m_editor.toPlainText().split('\n').mid(2),
            (QStringList{" IF                   Start          'Start button",
                         "                      Pump           'Main pump"}));
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{4});
  EXPECT_FALSE(m_editor.lineMark(4).isEmpty());
}

// The list gains the symbol: the line is coloured as known at once, and the next check
// finds it sound.
TEST_F(LineMarks, SymbolsTheListLacksAreColouredUnknownUntilItHasThem) {
  typeAtEnd(2, "\nset valve");
  LeaveLine(m_editor, Qt::Key_Up);
  EXPECT_EQ(ColourAt(m_editor, 3, 22), KindColour(stl::DisplayTokenKind::UnknownSymbol));
  EXPECT_EQ(ColourAt(m_editor, 2, 22), KindColour(stl::DisplayTokenKind::Symbol));
  EXPECT_NE(KindColour(stl::DisplayTokenKind::UnknownSymbol),
            KindColour(stl::DisplayTokenKind::Symbol));
  m_list.append({*stl::ParseDisplayOperand("O0.1"), "valve", ""});
  m_editor.document()->setModified(false);
  m_editor.symbolsChanged();
  EXPECT_EQ(ColourAt(m_editor, 3, 22), KindColour(stl::DisplayTokenKind::Symbol));
  // Colouring anew is no edit.
  EXPECT_FALSE(m_editor.hasPendingLines());
  EXPECT_FALSE(m_editor.document()->isModified());
  m_editor.checkLines();
  WaitForCheck(m_editor);
  EXPECT_EQ(m_editor.markedLines(), std::vector<int>{});
}

// --- In the main frame, on the demo project ---

TEST(StlEditorFeedback, EditorsReopenedWithTheProjectShowTheListsComments) {
  UiWorkspace ws;
  platform::WriteProfileString(ws.projectFile("DEMO"), "WINDOWS", "CZ0P01V1.awl",
                               "0,1,-1,-1,-1,-1,5,6,405,306");
  ASSERT_TRUE(ws.start());
  DocumentWindow* window = ws.frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl");
  ASSERT_NE(window, nullptr);
  auto* view = qobject_cast<StlView*>(window->widget());
  ASSERT_NE(view, nullptr);
  const QStringList lines = view->editor()->toPlainText().split('\n');
  ASSERT_GE(lines.size(), 3);
  EXPECT_TRUE(lines[2].endsWith("'Level sensor raw")) << lines[2].toStdString();
  // Known symbols are coloured as such from the start.
  EXPECT_EQ(ColourAt(*view->editor(), 3, 22), KindColour(stl::DisplayTokenKind::Symbol));
}

// Rejects every modal dialog that shows and counts them, so no test can hang on one.
class DialogCounter {
 public:
  DialogCounter() {
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        m_titles << modal->windowTitle();
        QMetaObject::invokeMethod(modal, "reject");
      }
    });
    m_timer.start();
  }
  const QStringList& titles() const { return m_titles; }

 private:
  QTimer m_timer;
  QStringList m_titles;
};

TEST(StlEditorFeedback, AMistypedLineOffersOneEntryAndIsMarked) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ASSERT_EQ(ws.pref("AUTO_ALLOC_LIST"), "1");
  ASSERT_TRUE(ws.frame().openWindowByName("CZ0P01V1.awl"));
  StlView* view = ws.frame().activeStlView();
  ASSERT_NE(view, nullptr);
  StlEditor& editor = *view->editor();
  WaitForCheck(editor);
  const std::vector<int> before = editor.markedLines();
  editor.goToLine(1);
  editor.moveCursor(QTextCursor::EndOfBlock);
  DialogCounter dialogs;
  Type(editor, "\nif foo bar");
  LeaveLine(editor, Qt::Key_Up);
  EXPECT_EQ(dialogs.titles().size(), 1) << dialogs.titles().join(", ").toStdString();
  const std::vector<int> marked = editor.markedLines();
  EXPECT_TRUE(std::find(marked.begin(), marked.end(), 3) != marked.end());
  EXPECT_EQ(ColourAt(editor, 2, 22), KindColour(stl::DisplayTokenKind::UnknownSymbol));
  EXPECT_TRUE(before.empty());
}

TEST(StlEditorFeedback, AMessageLineSelectsItsSourceLine) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ASSERT_TRUE(ws.frame().goToMessageLine("CZ0P02V1.AWL(3)  THEN expected"));
  StlView* view = ws.frame().activeStlView();
  ASSERT_NE(view, nullptr);
  const QTextCursor caret = view->editor()->textCursor();
  EXPECT_EQ(caret.blockNumber(), 2);
  EXPECT_EQ(caret.selectedText(), view->editor()->document()->findBlockByNumber(2).text());
  EXPECT_FALSE(caret.selectedText().isEmpty());
}

}  // namespace
}  // namespace zel::ui::testing
