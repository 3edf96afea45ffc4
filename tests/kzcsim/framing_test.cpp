#include <gtest/gtest.h>

#include "tools/kzcsim/line_framing.h"

namespace zel::kzcsim {
namespace {

using namespace std::string_literals;

TEST(KzcsimFraming, SerialEchoReplyAndPrompt) {
  struct Case {
    std::string echo;
    Reply reply;
    bool probe;
    std::string bytes;
  };
  const Case cases[] = {
      {"L?", Reply::Ok("VM2X,$0112,P,P.RUN,"), false, "L?VM2X,$0112,P,P.RUN,\r\n>\x11"},
      {"MEW1=2", Reply::Ok(), false, "MEW1=2\r\n>\x11"},
      {"QQ", Reply::Fail("Unknown command"), false, "QQ\aUnknown command\r\n>\x11"},
      {"LC", Reply::More("Old password"), false, "LCOld password:\x11"},
      {"L_BOOT", Reply::None(), false, ""},
      {"", Reply::Ok("KZC V2.25"), true, "\r\nKZC V2.25\r\n>\x11"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FrameSerial(c.echo, c.reply, c.probe), c.bytes) << c.echo;
  }
}

TEST(KzcsimFraming, UdpDatagramIsEchoAndReplyEachZeroTerminated) {
  EXPECT_EQ(FrameUdp("DF", Reply::Ok("=0,0,0,")), std::vector{"DF\0=0,0,0,\0"s});
  EXPECT_EQ(FrameUdp("QQ", Reply::Fail("Unknown command")),
            std::vector{"QQ\0\aUnknown command\0"s});
  EXPECT_EQ(FrameUdp("MEW1=2", Reply::Ok()), std::vector{"MEW1=2\0\0"s});
  EXPECT_EQ(FrameUdp("", Reply::Ok("KZC V2.25")), std::vector{"\0KZC V2.25\0"s});
  EXPECT_EQ(FrameUdp("LC", Reply::More("Old password")), std::vector{"LC\0Old password:\0"s});
  EXPECT_TRUE(FrameUdp("L_BOOT", Reply::None()).empty());
  Reply executing = Reply::Ok("=0");
  executing.executing = true;
  EXPECT_EQ(FrameUdp("LEA:\\CHKFFS.EXE /q /f", executing),
            (std::vector{"LEA:\\CHKFFS.EXE /q /f\0Executing\0"s,
                         "LEA:\\CHKFFS.EXE /q /f\0ReturnCode: 0\0"s}));
}

TEST(KzcsimFraming, DatagramsBecomeCommands) {
  struct Case {
    std::string datagram;
    bool probe;
    std::string text;
  };
  const Case cases[] = {
      {"\x14", true, ""},         {"\x14\x14", false, "\x14\x14"}, {"L?", false, "L?"},
      {"L?\0junk"s, false, "L?"}, {"DF\r\n", false, "DF"},         {"", false, ""},
      {"\0"s, false, ""},
  };
  for (const Case& c : cases) {
    const UdpCommand command = ReadDatagram(c.datagram);
    EXPECT_EQ(command.probe, c.probe);
    EXPECT_EQ(command.text, c.text);
  }
}

TEST(KzcsimFraming, SerialLineCollectsLinesAcrossReads) {
  SerialLine line;
  EXPECT_TRUE(line.Receive("L").empty());
  auto inputs = line.Receive("?\rDE");
  ASSERT_EQ(inputs.size(), 1u);
  EXPECT_EQ(inputs[0].text, "L?");
  inputs = line.Receive(
      "W\b\bF\r\n\x14"
      "FS\rx\r");
  ASSERT_EQ(inputs.size(), 4u);
  EXPECT_EQ(inputs[0].text, "DF");
  EXPECT_TRUE(inputs[1].probe);
  EXPECT_EQ(inputs[2].text, "FS");
  EXPECT_EQ(inputs[3].text, "x");
  // The probe byte inside a line is part of it, not a probe.
  inputs = line.Receive("A\x14\r");
  ASSERT_EQ(inputs.size(), 1u);
  EXPECT_FALSE(inputs[0].probe);
  EXPECT_EQ(inputs[0].text, "A\x14");
}

TEST(KzcsimFraming, OverlongSerialLineStaysOneByteTooLong) {
  SerialLine line;
  const auto inputs = line.Receive(std::string(1000, 'D') + "\r");
  ASSERT_EQ(inputs.size(), 1u);
  EXPECT_EQ(inputs[0].text.size(), 353u);
  line.Receive("DE");
  line.Reset();
  const auto after = line.Receive("DF\r");
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after[0].text, "DF");
}

}  // namespace
}  // namespace zel::kzcsim
