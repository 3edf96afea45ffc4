#include "stl/codegen/context.h"

#include "stl/codegen/fail.h"
#include "stl/codegen/messages.h"

namespace zel::stl::code {
namespace {

constexpr std::uint8_t kWordStation = 0x20;
constexpr int kBitsPerByte = 8;
constexpr int kStationPointerSize = 4;

}  // namespace

// A name off the pattern compiles as a program that is no program number of its own.
CodeContext::CodeContext(TranslatorSetup setup) : m_setup(std::move(setup)) {
  if (const auto identity = ParseModuleName(m_setup.module)) {
    moduleKind = identity->kind;
    moduleNumber = identity->number;
  }
}

void CodeContext::fault(int line, std::string text) {
  m_faults.push_back(CodeFault{line, std::move(text)});
}

const Node& CodeContext::node(NodeId id) const {
  if (m_tree == nullptr || !m_tree->valid(id)) Fail(line(), InternalError::MissingChild);
  return m_tree->at(id);
}

NodeId CodeContext::child(NodeId id, std::size_t index) const {
  const Node& n = node(id);
  if (index >= n.children.size() || !m_tree->valid(n.children[index]))
    Fail(n.line, InternalError::MissingChild);
  return n.children[index];
}

void CodeContext::callEntry(std::uint8_t entry) {
  m_buffer.bytes({0x26, 0xFF, 0x5D, entry});
  restoreHeader();
}

void CodeContext::restoreHeader() {
  m_buffer.bytes({0xC4, 0x7E, 0xFC});
}

void CodeContext::jumpToExit() {
  m_exitJumps.push_back(m_buffer.openJump());
}

void CodeContext::patchExits(std::size_t epilogue) {
  for (std::size_t at : m_exitJumps) m_buffer.patchJump(at, epilogue);
  m_exitJumps.clear();
}

std::uint8_t CodeContext::stationType(int station) {
  if (!m_fieldbus) {
    std::optional<std::string> bytes =
        m_setup.readFieldbusConfig ? m_setup.readFieldbusConfig() : std::nullopt;
    if (!bytes) throw CodeStop{line(), msg::kFieldbusNotConfigured};
    m_fieldbus = FieldbusConfig::FromBytes(std::string_view(*bytes));
    // An unreadable configuration is reported once; its stations count as byte stations.
    if (m_fieldbus->state() != FieldbusConfig::State::Ready)
      fault(line(), msg::kFieldbusConfigUnreadable);
  }
  return m_fieldbus->stationType(station);
}

StationUnit CodeContext::loadStation(const FieldbusPlace& place) {
  const std::uint8_t type = stationType(place.station);
  StationUnit unit;
  unit.wordStation = (type & kWordStation) != 0;
  int offset = unit.wordStation ? 2 * place.word : place.word;
  if (unit.wordStation && place.bit >= kBitsPerByte) ++offset;
  unit.offset = static_cast<std::uint16_t>(offset);
  m_usage.markStation(place.station, type, place.input, place.word);
  m_buffer.bytes({0x26, 0xC4, 0x7D, place.input ? kInputStationsField : kOutputStationsField});
  m_buffer.bytes({0x26, 0xC4, 0xBD});
  m_buffer.word(static_cast<std::uint16_t>(place.station * kStationPointerSize));
  return unit;
}

}  // namespace zel::stl::code
