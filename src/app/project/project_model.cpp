#include "app/project/project_model.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::app {

namespace {

// The file name's stem ("CZ0P01V1") names a module as well as the whole file name.
constexpr std::size_t kModuleStemLength = 8;
constexpr std::string_view kExtLog = ".LOG";
constexpr std::string_view kExtMfu = ".MFU";
constexpr std::string_view kExtBackup = ".BAK";
constexpr std::string_view kExtXref = ".XREF";

std::string ModuleKey(std::size_t index) {
  return std::string(kModuleKeyPrefix) + std::to_string(index);
}

}  // namespace

void ProjectModel::open(std::string name, const fs::path& projectDirectory,
                        ExclusionFile exclusion) {
  close();
  m_file = ProjectFile::ofProject(projectDirectory, name);
  m_name = std::move(name);
  m_exclusion = std::move(exclusion);
  loadModules();
  // A copy: an attachment may detach itself while it is told.
  const auto attachments = m_attachments;
  for (ProjectAttachment* attachment : attachments) attachment->projectOpened(*this);
}

void ProjectModel::close() {
  if (isOpen()) {
    const auto attachments = m_attachments;
    for (ProjectAttachment* attachment : attachments) attachment->projectClosing(*this);
  }
  m_modules.clear();
  m_exclusion.release();
  m_name.clear();
  m_file = ProjectFile(fs::path{});
}

void ProjectModel::attach(ProjectAttachment* attachment) {
  if (std::find(m_attachments.begin(), m_attachments.end(), attachment) == m_attachments.end()) {
    m_attachments.push_back(attachment);
  }
}

void ProjectModel::detach(ProjectAttachment* attachment) {
  std::erase(m_attachments, attachment);
}

void ProjectModel::loadModules() {
  m_modules.clear();
  for (const std::string& entry : m_file.numberedValues(kSectionModules, kModuleKeyPrefix)) {
    if (auto module = ParseModuleEntry(entry)) m_modules.push_back(std::move(*module));
  }
}

bool ProjectModel::saveModules() const {
  platform::ProfileEntries entries;
  entries.reserve(m_modules.size());
  for (std::size_t i = 0; i < m_modules.size(); ++i) {
    entries.emplace_back(ModuleKey(i), FormatModuleEntry(m_modules[i]));
  }
  return m_file.replaceSection(kSectionModules, entries);
}

void ProjectModel::addModule(ModuleRecord module) {
  m_modules.push_back(std::move(module));
}

bool ProjectModel::removeModule(std::string_view fileName) {
  const auto it = std::find_if(m_modules.begin(), m_modules.end(), [&](const ModuleRecord& m) {
    return platform::EqualsNoCase(m.fileName, fileName);
  });
  if (it == m_modules.end()) return false;
  m_modules.erase(it);
  return true;
}

bool ProjectModel::replaceModule(std::string_view fileName, ModuleRecord replacement) {
  for (auto& module : m_modules) {
    if (platform::EqualsNoCase(module.fileName, fileName)) {
      module = std::move(replacement);
      return true;
    }
  }
  return false;
}

const ModuleRecord* ProjectModel::moduleAt(std::size_t index) const {
  return index < m_modules.size() ? &m_modules[index] : nullptr;
}

ModuleRecord* ProjectModel::findModule(Language language, ModuleKind kind, int number,
                                       int version) {
  for (auto& module : m_modules) {
    if ((language == Language::Unknown || module.language == language) && module.kind == kind &&
        module.number == number && module.version == version) {
      return &module;
    }
  }
  return nullptr;
}

ModuleRecord* ProjectModel::findModuleByName(std::string_view name) {
  for (auto& module : m_modules) {
    const std::string_view fileName = module.fileName;
    if (platform::EqualsNoCase(fileName, name) ||
        platform::EqualsNoCase(fileName.substr(0, kModuleStemLength), name)) {
      return &module;
    }
  }
  return nullptr;
}

fs::path ProjectModel::modulePath(const ModuleRecord& module) const {
  return platform::ResolvePathNoCase(directory() / module.fileName);
}

fs::path ProjectModel::objectPath(const ModuleRecord& module, std::string_view type) const {
  const std::string typeName = type.empty() ? target() : std::string(type);
  return platform::ResolvePathNoCase(directory() / ObjectFileName(module.fileName, typeName));
}

fs::path ProjectModel::logPath(const ModuleRecord& module) const {
  return platform::ResolvePathNoCase(directory() / ReplaceExtension(module.fileName, kExtLog));
}

fs::path ProjectModel::mfuPath(const ModuleRecord& module) const {
  return platform::ResolvePathNoCase(directory() / ReplaceExtension(module.fileName, kExtMfu));
}

fs::path ProjectModel::backupPath(const ModuleRecord& module) const {
  return platform::ResolvePathNoCase(directory() / ReplaceExtension(module.fileName, kExtBackup));
}

fs::path ProjectModel::xrefPath(const ModuleRecord& module) const {
  return platform::ResolvePathNoCase(directory() / ReplaceExtension(module.fileName, kExtXref));
}

}  // namespace zel::app
