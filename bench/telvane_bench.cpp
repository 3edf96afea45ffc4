// The controller library as a host uses it, against the virtual controller: one display
// command's round trip over loopback UDP, commands per second with the queue kept full,
// and reply characters per second over a pseudo-terminal at 115200 baud. Every wait is
// bounded, so a silent controller ends a benchmark with an error instead of hanging it.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/telvane/telvane.h"
#include "platform/atoms.h"
#include "platform/login_host.h"
#include "platform/messages.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace platform = zel::platform;

constexpr int kCommandTimeoutMs = 5000;
constexpr int kReplyWaitMs = 3000;
constexpr std::size_t kQueueSize = 50;
// 115200 baud, 8N1: ten bits a character.
constexpr double kLineCharsPerSecond = 11520.0;

// kzcsim with its first output lines (the ports, or the pty path), ended with the benchmark.
class SimChild {
 public:
  explicit SimChild(const std::vector<std::string>& args, int lines) {
    int out[2];
    if (::pipe(out) != 0) return;
    m_pid = ::fork();
    if (m_pid == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      std::vector<char*> argv;
      argv.push_back(const_cast<char*>(KZCSIM_BINARY));
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(KZCSIM_BINARY, argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    std::string line;
    const auto end = Clock::now() + std::chrono::seconds(5);
    while (static_cast<int>(m_lines.size()) < lines && Clock::now() < end) {
      pollfd ready{out[0], POLLIN, 0};
      char c;
      if (::poll(&ready, 1, 200) <= 0) continue;
      if (::read(out[0], &c, 1) != 1) break;
      if (c == '\n') {
        m_lines.push_back(line);
        line.clear();
      } else {
        line += c;
      }
    }
    ::close(out[0]);
  }
  ~SimChild() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGTERM);
      ::waitpid(m_pid, nullptr, 0);
    }
  }
  SimChild(const SimChild&) = delete;
  SimChild& operator=(const SimChild&) = delete;

  // "ci-port N" is the first line with --print-ports.
  int ciPort() const {
    if (m_lines.empty() || !m_lines[0].starts_with("ci-port ")) return 0;
    return std::stoi(m_lines[0].substr(8));
  }
  std::string firstLine() const { return m_lines.empty() ? std::string() : m_lines[0]; }

 private:
  pid_t m_pid = -1;
  std::vector<std::string> m_lines;
};

// A working directory of its own, with the ZEL.INI that maps COM1 to the pty.
class SerialWorkDir {
 public:
  explicit SerialWorkDir(const std::string& device) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return;
    m_dir = pattern;
    std::ofstream(m_dir / "ZEL.INI", std::ios::binary) << "[SERIAL]\r\nCOM1=" << device << "\r\n";
    m_old = std::filesystem::current_path();
    std::filesystem::current_path(m_dir);
  }
  ~SerialWorkDir() {
    std::error_code ignored;
    if (!m_old.empty()) std::filesystem::current_path(m_old, ignored);
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ignored);
  }
  SerialWorkDir(const SerialWorkDir&) = delete;
  SerialWorkDir& operator=(const SerialWorkDir&) = delete;

 private:
  std::filesystem::path m_dir;
  std::filesystem::path m_old;
};

struct Reply {
  int status = 0;
  std::string text;
};

// The host: a target of this thread receives the replies; waits block on the thread's queue.
class Host {
 public:
  Host()
      : m_target([this](const platform::Message& message) {
          if (message.id != static_cast<platform::MessageId>(ZEL4CIWindowMsg()) ||
              message.wParam == 1)
            return platform::LParam{0};
          Reply reply;
          reply.status = static_cast<int>(message.wParam >> 16);
          const auto atom = static_cast<platform::Atom>(message.wParam & 0xFFFF);
          reply.text = platform::AtomName(platform::AtomTable::Local, atom);
          platform::DeleteAtom(platform::AtomTable::Local, atom);
          m_replies.push_back(std::move(reply));
          return platform::LParam{0};
        }) {}
  ~Host() {
    if (m_connected) Disconnect();
    platform::PumpMessages();  // frees the atoms of replies still queued
    platform::SetLoginHost(nullptr);
  }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Connects and logs in windowless (the controller has no password); an error text or "".
  std::string open(const std::string& connection) {
    if (Connect(m_target.id(), connection.c_str()) != 0) return "Connect failed";
    m_connected = true;
    platform::SetLoginHost(std::make_shared<platform::WindowlessLoginHost>(std::nullopt));
    if (StartLogin(m_target.id(), 0, 5) != 1) return "login failed";
    m_replies.clear();
    return {};
  }
  // 0 queued or sent, 1 queue full, else an error.
  int send(const char* command) {
    return CICommand(m_target.id(), 0, command, kCommandTimeoutMs, nullptr);
  }
  // Dispatches until `count` replies have come in all or the wait has passed.
  bool waitReplies(std::size_t count, int limitMs = kReplyWaitMs) {
    const auto end = Clock::now() + std::chrono::milliseconds(limitMs);
    while (m_replies.size() < count) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
      if (left < 0) return false;
      if (auto message = platform::GetMessageWithTimeout(static_cast<int>(left) + 1)) {
        platform::DispatchMessage(*message);
      }
    }
    return true;
  }
  std::vector<Reply>& replies() { return m_replies; }

 private:
  platform::MessageTarget m_target;
  std::vector<Reply> m_replies;
  bool m_connected = false;
};

std::vector<std::string> UdpArgs() {
  return {"--ci-port", "0", "--tftp-port", "0", "--print-ports"};
}

void PointAtPort(int port) {
  ::setenv("ZEL_CI_PORT", std::to_string(port).c_str(), 1);
  ::setenv("ZEL_TFTP_PORT", std::to_string(port).c_str(), 1);  // nobody answers files here
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()))];
}

// One "DEW0" at a time: the time from CICommand to the reply message being dispatched.
void BM_UdpRoundTrip(benchmark::State& state) {
  SimChild sim(UdpArgs(), 2);
  if (sim.ciPort() == 0) return state.SkipWithError("kzcsim did not start");
  PointAtPort(sim.ciPort());
  Host host;
  if (const auto error = host.open("TCPIP 127.0.0.1"); !error.empty()) {
    return state.SkipWithError(error.c_str());
  }
  std::vector<double> micros;
  for (auto _ : state) {
    host.replies().clear();
    const auto start = Clock::now();
    if (host.send("DEW0") != 0 || !host.waitReplies(1) || host.replies()[0].status != 0) {
      state.SkipWithError("no reply");
      break;
    }
    const std::chrono::duration<double> took = Clock::now() - start;
    state.SetIterationTime(took.count());
    micros.push_back(took.count() * 1e6);
  }
  state.counters["median_us"] = Median(micros);
  state.counters["p90_us"] = Percentile(micros, 0.9);
  state.counters["p99_us"] = Percentile(micros, 0.99);
}
BENCHMARK(BM_UdpRoundTrip)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// Tops the queue up to full; how many it took.
int FillQueue(Host& host, const char* command) {
  int queued = 0;
  while (host.send(command) == 0) {
    if (++queued > static_cast<int>(kQueueSize) + 1) break;  // never loops on a broken limit
  }
  return queued;
}

// Drains what is still queued so no reply is left behind the disconnect.
void Drain(Host& host, std::size_t outstanding) {
  host.replies().clear();
  host.waitReplies(outstanding, kCommandTimeoutMs);
}

// One iteration is one reply; after each the queue is topped up again, so the link never
// waits for the host.
// Returns the seconds the loop took.
double SustainedReplies(benchmark::State& state, Host& host, const char* command,
                        std::size_t& replyChars, std::size_t& errors) {
  std::size_t outstanding = FillQueue(host, command);
  state.counters["queued_at_start"] = static_cast<double>(outstanding);
  const auto start = Clock::now();
  for (auto _ : state) {
    host.replies().clear();
    if (!host.waitReplies(1)) {
      state.SkipWithError("no reply");
      return 0;
    }
    for (const Reply& reply : host.replies()) {
      --outstanding;
      replyChars += reply.text.size();
      if (reply.status != 0) ++errors;
    }
    outstanding += FillQueue(host, command);
  }
  const std::chrono::duration<double> took = Clock::now() - start;
  Drain(host, outstanding);
  return took.count();
}

void BM_UdpSustained(benchmark::State& state) {
  SimChild sim(UdpArgs(), 2);
  if (sim.ciPort() == 0) return state.SkipWithError("kzcsim did not start");
  PointAtPort(sim.ciPort());
  Host host;
  if (const auto error = host.open("TCPIP 127.0.0.1"); !error.empty()) {
    return state.SkipWithError(error.c_str());
  }
  std::size_t chars = 0;
  std::size_t errors = 0;
  SustainedReplies(state, host, "DEW0", chars, errors);
  state.counters["replies_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["error_replies"] = static_cast<double>(errors);
}
BENCHMARK(BM_UdpSustained)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(3.0);

// Sixteen words of five digits each make the reply long enough that the line, not the
// turnaround, sets the pace.
constexpr const char* kSerialCommand = "DEW0-";

void BM_SerialPty115200(benchmark::State& state) {
  const bool paced = state.range(0) != 0;
  std::vector<std::string> args = {"--serial", "--baud", "9600"};
  if (paced) args.push_back("--pace");
  SimChild sim(args, 1);
  if (sim.firstLine().empty()) return state.SkipWithError("kzcsim did not start");
  SerialWorkDir dir(sim.firstLine());
  Host host;
  if (const auto error = host.open("COM1 115200"); !error.empty()) {
    return state.SkipWithError(error.c_str());
  }
  for (int word = 0; word < 16; ++word) {
    const std::string set = "MEW" + std::to_string(word) + "=65535";
    host.send(set.c_str());
  }
  if (!host.waitReplies(16, kCommandTimeoutMs)) return state.SkipWithError("no modify replies");
  host.replies().clear();

  std::size_t replyChars = 0;
  std::size_t errors = 0;
  const double seconds = SustainedReplies(state, host, kSerialCommand, replyChars, errors);
  // What the controller puts on the line per command: the echo, the reply, CR LF ">" DC1.
  const double lineChars =
      static_cast<double>(replyChars) + static_cast<double>(state.iterations()) *
                                            (std::char_traits<char>::length(kSerialCommand) + 4);
  state.counters["reply_chars_per_s"] =
      benchmark::Counter(static_cast<double>(replyChars), benchmark::Counter::kIsRate);
  state.counters["line_chars_per_s"] = benchmark::Counter(lineChars, benchmark::Counter::kIsRate);
  state.counters["line_rate_chars_per_s"] = kLineCharsPerSecond;
  // Shares of 115200 baud's 11520 characters a second.
  if (seconds > 0) {
    state.counters["reply_share_of_line"] =
        static_cast<double>(replyChars) / seconds / kLineCharsPerSecond;
    state.counters["line_share_of_line"] = lineChars / seconds / kLineCharsPerSecond;
  }
  state.counters["replies_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["error_replies"] = static_cast<double>(errors);
}
// 0: kzcsim answers as fast as the pty takes it; 1: no faster than 115200 baud.
BENCHMARK(BM_SerialPty115200)
    ->ArgName("paced")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

}  // namespace

BENCHMARK_MAIN();
