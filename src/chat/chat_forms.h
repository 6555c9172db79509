#pragma once
// The chat history window Talk and the phrase window huifu: forms of their own over the table.
#include "platform/controls.h"
#include "platform/forms.h"

namespace chat {

struct Ctx;

class TalkT : public platform::Form {
 public:
  TalkT();
  platform::Control& Title;   // the window's heading
  platform::Control& Label1;  // closes the window
  platform::Control& Text1;   // the history, one wrapped line per row
};

class HuifuT : public platform::Form {
 public:
  HuifuT();
  platform::Control& List1;  // text phrases
  platform::Control& List2;  // voice phrases
};

class TalkEvents final : public platform::DialogEvents {
 public:
  explicit TalkEvents(Ctx& c) : c_(c) {}
  platform::PressResult OnMouseDown(platform::Control* control, int button, int shift, int x,
                                    int y) override;
  void OnClick(platform::Control* control) override;
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  void OnMouseWheel(platform::Control* control, int rows) override;
  void OnClose() override;

 private:
  Ctx& c_;
};

class HuifuEvents final : public platform::DialogEvents {
 public:
  explicit HuifuEvents(Ctx& c) : c_(c) {}
  platform::PressResult OnMouseDown(platform::Control* control, int button, int shift, int x,
                                    int y) override;
  void OnMouseMove(platform::Control* control, int button, int shift, int x, int y) override;
  void OnDblClick(platform::Control* control) override;
  void OnKeyDown(platform::Control* control, int keyCode, int shift) override;
  void OnMouseWheel(platform::Control* control, int rows) override;
  void OnClose() override;

 private:
  Ctx& c_;
};

}  // namespace chat
