// The connection indicator: a dot and a few words beside the control bar, so the player always
// knows whether the table is connected, reconnecting (and how far) or lost.
#include <cstdint>
#include <string>

#include "assets/picture_ids.h"
#include "platform/form_events.h"
#include "ui/main_form.h"
#include "ui/scale.h"
#include "ui/ui.h"
#include "ui/ui_state.h"

namespace ui {

namespace {

namespace pic = assets::pic;

constexpr std::uint32_t kQuietText = 0xD8E4DC;

}  // namespace

void LayoutLinkState(Ctx& c) {
  auto& f = c.MainForm;
  // The upper right corner of the location strip, above the location's own line and left of
  // the advertisement pane: no control lies there.
  const int left = Sx(c.table, 905);
  const int top = Sy(c.table, 656);
  f.LinkDot.Move(left, top + 2, 10, 10);
  f.LinkText.Move(left + 14, top, Sx(c.table, 105), 13);
  f.LinkText.SetFontSize(8);
  f.LinkText.SetForeColor(kQuietText);
  f.LinkDot.SetToolTipText("网络连接状态");
  f.LinkText.SetToolTipText("网络连接状态");
  c.ui.LinkShown = -1;
}

void ShowLinkState(Ctx& c, const LinkFacts& facts) {
  const Link link = facts.link;
  const bool retrying = link == Link::Retrying;
  // One number for what is shown: the kind, the attempt and the round trip.
  const std::int64_t key = static_cast<std::int64_t>(link) * 1'000'000 +
                           (retrying ? facts.tries : 0) * 10'000 +
                           (link == Link::Up && facts.roundTripMs >= 0 ? facts.roundTripMs + 1 : 0);
  if (key == c.ui.LinkShown) return;
  c.ui.LinkShown = key;
  auto& f = c.MainForm;
  std::string text;
  int dot = pic::kLinkDown;
  switch (link) {
    case Link::Up:
      dot = pic::kLinkUp;
      text = "已连接";
      if (facts.roundTripMs >= 0) text += "  " + std::to_string(facts.roundTripMs) + " ms";
      break;
    case Link::Connecting:
      dot = pic::kLinkRetry;
      text = "连接中...";
      break;
    case Link::Retrying:
      dot = pic::kLinkRetry;
      // Short enough for the strip's corner: the attempt out of all of them.
      text = facts.firstConnect ? "连接中" : "重连中";
      text += facts.tries > 0
                  ? " " + std::to_string(facts.tries) + "/" + std::to_string(facts.attempts)
                  : "...";
      break;
    case Link::Down:
      text = "未连接";
      break;
  }
  f.LinkDot.SetPicture(dot);
  f.LinkText.SetCaption(text);
  const bool clickable = retrying;
  f.LinkText.SetMousePointer(clickable ? platform::kPointerHand : platform::kPointerDefault);
  f.LinkDot.SetMousePointer(clickable ? platform::kPointerHand : platform::kPointerDefault);
  f.LinkText.SetToolTipText(clickable ? "点击可立即重连或取消" : "网络连接状态");
}

}  // namespace ui
