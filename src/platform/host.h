#pragma once
// Everything the core asks of the machine it runs on. The Qt host and the virtual test host
// implement it; the core never reaches the platform any other way.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/forms.h"
#include "platform/lobby.h"
#include "platform/prop_plugin.h"
#include "platform/socket.h"
#include "platform/sound.h"
#include "platform/timer.h"

namespace platform {

// Thrown by a host's EndProgram where the program cannot simply stop (the virtual host), so
// the caller unwinds to whoever drives the client. Deliberately not a std::exception: the
// run-time error path of the dispatcher must let it through.
struct ProgramEnded {
  std::string reason;
};

struct ScreenSize {
  int width = 1024;
  int height = 768;
};

enum class MsgBoxButtons { Ok, OkCancel, YesNo };
enum class MsgBoxResult { Ok, Cancel, Yes, No };

class Host : public TimerHost, public FormHost {
 public:
  // Clock: seconds since midnight (with fraction) and milliseconds since start.
  virtual double SecondsSinceMidnight() const = 0;
  virtual std::int64_t TickCount() const = 0;
  // Random numbers in [0, 1), reseedable.
  virtual void Randomize(double seed) = 0;
  virtual double Rnd() = 0;

  // Waits. The first two keep handling events (timers, socket, lobby messages) meanwhile;
  // Pause handles none.
  virtual void WaitProcessingEvents(int ms) = 0;
  virtual void WaitUntil(const std::function<bool()>& done) = 0;
  virtual void Pause(int ms) = 0;

  // Stops the program at once: nothing more is sent, no unload step runs.
  [[noreturn]] virtual void EndProgram(const std::string& reason) = 0;

  virtual MsgBoxResult MessageBox(const std::string& text, const std::string& title,
                                  MsgBoxButtons buttons) = 0;

  // Diagnostics log: one line per event, "kind: detail".
  virtual void Log(std::string_view kind, std::string_view detail) = 0;
  virtual bool LogVerbose() const = 0;

  virtual bool AnotherInstanceRunning() = 0;
  // Opens a web address in the user's own browser.
  virtual void OpenUrl(const std::string& url) = 0;
  virtual ScreenSize Screen() const = 0;

  virtual Socket& Winsock1() = 0;
  virtual LobbyLink& Lobby() = 0;
  // The client's files (INI files, records, replays).
  virtual Files& Disk() = 0;
  virtual SoundDevice& Sound() = 0;

  // Creates the prop plug-in from its library beside the program. Null when it is missing or
  // unusable; the host then logs one line saying why.
  virtual std::unique_ptr<PropPlugin> LoadPropPlugin() { return nullptr; }
};

}  // namespace platform
