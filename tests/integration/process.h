#pragma once
// Helpers for driving the real client: a child process, a loopback listener, frame reads.
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace itest {

class ChildProcess {
 public:
  // Starts program with args and extra environment variables.
  ChildProcess(const std::string& program, const std::vector<std::string>& args,
               const std::map<std::string, std::string>& env, bool captureStdout = false);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The exit status once the process has ended within the time, else empty.
  std::optional<int> WaitExit(std::chrono::milliseconds within);
  void Kill();
  // Sends the signal, the process being there still.
  void Signal(int sig);
  pid_t Pid() const { return pid_; }
  // With captureStdout: the next line the process printed, or empty when none came in time.
  std::optional<std::string> ReadLine(std::chrono::milliseconds within);

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  std::string buffered_;
  std::optional<int> status_;
};

class Listener {
 public:
  Listener();  // 127.0.0.1, a free port
  ~Listener();
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  int Port() const { return port_; }
  // Accepts one connection; false when none came in time.
  bool Accept(std::chrono::milliseconds within);
  std::optional<wire::Frame> ReadFrame(std::chrono::milliseconds within);
  void Send(const wire::Frame& frame);
  // Raw bytes, for peers that do not speak in frames (a proxy).
  std::vector<std::uint8_t> ReadBytes(std::size_t count, std::chrono::milliseconds within);
  void SendBytes(const std::vector<std::uint8_t>& bytes);
  void CloseConnection();

 private:
  int fd_ = -1;
  int conn_ = -1;
  int port_ = 0;
  std::vector<std::uint8_t> pending_;
};

// The port a development server names in its first line ("listening on N"), or -1.
int ListeningPort(ChildProcess& server);

// The processes pid has started that are running still.
std::vector<pid_t> ChildrenOf(pid_t pid);
// Whether process pid has ended (a zombie nobody has reaped yet counts as ended).
bool ProcessEnded(pid_t pid);
// Waits until process pid has ended.
bool WaitProcessEnded(pid_t pid, std::chrono::milliseconds within);

// A fresh private folder for one test's runtime files.
std::string MakeTempDir();
std::string ReadFile(const std::string& path);
// Waits until the file contains text.
bool WaitForText(const std::string& path, const std::string& text,
                 std::chrono::milliseconds within);

}  // namespace itest
