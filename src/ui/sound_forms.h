#pragma once
// The sound settings dialog VosSet and the rules page: forms of the control model, and the
// procedures of their controls.
#include <array>

#include "platform/controls.h"
#include "platform/form_events.h"

class Client;

namespace ui {

class VosSetT final : public platform::Form {
 public:
  VosSetT();
  // Switches: 0 background loop, 1 the dialog's own switch, 2 effects and voices, 3 voice set,
  // 4 a hint that seating applies the settings.
  platform::ControlArray Command2;
  // 0 closes keeping the changes, 1 closes undoing them.
  platform::ControlArray Command1;
  // Row captions beside the switches, and the title.
  platform::ControlArray Caption2;
  platform::Control& Title;
};

class RuleT final : public platform::Form {
 public:
  RuleT();
  platform::Control& Title;
  platform::Control& LblInfo;  // the whole rules text
  platform::Control& close;
};

// Hides the dialog and the rules page (the table is minimised or clicked, the boss key).
void HideSoundForms(Client& c);

// ---- VosSet ----
// Form load: buttons placed and pictured, every switch shown as it stands, no change recorded.
void VosSet_Load(Client& c);
// Shows every switch as it stands now, without highlight.
void ShowSwitches(Client& c);
void Command2_MouseMove(Client& c, int i);
// The pointer is over the dialog's background: switches lose their highlight.
void VosSet_MouseMove(Client& c);
void Command2_Click(Client& c, int i);
void Command1_Click(Client& c, int i);

// ---- rule ----
// Loads the page on first use: centred over the table, the rules text read from the rules file.
void LoadRules(Client& c);
// Centres the page over the main window, lower by dy pixels.
void CentreRules(Client& c, int dy = 0);
void LblInfo_Click(Client& c);
void close_Click(Client& c);
void close_MouseMove(Client& c);

// Input of the two forms.
class VosSetEvents final : public platform::FormEvents {
 public:
  explicit VosSetEvents(Client& c) : c_(c) {}
  platform::PressResult OnMouseDown(platform::Control*, int, int, int, int) override {
    return platform::PressResult::None;
  }
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnMouseUp(platform::Control*, int, int, int, int) override {}
  void OnClick(platform::Control* control) override;
  void OnDblClick(platform::Control*) override {}
  void OnKeyDown(platform::Control*, int, int) override {}
  void OnKeyUp(platform::Control*, int, int) override {}
  void OnFocus(platform::Control&, bool) override {}
  void OnResize() override {}
  void OnMoved() override {}
  // Closing the window is the close button that keeps the changes.
  void OnClose() override;

 private:
  Client& c_;
};

class RuleEvents final : public platform::FormEvents {
 public:
  explicit RuleEvents(Client& c) : c_(c) {}
  platform::PressResult OnMouseDown(platform::Control*, int, int, int, int) override {
    return platform::PressResult::None;
  }
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnMouseUp(platform::Control*, int, int, int, int) override {}
  void OnClick(platform::Control* control) override;
  void OnDblClick(platform::Control*) override {}
  void OnKeyDown(platform::Control*, int, int) override {}
  void OnKeyUp(platform::Control*, int, int) override {}
  void OnFocus(platform::Control&, bool) override {}
  void OnResize() override {}
  void OnMoved() override {}
  void OnClose() override;

 private:
  Client& c_;
};

}  // namespace ui
