#include "build/runtime_mode.h"

namespace zel::build {
namespace {

void Put(std::array<std::uint8_t, kRuntimeModeSize>& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t Get(std::span<const std::uint8_t> bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) -> std::uint16_t { return i < bytes.size() ? bytes[i] : 0; };
  return static_cast<std::uint16_t>(byte(at) | (byte(at + 1) << 8));
}

}  // namespace

std::array<std::uint8_t, kRuntimeModeSize> RuntimeMode::bytes() const {
  std::array<std::uint8_t, kRuntimeModeSize> out{};
  out[0] = flags;
  out[1] = fieldbusFlags;
  Put(out, 2, runStopWord);
  Put(out, 4, runStopMask);
  Put(out, 6, static_cast<std::uint16_t>(errorProgram));
  Put(out, 8, errorOutputWord);
  Put(out, 10, errorOutputMask);
  Put(out, 12, fieldbusSwitch);
  Put(out, 14, fieldbusInterrupt);
  Put(out, 16, fieldbusBaud);
  return out;
}

RuntimeMode RuntimeMode::FromBytes(std::span<const std::uint8_t> bytes) {
  RuntimeMode mode;
  mode.flags = bytes.empty() ? 0 : bytes[0];
  mode.fieldbusFlags = bytes.size() > 1 ? bytes[1] : 0;
  mode.runStopWord = Get(bytes, 2);
  mode.runStopMask = Get(bytes, 4);
  mode.errorProgram = static_cast<std::int16_t>(Get(bytes, 6));
  mode.errorOutputWord = Get(bytes, 8);
  mode.errorOutputMask = Get(bytes, 10);
  mode.fieldbusSwitch = Get(bytes, 12);
  mode.fieldbusInterrupt = Get(bytes, 14);
  mode.fieldbusBaud = Get(bytes, 16);
  return mode;
}

}  // namespace zel::build
