#include "props/prop_library.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "props/prop_abi.h"

namespace props {

namespace {

// Every entry of the interface, resolved once.
struct Entries {
  decltype(&QintaraProp_AbiVersion) AbiVersion = nullptr;
  decltype(&QintaraProp_Create) Create = nullptr;
  decltype(&QintaraProp_Release) Release = nullptr;
  decltype(&QintaraProp_Initdll) Initdll = nullptr;
  decltype(&QintaraProp_GetBaoInfo) GetBaoInfo = nullptr;
  decltype(&QintaraProp_SetUserinfo) SetUserinfo = nullptr;
  decltype(&QintaraProp_rec_state) rec_state = nullptr;
  decltype(&QintaraProp_Rec_MSG) Rec_MSG = nullptr;
  decltype(&QintaraProp_CheckSendBuff) CheckSendBuff = nullptr;
  decltype(&QintaraProp_GetSendBuff) GetSendBuff = nullptr;
  decltype(&QintaraProp_InitShowEnd) InitShowEnd = nullptr;
  decltype(&QintaraProp_GetScoreInfo) GetScoreInfo = nullptr;
  decltype(&QintaraProp_InitShowNext) InitShowNext = nullptr;
  decltype(&QintaraProp_ShowGif) ShowGif = nullptr;
  decltype(&QintaraProp_ClearUser) ClearUser = nullptr;
  decltype(&QintaraProp_Ainit) Ainit = nullptr;
  decltype(&QintaraProp_setbankstate) setbankstate = nullptr;
  decltype(&QintaraProp_SetKeyDown) SetKeyDown = nullptr;
  decltype(&QintaraProp_FixBuffPos) FixBuffPos = nullptr;
  decltype(&QintaraProp_UpdataMyProp) UpdataMyProp = nullptr;
  decltype(&QintaraProp_InitExit) InitExit = nullptr;
};

template <typename F>
bool Resolve(const SymbolLookup& lookup, const char* name, F& out, std::string& missing) {
  void* sym = lookup(name);
  if (sym == nullptr) {
    if (missing.empty()) missing = name;
    return false;
  }
  static_assert(sizeof(F) == sizeof(void*));
  std::memcpy(&out, &sym, sizeof(out));
  return true;
}

std::string Text(const char* s) {
  return s == nullptr ? std::string() : std::string(s);
}

class LibraryPlugin final : public platform::PropPlugin {
 public:
  LibraryPlugin(std::shared_ptr<void> lib, const Entries& e, QintaraPropObject* obj)
      : lib_(std::move(lib)), e_(e), obj_(obj) {}
  ~LibraryPlugin() override { e_.Release(obj_); }
  LibraryPlugin(const LibraryPlugin&) = delete;
  LibraryPlugin& operator=(const LibraryPlugin&) = delete;

  bool Initdll(const std::string& account, const std::string& loginKey, std::int32_t& scale,
               std::int32_t& propParam) override {
    return e_.Initdll(obj_, account.c_str(), loginKey.c_str(), "DLL", 0, "newvrp", &scale,
                      &propParam) != 0;
  }
  bool GetBaoInfo(platform::PropChestTables& t) override {
    return e_.GetBaoInfo(obj_, t.ChestLayout.data(), t.ChestCentre.data(), t.PrizeTarget.data(),
                         t.PropLabelAnchor.data(), t.PropTiming.data(), &t.ClosedChestPicture,
                         t.ChestSize.data(), &t.PrizePicture, t.PrizeSize.data()) != 0;
  }
  bool SetUserinfo(const platform::PropUser& u) override {
    return e_.SetUserinfo(obj_, u.NickName.c_str(), u.Account.c_str(), u.SeatBit, u.Position,
                          u.Own ? 1 : 0, u.Sex, u.Tag, u.Title.c_str()) != 0;
  }
  void rec_state(int kind, bool flag, int position) override {
    e_.rec_state(obj_, kind, flag ? 1 : 0, position);
  }
  void Rec_MSG(std::span<const std::uint8_t> frame) override {
    if (frame.size() != QINTARA_PROP_FRAME_SIZE) return;
    e_.Rec_MSG(obj_, frame.data());
  }
  int CheckSendBuff() override { return e_.CheckSendBuff(obj_); }
  bool GetSendBuff(platform::PropSendItem& out) override {
    std::int32_t picture = 0;
    const char* text = nullptr;
    const std::uint8_t* frame = nullptr;
    std::int32_t frameLength = 0;
    std::int32_t kind = -1;
    const std::int32_t* numbers = nullptr;
    std::int32_t numberCount = 0;
    const std::int32_t* style = nullptr;
    std::int32_t styleCount = 0;
    if (e_.GetSendBuff(obj_, &picture, &text, &frame, &frameLength, &kind, &numbers, &numberCount,
                       &style, &styleCount) == 0) {
      return false;
    }
    out.Picture = picture;
    out.Text = Text(text);
    out.Kind = kind;
    // Counts come from the plug-in: a negative one, or data without a pointer, is nothing. A
    // count far beyond a frame is cut, so the core still sees (and refuses) a wrong length.
    constexpr std::int32_t kMaxCopy = 4096;
    if (frame != nullptr && frameLength > 0) {
      out.Frame.assign(frame, frame + std::min(frameLength, kMaxCopy));
    }
    if (numbers != nullptr && numberCount > 0) {
      out.Numbers.assign(numbers, numbers + std::min(numberCount, kMaxCopy));
    }
    if (style != nullptr && styleCount > 0) {
      out.Style.assign(style, style + std::min(styleCount, kMaxCopy));
    }
    return true;
  }
  void InitShowEnd() override { e_.InitShowEnd(obj_); }
  int GetScoreInfo(platform::PropScoreInfo& out) override {
    std::array<const char*, 4> scoreText{};
    std::array<double, 4> score{};
    std::array<const char*, 4> title{};
    std::array<const char*, 4> lines{};
    const int ready =
        e_.GetScoreInfo(obj_, scoreText.data(), score.data(), title.data(), lines.data());
    if (ready != 1) return ready;
    for (std::size_t p = 0; p < 4; ++p) {
      out.PropScoreText.at(p) = Text(scoreText.at(p));
      out.PropScore.at(p) = score.at(p);
      out.ChestTitle.at(p) = Text(title.at(p));
      out.ChestLines.at(p) = Text(lines.at(p));
    }
    return ready;
  }
  void InitShowNext(bool flag) override { e_.InitShowNext(obj_, flag ? 1 : 0); }
  void ShowGif(int which, bool flag) override { e_.ShowGif(obj_, which, flag ? 1 : 0); }
  bool ClearUser(int position) override { return e_.ClearUser(obj_, position) != 0; }
  bool Ainit(const std::string& profile) override { return e_.Ainit(obj_, profile.c_str()) != 0; }
  void setbankstate(int state) override { e_.setbankstate(obj_, state); }
  void SetKeyDown(int keyCode) override { e_.SetKeyDown(obj_, keyCode); }
  void FixBuffPos() override { e_.FixBuffPos(obj_); }
  void UpdataMyProp(bool flag) override { e_.UpdataMyProp(obj_, flag ? 1 : 0); }
  void InitExit(std::int32_t& mode) override { e_.InitExit(obj_, &mode); }

 private:
  std::shared_ptr<void> lib_;  // outlives the object: released first, in the destructor's body
  Entries e_;
  QintaraPropObject* obj_;
};

}  // namespace

std::unique_ptr<platform::PropPlugin> MakeLibraryPlugin(std::shared_ptr<void> library,
                                                        const SymbolLookup& lookup,
                                                        const std::string& path,
                                                        const PropLog& log) {
  Entries e;
  std::string missing;
  // The version first: a library of another version may name its entries differently.
  if (!Resolve(lookup, "QintaraProp_AbiVersion", e.AbiVersion, missing)) {
    log("plugin", "no plug-in: " + path + " lacks " + missing);
    return nullptr;
  }
  const std::uint32_t version = e.AbiVersion();
  if (version != QINTARA_PROP_ABI_VERSION) {
    log("plugin", "no plug-in: " + path + " speaks version " + std::to_string(version) +
                      ", the client " + std::to_string(QINTARA_PROP_ABI_VERSION));
    return nullptr;
  }
  bool ok = Resolve(lookup, "QintaraProp_Create", e.Create, missing);
  ok = Resolve(lookup, "QintaraProp_Release", e.Release, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_Initdll", e.Initdll, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_GetBaoInfo", e.GetBaoInfo, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_SetUserinfo", e.SetUserinfo, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_rec_state", e.rec_state, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_Rec_MSG", e.Rec_MSG, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_CheckSendBuff", e.CheckSendBuff, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_GetSendBuff", e.GetSendBuff, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_InitShowEnd", e.InitShowEnd, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_GetScoreInfo", e.GetScoreInfo, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_InitShowNext", e.InitShowNext, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_ShowGif", e.ShowGif, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_ClearUser", e.ClearUser, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_Ainit", e.Ainit, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_setbankstate", e.setbankstate, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_SetKeyDown", e.SetKeyDown, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_FixBuffPos", e.FixBuffPos, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_UpdataMyProp", e.UpdataMyProp, missing) && ok;
  ok = Resolve(lookup, "QintaraProp_InitExit", e.InitExit, missing) && ok;
  if (!ok) {
    log("plugin", "no plug-in: " + path + " lacks " + missing);
    return nullptr;
  }
  QintaraPropObject* obj = e.Create();
  if (obj == nullptr) {
    log("plugin", "no plug-in: " + path + " could not create its object");
    return nullptr;
  }
  log("plugin", "loaded " + path);
  return std::make_unique<LibraryPlugin>(std::move(library), e, obj);
}

}  // namespace props
