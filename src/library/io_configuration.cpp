#include "library/io_configuration.h"

#include <algorithm>

#include "platform/message_box.h"
#include "platform/timebase.h"

namespace zel::library {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

std::string EntryKey(std::size_t n) {
  return std::string(kIoEntryKeyPrefix) + std::to_string(n);
}

bool AskSkipInvalid(std::string_view text) {
  return platform::ShowMessageBox(
             "Skipping '" + std::string(text) + "'\n\nInvalid format of IO entry.",
             Buttons::OkCancel, Icon::Warning) == Answer::Ok;
}

void ReportUnknown(std::string_view text) {
  platform::ShowMessageBox("'" + std::string(text) + "'\n\nUnknown IO Module.", Buttons::Ok,
                           Icon::Information);
}

std::vector<std::string_view> PasteLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace

std::string IoSectionName(std::string_view type) {
  return std::string(type) + "_IO";
}

IoConfiguration::IoConfiguration(app::ProjectFile file, std::string type,
                                 const IoModuleList& modules)
    : m_file(std::move(file)), m_type(std::move(type)), m_modules(modules) {}

std::vector<std::string> IoConfiguration::readRawEntries() const {
  return m_file.numberedValues(IoSectionName(m_type), kIoEntryKeyPrefix);
}

bool IoConfiguration::load(IoEntryEditor& editor) {
  m_entries.clear();
  bool changed = false;
  for (const auto& raw : readRawEntries()) {
    auto entry = ParseIoEntry(raw);
    if (!entry) {
      if (!AskSkipInvalid(raw)) return false;
      changed = true;
      continue;
    }
    if (!m_modules.find(entry->module)) {
      ReportUnknown(raw);
      m_entries.push_back(std::move(*entry));
      continue;
    }
    if (!FindIoCollision(*entry, m_entries, m_entries.size(), m_modules)) {
      m_entries.push_back(std::move(*entry));
      continue;
    }
    auto corrected = resolveCollisions(*entry, m_entries.size(), editor);
    if (!corrected) {
      if (platform::ShowMessageBox("Module  '" + FormatIoEntry(*entry) + "'  will be deleted!",
                                   Buttons::OkCancel, Icon::Warning) != Answer::Ok)
        return false;
    } else {
      m_entries.push_back(std::move(*corrected));
    }
    changed = true;
  }
  if (changed) save();
  return true;
}

bool IoConfiguration::save() const {
  platform::ProfileEntries values;
  for (std::size_t n = 0; n < m_entries.size(); ++n)
    values.emplace_back(EntryKey(n), FormatIoEntry(m_entries[n]));
  const bool written = m_file.replaceSection(IoSectionName(m_type), values);
  return m_file.setTimestamp(platform::Now()) && written;
}

std::optional<IoEntry> IoConfiguration::resolveCollisions(IoEntry entry, std::size_t self,
                                                          IoEntryEditor& editor) const {
  while (const auto collision = FindIoCollision(entry, m_entries, self, m_modules)) {
    platform::ShowMessageBox(collision->message, Buttons::Ok, Icon::Warning);
    auto corrected = editor.edit(entry, collision->field);
    if (!corrected) return std::nullopt;
    entry = std::move(*corrected);
  }
  return entry;
}

std::optional<std::size_t> IoConfiguration::insert(std::optional<std::size_t> after,
                                                   IoEntryEditor& editor) {
  if (m_modules.count() == 0) {
    platform::ShowMessageBox("No IO cards installed!", Buttons::Ok, Icon::Information);
    return std::nullopt;
  }
  IoEntry fresh;
  fresh.module = m_modules.at(0).fileName;
  auto entry = editor.edit(fresh, IoField::Module);
  if (!entry) return std::nullopt;
  entry = resolveCollisions(std::move(*entry), m_entries.size(), editor);
  if (!entry) return std::nullopt;
  const std::size_t at = after && *after < m_entries.size() ? *after + 1 : m_entries.size();
  m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(*entry));
  save();
  return at;
}

bool IoConfiguration::edit(std::size_t index, IoEntryEditor& editor) {
  if (index >= m_entries.size()) return false;
  auto entry = editor.edit(m_entries[index], IoField::Module);
  if (!entry) return false;
  entry = resolveCollisions(std::move(*entry), index, editor);
  if (!entry) return false;
  m_entries[index] = std::move(*entry);
  save();
  return true;
}

void IoConfiguration::remove(std::vector<std::size_t> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (auto it = indices.rbegin(); it != indices.rend(); ++it)
    if (*it < m_entries.size())
      m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*it));
  save();
}

std::string IoConfiguration::copy(const std::vector<std::size_t>& indices) {
  std::vector<std::size_t> sorted = indices;
  std::sort(sorted.begin(), sorted.end());
  std::string text;
  for (const std::size_t i : sorted)
    if (i < m_entries.size()) text += FormatIoEntry(m_entries[i]) + "\r\n";
  m_pasteBuffer = text;
  return text;
}

std::vector<std::size_t> IoConfiguration::paste(std::optional<std::size_t> after,
                                                IoEntryEditor& editor) {
  std::vector<std::size_t> inserted;
  std::size_t at = after && *after < m_entries.size() ? *after + 1 : m_entries.size();
  const std::string buffer = m_pasteBuffer;  // the dialog may not change what is pasted
  for (const auto line : PasteLines(buffer)) {
    if (line.size() >= kMaxPasteLine) continue;
    auto entry = ParseIoEntry(line);
    if (!entry) {
      platform::ShowMessageBox(
          "Skipping '" + std::string(line) + "'\n\nInvalid format of IO entry.", Buttons::Ok,
          Icon::Warning);
      continue;
    }
    if (!m_modules.find(entry->module)) {
      ReportUnknown(line);
    } else {
      entry = resolveCollisions(std::move(*entry), m_entries.size(), editor);
      if (!entry) break;
    }
    m_entries.insert(m_entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(*entry));
    inserted.push_back(at++);
  }
  save();
  return inserted;
}

std::optional<std::string> IoConfiguration::check(const IoEntry& entry, std::size_t self) const {
  const IoModuleScript* module = m_modules.find(entry.module);
  if (!module) return "'" + entry.module + "'\n\nUnknown IO Module.";
  if (const auto problem = ValidateIoEntry(entry, module)) return problem->message;
  if (const auto collision = FindIoCollision(entry, m_entries, self, m_modules))
    return collision->message;
  return std::nullopt;
}

std::optional<std::string> IoConfiguration::add(const IoEntry& entry) {
  if (auto problem = check(entry, m_entries.size())) return problem;
  m_entries.push_back(entry);
  save();
  return std::nullopt;
}

std::optional<std::string> IoConfiguration::replace(std::size_t index, const IoEntry& entry) {
  if (index >= m_entries.size()) return "No IO entry " + std::to_string(index) + ".";
  if (auto problem = check(entry, index)) return problem;
  m_entries[index] = entry;
  save();
  return std::nullopt;
}

}  // namespace zel::library
