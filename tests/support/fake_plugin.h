#pragma once
// A prop plug-in behind the core's interface: it records every call and answers what the test
// set up. The state lives in a shared record so a test keeps hold of it after the client took
// the plug-in.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/prop_plugin.h"

namespace qtest {

struct FakePluginRecord {
  // Answers.
  bool startOk = true;
  bool chests = true;
  bool userOk = true;
  platform::PropChestTables tables = DefaultTables();
  std::deque<platform::PropSendItem> items;
  // GetScoreInfo answers 1 (with these scores) once scoresReady is set.
  bool scoresReady = false;
  platform::PropScoreInfo scores;

  // What the client did.
  std::vector<std::string> calls;
  std::vector<int> exitModes;
  std::vector<std::vector<std::uint8_t>> frames;
  int created = 0;
  int released = 0;
  std::int32_t scaleSeen = 0;
  std::int32_t paramSeen = 0;

  bool Called(const std::string& call) const {
    for (const auto& c : calls) {
      if (c == call) return true;
    }
    return false;
  }
  int Count(const std::string& call) const {
    int n = 0;
    for (const auto& c : calls) n += c == call ? 1 : 0;
    return n;
  }

  static platform::PropChestTables DefaultTables() {
    platform::PropChestTables t;
    for (int i = 0; i < 15; ++i) {
      t.ChestLayout.at(static_cast<std::size_t>(i)) = 250 + 110 * (i % 5);
      t.ChestLayout.at(static_cast<std::size_t>(15 + i)) = 300 + 100 * (i / 5);
    }
    t.ChestCentre = {512, 380};
    t.PrizeTarget = {480, 40, 480, 920, 600, 300, 60, 300};
    t.PropLabelAnchor = {512, 200};
    t.PropTiming = {50, 10};
    t.ClosedChestPicture = 5001;
    t.ChestSize = {80, 64};
    t.PrizePicture = 5003;
    t.PrizeSize = {48, 48};
    return t;
  }
};

class FakePlugin final : public platform::PropPlugin {
 public:
  explicit FakePlugin(std::shared_ptr<FakePluginRecord> rec) : r_(std::move(rec)) { ++r_->created; }
  ~FakePlugin() override { ++r_->released; }
  FakePlugin(const FakePlugin&) = delete;
  FakePlugin& operator=(const FakePlugin&) = delete;

  bool Initdll(const std::string& account, const std::string& loginKey, std::int32_t& scale,
               std::int32_t& propParam) override {
    r_->calls.push_back("Initdll " + account + " " + loginKey);
    r_->scaleSeen = scale;
    r_->paramSeen = propParam;
    return r_->startOk;
  }
  bool GetBaoInfo(platform::PropChestTables& out) override {
    r_->calls.push_back("GetBaoInfo");
    out = r_->tables;
    return r_->chests;
  }
  bool SetUserinfo(const platform::PropUser& u) override {
    r_->calls.push_back("SetUserinfo " + u.Account + " " + std::to_string(u.Position));
    return r_->userOk;
  }
  void rec_state(int kind, bool flag, int position) override {
    r_->calls.push_back("rec_state " + std::to_string(kind) + " " + (flag ? "1" : "0") + " " +
                        std::to_string(position));
  }
  void Rec_MSG(std::span<const std::uint8_t> frame) override {
    r_->calls.push_back("Rec_MSG " + std::to_string(frame[3]));
    r_->frames.emplace_back(frame.begin(), frame.end());
  }
  int CheckSendBuff() override { return static_cast<int>(r_->items.size()); }
  bool GetSendBuff(platform::PropSendItem& out) override {
    if (r_->items.empty()) return false;
    out = r_->items.front();
    r_->items.pop_front();
    return true;
  }
  void InitShowEnd() override { r_->calls.push_back("InitShowEnd"); }
  int GetScoreInfo(platform::PropScoreInfo& out) override {
    if (!r_->scoresReady) return 0;
    out = r_->scores;
    return 1;
  }
  void InitShowNext(bool flag) override {
    r_->calls.push_back(std::string("InitShowNext ") + (flag ? "1" : "0"));
  }
  void ShowGif(int which, bool flag) override {
    r_->calls.push_back("ShowGif " + std::to_string(which) + " " + (flag ? "1" : "0"));
  }
  bool ClearUser(int position) override {
    r_->calls.push_back("ClearUser " + std::to_string(position));
    return true;
  }
  bool Ainit(const std::string& profile) override {
    r_->calls.push_back("Ainit " + profile);
    return true;
  }
  void setbankstate(int state) override {
    r_->calls.push_back("setbankstate " + std::to_string(state));
  }
  void SetKeyDown(int keyCode) override {
    r_->calls.push_back("SetKeyDown " + std::to_string(keyCode));
  }
  void FixBuffPos() override { r_->calls.push_back("FixBuffPos"); }
  void UpdataMyProp(bool flag) override {
    r_->calls.push_back(std::string("UpdataMyProp ") + (flag ? "1" : "0"));
  }
  void InitExit(std::int32_t& mode) override {
    r_->calls.push_back("InitExit " + std::to_string(mode));
    r_->exitModes.push_back(mode);
  }

 private:
  std::shared_ptr<FakePluginRecord> r_;
};

}  // namespace qtest
