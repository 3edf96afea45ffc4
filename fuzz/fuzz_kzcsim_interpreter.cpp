// The virtual controller takes any bytes a PC, a terminal or a broken link sends. Each
// input runs twice through a fresh controller: as serial line bytes and as UDP datagrams
// (one per line). Every answer must keep its frame: the serial bytes end with a prompt,
// a datagram holds exactly two zero-terminated strings, and nothing grows without bound.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"
#include "tools/kzcsim/line_framing.h"
#include "tools/kzcsim/responder.h"

namespace {

namespace fs = std::filesystem;
using namespace zel::kzcsim;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Drives of their own, emptied before every input so files never pile up and removed at
// the end; in memory where the system has a memory file system, as directory changes on
// disk are slow.
struct FuzzDrives {
  FuzzDrives() {
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path(error);
    root = base / ("fuzz_kzcsim_" + std::to_string(::getpid()));
  }
  ~FuzzDrives() {
    std::error_code error;
    fs::remove_all(root, error);
  }
  fs::path root;
};

const fs::path& Drives() {
  static const FuzzDrives drives;
  std::error_code error;
  fs::remove_all(drives.root, error);
  fs::create_directories(drives.root / "C" / "SUB", error);
  fs::create_directories(drives.root / "A", error);
  return drives.root;
}

ControllerConfig Config() {
  ControllerConfig config;
  config.drives = Drives();
  config.driveCapacity = 100000;
  config.password = "pw";
  return config;
}

// An answer is at most an echo, a reply and the frame around them.
constexpr std::size_t kMaxAnswer = kMaxCommand + kMaxReply + 8;

void CheckSerial(const std::vector<Delivery>& deliveries) {
  for (const Delivery& d : deliveries) {
    Check(d.bytes.size() <= kMaxAnswer);
    const bool ready = d.bytes.size() >= 4 && d.bytes.ends_with("\r\n>\x11");
    const bool more = d.bytes.size() >= 2 && d.bytes.ends_with(":\x11");
    Check(ready || more);
  }
}

void CheckUdp(const std::vector<Delivery>& deliveries) {
  for (const Delivery& d : deliveries) {
    Check(d.bytes.size() <= kMaxAnswer);
    Check(std::count(d.bytes.begin(), d.bytes.end(), '\0') >= 2);
    Check(d.bytes.back() == '\0');
    const std::size_t echoEnd = d.bytes.find('\0');
    Check(d.bytes.find('\0', echoEnd + 1) == d.bytes.size() - 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::int64_t now = 0;
  {
    Interpreter ci(Config());
    ci.controller().setClock([&now] { return now += 37; });
    FaultPlan plan;
    ExchangeLog log;
    Responder responder(ci, plan, log);
    SerialLine line;
    for (const auto& command : line.Receive(input)) {
      CheckSerial(responder.Handle(Transport::Serial, command.probe, command.text));
    }
  }
  {
    Interpreter ci(Config());
    ci.controller().setClock([&now] { return now += 37; });
    FaultPlan plan;
    ExchangeLog log;
    Responder responder(ci, plan, log);
    std::size_t start = 0;
    while (start <= input.size()) {
      const std::size_t end = std::min(input.find('\n', start), input.size());
      const UdpCommand command = ReadDatagram(input.substr(start, end - start));
      CheckUdp(responder.Handle(Transport::Udp, command.probe, command.text));
      start = end + 1;
    }
  }
  return 0;
}
