#include "process.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace itest {

using Clock = std::chrono::steady_clock;

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::map<std::string, std::string>& env, bool captureStdout) {
  std::map<std::string, std::string> merged;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string kv(*e);
    const auto eq = kv.find('=');
    if (eq != std::string::npos) merged[kv.substr(0, eq)] = kv.substr(eq + 1);
  }
  for (const auto& [k, v] : env) merged[k] = v;
  std::vector<std::string> envStrings;
  for (const auto& [k, v] : merged) envStrings.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (auto& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);
  std::vector<std::string> argStrings{program};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argStrings) argv.push_back(s.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int pipeFds[2] = {-1, -1};
  if (captureStdout) {
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  }
  const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (captureStdout) {
    close(pipeFds[1]);
    stdout_ = pipeFds[0];
  }
  if (rc != 0) throw std::runtime_error("cannot start " + program);
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds within) {
  const auto end = Clock::now() + within;
  while (true) {
    const auto nl = buffered_.find('\n');
    if (nl != std::string::npos) {
      std::string line = buffered_.substr(0, nl);
      buffered_.erase(0, nl + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (stdout_ < 0 || left.count() <= 0) return std::nullopt;
    pollfd p{stdout_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char buf[1024];
    const ssize_t n = read(stdout_, buf, sizeof buf);
    if (n <= 0) return std::nullopt;
    buffered_.append(buf, static_cast<std::size_t>(n));
  }
}

ChildProcess::~ChildProcess() {
  Kill();
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds within) {
  if (status_) return status_;
  const auto end = Clock::now() + within;
  while (Clock::now() < end) {
    int st = 0;
    if (waitpid(pid_, &st, WNOHANG) == pid_) {
      status_ = WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
      return status_;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

void ChildProcess::Kill() {
  if (pid_ <= 0 || status_) return;
  kill(pid_, SIGKILL);
  int st = 0;
  waitpid(pid_, &st, 0);
  status_ = -1;
}

void ChildProcess::Signal(int sig) {
  if (pid_ > 0 && !status_) kill(pid_, sig);
}

std::vector<pid_t> ChildrenOf(pid_t pid) {
  std::vector<pid_t> out;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* d = opendir(tasks.c_str());
  if (d == nullptr) return out;
  while (const dirent* e = readdir(d)) {
    if (e->d_name[0] == '.') continue;
    std::ifstream in(tasks + "/" + e->d_name + "/children");
    pid_t child = 0;
    while (in >> child) out.push_back(child);
  }
  closedir(d);
  return out;
}

bool ProcessEnded(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(in, stat)) return true;
  // pid (name) state ...: the name may hold blanks and brackets, the state follows the last ')'.
  const auto close = stat.rfind(')');
  return close == std::string::npos || close + 2 >= stat.size() || stat[close + 2] == 'Z' ||
         stat[close + 2] == 'X';
}

bool WaitProcessEnded(pid_t pid, std::chrono::milliseconds within) {
  const auto end = Clock::now() + within;
  while (!ProcessEnded(pid)) {
    if (Clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

Listener::Listener() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd_, 4) != 0) {
    throw std::runtime_error("cannot listen");
  }
  socklen_t len = sizeof addr;
  getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
  port_ = ntohs(addr.sin_port);
}

Listener::~Listener() {
  CloseConnection();
  if (fd_ >= 0) close(fd_);
}

bool Listener::Accept(std::chrono::milliseconds within) {
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(within.count())) <= 0) return false;
  conn_ = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  pending_.clear();
  return conn_ >= 0;
}

std::optional<wire::Frame> Listener::ReadFrame(std::chrono::milliseconds within) {
  const auto end = Clock::now() + within;
  while (pending_.size() < wire::kFrameSize) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0 || conn_ < 0) return std::nullopt;
    pollfd p{conn_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    std::uint8_t buf[4096];
    const ssize_t n = recv(conn_, buf, sizeof buf, 0);
    if (n <= 0) return std::nullopt;
    pending_.insert(pending_.end(), buf, buf + n);
  }
  wire::Frame f{};
  std::copy_n(pending_.begin(), wire::kFrameSize, f.begin());
  pending_.erase(pending_.begin(), pending_.begin() + wire::kFrameSize);
  return f;
}

void Listener::Send(const wire::Frame& frame) {
  if (conn_ >= 0) ::send(conn_, frame.data(), frame.size(), MSG_NOSIGNAL);
}

std::vector<std::uint8_t> Listener::ReadBytes(std::size_t count, std::chrono::milliseconds within) {
  const auto end = Clock::now() + within;
  while (pending_.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0 || conn_ < 0) break;
    pollfd p{conn_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    std::uint8_t buf[4096];
    const ssize_t n = recv(conn_, buf, sizeof buf, 0);
    if (n <= 0) break;
    pending_.insert(pending_.end(), buf, buf + n);
  }
  const std::size_t take = std::min(count, pending_.size());
  std::vector<std::uint8_t> out(pending_.begin(), pending_.begin() + static_cast<long>(take));
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(take));
  return out;
}

void Listener::SendBytes(const std::vector<std::uint8_t>& bytes) {
  if (conn_ >= 0) ::send(conn_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

void Listener::CloseConnection() {
  if (conn_ >= 0) close(conn_);
  conn_ = -1;
}

std::string MakeTempDir() {
  std::string tmpl = "/tmp/qintara-it-XXXXXX";
  if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp");
  return tmpl;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool WaitForText(const std::string& path, const std::string& text,
                 std::chrono::milliseconds within) {
  const auto end = Clock::now() + within;
  while (Clock::now() < end) {
    if (ReadFile(path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

int ListeningPort(ChildProcess& server) {
  const auto line = server.ReadLine(std::chrono::seconds(10));
  if (!line) return -1;
  std::smatch m;
  const std::regex re("listening on ([0-9]+)");
  return std::regex_search(*line, m, re) ? std::stoi(m[1]) : -1;
}

}  // namespace itest
