#include "app/app.h"
#include "app/client.h"
#include "app/dialogs.h"
#include "chat/chat.h"
#include "net/reconnect.h"
#include "play/ting_form.h"
#include "props/props.h"
#include "ui/seat_hooks.h"
#include "ui/sound.h"
#include "ui/sound_forms.h"
#include "ui/ui.h"

namespace app {

namespace {

// Music and effects share the one sound channel.
void StopMusicAndSound(Client& c) {
  if (c.ui.MusicOn || c.ui.SoundOn) ui::StopSound(c);
}

// The other windows and the plug-in's exit are finished by their own parts; until then each
// step records that it was asked for.

void UnloadOtherForms(Client& c) {
  UnloadExitDialog(c);
  UnloadLeaveDialog(c);
  net::UnloadReconnect(c);
  play::UnloadTingForm(c);
  ui::HideSoundForms(c);
  c.Hero.SetVisible(false);
  c.Score.SetVisible(false);
  c.Information.SetVisible(false);
  chat::HideTalk(c);
  chat::HidePhrases(c);
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
  EndProgram(c, reason);
}

}  // namespace app
