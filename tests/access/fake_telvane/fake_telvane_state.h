#pragma once
// What the stand-in access library records and how a test steers it. The test reaches the
// library's one instance through the extra export FakeTelvaneState.

#include <cstdint>

struct FakeTelvaneState {
  std::int32_t connectResult = 0;  // what the next Connect returns
  int connectCalls = 0;
  int disconnectCalls = 0;
  int logoutCalls = 0;
  int cancelCalls = 0;
  std::uint32_t lastOwner = 0;
  char lastConnection[256] = {};
  std::int32_t lastTag = 0;
  std::int32_t lastTimeout = 0;
  std::uint32_t lastTarget = 0;
  std::uint32_t lastThread = 0;
  char lastCommand[400] = {};
  char lastEcho[400] = {};
  int commandCalls = 0;
  std::int32_t binaryCount = 0;  // what GetBinaryReceiveBuffer reports (writes at most 4)
};

using FakeTelvaneStateFn = FakeTelvaneState* (*)();
