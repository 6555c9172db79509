#pragma once
// The main form's control bar, title buttons, drag strip and connection indicator: their clicks
// open and close the windows of every subsystem.
class Client;

namespace session {

void AnNiu_Click(Client& c, int i);
// Title buttons: which is 0 for ImgClose, 1 for ImgMin.
void TitleButton_Click(Client& c, int which);
// True when the window should now be dragged by the system (left button only).
bool LbMove_MouseDown(Client& c, int button);
// After the system drag: keeps the rules window and the exit dialog centred.
void AfterDrag(Client& c);
void MinimiseTable(Client& c);
// Every window of the table but the leave dialog: each is a window of its own, so minimising the
// table or going back to the lobby leaves them on the screen unless they are hidden too.
void HideTableWindows(Client& c);
void ToggleScore(Client& c);
void ToggleHero(Client& c);
// The rules page, its text read on first use.
void ToggleRules(Client& c);
void ToggleExitDialog(Client& c);

// The connection indicator kept in step with the connection.
void ShowLinkState(Client& c);
// A click on the indicator while reconnecting opens the reconnect window.
void LinkState_Click(Client& c);

}  // namespace session
