#include "support/client_fixture.h"
#include "session/program.h"

namespace qtest {

std::string CommandLine(const std::string& account, const std::string& host, int port) {
  return account + "$key123$" + host + "$" + std::to_string(port) + "$一号桌$0$$0$$$0$$$1$0$";
}

ClientTest::ClientTest() : client(std::make_unique<Client>(host)), c(*client) {
  host.lobby.windows.insert("VorelLodge");
}

void ClientTest::Start(const std::string& commandLine) {
  host.Run([&] { session::Form_Load(c, commandLine); });
}

void ClientTest::StartLoggedIn() {
  Start();
  Advance(250);
  Push(FrameBuilder(18).v(3, 1).v(1, 8).key(0x12, 0x34));
  Advance(100);
}

void ClientTest::Push(const wire::Frame& frame) {
  host.socket.Deliver(frame);
}

void ClientTest::Push(std::span<const std::uint8_t> bytes) {
  host.socket.Deliver(bytes);
}

std::vector<int> ClientTest::SentCommands() const {
  std::vector<int> out;
  for (const auto& f : Sent()) out.push_back(f[wire::kOffCmd]);
  return out;
}

}  // namespace qtest
