// The main window on the offscreen platform: what it repaints, how it scales, and that the
// pointer, keys and the chat box reach the core through the same transform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include "component/seating_fixture.h"
#include "host/form_widget.h"
#include "host/picture_store.h"
#include "session/form_events.h"
#include "support/client_fixture.h"
#include "ui/ui.h"
#include "view/view.h"

namespace qtest {
namespace {

class MainWindow : public ClientTest {
 protected:
  void SetUp() override {
    StartLoggedIn();
    ASSERT_FALSE(host.Ended());
    window = std::make_unique<host::FormWidget>(c.MainForm, pictures, true, &events);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
  }
  void TearDown() override { window.reset(); }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  // Where the middle of a control is on the screen.
  QPointF On(const platform::Control& ctl) const {
    const platform::Rect r = c.MainForm.WindowBounds(ctl);
    return window->DesignToWidget().map(QPointF(r.left + r.width / 2.0, r.top + r.height / 2.0));
  }
  void Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button = Qt::NoButton,
             Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent e(type, at, window->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &e);
  }
  void Click(QPointF at) {
    Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
  QImage Grab() const { return window->grab().toImage(); }

  host::PictureStore pictures;
  session::MainFormEvents events{c};
  std::unique_ptr<host::FormWidget> window;
};

TEST_F(MainWindow, AnIdleTableCostsNoPaintingAndAChangeRepaintsOnlyItsPlace) {
  const auto before = window->PaintCount();
  for (int i = 0; i < 40; ++i) {  // ten seconds of ticks, keep-alives and watches
    Advance(250);
    Settle();
  }
  EXPECT_EQ(window->PaintCount(), before);

  Mouse(QEvent::MouseMove, On(c.MainForm.AnNiu(3)));
  Settle();
  ASSERT_GT(window->PaintCount(), before);
  const QRect painted = window->LastPaintRegion().boundingRect();
  EXPECT_LE(painted.width() * painted.height(), 80 * 40) << "only the lit button";
}

TEST_F(MainWindow, ScalesToTheWindowLetterboxedAndMapsThePointerBack) {
  // Half the design width and the full height: half size, centred top to bottom.
  const auto& g = c.MainForm.Geometry();
  window->resize(g.width / 2, g.height);
  Settle();
  const QPointF pic1 = window->DesignToWidget().map(QPointF(8, 20));
  EXPECT_DOUBLE_EQ(pic1.x(), 4);
  EXPECT_DOUBLE_EQ(pic1.y(), std::round((g.height - g.height / 2.0) / 2) + 10);

  const QImage img = Grab();
  EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::black)) << "the bar above the table";
  EXPECT_NE(img.pixelColor(img.width() / 2, img.height() / 2), QColor(Qt::black));

  Mouse(QEvent::MouseMove, On(c.MainForm.AnNiu(1)));
  EXPECT_EQ(c.ui.ButtonLit[1], -1);
  Mouse(QEvent::MouseMove, On(c.MainForm.Pic1));
  EXPECT_EQ(c.ui.ButtonLit[1], 0);
  Click(On(c.MainForm.AnNiu(7)));
  EXPECT_TRUE(c.rule.Visible());
  EXPECT_EQ(c.MainForm.Geometry().width, g.width) << "the model keeps its design size";
}

TEST_F(MainWindow, ButtonsShowTheHandTheirTooltipAndTheTableTheArrow) {
  auto& bar = c.MainForm.AnNiu(8);
  Mouse(QEvent::MouseMove, On(bar));
  EXPECT_EQ(window->cursor().shape(), Qt::BitmapCursor);
  QHelpEvent help(QEvent::ToolTip, On(bar).toPoint(), window->mapToGlobal(On(bar).toPoint()));
  QApplication::sendEvent(window.get(), &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("退出游戏"));
  Mouse(QEvent::MouseMove, On(c.MainForm.Pic1));
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainWindow, TheChatBoxIsAnEditorKeptInStepWithTheModel) {
  auto& chat = c.MainForm.Chat;
  QLineEdit* edit = window->EditorOf(chat);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->isVisible());
  const QRect want =
      window->DesignToWidget()
          .mapRect(QRectF(QRect(c.MainForm.WindowBounds(chat).left,
                                c.MainForm.WindowBounds(chat).top, chat.Width(), chat.Height())))
          .toRect();
  EXPECT_EQ(edit->geometry(), want);

  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  edit->setFocus(Qt::MouseFocusReason);
  Settle();
  EXPECT_TRUE(c.app.ChatFocused);
  QTest::keyClicks(edit, QStringLiteral("hi"));
  EXPECT_EQ(chat.Text(), "hi");
  // Every edit reaches the core, which limits the box to what fits a line.
  EXPECT_EQ(chat.MaxLength(), 96);
  EXPECT_EQ(edit->maxLength(), 96);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(chat.Text(), "");
  EXPECT_TRUE(edit->text().isEmpty());
  EXPECT_EQ(c.net.SendRing.Waiting(), 272);

  // The core limits and places the caret; the editor follows and reports back.
  c.table.Player[0].NickName = std::string(91, 'n');  // leaves room for five characters
  QTest::keyClicks(edit, QStringLiteral("abcdefg"));
  EXPECT_EQ(edit->maxLength(), 5);
  EXPECT_EQ(chat.Text(), "abcde");
  chat.SetMaxLength(0);
  chat.SetText("你对他说: 好");
  chat.SetSelStart(3);
  EXPECT_EQ(edit->text(), QStringLiteral("你对他说: 好"));
  EXPECT_EQ(edit->cursorPosition(), 3);
  QTest::keyClick(edit, Qt::Key_End);
  EXPECT_EQ(chat.SelStart(), 7);
  chat.SetText("");

  // A click on the table takes the focus from the box.
  window->setFocus(Qt::MouseFocusReason);
  Settle();
  EXPECT_FALSE(c.app.ChatFocused);
  EXPECT_EQ(c.MainForm.Focused(), nullptr);
}

TEST_F(MainWindow, TheBossKeyMinimisesTheWindow) {
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &f1);
  Settle();
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_TRUE(window->isMinimized());
  window->showNormal();
  Settle();
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Normal);
  EXPECT_FALSE(c.table.BossMode) << "coming back runs the resize procedure";
}

// A table filled as the development server fills it (the player's own record under its seat
// bit, the others each at the next free place): a click on 开始 before the first hand says the
// player is ready, and the button reads 继续 from then on.
TEST_F(MainWindow, TheStartButtonBeforeTheFirstHandSendsTheReadyMessage) {
  for (const auto& f :
       {NameFrame(1, "bob"), NameFrame(2, "carol"), NameFrame(4, "alice"), NameFrame(8, "dave")}) {
    Push(f);
  }
  Push(PlayerFrame({.account = "alice", .nick = "Alice", .seat = 4}));
  for (const char* other : {"carol", "bob", "dave"}) {
    Push(PlayerFrame({.account = other, .nick = other, .seat = 0, .ready = true}));
  }
  for (int i = 0; i < 100 && host.LogDetails("recv").size() < 9; ++i) Advance(100);
  Settle();
  ASSERT_EQ(c.disp.SeatedOthers, 3);
  auto& start = c.MainForm.AnNiu(2);
  EXPECT_EQ(start.Picture(), ui::ButtonPicture(c.table, 4)) << "开始";
  const auto readies = [this] {
    std::vector<wire::Frame> out;
    for (const auto& f : Sent()) {
      if (f[3] == 16) out.push_back(f);
    }
    return out;
  };
  ASSERT_TRUE(readies().empty());

  Click(On(start));
  Advance(200);
  Settle();
  const auto sent = readies();
  ASSERT_EQ(sent.size(), 1U);
  const auto& ready = sent.back();
  EXPECT_EQ(ready[3], 16);
  EXPECT_EQ(ready[6], 4);
  EXPECT_EQ(ready[8] | ready[9] | ready[10] | ready[11] | ready[12] | ready[13] | ready[14], 0);
  EXPECT_EQ(ready[15], 1);
  EXPECT_TRUE(c.MainForm.OK(0).Visible());
  EXPECT_EQ(start.Picture(), ui::ButtonPicture(c.table, 6)) << "继续";

  Click(On(start));
  Advance(200);
  EXPECT_EQ(readies().size(), 1U) << "once per hand";
}

// Counts the window events of a plain form.
struct WindowEvents final : platform::FormEvents {
  int closes = 0;
  int resizes = 0;
  platform::PressResult OnMouseDown(platform::Control*, int, int, int, int) override {
    return platform::PressResult::None;
  }
  void OnMouseMove(platform::Control*, int, int, int, int) override {}
  void OnMouseUp(platform::Control*, int, int, int, int) override {}
  void OnClick(platform::Control*) override {}
  void OnDblClick(platform::Control*) override {}
  void OnKeyDown(platform::Control*, int, int) override {}
  void OnKeyUp(platform::Control*, int, int) override {}
  void OnFocus(platform::Control&, bool) override {}
  void OnResize() override { ++resizes; }
  void OnMoved() override {}
  void OnClose() override { ++closes; }
};

TEST(FormWindow, ClosingAndMinimisingReachTheCore) {
  platform::Form form("F", {0, 0, 200, 100});
  form.SetVisible(true);
  WindowEvents events;
  host::PictureStore pictures;
  host::FormWidget window(form, pictures, false, &events);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.size(), QSize(200, 100));
  form.SetState(platform::WindowState::Minimized);
  QApplication::processEvents();
  EXPECT_TRUE(window.isMinimized());
  EXPECT_EQ(events.resizes, 1);
  window.showNormal();
  QApplication::processEvents();
  EXPECT_EQ(form.State(), platform::WindowState::Normal) << "the window system restored it";
  EXPECT_EQ(events.resizes, 2);
  window.close();
  EXPECT_EQ(events.closes, 1);
}

TEST(KeyCodes, FollowTheVirtualKeyNumbers) {
  struct Case {
    int qt;
    int code;
  };
  for (const Case& k : {Case{Qt::Key_F1, 112}, Case{Qt::Key_F6, 117}, Case{Qt::Key_Escape, 27},
                        Case{Qt::Key_Return, 13}, Case{Qt::Key_Enter, 13}, Case{Qt::Key_Alt, 18},
                        Case{Qt::Key_C, 67}, Case{Qt::Key_7, 55}, Case{Qt::Key_Left, 37},
                        Case{Qt::Key_VolumeUp, 0}}) {
    EXPECT_EQ(host::FormWidget::KeyCode(k.qt), k.code) << k.qt;
  }
}

}  // namespace
}  // namespace qtest
