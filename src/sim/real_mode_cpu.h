#pragma once
// An emulated 16-bit x86 processor in real mode with the first megabyte (plus the wrap
// area above it) as memory. Owns the emulator engine; reads and writes go straight to the
// engine, so hooks see the same memory.

#include <unicorn/unicorn.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace zel::emu {

inline constexpr std::uint32_t Linear(std::uint16_t segment, std::uint16_t offset) {
  return (static_cast<std::uint32_t>(segment) << 4) + offset;
}

class RealModeCpu {
 public:
  RealModeCpu();

  // Empty when the engine runs; otherwise why it could not be started.
  const std::string& startError() const { return m_startError; }
  bool usable() const { return m_engine != nullptr; }
  uc_engine* engine() const { return m_engine.get(); }

  std::uint16_t reg(uc_x86_reg id) const;
  void setReg(uc_x86_reg id, std::uint16_t value);

  std::uint8_t byteAt(std::uint32_t linear) const;
  std::uint16_t wordAt(std::uint32_t linear) const;
  void setByteAt(std::uint32_t linear, std::uint8_t value);
  void setWordAt(std::uint32_t linear, std::uint16_t value);
  void write(std::uint32_t linear, std::span<const std::uint8_t> bytes);
  void fill(std::uint32_t linear, std::size_t size, std::uint8_t value);
  // The engine keeps translated code across runs and does not notice new code written
  // over it; call this after replacing code in [linear, linear + size).
  void forgetTranslatedCode(std::uint32_t linear, std::size_t size);

 private:
  struct Closer {
    void operator()(uc_engine* engine) const { uc_close(engine); }
  };
  std::unique_ptr<uc_engine, Closer> m_engine;
  std::string m_startError;
};

}  // namespace zel::emu
