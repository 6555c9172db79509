#pragma once
// The sound channel on the real machine.
#include "platform/sound.h"

namespace host {

class QtSound final : public platform::SoundDevice {
 public:
  bool Open() override { return true; }
  bool Play(const std::string& /*path*/, bool /*looping*/) override { return true; }
  void Stop() override {}
  void SetAttenuation(int /*hundredthsDb*/) override {}
  void SetEvents(platform::SoundEvents* /*events*/) override {}
};

}  // namespace host
