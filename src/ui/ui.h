#pragma once
// Window chrome, control layout, sound start-up and the advertisement panes.
#include <string>

class Client;

namespace ui {

void PaintBorder(Client& c);
void PaintSmallTable(Client& c);
void LayoutControls(Client& c);
void LayoutTable(Client& c);
void StopSeatChange(Client& c);
void BuildSoundList(Client& c);
void StartMusic(Client& c);
void UnloadLeaveDialog(Client& c);
// Advertisement browser 1 or 2.
void ShowAdvertisement(Client& c, int which, const std::string& page);
void HideAdvertisement(Client& c, int which);

}  // namespace ui
