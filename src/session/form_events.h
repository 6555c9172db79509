#pragma once
// The main window's input: each event goes to the event procedure of the control it reached.
#include "platform/form_events.h"
#include "platform/forms.h"

class Client;

namespace session {

class MainFormEvents final : public platform::FormEvents {
 public:
  explicit MainFormEvents(Client& c) : c_(c) {}

  platform::PressResult OnMouseDown(platform::Control* control, int button, int shift, int x,
                                    int y) override;
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnMouseUp(platform::Control* control, int button, int shift, int x, int y) override;
  void OnClick(platform::Control* control) override;
  void OnDblClick(platform::Control* control) override;
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  void OnKeyUp(platform::Control* control, int keyCode, int shift) override;
  void OnFocus(platform::Control& control, bool focused) override;
  void OnChange(platform::Control& control) override;
  void OnResize() override;
  void OnMoved() override;
  void OnClose() override;

 private:
  Client& c_;
};

// The sound settings dialog: its switches are the sound player's, and the plug-in hears of the
// sound switch.
class VosSetEvents final : public platform::DialogEvents {
 public:
  explicit VosSetEvents(Client& c) : c_(c) {}
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnClick(platform::Control* control) override;
  // Closing the window is the close button that keeps the changes.
  void OnClose() override;

 private:
  Client& c_;
};

}  // namespace session
