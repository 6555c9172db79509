#pragma once
// Table mode: one table, one person connecting over loopback and three bots.
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "fault.h"
#include "game.h"
#include "sockets.h"
#include "table_chat.h"

namespace devserver {

struct ServerOptions {
  int countdown = 10;    // decision clock seconds told at login
  int timeoutLimit = 0;  // timeouts before the client's automatic play, told at login
  int humanSeat = 0;
  int botDelayMs = 700;
  int readyWaitMs = kReadyWaitMs;
  double humanGold = 10000;
  std::uint32_t seed = 0;
  std::int64_t runForMs = 0;       // stop after this long (0: run until killed)
  bool demoDeal = false;           // deal the first hand for the demo
  bool tingDeal = false;           // deal the person a ready first hand
  int graceMs = 5000;              // beyond the person's clock before the server moves for them
  std::optional<FaultPlan> fault;  // drops the person's connection on purpose
};

class TableServer : public GameSink {
 public:
  TableServer(ServerOptions opt, Listener& listener, Logger& log);
  // Serves until runForMs has passed (or forever).
  void Run();

  // GameSink
  void Send(int seat, const wire::Frame& f) override;
  void Note(const std::string& line) override;

 private:
  struct Client {
    Conn conn;
    int seat = -1;  // -1 until logged in
    std::array<std::uint8_t, 2> key{};
    int watching = -1;  // a watcher: the seat whose frames it follows
  };
  void NewGame();
  void OnFrame(Client& c, const wire::Frame& f);
  void Login(Client& c, const wire::Frame& f);
  void Rejoin(Client& c, const wire::Frame& f);
  void Seating(Client& c);
  // Another account logging in while the person plays watches the person's seat.
  void Watch(Client& c);
  // The prop service: bank requests and the plug-in's ready frames.
  void PropFrame(Client& c, const wire::Frame& f);
  void SendTo(Client& c, wire::Frame f);
  void RelayChat(Client& from, const wire::Frame& f);
  // The bots' phrases that are due go to the seated person.
  void BotsChat();
  void Gone(Client& c);
  Client* AtSeat(int seat);
  std::int64_t GameTime() const;

  ServerOptions opt_;
  Listener& listener_;
  Logger& log_;
  std::mt19937 rng_;
  std::vector<std::unique_ptr<Client>> clients_;
  std::optional<Game> game_;
  std::optional<BotChatter> chatter_;
  std::int64_t gameStart_ = 0;
  std::int64_t start_ = 0;
  int ids_ = 0;
  int dropping_ = -1;  // the connection the fault plan drops once its frames are out
  std::string account_;
  double savings_ = 50000;  // the person's bank savings
};

}  // namespace devserver
