// Table chat on the virtual clock: lines and whispers both ways, the word filter, the rate gate,
// the history and the ticker, the chat box's limits, quick phrases and the two chat windows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "chat/chat.h"
#include "net/net.h"
#include "seating_fixture.h"
#include "session/control_bar.h"
#include "session/form_events.h"
#include "text/gbk.h"
#include "ui/sound.h"
#include "ui/ui.h"
#include "view/view.h"

namespace qtest {
namespace {

constexpr int kBackspace = 8;
constexpr int kBobBit = 1;   // opposite, position 2
constexpr int kDaveBit = 8;  // right, position 3

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

class ChatTest : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();
    Advance(500);
    host.socket.sent.clear();
  }

  platform::Control& Box() { return c.MainForm.Chat; }
  // The user edits the box: the new text, the caret where the editor leaves it.
  void Type(const std::string& text) {
    Box().SetText(text);
    Box().ReportSelStart(static_cast<int>(text::CharCount(text)));
    events.OnChange(Box());
  }
  void Key(int code) { events.OnKeyDown(&Box(), code, 0); }
  void Enter() { Key(platform::kKeyReturn); }

  // Chat frames the client has written so far.
  std::vector<wire::Frame> SentChat() {
    Advance(200);
    std::vector<wire::Frame> out;
    for (const auto& f : Sent())
      if (f[wire::kOffCmd] == 19) out.push_back(f);
    return out;
  }
  static std::string LineOf(const wire::Frame& f) {
    return text::DecodeDoubleByte(std::span(f).subspan(16, 200), 200, true);
  }
  static int ValueOf(const wire::Frame& f, int i) {
    return f.at(static_cast<std::size_t>(8 + 2 * i)) * 256 +
           f.at(static_cast<std::size_t>(9 + 2 * i));
  }

  void Receive(int seatBit, const std::string& line, int v0 = 0, int v2 = 0, int v3 = 0) {
    Push(FrameBuilder(19).seat(seatBit).text(16, line).v(0, v0).v(2, v2).v(3, v3));
    Advance(150);
  }
  std::vector<std::string> History() const { return c.Talk.Text1.Items(); }
  std::string LastShown() const {
    const auto& h = c.Talk.Text1.Items();
    return h.empty() ? "" : h.back();
  }

  session::MainFormEvents events{c};
};

// ---- Receiving ----

TEST_F(ChatTest, ReceivedLinesNameThePlayerYouAndLoseFilteredWords) {
  struct Case {
    std::string sent;
    std::string shown;
  };
  const std::vector<Case> cases{
      {"Bob说道: 你好", " Bob说道: 你好"},
      // A whisper to the player: the own name becomes 你.
      {"Bob对爱丽丝说: 出牌快点", " Bob对你说: 出牌快点"},
      // The bracketed form with the own tag goes first, wherever it stands.
      {"[新手]爱丽丝和[新手]爱丽丝", " 你和你"},
      // Only the first plain occurrence.
      {"爱丽丝, 爱丽丝!", " 你, 爱丽丝!"},
      // A system notice keeps the plain name but not the bracketed one.
      {"系统提示: 爱丽丝获得宝箱", " 系统提示: 爱丽丝获得宝箱"},
      {"系统提示: [新手]爱丽丝获得宝箱", " 系统提示: 你获得宝箱"},
      // Every occurrence of a filtered word goes, in mixed text and at the edges.
      {"他妈的好牌他妈的", " 好牌"},
      {"shitgood fuck", " good "},
      // Letter case counts for the English words.
      {"FUCK Shit", " FUCK Shit"},
      // The longer word goes whole, not leaving a piece of itself behind.
      {"法轮功x", " x"},
      // Removing a word cannot join its neighbours into one that stays.
      {"a傻傻逼逼b", " ab"},
  };
  for (const auto& k : cases) {
    Receive(kBobBit, k.sent);
    EXPECT_EQ(LastShown(), k.shown) << k.sent;
  }
  // A line the filter empties shows nothing.
  const auto rows = History().size();
  Receive(kBobBit, "他fuck妈");
  EXPECT_EQ(History().size(), rows);
}

TEST_F(ChatTest, FilterOnItsOwn) {
  EXPECT_EQ(chat::FiltChat("他fuck妈"), "");
  EXPECT_EQ(chat::FiltChat("好他妈他妈的好"), "好好");
  EXPECT_EQ(chat::FiltChat("fUck"), "fUck");
  EXPECT_EQ(chat::FiltChat(""), "");
}

TEST_F(ChatTest, HistoryWrapsByColumnsEachRowStartingWithASpace) {
  struct Case {
    std::string text;
    int width;
    std::vector<std::string> rows;
  };
  const std::string han50 = Repeat("中", 50);
  const std::vector<Case> cases{
      {han50, 46, {" " + Repeat("中", 23), " " + Repeat("中", 23), " " + Repeat("中", 4)}},
      {Repeat("a", 46), 46, {" " + Repeat("a", 46)}},
      {Repeat("a", 47), 46, {" " + Repeat("a", 46), " a"}},
      // A double-byte character that passes the width still ends its row.
      {Repeat("a", 45) + "中b", 46, {" " + Repeat("a", 45) + "中", " b"}},
      // The plug-in's narrower width.
      {Repeat("中", 23), 44, {" " + Repeat("中", 22), " 中"}},
      // The line ends at its first zero character.
      {std::string("abc") + '\0' + "def", 46, {" abc"}},
  };
  for (const auto& k : cases) {
    c.Talk.Text1.Clear();
    chat::ShowMessageLine(c.chatCtx, k.text, k.width);
    EXPECT_EQ(History(), k.rows) << k.text;
  }
  // The newest row is in view.
  c.Talk.Text1.Clear();
  for (int i = 0; i < 30; ++i) chat::ShowMessageLine(c.chatCtx, "line " + std::to_string(i), 46);
  EXPECT_EQ(
      platform::FirstShownRow(c.Talk.Text1, c.Talk.Text1.RowHeight()) + c.Talk.Text1.VisibleRows(),
      30);
}

TEST_F(ChatTest, TickerKeepsTheLastTwoLinesCutTo45Characters) {
  for (int i = 0; i < 2; ++i) c.MainForm.Sysmsg(i).Clear();
  chat::ShowMessageLine(c.chatCtx, "one", 46);
  EXPECT_EQ(Sysmsg(0), std::vector<std::string>{"one"});
  EXPECT_TRUE(Sysmsg(1).empty());
  chat::ShowMessageLine(c.chatCtx, "two", 46);
  EXPECT_EQ(Sysmsg(0), std::vector<std::string>{"one"});
  EXPECT_EQ(Sysmsg(1), std::vector<std::string>{"two"});
  const std::string longLine = Repeat("长", 60);
  chat::ShowMessageLine(c.chatCtx, longLine, 46);
  EXPECT_EQ(Sysmsg(0), std::vector<std::string>{"two"});
  EXPECT_EQ(Sysmsg(1), std::vector<std::string>{Repeat("长", 45)});
  // The history keeps the whole line.
  EXPECT_EQ(History().size(), 5U);
}

// The log names every line the ticker shows, in the list it went to.
TEST_F(ChatTest, EveryTickerLineIsLogged) {
  for (int i = 0; i < 2; ++i) c.MainForm.Sysmsg(i).Clear();
  const auto lastLogged = [this](const char* kind) {
    const auto lines = host.LogDetails(kind);
    return lines.empty() ? std::string() : lines.back();
  };
  const auto fromLeft = [this](const char* text) {
    wire::Frame f{};
    f[3] = 19;  // chat
    f[6] = 2;   // the left seat
    for (std::size_t i = 0; text[i] != '\0'; ++i) f.at(16 + i) = static_cast<std::uint8_t>(text[i]);
    Push(f);
    Advance(150);
  };
  fromLeft("one");
  ASSERT_EQ(Sysmsg(0).size(), 1U);
  EXPECT_NE(Sysmsg(0)[0].find("one"), std::string::npos);
  EXPECT_EQ(lastLogged("sysmsg0"), Sysmsg(0)[0]);
  fromLeft("two");
  ASSERT_EQ(Sysmsg(1).size(), 1U);
  EXPECT_EQ(lastLogged("sysmsg1"), Sysmsg(1)[0]);
  const auto zeroBefore = host.LogDetails("sysmsg0").size();
  fromLeft("three");
  // The older line moves up: list 0 gains it, list 1 the new one.
  EXPECT_EQ(host.LogDetails("sysmsg0").size(), zeroBefore + 1);
  EXPECT_NE(lastLogged("sysmsg0").find("two"), std::string::npos);
  EXPECT_EQ(lastLogged("sysmsg0"), Sysmsg(0)[0]);
  EXPECT_NE(lastLogged("sysmsg1").find("three"), std::string::npos);
  EXPECT_EQ(lastLogged("sysmsg1"), Sysmsg(1)[0]);
}

TEST_F(ChatTest, PluginFramesOfCommand19AreNeverShownAsChat) {
  for (std::uint32_t len : {272U, 260U}) {
    for (int state : {-1, 1}) {
      c.props.Prop_GameDllState = state;
      host.log.clear();
      Push(FrameBuilder(19).seat(kBobBit).text(16, "道具消息").u32be(236, len));
      Advance(150);
      EXPECT_TRUE(History().empty()) << len;
      EXPECT_EQ(host.HasLog("plugin", "Rec_MSG 19"), state > 0) << len << " " << state;
    }
  }
  c.props.Prop_GameDllState = -1;
  // Any other length is a chat line.
  Push(FrameBuilder(19).seat(kBobBit).text(16, "普通").u32be(236, 271));
  Advance(150);
  EXPECT_EQ(LastShown(), " 普通");
}

TEST_F(ChatTest, ALineFromAnotherSeatBlinksTheChatButton) {
  Receive(4, "爱丽丝说道: 我自己");
  EXPECT_EQ(c.chat.ChatBlink, 0);
  EXPECT_EQ(LastShown(), " 你说道: 我自己");
  Receive(kBobBit, "Bob说道: 嗨");
  EXPECT_EQ(c.chat.ChatBlink, 8);
  std::vector<int> pictures;
  for (int i = 0; i < 9; ++i) {
    chat::BlinkStep(c.chatCtx);
    pictures.push_back(c.MainForm.AnNiu(1).Picture());
  }
  const int normal = ui::ButtonPicture(c.table, 2);
  const int lit = ui::ButtonPicture(c.table, 3);
  EXPECT_EQ(pictures, (std::vector<int>{normal, lit, normal, lit, normal, lit, normal, lit, lit}));
  EXPECT_EQ(c.chat.ChatBlink, 0);
}

TEST_F(ChatTest, VoiceClipsOfOtherSeatsPlayByLetterAndNumber) {
  Receive(kBobBit, "Bob说道: 快点吧", 1, 'a', 3);
  ASSERT_FALSE(host.sound.played.empty());
  EXPECT_EQ(host.sound.played.back().path, ui::VoicePath(c.soundPlayer, 2, "a3"));
  // The own line, a line without a clip, a code that is no letter, and a clip while sound is
  // off play nothing.
  const auto played = host.sound.played.size();
  Receive(4, "爱丽丝说道: 快点吧", 1, 'a', 3);
  Receive(kDaveBit, "Dave说道: 嗯", 0, 'a', 2);
  Receive(kDaveBit, "Dave说道: 嗯", 1, '/', 2);
  Receive(kDaveBit, "Dave说道: 嗯", 1, 0, 2);
  c.ui.SoundOn = false;
  Receive(kDaveBit, "Dave说道: 嗯", 1, 'a', 2);
  EXPECT_EQ(host.sound.played.size(), played);
  EXPECT_EQ(History().size(), 6U);
}

// ---- Sending ----

TEST_F(ChatTest, EnterSendsTheLineWithTheOwnName) {
  Type("大家好");
  Enter();
  EXPECT_EQ(Box().Text(), "");
  const auto sent = SentChat();
  ASSERT_EQ(sent.size(), 1U);
  const auto& f = sent[0];
  EXPECT_EQ(f[6], 4);
  EXPECT_EQ(LineOf(f), "爱丽丝说道: 大家好");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ValueOf(f, i), 0) << i;
  EXPECT_EQ(wire::ReadU32BE(f, wire::kOffChatLen), 0U);
  EXPECT_EQ(f[260], c.net.SessionKey[0]);
}

TEST_F(ChatTest, NothingIsSentForAnEmptyBlankOrBarePrefixLine) {
  for (const std::string& t : {std::string(""), std::string("   ")}) {
    Type(t);
    session::AnNiu_Click(c, 0);
  }
  chat::SetWhisper(c.chatCtx, 2);
  session::AnNiu_Click(c, 0);
  chat::SetWhisper(c.chatCtx, 2);
  Type(Box().Text() + "  ");
  session::AnNiu_Click(c, 0);
  EXPECT_TRUE(SentChat().empty());
}

TEST_F(ChatTest, TheRateGateHoldsEnterButNotTheSendButton) {
  Type("一");
  Enter();
  Advance(500);
  Type("二");
  Enter();
  EXPECT_EQ(Box().Text(), "");
  EXPECT_EQ(LastShown(), "（发送消息太快！）");
  EXPECT_EQ(Sysmsg(1).back(), "（发送消息太快！）");
  EXPECT_EQ(SentChat().size(), 1U);
  // An empty box at a closed gate says nothing.
  const auto rows = History().size();
  Enter();
  EXPECT_EQ(History().size(), rows);
  // The gate opens one period of TimerChat after the first Enter.
  Advance(400);
  Type("三");
  Enter();
  EXPECT_EQ(SentChat().size(), 2U);
  // The send button ignores the gate.
  Type("四");
  session::AnNiu_Click(c, 0);
  Type("五");
  session::AnNiu_Click(c, 0);
  const auto sent = SentChat();
  ASSERT_EQ(sent.size(), 4U);
  EXPECT_EQ(LineOf(sent[3]), "爱丽丝说道: 五");
}

TEST_F(ChatTest, WatchingPlayersCannotSendWithEnter) {
  c.table.WatchMode = true;
  Type("看客");
  Enter();
  EXPECT_EQ(Box().Text(), "看客");
  EXPECT_TRUE(SentChat().empty());
}

TEST_F(ChatTest, ALongLineIsCutToAHundredCharactersNameIncluded) {
  // The box itself takes no more than fits after the name: 100 - 3 - 4.
  Type(Repeat("字", 150));
  EXPECT_EQ(Box().MaxLength(), 93);
  EXPECT_EQ(text::CharCount(Box().Text()), 93U);
  session::AnNiu_Click(c, 0);
  auto sent = SentChat();
  ASSERT_EQ(sent.size(), 1U);
  EXPECT_EQ(text::CharCount(LineOf(sent[0])), 100U);
  // A hundred double-byte characters fill the text area exactly; the length field stays zero.
  c.table.Player[0].NickName = "";
  Type(Repeat("字", 150));
  EXPECT_EQ(Box().MaxLength(), 96);
  session::AnNiu_Click(c, 0);
  sent = SentChat();
  ASSERT_EQ(sent.size(), 2U);
  EXPECT_EQ(LineOf(sent[1]), "说道: " + Repeat("字", 96));
  c.net.ChatOut = Repeat("字", 150);
  wire::NetMsg m;
  m.Cmd = 19;
  net::SendFrame(c.netCtx, m);
  sent = SentChat();
  ASSERT_EQ(sent.size(), 3U);
  for (int i = 16; i < 216; ++i) EXPECT_NE(sent[2].at(static_cast<std::size_t>(i)), 0) << i;
  EXPECT_EQ(sent[2][216], 0);
  EXPECT_EQ(wire::ReadU32BE(sent[2], wire::kOffChatLen), 0U);
}

TEST_F(ChatTest, TextGbkCannotCarryStaysInTheBoxWithAMessage) {
  for (const std::string& bad : {std::string("😀"), std::string("€")}) {
    Type("好 " + bad + " 牌");
    session::AnNiu_Click(c, 0);
    EXPECT_EQ(Box().Text(), "好 " + bad + " 牌");
    EXPECT_NE(LastShown().find(bad), std::string::npos);
    EXPECT_NE(LastShown().find("无法发送"), std::string::npos);
    Type("");
  }
  EXPECT_TRUE(SentChat().empty());
  // Pasted line breaks travel as blanks.
  Type("一\n二");
  session::AnNiu_Click(c, 0);
  const auto sent = SentChat();
  ASSERT_EQ(sent.size(), 1U);
  EXPECT_EQ(LineOf(sent[0]), "爱丽丝说道: 一 二");
}

// ---- Whispers ----

TEST_F(ChatTest, AnAvatarClickWhispersToThatPlayer) {
  Type("好牌");
  events.OnClick(&c.MainForm.Tou(2));
  EXPECT_EQ(Box().Text(), "你对Bob说: 好牌");
  EXPECT_EQ(Box().SelStart(), static_cast<int>(text::CharCount(Box().Text())));
  EXPECT_EQ(c.MainForm.Focused(), &Box());
  EXPECT_EQ(c.chat.WhisperTarget, kBobBit);
  EXPECT_EQ(Box().MaxLength(), 98);
  // Another avatar replaces the prefix and keeps the text.
  events.OnClick(&c.MainForm.Tou(3));
  EXPECT_EQ(Box().Text(), "你对Dave说: 好牌");
  EXPECT_EQ(c.chat.ChatSavedText, "好牌");
  session::AnNiu_Click(c, 0);
  const auto sent = SentChat();
  ASSERT_EQ(sent.size(), 1U);
  EXPECT_EQ(LineOf(sent[0]), "爱丽丝对Dave说: 好牌");
  EXPECT_EQ(ValueOf(sent[0], 1), kDaveBit);
  // The whisper ends with the line.
  EXPECT_TRUE(c.chat.WhisperPrefix.empty());
  Type("大家");
  session::AnNiu_Click(c, 0);
  EXPECT_EQ(ValueOf(SentChat().back(), 1), 0);
}

TEST_F(ChatTest, AvatarsThatCannotBeWhisperedTo) {
  events.OnClick(&c.MainForm.Tou(0));  // the player
  c.table.Player[1] = {};
  events.OnClick(&c.MainForm.Tou(1));  // nobody there
  EXPECT_EQ(Box().Text(), "");
  c.net.Online = false;
  events.OnClick(&c.MainForm.Tou(2));
  EXPECT_EQ(Box().Text(), "");
  EXPECT_TRUE(c.chat.WhisperPrefix.empty());
}

TEST_F(ChatTest, BackspaceInsideThePrefixErasesTheWholePrefix) {
  chat::SetWhisper(c.chatCtx, 2);
  Type("你对Bob说: 等等");
  // The caret just behind the prefix: Backspace eats its last blank.
  Box().ReportSelStart(8);
  Key(kBackspace);
  Type("你对Bob说:等等");
  EXPECT_EQ(Box().Text(), "等等");
  EXPECT_EQ(Box().SelStart(), 2);
  EXPECT_TRUE(c.chat.WhisperPrefix.empty());
  EXPECT_EQ(c.chat.WhisperTarget, 0);
  session::AnNiu_Click(c, 0);
  EXPECT_EQ(LineOf(SentChat().back()), "爱丽丝说道: 等等");

  // Beyond the prefix Backspace is an ordinary key.
  chat::SetWhisper(c.chatCtx, 2);
  Type("你对Bob说: 等等");
  Key(kBackspace);
  Type("你对Bob说: 等");
  EXPECT_EQ(Box().Text(), "你对Bob说: 等");
  EXPECT_EQ(c.chat.WhisperTarget, kBobBit);
}

// ---- The history ----

TEST_F(ChatTest, AKeyInTheBoxClearsAHistoryOfMoreThanAHundredRows) {
  for (int i = 0; i < 100; ++i) chat::ShowMessageLine(c.chatCtx, "x", 46);
  Key('A');
  EXPECT_EQ(History().size(), 100U);
  chat::ShowMessageLine(c.chatCtx, "y", 46);
  Key('A');
  EXPECT_TRUE(History().empty());
}

// A player who never types keeps the history, up to its bound: then the oldest rows go, the
// newest stay in view and a row the player selected stays selected.
TEST_F(ChatTest, AHistoryNobodyClearsKeepsItsNewestRowsUpToItsBound) {
  auto& list = c.Talk.Text1;
  for (std::size_t i = 0; i < chat::kHistoryMax; ++i) {
    chat::ShowMessageLine(c.chatCtx, "r" + std::to_string(i), 46);
  }
  ASSERT_EQ(History().size(), chat::kHistoryMax);
  list.SetListIndex(static_cast<int>(chat::kHistoryMax) - 1);
  chat::ShowMessageLine(c.chatCtx, Repeat("中", 50), 46);  // three rows
  Receive(kBobBit, "bob's line");
  ASSERT_EQ(History().size(), chat::kHistoryMax);
  EXPECT_EQ(History().front(), " r4");
  EXPECT_EQ(History()[History().size() - 5], " r" + std::to_string(chat::kHistoryMax - 1));
  EXPECT_EQ(list.ListIndex(), static_cast<int>(chat::kHistoryMax) - 5);
  EXPECT_EQ(platform::FirstShownRow(list, list.RowHeight()) + list.VisibleRows(),
            static_cast<int>(chat::kHistoryMax));
}

TEST_F(ChatTest, TheHistoryWindowOpensOverTheChatCornerAndCloses) {
  session::AnNiu_Click(c, 1);
  ASSERT_TRUE(c.Talk.Visible());
  EXPECT_TRUE(c.Talk.Topmost());
  const auto& main = c.MainForm.Geometry();
  const auto& pic = c.MainForm.Pic1.Bounds();
  EXPECT_EQ(c.Talk.Geometry().left, main.left + pic.left + std::lround(0.3 * pic.width));
  EXPECT_EQ(c.Talk.Geometry().top, main.top + pic.top + std::lround(0.66 * pic.height + 8));
  session::AnNiu_Click(c, 1);
  EXPECT_FALSE(c.Talk.Visible());
  events.OnClick(&c.MainForm.Lbchat);
  EXPECT_TRUE(c.Talk.Visible());
  c.talkEvents.OnClick(&c.Talk.Label1);
  EXPECT_FALSE(c.Talk.Visible());

  // Alt then C closes it; another key between them disarms.
  struct Case {
    std::vector<int> keys;
    bool open;
  };
  const std::vector<Case> cases{
      {{18, 67}, false}, {{18, 88, 67}, true}, {{67}, true}, {{18, 18, 67}, false}};
  for (const auto& k : cases) {
    chat::ToggleHistory(c.chatCtx);
    ASSERT_TRUE(c.Talk.Visible());
    for (int key : k.keys) c.talkEvents.OnKeyDown(&c.Talk.Text1, key, 0);
    EXPECT_EQ(c.Talk.Visible(), k.open);
    chat::HideTalk(c.Talk);
  }
}

// ---- Phrases ----

TEST_F(ChatTest, PhraseWindowSwitchesListsAndHidesTheHistory) {
  chat::ToggleHistory(c.chatCtx);
  events.OnClick(&c.MainForm.imgword1);
  EXPECT_FALSE(c.Talk.Visible());
  ASSERT_TRUE(c.huifu.Visible());
  EXPECT_TRUE(c.huifu.List1.Visible());
  EXPECT_FALSE(c.huifu.List2.Visible());
  events.OnClick(&c.MainForm.imgword2);
  EXPECT_TRUE(c.huifu.Visible());
  EXPECT_FALSE(c.huifu.List1.Visible());
  EXPECT_TRUE(c.huifu.List2.Visible());
  events.OnClick(&c.MainForm.imgword2);
  EXPECT_FALSE(c.huifu.Visible());
  // Without a phrase file both lists are empty and a double-click sends nothing.
  events.OnClick(&c.MainForm.imgword1);
  c.huifuEvents.OnMouseDown(&c.huifu.List1, 1, 0, 5, 5);
  c.huifuEvents.OnDblClick(&c.huifu.List1);
  EXPECT_TRUE(SentChat().empty());
}

TEST_F(ChatTest, PhrasesGoOutWithTheirCodesAndAVoicePhraseIsHeardAtOnce) {
  c.huifu.List1.AddItem("大家好");
  c.huifu.List2.AddItem("快点吧");
  c.huifu.List2.AddItem("再见了");
  c.chat.PhrasesLoaded = true;
  c.ui.SoundOn = false;  // the own clip plays whatever the switch says
  chat::ShowPhraseList(c.chatCtx, 2);
  c.huifuEvents.OnMouseDown(&c.huifu.List2, 1, 0, 5, c.huifu.List2.RowHeight() + 2);
  c.huifuEvents.OnDblClick(&c.huifu.List2);
  EXPECT_FALSE(c.huifu.Visible());
  EXPECT_EQ(c.MainForm.Focused(), &Box());
  ASSERT_FALSE(host.sound.played.empty());
  EXPECT_EQ(host.sound.played.back().path, ui::VoicePath(c.soundPlayer, 0, "a2"));
  EXPECT_EQ(host.sound.played.back().attenuation, 0);
  // A text phrase while whispering goes as the whisper, and the prefix goes.
  chat::SetWhisper(c.chatCtx, 3);
  chat::SendPhrase(c.chatCtx, 1, 0);
  EXPECT_EQ(Box().Text(), "");
  EXPECT_TRUE(c.chat.WhisperPrefix.empty());
  // Rows that do not exist, and sending while offline, do nothing.
  chat::SendPhrase(c.chatCtx, 1, 1);
  chat::SendPhrase(c.chatCtx, 2, -1);
  Advance(200);  // what was queued goes out while online
  c.net.Online = false;
  chat::SendPhrase(c.chatCtx, 1, 0);
  const auto sent = SentChat();
  ASSERT_EQ(sent.size(), 2U);
  EXPECT_EQ(LineOf(sent[0]), "爱丽丝说道: 再见了");
  EXPECT_EQ(ValueOf(sent[0], 0), 2);
  EXPECT_EQ(ValueOf(sent[0], 1), 0);
  EXPECT_EQ(ValueOf(sent[0], 2), 'a');
  EXPECT_EQ(ValueOf(sent[0], 3), 2);
  EXPECT_EQ(LineOf(sent[1]), "爱丽丝对Dave说: 大家好");
  EXPECT_EQ(ValueOf(sent[1], 0), 1);
  EXPECT_EQ(ValueOf(sent[1], 1), kDaveBit);
  EXPECT_EQ(ValueOf(sent[1], 2), 0);
  EXPECT_EQ(ValueOf(sent[1], 3), 1);
}

TEST_F(ChatTest, ThePhraseFileFillsBothListsAndAHostileOneCannotFloodThem) {
  struct Case {
    std::string ini;
    std::vector<std::string> text;
    std::size_t voiceRows;
  };
  const std::vector<Case> cases{
      {"[Phrase1]\nnum=2\n1=大家好\n2=再见\n[Phrase2]\nnum=1\n1=快点吧\n", {"大家好", "再见"}, 1},
      // Keys are read as far as num says, rounded; missing rows stay empty.
      {"[phrase1]\nNUM=2.6\n1=一\n", {"一", "", ""}, 0},
      {"[Phrase1]\nnum=abc\n1=一\n[Phrase2]\nnum=-5\n", {}, 0},
      {"[Phrase1]\nnum=1000000000\n[Phrase2]\nnum=99999\n", std::vector<std::string>(100, ""), 100},
  };
  for (const auto& k : cases) {
    const auto gbk = text::ToGbk(k.ini);
    ASSERT_TRUE(gbk.has_value());
    host.files.files["/opt/qintara/chat.ini"] = *gbk;
    chat::LoadPhrases(c.chatCtx);
    EXPECT_EQ(c.huifu.List1.Items(), k.text) << k.ini;
    EXPECT_EQ(c.huifu.List2.Items().size(), k.voiceRows) << k.ini;
  }
  // The window shows a dozen rows; the arrows walk on and the list follows.
  EXPECT_EQ(c.huifu.Geometry().height, 12 * c.huifu.List1.RowHeight() + 8);
  chat::ShowPhraseList(c.chatCtx, 1);
  for (int i = 0; i < 13; ++i) c.huifuEvents.OnKeyDown(nullptr, 40, 0);
  EXPECT_EQ(c.huifu.List1.ListIndex(), 12);
  EXPECT_EQ(c.huifu.List1.TopIndex(), 1);
  chat::HidePhrases(c.huifu);
  // An empty row sends nothing.
  chat::SendPhrase(c.chatCtx, 1, 0);
  EXPECT_TRUE(SentChat().empty());
  // Without the file the lists are empty again.
  host.files.files.clear();
  chat::LoadPhrases(c.chatCtx);
  EXPECT_TRUE(c.huifu.List1.Items().empty());
  EXPECT_TRUE(c.huifu.List2.Items().empty());
}

}  // namespace
}  // namespace qtest
