// The server's side of chat: relaying lines and whispers, and the bots' phrases.
#include <gtest/gtest.h>

#include <set>

#include "protocol.h"
#include "table_chat.h"
#include "text/gbk.h"
#include "wire/frame.h"

namespace devserver {
namespace {

std::string LineOf(const wire::Frame& f) {
  return text::DecodeDoubleByte(std::span<const std::uint8_t>(f).subspan(16, 200), 200);
}

TEST(TableChat, ThePhraseFileReadsInRowOrderSkippingWhatIsBroken) {
  const auto p = ParsePhrases(
      "; comment\n[Phrase1]\nnum=3\n2=二\n1=一\nx=不是\n3=\n[Other]\n1=别的\n"
      "[Phrase2]\r\nnum=1\r\n1= 语音 \r\n");
  EXPECT_EQ(p.text, (std::vector<std::string>{"一", "二"}));
  EXPECT_EQ(p.voice, (std::vector<std::string>{"语音"}));
  const auto shipped = ShippedPhrases();
  EXPECT_EQ(shipped.text.size(), 10U);
  EXPECT_EQ(shipped.voice.size(), 8U);
}

TEST(TableChat, RelayStampsTheSenderAndTurnsPhraseCodesIntoWhatReceiversPlay) {
  struct Case {
    std::array<int, 4> sent;
    int relayedKind;
  };
  const std::vector<Case> cases{
      {{0, 0, 0, 0}, 0},   // a typed line
      {{1, 0, 0, 3}, 0},   // a text phrase: no clip
      {{2, 0, 97, 3}, 1},  // a voice phrase: its clip plays
  };
  for (const auto& k : cases) {
    wire::Frame in = proto::Header(proto::kChat, 15, k.sent);
    wire::WriteU32BE(std::span<std::uint8_t>(in), wire::kOffChatLen, 272);
    const auto out = RelayedChat(in, 2);
    const auto m = wire::DecodeHeader(out);
    EXPECT_EQ(m.Seat, 4);
    EXPECT_EQ(m.Value[0], k.relayedKind);
    EXPECT_EQ(m.Value[2], k.sent[2]);
    EXPECT_EQ(m.Value[3], k.sent[3]);
    EXPECT_EQ(wire::ReadU32BE(std::span<const std::uint8_t>(out), wire::kOffChatLen), 0U);
  }
  EXPECT_EQ(WhisperSeat(proto::Header(proto::kChat, 1, {0, 8, 0, 0})), 3);
  EXPECT_EQ(WhisperSeat(proto::Header(proto::kChat, 1, {0, 0, 0, 0})), std::nullopt);
  EXPECT_EQ(WhisperSeat(proto::Header(proto::kChat, 1, {0, 3, 0, 0})), std::nullopt);
}

TEST(TableChat, BotsSpeakNowAndThenAndAnswerWhispers) {
  BotChatter chatter(7, ShippedPhrases(), 8000);
  const std::array<std::string, 4> nicks{"me", "阿虎", "小美", "老李"};
  EXPECT_TRUE(chatter.Due(7999, nicks, 0).empty());
  const auto first = chatter.Due(8000, nicks, 0);
  ASSERT_EQ(first.size(), 1U);
  EXPECT_NE(first[0].seat, 0);
  const auto m = wire::DecodeHeader(first[0].frame);
  EXPECT_EQ(m.Seat, proto::SeatBit(first[0].seat));
  EXPECT_NE(LineOf(first[0].frame).find("说道: "), std::string::npos);
  // A voice phrase names its clip by letter and row.
  if (m.Value[0] == 1) {
    EXPECT_EQ(m.Value[2], 'a');
    EXPECT_GE(m.Value[3], 1);
  }
  EXPECT_GE(chatter.NextDue(), 8000 + 20000);

  chatter.Whispered(9000, 2, 0, "me");
  EXPECT_LE(chatter.NextDue(), 9000 + 2500);
  const auto reply = chatter.Due(9000 + 2500, nicks, 0);
  ASSERT_EQ(reply.size(), 1U);
  EXPECT_EQ(reply[0].seat, 2);
  EXPECT_EQ(wire::DecodeHeader(reply[0].frame).Value[1], 1);
  EXPECT_EQ(LineOf(reply[0].frame).rfind("小美对me说: ", 0), 0U);

  // Over a long table every bot speaks, never the person.
  std::set<int> speakers;
  for (std::int64_t t = 10000; t < 2000000; t += 1000)
    for (const auto& l : chatter.Due(t, nicks, 0)) speakers.insert(l.seat);
  EXPECT_EQ(speakers, (std::set<int>{1, 2, 3}));
}

}  // namespace
}  // namespace devserver
