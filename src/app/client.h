#pragma once
// One table client: every subsystem's state, the forms, the timers and the host it runs on.
#include <cstdint>
#include <span>

#include "app/app_state.h"
#include "chat/chat_state.h"
#include "dispatch/dispatch_state.h"
#include "net/net_state.h"
#include "platform/host.h"
#include "play/play_state.h"
#include "props/prop_state.h"
#include "score/score_state.h"
#include "table/table_state.h"
#include "ui/main_form.h"
#include "ui/sound_forms.h"
#include "ui/ui_state.h"
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
  dispatch::DispatchState disp;
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

  // The sound settings dialog and the rules page.
  ui::VosSetT VosSet;
  ui::VosSetEvents VosSetEvents{*this};
  ui::RuleT rule;
  ui::RuleEvents ruleEvents{*this};

  // Socket events of Winsock1.
  void OnDataArrival(std::span<const std::uint8_t> bytes) override;
  void OnClose() override;
  // The main window's procedure while the lobby link listens.
  std::int32_t OnWindowMessage(std::uint32_t msg, std::int32_t wParam,
                               std::int32_t lParam) override;
  // The sound device lost a sound it had accepted.
  void OnSoundFailed(const std::string& path) override;
};
