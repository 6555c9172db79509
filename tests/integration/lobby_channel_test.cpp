// The local lobby channel in one process: where windows listen, who may use the folder, and
// how messages are delivered and answered.
#include "host/lobby_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/lobby_wire.h"
#include "process.h"

namespace {

struct Recorder final : platform::LobbyEvents {
  std::vector<std::string> trace;
  std::function<std::int32_t(std::uint32_t)> onMessage;
  std::int32_t OnWindowMessage(std::uint32_t msg, std::int32_t wParam,
                               std::int32_t lParam) override {
    trace.push_back("in " + std::to_string(msg) + " " + std::to_string(wParam) + " " +
                    std::to_string(lParam));
    const std::int32_t r = onMessage ? onMessage(msg) : 0;
    trace.push_back("out " + std::to_string(msg));
    return r;
  }
};

class LobbyChannelTest : public ::testing::Test {
 protected:
  LobbyChannelTest() { setenv("QINTARA_RUNTIME_DIR", run.c_str(), 1); }
  ~LobbyChannelTest() override { unsetenv("QINTARA_RUNTIME_DIR"); }

  host::LobbyChannel::LogFn Logger() {
    return [this](std::string_view kind, std::string_view detail) {
      log.push_back(std::string(kind) + ": " + std::string(detail));
    };
  }
  // Lets the receiver's socket notifiers run until cond holds (or a generous limit passes).
  static void RunUntil(const std::function<bool()>& cond) {
    for (int i = 0; i < 500 && !cond(); ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
  }
  std::string SocketFile(const std::string& title) const {
    return run + "/" + platform::WindowSocketName(title);
  }

  std::string run = itest::MakeTempDir() + "/run";
  std::vector<std::string> log;
  host::LobbyChannel window{Logger()};
  // The other program: waits for answers with events running, since both live in this thread.
  host::LobbyChannel other{Logger(), host::LobbyChannel::SendWait::ProcessEvents};
  Recorder rec;
};

TEST_F(LobbyChannelTest, ListensOnItsTitlesSocketOwnerOnlyAndRemovesItWhenClosed) {
  window.Listen("大厅一号", &rec);
  const std::string path = SocketFile("大厅一号");
  EXPECT_EQ(window.ListeningPath(), path);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0600U);
  struct stat dir {};
  ASSERT_EQ(stat(run.c_str(), &dir), 0);
  EXPECT_EQ(dir.st_mode & 0777, 0700U) << "the folder is created private";

  EXPECT_TRUE(other.FindWindow("大厅一号"));
  EXPECT_FALSE(other.FindWindow("大厅二号"));
  RunUntil([] { return false; });  // the look-up connection is drained and ignored
  EXPECT_TRUE(rec.trace.empty()) << "a look-up delivers nothing";

  window.Listen({}, nullptr);
  EXPECT_NE(access(path.c_str(), F_OK), 0);
  EXPECT_FALSE(other.FindWindow("大厅一号"));
}

TEST_F(LobbyChannelTest, RefusesARuntimeFolderOthersCanReach) {
  ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
  for (mode_t mode : {0755, 0750, 0701}) {
    chmod(run.c_str(), mode);
    window.Listen("VorelLodge", &rec);
    EXPECT_TRUE(window.ListeningPath().empty()) << std::oct << mode;
    EXPECT_NE(access(SocketFile("VorelLodge").c_str(), F_OK), 0);
    EXPECT_FALSE(other.FindWindow("VorelLodge"));
    window.Listen({}, nullptr);
  }
  // Why is said once by each side, not at every look-up.
  ASSERT_EQ(log.size(), 2U);
  for (const auto& line : log) {
    EXPECT_NE(line.find("can be reached by other users"), std::string::npos) << line;
  }
  chmod(run.c_str(), 0700);
  window.Listen("VorelLodge", &rec);
  EXPECT_TRUE(other.FindWindow("VorelLodge"));
}

TEST_F(LobbyChannelTest, ReplacesAStaleSocketButNotALiveWindow) {
  ASSERT_EQ(mkdir(run.c_str(), 0700), 0);
  const std::string path = SocketFile("Qintara");
  {
    // A window that ended without removing its socket file.
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    close(fd);
  }
  EXPECT_FALSE(other.FindWindow("Qintara")) << "a stale file is no window";
  window.Listen("Qintara", &rec);
  EXPECT_EQ(window.ListeningPath(), path);
  EXPECT_TRUE(other.FindWindow("Qintara"));

  // A second window with the same title does not take the socket away.
  Recorder second;
  host::LobbyChannel rival(Logger());
  rival.Listen("Qintara", &second);
  EXPECT_TRUE(rival.ListeningPath().empty());
  rival.Listen({}, nullptr);
  EXPECT_EQ(access(path.c_str(), F_OK), 0) << "the rival leaves the live window's file alone";
  EXPECT_TRUE(other.PostMessage("Qintara", 22, 0, 0));
  RunUntil([&] { return !rec.trace.empty(); });
  EXPECT_EQ(rec.trace.size(), 2U);
  EXPECT_TRUE(second.trace.empty());
}

TEST_F(LobbyChannelTest, DeliversInArrivalOrderAndAnswersASendWithTheResult) {
  window.Listen("Qintara", &rec);
  rec.onMessage = [](std::uint32_t msg) { return msg == 1125 ? 77 : 0; };
  EXPECT_TRUE(other.PostMessage("Qintara", 22, 0, 0));
  EXPECT_TRUE(other.PostMessage("Qintara", 771, 5, -6));
  const auto answer = other.SendMessage("Qintara", 1125, 0, 0);
  ASSERT_TRUE(answer);
  EXPECT_EQ(*answer, 77);
  EXPECT_EQ(rec.trace, (std::vector<std::string>{"in 22 0 0", "out 22", "in 771 5 -6", "out 771",
                                                 "in 1125 0 0", "out 1125"}));
  EXPECT_EQ(log,
            (std::vector<std::string>{"lobby-in: 22", "lobby-in: 771 5 -6", "lobby-in: 1125"}));
  EXPECT_FALSE(other.PostMessage("nobody", 22, 0, 0));
  EXPECT_FALSE(other.SendMessage("nobody", 22, 0, 0));
}

TEST_F(LobbyChannelTest, SpeaksTheTwelveByteWireToAnyProgram) {
  window.Listen("VorelLodge", &rec);
  rec.onMessage = [](std::uint32_t) { return -3; };
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", SocketFile("VorelLodge").c_str());
  ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  const auto bytes = platform::EncodeWireMessage({0x0112, 0xF020, 0});
  // Written in two pieces: the receiver waits for the whole message.
  ASSERT_EQ(write(fd, bytes.data(), 5), 5);
  RunUntil([] { return false; });
  EXPECT_TRUE(rec.trace.empty());
  ASSERT_EQ(write(fd, bytes.data() + 5, 7), 7);
  RunUntil([&] { return !rec.trace.empty(); });
  std::array<std::uint8_t, 4> answer{};
  ASSERT_EQ(read(fd, answer.data(), 4), 4);
  close(fd);
  EXPECT_EQ(platform::DecodeWireAnswer(answer), -3);
  EXPECT_EQ(rec.trace.front(), "in 274 61472 0");
}

TEST_F(LobbyChannelTest, AMessageArrivingWhileOneIsHandledWaitsForIt) {
  window.Listen("Qintara", &rec);
  rec.onMessage = [&](std::uint32_t msg) {
    if (msg == 771) {
      // The handler waits with events running, as leaving the table does.
      other.PostMessage("Qintara", 1024, 0, 0);
      other.PostMessage("Qintara", 22, 0, 0);
      QEventLoop loop;
      QTimer::singleShot(200, &loop, &QEventLoop::quit);
      loop.exec();
    }
    if (msg == 1024) throw std::runtime_error("boom");
    return 0;
  };
  ASSERT_TRUE(other.SendMessage("Qintara", 771, 0, 0));
  RunUntil([&] { return rec.trace.size() >= 5; });
  EXPECT_EQ(rec.trace, (std::vector<std::string>{"in 771 0 0", "out 771", "in 1024 0 0",
                                                 "in 22 0 0", "out 22"}))
      << "one at a time, in order; a failing handler does not stop the next";
  EXPECT_NE(std::find(log.begin(), log.end(), "error: lobby message 1024: boom"), log.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
