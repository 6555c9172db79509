// qintara-lobby.exe: a stand-in for the platform lobby on Windows. A top-level window with the
// lobby's title that launches the client with its command line and speaks the lobby's window
// messages; the same commands and lines as the stand-in of the other systems (README.md).
// Winsock before the rest of the system's headers.
#include <winsock2.h>

#include "winhost/win32.h"

#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/lobby.h"
#include "winhost/wide.h"
#include "winhost/win_lobby.h"
#include "wire/frame.h"

namespace {

constexpr UINT_PTR kTimerSleep = 1;
constexpr UINT_PTR kTimerPoll = 2;
constexpr UINT kGreeterEvent = WM_APP + 1;
constexpr int kLoginCmd = 18;
constexpr int kIdList = 100;
constexpr int kIdLaunch = 101;
constexpr int kIdPost = 110;  // + index of the message

const std::uint32_t kPostable[] = {platform::kLobbyConnect, platform::kLobbyMayLeave,
                                   platform::kLobbyLeaveNow, platform::kLobbyHandQuery};

struct Options {
  std::wstring title = L"VorelLodge";
  std::wstring caption = L"Qintara";
  std::wstring client;  // the client program; qintara.exe beside this one by default
  std::wstring account = L"player1";
  std::wstring key = L"key-0001";
  std::wstring location = L"一号桌";
  int prop = 1;
  int serverPort = 0;
  bool headless = false;
  bool launch = false;
  std::wstring script;
  std::wstring commands;
  std::wstring log;
};

std::wstring ClientTitle(const Options& o) {
  return o.title == L"VorelLodge" ? L"Qintara" : o.caption;
}

// The fifteen fields, each ended by "$".
std::wstring ClientCommandLine(const Options& o) {
  const bool ownTitle = o.title != L"VorelLodge";
  const std::wstring fields[] = {o.account,
                                 o.key,
                                 L"127.0.0.1",
                                 std::to_wstring(o.serverPort),
                                 o.location,
                                 L"0",
                                 L"",
                                 L"0",
                                 L"",
                                 L"",
                                 ownTitle ? L"1" : L"0",
                                 ownTitle ? o.title : L"",
                                 ownTitle ? o.caption : L"",
                                 std::to_wstring(o.prop),
                                 L"0"};
  std::wstring line;
  for (const auto& f : fields) line += f + L"$";
  return line;
}

std::optional<long long> Number(const std::wstring& s) {
  if (s.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  const long long v = std::wcstoll(s.c_str(), &end, 0);  // decimal, or 0x... hexadecimal
  if (end == nullptr || *end != L'\0') return std::nullopt;
  return v;
}

std::vector<std::wstring> Words(const std::wstring& line) {
  std::vector<std::wstring> w;
  std::wstring cur;
  for (wchar_t ch : line) {
    if (ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n') {
      if (!cur.empty()) w.push_back(cur);
      cur.clear();
    } else {
      cur += ch;
    }
  }
  if (!cur.empty()) w.push_back(cur);
  return w;
}

class Lobby {
 public:
  explicit Lobby(Options o) : o_(std::move(o)), link_([](std::string_view, std::string_view) {}) {}

  ~Lobby() {
    if (client_.hProcess != nullptr) {
      // The stand-in takes what it started with it.
      if (o_.headless && WaitForSingleObject(client_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(client_.hProcess, 1);
      }
      CloseHandle(client_.hProcess);
      CloseHandle(client_.hThread);
    }
    for (auto& [s, bytes] : greeted_) closesocket(s);
    if (greeter_ != INVALID_SOCKET) closesocket(greeter_);
    if (winsock_) WSACleanup();
    if (out_ != nullptr && out_ != stdout) std::fclose(out_);
  }
  Lobby(const Lobby&) = delete;
  Lobby& operator=(const Lobby&) = delete;

  bool Open(HINSTANCE instance);
  void StartGreeter();
  void OnGreeter(SOCKET s, int event);
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Line(const std::wstring& text);
  void Launch();
  void Post(std::uint32_t msg, std::int32_t w, std::int32_t l);
  void Send(std::uint32_t msg, std::int32_t w, std::int32_t l);
  void Add(const std::wstring& command) {
    pending_.push_back(command);
    Drain();
  }
  void Drain();
  // Runs one command; the milliseconds of a sleep, else 0.
  int Run(const std::wstring& line);
  void Poll();

  Options o_;
  winhost::WinLobby link_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  std::FILE* out_ = stdout;
  PROCESS_INFORMATION client_{};
  bool clientRunning_ = false;
  std::deque<std::wstring> pending_;
  bool sleeping_ = false;
  HANDLE commandFile_ = INVALID_HANDLE_VALUE;
  std::string filePartial_;
  bool quitting_ = false;
  bool winsock_ = false;
  SOCKET greeter_ = INVALID_SOCKET;
  // What each connection to the greeter has sent and not yet been answered.
  std::map<SOCKET, std::vector<std::uint8_t>> greeted_;
};

void Lobby::Line(const std::wstring& text) {
  std::fprintf(out_, "%s\n", winhost::Utf8(text).c_str());
  std::fflush(out_);
  if (list_ != nullptr) {
    const LRESULT at = SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(list_, LB_SETTOPINDEX, static_cast<WPARAM>(at), 0);
  }
}

bool Lobby::Open(HINSTANCE instance) {
  if (!o_.log.empty()) {
    out_ = _wfopen(o_.log.c_str(), L"ab");
    if (out_ == nullptr) {
      out_ = stdout;
      Line(L"error cannot write " + o_.log);
      return false;
    }
  }
  if (link_.FindWindow(winhost::Utf8(o_.title))) {
    Line(L"error another window is titled " + o_.title);
    return false;
  }
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"QintaraLobbyStandIn";
  RegisterClassExW(&wc);
  window_ = CreateWindowExW(0, wc.lpszClassName, o_.title.c_str(), WS_OVERLAPPEDWINDOW, 40, 40, 720,
                            480, nullptr, nullptr, instance, this);
  if (window_ == nullptr) {
    Line(L"error no window (" + std::to_wstring(GetLastError()) + L")");
    return false;
  }
  if (!o_.headless) {
    CreateWindowExW(0, L"BUTTON", L"入座", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 8, 80, 28,
                    window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdLaunch)), instance,
                    nullptr);
    for (int i = 0; i < 4; ++i) {
      CreateWindowExW(0, L"BUTTON", std::to_wstring(kPostable[i]).c_str(),
                      WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100 + i * 70, 8, 62, 28, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdPost + i)), instance,
                      nullptr);
    }
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 8, 44, 688,
                            384, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdList)),
                            instance, nullptr);
    ShowWindow(window_, SW_SHOWNORMAL);
  }
  Line(L"listening " + o_.title + L" " +
       std::to_wstring(reinterpret_cast<std::uintptr_t>(window_)));
  if (o_.serverPort > 0) {
    Line(L"server-port " + std::to_wstring(o_.serverPort) + L" given");
  } else {
    StartGreeter();
  }
  SetTimer(window_, kTimerPoll, 50, nullptr);
  if (o_.launch) pending_.push_back(L"launch");
  std::wstring cmd;
  for (wchar_t ch : o_.script + L";") {
    if (ch == L';') {
      pending_.push_back(cmd);
      cmd.clear();
    } else {
      cmd += ch;
    }
  }
  if (!o_.commands.empty()) {
    commandFile_ = CreateFileW(o_.commands.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  Drain();
  return true;
}

// Without a game server: a loopback listener that accepts the login and then only listens, so
// the client still reaches its table.
void Lobby::StartGreeter() {
  WSADATA data{};
  winsock_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  greeter_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int len = sizeof a;
  if (greeter_ == INVALID_SOCKET || bind(greeter_, reinterpret_cast<sockaddr*>(&a), len) != 0 ||
      listen(greeter_, 4) != 0 ||
      getsockname(greeter_, reinterpret_cast<sockaddr*>(&a), &len) != 0 ||
      WSAAsyncSelect(greeter_, window_, kGreeterEvent, FD_ACCEPT) != 0) {
    Line(L"error cannot listen on 127.0.0.1");
    return;
  }
  o_.serverPort = ntohs(a.sin_port);
  Line(L"server-port " + std::to_wstring(o_.serverPort) + L" greeter");
}

void Lobby::OnGreeter(SOCKET s, int event) {
  if (event == FD_ACCEPT) {
    const SOCKET peer = accept(greeter_, nullptr, nullptr);
    if (peer == INVALID_SOCKET) return;
    greeted_[peer];
    WSAAsyncSelect(peer, window_, kGreeterEvent, FD_READ | FD_CLOSE);
    return;
  }
  auto it = greeted_.find(s);
  if (it == greeted_.end()) return;
  if (event == FD_CLOSE) {
    closesocket(s);
    greeted_.erase(it);
    return;
  }
  std::uint8_t buf[4096];
  const int n = recv(s, reinterpret_cast<char*>(buf), sizeof buf, 0);
  if (n <= 0) return;
  auto& in = it->second;
  in.insert(in.end(), buf, buf + n);
  while (in.size() >= static_cast<std::size_t>(wire::kFrameSize)) {
    const bool login = in[wire::kOffCmd] == kLoginCmd;
    in.erase(in.begin(), in.begin() + wire::kFrameSize);
    if (!login) continue;
    wire::NetMsg ok;
    ok.Cmd = kLoginCmd;
    ok.Value = {0, 8, 0, 1};  // no timeout limit, 8-second clock, success
    const wire::Frame f = wire::EncodeHeader(ok);
    send(s, reinterpret_cast<const char*>(f.data()), wire::kFrameSize, 0);
  }
}

void Lobby::Drain() {
  while (!sleeping_ && !quitting_ && !pending_.empty()) {
    const std::wstring line = pending_.front();
    pending_.pop_front();
    const int ms = Run(line);
    if (ms > 0) {
      sleeping_ = true;
      SetTimer(window_, kTimerSleep, static_cast<UINT>(ms), nullptr);
    }
  }
}

int Lobby::Run(const std::wstring& line) {
  const auto w = Words(line);
  if (w.empty() || w[0][0] == L'#') return 0;
  auto arg = [&](std::size_t i) -> long long {
    return i < w.size() ? Number(w[i]).value_or(0) : 0;
  };
  if ((w[0] == L"post" || w[0] == L"send") && w.size() >= 2) {
    const auto msg = static_cast<std::uint32_t>(arg(1));
    const auto wp = static_cast<std::int32_t>(arg(2));
    const auto lp = static_cast<std::int32_t>(arg(3));
    if (w[0] == L"post") {
      Post(msg, wp, lp);
    } else {
      Send(msg, wp, lp);
    }
  } else if (w[0] == L"launch") {
    Launch();
  } else if (w[0] == L"sleep") {
    const long long ms = arg(1);
    return static_cast<int>(ms < 0 ? 0 : (ms > 3600000 ? 3600000 : ms));
  } else if (w[0] == L"quit") {
    quitting_ = true;
    DestroyWindow(window_);
  } else {
    Line(L"error unknown command: " + line);
  }
  return 0;
}

void Lobby::Launch() {
  if (clientRunning_) return;
  if (o_.serverPort <= 0) {
    Line(L"error no game server to seat the client at");
    return;
  }
  std::wstring program = o_.client;
  if (program.empty()) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    program = self;
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"qintara.exe";
  }
  const std::wstring fields = ClientCommandLine(o_);
  // As the platform starts it: the program, then the fields as they are.
  std::wstring commandLine = L"\"" + program + L"\" " + fields;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  if (client_.hProcess != nullptr) {
    CloseHandle(client_.hProcess);
    CloseHandle(client_.hThread);
    client_ = {};
  }
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &client_)) {
    client_ = {};
    Line(L"error cannot start " + program + L" (" + std::to_wstring(GetLastError()) + L")");
    return;
  }
  clientRunning_ = true;
  Line(L"launched " + std::to_wstring(client_.dwProcessId) + L" " + fields);
}

void Lobby::Post(std::uint32_t msg, std::int32_t w, std::int32_t l) {
  const bool ok = link_.PostMessage(winhost::Utf8(ClientTitle(o_)), msg, w, l);
  Line(ok ? L"lobby-out " + std::to_wstring(msg) + L" " + std::to_wstring(w) + L" " +
                std::to_wstring(l)
          : L"lobby-out " + std::to_wstring(msg) + L" not found");
}

void Lobby::Send(std::uint32_t msg, std::int32_t w, std::int32_t l) {
  const auto r = link_.SendMessage(winhost::Utf8(ClientTitle(o_)), msg, w, l);
  Line(r ? L"answer " + std::to_wstring(msg) + L" " + std::to_wstring(*r)
         : L"lobby-out " + std::to_wstring(msg) + L" not found");
}

void Lobby::Poll() {
  if (clientRunning_ && WaitForSingleObject(client_.hProcess, 0) == WAIT_OBJECT_0) {
    DWORD code = 0;
    GetExitCodeProcess(client_.hProcess, &code);
    clientRunning_ = false;
    Line(L"client-exit " + std::to_wstring(code));
  }
  if (commandFile_ != INVALID_HANDLE_VALUE) {
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(commandFile_, buf, sizeof buf, &n, nullptr) && n > 0) {
      filePartial_.append(buf, n);
    }
    std::size_t nl = 0;
    while ((nl = filePartial_.find('\n')) != std::string::npos) {
      pending_.push_back(winhost::Wide(filePartial_.substr(0, nl)));
      filePartial_.erase(0, nl + 1);
    }
    Drain();
  }
}

LRESULT Lobby::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSCOMMAND: {
      const UINT command = static_cast<UINT>(wParam & 0xFFF0);
      if (command == SC_RESTORE || command == SC_MINIMIZE) {
        Line(L"lobby-in " + std::to_wstring(msg) + L" " + std::to_wstring(command) + L" 0");
        // Headless, the window stays as it is: hidden.
        if (o_.headless) return 0;
      }
      return DefWindowProcW(window_, msg, wParam, lParam);
    }
    case kGreeterEvent:
      OnGreeter(static_cast<SOCKET>(wParam), WSAGETSELECTEVENT(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == kTimerSleep) {
        KillTimer(window_, kTimerSleep);
        sleeping_ = false;
        Drain();
      } else if (wParam == kTimerPoll) {
        Poll();
      }
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == kIdLaunch) Launch();
      if (id >= kIdPost && id < kIdPost + 4) Post(kPostable[id - kIdPost], 0, 0);
      return 0;
    }
    case WM_SIZE:
      if (list_ != nullptr) {
        MoveWindow(list_, 8, 44, LOWORD(lParam) - 16, HIWORD(lParam) - 52, TRUE);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  // What the client posts: its numbered messages.
  if (msg == platform::kClientLoggingIn || msg == platform::kClientLoggedIn ||
      msg == platform::kClientIdle || msg == platform::kClientInHand ||
      msg == platform::kClientLoginPending || msg == platform::kClientHandBegun) {
    Line(L"lobby-in " + std::to_wstring(msg) + L" " +
         std::to_wstring(static_cast<std::int32_t>(wParam)) + L" " +
         std::to_wstring(static_cast<std::int32_t>(lParam)));
    return 0;
  }
  return DefWindowProcW(window_, msg, wParam, lParam);
}

LRESULT CALLBACK Lobby::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<Lobby*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->OnMessage(msg, wParam, lParam);
}

int Lobby::Run() {
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  Poll();
  return 0;
}

std::optional<Options> Parse(int argc, wchar_t** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    auto value = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
    if (a == L"--title") {
      o.title = value();
    } else if (a == L"--caption") {
      o.caption = value();
    } else if (a == L"--client") {
      o.client = value();
    } else if (a == L"--account") {
      o.account = value();
    } else if (a == L"--key") {
      o.key = value();
    } else if (a == L"--location") {
      o.location = value();
    } else if (a == L"--prop") {
      o.prop = static_cast<int>(Number(value()).value_or(1));
    } else if (a == L"--server-port") {
      o.serverPort = static_cast<int>(Number(value()).value_or(0));
    } else if (a == L"--headless") {
      o.headless = true;
    } else if (a == L"--launch") {
      o.launch = true;
    } else if (a == L"--script") {
      o.script = value();
    } else if (a == L"--commands") {
      o.commands = value();
    } else if (a == L"--log") {
      o.log = value();
    } else {
      std::fprintf(stderr,
                   "usage: qintara-lobby [--title T] [--caption TEXT] [--client PATH]\n"
                   "  [--account A] [--key K] [--location TEXT] [--prop N] [--server-port N]\n"
                   "  [--headless] [--launch] [--script \"CMD; CMD\"] [--commands FILE]"
                   " [--log FILE]\n");
      return std::nullopt;
    }
  }
  return o;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  auto options = argv != nullptr ? Parse(argc, argv) : std::nullopt;
  if (argv != nullptr) LocalFree(argv);
  if (!options) return 2;
  Lobby lobby(*options);
  if (!lobby.Open(GetModuleHandleW(nullptr))) return 1;
  return lobby.Run();
}
