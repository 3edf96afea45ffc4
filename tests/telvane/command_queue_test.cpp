#include "access/telvane/command_queue.h"

#include <gtest/gtest.h>

namespace zel::telvane {
namespace {

Command Numbered(int n) {
  Command command;
  command.tag = n;
  command.bytes = "DEW" + std::to_string(n) + "-";
  return command;
}

TEST(CommandQueue, KeepsFiftyInOrderAndRefusesTheFiftyFirst) {
  CommandQueue queue;
  for (int round = 0; round < 3; ++round) {  // rounds move the ring's start
    for (int i = 0; i < static_cast<int>(kQueueCapacity); ++i) ASSERT_TRUE(queue.push(Numbered(i)));
    EXPECT_TRUE(queue.full());
    EXPECT_FALSE(queue.push(Numbered(99)));
    for (int i = 0; i < 7 + round; ++i) EXPECT_EQ(queue.pop()->tag, i);
    for (int i = 0; i < 7 + round; ++i) ASSERT_TRUE(queue.push(Numbered(100 + i)));
    int expected = 7 + round;
    while (auto command = queue.pop()) {
      const int want = expected < static_cast<int>(kQueueCapacity) ? expected : 100 + expected - 50;
      EXPECT_EQ(command->tag, want);
      EXPECT_EQ(command->bytes, "DEW" + std::to_string(want) + "-");
      ++expected;
    }
    EXPECT_EQ(expected, 57 + round);
    EXPECT_EQ(queue.size(), 0u);
  }
}

TEST(CommandQueue, ClearEmptiesAndAcceptsAFullRingAgain) {
  CommandQueue queue;
  for (int i = 0; i < 30; ++i) queue.push(Numbered(i));
  queue.clear();
  EXPECT_FALSE(queue.pop());
  for (int i = 0; i < static_cast<int>(kQueueCapacity); ++i) ASSERT_TRUE(queue.push(Numbered(i)));
  EXPECT_EQ(queue.pop()->tag, 0);
}

}  // namespace
}  // namespace zel::telvane
