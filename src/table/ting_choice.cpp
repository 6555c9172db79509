#include "table/ting_choice.h"

#include "table/table_state.h"

namespace table {

std::uint8_t TakeTingChoice(TableState& t, wire::Cmd cmd) {
  if (cmd == wire::Cmd::Discard) {
    if (t.TingChoice <= 0) return 0;
    const auto choice = static_cast<std::uint8_t>(t.TingChoice);
    t.TingChoice = 0;
    return choice;
  }
  if (cmd == wire::Cmd::ClaimResult) return static_cast<std::uint8_t>(t.TingChoice);
  return 0;
}

}  // namespace table
