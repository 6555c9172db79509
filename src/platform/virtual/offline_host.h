#pragma once
// A deterministic host with no machine behind it: a virtual clock, a socket fed by its driver,
// files in memory, sound recorded. Time moves only when the driver advances it; due timers and
// scheduled events then fire in time order. The replay window plays hands on it; the test host
// (virtual_host.h) adds the player's input.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/host.h"

namespace vhost {

class OfflineHost;

class FakeSocket final : public platform::Socket {
 public:
  enum class ConnectMode { Accept, Refuse, Hang };

  explicit FakeSocket(OfflineHost& host) : host_(host) {}

  void SetRemote(const std::string& host, int port) override;
  void Connect() override;
  void Close() override;
  int State() const override { return state_; }
  void SendData(std::span<const std::uint8_t> bytes) override;
  void SetEvents(platform::SocketEvents* events) override { events_ = events; }

  // Test side.
  ConnectMode connectMode = ConnectMode::Accept;
  int connectDelayMs = 5;
  void Deliver(std::span<const std::uint8_t> bytes);
  void PeerClose();
  std::string remoteHost;
  int remotePort = 0;
  int connects = 0;
  std::vector<std::uint8_t> sent;  // every byte written, in order

 private:
  OfflineHost& host_;
  int state_ = platform::kSockClosed;
  std::uint64_t attempt_ = 0;
  platform::SocketEvents* events_ = nullptr;
};

class FakeLobby final : public platform::LobbyLink {
 public:
  struct Message {
    std::string title;
    std::uint32_t msg;
    std::int32_t wParam;
    std::int32_t lParam;
  };

  bool FindWindow(const std::string& title) override { return windows.contains(title); }
  bool PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                   std::int32_t lParam) override;
  std::optional<std::int32_t> SendMessage(const std::string& title, std::uint32_t msg,
                                          std::int32_t wParam, std::int32_t lParam) override;
  void Listen(const std::string& ownTitle, platform::LobbyEvents* events) override;
  std::int32_t DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                 std::int32_t lParam) override;

  // Test side.
  std::set<std::string> windows;  // titles of the windows that exist
  std::vector<Message> posted;
  std::vector<Message> sent;
  std::vector<Message> passedOn;  // messages handed to the window's own procedure
  std::string listeningAs;
  // Delivers a message to the client's window as the lobby would.
  std::int32_t Deliver(std::uint32_t msg, std::int32_t wParam = 0, std::int32_t lParam = 0);
  std::vector<std::uint32_t> PostedNumbers() const;

 private:
  platform::LobbyEvents* listener_ = nullptr;
};

// Files held in memory. A folder is writable unless listed in readOnlyFolders.
class MemoryFiles final : public platform::Files {
 public:
  std::string ProgramFolder() const override { return programFolder; }
  std::string UserDataFolder() const override { return userDataFolder; }
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path,
                                                    std::size_t maxBytes) override;
  bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
  bool RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override { return files.contains(path); }
  bool FolderWritable(const std::string& folder) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;

  // Test side.
  std::string programFolder = "/opt/qintara";
  std::string userDataFolder = "/home/player/.local/share/qintara";
  std::map<std::string, std::vector<std::uint8_t>> files;
  std::set<std::string> readOnlyFolders;
  int writes = 0;
  // The text of a file, or "" when it is missing.
  std::string Text(const std::string& path) const;
  void Put(const std::string& path, std::string_view bytes);
};

// The sound channel as a recorder: what would be played, looping or not, and how loud.
class SoundRecorder final : public platform::SoundDevice {
 public:
  bool Open() override;
  bool Play(const std::string& path, bool looping) override;
  void Stop() override;
  void SetAttenuation(int hundredthsDb) override;
  void SetEvents(platform::SoundEvents* events) override { events_ = events; }

  // Test side.
  struct Request {
    std::string path;
    bool looping = false;
    int attenuation = 0;  // the last volume set while this sound was the current one
  };
  bool noDevice = false;          // Open fails
  std::set<std::string> missing;  // files that fail to load
  int opens = 0;
  int stops = 0;
  std::vector<Request> played;  // every sound started, in order
  bool playing = false;         // the channel plays (stopped sounds stay in played)
  int attenuation = 0;
  // The sound started last, or null when none was.
  const Request* Current() const { return played.empty() ? nullptr : &played.back(); }
  std::vector<std::string> Paths() const;
  // Reports a failure of the current sound as a device that loads in the background would.
  void FailLater();

 private:
  bool open_ = false;
  platform::SoundEvents* events_ = nullptr;
};

class OfflineHost : public platform::Host {
 public:
  OfflineHost();

  // Host.
  void TimerChanged(platform::Timer& timer) override;
  double SecondsSinceMidnight() const override;
  std::int64_t TickCount() const override { return now_; }
  void Randomize(double seed) override;
  double Rnd() override;
  void WaitProcessingEvents(int ms) override;
  void WaitUntil(const std::function<bool()>& done) override;
  void Pause(int ms) override { now_ += ms; }
  [[noreturn]] void EndProgram(const std::string& reason) override;
  platform::MsgBoxResult MessageBox(const std::string& text, const std::string& title,
                                    platform::MsgBoxButtons buttons) override;
  void Log(std::string_view kind, std::string_view detail) override;
  bool LogVerbose() const override { return verbose; }
  bool AnotherInstanceRunning() override { return anotherInstance; }
  void OpenUrl(const std::string& url) override { openedUrls.push_back(url); }
  platform::ScreenSize Screen() const override { return screen; }
  platform::Socket& Winsock1() override { return socket; }
  platform::LobbyLink& Lobby() override { return lobby; }
  platform::Files& Disk() override { return disk != nullptr ? *disk : files; }
  platform::SoundDevice& Sound() override { return sound; }
  void RegisterForm(platform::Form& form, platform::FormEvents& events) override;
  void UnregisterForm(platform::Form& form) override;
  bool Unattended() const override { return unattended; }
  void Post(std::function<void()> f) override { Schedule(0, std::move(f)); }
  std::unique_ptr<platform::PropPlugin> LoadPropPlugin() override;

  // Driver side. Each returns normally when the program ends; Ended() then tells.
  void Advance(std::int64_t ms);
  // Runs f, catching the end of the program.
  void Run(const std::function<void()>& f);
  void Schedule(std::int64_t delayMs, std::function<void()> f);
  std::int64_t Now() const { return now_; }
  bool Ended() const { return endReason_.has_value(); }
  const std::string& EndReason() const;

  struct LogLine {
    std::int64_t ms;
    std::string kind;
    std::string detail;
  };
  std::vector<LogLine> log;
  // When set, the client's files go here instead of to the files held in memory (a long run
  // whose files must not count as the client's memory).
  platform::Files* disk = nullptr;
  bool HasLog(std::string_view kind, std::string_view detail) const;
  std::vector<std::string> LogDetails(std::string_view kind) const;

  // Every registered form with its events, for a driver that shows them in windows.
  std::vector<std::pair<platform::Form*, platform::FormEvents*>> RegisteredForms() const;
  bool unattended = false;

  FakeSocket socket{*this};
  FakeLobby lobby;
  MemoryFiles files;
  SoundRecorder sound;
  platform::ScreenSize screen{1280, 1024};
  bool anotherInstance = false;
  std::vector<std::string> openedUrls;
  bool verbose = false;
  // Makes the prop plug-in when the client loads it; unset: there is no plug-in library.
  std::function<std::unique_ptr<platform::PropPlugin>()> propPlugin;
  platform::MsgBoxResult nextAnswer = platform::MsgBoxResult::Ok;
  struct Box {
    std::string text;
    std::string title;
  };
  std::vector<Box> messageBoxes;
  // How long a message box stays open, handling events meanwhile as a modal window does.
  int messageBoxOpenMs = 0;
  // The virtual day starts at this many seconds after midnight.
  double startOfDay = 10 * 3600;

 private:
  struct TimerEntry {
    std::int64_t due;
    std::uint64_t generation;
    std::uint64_t seq;  // order among timers due at the same moment
  };
  // Fires the earliest timer or event due at or before limit; false when there is none.
  bool FireNext(std::int64_t limit);

  struct Window {
    platform::Form* form;
    platform::FormEvents* events;
  };

  std::vector<Window> windows_;
  std::int64_t now_ = 0;
  std::map<platform::Timer*, TimerEntry> timers_;
  std::multimap<std::int64_t, std::function<void()>> events_;
  std::optional<std::string> endReason_;
  std::mt19937_64 rng_{12345};
  std::uint64_t seq_ = 0;
};

}  // namespace vhost
