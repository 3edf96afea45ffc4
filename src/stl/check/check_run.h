#pragma once
// One check of a statement-list module as a compilation runs it: the start (message
// window, log file, allocation list, source), the two passes with their intermediate and
// cross-reference files, and the summary. `zelc check` runs all of it at once; the compile
// driver runs the start on its caller's thread and the rest on its worker.

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "stl/alloc/allocation_list.h"
#include "stl/check/check_report.h"
#include "stl/check/syntax_check.h"

namespace zel::stl {

inline constexpr const char* kLogExtension = ".LOG";
inline constexpr const char* kIntermediateExtension = ".INT";
inline constexpr const char* kCrossReferenceExtension = ".XREF";

struct CheckRunOptions {
  std::filesystem::path directory;  // the project directory
  std::string module;               // CZ0P05V1; any case
  // A compilation deletes the intermediate file at its end and the cross-reference file
  // after errors; a check keeps both for inspection.
  bool keepIntermediate = true;
};

class CheckRun : private CheckReport {
 public:
  explicit CheckRun(CheckRunOptions options);

  // Reports "compiling", creates the log, loads the allocation list and reads the
  // source. False when the run ended here with an error counted.
  bool start();
  // Pass one and, without errors, pass two, whose texts are written to their files.
  void runPasses();
  // The summary line in the log and the message window; removes what is not kept.
  void finish();
  // All three; the error count.
  int run();

  // A report of a later pass: `window` goes to the message window, `log` to the log file;
  // either may be empty. A log that cannot be written is handled as the passes' own.
  void report(std::string_view window, std::string_view log);
  void addErrors(int count) { m_errors += count; }

  const std::string& module() const { return m_module; }
  int errorCount() const { return m_errors; }
  // The lines the last pass read.
  int lineCounter() const { return m_result.lines; }
  const CheckResult& result() const { return m_result; }
  std::filesystem::path pathOf(std::string_view extension) const;

 private:
  void error(int line, std::string_view text) override;
  void notice(std::string_view text) override;
  void writeLog(std::string_view text);
  void writeOutputs();
  void failWriting(bool removeOutputs);
  void closeLog();

  CheckRunOptions m_options;
  std::string m_module;
  std::ofstream m_log;
  bool m_logOpen = false;
  bool m_logFailed = false;
  std::optional<AllocationList> m_symbols;
  std::string m_source;
  CheckResult m_result;
  int m_errors = 0;
};

// The bytes of the project's "CR.CFG"; nothing when there is none. A file that exists but
// cannot be read gives an empty text, which the check reports as unreadable.
std::optional<std::string> ReadFieldbusConfigFile(const std::filesystem::path& directory);

}  // namespace zel::stl
