#include "session/form_events.h"

#include <string_view>

#include "chat/chat.h"
#include "net/net.h"
#include "play/keyboard.h"
#include "play/play.h"
#include "props/props.h"
#include "score/score.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "ui/sound_forms.h"
#include "ui/ui.h"
#include "view/input.h"

namespace session {

namespace {

using platform::Control;

bool Is(const Control* c, std::string_view name) {
  return c != nullptr && c->Name() == name;
}

// 0 for the close button, 1 for the minimise button, -1 for anything else. Only item 0 of each
// array is ever visible, so only it takes the mouse.
int TitleButton(const Control* c) {
  if (c == nullptr || c->Index() != 0) return -1;
  if (c->Name() == "ImgClose") return 0;
  if (c->Name() == "ImgMin") return 1;
  return -1;
}

// The frame is painted on the window itself: its pieces count as the window's background.
bool IsBackground(const Control* c) {
  return c == nullptr || Is(c, "Skin") || Is(c, "SkinPiece") || Is(c, "ImgIcon") ||
         Is(c, "lcaption");
}

}  // namespace

platform::PressResult MainFormEvents::OnMouseDown(Control* control, int button, int shift, int x,
                                                  int y) {
  // The ting window keeps the table disabled until it is answered.
  if (!c_.MainForm.Enabled()) return platform::PressResult::None;
  if (const int t = TitleButton(control); t >= 0) {
    ui::TitleButton_MouseDown(c_.MainForm, t);
  } else if (Is(control, "LbMove")) {
    if (LbMove_MouseDown(c_, button)) return platform::PressResult::DragWindow;
  } else if (Is(control, "MJ_Image")) {
    view::MJ_Image_MouseDown(c_, control->Index(), button, shift, x, y);
  }
  return platform::PressResult::None;
}

void MainFormEvents::OnMouseMove(Control* control, int button, int shift, int x, int y) {
  if (const int t = TitleButton(control); t >= 0) {
    ui::TitleButton_MouseMove(c_.uiCtx, t);
  } else if (Is(control, "LbMove")) {
    ui::LbMove_MouseMove(c_.uiCtx);
  } else if (Is(control, "AnNiu")) {
    ui::AnNiu_MouseMove(c_.uiCtx, control->Index());
  } else if (Is(control, "Bank")) {
    props::Bank_MouseMove(c_);
  } else if (Is(control, "MJ_Image")) {
    view::MJ_Image_MouseMove(c_, control->Index(), button, shift, x, y);
  } else if (Is(control, "Tou") || Is(control, "Nid") || Is(control, "Cash") ||
             Is(control, "Level")) {
    // A seat's name, gold and level labels stand for its avatar.
    score::ShowPlayerCard(c_.scoreCtx, control->Index());
  } else if (Is(control, "Pic1")) {
    score::HidePlayerCard(c_.Information);
    view::Pic1_MouseMove(c_, button, shift, x, y);
    props::RestoreBank(c_);
    // The title buttons border the table directly: leaving one for the table lets it go dark,
    // or it would stay lit until the pointer happened to cross the frame.
    ui::RestoreChrome(c_.uiCtx);
  } else if (IsBackground(control)) {
    ui::RestoreChrome(c_.uiCtx);
  }
}

void MainFormEvents::OnMouseUp(Control* control, int button, int shift, int x, int y) {
  if (!c_.MainForm.Enabled()) return;
  if (const int t = TitleButton(control); t >= 0) {
    ui::TitleButton_MouseUp(c_.MainForm, t);
  } else if (Is(control, "MJ_Image")) {
    view::MJ_Image_MouseUp(c_, control->Index(), button, shift, x, y);
  } else if (Is(control, "Pic1")) {
    view::Pic1_MouseUp(c_, button, shift, x, y);
  }
}

void MainFormEvents::OnClick(Control* control) {
  if (!c_.MainForm.Enabled()) return;
  if (const int t = TitleButton(control); t >= 0) {
    TitleButton_Click(c_, t);
  } else if (Is(control, "AnNiu")) {
    // The bar's buttons may leave the table: never in the middle of a tick that waits.
    session::RunOutsideTick(c_, [&c = c_, i = control->Index()] { AnNiu_Click(c, i); });
  } else if (Is(control, "Pic1")) {
    view::Pic1_Click(c_);
  } else if (Is(control, "Bird")) {
    ui::Bird_Click(c_.uiCtx);
  } else if (Is(control, "Operation")) {
    play::Operation_Click(c_, control->Index());
  } else if (Is(control, "Chi")) {
    play::Chi_Click(c_, control->Index());
  } else if (Is(control, "Gang")) {
    play::Gang_Click(c_, control->Index());
  } else if (Is(control, "LinkDot") || Is(control, "LinkText")) {
    LinkState_Click(c_);
  } else if (Is(control, "Tou")) {
    chat::Tou_Click(c_.chatCtx, control->Index());
  } else if (Is(control, "imgword1")) {
    chat::ShowPhraseList(c_.chatCtx, 1);
  } else if (Is(control, "imgword2")) {
    chat::ShowPhraseList(c_.chatCtx, 2);
  } else if (Is(control, "Lbchat")) {
    chat::ToggleHistory(c_.chatCtx);
  } else if (Is(control, "Bank")) {
    props::Bank_Click(c_);
  } else if (Is(control, "ImgProp")) {
    props::ImgProp_Click(c_, control->Index());
  }
}

void MainFormEvents::OnDblClick(Control* /*control*/) {}

void MainFormEvents::OnKeyDown(Control* control, int keyCode, int shift) {
  if (!c_.MainForm.Enabled()) {
    // The window system may leave the keyboard with the table while the ting window is up:
    // its keys answer the window.
    if (c_.frmTing.Visible()) c_.frmTingEvents.OnKeyDown(nullptr, keyCode, shift);
    return;
  }
  if (Is(control, "Chat")) chat::Chat_KeyTouched(c_.chatCtx, keyCode);
  if (control == nullptr && view::Pic1_KeyDown(c_, keyCode)) return;
  if (play::KeyPlay(c_, control, keyCode, shift)) return;
  if (Is(control, "Chat")) {
    if (keyCode == platform::kKeyReturn) {
      chat::Chat_KeyPress(c_.chatCtx, keyCode);
    } else {
      session::Chat_KeyDown(c_, keyCode);
    }
    return;
  }
  // The form sees the table's other keys first: F2 to F6 belong to the plug-in.
  session::Form_KeyDown(c_, keyCode);
}

void MainFormEvents::OnKeyUp(Control* /*control*/, int /*keyCode*/, int /*shift*/) {}

void MainFormEvents::OnFocus(Control& control, bool focused) {
  if (control.Name() == "Chat") c_.app.ChatFocused = focused;
}

void MainFormEvents::OnChange(Control& control) {
  if (control.Name() == "Chat") chat::Chat_Change(c_.chatCtx);
}

void MainFormEvents::OnResize() {
  session::Form_Resize(c_);
}

void MainFormEvents::OnMoved() {
  AfterDrag(c_);
}

void MainFormEvents::OnClose() {
  session::Form_Unload(c_, "the window was closed");
}

// ---- The sound settings dialog ----

namespace {

// The plug-in hears of the sound switch, and of its undoing as it heard of the change.
void TellSoundSwitch(Client& c, bool switched) {
  if (switched && props::Active(c)) props::RecState(c, 1, c.ui.SoundOn);
}

}  // namespace

void VosSetEvents::OnMouseMove(Control* control, int /*button*/, int /*shift*/, int /*x*/,
                               int /*y*/) {
  if (Is(control, "Command2")) {
    ui::Command2_MouseMove(c_.uiCtx, control->Index());
  } else if (!Is(control, "Command1")) {
    ui::VosSet_MouseMove(c_.uiCtx);
  }
}

void VosSetEvents::OnClick(Control* control) {
  if (Is(control, "Command2")) TellSoundSwitch(c_, ui::Command2_Click(c_.uiCtx, control->Index()));
  if (Is(control, "Command1")) TellSoundSwitch(c_, ui::Command1_Click(c_.uiCtx, control->Index()));
}

void VosSetEvents::OnClose() {
  TellSoundSwitch(c_, ui::Command1_Click(c_.uiCtx, 0));
}

}  // namespace session
