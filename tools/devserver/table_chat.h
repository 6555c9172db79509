#pragma once
// Chat at the table: relaying the client's lines and whispers as the game server does, and the
// bots' own quick phrases and voice clips.
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "wire/frame.h"

namespace devserver {

// The client's quick phrases (its phrase file), in list order.
struct Phrases {
  std::vector<std::string> text;   // section Phrase1
  std::vector<std::string> voice;  // section Phrase2: clip "a" + row number
};
// Reads the phrase file's INI text (UTF-8); missing or broken entries are skipped.
Phrases ParsePhrases(std::string_view ini);
// The phrases the client ships.
Phrases ShippedPhrases();

// A chat frame from seat, as the others receive it: the sender's seat bit, a chat line (never a
// plug-in length), and the phrase codes turned into what receivers play: a voice phrase
// (value 0 = 2) comes with its clip (value 0 = 1), a text phrase (value 0 = 1) without.
wire::Frame RelayedChat(const wire::Frame& in, int senderSeat);
// The seat a chat frame whispers to (value 1 holds its seat bit), or nothing for a public line.
std::optional<int> WhisperSeat(const wire::Frame& f);

// A bot's quick phrase: "name说道: phrase", or "name对target说: phrase" as a whisper.
wire::Frame BotPhrase(int seat, const std::string& nick, const std::string& phrase, int clip,
                      std::optional<std::pair<int, std::string>> whisperTo = std::nullopt);

// When the bots speak: now and then a phrase or a voice clip from one of them, and an answer
// to a whisper a moment after it came.
class BotChatter {
 public:
  BotChatter(std::uint32_t seed, Phrases phrases, int firstAfterMs = 8000);

  struct Line {
    int seat;
    wire::Frame frame;
  };
  // A whisper from the person (at personSeat, named personNick) reached bot seat botSeat.
  void Whispered(std::int64_t nowMs, int botSeat, int personSeat, std::string personNick);
  // Whatever is due by nowMs; nicks by seat, the person's seat is never a bot.
  std::vector<Line> Due(std::int64_t nowMs, const std::array<std::string, 4>& nicks,
                        int personSeat);
  std::int64_t NextDue() const;

 private:
  struct Reply {
    std::int64_t at;
    int botSeat;
    int personSeat;
    std::string personNick;
  };
  Line Speak(int seat, const std::string& nick, std::optional<std::pair<int, std::string>> to);

  std::mt19937 rng_;
  Phrases phrases_;
  std::int64_t next_;
  std::vector<Reply> replies_;
};

}  // namespace devserver
