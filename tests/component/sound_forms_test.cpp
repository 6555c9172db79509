// The sound settings dialog and the rules page on the virtual host.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/picture_ids.h"
#include "assets/sound_cues.h"
#include "seating_fixture.h"
#include "session/control_bar.h"
#include "session/program.h"
#include "text/gbk.h"
#include "ui/sound.h"
#include "ui/sound_forms.h"
#include "ui/ui.h"
#include "view/input.h"

namespace qtest {
namespace {

namespace pic = assets::pic;
constexpr int kLoop = 0, kSound = 2, kVoices = 3, kHint = 4;

class VosSetTest : public SeatingTest {
 protected:
  void SetUp() override {
    SeatingTest::SetUp();
    SeatTable();  // alice and carol female, bob (opposite) and dave (right) male
    ui::ToggleSettings(c.uiCtx);
  }
  platform::Control& Switch(int i) { return c.VosSet.Command2(i); }
  void Click(int i) { events.OnClick(&Switch(i)); }
  void Close(int i) { events.OnClick(&c.VosSet.Command1(i)); }
  std::string LastPath() const {
    return host.sound.Current() != nullptr ? host.sound.Current()->path : "";
  }
  // The voice folder and every seat's voice fields, as one line.
  std::string Voices() const {
    std::string s = c.ui.VoiceDir;
    for (const auto& p : c.table.Player) s += " " + p.VoiceA + p.VoiceB;
    return s;
  }
  session::VosSetEvents& events = c.VosSetEvents;
};

TEST_F(VosSetTest, OpensNearTheTablesCornerWithEverySwitchOnAndClosesOnTheSecondPress) {
  const auto& d = c.VosSet;
  ASSERT_TRUE(d.Visible());
  const auto& main = c.MainForm.Geometry();
  const auto& table = c.MainForm.Pic1.Bounds();
  EXPECT_EQ(d.Geometry().top, main.top + table.top + table.height - 419);    // 1.35 x 310
  EXPECT_EQ(d.Geometry().left, main.left + table.left + table.width - 233);  // 1.1 x 212
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Switch(i).Tag(), "2") << i;
  EXPECT_EQ(Switch(kVoices).Picture(), pic::kVoiceDialect);
  EXPECT_EQ(Switch(kLoop).Picture(), pic::kSwitchOn);
  EXPECT_EQ(Switch(kHint).ToolTipText(), "设置将在下次入座生效");
  EXPECT_EQ(c.VosSet.Command1(0).Bounds(), (platform::Rect{28, 264, 65, 30}));
  EXPECT_EQ(c.VosSet.Command1(1).Bounds(), (platform::Rect{119, 264, 65, 30}));
  ui::ToggleSettings(c.uiCtx);
  EXPECT_FALSE(d.Visible());
}

TEST_F(VosSetTest, TheHighlightFollowsThePointerAndAClickKeepsIt) {
  events.OnMouseMove(&Switch(kLoop), 0, 0, 5, 5);
  EXPECT_EQ(Switch(kLoop).Tag(), "3");
  EXPECT_EQ(Switch(kLoop).Picture(), pic::kSwitchOnLit);
  Click(kLoop);
  EXPECT_EQ(Switch(kLoop).Tag(), "1");
  EXPECT_EQ(Switch(kLoop).Picture(), pic::kSwitchOffLit);
  events.OnMouseMove(nullptr, 0, 0, 100, 5);  // the dialog's background
  EXPECT_EQ(Switch(kLoop).Tag(), "0");
  EXPECT_EQ(Switch(kSound).Tag(), "2");
}

TEST_F(VosSetTest, TheLoopSwitchStopsAndRestartsTheLoopAndUndoingRestartsIt) {
  Click(kLoop);
  EXPECT_FALSE(c.ui.MusicOn);
  EXPECT_FALSE(host.sound.playing);
  Click(kLoop);
  EXPECT_TRUE(c.ui.MusicOn);
  EXPECT_EQ(LastPath(), ui::SoundFile(c.ui, assets::kSoundLoop));
  EXPECT_TRUE(host.sound.Current()->looping);
  EXPECT_EQ(host.sound.Current()->attenuation, 0);

  // Off, then the undoing button: the loop plays again and the switch shows it.
  Click(kLoop);
  const auto before = host.sound.played.size();
  Close(1);
  EXPECT_FALSE(c.VosSet.Visible());
  EXPECT_TRUE(c.ui.MusicOn);
  ASSERT_EQ(host.sound.played.size(), before + 1);
  EXPECT_TRUE(host.sound.playing);
  EXPECT_TRUE(host.sound.Current()->looping);
  ui::ToggleSettings(c.uiCtx);
  EXPECT_EQ(Switch(kLoop).Tag(), "2");
}

TEST_F(VosSetTest, TheSoundSwitchSilencesEffectsAndVoicesButNotTheLoop) {
  Click(kSound);
  EXPECT_FALSE(c.ui.SoundOn);
  const auto before = host.sound.played.size();
  ui::PlayEffect(c.soundPlayer, assets::kSoundDiscard);
  ui::PlayVoice(c.soundPlayer, 2, assets::kVoiceHu);
  EXPECT_EQ(host.sound.played.size(), before);
  Click(kLoop);
  Click(kLoop);
  EXPECT_EQ(LastPath(), ui::SoundFile(c.ui, assets::kSoundLoop));
  Close(0);  // keeping: sound stays off
  EXPECT_FALSE(c.ui.SoundOn);
  ui::ToggleSettings(c.uiCtx);
  Close(1);  // nothing changed since it opened: nothing to undo
  EXPECT_FALSE(c.ui.SoundOn);
}

TEST_F(VosSetTest, TheVoiceSwitchChangesSetAndFolderAndUndoingRestoresThem) {
  const std::string dialect = Voices();
  EXPECT_EQ(c.ui.VoiceDir, ui::VoiceFolder(c.ui, true));
  const std::string bob = c.table.Player[2].VoiceB;
  const std::string dave = c.table.Player[3].VoiceB;

  Click(kVoices);
  EXPECT_EQ(Switch(kVoices).Picture(), pic::kVoiceMandarin);
  EXPECT_EQ(c.ui.VoiceDir, ui::VoiceFolder(c.ui, false));
  for (const auto& p : c.table.Player) EXPECT_EQ(p.VoiceA, "00");
  EXPECT_EQ(c.table.Player[2].VoiceB, bob);
  EXPECT_EQ(c.table.Player[3].VoiceB, dave);
  EXPECT_EQ(ui::VoicePath(c.soundPlayer, 2, "09"),
            ui::VoiceFolder(c.ui, false) + "v00" + bob + "1309.wav");

  // Twice and undone: nothing changes.
  Click(kVoices);
  Close(1);
  EXPECT_EQ(Voices(), dialect);

  // Once and undone: set and folder as before.
  ui::ToggleSettings(c.uiCtx);
  Click(kVoices);
  Close(1);
  EXPECT_EQ(Voices(), dialect);
  EXPECT_EQ(Switch(kVoices).Tag(), "2");

  // From the plain set, undoing goes back to it with the plain male voice.
  ui::ToggleSettings(c.uiCtx);
  Click(kVoices);
  Close(0);
  ui::ToggleSettings(c.uiCtx);
  Click(kVoices);
  EXPECT_EQ(c.table.Player[0].VoiceA, "27");
  Close(1);
  EXPECT_EQ(c.ui.VoiceDir, ui::VoiceFolder(c.ui, false));
  EXPECT_EQ(c.table.Player[2].VoiceA + c.table.Player[2].VoiceB, "0030");
  EXPECT_EQ(c.table.Player[1].VoiceA + c.table.Player[1].VoiceB,
            "00" + std::string(c.ui.VoiceStyle[1]));
}

TEST_F(VosSetTest, TheDialogsOwnSwitchAndTheHintOnlyChangeThemselves) {
  const auto before = host.sound.played.size();
  Click(1);
  Click(kHint);
  EXPECT_FALSE(c.ui.VoiceOn);
  EXPECT_EQ(Switch(kHint).Tag(), "0");
  EXPECT_TRUE(c.ui.MusicOn);
  EXPECT_TRUE(c.ui.SoundOn);
  EXPECT_EQ(host.sound.played.size(), before);
  Close(1);
  EXPECT_TRUE(c.ui.VoiceOn);
  ui::ToggleSettings(c.uiCtx);
  EXPECT_EQ(Switch(1).Tag(), "2");
  EXPECT_EQ(Switch(kHint).Tag(), "2");
}

TEST_F(VosSetTest, ASoundDeviceThatFailedShowsTheSoundSwitchOff) {
  ui::ToggleSettings(c.uiCtx);  // closed
  host.sound.missing.insert(ui::SoundFile(c.ui, assets::kSoundDice));
  ui::PlayEffect(c.soundPlayer, assets::kSoundDice);
  ASSERT_FALSE(c.ui.SoundOn);
  ui::ToggleSettings(c.uiCtx);
  EXPECT_EQ(Switch(kSound).Tag(), "0");
  Click(kSound);  // on again: the next effect is tried
  ui::PlayEffect(c.soundPlayer, assets::kSoundTake);
  EXPECT_EQ(LastPath(), ui::SoundFile(c.ui, assets::kSoundTake));
}

TEST_F(VosSetTest, TheTableTheBossKeyAndMinimisingHideTheDialog) {
  using Hide = void (*)(Client&);
  const std::vector<std::pair<const char*, Hide>> cases{
      {"table click", [](Client& cl) { view::Pic1_Click(cl); }},
      {"boss key", [](Client& cl) { session::Form_KeyDown(cl, platform::kKeyF1); }},
      {"minimise", [](Client& cl) { session::MinimiseTable(cl); }}};
  for (const auto& [what, hide] : cases) {
    c.VosSet.SetVisible(true);
    c.rule.SetVisible(true);
    hide(c);
    EXPECT_FALSE(c.VosSet.Visible()) << what;
    EXPECT_FALSE(c.rule.Visible()) << what;
  }
}

class RuleTest : public ClientTest {
 protected:
  void SetUp() override { Start(); }
  void PutRules(const std::string& utf8) {
    const auto gbk = text::ToGbk(utf8);
    ASSERT_TRUE(gbk.has_value());
    host.files.files[host.files.programFolder + "/rule.ini"] = *gbk;
  }
};

TEST_F(RuleTest, TheWholeGbkFileIsTheTextWithoutLookingForSectionsOrKeys) {
  const std::string text = "【基本规则】\r\n[Phrase1]\r\nnum=3\r\n癞子可以代替任何一张牌。\n";
  PutRules(text);
  session::ToggleRules(c);
  ASSERT_TRUE(c.rule.Visible());
  EXPECT_EQ(c.rule.LblInfo.Caption(), text);
  // Read once per run: a changed file shows at the next start.
  PutRules("新的规则");
  session::ToggleRules(c);
  session::ToggleRules(c);
  EXPECT_EQ(c.rule.LblInfo.Caption(), text);
}

TEST_F(RuleTest, WithoutTheFileThePageOpensEmpty) {
  session::ToggleRules(c);
  EXPECT_TRUE(c.rule.Visible());
  EXPECT_EQ(c.rule.LblInfo.Caption(), "");
}

TEST_F(RuleTest, TheButtonTogglesThePageCentredOverTheWindow) {
  PutRules("规则");
  session::AnNiu_Click(c, 7);
  EXPECT_TRUE(c.rule.Visible());
  const auto& m = c.MainForm.Geometry();
  const auto& g = c.rule.Geometry();
  EXPECT_EQ(g.left, m.left + (m.width - g.width) / 2);
  EXPECT_EQ(g.top, m.top + (m.height - g.height) / 2);
  session::AnNiu_Click(c, 7);
  EXPECT_FALSE(c.rule.Visible());
  session::AnNiu_Click(c, 7);
  EXPECT_TRUE(c.rule.Visible());

  // The window was dragged: the page follows it, a little lower.
  c.MainForm.SetGeometry({200, 100, m.width, m.height});
  session::AfterDrag(c);
  EXPECT_EQ(c.rule.Geometry().left, 200 + (m.width - g.width) / 2);
  EXPECT_EQ(c.rule.Geometry().top, 100 + (m.height - g.height) / 2 + 1);
}

TEST_F(RuleTest, TheCloseButtonStaysLitUntilClickedAndAClickOnTheTextCloses) {
  PutRules("规则");
  auto& ev = c.ruleEvents;
  session::ToggleRules(c);
  auto& close = c.rule.close;
  EXPECT_EQ(close.Picture(), pic::kRuleClose);
  ev.OnMouseMove(&close, 0, 0, 3, 3);
  EXPECT_EQ(close.Picture(), pic::kRuleCloseLit);
  EXPECT_EQ(close.Tag(), "1");
  ev.OnMouseMove(&c.rule.LblInfo, 0, 0, 30, 30);
  ev.OnMouseMove(nullptr, 0, 0, 2, 2);
  EXPECT_EQ(close.Picture(), pic::kRuleCloseLit) << "leaving does not turn the highlight off";
  ev.OnClick(&close);
  EXPECT_FALSE(c.rule.Visible());
  EXPECT_EQ(close.Picture(), pic::kRuleClose);
  EXPECT_EQ(close.Tag(), "0");

  for (platform::Control* target : {&c.rule.LblInfo, static_cast<platform::Control*>(nullptr)}) {
    session::ToggleRules(c);
    ASSERT_TRUE(c.rule.Visible());
    ev.OnClick(target);
    EXPECT_FALSE(c.rule.Visible());
  }
}

// A rules text of many pages is read whole and scrolls: the wheel over the page, the arrow and
// page keys, Home and End.
TEST_F(RuleTest, ALongRulesFileIsReadWholeAndThePageScrolls) {
  std::string text;
  for (int i = 1; i <= 3000; ++i)
    text += "第" + std::to_string(i) + "条：癞子可以代替任何一张牌。\r\n";
  ASSERT_GT(text::ToGbk(text)->size(), 64U * 1024U);
  PutRules(text);
  session::ToggleRules(c);
  ASSERT_TRUE(host.Shown("rule"));
  auto& info = c.rule.LblInfo;
  EXPECT_EQ(info.Caption(), text);
  ASSERT_EQ(info.Items().size(), 3000U);
  const int page = info.VisibleRows();
  ASSERT_GT(page, 10);
  const auto first = [&] { return platform::FirstShownRow(info, info.RowHeight()); };
  EXPECT_EQ(first(), 0) << "the page opens at the top";
  EXPECT_EQ(info.Items()[0], "第1条：癞子可以代替任何一张牌。");

  host.Wheel("rule", "LblInfo", -3);
  EXPECT_EQ(first(), 3);
  host.Wheel("rule", "LblInfo", 1);
  EXPECT_EQ(first(), 2);
  host.KeyDown("rule", 34);  // Page Down
  EXPECT_EQ(first(), 2 + page - 1) << "a page, keeping one row in view";
  host.KeyDown("rule", 40);  // Down
  EXPECT_EQ(first(), 2 + page);
  host.KeyDown("rule", 35);  // End
  EXPECT_EQ(first(), 3000 - page);
  EXPECT_EQ(info.Items().back(), "第3000条：癞子可以代替任何一张牌。");
  host.Wheel("rule", "LblInfo", -5);
  EXPECT_EQ(first(), 3000 - page) << "nothing to scroll past the last row";
  host.KeyDown("rule", 36);  // Home
  EXPECT_EQ(first(), 0);
  host.KeyDown("rule", 38);  // Up
  EXPECT_EQ(first(), 0);
  host.Click("rule", "LblInfo");
  EXPECT_FALSE(host.Shown("rule")) << "a click on the text still closes the page";
}

TEST_F(RuleTest, RowsFollowTheLineBreaksAndCutLongLinesByColumns) {
  struct Case {
    const char* name;
    std::string text;
    int columns;
    std::vector<std::string> rows;
  } cases[] = {
      {"every kind of line end", "一\r\n二\n三\r四", 10, {"一", "二", "三", "四"}},
      {"empty lines stay", "一\r\n\r\n二\r\n", 10, {"一", "", "二"}},
      {"double-byte characters take two columns", "一二三四五六", 5, {"一二", "三四", "五六"}},
      {"one-byte characters take one", "abcdefg", 3, {"abc", "def", "g"}},
      {"a wide character never overflows a row", "ab一cd", 3, {"ab", "一c", "d"}},
      {"a closing mark stays with its text", "一二，三", 4, {"一二，", "三"}},
      {"nothing", "", 10, {}},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(ui::RuleRows(k.text, k.columns), k.rows) << k.name;
  }
}

}  // namespace
}  // namespace qtest
