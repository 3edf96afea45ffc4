// The job model: what a job's owner hears, when, and what it can rely on at the end.

#include "app/jobs/job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/step_gate.h"

namespace zel::app {
namespace {

// A target on the test's thread that records the job messages it receives, with what the
// job says at that moment.
struct Recorder {
  struct Heard {
    bool done;
    JobId id;
    platform::LParam value;
    std::string text;
    bool outcomeReady;
  };
  const Job* job = nullptr;
  std::vector<Heard> heard;
  platform::MessageTarget target{[this](const platform::Message& m) {
    const bool done = m.id == JobDoneMessage();
    if (done || m.id == JobProgressMessage()) {
      heard.push_back({done, static_cast<JobId>(m.wParam), m.lParam,
                       job ? job->progress().text : "", job && job->outcome().has_value()});
    }
    return platform::LParam{0};
  }};
};

TEST(Job, OwnerHearsEachStepThenTheEndWithTheOutcomeAlreadyReadable) {
  Recorder recorder;
  Job job(recorder.target.id());
  recorder.job = &job;
  test::StepGate gate(2);  // one step at a time, so each message finds its own text
  job.setStepHook([&](const JobProgress& p) { gate.atStep(p.step); });
  ASSERT_TRUE(job.start([](JobControl& control) {
    control.progress("Checking", 1, 3);
    control.progress("Generating", 2, 3);
    return JobOutcome{JobResult::Failed, 2, 1};
  }));
  ASSERT_TRUE(gate.waitUntilReached());
  EXPECT_TRUE(job.running());
  platform::PumpMessages();
  gate.release();
  ASSERT_TRUE(PumpUntilDone(job, 10000));
  EXPECT_FALSE(job.running());

  ASSERT_EQ(recorder.heard.size(), 3u);
  const JobId id = job.id();
  EXPECT_FALSE(recorder.heard[0].done);
  EXPECT_EQ(recorder.heard[0].id, id);
  EXPECT_EQ(recorder.heard[0].value, (1 << 16) | 3);
  EXPECT_EQ(recorder.heard[0].text, "Checking");
  EXPECT_EQ(recorder.heard[1].value, (2 << 16) | 3);
  EXPECT_TRUE(recorder.heard[2].done);
  EXPECT_EQ(recorder.heard[2].id, id);
  EXPECT_EQ(recorder.heard[2].value, static_cast<platform::LParam>(JobResult::Failed));
  EXPECT_TRUE(recorder.heard[2].outcomeReady);
  const auto outcome = job.outcome();
  ASSERT_TRUE(outcome.has_value());
  EXPECT_EQ(outcome->errors, 2);
  EXPECT_EQ(outcome->warnings, 1);
}

TEST(Job, CancelStopsTheWorkAtItsNextStep) {
  Recorder recorder;
  Job job(recorder.target.id());
  test::StepGate gate(1);
  job.setStepHook([&](const JobProgress& p) { gate.atStep(p.step); });
  std::atomic<int> stepsDone{0};
  ASSERT_TRUE(job.start([&](JobControl& control) {
    for (int step = 1; step <= 5; ++step) {
      if (control.cancelRequested()) return JobOutcome{JobResult::Cancelled, 0, 0};
      control.progress("Step", step, 5);
      ++stepsDone;
    }
    return JobOutcome{JobResult::Succeeded, 0, 0};
  }));
  ASSERT_TRUE(gate.waitUntilReached());
  job.cancel();
  gate.release();
  ASSERT_TRUE(PumpUntilDone(job, 10000));
  EXPECT_EQ(stepsDone.load(), 1);
  EXPECT_EQ(job.outcome()->result, JobResult::Cancelled);
  ASSERT_FALSE(recorder.heard.empty());
  EXPECT_EQ(recorder.heard.back().value, static_cast<platform::LParam>(JobResult::Cancelled));

  // A cancel belongs to one run: the next one runs to its end.
  job.setStepHook({});
  ASSERT_TRUE(job.start([](JobControl& control) {
    return JobOutcome{control.cancelRequested() ? JobResult::Cancelled : JobResult::Succeeded, 0,
                      0};
  }));
  ASSERT_TRUE(PumpUntilDone(job, 10000));
  EXPECT_EQ(job.outcome()->result, JobResult::Succeeded);
}

TEST(Job, ASecondStartWhileRunningIsRefusedAndEachRunHasItsOwnId) {
  Job job;
  test::StepGate gate(1);
  job.setStepHook([&](const JobProgress& p) { gate.atStep(p.step); });
  const auto work = [](JobControl& control) {
    control.progress("Only", 1, 1);
    return JobOutcome{JobResult::Succeeded, 0, 0};
  };
  ASSERT_TRUE(job.start(work));
  const JobId first = job.id();
  ASSERT_TRUE(gate.waitUntilReached());
  EXPECT_FALSE(job.start(work));
  EXPECT_EQ(job.id(), first);
  gate.release();
  job.wait();
  job.setStepHook({});
  ASSERT_TRUE(job.start(work));
  EXPECT_NE(job.id(), first);
  EXPECT_NE(job.id(), 0u);
}

TEST(Job, DestroyingTheOwnerWaitsForTheWorker) {
  std::atomic<bool> finished{false};
  test::StepGate gate(1);
  {
    Job job;
    job.setStepHook([&](const JobProgress& p) { gate.atStep(p.step); });
    ASSERT_TRUE(job.start([&](JobControl& control) {
      control.progress("Held", 1, 1);
      finished = true;
      return JobOutcome{JobResult::Succeeded, 0, 0};
    }));
    ASSERT_TRUE(gate.waitUntilReached());
    gate.release();
  }
  EXPECT_TRUE(finished.load());
}

// Work that throws ends as a failed job with one error; the program goes on.
TEST(Job, AnEscapingExceptionIsAFailedJob) {
  Recorder recorder;
  Job job(recorder.target.id());
  ASSERT_TRUE(job.start([](JobControl&) -> JobOutcome { throw std::runtime_error("broken"); }));
  ASSERT_TRUE(PumpUntilDone(job, 10000));
  EXPECT_EQ(job.outcome()->result, JobResult::Failed);
  EXPECT_EQ(job.outcome()->errors, 1);
  ASSERT_EQ(recorder.heard.size(), 1u);
  EXPECT_TRUE(recorder.heard[0].done);
}

TEST(Job, PumpUntilDoneGivesUpAtItsDeadline) {
  Recorder recorder;
  Job job(recorder.target.id());
  test::StepGate gate(1);
  job.setStepHook([&](const JobProgress& p) { gate.atStep(p.step); });
  ASSERT_TRUE(job.start([](JobControl& control) {
    control.progress("Held", 1, 1);
    return JobOutcome{JobResult::Succeeded, 0, 0};
  }));
  ASSERT_TRUE(gate.waitUntilReached());
  EXPECT_FALSE(PumpUntilDone(job, 50));
  gate.release();
  EXPECT_TRUE(PumpUntilDone(job, 10000));
}

}  // namespace
}  // namespace zel::app
