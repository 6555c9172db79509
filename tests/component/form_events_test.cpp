// The main window's input: hit-testing in window pixels, capture and clicks, and the routing of
// mouse, keys, focus and window events to the event procedures.
#include <gtest/gtest.h>

#include <array>

#include <algorithm>
#include <string>
#include <vector>

#include "assets/picture_ids.h"
#include "chat/chat.h"
#include "platform/form_input.h"
#include "session/control_bar.h"
#include "session/form_events.h"
#include "support/client_fixture.h"
#include "ui/ui.h"

namespace qtest {
namespace {

using platform::Control;
using platform::kLeftButton;
using platform::kRightButton;
using platform::PressResult;

// Records what reaches the event interface, to check the pointer mechanics on their own.
struct Recorder final : platform::FormEvents {
  std::vector<std::string> seen;
  PressResult press = PressResult::None;

  static std::string Name(const Control* c) {
    if (c == nullptr) return "form";
    return c->Index() < 0 ? c->Name() : c->Name() + "(" + std::to_string(c->Index()) + ")";
  }
  void Add(const char* what, const Control* c, int b, int x, int y) {
    seen.push_back(std::string(what) + " " + Name(c) + " " + std::to_string(b) + " " +
                   std::to_string(x) + "," + std::to_string(y));
  }
  PressResult OnMouseDown(Control* c, int b, int, int x, int y) override {
    Add("down", c, b, x, y);
    return press;
  }
  void OnMouseMove(Control* c, int b, int, int x, int y) override { Add("move", c, b, x, y); }
  void OnMouseUp(Control* c, int b, int, int x, int y) override { Add("up", c, b, x, y); }
  void OnClick(Control* c) override { seen.push_back("click " + Name(c)); }
  void OnDblClick(Control* c) override { seen.push_back("dblclick " + Name(c)); }
  void OnKeyDown(Control*, int, int) override {}
  void OnKeyUp(Control*, int, int) override {}
  void OnFocus(Control&, bool) override {}
  void OnResize() override {}
  void OnMoved() override {}
  void OnClose() override {}
};

class FormEvents : public ClientTest {
 protected:
  void SetUp() override {
    StartLoggedIn();
    ASSERT_FALSE(host.Ended());
  }
  // The middle of a control, in window pixels.
  platform::Point At(const Control& ctl) const {
    const platform::Rect r = c.MainForm.WindowBounds(ctl);
    return {r.left + r.width / 2, r.top + r.height / 2};
  }
  // A point of the table picture, given in table pixels, that no control covers.
  platform::Point Table(int x, int y) const {
    return {c.MainForm.Pic1.Left() + x, c.MainForm.Pic1.Top() + y};
  }
  void MoveTo(platform::Point p) { input.Move(p.x, p.y, 0, 0); }
  void ClickAt(platform::Point p, int button = kLeftButton) {
    static_cast<void>(input.Press(p.x, p.y, button, 0));
    input.Release(p.x, p.y, button, 0);
  }

  session::MainFormEvents events{c};
  platform::FormInput input{c.MainForm, events};
};

TEST_F(FormEvents, TableControlsAreHitWhereTheyAreDrawnOnTheTable) {
  auto& f = c.MainForm;
  ASSERT_EQ(f.Pic1.Left(), 8);
  ASSERT_EQ(f.Pic1.Top(), 20);
  Recorder rec;
  platform::FormInput in(f, rec);
  const platform::Rect bank = f.Bank.Bounds();
  // The table control's own place, shifted by the table picture's origin.
  in.Move(bank.left + 8 + 3, bank.top + 20 + 4, 0, 0);
  in.Move(bank.left + 3, bank.top + 4, 0, 0);
  // Pic1 reports table pixels; the frame reports window pixels.
  in.Move(8 + 100, 20 + 300, 0, 0);
  in.Move(2, 400, 0, 0);
  EXPECT_EQ(rec.seen,
            (std::vector<std::string>{"move Bank 0 3,4",
                                      "move Pic1 0 " + std::to_string(bank.left - 8 + 3) + "," +
                                          std::to_string(bank.top - 20 + 4),
                                      "move Pic1 0 100,300", "move SkinPiece(3) 0 2,380"}));
}

TEST_F(FormEvents, APressCapturesTheMouseUntilItsRelease) {
  auto& f = c.MainForm;
  Recorder rec;
  platform::FormInput in(f, rec);
  const platform::Point bar = At(f.AnNiu(3));
  const platform::Rect r = f.WindowBounds(f.AnNiu(3));
  struct Case {
    const char* name;
    int releaseX;
    int releaseY;
    bool hideBetween;
    bool clicks;
  };
  for (const Case& k : {Case{"released over it", bar.x, bar.y, false, true},
                        Case{"released off it", bar.x, r.top - 30, false, false},
                        Case{"hidden meanwhile", bar.x, bar.y, true, false}}) {
    SCOPED_TRACE(k.name);
    rec.seen.clear();
    f.AnNiu(3).SetVisible(true);
    EXPECT_EQ(in.Press(bar.x, bar.y, kLeftButton, 0), PressResult::None);
    if (k.hideBetween) f.AnNiu(3).SetVisible(false);
    in.Move(k.releaseX, k.releaseY, kLeftButton, 0);
    in.Release(k.releaseX, k.releaseY, kLeftButton, 0);
    ASSERT_GE(rec.seen.size(), 3u);
    EXPECT_EQ(rec.seen[1].substr(0, 14), "move AnNiu(3) ") << "moves go to the captured control";
    EXPECT_EQ(rec.seen[2].substr(0, 12), "up AnNiu(3) ");
    EXPECT_EQ(rec.seen.size() == 4 && rec.seen[3] == "click AnNiu(3)", k.clicks);
  }
  f.AnNiu(3).SetVisible(true);

  // The right button clicks only on the table; a double click replaces its second press and
  // gives no second click.
  rec.seen.clear();
  const platform::Point table = Table(500, 300);
  static_cast<void>(in.Press(table.x, table.y, kRightButton, 0));
  in.Release(table.x, table.y, kRightButton, 0);
  EXPECT_EQ(rec.seen.back(), "click Pic1");
  static_cast<void>(in.Press(bar.x, bar.y, kRightButton, 0));
  in.Release(bar.x, bar.y, kRightButton, 0);
  EXPECT_EQ(std::count(rec.seen.begin(), rec.seen.end(), "click AnNiu(3)"), 0);
  static_cast<void>(in.Press(bar.x, bar.y, kLeftButton, 0));
  in.Release(bar.x, bar.y, kLeftButton, 0);
  in.DoubleClick(bar.x, bar.y, kLeftButton, 0);
  in.Release(bar.x, bar.y, kLeftButton, 0);
  const std::vector<std::string> tail(rec.seen.end() - 2, rec.seen.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "dblclick AnNiu(3)", "up AnNiu(3) 1 " + std::to_string(bar.x - r.left) + "," +
                                               std::to_string(bar.y - r.top)}));
  EXPECT_EQ(std::count(rec.seen.begin(), rec.seen.end(), "click AnNiu(3)"), 1);

  // Where the window system sends the second press before the double click, that press
  // stands, and its release still gives no click.
  rec.seen.clear();
  static_cast<void>(in.Press(bar.x, bar.y, kLeftButton, 0));
  in.DoubleClick(bar.x, bar.y, kLeftButton, 0);
  in.Release(bar.x, bar.y, kLeftButton, 0);
  ASSERT_EQ(rec.seen.size(), 3u);
  EXPECT_EQ(rec.seen[1], "dblclick AnNiu(3)");
  EXPECT_EQ(rec.seen[2].substr(0, 12), "up AnNiu(3) ");

  // A release whose press the window system took goes nowhere.
  rec.seen.clear();
  in.Release(bar.x, bar.y, kLeftButton, 0);
  EXPECT_TRUE(rec.seen.empty());
}

TEST_F(FormEvents, DisabledAndHiddenControlsLetTheMouseThrough) {
  auto& f = c.MainForm;
  auto& op = f.Operation(0);
  op.SetVisible(true);
  op.SetEnabled(false);
  EXPECT_EQ(f.HitTest(At(op).x, At(op).y), &f.Pic1);
  op.SetEnabled(true);
  EXPECT_EQ(f.HitTest(At(op).x, At(op).y), &op);
  op.SetVisible(false);
  EXPECT_EQ(f.HitTest(At(op).x, At(op).y), &f.Pic1);
}

// A resumed hand switches send, history and start off: they look it, under the pointer and
// while the chat button blinks too, until the next hand (or the next table) turns them on.
TEST_F(FormEvents, TheBarButtonsOfAResumedHandShowTheirDisabledPictures) {
  auto& f = c.MainForm;
  MoveTo(At(f.AnNiu(1)));  // lit when the hand resumes
  ASSERT_EQ(f.AnNiu(1).Picture(), 104);
  Push(FrameBuilder(41).seat(2).v(0, 4).v(1, 6).v(2, 0x45).v(3, 0x44));
  Advance(200);
  const std::array<int, 3> off{1140, 1141,
                               c.table.HandNumber < 1 && c.ui.StartPending ? 1142 : 1143};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(f.AnNiu(i).Enabled());
    EXPECT_EQ(f.AnNiu(i).Picture(), off.at(static_cast<std::size_t>(i))) << i;
  }
  MoveTo(Table(500, 200));
  MoveTo(At(f.AnNiu(2)));
  EXPECT_EQ(f.AnNiu(1).Picture(), 1141) << "going dark over the table keeps it disabled";
  EXPECT_EQ(f.AnNiu(2).Picture(), off[2]) << "a disabled button does not light";
  EXPECT_EQ(f.AnNiu(5).Picture(), ui::AnNiuPicture(c.uiCtx, 5, false))
      << "the others are untouched";
  // A line from another seat makes the chat button blink.
  c.chat.ChatBlink = 8;
  for (int i = 0; i < 3; ++i) {
    chat::BlinkStep(c.chatCtx);
    EXPECT_EQ(f.AnNiu(1).Picture(), 1141);
  }
  // The next hand turns them on again.
  Push(FrameBuilder(4).seat(1).v(0, 3).v(1, 5).v(2, 3).v(3, 5));
  Advance(300);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(f.AnNiu(i).Enabled());
    EXPECT_LT(f.AnNiu(i).Picture(), 1100) << i;
  }
  EXPECT_EQ(f.AnNiu(0).Picture(), 101);
  EXPECT_EQ(f.AnNiu(1).Picture(), 103);
}

// Leaving a resumed hand and sitting down again: the new table's bar is on.
TEST_F(FormEvents, TheLobbysConnectMessageTurnsTheBarOnAgain) {
  auto& f = c.MainForm;
  Push(FrameBuilder(41).seat(2).v(0, 4).v(1, 6).v(2, 0x45).v(3, 0x44));
  Advance(200);
  ASSERT_FALSE(f.AnNiu(2).Enabled());
  host.lobby.Deliver(platform::kLobbyLeaveNow);
  host.lobby.Deliver(platform::kLobbyConnect);
  EXPECT_EQ(f.AnNiu(0).Picture(), 101);
  EXPECT_EQ(f.AnNiu(1).Picture(), 103);
  EXPECT_EQ(f.AnNiu(2).Picture(), 105);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(f.AnNiu(i).Enabled()) << i;
}

TEST_F(FormEvents, TheControlBarLightsUnderThePointerAndGoesDarkOverTheTable) {
  auto& f = c.MainForm;
  const int normal1 = f.AnNiu(1).Picture();
  MoveTo(At(f.AnNiu(1)));
  MoveTo(At(f.AnNiu(5)));
  EXPECT_EQ(f.AnNiu(1).Picture(), ui::AnNiuPicture(c.uiCtx, 1, true));
  EXPECT_EQ(f.AnNiu(5).Picture(), ui::AnNiuPicture(c.uiCtx, 5, true));
  EXPECT_EQ(f.AnNiu(1).ToolTipText(), "点击打开聊天窗口");
  EXPECT_EQ(f.AnNiu(5).ToolTipText(), "可以查看当前牌局详细结果");
  MoveTo(Table(500, 200));
  EXPECT_EQ(f.AnNiu(1).Picture(), normal1);
  EXPECT_EQ(f.AnNiu(5).Picture(), ui::AnNiuPicture(c.uiCtx, 5, false));
  EXPECT_EQ(c.ui.ButtonLit[1], 0);

  // Only a click over the button acts.
  ClickAt(At(f.AnNiu(7)));
  EXPECT_TRUE(c.rule.Visible());
  ASSERT_FALSE(c.Hero.Visible());
  static_cast<void>(input.Press(At(f.AnNiu(6)).x, At(f.AnNiu(6)).y, kLeftButton, 0));
  input.Release(Table(500, 200).x, Table(500, 200).y, kLeftButton, 0);
  EXPECT_FALSE(c.Hero.Visible()) << "released over the table: the history stays closed";
}

TEST_F(FormEvents, TitleButtonsLightPressAndShareOneHighlight) {
  auto& f = c.MainForm;
  auto& close = f.ImgClose(0);
  auto& min = f.ImgMin(0);
  MoveTo(At(close));
  EXPECT_EQ(close.Picture(), assets::pic::kCloseLit);
  MoveTo(At(min));
  EXPECT_EQ(min.Picture(), assets::pic::kMinNormal) << "one highlight until the strip is crossed";
  MoveTo(At(f.LbMove));
  EXPECT_EQ(close.Picture(), assets::pic::kCloseNormal);
  MoveTo(At(min));
  EXPECT_EQ(min.Picture(), assets::pic::kMinLit);
  MoveTo({2, 300});  // the frame
  EXPECT_EQ(min.Picture(), assets::pic::kMinNormal);
  MoveTo(At(close));
  MoveTo(Table(600, 10));  // straight down onto the table
  EXPECT_EQ(close.Picture(), assets::pic::kCloseNormal);

  const platform::Point p = At(close);
  static_cast<void>(input.Press(p.x, p.y, kRightButton, 0));
  EXPECT_EQ(close.Picture(), assets::pic::kClosePressed);
  input.Release(p.x, p.y, kRightButton, 0);
  EXPECT_EQ(close.Picture(), assets::pic::kCloseLit);
  EXPECT_FALSE(host.Shown("frmExit")) << "a right click is no click";
  ClickAt(p);
  EXPECT_TRUE(host.Shown("frmExit")) << "the close button opens the exit dialog";

  ClickAt(At(min));
  EXPECT_EQ(f.State(), platform::WindowState::Minimized);
}

TEST_F(FormEvents, TheTitleStripDragsWithTheLeftButtonOnly) {
  auto& f = c.MainForm;
  const platform::Point p = At(f.LbMove);
  EXPECT_EQ(input.Press(p.x, p.y, kRightButton, 0), PressResult::None);
  input.Release(p.x, p.y, kRightButton, 0);
  EXPECT_EQ(input.Press(p.x, p.y, kLeftButton, 0), PressResult::DragWindow);
  EXPECT_EQ(f.LbMove.MousePointer(), platform::kPointerSizeAll);
  EXPECT_FALSE(input.Pressed()) << "the window system owns the mouse during the drag";
  host.Run([&] { session::ToggleExitDialog(c); });
  f.SetGeometry({100, 50, f.Geometry().width, f.Geometry().height});
  events.OnMoved();
  const auto g = c.frmExit.Geometry();
  EXPECT_EQ(g.left, 100 + (f.Geometry().width - g.width) / 2) << "the exit dialog follows";
  EXPECT_EQ(g.top, 50 + (f.Geometry().height - g.height) / 2);
  MoveTo(p);
  EXPECT_EQ(f.LbMove.MousePointer(), platform::kPointerDefault);
}

TEST_F(FormEvents, KeysFocusAndWindowEventsReachTheirProcedures) {
  auto& f = c.MainForm;
  events.OnFocus(f.Chat, true);
  EXPECT_TRUE(c.app.ChatFocused);
  f.Chat.SetText("你好");
  events.OnKeyDown(&f.Chat, platform::kKeyReturn, 0);
  // Enter sent the line: the box is empty and the rate gate closed.
  EXPECT_TRUE(f.Chat.Text().empty());
  EXPECT_FALSE(c.chat.ChatGate);
  events.OnFocus(f.Chat, false);
  EXPECT_FALSE(c.app.ChatFocused);

  // The boss key hides the table, every window over it, and the lobby.
  const auto sentBefore = host.lobby.sent.size();
  const std::array<platform::Form*, 6> over{&c.Information, &c.Talk,  &c.VosSet,
                                            &c.Hero,        &c.Score, &c.rule};
  for (auto* w : over) w->SetVisible(true);
  events.OnKeyDown(nullptr, platform::kKeyF1, 0);
  for (auto* w : over) EXPECT_FALSE(w->Visible()) << w->Name();
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_EQ(f.State(), platform::WindowState::Minimized);
  ASSERT_EQ(host.lobby.sent.size(), sentBefore + 1);
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScMinimize);

  // Minimised, a resize changes nothing; restored, the table comes back with the chat focused.
  events.OnResize();
  EXPECT_TRUE(c.table.BossMode);
  f.SetState(platform::WindowState::Normal);
  events.OnResize();
  EXPECT_FALSE(c.table.BossMode);
  EXPECT_EQ(f.Focused(), &f.Chat);
  EXPECT_FALSE(c.app.ChatFocused) << "only the box's own focus event says it has the focus";
  events.OnFocus(f.Chat, true);
  EXPECT_TRUE(c.app.ChatFocused);

  // Closing the window ends the program.
  host.Run([&] { events.OnClose(); });
  EXPECT_TRUE(host.Ended());
  EXPECT_TRUE(host.HasLog("end", "the window was closed"));
}

TEST_F(FormEvents, OnlyALeftClickPressesABarButton) {
  const platform::Point bar = At(c.MainForm.AnNiu(3));
  ClickAt(bar, kRightButton);
  EXPECT_FALSE(c.VosSet.Visible()) << "the settings button ignores the right button";
  ClickAt(bar, kLeftButton);
  EXPECT_TRUE(c.VosSet.Visible());
}

// The chat box hands every function key to a running plug-in, focused or not, and F1 there is
// the table's boss key; the form itself passes F2..F6 only while the box is not focused.
TEST_F(FormEvents, FunctionKeysInTheChatBoxAndOnTheForm) {
  auto& f = c.MainForm;
  c.props.Prop_GameDllState = 1;
  // The keys the plug-in was given (it also hears of resizes and the bank).
  const auto plugin = [this] {
    std::vector<std::string> keys;
    for (const auto& d : host.LogDetails("plugin")) {
      if (d.rfind("SetKeyDown", 0) == 0) keys.push_back(d);
    }
    return keys;
  };
  events.OnFocus(f.Chat, true);
  events.OnKeyDown(&f.Chat, platform::kKeyF1 + 1, 0);
  EXPECT_EQ(plugin(), std::vector<std::string>{"SetKeyDown 113"});
  events.OnKeyDown(&f.Chat, 'A', 0);
  EXPECT_EQ(plugin().size(), 1U);
  EXPECT_FALSE(c.table.BossMode);
  EXPECT_EQ(f.State(), platform::WindowState::Normal);
  events.OnKeyDown(nullptr, platform::kKeyF1 + 1, 0);
  EXPECT_EQ(plugin().size(), 1U) << "the form keeps F2 from the plug-in while chatting";

  events.OnKeyDown(&f.Chat, platform::kKeyF1, 0);
  EXPECT_EQ(plugin(), (std::vector<std::string>{"SetKeyDown 113", "SetKeyDown 112"}));
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_EQ(c.table.DefaultCountdown, 0) << "the table's longer boss key";
  EXPECT_EQ(f.State(), platform::WindowState::Minimized);
  EXPECT_EQ(host.lobby.sent.back().wParam, platform::kScMinimize);

  // The window comes back, but the box did not get the focus: the form passes F2 on again.
  events.OnFocus(f.Chat, false);
  f.SetState(platform::WindowState::Normal);
  events.OnResize();
  events.OnKeyDown(nullptr, platform::kKeyF1 + 1, 0);
  EXPECT_EQ(plugin().size(), 3U);
}

TEST_F(FormEvents, AnIdleTableChangesNoControl) {
  Advance(2000);
  const auto before = c.MainForm.Revision();
  Advance(20000);  // ticks, keep-alives and connection watches
  EXPECT_EQ(c.MainForm.Revision(), before);
  EXPECT_GT(host.socket.sent.size(), 272u);
}

}  // namespace
}  // namespace qtest
