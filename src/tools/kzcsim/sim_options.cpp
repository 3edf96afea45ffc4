#include "tools/kzcsim/sim_options.h"

#include <cstdlib>
#include <functional>
#include <map>

#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

std::optional<long long> Integer(const std::string& text, long long min, long long max) {
  std::string_view rest = text;
  const auto value = TakeUnsigned(rest, 0xFFFFFFFFu);
  if (!value || !rest.empty() || *value < min || *value > max) return std::nullopt;
  return *value;
}

std::optional<double> Rate(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0.0 && value <= 1.0)) return std::nullopt;
  return value;
}

// "2.25" or "25": the two digits after "V2.".
std::optional<unsigned> Version(std::string text) {
  if (text.rfind("2.", 0) == 0) text = text.substr(2);
  if (text.size() != 2) return std::nullopt;
  const auto value = Integer(text, 0, 99);
  return value ? std::optional<unsigned>(static_cast<unsigned>(*value)) : std::nullopt;
}

// ADDRESS ":" OUTPUT-WORDS ":" INPUT-WORDS [":" FLAGS]
std::optional<SlaveSpec> Slave(const std::string& text) {
  std::vector<long long> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto colon = text.find(':', start);
    const std::string part = text.substr(start, colon == std::string::npos ? colon : colon - start);
    const auto value = Integer(part, 0, 0xFFFF);
    if (!value) return std::nullopt;
    parts.push_back(*value);
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  if (parts.size() < 3 || parts.size() > 4 || parts[0] < 1 || parts[0] > 99 || parts[1] > 16 ||
      parts[2] > 16) {
    return std::nullopt;
  }
  return SlaveSpec{static_cast<unsigned>(parts[0]), static_cast<unsigned>(parts[1]),
                   static_cast<unsigned>(parts[2]),
                   parts.size() == 4 ? static_cast<unsigned>(parts[3]) : 0u};
}

}  // namespace

std::string Usage() {
  return R"(usage: kzcsim [options]
A virtual controller: answers the controller's command language over UDP and over a
pseudo-terminal.
Transports:
  --serial               open a pseudo-terminal; its path is the first line on stdout
  --udp                  answer over UDP as well (the default without --serial)
  --address A            IPv4 address to listen on (127.0.0.1)
  --ci-port N            command port (ZEL_CI_PORT, else 992; 0 picks a free one)
  --tftp-port N          file port (ZEL_TFTP_PORT, else 69; 0 picks a free one)
  --print-ports          print "ci-port N" and "tftp-port N" once bound
  --baud N               serial rate after power-on and reboot (9600)
  --pace                 send serial output no faster than the line rate
  --watch-stdin          end when stdin reaches its end
Controller:
  --version V            kernel version 2.NN, as "2.25" or "25" (2.25)
  --platform NAME        platform in "L?" (VM2X)
  --password PW          password set at power-on (none)
  --no-password-functions  flags bit 1 clear
  --binary-files         flags bit 3 set (binary file commands supported)
  --forbid-binary        flags bit 7 set
  --project NAME         loaded project (DEMO)
  --run-file NAME        its run file (DEMO.RUN)
  --no-project           no project loaded
  --build-date N         "LB" answer (0)
  --programs N           programs of the project (4)
  --strings N            strings of the strings driver (10)
  --slave A:OUT:IN[:FLAGS]  a fieldbus slave (repeatable; the first replaces the defaults)
  --no-slaves            no fieldbus slaves
  --error N              controller error at power-on (0)
  --hex-values           value replies in "$" hexadecimal
  --silent-rate-change   "MV=" switches the rate without answering
  --flash                "L_FLASH" answers "=1"
  --drives DIR           folder with the drives A..D (default: a temporary folder)
  --drive-size N         bytes per drive for "FS" (4000000)
Faults:
  --drop-rate P, --dup-rate P, --corrupt-rate P, --delay-rate P   by chance, 0..1
  --drop-cmd C, --dup-cmd C, --corrupt-cmd C, --delay-cmd C       by command (repeatable;
                         "MV=*" matches every command beginning "MV=", PROBE the probe)
  --delay MS             delay answers (all of them unless a delay rate or command is given)
  --stop-after N         answer N commands, then nothing
  --seed N               seed of the fault chances (1)
  --log FILE             log every exchange to FILE ("-" for stderr)
  --help
)";
}

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args,
                                       const OptionDefaults& defaults, std::string& error) {
  SimOptions o;
  if (defaults.ciPort) {
    const auto port = Integer(*defaults.ciPort, 0, 65535);
    if (!port) return error = "ZEL_CI_PORT is not a port number", std::nullopt;
    o.ciPort = static_cast<int>(*port);
  }
  if (defaults.tftpPort) {
    const auto port = Integer(*defaults.tftpPort, 0, 65535);
    if (!port) return error = "ZEL_TFTP_PORT is not a port number", std::nullopt;
    o.tftpPort = static_cast<int>(*port);
  }
  bool udpAsked = false;
  bool slavesGiven = false;
  ControllerConfig& c = o.controller;
  FaultOptions& f = o.faults;

  using Flag = std::function<void()>;
  using Valued = std::function<bool(const std::string&)>;
  auto number = [](auto& target, long long min, long long max) {
    return Valued([&target, min, max](const std::string& v) {
      const auto n = Integer(v, min, max);
      if (n) target = static_cast<std::remove_reference_t<decltype(target)>>(*n);
      return n.has_value();
    });
  };
  auto text = [](std::string& target) {
    return Valued([&target](const std::string& v) { return target = v, true; });
  };
  // Fields of the "L?" answer: a comma or a control character would split or end it.
  auto field = [](std::string& target) {
    return Valued([&target](const std::string& v) {
      for (unsigned char ch : v) {
        if (ch < 0x20 || ch == 0x7F || ch == ',') return false;
      }
      return target = v, v.size() <= 99;
    });
  };
  auto rate = [](FaultRule& rule) {
    return Valued([&rule](const std::string& v) {
      const auto p = Rate(v);
      if (p) rule.rate = *p;
      return p.has_value();
    });
  };
  auto command = [](FaultRule& rule) {
    return Valued([&rule](const std::string& v) { return rule.commands.push_back(v), !v.empty(); });
  };
  std::string driveDir;
  const std::map<std::string, Flag> flags{
      {"--serial", [&] { o.serial = true; }},
      {"--udp", [&] { udpAsked = true; }},
      {"--print-ports", [&] { o.printPorts = true; }},
      {"--pace", [&] { o.pace = true; }},
      {"--watch-stdin", [&] { o.watchStdin = true; }},
      {"--no-password-functions", [&] { c.passwordFunctions = false; }},
      {"--binary-files", [&] { c.binaryFileCommands = true; }},
      {"--forbid-binary", [&] { c.binaryForbidden = true; }},
      {"--no-project", [&] { c.project.clear(), c.runFile.clear(); }},
      {"--no-slaves", [&] { c.slaves.clear(), slavesGiven = true; }},
      {"--hex-values", [&] { c.hexValues = true; }},
      {"--silent-rate-change", [&] { c.silentRateChange = true; }},
      {"--flash", [&] { c.flash = true; }},
      {"--help", [&] { o.help = true; }},
  };
  const std::map<std::string, Valued> valued{
      {"--address", text(o.address)},
      {"--ci-port", number(o.ciPort, 0, 65535)},
      {"--tftp-port", number(o.tftpPort, 0, 65535)},
      {"--baud",
       [&](const std::string& v) {
         const auto n = Integer(v, 0, 1000000);
         if (n && IsKnownRate(static_cast<unsigned>(*n)) && *n != 56000)
           c.baud = static_cast<unsigned>(*n);
         return n && c.baud == *n;
       }},
      {"--version",
       [&](const std::string& v) {
         const auto minor = Version(v);
         if (minor) c.versionMinor = *minor;
         return minor.has_value();
       }},
      {"--platform", field(c.platform)},
      {"--password", [&](const std::string& v) { return field(c.password)(v) && v.size() <= 29; }},
      {"--project", field(c.project)},
      {"--run-file", field(c.runFile)},
      {"--build-date", number(c.buildDate, 0, 0xFFFFFFFFll)},
      {"--programs", number(c.programs, 0, 64)},
      {"--strings", number(c.strings, 0, 1000)},
      {"--slave",
       [&](const std::string& v) {
         const auto slave = Slave(v);
         if (!slave) return false;
         if (!slavesGiven) c.slaves.clear();
         slavesGiven = true;
         c.slaves.push_back(*slave);
         return true;
       }},
      {"--error", number(c.error, 0, 32767)},
      {"--drives", text(driveDir)},
      {"--drive-size", number(c.driveCapacity, 0, 0x7FFFFFFFll)},
      {"--drop-rate", rate(f.drop)},
      {"--dup-rate", rate(f.duplicate)},
      {"--corrupt-rate", rate(f.corrupt)},
      {"--delay-rate", rate(f.delay)},
      {"--drop-cmd", command(f.drop)},
      {"--dup-cmd", command(f.duplicate)},
      {"--corrupt-cmd", command(f.corrupt)},
      {"--delay-cmd", command(f.delay)},
      {"--delay", number(f.delayMs, 0, 600000)},
      {"--stop-after", number(f.stopAfter, 0, 0x7FFFFFFFll)},
      {"--seed", number(f.seed, 0, 0xFFFFFFFFll)},
      {"--log", text(o.logFile)},
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (const auto flag = flags.find(arg); flag != flags.end()) {
      flag->second();
      continue;
    }
    const auto option = valued.find(arg);
    if (option == valued.end()) return error = "unknown option " + arg, std::nullopt;
    if (i + 1 >= args.size()) return error = arg + " needs a value", std::nullopt;
    if (!option->second(args[++i])) {
      return error = "bad value for " + arg + ": " + args[i], std::nullopt;
    }
  }
  o.udp = udpAsked || !o.serial;
  c.drives = driveDir;
  // A delay with neither rate nor commands applies to every answer.
  f.delay.always = f.delayMs > 0 && f.delay.rate == 0.0 && f.delay.commands.empty();
  return o;
}

}  // namespace zel::kzcsim
