// Every seed of the fuzz corpus and every input that once found a fault, through the same
// client the fuzzer drives: built with the ordinary compiler and run on every build.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_client.h"
#include "wire/frame.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Inputs() {
  std::vector<fs::path> out;
  for (const char* dir : {QINTARA_FUZZ_SEEDS, QINTARA_FUZZ_REGRESSIONS}) {
    if (!fs::is_directory(dir)) continue;
    for (const auto& e : fs::directory_iterator(dir)) {
      if (e.is_regular_file() && e.path().filename() != "README.md") out.push_back(e.path());
    }
  }
  return out;
}

TEST(FuzzCorpus, EveryInputRunsToItsEnd) {
  const auto inputs = Inputs();
  ASSERT_GE(inputs.size(), 6u) << "the seed corpus was not generated";
  for (const auto& path : inputs) {
    SCOPED_TRACE(path.string());
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> data{std::istreambuf_iterator<char>(in), {}};
    const auto out = qfuzz::RunInput(data);
    // A hand recorded from the server is the client's everyday input: it plays to its end.
    if (path.filename().string().starts_with("hand")) {
      EXPECT_FALSE(out.ended) << out.endReason;
      EXPECT_EQ(out.received, (data.size() - 1) / (1 + wire::kFrameSize));
    }
  }
}

// Pieces cut at every length and clock steps of every size, so the harness itself is
// exercised where the seeds never go.
TEST(FuzzCorpus, ArbitrarySplitsOfAFrameRun) {
  for (int ctl = 0; ctl < 256; ctl += 7) {
    std::vector<std::uint8_t> data{qfuzz::kModeSeated};
    for (int i = 0; i < 40; ++i) {
      data.push_back(static_cast<std::uint8_t>(ctl));
      data.insert(data.end(), 17 * (ctl & 0x1f), static_cast<std::uint8_t>(i * 31 + ctl));
    }
    qfuzz::RunInput(data);
  }
}

}  // namespace
