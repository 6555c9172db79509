// Whole hands recorded from the development server (bots at every seat, seen from seat bit 4),
// replayed on the virtual clock: the table must stay in step with the server to the reveal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hand_fixture.h"
#include "play/play.h"
#include "session/table_reset.h"
#include "view/input.h"
#include "view/view.h"

namespace qtest {
namespace {

std::vector<wire::Frame> LoadTranscript(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<wire::Frame> frames;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    wire::Frame f{};
    for (std::size_t i = 0; i + 1 < line.size() && i / 2 < f.size(); i += 2)
      f.at(i / 2) = static_cast<std::uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16));
    frames.push_back(f);
  }
  return frames;
}

std::vector<std::filesystem::path> Transcripts() {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(QINTARA_HANDS_DIR)) {
    if (e.path().extension() == ".hand") files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

int Value(const wire::Frame& f, int i) {
  return f.at(static_cast<std::size_t>(9 + 2 * i));
}

class HandReplay : public HandTest {
 protected:
  // Feeds the frames one by one. With click, the own discards are made by clicking the tile
  // the server is about to confirm, as a player would.
  void Replay(const std::vector<wire::Frame>& frames, bool click) {
    for (const auto& f : frames) {
      if (click && f[3] == 2 && f[6] == kOwn && c.table.CanDiscard) {
        const auto& h = H(0);
        for (int k = h.HiddenFirst + h.HiddenCount - 1; k >= h.HiddenFirst; --k) {
          if (h.Slot.at(static_cast<std::size_t>(k)).Code != Value(f, 3)) continue;
          view::MJ_Image_MouseDown(c, h.Slot.at(static_cast<std::size_t>(k)).Ctl,
                                   platform::kLeftButton, 0, 1, 1);
          ++clicks;
          break;
        }
      }
      Push(f);
      for (int i = 0; i < 100 && c.net.RecvRing.Waiting() > 0; ++i) Advance(50);
      ASSERT_FALSE(host.Ended()) << host.EndReason() << "\n" << DumpTable(c);
    }
    Advance(500);
  }

  // What the reveal says each position held at the end.
  std::array<std::vector<int>, 4> Revealed(const std::vector<wire::Frame>& frames) const {
    std::array<std::vector<int>, 4> out;
    for (const auto& f : frames) {
      if (f[3] != 15) continue;
      const int p = table::SeatPosOf(kOwn, f[6] & 15);
      for (int i = 3; i >= 0; --i) {
        if (Value(f, i) != 0) out.at(static_cast<std::size_t>(p)).push_back(Value(f, i));
      }
    }
    for (auto& v : out) std::sort(v.begin(), v.end());
    return out;
  }

  int clicks = 0;
};

TEST_F(HandReplay, RecordedHandsStayInStepToTheReveal) {
  const auto files = Transcripts();
  ASSERT_FALSE(files.empty());
  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    session::ResetTable(c);
    const auto frames = LoadTranscript(path);
    Replay(frames, false);
    const auto revealed = Revealed(frames);
    // The own hand is what the server revealed for it.
    std::vector<int> own;
    for (int k = H(0).HiddenFirst; k < H(0).HiddenFirst + H(0).HiddenCount; ++k)
      own.push_back(H(0).Slot.at(static_cast<std::size_t>(k)).Code);
    std::sort(own.begin(), own.end());
    EXPECT_EQ(own, revealed[0]) << DumpTable(c);
    // The other hands were laid down with the codes of their reveal.
    for (int p = 1; p <= 3; ++p) {
      std::vector<int> shown;
      for (int e = 0;
           e < 18 &&
           c.play.RevealList.at(static_cast<std::size_t>(e)).at(static_cast<std::size_t>(p)) != 0;
           ++e)
        shown.push_back(
            c.play.RevealList.at(static_cast<std::size_t>(e)).at(static_cast<std::size_t>(p)));
      std::sort(shown.begin(), shown.end());
      EXPECT_EQ(shown, revealed.at(static_cast<std::size_t>(p))) << p << "\n" << DumpTable(c);
      EXPECT_EQ(H(p).HiddenCount, 0) << p;
    }
    // Watching the frames is all the client did: no move went out.
    EXPECT_TRUE(SentOf(2).empty());
    EXPECT_TRUE(SentOf(7).empty());

    // The final table, as recorded beside the transcript.
    auto golden = path;
    golden.replace_extension(".dump");
    const std::string dump = DumpTable(c);
    if (std::getenv("QINTARA_UPDATE_GOLDEN") != nullptr) {
      std::ofstream(golden) << dump;
    } else {
      std::ifstream in(golden);
      std::stringstream want;
      want << in.rdbuf();
      EXPECT_EQ(dump, want.str());
    }
  }
}

TEST_F(HandReplay, ClickedDiscardsSendWhatTheServerThenConfirms) {
  const auto files = Transcripts();
  ASSERT_FALSE(files.empty());
  const auto frames = LoadTranscript(files.front());
  Replay(frames, true);
  const auto sent = SentOf(2);
  ASSERT_GT(clicks, 0);
  ASSERT_EQ(static_cast<int>(sent.size()), clicks);
  std::vector<int> confirmed;
  for (const auto& f : frames) {
    if (f[3] == 2 && f[6] == kOwn) confirmed.push_back(0x4000 | Value(f, 3));
  }
  for (std::size_t i = 0; i < sent.size(); ++i) {
    const int value = sent[i][14] * 256 + sent[i][15];
    EXPECT_NE(std::find(confirmed.begin(), confirmed.end(), value), confirmed.end()) << value;
  }
  std::vector<int> own;
  for (int k = H(0).HiddenFirst; k < H(0).HiddenFirst + H(0).HiddenCount; ++k)
    own.push_back(H(0).Slot.at(static_cast<std::size_t>(k)).Code);
  std::sort(own.begin(), own.end());
  EXPECT_EQ(own, Revealed(frames)[0]);
}

}  // namespace
}  // namespace qtest
