#include "app/client.h"
#include "chat/chat.h"
#include "net/frame_log.h"
#include "net/net.h"
#include "props/props.h"
#include "table/tiles.h"
#include "text/gbk.h"

namespace net {

namespace {

void AppendToSendRing(Client& c, const Frame& frame) {
  Ring& ring = c.net.SendRing;
  // A full ring would look empty and overwrite frames still waiting: refuse the newcomer.
  if (ring.Waiting() + kFrameSize >= kRingSize) {
    c.host.Log("error", "send ring full: command " + std::to_string(frame[kOffCmd]) + " dropped");
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
constexpr std::size_t kAccountBytes = 16;
constexpr std::size_t kChatBytes = 200;

}  // namespace

void SendFrame(Client& c, const NetMsg& msg) {
  Frame f = EncodeHeader(msg);
  const int cmd = f[kOffCmd];
  if (cmd == 19) {
    if (c.net.ChatOut.empty()) return;
    text::Bytes bytes = text::EncodeDoubleByte(text::FirstChars(c.net.ChatOut, kChatChars));
    // A hundred GBK characters fill the text area exactly; nothing may run into the length.
    if (bytes.size() > kChatBytes) bytes.resize(kChatBytes);
    std::copy(bytes.begin(), bytes.end(), f.begin() + kOffPayload);
    c.net.ChatOut.clear();
  }
  if (cmd == 2 && c.table.TingChoice > 0) {
    f[kOffPayload] = static_cast<std::uint8_t>(c.table.TingChoice);
    c.table.TingChoice = 0;
  } else if (cmd == 7) {
    f[kOffPayload] = static_cast<std::uint8_t>(c.table.TingChoice);
  }
  f[kOffKey] = c.net.SessionKey[0];
  f[kOffKey + 1] = c.net.SessionKey[1];
  AppendToSendRing(c, f);
}

void QueueRawFrame(Client& c, Frame& frame) {
  frame[kOffKey] = c.net.SessionKey[0];
  frame[kOffKey + 1] = c.net.SessionKey[1];
  AppendToSendRing(c, frame);
}

void DecodeFrame(Client& c) {
  Ring& ring = c.net.RecvRing;
  // Read positions only ever move by whole frames, so a frame never wraps.
  auto at = ring.Bytes.begin() + ring.ReadPos;
  std::copy(at, at + kFrameSize, c.net.RecvFrame.begin());
  ring.ReadPos = (ring.ReadPos + kFrameSize) % kRingSize;
  DecodeRecvFrame(c, true);
}

void DecodeRecvFrame(Client& c, bool log) {
  const Frame& f = c.net.RecvFrame;
  c.net.LastMsg = DecodeHeader(f);
  NetMsg& m = c.net.LastMsg;
  if (log) net::LogFrame(c.host, "recv", f);

  if (m.Cmd == 3) {
    const auto s = static_cast<std::size_t>(table::BitIndex(m.Seat));
    // Names are joined as they come, but an entry already as long as any account (16) can
    // match no seat any more: it stops growing, so a flood of frames cannot fill the memory.
    std::string& name = c.net.SeatNames.at(s);
    if (name.size() < kAccountBytes) {
      name +=
          text::DecodeSingleByte(std::span(f).subspan(kOffPayload, kAccountBytes), kAccountBytes);
    }
  } else if (m.Cmd == 19) {
    const std::uint32_t len = ReadU32BE(f, kOffChatLen);
    if (len == 272 || len == 260) {
      if (props::Active(c)) props::RecMsg(c, c.net.RecvFrame);
    } else {
      // The visible line ends at its first zero byte.
      const std::string line =
          text::DecodeDoubleByte(std::span(f).subspan(kOffPayload, kChatBytes), kChatBytes, true);
      const int pos = table::SeatPosOf(c.table.Hand[0].SeatBit, m.Seat);
      m.Seat = static_cast<std::uint8_t>(pos);
      chat::ShowChatLine(c, line, pos, m.Value[0], m.Value[2], m.Value[3]);
    }
  }
}

}  // namespace net
