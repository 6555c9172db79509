// Chat lines and whispers through command 19, the history and the ticker.
#include <algorithm>
#include <string>
#include <string_view>

#include "chat/chat.h"
#include "chat/chat_forms.h"
#include "chat/chat_state.h"
#include "chat/context.h"
#include "net/context.h"
#include "net/net.h"
#include "net/net_state.h"
#include "platform/host.h"
#include "platform/timer.h"
#include "table/table_state.h"
#include "text/gbk.h"
#include "ui/main_form.h"
#include "ui/messages.h"
#include "ui/sound.h"
#include "ui/ui.h"

namespace chat {

namespace {

constexpr std::string_view kYou = "你";
constexpr std::string_view kSystemNotice = "系统提示";
constexpr std::string_view kSaid = "说道: ";
constexpr int kKeyBackspace = 8;
constexpr int kBlinkSteps = 8;

std::string Trimmed(std::string_view s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  return std::string(s.substr(b, s.find_last_not_of(" \t") - b + 1));
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to) {
  if (from.empty()) return s;
  for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
    s.replace(at, from.size(), to);
  return s;
}

std::string ReplaceFirst(std::string s, std::string_view from, std::string_view to) {
  if (from.empty()) return s;
  if (const auto at = s.find(from); at != std::string::npos) s.replace(at, from.size(), to);
  return s;
}

// The text after the whisper prefix: the prefix is dropped from the start, or from wherever the
// user's editing has left it.
std::string WithoutPrefix(std::string text, std::string_view prefix) {
  if (const auto at = text.find(prefix); at != std::string::npos) text.erase(at, prefix.size());
  return text;
}

int CharLen(const std::string& s) {
  return static_cast<int>(text::CharCount(s));
}

void ClearWhisper(Ctx& c) {
  c.chat.WhisperPrefix.clear();
  c.chat.WhisperTarget = 0;
  c.chat.ChatSavedText.clear();
  c.chat.PrefixErasePending = false;
}

// The box takes no more than fits a line once the sender's name is put before it: a whisper's
// "你" gives way to the name, a public line adds "说道: ".
void UpdateChatLimit(Ctx& c) {
  auto& box = c.MainForm.Chat;
  const int own = CharLen(c.table.Player[0].NickName);
  const int limit = c.chat.WhisperPrefix.empty()
                        ? static_cast<int>(kLineChars) - own - CharLen(std::string(kSaid))
                        : static_cast<int>(kLineChars) - own + 1;
  box.SetMaxLength(std::max(1, limit));
  if (CharLen(box.Text()) > box.MaxLength()) {
    box.SetText(text::FirstChars(box.Text(), static_cast<std::size_t>(box.MaxLength())));
    box.SetSelStart(box.MaxLength());
  }
}

// The ticker: two one-line lists, the newer line below. Every line goes through the message
// lists' own procedure, which logs it.
void PutTicker(Ctx& c, const std::string& line) {
  const auto set = [&c](int list, const std::string& text) {
    ui::SysmsgClear(c.MainForm, list);
    ui::SysmsgAdd(c.MainForm, c.host, list, text);
  };
  const auto& first = c.MainForm.Sysmsg(0).Items();
  const auto& second = c.MainForm.Sysmsg(1).Items();
  if (second.empty()) {
    set(first.empty() ? 0 : 1, line);
    return;
  }
  const std::string older = second.back();
  set(0, older);
  set(1, line);
}

void ScrollToEnd(platform::Control& list) {
  list.SetTopIndex(-1);
}

// The sender's voice clip: a letter and a number name it. Anything but a letter would make a
// file name the clip folder does not hold (or leave it), so it is not played.
void PlayChatClip(Ctx& c, int pos, int letter, int number) {
  const bool isLetter = (letter >= 'a' && letter <= 'z') || (letter >= 'A' && letter <= 'Z');
  if (!isLetter) {
    c.host.Log("chat", "voice clip code " + std::to_string(letter) + " ignored");
    return;
  }
  ui::PlayVoice(c.sound, pos, std::string(1, static_cast<char>(letter)) + std::to_string(number));
}

}  // namespace

// ---- Showing ----

void ShowMessageLine(Ctx& c, const std::string& text, int width) {
  const std::string visible = text.substr(0, text.find('\0'));
  if (visible.empty()) return;
  auto& list = c.Talk.Text1;
  std::string piece;
  int columns = 0;
  const std::size_t count = text::CharCount(visible);
  std::size_t n = 0;
  for (std::size_t i = 0; i < visible.size();) {
    const std::string ch = text::FirstChars(std::string_view(visible).substr(i), 1);
    i += ch.size();
    ++n;
    piece += ch;
    // What GBK writes in one byte takes one column; everything else is a double-byte character.
    columns += static_cast<unsigned char>(ch[0]) < 0x80 ? 1 : 2;
    if (columns >= width || n == count) {
      list.AddItem(" " + piece);
      piece.clear();
      columns = 0;
    }
  }
  if (list.Items().size() > kHistoryMax) list.RemoveFirstItems(list.Items().size() - kHistoryMax);
  ScrollToEnd(list);
  PutTicker(c, text::FirstChars(visible, kTickerChars));
}

void ShowChatLine(Ctx& c, const std::string& line, int pos, int v0, int v2, int v3) {
  if (v0 == 1 && pos != 0) PlayChatClip(c, pos, v2, v3);
  std::string text = line.substr(0, line.find('\0'));
  const auto& own = c.table.Player[0];
  if (!own.NickName.empty()) {
    text = ReplaceAll(text, "[" + own.Caption + "]" + own.NickName, kYou);
    if (!text.starts_with(kSystemNotice)) text = ReplaceFirst(text, own.NickName, kYou);
  }
  text = FiltChat(text);
  c.host.Log("chat", std::to_string(pos) + " " + text);
  ShowMessageLine(c, text, kChatWrap);
  if (pos != 0) c.chat.ChatBlink = kBlinkSteps;
}

void ClearChatList(TalkT& talk) {
  talk.Text1.Clear();
}

void BlinkStep(Ctx& c) {
  if (c.chat.ChatBlink <= 0) return;
  const int was = c.chat.ChatBlink--;
  // Switched off (a resumed hand), the button keeps its disabled look.
  if (!c.MainForm.AnNiu(1).Enabled()) return;
  c.MainForm.AnNiu(1).SetPicture(ui::ButtonPicture(c.table, was % 2 == 1 ? 3 : 2));
}

// ---- Sending ----

void SendChatLine(Ctx& c) {
  auto& box = c.MainForm.Chat;
  const std::string typed = box.Text();
  box.SetText("");
  const std::string trimmed = Trimmed(typed);
  const std::string& prefix = c.chat.WhisperPrefix;
  // A bare prefix is no message, whatever blanks surround it.
  if (trimmed.empty() || (!prefix.empty() && trimmed == Trimmed(prefix))) return;

  if (!SendLine(c, typed, typed, 0, 0, 0)) {
    // The player keeps the text to mend it.
    box.SetText(typed);
    box.SetSelStart(CharLen(typed));
  }
}

bool SendLine(Ctx& c, const std::string& boxText, const std::string& message, int v0, int v2,
              int v3) {
  wire::NetMsg m;
  m.Cmd = wire::Num(wire::Cmd::Chat);
  m.Seat = static_cast<std::uint8_t>(c.table.Hand[0].SeatBit);
  m.Value[0] = static_cast<std::int16_t>(v0);
  m.Value[2] = static_cast<std::int16_t>(v2);
  m.Value[3] = static_cast<std::int16_t>(v3);
  const std::string& own = c.table.Player[0].NickName;
  const std::string& prefix = c.chat.WhisperPrefix;
  std::string line;
  if (!prefix.empty() && boxText.find(prefix) != std::string::npos) {
    // "你对B说: " becomes "对B说: " after the sender's own name.
    line = own + prefix.substr(kYou.size()) + WithoutPrefix(message, prefix);
    m.Value[1] = static_cast<std::int16_t>(c.chat.WhisperTarget);
  } else {
    line = own + std::string(kSaid) + message;
  }
  // A pasted tab or line break would travel as a control byte: it goes as a blank.
  std::replace_if(
      line.begin(), line.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20; }, ' ');
  if (const auto bad = text::FirstUnsendable(line)) {
    // Nothing is mangled into question marks: the player is told which character stays home.
    ShowMessageLine(c, "（“" + *bad + "”无法发送，请删除后再发）", kChatWrap);
    return false;
  }
  ClearWhisper(c);
  c.MainForm.Chat.SetText("");
  UpdateChatLimit(c);
  c.net.net.ChatOut = text::FirstChars(line, kLineChars);
  net::SendFrame(c.net, m);
  return true;
}

void Chat_KeyPress(Ctx& c, int keyAscii) {
  if (keyAscii != 13 || c.table.WatchMode) return;
  auto& box = c.MainForm.Chat;
  if (!c.chat.ChatGate) {
    if (!box.Text().empty()) {
      c.Talk.Text1.AddItem(std::string(kTooFast));
      box.SetText("");
      ScrollToEnd(c.Talk.Text1);
      // The history may be closed: the ticker says it too, or the line would just vanish.
      PutTicker(c, std::string(kTooFast));
    }
    return;
  }
  c.chat.ChatGate = false;
  c.TimerChat.SetEnabled(true);
  SendChatLine(c);
}

void TimerChat_Timer(Ctx& c) {
  c.TimerChat.SetEnabled(false);
  c.chat.ChatGate = true;
}

// ---- The chat box ----

void Chat_KeyTouched(Ctx& c, int keyCode) {
  if (static_cast<int>(c.Talk.Text1.Items().size()) > kHistoryKeep) c.Talk.Text1.Clear();
  const std::string& prefix = c.chat.WhisperPrefix;
  if (keyCode != kKeyBackspace || prefix.empty()) return;
  const auto& box = c.MainForm.Chat;
  const int caret = box.SelStart();
  // At the very start Backspace deletes nothing, so nothing changes.
  if (caret > 0 && caret <= CharLen(prefix)) {
    c.chat.PrefixErasePending = true;
    c.chat.TextAfterPrefix = WithoutPrefix(box.Text(), prefix);
  }
}

void Chat_Change(Ctx& c) {
  auto& box = c.MainForm.Chat;
  if (c.chat.PrefixErasePending) {
    const std::string rest = c.chat.TextAfterPrefix;
    ClearWhisper(c);
    c.chat.TextAfterPrefix.clear();
    box.SetText(rest);
    box.SetSelStart(CharLen(rest));
  }
  UpdateChatLimit(c);
}

void SetWhisper(Ctx& c, int pos) {
  if (pos < 1 || pos > 3 || !c.net.net.Online) return;
  const auto p = static_cast<std::size_t>(pos);
  const std::string& name = c.table.Player[p].NickName;
  const int seat = c.table.Hand[p].SeatBit;
  if (name.empty() || seat == 0) return;
  auto& box = c.MainForm.Chat;
  std::string text = box.Text();
  if (!c.chat.WhisperPrefix.empty() && text.starts_with(c.chat.WhisperPrefix))
    text.erase(0, c.chat.WhisperPrefix.size());
  c.chat.ChatSavedText = text;
  c.chat.WhisperPrefix = std::string(kYou) + "对" + name + "说: ";
  c.chat.WhisperTarget = seat;
  c.chat.PrefixErasePending = false;
  box.SetText(c.chat.WhisperPrefix + text);
  UpdateChatLimit(c);
  box.SetSelStart(CharLen(box.Text()));
  c.MainForm.SetFocus(&box);
}

void Tou_Click(Ctx& c, int pos) {
  SetWhisper(c, pos);
}

}  // namespace chat
