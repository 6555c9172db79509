#pragma once
// The sound device: one channel that plays a WAV file once or looping. A new sound stops and
// releases the one playing.
#include <string>

namespace platform {

// Told when a sound that Play accepted fails later (a device that loads in the background).
class SoundEvents {
 public:
  virtual ~SoundEvents() = default;
  virtual void OnSoundFailed(const std::string& path) = 0;
};

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;

  // Opens the output for the program; false when there is no usable device.
  virtual bool Open() = 0;
  // Stops and releases the sound playing, loads the WAV file and plays it from the start, once
  // or looping, at full volume. False when the file cannot be loaded or the device fails.
  virtual bool Play(const std::string& path, bool looping) = 0;
  // Stops the sound playing and rewinds it.
  virtual void Stop() = 0;
  // Attenuation of the current sound in hundredths of a decibel: 0 is full volume, -3000 is
  // 30 dB down.
  virtual void SetAttenuation(int hundredthsDb) = 0;
  virtual void SetEvents(SoundEvents* events) = 0;
};

}  // namespace platform
