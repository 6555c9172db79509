#include "platform/messages.h"
#include "play/ting_form.h"
#include "props/props.h"
#include "session/control_bar.h"
#include "session/dialogs.h"
#include "session/program.h"

#include "session/client.h"
#include "session/reconnect.h"
#include "ui/sound.h"
#include "ui/ui.h"

namespace session {

namespace {

// Music and effects share the one sound channel.
void StopMusicAndSound(Client& c) {
  if (c.ui.MusicOn || c.ui.SoundOn) ui::StopSound(c.soundPlayer);
}

// Every other window goes with the main one.
void UnloadOtherForms(Client& c) {
  UnloadLeaveDialog(c);
  session::UnloadReconnect(c);
  play::UnloadTingForm(c);
  session::HideTableWindows(c);
}

// The plug-in hears that the program ends.
void ExitPlugin(Client& c) {
  props::Shutdown(c, 1);
}

}  // namespace

void Form_Unload(Client& c, const std::string& reason) {
  if (c.app.Hooked) {
    c.host.Lobby().Listen(c.MainForm.Caption(), nullptr);
    c.app.Hooked = false;
  }
  StopMusicAndSound(c);
  UnloadOtherForms(c);
  ExitPlugin(c);
  platform::EndProgram(c.host, reason);
}

}  // namespace session
