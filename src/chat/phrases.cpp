// Quick phrases and voice clips, and the two chat windows over the table.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/client_files.h"
#include "app/ini_file.h"
#include "chat/chat.h"
#include "chat/chat_forms.h"
#include "chat/chat_state.h"
#include "chat/context.h"
#include "net/context.h"
#include "net/net_state.h"
#include "platform/host.h"
#include "table/table_state.h"
#include "text/number.h"
#include "ui/main_form.h"
#include "ui/sound.h"

namespace chat {

namespace {

// A phrase file asking for more rows than this is not believed beyond it.
constexpr int kMaxPhrases = 100;
constexpr int kVoiceLetter = 'a';
// The history window sits this far (120 twips) below the phrase window's line.
constexpr int kTalkDrop = 8;

void FillList(const app::classIniFile& ini, platform::Control& list, const std::string& section) {
  const double n = text::LeadingNumber(ini.GetIniKey(section, "num"));
  const int count =
      std::clamp(static_cast<int>(std::lround(std::isfinite(n) ? n : 0.0)), 0, kMaxPhrases);
  for (int i = 1; i <= count; ++i) list.AddItem(ini.GetIniKey(section, std::to_string(i)));
}

// Where a window over the chat corner goes: a fixed share of the table down and across, in
// the screen's pixels. Below scale 1 the shares are of the whole window.
void PlaceOverChat(Ctx& c, platform::Form& f, double drop) {
  const auto& main = c.MainForm.Geometry();
  const auto& pic = c.MainForm.Pic1.Bounds();
  const bool full = c.table.ScaleY >= 1.0F;
  const double top = main.top + pic.top + (full ? 0.66 * pic.height : 0.6 * main.height) + drop;
  const double left = main.left + pic.left + (full ? 0.3 * pic.width : 0.27 * main.width);
  const auto& g = f.Geometry();
  f.SetGeometry(
      {static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)), g.width, g.height});
}

void PlayOwnClip(Ctx& c, int number) {
  // The player hears the own clip at once, whatever the sound switch says.
  ui::StopSound(c.sound);
  ui::PlaySound(c.sound, ui::VoicePath(c.sound, 0, "a" + std::to_string(number)), false);
  ui::SetSoundVolume(c.sound, ui::kFullVolume);
}

}  // namespace

void LoadPhrases(Ctx& c) {
  auto& f = c.huifu;
  f.List1.Clear();
  f.List2.Clear();
  platform::Files& files = c.host.Disk();
  const std::string path = app::ReadOnlyFilePath(files, app::kPhraseFile);
  if (files.FileExists(path)) {
    app::classIniFile ini(files);
    ini.INIFileName(path);
    FillList(ini, f.List1, "Phrase1");
    FillList(ini, f.List2, "Phrase2");
  }
  // The window grows with the longer list, up to a dozen rows; the arrows reach the rest.
  const int rows =
      std::clamp(static_cast<int>(std::max(f.List1.Items().size(), f.List2.Items().size())), 1, 12);
  for (platform::Control* list : {&f.List1, &f.List2}) {
    list->SetHeight(rows * list->RowHeight());
    list->SetTopIndex(0);
  }
  const auto& g = f.Geometry();
  f.SetGeometry({g.left, g.top, g.width, rows * f.List1.RowHeight() + 8});
  f.List1.SetVisible(true);
  f.List2.SetVisible(false);
  c.chat.PhrasesLoaded = true;
}

void SendPhrase(Ctx& c, int list, int row) {
  if (!c.net.net.Online) return;
  const bool voice = list == 2;
  const auto& items = (voice ? c.huifu.List2 : c.huifu.List1).Items();
  if (row < 0 || row >= static_cast<int>(items.size())) return;
  const std::string& phrase = items.at(static_cast<std::size_t>(row));
  if (phrase.empty()) return;

  // A phrase goes as a whisper too while the box holds the whisper prefix.
  if (!SendLine(c, c.MainForm.Chat.Text(), phrase, voice ? 2 : 1, voice ? kVoiceLetter : 0,
                row + 1))
    return;
  if (voice) PlayOwnClip(c, row + 1);
  HidePhrases(c.huifu);
  c.MainForm.SetFocus(&c.MainForm.Chat);
}

void ShowPhraseList(Ctx& c, int list) {
  HideTalk(c.Talk);
  auto& f = c.huifu;
  if (!c.chat.PhrasesLoaded) LoadPhrases(c);
  platform::Control& want = list == 2 ? f.List2 : f.List1;
  platform::Control& other = list == 2 ? f.List1 : f.List2;
  if (!f.Visible()) {
    want.SetVisible(true);
    other.SetVisible(false);
    want.SetListIndex(-1);
    f.SetTopmost(true);
    PlaceOverChat(c, f, 0.07 * f.Geometry().height);
    f.SetVisible(true);
  } else if (want.Visible()) {
    HidePhrases(f);
  } else {
    want.SetVisible(true);
    other.SetVisible(false);
  }
}

void ToggleHistory(Ctx& c) {
  if (c.Talk.Visible()) {
    HideTalk(c.Talk);
    return;
  }
  ShowTalk(c);
}

void ShowTalk(Ctx& c) {
  auto& t = c.Talk;
  c.chat.TalkAltArmed = false;
  t.SetTopmost(true);
  PlaceOverChat(c, t, kTalkDrop);
  t.SetVisible(true);
}

void HideTalk(TalkT& talk) {
  talk.SetVisible(false);
}

void HidePhrases(HuifuT& huifu) {
  huifu.SetVisible(false);
}

}  // namespace chat
