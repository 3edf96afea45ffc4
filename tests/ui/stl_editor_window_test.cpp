// The statement-list editor in the main frame, on a copy of the demo workspace: opening
// and saving a module, the preference switch, the insert commands, the prompting for
// allocation list entries, and a compilation whose error line a double click reaches.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <fstream>

#include "platform/files.h"
#include "platform/profile.h"
#include "stl/alloc/allocation_list.h"
#include "stl/compile/compile_driver.h"
#include "ui/allocation/allocation_entry_dialog.h"
#include "ui/editor/module_call_dialog.h"
#include "ui/editor/operand_chooser_dialog.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui/frame/message_pump.h"
#include "ui/frame/message_window.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;

std::string FileText(const fs::path& file) {
  return platform::ReadWholeFile(file).value_or("<missing>");
}

void WriteText(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// The stored program with `line` (and its CR LF) put after its first `after` lines.
std::string WithLineAfter(const std::string& program, int after, const std::string& line) {
  std::size_t at = 0;
  for (int i = 0; i < after; ++i) at = program.find("\r\n", at) + 2;
  return program.substr(0, at) + line + "\r\n" + program.substr(at);
}

class StlEditorWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_ws.start()); }
  MainFrame& frame() { return m_ws.frame(); }
  fs::path demo() const { return m_ws.projects() / "DEMO"; }
  StlView* open(const std::string& name) {
    if (!frame().openWindowByName(name)) return nullptr;
    return frame().activeStlView();
  }
  QStringList lines(StlView& view) const { return view.editor()->toPlainText().split(QChar('\n')); }
  // Puts the caret at the end of a 1-based line.
  void caretToEnd(StlView& view, int line) {
    view.editor()->goToLine(line);
    view.editor()->moveCursor(QTextCursor::EndOfBlock);
  }
  void typeNewLine(StlView& view, int after, const QString& text) {
    caretToEnd(view, after);
    QTest::keyClick(view.editor(), Qt::Key_Return);
    QTest::keyClicks(view.editor(), text);
    QTest::keyClick(view.editor(), Qt::Key_Down);
    QCoreApplication::processEvents();  // the commit follows the move
  }
  void waitForCompile(const StlView& view) {
    for (int i = 0; i < 200 && view.compiling(); ++i) ProcessEvents();
  }

  UiWorkspace m_ws;
  MessagePump m_pump;  // the compile driver's worker posts its messages
};

TEST_F(StlEditorWindow, OpensTheDisplayFormAndSavesTheStoredFormKeepingABackup) {
  const std::string original = FileText(demo() / "CZ0P00V1.awl");
  StlView* view = open("CZ0P00V1.awl");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(lines(*view)[0], "\"\"Main cycle: start/stop and mode selection");
  EXPECT_EQ(lines(*view)[2], "STEP IDLE");
  EXPECT_EQ(lines(*view)[23], " OTHRW RESET          PUMP2          'Pump 2 contactor");
  EXPECT_FALSE(view->isModified());
  EXPECT_EQ(frame().lineStatus()->text(), QString("Line 1/%1").arg(view->editor()->lineCount()));

  typeNewLine(*view, 3, "and i0.3");
  EXPECT_TRUE(view->isModified());
  EXPECT_TRUE(frame().findWindow(app::WindowKind::StlEditor, "CZ0P00V1.awl")->isWindowModified());
  frame().actions().programSave->trigger();
  EXPECT_FALSE(view->isModified());
  EXPECT_EQ(FileText(demo() / "CZ0P00V1.awl"), WithLineAfter(original, 3, "uE0.3"));
  EXPECT_EQ(FileText(demo() / "CZ0P00V1.BAK"), original);
}

TEST_F(StlEditorWindow, UnchangedModuleSavesByteForByte) {
  const std::string original = FileText(demo() / "CZ0P01V1.awl");
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(view->save());
  EXPECT_EQ(FileText(demo() / "CZ0P01V1.awl"), original);
}

TEST_F(StlEditorWindow, LinesItCannotShowFaithfullyAreReportedByNumber) {
  WriteText(demo() / "CZ0P03V1.awl", "aE0.0\r\naE0.1%%\r\nsA0.0\rdA0.1\r\n");
  m_ws.answers().clear();
  StlView* view = open("CZ0P03V1.awl");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(m_ws.answers().texts(), (std::vector<std::string>{"Invalid file format (Line 2).",
                                                              "Invalid file format (Line 3)."}));
  EXPECT_EQ(view->editor()->lineCount(), 4);
}

TEST_F(StlEditorWindow, ElseSwitchReachesOpenEditorsAndTheMenuWithoutTouchingTheFile) {
  const std::string original = FileText(demo() / "CZ0P00V1.awl");
  StlView* view = open("CZ0P00V1.awl");
  ASSERT_NE(view, nullptr);
  ASSERT_TRUE(m_ws.preferences().setUseElseInsteadOfOthrw(true));
  frame().applyEditorPreferences();
  EXPECT_EQ(lines(*view)[23], " ELSE  RESET          PUMP2          'Pump 2 contactor");
  EXPECT_FALSE(view->isModified());
  EXPECT_EQ(FileText(demo() / "CZ0P00V1.awl"), original);

  QStringList labels;
  for (const QAction* action : frame().actions().stlInstruction->actions())
    labels << action->text();
  EXPECT_EQ(labels,
            (QStringList{"STEP", "IF",  "THEN", "ELSE",  "SET", "RESET",   "LOAD",        "TO",
                         "AND",  "OR",  "XOR",  "N",     "CMP", "CFM",     "WITH",        "JMP TO",
                         "INC",  "DEC", "SWAP", "SHIFT", "SHL", "SHR",     "ROL",         "ROR",
                         "INV",  "CPL", "BID",  "DEB",   "NOP", "Comment", "Long Comment"}));
}

TEST_F(StlEditorWindow, InstructionCommandTypesItsTextAtTheCaret) {
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  caretToEnd(*view, 1);
  QTest::keyClick(view->editor(), Qt::Key_Return);
  for (QAction* action : frame().actions().stlInstruction->actions()) {
    if (action->text() == "SET") action->trigger();
  }
  EXPECT_EQ(view->editor()->textCursor().block().text(), " SET  ");
}

TEST_F(StlEditorWindow, ModuleCallAndOperandDialogsInsertIntoTheActiveEditor) {
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  view->editor()->goToLine(2);
  WhenModal([](QWidget& modal) {
    auto* dialog = qobject_cast<ModuleCallDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    dialog->kind->setCurrentIndex(0);  // CMP
    dialog->number->setValue(10);
    dialog->parameters[0]->setText("FW10");
    dialog->comments[0]->setText("set point");
    dialog->accept();
  });
  frame().actions().moduleCall->trigger();
  EXPECT_EQ(lines(*view)[1], "       CMP 10                        \" Filling valve");
  EXPECT_EQ(lines(*view)[2], "         WITH         FW10           \" set point");
  EXPECT_EQ(view->editor()->caretLine(), 4);

  WhenModal([](QWidget& modal) {
    auto* dialog = qobject_cast<OperandChooserDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    dialog->operandField()->setText("FW11");
    dialog->accept();
  });
  const QString lineBefore = view->editor()->textCursor().block().text();
  frame().actions().insertOperand->trigger();
  EXPECT_EQ(view->editor()->textCursor().block().text(), " FW11 " + lineBefore);
}

TEST_F(StlEditorWindow, SaveAllSavesEveryModifiedEditor) {
  const std::string originals[] = {FileText(demo() / "CZ0P01V1.awl"),
                                   FileText(demo() / "CZ0P02V1.awl")};
  StlView* first = open("CZ0P01V1.awl");
  StlView* second = open("CZ0P02V1.awl");
  ASSERT_TRUE(first && second);
  typeNewLine(*first, 1, "nop");
  typeNewLine(*second, 1, "nop");
  frame().actions().programSaveAll->trigger();
  EXPECT_FALSE(first->isModified());
  EXPECT_FALSE(second->isModified());
  EXPECT_EQ(FileText(demo() / "CZ0P01V1.awl"), WithLineAfter(originals[0], 1, "a"));
  EXPECT_EQ(FileText(demo() / "CZ0P02V1.awl"), WithLineAfter(originals[1], 1, "a"));
}

TEST_F(StlEditorWindow, EditorTakesTheFontOfThePreferences) {
  platform::WriteProfileString(m_ws.iniFile(), "PREFERENCES", "STL_FONT", "Courier New,13,700,1");
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  const QFont font = view->editor()->font();
  EXPECT_EQ(font.family(), "Courier New");
  EXPECT_EQ(font.pointSize(), 13);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
}

TEST_F(StlEditorWindow, FindAndReplaceWorkOnTheProgramText) {
  StlView* view = open("CZ0P00V1.awl");
  ASSERT_NE(view, nullptr);
  frame().actions().find->trigger();
  ASSERT_NE(view->findDialog(), nullptr);
  EXPECT_TRUE(view->findNext({"pump2", false, true}));
  EXPECT_EQ(view->editor()->textCursor().selectedText(), "PUMP2");
  const int first = view->editor()->caretLine();
  EXPECT_FALSE(view->findNext({"pump2", true, true}));  // case matters: no lower-case one
  EXPECT_EQ(m_ws.answers().texts().back(), "Cannot find the string 'pump2'.");

  const QString original = view->editor()->toPlainText();
  EXPECT_EQ(view->replaceAll({"PUMP2", true, true}, "PUMP1"), 3);
  EXPECT_EQ(view->editor()->toPlainText(), QString(original).replace("PUMP2", "PUMP1"));
  view->editor()->goToLine(1);  // leaving the replaced lines commits them
  QCoreApplication::processEvents();
  // The list comments beside them follow the new symbol.
  EXPECT_EQ(view->editor()->toPlainText(),
            QString(original).replace("PUMP2          'Pump 2 contactor",
                                      "PUMP1          'Pump 1 contactor"));
  EXPECT_EQ(lines(*view)[first - 1], "       RESET          PUMP1          'Pump 1 contactor");
  EXPECT_TRUE(view->isModified());
}

TEST_F(StlEditorWindow, UndoTakesBackTheLayoutThenTheTyping) {
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  EXPECT_FALSE(frame().actions().undo->isEnabled());
  const QStringList before = lines(*view);
  typeNewLine(*view, 1, "nop");
  EXPECT_EQ(lines(*view)[1], QString(22, ' ') + "NOP");
  ASSERT_TRUE(frame().actions().undo->isEnabled());
  frame().actions().undo->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(lines(*view)[1], "nop");
  EXPECT_EQ(lines(*view)[2], before[1]);
  frame().actions().undo->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(lines(*view)[1], "");
}

TEST_F(StlEditorWindow, UnknownSymbolOpensTheEntryDialogAndOkAddsItToTheList) {
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  bool asked = false;
  WhenModal([&](QWidget& modal) {
    auto* dialog = qobject_cast<AllocationEntryDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    asked = true;
    EXPECT_EQ(dialog->field(stl::EntryField::Symbol)->text(), "SPAREPUMP");
    dialog->field(stl::EntryField::Operand)->setText("O1.5");
    dialog->field(stl::EntryField::Comment)->setText("Spare pump");
    dialog->accept();
  });
  typeNewLine(*view, 1, "set SPAREPUMP");
  EXPECT_TRUE(asked);
  stl::AllocationList list;
  ASSERT_TRUE(list.load(demo() / "C.BEL"));
  const stl::AllocationEntry* entry = list.findBySymbol("SPAREPUMP");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->operand.display, "O1.5");
  EXPECT_EQ(lines(*view)[1], "       SET            SPAREPUMP      'Spare pump");
}

TEST_F(StlEditorWindow, ClosingAModifiedEditorAsksAndCancelKeepsIt) {
  const std::string original = FileText(demo() / "CZ0P01V1.awl");
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  typeNewLine(*view, 1, "nop");
  DocumentWindow* window = frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl");
  m_ws.answers().push(Answer::Cancel);
  window->close();
  ASSERT_EQ(frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl"), window);
  m_ws.answers().push(Answer::No);
  window->close();
  ProcessEvents();
  EXPECT_EQ(frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl"), nullptr);
  EXPECT_EQ(FileText(demo() / "CZ0P01V1.awl"), original);
}

TEST_F(StlEditorWindow, ClosingTheProjectSavesModifiedEditorsWhenAsked) {
  const std::string original = FileText(demo() / "CZ0P01V1.awl");
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  typeNewLine(*view, 1, "nop");
  m_ws.answers().push(Answer::Yes);
  ASSERT_TRUE(frame().closeProjectCommand());
  EXPECT_EQ(FileText(demo() / "CZ0P01V1.awl"), WithLineAfter(original, 1, "a"));
}

TEST_F(StlEditorWindow, CompileSavesRunsWithoutWaitingAndItsErrorLineIsOneDoubleClickAway) {
  StlView* view = open("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  typeNewLine(*view, 4, "frobnicate i0.0");  // line 5, kept as typed behind `?`
  frame().actions().compile->trigger();
  // The editor returned at once: the compilation shows as running until its end arrives.
  EXPECT_TRUE(view->compiling());
  EXPECT_TRUE(view->banner()->isVisibleTo(view));
  EXPECT_FALSE(frame().actions().compile->isEnabled());
  EXPECT_FALSE(view->isModified());
  waitForCompile(*view);
  ASSERT_FALSE(view->compiling());
  EXPECT_EQ(frame().activeStlView(), view);
  EXPECT_TRUE(frame().actions().compile->isEnabled());
  EXPECT_EQ(frame().compilation().errorCount(), 1);
  EXPECT_EQ(frame().statusBar()->currentMessage(), "1 Error(s)");

  MessageWindow* messages = frame().showMessageWindow(false);
  ASSERT_NE(messages, nullptr);
  const QString text = messages->shownText();
  EXPECT_EQ(text,
            "compiling CZ0P01V1\n"
            "CZ0P01V1.AWL(5) Unknown STL expression\n"
            "1 Error(s) in statement list CZ0P01V1, 37 Lines\n");
  QTextBlock error = messages->document()->firstBlock();
  while (error.isValid() && !error.text().startsWith("CZ0P01V1.AWL(5)")) error = error.next();
  ASSERT_TRUE(error.isValid()) << text.toStdString();

  open("CZ0P00V1.awl");  // another editor is active when the user double-clicks
  messages->verticalScrollBar()->setValue(0);
  const QRect at = messages->cursorRect(QTextCursor(error));
  QTest::mouseDClick(messages->viewport(), Qt::LeftButton, {}, at.center());
  StlView* active = frame().activeStlView();
  ASSERT_EQ(active, view);
  EXPECT_EQ(active->editor()->caretLine(), 5);
  // The chosen message and its source line are selected whole, not a word of either.
  EXPECT_EQ(messages->textCursor().selectedText(), error.text());
  EXPECT_EQ(active->editor()->textCursor().selectedText(),
            active->editor()->document()->findBlockByNumber(4).text());
}

TEST_F(StlEditorWindow, MessageLinesOpenTheirModuleOnTheirLineOrNothing) {
  EXPECT_TRUE(frame().goToMessageLine("CZ0P02V1.AWL(3)  THEN expected"));
  StlView* view = frame().activeStlView();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->file().filename(), "CZ0P02V1.awl");
  EXPECT_EQ(view->editor()->caretLine(), 3);
  EXPECT_FALSE(frame().goToMessageLine("1 Error(s) in statement list CZ0P02V1, 9 Lines"));
  EXPECT_FALSE(frame().goToMessageLine("CZ0P42V1.AWL(3) no such module"));
}

}  // namespace
}  // namespace zel::ui::testing
