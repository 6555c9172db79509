// Secondary windows on the virtual host: only what is on screen can be clicked, a modal window
// waits while time and timers go on, and unattended runs answer with the default button.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/virtual/virtual_host.h"

namespace vhost {
namespace {

// A two-button dialog whose buttons hide it, recording every click in order.
class Dialog : public platform::DialogEvents {
 public:
  Dialog() {
    ok.SetPicture(1);
    cancel.SetPicture(2);
  }
  void OnClick(platform::Control* control) override {
    clicks.push_back(control != nullptr ? control->Name() : "(form)");
    if (control == &ok || control == &cancel) form.SetVisible(false);
  }

  platform::Form form{"frmTest", {100, 100, 200, 100}};
  platform::Control& ok = form.AddImage("imgOK", {20, 60, 70, 30});
  platform::Control& cancel = form.AddImage("imgCancel", {110, 60, 70, 30});
  platform::Control& cover = form.AddImage("cover", {0, 0, 0, 0});
  std::vector<std::string> clicks;
};

class Forms : public ::testing::Test {
 protected:
  Forms() {
    host.RegisterForm(d.form, d);
    ticker.Attach(&host);
    ticker.SetHandler([this] { ++ticks; });
    ticker.SetEnabled(true);
  }
  ~Forms() override {
    ticker.SetEnabled(false);
    ticker.Attach(nullptr);
    host.UnregisterForm(d.form);
  }

  VirtualHost host;
  Dialog d;
  platform::Timer ticker{"ticker", 50};
  int ticks = 0;
};

TEST_F(Forms, OnlyAControlOnScreenCanBeClicked) {
  EXPECT_THROW(host.Click("frmTest", "imgOK"), std::logic_error) << "form not shown";
  d.form.SetVisible(true);
  EXPECT_THROW(host.Click("frmOther", "imgOK"), std::logic_error) << "no such window";

  struct Case {
    const char* what;
    std::function<void()> arrange;
  } cases[] = {
      {"hidden", [&] { d.ok.SetVisible(false); }},
      {"disabled", [&] { d.ok.SetEnabled(false); }},
      {"covered", [&] { d.cover.Move(0, 0, 200, 100); }},
  };
  for (const Case& k : cases) {
    k.arrange();
    EXPECT_THROW(host.Click("frmTest", "imgOK"), std::logic_error) << k.what;
    d.ok.SetVisible(true);
    d.ok.SetEnabled(true);
    d.cover.Move(0, 0, 0, 0);
  }
  EXPECT_TRUE(d.clicks.empty());
  host.Click("frmTest", "imgOK");
  EXPECT_EQ(d.clicks, std::vector<std::string>{"imgOK"});
  EXPECT_FALSE(host.Shown("frmTest"));

  host.UnregisterForm(d.form);
  d.form.SetVisible(true);
  EXPECT_THROW(host.Click("frmTest", "imgOK"), std::logic_error) << "no longer registered";
}

TEST_F(Forms, AModalWindowWaitsForItsAnswerWhileTimersRun) {
  host.Schedule(1000, [&] {
    EXPECT_TRUE(d.form.Modal());
    host.Click("frmTest", "imgCancel");
  });
  platform::ShowModal(host, d.form, d, &d.ok);
  EXPECT_EQ(d.clicks, std::vector<std::string>{"imgCancel"});
  EXPECT_EQ(host.Now(), 1000);
  EXPECT_EQ(ticks, 20) << "the nested wait keeps handling events";
  EXPECT_FALSE(d.form.Visible());
  EXPECT_FALSE(d.form.Modal());
}

TEST_F(Forms, AModalWindowHiddenByAnythingElseEndsTheWait) {
  host.Schedule(300, [&] { d.form.SetVisible(false); });
  platform::ShowModal(host, d.form, d, &d.ok);
  EXPECT_TRUE(d.clicks.empty());
  EXPECT_EQ(host.Now(), 300);
}

TEST_F(Forms, UnattendedTheDefaultButtonAnswers) {
  host.unattended = true;
  // Modal: answered at once, nothing waits and the window does not stay up.
  platform::ShowModal(host, d.form, d, &d.ok);
  EXPECT_EQ(d.clicks, std::vector<std::string>{"imgOK"});
  EXPECT_EQ(host.Now(), 0);
  EXPECT_FALSE(d.form.Visible());
  EXPECT_FALSE(d.form.Modal());

  // Not modal: the caller goes on first, then the default answers.
  d.clicks.clear();
  platform::ShowDialog(host, d.form, d, &d.cancel);
  EXPECT_TRUE(d.form.Visible());
  EXPECT_TRUE(d.clicks.empty()) << "no answer inside the caller's own step";
  host.Advance(0);
  EXPECT_EQ(d.clicks, std::vector<std::string>{"imgCancel"});
  EXPECT_FALSE(d.form.Visible());

  // A window closed before the posted answer runs is left alone; one without a default closes.
  d.clicks.clear();
  platform::ShowDialog(host, d.form, d, &d.ok);
  d.form.SetVisible(false);
  host.Advance(0);
  EXPECT_TRUE(d.clicks.empty());
  platform::ShowModal(host, d.form, d, nullptr);
  EXPECT_FALSE(d.form.Visible());
}

TEST_F(Forms, AttendedADialogStaysUntilAnswered) {
  platform::ShowDialog(host, d.form, d, &d.ok);
  host.Advance(60'000);
  EXPECT_TRUE(host.Shown("frmTest"));
  EXPECT_TRUE(d.clicks.empty());
  host.MouseMoveOffControls("frmTest");
  host.Click("frmTest", "imgOK");
  EXPECT_FALSE(host.Shown("frmTest"));
}

}  // namespace
}  // namespace vhost
