// Frame codec and scheduler costs on the virtual host.
#include <benchmark/benchmark.h>

#include <array>
#include <cstring>

#include "net/net.h"
#include "platform/virtual/virtual_host.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/program.h"
#include "support/frame_builder.h"

namespace {

void BM_EncodeHeader(benchmark::State& state) {
  wire::NetMsg m{.Cmd = 7, .Seat = 4, .Value = {8, 0x2043, 0x2043, 0}};
  for (auto _ : state) benchmark::DoNotOptimize(wire::EncodeHeader(m));
}
BENCHMARK(BM_EncodeHeader);

void BM_DecodeHeader(benchmark::State& state) {
  const wire::Frame f = qtest::FrameBuilder(5).seat(4).v(3, 0x43);
  for (auto _ : state) benchmark::DoNotOptimize(wire::DecodeHeader(f));
}
BENCHMARK(BM_DecodeHeader);

// The floor beside the decode: copying one frame's 272 bytes out of a ring.
void BM_CopyFrameFloor(benchmark::State& state) {
  std::array<std::uint8_t, 4 * wire::kFrameSize> ring{};
  wire::Frame out{};
  std::size_t at = 0;
  for (auto _ : state) {
    std::memcpy(out.data(), ring.data() + at, wire::kFrameSize);
    at = (at + wire::kFrameSize) % ring.size();
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_CopyFrameFloor);

struct Table {
  vhost::VirtualHost host;
  Client c{host};
  Table() {
    host.lobby.windows.insert("VorelLodge");
    host.Run([&] { session::Form_Load(c, "alice$k$127.0.0.1$7000$t$0$$0$$$0$$$1$0$"); });
    host.Advance(300);
    host.socket.Deliver(qtest::FrameBuilder(18).v(3, 1).frame());
    host.Advance(200);
  }
};

// SendFrame into the ring and out through the send task.
void BM_SendFrameThroughRing(benchmark::State& state) {
  Table t;
  const wire::NetMsg m{.Cmd = 2, .Seat = 1, .Value = {0, 0, 0, 0x4043}};
  for (auto _ : state) {
    net::SendFrame(t.c.netCtx, m);
    session::TimerBong_Timer(t.c);
    if (t.host.socket.sent.size() > (1 << 20)) t.host.socket.sent.clear();
  }
}
BENCHMARK(BM_SendFrameThroughRing);

// A received frame through the ring, the decoder and the dispatcher.
void BM_ReceiveAndDispatch(benchmark::State& state) {
  Table t;
  const wire::Frame f = qtest::FrameBuilder(30).key(1, 2);
  for (auto _ : state) {
    t.host.socket.Deliver(f);
    session::TimerBong_Timer(t.c);
    session::TimerBong_Timer(t.c);
  }
}
BENCHMARK(BM_ReceiveAndDispatch);

// One tick of a logged-in table with nothing to do.
void BM_IdleTick(benchmark::State& state) {
  Table t;
  for (auto _ : state) session::TimerBong_Timer(t.c);
}
BENCHMARK(BM_IdleTick);

}  // namespace

BENCHMARK_MAIN();
