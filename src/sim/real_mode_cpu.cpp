#include "sim/real_mode_cpu.h"

#include <vector>

namespace zel::emu {

namespace {

// Real mode reaches up to FFFF:FFFF, 64 KiB less 16 bytes above the first megabyte.
constexpr std::size_t kMemorySize = 0x110000;

}  // namespace

RealModeCpu::RealModeCpu() {
  uc_engine* engine = nullptr;
  uc_err err = uc_open(UC_ARCH_X86, UC_MODE_16, &engine);
  if (err != UC_ERR_OK) {
    m_startError = std::string("The processor emulator could not be started: ") + uc_strerror(err);
    return;
  }
  m_engine.reset(engine);
  err = uc_mem_map(engine, 0, kMemorySize, UC_PROT_ALL);
  if (err != UC_ERR_OK) {
    m_startError = std::string("The emulator's memory could not be mapped: ") + uc_strerror(err);
    m_engine.reset();
  }
}

// The engine reads and writes as many bytes as the register is wide; a zeroed 64-bit
// holder serves every width on a little-endian host.
std::uint16_t RealModeCpu::reg(uc_x86_reg id) const {
  std::uint64_t value = 0;
  if (m_engine) uc_reg_read(m_engine.get(), id, &value);
  return static_cast<std::uint16_t>(value);
}

void RealModeCpu::setReg(uc_x86_reg id, std::uint16_t value) {
  std::uint64_t holder = value;
  if (m_engine) uc_reg_write(m_engine.get(), id, &holder);
}

std::uint8_t RealModeCpu::byteAt(std::uint32_t linear) const {
  std::uint8_t value = 0;
  if (m_engine) uc_mem_read(m_engine.get(), linear, &value, 1);
  return value;
}

std::uint16_t RealModeCpu::wordAt(std::uint32_t linear) const {
  return static_cast<std::uint16_t>(byteAt(linear) | (byteAt(linear + 1) << 8));
}

void RealModeCpu::setByteAt(std::uint32_t linear, std::uint8_t value) {
  if (m_engine) uc_mem_write(m_engine.get(), linear, &value, 1);
}

void RealModeCpu::setWordAt(std::uint32_t linear, std::uint16_t value) {
  setByteAt(linear, static_cast<std::uint8_t>(value));
  setByteAt(linear + 1, static_cast<std::uint8_t>(value >> 8));
}

void RealModeCpu::write(std::uint32_t linear, std::span<const std::uint8_t> bytes) {
  if (m_engine && !bytes.empty()) uc_mem_write(m_engine.get(), linear, bytes.data(), bytes.size());
}

void RealModeCpu::fill(std::uint32_t linear, std::size_t size, std::uint8_t value) {
  write(linear, std::vector<std::uint8_t>(size, value));
}

void RealModeCpu::forgetTranslatedCode(std::uint32_t linear, std::size_t size) {
  if (m_engine)
    uc_ctl_remove_cache(m_engine.get(), std::uint64_t{linear}, std::uint64_t{linear + size});
}

}  // namespace zel::emu
