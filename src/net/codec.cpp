#include "net/context.h"
#include "net/frame_log.h"
#include "net/net.h"
#include "net/net_state.h"
#include "platform/host.h"
#include "text/gbk.h"

namespace net {

namespace {

void AppendToSendRing(Ctx& c, const wire::Frame& frame) {
  Ring& ring = c.net.SendRing;
  // A full ring would look empty and overwrite frames still waiting: refuse the newcomer.
  if (ring.Waiting() + wire::kFrameSize >= kRingSize) {
    c.host.Log("error",
               "send ring full: command " + std::to_string(frame[wire::kOffCmd]) + " dropped");
    c.net.TaskOn[kTaskSend] = true;  // whatever waits still goes out once connected
    return;
  }
  for (std::uint8_t b : frame) {
    ring.Bytes[static_cast<std::size_t>(ring.WritePos)] = b;
    ring.WritePos = (ring.WritePos + 1) % kRingSize;
  }
  c.net.TaskOn[kTaskSend] = true;
  c.net.TaskTick[kTaskSend] = 0;
  ++c.net.RingQueued;
  if (c.host.LogVerbose()) net::LogFrame(c.host, "queue", frame);
}

constexpr std::size_t kChatChars = 100;
constexpr std::size_t kChatBytes = 200;

}  // namespace

void SendFrame(Ctx& c, const wire::NetMsg& msg, std::uint8_t ting) {
  wire::Frame f = wire::EncodeHeader(msg);
  const int cmd = f[wire::kOffCmd];
  if (cmd == wire::Num(wire::Cmd::Chat)) {
    if (c.net.ChatOut.empty()) return;
    text::Bytes bytes = text::EncodeDoubleByte(text::FirstChars(c.net.ChatOut, kChatChars));
    // A hundred GBK characters fill the text area exactly; nothing may run into the length.
    if (bytes.size() > kChatBytes) bytes.resize(kChatBytes);
    std::copy(bytes.begin(), bytes.end(), f.begin() + wire::kOffPayload);
    c.net.ChatOut.clear();
  }
  if (cmd == wire::Num(wire::Cmd::Discard) || cmd == wire::Num(wire::Cmd::ClaimResult)) {
    f[wire::kOffPayload] = ting;
  }
  f[wire::kOffKey] = c.net.SessionKey[0];
  f[wire::kOffKey + 1] = c.net.SessionKey[1];
  AppendToSendRing(c, f);
}

void QueueRawFrame(Ctx& c, wire::Frame& frame) {
  frame[wire::kOffKey] = c.net.SessionKey[0];
  frame[wire::kOffKey + 1] = c.net.SessionKey[1];
  AppendToSendRing(c, frame);
}

void ResetRings(NetState& n) {
  n.SendRing.WritePos = n.SendRing.ReadPos = 0;
  n.RecvRing.WritePos = n.RecvRing.ReadPos = 0;
  n.HeldHead = n.HeldCount = 0;
}

void DecodeFrame(Ctx& c) {
  Ring& ring = c.net.RecvRing;
  // Read positions only ever move by whole frames, so a frame never wraps.
  auto at = ring.Bytes.begin() + ring.ReadPos;
  std::copy(at, at + wire::kFrameSize, c.net.RecvFrame.begin());
  ring.ReadPos = (ring.ReadPos + wire::kFrameSize) % kRingSize;
  DecodeRecvFrame(c, true);
}

void DecodeRecvFrame(Ctx& c, bool log) {
  c.net.LastMsg = wire::DecodeHeader(c.net.RecvFrame);
  if (log) net::LogFrame(c.host, "recv", c.net.RecvFrame);
}

}  // namespace net
