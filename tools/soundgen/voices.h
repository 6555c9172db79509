#pragma once
// The spoken clips of the seats: which files exist and what each one says.
#include <memory>
#include <string>
#include <vector>

#include "wav.h"

namespace soundgen {

struct Clip {
  std::string suffix;  // the part of the file name after the voice fields
  std::string text;    // what is said, UTF-8
};

// Every tile, every move, then one clip per voice phrase ("a1", "a2", ...).
std::vector<Clip> VoiceClips(const std::vector<std::string>& voicePhrases);

// The voice phrases of a phrase file: section "Phrase2", keys 1..num. Empty when the file is
// missing.
std::vector<std::string> ReadVoicePhrases(const std::string& iniPath);

// One voice set of the table: dialect code, voice code, and male or female.
struct VoiceSet {
  std::string dialect;  // "27" or "00"
  std::string code;     // "10", "20", "30" or "40"
  bool male = false;
  // File name prefix: "v", dialect, code, sex digit, voice kind digit.
  std::string Prefix() const;
};
std::vector<VoiceSet> VoiceSets();

class Speaker {
 public:
  virtual ~Speaker() = default;
  // A speaker that talks with the system's speech synthesiser, or, when that is missing, one
  // that beeps a short tone per syllable. why says which one it is.
  static std::unique_ptr<Speaker> Make(std::string& why);
  virtual Signal Say(const VoiceSet& voice, const std::string& text) = 0;
};

}  // namespace soundgen
