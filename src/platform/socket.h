#pragma once
// The TCP client socket of the table (Winsock1): what the core needs of it, nothing more.
#include <cstdint>
#include <span>
#include <string>

namespace platform {

// Socket states as the table logic reads them.
enum SocketStateCode : int {
  kSockClosed = 0,
  kSockResolving = 4,
  kSockConnecting = 6,
  kSockConnected = 7,
  kSockClosing = 8,
  kSockError = 9,
};

// Events the socket delivers to the core, on the user-interface thread.
class SocketEvents {
 public:
  virtual ~SocketEvents() = default;
  virtual void OnDataArrival(std::span<const std::uint8_t> bytes) = 0;
  virtual void OnClose() = 0;
};

class Socket {
 public:
  virtual ~Socket() = default;
  virtual void SetRemote(const std::string& host, int port) = 0;
  virtual void Connect() = 0;
  virtual void Close() = 0;
  virtual int State() const = 0;
  virtual void SendData(std::span<const std::uint8_t> bytes) = 0;
  virtual void SetEvents(SocketEvents* events) = 0;
};

}  // namespace platform
