#pragma once
// frmTing, the ting choice window: open ting shows the hand to the table, closed ting keeps it
// hidden. A form of its own, shown above the table while the main window waits for it.
#include "platform/controls.h"
#include "platform/forms.h"

class Client;

namespace play {

class TingFormT : public platform::Form {
 public:
  TingFormT();

  platform::Control& Prompt;
  platform::ControlArray imgTing;  // 0 open ting, 1 closed ting
};

// Its input: a click on a choice, or the keys 1 and 2 (Left and Right move between the two,
// Enter takes the one marked).
class TingFormEvents final : public platform::DialogEvents {
 public:
  explicit TingFormEvents(Client& c) : c_(c) {}

  platform::PressResult OnMouseDown(platform::Control* control, int button, int shift, int x,
                                    int y) override;
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnClick(platform::Control* control) override;
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  // Closing the window chooses what running out of time would: closed ting.
  void OnClose() override;

 private:
  Client& c_;
};

// Loads the window centred over the main window and marks choice k.
void ShowTingForm(Client& c);
void UnloadTingForm(Client& c);
// The server threw the tile for the player while ting was being chosen: the window closes and
// the candidates go down; mark is the discard's ting mark (2 open, 3 closed, else none).
void EndTingChoice(Client& c, int mark);
void MarkTingChoice(Client& c, int k);

}  // namespace play
