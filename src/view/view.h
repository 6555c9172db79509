#pragma once
// Tile pictures, the decision prompt and snapshot, and the table reset.
class Client;

namespace view {

constexpr int kTileGifBase = 201;
constexpr int kTilePictures = 180;

// Picture number of a tile code in picture set 0..4.
int TilePic(int code, int set);
// Shows tile picture pic on MJ_Image(ctl); out-of-range numbers change nothing.
void SetTilePicture(Client& c, int ctl, int pic);
// Resource id of control-bar picture i at the current scale.
int ButtonPicture(Client& c, int i);
void BuildPictureTables(Client& c);

void OnDecisionPrompt(Client& c);  // 6
void OnSnapshot(Client& c);        // 40

void ClearHandState(Client& c);
void ResetTableDisplay(Client& c);
void ResetHands(Client& c);

}  // namespace view
