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

#include "stl/editor/display_colouring.h"
#include "stl/editor/document.h"
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

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
