#pragma once
// The bank window where the program can show one: the Qt build's, or none.
#include <functional>
#include <memory>

#include "ref_plugin.h"

namespace refprop {

// Null when this build or this program has no window for the bank.
std::unique_ptr<BankView> MakeBankView(std::function<void(int op, double amount)> request);

}  // namespace refprop
