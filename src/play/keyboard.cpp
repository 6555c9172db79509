#include "play/keyboard.h"

#include <algorithm>
#include <array>

#include "platform/form_events.h"
#include "play/play.h"
#include "session/client.h"
#include "view/input.h"
#include "view/view.h"

namespace play {

namespace {

struct ButtonKey {
  int key;
  int button;
};
constexpr std::array<ButtonKey, 7> kButtonKeys{{{'C', table::kOpChi},
                                                {'P', table::kOpPeng},
                                                {'G', table::kOpGang},
                                                {'T', table::kOpTing},
                                                {'H', table::kOpHu},
                                                {kKeySpace, table::kOpPass},
                                                {kKeyBackspace, table::kOpPass}}};

using view::kTingMarkLift;

int RowTop(const Client& c) {
  return c.table.Hand[0].RowTop;
}

platform::Control& OwnImage(Client& c, int slot) {
  return c.MainForm.MJ_Image(c.table.Hand[0].Slot.at(static_cast<std::size_t>(slot)).Ctl);
}

int FirstSlot(const Client& c) {
  return c.table.Hand[0].HiddenFirst;
}
int EndSlot(const Client& c) {
  return c.table.Hand[0].HiddenFirst + c.table.Hand[0].HiddenCount;
}

// The own concealed slot whose image stands at top, or -1.
int SlotAtHeight(Client& c, int top) {
  for (int i = FirstSlot(c); i < EndSlot(c); ++i) {
    if (OwnImage(c, i).Top() == top) return i;
  }
  return -1;
}

bool Offered(Client& c, int button) {
  const auto& t = c.table;
  return t.OptionState.at(static_cast<std::size_t>(button)) == 2 && t.DecisionState < 1 &&
         c.MainForm.Operation(button).Visible();
}

// Raises the next own tile in direction step (the hover raise, by keyboard).
void MoveCursor(Client& c, int step) {
  const auto& t = c.table;
  if (EndSlot(c) <= FirstSlot(c) || t.TingDeclared) return;
  const int y0 = RowTop(c);
  if (t.TingSelecting) {
    // Walk the raised candidates only; the marked one stands higher.
    const int marked = SlotAtHeight(c, y0 - 10 - kTingMarkLift);
    int i = marked;
    const int n = EndSlot(c) - FirstSlot(c);
    for (int k = 0; k < n; ++k) {
      i = i < 0 ? (step > 0 ? FirstSlot(c) : EndSlot(c) - 1) : i + step;
      if (i >= EndSlot(c)) i = FirstSlot(c);
      if (i < FirstSlot(c)) i = EndSlot(c) - 1;
      if (OwnImage(c, i).Top() == y0 - 10) break;
    }
    if (i < 0 || OwnImage(c, i).Top() != y0 - 10) return;
    if (marked >= 0) OwnImage(c, marked).SetTop(y0 - 10);
    OwnImage(c, i).SetTop(y0 - 10 - kTingMarkLift);
    return;
  }
  const int raised = SlotAtHeight(c, y0 - 10);
  int next = raised < 0 ? (step > 0 ? FirstSlot(c) : EndSlot(c) - 1) : raised + step;
  next = std::clamp(next, FirstSlot(c), EndSlot(c) - 1);
  if (raised >= 0) OwnImage(c, raised).SetTop(y0);
  OwnImage(c, next).SetTop(y0 - 10);
}

// Throws the raised tile through the tile click, which decides whether a discard is due.
bool DiscardRaised(Client& c) {
  const auto& t = c.table;
  const int y0 = RowTop(c);
  int slot = -1;
  if (t.TingDeclared) {
    slot = EndSlot(c) - 1;  // only the tile just drawn may go
  } else if (t.TingSelecting) {
    // The marked candidate, else the first raised one.
    slot = SlotAtHeight(c, y0 - 10 - kTingMarkLift);
    if (slot >= 0) OwnImage(c, slot).SetTop(y0 - 10);
    if (slot < 0) slot = SlotAtHeight(c, y0 - 10);
  } else {
    slot = SlotAtHeight(c, y0 - 10);
  }
  if (slot < FirstSlot(c)) return false;
  const int ctl = c.table.Hand[0].Slot.at(static_cast<std::size_t>(slot)).Ctl;
  view::MJ_Image_MouseDown(c, ctl, platform::kLeftButton, 0, 0, 0);
  return true;
}

}  // namespace

bool KeyPlay(Client& c, platform::Control* focus, int keyCode, int shift) {
  if (focus != nullptr) {
    if (keyCode == kKeyTab && focus->Text().empty()) {
      c.MainForm.SetFocus(nullptr);
      c.app.ChatFocused = false;
      return true;
    }
    return false;
  }
  if (!c.net.Online || c.table.WatchMode) return false;
  switch (keyCode) {
    case kKeyLeft:
    case kKeyRight:
      MoveCursor(c, keyCode == kKeyLeft ? -1 : 1);
      return true;
    case platform::kKeyReturn:
      return DiscardRaised(c);
    default:
      break;
  }
  if (keyCode >= '1' && keyCode <= '5') {
    const int n = keyCode - '1';
    if (n < c.play.ChiShown) {
      Chi_Click(c, 2 * n);
      return true;
    }
    if (n < c.play.GangShown) {
      Gang_Click(c, n);
      return true;
    }
    return false;
  }
  // Alt+C belongs to the chat window, also with Alt held from before the table had the keys.
  if (keyCode == 'C' && (shift & platform::kAltMask) != 0) return false;
  for (const auto& bk : kButtonKeys) {
    if (bk.key == keyCode && Offered(c, bk.button)) {
      Operation_Click(c, bk.button);
      return true;
    }
  }
  return false;
}

}  // namespace play
