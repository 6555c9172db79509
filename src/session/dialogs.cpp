#include "session/dialogs.h"

#include "assets/picture_ids.h"
#include "net/net.h"
#include "platform/host.h"
#include "props/props.h"
#include "session/client.h"
#include "session/connection.h"
#include "session/program.h"
#include "session/seat_common.h"
#include "session/table_reset.h"
#include "ui/sound_forms.h"
#include "ui/ui.h"
#include "view/view.h"

namespace session {

namespace {

namespace pic = assets::pic;
using platform::Control;

constexpr int kLayeredOpacity = 200;

bool Is(const Control* c, const Control& which) {
  return c == &which;
}

// Centred over the main window, the way the table places its floating windows.
void CentreOver(const platform::Form& main, platform::Form& dialog) {
  const platform::Rect m = main.OnScreen();
  platform::Rect d = dialog.Geometry();
  d.left = m.left + (m.width - d.width) / 2;
  d.top = m.top + (m.height - d.height) / 2;
  dialog.SetGeometry(d);
}

// A button picture with its highlight recorded in Tag ("0" normal, "1" lit).
void Light(Control& button, int picture, const char* tag) {
  if (button.Tag() == tag) return;
  button.SetPicture(picture);
  button.SetTag(tag);
}

}  // namespace

// ---- frmExit ----

FrmExitT::FrmExitT()
    : platform::Form("frmExit", {0, 0, 300, 170}),
      Label1(AddLabel("Label1", {0, 34, 300, 26})),
      Image1(AddImage("Image1", {30, 66, 240, 40})),
      Image2(AddImage("Image2", {30, 66, 240, 40})),
      Image3(AddImage("Image3", {30, 66, 240, 40})),
      pbCloseMe(AddImage("pbCloseMe", {50, 120, 80, 30})),
      pbCancel(AddImage("pbCancel", {170, 120, 80, 30})) {
  SetCaption("退出游戏");
  SetPicture(pic::kExitPanel);
  Label1.SetCaption("您真的要退出吗？");
  Label1.SetAlignment(platform::Align::Center);
  Label1.SetFontSize(12);
  Label1.SetFontBold(true);
  Label1.SetForeColor(0xFFF2C0);
  Image1.SetVisible(false);
  Image2.SetPicture(pic::kExitNoteIdle);
  Image3.SetPicture(pic::kExitNoteInHand);
  pbCloseMe.SetMousePointer(platform::kPointerHand);
  pbCancel.SetMousePointer(platform::kPointerHand);
}

void FrmExitEvents::OnMouseMove(Control* control, int /*button*/, int /*shift*/, int /*x*/,
                                int /*y*/) {
  auto& f = c_.frmExit;
  if (Is(control, f.pbCloseMe)) {
    Light(f.pbCloseMe, pic::kExitLeaveLit, "1");
  } else if (Is(control, f.pbCancel)) {
    Light(f.pbCancel, pic::kExitStayLit, "1");
  } else {
    // Off the buttons: both go back to their normal pictures.
    Light(f.pbCloseMe, pic::kExitLeave, "0");
    Light(f.pbCancel, pic::kExitStay, "0");
  }
}

void FrmExitEvents::OnClick(Control* control) {
  if (Is(control, c_.frmExit.pbCloseMe)) {
    // Leaving clears the table: never under a handler that waits inside a tick.
    RunOutsideTick(c_, [&c = c_] { ExitLeave_Click(c); });
  } else if (Is(control, c_.frmExit.pbCancel)) {
    ExitCancel_Click(c_);
  }
}

void FrmExitEvents::OnKeyDown(Control* /*control*/, int keyCode, int /*shift*/) {
  // Esc opened the dialog from the table; on the dialog it closes it again.
  if (keyCode == platform::kKeyEscape) ExitCancel_Click(c_);
}

void FrmExitEvents::OnClose() {
  ExitCancel_Click(c_);
}

void LoadExitDialog(Client& c) {
  auto& f = c.frmExit;
  f.pbCloseMe.SetPicture(pic::kExitLeave);
  f.pbCancel.SetPicture(pic::kExitStay);
  f.pbCloseMe.SetTag("0");
  f.pbCancel.SetTag("0");
  const bool ownHand = c.net.InHand && !c.table.WatchMode;
  f.Image1.SetVisible(false);
  f.Image2.SetVisible(!ownHand);
  f.Image3.SetVisible(ownHand);
}

void UnloadExitDialog(Client& c) {
  c.frmExit.SetVisible(false);
}

void ShowOrHideExitDialog(Client& c) {
  if (c.frmExit.Visible()) {
    c.frmExit.SetVisible(false);
    return;
  }
  LoadExitDialog(c);
  CentreOver(c.MainForm, c.frmExit);
  // Leaving is never taken for the player: unattended, the dialog stays at the table.
  platform::ShowDialog(c.host, c.frmExit, c.frmExitEvents, &c.frmExit.pbCancel);
}

void ExitCancel_Click(Client& c) {
  UnloadExitDialog(c);
}

void ExitLeave_Click(Client& c) {
  ui::UnloadRules(c.rule);
  if (c.props.Prop_GameDllState > 0) {
    props::UpdataMyProp(c);
    c.host.WaitProcessingEvents(250);
  }
  LeaveTable(c);
  if (c.host.Winsock1().State() == platform::kSockConnected) {
    c.net.TaskOn[net::kTaskWatch] = false;
    c.net.TaskTick[net::kTaskWatch] = 0;
  }
  GiveUpTable(c);
  c.frmExit.Image3.SetVisible(false);
  UnloadReconnect(c);
  UnloadExitDialog(c);
  BackToLobby(c);
}

// ---- frmOtherExit ----

FrmOtherExitT::FrmOtherExitT()
    : platform::Form("frmOtherExit", {0, 0, 320, 170}),
      Label1(AddLabel("Label1", {24, 36, 272, 64})),
      imgOK(AddImage("imgOK", {70, 120, 70, 30})),
      imgCancel(AddImage("imgCancel", {180, 120, 70, 30})) {
  SetCaption("提示");
  SetPicture(pic::kLeavePanel);
  Label1.SetAlignment(platform::Align::Center);
  Label1.SetFontSize(11);
  Label1.SetForeColor(0xFFF2C0);
  imgOK.SetPicture(pic::kLeaveOk);
  imgCancel.SetPicture(pic::kLeaveStay);
  imgOK.SetMousePointer(platform::kPointerHand);
  imgCancel.SetMousePointer(platform::kPointerHand);
}

void FrmOtherExitEvents::OnClick(Control* control) {
  if (Is(control, c_.frmOtherExit.imgOK)) {
    RunOutsideTick(c_, [&c = c_] { imgOK_Click(c); });
  } else if (Is(control, c_.frmOtherExit.imgCancel)) {
    imgCancel_Click(c_);
  }
}

void FrmOtherExitEvents::OnKeyDown(Control* /*control*/, int keyCode, int /*shift*/) {
  Form_KeyDown(c_, c_.frmOtherExit, keyCode);
}

void FrmOtherExitEvents::OnClose() {
  imgCancel_Click(c_);
}

void ShowLeaveDialog(Client& c, const std::string& text) {
  auto& f = c.frmOtherExit;
  f.Label1.SetCaption(text);
  f.SetOpacity(kLayeredOpacity);
  f.imgOK.SetWidth(70);
  f.imgOK.SetHeight(30);
  f.imgCancel.SetWidth(70);
  f.imgCancel.SetHeight(30);
  CentreOver(c.MainForm, f);
  f.SetTopmost(true);
  c.host.Log("dialog", "leave: " + text);
  // Unattended, the notice is taken as read: back to the lobby, as its message box would.
  platform::ShowDialog(c.host, f, c.frmOtherExitEvents, &f.imgOK);
}

void UnloadLeaveDialog(Client& c) {
  c.frmOtherExit.SetVisible(false);
  c.frmOtherExit.SetTopmost(false);
}

void imgOK_Click(Client& c) {
  GiveUpTable(c);
  UnloadLeaveDialog(c);
  BackToLobby(c);
}

void imgCancel_Click(Client& c) {
  c.disp.GameOver = true;
  c.net.InHand = false;
  c.net.TaskOn[net::kTaskWatch] = false;
  UnloadLeaveDialog(c);
}

void CentreDialogs(Client& c) {
  if (c.frmExit.Visible()) CentreOver(c.MainForm, c.frmExit);
  if (c.frmOtherExit.Visible()) CentreOver(c.MainForm, c.frmOtherExit);
  if (c.frmReconnect.Visible()) CentreOver(c.MainForm, c.frmReconnect);
}

}  // namespace session
