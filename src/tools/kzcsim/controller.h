#pragma once
// The whole simulated controller as the command handlers see it: its configuration, its
// memory, the session (lock, serial rate, a command waiting for more input) and its
// drives. It knows nothing of transports.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "tools/kzcsim/ci_reply.h"
#include "tools/kzcsim/controller_config.h"
#include "tools/kzcsim/controller_drives.h"
#include "tools/kzcsim/controller_memory.h"

namespace zel::kzcsim {

class Controller;
// Takes the next line when a command asked for more input.
using Continuation = std::function<Reply(Controller&, std::string_view line)>;

class Controller {
 public:
  explicit Controller(ControllerConfig config);

  const ControllerConfig& config() const { return m_config; }
  ControllerMemory& memory() { return m_memory; }
  ControllerDrives& drives() { return m_drives; }

  // "KZC V2." and the two digits of the version.
  std::string Banner() const;
  // The flags word of "L?".
  std::uint16_t Flags() const;
  bool CanForce() const;

  bool locked() const { return m_locked; }
  void setLocked(bool locked) { m_locked = locked; }
  const std::string& password() const { return m_password; }
  void setPassword(std::string password) { m_password = std::move(password); }

  unsigned rate() const { return m_rate; }
  void setRate(unsigned rate) { m_rate = rate; }

  bool projectLoaded() const { return !m_runFile.empty(); }
  const std::string& project() const { return m_project; }
  const std::string& runFile() const { return m_runFile; }
  std::uint32_t buildDate() const { return m_buildDate; }
  void LoadProject(std::string project, std::string runFile, std::uint32_t buildDate);
  void UnloadProject();

  // Power-on state again: memory cleared, project of the configuration, locked when a
  // password is set, serial rate back to the configured one.
  void Reboot();
  // The PC said goodbye ("x") or went away: the line returns to the configured rate.
  void EndSession();

  // Milliseconds of a monotonic clock; tests set their own.
  std::int64_t Now() const { return m_clock(); }
  void setClock(std::function<std::int64_t()> clock) { m_clock = std::move(clock); }

  Continuation& continuation() { return m_continuation; }
  // Which slave "!0FN" reports next.
  std::size_t& slaveCursor() { return m_slaveCursor; }
  // Values in replies: decimal, or "$" and four hexadecimal digits.
  std::string Value(std::uint16_t value) const;

 private:
  void ResetMemory();

  ControllerConfig m_config;
  ControllerMemory m_memory;
  ControllerDrives m_drives;
  std::string m_password;
  bool m_locked = false;
  unsigned m_rate = 9600;
  std::string m_project;
  std::string m_runFile;
  std::uint32_t m_buildDate = 0;
  std::function<std::int64_t()> m_clock;
  Continuation m_continuation;
  std::size_t m_slaveCursor = 0;
};

}  // namespace zel::kzcsim
