#pragma once
// The main window's controls, created once as a form designer would, then moved and
// re-pictured by the table code.
#include "platform/controls.h"

namespace ui {

class MainFormT : public platform::Form {
 public:
  MainFormT();

  platform::Control& Pic1;      // the table area
  platform::Control& Location;  // table location strip
  platform::Control& Host;      // "host" caption beside the dealer label
  platform::Control& Zhuang;    // dealer label
  platform::Control& Chat;      // chat input box
  platform::Control& Time_Img;  // decision clock picture
  platform::Control& Number;    // countdown digits
  platform::Control& VR_Image;
  platform::Control& ZhiNan;  // compass
  platform::Control& Bank;
  platform::Control& Bird;           // advertisement pane
  platform::ControlArray MJ_Image;   // 0..135, one per physical tile
  platform::ControlArray Sysmsg;     // 0..1 system-message lists
  platform::ControlArray Operation;  // 0..5 action buttons
  platform::ControlArray AnNiu;      // 0..8 control bar
  platform::ControlArray Speak;      // 0..3 speech bubbles
  platform::ControlArray Tou;        // 0..3 avatars
  platform::ControlArray Nid;        // 0..3 name labels
  platform::ControlArray Cash;       // 0..3 gold labels
  platform::ControlArray Level;      // 0..3 level labels
  platform::ControlArray OK;         // 0..3 ready marks
  platform::ControlArray imgTing;    // 0..3 ting marks
  platform::Control& lblDifen;       // dice multiplier number
  platform::Control& imgBeishu;      // dice multiplier icon
  platform::ControlArray imgsezi;    // 0..1 the multiplier's dice
  platform::ControlArray lbfont;     // 0..2 multiplier legend labels
};

}  // namespace ui
