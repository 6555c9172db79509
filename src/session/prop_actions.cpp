#include "session/prop_actions.h"

#include "chat/chat.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/hand_end.h"
#include "session/program.h"

namespace session {

namespace {

// Each item is carried out before the next is taken: one may shut the plug-in down (a key that
// leaves the table), and then the rest wait.
void ServePluginItems(Client& c) {
  const int due = props::ItemsDue(c);
  for (int i = 0; i < due; ++i) {
    props::Actions actions;
    if (!props::TakeItem(c, actions)) break;
    CarryOut(c, actions);
    if (!props::ServesItems(c.props)) break;
  }
}

struct Carrier {
  Client& c;
  void operator()(const props::ShowLine& a) const {
    chat::ShowMessageLine(c.chatCtx, a.text, a.width);
  }
  void operator()(const props::Whisper& a) const { chat::SetWhisper(c.chatCtx, a.pos); }
  void operator()(const props::PressKey& a) const { Form_KeyDown(c, a.keyCode); }
  void operator()(const props::ShowCard& a) const { score::ShowPlayerCard(c.scoreCtx, a.pos); }
  void operator()(const props::ShowSheet& a) const {
    if (a.draw) {
      ShowDrawSheet(c, /*withProps=*/true);
    } else {
      ShowScoreSheet(c);
    }
    props::SheetShown(c, a.holdLabel);
  }
};

}  // namespace

void CarryOut(Client& c, const props::Actions& actions) {
  for (const props::Action& a : actions) std::visit(Carrier{c}, a);
}

void PropTask(Client& c) {
  ServePluginItems(c);
  CarryOut(c, props::PropStep(c));
  props::ChestCountdownTick(c);
}

void TimerProp_Timer(Client& c) {
  if (props::TimerProp_Timer(c) != props::PropTimerEvent::PrizesCounted) return;
  // The prize lines reach the history before the prizes fly to their owners.
  CarryOut(c, props::PrizeLines(c));
  CarryOut(c, props::LandPrizes(c));
}

}  // namespace session
