#include "tools/kzcsim/controller.h"

#include <chrono>
#include <cstdio>

#include "platform/no_case.h"

namespace zel::kzcsim {

namespace {

std::int64_t SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

bool IsKnownRate(unsigned rate) {
  switch (rate) {
    case 1200:
    case 2400:
    case 4800:
    case 9600:
    case 19200:
    case 38400:
    case 56000:
    case 57600:
    case 115200:
      return true;
    default:
      return false;
  }
}

Controller::Controller(ControllerConfig config)
    : m_config(std::move(config)),
      m_drives(m_config.drives, m_config.driveCapacity),
      m_clock(SteadyMs) {
  Reboot();
}

std::string Controller::Banner() const {
  char text[16];
  std::snprintf(text, sizeof text, "KZC V2.%02u", m_config.versionMinor % 100);
  return text;
}

bool Controller::CanForce() const {
  if (m_config.versionMinor >= 25) return true;
  return platform::EqualsNoCase(m_config.platform, "VM1X") ||
         platform::EqualsNoCase(m_config.platform, "VM2X");
}

std::uint16_t Controller::Flags() const {
  unsigned flags = 0;
  if (m_config.passwordFunctions) flags |= 1u << 1;
  if (!m_password.empty()) flags |= 1u << 2;
  if (m_config.binaryFileCommands) flags |= 1u << 3;
  if (!m_locked) flags |= 1u << 4;
  if (m_config.binaryForbidden) flags |= 1u << 7;
  if (m_config.versionMinor >= 25) flags |= 1u << 8;
  return static_cast<std::uint16_t>(flags);
}

void Controller::LoadProject(std::string project, std::string runFile, std::uint32_t buildDate) {
  m_project = std::move(project);
  m_runFile = std::move(runFile);
  m_buildDate = buildDate;
  for (unsigned i = 0; i < kPrograms; ++i) {
    Program& program = m_memory.programs[i];
    program = Program{};
    program.present = !m_runFile.empty() && i < m_config.programs;
    program.state = program.present ? ProgramState::Stopped : ProgramState::Inactive;
  }
}

void Controller::UnloadProject() {
  LoadProject({}, {}, 0);
}

void Controller::ResetMemory() {
  m_memory = ControllerMemory{};
  m_memory.error = m_config.error;
  m_memory.initialFlag = true;
  for (const SlaveSpec& spec : m_config.slaves) {
    FieldbusSlave slave;
    slave.address = spec.address;
    slave.flags = spec.flags;
    slave.outputs.resize(spec.outputs);
    slave.inputs.resize(spec.inputs);
    m_memory.slaves.push_back(std::move(slave));
  }
  m_memory.strings.assign(m_config.strings, std::string());
}

void Controller::Reboot() {
  ResetMemory();
  m_password = m_config.password;
  m_locked = !m_password.empty();
  m_rate = m_config.baud;
  m_continuation = nullptr;
  m_slaveCursor = 0;
  m_drives.Reset();
  LoadProject(m_config.project, m_config.runFile, m_config.buildDate);
}

void Controller::EndSession() {
  m_rate = m_config.baud;
  m_continuation = nullptr;
}

std::string Controller::Value(std::uint16_t value) const {
  char text[16];
  if (m_config.hexValues) {
    std::snprintf(text, sizeof text, "$%04X", value);
  } else {
    std::snprintf(text, sizeof text, "%u", value);
  }
  return text;
}

}  // namespace zel::kzcsim
