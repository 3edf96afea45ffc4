#include "stl/compile/compile_driver.h"

#include <exception>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "app/modules/module.h"
#include "app/project/project_file.h"
#include "app/shell/message_service.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "stl/check/check_output.h"
#include "stl/check/check_run.h"
#include "stl/codegen/code_generator.h"
#include "stl/codegen/messages.h"
#include "stl/compile/compile_messages.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

// The steps a compilation reports; a cancel takes effect between them.
constexpr int kSteps = 3;

// What the worker needs besides the check: where the project is and where the compiled
// module goes (empty when the project names no controller type, so no name exists).
struct CompileWork {
  std::unique_ptr<CheckRun> run;
  fs::path directory;
  fs::path object;
  platform::Durability objectDurability = platform::Durability::Flushed;
};

fs::path ObjectPath(const fs::path& directory, const std::string& module) {
  const app::ProjectFile project(platform::ResolvePathNoCase(directory / app::kProjectFileName));
  const std::string type = project.target();
  if (type.empty()) return {};
  const std::string source = module + std::string(kSourceExtension);
  return platform::ResolvePathNoCase(directory / app::ObjectFileName(source, type));
}

bool WriteObject(const CompileWork& work, const CodeGenResult& code) {
  const std::string_view bytes(reinterpret_cast<const char*>(code.object.data()),
                               code.object.size());
  return !work.object.empty() &&
         platform::WriteFileAtomically(work.object, bytes, work.objectDurability);
}

void ReportLine(CheckRun& run, std::string_view text, std::string_view log) {
  run.report(std::string(text) + "\r\n", std::string(log) + "\n");
}

// False when the compilation was cancelled before the object file.
bool GenerateAndWrite(CheckRun& run, const CompileWork& work, app::JobControl& control) {
  control.progress("Generating code for " + run.module(), 2, kSteps);
  CodeGenSetup setup;
  setup.module = run.module();
  setup.readFieldbusConfig = [dir = work.directory] { return ReadFieldbusConfigFile(dir); };
  const CodeGenResult code = GenerateCode(run.result().output.intermediate, setup);
  run.addErrors(code.errors);
  for (const CodeGenLine& line : code.lines) run.report(line.window, line.log);
  if (code.errors != 0) return true;
  if (control.cancelRequested()) return false;
  control.progress("Writing " + work.object.filename().string(), 3, kSteps);
  if (WriteObject(work, code)) {
    const std::string size = MachineCodeLine(code.codeSize);
    ReportLine(run, size, size);
  } else {
    ReportLine(run, msg::kCannotOpenOutput, msg::kCompilationTerminated);
    run.addErrors(1);
  }
  return true;
}

void ReportException(CheckRun& run, const char* text) {
  const CodeGenLine line = TerminatedByException(text);
  run.report(line.window, line.log);
  run.addErrors(1);
}

// The passes, the code and the object file; false when a cancel stopped them. The summary
// follows in any case, so the log and the window always end with the count.
bool Compile(CompileWork& work, app::JobControl& control) {
  CheckRun& run = *work.run;
  bool completed = true;
  try {
    control.progress("Checking " + run.module(), 1, kSteps);
    run.runPasses();
    if (run.errorCount() == 0) {
      completed = !control.cancelRequested() && GenerateAndWrite(run, work, control);
    }
  } catch (const std::exception& e) {
    ReportException(run, e.what());
  } catch (...) {
    ReportException(run, nullptr);
  }
  if (!completed) {
    // Counted as an error, so the finish removes the cross reference like any failure's.
    ReportLine(run, msg::kCompilationCancelled, msg::kCompilationCancelled);
    run.addErrors(1);
  }
  run.finish();
  return completed;
}

// Modules being compiled, by project directory and name: two compilations of one module
// would write the same files.
class ModuleClaims {
 public:
  static std::string keyOf(const fs::path& directory, const std::string& module) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(directory, error);
    return (error ? directory : canonical).string() + '\n' + platform::UpperAscii(module);
  }
  bool claim(const std::string& key) {
    std::lock_guard guard(m_lock);
    return m_keys.insert(key).second;
  }
  void release(const std::string& key) {
    std::lock_guard guard(m_lock);
    m_keys.erase(key);
  }

 private:
  std::mutex m_lock;
  std::set<std::string> m_keys;
};

ModuleClaims& Claims() {
  static ModuleClaims claims;
  return claims;
}

void ReportCannotStart() {
  app::PrintMessage("%s\r\n", std::string(msg::kCannotStartCompiler).c_str());
}

app::JobOutcome RunWork(CompileWork& work, const std::string& claim, app::JobControl& control,
                        std::atomic<int>& errors) noexcept {
  bool completed = false;
  try {
    completed = Compile(work, control);
  } catch (...) {
    work.run->addErrors(1);  // the summary itself failed; the count still tells
  }
  const int count = work.run->errorCount();
  // An object file beside a module that did not compile would pass for its result.
  if (count > 0 && !work.object.empty()) platform::DeleteFileAt(work.object);
  errors.store(count);
  work.run.reset();  // closes the log before the job is seen to end
  Claims().release(claim);
  const app::JobResult result = !completed  ? app::JobResult::Cancelled
                                : count > 0 ? app::JobResult::Failed
                                            : app::JobResult::Succeeded;
  return app::JobOutcome{result, count, 0};
}

}  // namespace

bool Compilation::start(const fs::path& directory, std::string_view moduleName) {
  if (m_job.running()) {
    // The running compilation owns the files, the log and the count; it is left alone.
    ReportCannotStart();
    return false;
  }
  const std::string claim = ModuleClaims::keyOf(directory, std::string(moduleName));
  if (!Claims().claim(claim)) {
    ReportCannotStart();
    m_errors.store(1);
    return false;
  }
  auto work = std::make_shared<CompileWork>();
  work->run =
      std::make_unique<CheckRun>(CheckRunOptions{directory, std::string(moduleName), false});
  work->directory = directory;
  work->objectDurability = m_objectDurability;
  if (!work->run->start()) {
    m_errors.store(work->run->errorCount());
    Claims().release(claim);
    return false;
  }
  work->object = ObjectPath(directory, work->run->module());
  m_errors.store(work->run->errorCount());
  const bool started = m_job.start([this, work, claim](app::JobControl& control) {
    return RunWork(*work, claim, control, m_errors);
  });
  if (!started) {
    // The work never began: its summary is written here, so the log still ends with it.
    ReportCannotStart();
    work->run->addErrors(1);
    work->run->finish();
    m_errors.store(work->run->errorCount());
    work->run.reset();
    Claims().release(claim);
  }
  return started;
}

namespace {

Compilation& TheCompilation() {
  // The worker reports into the message window until its last line. Reaching the window's
  // registry first makes it outlive the compilation, whose end waits for the worker.
  [[maybe_unused]] static const bool registryFirst = (app::FindMessageWindow(), true);
  static Compilation compilation;
  return compilation;
}

}  // namespace

bool StartCompile(const fs::path& projectDirectory, std::string_view moduleName) {
  return TheCompilation().start(projectDirectory, moduleName);
}

bool IsCompiling() {
  return TheCompilation().running();
}

int CompileErrorCount() {
  return TheCompilation().errorCount();
}

void WaitForCompile() {
  TheCompilation().wait();
}

const app::Job& CompileJob() {
  return TheCompilation().job();
}

bool IsLadderModule(std::string_view fileName) {
  return app::LanguageOfFileName(fileName) == app::Language::Ladder;
}

int ReportLadderModule() {
  app::PrintMessage("%s\r\n", std::string(msg::kLadderNotImplemented).c_str());
  return 1;
}

}  // namespace zel::stl
