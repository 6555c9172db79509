#pragma once
// What a prop service answers: bank requests (45), prop scores after each hand (46), notices
// (44) and gifts between players (plug-in frames of command 19). The layouts are those of the
// reference prop plug-in.
#include <array>
#include <cstdint>
#include <string>

#include "wire/frame.h"

namespace devserver::props {

constexpr int kNotice = 44;
constexpr int kBank = 45;
constexpr int kScores = 46;

// Bank operations (byte 16 of command 45).
constexpr int kDeposit = 1;
constexpr int kWithdraw = 2;
constexpr int kBalance = 3;

// A plug-in frame riding in command 19 (its length field reads 272 or 260).
bool IsPluginChat(const wire::Frame& f);

// A notice: how 1 is a message line, 2 the plug-in's label.
wire::Frame Notice(const std::string& utf8, int how);

// Prop scores of hand number `hand` for the four seats: two seats find a chest each hand.
std::array<std::int32_t, 4> HandPrizes(int hand);
wire::Frame Scores(const std::array<std::int32_t, 4>& prizes);

struct BankAnswer {
  wire::Frame reply{};
  double goldDelta = 0;  // what the person's cash changes by
};
// Carries out a bank request against the savings and the person's cash.
BankAnswer Bank(const wire::Frame& request, double& savings, double cash);

}  // namespace devserver::props
