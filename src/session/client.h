#pragma once
// One table client: every subsystem's state, the forms, the timers and the host it runs on.
#include <cstdint>
#include <span>
#include <vector>

#include "app/app_state.h"
#include "chat/chat_forms.h"
#include "chat/chat_state.h"
#include "chat/context.h"
#include "net/context.h"
#include "net/net_state.h"
#include "platform/host.h"
#include "play/play_state.h"
#include "play/ting_form.h"
#include "props/prop_state.h"
#include "score/context.h"
#include "score/score_forms.h"
#include "score/score_state.h"
#include "score/sheet_events.h"
#include "session/dialogs.h"
#include "session/dispatch_state.h"
#include "session/form_events.h"
#include "session/reconnect.h"
#include "table/table_state.h"
#include "ui/context.h"
#include "ui/main_form.h"
#include "ui/sound_forms.h"
#include "ui/ui_state.h"
#include "view/context.h"
#include "view/view_state.h"

class Client final : public platform::SocketEvents,
                     public platform::LobbyEvents,
                     public platform::SoundEvents {
 public:
  explicit Client(platform::Host& host);
  ~Client() override;
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  platform::Host& host;

  table::TableState table;
  net::NetState net;
  app::AppState app;
  session::DispatchState disp;
  play::PlayState play;
  score::ScoreState score;
  chat::ChatState chat;
  props::PropState props;
  ui::UiState ui;
  view::ViewState display;

  ui::MainFormT MainForm;

  platform::Timer TimerBong{"TimerBong", 50};
  platform::Timer TimerKeepAlive{"TimerKeepAlive", 5000};
  platform::Timer TimerReconnect{"TimerReconnect", 1000};
  platform::Timer TimerCount{"TimerCount", 3000};
  platform::Timer TimerChat{"TimerChat", 800};
  platform::Timer TimerShuffle{"TimerShuffle", 300};
  platform::Timer TimerProp{"TimerProp", 50};
  // Bounds each step of the proxy handshake: a proxy that never answers is given up.
  platform::Timer TimerProxy{"TimerProxy", 10000};

  // What each subsystem below the session may touch, built once over the members above.
  net::Ctx netCtx{net,           host,          TimerProxy,     app.ProxyHost, app.ProxyPort,
                  app.ProxyUser, app.ProxyPass, app.ServerHost, app.ServerPort};

  // Secondary windows, each a form with its event procedures, registered with the host for the
  // client's lifetime: the host shows a window for each while its form is Visible.
  session::FrmExitT frmExit;
  session::FrmExitEvents frmExitEvents{*this};
  session::FrmOtherExitT frmOtherExit;
  session::FrmOtherExitEvents frmOtherExitEvents{*this};
  session::FrmReconnectT frmReconnect;
  session::FrmReconnectEvents frmReconnectEvents{*this};

  // The sound settings dialog and the rules page.
  ui::VosSetT VosSet;
  session::VosSetEvents VosSetEvents{*this};
  ui::RuleT rule;
  ui::RuleEvents ruleEvents{rule};

  // The result windows: the score sheet, the history and the player card.
  score::ScoreFormT Score;
  score::HeroFormT Hero;
  score::InformationFormT Information;
  score::Ctx scoreCtx{score, table, Score, Hero, Information, MainForm, net, host};
  score::SheetEvents ScoreEvents{scoreCtx, Score};
  score::SheetEvents HeroEvents{scoreCtx, Hero};
  score::CardEvents InformationEvents{scoreCtx, Information};

  // The chat history and the phrase window.
  chat::TalkT Talk;
  chat::HuifuT huifu;

  // The ting choice, above the table while the player decides.
  play::TingFormT frmTing;
  play::TingFormEvents frmTingEvents{*this};

  // What each subsystem is handed, built from the members above.
  ui::SoundPlayer soundPlayer{ui, host, table.Player};
  ui::Ctx uiCtx{ui,   host,         table,       MainForm,          VosSet,
                rule, TimerShuffle, soundPlayer, app.SeatChangeText};
  chat::Ctx chatCtx{chat, Talk, huifu, TimerChat, MainForm, table, netCtx, soundPlayer, host};
  chat::TalkEvents talkEvents{chatCtx};
  chat::HuifuEvents huifuEvents{chatCtx};
  view::Ctx viewCtx{MainForm, display, table, ui, soundPlayer, host};

  // Socket events of Winsock1.
  void OnDataArrival(std::span<const std::uint8_t> bytes) override;
  void OnClose() override;
  // The main window's procedure while the lobby link listens.
  std::int32_t OnWindowMessage(std::uint32_t msg, std::int32_t wParam,
                               std::int32_t lParam) override;
  // The sound device lost a sound it had accepted.
  void OnSoundFailed(const std::string& path) override;

 private:
  void RegisterForm(platform::Form& form, platform::FormEvents& events);
  std::vector<platform::Form*> registered_;
};
