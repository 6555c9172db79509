#pragma once
// The sound channel on the real machine: WAV files through Qt Multimedia. Without an audio
// output (a server, CI) it refuses to open and the client plays silently.
#include <QSoundEffect>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/sound.h"

namespace host {

class QtSound final : public platform::SoundDevice {
 public:
  using LogFn = std::function<void(std::string_view kind, std::string_view detail)>;
  explicit QtSound(LogFn log) : log_(std::move(log)) {}
  ~QtSound() override;
  QtSound(const QtSound&) = delete;
  QtSound& operator=(const QtSound&) = delete;

  bool Open() override;
  bool Play(const std::string& path, bool looping) override;
  void Stop() override;
  void SetAttenuation(int hundredthsDb) override;
  void SetEvents(platform::SoundEvents* events) override { events_ = events; }

 private:
  struct Loaded {
    std::string path;
    std::unique_ptr<QSoundEffect> effect;
  };
  // The sound of a file, decoded once and kept while it is among the most recently played.
  QSoundEffect& Get(const std::string& path);
  void Failed(const std::string& path);

  LogFn log_;
  platform::SoundEvents* events_ = nullptr;
  bool open_ = false;
  std::list<Loaded> loaded_;  // most recently played first
  QSoundEffect* current_ = nullptr;
  std::string currentPath_;
  // Started while still loading: it plays once loaded.
  QSoundEffect* pending_ = nullptr;
};

}  // namespace host
