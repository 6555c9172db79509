#pragma once
// The prop plug-in bridge's state: the plug-in object, its chest tables, the prop scores of the
// hand and the chest game, and the wealth multiplier.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/prop_plugin.h"

namespace props {

// Prop_GameDllState values.
constexpr int kPropsOff = -1;
constexpr int kPropsNotStarted = 0;
constexpr int kPropsRunning = 1;
constexpr int kPropsWithChests = 2;

// What TimerProp is currently driving.
enum class PropTimerUse { None, Label, Prizes };

struct PropState {
  int Prop_GameDllState = kPropsNotStarted;  // > 0 active
  bool PropReady = false;
  // Command 46 announced prop scores for the result that waits.
  bool ScorePending = false;
  std::unique_ptr<platform::PropPlugin> Plugin;
  // The library was looked for and not usable: not looked for again this run.
  bool LoadFailed = false;

  platform::PropChestTables Chests;

  // The hand's result waits for its sheet until the prop step shows it (draw or win).
  bool ResultPending = false;
  bool DrawPending = false;
  // Ticks the prop step has waited for the plug-in's scores.
  int ScoreWaitTicks = 0;

  // Per relative position.
  std::array<std::string, 4> PropScoreText;
  std::array<double, 4> PropScore{};
  std::array<std::string, 4> ChestTitle;
  std::array<std::string, 4> ChestLines;

  // The chest game.
  std::array<int, 4> ChestChoice{-1, -1, -1, -1};
  bool ChestChosen = false;
  int ChestSeconds = 0;
  bool ChestCountdownOn = false;
  // From the chest game's start until its sheet is shown.
  bool ChestGameOn = false;
  int ChestTick = 0;
  // Position of each chest group 0..2 while the others' chests stand (-1 unused).
  std::array<int, 3> GroupOwner{-1, -1, -1};
  bool OwnChests = false;

  // TimerProp.
  PropTimerUse TimerUse = PropTimerUse::None;
  int PrizeFrame = 0;
  int LabelTicksLeft = 0;

  // Wealth multiplier.
  std::array<std::int32_t, 4> WealthValue{};
  std::int32_t WealthMultiple = 0;
  // The number lbwealth last showed for the multiplier.
  std::int32_t WealthShown = 0;
  std::string WealthMultipleText;
  bool DiceMultipleOn = false;
};

}  // namespace props
