// What a test or a controller front end reads and changes between runs.

#include <stdexcept>

#include "sim/controller_layout.h"
#include "sim/emulated_controller.h"
#include "sim/module_image.h"

namespace zel::emu {

std::uint32_t EmulatedController::operandLinear(std::size_t offset, std::size_t width) const {
  if (offset + width > kOperandAreaSize) {
    throw std::out_of_range("operand area offset " + std::to_string(offset));
  }
  return Linear(kOperandSegment, static_cast<std::uint16_t>(offset));
}

std::uint8_t EmulatedController::operandByte(std::size_t offset) const {
  return m_cpu.byteAt(operandLinear(offset, 1));
}

void EmulatedController::setOperandByte(std::size_t offset, std::uint8_t value) {
  m_cpu.setByteAt(operandLinear(offset, 1), value);
}

std::uint16_t EmulatedController::operandWord(std::size_t offset) const {
  return m_cpu.wordAt(operandLinear(offset, 2));
}

void EmulatedController::setOperandWord(std::size_t offset, std::uint16_t value) {
  m_cpu.setWordAt(operandLinear(offset, 2), value);
}

bool EmulatedController::operandBit(std::size_t offset, std::uint8_t mask) const {
  return (operandByte(offset) & mask) != 0;
}

void EmulatedController::setOperandBit(std::size_t offset, std::uint8_t mask, bool value) {
  const std::uint8_t old = operandByte(offset);
  setOperandByte(offset, static_cast<std::uint8_t>(value ? old | mask : old & ~mask));
}

std::uint16_t EmulatedController::headerWord(std::size_t offset) const {
  if (offset + 2 > kHeaderSize) throw std::out_of_range("header offset " + std::to_string(offset));
  return m_cpu.wordAt(Linear(kModuleSegment, static_cast<std::uint16_t>(offset)));
}

void EmulatedController::setHeaderWord(std::size_t offset, std::uint16_t value) {
  if (offset + 2 > kHeaderSize) throw std::out_of_range("header offset " + std::to_string(offset));
  m_cpu.setWordAt(Linear(kModuleSegment, static_cast<std::uint16_t>(offset)), value);
}

std::size_t EmulatedController::fuIndex(int number) const {
  if (number < kFirstEntryFu || number > kLastEntryFu) {
    throw std::out_of_range("FU " + std::to_string(number) + " is not kept by the controller");
  }
  return static_cast<std::size_t>(number - kFirstEntryFu);
}

std::uint16_t EmulatedController::fuValue(int number) const {
  return m_fu[fuIndex(number)];
}

void EmulatedController::setFuValue(int number, std::uint16_t value) {
  m_fu[fuIndex(number)] = value;
}

std::uint32_t EmulatedController::stationLinear(Fieldbus side, int station, std::size_t offset,
                                                std::size_t width) const {
  if (station < 0 || station >= kStationCount || offset + width > kStationSize) {
    throw std::out_of_range("station " + std::to_string(station) + " offset " +
                            std::to_string(offset));
  }
  const std::uint16_t first =
      side == Fieldbus::Inputs ? kInputStationsOffset : kOutputStationsOffset;
  return Linear(kStationSegment,
                static_cast<std::uint16_t>(first + station * kStationStride + offset));
}

std::uint8_t EmulatedController::stationByte(Fieldbus side, int station, std::size_t offset) const {
  return m_cpu.byteAt(stationLinear(side, station, offset, 1));
}

void EmulatedController::setStationByte(Fieldbus side, int station, std::size_t offset,
                                        std::uint8_t value) {
  m_cpu.setByteAt(stationLinear(side, station, offset, 1), value);
}

std::uint16_t EmulatedController::stationWord(Fieldbus side, int station,
                                              std::size_t offset) const {
  return m_cpu.wordAt(stationLinear(side, station, offset, 2));
}

void EmulatedController::setStationWord(Fieldbus side, int station, std::size_t offset,
                                        std::uint16_t value) {
  m_cpu.setWordAt(stationLinear(side, station, offset, 2), value);
}

}  // namespace zel::emu
