// zelc prints the message window's text as workers post it.

#include "tools/zelc/message_printer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <thread>

#include "platform/atoms.h"

namespace zel::zelc {
namespace {

TEST(MessagePrinter, PrintsPostedAndPrintedTextsInOrderWithLfLineEnds) {
  const auto atomsBefore = platform::AtomCount(platform::AtomTable::Global);
  std::ostringstream out;
  {
    MessagePrinter printer(out);
    app::PrintMessage("INFO: %s\r\n", "Compiling...");
    std::atomic<bool> finished{false};
    std::thread worker([&] {
      EXPECT_NE(app::PostMessageText("ERROR: %s(%d)\r\n", "CZ0P01V1.AWL", 12), 0);
      EXPECT_NE(app::PostMessageText("%s", std::string(300, 'x').c_str()), 0);
      finished = true;
    });
    ASSERT_TRUE(printer.pumpUntil([&] { return finished.load(); }, 5000));
    worker.join();
  }
  EXPECT_EQ(out.str(), "INFO: Compiling...\nERROR: CZ0P01V1.AWL(12)\n" + std::string(254, 'x'));
  EXPECT_EQ(platform::AtomCount(platform::AtomTable::Global), atomsBefore);
}

TEST(MessagePrinter, PumpGivesUpAtItsDeadline) {
  std::ostringstream out;
  MessagePrinter printer(out);
  EXPECT_FALSE(printer.pumpUntil([] { return false; }, 60));
}

TEST(MessagePrinter, NothingIsPostedOnceTheWindowIsClosed) {
  std::ostringstream out;
  { MessagePrinter printer(out); }
  int posted = -1;
  std::thread([&] { posted = app::PostMessageText("late"); }).join();
  EXPECT_EQ(posted, 0);
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace zel::zelc
