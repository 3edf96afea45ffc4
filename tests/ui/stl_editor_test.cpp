// The edit control on its own: what typing a line and leaving it leaves in the window,
// the caret, the pending lines, and the ELSE/OTHRW switch of lines already shown.

#include "ui/editor/stl_editor.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>

#include "stl/alloc/allocation_list.h"
#include "stl/editor/store.h"
#include "support/scripted_answers.h"
#include "ui/widgets/stored_text.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

QStringList Lines(const StlEditor& editor) {
  return editor.toPlainText().split(QChar('\n'));
}

// The commit of a line left runs once the event that moved the caret is over.
void Leave(StlEditor& editor, Qt::Key key) {
  QTest::keyClick(&editor, key);
  QCoreApplication::processEvents();
}

// Types into an empty editor and leaves the line with Return, as a user does.
void TypeLine(StlEditor& editor, const QString& text) {
  QTest::keyClicks(&editor, text);
  Leave(editor, Qt::Key_Return);
}

struct TypedCase {
  const char* name;
  QString typed;
  QStringList shown;                       // the committed lines, before the new empty line
  std::vector<std::string> messages = {};  // the message boxes shown
};

void PrintTo(const TypedCase& c, std::ostream* out) {
  *out << c.name;
}

class TypedLine : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedLine, IsCommittedWhenTheCaretLeavesIt) {
  const TypedCase& c = GetParam();
  test::ScriptedAnswers answers;
  StlEditor editor;
  TypeLine(editor, c.typed);
  QStringList expected = c.shown;
  expected << QString();  // Return left the caret on a new, empty line
  EXPECT_EQ(Lines(editor), expected);
  EXPECT_EQ(editor.caretLine(), static_cast<int>(c.shown.size()) + 1);
  EXPECT_EQ(answers.texts(), c.messages);
}

// Columns: IF/THEN at 1, SET at 7, operands at 22.
INSTANTIATE_TEST_SUITE_P(
    Editor, TypedLine,
    ::testing::Values(TypedCase{"IfThenSplits",
                                "if i0.0 then set o0.0",
                                {" IF                   I0.0", " THEN  SET            O0.0"}},
                      TypedCase{"StepLabelCutToNine", "step abcdefghijkl", {"STEP abcdefghi"}},
                      TypedCase{"UnknownWordKept",
                                "frobnicate i0.0",
                                {"frobnicate i0.0"},
                                {"'frobnicate i0.0'\n\nUnknown instruction"}},
                      TypedCase{"TimeValueShownWithS",
                                "set t1 with 2s",
                                {"       SET            T1", "         WITH         2s"}},
                      TypedCase{"CommentGoesToItsColumn",
                                "and i0.1 \"door closed",
                                {"       AND            I0.1           \"door closed"}},
                      TypedCase{"EmptyLineStaysEmpty", "", {""}}),
    [](const auto& info) { return info.param.name; });

TEST(StlEditor, TimeValueIsStoredWithoutItsUnit) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  TypeLine(editor, "set t1 with 2s");
  const auto stored = stl::DisplayTextToStored(ToStored(editor.toPlainText()));
  ASSERT_TRUE(stored.converted);
  EXPECT_EQ(stored.lines, (std::vector<std::string>{"sT1", "m2"}));
}

TEST(StlEditor, MovingTheCaretCommitsTheLineLeftAndKeepsTheCaretWhereItWent) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  editor.setDisplayLines({"", "       NOP"});
  QTest::keyClicks(&editor, "set o0.1");
  EXPECT_TRUE(editor.hasPendingLines());
  Leave(editor, Qt::Key_Down);
  EXPECT_EQ(Lines(editor), (QStringList{"       SET            O0.1", "       NOP"}));
  EXPECT_EQ(editor.caretLine(), 2);
  EXPECT_TRUE(editor.document()->isModified());
}

TEST(StlEditor, CommitAllKeepsTheCaretAtTheSameDistanceFromTheLineEnd) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  QTest::keyClicks(&editor, "set o0.1");
  QTest::keyClick(&editor, Qt::Key_Left);  // before "1"
  editor.commitAll();
  const QTextCursor caret = editor.textCursor();
  EXPECT_EQ(caret.block().text(), "       SET            O0.1");
  EXPECT_EQ(caret.positionInBlock(), caret.block().length() - 2);
}

TEST(StlEditor, OnlyTheChangedLinesAreConverted) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  // A line as the user left it in a file: kept exactly, although the layout would differ.
  editor.setDisplayLines({"SET O0.0", "", "RESET O0.1"});
  QTextCursor caret(editor.document()->findBlockByNumber(1));
  editor.setTextCursor(caret);
  QTest::keyClicks(&editor, "nop");
  Leave(editor, Qt::Key_Down);
  EXPECT_EQ(Lines(editor), (QStringList{"SET O0.0", QString(22, ' ') + "NOP", "RESET O0.1"}));
}

TEST(StlEditor, PastedLinesAreCommittedExceptTheOneTheCaretIsIn) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  const QString nop = QString(22, ' ') + "NOP";
  editor.setDisplayLines({nop.toStdString()});
  editor.moveCursor(QTextCursor::End);
  editor.insertPlainText("\nif i0.0 then\nset o0.0\nreset o0.1");
  QCoreApplication::processEvents();
  EXPECT_EQ(Lines(editor), (QStringList{nop, " IF                   I0.0", " THEN",
                                        "       SET            O0.0", "reset o0.1"}));
  Leave(editor, Qt::Key_Up);
  EXPECT_EQ(Lines(editor)[4], "       RESET          O0.1");
  EXPECT_FALSE(editor.hasPendingLines());
}

TEST(StlEditor, UndoingATypingLeavesNothingToCommit) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  editor.setDisplayLines({"       NOP", ""});
  QTest::keyClicks(&editor, "x");
  editor.undo();
  Leave(editor, Qt::Key_Down);
  EXPECT_EQ(Lines(editor), (QStringList{"       NOP", ""}));
  EXPECT_TRUE(answers.texts().empty());
}

TEST(StlEditor, ElseOtherwiseSwitchChangesOnlyTheWordAndNotTheModifiedFlag) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  std::vector<std::string> lines = {" IF                   I0.0", " THEN  SET            O0.0",
                                    " OTHRW RESET          O0.0", "\"\"OTHRW stays in a comment"};
  editor.setDisplayLines(lines);
  editor.setElseForOtherwise(true);
  EXPECT_EQ(Lines(editor)[2], " ELSE  RESET          O0.0");
  EXPECT_EQ(Lines(editor)[3], "\"\"OTHRW stays in a comment");
  EXPECT_FALSE(editor.document()->isModified());
  editor.setElseForOtherwise(false);
  EXPECT_EQ(Lines(editor)[2], " OTHRW RESET          O0.0");
}

TEST(StlEditor, ModuleCallLinesGoAboveTheCaretLineAndAreLaidOut) {
  test::ScriptedAnswers answers;
  StlEditor editor;
  editor.setDisplayLines({"       NOP"});
  editor.insertLinesAbove("CMP10\r\nWITH FW10\r\n");
  EXPECT_EQ(Lines(editor),
            (QStringList{"       CMP 10", "         WITH         FW10", "       NOP"}));
  EXPECT_EQ(editor.caretLine(), 3);
}

TEST(StlEditor, OffersUnknownSymbolsAndShowsTheNewComment) {
  test::ScriptedAnswers answers;
  stl::AllocationList list;
  stl::ConversionContext context;
  context.allocationList = &list;
  StlEditor editor;
  editor.setContext(context);
  editor.setOfferAllocationEntries(true);
  std::vector<stl::AllocationOffer> offered;
  editor.setOfferHandler([&](const stl::AllocationOffer& offer) {
    offered.push_back(offer);
    stl::AllocationEntry entry;
    entry.symbol = offer.text;
    entry.comment = "main valve";
    entry.operand = *stl::ParseDisplayOperand("O0.7");
    list.append(entry);
    return true;
  });
  TypeLine(editor, "set valve");
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], (stl::AllocationOffer{stl::OfferKind::Symbol, "valve"}));
  EXPECT_EQ(Lines(editor)[0], "       SET            valve          'main valve");
}

TEST(StlEditor, LineStatusCountsFromOne) {
  StlEditor editor;
  editor.setDisplayLines({"a", "b", "c"});
  editor.goToLine(2);
  EXPECT_EQ(editor.lineStatus(), "Line 2/3");
  editor.goToLine(99);
  EXPECT_EQ(editor.lineStatus(), "Line 3/3");
}

}  // namespace
}  // namespace zel::ui::testing
