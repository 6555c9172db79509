#include "view/input.h"

#include "app/client.h"
#include "ui/ui.h"

namespace view {

// Raising, discarding and passing by mouse belong to the tile input; until then the tiles only
// take the events.
void MJ_Image_MouseDown(Client& /*c*/, int /*index*/, int /*button*/, int /*shift*/, int /*x*/,
                        int /*y*/) {}
void MJ_Image_MouseMove(Client& /*c*/, int /*index*/, int /*button*/, int /*shift*/, int /*x*/,
                        int /*y*/) {}
void MJ_Image_MouseUp(Client& /*c*/, int /*index*/, int /*button*/, int /*shift*/, int /*x*/,
                      int /*y*/) {}

void Pic1_MouseMove(Client& c, int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
  ui::RestoreButtons(c);
}

void Pic1_MouseUp(Client& /*c*/, int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}

void Pic1_Click(Client& c) {
  ui::HideSoundForms(c);
}

}  // namespace view
