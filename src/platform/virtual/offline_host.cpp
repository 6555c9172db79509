#include "platform/virtual/offline_host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace vhost {

namespace {
std::string ParentOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
}  // namespace

std::optional<std::vector<std::uint8_t>> MemoryFiles::ReadFile(const std::string& path,
                                                               std::size_t maxBytes) {
  const auto it = files.find(path);
  if (it == files.end() || it->second.size() > maxBytes) return std::nullopt;
  return it->second;
}

bool MemoryFiles::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (!FolderWritable(ParentOf(path))) return false;
  ++writes;
  files[path].assign(bytes.begin(), bytes.end());
  return true;
}

bool MemoryFiles::RemoveFile(const std::string& path) {
  if (!FolderWritable(ParentOf(path))) return false;
  return files.erase(path) > 0;
}

bool MemoryFiles::FolderWritable(const std::string& folder) {
  return !readOnlyFolders.contains(folder);
}

std::vector<std::string> MemoryFiles::ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& [path, bytes] : files) {
    if (ParentOf(path) == folder) names.push_back(path.substr(folder.size() + 1));
  }
  return names;
}

std::string MemoryFiles::Text(const std::string& path) const {
  const auto it = files.find(path);
  return it == files.end() ? std::string() : std::string(it->second.begin(), it->second.end());
}

void MemoryFiles::Put(const std::string& path, std::string_view bytes) {
  files[path].assign(bytes.begin(), bytes.end());
}

// --- FakeSocket -------------------------------------------------------------------------------

void FakeSocket::SetRemote(const std::string& host, int port) {
  remoteHost = host;
  remotePort = port;
}

void FakeSocket::Connect() {
  ++connects;
  state_ = platform::kSockConnecting;
  const std::uint64_t attempt = ++attempt_;
  if (connectMode == ConnectMode::Hang) return;
  host_.Schedule(connectDelayMs, [this, attempt] {
    if (attempt != attempt_ || state_ != platform::kSockConnecting) return;
    state_ = connectMode == ConnectMode::Accept ? platform::kSockConnected : platform::kSockError;
  });
}

void FakeSocket::Close() {
  ++attempt_;
  state_ = platform::kSockClosed;
}

void FakeSocket::SendData(std::span<const std::uint8_t> bytes) {
  if (state_ != platform::kSockConnected) throw std::runtime_error("send on a closed socket");
  sent.insert(sent.end(), bytes.begin(), bytes.end());
}

void FakeSocket::Deliver(std::span<const std::uint8_t> bytes) {
  if (events_ != nullptr) {
    host_.Run([&] { events_->OnDataArrival(bytes); });
  }
}

void FakeSocket::PeerClose() {
  if (state_ != platform::kSockConnected) return;
  state_ = platform::kSockClosing;
  if (events_ != nullptr) host_.Run([&] { events_->OnClose(); });
}

// --- FakeLobby --------------------------------------------------------------------------------

bool FakeLobby::PostMessage(const std::string& title, std::uint32_t msg, std::int32_t wParam,
                            std::int32_t lParam) {
  if (!windows.contains(title)) return false;
  posted.push_back({title, msg, wParam, lParam});
  return true;
}

std::optional<std::int32_t> FakeLobby::SendMessage(const std::string& title, std::uint32_t msg,
                                                   std::int32_t wParam, std::int32_t lParam) {
  if (!windows.contains(title)) return std::nullopt;
  sent.push_back({title, msg, wParam, lParam});
  return 0;
}

void FakeLobby::Listen(const std::string& ownTitle, platform::LobbyEvents* events) {
  listener_ = events;
  listeningAs = events != nullptr ? ownTitle : std::string();
}

std::int32_t FakeLobby::DefaultWindowProc(std::uint32_t msg, std::int32_t wParam,
                                          std::int32_t lParam) {
  passedOn.push_back({listeningAs, msg, wParam, lParam});
  return 0;
}

std::int32_t FakeLobby::Deliver(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) {
  if (listener_ == nullptr) return 0;
  return listener_->OnWindowMessage(msg, wParam, lParam);
}

std::vector<std::uint32_t> FakeLobby::PostedNumbers() const {
  std::vector<std::uint32_t> out;
  for (const auto& m : posted) out.push_back(m.msg);
  return out;
}

// --- SoundRecorder ----------------------------------------------------------------------------

bool SoundRecorder::Open() {
  ++opens;
  open_ = !noDevice;
  return open_;
}

bool SoundRecorder::Play(const std::string& path, bool looping) {
  playing = false;
  if (!open_ || missing.contains(path)) return false;
  // Each sound starts at full volume, as a freshly loaded buffer does.
  attenuation = 0;
  played.push_back({path, looping, 0});
  playing = true;
  return true;
}

void SoundRecorder::Stop() {
  ++stops;
  playing = false;
}

void SoundRecorder::SetAttenuation(int hundredthsDb) {
  attenuation = hundredthsDb;
  if (!played.empty()) played.back().attenuation = hundredthsDb;
}

std::vector<std::string> SoundRecorder::Paths() const {
  std::vector<std::string> out;
  for (const auto& r : played) out.push_back(r.path);
  return out;
}

void SoundRecorder::FailLater() {
  playing = false;
  if (events_ != nullptr && !played.empty()) events_->OnSoundFailed(played.back().path);
}

// --- OfflineHost ------------------------------------------------------------------------------

OfflineHost::OfflineHost() = default;

void OfflineHost::TimerChanged(platform::Timer& timer) {
  if (!timer.Enabled()) {
    timers_.erase(&timer);
    return;
  }
  auto it = timers_.find(&timer);
  if (it != timers_.end() && it->second.generation == timer.Generation()) return;
  timers_[&timer] = {now_ + timer.Interval(), timer.Generation(), ++seq_};
}

double OfflineHost::SecondsSinceMidnight() const {
  const double s = startOfDay + static_cast<double>(now_) / 1000.0;
  return s - 86400.0 * static_cast<double>(static_cast<std::int64_t>(s / 86400.0));
}

void OfflineHost::Randomize(double seed) {
  rng_.seed(static_cast<std::uint64_t>(seed * 1000));
}

double OfflineHost::Rnd() {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
}

bool OfflineHost::FireNext(std::int64_t limit) {
  platform::Timer* timer = nullptr;
  std::int64_t when = limit + 1;
  std::uint64_t seq = 0;
  for (auto& [t, e] : timers_) {
    if (e.due < when || (e.due == when && timer != nullptr && e.seq < seq)) {
      when = e.due;
      seq = e.seq;
      timer = t;
    }
  }
  auto ev = events_.begin();
  if (ev != events_.end() && ev->first <= limit && ev->first < when) {
    now_ = std::max(now_, ev->first);
    auto f = std::move(ev->second);
    events_.erase(ev);
    f();
    return true;
  }
  if (timer == nullptr) return false;
  now_ = std::max(now_, when);
  // The next period is set before the handler runs, as the real host does: a handler that
  // waits processing events sees its own timer again one period later, not at once. A handler
  // that stops or restarts the timer reschedules it itself.
  TimerEntry& e = timers_[timer];
  e.due += std::max(1, timer->Interval());
  if (e.due <= now_) e.due = now_ + std::max(1, timer->Interval());
  e.seq = ++seq_;
  timer->Fire();
  return true;
}

void OfflineHost::Advance(std::int64_t ms) {
  const std::int64_t target = now_ + ms;
  Run([&] {
    while (!Ended() && FireNext(target)) {
    }
  });
  if (!Ended()) now_ = std::max(now_, target);
}

void OfflineHost::Run(const std::function<void()>& f) {
  if (Ended()) return;
  try {
    f();
  } catch (const platform::ProgramEnded& e) {
    if (!endReason_) endReason_ = e.reason;
  }
}

void OfflineHost::WaitProcessingEvents(int ms) {
  const std::int64_t target = now_ + ms;
  while (FireNext(target)) {
  }
  now_ = std::max(now_, target);
}

void OfflineHost::WaitUntil(const std::function<bool()>& done) {
  constexpr std::int64_t kGiveUpMs = 24LL * 3600 * 1000;
  const std::int64_t limit = now_ + kGiveUpMs;
  while (!done()) {
    if (!FireNext(limit)) throw std::runtime_error("virtual host: a wait that can never end");
  }
}

void OfflineHost::EndProgram(const std::string& reason) {
  throw platform::ProgramEnded{reason};
}

const std::string& OfflineHost::EndReason() const {
  static const std::string kNone;
  return endReason_ ? *endReason_ : kNone;
}

platform::MsgBoxResult OfflineHost::MessageBox(const std::string& text, const std::string& title,
                                               platform::MsgBoxButtons /*buttons*/) {
  messageBoxes.push_back({text, title});
  if (messageBoxOpenMs > 0) WaitProcessingEvents(messageBoxOpenMs);
  return nextAnswer;
}

void OfflineHost::Log(std::string_view kind, std::string_view detail) {
  log.push_back({now_, std::string(kind), std::string(detail)});
  if (std::getenv("QINTARA_TEST_LOG") != nullptr) {
    std::fprintf(stderr, "%lld %.*s: %.*s\n", static_cast<long long>(now_),
                 static_cast<int>(kind.size()), kind.data(), static_cast<int>(detail.size()),
                 detail.data());
  }
}

bool OfflineHost::HasLog(std::string_view kind, std::string_view detail) const {
  for (const auto& l : log) {
    if (l.kind == kind && l.detail == detail) return true;
  }
  return false;
}

std::vector<std::string> OfflineHost::LogDetails(std::string_view kind) const {
  std::vector<std::string> out;
  for (const auto& l : log) {
    if (l.kind == kind) out.push_back(l.detail);
  }
  return out;
}

void OfflineHost::RegisterForm(platform::Form& form, platform::FormEvents& events) {
  UnregisterForm(form);
  windows_.push_back({&form, &events});
}

std::vector<std::pair<platform::Form*, platform::FormEvents*>> OfflineHost::RegisteredForms()
    const {
  std::vector<std::pair<platform::Form*, platform::FormEvents*>> out;
  for (const Window& w : windows_) out.emplace_back(w.form, w.events);
  return out;
}

void OfflineHost::UnregisterForm(platform::Form& form) {
  std::erase_if(windows_, [&form](const Window& w) { return w.form == &form; });
}

void OfflineHost::Schedule(std::int64_t delayMs, std::function<void()> f) {
  events_.emplace(now_ + delayMs, std::move(f));
}

std::unique_ptr<platform::PropPlugin> OfflineHost::LoadPropPlugin() {
  if (!propPlugin) {
    Log("plugin", "no plug-in library");
    return nullptr;
  }
  auto plugin = propPlugin();
  if (!plugin) Log("plugin", "the plug-in could not be created");
  return plugin;
}

}  // namespace vhost
