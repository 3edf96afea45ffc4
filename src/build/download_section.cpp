#include "build/download_section.h"

#include <array>

#include "platform/no_case.h"

namespace zel::build {
namespace {

constexpr std::array<std::string_view, kDownloadListCount> kPrefixes = {
    "LINKEDMODULE_", "LINKEDDATA_",      "TRANSFERFILENEWER_", "TRANSFERFILEMODIFIED_",
    "TRANSFERFILE_", "CHECKFILEEXISTS_", "DELETEFILE_",
};

// Times and sizes are printed unsigned, as the download reads them.
std::string Unsigned(std::int64_t value) {
  return std::to_string(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
}

std::string_view DownloadListPrefix(DownloadList list) {
  return kPrefixes[static_cast<std::size_t>(list)];
}

}  // namespace

void DownloadSection::set(std::string_view key, std::string_view value) {
  for (auto& [name, stored] : m_entries) {
    if (platform::EqualsNoCase(name, key)) {
      stored = value;
      return;
    }
  }
  m_entries.emplace_back(std::string(key), std::string(value));
}

void DownloadSection::add(DownloadList list, std::string_view value) {
  int& counter = m_counters[static_cast<std::size_t>(list)];
  set(std::string(DownloadListPrefix(list)) + std::to_string(counter), value);
  ++counter;
}

void DownloadSection::remove(std::string_view key) {
  std::erase_if(m_entries,
                [key](const auto& entry) { return platform::EqualsNoCase(entry.first, key); });
}

std::string DownloadSection::value(std::string_view key) const {
  for (const auto& [name, stored] : m_entries)
    if (platform::EqualsNoCase(name, key)) return stored;
  return {};
}

bool DownloadSection::store(const app::ProjectFile& file) const {
  return file.replaceSection(app::kSectionDownload, m_entries);
}

std::string TransferValue(std::uint64_t size, std::int64_t time, std::string_view remote,
                          std::string_view local) {
  return Unsigned(static_cast<std::int64_t>(size)) + "," + Unsigned(time) + "," +
         std::string(remote) + " " + std::string(local);
}

std::string TransferModifiedValue(std::uint64_t size, std::string_view remote,
                                  std::string_view local) {
  return Unsigned(static_cast<std::int64_t>(size)) + "," + std::string(remote) + " " +
         std::string(local);
}

std::string CheckFileExistsValue(std::int64_t time, std::string_view directory,
                                 std::string_view name) {
  return Unsigned(time) + "," + std::string(directory) + std::string(name);
}

std::string AnyDriveName(std::string_view remote) {
  std::string name(remote);
  if (!name.empty()) name.front() = '*';
  return name;
}

}  // namespace zel::build
