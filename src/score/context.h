#pragma once
// What the hand's results and the result windows may read and write: their own state and
// windows, the table, the main form's labels they fill, the ready clock's task and the host's
// log, clock and files.
#include "net/net_state.h"
#include "platform/host.h"
#include "score/score_forms.h"
#include "score/score_state.h"
#include "table/table_state.h"
#include "ui/main_form.h"

namespace score {

struct Ctx {
  ScoreState& score;
  table::TableState& table;
  // The score sheet, the history and the player card.
  ScoreFormT& Score;
  HeroFormT& Hero;
  InformationFormT& Information;
  // The level and gold labels, the multipliers and the ready countdown's clock.
  ui::MainFormT& MainForm;
  // The ready clock's task.
  net::NetState& net;
  platform::Host& host;
};

}  // namespace score
