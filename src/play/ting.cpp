// Ting: the candidates raised for the ting discard, and the window that chooses between open
// and closed ting.
#include "play/decision.h"
#include "play/play.h"
#include "play/ting_form.h"
#include "session/client.h"
#include "view/view.h"

namespace play {

namespace {

constexpr int kFormW = 300;
constexpr int kFormH = 160;
constexpr std::uint32_t kBack = 0x1E5A3C;
constexpr std::uint32_t kChoice = 0xC89B3C;
constexpr std::uint32_t kMarked = 0xFFD24A;

}  // namespace

TingFormT::TingFormT()
    : platform::Form("frmTing", {0, 0, kFormW, kFormH}),
      Prompt(AddLabel("Prompt", {20, 14, 260, 26})),
      imgTing(AddArray(platform::ControlKind::Label, "imgTing", 2, {0, 0, 110, 56})) {
  SetCaption("听牌选择");
  SetBackColor(kBack);
  Prompt.SetCaption("请选择听牌方式");
  Prompt.SetForeColor(0xFFFFFF);
  Prompt.SetFontSize(12);
  Prompt.SetAlignment(platform::Align::Center);
  const char* names[2] = {"明听", "暗听"};
  const char* tips[2] = {"明听：亮出手牌 (1)", "暗听：手牌不亮出 (2)"};
  for (int k = 0; k < 2; ++k) {
    auto& b = imgTing(k);
    b.Move(30 + k * 130, 56, 110, 56);
    b.SetCaption(names[k]);
    b.SetToolTipText(tips[k]);
    b.SetFontSize(18);
    b.SetFontBold(true);
    b.SetForeColor(0x3A1A00);
    b.SetBackColor(kChoice);
    b.SetAlignment(platform::Align::Center);
    b.SetMousePointer(platform::kPointerHand);
  }
  auto& hint = AddLabel("Hint", {20, 124, 260, 22});
  hint.SetCaption("明听亮出手牌，暗听不亮出");
  hint.SetForeColor(0xCFE8D8);
  hint.SetAlignment(platform::Align::Center);
}

void MarkTingChoice(Client& c, int k) {
  c.play.TingMark = k;
  for (int i = 0; i < 2; ++i) c.frmTing.imgTing(i).SetBackColor(i == k ? kMarked : kChoice);
}

void ShowTingForm(Client& c) {
  const platform::Rect& main = c.MainForm.Geometry();
  c.frmTing.SetGeometry({main.left + (main.width - kFormW) / 2,
                         main.top + (main.height - kFormH) / 2, kFormW, kFormH});
  MarkTingChoice(c, -1);
  c.frmTing.SetTopmost(true);
  c.frmTing.SetVisible(true);
  c.MainForm.SetEnabled(false);
}

void UnloadTingForm(Client& c) {
  c.frmTing.SetVisible(false);
  c.MainForm.SetEnabled(true);
  c.play.TingMark = -1;
}

void EndTingChoice(Client& c, int mark) {
  auto& t = c.table;
  if (c.frmTing.Visible()) UnloadTingForm(c);
  if (t.TingSelecting) {
    const auto& h = t.Hand[0];
    for (int i = h.HiddenFirst; i < h.HiddenFirst + h.HiddenCount; ++i)
      view::SetRaised(c.viewCtx, h.Slot.at(static_cast<std::size_t>(i)).Ctl, false);
    t.TingSelecting = false;
  }
  if (mark == 2 || mark == 3) t.TingDeclared = true;
}

void StartTing(Client& c) {
  auto& t = c.table;
  if (t.TingDialog) {
    ShowTingForm(c);
  } else {
    t.TingChoice = 2;
  }
  t.TingSelecting = true;
  t.Countdown = t.DefaultCountdown;
  const auto& h = t.Hand[0];
  for (int code : t.TingCandidates) {
    if (code == 0) continue;
    for (int i = h.HiddenFirst; i < h.HiddenFirst + h.HiddenCount; ++i) {
      const auto& s = h.Slot.at(static_cast<std::size_t>(i));
      if (s.Code == code) view::SetRaised(c.viewCtx, s.Ctl, true);
    }
  }
}

void TingDialogChoice(Client& c, int k) {
  if (k != 0 && k != 1) return;
  c.table.TingChoice = k == 0 ? 2 : 3;
  c.table.Countdown = c.table.DefaultCountdown;
  UnloadTingForm(c);
}

// ---- Input of the window ----

platform::PressResult TingFormEvents::OnMouseDown(platform::Control* /*control*/, int /*button*/,
                                                  int /*shift*/, int /*x*/, int /*y*/) {
  return platform::PressResult::None;
}

void TingFormEvents::OnMouseMove(platform::Control* control, int /*button*/, int /*shift*/,
                                 int /*x*/, int /*y*/) {
  if (control != nullptr && control->Name() == "imgTing") MarkTingChoice(c_, control->Index());
}

void TingFormEvents::OnClick(platform::Control* control) {
  if (control != nullptr && control->Name() == "imgTing") TingDialogChoice(c_, control->Index());
}

void TingFormEvents::OnKeyDown(platform::Control* /*control*/, int keyCode, int /*shift*/) {
  constexpr int kLeft = 37, kRight = 39;
  if (keyCode == '1') {
    TingDialogChoice(c_, 0);
  } else if (keyCode == '2') {
    TingDialogChoice(c_, 1);
  } else if (keyCode == kLeft) {
    MarkTingChoice(c_, 0);
  } else if (keyCode == kRight) {
    MarkTingChoice(c_, 1);
  } else if (keyCode == platform::kKeyReturn && c_.play.TingMark >= 0) {
    TingDialogChoice(c_, c_.play.TingMark);
  }
}

void TingFormEvents::OnClose() {
  if (c_.frmTing.Visible()) TingDialogChoice(c_, 1);
}

}  // namespace play
