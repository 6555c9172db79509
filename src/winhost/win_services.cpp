// The Windows machine behind the window host: Winsock, the lobby's window messages, the disk,
// DirectSound, the log, message boxes, the browser, the named mutex and PropDll.dll.
// Winsock before the rest of the system's headers.
#include "winhost/win_socket.h"

#include "platform/disk_files.h"
#include "platform/log_file.h"
#include "winhost/services.h"
#include "winhost/win_instance.h"
#include "winhost/win_lobby.h"
#include "winhost/win_log.h"
#include "winhost/win_plugin.h"
#include "winhost/win_shell.h"
#include "winhost/win_sound.h"

namespace winhost {

namespace {

class WinServices final : public Services {
 public:
  WinServices()
      : log_(DefaultLogPath()),
        socket_(Sink()),
        lobby_(Sink()),
        files_(platform::ProgramFolderOfThisProcess(), platform::UserDataFolderOfThisUser()),
        sound_(Sink()) {}

  platform::Socket& Winsock1() override { return socket_; }
  platform::LobbyLink& Lobby() override { return lobby_; }
  platform::Files& Disk() override { return files_; }
  platform::SoundDevice& Sound() override { return sound_; }
  void Log(std::string_view kind, std::string_view detail) override { log_.Write(kind, detail); }
  bool LogVerbose() const override { return log_.Verbose(); }
  void FlushLog() override { log_.Flush(); }
  platform::MsgBoxResult MessageBox(const std::string& text, const std::string& title,
                                    platform::MsgBoxButtons buttons, HWND owner) override {
    return ShowMessageBox(owner, text, title, buttons);
  }
  bool AnotherInstanceRunning() override { return instance_.AnotherRunning(); }
  void OpenUrl(const std::string& url) override {
    if (!OpenInBrowser(url)) Log("error", "no browser opened " + url);
  }
  std::unique_ptr<platform::PropPlugin> LoadPropPlugin() override {
    return LoadPropDll(
        PropDllPath(files_.ProgramFolder()),
        [this](std::string_view kind, std::string_view detail) { Log(kind, detail); });
  }
  void MainWindowCreated(HWND main) override {
    sound_.SetWindow(main);
    lobby_.SetMainWindow(main);
  }
  void MainWindowClosing(HWND /*main*/) override { lobby_.SetMainWindow(nullptr); }

 private:
  std::function<void(std::string_view, std::string_view)> Sink() {
    return [this](std::string_view kind, std::string_view detail) { Log(kind, detail); };
  }

  platform::LogFile log_;
  WinSocket socket_;
  WinLobby lobby_;
  platform::DiskFiles files_;
  WinSound sound_;
  SingleInstance instance_;
};

}  // namespace

std::unique_ptr<Services> MakeServices(WinHost& /*host*/) {
  return std::make_unique<WinServices>();
}

}  // namespace winhost
