#pragma once
// What the Windows host takes from the machine besides windows and time: the socket, the
// lobby link, files, sound, the log, message boxes, the browser, the single-instance check and
// the prop plug-in. The window host forwards the core's calls here.
#include "winhost/win32.h"

#include <memory>
#include <string>
#include <string_view>

#include "platform/host.h"

namespace winhost {

class WinHost;

class Services {
 public:
  virtual ~Services() = default;
  virtual platform::Socket& Winsock1() = 0;
  virtual platform::LobbyLink& Lobby() = 0;
  virtual platform::Files& Disk() = 0;
  virtual platform::SoundDevice& Sound() = 0;
  virtual void Log(std::string_view kind, std::string_view detail) = 0;
  virtual bool LogVerbose() const = 0;
  // Before the program stops at once.
  virtual void FlushLog() = 0;
  // Only asked when someone is at the screen; owner may be null.
  virtual platform::MsgBoxResult MessageBox(const std::string& text, const std::string& title,
                                            platform::MsgBoxButtons buttons, HWND owner) = 0;
  virtual bool AnotherInstanceRunning() = 0;
  virtual void OpenUrl(const std::string& url) = 0;
  virtual std::unique_ptr<platform::PropPlugin> LoadPropPlugin() = 0;
  // The main window exists now, and is about to be destroyed.
  virtual void MainWindowCreated(HWND /*main*/) {}
  virtual void MainWindowClosing(HWND /*main*/) {}
};

// The real services (socket, sound, lobby link...), built when the program has them.
std::unique_ptr<Services> MakeServices(WinHost& host);
// Services that reach nothing: no connection, no sound, no lobby, the log on standard error.
std::unique_ptr<Services> MakeStubServices(WinHost& host);

}  // namespace winhost
