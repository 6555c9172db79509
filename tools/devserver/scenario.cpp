#include "scenario.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <fstream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "protocol.h"
#include "sockets.h"
#include "text/gbk.h"

namespace devserver {
namespace {

[[noreturn]] void Bad(int line, const std::string& why) {
  throw std::runtime_error("scenario line " + std::to_string(line) + ": " + why);
}

// Splits on spaces, keeping "quoted text" (with \" and \\ escapes) in one token.
std::vector<std::string> Tokens(const std::string& s, int line) {
  std::vector<std::string> out;
  std::string cur;
  bool quoted = false;
  bool any = false;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (quoted) {
      if (c == '\\' && i + 1 < s.size()) {
        cur += s[++i];
      } else if (c == '"') {
        quoted = false;
        cur += '"';
      } else {
        cur += c;
      }
    } else if (c == '"') {
      quoted = true;
      cur += '"';
      any = true;
    } else if (c == ' ' || c == '\t') {
      if (any) out.push_back(cur);
      cur.clear();
      any = false;
    } else {
      cur += c;
      any = true;
    }
  }
  if (quoted) Bad(line, "unterminated quote");
  if (any) out.push_back(cur);
  return out;
}

int Number(const std::string& s, int line) {
  try {
    std::size_t used = 0;
    const long v = std::stol(s, &used, 0);
    if (used != s.size()) Bad(line, "not a number: " + s);
    return static_cast<int>(v);
  } catch (const std::logic_error&) {
    Bad(line, "not a number: " + s);
  }
}

std::vector<int> Numbers(const std::string& s, int line) {
  std::vector<int> out;
  std::stringstream ss(s);
  std::string part;
  while (std::getline(ss, part, ',')) out.push_back(Number(part, line));
  return out;
}

std::uint8_t ByteOf(int v, int line) {
  if (v < 0 || v > 255) Bad(line, "byte out of range: " + std::to_string(v));
  return static_cast<std::uint8_t>(v);
}

FieldRule ParseField(const std::string& tok, int line) {
  const auto eq = tok.find('=');
  if (eq == std::string::npos || eq == 0) Bad(line, "expected name=value: " + tok);
  const std::string name = tok.substr(0, eq);
  const std::string value = tok.substr(eq + 1);
  if (value.empty()) Bad(line, "empty value for " + name);
  FieldRule f;
  const bool text = value.front() == '"';
  const std::string unquoted = text ? value.substr(1, value.size() - 2) : value;
  auto suffix = [&](const std::string& prefix) -> std::optional<int> {
    if (name.rfind(prefix, 0) != 0 || name.size() == prefix.size()) return std::nullopt;
    const int at = Number(name.substr(prefix.size()), line);
    return at;
  };
  auto bytesAt = [&](int at, std::vector<std::uint8_t> b) {
    if (at < 0 || at + static_cast<int>(b.size()) > wire::kFrameSize) {
      Bad(line, "field runs outside the frame: " + tok);
    }
    f.kind = FieldRule::Kind::Bytes;
    f.offset = at;
    f.bytes = std::move(b);
    return f;
  };
  if (name == "seat") return bytesAt(6, {ByteOf(Number(value, line), line)});
  if (name == "arg1") return bytesAt(5, {ByteOf(Number(value, line), line)});
  if (name == "arg2") return bytesAt(7, {ByteOf(Number(value, line), line)});
  if (name == "key") {
    if (value == "last") {
      f.kind = FieldRule::Kind::KeyLast;
      f.offset = wire::kOffKey;
      return f;
    }
    const auto v = Numbers(value, line);
    if (v.size() != 2) Bad(line, "key takes two bytes: " + tok);
    return bytesAt(wire::kOffKey, {ByteOf(v[0], line), ByteOf(v[1], line)});
  }
  if (name.size() == 2 && name[0] == 'v' && name[1] >= '0' && name[1] <= '3') {
    f.kind = FieldRule::Kind::Value16;
    f.offset = name[1] - '0';
    f.number = Number(value, line);
    if (f.number < -32768 || f.number > 65535) Bad(line, "value out of range: " + tok);
    return f;
  }
  if (name.size() == 5 && name.rfind("tile", 0) == 0 && name[4] >= '0' && name[4] <= '3') {
    f.kind = FieldRule::Kind::ValueLow;
    f.offset = name[4] - '0';
    f.number = ByteOf(Number(value, line), line);
    return f;
  }
  if (auto at = suffix("byte")) {
    if (text) {
      auto b = text::EncodeSingleByte(unquoted);
      if (!b)
        Bad(line, "text has characters without a one-byte code; use text" + std::to_string(*at));
      return bytesAt(*at, *b);
    }
    std::vector<std::uint8_t> b;
    for (int v : Numbers(value, line)) b.push_back(ByteOf(v, line));
    return bytesAt(*at, b);
  }
  if (auto at = suffix("text")) {
    if (!text) Bad(line, "text takes a quoted value: " + tok);
    return bytesAt(*at, text::EncodeDoubleByte(unquoted));
  }
  if (auto at = suffix("u32le")) {
    std::vector<std::uint8_t> b(4);
    wire::WriteU32LE(b, 0, static_cast<std::uint32_t>(std::stoll(value, nullptr, 0)));
    return bytesAt(*at, b);
  }
  if (auto at = suffix("u32be")) {
    std::vector<std::uint8_t> b(4);
    wire::WriteU32BE(b, 0, static_cast<std::uint32_t>(std::stoll(value, nullptr, 0)));
    return bytesAt(*at, b);
  }
  if (auto at = suffix("u64le")) {
    std::vector<std::uint8_t> b(8);
    wire::WriteU64LE(b, 0, static_cast<std::uint64_t>(std::stoll(value, nullptr, 0)));
    return bytesAt(*at, b);
  }
  Bad(line, "unknown field: " + name);
}

}  // namespace

Scenario ParseScenario(const std::string& text) {
  Scenario sc;
  std::stringstream in(text);
  std::string raw;
  int line = 0;
  while (std::getline(in, raw)) {
    ++line;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const auto first = raw.find_first_not_of(" \t");
    if (first == std::string::npos || raw[first] == '#') continue;
    auto tok = Tokens(raw.substr(first), line);
    Step st;
    st.line = line;
    st.text = raw.substr(first);
    const std::string verb = tok.at(0);
    std::size_t i = 1;
    auto takeWithin = [&](int fallback) {
      st.ms = fallback;
      for (std::size_t k = 1; k < tok.size(); ++k) {
        if (tok[k] == "within") {
          if (k + 1 >= tok.size()) Bad(line, "within needs milliseconds");
          st.ms = Number(tok[k + 1], line);
          tok.erase(tok.begin() + static_cast<std::ptrdiff_t>(k),
                    tok.begin() + static_cast<std::ptrdiff_t>(k + 2));
          break;
        }
      }
    };
    if (verb == "accept") {
      st.kind = Step::Kind::Accept;
      takeWithin(10000);
    } else if (verb == "close") {
      st.kind = Step::Kind::Close;
    } else if (verb == "wait") {
      st.kind = Step::Kind::Wait;
      if (tok.size() != 2) Bad(line, "wait takes milliseconds");
      st.ms = Number(tok[1], line);
      i = tok.size();
    } else if (verb == "expect-close") {
      st.kind = Step::Kind::ExpectClose;
      takeWithin(5000);
    } else if (verb == "send" || verb == "expect" || verb == "expect-no") {
      st.kind = verb == "send"     ? Step::Kind::Send
                : verb == "expect" ? Step::Kind::Expect
                                   : Step::Kind::ExpectNo;
      if (st.kind != Step::Kind::Send) takeWithin(5000);
      if (tok.size() < 2) Bad(line, verb + " needs a command number");
      st.cmd = Number(tok[1], line);
      if (st.cmd < 0 || st.cmd > 65535) Bad(line, "command out of range");
      i = 2;
    } else {
      Bad(line, "unknown step: " + verb);
    }
    for (; i < tok.size(); ++i) {
      if (st.kind == Step::Kind::Accept || st.kind == Step::Kind::Close ||
          st.kind == Step::Kind::ExpectClose) {
        Bad(line, "unexpected word: " + tok[i]);
      }
      auto f = ParseField(tok[i], line);
      if (st.kind == Step::Kind::Send && f.kind == FieldRule::Kind::KeyLast) {
        Bad(line, "key=last only fits an expect");
      }
      st.fields.push_back(std::move(f));
    }
    sc.steps.push_back(std::move(st));
  }
  return sc;
}

Scenario LoadScenario(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read scenario " + path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ParseScenario(ss.str());
}

wire::Frame BuildFrame(const Step& s) {
  auto f = proto::Header(s.cmd, 0);
  for (const auto& fs : s.fields) {
    switch (fs.kind) {
      case FieldRule::Kind::Bytes:
        for (std::size_t k = 0; k < fs.bytes.size(); ++k) {
          f.at(static_cast<std::size_t>(fs.offset) + k) = fs.bytes.at(k);
        }
        break;
      case FieldRule::Kind::Value16:
      case FieldRule::Kind::ValueLow: {
        const auto v = static_cast<std::uint16_t>(fs.number);
        f.at(static_cast<std::size_t>(8 + 2 * fs.offset)) = static_cast<std::uint8_t>(v >> 8);
        f.at(static_cast<std::size_t>(9 + 2 * fs.offset)) = static_cast<std::uint8_t>(v & 0xFF);
        break;
      }
      case FieldRule::Kind::KeyLast:
        break;
    }
  }
  return f;
}

bool Matches(const Step& s, const wire::Frame& f, std::array<std::uint8_t, 2> lastKey,
             std::string* why) {
  auto fail = [&](const std::string& w) {
    if (why != nullptr) *why = w;
    return false;
  };
  if (f.at(wire::kOffCmd) != (s.cmd & 0xFF) || f.at(wire::kOffCmdHigh) != (s.cmd >> 8)) {
    return fail("command " + std::to_string(f.at(2) * 256 + f.at(3)));
  }
  for (const auto& fs : s.fields) {
    switch (fs.kind) {
      case FieldRule::Kind::Bytes:
        for (std::size_t k = 0; k < fs.bytes.size(); ++k) {
          const auto at = static_cast<std::size_t>(fs.offset) + k;
          if (f.at(at) != fs.bytes.at(k)) {
            return fail("byte " + std::to_string(at) + " is " + std::to_string(f.at(at)) +
                        ", expected " + std::to_string(fs.bytes.at(k)));
          }
        }
        break;
      case FieldRule::Kind::Value16: {
        const int got = static_cast<std::uint16_t>(wire::ReadValue16(f, fs.offset));
        const int want = static_cast<std::uint16_t>(fs.number);
        if (got != want) {
          return fail("value " + std::to_string(fs.offset) + " is " + std::to_string(got) +
                      ", expected " + std::to_string(want));
        }
        break;
      }
      case FieldRule::Kind::ValueLow: {
        const int got = f.at(static_cast<std::size_t>(9 + 2 * fs.offset));
        if (got != fs.number) {
          return fail("tile in value " + std::to_string(fs.offset) + " is " + std::to_string(got) +
                      ", expected " + std::to_string(fs.number));
        }
        break;
      }
      case FieldRule::Kind::KeyLast:
        if (f.at(wire::kOffKey) != lastKey[0] || f.at(wire::kOffKey + 1) != lastKey[1]) {
          return fail("key " + std::to_string(f.at(wire::kOffKey)) + "," +
                      std::to_string(f.at(wire::kOffKey + 1)) + ", expected " +
                      std::to_string(lastKey[0]) + "," + std::to_string(lastKey[1]));
        }
        break;
    }
  }
  return true;
}

namespace {

// The one client connection of a scenario, with the frames it sent that no step took yet.
class Runner {
 public:
  Runner(Listener& l, Logger& log) : listener_(l), log_(log) {}

  bool Accept(std::int64_t deadline) {
    for (;;) {
      if (auto fd = listener_.Accept()) {
        if (conn_ && conn_->Open()) log_.Line("dropping the previous connection");
        conn_.emplace(std::move(*fd), ++ids_);
        closed_ = false;
        pending_.clear();
        log_.Line("client connected (connection " + std::to_string(ids_) + ")");
        return true;
      }
      const auto left = deadline - Now();
      if (left <= 0) return false;
      pollfd p{listener_.FdNum(), POLLIN, 0};
      ::poll(&p, 1, static_cast<int>(std::min<std::int64_t>(left, 100)));
    }
  }

  // Reads until deadline or until a frame is pending; false when nothing came.
  bool Pump(std::int64_t deadline) {
    for (;;) {
      if (!pending_.empty()) return true;
      if (!conn_ || closed_) return false;
      const auto left = deadline - Now();
      pollfd p{conn_->FdNum(), POLLIN, 0};
      ::poll(&p, 1, static_cast<int>(std::clamp<std::int64_t>(left, 0, 100)));
      const bool alive = conn_->ReadSome();
      while (auto f = conn_->NextFrame()) {
        log_.Frame("<- client", *f);
        pending_.push_back(*f);
      }
      if (!alive) {
        closed_ = true;
        if (conn_->Partial() > 0) {
          log_.Line("client closed with " + std::to_string(conn_->Partial()) +
                    " bytes of an unfinished frame");
        }
        log_.Line("client closed the connection");
      }
      if (!pending_.empty()) return true;
      if (Now() >= deadline) return false;
    }
  }

  std::optional<wire::Frame> Take() {
    if (pending_.empty()) return std::nullopt;
    auto f = pending_.front();
    pending_.pop_front();
    return f;
  }

  bool Send(const wire::Frame& f) {
    if (!conn_ || closed_) return false;
    log_.Frame("-> client", f);
    lastKey_ = {f.at(wire::kOffKey), f.at(wire::kOffKey + 1)};
    conn_->Queue(f);
    while (conn_->WantsWrite()) {
      if (!conn_->Flush()) {
        closed_ = true;
        return false;
      }
      if (conn_->WantsWrite()) {
        pollfd p{conn_->FdNum(), POLLOUT, 0};
        ::poll(&p, 1, 100);
      }
    }
    return true;
  }

  void Close() {
    if (conn_) conn_->Close();
    closed_ = true;
    log_.Line("server closed the connection");
  }

  bool Closed() const { return !conn_ || closed_; }
  std::array<std::uint8_t, 2> LastKey() const { return lastKey_; }
  std::int64_t Now() const { return MonotonicMs(); }

 private:
  Listener& listener_;
  Logger& log_;
  std::optional<Conn> conn_;
  std::deque<wire::Frame> pending_;
  bool closed_ = true;
  int ids_ = 0;
  std::array<std::uint8_t, 2> lastKey_{};
};

}  // namespace

int RunScenario(const Scenario& sc, Listener& listener, Logger& log, std::ostream& out) {
  Runner r(listener, log);
  const auto start = r.Now();
  int done = 0;
  for (const auto& st : sc.steps) {
    log.SetClock(r.Now() - start);
    log.Line("step line " + std::to_string(st.line) + ": " + st.text);
    std::string failure;
    const auto deadline = r.Now() + st.ms;
    switch (st.kind) {
      case Step::Kind::Accept:
        if (!r.Accept(deadline)) failure = "no connection within " + std::to_string(st.ms) + " ms";
        break;
      case Step::Kind::Send:
        if (!r.Send(BuildFrame(st))) failure = "no client to send to";
        break;
      case Step::Kind::Wait:
        // Keep reading meanwhile so later expects see what arrived.
        while (r.Now() < deadline) {
          if (!r.Pump(deadline)) break;
          if (r.Now() < deadline) {
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::clamp<std::int64_t>(deadline - r.Now(), 0, 20)));
          }
        }
        break;
      case Step::Kind::Close:
        r.Close();
        break;
      case Step::Kind::Expect: {
        std::string lastWhy = "nothing arrived";
        bool ok = false;
        while (!ok && r.Pump(deadline)) {
          const auto f = *r.Take();
          std::string why;
          if (Matches(st, f, r.LastKey(), &why)) {
            ok = true;
          } else if (f.at(wire::kOffCmd) == (st.cmd & 0xFF)) {
            lastWhy = why;  // the right command with a wrong field is worth reporting
          } else if (lastWhy == "nothing arrived") {
            lastWhy = "only other commands arrived";
          }
        }
        if (!ok) {
          failure = "expected command " + std::to_string(st.cmd) + " within " +
                    std::to_string(st.ms) + " ms: " + lastWhy +
                    (r.Closed() ? " (client closed)" : "");
        }
        break;
      }
      case Step::Kind::ExpectNo:
        while (r.Pump(deadline)) {
          const auto f = *r.Take();
          if (Matches(st, f, r.LastKey(), nullptr)) {
            failure = "command " + std::to_string(st.cmd) + " arrived: " + proto::Describe(f);
            break;
          }
        }
        break;
      case Step::Kind::ExpectClose:
        while (!r.Closed() && r.Now() < deadline) {
          r.Pump(deadline);
          while (r.Take()) {
          }
        }
        if (!r.Closed()) failure = "client still connected after " + std::to_string(st.ms) + " ms";
        break;
    }
    if (!failure.empty()) {
      out << "scenario FAILED at line " << st.line << " (" << st.text << "): " << failure << '\n';
      log.Line("FAILED: " + failure);
      return 1;
    }
    ++done;
    out << "ok   line " << st.line << ": " << st.text << '\n';
  }
  out << "scenario passed: " << done << " steps" << '\n';
  return 0;
}

}  // namespace devserver
