#pragma once
// The exit dialog (the player asks to leave) and the leave dialog (the server ends the stay).
// Both are secondary windows over the table, shown without blocking it.
#include <string>

#include "platform/forms.h"

class Client;

namespace session {

class FrmExitT : public platform::Form {
 public:
  FrmExitT();
  platform::Control& Label1;
  platform::Control& Image1;  // never shown
  platform::Control& Image2;  // not in a hand, or watching
  platform::Control& Image3;  // during the own hand
  platform::Control& pbCloseMe;
  platform::Control& pbCancel;
};

class FrmExitEvents final : public platform::DialogEvents {
 public:
  explicit FrmExitEvents(Client& c) : c_(c) {}
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnClick(platform::Control* control) override;
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  void OnClose() override;

 private:
  Client& c_;
};

class FrmOtherExitT : public platform::Form {
 public:
  FrmOtherExitT();
  platform::Control& Label1;
  platform::Control& imgOK;
  platform::Control& imgCancel;
};

class FrmOtherExitEvents final : public platform::DialogEvents {
 public:
  explicit FrmOtherExitEvents(Client& c) : c_(c) {}
  void OnClick(platform::Control* control) override;
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  void OnClose() override;

 private:
  Client& c_;
};

// frmExit: shown or hidden by the Esc key, the close button and the control bar's exit button
// (session::ToggleExitDialog, which also tells the plug-in's bank).
void ShowOrHideExitDialog(Client& c);
void LoadExitDialog(Client& c);
void UnloadExitDialog(Client& c);
// Its buttons pbCloseMe (leave the table) and pbCancel (stay).
void ExitLeave_Click(Client& c);
void ExitCancel_Click(Client& c);

// frmOtherExit.
void ShowLeaveDialog(Client& c, const std::string& text);
void UnloadLeaveDialog(Client& c);
void imgOK_Click(Client& c);
void imgCancel_Click(Client& c);

// Both dialogs centred over the main window (after it moved).
void CentreDialogs(Client& c);

}  // namespace session
