#pragma once
// The link to the platform lobby's window: find it by title, post or send it numbered messages,
// and receive the lobby's messages on the client's own window.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::int32_t kScRestore = 0xF120;
constexpr std::int32_t kScMinimize = 0xF020;

// Receives the lobby's messages (the client's window procedure).
class LobbyEvents {
 public:
  virtual ~LobbyEvents() = default;
  virtual std::int32_t OnWindowMessage(std::uint32_t msg, std::int32_t wParam,
                                       std::int32_t lParam) = 0;
};

class LobbyLink {
 public:
  virtual ~LobbyLink() = default;
  // Titles are UTF-8 here; the link converts them where the platform compares other bytes.
  virtual bool FindWindow(const std::string& title) = 0;
  virtual bool PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                           std::int32_t lParam) = 0;
  // Waits for the receiver to handle the message; empty when the window is not there.
  virtual std::optional<std::int32_t> SendMessage(const std::string& title, std::uint32_t msg,
                                                  std::int32_t wParam, std::int32_t lParam) = 0;
  // Starts (or, with null, stops) receiving messages addressed to the window titled ownTitle.
  virtual void Listen(const std::string& ownTitle, LobbyEvents* events) = 0;
  // The window's own procedure, for the messages the client's procedure passes on (on a
  // system without window messages: restore and minimise of the client's window).
  virtual std::int32_t DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                         std::int32_t lParam) = 0;
};

}  // namespace platform
