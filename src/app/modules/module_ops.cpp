#include "app/modules/module_ops.h"

#include "app/modules/module_files.h"
#include "app/modules/module_messages.h"
#include "app/text/text_format.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/timebase.h"

namespace zel::app {

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

void ShowError(std::string text) {
  platform::ShowMessageBox(std::move(text), Buttons::Ok, Icon::Error);
}

// A module whose extension names no language keeps that extension when renamed.
std::string WithExtensionOf(const std::string& made, std::string_view old) {
  const auto madeDot = made.rfind('.');
  const auto oldDot = old.rfind('.');
  std::string result = made.substr(0, madeDot);
  if (oldDot != std::string_view::npos) result += old.substr(oldDot);
  return result;
}

ModuleRecord RecordFor(const ModuleEntry& entry, Language language) {
  return MakeModule(language, entry.kind, entry.number, entry.version,
                    StorableComment(entry.comment));
}

}  // namespace

OpenAction OpenActionFor(const ModuleRecord& module) {
  return module.language == Language::Imported ? OpenAction::RefuseImported
                                               : OpenAction::OpenEditor;
}

ModuleOperations::ModuleOperations(ProjectModel& model, ShellHooks* hooks)
    : m_model(model), m_hooks(hooks) {}

ModuleEditResult ModuleOperations::insertModule(const ModuleEntry& entry) {
  if (auto refusal = CheckModuleEntry(entry)) {
    platform::ShowMessageBox(std::move(*refusal), Buttons::Ok, Icon::Warning);
    return {ModuleEditOutcome::Refused, std::nullopt};
  }
  if (!clearIdentity(entry)) return {ModuleEditOutcome::Declined, std::nullopt};
  const ModuleRecord module = RecordFor(entry, Language::Stl);
  m_model.addModule(module);
  if (!provideSource(module)) {
    m_model.removeModule(module.fileName);
    return {ModuleEditOutcome::Failed, std::nullopt};
  }
  modulesChanged();
  hooks().openModule(module);
  return {ModuleEditOutcome::Done, module};
}

bool ModuleOperations::clearIdentity(const ModuleEntry& entry) {
  const ModuleRecord* existing =
      m_model.findModule(Language::Unknown, entry.kind, entry.number, entry.version);
  if (!existing) return true;
  const ModuleRecord victim = *existing;
  if (platform::ShowMessageBox(std::string(kMsgModuleExists), Buttons::YesNo, Icon::Question) !=
      Answer::Yes) {
    return false;
  }
  removeModule(victim);
  return true;
}

// The new module's source: a file already there is taken as it is; a new version
// starts as a copy of the nearest earlier one; otherwise it starts empty.
bool ModuleOperations::provideSource(const ModuleRecord& module) {
  const fs::path target = m_model.modulePath(module);
  if (const auto existing = platform::FindPathNoCase(target)) {
    platform::ShowMessageBox(FillText(kMsgSourceFileReused, existing->string()), Buttons::Ok,
                             Icon::Information);
    return true;
  }
  if (const ModuleRecord* found = previousVersion(module)) {
    const ModuleRecord previous = *found;
    hooks().saveModuleEditor(previous);
    const auto from = platform::FindPathNoCase(m_model.modulePath(previous));
    if (!from || !platform::CopyFileTo(*from, target, true)) {
      ShowError(FillText(kMsgFailedToCopyFile, module.displayName));
      return false;
    }
    return true;
  }
  if (!platform::WriteFileAtomically(target, {})) {
    ShowError(std::string(kMsgFailedToCreateEmptyFile));
    return false;
  }
  return true;
}

// Versions whose record exists but whose source is gone are passed over: copying them
// could only fail and would keep the user from making the new version at all.
const ModuleRecord* ModuleOperations::previousVersion(const ModuleRecord& module) {
  for (int version = module.version - 1; version >= kMinVersion; --version) {
    const ModuleRecord* candidate =
        m_model.findModule(module.language, module.kind, module.number, version);
    if (candidate && platform::PathExistsNoCase(m_model.modulePath(*candidate))) {
      return candidate;
    }
  }
  return nullptr;
}

ModuleEditResult ModuleOperations::applyProperties(std::string_view fileName,
                                                   const ModuleEntry& entry) {
  ModuleRecord* current = m_model.findModuleByName(fileName);
  if (!current) return {ModuleEditOutcome::Failed, std::nullopt};
  if (auto refusal = CheckModuleEntry(entry)) {
    platform::ShowMessageBox(std::move(*refusal), Buttons::Ok, Icon::Warning);
    return {ModuleEditOutcome::Refused, std::nullopt};
  }
  if (current->kind == entry.kind && current->number == entry.number &&
      current->version == entry.version) {
    current->comment = StorableComment(entry.comment);
    const ModuleRecord changed = *current;
    modulesChanged();
    return {ModuleEditOutcome::Done, changed};
  }
  return renameModule(*current, entry);
}

ModuleEditResult ModuleOperations::renameModule(const ModuleRecord& module,
                                                const ModuleEntry& entry) {
  const ModuleRecord old = module;  // `module` lives in the list that overwriting changes
  if (!clearIdentity(entry)) return {ModuleEditOutcome::Declined, std::nullopt};
  ModuleRecord renamed = RecordFor(entry, old.language);
  if (old.language == Language::Unknown) {
    renamed.fileName = WithExtensionOf(renamed.fileName, old.fileName);
  }
  renamed.selected = old.selected;
  const auto files = RenameModuleFiles(m_model, old, renamed);
  if (files.status != RenameFilesResult::Status::Ok) {
    const bool exists = files.status == RenameFilesResult::Status::TargetExists;
    ShowError(
        FillText(exists ? kMsgRenameTargetExists : kMsgFailedToRenameFile, files.path.string()));
    return {ModuleEditOutcome::Failed, std::nullopt};
  }
  m_model.replaceModule(old.fileName, renamed);
  modulesChanged();
  hooks().moduleRenamed(old, renamed);
  return {ModuleEditOutcome::Done, renamed};
}

bool ModuleOperations::deleteModule(std::string_view fileName) {
  const ModuleRecord* module = m_model.findModuleByName(fileName);
  if (!module) return false;
  if (platform::ShowMessageBox(FillText(kMsgConfirmDelete, module->displayName), Buttons::YesNo,
                               Icon::Question) != Answer::Yes) {
    return false;
  }
  removeModule(*module);
  return true;
}

void ModuleOperations::removeModule(ModuleRecord module) {
  hooks().closeModuleEditor(module);
  DeleteModuleFiles(m_model, module);
  m_model.removeModule(module.fileName);
  modulesChanged();
}

bool ModuleOperations::openModule(std::string_view fileName) {
  const ModuleRecord* module = m_model.findModuleByName(fileName);
  if (!module) return false;
  if (OpenActionFor(*module) == OpenAction::RefuseImported) {
    platform::ShowMessageBox(std::string(kMsgImportedCannotOpen), Buttons::Ok, Icon::Warning);
    return false;
  }
  hooks().openModule(*module);
  return true;
}

bool ModuleOperations::toggleDownloadSelection(std::string_view fileName) {
  ModuleRecord* module = m_model.findModuleByName(fileName);
  if (!module) return false;
  module->selected = !module->selected;
  // The build compares this stamp, so the next one sees the changed selection.
  m_model.file().setTimestamp(platform::Now());
  modulesChanged();
  return true;
}

void ModuleOperations::applyDownloadSelection(const std::vector<DownloadChoice>& choices) {
  for (const auto& choice : choices) {
    if (ModuleRecord* module = m_model.findModuleByName(choice.fileName)) {
      module->selected = choice.selected;
    }
  }
  modulesChanged();
}

void ModuleOperations::modulesChanged() {
  m_model.saveModules();
  hooks().projectChanged(m_model);
}

}  // namespace zel::app
