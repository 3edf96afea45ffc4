#include "stl/codegen/code_generator.h"

#include <cstdio>
#include <exception>
#include <new>

#include "stl/codegen/intermediate_scanner.h"
#include "stl/codegen/messages.h"
#include "stl/codegen/object_file.h"
#include "stl/codegen/parser.h"
#include "stl/codegen/translator.h"

namespace zel::stl {
namespace {

using code::CodeStop;

std::string TerminatedLog() {
  return std::string(msg::kCompilationTerminated) + "\n";
}

// Collects the pass's reports in the order they arise and counts the errors.
class Reporter {
 public:
  Reporter(CodeGenResult& result, const std::string& module) : m_result(result), m_module(module) {}

  void fault(int line, std::string_view text) {
    const std::string message = where(line) + msg::kErrorPrefix + std::string(text);
    m_result.lines.push_back({message + "\r\n", message + "\n"});
    ++m_result.errors;
  }
  void stop(int line, std::string_view text) {
    m_result.lines.push_back(
        {where(line) + msg::kCompilerPrefix + std::string(text) + "\r\n", TerminatedLog()});
    ++m_result.errors;
  }
  void exception(const char* text) {
    m_result.lines.push_back(TerminatedByException(text));
    ++m_result.errors;
  }

 private:
  std::string where(int line) const { return m_module + "(" + std::to_string(line) + ") "; }

  CodeGenResult& m_result;
  const std::string& m_module;
};

// Translates each item as the parser completes it and reports new faults at once, so the
// message window keeps the order of the program.
class TranslatingSink : public code::ParseSink {
 public:
  TranslatingSink(code::Translator& translator, Reporter& reporter)
      : m_translator(translator), m_reporter(reporter) {}

  void item(const code::SentenceTree& tree, code::NodeId root) override {
    m_translator.translate(tree, root);
    flushFaults();
  }
  void parseError(int line, std::string_view text) override { m_reporter.stop(line, text); }

  void flushFaults() {
    const auto& faults = m_translator.faults();
    for (; m_reported < faults.size(); ++m_reported)
      m_reporter.fault(faults[m_reported].line, faults[m_reported].text);
  }

 private:
  code::Translator& m_translator;
  Reporter& m_reporter;
  std::size_t m_reported = 0;
};

void Translate(std::string_view intermediate, const CodeGenSetup& setup, CodeGenResult& result,
               Reporter& reporter) {
  code::Translator translator({setup.module, setup.readFieldbusConfig});
  TranslatingSink sink(translator, reporter);
  try {
    translator.begin();
    if (code::ParseIntermediate(intermediate, sink)) translator.finish();
    sink.flushFaults();
  } catch (const CodeStop&) {
    sink.flushFaults();  // what was found before the stop comes first
    throw;
  }
  if (result.errors != 0) return;
  result.codeSize = translator.code().size();
  result.object = ObjectFileBytes(translator.code(), translator.usage());
}

}  // namespace

std::string MachineCodeLine(std::size_t codeSize) {
  char text[64];
  const int size =
      std::snprintf(text, sizeof text, msg::kMachineCodeFormat, static_cast<unsigned>(codeSize));
  return std::string(text, size > 0 ? static_cast<std::size_t>(size) : 0);
}

CodeGenLine TerminatedByException(const char* text) {
  std::string window = std::string(msg::kTerminatedByException) + "\r\n";
  if (text) window += std::string(text) + "\r\n";
  return {window, TerminatedLog()};
}

CodeGenResult GenerateCode(std::string_view intermediate, const CodeGenSetup& setup) {
  CodeGenResult result;
  Reporter reporter(result, setup.module);
  try {
    Translate(intermediate, setup, result, reporter);
  } catch (const CodeStop& stop) {
    reporter.stop(stop.line, stop.text);
  } catch (const std::bad_alloc&) {
    reporter.stop(0, msg::kOutOfMemory);
  } catch (const std::exception& e) {
    reporter.exception(e.what());
  } catch (...) {
    reporter.exception(nullptr);
  }
  if (result.errors != 0) {
    result.object.clear();
    result.codeSize = 0;
  }
  return result;
}

}  // namespace zel::stl
