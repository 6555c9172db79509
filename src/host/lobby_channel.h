#pragma once
// The lobby link over local stream sockets, for systems without window messages. Each window
// listens on a socket named after its title in the per-user runtime folder; a message is one
// connection carrying 12 bytes, answered with 4 once the receiver has handled it.
#include <sys/types.h>

#include <QSocketNotifier>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/lobby.h"
#include "platform/lobby_wire.h"

namespace host {

class LobbyChannel final : public platform::LobbyLink {
 public:
  using LogFn = std::function<void(std::string_view kind, std::string_view detail)>;
  using WindowProc = std::function<std::int32_t(std::uint32_t, std::int32_t, std::int32_t)>;
  // How a Send waits for its answer: blocking (the client, as a window waiting for another
  // window), or in a nested event loop that keeps this side's own window answering.
  enum class SendWait { Blocking, ProcessEvents };

  explicit LobbyChannel(LogFn log, SendWait wait = SendWait::Blocking);
  ~LobbyChannel() override;
  LobbyChannel(const LobbyChannel&) = delete;
  LobbyChannel& operator=(const LobbyChannel&) = delete;

  bool FindWindow(const std::string& title) override;
  bool PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                   std::int32_t lParam) override;
  std::optional<std::int32_t> SendMessage(const std::string& title, std::uint32_t msg,
                                          std::int32_t wParam, std::int32_t lParam) override;
  void Listen(const std::string& ownTitle, platform::LobbyEvents* events) override;
  std::int32_t DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                 std::int32_t lParam) override;

  // What the window does with the messages its procedure passes on.
  void SetDefaultProc(WindowProc proc) { defaultProc_ = std::move(proc); }
  // The socket file this window listens on; empty while not listening.
  const std::string& ListeningPath() const { return path_; }
  // How long a Send waits for the receiver's answer.
  void SetSendTimeoutMs(int ms) { sendTimeoutMs_ = ms; }

 private:
  struct Incoming {
    int fd = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    std::array<std::uint8_t, platform::kWireMessageSize> buf{};
    std::size_t got = 0;
  };
  struct Queued {
    int fd = -1;
    platform::WireMessage m;
  };

  std::optional<std::string> SocketPath(const std::string& title);
  int ConnectTo(const std::string& title);
  void AcceptAll();
  void ReadFrom(std::list<Incoming>::iterator it);
  void Pump();
  void StopListening();

  LogFn log_;
  SendWait wait_;
  int sendTimeoutMs_ = 10000;
  WindowProc defaultProc_;
  platform::LobbyEvents* events_ = nullptr;
  int listenFd_ = -1;
  std::string path_;
  dev_t socketDev_ = 0;
  ino_t socketIno_ = 0;
  std::string lastProblem_;
  std::unique_ptr<QSocketNotifier> listenNotifier_;
  std::list<Incoming> incoming_;
  std::deque<Queued> queue_;
  bool handling_ = false;
};

}  // namespace host
