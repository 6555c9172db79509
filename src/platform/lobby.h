#pragma once
// The link to the platform lobby's window: find it by title, post or send it numbered messages,
// and receive the lobby's messages on the client's own window.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The numbered messages between the lobby and the client; a number means one thing on its way
// to the client and another on its way back.
constexpr std::uint32_t kLobbyConnect = 22;      // connect (again) and log in
constexpr std::uint32_t kLobbyMayLeave = 771;    // may the player leave the table now?
constexpr std::uint32_t kLobbyLeaveNow = 1024;   // leave the table now
constexpr std::uint32_t kLobbyHandQuery = 1125;  // is a hand being played?
constexpr std::uint32_t kClientLoggingIn = 22;   // about to log in, or the login was refused
constexpr std::uint32_t kClientLoggedIn = 771;   // connected and logged in
constexpr std::uint32_t kClientIdle = 1024;      // no hand is played / the player has left
constexpr std::uint32_t kClientInHand = 1125;    // a hand is being played
constexpr std::uint32_t kClientLoginPending = 1126;
constexpr std::uint32_t kClientHandBegun = 1127;  // the wall has been built

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

// A lobby link that finds no window: stands in where no lobby is reachable.
class NoLobby final : public LobbyLink {
 public:
  bool FindWindow(const std::string&) override { return false; }
  bool PostMessage(const std::string&, std::uint32_t, std::int32_t, std::int32_t) override {
    return false;
  }
  std::optional<std::int32_t> SendMessage(const std::string&, std::uint32_t, std::int32_t,
                                          std::int32_t) override {
    return std::nullopt;
  }
  void Listen(const std::string&, LobbyEvents*) override {}
  std::int32_t DefaultWindowProc(std::uint32_t, std::int32_t, std::int32_t) override { return 0; }
};

}  // namespace platform
