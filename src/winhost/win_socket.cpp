#include "winhost/win_socket.h"

#include <ws2tcpip.h>

#include <exception>

namespace winhost {

namespace {

constexpr UINT kSelectMessage = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"QintaraSocketWindow";

std::string ErrorText(int error) {
  return "Winsock error " + std::to_string(error);
}

}  // namespace

WinSocket::WinSocket(LogFn log) : log_(std::move(log)) {
  WSADATA data{};
  const int rc = WSAStartup(MAKEWORD(2, 2), &data);
  started_ = rc == 0;
  if (!started_) log_("error", "socket: " + ErrorText(rc));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when a second socket registers it again
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
  if (window_ == nullptr) {
    log_("error", "socket: no event window (" + std::to_string(GetLastError()) + ")");
  } else {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
}

WinSocket::~WinSocket() {
  Release();
  if (window_ != nullptr) DestroyWindow(window_);
  if (started_) WSACleanup();
}

void WinSocket::SetRemote(const std::string& host, int port) {
  host_ = host;
  port_ = port;
}

void WinSocket::Release() {
  if (socket_ != INVALID_SOCKET) {
    // No more events for this socket; any already queued name a socket that is no longer ours.
    WSAAsyncSelect(socket_, window_, 0, 0);
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
  unsent_.clear();
}

void WinSocket::Connect() {
  Release();
  state_ = platform::kSockResolving;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_protocol = IPPROTO_TCP;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port_);
  const int rc = getaddrinfo(host_.c_str(), service.c_str(), &hints, &found);
  if (rc != 0 || found == nullptr) {
    Fail("cannot resolve " + host_, rc);
    return;
  }
  socket_ = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (socket_ == INVALID_SOCKET) {
    freeaddrinfo(found);
    Fail("no socket", WSAGetLastError());
    return;
  }
  // Makes the socket non-blocking and routes its events to the window.
  if (WSAAsyncSelect(socket_, window_, kSelectMessage,
                     FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) != 0) {
    freeaddrinfo(found);
    Fail("no socket events", WSAGetLastError());
    return;
  }
  state_ = platform::kSockConnecting;
  const int c = connect(socket_, found->ai_addr, static_cast<int>(found->ai_addrlen));
  freeaddrinfo(found);
  if (c != 0 && WSAGetLastError() != WSAEWOULDBLOCK) {
    Fail("cannot connect to " + host_ + ":" + service, WSAGetLastError());
  }
}

void WinSocket::Close() {
  Release();
  state_ = platform::kSockClosed;
}

void WinSocket::Fail(const std::string& what, int error) {
  Release();
  state_ = platform::kSockError;
  log_("socket", what + ": " + ErrorText(error));
}

void WinSocket::SendData(std::span<const std::uint8_t> bytes) {
  if (state_ != platform::kSockConnected) return;
  unsent_.insert(unsent_.end(), bytes.begin(), bytes.end());
  Flush();
}

void WinSocket::Flush() {
  std::size_t done = 0;
  while (done < unsent_.size()) {
    const int n = send(socket_, reinterpret_cast<const char*>(unsent_.data() + done),
                       static_cast<int>(unsent_.size() - done), 0);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    const int error = WSAGetLastError();
    if (error != WSAEWOULDBLOCK) log_("socket", "send: " + ErrorText(error));
    break;  // the rest goes when FD_WRITE says the socket can take it
  }
  unsent_.erase(unsent_.begin(), unsent_.begin() + static_cast<std::ptrdiff_t>(done));
}

void WinSocket::ReadAll() {
  std::vector<std::uint8_t> got;
  std::uint8_t buf[8192];
  for (;;) {
    const int n = recv(socket_, reinterpret_cast<char*>(buf), sizeof buf, 0);
    if (n <= 0) break;  // would block, closed or failed: FD_CLOSE tells the last two
    got.insert(got.end(), buf, buf + n);
  }
  if (got.empty() || events_ == nullptr) return;
  try {
    events_->OnDataArrival(got);
  } catch (const std::exception& e) {
    log_("error", std::string("data arrival: ") + e.what());
  }
}

void WinSocket::OnSelect(SOCKET s, int event, int error) {
  if (s != socket_ || socket_ == INVALID_SOCKET) return;  // a closed socket's late event
  switch (event) {
    case FD_CONNECT: {
      if (error != 0) {
        Fail("cannot connect to " + host_ + ":" + std::to_string(port_), error);
        return;
      }
      // Frames are small and go out one a tick: no waiting to fill a segment.
      BOOL on = TRUE;
      setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
      state_ = platform::kSockConnected;
      return;
    }
    case FD_READ:
      ReadAll();
      return;
    case FD_WRITE:
      Flush();
      return;
    case FD_CLOSE: {
      // What the peer sent before closing is still delivered.
      ReadAll();
      if (s != socket_) return;  // the data arrival closed or reopened the socket
      Release();
      state_ = platform::kSockClosed;
      if (error != 0) log_("socket", "connection lost: " + ErrorText(error));
      if (events_ == nullptr) return;
      try {
        events_->OnClose();
      } catch (const std::exception& e) {
        log_("error", std::string("socket close: ") + e.what());
      }
      return;
    }
    default:
      return;
  }
}

LRESULT CALLBACK WinSocket::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kSelectMessage) {
    auto* self = reinterpret_cast<WinSocket*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
      self->OnSelect(static_cast<SOCKET>(wParam), WSAGETSELECTEVENT(lParam),
                     WSAGETSELECTERROR(lParam));
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace winhost
