#pragma once
// Winsock1 on Winsock: a non-blocking socket whose connect, data-arrival and close events come
// as window messages (WSAAsyncSelect) to a message-only window of its own, so they are handled
// by whatever message loop the user-interface thread runs, nested waits included.
// Before the rest of the system's headers.
#include <winsock2.h>

#include "winhost/win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/socket.h"

namespace winhost {

class WinSocket final : public platform::Socket {
 public:
  using LogFn = std::function<void(std::string_view kind, std::string_view detail)>;
  explicit WinSocket(LogFn log);
  ~WinSocket() override;
  WinSocket(const WinSocket&) = delete;
  WinSocket& operator=(const WinSocket&) = delete;

  void SetRemote(const std::string& host, int port) override;
  void Connect() override;
  void Close() override;
  int State() const override { return state_; }
  void SendData(std::span<const std::uint8_t> bytes) override;
  void SetEvents(platform::SocketEvents* events) override { events_ = events; }

  // The connected socket (INVALID_SOCKET without one), to check its options.
  SOCKET Native() const { return socket_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void OnSelect(SOCKET s, int event, int error);
  void ReadAll();
  void Flush();
  void Fail(const std::string& what, int error);
  void Release();

  LogFn log_;
  bool started_ = false;
  HWND window_ = nullptr;
  SOCKET socket_ = INVALID_SOCKET;
  int state_ = platform::kSockClosed;
  std::string host_;
  int port_ = 0;
  // What send could not take at once; goes out when the socket can write again.
  std::vector<std::uint8_t> unsent_;
  platform::SocketEvents* events_ = nullptr;
};

}  // namespace winhost
