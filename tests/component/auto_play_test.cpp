// The decision clock running out, the boss key after too many time-outs, the ting window and
// playing from the keyboard.
#include <algorithm>
#include <string>
#include <vector>

#include "assets/sound_cues.h"
#include "component/moves_fixture.h"
#include "platform/form_input.h"
#include "play/keyboard.h"
#include "play/play.h"
#include "session/form_events.h"
#include "session/table_reset.h"
#include "ui/sound.h"
#include "view/input.h"
#include "view/view.h"

namespace {

using namespace qtest::tiles;  // NOLINT(google-build-using-namespace): tile names read as tiles
using qtest::SetOwnHand;

const std::vector<int> kThirteen = {T(1), T(2), T(3), T(5), T(5), W(4), W(5),
                                    W(6), B(7), B(8), B(9), kRed, kRed};
std::vector<int> Fourteen() {
  auto h = kThirteen;
  h.push_back(B(1));  // drawn last
  return h;
}

class AutoPlay : public qtest::Moves {
 protected:
  // The clock shows n seconds; it runs out one second after reaching 0.
  void RunOut(int n) { Advance(1000 * (n + 1) + 300); }
  // Frames as (command, value 0, value 3).
  std::vector<std::vector<int>> Summary() {
    std::vector<std::vector<int>> out;
    for (const auto& f : NewFrames()) {
      const auto v = Values(f);
      out.push_back({f[3], v[0], v[3]});
    }
    return out;
  }
  void Key(int code, int shift = 0) { events.OnKeyDown(nullptr, code, shift); }
  // A left click in the middle of a control, hit-tested as the window does.
  void ClickOn(const platform::Control& ctl) {
    const platform::Rect r = c.MainForm.WindowBounds(ctl);
    platform::FormInput input(c.MainForm, events);
    input.Press(r.left + r.width / 2, r.top + r.height / 2, platform::kLeftButton, 0);
    input.Release(r.left + r.width / 2, r.top + r.height / 2, platform::kLeftButton, 0);
  }
  session::MainFormEvents events{c};
};

struct TimeoutCase {
  const char* name;
  bool ownTurn;
  int press;  // button pressed before the clock runs out, -1 none
  std::vector<std::vector<int>> frames;
};

TEST_F(AutoPlay, ClockRunsOutInEachDecisionState) {
  const std::vector<TimeoutCase> cases = {
      {"claim prompt: a pass only", false, -1, {{7, 1, 0}}},
      {"own turn: pass, then the drawn tile", true, -1, {{7, 1, 0}, {2, 0, 0x4021}}},
      {"own turn after pass pressed", true, table::kOpPass, {{7, 1, 0}, {2, 0, 0x4021}}},
      {"chi choice open: a pass only", false, table::kOpChi, {{7, 1, 0}}},
  };
  for (const auto& k : cases) {
    SetOwnHand(c.table, k.ownTurn ? Fourteen() : kThirteen);
    c.table.HandOpen = true;
    c.table.LastDiscard = T(4);
    Offer({table::kOpChi, table::kOpHu, table::kOpPass}, 3);
    sentBefore = Sent().size();
    if (k.press >= 0) play::Operation_Click(c, k.press);
    RunOut(3);
    EXPECT_EQ(Summary(), k.frames) << k.name;
    EXPECT_EQ(c.table.DecisionState, 3) << k.name;
    EXPECT_FALSE(c.MainForm.Operation(table::kOpPass).Visible()) << k.name;
    EXPECT_FALSE(c.MainForm.Chi(0).Visible()) << k.name;
    EXPECT_FALSE(c.MainForm.Time_Img.Visible()) << k.name;
  }
}

// A choice the player opened but left: an open gang choice makes its first candidate (and no
// tile is thrown, the replacement draw follows); an open chi choice passes.
TEST_F(AutoPlay, AnOpenChoiceWhenTheClockRunsOut) {
  struct Case {
    const char* name;
    std::vector<int> hand;
    int button;
    int options;
    std::vector<std::vector<int>> frames;
  };
  const std::vector<Case> cases = {
      {"gang choice: the first candidate",
       {B(3), B(3), B(3), B(3), T(8), T(8), T(8), T(8), W(1), W(2), W(3), W(5), W(6), W(9)},
       table::kOpGang,
       32 | 1,
       {{7, 32, 0x2088}}},  // the sorted row finds the 8筒 first
      {"chi choice: a pass", {B(3), B(4), B(6), B(7)}, table::kOpChi, 4 | 1, {{7, 1, 0}}},
  };
  for (const auto& k : cases) {
    SetOwnHand(c.table, k.hand);
    c.table.HandOpen = true;
    c.table.LastDiscard = B(5);
    c.table.GangOptions = k.options;
    Offer({k.button, table::kOpPass}, 2);
    sentBefore = Sent().size();
    ClickOn(c.MainForm.Operation(k.button));
    ASSERT_GT(c.play.ChiShown + c.play.GangShown, 1) << k.name << ": a choice is on show";
    ASSERT_TRUE(Summary().empty()) << k.name;
    RunOut(2);
    EXPECT_EQ(Summary(), k.frames) << k.name;
    EXPECT_EQ(c.play.ChiShown + c.play.GangShown, 0) << k.name;
    EXPECT_FALSE(c.MainForm.Gang(0).Visible()) << k.name;
    EXPECT_FALSE(c.MainForm.Chi(0).Visible()) << k.name;
    EXPECT_EQ(c.table.Hand[0].HiddenCount, static_cast<int>(k.hand.size())) << k.name;
  }
}

// A choice overtaken by the next prompt, or by the table reset, is gone: neither its pictures
// nor the digit keys send it any more.
TEST_F(AutoPlay, AnOvertakenChoiceSendsNothing) {
  struct Case {
    const char* name;
    bool reset;  // the table reset instead of a prompt to another seat
  };
  for (const Case& k : {Case{"prompt to another seat", false}, Case{"table reset", true}}) {
    SetOwnHand(c.table, {B(3), B(4), B(6), B(7)});
    c.table.LastDiscard = B(5);
    Offer({table::kOpChi, table::kOpPass}, 10);
    ClickOn(c.MainForm.Operation(table::kOpChi));
    ASSERT_EQ(c.play.ChiShown, 3) << k.name;
    const platform::Rect chi = c.MainForm.WindowBounds(c.MainForm.Chi(0));
    if (k.reset) {
      session::ResetTable(c);
    } else {
      Push(qtest::FrameBuilder(6).seat(8).byte(100, 10));
      Advance(300);
    }
    EXPECT_EQ(c.play.ChiShown, 0) << k.name;
    EXPECT_EQ(c.play.GangShown, 0) << k.name;
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(c.MainForm.Chi(i).Visible()) << k.name << " " << i;
    sentBefore = Sent().size();
    Key('1');
    platform::FormInput input(c.MainForm, events);
    input.Press(chi.left + chi.width / 2, chi.top + chi.height / 2, platform::kLeftButton, 0);
    input.Release(chi.left + chi.width / 2, chi.top + chi.height / 2, platform::kLeftButton, 0);
    EXPECT_TRUE(Summary().empty()) << k.name;
  }
}

TEST_F(AutoPlay, TheDrawnTileGoesToTheMiddle) {
  SetOwnHand(c.table, Fourteen());
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_EQ(c.table.Hand[0].HiddenCount, 13);
  EXPECT_EQ(c.table.LastDiscardCtl, 113);
  EXPECT_EQ(c.table.LastDiscardPos, 0);
  EXPECT_FALSE(c.table.CanDiscard);
  const auto& img = c.MainForm.MJ_Image(113);
  EXPECT_EQ(img.Width(), 36);
  EXPECT_EQ(img.Picture(), 201 + view::TilePic(B(1), 0));
  EXPECT_EQ(c.MainForm.Stacking().back(), &img);
}

TEST_F(AutoPlay, NothingWhileAnAnswerIsOnItsWayOrAfterChiWasSent) {
  SetOwnHand(c.table, kThirteen);
  Offer({table::kOpHu}, 1);
  c.table.DecisionState = 2;  // hu pressed
  RunOut(1);
  EXPECT_TRUE(Summary().empty());
  EXPECT_EQ(c.table.TimeoutCount, 0);

  // A chi already answered the prompt: the clock's end sends no pass after it.
  Offer({table::kOpPass}, 1);
  c.table.ActionSent = true;
  RunOut(1);
  EXPECT_TRUE(Summary().empty());
}

TEST_F(AutoPlay, ChoicesStopRespondingOnceTheClockRanOut) {
  SetOwnHand(c.table, {T(1), B(3), B(4), B(6), B(7)});
  c.table.LastDiscard = B(5);
  Offer({table::kOpChi, table::kOpPass}, 2);
  play::Operation_Click(c, table::kOpChi);
  RunOut(2);
  sentBefore = Sent().size();
  play::Chi_Click(c, 0);
  EXPECT_TRUE(Summary().empty());
}

TEST_F(AutoPlay, AnotherSeatsClockOnlyHides) {
  SetOwnHand(c.table, kThirteen);
  Offer({}, 2);
  c.table.ClockIsOwn = false;
  c.MainForm.Time_Img.SetVisible(true);
  RunOut(2);
  EXPECT_TRUE(Summary().empty());
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());
  EXPECT_EQ(c.table.Countdown, c.table.DefaultCountdown);
  EXPECT_EQ(c.table.TimeoutCount, 0);
}

TEST_F(AutoPlay, LastSecondsTurnRedAndWarn) {
  SetOwnHand(c.table, kThirteen);
  const std::string warning = ui::SoundFile(c.ui, assets::kSoundWarning);
  auto warnings = [&] {
    const auto paths = host.sound.Paths();
    return std::count(paths.begin(), paths.end(), warning);
  };
  Offer({table::kOpPass}, 7);
  Advance(1100);
  EXPECT_EQ(c.MainForm.Number.Caption(), "6");
  EXPECT_EQ(c.MainForm.Number.ForeColor(), 0x00FF00U);
  EXPECT_EQ(warnings(), 0);
  Advance(1000);
  EXPECT_EQ(c.MainForm.Number.Caption(), "5");
  EXPECT_EQ(c.MainForm.Number.ForeColor(), 0xFF0000U);
  EXPECT_EQ(warnings(), 1);
}

TEST_F(AutoPlay, TimeoutLimitPressesTheBossKey) {
  c.table.TimeoutLimit = 2;
  SetOwnHand(c.table, kThirteen);
  Offer({table::kOpPeng, table::kOpPass}, 1);
  RunOut(1);
  EXPECT_EQ(c.table.TimeoutCount, 1);
  // A button pressed in between starts the count again.
  Offer({table::kOpPeng, table::kOpPass}, 1);
  play::Operation_Click(c, table::kOpPass);
  EXPECT_EQ(c.table.TimeoutCount, 0);
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_FALSE(c.table.BossMode);
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  // Time-outs in boss mode are not counted.
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_EQ(c.table.TimeoutCount, 2);
}

// The boss key pressed for the player is the table's: every window hidden, the plug-in told once,
// the clocks at one second from now on, the table and the lobby minimised.
TEST_F(AutoPlay, TheBossKeyAtTheTimeoutLimitIsTheTablesLongerOne) {
  c.props.Prop_GameDllState = 1;
  c.table.TimeoutLimit = 1;
  const std::vector<platform::Form*> over{&c.Information, &c.Talk,  &c.VosSet, &c.frmExit,
                                          &c.Hero,        &c.Score, &c.rule};
  for (auto* w : over) w->SetVisible(true);
  const auto lobbyBefore = host.LogDetails("lobby-out").size();
  SetOwnHand(c.table, kThirteen);
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_EQ(c.table.DefaultCountdown, 0);
  for (auto* w : over) EXPECT_FALSE(w->Visible()) << w->Name();
  std::vector<std::string> keys;
  for (const auto& d : host.LogDetails("plugin")) {
    if (d.rfind("SetKeyDown", 0) == 0) keys.push_back(d);
  }
  EXPECT_EQ(keys, std::vector<std::string>{"SetKeyDown 112"});
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
  const auto lobby = host.LogDetails("lobby-out");
  EXPECT_EQ(std::vector<std::string>(lobby.begin() + static_cast<std::ptrdiff_t>(lobbyBefore),
                                     lobby.end()),
            std::vector<std::string>{"274 minimise"});
}

// Throwing a tile is the player's own move too: the next time-out counts from one again.
TEST_F(AutoPlay, ADiscardByHandStartsTheTimeoutCountAgain) {
  c.table.TimeoutLimit = 2;
  SetOwnHand(c.table, kThirteen);
  Offer({table::kOpPass}, 1);
  RunOut(1);
  ASSERT_EQ(c.table.TimeoutCount, 1);
  SetOwnHand(c.table, Fourteen());
  Offer({}, 5);
  ASSERT_TRUE(c.table.CanDiscard);
  c.MainForm.MJ_Image(113).SetVisible(true);
  view::MJ_Image_MouseDown(c, 113, platform::kLeftButton, 0, 0, 0);
  EXPECT_EQ(Summary().back(), (std::vector<int>{2, 0, 0x4000 | B(1)}));
  EXPECT_EQ(c.table.TimeoutCount, 0);
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_FALSE(c.table.BossMode) << "one time-out since the player's own move";
}

TEST_F(AutoPlay, NoBossKeyAfterTing) {
  c.table.TimeoutLimit = 1;
  c.table.TingDeclared = true;
  SetOwnHand(c.table, kThirteen);
  Offer({table::kOpPass}, 1);
  RunOut(1);
  EXPECT_FALSE(c.table.BossMode);
}

// ---- Ting ----

class Ting : public AutoPlay {
 protected:
  void OfferTing(bool dialog) {
    SetOwnHand(c.table, Fourteen());
    c.table.HandOpen = true;
    c.table.TingDialog = dialog;
    c.table.TingCandidates = {};
    c.table.TingCandidates[0] = B(1);
    c.table.TingCandidates[1] = T(1);
    for (int k = 0; k < 14; ++k) c.MainForm.MJ_Image(100 + k).Move(0, c.table.Hand[0].RowTop);
    Offer({table::kOpTing, table::kOpPass}, 2);
    play::Operation_Click(c, table::kOpTing);
  }
  bool Raised(int ctl) { return view::IsRaised(c.viewCtx, ctl); }
};

TEST_F(Ting, CandidatesRaisedAndWindowChoosesOpenOrClosed) {
  OfferTing(true);
  EXPECT_TRUE(c.table.TingSelecting);
  EXPECT_TRUE(Raised(100));   // 1筒
  EXPECT_TRUE(Raised(113));   // 1条, drawn
  EXPECT_FALSE(Raised(101));  // 2筒
  EXPECT_TRUE(c.frmTing.Visible());
  EXPECT_EQ(c.frmTing.Caption(), "听牌选择");
  EXPECT_FALSE(c.MainForm.Enabled());

  play::TingFormEvents ev(c);
  ev.OnClick(&c.frmTing.imgTing(0));
  EXPECT_EQ(c.table.TingChoice, 2);
  EXPECT_FALSE(c.frmTing.Visible());
  EXPECT_TRUE(c.MainForm.Enabled());
}

TEST_F(Ting, WindowKeys) {
  struct Case {
    std::vector<int> keys;
    int choice;
  };
  const std::vector<Case> cases = {
      {{'1'}, 2}, {{'2'}, 3}, {{39, 13}, 3}, {{39, 37, 13}, 2}, {{13}, 0}};
  for (const auto& k : cases) {
    c.table.TingChoice = 0;
    OfferTing(true);
    play::TingFormEvents ev(c);
    for (int key : k.keys) ev.OnKeyDown(nullptr, key, 0);
    EXPECT_EQ(c.table.TingChoice, k.choice) << k.keys.size();
    play::UnloadTingForm(c);
  }
}

TEST_F(Ting, WithoutTheWindowItIsOpenAtOnce) {
  OfferTing(false);
  EXPECT_EQ(c.table.TingChoice, 2);
  EXPECT_FALSE(c.frmTing.Visible());
}

// The clock runs out while the tile for ting is still to be chosen: the ting goes out with the
// pass (closed when the window was left unanswered), no tile is thrown, and the row stands
// sorted with nothing raised and the drawn tile apart. The server throws for the player.
TEST_F(Ting, ClockRunsOutWhileChoosing) {
  struct Case {
    const char* name;
    bool dialog;
    int answer;  // ting window choice before the clock ran out, -1 none
    int mark;    // byte 16 of the pass
  };
  const std::vector<Case> cases = {
      {"window left open: closed ting", true, -1, 3},
      {"window answered open", true, 0, 2},
      {"window answered closed", true, 1, 3},
      {"no window: open at once", false, -1, 2},
  };
  for (const auto& k : cases) {
    session::ResetTable(c);
    OfferTing(k.dialog);
    // Shuffle the row so that the re-sort shows.
    std::swap(c.table.Hand[0].Slot[4], c.table.Hand[0].Slot[8]);
    if (k.answer >= 0) play::TingDialogChoice(c, k.answer);
    sentBefore = Sent().size();
    RunOut(c.table.Countdown);
    EXPECT_FALSE(c.frmTing.Visible()) << k.name;
    EXPECT_TRUE(c.MainForm.Enabled()) << k.name;
    const auto frames = NewFrames();
    ASSERT_EQ(frames.size(), 1U) << k.name;
    EXPECT_EQ(frames[0][3], 7) << k.name;
    EXPECT_EQ(Values(frames[0]), (std::vector<int>{1, 0, 0, 0})) << k.name;
    EXPECT_EQ(frames[0][16], k.mark) << k.name;
    EXPECT_TRUE(c.table.TingDeclared) << k.name;
    EXPECT_FALSE(c.table.TingSelecting) << k.name;
    EXPECT_EQ(c.table.Hand[0].HiddenCount, 14) << k.name;
    for (int ctl = 100; ctl < 114; ++ctl) EXPECT_FALSE(Raised(ctl)) << k.name << " " << ctl;
    std::vector<int> row;
    for (int i = 4; i < 17; ++i) row.push_back(c.table.Hand[0].Slot.at(i).Code);
    auto sorted = row;
    table::SortTiles(sorted);
    EXPECT_EQ(row, sorted) << k.name;
    EXPECT_EQ(c.table.Hand[0].Slot.at(17).Code, B(1)) << "the drawn tile keeps its place";
    EXPECT_EQ(c.table.TingChoice, 0) << "the pass carried it: " << k.name;
  }
}

// The server's discard for the player after the ting time-out leaves the own hand in step.
TEST_F(Ting, TheServersDiscardAfterTheTimeoutTakesTheTileOut) {
  OfferTing(true);
  RunOut(c.table.Countdown);
  sentBefore = Sent().size();
  Push(qtest::FrameBuilder(2).seat(4).v(3, B(1)).byte(16, 3));
  Advance(300);
  EXPECT_EQ(c.table.Hand[0].HiddenCount, 13);
  EXPECT_EQ(c.table.LastDiscardCtl, 113);
  EXPECT_TRUE(c.MainForm.imgTing(0).Visible());
  EXPECT_TRUE(NewFrames().empty());
}

// ---- Keyboard ----

TEST_F(AutoPlay, LettersPressOnlyOfferedButtons) {
  SetOwnHand(c.table, {T(5), T(5), B(1), B(2)});
  c.table.HandOpen = true;
  c.table.LastDiscard = T(5);
  Offer({table::kOpPass});
  Key('P');  // peng not offered
  Key('H');
  EXPECT_TRUE(Summary().empty());
  Offer({table::kOpPeng, table::kOpPass});
  Key('P');
  EXPECT_EQ(Summary(), (std::vector<std::vector<int>>{{7, 8, 0x2085}}));
}

TEST_F(AutoPlay, SpaceAndBackspacePass) {
  for (int key : {32, 8}) {
    SetOwnHand(c.table, kThirteen);
    Offer({table::kOpPeng, table::kOpPass});
    sentBefore = Sent().size();
    Key(key);
    EXPECT_EQ(Summary(), (std::vector<std::vector<int>>{{7, 1, 0}})) << key;
  }
}

TEST_F(AutoPlay, AltCStaysTheChatKey) {
  SetOwnHand(c.table, {T(1), B(3), B(4)});
  c.table.LastDiscard = B(5);
  Offer({table::kOpChi, table::kOpPass});
  Key(platform::kKeyAlt);
  Key('C');
  Key('C', platform::kAltMask);
  EXPECT_EQ(c.table.DecisionState, 0);
  Key('C');
  EXPECT_EQ(Summary(), (std::vector<std::vector<int>>{{7, 4, 0x2025}}));
}

TEST_F(AutoPlay, DigitsPickAShownChoice) {
  SetOwnHand(c.table, {T(1), B(3), B(4), B(6), B(7)});
  c.table.LastDiscard = B(5);
  Offer({table::kOpChi, table::kOpPass});
  Key('C');
  Key('4');  // only three choices
  EXPECT_TRUE(Summary().empty());
  Key('3');
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(Values(frames[0]), (std::vector<int>{4, 0x2026, 0x2027, 0x2025}));
}

TEST_F(AutoPlay, KeysTypeWhileTheChatBoxHasTheKeyboard) {
  SetOwnHand(c.table, kThirteen);
  Offer({table::kOpPass});
  events.OnKeyDown(&c.MainForm.Chat, 32, 0);
  EXPECT_EQ(c.table.DecisionState, 0);
  c.MainForm.Chat.SetText("hi");
  EXPECT_FALSE(play::KeyPlay(c, &c.MainForm.Chat, play::kKeyTab, 0));
  c.MainForm.Chat.SetText("");
  c.MainForm.SetFocus(&c.MainForm.Chat);
  EXPECT_TRUE(play::KeyPlay(c, &c.MainForm.Chat, play::kKeyTab, 0));
  EXPECT_EQ(c.MainForm.Focused(), nullptr);
}

TEST_F(AutoPlay, ArrowsRaiseOneTileAndEnterThrowsIt) {
  SetOwnHand(c.table, Fourteen());
  const int y0 = c.table.Hand[0].RowTop;
  for (int k = 0; k < 14; ++k) c.MainForm.MJ_Image(100 + k).Move(0, y0);
  Offer({table::kOpPass});
  Key(play::kKeyLeft);  // from nothing raised: the tile drawn last
  EXPECT_TRUE(view::IsRaised(c.viewCtx, 113));
  Key(play::kKeyLeft);
  EXPECT_FALSE(view::IsRaised(c.viewCtx, 113));
  EXPECT_TRUE(view::IsRaised(c.viewCtx, 112));
  for (int i = 0; i < 20; ++i) Key(play::kKeyRight);  // stops at the end
  EXPECT_TRUE(view::IsRaised(c.viewCtx, 113));
  Key(play::kKeyLeft);
  Key(platform::kKeyReturn);
  // The tile click closes the offer with a pass, then throws the raised 红中.
  const auto frames = Summary();
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.back(), (std::vector<int>{2, 0, 0x4015}));
}

}  // namespace
