// The virtual controller's own cost: one command through the interpreter and the
// framing, and one display command's round trip over loopback UDP to the kzcsim program
// (the floor under any round trip the controller library measures against it).

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/responder.h"

namespace {

using namespace zel::kzcsim;

void BM_InterpreterDisplayRange(benchmark::State& state) {
  ControllerConfig config;
  Interpreter ci(config);
  FaultPlan plan;
  ExchangeLog log;
  Responder responder(ci, plan, log);
  for (auto _ : state) {
    benchmark::DoNotOptimize(responder.Handle(Transport::Udp, false, "DEW0-"));
  }
}
BENCHMARK(BM_InterpreterDisplayRange);

// kzcsim on a free port, ended with the benchmark.
class SimChild {
 public:
  SimChild() {
    int out[2];
    if (::pipe(out) != 0) return;
    m_pid = ::fork();
    if (m_pid == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::execl(KZCSIM_BINARY, KZCSIM_BINARY, "--ci-port", "0", "--tftp-port", "0", "--print-ports",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(out[1]);
    std::string text;
    char c;
    while (text.find('\n') == std::string::npos && ::read(out[0], &c, 1) == 1) text += c;
    ::close(out[0]);
    const auto blank = text.find(' ');
    if (blank != std::string::npos) m_port = std::stoi(text.substr(blank + 1));
  }
  ~SimChild() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGTERM);
      ::waitpid(m_pid, nullptr, 0);
    }
  }
  int port() const { return m_port; }

 private:
  pid_t m_pid = -1;
  int m_port = 0;
};

void BM_UdpRoundTrip(benchmark::State& state) {
  SimChild sim;
  if (sim.port() == 0) {
    state.SkipWithError("kzcsim did not start");
    return;
  }
  const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(sim.port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  char buffer[1024];
  for (auto _ : state) {
    ::send(fd, "DEW0-", 5, 0);
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, 2000) <= 0 || ::recv(fd, buffer, sizeof buffer, 0) <= 0) {
      state.SkipWithError("no answer");
      break;
    }
  }
  ::close(fd);
}
BENCHMARK(BM_UdpRoundTrip)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
