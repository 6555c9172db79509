// Every picture the table names exists at the size its design states.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#ifdef QINTARA_RES_DIR

namespace {

struct Size {
  int w, h;
  friend bool operator==(const Size&, const Size&) = default;
};

std::optional<Size> PngSize(int id) {
  std::ifstream in(std::string(QINTARA_RES_DIR) + "/" + std::to_string(id) + ".png",
                   std::ios::binary);
  std::array<unsigned char, 24> b{};
  if (!in.read(reinterpret_cast<char*>(b.data()), b.size())) return std::nullopt;
  if (b[1] != 'P' || b[2] != 'N' || b[3] != 'G') return std::nullopt;
  const auto be = [&](std::size_t at) {
    return static_cast<int>((std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) |
                            (std::uint32_t{b[at + 2]} << 8) | std::uint32_t{b[at + 3]});
  };
  return Size{be(16), be(20)};
}

struct Expect {
  int id;
  Size size;
};

// The picture tables: ids and the sizes of their artwork.
std::vector<Expect> Catalogue() {
  std::vector<Expect> v;
  const auto range = [&v](int first, int count, Size s) {
    for (int i = 0; i < count; ++i) v.push_back({first + i, s});
  };
  // Tiles: per set the face size, then the standing back (entry 7) and lying back (entry 8).
  const std::array<std::array<Size, 3>, 5> sets{{{{{50, 58}, {50, 77}, {38, 55}}},
                                                 {{{59, 46}, {33, 66}, {50, 44}}},
                                                 {{{34, 37}, {34, 49}, {33, 36}}},
                                                 {{{59, 46}, {34, 66}, {50, 44}}},
                                                 {{{50, 77}, {50, 77}, {38, 55}}}}};
  for (int s = 0; s < 5; ++s) {
    for (int e = 0; e < 36; ++e) {
      const auto& set = sets.at(static_cast<std::size_t>(s));
      v.push_back({201 + 36 * s + e, e == 7 ? set[1] : e == 8 ? set[2] : set[0]});
    }
  }
  range(141, 18, {50, 71});   // operation buttons, three states each
  range(800, 36, {116, 74});  // speech bubbles
  range(161, 16, {48, 48});   // dice faces and rolling frames
  range(600, 6, {24, 24});    // small dice
  range(191, 10, {87, 88});   // portraits
  range(401, 10, {87, 88});
  range(126, 4, {110, 110});  // compasses
  range(101, 2, {50, 30});    // control bar, full scale
  range(103, 18, {60, 30});
  range(381, 18, {47, 23});       // control bar, small screens
  v.push_back({1140, {50, 30}});  // send, history, start and continue switched off
  range(1141, 3, {60, 30});
  range(1144, 3, {47, 23});
  range(130, 4, {60, 26});       // switches
  range(134, 2, {65, 30});       // confirm, cancel
  range(136, 4, {60, 26});       // voice set
  v.push_back({123, {96, 40}});  // logo and level badges
  range(124, 2, {22, 22});
  range(1023, 4, {80, 30});        // exit dialog buttons
  range(935, 2, {24, 24});         // score sheet close button
  v.push_back({1100, {46, 220}});  // frame skin
  range(1111, 6, {28, 17});        // title buttons
  v.push_back({1120, {1024, 768}});
  v.push_back({1121, {800, 600}});
  v.push_back({1122, {80, 125}});
  v.push_back({1123, {81, 38}});
  return v;
}

TEST(Artwork, EveryNamedPictureExistsAtItsSize) {
  const auto all = Catalogue();
  ASSERT_EQ(all.size(),
            180u + 18 + 36 + 16 + 6 + 20 + 4 + 20 + 18 + 7 + 10 + 3 + 4 + 2 + 1 + 6 + 4);
  for (const Expect& e : all) {
    const auto got = PngSize(e.id);
    ASSERT_TRUE(got.has_value()) << "no picture " << e.id;
    EXPECT_EQ(got->w, e.size.w) << "picture " << e.id;
    EXPECT_EQ(got->h, e.size.h) << "picture " << e.id;
  }
}

TEST(Artwork, BubbleIdsCoverEveryKindAndPosition) {
  // Entry 4k + p of the bubble table, by the design's id rule.
  std::vector<int> ids;
  for (int k = 0; k < 9; ++k) {
    const std::array<int, 4> byPos{802 + 4 * k, 800 + 4 * k, 803 + 4 * k, 801 + 4 * k};
    for (int id : byPos) ids.push_back(id);
  }
  std::sort(ids.begin(), ids.end());
  for (int i = 0; i < 36; ++i) EXPECT_EQ(ids.at(static_cast<std::size_t>(i)), 800 + i);
}

}  // namespace

#endif
