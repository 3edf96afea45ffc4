#include "tools/kzcsim/controller_drives.h"

#include <cctype>
#include <system_error>

#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::kzcsim {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDriveLetters = "ABCD";

bool IsDosChar(char c) {
  if (std::isalnum(static_cast<unsigned char>(c))) return true;
  return std::string_view("_$~!#%&@^(){}'-").find(c) != std::string_view::npos;
}

// 1 to 8 characters, optionally "." and 1 to 3 more.
bool IsDosName(std::string_view name) {
  const auto dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string_view::npos && ext.empty()) return false;
  for (char c : base) {
    if (!IsDosChar(c)) return false;
  }
  for (char c : ext) {
    if (!IsDosChar(c)) return false;
  }
  return true;
}

std::uint64_t UsedBytes(const fs::path& dir) {
  std::uint64_t used = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(dir, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code sizeError;
    if (it->is_regular_file(sizeError)) {
      const auto size = it->file_size(sizeError);
      if (!sizeError) used += size;
    }
  }
  return used;
}

}  // namespace

ControllerDrives::ControllerDrives(fs::path root, std::uint64_t capacity)
    : m_root(std::move(root)), m_capacity(capacity) {
  if (!m_root.empty() && Letters().empty()) {
    std::error_code error;
    for (char letter : std::string_view("ABC"))
      fs::create_directories(m_root / std::string(1, letter), error);
  }
  Reset();
}

void ControllerDrives::Reset() {
  m_file.reset();
  m_listing.clear();
  m_listed = 0;
  const std::string letters = Letters();
  m_current = DosPath{letters.empty() ? 'C' : letters.back(), {}};
}

std::string ControllerDrives::Letters() const {
  std::string letters;
  if (m_root.empty()) return letters;
  for (char letter : kDriveLetters) {
    if (platform::IsDirectoryNoCase(m_root / std::string(1, letter))) letters += letter;
  }
  return letters;
}

std::string ControllerDrives::CurrentDirectory() const {
  std::string text{m_current.drive, ':', '\\'};
  for (std::size_t i = 0; i < m_current.parts.size(); ++i) {
    if (i > 0) text += '\\';
    text += m_current.parts[i];
  }
  return text;
}

std::optional<DosPath> ControllerDrives::Parse(std::string_view path) const {
  DosPath result = m_current;
  if (path.size() >= 2 && path[1] == ':') {
    const char letter = platform::UpperAscii(path[0]);
    if (Letters().find(letter) == std::string::npos) return std::nullopt;
    result = DosPath{letter, {}};
    path.remove_prefix(2);
  }
  if (!path.empty() && (path.front() == '\\' || path.front() == '/')) result.parts.clear();
  while (!path.empty()) {
    const auto cut = path.find_first_of("\\/");
    const std::string_view part = path.substr(0, cut);
    path = cut == std::string_view::npos ? std::string_view() : path.substr(cut + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (result.parts.empty()) return std::nullopt;
      result.parts.pop_back();
      continue;
    }
    if (!IsDosName(part)) return std::nullopt;
    result.parts.push_back(platform::UpperAscii(part));
  }
  return result;
}

std::optional<fs::path> ControllerDrives::HostPath(const DosPath& path) const {
  if (m_root.empty()) return std::nullopt;
  fs::path host = m_root / std::string(1, path.drive);
  for (const std::string& part : path.parts) host /= part;
  return platform::ResolvePathNoCase(host);
}

bool ControllerDrives::ChangeDirectory(std::string_view path) {
  const auto dos = Parse(path);
  if (!dos) return false;
  const auto host = HostPath(*dos);
  if (!host || !platform::IsDirectoryNoCase(*host)) return false;
  m_current = *dos;
  return true;
}

std::uint64_t ControllerDrives::FreeBytes() const {
  const auto host = HostPath(DosPath{m_current.drive, {}});
  if (!host) return 0;
  const std::uint64_t used = UsedBytes(*host);
  return used >= m_capacity ? 0 : m_capacity - used;
}

std::optional<std::string> ControllerDrives::FirstEntry(std::string_view pattern) {
  m_listing.clear();
  m_listed = 0;
  const auto host = HostPath(m_current);
  if (!host) return std::nullopt;
  if (!m_current.parts.empty() && platform::WildcardMatch(pattern, ".")) {
    m_listing.push_back(".");
    m_listing.push_back("..");
  }
  for (const auto& entry : platform::ListDirectory(*host, pattern)) {
    if (IsDosName(entry.name)) m_listing.push_back(platform::UpperAscii(entry.name));
  }
  return NextEntry();
}

std::optional<std::string> ControllerDrives::NextEntry() {
  if (m_listed >= m_listing.size()) return std::nullopt;
  return m_listing[m_listed++];
}

std::optional<ControllerDrives::FileInfo> ControllerDrives::Info(std::string_view name) const {
  const auto dos = Parse(name);
  if (!dos || dos->parts.empty()) return std::nullopt;
  const auto host = HostPath(*dos);
  if (!host || !platform::PathExistsNoCase(*host)) return std::nullopt;
  const auto mtime = platform::FileModTime(*host);
  if (!mtime) return std::nullopt;
  const bool directory = platform::IsDirectoryNoCase(*host);
  const auto size = directory ? std::optional<std::uint64_t>(0) : platform::FileSize(*host);
  return FileInfo{size.value_or(0), *mtime};
}

bool ControllerDrives::SetTime(std::string_view name, std::int64_t mtime) {
  const auto dos = Parse(name);
  const auto host = dos ? HostPath(*dos) : std::nullopt;
  return host && platform::PathExistsNoCase(*host) && platform::SetFileModTime(*host, mtime);
}

bool ControllerDrives::Exists(std::string_view name) const {
  const auto dos = Parse(name);
  if (!dos || dos->parts.empty()) return false;
  const auto host = HostPath(*dos);
  return host && platform::PathExistsNoCase(*host) && !platform::IsDirectoryNoCase(*host);
}

bool ControllerDrives::Delete(std::string_view name) {
  const auto dos = Parse(name);
  if (!dos || dos->parts.empty()) return false;
  const auto host = HostPath(*dos);
  if (!host) return false;
  if (m_file && *host == m_openPath) m_file.reset();
  return platform::DeleteFileAt(*host);
}

bool ControllerDrives::Open(std::string_view name) {
  m_file.reset();
  const auto dos = Parse(name);
  if (!dos || dos->parts.empty()) return false;
  const auto host = HostPath(*dos);
  if (!host || platform::IsDirectoryNoCase(*host)) return false;
  std::FILE* file = std::fopen(host->c_str(), "r+b");
  if (!file) file = std::fopen(host->c_str(), "w+b");
  if (!file) return false;
  m_file.reset(file);
  m_openPath = *host;
  m_position = 0;
  return true;
}

bool ControllerDrives::Close() {
  if (!m_file) return false;
  m_file.reset();
  return true;
}

bool ControllerDrives::Seek(std::uint64_t offset) {
  if (!m_file || std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0) return false;
  m_position = offset;
  return true;
}

bool ControllerDrives::Write(std::string_view bytes) {
  if (!m_file || std::fseek(m_file.get(), static_cast<long>(m_position), SEEK_SET) != 0)
    return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), m_file.get()) != bytes.size()) return false;
  std::fflush(m_file.get());
  m_position += bytes.size();
  return true;
}

std::optional<std::string> ControllerDrives::Read(std::size_t max) {
  if (!m_file || std::fseek(m_file.get(), static_cast<long>(m_position), SEEK_SET) != 0)
    return std::nullopt;
  std::string bytes(max, '\0');
  const std::size_t count = std::fread(bytes.data(), 1, max, m_file.get());
  if (count < max && std::ferror(m_file.get())) return std::nullopt;
  bytes.resize(count);
  m_position += count;
  return bytes;
}

bool ControllerDrives::Truncate() {
  if (!m_file) return false;
  std::fflush(m_file.get());
  std::error_code error;
  fs::resize_file(m_openPath, m_position, error);
  return !error;
}

}  // namespace zel::kzcsim
