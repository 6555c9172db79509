#include "host/lobby_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

#include "host/runtime_dir.h"

namespace host {

namespace {

void Disable(std::unique_ptr<QSocketNotifier>& n) {
  if (!n) return;
  n->setEnabled(false);
  // The notifier may be the one whose signal is running right now: Qt deletes it later.
  n.release()->deleteLater();
}

bool FillAddress(const std::string& path, sockaddr_un& addr) {
  addr = {};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

int ConnectPath(const std::string& path) {
  sockaddr_un addr{};
  if (!FillAddress(path, addr)) return -1;
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string Describe(const platform::WireMessage& m) {
  std::string s = std::to_string(m.msg);
  if (m.wParam != 0 || m.lParam != 0) {
    s += ' ' + std::to_string(m.wParam) + ' ' + std::to_string(m.lParam);
  }
  return s;
}

}  // namespace

LobbyChannel::LobbyChannel(LogFn log, SendWait wait) : log_(std::move(log)), wait_(wait) {}

LobbyChannel::~LobbyChannel() {
  StopListening();
}

std::optional<std::string> LobbyChannel::SocketPath(const std::string& title) {
  std::string why;
  const auto dir = UsableRuntimeDir(&why);
  if (!dir) {
    // Said once per cause: the lobby is looked up often.
    if (why != lastProblem_) log_("error", "lobby channel not used: " + why);
    lastProblem_ = why;
    return std::nullopt;
  }
  std::string path = *dir + "/" + platform::WindowSocketName(title);
  sockaddr_un addr{};
  if (!FillAddress(path, addr)) {
    why = path + " is too long for a local socket";
    if (why != lastProblem_) log_("error", "lobby channel not used: " + why);
    lastProblem_ = why;
    return std::nullopt;
  }
  lastProblem_.clear();
  return path;
}

int LobbyChannel::ConnectTo(const std::string& title) {
  const auto path = SocketPath(title);
  return path ? ConnectPath(*path) : -1;
}

bool LobbyChannel::FindWindow(const std::string& title) {
  const int fd = ConnectTo(title);
  if (fd < 0) return false;
  close(fd);
  return true;
}

bool LobbyChannel::PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                               std::int32_t lParam) {
  const int fd = ConnectTo(title);
  if (fd < 0) return false;
  const auto bytes = platform::EncodeWireMessage({msg, wParam, lParam});
  const bool ok = WriteAll(fd, bytes.data(), bytes.size());
  close(fd);
  return ok;
}

std::optional<std::int32_t> LobbyChannel::SendMessage(const std::string& title, std::uint32_t msg,
                                                      std::int32_t wParam, std::int32_t lParam) {
  const int fd = ConnectTo(title);
  if (fd < 0) return std::nullopt;
  const auto bytes = platform::EncodeWireMessage({msg, wParam, lParam});
  if (!WriteAll(fd, bytes.data(), bytes.size())) {
    close(fd);
    return std::nullopt;
  }
  std::array<std::uint8_t, platform::kWireAnswerSize> answer{};
  std::size_t got = 0;
  bool failed = false;
  auto readSome = [&] {
    const ssize_t n = recv(fd, answer.data() + got, answer.size() - got, MSG_DONTWAIT);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
      failed = true;
    }
  };
  if (wait_ == SendWait::Blocking) {
    int left = sendTimeoutMs_;
    while (got < answer.size() && !failed && left > 0) {
      pollfd p{fd, POLLIN, 0};
      constexpr int kSlice = 100;
      const int r = poll(&p, 1, std::min(left, kSlice));
      left -= kSlice;
      if (r > 0) readSome();
    }
  } else {
    QEventLoop loop;
    QSocketNotifier notifier(static_cast<qintptr>(fd), QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&] {
      readSome();
      if (got == answer.size() || failed) loop.quit();
    });
    QTimer::singleShot(sendTimeoutMs_, &loop, &QEventLoop::quit);
    loop.exec();
  }
  close(fd);
  if (got < answer.size()) {
    log_("error", "lobby channel: no answer to " + std::to_string(msg) + " from \"" + title + "\"");
    return std::nullopt;
  }
  return platform::DecodeWireAnswer(answer);
}

void LobbyChannel::Listen(const std::string& ownTitle, platform::LobbyEvents* events) {
  StopListening();
  events_ = events;
  if (events == nullptr) return;
  const auto path = SocketPath(ownTitle);
  if (!path) return;
  sockaddr_un addr{};
  FillAddress(*path, addr);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    log_("error", std::string("lobby channel: ") + std::strerror(errno));
    return;
  }
  auto bindIt = [&] { return bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr); };
  int rc = bindIt();
  if (rc != 0 && errno == EADDRINUSE) {
    // A file is there: a live window answers on it; a leftover of an ended one does not.
    const int probe = ConnectPath(*path);
    if (probe >= 0) {
      close(probe);
      close(fd);
      log_("error", "lobby channel: another window titled \"" + ownTitle + "\" is listening");
      return;
    }
    unlink(path->c_str());
    rc = bindIt();
  }
  if (rc != 0) {
    log_("error", "lobby channel: " + *path + ": " + std::strerror(errno));
    close(fd);
    return;
  }
  chmod(path->c_str(), 0600);
  if (listen(fd, SOMAXCONN) != 0) {
    log_("error", "lobby channel: " + *path + ": " + std::strerror(errno));
    unlink(path->c_str());
    close(fd);
    return;
  }
  struct stat st {};
  if (stat(path->c_str(), &st) == 0) {
    socketDev_ = st.st_dev;
    socketIno_ = st.st_ino;
  }
  listenFd_ = fd;
  path_ = *path;
  listenNotifier_ =
      std::make_unique<QSocketNotifier>(static_cast<qintptr>(fd), QSocketNotifier::Read);
  QObject::connect(listenNotifier_.get(), &QSocketNotifier::activated, [this] { AcceptAll(); });
}

void LobbyChannel::StopListening() {
  events_ = nullptr;
  Disable(listenNotifier_);
  if (listenFd_ >= 0) {
    // Remove the file only while it is still ours, not a successor's.
    struct stat st {};
    if (stat(path_.c_str(), &st) == 0 && st.st_dev == socketDev_ && st.st_ino == socketIno_) {
      unlink(path_.c_str());
    }
    close(listenFd_);
    listenFd_ = -1;
  }
  path_.clear();
  for (auto& in : incoming_) {
    Disable(in.notifier);
    close(in.fd);
  }
  incoming_.clear();
  for (auto& q : queue_) close(q.fd);
  queue_.clear();
}

void LobbyChannel::AcceptAll() {
  for (;;) {
    const int fd = accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    incoming_.push_back(Incoming{fd, nullptr, {}, 0});
    auto it = std::prev(incoming_.end());
    it->notifier =
        std::make_unique<QSocketNotifier>(static_cast<qintptr>(fd), QSocketNotifier::Read);
    QObject::connect(it->notifier.get(), &QSocketNotifier::activated, [this, it] { ReadFrom(it); });
    // Bytes may already be there; the notifier reports them too, but reading now keeps order.
    ReadFrom(it);
    if (listenFd_ < 0) return;  // a message ended the listening
  }
}

void LobbyChannel::ReadFrom(std::list<Incoming>::iterator it) {
  Incoming& in = *it;
  bool closed = false;
  while (in.got < in.buf.size()) {
    const ssize_t n = recv(in.fd, in.buf.data() + in.got, in.buf.size() - in.got, 0);
    if (n > 0) {
      in.got += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      closed = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
      break;
    }
  }
  if (in.got < in.buf.size() && !closed) return;  // more to come
  Disable(in.notifier);
  if (in.got == in.buf.size()) {
    // Messages are handled in the order they became complete.
    queue_.push_back({in.fd, platform::DecodeWireMessage(in.buf)});
  } else {
    close(in.fd);  // a look-up, or a sender that gave up: nothing to handle
  }
  incoming_.erase(it);
  Pump();
}

void LobbyChannel::Pump() {
  // One message at a time: a message that arrives while one is handled (the handler may wait
  // with events running) waits for it to finish.
  if (handling_) return;
  handling_ = true;
  while (!queue_.empty() && events_ != nullptr) {
    const Queued q = queue_.front();
    queue_.pop_front();
    log_("lobby-in", Describe(q.m));
    std::int32_t result = 0;
    try {
      result = events_->OnWindowMessage(q.m.msg, q.m.wParam, q.m.lParam);
    } catch (const std::exception& e) {
      log_("error", "lobby message " + std::to_string(q.m.msg) + ": " + e.what());
    }
    const auto answer = platform::EncodeWireAnswer(result);
    WriteAll(q.fd, answer.data(), answer.size());  // a poster has gone already; that is fine
    close(q.fd);
  }
  handling_ = false;
}

std::int32_t LobbyChannel::DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                             std::int32_t lParam) {
  return defaultProc_ ? defaultProc_(msg, wParam, lParam) : 0;
}

}  // namespace host
