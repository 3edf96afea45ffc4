#include "access/telvane/reply_completion.h"

#include <gtest/gtest.h>

#include <string>

namespace zel::telvane {
namespace {

using namespace std::string_literals;

// Feeds the serial stream in chunks of `chunk` bytes and returns the first outcome that is
// not Waiting, with the number of bytes it took.
struct Fed {
  Outcome outcome;
  std::size_t used = 0;
};

Fed FeedSerial(Exchange& exchange, std::string_view stream, std::size_t chunk) {
  Fed fed;
  while (fed.used < stream.size()) {
    const std::string_view part = stream.substr(fed.used, chunk);
    fed.used += part.size();
    exchange.append(part);
    fed.outcome = exchange.complete();
    if (fed.outcome.kind != Outcome::Kind::Waiting) return fed;
  }
  return fed;
}

struct SerialCase {
  const char* name;
  std::string echo;
  std::string stream;
  Outcome::Kind kind;
  int status;
  std::string text;
};

const SerialCase kSerialCases[] = {
    {"value", "DEW0-", "DEW0-=1=2=3\r\n>\x11", Outcome::Kind::Reply, 0, "=1=2=3"},
    {"input prompt", "FO A:\\X", "FO A:\\XName:\x11", Outcome::Kind::Reply, 0, "Name:"},
    {"bel error", "MF=0", "MF=0\x07\x07\r\n>\x11", Outcome::Kind::Reply, 1, ""},
    {"bel with text", "XX",
     "XX\x07"
     "Unknown command\r\n>\x11",
     Outcome::Kind::Reply, 1, ""},
    {"no prompt", "DF", "DF=0,1,2,\r\n>", Outcome::Kind::Waiting, 0, ""},
    {"echo differs", "DF", "DX=0\r\n>\x11", Outcome::Kind::Waiting, 0, ""},
    // What is left of a reply to a command that timed out is dropped through its prompt.
    {"stale reply first", "DF",
     "=7\r\n>\x11"
     "DF=0,0,0,\r\n>\x11",
     Outcome::Kind::Reply, 0, "=0,0,0,"},
    {"empty reply", "R", "R\r\n>\x11", Outcome::Kind::Reply, 0, ""},
};

TEST(SerialCompletion, EveryReplyReadsTheSameInAnyChunking) {
  for (const SerialCase& c : kSerialCases) {
    for (std::size_t chunk : {1u, 2u, 3u, 7u, 80u}) {
      SCOPED_TRACE(std::string(c.name) + " chunk " + std::to_string(chunk));
      Exchange exchange(Framing::Serial);
      exchange.setPhase(1);
      exchange.begin(c.echo, 0, false);
      const Fed fed = FeedSerial(exchange, c.stream, chunk);
      EXPECT_EQ(fed.outcome.kind, c.kind);
      if (c.kind == Outcome::Kind::Waiting) continue;
      EXPECT_EQ(fed.outcome.status, c.status);
      EXPECT_EQ(fed.outcome.text, c.text);
      EXPECT_EQ(fed.used, c.stream.size()) << "completed before the prompt";
      EXPECT_EQ(exchange.phase(), 1);
    }
  }
}

TEST(SerialCompletion, AnOverlongReplyIsCutButItsPromptStillEndsIt) {
  Exchange exchange(Framing::Serial);
  exchange.begin("FXR", 0, false);
  const std::string body(600, 'A');
  const Fed fed = FeedSerial(exchange, "FXR" + body + "\r\n>\x11", 80);
  ASSERT_EQ(fed.outcome.kind, Outcome::Kind::Reply);
  EXPECT_EQ(fed.outcome.status, 0);
  // The echo leaves the buffer as it is matched, so the reply itself gets the whole buffer.
  EXPECT_EQ(fed.outcome.text, std::string(kReceiveBufferSize, 'A'));
}

TEST(SerialCompletion, BannerNeedsItsPromptAndIsCutAfterTwoDigits) {
  Exchange exchange(Framing::Serial);
  exchange.begin("", 0, true);
  EXPECT_EQ(exchange.phase(), 0);
  Fed fed = FeedSerial(exchange, "\r\nnoise KZC V2.251 build 7", 1);
  EXPECT_EQ(fed.outcome.kind, Outcome::Kind::Waiting);
  fed = FeedSerial(exchange, "\r\n>\x11", 1);
  ASSERT_EQ(fed.outcome.kind, Outcome::Kind::Reply);
  EXPECT_EQ(fed.outcome.text, "KZC V2.25");
  EXPECT_EQ(exchange.phase(), 1);
}

TEST(SerialCompletion, BinaryBlocksAndShortBinaryReplies) {
  Exchange exchange(Framing::Serial);
  // "%L", 3 bytes, block 2, data, sum of all before.
  std::string block =
      "%L\x03\x02\x00"
      "abc"s;
  unsigned sum = 0;
  for (char c : block) sum += static_cast<unsigned char>(c);
  block += static_cast<char>(sum & 0xFF);
  exchange.begin("", 'R', false);
  Fed fed = FeedSerial(exchange, block, 1);
  ASSERT_EQ(fed.outcome.kind, Outcome::Kind::BinaryRead);
  EXPECT_EQ(fed.outcome.block.count, 3u);
  EXPECT_EQ(fed.outcome.block.word, 2);
  EXPECT_EQ(std::string(fed.outcome.block.data.begin(), fed.outcome.block.data.begin() + 3), "abc");

  block.back() = static_cast<char>(block.back() + 1);
  exchange.begin("", 'R', false);
  fed = FeedSerial(exchange, block, 4);
  ASSERT_EQ(fed.outcome.kind, Outcome::Kind::Reply);
  EXPECT_EQ(fed.outcome.status, 1);

  exchange.begin("", 'W', false);
  fed = FeedSerial(exchange, "!x", 1);
  ASSERT_EQ(fed.outcome.kind, Outcome::Kind::Reply);
  EXPECT_EQ(fed.outcome.text, "!");
}

std::string Datagram(std::string_view echo, std::string_view reply) {
  std::string d(echo);
  d += '\0';
  d += reply;
  d += '\0';
  return d;
}

TEST(DatagramCompletion, EchoMustMatchTheCommandInFlight) {
  Exchange exchange(Framing::Datagram);
  exchange.begin("DEW0-", 0, false);
  // A late answer to another command, then one to a shorter command of the same start.
  exchange.setDatagram(*SplitDatagram(Datagram("DF", "=0,0,0,")));
  EXPECT_EQ(exchange.complete().kind, Outcome::Kind::Waiting);
  exchange.setDatagram(*SplitDatagram(Datagram("DEW0", "=5")));
  EXPECT_EQ(exchange.complete().kind, Outcome::Kind::Waiting);
  exchange.setDatagram(*SplitDatagram(Datagram("DEW0-", "=1=2")));
  const Outcome outcome = exchange.complete();
  ASSERT_EQ(outcome.kind, Outcome::Kind::Reply);
  EXPECT_EQ(outcome.text, "=1=2");
}

TEST(DatagramCompletion, ExecutingWaitsForTheReturnCode) {
  Exchange exchange(Framing::Datagram);
  const std::string command = "LEA:\\CHKFFS.EXE /q /f";
  exchange.begin(command, 0, false);
  exchange.setDatagram(*SplitDatagram(Datagram(command, "Executing")));
  EXPECT_EQ(exchange.complete().kind, Outcome::Kind::Waiting);
  EXPECT_EQ(exchange.phase(), 3);
  exchange.setDatagram(*SplitDatagram(Datagram(command, "ReturnCode: 0")));
  const Outcome outcome = exchange.complete();
  ASSERT_EQ(outcome.kind, Outcome::Kind::Reply);
  EXPECT_EQ(outcome.text, "=0");
  EXPECT_EQ(exchange.phase(), 3);  // after 4, the dialogue stays in the announced phases
}

TEST(DatagramCompletion, BelMakesAnErrorReply) {
  Exchange exchange(Framing::Datagram);
  exchange.begin("XX", 0, false);
  exchange.setDatagram(*SplitDatagram(Datagram("XX",
                                               "\x07"
                                               "Bad command")));
  const Outcome outcome = exchange.complete();
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.text, "");
}

TEST(DatagramCompletion, SplitNeedsTwoTerminatedStrings) {
  EXPECT_FALSE(SplitDatagram(""));
  EXPECT_FALSE(SplitDatagram("DF=0"));
  EXPECT_FALSE(SplitDatagram("DF\0=0"s));
  const auto parts = SplitDatagram("DF\0=0\0trailing"s);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->echo, "DF");
  EXPECT_EQ(parts->reply, "=0");
}

}  // namespace
}  // namespace zel::telvane
