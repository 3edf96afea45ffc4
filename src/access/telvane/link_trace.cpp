#include "access/telvane/link_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

namespace zel::telvane {
namespace {

struct Trace {
  std::mutex mutex;
  std::FILE* file = nullptr;
  std::chrono::steady_clock::time_point start;
};

// Constant-initialised and trivially destroyed, so it is usable from a reader thread at any
// moment, and nothing of it is left behind when the library is unloaded.
constinit Trace g_trace;

Trace& TheTrace() {
  return g_trace;
}

long long MicrosecondsSinceStart(const Trace& trace) {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                               trace.start)
      .count();
}

std::string HexLine(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  std::string ascii;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
    hex += ' ';
    ascii += byte >= 0x20 && byte < 0x7F ? c : '.';
  }
  hex.resize(16 * 3, ' ');
  return "  " + hex + "  " + ascii + "\n";
}

}  // namespace

void OpenLinkTrace() {
  Trace& trace = TheTrace();
  std::lock_guard lock(trace.mutex);
  if (trace.file != nullptr) return;
  const char* name = std::getenv("ZEL_TRACE");
  if (name == nullptr || *name == '\0') return;
  trace.file = std::fopen(name, "a");
  trace.start = std::chrono::steady_clock::now();
}

void CloseLinkTrace() {
  Trace& trace = TheTrace();
  std::lock_guard lock(trace.mutex);
  if (trace.file != nullptr) std::fclose(trace.file);
  trace.file = nullptr;
}

void TraceBytes(TraceDirection direction, std::string_view transport, std::string_view bytes) {
  Trace& trace = TheTrace();
  std::lock_guard lock(trace.mutex);
  if (trace.file == nullptr) return;
  std::string block = std::to_string(MicrosecondsSinceStart(trace)) + " us " +
                      (direction == TraceDirection::Send ? "SEND " : "RECV ") +
                      std::string(transport) + " " + std::to_string(bytes.size()) + " bytes\n";
  for (std::size_t at = 0; at < bytes.size(); at += 16) block += HexLine(bytes.substr(at, 16));
  std::fputs(block.c_str(), trace.file);
  std::fflush(trace.file);
}

void TraceEvent(std::string_view transport, std::string_view event) {
  Trace& trace = TheTrace();
  std::lock_guard lock(trace.mutex);
  if (trace.file == nullptr) return;
  const std::string line = std::to_string(MicrosecondsSinceStart(trace)) + " us " +
                           std::string(transport) + " " + std::string(event) + "\n";
  std::fputs(line.c_str(), trace.file);
  std::fflush(trace.file);
}

}  // namespace zel::telvane
