// Every key and click of the table as a player gives it: Qt key and mouse events delivered to the
// real windows (the table and each window over it), through the windows' input into the client,
// with the effect read from outside: the windows on screen, the frames queued to the server, what
// the prop plug-in was told and the messages to the lobby.
//
// One line of kCases is one case: the table's state, the input and what must follow. To add a
// key or a click, add a line; a state the table lacks goes into Prepare.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "chat/chat.h"
#include "component/hand_fixture.h"
#include "host/form_widget.h"
#include "host/form_windows.h"
#include "host/picture_store.h"
#include "score/score.h"
#include "session/control_bar.h"
#include "session/dialogs.h"
#include "session/form_events.h"
#include "support/fake_plugin.h"
#include "ui/ui.h"

namespace qtest {
namespace {

// What the table looks like when the input comes.
enum class State {
  Seated,       // seated at a full table between hands, the plug-in running
  StartArmed,   // seated, the start button armed as the end of a hand leaves it
  OwnTurn,      // the own turn of a hand: fourteen tiles, pass offered, the clock running
  Claim,        // the left seat threw a tile the player may peng: peng and pass offered
  ExitOpen,     // the exit dialog is open
  LeaveOpen,    // the server's leave dialog is open
  WindowsOpen,  // every window that floats over the table is open
  Chatting,     // the chat box has the keyboard
  ChatTyped,    // a line waits in the chat box, the table has the keyboard
};

// Tiles named by their place rather than their image.
constexpr int kOwnTile = -10;    // the own tile drawn last
constexpr int kOtherTile = -11;  // a concealed tile of the left seat

struct Input {
  enum class Kind { Keys, ChatKeys, Click, Press, Hover };
  Kind kind = Kind::Keys;
  std::vector<int> keys{};  // Qt keys, each pressed and released in turn
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  std::string form = "MainForm";  // the window that takes the input
  std::string control{};
  int index = -1;
  Qt::MouseButton button = Qt::LeftButton;
};

Input Keys(std::vector<int> keys, Qt::KeyboardModifiers m = Qt::NoModifier) {
  return {.kind = Input::Kind::Keys, .keys = std::move(keys), .modifiers = m};
}
Input Key(int key) {
  return Keys({key});
}
Input KeyOn(std::string form, int key) {
  return {.kind = Input::Kind::Keys, .keys = {key}, .form = std::move(form)};
}
Input InChat(int key) {
  return {.kind = Input::Kind::ChatKeys, .keys = {key}};
}
Input Click(std::string form, std::string control, int index = -1,
            Qt::MouseButton button = Qt::LeftButton) {
  return {.kind = Input::Kind::Click,
          .form = std::move(form),
          .control = std::move(control),
          .index = index,
          .button = button};
}
Input RightClick(std::string form, std::string control, int index = -1) {
  return Click(std::move(form), std::move(control), index, Qt::RightButton);
}
Input Press(std::string form, std::string control, int index = -1) {
  Input i = Click(std::move(form), std::move(control), index);
  i.kind = Input::Kind::Press;
  return i;
}
Input Hover(std::string form, std::string control, int index = -1) {
  Input i = Click(std::move(form), std::move(control), index);
  i.kind = Input::Kind::Hover;
  return i;
}

// What follows the input, seen from outside. The lists of frames, plug-in calls and lobby
// messages are exact: an empty one means nothing at all.
struct Effect {
  std::vector<std::string> shown{};   // windows on the screen afterwards
  std::vector<std::string> hidden{};  // windows not on the screen (closed or minimised)
  std::vector<int> sent{};  // commands of the frames queued to the server, keep-alives aside
  std::vector<std::string> plugin{};  // what the plug-in was asked (keys and the bank)
  std::vector<std::string> lobby{};   // lobby-out lines of the log
  bool minimised = false;             // the table's own window afterwards
};

struct Case {
  const char* name;
  State state;
  Input input;
  Effect effect;
};

void PrintTo(const Case& k, std::ostream* os) {
  *os << k.name;
}

// The windows that float over the table.
const std::vector<std::string> kFloating = {"Talk",   "huifu",   "Score", "Hero",
                                            "VosSet", "frmExit", "rule",  "Information"};
const char* const kMinimise = "274 minimise";
const char* const kRestore = "274 restore";

// clang-format off
const Case kCases[] = {
    // ---- Keys of the table ----
    {"F1 on the table is the boss key", State::WindowsOpen, Key(Qt::Key_F1), {.hidden = kFloating, .plugin = {"SetKeyDown 112"}, .lobby = {kMinimise}, .minimised = true}},
    {"F1 in the chat box is the same boss key", State::Chatting, InChat(Qt::Key_F1), {.plugin = {"SetKeyDown 112"}, .lobby = {kMinimise}, .minimised = true}},
    {"F1 on the leave dialog minimises that dialog", State::LeaveOpen, KeyOn("frmOtherExit", Qt::Key_F1), {.hidden = {"frmOtherExit"}, .plugin = {"SetKeyDown 112"}, .lobby = {kMinimise}}},
    {"F2 on the table goes to the plug-in", State::Seated, Key(Qt::Key_F2), {.plugin = {"SetKeyDown 113"}}},
    {"F3 on the table goes to the plug-in", State::Seated, Key(Qt::Key_F3), {.plugin = {"SetKeyDown 114"}}},
    {"F4 on the table goes to the plug-in", State::Seated, Key(Qt::Key_F4), {.plugin = {"SetKeyDown 115"}}},
    {"F5 on the table goes to the plug-in", State::Seated, Key(Qt::Key_F5), {.plugin = {"SetKeyDown 116"}}},
    {"F6 on the table goes to the plug-in", State::Seated, Key(Qt::Key_F6), {.plugin = {"SetKeyDown 117"}}},
    {"F7 is nobody's", State::Seated, Key(Qt::Key_F7), {}},
    {"F2 in the chat box goes to the plug-in", State::Chatting, InChat(Qt::Key_F2), {.plugin = {"SetKeyDown 113"}}},
    {"F2 on the leave dialog goes to the plug-in", State::LeaveOpen, KeyOn("frmOtherExit", Qt::Key_F2), {.shown = {"frmOtherExit"}, .plugin = {"SetKeyDown 113"}}},
    {"Esc opens the exit dialog", State::Seated, Key(Qt::Key_Escape), {.shown = {"frmExit"}, .plugin = {"setbankstate 2"}}},
    {"Esc on the table closes the open exit dialog", State::ExitOpen, Key(Qt::Key_Escape), {.hidden = {"frmExit"}, .plugin = {"setbankstate 2"}}},
    {"Esc on the exit dialog closes it", State::ExitOpen, KeyOn("frmExit", Qt::Key_Escape), {.hidden = {"frmExit"}}},
    {"Esc during the own turn opens the exit dialog", State::OwnTurn, Key(Qt::Key_Escape), {.shown = {"frmExit"}, .plugin = {"setbankstate 2"}}},
    {"Alt then C opens the chat history", State::Seated, Keys({Qt::Key_Alt, Qt::Key_C}), {.shown = {"Talk"}}},
    {"C then Alt opens the chat history", State::Seated, Keys({Qt::Key_C, Qt::Key_Alt}), {.shown = {"Talk"}}},
    {"Alt held with C opens the chat history", State::Seated, Keys({Qt::Key_Alt, Qt::Key_C}, Qt::AltModifier), {.shown = {"Talk"}}},
    {"another key between Alt and C cancels", State::Seated, Keys({Qt::Key_Alt, Qt::Key_P, Qt::Key_C}), {.hidden = {"Talk"}}},
    {"Esc between Alt and C does not cancel", State::Seated, Keys({Qt::Key_Alt, Qt::Key_Escape, Qt::Key_C}), {.shown = {"Talk", "frmExit"}, .plugin = {"setbankstate 2"}}},
    {"Alt then C during the own turn opens the history, no chi", State::OwnTurn, Keys({Qt::Key_Alt, Qt::Key_C}), {.shown = {"Talk"}}},
    {"C alone is no chat key", State::Seated, Key(Qt::Key_C), {.hidden = {"Talk"}}},

    // ---- The mouse on the table and its tiles ----
    {"a click on the table closes every window over it", State::WindowsOpen, Click("MainForm", "Pic1"), {.hidden = kFloating}},
    {"a right click on the table closes them too", State::WindowsOpen, RightClick("MainForm", "Pic1"), {.hidden = kFloating}},
    {"a right click on the table passes the offer", State::OwnTurn, RightClick("MainForm", "Pic1"), {.sent = {7}}},
    {"a left click on the table passes nothing", State::OwnTurn, Click("MainForm", "Pic1"), {}},
    {"a right click on another seat's tile passes", State::OwnTurn, RightClick("MainForm", "MJ_Image", kOtherTile), {.sent = {7}}},
    {"a click on the own tile throws it", State::OwnTurn, Click("MainForm", "MJ_Image", kOwnTile), {.sent = {7, 2}}},
    {"a right click on the own tile throws it too", State::OwnTurn, RightClick("MainForm", "MJ_Image", kOwnTile), {.sent = {7, 2}}},
    {"a right click on the table passes the claim", State::Claim, RightClick("MainForm", "Pic1"), {.sent = {7}}},
    {"the pass button passes the claim", State::Claim, Click("MainForm", "Operation", 5), {.sent = {7}}},
    {"a right click on the pass button does not", State::Claim, RightClick("MainForm", "Operation", 5), {}},
    {"the peng button pengs", State::Claim, Click("MainForm", "Operation", 1), {.sent = {7}}},
    {"a right click on the peng button does not", State::Claim, RightClick("MainForm", "Operation", 1), {}},
    {"the pass button on the own turn leaves the throw due", State::OwnTurn, Click("MainForm", "Operation", 5), {}},

    // ---- Playing from the keyboard ----
    {"Space passes the claim", State::Claim, Key(Qt::Key_Space), {.sent = {7}}},
    {"Backspace passes the claim", State::Claim, Key(Qt::Key_Backspace), {.sent = {7}}},
    {"P pengs", State::Claim, Key(Qt::Key_P), {.sent = {7}}},
    {"C is no chi where none is offered", State::Claim, Key(Qt::Key_C), {}},
    {"Right raises a tile and Enter throws it", State::OwnTurn, Keys({Qt::Key_Right, Qt::Key_Return}), {.sent = {7, 2}}},
    {"Enter with no tile raised throws nothing", State::OwnTurn, Key(Qt::Key_Return), {}},

    // ---- The control bar ----
    {"the send button sends the chat line", State::ChatTyped, Click("MainForm", "AnNiu", 0), {.sent = {19}}},
    {"the history button opens the history", State::Seated, Click("MainForm", "AnNiu", 1), {.shown = {"Talk"}}},
    {"the start button says the player is ready", State::StartArmed, Click("MainForm", "AnNiu", 2), {.sent = {16}}},
    {"the settings button opens the settings", State::Seated, Click("MainForm", "AnNiu", 3), {.shown = {"VosSet"}, .plugin = {"setbankstate 2"}}},
    {"the minimise button minimises the table", State::WindowsOpen, Click("MainForm", "AnNiu", 4), {.hidden = {"Talk", "Score", "Hero", "VosSet", "rule"}, .minimised = true}},
    {"the score button opens the score sheet", State::Seated, Click("MainForm", "AnNiu", 5), {.shown = {"Score"}, .plugin = {"setbankstate 2"}}},
    {"the all-hands button opens the history", State::Seated, Click("MainForm", "AnNiu", 6), {.shown = {"Hero"}, .plugin = {"setbankstate 2"}}},
    {"the rules button opens the rules", State::Seated, Click("MainForm", "AnNiu", 7), {.shown = {"rule"}, .plugin = {"setbankstate 2"}}},
    {"the exit button opens the exit dialog, telling the bank once", State::Seated, Click("MainForm", "AnNiu", 8), {.shown = {"frmExit"}, .plugin = {"setbankstate 2"}}},
    {"the exit button closes the open exit dialog", State::ExitOpen, Click("MainForm", "AnNiu", 8), {.hidden = {"frmExit"}, .plugin = {"setbankstate 2"}}},
    {"a right click on the send button does nothing", State::ChatTyped, RightClick("MainForm", "AnNiu", 0), {}},
    {"a right click on the history button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 1), {.hidden = {"Talk"}}},
    {"a right click on the start button does nothing", State::StartArmed, RightClick("MainForm", "AnNiu", 2), {}},
    {"a right click on the settings button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 3), {.hidden = {"VosSet"}}},
    {"a right click on the minimise button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 4), {}},
    {"a right click on the score button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 5), {.hidden = {"Score"}}},
    {"a right click on the all-hands button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 6), {.hidden = {"Hero"}}},
    {"a right click on the rules button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 7), {.hidden = {"rule"}}},
    {"a right click on the exit button does nothing", State::Seated, RightClick("MainForm", "AnNiu", 8), {.hidden = {"frmExit"}}},

    // ---- The window's frame ----
    {"the close button opens the exit dialog", State::Seated, Click("MainForm", "ImgClose", 0), {.shown = {"frmExit"}, .plugin = {"setbankstate 2"}}},
    {"the minimise button of the frame minimises", State::WindowsOpen, Click("MainForm", "ImgMin", 0), {.hidden = {"Talk", "Score", "Hero", "VosSet", "rule"}, .minimised = true}},
    {"a right click on the close button does nothing", State::Seated, RightClick("MainForm", "ImgClose", 0), {.hidden = {"frmExit"}}},
    {"a right click on the frame's minimise button does nothing", State::Seated, RightClick("MainForm", "ImgMin", 0), {}},
    {"taking the title strip closes the chat windows", State::WindowsOpen, Press("MainForm", "LbMove"), {.shown = {"Score", "Hero", "VosSet", "rule"}, .hidden = {"Talk", "huifu"}}},

    // ---- The exit and leave dialogs ----
    {"离开 leaves the table for the lobby", State::ExitOpen, Click("frmExit", "pbCloseMe"), {.hidden = {"frmExit"}, .sent = {16}, .lobby = {kRestore}, .minimised = true}},
    {"a right click on 离开 does nothing", State::ExitOpen, RightClick("frmExit", "pbCloseMe"), {.shown = {"frmExit"}}},
    {"the stay button closes the exit dialog", State::ExitOpen, Click("frmExit", "pbCancel"), {.hidden = {"frmExit"}}},
    {"a right click on the stay button does nothing", State::ExitOpen, RightClick("frmExit", "pbCancel"), {.shown = {"frmExit"}}},
    {"OK on the leave dialog goes back to the lobby", State::LeaveOpen, Click("frmOtherExit", "imgOK"), {.hidden = {"frmOtherExit"}, .lobby = {kRestore}, .minimised = true}},
    {"a right click on OK does nothing", State::LeaveOpen, RightClick("frmOtherExit", "imgOK"), {.shown = {"frmOtherExit"}}},
    {"cancel on the leave dialog stays at the table", State::LeaveOpen, Click("frmOtherExit", "imgCancel"), {.hidden = {"frmOtherExit"}}},
    {"a right click on cancel does nothing", State::LeaveOpen, RightClick("frmOtherExit", "imgCancel"), {.shown = {"frmOtherExit"}}},

    // ---- Seats and the bank ----
    // (With the plug-in running it draws the avatars itself: the labels stand for them.)
    {"the pointer on a seat's name shows the player card", State::Seated, Hover("MainForm", "Nid", 1), {.shown = {"Information"}}},
    {"the pointer on a seat's gold shows the player card", State::Seated, Hover("MainForm", "Cash", 2), {.shown = {"Information"}}},
    {"the pointer on a seat's level shows the player card", State::Seated, Hover("MainForm", "Level", 3), {.shown = {"Information"}}},
    {"the bank button opens the bank", State::Seated, Click("MainForm", "Bank"), {.plugin = {"setbankstate 0"}}},
    {"a right click on the bank button does nothing", State::Seated, RightClick("MainForm", "Bank"), {}},
};
// clang-format on

// The client on the virtual clock, its table and every window over it in real windows.
class TableWindows : public HandTest {
 protected:
  void SetUp() override {
    host.propPlugin = [r = rec] { return std::make_unique<FakePlugin>(r); };
    HandTest::SetUp();
    c.disp.SeatedOthers = 3;
    ASSERT_FALSE(host.Ended());
    ASSERT_GT(c.props.Prop_GameDllState, 0) << "the plug-in runs";
    window = std::make_unique<host::FormWidget>(c.MainForm, pictures, true, &events);
    for (auto [form, formEvents] : host.RegisteredForms()) windows.Register(*form, *formEvents);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
  }
  void TearDown() override {
    for (auto [form, formEvents] : host.RegisteredForms()) windows.Unregister(*form);
    window.reset();
  }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }
  // The table's time passes (queued frames leave, held steps run), and the windows follow.
  void Pass(int ms = 300) {
    Settle();
    host.Run([&] { Advance(ms); });
    Settle();
  }

  void Prepare(State s) {
    switch (s) {
      case State::Seated:
        break;
      case State::StartArmed:
        c.ui.ButtonState[2] = 0;
        break;
      case State::OwnTurn: {
        StartHand(kOwn);
        std::vector<int> own = OwnThirteen();
        own.push_back(0x45);
        Deal(kOwn, own);
        Run({WildFrame(0x43, 0x42), PromptFrame(kOwn, 1)});
        break;
      }
      case State::Claim:
        StartHand(kLeft);
        Deal(kLeft, OwnThirteen());
        Run({WildFrame(0x43, 0x42), DiscardFrame(kLeft, 0x24), PromptFrame(kOwn, 8 | 1)});
        break;
      case State::ExitOpen:
        session::ShowOrHideExitDialog(c);
        break;
      case State::LeaveOpen:
        session::ShowLeaveDialog(c, "其他玩家已经离开");
        break;
      case State::WindowsOpen:
        chat::ShowPhraseList(c.chatCtx, 1);  // it closes the history: first
        chat::ShowTalk(c.chatCtx);
        session::ToggleScore(c);
        session::ToggleHero(c);
        ui::ToggleSettings(c.uiCtx);
        session::ToggleRules(c);
        session::ShowOrHideExitDialog(c);
        score::ShowPlayerCard(c.scoreCtx, 1);
        break;
      case State::Chatting:
      case State::ChatTyped: {
        QLineEdit* edit = window->EditorOf(c.MainForm.Chat);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        edit->setFocus(Qt::MouseFocusReason);
        Settle();
        ASSERT_TRUE(c.app.ChatFocused);
        if (s == State::ChatTyped) {
          QTest::keyClicks(edit, QStringLiteral("hello"));
          window->setFocus(Qt::MouseFocusReason);  // the table takes the keyboard back
          Settle();
          ASSERT_FALSE(c.app.ChatFocused);
        }
        Pass();
        return;
      }
    }
    // The table takes the keyboard from the chat box, as a click on it does.
    window->setFocus(Qt::MouseFocusReason);
    Pass();
    ASSERT_FALSE(c.app.ChatFocused);
  }

  QWidget& WindowOf(const std::string& form) {
    if (form == "MainForm") return *window;
    for (auto [f, e] : host.RegisteredForms()) {
      if (f->Name() == form) return *windows.WindowOf(*f);
    }
    ADD_FAILURE() << "no window for " << form;
    return *window;
  }
  platform::Form& FormNamed(const std::string& form) {
    if (form == "MainForm") return c.MainForm;
    for (auto [f, e] : host.RegisteredForms()) {
      if (f->Name() == form) return *f;
    }
    throw std::logic_error("no form " + form);
  }
  bool OnScreen(const std::string& form) {
    const QWidget& w = WindowOf(form);
    return w.isVisible() && !w.isMinimized();
  }
  int ControlIndex(const Input& in) const {
    if (in.index == kOwnTile) return LastConcealedCtl(0);
    if (in.index == kOtherTile) return SlotCtl(1, H(1).HiddenFirst);
    return in.index;
  }

  // The mouse as the window system gives it, at the middle of the control as it is drawn.
  void Pointer(const Input& in) {
    platform::Form& form = FormNamed(in.form);
    const platform::Control& ctl = form.Get(in.control, ControlIndex(in));
    const platform::Rect r = form.WindowBounds(ctl);
    // Its middle, or the first point of it that shows (the table is mostly covered).
    int x = r.left + r.width / 2;
    int y = r.top + r.height / 2;
    for (int py = r.top; form.HitTest(x, y) != &ctl && py < r.top + r.height; py += 4) {
      for (int px = r.left; px < r.left + r.width; px += 4) {
        if (form.HitTest(px, py) != &ctl) continue;
        x = px;
        y = py;
        break;
      }
    }
    ASSERT_EQ(form.HitTest(x, y), &ctl) << in.control << " is covered or not shown";
    auto* w = dynamic_cast<host::FormWidget*>(&WindowOf(in.form));
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible()) << in.form << " is not on the screen";
    const QPointF at = w->DesignToWidget().map(QPointF(x + 0.5, y + 0.5));
    const auto send = [&](QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons held) {
      QMouseEvent e(type, at, w->mapToGlobal(at), b, held, Qt::NoModifier);
      host.Run([&] { QApplication::sendEvent(w, &e); });
    };
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    if (in.kind == Input::Kind::Hover) return;
    send(QEvent::MouseButtonPress, in.button, in.button);
    if (in.kind == Input::Kind::Press) return;
    send(QEvent::MouseButtonRelease, in.button, Qt::NoButton);
  }

  void Give(const Input& in) {
    switch (in.kind) {
      case Input::Kind::Keys:
      case Input::Kind::ChatKeys: {
        // A key goes where the window's keyboard is: the chat box or the table.
        QWidget& win = WindowOf(in.form);
        QWidget* target = win.focusWidget() != nullptr ? win.focusWidget() : &win;
        if (in.kind == Input::Kind::ChatKeys) {
          EXPECT_EQ(target, window->EditorOf(c.MainForm.Chat)) << "the chat box has the keyboard";
        }
        for (int key : in.keys) {
          host.Run([&] {
            QTest::keyClick(target, static_cast<Qt::Key>(key),
                            key == Qt::Key_Alt ? Qt::NoModifier : in.modifiers);
          });
        }
        break;
      }
      default:
        Pointer(in);
        break;
    }
  }

  // What the plug-in was asked about keys and the bank.
  std::vector<std::string> PluginCalls() const {
    std::vector<std::string> out;
    for (const auto& call : rec->calls) {
      if (call.rfind("SetKeyDown", 0) == 0 || call.rfind("setbankstate", 0) == 0)
        out.push_back(call);
    }
    return out;
  }
  std::vector<int> ServerCommands() const {
    std::vector<int> out;
    for (const auto& f : Sent()) {
      if (f[3] != 24) out.push_back(f[3]);
    }
    return out;
  }

  std::shared_ptr<FakePluginRecord> rec = std::make_shared<FakePluginRecord>();
  host::PictureStore pictures;
  session::MainFormEvents events{c};
  std::unique_ptr<host::FormWidget> window;
  host::FormWindows windows{pictures};
};

class TableInput : public TableWindows, public ::testing::WithParamInterface<Case> {};

template <typename T>
std::vector<T> After(const std::vector<T>& all, std::size_t from) {
  return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
}

TEST_P(TableInput, DoesWhatItSays) {
  const Case& k = GetParam();
  Prepare(k.state);
  ASSERT_FALSE(host.Ended());
  const auto sent = ServerCommands().size();
  const auto plugin = PluginCalls().size();
  const auto lobby = host.LogDetails("lobby-out").size();

  Give(k.input);
  Pass();

  ASSERT_FALSE(host.Ended()) << host.EndReason();
  for (const auto& f : k.effect.shown) EXPECT_TRUE(OnScreen(f)) << f << " should be on screen";
  for (const auto& f : k.effect.hidden) EXPECT_FALSE(OnScreen(f)) << f << " should be gone";
  EXPECT_EQ(After(ServerCommands(), sent), k.effect.sent) << "frames to the server";
  EXPECT_EQ(After(PluginCalls(), plugin), k.effect.plugin) << "the plug-in";
  EXPECT_EQ(After(host.LogDetails("lobby-out"), lobby), k.effect.lobby) << "the lobby";
  EXPECT_EQ(window->isMinimized(), k.effect.minimised) << "the table's window";
}

// The case's words run together: "Esc opens the exit dialog" is EscOpensTheExitDialog.
std::string CaseName(const ::testing::TestParamInfo<Case>& i) {
  std::string out;
  bool upper = true;
  for (const char* p = i.param.name; *p != '\0'; ++p) {
    const char ch = *p;
    const bool alnum =
        (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
    if (!alnum) {
      upper = true;
      continue;
    }
    out += upper && ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
    upper = false;
  }
  return out;
}

INSTANTIATE_TEST_SUITE_P(Table, TableInput, ::testing::ValuesIn(kCases), CaseName);

// The table's boss key, unlike the window's own, also takes the time from every clock until the
// table comes back.
TEST_F(TableWindows, F1OnTheTableIsTheLongerBossKey) {
  Prepare(State::Seated);
  Give(Key(Qt::Key_F1));
  Pass();
  EXPECT_TRUE(window->isMinimized());
  EXPECT_TRUE(c.table.BossMode);
  EXPECT_EQ(c.table.DefaultCountdown, 0);
}

// Alt+C opens the history where the chat corner is: 0.66 of the table down and 0.3 across, 120
// twips (8 pixels) lower, on top of the other windows.
TEST_F(TableWindows, AltCPlacesTheHistoryOverTheChatCorner) {
  Prepare(State::Seated);
  c.MainForm.SetGeometry({40, 30, 1024, 768});  // somewhere off the corner of the screen
  Pass();
  Give(Keys({Qt::Key_Alt, Qt::Key_C}));
  Pass();
  ASSERT_TRUE(OnScreen("Talk"));
  const QWidget& talk = WindowOf("Talk");
  const platform::Rect table = c.MainForm.WindowBounds(c.MainForm.Pic1);
  EXPECT_EQ(talk.pos(),
            QPoint(40 + table.left + static_cast<int>(std::lround(0.3 * table.width)),
                   30 + table.top + static_cast<int>(std::lround(0.66 * table.height)) + 8));
  EXPECT_TRUE(talk.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

}  // namespace
}  // namespace qtest
