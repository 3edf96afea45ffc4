#include "build/module_import.h"

#include <fstream>

#include "app/modules/module_files.h"
#include "app/modules/module_ops.h"
#include "app/text/text_format.h"
#include "build/compiled_module.h"
#include "build/module_info.h"
#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/timebase.h"

namespace zel::build {

namespace {

using platform::Buttons;
using platform::Icon;

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

bool IsModuleImage(const std::string& bytes) {
  const auto header = ReadModuleHeader(AsBytes(bytes));
  return header && IsCompiledModule(*header);
}

bool WriteBytes(const fs::path& path, const std::string& bytes) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out && out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && out.flush()) {
      return true;
    }
  }
  platform::DeleteFileAt(path);
  return false;
}

void CopyFailed(const fs::path& file) {
  platform::ShowMessageBox(app::FillText(kMsgImportCopyFailed, file.string()), Buttons::Ok,
                           Icon::Error);
}

}  // namespace

app::ModuleEntry ImportPreset(const fs::path& file) {
  app::ModuleEntry entry;
  const std::string name = file.filename().string();
  // A library module named like a project module suggests its own identity.
  if (const auto identity = stl::ParseModuleName(name.substr(0, name.find('.')))) {
    entry.kind = identity->kind;
    entry.number = identity->number;
    entry.version = identity->version;
  }
  entry.comment = name;
  return entry;
}

fs::path CompanionMfuPath(const fs::path& file) {
  fs::path companion = file;
  return companion.replace_extension(".MFU");
}

std::string ImportLogText(std::int64_t now, std::string_view objectName,
                          const fs::path& importedFile) {
  return platform::TimeText24(now) + "\n" + "importing " + std::string(objectName) + " \r\n  " +
         importedFile.string() + "\r\n";
}

ImportResult ImportModule(app::ProjectModel& model, app::ShellHooks* hooks, const fs::path& file,
                          const AskImportEntry& ask) {
  ImportResult result;
  if (!model.isOpen()) return result;
  const fs::path found = platform::FindPathNoCase(file).value_or(file);
  std::error_code ec;
  fs::path imported = fs::absolute(found, ec);
  if (ec) imported = found;
  // What is checked is what is copied: the bytes are read once.
  const auto size = platform::FileSize(imported);
  const auto bytes =
      size && *size <= kLargestModuleFile ? platform::ReadWholeFile(imported) : std::nullopt;
  if (!bytes || !IsModuleImage(*bytes)) {
    platform::ShowMessageBox(app::FillText(kMsgImportNotAModule, imported.string()), Buttons::Ok,
                             Icon::Error);
    result.outcome = ImportOutcome::NotAModule;
    return result;
  }
  const auto entry = ask ? ask(ImportPreset(imported)) : std::nullopt;
  if (!entry) return result;
  if (const auto refusal = app::CheckModuleEntry(*entry)) {
    platform::ShowMessageBox(*refusal, Buttons::Ok, Icon::Warning);
    return result;
  }

  // Without a controller type there is no object file to copy to.
  if (model.target().empty()) {
    CopyFailed(imported);
    result.outcome = ImportOutcome::CopyFailed;
    return result;
  }
  app::ModuleRecord record = app::MakeModule(app::Language::Imported, entry->kind, entry->number,
                                             entry->version, entry->comment);
  record.selected = true;
  const fs::path target = platform::ResolvePathNoCase(model.objectPath(record));
  const fs::path temporary = target.parent_path() / (target.filename().string() + ".new");
  if (!WriteBytes(temporary, *bytes)) {
    CopyFailed(imported);
    result.outcome = ImportOutcome::CopyFailed;
    return result;
  }

  // The new object file is in the project: only now may the old module go.
  app::ModuleOperations operations(model, hooks);
  std::optional<app::ModuleRecord> reused;
  if (app::ModuleRecord* existing =
          model.findModule(app::Language::Unknown, entry->kind, entry->number, entry->version)) {
    if (existing->language == app::Language::Imported) {
      reused = *existing;
      record.fileName = existing->fileName;  // keeps the spelling the project has
      model.replaceModule(existing->fileName, record);
    } else {
      const app::ModuleRecord victim = *existing;
      if (hooks) hooks->closeModuleEditor(victim);
      app::DeleteModuleFiles(model, victim);
      model.removeModule(victim.fileName);
      model.addModule(record);
    }
  } else {
    model.addModule(record);
  }

  const fs::path object = platform::ResolvePathNoCase(model.objectPath(record));
  if (!platform::MoveFileTo(temporary, object)) {
    platform::DeleteFileAt(temporary);
    CopyFailed(imported);
    if (reused) {
      model.replaceModule(record.fileName, *reused);  // its object file is untouched
      model.saveModules();
      if (hooks) hooks->projectChanged(model);
    } else {
      operations.removeModule(record);
    }
    result.outcome = ImportOutcome::CopyFailed;
    return result;
  }

  // A companion left from an earlier import would describe another module.
  const fs::path mfu = platform::ResolvePathNoCase(model.mfuPath(record));
  if (const auto companion = platform::FindPathNoCase(CompanionMfuPath(imported))) {
    platform::CopyFileTo(*companion, mfu, false);
  } else {
    platform::DeleteFileAt(mfu);
  }
  platform::WriteProfileString(platform::ResolvePathNoCase(model.modulePath(record)),
                               kImportSection, model.target(), imported.string());
  platform::WriteFileAtomically(
      platform::ResolvePathNoCase(model.logPath(record)),
      ImportLogText(platform::Now(), object.filename().string(), imported));
  model.saveModules();
  if (hooks) hooks->projectChanged(model);
  result.outcome = ImportOutcome::Imported;
  result.module = record;
  return result;
}

std::vector<LibraryModule> LibraryModules(const fs::path& programDirectory, std::string_view type) {
  std::vector<LibraryModule> modules;
  const fs::path folder = library::RuntimeDirectory(programDirectory, type);
  for (const auto& entry : platform::ListDirectory(folder, "*.OBJ")) {
    if (entry.isDirectory) continue;
    auto description = DescribeCompiledModule(folder / entry.name);
    if (description.isModule) modules.push_back({entry.name, std::move(description.text)});
  }
  return modules;
}

}  // namespace zel::build
