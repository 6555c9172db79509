#pragma once
// The main form's message lists and gold labels. Each change is also written to the diagnostics
// log, so a run's messages and money can be followed from its log.
#include <string>

namespace platform {
class Host;
}

namespace ui {

class MainFormT;

void SysmsgClear(MainFormT& form, int list);
void SysmsgAdd(MainFormT& form, platform::Host& host, int list, const std::string& text);
// A seat's gold label on the table; logged as "gold: pos caption" when it changes.
void ShowCash(MainFormT& form, platform::Host& host, int pos, const std::string& caption);

}  // namespace ui
