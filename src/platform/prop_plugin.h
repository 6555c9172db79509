#pragma once
// The prop plug-in as the core sees it: one method per call the client makes. The host builds
// one from the shared library (see props/prop_abi.h); tests put a fake behind the same
// interface. Texts are UTF-8.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace platform {

struct PropChestTables {
  std::array<std::int32_t, 30> ChestLayout{};
  std::array<std::int32_t, 2> ChestCentre{};
  std::array<std::int32_t, 8> PrizeTarget{};
  std::array<std::int32_t, 2> PropLabelAnchor{};
  std::array<std::int32_t, 2> PropTiming{};
  std::int32_t ClosedChestPicture = 0;
  std::array<std::int32_t, 2> ChestSize{};
  std::int32_t PrizePicture = 0;
  std::array<std::int32_t, 2> PrizeSize{};
};

// One pending item, as the plug-in handed it over (not yet checked).
struct PropSendItem {
  std::int32_t Picture = 0;
  std::string Text;
  std::vector<std::uint8_t> Frame;
  std::int32_t Kind = -1;
  std::vector<std::int32_t> Numbers;
  std::vector<std::int32_t> Style;
};

struct PropScoreInfo {
  std::array<std::string, 4> PropScoreText;
  std::array<double, 4> PropScore{};
  std::array<std::string, 4> ChestTitle;
  std::array<std::string, 4> ChestLines;
};

struct PropUser {
  std::string NickName;
  std::string Account;
  int SeatBit = 0;
  int Position = 0;
  bool Own = false;
  int Sex = 0;
  int Tag = 0;
  std::string Title;
};

class PropPlugin {
 public:
  virtual ~PropPlugin() = default;

  // scale and propParam are by reference: the plug-in may change them.
  virtual bool Initdll(const std::string& account, const std::string& loginKey, std::int32_t& scale,
                       std::int32_t& propParam) = 0;
  virtual bool GetBaoInfo(PropChestTables& out) = 0;
  virtual bool SetUserinfo(const PropUser& user) = 0;
  // position -1: the kind takes none.
  virtual void rec_state(int kind, bool flag, int position) = 0;
  virtual void Rec_MSG(std::span<const std::uint8_t> frame) = 0;
  virtual int CheckSendBuff() = 0;
  // False when nothing was pending.
  virtual bool GetSendBuff(PropSendItem& out) = 0;
  virtual void InitShowEnd() = 0;
  // 1 when the scores are ready.
  virtual int GetScoreInfo(PropScoreInfo& out) = 0;
  virtual void InitShowNext(bool flag) = 0;
  virtual void ShowGif(int which, bool flag) = 0;
  virtual bool ClearUser(int position) = 0;
  virtual bool Ainit(const std::string& profile) = 0;
  virtual void setbankstate(int state) = 0;
  virtual void SetKeyDown(int keyCode) = 0;
  virtual void FixBuffPos() = 0;
  virtual void UpdataMyProp(bool flag) = 0;
  virtual void InitExit(std::int32_t& mode) = 0;
};

}  // namespace platform
