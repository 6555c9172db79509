// The connection indicator: a dot and a few words beside the control bar, so the player always
// knows whether the table is connected, reconnecting (and how far) or lost.
#include <string>

#include "assets/picture_ids.h"
#include "session/client.h"
#include "session/reconnect.h"
#include "ui/ui.h"
#include "view/view.h"

namespace ui {

namespace {

namespace pic = assets::pic;

enum class Link { Connecting, Up, Retrying, Down };

constexpr std::uint32_t kQuietText = 0xD8E4DC;

}  // namespace

void LayoutLinkState(Client& c) {
  auto& f = c.MainForm;
  // The upper right corner of the location strip, above the location's own line and left of
  // the advertisement pane: no control lies there.
  const int left = view::Sx(c, 905);
  const int top = view::Sy(c, 656);
  f.LinkDot.Move(left, top + 2, 10, 10);
  f.LinkText.Move(left + 14, top, view::Sx(c, 105), 13);
  f.LinkText.SetFontSize(8);
  f.LinkText.SetForeColor(kQuietText);
  f.LinkDot.SetToolTipText("网络连接状态");
  f.LinkText.SetToolTipText("网络连接状态");
  c.net.LinkShown = -1;
  ShowLinkState(c);
}

void ShowLinkState(Client& c) {
  const net::NetState& n = c.net;
  const bool retrying = c.frmReconnect.Loaded;
  const bool connected = c.host.Winsock1().State() == platform::kSockConnected;
  Link link = Link::Down;
  if (retrying) {
    link = Link::Retrying;
  } else if (connected && n.Online) {
    link = Link::Up;
  } else if (n.TaskOn[net::kTaskLogin] || (connected && n.LoginPending) || c.TimerProxy.Enabled()) {
    link = Link::Connecting;
  }
  // One number for what is shown: the kind, the attempt and the round trip.
  const std::int64_t key = static_cast<std::int64_t>(link) * 1'000'000 +
                           (retrying ? n.ReconnectTries : 0) * 10'000 +
                           (link == Link::Up && n.RoundTripMs >= 0 ? n.RoundTripMs + 1 : 0);
  if (key == n.LinkShown) return;
  c.net.LinkShown = key;
  auto& f = c.MainForm;
  std::string text;
  int dot = pic::kLinkDown;
  switch (link) {
    case Link::Up:
      dot = pic::kLinkUp;
      text = "已连接";
      if (n.RoundTripMs >= 0) text += "  " + std::to_string(n.RoundTripMs) + " ms";
      break;
    case Link::Connecting:
      dot = pic::kLinkRetry;
      text = "连接中...";
      break;
    case Link::Retrying:
      dot = pic::kLinkRetry;
      // Short enough for the strip's corner: the attempt out of all of them.
      text = n.FirstConnect ? "连接中" : "重连中";
      text += n.ReconnectTries > 0 ? " " + std::to_string(n.ReconnectTries) + "/" +
                                         std::to_string(session::kReconnectAttempts)
                                   : "...";
      break;
    case Link::Down:
      text = "未连接";
      break;
  }
  f.LinkDot.SetPicture(dot);
  f.LinkText.SetCaption(text);
  const bool clickable = link == Link::Retrying;
  f.LinkText.SetMousePointer(clickable ? platform::kPointerHand : platform::kPointerDefault);
  f.LinkDot.SetMousePointer(clickable ? platform::kPointerHand : platform::kPointerDefault);
  f.LinkText.SetToolTipText(clickable ? "点击可立即重连或取消" : "网络连接状态");
}

void LinkState_Click(Client& c) {
  auto& r = c.frmReconnect;
  if (!r.Loaded || r.Visible()) return;
  const platform::Rect m = c.MainForm.OnScreen();
  platform::Rect g = r.Geometry();
  g.left = m.left + (m.width - g.width) / 2;
  g.top = m.top + (m.height - g.height) / 2;
  r.SetGeometry(g);
  r.SetTopmost(true);
  // The player asked for it: it stays until answered, also when nobody else would answer.
  r.SetVisible(true);
}

}  // namespace ui
