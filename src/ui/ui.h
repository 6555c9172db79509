#pragma once
// The main form: its frame and title buttons, the layout of its controls, the control bar's
// pictures, the seat change, the advertisement pane and the connection indicator.
#include <string>

#include "ui/context.h"
#include "ui/sound.h"

namespace ui {

void PaintBorder(MainFormT& f);
void PaintSmallTable(MainFormT& f);
// Every control at the table's scale; the control bar armed afresh, only "start" used.
void LayoutControls(Ctx& c);
void LayoutTable(Ctx& c);
// The seat-change animation with its caption timer; the seat change is pending until the
// next hand is set up.
void StartSeatChange(Ctx& c);
// After the ready message: the seat-change animation, when a seat change is pending.
void StartSeatChangeIfPending(Ctx& c);
// The seat-change animation ends (its caption timer stops) and is no longer pending.
void StopSeatChange(Ctx& c);
// Shows the next seat-change caption, every 300 ms while the animation runs.
void TimerShuffle_Timer(Ctx& c);
// Advertisement pane 1 or 2. failed: a page was refused before (then nothing is shown); set
// when this one is.
void ShowAdvertisement(Ctx& c, int which, const std::string& page, bool& failed);
void HideAdvertisement(Ctx& c, int which);
void Bird_Click(Ctx& c);

// ---- The connection indicator ----
enum class Link { Connecting, Up, Retrying, Down };
// What the indicator shows: the kind, the attempt out of all of them while retrying, the round
// trip when up (negative while unknown), and whether the table was ever connected.
struct LinkFacts {
  Link link = Link::Down;
  int tries = 0;
  int attempts = 0;
  int roundTripMs = -1;
  bool firstConnect = false;
};
// Placed once; what it showed is forgotten, so the next ShowLinkState draws it.
void LayoutLinkState(Ctx& c);
// Draws the indicator when what it shows changed.
void ShowLinkState(Ctx& c, const LinkFacts& facts);

// ---- Frame, control bar and layout ----
void LayoutSeatLabels(Ctx& c);
// Resource id of control-bar picture i (ButtonGif) at the current scale.
int ButtonPicture(const table::TableState& t, int i);
// The switched-off look of the bar button whose normal picture is ButtonGif entry 0, 2, 4 or 6.
int DisabledButtonPicture(const table::TableState& t, int entry);
// Highlights control-bar button i and sets its tooltip.
void LightButton(Ctx& c, int i);
void RestoreButtons(Ctx& c);
// Picture of control-bar button i, normal or highlighted.
int AnNiuPicture(const Ctx& c, int i, bool lit);
void AnNiu_MouseMove(Ctx& c, int i);
void ToggleSettings(Ctx& c);
// Shows or hides the rules page (loaded first with LoadRules).
void ToggleRules(Ctx& c);
// Title buttons: which is 0 for ImgClose, 1 for ImgMin.
void TitleButton_MouseDown(MainFormT& f, int which);
void TitleButton_MouseUp(MainFormT& f, int which);
void TitleButton_MouseMove(Ctx& c, int which);
void RestoreChrome(Ctx& c);
void LbMove_MouseMove(Ctx& c);
// The drag strip under the pointer while the system drags the window.
void LbMove_StartDrag(MainFormT& f);
// Puts the settings dialog with its lower right corner near the table's.
void PlaceSettings(Ctx& c);

}  // namespace ui
