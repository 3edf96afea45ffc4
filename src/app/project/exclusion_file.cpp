#include "app/project/exclusion_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>

namespace zel::app {

namespace {

// The 4 bytes mean nothing to readers (only the file's presence counts); the process id
// helps a person who finds a stale file.
std::array<unsigned char, 4> ExclusionBytes() {
  const auto pid = static_cast<std::uint32_t>(::getpid());
  return {static_cast<unsigned char>(pid), static_cast<unsigned char>(pid >> 8),
          static_cast<unsigned char>(pid >> 16), static_cast<unsigned char>(pid >> 24)};
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ExclusionFile::ExclusionFile(ExclusionFile&& other) noexcept
    : m_fd(other.m_fd), m_path(std::move(other.m_path)) {
  other.m_fd = -1;
  other.m_path.clear();
}

ExclusionFile& ExclusionFile::operator=(ExclusionFile&& other) noexcept {
  if (this != &other) {
    release();
    m_fd = other.m_fd;
    m_path = std::move(other.m_path);
    other.m_fd = -1;
    other.m_path.clear();
  }
  return *this;
}

ExclusionFile::~ExclusionFile() {
  release();
}

ExclusionFile::CreateResult ExclusionFile::create(const fs::path& file, ExclusionFile& out) {
  out.release();
  const int fd = ::open(file.c_str(), O_CREAT | O_TRUNC | O_RDWR | O_CLOEXEC, 0644);
  if (fd < 0) return CreateResult::CannotCreate;
  const auto bytes = ExclusionBytes();
  if (!WriteAll(fd, bytes.data(), bytes.size())) {
    ::close(fd);
    // A file left behind would make the next attempt believe another session holds the
    // project.
    ::unlink(file.c_str());
    return CreateResult::CannotWrite;
  }
  // Advisory only: it lets delete and rename tell a live holder from a stale file.
  ::flock(fd, LOCK_EX | LOCK_NB);
  out.m_fd = fd;
  out.m_path = file;
  return CreateResult::Ok;
}

bool IsExclusionFileHeld(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno != ENOENT;  // present but unreadable: assume a holder
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

void ExclusionFile::release() {
  if (m_fd < 0) return;
  ::close(m_fd);
  ::unlink(m_path.c_str());
  m_fd = -1;
  m_path.clear();
}

}  // namespace zel::app
