#pragma once
// One exchange from command to bytes on the wire: the interpreter answers, the fault
// plan decides what becomes of the answer, the transport's framing makes the bytes, and
// the exchange log records it all. Shared by the serial line and UDP.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/fault_plan.h"

namespace zel::kzcsim {

enum class Transport { Serial, Udp };

struct Delivery {
  std::string bytes;  // a serial chunk or one datagram
  std::int64_t delayMs = 0;
};

class ExchangeLog {
 public:
  // Lines go to `out` (not owned; null logs nothing).
  explicit ExchangeLog(std::FILE* out = nullptr) : m_out(out) {}
  void Record(Transport transport, std::string_view command,
              const std::vector<Delivery>& deliveries, const Faults& faults);
  void Note(std::string_view text);

 private:
  std::FILE* m_out;
};

class Responder {
 public:
  Responder(Interpreter& interpreter, FaultPlan& faults, ExchangeLog& log)
      : m_ci(interpreter), m_faults(faults), m_log(log) {}

  // The answer to one command (`probe` for the probe byte, `text` then empty).
  std::vector<Delivery> Handle(Transport transport, bool probe, std::string_view text);

 private:
  Interpreter& m_ci;
  FaultPlan& m_faults;
  ExchangeLog& m_log;
};

}  // namespace zel::kzcsim
