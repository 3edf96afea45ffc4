#include "stl/check/check_run.h"

#include <cstdio>
#include <exception>

#include "app/shell/message_service.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "platform/timebase.h"
#include "stl/check/check_messages.h"
#include "stl/check/check_output.h"
#include "stl/lang/fieldbus_config.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

void ToMessageWindow(std::string_view text) {
  app::PrintMessage("%s", std::string(text).c_str());
}

std::string Summary(int errors, const std::string& module, int lines) {
  // Room for the text, the name and two numbers of at most 11 characters each.
  std::string text(std::string_view(msg::kSummaryFormat).size() + module.size() + 24, '\0');
  const int size =
      std::snprintf(text.data(), text.size(), msg::kSummaryFormat, errors, module.c_str(), lines);
  text.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
  return text;
}

}  // namespace

std::optional<std::string> ReadFieldbusConfigFile(const fs::path& directory) {
  const auto path = platform::FindPathNoCase(directory / kFieldbusConfigFile);
  if (!path) return std::nullopt;
  return platform::ReadWholeFile(*path).value_or(std::string());
}

// The directory stays as given: upper-casing it would name another directory on a file
// system that minds case. The files in it are found without regard to case.
CheckRun::CheckRun(CheckRunOptions options)
    : m_options(std::move(options)), m_module(platform::UpperAscii(m_options.module)) {}

fs::path CheckRun::pathOf(std::string_view extension) const {
  return platform::ResolvePathNoCase(m_options.directory / (m_module + std::string(extension)));
}

bool CheckRun::start() {
  m_errors = 0;
  ToMessageWindow(std::string(msg::kCompiling) + m_module + "\r\n");
  // Left over from an earlier run, they would look like the result of this one.
  platform::DeleteFileAt(pathOf(kIntermediateExtension));
  platform::DeleteFileAt(pathOf(kCrossReferenceExtension));
  m_log.open(pathOf(kLogExtension), std::ios::binary | std::ios::trunc);
  if (!m_log) {
    ToMessageWindow(std::string(msg::kCannotCreateLog) + "\r\n");
    ++m_errors;
    return false;
  }
  m_logOpen = true;
  writeLog(platform::TimeText24(platform::Now()) + "\n");
  writeLog(std::string(msg::kCompiling) + m_module + "\n");
  AllocationList symbols;
  if (const auto list = platform::FindPathNoCase(m_options.directory / kAllocationListFile);
      list && symbols.load(*list))
    m_symbols = std::move(symbols);
  const auto source = platform::FindPathNoCase(pathOf(kSourceExtension));
  auto text = source ? platform::ReadWholeFile(*source) : std::nullopt;
  if (!text || text->empty()) {
    writeLog(std::string(msg::kFileNotFound) + "\n");
    ToMessageWindow("\r\n" + std::string(msg::kFileNotFound) + "\r\n");
    ++m_errors;
    closeLog();
    return false;
  }
  m_source = std::move(*text);
  return true;
}

void CheckRun::runPasses() {
  CheckSetup setup;
  setup.program = m_source;
  setup.module = m_module;
  setup.symbols = m_symbols ? &*m_symbols : nullptr;
  setup.readFieldbusConfig = [dir = m_options.directory] { return ReadFieldbusConfigFile(dir); };
  try {
    m_result = RunSyntaxCheck(setup, *this);
    m_errors += m_result.errors;
    if (m_result.passTwoRan) writeOutputs();
  } catch (const std::exception&) {
    ++m_errors;  // a check too big for memory fails; it never takes the program down
  }
  if (m_logFailed) failWriting(m_result.passTwoRan);
}

void CheckRun::finish() {
  const std::string summary = Summary(m_errors, m_module, m_result.lines + 1);
  writeLog(summary + "\n");
  if (m_logFailed) failWriting(false);
  ToMessageWindow(summary + "\r\n");
  closeLog();
  if (m_options.keepIntermediate) return;
  platform::DeleteFileAt(pathOf(kIntermediateExtension));
  if (m_errors > 0) platform::DeleteFileAt(pathOf(kCrossReferenceExtension));
}

int CheckRun::run() {
  if (start()) {
    runPasses();
    finish();
  }
  return m_errors;
}

void CheckRun::report(std::string_view window, std::string_view log) {
  if (!window.empty()) ToMessageWindow(window);
  if (!log.empty()) writeLog(log);
}

void CheckRun::error(int line, std::string_view text) {
  ToMessageWindow(MessageWindowLine(m_module, line, text));
  writeLog(LogLine(line, text));
}

void CheckRun::notice(std::string_view text) {
  ToMessageWindow(PrintableText(text) + "\r\n");
}

void CheckRun::writeLog(std::string_view text) {
  if (!m_logOpen || m_logFailed) return;
  m_log.write(text.data(), static_cast<std::streamsize>(text.size()));
  m_log.flush();
  if (!m_log) m_logFailed = true;
}

void CheckRun::writeOutputs() {
  // Derived from the source: a crash loses nothing that another compilation cannot make.
  constexpr auto kDeferred = platform::Durability::Deferred;
  if (!platform::WriteFileAtomically(pathOf(kIntermediateExtension), m_result.output.intermediate,
                                     kDeferred) ||
      !platform::WriteFileAtomically(pathOf(kCrossReferenceExtension),
                                     m_result.output.crossReference, kDeferred))
    failWriting(true);
}

// A file that cannot be written leaves no half of a result behind: the log goes, and
// with it the pass-two files when they were being written.
void CheckRun::failWriting(bool removeOutputs) {
  ToMessageWindow("\r\n" + std::string(msg::kWriteError) + "\r\n");
  closeLog();
  platform::DeleteFileAt(pathOf(kLogExtension));
  if (removeOutputs) {
    platform::DeleteFileAt(pathOf(kIntermediateExtension));
    platform::DeleteFileAt(pathOf(kCrossReferenceExtension));
  }
  m_logFailed = false;
  ++m_errors;
}

void CheckRun::closeLog() {
  if (m_logOpen) m_log.close();
  m_logOpen = false;
}

}  // namespace zel::stl
