// Ting played on the real windows: the ting button, the choice window and the candidate tile, by
// mouse and by keys, with the clock running out at each step.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "component/hand_fixture.h"
#include "host/form_widget.h"
#include "host/form_windows.h"
#include "host/picture_store.h"
#include "session/form_events.h"
#include "session/table_reset.h"
#include "view/view.h"

namespace qtest {
namespace {

// Own tiles after the deal: 1c 2c 3c 4b 4b 4b 7d 8d 9d 1h 1h 5h 9c and the drawn 5c.
constexpr int kRedDragon = 0x15, kNineChar = 0x49, kDrawn = 0x45;

class TingWindows : public HandTest {
 protected:
  void SetUp() override {
    HandTest::SetUp();
    StartHand(kOwn, {3, 4, 2, 5});
    std::vector<int> own = OwnThirteen();
    own.push_back(kDrawn);
    Deal(kOwn, own);
    Run({WildFrame(0x43, 0x42)});
    window = std::make_unique<host::FormWidget>(c.MainForm, pictures, true, &events);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    dialogs.Register(c.frmTing, c.frmTingEvents);
    Settle();
  }
  void TearDown() override {
    dialogs.Unregister(c.frmTing);
    window.reset();
  }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  // The own turn's prompt: pass and ting with the choice window, 5h and 9c as candidates.
  void PromptTing(int clock = 10) {
    Run({PromptFrame(kOwn, 1, clock)
             .byte(16, 1)
             .byte(17, 1)
             .byte(20, kRedDragon)
             .byte(21, kNineChar)});
    Settle();
    sentBefore = Sent().size();
  }

  QPointF On(const platform::Control& ctl) const {
    const platform::Rect r = c.MainForm.WindowBounds(ctl);
    return window->DesignToWidget().map(QPointF(r.left + r.width / 2.0, r.top + r.height / 2.0));
  }
  static void Mouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button,
                    Qt::MouseButtons held) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
  }
  static void ClickAt(QWidget* w, QPointF at) {
    Mouse(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    Settle();
  }
  void Click(const platform::Control& ctl) { ClickAt(window.get(), On(ctl)); }
  static void Key(QWidget* w, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    Settle();
  }
  QWidget* TingWindow() const { return dialogs.WindowOf(c.frmTing); }

  platform::Control& OwnImageOf(int code) {
    const auto& h = H(0);
    for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
      if (h.Slot.at(static_cast<std::size_t>(k)).Code == code)
        return Img(h.Slot.at(static_cast<std::size_t>(k)).Ctl);
    }
    throw std::logic_error("no own tile of that code");
  }
  // The frames sent since the prompt, keep-alives left out.
  std::vector<wire::Frame> NewFrames() {
    Advance(300);
    std::vector<wire::Frame> out;
    const auto all = Sent();
    for (std::size_t i = sentBefore; i < all.size(); ++i) {
      if (all[i][3] != 24) out.push_back(all[i]);
    }
    return out;
  }

  host::PictureStore pictures;
  session::MainFormEvents events{c};
  std::unique_ptr<host::FormWidget> window;
  host::FormWindows dialogs{pictures};
  std::size_t sentBefore = 0;
};

enum class By { Mouse, Keys };
// Where the answer to the ting window is typed: on the window, or on the table while the
// window system left the keyboard there.
enum class Answer { None, Open, Closed };
enum class AnswerOn { Window, Table };
// How the tile is chosen: a click on a raised candidate, the arrows and Enter, the arrows and
// then a click on the marked candidate, or not at all.
enum class Pick { None, Click, Keys, KeysThenClick };
// When the clock runs out: never, with the window open, or after answering it.
enum class Expire { Never, WindowOpen, Answered };

struct TingCase {
  const char* name;
  By press;
  Answer answer;
  By answerBy;
  AnswerOn answerOn;
  Pick pick;
  Expire expire;
};

class TingPath : public TingWindows, public ::testing::WithParamInterface<TingCase> {
 protected:
  void RunOut() {
    Advance(1000 * (c.table.Countdown + 1) + 300);
    Settle();
  }
  void PressTing(By by) {
    if (by == By::Mouse) {
      Click(c.MainForm.Operation(3));
    } else {
      Key(window.get(), Qt::Key_T);
    }
  }
  void AnswerWindow(Answer a, By by, AnswerOn on) {
    const int k = a == Answer::Open ? 0 : 1;
    if (by == By::Mouse) {
      const platform::Rect r = c.frmTing.WindowBounds(c.frmTing.imgTing(k));
      ClickAt(TingWindow(), QPointF(r.left + r.width / 2.0, r.top + r.height / 2.0));
    } else {
      Key(on == AnswerOn::Window ? TingWindow() : static_cast<QWidget*>(window.get()),
          k == 0 ? Qt::Key_1 : Qt::Key_2);
    }
  }
  // Chooses the tile; returns its code.
  int PickTile(Pick p) {
    const int y0 = H(0).RowTop;
    const auto marked = [&] {
      const auto& h = H(0);
      for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
        const auto& s = h.Slot.at(static_cast<std::size_t>(k));
        if (Img(s.Ctl).Top() == y0 - 20) return s;
      }
      throw std::logic_error("no candidate is marked");
    };
    switch (p) {
      case Pick::Click:
        Click(OwnImageOf(kNineChar));
        return kNineChar;
      case Pick::Keys: {
        Key(window.get(), Qt::Key_Right);
        const int code = marked().Code;
        Key(window.get(), Qt::Key_Return);
        return code;
      }
      case Pick::KeysThenClick: {
        Key(window.get(), Qt::Key_Right);
        const auto s = marked();
        Click(Img(s.Ctl));
        return s.Code;
      }
      default:
        return 0;
    }
  }
  bool AnyRaised() {
    const auto& h = H(0);
    for (int k = h.HiddenFirst; k < h.HiddenFirst + h.HiddenCount; ++k) {
      if (Img(SlotCtl(0, k)).Top() < h.RowTop) return true;
    }
    return false;
  }
};

TEST_P(TingPath, FromTheButtonToTheTile) {
  const TingCase& k = GetParam();
  PromptTing();
  PressTing(k.press);
  ASSERT_TRUE(c.table.TingSelecting);
  ASSERT_TRUE(c.frmTing.Visible());
  ASSERT_TRUE(TingWindow()->isVisible());
  EXPECT_TRUE(view::IsRaised(c.viewCtx, OwnImageOf(kRedDragon).Index()));
  EXPECT_TRUE(view::IsRaised(c.viewCtx, OwnImageOf(kNineChar).Index()));
  // The table waits for the window: a click on a candidate throws nothing yet.
  Click(OwnImageOf(kNineChar));
  EXPECT_TRUE(c.frmTing.Visible());
  EXPECT_TRUE(NewFrames().empty());

  int mark = 0;
  int thrown = 0;
  if (k.expire == Expire::WindowOpen) {
    RunOut();
    mark = 3;  // an unanswered window is closed ting
  } else {
    AnswerWindow(k.answer, k.answerBy, k.answerOn);
    ASSERT_FALSE(c.frmTing.Visible());
    ASSERT_FALSE(TingWindow()->isVisible());
    mark = k.answer == Answer::Open ? 2 : 3;
    if (k.expire == Expire::Answered) {
      RunOut();
    } else {
      thrown = PickTile(k.pick);
    }
  }

  const auto frames = NewFrames();
  // A pass closes the self-draw offer and carries the ting; the tile follows when one was
  // chosen, else the server throws it.
  ASSERT_EQ(frames.size(), thrown != 0 ? 2U : 1U);
  EXPECT_EQ(frames[0][3], 7);
  EXPECT_EQ(frames[0][9], 1);
  EXPECT_EQ(frames[0][16], mark);
  if (thrown != 0) {
    EXPECT_EQ(frames[1][3], 2);
    EXPECT_EQ(frames[1][14], 0x40);
    EXPECT_EQ(frames[1][15], thrown);
    EXPECT_EQ(frames[1][16], mark);
    EXPECT_EQ(H(0).HiddenCount, 13);
  } else {
    EXPECT_EQ(H(0).HiddenCount, 14);
  }
  EXPECT_TRUE(c.table.TingDeclared);
  EXPECT_FALSE(c.table.TingSelecting);
  EXPECT_FALSE(AnyRaised());
  EXPECT_FALSE(c.frmTing.Visible());
  EXPECT_TRUE(c.MainForm.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    ByMouseAndKeys, TingPath,
    ::testing::Values(TingCase{"MouseClosedClick", By::Mouse, Answer::Closed, By::Mouse,
                               AnswerOn::Window, Pick::Click, Expire::Never},
                      TingCase{"MouseOpenClick", By::Mouse, Answer::Open, By::Mouse,
                               AnswerOn::Window, Pick::Click, Expire::Never},
                      TingCase{"KeyClosedThenClick", By::Mouse, Answer::Closed, By::Keys,
                               AnswerOn::Window, Pick::Click, Expire::Never},
                      TingCase{"KeysOpenKeys", By::Keys, Answer::Open, By::Keys, AnswerOn::Window,
                               Pick::Keys, Expire::Never},
                      TingCase{"KeysClosedKeys", By::Keys, Answer::Closed, By::Keys,
                               AnswerOn::Window, Pick::Keys, Expire::Never},
                      TingCase{"KeysClosedOnTheTable", By::Keys, Answer::Closed, By::Keys,
                               AnswerOn::Table, Pick::Keys, Expire::Never},
                      TingCase{"ArrowsThenClickTheMarkedTile", By::Keys, Answer::Closed, By::Keys,
                               AnswerOn::Window, Pick::KeysThenClick, Expire::Never},
                      TingCase{"ExpiresWithTheWindowOpen", By::Mouse, Answer::None, By::Mouse,
                               AnswerOn::Window, Pick::None, Expire::WindowOpen},
                      TingCase{"KeysExpireWithTheWindowOpen", By::Keys, Answer::None, By::Keys,
                               AnswerOn::Window, Pick::None, Expire::WindowOpen},
                      TingCase{"ExpiresAfterOpen", By::Mouse, Answer::Open, By::Mouse,
                               AnswerOn::Window, Pick::None, Expire::Answered},
                      TingCase{"KeysExpireAfterClosed", By::Keys, Answer::Closed, By::Keys,
                               AnswerOn::Window, Pick::None, Expire::Answered}),
    [](const ::testing::TestParamInfo<TingCase>& p) { return std::string(p.param.name); });

// The clock runs out before the ting is pressed: the drawn tile goes as on any own turn.
TEST_F(TingWindows, TheClockRunsOutBeforeTingIsPressed) {
  PromptTing(2);
  const int last = H(0).Slot.at(static_cast<std::size_t>(H(0).HiddenFirst + 13)).Code;
  Advance(3300);
  Settle();
  const auto frames = NewFrames();
  ASSERT_EQ(frames.size(), 2U);
  EXPECT_EQ(frames[0][16], 0);
  EXPECT_EQ(frames[1][3], 2);
  EXPECT_EQ(frames[1][15], last);
  EXPECT_EQ(frames[1][16], 0);
  EXPECT_FALSE(c.table.TingDeclared);
}

// The server throws the tile for the player while the window is still open (its clock ran out
// first): the window closes and no candidate is left standing up to be clicked in vain.
TEST_F(TingWindows, TheServersTileEndsTheChoice) {
  for (const bool answered : {false, true}) {
    session::ResetTable(c);
    StartHand(kOwn, {3, 4, 2, 5});
    std::vector<int> own = OwnThirteen();
    own.push_back(kDrawn);
    Deal(kOwn, own);
    Run({WildFrame(0x43, 0x42)});
    PromptTing();
    Click(c.MainForm.Operation(3));
    if (answered) Key(TingWindow(), Qt::Key_2);
    Run({DiscardFrame(kOwn, kDrawn)});
    Settle();
    EXPECT_FALSE(c.frmTing.Visible()) << answered;
    EXPECT_TRUE(c.MainForm.Enabled()) << answered;
    EXPECT_FALSE(c.table.TingSelecting) << answered;
    EXPECT_FALSE(view::IsRaised(c.viewCtx, OwnImageOf(kRedDragon).Index())) << answered;
    EXPECT_EQ(H(0).HiddenCount, 13) << answered;
    Click(OwnImageOf(kNineChar));
    EXPECT_TRUE(NewFrames().empty()) << answered;
  }
}

// A ting the server declared with its tile counts as the player's.
TEST_F(TingWindows, TheServersTileMayCarryTheTing) {
  PromptTing();
  Click(c.MainForm.Operation(3));
  Key(TingWindow(), Qt::Key_2);
  Run({DiscardFrame(kOwn, kDrawn).byte(16, 3)});
  EXPECT_TRUE(c.table.TingDeclared);
  EXPECT_TRUE(c.MainForm.imgTing(0).Visible());
}

}  // namespace
}  // namespace qtest
