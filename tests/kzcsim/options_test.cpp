#include <gtest/gtest.h>

#include "tools/kzcsim/sim_options.h"

namespace zel::kzcsim {
namespace {

std::optional<SimOptions> Parse(const std::vector<std::string>& args,
                                OptionDefaults defaults = {}) {
  std::string error;
  return ParseOptions(args, defaults, error);
}

std::string ErrorOf(const std::vector<std::string>& args, OptionDefaults defaults = {}) {
  std::string error;
  EXPECT_FALSE(ParseOptions(args, defaults, error)) << args.front();
  return error;
}

TEST(KzcsimOptions, DefaultsAnswerOverUdpOnTheStandardPorts) {
  const auto options = Parse({});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->udp);
  EXPECT_FALSE(options->serial);
  EXPECT_EQ(options->address, "127.0.0.1");
  EXPECT_EQ(options->ciPort, 992);
  EXPECT_EQ(options->tftpPort, 69);
  EXPECT_EQ(options->controller.versionMinor, 25u);
  EXPECT_EQ(options->controller.baud, 9600u);
  EXPECT_TRUE(options->controller.drives.empty());
}

TEST(KzcsimOptions, EnvironmentPortsGiveWayToOptions) {
  auto options = Parse({}, {"1992", "1069"});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->ciPort, 1992);
  EXPECT_EQ(options->tftpPort, 1069);
  options = Parse({"--ci-port", "0"}, {"1992", std::nullopt});
  ASSERT_TRUE(options);
  EXPECT_EQ(options->ciPort, 0);
  EXPECT_EQ(options->tftpPort, 69);
  EXPECT_EQ(ErrorOf({}, {"99999", std::nullopt}), "ZEL_CI_PORT is not a port number");
  EXPECT_EQ(ErrorOf({}, {std::nullopt, "x"}), "ZEL_TFTP_PORT is not a port number");
}

TEST(KzcsimOptions, SerialAloneLeavesUdpOff) {
  auto options = Parse({"--serial"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->serial);
  EXPECT_FALSE(options->udp);
  options = Parse({"--serial", "--udp"});
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->udp);
}

TEST(KzcsimOptions, ControllerSettings) {
  const auto options = Parse({"--version",
                              "2.24",
                              "--platform",
                              "RUD2",
                              "--password",
                              "pw",
                              "--binary-files",
                              "--forbid-binary",
                              "--no-project",
                              "--build-date",
                              "123",
                              "--programs",
                              "8",
                              "--strings",
                              "3",
                              "--slave",
                              "5:2:3:32",
                              "--slave",
                              "6:0:16",
                              "--error",
                              "7",
                              "--baud",
                              "57600",
                              "--hex-values",
                              "--silent-rate-change",
                              "--flash",
                              "--drives",
                              "/x",
                              "--drive-size",
                              "500"});
  ASSERT_TRUE(options);
  const ControllerConfig& c = options->controller;
  EXPECT_EQ(c.versionMinor, 24u);
  EXPECT_EQ(c.platform, "RUD2");
  EXPECT_EQ(c.password, "pw");
  EXPECT_TRUE(c.binaryFileCommands);
  EXPECT_TRUE(c.binaryForbidden);
  EXPECT_EQ(c.runFile, "");
  EXPECT_EQ(c.buildDate, 123u);
  EXPECT_EQ(c.programs, 8u);
  EXPECT_EQ(c.strings, 3u);
  ASSERT_EQ(c.slaves.size(), 2u);
  EXPECT_EQ(c.slaves[0].address, 5u);
  EXPECT_EQ(c.slaves[0].flags, 32u);
  EXPECT_EQ(c.slaves[1].inputs, 16u);
  EXPECT_EQ(c.error, 7);
  EXPECT_EQ(c.baud, 57600u);
  EXPECT_TRUE(c.hexValues);
  EXPECT_TRUE(c.silentRateChange);
  EXPECT_TRUE(c.flash);
  EXPECT_EQ(c.drives, "/x");
  EXPECT_EQ(c.driveCapacity, 500u);
  EXPECT_EQ(Parse({"--version", "07"})->controller.versionMinor, 7u);
}

TEST(KzcsimOptions, FaultSettings) {
  auto options = Parse({"--drop-rate", "0.25", "--dup-cmd", "LB", "--corrupt-cmd", "MV=*",
                        "--delay", "300", "--stop-after", "11", "--seed", "9", "--log", "-"});
  ASSERT_TRUE(options);
  const FaultOptions& f = options->faults;
  EXPECT_DOUBLE_EQ(f.drop.rate, 0.25);
  EXPECT_EQ(f.duplicate.commands, std::vector<std::string>{"LB"});
  EXPECT_EQ(f.corrupt.commands, std::vector<std::string>{"MV=*"});
  EXPECT_EQ(f.delayMs, 300);
  EXPECT_TRUE(f.delay.always);
  EXPECT_EQ(f.stopAfter, 11);
  EXPECT_EQ(f.seed, 9u);
  EXPECT_EQ(options->logFile, "-");
  options = Parse({"--delay", "300", "--delay-cmd", "L?"});
  ASSERT_TRUE(options);
  EXPECT_FALSE(options->faults.delay.always);
}

TEST(KzcsimOptions, WrongCommandLinesSayWhy) {
  EXPECT_EQ(ErrorOf({"--bogus"}), "unknown option --bogus");
  EXPECT_EQ(ErrorOf({"--version"}), "--version needs a value");
  EXPECT_EQ(ErrorOf({"--version", "3.1"}), "bad value for --version: 3.1");
  EXPECT_EQ(ErrorOf({"--version", "2.1"}), "bad value for --version: 2.1");
  EXPECT_EQ(ErrorOf({"--baud", "56000"}), "bad value for --baud: 56000");
  EXPECT_EQ(ErrorOf({"--baud", "1234"}), "bad value for --baud: 1234");
  EXPECT_EQ(ErrorOf({"--ci-port", "65536"}), "bad value for --ci-port: 65536");
  EXPECT_EQ(ErrorOf({"--drop-rate", "1.5"}), "bad value for --drop-rate: 1.5");
  EXPECT_EQ(ErrorOf({"--drop-rate", "x"}), "bad value for --drop-rate: x");
  EXPECT_EQ(ErrorOf({"--slave", "100:1:1"}), "bad value for --slave: 100:1:1");
  EXPECT_EQ(ErrorOf({"--slave", "1:17:1"}), "bad value for --slave: 1:17:1");
  EXPECT_EQ(ErrorOf({"--slave", "1:1"}), "bad value for --slave: 1:1");
  EXPECT_EQ(ErrorOf({"--password", "a,b"}), "bad value for --password: a,b");
  EXPECT_EQ(ErrorOf({"--programs", "65"}), "bad value for --programs: 65");
  EXPECT_EQ(ErrorOf({"--drop-cmd", ""}), "bad value for --drop-cmd: ");
  EXPECT_EQ(ErrorOf({"--project", "A,B"}), "bad value for --project: A,B");
  EXPECT_EQ(ErrorOf({"--platform", "VM\n"}), "bad value for --platform: VM\n");
  EXPECT_EQ(ErrorOf({"--run-file", std::string(100, 'R')}),
            "bad value for --run-file: " + std::string(100, 'R'));
}

}  // namespace
}  // namespace zel::kzcsim
