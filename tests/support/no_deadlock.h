#pragma once
// For cases whose failure is a deadlock: the scenario runs in a child process that an
// alarm ends, so the case fails instead of hanging the suite.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

namespace zel::test {

inline void ExpectFinishesWithoutDeadlock(void (*scenario)()) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        alarm(10);
        scenario();
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace zel::test
