#include "host/qt_socket.h"

#include <exception>

namespace host {

QtSocket::QtSocket(std::function<void(const char*, const std::string&)> onError)
    : onError_(std::move(onError)) {
  // Frames are small and go out one a tick: no waiting to fill a segment. The option only takes
  // on a socket that exists, so it is set on every new connection.
  connect(&socket_, &QTcpSocket::connected, this,
          [this] { socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1); });
  connect(&socket_, &QTcpSocket::readyRead, this, &QtSocket::OnReadyRead);
  connect(&socket_, &QTcpSocket::disconnected, this, &QtSocket::OnDisconnected);
  connect(&socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
    if (e != QAbstractSocket::RemoteHostClosedError) failed_ = true;
    onError_("socket", socket_.errorString().toStdString());
  });
}

void QtSocket::SetRemote(const std::string& host, int port) {
  host_ = QString::fromStdString(host);
  port_ = static_cast<quint16>(port);
}

void QtSocket::Connect() {
  failed_ = false;
  socket_.connectToHost(host_, port_);
}

void QtSocket::Close() {
  closing_ = true;
  socket_.abort();
  closing_ = false;
  failed_ = false;
}

int QtSocket::State() const {
  switch (socket_.state()) {
    case QAbstractSocket::UnconnectedState:
      return failed_ ? platform::kSockError : platform::kSockClosed;
    case QAbstractSocket::HostLookupState:
      return platform::kSockResolving;
    case QAbstractSocket::ConnectingState:
      return platform::kSockConnecting;
    case QAbstractSocket::ConnectedState:
      return platform::kSockConnected;
    case QAbstractSocket::ClosingState:
      return platform::kSockClosing;
    default:
      return platform::kSockError;
  }
}

void QtSocket::SendData(std::span<const std::uint8_t> bytes) {
  socket_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  socket_.flush();
}

void QtSocket::OnReadyRead() {
  const QByteArray data = socket_.readAll();
  if (events_ == nullptr || data.isEmpty()) return;
  try {
    events_->OnDataArrival({reinterpret_cast<const std::uint8_t*>(data.constData()),
                            static_cast<std::size_t>(data.size())});
  } catch (const std::exception& e) {
    onError_("error", std::string("data arrival: ") + e.what());
  }
}

void QtSocket::OnDisconnected() {
  if (closing_ || events_ == nullptr) return;
  try {
    events_->OnClose();
  } catch (const std::exception& e) {
    onError_("error", std::string("socket close: ") + e.what());
  }
}

}  // namespace host
