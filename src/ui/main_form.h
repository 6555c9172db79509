#pragma once
// The main window's controls, created once as a form designer would, then moved and
// re-pictured by the table code.
//
// Two coordinate systems share the form: the window's own frame controls (Pic1 itself, the
// skin pieces, icon, caption, drag strip and title buttons) are placed in window pixels; every
// other control lies on the table picture Pic1 and is placed in Pic1's design pixels, as the
// table's controls were children of Pic1. A renderer adds Pic1's Left and Top to those.
#include "platform/controls.h"

namespace ui {

class MainFormT : public platform::Form {
 public:
  MainFormT();

  // True for the controls placed in window pixels (see above).
  static bool IsWindowControl(const platform::Control& c);
  // Where a control lies in window pixels.
  platform::Rect WindowBounds(const platform::Control& c) const override;

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

  // The dice: SZ_Image(0..15) hold the faces and rolling frames, Sai_Image(0..1) roll.
  platform::ControlArray SZ_Image;
  platform::ControlArray Sai_Image;
  platform::Control& Vorel;        // wild-tile box
  platform::ControlArray Chi;      // 0..5 chi choice pictures
  platform::ControlArray Gang;     // 0..4 gang choice pictures
  platform::ControlArray imgsezi;  // 0..1 small dice of the dice multiplier
  platform::Control& imgBeishu;
  platform::Control& lblDifen;
  platform::Control& Imgwealth;
  platform::Control& lbwealth;
  platform::ControlArray lbfont;  // 0..2 multiplier legend
  platform::Control& imgLocation;
  platform::Control& imgword1;
  platform::Control& imgword2;
  platform::Control& Lbchat;
  // The connection as the player sees it: a coloured dot and a short text.
  platform::Control& LinkDot;
  platform::Control& LinkText;
  platform::ControlArray ImgProp;   // 0..14 treasure chests, five per player
  platform::Control& LbProp;        // the prop plug-in's label
  platform::ControlArray ImgPrize;  // 0..3 prizes flying to the seats
  platform::Control& ImgShuffle;    // the seat change: its picture
  platform::Control& LblShuffle;    // and its caption
  // Frame.
  platform::Control& Skin;
  platform::ControlArray SkinPiece;  // 0..7 the painted frame pieces
  platform::Control& ImgIcon;
  platform::Control& lcaption;
  platform::Control& LbMove;
  platform::ControlArray ImgClose;  // 0 the button, 1..3 normal, lit and pressed holders
  platform::ControlArray ImgMin;

 private:
  // The controls' looks at creation, one kind of control each.
  void SetUpTable();
  void SetUpTileAndActionPictures();
  void SetUpSeatMarks();
  void SetUpClockAndWildTile();
  void SetUpBankAndAdvertisement();
  void SetUpMessageLists();
  void SetUpSeatLabels();
  void SetUpDice();
  void SetUpMultipliers();
  void SetUpChatStrip();
  void SetUpProps();
  void SetUpSeatChange();
  void SetUpFrame();
};

}  // namespace ui
