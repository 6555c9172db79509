// Sound requests on the virtual host's recording sound channel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/sound_cues.h"
#include "seating_fixture.h"
#include "session/program.h"
#include "ui/sound.h"

namespace qtest {
namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class SoundTest : public SeatingTest {};

TEST_F(SoundTest, StartUpLoopsTheBackgroundMusicAtFullVolume) {
  ASSERT_EQ(host.sound.played.size(), 1U);
  const auto& loop = host.sound.played[0];
  EXPECT_TRUE(EndsWith(loop.path, "/../common/music/majiang.wav")) << loop.path;
  EXPECT_TRUE(loop.looping);
  EXPECT_EQ(loop.attenuation, 0);
  EXPECT_TRUE(host.sound.playing);
  EXPECT_TRUE(EndsWith(c.ui.VoiceDir, "/../common/qntr/")) << c.ui.VoiceDir;
  const std::vector<std::string> names{"majiang.wav", "dapai.wav", "qupai.wav",
                                       "xipai.wav",   "zhise.wav", "tishi.wav"};
  for (int n = 1; n <= 6; ++n) {
    EXPECT_TRUE(EndsWith(ui::SoundFile(c.ui, n), "/../common/music/" + names.at(n - 1u))) << n;
  }
  EXPECT_THROW(ui::SoundFile(c.ui, 0), std::out_of_range);
  EXPECT_THROW(ui::SoundFile(c.ui, 7), std::out_of_range);
}

TEST(SoundStartTest, WithoutADeviceTheClientStartsSilentAndSaysSoOnce) {
  vhost::VirtualHost host;
  host.lobby.windows.insert("VorelLodge");
  host.sound.noDevice = true;
  Client c(host);
  host.Run([&] { session::Form_Load(c, CommandLine()); });
  ASSERT_FALSE(host.Ended());
  EXPECT_FALSE(c.ui.SoundOn);
  EXPECT_TRUE(host.sound.played.empty());
  ui::PlayEffect(c.soundPlayer, assets::kSoundDice);
  ui::PlayVoice(c.soundPlayer, 0, assets::kVoiceHu);
  EXPECT_TRUE(host.sound.played.empty());
  EXPECT_EQ(host.LogDetails("sound").size(), 1U);
}

TEST_F(SoundTest, ANewSoundReplacesTheLoopForGood) {
  SeatTable();  // the seat-wind draw takes tiles
  ASSERT_GE(host.sound.played.size(), 2U);
  EXPECT_TRUE(EndsWith(host.sound.played.back().path, "/qupai.wav"));
  EXPECT_FALSE(host.sound.played.back().looping);
  ui::PlayVoice(c.soundPlayer, 1, ui::TileVoiceSuffix(0x45));
  const auto paths = host.sound.Paths();
  EXPECT_EQ(std::count_if(paths.begin(), paths.end(),
                          [](const std::string& p) { return EndsWith(p, "/majiang.wav"); }),
            1);
  EXPECT_FALSE(host.sound.Current()->looping);
}

TEST_F(SoundTest, VoiceFilesAreNamedByTheSeatsVoiceFields) {
  SeatTable();
  auto& bob = c.table.Player[2];  // male, opposite
  bob.VoiceA = "27";
  bob.VoiceB = "20";
  struct Case {
    int tile;
    std::string suffix;
  };
  // 万 and 筒 swap their suit numbers in voice names.
  for (const Case& k : std::vector<Case>{{0x45, "85"}, {0x83, "43"}, {0x29, "29"}, {0x15, "15"}}) {
    EXPECT_EQ(ui::TileVoiceSuffix(k.tile), k.suffix) << k.tile;
  }
  EXPECT_EQ(ui::VoicePath(c.soundPlayer, 2, ui::TileVoiceSuffix(0x45)),
            c.ui.VoiceDir + "v27201385.wav");
  EXPECT_EQ(ui::VoicePath(c.soundPlayer, 2, "a3"), c.ui.VoiceDir + "v272013a3.wav");
  // Server-given fields name a file in the voice folder, never a path out of it.
  bob.VoiceA = "../..";
  EXPECT_EQ(ui::VoicePath(c.soundPlayer, 2, "01"), c.ui.VoiceDir + "v.._..201301.wav");
  EXPECT_THROW(ui::VoicePath(c.soundPlayer, 4, "01"), std::out_of_range);
  ui::PlayVoice(c.soundPlayer, 2, assets::kVoicePeng);
  EXPECT_EQ(host.sound.Current()->path, ui::VoicePath(c.soundPlayer, 2, "02"));
  EXPECT_EQ(host.sound.Current()->attenuation, 0);
}

TEST_F(SoundTest, VolumeMapsToAttenuationAndIgnoresOutOfRangeValues) {
  struct Case {
    int v;
    int attenuation;
  };
  for (const Case& k :
       std::vector<Case>{{3000, 0}, {0, -3000}, {1234, -1766}, {-1, -1766}, {3001, -1766}}) {
    ui::SetSoundVolume(c.soundPlayer, k.v);
    EXPECT_EQ(host.sound.attenuation, k.attenuation) << k.v;
  }
}

TEST_F(SoundTest, AFailingSoundTurnsSoundOffAndTheGameGoesOnSilently) {
  host.sound.missing.insert(ui::SoundFile(c.ui, assets::kSoundDice));
  ui::PlayEffect(c.soundPlayer, assets::kSoundDice);
  EXPECT_FALSE(c.ui.SoundOn);
  const auto before = host.sound.played.size();
  ui::PlayEffect(c.soundPlayer, assets::kSoundTake);
  ui::PlayVoice(c.soundPlayer, 0, assets::kVoiceChi);
  EXPECT_EQ(host.sound.played.size(), before);
  EXPECT_EQ(host.LogDetails("sound").size(), 1U);

  // A sound lost after it started (a device that loads in the background) does the same.
  c.ui.SoundOn = true;
  ui::PlayEffect(c.soundPlayer, assets::kSoundTake);
  host.sound.FailLater();
  EXPECT_FALSE(c.ui.SoundOn);
}

}  // namespace
}  // namespace qtest
