// The SOCKS 5 handshake (user name and password, IPv4 connect) on Winsock1.
#include <charconv>
#include <string>
#include <string_view>

#include "net/context.h"
#include "net/net.h"
#include "net/net_state.h"
#include "platform/host.h"
#include "platform/timer.h"
#include "text/gbk.h"

namespace net {

namespace {

constexpr int kProxyBufferSize = 1024;

enum ProxyStep : int {
  kConnecting = 0,
  kGreeting = 1,
  kAwaitMethod = 2,
  kCredentials = 3,
  kAwaitVerdict = 4,
  kConnectRequest = 5,
  kAwaitConnect = 6,
};

int Buffered(const NetState& n) {
  return (n.ProxyWritePos + kProxyBufferSize - n.ProxyReadPos) % kProxyBufferSize;
}

std::uint8_t At(const NetState& n, int i) {
  return n.ProxyBuffer.at(static_cast<std::size_t>((n.ProxyReadPos + i) % kProxyBufferSize));
}

void ResetProxyBuffer(NetState& n) {
  n.ProxyWritePos = 0;
  n.ProxyReadPos = 0;
}

// One byte per character: its single-byte code, or 0 for a character that has none.
void AppendSingleBytes(text::Bytes& out, std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t len = 1;
    if (lead >= 0xF0) {
      len = 4;
    } else if (lead >= 0xE0) {
      len = 3;
    } else if (lead >= 0xC0) {
      len = 2;
    }
    const auto one = text::EncodeSingleByte(utf8.substr(i, len));
    out.push_back(one && one->size() == 1 ? one->front() : 0);
    i += len;
  }
}

// The four parts of a dotted IPv4 address; a missing or bad part is 0.
void AppendIpv4(text::Bytes& out, std::string_view host) {
  for (int part = 0; part < 4; ++part) {
    const auto dot = host.find('.');
    const std::string_view field = host.substr(0, dot);
    int v = -1;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    const bool ok = ec == std::errc() && end == field.data() + field.size() && v >= 0 && v <= 255;
    out.push_back(ok ? static_cast<std::uint8_t>(v) : 0);
    host = dot == std::string_view::npos ? std::string_view() : host.substr(dot + 1);
  }
}

void SendProxyRequest(Ctx& c) {
  NetState& n = c.net;
  text::Bytes req;
  switch (n.ProxyState) {
    case kGreeting:
      req = {5, 2, 0, 2};
      n.ProxyState = kAwaitMethod;
      break;
    case kCredentials: {
      req.push_back(1);
      text::Bytes user;
      text::Bytes pass;
      AppendSingleBytes(user, c.ProxyUser);
      AppendSingleBytes(pass, c.ProxyPass);
      req.push_back(static_cast<std::uint8_t>(user.size()));
      req.insert(req.end(), user.begin(), user.end());
      req.push_back(static_cast<std::uint8_t>(pass.size()));
      req.insert(req.end(), pass.begin(), pass.end());
      n.ProxyState = kAwaitVerdict;
      break;
    }
    case kConnectRequest:
      req = {5, 1, 0, 1};
      AppendIpv4(req, c.ServerHost);
      req.push_back(static_cast<std::uint8_t>((c.ServerPort >> 8) & 0xFF));
      req.push_back(static_cast<std::uint8_t>(c.ServerPort & 0xFF));
      n.ProxyState = kAwaitConnect;
      break;
    default:
      break;
  }
  ResetProxyBuffer(n);
  if (req.empty()) return;
  platform::Socket& sock = c.host.Winsock1();
  if (sock.State() == platform::kSockConnected) sock.SendData(req);
  c.TimerProxy.SetEnabled(false);
  c.TimerProxy.SetEnabled(true);  // a fresh bound for this answer
}

const char* FailureText(int state) {
  switch (state) {
    case kCredentials:
    case kAwaitVerdict:
      return "代理服务器用户验证失败！";
    case kConnectRequest:
    case kAwaitConnect:
      return "通过代理连接主站失败！";
    default:
      return "请求代理失败！";
  }
}

// The proxy said no, went away or kept silent: close and say what to tell. Nothing retries by
// itself; a reconnection's next attempt or the lobby's next connect message starts over.
ProxyOutcome ProxyFailed(Ctx& c, const std::string& why) {
  NetState& n = c.net;
  c.TimerProxy.SetEnabled(false);
  std::string text = FailureText(n.ProxyState);
  c.host.Log("proxy", why + " in state " + std::to_string(n.ProxyState));
  c.host.Winsock1().Close();
  return {.kind = ProxyOutcome::kFailed, .text = std::move(text), .rest = {}};
}

// Length of the connect result once its address type is known; 0 while unknown.
int ConnectReplyLength(const NetState& n) {
  const int have = Buffered(n);
  if (have < 4) return 0;
  switch (At(n, 3)) {
    case 1:
      return 10;
    case 4:
      return 22;
    case 3:
      return have >= 5 ? 7 + At(n, 4) : 0;
    default:
      return 10;
  }
}

ProxyOutcome TunnelOpen(Ctx& c, text::Bytes rest) {
  c.TimerProxy.SetEnabled(false);
  c.net.DirectLink = true;
  return {.kind = ProxyOutcome::kOpen, .text = {}, .rest = std::move(rest)};
}

ProxyOutcome ProxyReply(Ctx& c) {
  NetState& n = c.net;
  // Both bytes are present before anything is judged.
  if (Buffered(n) < 2) return {};
  const std::uint8_t b0 = At(n, 0);
  const std::uint8_t b1 = At(n, 1);
  switch (n.ProxyState) {
    case kAwaitMethod:
      if (b0 == 5 && (b1 == 0 || b1 == 2)) {
        n.ProxyState = b1 == 2 ? kCredentials : kConnectRequest;
        SendProxyRequest(c);
      } else {
        return ProxyFailed(c, "method refused");
      }
      break;
    case kAwaitVerdict:
      if (b0 == 1 && b1 == 0) {
        n.ProxyState = kConnectRequest;
        SendProxyRequest(c);
      } else {
        return ProxyFailed(c, "credentials refused");
      }
      break;
    case kAwaitConnect: {
      if (b0 != 5 || b1 != 0) {
        return ProxyFailed(c, "connect refused with code " + std::to_string(b1));
      }
      // The whole reply first: what follows it belongs to the game server.
      const int length = ConnectReplyLength(n);
      if (length == 0 || Buffered(n) < length) return {};
      const int extra = Buffered(n) - length;
      text::Bytes rest;
      for (int i = 0; i < extra; ++i) rest.push_back(At(n, length + i));
      return TunnelOpen(c, std::move(rest));
    }
    default:
      break;
  }
  return {};
}

}  // namespace

ProxyOutcome StartProxy(Ctx& c, bool keepQueued) {
  NetState& n = c.net;
  if (!keepQueued) ResetRings(n);
  // An earlier attempt still negotiating is given up: its connection closed, its handshake
  // forgotten, so nothing it was waiting for can be read as an answer of this one.
  c.TimerProxy.SetEnabled(false);
  platform::Socket& sock = c.host.Winsock1();
  if (sock.State() != platform::kSockClosed) sock.Close();
  n.DirectLink = false;
  n.ProxyState = kConnecting;
  ResetProxyBuffer(n);
  if (n.ProxyConnectWaiting) {
    // That attempt still waits for the proxy to accept, further down this call stack; it makes
    // this attempt's connection as soon as this call returns, so waits never pile up.
    n.ProxyRestart = true;
    return {};
  }
  n.ProxyConnectWaiting = true;
  struct WaitDone {
    NetState& n;
    ~WaitDone() { n.ProxyConnectWaiting = n.ProxyRestart = false; }
  } waitDone{n};
  do {
    n.ProxyRestart = false;
    sock.SetRemote(c.ProxyHost, c.ProxyPort);
    sock.Connect();
    // Bounded: a proxy that never accepts is given up (by TimerProxy) like one that refuses.
    c.TimerProxy.SetEnabled(true);
    c.host.WaitUntil([&] {
      const int s = sock.State();
      return n.ProxyRestart || s == platform::kSockConnected || s == platform::kSockError ||
             s == platform::kSockClosed || !c.TimerProxy.Enabled();
    });
  } while (n.ProxyRestart);
  if (!c.TimerProxy.Enabled()) return {};  // given up already
  if (sock.State() != platform::kSockConnected) return ProxyFailed(c, "no connection to the proxy");
  n.LoginPending = true;
  ResetProxyBuffer(n);
  n.ProxyState = kGreeting;
  SendProxyRequest(c);
  n.TaskOn[kTaskWatch] = true;
  n.TaskTick[kTaskWatch] = 0;
  return {};
}

ProxyOutcome ProxyDataArrival(Ctx& c, std::span<const std::uint8_t> bytes) {
  NetState& n = c.net;
  for (std::uint8_t b : bytes) {
    n.ProxyBuffer.at(static_cast<std::size_t>(n.ProxyWritePos)) = b;
    n.ProxyWritePos = (n.ProxyWritePos + 1) % kProxyBufferSize;
    if (n.ProxyWritePos == n.ProxyReadPos) {
      c.host.Log("error", "proxy reply buffer overflow");
      return {.kind = ProxyOutcome::kOverflow, .text = {}, .rest = {}};
    }
  }
  return ProxyReply(c);
}

ProxyOutcome ProxyClosed(Ctx& c) {
  if (!c.net.DirectLink && c.TimerProxy.Enabled())
    return ProxyFailed(c, "the proxy closed the connection");
  return {};
}

ProxyOutcome TimerProxy_Timer(Ctx& c) {
  return ProxyFailed(c, "no answer from the proxy");
}

}  // namespace net
