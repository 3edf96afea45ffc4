#pragma once
// Turns the sentence trees of one module into machine code for the controller's 16-bit
// x86 processor and collects what the module uses. The emitted sequences and the
// run-time conventions are described in docs/GENERATED_CODE.md.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "stl/codegen/tree.h"

namespace zel::stl::code {

inline constexpr std::size_t kCodeLimit = 65000;
inline constexpr std::size_t kHeaderSize = 128;
inline constexpr std::size_t kOperandAreaSize = 27298;
inline constexpr std::size_t kCalledModules = 100;  // CMP and CFM numbers 0..99

struct StationUse {
  int station = 0;
  std::uint8_t type = 0;  // the station's type byte in "CR.CFG"
  int inputUnits = 0;
  int outputUnits = 0;
};

struct UsageRecords {
  std::vector<std::uint8_t> operands = std::vector<std::uint8_t>(kOperandAreaSize, 0);
  std::array<std::uint16_t, kCalledModules> cmp{};
  std::array<std::uint16_t, kCalledModules> cfm{};
  std::vector<StationUse> stations;  // ascending station numbers
};

// A fault that ends the pass. Thrown by the translator and caught by the generator; it
// never leaves the code generator.
struct CodeStop {
  int line = 0;
  std::string text;
};

// A fault that counts one error while translation goes on; the text is without
// "ERROR: ".
struct CodeFault {
  int line = 0;
  std::string text;
};

struct TranslatorSetup {
  std::string module;  // upper case, e.g. CZ0P05V1
  std::function<std::optional<std::string>()> readFieldbusConfig;
};

class Translator {
 public:
  explicit Translator(TranslatorSetup setup);
  ~Translator();
  Translator(const Translator&) = delete;
  Translator& operator=(const Translator&) = delete;

  // The module prologue.
  void begin();
  // One program-level item: a Step, a Sentence, or one statement of a single executive
  // part (Load, Set, Reset, Inc, Dec, Jump, CallCmp, CallCfm, Nop).
  void translate(const SentenceTree& tree, NodeId root);
  // The end of the last step, the jump patching and the epilogue.
  void finish();

  const std::vector<std::uint8_t>& code() const;
  const UsageRecords& usage() const;
  const std::vector<CodeFault>& faults() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace zel::stl::code
