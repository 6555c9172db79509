#include "chat/chat_forms.h"

#include <algorithm>

#include "chat/chat.h"
#include "chat/chat_state.h"
#include "chat/context.h"
#include "platform/form_events.h"
#include "platform/form_view.h"

namespace chat {

namespace {

using platform::Control;
using platform::ControlKind;

constexpr std::uint32_t kWindowGreen = 0x174A33;
constexpr std::uint32_t kPaper = 0xFFF8E6;
constexpr std::uint32_t kInk = 0x26231C;
constexpr std::uint32_t kGold = 0xFFD75E;

bool IsList(const Control* c) {
  return c != nullptr && (c->Name() == "List1" || c->Name() == "List2");
}

void StyleList(Control& list, int fontSize, int rowHeight) {
  list.SetBackColor(kPaper);
  list.SetForeColor(kInk);
  list.SetFontSize(fontSize);
  list.SetRowHeight(rowHeight);
}

}  // namespace

TalkT::TalkT()
    : platform::Form("Talk", {0, 0, 312, 214}),
      Title(AddLabel("Title", {8, 3, 200, 20})),
      Label1(AddLabel("Label1", {262, 3, 44, 20})),
      Text1(Add(ControlKind::ListBox, "Text1", -1, {6, 26, 300, 182})) {
  SetCaption("聊天记录");
  SetBackColor(kWindowGreen);
  Title.SetCaption("聊天记录");
  Title.SetForeColor(kGold);
  Title.SetFontSize(10);
  Title.SetFontBold(true);
  Label1.SetCaption("关闭");
  Label1.SetForeColor(0xFFFFFF);
  Label1.SetAlignment(platform::Align::Center);
  Label1.SetToolTipText("关闭聊天窗口");
  StyleList(Text1, 9, 16);
}

HuifuT::HuifuT()
    : platform::Form("huifu", {0, 0, 220, 196}),
      List1(Add(ControlKind::ListBox, "List1", -1, {4, 4, 212, 188})),
      List2(Add(ControlKind::ListBox, "List2", -1, {4, 4, 212, 188})) {
  SetCaption("快捷短语");
  SetBackColor(kWindowGreen);
  StyleList(List1, 10, 20);
  StyleList(List2, 10, 20);
  List1.SetToolTipText("双击发送");
  List2.SetToolTipText("双击发送语音");
  List2.SetVisible(false);
}

// ---- Talk ----

platform::PressResult TalkEvents::OnMouseDown(Control* /*control*/, int /*button*/, int /*shift*/,
                                              int /*x*/, int /*y*/) {
  c_.chat.TalkAltArmed = false;
  return platform::PressResult::None;
}

void TalkEvents::OnClick(Control* control) {
  if (control == &c_.Talk.Label1) HideTalk(c_.Talk);
}

void TalkEvents::OnKeyDown(Control* /*control*/, int keyCode, int /*shift*/) {
  // Alt arms, C then closes; any other key disarms.
  if (keyCode == platform::kKeyAlt) {
    c_.chat.TalkAltArmed = true;
  } else if (keyCode == platform::kKeyC && c_.chat.TalkAltArmed) {
    c_.chat.TalkAltArmed = false;
    HideTalk(c_.Talk);
  } else {
    c_.chat.TalkAltArmed = false;
  }
}

void TalkEvents::OnMouseWheel(Control* control, int rows) {
  if (control != nullptr) platform::ScrollList(*control, rows);
}

void TalkEvents::OnClose() {
  HideTalk(c_.Talk);
}

// ---- huifu ----

platform::PressResult HuifuEvents::OnMouseDown(Control* control, int /*button*/, int /*shift*/,
                                               int /*x*/, int y) {
  if (IsList(control)) control->SetListIndex(control->RowAt(y));
  return platform::PressResult::None;
}

void HuifuEvents::OnMouseMove(Control* control, int /*button*/, int /*shift*/, int /*x*/, int y) {
  // The row under the pointer lights up, so the player sees which phrase a double-click sends.
  if (IsList(control)) control->SetListIndex(control->RowAt(y));
}

void HuifuEvents::OnDblClick(Control* control) {
  if (!IsList(control) || control->ListIndex() < 0) return;
  SendPhrase(c_, control == &c_.huifu.List1 ? 1 : 2, control->ListIndex());
}

void HuifuEvents::OnKeyDown(Control* /*control*/, int keyCode, int /*shift*/) {
  Control& list = c_.huifu.List1.Visible() ? c_.huifu.List1 : c_.huifu.List2;
  const int count = static_cast<int>(list.Items().size());
  if (keyCode == platform::kKeyEscape) {
    HidePhrases(c_.huifu);
  } else if ((keyCode == platform::kKeyUp || keyCode == platform::kKeyDown) && count > 0) {
    // The arrows walk the rows, the list following, so a long list is reachable too.
    const int row =
        std::clamp(list.ListIndex() + (keyCode == platform::kKeyDown ? 1 : -1), 0, count - 1);
    list.SetListIndex(row);
    const int top = platform::FirstShownRow(list, list.RowHeight());
    if (row < top) list.SetTopIndex(row);
    if (row >= top + list.VisibleRows()) list.SetTopIndex(row - list.VisibleRows() + 1);
  } else if (keyCode == platform::kKeyReturn && list.ListIndex() >= 0) {
    SendPhrase(c_, &list == &c_.huifu.List1 ? 1 : 2, list.ListIndex());
  }
}

void HuifuEvents::OnMouseWheel(Control* control, int rows) {
  if (control != nullptr) platform::ScrollList(*control, rows);
}

void HuifuEvents::OnClose() {
  HidePhrases(c_.huifu);
}

}  // namespace chat
