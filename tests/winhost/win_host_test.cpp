// The Windows host's own windows under a real window system: a window appears and paints its
// form letterboxed, an idle window paints nothing and a change repaints only its area, posted
// mouse and key messages reach the form's procedures, waits keep messages and timers flowing,
// and a pause paints but handles nothing else.
#include <gtest/gtest.h>

#include "winhost/win32.h"

#include <gdiplus.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_events.h"
#include "platform/timer.h"
#include "winhost/pictures.h"
#include "winhost/win_host.h"

namespace winhost {
namespace {

// Every event of the form, as one line each.
class Recorder final : public platform::FormEvents {
 public:
  platform::PressResult OnMouseDown(platform::Control* c, int button, int /*shift*/, int /*x*/,
                                    int /*y*/) override {
    log.push_back("down " + Name(c) + " " + std::to_string(button));
    return platform::PressResult::None;
  }
  void OnMouseMove(platform::Control*, int, int, int, int) override {}
  void OnMouseUp(platform::Control* c, int button, int, int, int) override {
    log.push_back("up " + Name(c) + " " + std::to_string(button));
  }
  void OnClick(platform::Control* c) override { log.push_back("click " + Name(c)); }
  void OnDblClick(platform::Control* c) override { log.push_back("dblclick " + Name(c)); }
  void OnKeyDown(platform::Control* c, int key, int shift) override {
    log.push_back("keydown " + Name(c) + " " + std::to_string(key) + " " + std::to_string(shift));
  }
  void OnKeyUp(platform::Control* c, int key, int) override {
    log.push_back("keyup " + Name(c) + " " + std::to_string(key));
  }
  void OnFocus(platform::Control&, bool) override {}
  void OnChange(platform::Control& c) override {
    log.push_back("change " + c.Name() + " " + c.Text());
  }
  void OnResize() override {}
  void OnMoved() override {}
  void OnClose() override {}

  std::vector<std::string> log;

 private:
  static std::string Name(const platform::Control* c) { return c == nullptr ? "-" : c->Name(); }
};

// A picture of one colour, written as the artwork would be.
std::wstring WriteArtwork() {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("qintara-winhost-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(dir);
  Gdiplus::Bitmap bmp(2, 2, PixelFormat32bppARGB);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) bmp.SetPixel(x, y, Gdiplus::Color(255, 0, 200, 0));
  EXPECT_TRUE(SavePng(bmp, (dir / L"7.png").wstring()));
  return dir.wstring();
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

class WinHostTest : public ::testing::Test {
 protected:
  WinHostTest() : host(WriteArtwork()) {
    form.SetBackColor(0x204060);
    red.SetBackColor(0xFF0000);
    red.SetRightClicks(true);
    pic.SetPicture(7);
    label.SetForeColor(0xFFFFFF);
    window = &host.CreateMainWindow(form, events);
    form.SetVisible(true);
    // Twice the design, with bars of 50 pixels above and below.
    SetWindowPos(window->Handle(), nullptr, 0, 0, 400, 300, SWP_NOZORDER);
    host.WaitUntil([&] { return window->PaintCount() > 0; });
    UpdateWindow(window->Handle());
    host.WaitProcessingEvents(50);
  }
  ~WinHostTest() override { host.ReleaseMainWindow(); }

  // A client point over the middle of a design pixel.
  static LPARAM At(int designX, int designY) {
    return MAKELPARAM(2 * designX + 1, 50 + 2 * designY + 1);
  }
  void Post(UINT msg, WPARAM w, LPARAM l) { PostMessageW(window->Handle(), msg, w, l); }

  WinHost host;
  platform::Form form{"frmProbe", {0, 0, 200, 100}};
  platform::Control& red = form.AddLabel("red", {0, 0, 100, 100});
  platform::Control& pic = form.AddImage("pic", {100, 0, 100, 100});
  platform::Control& label = form.AddLabel("label", {110, 80, 80, 15});
  platform::Control& box = form.Add(platform::ControlKind::TextBox, "box", -1, {10, 10, 80, 20});
  Recorder events;
  FormWindow* window = nullptr;
};

TEST_F(WinHostTest, TheWindowPaintsItsFormScaledAndCentredWithBarsBeside) {
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_DOUBLE_EQ(window->View().scale, 2.0);
  struct Probe {
    int x, y;
    COLORREF want;
    const char* what;
  };
  const std::vector<Probe> probes = {
      {10, 10, RGB(0, 0, 0), "bar above"},
      {390, 290, RGB(0, 0, 0), "bar below"},
      {20, 150, RGB(255, 0, 0), "the opaque label, twice its size"},
      {190, 240, RGB(255, 0, 0), "the label's far corner"},
      {210, 60, RGB(0, 200, 0), "the picture, stretched from 2 x 2"},
      {390, 120, RGB(0, 200, 0), "the picture's far side"},
  };
  for (const Probe& p : probes) {
    const COLORREF c = ScreenPixel(window->Handle(), p.x, p.y);
    EXPECT_EQ(c, p.want) << p.what << ": " << std::hex << c;
  }
}

TEST_F(WinHostTest, AnIdleWindowPaintsNothingAndAChangePaintsOnlyItsArea) {
  const std::uint64_t before = window->PaintCount();
  host.WaitProcessingEvents(200);
  EXPECT_EQ(window->PaintCount(), before) << "an idle window painted";
  label.SetCaption("12");
  host.WaitUntil([&] { return window->PaintCount() > before; });
  EXPECT_EQ(window->PaintCount(), before + 1);
  const RECT r = window->LastPaint();
  const platform::Rect want = window->View().Dirty(label.Bounds());
  EXPECT_EQ(r.left, want.left);
  EXPECT_EQ(r.top, want.top);
  EXPECT_EQ(r.right, want.left + want.width);
  EXPECT_EQ(r.bottom, want.top + want.height);
}

struct InputCase {
  const char* what;
  std::vector<std::pair<UINT, std::pair<WPARAM, LPARAM>>> messages;
  std::vector<std::string> log;
};

TEST_F(WinHostTest, PostedMouseAndKeyMessagesReachTheFormsProcedures) {
  const std::vector<InputCase> cases = {
      {"a left click on the picture",
       {{WM_LBUTTONDOWN, {MK_LBUTTON, At(150, 50)}}, {WM_LBUTTONUP, {0, At(150, 50)}}},
       {"down pic 1", "up pic 1", "click pic"}},
      {"a right click where right clicks count",
       {{WM_RBUTTONDOWN, {MK_RBUTTON, At(50, 50)}}, {WM_RBUTTONUP, {0, At(50, 50)}}},
       {"down red 2", "up red 2", "click red"}},
      {"a right click on the picture is no click",
       {{WM_RBUTTONDOWN, {MK_RBUTTON, At(150, 50)}}, {WM_RBUTTONUP, {0, At(150, 50)}}},
       {"down pic 2", "up pic 2"}},
      {"a press taken away is no click",
       {{WM_LBUTTONDOWN, {MK_LBUTTON, At(150, 50)}},
        {WM_MOUSEMOVE, {MK_LBUTTON, At(50, 50)}},
        {WM_LBUTTONUP, {0, At(50, 50)}}},
       {"down pic 1", "up pic 1"}},
      {"a double click",
       {{WM_LBUTTONDOWN, {MK_LBUTTON, At(150, 50)}},
        {WM_LBUTTONUP, {0, At(150, 50)}},
        {WM_LBUTTONDBLCLK, {MK_LBUTTON, At(150, 50)}},
        {WM_LBUTTONUP, {0, At(150, 50)}}},
       {"down pic 1", "up pic 1", "click pic", "dblclick pic", "up pic 1"}},
      {"a press in the bar is the background's",
       {{WM_LBUTTONDOWN, {MK_LBUTTON, MAKELPARAM(5, 5)}}, {WM_LBUTTONUP, {0, MAKELPARAM(5, 5)}}},
       {"down - 1", "up - 1", "click -"}},
      {"F1 and Escape on the window",
       {{WM_KEYDOWN, {VK_F1, 1}}, {WM_KEYUP, {VK_F1, 0xC0000001}}, {WM_KEYDOWN, {VK_ESCAPE, 1}}},
       {"keydown - 112 0", "keyup - 112", "keydown - 27 0"}},
      {"a key the table does not know", {{WM_KEYDOWN, {VK_SNAPSHOT, 1}}}, {}},
  };
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.what);
    events.log.clear();
    for (const auto& [msg, params] : c.messages) Post(msg, params.first, params.second);
    host.WaitProcessingEvents(30);
    EXPECT_EQ(events.log, c.log);
  }
}

TEST_F(WinHostTest, TypingInATextBoxChangesItsTextAndEnterGoesToTheForm) {
  HWND edit = window->EditorOf(box);
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(IsWindowVisible(edit));
  for (const wchar_t ch : std::wstring(L"ab\x4e2d")) PostMessageW(edit, WM_CHAR, ch, 1);
  PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(edit, WM_CHAR, L'\r', 1);
  host.WaitProcessingEvents(30);
  EXPECT_EQ(box.Text(), "ab\xE4\xB8\xAD");
  EXPECT_EQ(events.log,
            (std::vector<std::string>{"change box a", "change box ab", "change box ab\xE4\xB8\xAD",
                                      "keydown box 13 0"}));
  // The core's text reaches the box.
  box.SetText("xyz");
  wchar_t shown[16] = {};
  GetWindowTextW(edit, shown, 16);
  EXPECT_EQ(std::wstring(shown), L"xyz");
}

TEST_F(WinHostTest, AWaitKeepsMessagesAndTimersFlowing) {
  int arrived = 0;
  const UINT msg = host.RegisterHandler([&](WPARAM w, LPARAM) {
    arrived += static_cast<int>(w);
    return 0;
  });
  PostMessageW(host.MessageWindow(), msg, 5, 0);
  int posted = 0;
  host.Post([&] { ++posted; });
  host.WaitProcessingEvents(20);
  EXPECT_EQ(arrived, 5);
  EXPECT_EQ(posted, 1);

  platform::Timer bong("TimerBong", 10);
  int fired = 0;
  bong.Attach(&host);
  bong.SetHandler([&] {
    if (++fired == 3) bong.SetEnabled(false);
  });
  bong.SetEnabled(true);
  host.WaitUntil([&] { return fired >= 3; });
  EXPECT_EQ(fired, 3);
  host.WaitProcessingEvents(50);
  EXPECT_EQ(fired, 3) << "a stopped timer fired";
}

TEST_F(WinHostTest, APausePaintsButHandlesNoInputTimersOrMessages) {
  int arrived = 0;
  const UINT msg = host.RegisterHandler([&](WPARAM, LPARAM) {
    ++arrived;
    return 0;
  });
  platform::Timer t("TimerPause", 1);
  int fired = 0;
  t.Attach(&host);
  t.SetHandler([&] { ++fired; });
  t.SetEnabled(true);
  const std::uint64_t painted = window->PaintCount();
  Post(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 50));
  Post(WM_LBUTTONUP, 0, At(150, 50));
  PostMessageW(host.MessageWindow(), msg, 0, 0);
  label.SetCaption("paused");
  host.Pause(30);
  EXPECT_EQ(window->PaintCount(), painted + 1) << "the change was not painted before the pause";
  EXPECT_TRUE(events.log.empty());
  EXPECT_EQ(arrived, 0);
  EXPECT_EQ(fired, 0);
  host.WaitProcessingEvents(30);
  EXPECT_EQ(events.log, (std::vector<std::string>{"down pic 1", "up pic 1", "click pic"}));
  EXPECT_EQ(arrived, 1);
  t.SetEnabled(false);
}

TEST_F(WinHostTest, TheFormsWindowPropertiesReachTheWindow) {
  HWND h = window->Handle();
  form.SetCaption("\xE6\xB8\xB8\xE6\x88\x8F");  // 游戏
  wchar_t title[16] = {};
  GetWindowTextW(h, title, 16);
  EXPECT_EQ(std::wstring(title), L"\x6e38\x620f");
  form.SetOpacity(200);
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
  ASSERT_TRUE(GetLayeredWindowAttributes(h, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  form.SetOpacity(255);
  EXPECT_FALSE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED);
  form.SetState(platform::WindowState::Minimized);
  EXPECT_TRUE(IsIconic(h));
  form.SetState(platform::WindowState::Normal);
  EXPECT_FALSE(IsIconic(h));
  form.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(h));
}

TEST_F(WinHostTest, ASecondaryWindowFollowsItsFormAndAModalOneTakesTheInput) {
  platform::Form dialog{"frmDialog", {50, 60, 120, 80}};
  dialog.SetModal(true);
  dialog.SetTopmost(true);
  Recorder dialogEvents;
  host.RegisterForm(dialog, dialogEvents);
  FormWindow* w = host.WindowOf(dialog);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(IsWindowVisible(w->Handle()));
  dialog.SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  RECT r{};
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.right - r.left, 120);
  EXPECT_TRUE(GetWindowLongPtrW(w->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowEnabled(window->Handle()))
      << "the main window takes input under a modal one";
  dialog.SetGeometry({70, 60, 120, 80});
  GetWindowRect(w->Handle(), &r);
  EXPECT_EQ(r.left, 70);
  dialog.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(w->Handle()));
  EXPECT_TRUE(IsWindowEnabled(window->Handle()));
  host.UnregisterForm(dialog);
  EXPECT_EQ(host.WindowOf(dialog), nullptr);
}

}  // namespace
}  // namespace winhost
