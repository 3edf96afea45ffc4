// The worker of a build: the run file's records in their order, the modules compiled as
// the mode asks and linked, the drivers, "Startup.BAT", and the "DOWNLOAD" section, every
// step reporting to the build's log. Errors never stop it early; the end decides.

#include <cstdio>
#include <string>
#include <vector>

#include "app/modules/module.h"
#include "app/project/project_file.h"
#include "app/text/text_format.h"
#include "archive/archive_writer.h"
#include "build/build_messages.h"
#include "build/build_work.h"
#include "build/driver_commands.h"
#include "build/driver_data.h"
#include "build/driver_entry.h"
#include "build/driver_files.h"
#include "build/driver_order.h"
#include "build/driver_table.h"
#include "build/error_descriptions.h"
#include "build/module_linker.h"
#include "build/project_backup.h"
#include "build/run_file_records.h"
#include "build/runtime_settings.h"
#include "build/scan_table.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "platform/timebase.h"
#include "stl/compile/compile_driver.h"
#include "stl/compile/compile_messages.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCompilationFailed = "ERROR: Compilation failed\r\n";
constexpr std::string_view kNoPrograms = "WARNING: No program(s) in this project\r\n";
constexpr std::string_view kNothing =
    "WARNING: Neither IO scan table nor program(s) in this project\r\n";
constexpr std::string_view kNoScanTable = "WARNING: No IO scan table in this project\r\n";
constexpr std::string_view kNoP0 = "WARNING: No program P0 in this project\r\n";
constexpr std::string_view kNothingAtAll =
    "ERROR: Neither IO scan table nor program(s) nor driver(s) in this project\r\n";
constexpr std::string_view kNoFieldbusConfiguration =
    "ERROR: Kolva Fieldbus configuration not found\r\n";
constexpr std::string_view kCancelled = "ERROR: Build cancelled\r\n";
constexpr std::string_view kCannotStoreDownload =
    "ERROR: Cannot write the DOWNLOAD section of the project file\r\n";
constexpr std::string_view kFieldbusConfigurationFile = "CR.CFG";
constexpr std::uint64_t kFieldbusConfigurationMinimum = 700;
constexpr std::string_view kUnknownUser = "UNKNOWN";

// Paths in the "DOWNLOAD" section are this program's own.
std::string LocalPath(const fs::path& path) {
  return path.generic_string();
}

struct ModuleEntry {
  std::string fileName;
  bool selected = false;
};

// "SRC_%d" values from 0 up to the first empty one: the file name up to the first ",",
// then the selection flag.
std::vector<ModuleEntry> ReadModules(const app::ProjectFile& project) {
  std::vector<ModuleEntry> modules;
  for (const std::string& value :
       project.numberedValues(app::kSectionModules, app::kModuleKeyPrefix, kDownloadValueBuffer)) {
    const std::size_t comma = value.find(',');
    ModuleEntry entry{value.substr(0, comma), false};
    if (comma != std::string::npos) entry.selected = std::atoi(value.c_str() + comma + 1) != 0;
    modules.push_back(std::move(entry));
  }
  return modules;
}

class Worker {
 public:
  Worker(BuildWork& work, app::JobControl& control)
      : w(work), log(work.log), m_control(control), m_writer(*work.writer) {
    m_compilation.deferObjectFlush();  // one flush at the end serves every module
  }

  BuildCounts run() {
    writeHead();
    scanTables();
    runtimeSettings();
    m_state.fieldbusConfigured = fieldbusConfigured();
    const bool completed = modules();
    if (completed) {
      missingModules();
      programWarnings();
      includeDrivers();
      fieldbus();
      WriteRuntimeModeRecord(m_writer, w.mode);
      driverSteps();
      endOfFiles();
    } else {
      log.error(kCancelled);
    }
    finish();
    return BuildCounts{log.errors(), log.warnings()};
  }

 private:
  void writeHead() {
    w.buildTime = w.request.clock ? w.request.clock() : platform::Now();
    std::optional<std::string> user =
        w.request.userName ? w.request.userName() : platform::UserLoginName();
    m_user = user && !user->empty() ? *user : std::string(kUnknownUser);
    RunFileHead head;
    head.buildTime = static_cast<std::uint32_t>(w.buildTime);
    head.buildTimeText = w.timeText(w.buildTime);
    head.projectName = w.request.projectName;
    head.controllerType = w.type;
    head.user = m_user;
    head.productVersion = w.request.productVersion;
    head.password = w.settings.password;
    WriteHeadRecords(m_writer, head);
  }

  void scanTables() {
    const ScanTableInputs inputs{w.request.programDirectory, w.type,
                                 ReadIoEntries(w.project, w.type)};
    for (const ScanDirection direction : {ScanDirection::Input, ScanDirection::Output}) {
      const std::vector<ScanCommand> table = BuildScanTable(direction, inputs, log);
      if (table.empty()) continue;
      m_scanTable = true;
      if (!m_writer.WriteRecord(ScanRecordType(direction), ScanTablePayload(table)))
        log.error("ERROR: IO scan table too large for the project run file\r\n");
    }
  }

  void runtimeSettings() {
    ApplyRunModeSettings(w.settings, w.mode, log);
    w.download.set("AUTOSTART", (w.mode.flags & kModeAutoStart) ? "1" : "0");
    w.download.set("USER", m_user);
  }

  bool fieldbusConfigured() const {
    const auto path =
        platform::FindPathNoCase(w.projectDirectory / std::string(kFieldbusConfigurationFile));
    if (!path) return false;
    const auto size = platform::FileSize(*path);
    return size && *size >= kFieldbusConfigurationMinimum;
  }

  // False when the build was cancelled.
  bool modules() {
    const std::vector<ModuleEntry> all = ReadModules(w.project);
    int selected = 0;
    for (const ModuleEntry& module : all) selected += module.selected ? 1 : 0;
    const auto allocationList =
        platform::FindPathNoCase(w.projectDirectory / std::string(app::kAllocListFileName));
    m_allocationTime = allocationList ? platform::FileTime(*allocationList) : 0;
    if (allocationList) w.archiveFiles.push_back(*allocationList);
    int n = 0;
    for (const ModuleEntry& module : all) {
      if (!module.selected) continue;
      if (m_control.cancelRequested()) return false;
      m_control.progress("Module " + std::to_string(n + 1) + " of " + std::to_string(selected) +
                             ": " + module.fileName,
                         n + 1, selected);
      w.download.add(DownloadList::LinkedModule, module.fileName);
      buildModule(module.fileName);
      ++n;
    }
    return true;
  }

  void buildModule(const std::string& file) {
    const app::Language language = app::LanguageOfFileName(file);
    const std::string base = file.substr(0, file.find('.'));
    const std::string object = base + "." + w.type + ".OBJ";
    const bool plainName = file.find_first_of("/\\") == std::string::npos &&
                           file.find("..") == std::string::npos && !base.empty();
    const fs::path source = platform::ResolvePathNoCase(w.projectDirectory / file);
    const fs::path objectPath = platform::ResolvePathNoCase(w.projectDirectory / object);
    const ModuleTimes times{platform::FileTime(source), platform::FileTime(objectPath),
                            m_allocationTime};
    if (plainName && language == app::Language::Stl) {
      w.archiveFiles.push_back(source);
      if (NeedsCompile(w.request.mode, times)) compile(base);
    } else if (plainName && language == app::Language::Ladder) {
      if (NeedsCompile(w.request.mode, times)) {
        // The ladder compiler is not part of this version: it never starts.
        log.print(std::string(stl::msg::kLadderNotImplemented) + "\r\n");
        log.error(kCompilationFailed);
      }
    } else if (plainName && language == app::Language::Imported) {
      if (!platform::PathExistsNoCase(source)) {
        log.error(app::FormatText("ERROR: %s does not exist.\r\n", file.c_str()));
        log.print("\r\n");
        return;
      }
      w.archiveFiles.push_back(source);
      w.archiveFiles.push_back(objectPath);
    } else {
      log.error(app::FormatText("ERROR: %s is not a known module type\r\n", file.c_str()));
      return;
    }
    link(object);
  }

  void compile(const std::string& base) {
    if (!m_compilation.start(w.projectDirectory, base)) {
      log.error(kCompilationFailed);
      return;
    }
    m_compilation.wait();
    m_compiled = true;
    log.countError(static_cast<std::uint32_t>(m_compilation.errorCount()));
  }

  void link(const std::string& object) {
    const int result = LinkModule(w.projectDirectory, object, m_state, m_writer, log);
    if (result == link_result::kLinked) return;
    // The linker refuses such a module before writing it; it still placed slaves, which
    // the fieldbus step reports with the rest of the fieldbus.
    if (result == link_result::kNoFieldbusConfiguration) m_state.slavesPlaced = true;
    log.countError();
    const ErrorDescription description =
        LookupErrorDescription(w.request.programDirectory, kLinkErrorFileNumber, result);
    if (description.text) {
      log.print(*description.text);
    } else {
      log.print(app::FormatText("ERROR: Link Error %d and file 'errorlnk.txt' not found", result));
    }
    log.print("\r\n");
  }

  void missingModules() {
    for (std::size_t n = 0; n < kMaxPrograms; ++n) {
      if (m_state.programReferenced(n) && !m_state.programLinked[n])
        log.error(app::FormatText(kMsgProgramMissing, static_cast<int>(n)));
    }
    const int errorProgram = w.mode.errorProgram;
    if (errorProgram >= 0 && static_cast<std::size_t>(errorProgram) < kMaxPrograms &&
        !m_state.programLinked[static_cast<std::size_t>(errorProgram)] &&
        !m_state.programReferenced(static_cast<std::size_t>(errorProgram)))
      log.error(app::FormatText(kMsgProgramMissing, errorProgram));
    for (std::size_t n = 0; n < kMaxCalledModules; ++n) {
      if (m_state.cmpReferenced[n] != 0 && !m_state.cmpLinked[n])
        log.error(app::FormatText("ERROR: CMP %d missing\r\n", static_cast<int>(n)));
    }
    for (std::size_t n = 0; n < kMaxCalledModules; ++n) {
      if (m_state.cfmReferenced[n] != 0 && !m_state.cfmLinked[n])
        log.error(app::FormatText("ERROR: CFM %d missing\r\n", static_cast<int>(n)));
    }
  }

  void programWarnings() {
    if (!m_state.anyProgramLinked) {
      log.warning(m_scanTable ? kNoPrograms : kNothing);
      return;
    }
    if (!m_scanTable) log.warning(kNoScanTable);
    if (!m_state.p0Linked) log.warning(kNoP0);
  }

  void includeDrivers() {
    const DriverContext context{w.request.programDirectory, w.type, w.request.projectsDirectory,
                                w.request.projectName, w.project.path()};
    m_drivers = IncludeDrivers(ReadDriverNames(context), context, w.mode, log);
    for (const DriverEntry& driver : m_drivers) {
      for (const std::string& source : driver.saveSources) {
        w.archiveFiles.push_back(FindDriverFile(source).value_or(fs::path(source)));
      }
    }
  }

  void fieldbus() {
    if (!m_state.fieldbusConfigured && m_state.slavesPlaced) {
      log.error(kNoFieldbusConfiguration);
      w.mode.flags = 0;
      w.mode.fieldbusFlags = 0;
    }
    if (w.mode.flags & kModeKolvaFieldbus) WriteFieldbusRecord(m_writer, m_state);
  }

  void driverSteps() {
    for (const DriverEntry& driver : m_drivers) w.batch.append(StartupText(driver), log);
    DriverCommandOptions options;
    options.workingDirectory = w.request.programDirectory;
    options.timeLimit = w.request.commandTimeLimit;
    options.errorTone = w.request.errorTone;
    RunDriverCommands(m_drivers, options, log);
    // A file that is missing is an error there: it would be listed with size and time 0.
    for (const LoadFile& file : CollectFilesToLoad(m_drivers, log)) {
      w.drives.add(file.remote);
      m_loadSize += file.size;
      w.download.add(DownloadList::TransferFileNewer,
                     TransferValue(file.size, platform::FileTime(file.local), file.remote,
                                   LocalPath(file.local)));
    }
    if (!m_state.anyProgramLinked && !m_scanTable && m_drivers.empty()) log.error(kNothingAtAll);
    for (const DriverEntry& driver : m_drivers) {
      for (std::size_t index = 0; index < driver.filesToLink.size(); ++index) {
        const std::string& path = driver.filesToLink[index];
        LinkDriverFile(FindDriverFile(path).value_or(fs::path(path)),
                       static_cast<std::uint16_t>(driver.number), index, m_writer, log);
        w.download.add(DownloadList::LinkedData, path);
      }
    }
  }

  void endOfFiles() {
    w.batch.append(KernelLine(w.kernelDrive, w.projectDrive, w.settings.kernelParams,
                              w.settings.kernelComPort),
                   log);
    std::string rescue =
        w.startupDrive + "STARTUP.BAT," + w.kernelDrive + std::string(kKernelFileName);
    if (!w.settings.kernelComPort.empty()) rescue += " -c" + w.settings.kernelComPort;
    w.download.set("RESCUE", rescue);
    m_writer.WriteEnd();
    const auto kernel = platform::FindPathNoCase(w.runtimeDirectory / std::string(kKernelFileName));
    if (!kernel) {
      log.error(
          app::FormatText("ERROR: Kernel file %s not found\r\n",
                          LocalPath(w.runtimeDirectory / std::string(kKernelFileName)).c_str()));
    }
    w.download.add(DownloadList::CheckFileExists,
                   CheckFileExistsValue(kernel ? platform::FileTime(*kernel) : 0, w.kernelDrive,
                                        kKernelFileName));
    w.download.set("CHECKDRIVES", w.drives.letters());
    closeRunFile();
    w.batch.close(log);

    const std::uint64_t batchSize = platform::FileSize(w.startupBatchPath).value_or(0);
    w.download.add(DownloadList::TransferFileModified,
                   TransferModifiedValue(batchSize, w.startupDrive + "STARTUP.BAT",
                                         LocalPath(w.startupBatchPath)));
    m_runSize = platform::FileSize(w.runFileTemp).value_or(0);
    w.download.add(DownloadList::TransferFile,
                   TransferValue(m_runSize, platform::FileTime(w.runFileTemp),
                                 w.projectDrive + "PROJECT.RUN", LocalPath(w.runFile)));
    platform::DeleteFileAt(platform::ResolvePathNoCase(w.projectDirectory / "Project.ZIP"));
    std::uint64_t archiveSize = 0;
    if (w.settings.downloadSources) archiveSize = writeSourceArchive();
    for (const char* name : {"PROJECT.ZIP", "PROJECT.SAV", "PROJECT.RUN"})
      w.download.add(DownloadList::DeleteFile, AnyDriveName(w.projectDrive + name));
    w.download.set("MAXDOWNLOADSIZE",
                   std::to_string(batchSize + m_loadSize + m_runSize + archiveSize));
  }

  // The sources the controller keeps for a later upload. A complete archive prints
  // nothing, so the message window reads as it did without it; each failure prints its
  // message and counts one error, and a failed archive is not listed for the download.
  // Returns the archive's size, 0 when there is none.
  std::uint64_t writeSourceArchive() {
    const fs::path zip = w.projectDirectory / "Project.ZIP";
    archive::ArchiveReport report;
    report.print = [this](std::string_view text) { log.print(text); };
    const archive::ArchiveResult result = archive::WriteProjectArchive(
        zip, w.archiveFiles, w.projectDirectory,
        ProjectArchiveComment(w.request.projectName, w.request.productVersion),
        archive::ArchiveMode::StopAtFailedEntry, report);
    log.countError(static_cast<std::uint32_t>(result.errors));
    if (!result.written) return 0;
    const std::uint64_t size = platform::FileSize(zip).value_or(0);
    w.download.add(DownloadList::TransferFile,
                   TransferValue(size, platform::FileTime(zip), w.projectDrive + "PROJECT.ZIP",
                                 LocalPath(zip)));
    return size;
  }

  void closeRunFile() {
    w.runStream.flush();
    const bool written = static_cast<bool>(w.runStream);
    w.runStream.close();
    if ((!written || w.runStream.fail()) && !m_writer.failed()) log.error(kMsgCannotWriteRunFile);
    m_closed = true;
  }

  void finish() {
    if (!m_closed) {
      w.runStream.close();
      w.batch.close(log);
    }
    bool built = log.errors() == 0 && !m_writer.failed();
    // Everything this build wrote reaches the disk before the run file gets its name; the
    // object files of a failed build too, since the next Make takes them as current.
    if (built || m_compiled) platform::SyncFileSystemOf(w.projectDirectory);
    if (built) {
      if (!platform::MoveFileTo(w.runFileTemp, w.runFile)) {
        log.error(kMsgCannotCreateRunFile);
        built = false;
      }
    }
    if (!built) {
      platform::DeleteFileAt(w.runFileTemp);
      platform::DeleteFileAt(w.runFile);
    } else {
      std::string text = w.timeText(w.buildTime);
      for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
      w.download.set("MAKE", std::to_string(static_cast<std::uint32_t>(w.buildTime)) + ", " + text);
    }
    if (!w.download.store(w.project)) {
      log.error(kCannotStoreDownload);
      if (built) platform::DeleteFileAt(w.runFile);
      built = false;
    }
    if (built) {
      log.print(app::FormatText("Project complete, Size %lu Bytes in Project.RUN File\r\n",
                                static_cast<unsigned long>(m_runSize)));
    }
    log.print(app::FormatText("\r\n  %u Error(s) and  %u Warning(s)  for Project  %s \r\n",
                              log.errors(), log.warnings(), w.request.projectName.c_str()));
  }

  BuildWork& w;
  BuildLog& log;
  app::JobControl& m_control;
  RunFileWriter& m_writer;
  LinkState m_state;
  stl::Compilation m_compilation;
  std::vector<DriverEntry> m_drivers;
  std::string m_user;
  std::int64_t m_allocationTime = 0;
  bool m_scanTable = false;
  bool m_compiled = false;
  bool m_closed = false;
  std::uint64_t m_loadSize = 0;
  std::uint64_t m_runSize = 0;
};

}  // namespace

BuildCounts RunBuild(BuildWork& work, app::JobControl& control) {
  return Worker(work, control).run();
}

}  // namespace zel::build
