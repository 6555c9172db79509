#include "session/client.h"

#include "chat/chat.h"
#include "net/net.h"
#include "session/connection.h"
#include "session/program.h"
#include "session/prop_actions.h"
#include "ui/sound.h"
#include "ui/ui.h"

Client::Client(platform::Host& h) : host(h) {
  for (platform::Timer* t : {&TimerBong, &TimerKeepAlive, &TimerReconnect, &TimerCount, &TimerChat,
                             &TimerShuffle, &TimerProp, &TimerProxy}) {
    t->Attach(&host);
  }
  TimerBong.SetHandler([this] { session::TimerBong_Timer(*this); });
  TimerKeepAlive.SetHandler([this] { session::TimerKeepAlive_Timer(*this); });
  TimerReconnect.SetHandler([this] { session::TimerReconnect_Timer(*this); });
  TimerCount.SetHandler([this] { session::TimerCount_Timer(*this); });
  TimerProxy.SetHandler([this] { session::TimerProxy_Timer(*this); });
  TimerChat.SetHandler([this] { chat::TimerChat_Timer(chatCtx); });
  TimerShuffle.SetHandler([this] { ui::TimerShuffle_Timer(uiCtx); });
  TimerProp.SetHandler([this] { session::TimerProp_Timer(*this); });
  host.Winsock1().SetEvents(this);
  host.Sound().SetEvents(this);
  RegisterForm(frmExit, frmExitEvents);
  RegisterForm(frmOtherExit, frmOtherExitEvents);
  RegisterForm(frmReconnect, frmReconnectEvents);
  RegisterForm(VosSet, VosSetEvents);
  RegisterForm(rule, ruleEvents);
  RegisterForm(frmTing, frmTingEvents);
  RegisterForm(Score, ScoreEvents);
  RegisterForm(Hero, HeroEvents);
  RegisterForm(Information, InformationEvents);
  RegisterForm(Talk, talkEvents);
  RegisterForm(huifu, huifuEvents);
}

Client::~Client() {
  for (platform::Form* f : registered_) host.UnregisterForm(*f);
  host.Winsock1().SetEvents(nullptr);
  host.Sound().SetEvents(nullptr);
  if (app.Hooked) host.Lobby().Listen(MainForm.Caption(), nullptr);
  for (platform::Timer* t : {&TimerBong, &TimerKeepAlive, &TimerReconnect, &TimerCount, &TimerChat,
                             &TimerShuffle, &TimerProp, &TimerProxy}) {
    t->SetEnabled(false);
    t->Attach(nullptr);
  }
}

void Client::RegisterForm(platform::Form& form, platform::FormEvents& events) {
  host.RegisterForm(form, events);
  registered_.push_back(&form);
}

void Client::OnDataArrival(std::span<const std::uint8_t> bytes) {
  session::Winsock1_DataArrival(*this, bytes);
}

void Client::OnClose() {
  session::Winsock1_Close(*this);
}

void Client::OnSoundFailed(const std::string& path) {
  ui::SoundFailed(soundPlayer, path);
}

std::int32_t Client::OnWindowMessage(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) {
  return session::GameWndProc(*this, msg, wParam, lParam);
}
