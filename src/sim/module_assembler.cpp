#include "sim/module_assembler.h"

#include "sim/module_image.h"
#include "sim/operand_area.h"

namespace zel::emu {

namespace {

// Usage records after the operand usage map: CMP and CFM usage, the station count.
constexpr std::size_t kCallUsageSize = 200;
constexpr std::size_t kStationCountSize = 2;
constexpr std::size_t kHeaderLanguage = 2;
constexpr std::size_t kHeaderLength = 4;
constexpr std::uint16_t kHeaderLengthValue = 36;
constexpr std::size_t kHeaderUsageSize = 26;

const std::vector<std::uint8_t> kEpilogue{0x89, 0xEC, 0x1F, 0x5F, 0x5E, 0x5D, 0xCA, 0x04, 0x00};

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

ModuleAssembler::ModuleAssembler(Kind kind) {
  // Save the caller's registers, find the header through a near call, load the operand
  // area: the near call pushes the offset after it, which is subtracted to reach CS:0.
  emit({0x55, 0x56, 0x57, 0x1E, 0x89, 0xE5, 0x0E, 0xE8, 0x00, 0x00});
  const std::uint16_t pushedByCall = position();
  emit({0x81, 0x6E, 0xFC}).emitWord(pushedByCall);
  emit({0xC4, 0x7E, 0xFC, 0x26, 0xC5, 0x75, 0x08});
  if (kind == Kind::Program) emit({0x26, 0x8B, 0x45, 0x1C, 0x09, 0xC0, 0x74, 0x02, 0xFF, 0xE0});
}

ModuleAssembler& ModuleAssembler::emit(std::initializer_list<std::uint8_t> bytes) {
  m_code.insert(m_code.end(), bytes);
  return *this;
}

ModuleAssembler& ModuleAssembler::emitBytes(std::span<const std::uint8_t> bytes) {
  m_code.insert(m_code.end(), bytes.begin(), bytes.end());
  return *this;
}

ModuleAssembler& ModuleAssembler::emitWord(std::uint16_t value) {
  return emit({static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)});
}

ModuleAssembler& ModuleAssembler::jumpToExit() {
  emit({0xE9});
  m_exitJumps.push_back(m_code.size());
  return emitWord(0);
}

std::uint16_t ModuleAssembler::position() const {
  return static_cast<std::uint16_t>(kHeaderSize + m_code.size());
}

void ModuleAssembler::patchWord(std::uint16_t position, std::uint16_t value) {
  PutWord(m_code, position - kHeaderSize, value);
}

std::vector<std::uint8_t> ModuleAssembler::finish() const {
  return finishWith(kEpilogue);
}

std::vector<std::uint8_t> ModuleAssembler::finishWith(
    std::span<const std::uint8_t> epilogue) const {
  std::vector<std::uint8_t> code = m_code;
  for (std::size_t at : m_exitJumps) {
    PutWord(code, at, static_cast<std::uint16_t>(code.size() - (at + 2)));
  }
  code.insert(code.end(), epilogue.begin(), epilogue.end());
  return ModuleFile(code);
}

std::vector<std::uint8_t> ModuleFile(std::span<const std::uint8_t> code) {
  std::vector<std::uint8_t> file(kHeaderSize, 0);
  file[0] = 0xEB;
  file[1] = 0x7E;
  PutWord(file, kHeaderLanguage, 0);
  PutWord(file, kHeaderLength, kHeaderLengthValue);
  PutWord(file, kHeaderFormat, kFormatValue);
  PutWord(file, kHeaderCodeEnd, static_cast<std::uint16_t>(kHeaderSize + code.size()));
  PutWord(file, kHeaderUsageSize, static_cast<std::uint16_t>(kOperandAreaSize));
  file.insert(file.end(), code.begin(), code.end());
  file.resize(file.size() + kOperandAreaSize + 2 * kCallUsageSize + kStationCountSize, 0);
  return file;
}

}  // namespace zel::emu
