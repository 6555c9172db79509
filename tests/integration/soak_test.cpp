// The real client under a fast stream of frames over a real socket: one every 20 ms, then
// random bursts. Every frame must be dispatched, in order, and the client must keep running.
// QINTARA_SOAK_SECONDS sets the length (default 12 s; a minute or more for a full soak).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "process.h"
#include "support/frame_builder.h"

namespace itest {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

int SoakSeconds() {
  const char* s = std::getenv("QINTARA_SOAK_SECONDS");
  const int n = s != nullptr ? std::atoi(s) : 0;
  return n > 0 ? n : 12;
}

// The command numbers of the client's recv lines, in the order it dispatched them.
std::vector<std::string> Received(const std::string& log) {
  std::vector<std::string> out;
  std::istringstream in(ReadFile(log));
  for (std::string line; std::getline(in, line);) {
    const auto at = line.find(" recv: ");
    if (at != std::string::npos) out.push_back(line.substr(at + 7));
  }
  return out;
}

TEST(Soak, AFastStreamIsDispatchedInOrderAndTheClientKeepsRunning) {
  const std::string dir = MakeTempDir();
  const std::string log = dir + "/client.log";
  Listener server;
  ChildProcess client(
      QINTARA_BINARY,
      {"alice$key123$127.0.0.1$" + std::to_string(server.Port()) + "$一号桌$0$$0$$$0$$$1$0$"},
      {{"QT_QPA_PLATFORM", "offscreen"},
       {"QINTARA_RUNTIME_DIR", dir + "/run"},
       {"QINTARA_LOG", log},
       {"QINTARA_UNATTENDED", "1"}});
  ASSERT_TRUE(server.Accept(10s));
  ASSERT_TRUE(server.ReadFrame(5s));
  server.Send(qtest::FrameBuilder(18).v(3, 1).v(1, 8));
  ASSERT_TRUE(WaitForText(log, "recv: 18", 5s)) << ReadFile(log);

  std::vector<std::string> sent{"18"};
  int next = 0;
  const auto frame = [&] {
    const int cmd = 30 + next % 10;  // commands the client passes on without a handler
    ++next;
    sent.push_back(std::to_string(cmd));
    return qtest::FrameBuilder(cmd).key(next >> 8 & 0xFF, next & 0xFF).frame();
  };
  const auto half = std::chrono::seconds(SoakSeconds()) / 2;
  const auto start = Clock::now();
  // Steady: one frame every 20 ms.
  for (auto due = start; Clock::now() - start < half; due += 20ms) {
    server.Send(frame());
    std::this_thread::sleep_until(due + 20ms);
  }
  const std::size_t steady = sent.size() - 1;
  // Bursts of 1..12 frames, 20 ms a frame on average.
  std::mt19937 rng(11);
  while (Clock::now() - start < 2 * half) {
    const int n = std::uniform_int_distribution<int>(1, 12)(rng);
    for (int i = 0; i < n; ++i) server.Send(frame());
    std::this_thread::sleep_for(
        std::chrono::milliseconds(std::uniform_int_distribution<int>(1, 40 * n)(rng)));
  }
  const auto streamed = Clock::now() - start;

  const auto deadline = Clock::now() + 10s;
  while (Received(log).size() < sent.size() && Clock::now() < deadline) {
    std::this_thread::sleep_for(100ms);
  }
  const auto received = Received(log);
  EXPECT_EQ(received, sent) << "every frame, in the order it was sent";
  EXPECT_FALSE(client.WaitExit(100ms)) << ReadFile(log);
  EXPECT_EQ(ReadFile(log).find(" end: "), std::string::npos);
  std::cout << "soak: " << sent.size() - 1 << " frames in "
            << std::chrono::duration_cast<std::chrono::milliseconds>(streamed).count() << " ms ("
            << steady << " steady at 20 ms, " << sent.size() - 1 - steady << " in bursts), "
            << received.size() - 1 << " dispatched in order\n";
}

}  // namespace
}  // namespace itest
