#pragma once
// Continuing to the next hand: the continue button, the ready countdown's end, the ready message.
class Client;

namespace session {

// The closing steps of either sheet: the table is due for a reset, continue is armed and the
// countdown runs; while the next hand's start closes the hand's end, only the reset is due.
void ArmContinue(Client& c);
// The continue button (button 2 of the control bar).
void Continue(Client& c);
// The ready clock's second: the countdown goes on, and at 0 the player continues as with the
// button.
void ReadyClockSecond(Client& c);
// The ready message (command 16, value 4 = 1), then a pending seat change.
void SendReady(Client& c);
// The continue button counts as used: a later press sends nothing and the own tiles rise again.
void UseContinueButton(Client& c);

}  // namespace session
