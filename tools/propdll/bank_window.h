#pragma once
// The reference plug-in's bank: a small window with the player's savings and cash, an amount,
// and deposit and withdraw buttons.
#include <functional>
#include <memory>

#include "ref_plugin.h"

namespace refprop {

class BankDialog;

class BankWindow final : public BankView {
 public:
  using Request = std::function<void(int op, double amount)>;
  explicit BankWindow(Request request);
  ~BankWindow() override;
  BankWindow(const BankWindow&) = delete;
  BankWindow& operator=(const BankWindow&) = delete;

  void Show() override;
  void Hide() override;
  bool Visible() const override;
  void SetFigures(double balance, double gold) override;
  void SetNote(const std::string& note) override;

 private:
  std::unique_ptr<BankDialog> dialog_;
};

}  // namespace refprop
