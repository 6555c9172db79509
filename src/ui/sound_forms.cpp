#include "ui/sound_forms.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "assets/picture_ids.h"
#include "assets/sound_cues.h"
#include "platform/host.h"
#include "table/table_state.h"
#include "text/gbk.h"
#include "ui/main_form.h"
#include "ui/sound.h"
#include "ui/ui_state.h"

namespace ui {

namespace {

namespace pic = assets::pic;
using platform::ControlKind;

constexpr int kToggles = 5;
constexpr int kVoiceToggle = 3;
constexpr int kHintToggle = 4;
constexpr const char* kHint = "设置将在下次入座生效";
// Captions of the switches' rows.
constexpr std::array<const char*, kToggles> kRowCaptions{"背景音乐", "聊天语音", "音效语音",
                                                         "语音类型", "入座提示"};
// Design size of the dialog and of the rules page.
constexpr platform::Rect kVosSetSize{0, 0, 212, 310};
constexpr platform::Rect kRuleSize{0, 0, 600, 620};
// Voice code of every male player after undoing a switch to the plain voice set.
constexpr const char* kPlainMaleVoice = "30";
// A rules text is some pages; a file of this size is something else and is not shown.
constexpr std::size_t kMaxRulesBytes = 4 * 1024 * 1024;
// The page's rows: columns of a row (a double-byte character takes two) and pixels per row.
constexpr int kRuleColumns = 86;
constexpr int kRuleRowHeight = 16;
// Marks that never begin a row.
constexpr std::string_view kClosingMarks = "，。、；：？！）》」』”’,.;:?!)";

using table::Ix;

// Pictures of a switch by its look: off, off lit, on, on lit.
int TogglePicture(int i, int look) {
  if (i == kVoiceToggle) {
    constexpr std::array<int, 4> kVoice{pic::kVoiceMandarin, pic::kVoiceMandarinLit,
                                        pic::kVoiceDialect, pic::kVoiceDialectLit};
    return kVoice.at(Ix(look));
  }
  constexpr std::array<int, 4> kSwitch{pic::kSwitchOff, pic::kSwitchOffLit, pic::kSwitchOn,
                                       pic::kSwitchOnLit};
  return kSwitch.at(Ix(look));
}

int Look(const platform::Control& t) {
  const std::string& tag = t.Tag();
  return tag.size() == 1 && tag[0] >= '0' && tag[0] <= '3' ? tag[0] - '0' : 2;
}

void SetLook(platform::Control& t, int look) {
  t.SetTag(std::to_string(look));
  t.SetPicture(TogglePicture(t.Index(), look));
}

bool DialectVoices(const Ctx& c) {
  return c.table.Player[0].VoiceA != assets::kPlainVoices;
}

// What switch i stands for now; the hint switch only shows its own look.
bool SwitchState(const Ctx& c, int i) {
  switch (i) {
    case 0:
      return c.ui.MusicOn;
    case 1:
      return c.ui.VoiceOn;
    case 2:
      return c.ui.SoundOn;
    case kVoiceToggle:
      return DialectVoices(c);
    default:
      return Look(c.VosSet.Command2(i)) >= 2;
  }
}

void SetMusic(Ctx& c, bool on) {
  c.ui.MusicOn = on;
  if (on) {
    PlaySound(c.sound, SoundFile(c.ui, assets::kSoundLoop), true);
    SetSoundVolume(c.sound, kFullVolume);
  } else {
    StopSound(c.sound);
  }
}

// The dialect set in its own folder, or the plain set; male players take the given voice codes
// (the ones saved at seating when maleCode is null).
void SetVoiceSet(Ctx& c, bool dialect, const char* maleCode) {
  c.ui.VoiceDir = VoiceFolder(c.ui, dialect);
  for (int p = 0; p < 4; ++p) {
    auto& pl = c.table.Player.at(Ix(p));
    pl.VoiceA = dialect ? assets::kDialectVoices : assets::kPlainVoices;
    if (pl.Sex != 0) pl.VoiceB = maleCode != nullptr ? maleCode : c.ui.VoiceStyle.at(Ix(p));
  }
}

}  // namespace

VosSetT::VosSetT()
    : platform::Form("VosSet", kVosSetSize),
      Command2(AddArray(ControlKind::Image, "Command2", kToggles, {128, 52, 60, 26})),
      Command1(AddArray(ControlKind::Image, "Command1", 2, {28, 264, 65, 30})),
      Caption2(AddArray(ControlKind::Label, "Caption2", kToggles, {24, 52, 96, 26})),
      Title(AddLabel("Title", {0, 8, 212, 24})) {
  SetCaption("声音设置");
  SetPicture(pic::kSettingsPanel);
  SetBackColor(0x1E3B33);
  Title.SetCaption("声音设置");
  Title.SetAlignment(platform::Align::Center);
  Title.SetFontSize(11);
  Title.SetFontBold(true);
  Title.SetForeColor(0xF2C14E);
  for (int i = 0; i < kToggles; ++i) {
    auto& cap = Caption2(i);
    cap.Move(24, 52 + 40 * i);
    cap.SetCaption(kRowCaptions.at(Ix(i)));
    cap.SetFontSize(10);
    cap.SetForeColor(0xFBF7EA);
    auto& t = Command2(i);
    t.Move(128, 52 + 40 * i);
    t.SetMousePointer(platform::kPointerHand);
    SetLook(t, 2);
  }
  Command2(kHintToggle).SetToolTipText(kHint);
  Caption2(kHintToggle).SetToolTipText(kHint);
}

RuleT::RuleT()
    : platform::Form("rule", kRuleSize),
      Title(AddLabel("Title", {0, 10, 600, 26})),
      LblInfo(Add(ControlKind::ListBox, "LblInfo", -1, {28, 50, 544, 556})),
      close(AddImage("close", {566, 11, 24, 24})) {
  SetCaption("游戏规则");
  SetPicture(pic::kRulesPanel);
  SetBackColor(0xF4ECD6);
  Title.SetCaption("游戏规则");
  Title.SetAlignment(platform::Align::Center);
  Title.SetFontSize(12);
  Title.SetFontBold(true);
  Title.SetForeColor(0x8A2B2B);
  LblInfo.SetFontSize(9);
  LblInfo.SetForeColor(0x2A2118);
  LblInfo.SetRowHeight(kRuleRowHeight);
  LblInfo.SetTopIndex(0);
  close.SetPicture(pic::kRuleClose);
  close.SetMousePointer(platform::kPointerHand);
  close.SetTag("0");
}

void HideSoundForms(Ctx& c) {
  c.VosSet.SetVisible(false);
  c.rule.SetVisible(false);
}

// ---- VosSet ----

void ShowSwitches(Ctx& c) {
  for (int i = 0; i < kToggles; ++i) SetLook(c.VosSet.Command2(i), SwitchState(c, i) ? 2 : 0);
}

void VosSet_Load(Ctx& c) {
  auto& f = c.VosSet;
  auto& keep = f.Command1(0);
  auto& undo = f.Command1(1);
  keep.Move(28, 264, 65, 30);
  undo.Move(keep.Left() + static_cast<int>(1.4 * keep.Width()), keep.Top(), 65, 30);
  keep.SetPicture(pic::kSwitchConfirm);
  undo.SetPicture(pic::kSwitchCancel);
  keep.SetMousePointer(platform::kPointerHand);
  undo.SetMousePointer(platform::kPointerHand);
  // A sound device that failed before the dialog was first opened has switched sound off: the
  // switch shows that rather than "on".
  ShowSwitches(c);
  c.ui.Changed.fill(false);
  c.ui.VosSetLoaded = true;
}

void Command2_MouseMove(Ctx& c, int i) {
  auto& t = c.VosSet.Command2(i);
  const int look = Look(t);
  if (look == 0 || look == 2) SetLook(t, look + 1);
}

void VosSet_MouseMove(Ctx& c) {
  for (int i = 0; i < kToggles; ++i) {
    auto& t = c.VosSet.Command2(i);
    const int look = Look(t);
    if (look == 1 || look == 3) SetLook(t, look - 1);
  }
}

bool Command2_Click(Ctx& c, int i) {
  auto& changed = c.ui.Changed.at(Ix(i));
  changed = !changed;
  auto& t = c.VosSet.Command2(i);
  const int look = Look(t);
  SetLook(t, (look >= 2 ? 0 : 2) + look % 2);
  switch (i) {
    case 0:
      SetMusic(c, !c.ui.MusicOn);
      break;
    case 1:
      c.ui.VoiceOn = !c.ui.VoiceOn;
      break;
    case 2:
      c.ui.SoundOn = !c.ui.SoundOn;
      return true;
    case kVoiceToggle:
      SetVoiceSet(c, !DialectVoices(c), nullptr);
      break;
    default:
      break;
  }
  return false;
}

bool Command1_Click(Ctx& c, int i) {
  c.VosSet.SetVisible(false);
  bool soundSwitched = false;
  if (i == 1) {
    const auto& changed = c.ui.Changed;
    if (changed[0]) SetMusic(c, !c.ui.MusicOn);
    if (changed[1]) c.ui.VoiceOn = !c.ui.VoiceOn;
    if (changed[2]) {
      c.ui.SoundOn = !c.ui.SoundOn;
      soundSwitched = true;
    }
    if (changed[kVoiceToggle]) {
      const bool dialect = !DialectVoices(c);
      SetVoiceSet(c, dialect, dialect ? nullptr : kPlainMaleVoice);
    }
    // The switches show the undone state the next time the dialog opens.
    if (changed[kHintToggle]) {
      auto& hint = c.VosSet.Command2(kHintToggle);
      SetLook(hint, Look(hint) >= 2 ? 0 : 2);
    }
    ShowSwitches(c);
  }
  c.ui.Changed.fill(false);
  return soundSwitched;
}

// ---- rule ----

void CentreRules(Ctx& c, int dy) {
  const auto main = c.MainForm.OnScreen();
  auto g = c.rule.Geometry();
  g.top = main.top + (main.height - g.height) / 2 + dy;
  g.left = main.left + (main.width - g.width) / 2;
  c.rule.SetGeometry(g);
}

void LoadRules(Ctx& c, const std::string& path) {
  c.ui.RuleLoaded = true;
  c.rule.SetState(platform::WindowState::Normal);
  CentreRules(c);
  c.rule.close.SetTag("0");
  // The rules text is the whole file, as it stands; nothing in it is parsed.
  const auto bytes = c.host.Disk().ReadFile(path, kMaxRulesBytes);
  if (!bytes) {
    c.host.Log("rules", "no rules text in " + path + ": the page stays empty");
    return;
  }
  auto& info = c.rule.LblInfo;
  info.SetCaption(text::FromGbk(*bytes));
  // Longer than the page, the text scrolls: it is shown as rows, from the first.
  info.Clear();
  for (std::string& row : RuleRows(info.Caption(), kRuleColumns)) info.AddItem(std::move(row));
  info.SetTopIndex(0);
}

std::vector<std::string> RuleRows(std::string_view text, int columns) {
  std::vector<std::string> rows;
  std::string row;
  int used = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '\r' || text[i] == '\n') {
      // CR LF, a lone LF or a lone CR ends a line.
      i += text.compare(i, 2, "\r\n") == 0 ? 2 : 1;
      rows.push_back(std::move(row));
      row.clear();
      used = 0;
      continue;
    }
    const std::string_view ch = text.substr(i, text::FirstCharBytes(text.substr(i)));
    i += ch.size();
    // What GBK writes in one byte takes one column; everything else is a double-byte character.
    const int width = static_cast<unsigned char>(ch[0]) < 0x80 ? 1 : 2;
    // A closing mark stays with the text it closes, standing out past the row's end.
    const bool closing = kClosingMarks.find(ch) != std::string_view::npos && !row.empty();
    if (used + width > columns && !(closing && used <= columns)) {
      rows.push_back(std::move(row));
      row.clear();
      used = 0;
    }
    row += ch;
    used += width;
  }
  if (!row.empty()) rows.push_back(std::move(row));
  return rows;
}

void ScrollRules(RuleT& rule, int rows) {
  platform::ScrollList(rule.LblInfo, rows);
}

void LblInfo_Click(RuleT& rule) {
  rule.SetVisible(false);
}

void UnloadRules(RuleT& rule) {
  rule.SetVisible(false);
}

void close_Click(RuleT& rule) {
  rule.SetVisible(false);
  rule.close.SetPicture(pic::kRuleClose);
  rule.close.SetTag("0");
}

void close_MouseMove(RuleT& rule) {
  if (rule.close.Tag() == "1") return;
  rule.close.SetPicture(pic::kRuleCloseLit);
  rule.close.SetTag("1");
}

void RuleEvents::OnMouseMove(platform::Control* control, int /*button*/, int /*shift*/, int /*x*/,
                             int /*y*/) {
  if (control != nullptr && control->Name() == "close") close_MouseMove(rule_);
}

void RuleEvents::OnClick(platform::Control* control) {
  if (control != nullptr && control->Name() == "close") {
    close_Click(rule_);
  } else {
    LblInfo_Click(rule_);
  }
}

void RuleEvents::OnMouseWheel(platform::Control* /*control*/, int rows) {
  // Anywhere over the page: the text is all there is to scroll.
  ScrollRules(rule_, rows);
}

void RuleEvents::OnKeyDown(platform::Control* /*control*/, int keyCode, int /*shift*/) {
  auto& info = rule_.LblInfo;
  const int page = std::max(1, info.VisibleRows() - 1);
  switch (keyCode) {
    case platform::kKeyUp:
      ScrollRules(rule_, 1);
      break;
    case platform::kKeyDown:
      ScrollRules(rule_, -1);
      break;
    case platform::kKeyPageUp:
      ScrollRules(rule_, page);
      break;
    case platform::kKeyPageDown:
      ScrollRules(rule_, -page);
      break;
    case platform::kKeyHome:
      info.SetTopIndex(0);
      break;
    case platform::kKeyEnd:
      ScrollRules(rule_, -static_cast<int>(info.Items().size()));
      break;
    case platform::kKeyEscape:
      close_Click(rule_);
      break;
    default:
      break;
  }
}

void RuleEvents::OnClose() {
  close_Click(rule_);
}

}  // namespace ui
