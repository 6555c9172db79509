#pragma once
// The prop bridge's part of the tick and of its timer, and what it asks the table to do.
#include "props/actions.h"

class Client;

namespace session {

// Carries out the bridge's actions in their order: chat lines and whispers, keys on the table,
// player cards and result sheets.
void CarryOut(Client& c, const props::Actions& actions);
// The prop task of the tick: the plug-in's pending items, the prop step of a waiting result and
// the chest countdown.
void PropTask(Client& c);
// TimerProp: the prize animation, the label's end, and once the prizes are counted their lines,
// their flight and the sheet.
void TimerProp_Timer(Client& c);

}  // namespace session
