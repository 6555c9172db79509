#pragma once
// Winsock1 on a QTcpSocket.
#include <QTcpSocket>

#include "platform/socket.h"

namespace host {

class QtSocket final : public QObject, public platform::Socket {
 public:
  explicit QtSocket(std::function<void(const char*, const std::string&)> onError);

  void SetRemote(const std::string& host, int port) override;
  void Connect() override;
  void Close() override;
  int State() const override;
  void SendData(std::span<const std::uint8_t> bytes) override;
  void SetEvents(platform::SocketEvents* events) override { events_ = events; }
  // The connected socket's descriptor (-1 without a connection), to check its options.
  qintptr Descriptor() const { return socket_.socketDescriptor(); }

 private:
  void OnReadyRead();
  void OnDisconnected();

  QTcpSocket socket_;
  QString host_;
  quint16 port_ = 0;
  bool failed_ = false;
  bool closing_ = false;
  platform::SocketEvents* events_ = nullptr;
  std::function<void(const char*, const std::string&)> onError_;
};

}  // namespace host
