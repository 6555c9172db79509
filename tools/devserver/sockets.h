#pragma once
// Loopback TCP with poll: a listener and connections that cut the byte stream into frames.
#include <cstdint>
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace devserver {

// An owned socket descriptor.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
  Fd& operator=(Fd&& o) noexcept;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd();
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void reset();

 private:
  int fd_ = -1;
};

class Listener {
 public:
  // Binds 127.0.0.1:port (0 picks a free port); throws std::runtime_error on failure.
  explicit Listener(int port);
  int Port() const { return port_; }
  int FdNum() const { return fd_.get(); }
  // A waiting connection, if any.
  std::optional<Fd> Accept();

 private:
  Fd fd_;
  int port_ = 0;
};

// Frames and the log line for each, both directions.
class Logger {
 public:
  explicit Logger(std::ostream& out) : out_(out) {}
  void Line(const std::string& text);
  void Frame(const std::string& direction, const wire::Frame& f);
  void SetClock(std::int64_t ms) { ms_ = ms; }

 private:
  std::ostream& out_;
  std::int64_t ms_ = 0;
};

class Conn {
 public:
  Conn(Fd fd, int id) : fd_(std::move(fd)), id_(id) {}
  int Id() const { return id_; }
  int FdNum() const { return fd_.get(); }
  bool Open() const { return fd_.valid(); }
  // Reads what is waiting; false when the peer has gone (the connection is then closed).
  bool ReadSome();
  // Whole frames received so far.
  std::optional<wire::Frame> NextFrame();
  std::size_t Partial() const { return in_.size(); }
  void Queue(const wire::Frame& f);
  // Writes what the socket takes now; false when the peer has gone.
  bool Flush();
  bool WantsWrite() const { return !out_.empty(); }
  void Close() { fd_.reset(); }

 private:
  Fd fd_;
  int id_;
  std::vector<std::uint8_t> in_;
  std::deque<std::uint8_t> out_;
};

std::int64_t MonotonicMs();

}  // namespace devserver
