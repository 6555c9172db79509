#pragma once
// Inside the prop bridge: the chest game, the prop label and the prop step of a waiting result.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/prop_plugin.h"

class Client;

namespace props {

// Columns of a chat history line the bridge shows.
constexpr int kLineWidth = 44;

// Calls the bridge makes for the chest game.
void CallInitShowEnd(Client& c);
int CallGetScoreInfo(Client& c, platform::PropScoreInfo& out);
void CallShowGif(Client& c, bool on);

void ClearPropScores(Client& c);
// Sizes and pictures the chest controls from the plug-in's tables (all hidden).
void PrepareChests(Client& c);
// Stops the chest game, the prize animation and the label, and hides them.
void StopChests(Client& c);
// A label item of the plug-in: text, width/height/left/top, style numbers.
void ShowPropLabel(Client& c, const std::string& text, const std::vector<std::int32_t>& numbers,
                   const std::vector<std::int32_t>& style);

// Display width of a text: one unit per single-byte character, two per double-byte one.
int DisplayWidth(const std::string& utf8);

}  // namespace props
