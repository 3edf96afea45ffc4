// The kzcsim program itself, over loopback UDP and its pseudo-terminal.

#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "kzcsim/sim_clients.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

namespace zel::kzcsim::test {
namespace {

using namespace std::string_literals;
using ::zel::test::SimProcess;

bool WaitForText(const std::string& file, std::string_view text) {
  for (int i = 0; i < 500; ++i) {
    if (zel::test::ReadFile(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(KzcsimProgram, AnswersOverUdpAndEndsOnSigterm) {
  SimProcess sim(KZCSIM_BINARY, {"--ci-port", "0", "--tftp-port", "0", "--print-ports",
                                 "--password", "pw", "--version", "2.24"});
  ASSERT_TRUE(sim.started());
  const auto ports = sim.ReadPorts();
  ASSERT_TRUE(ports);
  UdpClient udp(ports->ci);
  EXPECT_EQ(udp.Exchange("\x14"), std::vector{"\0KZC V2.24\0"s});
  EXPECT_EQ(udp.Exchange("L?"), std::vector{"L?\0VM2X,$0006,DEMO,DEMO.RUN,\0"s});
  EXPECT_EQ(udp.Exchange("MEW0=1"), std::vector{"MEW0=1\0\aLocked\0"s});
  EXPECT_EQ(udp.Exchange("LXpw"), std::vector{"LXpw\0=1\0"s});
  EXPECT_EQ(udp.Exchange("MEW0=1"), std::vector{"MEW0=1\0\0"s});
  EXPECT_EQ(udp.Exchange("DEW0"), std::vector{"DEW0\0=1\0"s});
  EXPECT_EQ(udp.Exchange("LEA:\\CHKFFS.EXE /q /f"),
            (std::vector{"LEA:\\CHKFFS.EXE /q /f\0Executing\0"s,
                         "LEA:\\CHKFFS.EXE /q /f\0ReturnCode: 0\0"s}));
  // Garbage gets an error reply, never silence or a crash.
  EXPECT_EQ(udp.Exchange(std::string(3000, 'D')),
            std::vector{std::string(352, 'D') + "\0\aLine too long\0"s});
  EXPECT_EQ(udp.Exchange(""), std::vector{"\0\aUnknown command\0"s});
  EXPECT_EQ(udp.Exchange("\xff\xfe\x01"), std::vector{"\xff\xfe\x01\0\aUnknown command\0"s});
  EXPECT_EQ(udp.Exchange("DF"), std::vector{"DF\0=0,0,0,\0"s});

  UdpClient tftp(ports->tftp);
  const auto refused = tftp.Exchange("\0\1file.bin\0octet\0"s);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0].substr(0, 4), "\0\5\0\0"s);

  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(KzcsimProgram, PortsComeFromTheEnvironment) {
  SimProcess sim(KZCSIM_BINARY, {"--print-ports"}, {"ZEL_CI_PORT=0", "ZEL_TFTP_PORT=0"});
  const auto ports = sim.ReadPorts();
  ASSERT_TRUE(ports);
  EXPECT_NE(ports->ci, 0);
  UdpClient udp(ports->ci);
  EXPECT_EQ(udp.Exchange("LB"), std::vector{"LB\0=0\0"s});
  sim.Signal(SIGINT);
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(KzcsimProgram, ATakenFilePortLeavesTheCommandPortWorking) {
  SimProcess first(KZCSIM_BINARY, {"--ci-port", "0", "--tftp-port", "0", "--print-ports"});
  const auto taken = first.ReadPorts();
  ASSERT_TRUE(taken);
  SimProcess second(KZCSIM_BINARY, {"--ci-port", "0", "--tftp-port", std::to_string(taken->tftp),
                                    "--print-ports"});
  const auto ports = second.ReadPorts();
  ASSERT_TRUE(ports);
  EXPECT_EQ(ports->tftp, 0);
  UdpClient udp(ports->ci);
  EXPECT_EQ(udp.Exchange("LB"), std::vector{"LB\0=0\0"s});
  // The command port is not given up that way.
  SimProcess third(KZCSIM_BINARY, {"--ci-port", std::to_string(ports->ci), "--tftp-port", "0"});
  EXPECT_EQ(third.Wait(), 1);
}

TEST(KzcsimProgram, SerialLineEchoesAnswersAndKeepsToItsRate) {
  zel::test::TempDir dir;
  const std::string log = (dir / "exchanges.log").string();
  SimProcess sim(KZCSIM_BINARY, {"--serial", "--baud", "9600", "--version", "25", "--log", log});
  const auto path = sim.ReadLine();
  ASSERT_TRUE(path);
  {
    SerialClient line(*path, 9600);
    ASSERT_TRUE(line.isOpen());
    line.Write("\x14");
    EXPECT_EQ(line.ReadReply(), "\r\nKZC V2.25\r\n>\x11");
    // A command in pieces is one command.
    line.Write("D");
    line.Write("EW");
    line.Write("0-\r");
    EXPECT_EQ(line.ReadReply(), "DEW0-=0=0=0=0=0=0=0=0=0=0=0=0=0=0=0=0\r\n>\x11");
    line.Write("QQ\r");
    EXPECT_EQ(line.ReadReply(), "QQ\aUnknown command\r\n>\x11");
    line.Write("LC\r");
    EXPECT_EQ(line.ReadReply(), "LCOld password:\x11");
    line.Write("\r");
    EXPECT_EQ(line.ReadReply(), "New password:\x11");
    line.Write("secret\r");
    EXPECT_EQ(line.ReadReply(), "secret\r\n>\x11");
    line.Write("MV=56000\r");
    EXPECT_EQ(line.ReadReply(), "MV=56000\r\n>\x11");
    // Still at 9600 the PC is not understood.
    line.Write("L?\r");
    EXPECT_EQ(line.ReadReply(300), "");
    line.SetRate(57600);
    line.Write("L?\r");
    EXPECT_EQ(line.ReadReply(), "L?VM2X,$0116,DEMO,DEMO.RUN,\r\n>\x11");
    line.Write("x\r");
    EXPECT_EQ(line.ReadReply(300), "");
    line.SetRate(9600);
    line.Write("LB\r");
    EXPECT_EQ(line.ReadReply(), "LB=0\r\n>\x11");
    line.Write("MV=19200\r");
    EXPECT_EQ(line.ReadReply(), "MV=19200\r\n>\x11");
  }
  // The PC closed its end: the next one finds the controller at its power-on rate. The log
  // tells when the controller has seen the line close (a PC that opened it again at once
  // would find the line never closed).
  ASSERT_TRUE(WaitForText(log, "the PC closed the line"));
  SerialClient again(*path, 9600);
  ASSERT_TRUE(again.isOpen());
  again.Write("LB\r");
  EXPECT_EQ(again.ReadReply(), "LB=0\r\n>\x11");
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(KzcsimProgram, FaultOptionsShapeTheAnswers) {
  SimProcess sim(KZCSIM_BINARY, {"--ci-port", "0", "--tftp-port", "0", "--print-ports",
                                 "--stop-after", "3", "--drop-cmd", "L?", "--dup-cmd", "LB"});
  const auto ports = sim.ReadPorts();
  ASSERT_TRUE(ports);
  UdpClient udp(ports->ci);
  EXPECT_TRUE(udp.Exchange("L?").empty());
  EXPECT_EQ(udp.Exchange("LB"), (std::vector{"LB\0=0\0"s, "LB\0=0\0"s}));
  EXPECT_EQ(udp.Exchange("DF"), std::vector{"DF\0=0,0,0,\0"s});
  EXPECT_TRUE(udp.Exchange("DF").empty());
  sim.Signal(SIGTERM);
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(KzcsimProgram, EndsWithItsStandardInputWhenAsked) {
  SimProcess sim(KZCSIM_BINARY,
                 {"--ci-port", "0", "--tftp-port", "0", "--print-ports", "--watch-stdin"});
  ASSERT_TRUE(sim.ReadPorts());
  EXPECT_FALSE(sim.Wait(100));
  sim.CloseStdin();
  EXPECT_EQ(sim.Wait(), 0);
}

TEST(KzcsimProgram, RefusesABadCommandLine) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus"},
                                               {"--version", "3"},
                                               {"--ci-port"},
                                               {"--drop-rate", "2"},
                                               {"--slave", "0:1:1"},
                                               {"--baud", "56000"}}) {
    SimProcess sim(KZCSIM_BINARY, args);
    EXPECT_EQ(sim.Wait(), 2) << args[0];
  }
}

}  // namespace
}  // namespace zel::kzcsim::test
