// An evening at the table: the client plays hands against the development server's bots on the
// virtual clock, its windows painted now and then with the Qt host's own painting code, and the
// heap is read after hand 10 and after the last hand (100 unless given as the first argument).
// Every store that grows with play is printed beside it. The program fails when the last figure
// is more than 2 MiB above the one after hand 10.
#include <malloc.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/replay.h"
#include "chat/chat.h"
#include "game.h"
#include "host/form_widget.h"
#include "host/picture_store.h"
#include "moves.h"
#include "platform/disk_files.h"
#include "platform/virtual/virtual_host.h"
#include "protocol.h"
#include "score/score.h"
#include "session/client.h"
#include "session/program.h"
#include "table_chat.h"

namespace {

constexpr int kHuman = 2;  // the client's seat
constexpr std::int64_t kMiB = 1024 * 1024;

// The table server's login and seating around the game engine, with the bots' chatter, speaking
// to the client through the virtual socket. What the client wrote is consumed as it is read.
class VirtualTable : public devserver::GameSink {
 public:
  explicit VirtualTable(vhost::VirtualHost& host)
      : host_(host), chatter_(7, devserver::ShippedPhrases()) {
    Pump();
  }
  void Send(int seat, const wire::Frame& f) override {
    if (seat == kHuman && joined_) outbox_.push_back(f);
  }
  void Note(const std::string& /*line*/) override {}
  int Hands() const { return game_ ? game_->HandsPlayed() : 0; }

 private:
  void Pump() {
    ReadClient();
    if (game_) {
      game_->Advance(host_.Now());
      std::array<std::string, 4> nicks;
      for (int s = 0; s < 4; ++s) nicks.at(static_cast<std::size_t>(s)) = game_->Player(s).nick;
      for (const auto& line : chatter_.Due(host_.Now(), nicks, kHuman)) {
        outbox_.push_back(line.frame);
      }
    }
    std::vector<wire::Frame> out;
    out.swap(outbox_);
    for (auto& f : out) {
      devserver::proto::PutKey(f, {0x21, 0x43});
      host_.socket.Deliver(f);
    }
    host_.Schedule(10, [this] { Pump(); });
  }

  void ReadClient() {
    auto& sent = host_.socket.sent;
    std::size_t at = 0;
    for (; sent.size() - at >= wire::kFrameSize; at += wire::kFrameSize) {
      wire::Frame f{};
      std::copy_n(sent.begin() + static_cast<std::ptrdiff_t>(at), wire::kFrameSize, f.begin());
      OnFrame(f);
    }
    sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(at));
  }

  void OnFrame(const wire::Frame& f) {
    using namespace devserver;
    const auto m = proto::ReadClient(f);
    if (m.cmd == proto::kLogin) return Login();
    if (!game_) return;
    if (m.cmd == proto::kDiscard || m.cmd == proto::kClaim) {
      if (const auto a = proto::MoveOf(m, game_->OnOffer())) game_->Act(kHuman, *a);
    } else if (m.cmd == proto::kTableStatus && m.v[3] == 1) {
      game_->Ready(kHuman);
    }
  }

  void Login() {
    using namespace devserver;
    outbox_.push_back(proto::LoginResult(1, 5, 0, ""));
    joined_ = true;
    GameOptions g;
    g.countdown = 5;
    g.graceMs = 500;
    g.botDelayMs = 400;
    g.readyWaitMs = 3000;
    g.human.at(kHuman) = true;
    game_.emplace(g, *this, 4242);
    const char* names[] = {"bot_a", "bot_b", "alice", "bot_c"};
    for (int s = 0; s < 4; ++s) {
      proto::PlayerCard card;
      card.account = names[s];
      card.nick = names[s];
      card.gold = 100000;
      card.ready = s != kHuman;
      card.userId = 1000 + static_cast<std::uint64_t>(s);
      game_->SetPlayer(s, card);
    }
    for (int s = 0; s < 4; ++s) outbox_.push_back(proto::SeatName(s, game_->Player(s).account));
    outbox_.push_back(proto::PlayerInfo(proto::SeatBit(kHuman), game_->Player(kHuman)));
    for (int p = 1; p < 4; ++p) {
      outbox_.push_back(proto::PlayerInfo(0, game_->Player((kHuman - p) & 3)));
    }
  }

  vhost::VirtualHost& host_;
  devserver::BotChatter chatter_;
  std::optional<devserver::Game> game_;
  bool joined_ = false;
  std::vector<wire::Frame> outbox_;
};

// Bytes the heap has handed out and not taken back, in every arena.
std::int64_t LiveHeap() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<std::int64_t>(m.uordblks + m.hblkhd);
}

std::size_t ItemBytes(const platform::Control& c) {
  std::size_t n = 0;
  for (const auto& s : c.Items()) n += s.size();
  return n;
}

// The windows a player looks at, painted as the Qt host paints them.
void PaintWindows(Client& c, host::PictureStore& pictures, std::vector<QImage>& targets) {
  const platform::Form* forms[] = {&c.MainForm, &c.Talk, &c.Hero, &c.Score};
  targets.resize(std::size(forms));
  for (std::size_t i = 0; i < std::size(forms); ++i) {
    const auto& g = forms[i]->Geometry();
    if (g.width <= 0 || g.height <= 0) continue;
    QImage& img = targets[i];
    if (img.size() != QSize(g.width, g.height)) {
      img = QImage(g.width, g.height, QImage::Format_RGB32);
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    host::FormWidget::PaintForm(p, *forms[i], pictures);
  }
}

// What the test side of the virtual host records for its own checks; a real host keeps none of
// it.
void ForgetHostRecords(vhost::VirtualHost& host) {
  host.log.clear();
  host.lobby.posted.clear();
  host.lobby.sent.clear();
  host.lobby.passedOn.clear();
  host.sound.played.clear();
}

struct Figures {
  int hand = 0;
  std::int64_t heap = 0;
  std::size_t chatLines = 0, chatBytes = 0;
  std::size_t heroRows = 0, heroBytes = 0;
  std::size_t replayFrames = 0, replayCapacity = 0;
  host::PictureStore::Usage pictures;
  std::uintmax_t recordFile = 0;
  std::size_t replayFiles = 0;
};

Figures Measure(int hand, Client& c, const host::PictureStore& pictures,
                const std::filesystem::path& userData) {
  Figures f;
  f.hand = hand;
  f.heap = LiveHeap();
  f.chatLines = c.Talk.Text1.Items().size();
  f.chatBytes = ItemBytes(c.Talk.Text1);
  f.heroRows = c.Hero.Num.Items().size();
  f.heroBytes = ItemBytes(c.Hero.Num);
  for (int q = 0; q < 4; ++q) f.heroBytes += ItemBytes(c.Hero.Grade(q));
  f.replayFrames = c.app.Replay.Hand.size() + c.app.Replay.Context.size();
  f.replayCapacity = c.app.Replay.Hand.capacity() * sizeof(app::ReplayFrame) +
                     c.app.Replay.Context.capacity() * sizeof(wire::Frame);
  f.pictures = pictures.Measure();
  std::error_code ec;
  for (const auto& e : std::filesystem::recursive_directory_iterator(userData, ec)) {
    if (e.path().extension() == ".qreplay") ++f.replayFiles;
  }
  const auto program = userData.parent_path() / "program";
  for (const auto& e : std::filesystem::directory_iterator(program, ec)) {
    if (e.path().extension() == ".vr") f.recordFile += e.file_size();
  }
  return f;
}

void Print(const Figures& f) {
  const auto kib = [](std::size_t b) { return static_cast<double>(b) / 1024.0; };
  std::printf("after hand %d: heap %.1f KiB\n", f.hand, kib(static_cast<std::size_t>(f.heap)));
  std::printf("  chat history        %6zu lines, %8.1f KiB of text\n", f.chatLines,
              kib(f.chatBytes));
  std::printf("  history window      %6zu rows,  %8.1f KiB of text\n", f.heroRows,
              kib(f.heroBytes));
  std::printf("  replay being kept   %6zu frames, %7.1f KiB held\n", f.replayFrames,
              kib(f.replayCapacity));
  std::printf("  pictures decoded    %6zu,       %8.1f KiB\n", f.pictures.decoded,
              kib(f.pictures.decodedBytes));
  std::printf("  pictures prepared   %6zu,       %8.1f KiB\n", f.pictures.prepared,
              kib(f.pictures.preparedBytes));
  std::printf("  texts prepared      %6zu,       %8.1f KiB\n", f.pictures.texts,
              kib(f.pictures.textBytes));
  std::printf("  on disk: record file %.1f KiB, %zu replay files\n", kib(f.recordFile),
              f.replayFiles);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const int hands = argc > 1 ? std::max(11, std::atoi(argv[1])) : 100;

  const char* runtime = std::getenv("QINTARA_RUNTIME_DIR");
  const std::filesystem::path root =
      std::filesystem::path(runtime != nullptr ? runtime : std::filesystem::temp_directory_path())
          .append("bench-memory-" + std::to_string(QCoreApplication::applicationPid()));
  std::filesystem::create_directories(root / "program");
  std::filesystem::create_directories(root / "user");
  platform::DiskFiles disk((root / "program").string(), (root / "user").string());

  vhost::VirtualHost host;
  host.disk = &disk;
  host.lobby.windows.insert("VorelLodge");
  auto client = std::make_unique<Client>(host);
  Client& c = *client;
  VirtualTable table(host);
  host::PictureStore pictures;
  std::vector<QImage> targets;
  host.Run([&] { session::Form_Load(c, "alice$key123$127.0.0.1$7000$一号桌$0$$0$$$0$$$1$0$"); });

  std::vector<Figures> figures;
  int seen = 0;
  std::int64_t nextPaint = 0;
  while (!host.Ended() && seen < hands) {
    host.Advance(500);
    if (host.Now() >= nextPaint) {
      nextPaint = host.Now() + 5000;
      PaintWindows(c, pictures, targets);
    }
    if (table.Hands() == seen) continue;
    seen = table.Hands();
    ForgetHostRecords(host);
    if (seen == 10 || seen == hands) {
      PaintWindows(c, pictures, targets);
      figures.push_back(Measure(seen, c, pictures, root / "user"));
    }
    if (host.Now() > std::int64_t{hands} * 600'000) break;
  }
  const std::int64_t virtualSeconds = host.Now() / 1000;
  const bool ended = host.Ended();
  client.reset();
  std::filesystem::remove_all(root);
  if (ended || figures.size() < 2) {
    std::printf("the table stopped after %d hands (%s)\n", seen,
                ended ? host.EndReason().c_str() : "no progress");
    return 1;
  }
  for (const auto& f : figures) Print(f);
  std::printf(
      "bounds: chat history %zu rows, history window %zu rows, a replay %zu frames, "
      "prepared pictures %zu MiB\n",
      chat::kHistoryMax, score::kMaxHistoryRows, app::kMaxReplayFrames,
      host::PictureStore::kMaxPreparedBytes / static_cast<std::size_t>(kMiB));
  const std::int64_t growth = figures.back().heap - figures.front().heap;
  std::printf("heap growth from hand 10 to hand %d: %+.1f KiB (budget %lld KiB), %lld s of play\n",
              figures.back().hand, static_cast<double>(growth) / 1024.0,
              static_cast<long long>(2 * kMiB / 1024), static_cast<long long>(virtualSeconds));
  return growth <= 2 * kMiB ? 0 : 1;
}
