// The prop plug-in for real: the library loader against broken libraries and the reference
// plug-in, and the real client at the development server's table with the plug-in loaded.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "host/prop_loader.h"
#include "process.h"
#include "props.h"

namespace itest {
namespace {

using namespace std::chrono_literals;

struct Logged {
  std::vector<std::string> lines;
  host::PropLog Sink() {
    return [this](std::string_view kind, std::string_view detail) {
      lines.push_back(std::string(kind) + ": " + std::string(detail));
    };
  }
};

TEST(PropLoader, LibrariesItCannotUseLeaveNoPlugInAndOneLine) {
  struct Case {
    const char* name;
    std::string path;
    const char* says;
  };
  const Case cases[] = {
      {"missing", std::string(QINTARA_STUB_DIR) + "/nothing-here.so", "no plug-in: "},
      {"not a plug-in", QINTARA_STUB_NO_ENTRIES, "lacks QintaraProp_AbiVersion"},
      {"entries missing", QINTARA_STUB_V1, "lacks QintaraProp_Create"},
      {"another version", QINTARA_STUB_V2, "speaks version 2, the client 1"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    Logged log;
    EXPECT_EQ(host::LoadPropPlugin(k.path, log.Sink()), nullptr);
    ASSERT_EQ(log.lines.size(), 1U);
    EXPECT_NE(log.lines[0].find(k.says), std::string::npos) << log.lines[0];
  }
}

std::vector<platform::PropSendItem> Drain(platform::PropPlugin& p) {
  std::vector<platform::PropSendItem> out;
  for (int n = p.CheckSendBuff(); n > 0; --n) {
    platform::PropSendItem i;
    if (!p.GetSendBuff(i)) break;
    out.push_back(i);
  }
  return out;
}

TEST(PropLoader, ReferencePlugInAnswersEveryCall) {
  Logged log;
  auto p = host::LoadPropPlugin(QINTARA_PROPDLL, log.Sink());
  ASSERT_NE(p, nullptr) << (log.lines.empty() ? "" : log.lines[0]);

  std::int32_t scale = 1;
  std::int32_t param = 0;
  ASSERT_TRUE(p->Initdll("alice", "key123", scale, param));
  platform::PropChestTables t;
  ASSERT_TRUE(p->GetBaoInfo(t));
  EXPECT_EQ(t.ClosedChestPicture, 5001);
  EXPECT_GT(t.ChestSize[0], 0);
  EXPECT_GT(t.PropTiming[1], 0);

  const std::array<std::string, 4> accounts{"alice", "carol", "bob", "dave"};
  const std::array<int, 4> seats{4, 2, 1, 8};
  for (int pos = 0; pos < 4; ++pos) {
    platform::PropUser u;
    u.NickName = accounts.at(static_cast<std::size_t>(pos));
    u.Account = u.NickName;
    u.SeatBit = seats.at(static_cast<std::size_t>(pos));
    u.Position = pos;
    u.Own = pos == 0;
    ASSERT_TRUE(p->SetUserinfo(u));
  }
  auto items = Drain(*p);
  std::vector<int> kinds;
  for (const auto& i : items) kinds.push_back(i.Kind);
  // A welcome line, a welcome label and the bank's balance request.
  EXPECT_EQ(kinds, (std::vector<int>{0, 1, 2}));
  ASSERT_EQ(items.size(), 3U);
  EXPECT_EQ(items[1].Numbers.size(), 4U);
  EXPECT_EQ(items[2].Frame.size(), 272U);
  EXPECT_EQ(items[2].Frame[3], 45);

  // Scores of a hand as the development server announces them: seat index 2 (bit 4) is alice.
  p->InitShowNext(true);
  p->InitShowEnd();
  platform::PropScoreInfo info;
  EXPECT_EQ(p->GetScoreInfo(info), 0) << "nothing announced yet";
  const auto scores = devserver::props::Scores({0, 0, 120, 0});
  p->Rec_MSG(scores);
  ASSERT_EQ(p->GetScoreInfo(info), 1);
  EXPECT_EQ(info.PropScore[0], 120);
  const std::string& line = info.PropScoreText[0];
  ASSERT_GE(line.size(), 8U);
  EXPECT_EQ(line.substr(line.size() - 8), "00000255") << "a red line on the sheet";
  EXPECT_EQ(info.ChestTitle[0], "我的宝箱");
  EXPECT_TRUE(info.ChestTitle[2].empty());
  EXPECT_EQ(info.PropScore[2], 0);

  // After the sheet: the two ready frames the client holds until the next hand.
  p->InitShowNext(false);
  items = Drain(*p);
  ASSERT_EQ(items.size(), 2U);
  for (const auto& i : items) EXPECT_EQ(i.Kind, 2);
  EXPECT_EQ(items[0].Frame[8] * 256 + items[0].Frame[9], 1032);
  EXPECT_EQ(items[1].Frame[8] * 256 + items[1].Frame[9], 3088);

  // Keys: F4 whispers, F5 shows a card, F6 presses F2 on the table.
  p->SetKeyDown(115);
  p->SetKeyDown(116);
  p->SetKeyDown(117);
  items = Drain(*p);
  ASSERT_EQ(items.size(), 3U);
  EXPECT_EQ(items[0].Kind, 3);
  EXPECT_EQ(items[0].Text, "1");
  EXPECT_EQ(items[1].Kind, 5);
  EXPECT_EQ(items[2].Kind, 4);

  std::int32_t mode = 1;
  p->InitExit(mode);
  EXPECT_EQ(p->CheckSendBuff(), 0);
}

TEST(PropsAtTheTable, TheClientLoadsThePlugInAndTheServerAnswersIt) {
  const std::string dir = MakeTempDir();
  const std::string log = dir + "/client.log";
  const std::string lobbyLog = dir + "/lobby.log";
  const std::string commands = dir + "/commands";
  ChildProcess server(QINTARA_DEVSERVER,
                      {"--port", "0", "--log", dir + "/server.log", "--run-for", "60000"}, {},
                      /*captureStdout=*/true);
  const int port = ListeningPort(server);
  ASSERT_GT(port, 0);
  std::ofstream(commands).flush();
  ChildProcess lobby(QINTARA_LOBBY_BINARY,
                     {"--headless", "--server-port", std::to_string(port), "--log", lobbyLog,
                      "--commands", commands, "--client", QINTARA_BINARY, "--launch"},
                     {{"QT_QPA_PLATFORM", "offscreen"},
                      {"QINTARA_RUNTIME_DIR", dir + "/run"},
                      {"QINTARA_LOG", log},
                      {"QINTARA_UNATTENDED", "1"}});
  ASSERT_TRUE(WaitForText(log, "plugin: running with chests", 20s)) << ReadFile(log);
  // The server's welcome notice reaches the plug-in, and the bank's balance request is answered.
  EXPECT_TRUE(WaitForText(log, "plugin: Rec_MSG 44", 10s)) << ReadFile(log);
  EXPECT_TRUE(WaitForText(log, "plugin: Rec_MSG 45", 10s)) << ReadFile(log);
  const std::string text = ReadFile(log);
  EXPECT_EQ(text.find("plugin: refused"), std::string::npos) << text;
  EXPECT_NE(text.find("plugin: loaded "), std::string::npos);
  EXPECT_NE(ReadFile(dir + "/server.log").find("<- conn"), std::string::npos);
  lobby.Kill();
  server.Kill();
}

}  // namespace
}  // namespace itest
