#pragma once
// Mouse input on the tiles and on the table picture.
class Client;

namespace view {

// Tile image i (MJ_Image index); x and y in the image's own pixels.
void MJ_Image_MouseDown(Client& c, int index, int button, int shift, int x, int y);
void MJ_Image_MouseMove(Client& c, int index, int button, int shift, int x, int y);
void MJ_Image_MouseUp(Client& c, int index, int button, int shift, int x, int y);

// The table picture Pic1; x and y in table pixels.
void Pic1_MouseMove(Client& c, int button, int shift, int x, int y);
void Pic1_MouseUp(Client& c, int button, int shift, int x, int y);
void Pic1_Click(Client& c);
// A key while the table holds the keyboard: F1 the boss key, Esc the exit dialog, Alt and C in
// either order the chat window. True when the key was one of those and has done its work.
bool Pic1_KeyDown(Client& c, int keyCode);

}  // namespace view
