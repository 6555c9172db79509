#pragma once
// What table chat may touch: its state and windows, the chat box and the ticker on the main form,
// the seats it names, the connection it sends through and the voices it plays. References only.
namespace platform {
class Host;
class Timer;
}  // namespace platform
namespace table {
struct TableState;
}
namespace net {
struct Ctx;
}
namespace ui {
class MainFormT;
struct SoundPlayer;
}  // namespace ui

namespace chat {

struct ChatState;
class TalkT;
class HuifuT;

struct Ctx {
  ChatState& chat;
  // The history and the phrase window.
  TalkT& Talk;
  HuifuT& huifu;
  // The send gate of Enter.
  platform::Timer& TimerChat;
  // The chat box, the two-line ticker, the chat button and the table's place on the screen.
  ui::MainFormT& MainForm;
  // The players' names, the seat bits, the scale; chat never changes them.
  const table::TableState& table;
  // Whether the client is online, and the outbox of command 19.
  net::Ctx& net;
  ui::SoundPlayer& sound;
  // The log and the phrase file.
  platform::Host& host;
};

}  // namespace chat
