#include "ref_plugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace refprop {

namespace {

constexpr int kNotice = 44;
constexpr int kBank = 45;
constexpr int kScores = 46;
constexpr int kChat = 19;
constexpr std::uint32_t kPluginChatLength = 272;
constexpr int kGiftFlower = 1;
constexpr int kKeyBank = 113;             // F2
constexpr int kKeyGift = 114;             // F3
constexpr int kKeyWhisper = 115;          // F4
constexpr int kKeyCard = 116;             // F5
constexpr int kKeyPressF2 = 117;          // F6: asks the client to press F2 for it
constexpr std::int32_t kGold = 0x00D7FF;  // colour numbers hold red in the low byte
constexpr const char* kRed = "00000255";
constexpr const char* kBlue = "16711680";

std::uint64_t U64(const std::uint8_t* f, int at) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | f[at + i];
  return v;
}

std::int32_t I32(const std::uint8_t* f, int at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | f[at + i];
  std::int32_t out = 0;
  std::memcpy(&out, &v, sizeof(out));
  return out;
}

void PutU64(Frame& f, int at, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) f.at(static_cast<std::size_t>(at + i)) = (v >> (8 * i)) & 0xFF;
}

std::string Amount(double v) {
  return std::to_string(static_cast<long long>(std::llround(v)));
}

std::size_t Idx(int i) {
  return static_cast<std::size_t>(i);
}

}  // namespace

RefPlugin::RefPlugin() = default;

void RefPlugin::Message(const std::string& text) {
  Item i;
  i.kind = 0;
  i.text = text;
  items_.push_back(std::move(i));
}

void RefPlugin::Label(const std::string& text, int ms, int ticks) {
  Item i;
  i.kind = 1;
  i.text = text;
  const int w = 320;
  i.numbers = {w, 36, 512 - w / 2, scale_ == 1 ? 150 : 110};
  i.style = {ms, ticks, 14, kGold, 2};
  items_.push_back(std::move(i));
}

Frame RefPlugin::NewFrame(int cmd) const {
  Frame f{};
  f[3] = static_cast<std::uint8_t>(cmd);
  f[6] = static_cast<std::uint8_t>(players_[0].seatBit);
  return f;
}

void RefPlugin::SendFrame(const Frame& f) {
  Item i;
  i.kind = 2;
  i.frame.assign(f.begin(), f.end());
  items_.push_back(std::move(i));
}

int RefPlugin::PositionOfSeat(int seatBit) const {
  for (int p = 0; p < 4; ++p) {
    if (players_.at(Idx(p)).seatBit == seatBit && seatBit != 0) return p;
  }
  return -1;
}

bool RefPlugin::Next() {
  if (items_.empty()) return false;
  current_ = std::move(items_.front());
  items_.pop_front();
  return true;
}

bool RefPlugin::Initdll(const std::string& account, int scale) {
  if (account.empty()) return false;
  scale_ = scale;
  running_ = true;
  players_[0].account = account;
  Message("道具系统已启动：F2 银行，F3 送花，F4 悄悄话，F5 名片");
  Label("欢迎光临道具商城", 100, 30);
  return true;
}

bool RefPlugin::GetBaoInfo(std::array<std::int32_t, 30>& layout,
                           std::array<std::int32_t, 2>& centre,
                           std::array<std::int32_t, 8>& targets,
                           std::array<std::int32_t, 2>& anchor, std::array<std::int32_t, 2>& timing,
                           std::int32_t& closed, std::array<std::int32_t, 2>& chestSize,
                           std::int32_t& prize, std::array<std::int32_t, 2>& prizeSize) const {
  // Three rows of five chests across the middle of the table.
  const double k = scale_ == 1 ? 1.0 : 0.78125;
  const auto s = [k](int v) { return static_cast<std::int32_t>(std::lround(v * k)); };
  for (int i = 0; i < 15; ++i) {
    layout.at(Idx(i)) = s(292 + 92 * (i % 5));
    layout.at(Idx(15 + i)) = s(420 - 96 * (i / 5));
  }
  centre = {s(512), s(330)};
  targets = {s(60), s(40), s(480), s(930), s(660), s(330), s(30), s(330)};
  anchor = {s(512), s(190)};
  timing = {60, 15};
  closed = kChestPicture;
  chestSize = {s(72), s(60)};
  prize = kPrizePicture;
  prizeSize = {s(48), s(48)};
  return true;
}

bool RefPlugin::SetUserinfo(const std::string& nick, const std::string& account, int seatBit,
                            int position, bool own) {
  if (position < 0 || position > 3) return false;
  auto& p = players_.at(Idx(position));
  p.nick = nick;
  p.account = account;
  p.seatBit = seatBit;
  if (own) {
    // Ask the bank for the figures once the player is known.
    Frame f = NewFrame(kBank);
    f[16] = kBankBalance;
    SendFrame(f);
  }
  return true;
}

void RefPlugin::RecState(int kind, bool flag, int position) {
  if (kind == 2 && !flag && position >= 1 && position <= 3) {
    players_.at(Idx(position)) = {};
  } else if (kind == 3) {
    Message(flag ? "道具服务已连接" : "道具服务连接中断");
  }
}

void RefPlugin::RecMsg(const std::uint8_t* f) {
  switch (f[3]) {
    case kNotice:
      OnNotice(f);
      break;
    case kBank:
      OnBank(f);
      break;
    case kScores:
      OnScores(f);
      break;
    case kChat:
      OnGift(f);
      break;
    default:
      break;
  }
}

void RefPlugin::OnNotice(const std::uint8_t* f) {
  const auto* text = reinterpret_cast<const char*>(f + 16);
  const std::string notice(text, strnlen(text, 200));
  if (notice.empty()) return;
  const int how = f[8] * 256 + f[9];
  if (how == 2) {
    Label(notice, 100, 40);
  } else {
    Message(notice);
  }
}

void RefPlugin::OnBank(const std::uint8_t* f) {
  const int op = f[16];
  const bool ok = f[17] == 1;
  balance_ = static_cast<double>(U64(f, 24));
  gold_ = static_cast<double>(U64(f, 32));
  const double amount = static_cast<double>(U64(f, 40));
  std::string note;
  if (op == kBankDeposit) {
    note = ok ? "存入 " + Amount(amount) + " 金币" : "现金不足，无法存入";
  } else if (op == kBankWithdraw) {
    note = ok ? "取出 " + Amount(amount) + " 金币" : "存款不足，无法取出";
  }
  if (!note.empty()) Message("银行：" + note);
  if (bank_) {
    bank_->SetFigures(balance_, gold_);
    if (!note.empty()) bank_->SetNote(note);
  }
}

void RefPlugin::OnScores(const std::uint8_t* f) {
  score_.fill(0);
  chest_.fill(false);
  for (int seat = 0; seat < 4; ++seat) {
    const int p = PositionOfSeat(1 << seat);
    if (p < 0) continue;
    score_.at(Idx(p)) = I32(f, 16 + 8 * seat);
    chest_.at(Idx(p)) = f[16 + 8 * seat + 4] != 0;
  }
  scoresIn_ = true;
}

void RefPlugin::OnGift(const std::uint8_t* f) {
  if (f[16] != kGiftFlower) return;
  const int from = PositionOfSeat(f[6] & 15);
  const int to = PositionOfSeat(f[17] & 15);
  const auto name = [&](int p) { return p < 0 ? std::string("有人") : players_.at(Idx(p)).nick; };
  Message(name(from) + " 送给 " + name(to) + " 一朵鲜花");
}

void RefPlugin::InitShowEnd() {
  resultOpen_ = true;
}

int RefPlugin::ScoreInfo(std::array<std::string, 4>& scoreText, std::array<double, 4>& score,
                         std::array<std::string, 4>& title,
                         std::array<std::string, 4>& lines) const {
  if (!scoresIn_) return 0;
  for (std::size_t p = 0; p < 4; ++p) {
    const double v = score_.at(p);
    score.at(p) = v;
    scoreText.at(p).clear();
    title.at(p).clear();
    lines.at(p).clear();
    if (v > 0) {
      scoreText.at(p) = "道具奖励: +" + Amount(v) + "金币" + kRed;
    } else if (v < 0) {
      scoreText.at(p) = "道具扣除: " + Amount(v) + "金币" + kBlue;
    }
    if (chest_.at(p)) {
      title.at(p) = p == 0 ? std::string("我的宝箱") : players_.at(p).nick + "的宝箱";
      lines.at(p) = (p == 0 ? std::string("你") : players_.at(p).nick) + "的宝箱开出 " + Amount(v) +
                    " 金币|宝箱每局都有，下局再来！";
    }
  }
  return 1;
}

void RefPlugin::InitShowNext(bool starting) {
  if (starting) {
    resultOpen_ = false;
    scoresIn_ = false;
    return;
  }
  // Ready for the next hand: the client holds these until the hand starts.
  Frame a = NewFrame(kBank);
  a[8] = kReadyAfterSheet >> 8;
  a[9] = kReadyAfterSheet & 0xFF;
  SendFrame(a);
  Frame b = NewFrame(kBank);
  b[8] = kReadyBetweenHands >> 8;
  b[9] = kReadyBetweenHands & 0xFF;
  SendFrame(b);
}

void RefPlugin::ShowGif(bool on) {
  if (on) Message("宝箱打开了！");
}

void RefPlugin::ClearUser(int position) {
  if (position >= 1 && position <= 3) players_.at(Idx(position)) = {};
}

void RefPlugin::SetBankState(int state) {
  if (!bank_) return;
  if (state == 0) {
    if (bank_->Visible()) {
      bank_->Hide();
    } else {
      bank_->SetFigures(balance_, gold_);
      bank_->Show();
      Frame f = NewFrame(kBank);
      f[16] = kBankBalance;
      SendFrame(f);
    }
  } else {
    bank_->Hide();
  }
}

void RefPlugin::BankRequest(int op, double amount) {
  if (amount <= 0) return;
  Frame f = NewFrame(kBank);
  f[16] = static_cast<std::uint8_t>(op);
  PutU64(f, 17, static_cast<std::uint64_t>(amount));
  SendFrame(f);
}

void RefPlugin::SetKeyDown(int key) {
  switch (key) {
    case kKeyBank:
      SetBankState(0);
      break;
    case kKeyGift: {
      Frame f = NewFrame(kChat);
      f[16] = kGiftFlower;
      f[17] = static_cast<std::uint8_t>(players_[2].seatBit);
      f[236] = 0;
      f[237] = 0;
      f[238] = kPluginChatLength >> 8;
      f[239] = kPluginChatLength & 0xFF;
      SendFrame(f);
      break;
    }
    case kKeyWhisper: {
      Item i;
      i.kind = 3;
      i.text = "1";
      items_.push_back(std::move(i));
      break;
    }
    case kKeyCard: {
      Item i;
      i.kind = 5;
      i.numbers = {0};
      items_.push_back(std::move(i));
      break;
    }
    case kKeyPressF2: {
      Item i;
      i.kind = 4;
      i.numbers = {kKeyBank};
      items_.push_back(std::move(i));
      break;
    }
    default:
      break;
  }
}

void RefPlugin::LeaveTable() {
  if (bank_) bank_->Hide();
}

void RefPlugin::Exit(int /*mode*/) {
  running_ = false;
  items_.clear();
  if (bank_) bank_->Hide();
}

}  // namespace refprop
