// Frames the client queues and decodes: ting byte, chat text, seat names, plug-in frames, key.
#include <gtest/gtest.h>

#include "net/net.h"
#include "support/client_fixture.h"
#include "table/ting_choice.h"
#include "text/gbk.h"

namespace qtest {
namespace {

class Codec : public ClientTest {
 protected:
  void SetUp() override { StartLoggedIn(); }
  wire::Frame LastQueued() {
    Advance(100);
    return Sent().back();
  }
};

TEST_F(Codec, TingChoiceRidesOnTheDiscardOnceAndOnEveryClaim) {
  c.table.TingChoice = 2;
  net::SendFrame(c.netCtx, {.Cmd = 2, .Value = {0, 0, 0, 0x4043}},
                 table::TakeTingChoice(c.table, wire::Cmd::Discard));
  const wire::Frame discard = LastQueued();
  EXPECT_EQ(discard[16], 2);
  EXPECT_EQ(discard[14], 0x40);
  EXPECT_EQ(discard[15], 0x43);
  EXPECT_EQ(c.table.TingChoice, 0);

  c.table.TingChoice = 3;
  net::SendFrame(c.netCtx, {.Cmd = 7, .Value = {8, 0x2043, 0x2043, 0}},
                 table::TakeTingChoice(c.table, wire::Cmd::ClaimResult));
  EXPECT_EQ(LastQueued()[16], 3);
  EXPECT_EQ(c.table.TingChoice, 3);
}

TEST_F(Codec, ChatLineIsCutToAHundredCharacters) {
  c.net.ChatOut = std::string(150, 'x');
  net::SendFrame(c.netCtx, {.Cmd = 19});
  wire::Frame f = LastQueued();
  EXPECT_EQ(f[115], 'x');
  EXPECT_EQ(f[116], 0);
  EXPECT_TRUE(c.net.ChatOut.empty());

  std::string wide;
  for (int i = 0; i < 120; ++i) wide += "中";
  c.net.ChatOut = wide;
  net::SendFrame(c.netCtx, {.Cmd = 19});
  f = LastQueued();
  EXPECT_EQ(text::DecodeDoubleByte(std::span(f).subspan(16, 200), 200), wide.substr(0, 300));
  EXPECT_EQ(f[216], 0);
  EXPECT_EQ(wire::ReadU32BE(f, 236), 0u);
}

TEST_F(Codec, EmptyChatQueuesNothing) {
  const auto before = Sent().size();
  net::SendFrame(c.netCtx, {.Cmd = 19});
  Advance(100);
  EXPECT_EQ(Sent().size(), before);
}

TEST_F(Codec, ChatLineShowsWithTheSendersPosition) {
  c.table.Hand[0].SeatBit = 1;
  Push(FrameBuilder(19).seat(8).text(16, "你好").v(0, 1));
  Advance(150);
  EXPECT_TRUE(host.HasLog("chat", "1 你好"));
  EXPECT_EQ(c.net.LastMsg.Seat, 1);
}

TEST_F(Codec, PluginFramesInTheChatCommandAreNeverChat) {
  c.props.Prop_GameDllState = 1;
  Push(FrameBuilder(19).seat(2).text(16, "x").u32be(236, 272));
  Push(FrameBuilder(19).seat(2).text(16, "y").u32be(236, 260));
  Advance(300);
  EXPECT_TRUE(host.LogDetails("chat").empty());
  EXPECT_EQ(host.LogDetails("plugin").size(), 2u) << "handed to the plug-in, once each";
  EXPECT_EQ(c.net.LastMsg.Seat, 2);
}

TEST_F(Codec, SeatNamesOfOneSeatAccumulateUntilTheTableIsReset) {
  Push(FrameBuilder(3).seat(4).text(16, "bob"));
  Push(FrameBuilder(3).seat(4).text(16, "by"));
  Advance(300);
  EXPECT_EQ(c.net.SeatNames[2], "bobby");
}

TEST_F(Codec, EverySentFrameCarriesTheLastKeyButAReconnectResultNeverChangesIt) {
  Push(FrameBuilder(30).key(0xAB, 0xCD));
  Push(FrameBuilder(29).v(3, 1).key(0x01, 0x02));
  Advance(300);
  net::SendFrame(c.netCtx, {.Cmd = 16, .Value = {0, 0, 0, 1}});
  const wire::Frame f = LastQueued();
  EXPECT_EQ(f[260], 0xAB);
  EXPECT_EQ(f[261], 0xCD);
}

TEST_F(Codec, AVerboseLogHasOneReceiveLinePerFrameEvenWhenTheFrameIsDropped) {
  host.verbose = true;
  const auto before = host.LogDetails("recv").size();
  Push(FrameBuilder(8));
  Advance(150);
  const auto recv = host.LogDetails("recv");
  ASSERT_EQ(recv.size(), before + 1);
  EXPECT_EQ(recv.back().substr(0, 3), "8 0") << "command number, then the frame's bytes";
  EXPECT_EQ(host.LogDetails("dropped"), std::vector<std::string>{"8 (no plug-in)"});
}

TEST_F(Codec, CommandsWithoutAHandlerGoToThePluginOnlyWhenItIsActive) {
  Push(FrameBuilder(8));
  Advance(150);
  EXPECT_TRUE(host.LogDetails("plugin").empty());
  c.props.Prop_GameDllState = 1;
  Push(Concat({FrameBuilder(8), FrameBuilder(30), FrameBuilder(100)}));
  Advance(300);
  EXPECT_EQ(host.LogDetails("plugin"),
            (std::vector<std::string>{"Rec_MSG 8", "Rec_MSG 30", "Rec_MSG 100"}));
}

}  // namespace
}  // namespace qtest
