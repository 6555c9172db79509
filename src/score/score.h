#pragma once
class Client;

namespace score {

void OnHandResult(Client& c);  // 9
void OnWinDetail(Client& c);   // 17
// The ready clock's second: count down, and at 0 continue to the next hand.
void ReadyClockSecond(Client& c);
// The ready message: the player is ready for the next hand.
void SendReady(Client& c);

}  // namespace score
