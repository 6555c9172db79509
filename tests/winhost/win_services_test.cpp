// The Windows host's services on the real system calls (run under Wine): a loopback TCP
// connection through WSAAsyncSelect, window messages between two real top-level windows,
// DirectSound, the named mutex, the log, the plug-in library.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "winhost/win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disk_files.h"
#include "platform/log_file.h"
#include "winhost/win_instance.h"
#include "winhost/win_lobby.h"
#include "winhost/win_plugin.h"
#include "winhost/win_shell.h"
#include "winhost/win_socket.h"
#include "winhost/win_sound.h"

namespace {

struct Lines {
  std::vector<std::string> all;
  auto Sink() {
    return [this](std::string_view kind, std::string_view detail) {
      all.push_back(std::string(kind) + ": " + std::string(detail));
    };
  }
};

// Handles messages until done() or, as a guard against a hang, a few thousand rounds.
bool PumpUntil(const std::function<bool()>& done) {
  for (int round = 0; round < 3000; ++round) {
    if (done()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  }
  return done();
}

void PumpRounds(int n) {
  int round = 0;
  PumpUntil([&] { return ++round > n; });
}

class Listener {
 public:
  Listener() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
    s_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(s_, 4);
    int len = sizeof a;
    getsockname(s_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    u_long nb = 1;
    ioctlsocket(s_, FIONBIO, &nb);
  }
  ~Listener() {
    if (peer_ != INVALID_SOCKET) closesocket(peer_);
    closesocket(s_);
    WSACleanup();
  }
  int Port() const { return port_; }
  bool Accept() {
    return PumpUntil([this] {
      peer_ = accept(s_, nullptr, nullptr);
      return peer_ != INVALID_SOCKET;
    });
  }
  SOCKET Peer() const { return peer_; }
  void ClosePeer() {
    closesocket(peer_);
    peer_ = INVALID_SOCKET;
  }

 private:
  SOCKET s_ = INVALID_SOCKET;
  SOCKET peer_ = INVALID_SOCKET;
  int port_ = 0;
};

struct Received : platform::SocketEvents {
  std::vector<std::uint8_t> bytes;
  int closes = 0;
  void OnDataArrival(std::span<const std::uint8_t> b) override {
    bytes.insert(bytes.end(), b.begin(), b.end());
  }
  void OnClose() override { ++closes; }
};

TEST(WinSocket, ConnectsDeliversBytesBothWaysAndReportsThePeersClose) {
  Listener server;
  Lines log;
  Received got;
  winhost::WinSocket s(log.Sink());
  s.SetEvents(&got);
  EXPECT_EQ(s.State(), 0);
  s.SetRemote("127.0.0.1", server.Port());
  s.Connect();
  ASSERT_TRUE(server.Accept());
  ASSERT_TRUE(PumpUntil([&] { return s.State() == 7; })) << s.State();
  BOOL noDelay = FALSE;
  int len = sizeof noDelay;
  getsockopt(s.Native(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<char*>(&noDelay), &len);
  EXPECT_TRUE(noDelay) << "frames go out at once";

  // Three frames in one segment arrive whole, in order.
  std::vector<std::uint8_t> frames(3 * 272);
  for (std::size_t i = 0; i < frames.size(); ++i) frames[i] = static_cast<std::uint8_t>(i * 7);
  send(server.Peer(), reinterpret_cast<const char*>(frames.data()), static_cast<int>(frames.size()),
       0);
  ASSERT_TRUE(PumpUntil([&] { return got.bytes.size() >= frames.size(); }));
  EXPECT_EQ(got.bytes, frames);

  std::vector<std::uint8_t> out(272, 0x5A);
  out[3] = 18;
  s.SendData(out);
  std::vector<std::uint8_t> in(272);
  std::size_t have = 0;
  ASSERT_TRUE(PumpUntil([&] {
    const int n = recv(server.Peer(), reinterpret_cast<char*>(in.data() + have),
                       static_cast<int>(in.size() - have), 0);
    if (n > 0) have += static_cast<std::size_t>(n);
    return have == in.size();
  }));
  EXPECT_EQ(in, out);

  // Bytes sent just before the close still arrive, then the close.
  const char last[4] = {1, 2, 3, 4};
  send(server.Peer(), last, 4, 0);
  server.ClosePeer();
  ASSERT_TRUE(PumpUntil([&] { return got.closes == 1; }));
  EXPECT_EQ(got.bytes.size(), frames.size() + 4);
  EXPECT_EQ(s.State(), 0);
}

TEST(WinSocket, ClosingByTheClientAndRefusedConnections) {
  Lines log;
  Received got;
  winhost::WinSocket s(log.Sink());
  s.SetEvents(&got);
  {
    Listener server;
    s.SetRemote("127.0.0.1", server.Port());
    s.Connect();
    ASSERT_TRUE(server.Accept());
    ASSERT_TRUE(PumpUntil([&] { return s.State() == 7; }));
    s.Close();
    EXPECT_EQ(s.State(), 0);
    s.SendData(std::vector<std::uint8_t>(272, 1));  // nothing to send it on: dropped
  }
  // The closed socket's own close is not reported: only a peer's close is an event.
  PumpRounds(20);
  EXPECT_EQ(got.closes, 0);

  // Nobody listens on the port the listener had: the attempt fails, the state says so.
  int port = 0;
  {
    Listener probe;
    port = probe.Port();
  }
  s.SetRemote("127.0.0.1", port);
  s.Connect();
  ASSERT_TRUE(PumpUntil([&] { return s.State() != 6 && s.State() != 4; }));
  EXPECT_EQ(s.State(), 9);
  ASSERT_FALSE(log.all.empty());
  EXPECT_NE(log.all.back().find("socket: cannot connect to 127.0.0.1:"), std::string::npos)
      << log.all.back();
  EXPECT_EQ(got.closes, 0);
}

// ---- Window messages between two real windows ----

struct Recorded {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

std::vector<Recorded>& LobbyLog() {
  static std::vector<Recorded> log;
  return log;
}
std::vector<Recorded>& ClientLog() {
  static std::vector<Recorded> log;
  return log;
}

LRESULT CALLBACK LobbyProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1000 || m == WM_SYSCOMMAND || m == 22 || m == 771) {
    LobbyLog().push_back({m, w, l});
    if (m == WM_SYSCOMMAND) return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

LRESULT CALLBACK ClientProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 22 || m == 771 || m >= 1000) {
    ClientLog().push_back({m, w, l});
    return 77;
  }
  return DefWindowProcW(h, m, w, l);
}

HWND MakeWindow(const wchar_t* cls, WNDPROC proc, const wchar_t* title) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassW(&wc);
  return CreateWindowExW(0, cls, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

struct CoreProc : platform::LobbyEvents {
  std::vector<std::uint32_t> got;
  std::int32_t OnWindowMessage(std::uint32_t msg, std::int32_t, std::int32_t) override {
    got.push_back(msg);
    return 0;
  }
};

TEST(WinLobby, FindsTheLobbyByTitlePostsAndSendsAndHooksTheMainWindow) {
  LobbyLog().clear();
  ClientLog().clear();
  // A lobby of its own title: "VorelLodge" may be taken by another test's lobby.
  const std::string title = "测试大厅 VorelLodge";
  HWND lobby = MakeWindow(L"TestLobby", &LobbyProc, L"测试大厅 VorelLodge");
  HWND main = MakeWindow(L"TestClient", &ClientProc, L"Qintara");
  ASSERT_NE(lobby, nullptr);
  ASSERT_NE(main, nullptr);
  Lines log;
  winhost::WinLobby link(log.Sink());
  link.SetMainWindow(main);

  EXPECT_TRUE(link.FindWindow(title));
  EXPECT_FALSE(link.FindWindow("测试大厅"));
  EXPECT_FALSE(link.FindWindow(title + " "));

  // Client to lobby: posted numbers with zero parameters, the system commands sent.
  for (std::uint32_t m : {22U, 771U, 1024U, 1125U, 1126U, 1127U}) {
    EXPECT_TRUE(link.PostMessage(title, m, 0, 0));
  }
  EXPECT_EQ(link.SendMessage(title, platform::kWmSysCommand, platform::kScRestore, 0), 0);
  ASSERT_EQ(LobbyLog().size(), 1U) << "sent at once, the posts wait in the queue";
  EXPECT_EQ(LobbyLog()[0].wParam, 0xF120U);
  EXPECT_EQ(link.SendMessage(title, platform::kWmSysCommand, platform::kScMinimize, 0), 0);
  PumpUntil([] { return LobbyLog().size() == 8; });
  std::vector<UINT> order;
  for (const auto& r : LobbyLog()) order.push_back(r.msg);
  EXPECT_EQ(order,
            (std::vector<UINT>{WM_SYSCOMMAND, WM_SYSCOMMAND, 22, 771, 1024, 1125, 1126, 1127}));
  EXPECT_EQ(LobbyLog()[1].wParam, 0xF020U);
  EXPECT_FALSE(link.PostMessage("没有这个窗口", 771, 0, 0));
  EXPECT_FALSE(link.SendMessage("没有这个窗口", platform::kWmSysCommand, platform::kScRestore, 0));

  // Lobby to client: the four numbers reach the core, everything else the old procedure with
  // its parameters as they were (wider than 32 bits too).
  CoreProc core;
  const auto original = GetWindowLongPtrW(main, GWLP_WNDPROC);
  link.Listen("Qintara", &core);
  EXPECT_TRUE(link.Hooked());
  EXPECT_NE(GetWindowLongPtrW(main, GWLP_WNDPROC), original);
  const LPARAM wide = static_cast<LPARAM>(0x123456789LL);
  for (UINT m : {22U, 771U, 1024U, 1125U, 1126U}) PostMessageW(main, m, 0, 0);
  PostMessageW(main, 5000, 3, wide);
  PumpUntil([&] { return core.got.size() == 4 && ClientLog().size() == 2; });
  EXPECT_EQ(core.got, (std::vector<std::uint32_t>{22, 771, 1024, 1125}));
  ASSERT_EQ(ClientLog().size(), 2U);
  EXPECT_EQ(ClientLog()[0].msg, 1126U);
  EXPECT_EQ(ClientLog()[1].msg, 5000U);
  EXPECT_EQ(ClientLog()[1].wParam, 3U);
  EXPECT_EQ(ClientLog()[1].lParam, wide);
  EXPECT_EQ(SendMessageW(main, 1125, 0, 0), 0) << "the core's answer";
  EXPECT_EQ(SendMessageW(main, 1300, 0, 0), 77) << "the old procedure's answer";
  int lobbyIn = 0;
  for (const auto& l : log.all) lobbyIn += l.rfind("lobby-in: ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(lobbyIn, 5);

  // Unloading puts the old procedure back.
  link.Listen("Qintara", nullptr);
  EXPECT_FALSE(link.Hooked());
  EXPECT_EQ(GetWindowLongPtrW(main, GWLP_WNDPROC), original);
  SendMessageW(main, 22, 0, 0);
  EXPECT_EQ(core.got.size(), 5U) << "four posted, one sent before the unload";

  // The lobby gone: nothing found, nothing posted.
  DestroyWindow(lobby);
  EXPECT_FALSE(link.FindWindow(title));
  EXPECT_FALSE(link.PostMessage(title, 1024, 0, 0));
  DestroyWindow(main);
}

TEST(WinLobby, TitlesAreComparedInTheAnsiCodePage) {
  if (GetACP() != 936) GTEST_SKIP() << "needs the Chinese code page (LANG=zh_CN.UTF-8)";
  EXPECT_EQ(winhost::AnsiText("大厅一号"), "\xB4\xF3\xCC\xFC\xD2\xBB\xBA\xC5");
  // What GBK lacks is '?' for each of its UTF-16 units, as the system converts it: a lobby
  // with such a title cannot be found by it.
  EXPECT_EQ(winhost::AnsiText("a\xF0\x9F\x98\x80"), "a??");
}

// ---- Sound ----

std::string WriteWav(const std::filesystem::path& dir, const char* name) {
  std::vector<std::uint8_t> b;
  auto u16 = [&](unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto u32 = [&](std::uint32_t v) {
    u16(v & 0xFFFF);
    u16(v >> 16);
  };
  auto tag = [&](const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
  };
  const std::uint32_t samples = 22050;  // one second, 16-bit mono
  tag("RIFF");
  u32(36 + samples * 2);
  tag("WAVE");
  tag("fmt ");
  u32(16);
  u16(1);
  u16(1);
  u32(22050);
  u32(44100);
  u16(2);
  u16(16);
  tag("data");
  u32(samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i) u16((i % 50) * 400);
  const auto path = dir / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return platform::Utf8Path(path);
}

TEST(WinSound, WithoutADeviceItRefusesToOpenAndPlaysNothing) {
  Lines log;
  winhost::WinSound sound(log.Sink(), [](IDirectSound8** out) {
    *out = nullptr;
    return DSERR_NODRIVER;
  });
  EXPECT_FALSE(sound.Open());
  EXPECT_TRUE(log.all.empty()) << "the table says it once";
  EXPECT_FALSE(sound.Play("C:/nothing.wav", false));
  sound.Stop();
  sound.SetAttenuation(-100);
  EXPECT_FALSE(sound.Playing());
}

TEST(WinSound, PlaysOnceOrLoopingStopsRewindsAndAttenuates) {
  Lines log;
  winhost::WinSound sound(log.Sink());
  if (!sound.Open()) GTEST_SKIP() << "no DirectSound device here (Wine without audio)";
  const auto dir = std::filesystem::temp_directory_path() / "qintara-sound-测试";
  std::filesystem::create_directories(dir);
  const std::string wav = WriteWav(dir, "提示.wav");
  ASSERT_TRUE(sound.Play(wav, true));
  EXPECT_TRUE(sound.Playing());
  EXPECT_TRUE(sound.Looping());
  EXPECT_EQ(sound.Volume(), 0) << "full volume";
  struct Case {
    int in;
    long out;
  };
  for (const Case k : {Case{-3000, -3000}, Case{0, 0}, Case{-20000, -10000}, Case{50, 0}}) {
    sound.SetAttenuation(k.in);
    EXPECT_EQ(sound.Volume(), k.out) << k.in;
  }
  sound.Stop();
  EXPECT_FALSE(sound.Playing());
  EXPECT_EQ(sound.Position(), 0U);
  ASSERT_TRUE(sound.Play(wav, false));
  EXPECT_TRUE(sound.Playing());
  EXPECT_FALSE(sound.Looping());
  const std::string bad = platform::Utf8Path(dir / "bad.wav");
  std::ofstream(platform::NativePath(bad)) << "RIFF....WAVEjunk";
  EXPECT_FALSE(sound.Play(bad, false));
  EXPECT_FALSE(sound.Playing()) << "a new sound stops the old one, even when it fails";
  std::filesystem::remove_all(dir);
}

// ---- The rest ----

TEST(SingleInstance, TheSecondHolderOfTheNameIsRefusedUntilTheFirstEnds) {
  const std::wstring name = L"Local\\QintaraTest-" + std::to_wstring(GetCurrentProcessId());
  auto first = std::make_unique<winhost::SingleInstance>(name);
  EXPECT_FALSE(first->AnotherRunning());
  EXPECT_FALSE(first->AnotherRunning()) << "asking again is not a second copy";
  winhost::SingleInstance second(name);
  EXPECT_TRUE(second.AnotherRunning());
  first.reset();
  winhost::SingleInstance third(name);
  EXPECT_FALSE(third.AnotherRunning());
}

TEST(Browser, OnlyWebAddressesAreOpened) {
  for (const char* url : {"file:///C:/windows/system32/calc.exe", "calc.exe", "C:\\x.bat",
                          "javascript:alert(1)", "httpx://a", "", "http:/x"}) {
    EXPECT_FALSE(winhost::OpenInBrowser(url)) << url;
  }
}

TEST(LogFile, AChinesePathAndItsLines) {
  const auto dir = std::filesystem::temp_directory_path() / "日志-qintara";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = platform::Utf8Path(dir / "客户端.log");
  {
    platform::LogFile log(path, false, 1 << 20);
    log.Write("msgbox", "本游戏需从游戏大厅中启动！ | 警告");
    log.Write("end", "two\nlines");
  }
  std::ifstream in(platform::NativePath(path), std::ios::binary);
  std::string a, b;
  std::getline(in, a);
  std::getline(in, b);
  EXPECT_NE(a.find(" msgbox: 本游戏需从游戏大厅中启动！ | 警告"), std::string::npos) << a;
  EXPECT_EQ(a.find('\r'), std::string::npos) << "one LF per line, no CR";
  EXPECT_NE(b.find(" end: two lines"), std::string::npos) << b;
  in.close();
  std::filesystem::remove_all(dir);
}

TEST(PropDll, AMissingLibraryIsOneLineAndTheReferencePluginLoads) {
  Lines log;
  EXPECT_EQ(winhost::LoadPropDll("C:/no/such/PropDll.dll", log.Sink()), nullptr);
  ASSERT_EQ(log.all.size(), 1U);
  EXPECT_EQ(log.all[0].rfind("plugin: no plug-in: C:/no/such/PropDll.dll", 0), 0U) << log.all[0];
#ifdef QINTARA_PROPDLL
  log.all.clear();
  auto p = winhost::LoadPropDll(QINTARA_PROPDLL, log.Sink());
  ASSERT_NE(p, nullptr) << (log.all.empty() ? "" : log.all[0]);
  std::int32_t scale = 1;
  std::int32_t param = 0;
  EXPECT_TRUE(p->Initdll("player1", "key-0001", scale, param));
  // Its greeting: a message line, then a label, in UTF-8 across the C interface.
  EXPECT_EQ(p->CheckSendBuff(), 2);
  platform::PropSendItem item;
  ASSERT_TRUE(p->GetSendBuff(item));
  EXPECT_EQ(item.Kind, 0);
  EXPECT_EQ(item.Text.rfind("道具系统已启动", 0), 0U) << item.Text;
#endif
}

}  // namespace
