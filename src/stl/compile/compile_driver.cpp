#include "stl/compile/compile_driver.h"

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "app/modules/module.h"
#include "app/project/project_file.h"
#include "app/shell/message_service.h"
#include "platform/files.h"
#include "stl/check/check_output.h"
#include "stl/check/check_run.h"
#include "stl/codegen/code_generator.h"
#include "stl/codegen/messages.h"
#include "stl/compile/compile_messages.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

// What the worker needs besides the check: where the project is and where the compiled
// module goes (empty when the project names no controller type, so no name exists).
struct CompileJob {
  std::unique_ptr<CheckRun> run;
  fs::path directory;
  fs::path object;
};

fs::path ObjectPath(const fs::path& directory, const std::string& module) {
  const app::ProjectFile project(platform::ResolvePathNoCase(directory / app::kProjectFileName));
  const std::string type = project.target();
  if (type.empty()) return {};
  const std::string source = module + std::string(kSourceExtension);
  return platform::ResolvePathNoCase(directory / app::ObjectFileName(source, type));
}

bool WriteObject(const fs::path& object, const CodeGenResult& code) {
  const std::string_view bytes(reinterpret_cast<const char*>(code.object.data()),
                               code.object.size());
  return !object.empty() && platform::WriteFileAtomically(object, bytes);
}

void GenerateAndWrite(CheckRun& run, const CompileJob& job) {
  CodeGenSetup setup;
  setup.module = run.module();
  setup.readFieldbusConfig = [dir = job.directory] { return ReadFieldbusConfigFile(dir); };
  const CodeGenResult code = GenerateCode(run.result().output.intermediate, setup);
  run.addErrors(code.errors);
  for (const CodeGenLine& line : code.lines) run.report(line.window, line.log);
  if (code.errors != 0) return;
  if (WriteObject(job.object, code)) {
    const std::string size = MachineCodeLine(code.codeSize);
    run.report(size + "\r\n", size + "\n");
  } else {
    run.report(std::string(msg::kCannotOpenOutput) + "\r\n",
               std::string(msg::kCompilationTerminated) + "\n");
    run.addErrors(1);
  }
}

void ReportException(CheckRun& run, const char* text) {
  const CodeGenLine line = TerminatedByException(text);
  run.report(line.window, line.log);
  run.addErrors(1);
}

void Compile(CompileJob& job) {
  CheckRun& run = *job.run;
  try {
    run.runPasses();
    if (run.errorCount() == 0) GenerateAndWrite(run, job);
  } catch (const std::exception& e) {
    ReportException(run, e.what());
  } catch (...) {
    ReportException(run, nullptr);
  }
  run.finish();
}

class Driver {
 public:
  ~Driver() { wait(); }

  bool start(const fs::path& directory, std::string_view module);
  bool running() const { return m_running.load(); }
  int errors() const { return m_errors.load(); }
  void wait();

 private:
  bool launch(CompileJob job);
  void work(CompileJob& job) noexcept;

  std::mutex m_lock;  // one start or wait at a time; guards m_worker
  std::thread m_worker;
  std::atomic<bool> m_running{false};
  std::atomic<int> m_errors{0};
};

Driver& TheDriver() {
  // The worker reports into the message window until its last line. Reaching the window's
  // registry first makes it outlive the driver, whose end waits for the worker.
  [[maybe_unused]] static const bool registryFirst = (app::FindMessageWindow(), true);
  static Driver driver;
  return driver;
}

bool Driver::start(const fs::path& directory, std::string_view module) {
  std::lock_guard guard(m_lock);
  if (m_running.load()) {
    // The running compilation owns the files, the log and the count; it is left alone.
    app::PrintMessage("%s\r\n", std::string(msg::kCannotStartCompiler).c_str());
    return false;
  }
  if (m_worker.joinable()) m_worker.join();
  CompileJob job;
  job.run = std::make_unique<CheckRun>(CheckRunOptions{directory, std::string(module), false});
  job.directory = directory;
  if (!job.run->start()) {
    m_errors.store(job.run->errorCount());
    return false;
  }
  job.object = ObjectPath(directory, job.run->module());
  return launch(std::move(job));
}

// True when the worker was started; it may have ended already.
bool Driver::launch(CompileJob job) {
  const int errorsSoFar = job.run->errorCount();
  m_errors.store(errorsSoFar);
  m_running.store(true);
  try {
    m_worker = std::thread([this, job = std::move(job)]() mutable { work(job); });
    return true;
  } catch (...) {
    // The job went with the thread that could not be made, closing its log.
    app::PrintMessage("%s\r\n", std::string(msg::kCannotStartCompiler).c_str());
    m_errors.store(errorsSoFar + 1);
    m_running.store(false);
    return false;
  }
}

void Driver::work(CompileJob& job) noexcept {
  try {
    Compile(job);
  } catch (...) {
    job.run->addErrors(1);  // the summary itself failed; the count still tells
  }
  const int errors = job.run->errorCount();
  // An object file beside a module that did not compile would pass for its result.
  if (errors > 0 && !job.object.empty()) platform::DeleteFileAt(job.object);
  m_errors.store(errors);
  job.run.reset();  // closes the log before IsCompiling() turns false
  m_running.store(false);
}

void Driver::wait() {
  std::lock_guard guard(m_lock);
  if (m_worker.joinable()) m_worker.join();
}

}  // namespace

bool StartCompile(const fs::path& projectDirectory, std::string_view moduleName) {
  return TheDriver().start(projectDirectory, moduleName);
}

bool IsCompiling() {
  return TheDriver().running();
}

int CompileErrorCount() {
  return TheDriver().errors();
}

void WaitForCompile() {
  TheDriver().wait();
}

bool IsLadderModule(std::string_view fileName) {
  return app::LanguageOfFileName(fileName) == app::Language::Ladder;
}

int ReportLadderModule() {
  app::PrintMessage("%s\r\n", std::string(msg::kLadderNotImplemented).c_str());
  return 1;
}

}  // namespace zel::stl
