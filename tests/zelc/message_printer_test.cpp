// zelc prints the message window's text as workers post it.

#include "tools/zelc/message_printer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <thread>

#include "platform/atoms.h"
#include "tools/zelc/job_watcher.h"

namespace zel::zelc {
namespace {

TEST(MessagePrinter, PrintsPostedAndPrintedTextsInOrderWithLfLineEnds) {
  const auto atomsBefore = platform::AtomCount(platform::AtomTable::Global);
  std::ostringstream out;
  {
    MessagePrinter printer(out);
    app::PrintMessage("INFO: %s\r\n", "Compiling...");
    JobWatcher watcher(nullptr);
    app::Job job(watcher.target());
    ASSERT_TRUE(job.start([](app::JobControl&) {
      EXPECT_NE(app::PostMessageText("ERROR: %s(%d)\r\n", "CZ0P01V1.AWL", 12), 0);
      EXPECT_NE(app::PostMessageText("%s", std::string(300, 'x').c_str()), 0);
      return app::JobOutcome{app::JobResult::Failed, 1, 0};
    }));
    watcher.wait(job);
  }
  EXPECT_EQ(out.str(), "INFO: Compiling...\nERROR: CZ0P01V1.AWL(12)\n" + std::string(254, 'x'));
  EXPECT_EQ(platform::AtomCount(platform::AtomTable::Global), atomsBefore);
}

// A terminal sees the current step on one line, wiped at the end; a step of a job whose
// number of steps is not known shows without a count.
TEST(JobWatcher, ShowsTheStepOnOneLineAndLeavesItBlank) {
  const struct {
    int step, steps;
    const char* shown;
  } cases[] = {{1, 3, "Checking CZ0P01V1 (1/3)\r                       \r"},
               {4, 0, "Checking CZ0P01V1\r                 \r"}};
  for (const auto& c : cases) {
    std::ostringstream progress;
    JobWatcher watcher(&progress);
    app::Job job(watcher.target());
    ASSERT_TRUE(job.start([&c](app::JobControl& control) {
      control.progress("Checking CZ0P01V1", c.step, c.steps);
      return app::JobOutcome{app::JobResult::Succeeded, 0, 0};
    }));
    watcher.wait(job);
    EXPECT_EQ(progress.str(), c.shown);
  }
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
