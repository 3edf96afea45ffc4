// Editing a long module: committing one line and colouring it must cost the same in a
// 5,000-line module as in a 100-line one, because neither ever converts the whole text.
// Loading (which does convert everything, once) is measured beside them for scale.
//
// Runs on Qt's offscreen platform: QT_QPA_PLATFORM=offscreen bench_ui_editor_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextBlock>
#include <string>
#include <vector>

#include "stl/alloc/allocation_list.h"
#include "stl/editor/display_colouring.h"
#include "stl/editor/document.h"
#include "stl/editor/line_check.h"
#include "ui/editor/stl_editor.h"
#include "ui/widgets/stored_text.h"

namespace {

using namespace zel;

// Stored lines of every kind the editor lays out, repeated to the wanted length.
std::string StoredModule(int lines) {
  static const std::vector<std::string> kinds = {"\"\"A step of the filling sequence",
                                                 "#FILL;",
                                                 "wE0.0",
                                                 "unE0.1",
                                                 "dsA0.0",
                                                 "frA0.0",
                                                 "w(MW10+@5)>MW11",
                                                 "dlMW10*@3/@7qMW12",
                                                 "sT1m2.5",
                                                 "c10",
                                                 "mMW10",
                                                 "bIDLE;",
                                                 "\"a comment of its own"};
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += kinds[static_cast<std::size_t>(i) % kinds.size()] + "\r\n";
  return text;
}

std::vector<std::string> DisplayLines(int lines) {
  return stl::LoadDocument(StoredModule(lines), {}).lines;
}

void BM_LoadModule(benchmark::State& state) {
  const std::string stored = StoredModule(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ui::StlEditor editor;
    editor.setDisplayLines(stl::LoadDocument(stored, {}).lines);
    benchmark::DoNotOptimize(editor.blockCount());
  }
}
BENCHMARK(BM_LoadModule)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

// Retypes a line in the middle of the module and leaves it: the commit converts it, the
// replacement is coloured, the caret moves on.
void BM_CommitLine(benchmark::State& state) {
  ui::StlEditor editor;
  editor.setDisplayLines(DisplayLines(static_cast<int>(state.range(0))));
  const int middle = editor.blockCount() / 2;
  for (auto _ : state) {
    QTextCursor caret(editor.document()->findBlockByNumber(middle));
    caret.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    editor.setTextCursor(caret);
    editor.insertPlainText("and i0.3");  // the line is now changed and pending
    caret.movePosition(QTextCursor::NextBlock);
    editor.setTextCursor(caret);  // leaving it commits it, once the move is over
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(editor.hasPendingLines());
  }
}
BENCHMARK(BM_CommitLine)->Arg(100)->Arg(5000)->Unit(benchmark::kMicrosecond);

// Pasting a whole module as typed text: every pasted line is committed when the caret
// leaves it, so this is the one edit that converts (only) as many lines as it brought.
void BM_PasteModule(benchmark::State& state) {
  QStringList typed;
  for (const auto& line : DisplayLines(static_cast<int>(state.range(0)))) {
    typed << ui::FromStored(line).simplified().toLower();
  }
  const QString text = typed.join(QChar('\n')) + QChar('\n');
  for (auto _ : state) {
    ui::StlEditor editor;
    editor.insertPlainText(text);
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(editor.hasPendingLines());
  }
}
BENCHMARK(BM_PasteModule)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ColourLine(benchmark::State& state) {
  const std::string line = " OTHRW RESET          PUMP2          'Pump 2 running";
  for (auto _ : state) benchmark::DoNotOptimize(stl::ColourDisplayLine(line));
}
BENCHMARK(BM_ColourLine);

// The check the editor runs on its worker after a line was left: the whole module, both
// passes, every shown line converted once more. Steps and jumps are left out, so pass two
// always runs.
void BM_CheckShownLines(benchmark::State& state) {
  std::vector<std::string> lines;
  for (const auto& line : DisplayLines(static_cast<int>(state.range(0)))) {
    if (line.find("STEP") == std::string::npos && line.find("JMP") == std::string::npos)
      lines.push_back(line);
  }
  stl::AllocationList list;
  for (int i = 0; i < 200; ++i) {
    list.append(
        {*stl::ParseDisplayOperand("O" + std::to_string(i / 8) + "." + std::to_string(i % 8)),
         "SYM" + std::to_string(i), "a comment"});
  }
  stl::LineCheckSetup setup;
  setup.module = "CZ0P01V1";
  setup.symbols = &list;
  setup.readFieldbusConfig = [] { return std::optional<std::string>(); };
  for (auto _ : state) benchmark::DoNotOptimize(stl::CheckDisplayLines(lines, setup));
}
BENCHMARK(BM_CheckShownLines)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

// What the editor does on the user's thread for that check: the shown lines and a copy
// of the list, handed to the worker.
void BM_RequestCheck(benchmark::State& state) {
  stl::AllocationList list;
  for (int i = 0; i < 200; ++i) {
    list.append(
        {*stl::ParseDisplayOperand("O" + std::to_string(i / 8) + "." + std::to_string(i % 8)),
         "SYM" + std::to_string(i), "a comment"});
  }
  stl::ConversionContext context;
  context.allocationList = &list;
  ui::StlEditor editor;
  editor.setContext(context);
  editor.setDisplayLines(DisplayLines(static_cast<int>(state.range(0))));
  editor.enableLineCheck("CZ0P01V1", {});
  for (auto _ : state) {
    editor.checkLines();
    while (editor.lineCheckBusy()) QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_RequestCheck)->Arg(100)->Arg(5000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
