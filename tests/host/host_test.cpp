// The Qt host's own parts on the offscreen platform: the socket's options, the pause and the
// diagnostics log file.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <QApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "host/qt_host.h"
#include "host/qt_socket.h"
#include "platform/log_file.h"

namespace {

// Runs the event loop until done() or five seconds.
bool WaitFor(const std::function<bool()>& done) {
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  poll.start(5);
  loop.exec();
  return done();
}

int NoDelay(qintptr fd) {
  int on = -1;
  socklen_t len = sizeof on;
  if (getsockopt(static_cast<int>(fd), IPPROTO_TCP, TCP_NODELAY, &on, &len) != 0) return -1;
  return on;
}

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

long SizeOf(const std::string& path) {
  std::ifstream in(path, std::ios::ate | std::ios::binary);
  return in ? static_cast<long>(in.tellg()) : -1;
}

TEST(QtSocketTest, EveryConnectedSocketSendsWithoutDelay) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  host::QtSocket socket([](const char*, const std::string&) {});
  socket.SetRemote("127.0.0.1", server.serverPort());
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    socket.Connect();
    ASSERT_TRUE(WaitFor([&] { return socket.State() == platform::kSockConnected; }));
    EXPECT_EQ(NoDelay(socket.Descriptor()), 1);
    socket.Close();  // a new connection gets a new socket, which needs the option again
  }
}

// The player must see what a handler drew before it pauses (the seat-wind draw, the dice).
TEST(QtHostTest, APausePaintsWhatWasDrawnFirst) {
  struct Counting : QWidget {
    int paints = 0;
    void paintEvent(QPaintEvent*) override { ++paints; }
  } widget;
  widget.resize(200, 100);
  widget.show();
  ASSERT_TRUE(WaitFor([&] { return widget.paints > 0; }));
  host::QtHost qtHost;
  const int before = widget.paints;
  widget.update();
  qtHost.Pause(20);
  EXPECT_GT(widget.paints, before);
}

class LogFileTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir.path().toStdString() + "/" + name; }
  QTemporaryDir dir;
};

TEST_F(LogFileTest, ARepeatedLineIsCountedNotRepeated) {
  const std::string path = Path("repeat.log");
  {
    platform::LogFile log(path, false, 1 << 20);
    for (int i = 0; i < 1000; ++i) log.Write("error", "send ring full: command 24 dropped");
    log.Write("recv", "30");
    log.Write("recv", "30");  // each stands for a frame of its own
    log.Write("error", "send ring full: command 24 dropped");
  }
  const auto lines = Lines(path);
  int said = 0;
  for (const auto& l : lines) said += l.find("send ring full") != std::string::npos ? 1 : 0;
  EXPECT_EQ(said, 2) << "once before the count, once after the frames";
  EXPECT_LE(lines.size(), 9U);
  std::ostringstream all;
  for (const auto& l : lines) all << l << '\n';
  EXPECT_NE(all.str().find("(999 in all)"), std::string::npos) << all.str();
  EXPECT_EQ(
      std::count_if(lines.begin(), lines.end(),
                    [](const std::string& l) { return l.find(" recv: 30") != std::string::npos; }),
      2);
}

TEST_F(LogFileTest, ALogFileNamedByTheEnvironmentStaysCappedToo) {
  const std::string path = Path("named.log");
  setenv("QINTARA_LOG", path.c_str(), 1);
  {
    platform::LogFile log("");
    const std::string detail(100, 'x');
    for (int i = 0; i < 60'000; ++i) log.Write("recv", std::to_string(i) + detail);
  }
  unsetenv("QINTARA_LOG");
  EXPECT_LE(SizeOf(path), 4L << 20);
  EXPECT_GT(SizeOf(path + ".1"), 0) << "the older half is kept once";
}

}  // namespace
