#pragma once
// The sound settings dialog VosSet and the rules page: forms of the control model, and the
// procedures of their controls.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/forms.h"
#include "ui/context.h"

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
  // The whole rules text as its caption, shown as rows that scroll.
  platform::Control& LblInfo;
  platform::Control& close;
};

// Hides the dialog and the rules page (the table is minimised or clicked, the boss key).
void HideSoundForms(Ctx& c);

// ---- VosSet ----
// Form load: buttons placed and pictured, every switch shown as it stands, no change recorded.
void VosSet_Load(Ctx& c);
// Shows every switch as it stands now, without highlight.
void ShowSwitches(Ctx& c);
void Command2_MouseMove(Ctx& c, int i);
// The pointer is over the dialog's background: switches lose their highlight.
void VosSet_MouseMove(Ctx& c);
// Both return true when the sound switch changed (the plug-in is to hear of it).
bool Command2_Click(Ctx& c, int i);
// 0 closes keeping the changes, 1 undoes them.
bool Command1_Click(Ctx& c, int i);

// ---- rule ----
// Loads the page on first use: centred over the table, the rules text read from the file at
// path.
void LoadRules(Ctx& c, const std::string& path);
// Centres the page over the main window, lower by dy pixels.
void CentreRules(Ctx& c, int dy = 0);
// The rows of the page: lines of text cut to columns (a double-byte character takes two).
std::vector<std::string> RuleRows(std::string_view text, int columns);
// Scrolls the page by rows (> 0 back towards the first).
void ScrollRules(RuleT& rule, int rows);
void LblInfo_Click(RuleT& rule);
void close_Click(RuleT& rule);
// The page goes when the player leaves the table.
void UnloadRules(RuleT& rule);
void close_MouseMove(RuleT& rule);

// Input of the rules page (the settings dialog's is the session's: it tells the plug-in).
class RuleEvents final : public platform::DialogEvents {
 public:
  explicit RuleEvents(RuleT& rule) : rule_(rule) {}
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnClick(platform::Control* control) override;
  void OnMouseWheel(platform::Control* control, int rows) override;
  // The arrow, page and Home/End keys scroll the text; Esc closes the page.
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  void OnClose() override;

 private:
  RuleT& rule_;
};

}  // namespace ui
