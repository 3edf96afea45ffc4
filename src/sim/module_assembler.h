#pragma once
// Hand-assembled modules for the emulated controller: the module prologue, the caller's
// bytes, the module epilogue, wrapped in a complete module file. Jumps to the exit are
// collected and patched to the epilogue when the module is finished.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace zel::emu {

class ModuleAssembler {
 public:
  enum class Kind { Program, Function };  // a function (CFM) has no resume test

  explicit ModuleAssembler(Kind kind = Kind::Program);

  ModuleAssembler& emit(std::initializer_list<std::uint8_t> bytes);
  ModuleAssembler& emitBytes(std::span<const std::uint8_t> bytes);
  ModuleAssembler& emitWord(std::uint16_t value);
  ModuleAssembler& jumpToExit();  // E9 d16

  // The CS-relative offset of the next byte, as the code sees it.
  std::uint16_t position() const;
  void patchWord(std::uint16_t position, std::uint16_t value);

  // The module file with the usual epilogue, or with `epilogue` instead.
  std::vector<std::uint8_t> finish() const;
  std::vector<std::uint8_t> finishWith(std::span<const std::uint8_t> epilogue) const;

 private:
  std::vector<std::uint8_t> m_code;      // from CS:128 on
  std::vector<std::size_t> m_exitJumps;  // index in m_code of each jump's displacement
};

// A module file around `code` (the bytes from CS:128 on): header, code and empty usage
// records.
std::vector<std::uint8_t> ModuleFile(std::span<const std::uint8_t> code);

}  // namespace zel::emu
