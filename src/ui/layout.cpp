#include "app/client.h"
#include "ui/ui.h"

namespace ui {

// The frame, the control layout and sound are filled in with the window and sound work.
void PaintBorder(Client& /*c*/) {}
void PaintSmallTable(Client& /*c*/) {}
void LayoutControls(Client& /*c*/) {}
void LayoutTable(Client& /*c*/) {}
void StopSeatChange(Client& /*c*/) {}
void BuildSoundList(Client& /*c*/) {}
void StartMusic(Client& /*c*/) {}
void UnloadLeaveDialog(Client& /*c*/) {}

void ShowAdvertisement(Client& c, int which, const std::string& page) {
  c.host.Log("advert", std::to_string(which) + " " + page);
}

void HideAdvertisement(Client& /*c*/, int /*which*/) {}

}  // namespace ui
