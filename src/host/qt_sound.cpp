#include "host/qt_sound.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>
#include <cmath>

namespace host {

namespace {

// Enough for the effects, the loop and a table's voices without decoding them again.
constexpr std::size_t kKeepLoaded = 48;

}  // namespace

QtSound::~QtSound() {
  current_ = nullptr;
  pending_ = nullptr;
  loaded_.clear();
}

bool QtSound::Open() {
  if (open_) return true;
  const QAudioDevice out = QMediaDevices::defaultAudioOutput();
  if (out.isNull() || QMediaDevices::audioOutputs().isEmpty()) return false;
  log_("sound", "output " + out.description().toStdString());
  open_ = true;
  return true;
}

QSoundEffect& QtSound::Get(const std::string& path) {
  for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
    if (it->path == path) {
      loaded_.splice(loaded_.begin(), loaded_, it);
      return *loaded_.front().effect;
    }
  }
  while (loaded_.size() >= kKeepLoaded) {
    auto last = std::prev(loaded_.end());
    if (last->effect.get() == current_) current_ = nullptr;
    if (last->effect.get() == pending_) pending_ = nullptr;
    loaded_.erase(last);
  }
  auto effect = std::make_unique<QSoundEffect>();
  QSoundEffect* e = effect.get();
  QObject::connect(e, &QSoundEffect::loadedChanged, [this, e] {
    if (e == pending_ && e->isLoaded()) {
      pending_ = nullptr;
      e->play();
    }
  });
  QObject::connect(e, &QSoundEffect::statusChanged, [this, e, path] {
    if (e->status() == QSoundEffect::Error) Failed(path);
  });
  e->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
  loaded_.push_front({path, std::move(effect)});
  return *e;
}

bool QtSound::Play(const std::string& path, bool looping) {
  Stop();
  if (!open_) return false;
  const QFileInfo file(QString::fromStdString(path));
  if (!file.isFile() || !file.isReadable()) return false;
  QSoundEffect& e = Get(path);
  if (e.status() == QSoundEffect::Error) return false;
  e.setLoopCount(looping ? QSoundEffect::Infinite : 1);
  e.setVolume(1.0F);
  current_ = &e;
  currentPath_ = path;
  if (e.isLoaded()) {
    e.play();
  } else {
    pending_ = &e;
  }
  return true;
}

void QtSound::Stop() {
  pending_ = nullptr;
  if (current_ != nullptr) current_->stop();
}

void QtSound::SetAttenuation(int hundredthsDb) {
  if (current_ == nullptr) return;
  const double gain = std::pow(10.0, hundredthsDb / 2000.0);
  current_->setVolume(static_cast<float>(gain));
}

void QtSound::Failed(const std::string& path) {
  // Only the sound the table is waiting for matters; an old one failing changes nothing.
  if (path != currentPath_ || current_ == nullptr) return;
  current_ = nullptr;
  pending_ = nullptr;
  if (events_ != nullptr) events_->OnSoundFailed(path);
}

}  // namespace host
