#pragma once
// What the prop bridge wants done beyond its own controls: the session carries the actions out
// in the order they arose, so a plug-in item, a prize line or a sheet keeps its place.
#include <string>
#include <variant>
#include <vector>

namespace props {

// A line in the chat history, wrapped at width columns.
struct ShowLine {
  std::string text;
  int width = 0;
};
// The chat box whispers to relative position pos (1..3).
struct Whisper {
  int pos = 0;
};
// A key pressed on the table.
struct PressKey {
  int keyCode = 0;
};
// The player card of relative position pos (0..3).
struct ShowCard {
  int pos = 0;
};
// The hand's result sheet (the draw sheet with its prop lines when draw); SheetShown follows
// it. holdLabel keeps the prize label a moment over the sheet.
struct ShowSheet {
  bool draw = false;
  bool holdLabel = false;
};

using Action = std::variant<ShowLine, Whisper, PressKey, ShowCard, ShowSheet>;
using Actions = std::vector<Action>;

}  // namespace props
