#pragma once
// The reference prop plug-in: treasure chests with prizes, prop scores, a bank, gifts between
// players and messages, all through the client's plug-in interface. Speaks to the development
// server in commands 44 (notices), 45 (bank), 46 (prop scores) and plug-in frames of command 19
// (gifts). The frame layouts below are this plug-in's own.
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace refprop {

constexpr int kFrameSize = 272;
using Frame = std::array<std::uint8_t, kFrameSize>;

// Command 45 operations (byte 16).
constexpr int kBankBalance = 3;
constexpr int kBankDeposit = 1;
constexpr int kBankWithdraw = 2;
// Value 0 of the plug-in's "ready for the next hand" frames, sent after each sheet.
constexpr int kReadyAfterSheet = 1032;
constexpr int kReadyBetweenHands = 3088;
// Pictures of the plug-in (its res folder).
constexpr int kChestPicture = 5001;
constexpr int kPrizePicture = 5003;

struct Item {
  int kind = 0;
  std::string text;
  std::vector<std::uint8_t> frame;
  std::vector<std::int32_t> numbers;
  std::vector<std::int32_t> style;
};

// The bank window, shown by whoever can draw one.
class BankView {
 public:
  virtual ~BankView() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  virtual void SetFigures(double balance, double gold) = 0;
  virtual void SetNote(const std::string& note) = 0;
};

class RefPlugin {
 public:
  RefPlugin();

  // Where the bank's buttons send their requests.
  void SetBankView(std::unique_ptr<BankView> view) { bank_ = std::move(view); }
  void BankRequest(int op, double amount);

  bool Initdll(const std::string& account, int scale);
  bool GetBaoInfo(std::array<std::int32_t, 30>& layout, std::array<std::int32_t, 2>& centre,
                  std::array<std::int32_t, 8>& targets, std::array<std::int32_t, 2>& anchor,
                  std::array<std::int32_t, 2>& timing, std::int32_t& closed,
                  std::array<std::int32_t, 2>& chestSize, std::int32_t& prize,
                  std::array<std::int32_t, 2>& prizeSize) const;
  bool SetUserinfo(const std::string& nick, const std::string& account, int seatBit, int position,
                   bool own);
  void RecState(int kind, bool flag, int position);
  void RecMsg(const std::uint8_t* frame);
  int Pending() const { return static_cast<int>(items_.size()); }
  // Moves the next item into current(); false when none waits.
  bool Next();
  const Item& Current() const { return current_; }
  void InitShowEnd();
  // 1 with the scores once command 46 of this hand has arrived.
  int ScoreInfo(std::array<std::string, 4>& scoreText, std::array<double, 4>& score,
                std::array<std::string, 4>& title, std::array<std::string, 4>& lines) const;
  void InitShowNext(bool starting);
  void ShowGif(bool on);
  void ClearUser(int position);
  void SetBankState(int state);
  void SetKeyDown(int key);
  void LeaveTable();
  void Exit(int mode);

 private:
  struct Player {
    std::string nick;
    std::string account;
    int seatBit = 0;
  };

  void Message(const std::string& text);
  void Label(const std::string& text, int ms, int ticks);
  void SendFrame(const Frame& f);
  Frame NewFrame(int cmd) const;
  int PositionOfSeat(int seatBit) const;
  void OnNotice(const std::uint8_t* f);
  void OnBank(const std::uint8_t* f);
  void OnScores(const std::uint8_t* f);
  void OnGift(const std::uint8_t* f);

  std::deque<Item> items_;
  Item current_;
  std::array<Player, 4> players_{};
  int scale_ = 1;
  bool running_ = false;
  bool resultOpen_ = false;
  bool scoresIn_ = false;
  std::array<double, 4> score_{};
  std::array<bool, 4> chest_{};
  double balance_ = 0;
  double gold_ = 0;
  std::unique_ptr<BankView> bank_;
};

}  // namespace refprop
