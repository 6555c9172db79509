#pragma once
// Resource ids of every picture the table shows. The tables of tile faces, buttons, bubbles,
// dice, portraits and compasses are fixed by the program's resources; the frame, clock, wild-tile
// box and the other decorations have ids of their own from 1100 on.
namespace assets::pic {

constexpr int kTileBase = 201;       // TileGif(0..179)
constexpr int kOpBase = 141;         // OpGif(0..17)
constexpr int kDiceBase = 161;       // DiceGif(0..15): 6 faces, 10 rolling frames
constexpr int kSmallDiceBase = 600;  // SmallDiceGif(0..5)
constexpr int kFaceBaseA = 191;      // FaceGif(0..9)
constexpr int kFaceBaseB = 401;      // FaceGif(10..19)
// Resource id of portrait i (FaceGif 0..19).
constexpr int FaceId(int i) {
  return i < 10 ? kFaceBaseA + i : kFaceBaseB + i - 10;
}
constexpr int kCompassBase = 126;      // CompassGif(0..3)
constexpr int kButtonBase = 101;       // ButtonGif(0..19) at full scale
constexpr int kSmallButtonBase = 381;  // ButtonGif(2..19) on small screens
constexpr int kSwitchBase = 130;       // SwitchGif(0..9)
constexpr int kBadgeBase = 123;        // BadgeGif(0..2)
constexpr int kBubbleBase = 800;       // 36 speech bubbles

// SwitchGif entries.
constexpr int kSwitchOff = 130, kSwitchOffLit = 131, kSwitchOn = 132, kSwitchOnLit = 133;
constexpr int kSwitchConfirm = 134, kSwitchCancel = 135;
constexpr int kVoiceMandarin = 136, kVoiceMandarinLit = 137;
constexpr int kVoiceDialect = 138, kVoiceDialectLit = 139;

// The bank button under the pointer.
constexpr int kBankLit = 451;

// Dialog buttons.
constexpr int kExitLeave = 1023, kExitLeaveLit = 1024;
constexpr int kExitStay = 1025, kExitStayLit = 1026;
constexpr int kSheetClose = 935, kSheetCloseLit = 936;
constexpr int kRuleClose = 929, kRuleCloseLit = 930;  // the rules page's close button

// The exit, leave and reconnect dialogs and the connection indicator.
constexpr int kExitPanel = 1180;                                    // frmExit, 300 x 170
constexpr int kExitNoteIdle = 1181;                                 // Image2, 240 x 40
constexpr int kExitNoteInHand = 1182;                               // Image3
constexpr int kLeavePanel = 1183;                                   // frmOtherExit, 320 x 170
constexpr int kLeaveOk = 1184, kLeaveStay = 1185;                   // 70 x 30
constexpr int kReconnectPanel = 1186;                               // frmReconnect, 260 x 130
constexpr int kReconnectNow = 1187, kReconnectCancel = 1188;        // 80 x 30
constexpr int kLinkUp = 1189, kLinkRetry = 1190, kLinkDown = 1191;  // 10 x 10 dots

// The program's own decorations.
constexpr int kSkin = 1100;       // whole frame artwork, 46 x 220
constexpr int kSkinPiece = 1101;  // 1101..1108: the eight frame pieces, in PaintBorder order
constexpr int kIcon = 1110;
constexpr int kCloseNormal = 1111, kCloseLit = 1112, kClosePressed = 1113;
constexpr int kMinNormal = 1114, kMinLit = 1115, kMinPressed = 1116;
constexpr int kTableFelt = 1120;       // 1024 x 768
constexpr int kTableFeltSmall = 1121;  // 800 x 600
constexpr int kWildBox = 1122;         // Vorel
constexpr int kClock = 1123;           // Time_Img
constexpr int kTingMark = 1124;        // imgTing
constexpr int kReadyMark = 1128;       // OK
constexpr int kBank = 1129;
constexpr int kAdvert = 1130;            // Bird
constexpr int kLocationStrip = 1131;     // imgLocation
constexpr int kDiceMultiplier = 1132;    // imgBeishu
constexpr int kWealthMultiplier = 1133;  // Imgwealth
constexpr int kPhrases = 1134;           // imgword1
constexpr int kEmotes = 1135;            // imgword2
constexpr int kSeatPanel = 1136;         // plate under the own name labels
constexpr int kShuffle = 1137;           // ImgShuffle, 320 x 150: seats changing places
// The first three control-bar buttons while they are switched off (a resumed hand): send,
// history, start and continue at full scale; history, start and continue on small screens
// (send is the same picture at both scales, as its ButtonGif entries are).
constexpr int kBarDisabled = 1140;       // 1140..1143, 50 x 30 then 60 x 30
constexpr int kSmallBarDisabled = 1144;  // 1144..1146, 47 x 23
constexpr int kSettingsPanel = 1160;     // VosSet, 212 x 310
constexpr int kRulesPanel = 1161;        // rule, 600 x 620

// Where the eight frame pieces are cut from kSkin, in its pixels.
struct SkinCut {
  int x, y, w, h;
};
constexpr SkinCut kSkinCuts[8] = {{0, 0, 8, 20},   {8, 0, 8, 20},    {38, 0, 8, 20},
                                  {0, 20, 8, 192}, {38, 20, 8, 192}, {0, 212, 8, 8},
                                  {8, 212, 8, 8},  {38, 212, 8, 8}};

}  // namespace assets::pic
