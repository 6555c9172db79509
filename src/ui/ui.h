#pragma once
// Window chrome, control layout, sound start-up and the advertisement panes.
#include <string>

#include "ui/sound.h"

class Client;

namespace ui {

void PaintBorder(Client& c);
void PaintSmallTable(Client& c);
void LayoutControls(Client& c);
void LayoutTable(Client& c);
// The seat-change animation with its caption timer; the seat change is pending until the
// next hand is set up.
void StartSeatChange(Client& c);
// After the ready message: the seat-change animation, when a seat change is pending.
void StartSeatChangeIfPending(Client& c);
// The seat-change animation ends (its caption timer stops) and is no longer pending.
void StopSeatChange(Client& c);
// Shows the next seat-change caption, every 300 ms while the animation runs.
void TimerShuffle_Timer(Client& c);
// Advertisement browser 1 or 2.
void ShowAdvertisement(Client& c, int which, const std::string& page);
void HideAdvertisement(Client& c, int which);
void Bird_Click(Client& c);

// The connection indicator: placed once, then kept in step with the connection.
void LayoutLinkState(Client& c);
void ShowLinkState(Client& c);
// A click on the indicator while reconnecting opens the reconnect window.
void LinkState_Click(Client& c);

// ---- Frame, control bar and layout ----
void LayoutSeatLabels(Client& c);
// Highlights control-bar button i and sets its tooltip.
void LightButton(Client& c, int i);
void RestoreButtons(Client& c);
// Picture of control-bar button i, normal or highlighted.
int AnNiuPicture(Client& c, int i, bool lit);
void AnNiu_Click(Client& c, int i);
void AnNiu_MouseMove(Client& c, int i);
void ToggleSettings(Client& c);
void MinimiseTable(Client& c);
// Every window of the table but the leave dialog: each is a window of its own, so minimising the
// table or going back to the lobby leaves them on the screen unless they are hidden too.
void HideTableWindows(Client& c);
void ToggleScore(Client& c);
void ToggleHero(Client& c);
void ToggleRules(Client& c);
void ToggleExitDialog(Client& c);
void Continue(Client& c);
// The ready message (command 16, value 4 = 1), then a pending seat change.
void SendReady(Client& c);
// Title buttons: which is 0 for ImgClose, 1 for ImgMin.
void TitleButton_MouseDown(Client& c, int which);
void TitleButton_MouseUp(Client& c, int which);
void TitleButton_MouseMove(Client& c, int which);
void TitleButton_Click(Client& c, int which);
void RestoreChrome(Client& c);
void LbMove_MouseMove(Client& c);
// True when the window should now be dragged by the system (left button only).
bool LbMove_MouseDown(Client& c, int button);
// After the system drag: keeps the rules window and the exit dialog centred.
void AfterDrag(Client& c);
// Puts the settings dialog with its lower right corner near the table's.
void PlaceSettings(Client& c);

}  // namespace ui
