#pragma once
// What the table display may touch. Client owns one; references only.
namespace platform {
class Host;
}
namespace table {
struct TableState;
}
namespace ui {
class MainFormT;
struct SoundPlayer;
struct UiState;
}  // namespace ui

namespace view {

struct ViewState;

struct Ctx {
  // The tile images, the table picture and the controls placed over it.
  ui::MainFormT& MainForm;
  ViewState& display;
  // Seats, hands, walls, the scale and the tile sizes of the placement in progress.
  table::TableState& table;
  // The sound switch and the bar buttons' state.
  ui::UiState& ui;
  // The wall's, the dice's and the draw's effects.
  ui::SoundPlayer& sound;
  // The pauses and the dice's random numbers of the animations.
  platform::Host& host;
};

}  // namespace view
