#pragma once
// The sound channel on DirectSound: one device for the main window, one secondary buffer for
// the sound playing, made from its WAV file. Without a device (no sound card, Wine without
// audio) Open refuses and the table plays silently.
#include "winhost/win32.h"

// The wave format types dsound.h needs, before it.
#include <mmsystem.h>

#include <dsound.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/sound.h"

namespace winhost {

class WinSound final : public platform::SoundDevice {
 public:
  using LogFn = std::function<void(std::string_view kind, std::string_view detail)>;
  // Makes the device; tests give one that fails.
  using CreateFn = std::function<HRESULT(IDirectSound8** out)>;
  explicit WinSound(LogFn log, CreateFn create = {});
  ~WinSound() override;
  WinSound(const WinSound&) = delete;
  WinSound& operator=(const WinSound&) = delete;

  // The window the device cooperates with; before Open. The desktop's when none is given.
  void SetWindow(HWND window) { window_ = window; }

  bool Open() override;
  bool Play(const std::string& path, bool looping) override;
  void Stop() override;
  void SetAttenuation(int hundredthsDb) override;
  void SetEvents(platform::SoundEvents* events) override { events_ = events; }

  // The sound playing now (tests): its buffer's play state, volume and position.
  bool Playing() const;
  bool Looping() const;
  long Volume() const;
  DWORD Position() const;

 private:
  void ReleaseBuffer();

  LogFn log_;
  CreateFn create_;
  HWND window_ = nullptr;
  IDirectSound8* device_ = nullptr;
  IDirectSoundBuffer* buffer_ = nullptr;
  platform::SoundEvents* events_ = nullptr;
};

}  // namespace winhost
