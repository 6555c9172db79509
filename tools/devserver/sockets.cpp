#include "sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>

#include "protocol.h"

namespace devserver {

Fd& Fd::operator=(Fd&& o) noexcept {
  if (this != &o) {
    reset();
    fd_ = o.fd_;
    o.fd_ = -1;
  }
  return *this;
}

Fd::~Fd() {
  reset();
}

void Fd::reset() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

namespace {
void NonBlocking(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL, 0) | O_NONBLOCK);
}
}  // namespace

Listener::Listener(int port) {
  fd_ = Fd(::socket(AF_INET, SOCK_STREAM, 0));
  if (!fd_.valid()) throw std::runtime_error("socket failed");
  const int one = 1;
  ::setsockopt(fd_.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // never anything but loopback
  if (::bind(fd_.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    throw std::runtime_error("cannot bind 127.0.0.1:" + std::to_string(port) + ": " +
                             std::strerror(errno));
  }
  if (::listen(fd_.get(), 8) != 0) throw std::runtime_error("listen failed");
  socklen_t len = sizeof addr;
  ::getsockname(fd_.get(), reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
  NonBlocking(fd_.get());
}

std::optional<Fd> Listener::Accept() {
  const int fd = ::accept(fd_.get(), nullptr, nullptr);
  if (fd < 0) return std::nullopt;
  NonBlocking(fd);
  return Fd(fd);
}

void Logger::Line(const std::string& text) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%8.3f] ", static_cast<double>(ms_) / 1000.0);
  out_ << stamp << text << '\n';
  out_.flush();
}

void Logger::Frame(const std::string& direction, const wire::Frame& f) {
  Line(direction + " " + proto::Describe(f));
}

bool Conn::ReadSome() {
  if (!fd_.valid()) return false;
  std::uint8_t buf[4096];
  for (;;) {
    const auto n = ::recv(fd_.get(), buf, sizeof buf, 0);
    if (n > 0) {
      in_.insert(in_.end(), buf, buf + n);
      // A client that floods without reading is cut off rather than buffered forever.
      if (in_.size() > 1 << 20) {
        fd_.reset();
        return false;
      }
      continue;
    }
    if (n == 0) {
      fd_.reset();
      return false;
    }
    if (errno == EAGAIN || errno == EWOULDBLOCK) return true;
    if (errno == EINTR) continue;
    fd_.reset();
    return false;
  }
}

std::optional<wire::Frame> Conn::NextFrame() {
  if (in_.size() < wire::kFrameSize) return std::nullopt;
  wire::Frame f{};
  std::copy(in_.begin(), in_.begin() + wire::kFrameSize, f.begin());
  in_.erase(in_.begin(), in_.begin() + wire::kFrameSize);
  return f;
}

void Conn::Queue(const wire::Frame& f) {
  out_.insert(out_.end(), f.begin(), f.end());
}

bool Conn::Flush() {
  while (fd_.valid() && !out_.empty()) {
    std::uint8_t buf[4096];
    const std::size_t n = std::min(out_.size(), sizeof buf);
    std::copy(out_.begin(), out_.begin() + static_cast<std::ptrdiff_t>(n), buf);
    const auto sent = ::send(fd_.get(), buf, n, MSG_NOSIGNAL);
    if (sent > 0) {
      out_.erase(out_.begin(), out_.begin() + sent);
      continue;
    }
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    if (sent < 0 && errno == EINTR) continue;
    fd_.reset();
    return false;
  }
  return fd_.valid();
}

std::int64_t MonotonicMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace devserver
