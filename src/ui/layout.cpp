#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "assets/picture_ids.h"
#include "platform/host.h"
#include "platform/messages.h"

#include "ui/main_form.h"
#include "ui/scale.h"
#include "ui/sound_forms.h"
#include "ui/ui.h"
#include "ui/ui_state.h"

namespace ui {

namespace {

namespace pic = assets::pic;

constexpr int kTwips = 15;
constexpr int kPointerArrow = 0;
constexpr int kPointerSizeAll = 15;

int Px(double twips) {
  return static_cast<int>(std::lround(twips / kTwips));
}

const std::array<const char*, 9> kTips{"发送信息，快捷键为回车键",
                                       "点击打开聊天窗口",
                                       "点击开始新一局游戏",
                                       "游戏的基本设置",
                                       "最小化窗口，快捷键为F1",
                                       "可以查看当前牌局详细结果",
                                       "可以查看本次游戏的所有牌局详细结果",
                                       "点击这里了解游戏规则",
                                       "退出游戏"};

platform::ControlArray& TitleArray(MainFormT& f, int which) {
  return which == 0 ? f.ImgClose : f.ImgMin;
}

}  // namespace

// ---- Frame ----

void PaintBorder(MainFormT& f) {
  const double W = f.Geometry().width * kTwips;
  const double H = f.Geometry().height * kTwips;
  // Target rectangles in twips, in the order of the skin cuts.
  const std::array<std::array<double, 4>, 8> targets{{{0, 0, 120, 300},
                                                      {120, 0, W - 240, 300},
                                                      {W - 120, 0, 120, 300},
                                                      {0, 300, 120, H - 420},
                                                      {W - 120, 300, 120, H - 420},
                                                      {0, H - 120, 120, 120},
                                                      {120, H - 120, W - 240, 120},
                                                      {W - 120, H - 120, 120, 120}}};
  for (int i = 0; i < 8; ++i) {
    const auto& t = targets.at(static_cast<std::size_t>(i));
    auto& piece = f.SkinPiece(i);
    piece.Move(Px(t[0]), Px(t[1]), Px(t[2]), Px(t[3]));
    piece.SetVisible(true);
  }
  f.ImgIcon.SetPicture(pic::kIcon);
  f.ImgIcon.Move(Px(50), Px(50), Px(240), Px(240));
  f.ImgIcon.SetVisible(true);
  auto& close = f.ImgClose(0);
  close.Move(Px(W - close.Width() * kTwips - 70), Px(25));
  close.SetPicture(f.ImgClose(1).Picture());
  close.SetVisible(true);
  close.ZOrder(0);
  auto& min = f.ImgMin(0);
  min.Move(close.Left() - min.Width() - Px(30), Px(25));
  min.SetPicture(f.ImgMin(1).Picture());
  min.SetVisible(true);
  min.ZOrder(0);
  f.LbMove.Move(Px(290), 0, min.Left() - Px(290), close.Height() + Px(50));
  f.LbMove.SetVisible(true);
  f.lcaption.Move(Px(300), Px(25), std::max(0, min.Left() - Px(300)), Px(240));
  f.lcaption.SetForeColor(0xFFFFFF);
  f.lcaption.SetVisible(true);
  f.lcaption.ZOrder(0);
  f.LbMove.ZOrder(0);
  close.ZOrder(0);
  min.ZOrder(0);
}

void PaintSmallTable(MainFormT& f) {
  f.Pic1.SetPicture(pic::kTableFeltSmall);
}

void TitleButton_MouseDown(MainFormT& f, int which) {
  auto& a = TitleArray(f, which);
  a(0).SetPicture(a(3).Picture());
}

void TitleButton_MouseUp(MainFormT& f, int which) {
  auto& a = TitleArray(f, which);
  a(0).SetPicture(a(2).Picture());
}

void TitleButton_MouseMove(Ctx& c, int which) {
  if (!c.ui.ChromeNormal) return;
  auto& a = TitleArray(c.MainForm, which);
  a(0).SetPicture(a(2).Picture());
  c.ui.ChromeNormal = false;
}

void RestoreChrome(Ctx& c) {
  if (c.ui.ChromeNormal) return;
  c.ui.ChromeNormal = true;
  c.MainForm.ImgClose(0).SetPicture(c.MainForm.ImgClose(1).Picture());
  c.MainForm.ImgMin(0).SetPicture(c.MainForm.ImgMin(1).Picture());
}

void LbMove_MouseMove(Ctx& c) {
  RestoreChrome(c);
  c.MainForm.LbMove.SetMousePointer(kPointerArrow);
}

void LbMove_StartDrag(MainFormT& f) {
  f.LbMove.SetMousePointer(kPointerSizeAll);
}

// ---- Control bar ----

int ButtonPicture(const table::TableState& t, int i) {
  if (t.ScaleX >= 1.0F || i < 2) return 101 + i;
  return 381 + (i - 2);
}

int DisabledButtonPicture(const table::TableState& t, int entry) {
  const int k = entry / 2;  // 0 send, 1 history, 2 start, 3 continue
  if (t.ScaleX >= 1.0F || k == 0) return pic::kBarDisabled + k;
  return pic::kSmallBarDisabled + k - 1;
}

int AnNiuPicture(const Ctx& c, int i, bool lit) {
  int entry = 0;
  if (i < 2) {
    entry = 2 * i;
  } else if (i == 2) {
    entry = c.table.HandNumber < 1 && c.ui.StartPending ? 4 : 6;
  } else {
    entry = 2 * i + 2;
  }
  // Switched off, the first three keep their disabled look under the pointer too.
  if (i <= 2 && !c.MainForm.AnNiu(i).Enabled()) return DisabledButtonPicture(c.table, entry);
  return ButtonPicture(c.table, entry + (lit ? 1 : 0));
}

void LightButton(Ctx& c, int i) {
  auto& lit = c.ui.ButtonLit.at(static_cast<std::size_t>(i));
  if (lit == 0) {
    lit = -1;
    c.MainForm.AnNiu(i).SetPicture(AnNiuPicture(c, i, true));
  }
  c.MainForm.AnNiu(i).SetToolTipText(kTips.at(static_cast<std::size_t>(i)));
}

void RestoreButtons(Ctx& c) {
  for (int i = 0; i < 9; ++i) {
    auto& lit = c.ui.ButtonLit.at(static_cast<std::size_t>(i));
    if (lit == 0) continue;
    lit = 0;
    c.MainForm.AnNiu(i).SetPicture(AnNiuPicture(c, i, false));
  }
}

void AnNiu_MouseMove(Ctx& c, int i) {
  LightButton(c, i);
}

void PlaceSettings(Ctx& c) {
  // Its lower right corner near the table's.
  auto& d = c.VosSet;
  const platform::Rect table = c.MainForm.OnScreen(c.MainForm.Pic1.Bounds());
  auto g = d.Geometry();
  g.top = table.top + table.height - static_cast<int>(std::lround(1.35 * g.height));
  g.left = table.left + table.width - static_cast<int>(std::lround(1.1 * g.width));
  d.SetGeometry(g);
}

void ToggleSettings(Ctx& c) {
  auto& d = c.VosSet;
  if (d.Visible()) {
    d.SetVisible(false);
  } else {
    if (!c.ui.VosSetLoaded) VosSet_Load(c);
    ShowSwitches(c);
    PlaceSettings(c);
    d.SetVisible(true);
  }
}

void ToggleRules(Ctx& c) {
  c.rule.SetVisible(!c.rule.Visible());
  CentreRules(c);
}

// ---- Layout ----

void LayoutSeatLabels(Ctx& c) {
  auto& f = c.MainForm;
  constexpr std::array<std::array<int, 2>, 4> kAt{{{181, 700}, {165, 15}, {509, 15}, {852, 15}}};
  for (int p = 0; p < 4; ++p) {
    const auto& a = kAt.at(static_cast<std::size_t>(p));
    f.Nid(p).Move(Sx(c.table, a[0]), Sy(c.table, a[1]));
    f.Cash(p).Move(Sx(c.table, a[0]), Sy(c.table, a[1] + (p == 0 ? 24 : 25)));
    f.Level(p).Move(Sx(c.table, a[0]), Sy(c.table, a[1] + (p == 0 ? 44 : 49)));
  }
  f.Location.Move(Sx(c.table, 760), Sy(c.table, 668));
  f.imgword1.Move(Sx(c.table, 640), Sy(c.table, 659), Sx(c.table, 57), Sy(c.table, 13));
  f.imgword2.Move(Sx(c.table, 640), Sy(c.table, 675), Sx(c.table, 57), Sy(c.table, 13));
  f.imgLocation.Move(Sx(c.table, 632), Sy(c.table, 654), Sx(c.table, 394), Sy(c.table, 39));
}

namespace {

// The wild-tile box; the tile picture keeps its own size and offsets, so the box never gets
// shorter than the tile it frames.
void LayoutWildTileBox(Ctx& c) {
  auto& f = c.MainForm;
  f.Vorel.Move(Sx(c.table, 932), Sy(c.table, 92), Sx(c.table, 80),
               std::max(Sy(c.table, 125), 59 + 56 + 4));
  f.VR_Image.Move(f.Vorel.Left() + 20, f.Vorel.Top() + 59, 36, 56);
  f.VR_Image.ZOrder(0);
  f.VR_Image.SetVisible(false);
}

void LayoutAvatars(Ctx& c) {
  auto& f = c.MainForm;
  f.Tou(0).Move(Sx(c.table, 9), Sy(c.table, 665), Sx(c.table, 87), Sy(c.table, 88));
  constexpr std::array<int, 3> kTouLeft{7, 350, 693};
  for (int p = 1; p <= 3; ++p) {
    f.Tou(p).Move(Sx(c.table, kTouLeft.at(static_cast<std::size_t>(p - 1))), Sy(c.table, 15),
                  Sx(c.table, 70), Sy(c.table, 62));
    f.Tou(p).SetVisible(true);
  }
}

// The control bar: every button armed but "start", which is armed once the player is seated.
void LayoutControlBar(Ctx& c) {
  auto& f = c.MainForm;
  for (int i = 0; i < 9; ++i) {
    auto& b = f.AnNiu(i);
    c.ui.ButtonState.at(static_cast<std::size_t>(i)) = 0;
    c.ui.ButtonLit.at(static_cast<std::size_t>(i)) = 0;
    b.SetWidth(Sx(c.table, i == 0 ? 50 : 60));
    b.SetHeight(Sy(c.table, 30));
    b.SetPicture(AnNiuPicture(c, i, false));
    b.SetMousePointer(99);
    b.SetVisible(true);
    b.ZOrder(0);
  }
  c.ui.ButtonState[2] = -1;
  f.AnNiu(0).Move(Sx(c.table, 573), Sy(c.table, 730));
  f.AnNiu(1).Move(Sx(c.table, 648), Sy(c.table, 699));
  for (int i = 2; i <= 4; ++i)
    f.AnNiu(i).Move(f.AnNiu(i - 1).Left() + Sx(c.table, 70), f.AnNiu(1).Top());
  f.AnNiu(5).Move(f.AnNiu(1).Left(), f.AnNiu(1).Top() + Sy(c.table, 32));
  for (int i = 6; i <= 8; ++i)
    f.AnNiu(i).Move(f.AnNiu(i - 1).Left() + Sx(c.table, 70), f.AnNiu(5).Top());
}

void LayoutSeatLabelFonts(Ctx& c) {
  auto& f = c.MainForm;
  const bool small = c.table.ScaleX < 1.0F;
  for (int p = 1; p <= 3; ++p) {
    f.Nid(p).SetVisible(true);
    f.Cash(p).SetVisible(true);
    f.Level(p).SetVisible(true);
    if (small) {
      f.Cash(p).SetFontSize(8);
      f.Level(p).SetFontSize(8);
    }
  }
  if (small) f.Level(0).SetFontSize(8);
  LayoutSeatLabels(c);
}

void LayoutReadyMarks(Ctx& c) {
  auto& f = c.MainForm;
  constexpr std::array<std::array<int, 2>, 4> kOk{{{460, 630}, {60, 280}, {460, 88}, {900, 280}}};
  for (int p = 0; p < 4; ++p) {
    const auto& a = kOk.at(static_cast<std::size_t>(p));
    f.OK(p).Move(Sx(c.table, a[0]), Sy(c.table, a[1]), Sx(c.table, 48), Sy(c.table, 26));
    if (p > 0) f.OK(p).SetVisible(false);
  }
}

void LayoutBank(Ctx& c) {
  auto& f = c.MainForm;
  const bool small = c.table.ScaleX < 1.0F;
  if (small) {
    f.Bank.SetWidth(Sx(c.table, f.Bank.Width()));
    f.Bank.SetHeight(Sy(c.table, f.Bank.Height()));
  }
  f.Bank.Move(Sx(c.table, 699), Sy(c.table, 658));
  f.Bank.SetVisible(true);
  f.Bank.ZOrder(0);
}

void LayoutSpeechBubbles(Ctx& c) {
  auto& f = c.MainForm;
  for (auto* s : f.Speak) s->Move(s->Left(), s->Top(), Sx(c.table, 116), Sy(c.table, 74));
  f.Speak(0).Move(Sx(c.table, 200), Sy(c.table, 470));
  f.Speak(1).Move(Sx(c.table, 136), Sy(c.table, 360));
  f.Speak(2).Move(
      f.Tou(2).Left() + f.Tou(2).Width() - Sy(c.table, 20),
      static_cast<int>(std::lround(f.Tou(2).Top() + 0.8 * f.Tou(2).Height())) + Sy(c.table, 65));
  f.Speak(3).Move(Sx(c.table, 760), Sy(c.table, 360));
}

}  // namespace

void LayoutControls(Ctx& c) {
  LayoutWildTileBox(c);
  LayoutAvatars(c);
  LayoutControlBar(c);
  LayoutSeatLabelFonts(c);
  LayoutReadyMarks(c);
  LayoutBank(c);
  LayoutSpeechBubbles(c);
}

void LayoutTable(Ctx& c) {
  auto& f = c.MainForm;
  const bool small = c.table.ScaleX < 1.0F;
  f.ZhiNan.SetVisible(false);
  f.ZhiNan.Move(Sx(c.table, 457), Sy(c.table, 329), Sx(c.table, 110), Sy(c.table, 110));
  // Clock.
  f.Time_Img.Move(f.Vorel.Left() - Sx(c.table, 10),
                  f.Vorel.Top() + f.Vorel.Height() + Sy(c.table, 20), Sx(c.table, 81),
                  Sy(c.table, 38));
  f.Number.Move(f.Time_Img.Left() + Sx(c.table, 48), f.Time_Img.Top() + Sy(c.table, 5),
                Sx(c.table, 24), Sy(c.table, 24));
  if (small) {
    f.Time_Img.SetLeft(f.Vorel.Left());
    f.Number.SetFontSize(12);
    f.Number.SetLeft(f.Time_Img.Left() + Sx(c.table, 48) + 2);
  }
  // Action buttons side by side.
  f.Operation(0).Move(Sx(c.table, 358), Sy(c.table, 461));
  for (int i = 0; i < 6; ++i) {
    auto& op = f.Operation(i);
    op.SetWidth(Sx(c.table, 50));
    op.SetHeight(Sy(c.table, 71));
    if (i > 0) op.Move(f.Operation(i - 1).Left() + f.Operation(0).Width(), f.Operation(0).Top());
    op.SetMousePointer(99);
    op.SetEnabled(false);
    op.SetVisible(false);
  }
  // Tiles and dice pictures.
  for (int i = 1; i < 136; ++i) f.MJ_Image(i).ZOrder(0);
  f.MJ_Image(0).ZOrder(0);
  for (int i = 0; i < 16; ++i) f.SZ_Image(i).SetPicture(pic::kDiceBase + i);
  for (auto* d : f.Sai_Image) d->Move(d->Left(), d->Top(), Sx(c.table, 48), Sy(c.table, 48));
  // System message lines.
  if (!small) {
    f.Sysmsg(0).Move(Sx(c.table, 312), 696, Sx(c.table, 281), 13);
  } else {
    const int h = static_cast<int>(std::lround((26 * c.table.ScaleY + 4) / 2));
    f.Sysmsg(0).Move(Sx(c.table, 312), Sy(c.table, 696) - 2, Sx(c.table, 281), h);
  }
  f.Sysmsg(1).Move(f.Sysmsg(0).Left(), f.Sysmsg(0).Top() + f.Sysmsg(0).Height(),
                   f.Sysmsg(0).Width(), f.Sysmsg(0).Height());
  for (auto* s : f.Sysmsg) s->SetVisible(true);
  f.Lbchat.Move(Sx(c.table, 594), Sy(c.table, 694), Sx(c.table, 25), Sy(c.table, 33));
  // Chat box.
  f.Chat.SetFontSize(10);
  f.Chat.Move(Sx(c.table, 312), Sy(c.table, 732), Sx(c.table, 250), Sy(c.table, 33));
  f.Chat.SetVisible(true);
  // Advertisement.
  f.Bird.Move(Sx(c.table, 936), Sy(c.table, 680), Sx(c.table, 82), Sy(c.table, 80));
  f.Bird.ZOrder(0);
  f.Bird.SetVisible(true);
  // Multiplier displays.
  const int shift = small ? 8 : 0;
  f.imgBeishu.Move(Sx(c.table, 4), Sy(c.table, 585));
  f.lblDifen.Move(Sx(c.table, 56) + shift, Sy(c.table, 586));
  f.Imgwealth.Move(Sx(c.table, 4), Sy(c.table, 617));
  f.lbwealth.Move(Sx(c.table, 56) + shift, Sy(c.table, 617));
  f.lblDifen.SetFontSize(18);
  f.lbwealth.SetFontSize(18);
  f.imgsezi(0).Move(Sx(c.table, 18), small ? Sy(c.table, 553) : Sy(c.table, 559));
  f.imgsezi(1).Move(Sx(c.table, 48) + (small ? 3 : 0), small ? Sy(c.table, 553) : Sy(c.table, 559));
  constexpr std::array<int, 3> kFontTop{280, 312, 344};
  for (int i = 0; i < 3; ++i)
    f.lbfont(i).Move(Sx(c.table, 424) - (small ? 10 : 0),
                     Sy(c.table, kFontTop.at(static_cast<std::size_t>(i))));
  for (platform::Control* m : {&f.imgBeishu, &f.lblDifen, &f.Imgwealth, &f.lbwealth, &f.imgsezi(0),
                               &f.imgsezi(1), &f.lbfont(0), &f.lbfont(1), &f.lbfont(2)}) {
    m->ZOrder(0);
    m->SetVisible(false);
  }
}

// The table embeds no web view: the first page becomes a link on the logo pane that opens in the
// player's own browser. The second page, shown only while seats are being changed, is dropped.
void ShowAdvertisement(Ctx& c, int which, const std::string& page, bool& failed) {
  c.host.Log("advert", std::to_string(which) + " " + page);
  if (which != 1 || failed) return;
  // The server names the page; only web addresses may reach the browser.
  if (page.rfind("http://", 0) != 0 && page.rfind("https://", 0) != 0) {
    c.host.Log("error", "advertisement page is not a web address: " + page);
    failed = true;
    return;
  }
  c.ui.AdLink = page;
  c.MainForm.Bird.SetToolTipText("点击查看：" + page);
  c.MainForm.Bird.SetMousePointer(99);
}

void HideAdvertisement(Ctx& c, int which) {
  if (which != 1) return;
  c.ui.AdLink.clear();
  c.MainForm.Bird.SetToolTipText("");
  c.MainForm.Bird.SetMousePointer(0);
}

void Bird_Click(Ctx& c) {
  if (!c.ui.AdLink.empty()) c.host.OpenUrl(c.ui.AdLink);
}

}  // namespace ui
